// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/IntegerField.h"

#include <QLineEdit>

namespace kurvio {

int ReadIntegerEdit(const QLineEdit* edit, int fallback) {
  bool ok = false;
  // QString::toInt reads the C form whatever the locale: no group separators.
  const int v = edit->text().trimmed().toInt(&ok, 10);
  return ok ? v : fallback;
}

}  // namespace kurvio
