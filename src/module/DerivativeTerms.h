// SPDX-License-Identifier: GPL-3.0-or-later
// "Ableitungsterme": f'(x) and f''(x) of the window's term written out as
// terms below a check box, in the term fields' syntax so that a teacher can
// paste them into a term field. The box is off at first and kept per user.
#pragma once

#include <QObject>
#include <functional>

#include "term/Term.h"

class QLabel;
class QVBoxLayout;
class QWidget;

namespace kurvio {

class TBitCheckBox;

class DerivativeTerms : public QObject {
 public:
  // The box and the two labels, added to `column`; `term` is the compiled
  // term whose derivatives are shown.
  DerivativeTerms(QWidget* panel, QVBoxLayout* column, const TermHandle& term);

  // Shows the texts of the term as it is compiled now (cheap: the texts are
  // made once per compiled term); hides the labels while the box is off.
  void Update();
  // Hides or shows the whole group (the main window shows it with a term only).
  void SetAvailable(bool available);

  TBitCheckBox* box;
  QLabel* first;   // "f'(x) = …"
  QLabel* second;  // "f''(x) = …"

 private:
  const TermHandle& term_;
  bool available_ = true;
};

}  // namespace kurvio
