// SPDX-License-Identifier: GPL-3.0-or-later
// The table of the bisection: every halving from the start interval, one row
// each, until the interval is narrower than the error bound.
#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace kurvio {

class TForm14 : public QDialog {
  Q_OBJECT

 public:
  // Fills the table for the term compiled in MainTerm (with the parameters a,
  // b and c of the settings), from the interval a0..b0 down to `eps`, with
  // `decimals` places.
  TForm14(QWidget* parent, double a0, double b0, double eps, int decimals);

  QTableWidget* grid;
  QPushButton* continueButton;  // "&Weiter"

 private:
  void AddRow(const QStringList& cells);
  void FitGeometry();
};

}  // namespace kurvio
