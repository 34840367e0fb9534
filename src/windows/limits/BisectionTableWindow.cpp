// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/limits/BisectionTableWindow.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

#include "module/Controls.h"
#include "settings/Settings.h"
#include "term/Term.h"
#include "windows/limits/Bisection.h"

namespace kurvio {

namespace {

constexpr int kColumns = 6;

QStringList ToStringList(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& t : texts) list << QString::fromStdString(t);
  return list;
}

}  // namespace

TForm14::TForm14(QWidget* parent, double a0, double b0, double eps, int decimals)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Bisektion  -  Tabelle"));
  grid = new QTableWidget(0, kColumns, this);
  Named(grid, "StringGrid1");
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  continueButton = new QPushButton(QStringLiteral("&Weiter"), this);
  continueButton->setDefault(true);
  Named(continueButton, "BitBtn2");
  connect(continueButton, &QPushButton::clicked, this, &QDialog::accept);

  const BisectionFunction f = [](double x) {
    const double y = EvalWindowTerm(x);
    return FunctionValue{y, TermDefined};
  };
  AddRow(ToStringList(TableHeaders()));
  const BisectionTable table = TableRows({a0, b0}, eps, f);
  for (const BisectionRow& row : table.rows)
    AddRow(ToStringList(TableCells(row, decimals, DecimalSeparator)));
  if (!table.solved) {
    QStringList last(kColumns, QString());
    last[2] = QString::fromUtf8(kNoSolutionCell);
    AddRow(last);
  }
  FitGeometry();
}

void TForm14::AddRow(const QStringList& cells) {
  const int row = grid->rowCount();
  grid->insertRow(row);
  for (int column = 0; column < kColumns && column < cells.size(); ++column)
    grid->setItem(row, column, new QTableWidgetItem(cells[column]));
}

void TForm14::FitGeometry() {
  const QFontMetrics metrics = grid->fontMetrics();
  const int columnWidth = metrics.horizontalAdvance(QStringLiteral("AAAAAAAAAAAAAAA"));
  const int rowHeight = metrics.height() + 6;
  grid->horizontalHeader()->setMinimumSectionSize(1);
  grid->verticalHeader()->setMinimumSectionSize(1);
  for (int column = 0; column < kColumns; ++column) grid->setColumnWidth(column, columnWidth);
  grid->verticalHeader()->setDefaultSectionSize(rowHeight);
  for (int row = 0; row < grid->rowCount(); ++row) grid->setRowHeight(row, rowHeight);

  const int rows = grid->rowCount() - 1;  // below the headers
  int gridWidth = kColumns * columnWidth + 12;
  int gridHeight = (rows + 1) * rowHeight + rows;
  const int buttonHeight = continueButton->sizeHint().height();
  // A long table scrolls instead of growing past the screen, so that "Weiter" stays in reach.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const int room = screen->availableGeometry().height() - 80 - 4 - buttonHeight;
    if (room > rowHeight && gridHeight > room) {
      gridHeight = room;
      gridWidth += grid->verticalScrollBar()->sizeHint().width();
    }
  }
  grid->setGeometry(0, 0, gridWidth, gridHeight);
  const int clientWidth = gridWidth + 1;
  const int clientHeight = gridHeight + 4 + buttonHeight;
  const int buttonWidth = std::max(continueButton->sizeHint().width(), 75);
  continueButton->setGeometry((clientWidth - buttonWidth) / 2, clientHeight - 2 - buttonHeight,
                              buttonWidth, buttonHeight);
  setFixedSize(clientWidth, clientHeight);
}

}  // namespace kurvio
