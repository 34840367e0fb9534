// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/ExportFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>

#include "settings/ProgramFiles.h"

namespace kurvio {

QString WriteFailureReason(int error) {
  if (error == EACCES || error == EPERM)
    return QStringLiteral("Keine Schreibberechtigung für diesen Ordner.");
  return QString::fromUtf8(WriteFailureText(error));
}

bool WriteExportFile(const QString& path, const std::string& bytes, QString* reason) {
  errno = 0;
  if (WriteFileAtomically(QFile::encodeName(path).toStdString(), bytes)) return true;
  const int error = errno;
  if (reason) *reason = WriteFailureReason(error);
  return false;
}

}  // namespace kurvio
