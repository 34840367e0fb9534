#include "windows/limits/BisectionTableWindow.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

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
  StringGrid1 = new QTableWidget(0, kColumns, this);
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  BitBtn2 = new QPushButton(QStringLiteral("&Weiter"), this);
  BitBtn2->setDefault(true);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);

  const BisectionFunction f = [](double x) {
    const double y = EvalTerm(MainTerm, x, 0, ParamA, ParamB, ParamC, 0);
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
  const int row = StringGrid1->rowCount();
  StringGrid1->insertRow(row);
  for (int column = 0; column < kColumns && column < cells.size(); ++column)
    StringGrid1->setItem(row, column, new QTableWidgetItem(cells[column]));
}

void TForm14::FitGeometry() {
  const QFontMetrics metrics = StringGrid1->fontMetrics();
  const int columnWidth = metrics.horizontalAdvance(QStringLiteral("AAAAAAAAAAAAAAA"));
  const int rowHeight = metrics.height() + 6;
  StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
  StringGrid1->verticalHeader()->setMinimumSectionSize(1);
  for (int column = 0; column < kColumns; ++column)
    StringGrid1->setColumnWidth(column, columnWidth);
  StringGrid1->verticalHeader()->setDefaultSectionSize(rowHeight);
  for (int row = 0; row < StringGrid1->rowCount(); ++row) StringGrid1->setRowHeight(row, rowHeight);

  const int rows = StringGrid1->rowCount() - 1;  // below the headers
  int gridWidth = kColumns * columnWidth + 12;
  int gridHeight = (rows + 1) * rowHeight + rows;
  const int buttonHeight = BitBtn2->sizeHint().height();
  // A long table scrolls instead of growing past the screen, so that "Weiter" stays in reach.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const int room = screen->availableGeometry().height() - 80 - 4 - buttonHeight;
    if (room > rowHeight && gridHeight > room) {
      gridHeight = room;
      gridWidth += StringGrid1->verticalScrollBar()->sizeHint().width();
    }
  }
  StringGrid1->setGeometry(0, 0, gridWidth, gridHeight);
  const int clientWidth = gridWidth + 1;
  const int clientHeight = gridHeight + 4 + buttonHeight;
  const int buttonWidth = std::max(BitBtn2->sizeHint().width(), 75);
  BitBtn2->setGeometry((clientWidth - buttonWidth) / 2, clientHeight - 2 - buttonHeight,
                       buttonWidth, buttonHeight);
  setFixedSize(clientWidth, clientHeight);
}

}  // namespace kurvio
