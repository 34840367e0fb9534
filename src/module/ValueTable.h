// SPDX-License-Identifier: GPL-3.0-or-later
// The value table of a window's function ("Wertetabelle"): x from a start in equal
// steps and the window's columns beside it, following the window's term, parameters and
// decimals; copied for a spreadsheet or saved as a CSV file. One table per window, not
// modal, closed with its window.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "module/ModuleDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kurvio {

// More rows than this are not computed; a larger count is cut down to it.
inline constexpr int kMaxTableRows = 1000;

// What a window's table shows, asked afresh on every refresh.
struct ValueTableSource {
  // The function as the caption names it: "f(x) = x^2".
  std::function<QString()> function;
  // The headers of the columns after x: "f(x)", "f'(x)".
  std::function<QStringList()> columns;
  // The texts of those columns for each x, row after row (CellText for a value).
  std::function<std::vector<QString>(const std::vector<double>& xs)> cells;
};

// The table of f, f' and f'' (MainTerm with the settings' a, b and c, t = 0) for the
// windows that show a function with its derivatives; `function` names it.
ValueTableSource DerivativeTable(std::function<QString()> function);

// A value as a cell shows it: FormatReadout at the settings' decimals, "n. d." where the
// value does not exist.
QString CellText(double value, bool defined);
// The x of `count` rows from `start` in steps of `step`, each computed from the start (no
// sum of steps) and rounded to the decimals its start and step are written with, so that a
// row meant to be 0 is 0 and not what binary fractions leave of it.
std::vector<double> TableXs(double start, double step, int count);

// The table as a spreadsheet takes it cell by cell: a header row, tab-separated cells, "\n"
// after each row; an exponent form without its blank ("1,5E+20").
QString TableAsTabs(const QStringList& headers, const std::vector<QStringList>& rows);
// The table as a CSV file of a German spreadsheet: UTF-8 with a byte-order mark, ';'
// between cells, CRLF after each row, a cell with ';' or '"' in quotes.
std::string TableAsCsv(const QStringList& headers, const std::vector<QStringList>& rows);

class TValueTable : public TModuleDialog {
  Q_OBJECT

 public:
  // Opens with the view's left end, 21 rows across the view.
  TValueTable(QWidget* owner, ValueTableSource source);

  QLineEdit *startField, *stepField, *countField;
  QLabel* countNote;  // says when the count was cut down
  QTableWidget* grid;
  QPushButton *copyButton, *saveButton;

  double Start = 0, Step = 1;
  int Count = 21;

  // Computes the rows again, the caption and the text size with them.
  void Refresh();
  // Presentation mode switched: the text size follows.
  void RedrawPicture() override;
  QStringList Headers() const;
  std::vector<QStringList> Rows() const;

 public slots:
  void onCopy();
  void onSave();

 private:
  void ReadCount();
  void ShowFields();
  void ApplyTextSize();
  // Each column as wide as its widest text.
  void FitColumns();
  // The window as wide as its columns, within the screen; never narrower than it is.
  void WidenToColumns();
  ValueTableSource source_;
  int normalPixelSize_ = 0;
};

// The button "Wertetabelle" of a window and the one table it opens: a click opens it, or
// raises the open one; the window's redraws refresh it; closing the window closes it.
class ValueTableButton : public QObject {
  Q_OBJECT

 public:
  ValueTableButton(QWidget* owner, QWidget* parent, ValueTableSource source);
  QPushButton* Button() const { return button_; }
  // The open table, or none.
  TValueTable* Table() const;
  // The open table follows the window; nothing to do while none is open.
  void Refresh();
  void Close();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Open();
  QWidget* owner_;
  QPushButton* button_;
  ValueTableSource source_;
  TValueTable* table_ = nullptr;
};

}  // namespace kurvio
