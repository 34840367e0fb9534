// SPDX-License-Identifier: GPL-3.0-or-later
// The value table of the four windows with a function: opened by its button, filled with
// the window's columns, following the term, and copied or saved for a spreadsheet.
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "app/MainWindow.h"
#include "export/Export.h"
#include "module/Presentation.h"
#include "module/ValueTable.h"
#include "settings/ProgramFiles.h"
#include "support/WindowFixture.h"
#include "term/NumberFormat.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"

namespace kurvio {
namespace {

// The table a click on the window's button shows.
TValueTable* OpenTable(QWidget* window) {
  window->findChild<QPushButton*>(QStringLiteral("valueTableButton"))->click();
  QApplication::processEvents();
  const auto tables = window->findChildren<TValueTable*>(QStringLiteral("valueTable"));
  return tables.size() == 1 && tables[0]->isVisible() ? tables[0] : nullptr;
}

void TypeRows(TValueTable* table, const char* start, const char* step, const char* count) {
  TypeInto(table, table->startField, QString::fromUtf8(start));
  TypeInto(table, table->stepField, QString::fromUtf8(step));
  TypeInto(table, table->countField, QString::fromUtf8(count));
  table->copyButton->setFocus();  // the last field is left too
  QApplication::processEvents();
}

// Row `row` as it reads, cells joined by " | ".
std::string Row(const TValueTable* table, int row) {
  return table->Rows().at(static_cast<std::size_t>(row)).join(QStringLiteral(" | ")).toStdString();
}

template <class Window>
class TableTest : public WindowTest<Window> {
 protected:
  // The button opens one table with the window's columns across the view; a second click
  // raises it; closing the window closes it.
  void ExpectOpensOnceAndClosesWithItsWindow(const char* columns) {
    TValueTable* table = OpenTable(&this->Open());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Headers().join(QStringLiteral(" | ")), QString::fromUtf8(columns));
    EXPECT_EQ(table->Rows().size(), 21u);
    EXPECT_EQ(table->Rows().front()[0], QString::fromStdString(FormatReadout(2, x1)));
    EXPECT_EQ(table->Rows().back()[0], QString::fromStdString(FormatReadout(2, x2)));
    EXPECT_EQ(OpenTable(this->form.get()), table);
    this->form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(this->form->template findChildren<TValueTable*>().isEmpty());
  }
};

using CurveDiscussionTable = TableTest<TForm3>;
using TangentTable = TableTest<TForm8>;
using IntegralTable = TableTest<TForm7>;
using MainWindowTable = TableTest<TForm1>;

TEST_F(CurveDiscussionTable, ShowsFAndItsDerivativesAndNdWhereTheyDoNotExist) {
  ExpectOpensOnceAndClosesWithItsWindow("x | f(x) | f'(x) | f''(x)");
  Open();
  Type("Edit1", QStringLiteral("x^3-3x"));
  TValueTable* table = OpenTable(form.get());
  TypeRows(table, "-2", "1", "5");
  EXPECT_TRUE(table->windowTitle().startsWith(QStringLiteral("Wertetabelle – f(x) = x")));
  EXPECT_EQ(Row(table, 0), "-2,00 | -2,00 | 9,00 | -12,00");
  EXPECT_EQ(Row(table, 3), "1,00 | -2,00 | 0,00 | 6,00");
  // The term changes: the table follows; x = -0,3 + 3·0,1 is 0 itself.
  Type("Edit1", QStringLiteral("1/x"));
  TypeRows(table, "-0,3", "0,1", "7");
  EXPECT_EQ(Row(table, 3), "0,00 | n. d. | n. d. | n. d.");
  EXPECT_EQ(Row(table, 4), "0,10 | 10,00 | -100,00 | 2000,00");
  Type("Edit1", QStringLiteral("ln(x)"));
  EXPECT_EQ(Row(table, 0), "-0,30 | n. d. | n. d. | n. d.");
  EXPECT_EQ(Row(table, 3), "0,00 | n. d. | n. d. | n. d.");
  EXPECT_GT(TableXs(1, 1e-13, 2)[1], 1.0);                 // a fine step keeps its rows apart
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("x"));  // no syntax error on closing
}

TEST_F(TangentTable, OpensWithFAndItsDerivatives) {
  ExpectOpensOnceAndClosesWithItsWindow("x | f(x) | f'(x) | f''(x)");
}

TEST_F(IntegralTable, ShowsFAndTheIntegralFunctionFromTheLowerBound) {
  ExpectOpensOnceAndClosesWithItsWindow("x | f(x) | F(x)");
  Open();
  Type("Edit1", QStringLiteral("t"));
  Type("Edit3", QStringLiteral("1"));  // x0
  TValueTable* table = OpenTable(form.get());
  TypeRows(table, "-1", "1", "3");
  EXPECT_EQ(Row(table, 0), "-1,00 | -1,00 | 0,00");
  EXPECT_EQ(Row(table, 2), "1,00 | 1,00 | 0,00");
  Type("Edit1", QStringLiteral("1/t"));  // no integral across the pole at 0
  EXPECT_EQ(Row(table, 0), "-1,00 | -1,00 | n. d.");
  Type("Edit3", QStringLiteral("2"));
  EXPECT_EQ(Row(table, 2), "1,00 | 1,00 | -0,69");
}

TEST_F(MainWindowTable, ShowsOneColumnPerMemberDrawnOnTheTabsWithATerm) {
  ExpectOpensOnceAndClosesWithItsWindow("x | y");
  Open();
  Type("Edit1", QStringLiteral("a*x^2"));
  TValueTable* table = OpenTable(form.get());
  TypeRows(table, "1", "1", "2");
  Click("SpeedButton6");  // the member with a = 1 fixed
  Type("Edit2", QStringLiteral("2"));
  EXPECT_EQ(table->Headers().join(QStringLiteral(" | ")).toStdString(),
            "x | y (a = 2,00) | y (a = 1,00)");
  EXPECT_EQ(Row(table, 1), "2,00 | 8,00 | 4,00");
  form->familyTabs->setCurrentIndex(1);  // a parabola without a term: no table
  QApplication::processEvents();
  EXPECT_TRUE(form->findChildren<TValueTable*>().isEmpty());
  EXPECT_FALSE(Find("valueTableButton")->isVisible());
}

// Copy, save, a failed save, the count's limit and presentation mode, on one table.
TEST_F(CurveDiscussionTable, CopiesAndSavesTheCellsAsASpreadsheetReadsThem) {
  Open();
  Type("Edit1", QStringLiteral("x^3-3x"));
  TValueTable* table = OpenTable(form.get());
  TypeRows(table, "0", "100", "2");
  table->copyButton->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            "x\tf(x)\tf'(x)\tf''(x)\n0,00\t0,00\t-3,00\t0,00\n100,00\t1,00E+6\t29997,00\t600,00\n");

  std::vector<QString> errors;
  QString answer = QString::fromStdString(dir.File("tabelle"));
  AskSaveFileName = [&](QWidget*, const QString&, const QString&, const QString&, QString&) {
    return answer;
  };
  ReportExportError = [&](QWidget*, const QString& m) { errors.push_back(m); };
  table->saveButton->click();
  EXPECT_EQ(ReadBytes(dir.File("tabelle.csv")),
            "\xEF\xBB\xBFx;f(x);f'(x);f''(x)\r\n0,00;0,00;-3,00;0,00\r\n"
            "100,00;1,00E+6;29997,00;600,00\r\n");
  // A folder that may not be written: the message, and no file, whole or half.
  RenameFile = [](const char*, const char*) {
    errno = EACCES;
    return -1;
  };
  answer = QString::fromStdString(dir.File("neu.csv"));
  table->saveButton->click();
  RenameFile = &std::rename;
  AskSaveFileName = nullptr;
  ReportExportError = nullptr;
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains("konnte nicht gespeichert werden.\nKeine Schreibberechtigung"));
  for (const auto& entry : std::filesystem::directory_iterator(dir.Dir()))
    EXPECT_EQ(entry.path().filename().string().rfind("neu.csv", 0), std::string::npos);

  TypeRows(table, "0", "1/0", "5000");  // no step: the old one stays; the count is cut down
  EXPECT_EQ(table->grid->rowCount(), kMaxTableRows);
  EXPECT_EQ(Row(table, 999), "99900,00 | 9,97 E+14 | 2,99 E+10 | 5,99 E+5");
  EXPECT_TRUE(table->countNote->isVisible());
  // A main window's header with a semicolon stays one cell.
  EXPECT_EQ(TableAsCsv({"x", "y (a = 1; b = 2)"}, {}), "\xEF\xBB\xBFx;\"y (a = 1; b = 2)\"\r\n");

  const int normal = QFontInfo(table->grid->font()).pixelSize();
  SetPresentation(true);
  EXPECT_EQ(QFontInfo(table->grid->font()).pixelSize(), 2 * normal);
  SetPresentation(false);
  EXPECT_EQ(QFontInfo(table->grid->font()).pixelSize(), normal);
}

}  // namespace
}  // namespace kurvio
