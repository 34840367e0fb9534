// The start window: each button opens its window by its own rule, closing
// asks first, the main window opens as a fresh module each time, and Escape
// belongs to the modules.
#include <gtest/gtest.h>

#include <filesystem>

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "plot/PlotFrame.h"
#include "settings/FileMessages.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
#include "term/Term.h"

namespace kurvio {
namespace {

class StartWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.Dir();
    UserDir = dir.Dir();
    DecimalSeparator = ',';
    // The file says a = 2.
    WriteBytes(dir.File("Kurvio.ini"), "[Parameter]\r\na=2\r\n");
    SyntaxErrorReporter = [](const std::string&) {};
    start = std::make_unique<TForm4>();
    start->show();
  }
  void TearDown() override {
    start->ConfirmClose = [] { return true; };
    start.reset();
    SyntaxErrorReporter = nullptr;
  }
  // Clicks the button with this design name and runs `inside` while its window is shown modally.
  void WithModule(const char* button, const std::function<void(QDialog&)>& inside) {
    start->OnModuleShown = [&](QDialog* module) {
      QTimer::singleShot(0, module, [&, module] {
        inside(*module);
        if (module->isVisible()) module->close();
      });
    };
    if (std::string(button) == "RichButton1")
      start->openMainWindow();
    else
      start->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    start->OnModuleShown = nullptr;
  }
  void WithMainWindow(const std::function<void(TForm1&)>& inside) {
    WithModule("RichButton1", [&](QDialog& module) { inside(static_cast<TForm1&>(module)); });
  }
  static QLineEdit* TermField(TForm1& form) { return form.findChild<QLineEdit*>("Edit1"); }

  TempDir dir;
  std::unique_ptr<TForm4> start;
};

TEST_F(StartWindowTest, DesignNames) {
  ExpectDesignNames(start.get(), {{"RichButton1", "kurvio::TRichButton"},
                                  {"SpeedButton3", "QPushButton"},
                                  {"SpeedButton2", "QPushButton"},
                                  {"SpeedButton5", "QPushButton"},
                                  {"SpeedButton9", "QPushButton"},
                                  {"SpeedButton6", "QPushButton"},
                                  {"SpeedButton7", "QPushButton"},
                                  {"SpeedButton8", "QPushButton"},
                                  {"SpeedButton4", "QPushButton"},
                                  {"SpeedButton14", "QPushButton"},
                                  {"SpeedButton1", "QPushButton"},
                                  {"SpeedButton35", "QPushButton"}});
}

// Every module button opens its window: from the file's settings (a = 2) or the
// session's as they stand (a = 5), with its mode flags raised exactly while it is open.
TEST_F(StartWindowTest, EveryButtonOpensItsWindowByItsRule) {
  struct Row {
    const char* button;
    const char* window;
    double a;
    bool sequenceMode, numberLine;
  };
  const Row rows[] = {
      {"SpeedButton3", "kurvio::TForm12", 2, false, true},
      {"SpeedButton2", "kurvio::TForm11", 2, false, false},
      {"SpeedButton5", "kurvio::TForm15", 2, true, false},
      {"SpeedButton4", "kurvio::TForm13", 5, false, false},
      {"SpeedButton9", "kurvio::TForm8", 2, false, false},
      {"SpeedButton6", "kurvio::TForm3", 2, false, false},
      {"SpeedButton7", "kurvio::TForm7", 2, false, false},
      {"SpeedButton8", "kurvio::TForm5", 2, false, false},
      {"SpeedButton14", "kurvio::TForm2", 5, false, false},
      {"SpeedButton1", "kurvio::TForm9", 5, false, false},
      {"RichButton1", "kurvio::TForm1", 2, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    ParamA = 5;
    bool opened = false;
    WithModule(row.button, [&](QDialog& module) {
      opened = true;
      EXPECT_TRUE(module.inherits(row.window)) << module.metaObject()->className();
      EXPECT_EQ(ParamA, row.a);
      EXPECT_EQ(TermSequenceMode, row.sequenceMode);
      EXPECT_EQ(NumberLineMode, row.numberLine);
    });
    EXPECT_TRUE(opened);
    EXPECT_FALSE(TermSequenceMode || NumberLineMode || TrigAxisMode);
  }
}

TEST_F(StartWindowTest, AnUnreadableSettingsFileIsReportedOnceAndTheDefaultsStand) {
  start.reset();
  std::filesystem::remove(dir.File("Kurvio.ini"));
  std::filesystem::create_directory(dir.File("Kurvio.ini"));
  std::vector<QString> reported;
  ReportFileError = [&reported](QWidget*, const QString& m) { reported.push_back(m); };
  ParamA = 5;
  start = std::make_unique<TForm4>();
  EXPECT_EQ(ParamA, 1.0);
  WithMainWindow([](TForm1&) {});  // reads the file again: no second message
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_TRUE(reported[0].contains(QString::fromStdString(dir.File("Kurvio.ini"))));
}

// "Programm beenden?" with OK and Cancel; Cancel keeps the program running, Escape too.
TEST_F(StartWindowTest, ClosingAsksAndCancelKeepsTheProgramRunning) {
  start->ConfirmClose = [this] { return AskQuitProgram(start.get()); };
  QString text;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    box->button(QMessageBox::Cancel)->click();
  });
  ParamA = 3.5;
  EXPECT_FALSE(start->close());
  EXPECT_EQ(text, QStringLiteral("Programm beenden?"));
  EXPECT_TRUE(start->isVisible());
  EXPECT_EQ(ParamA, 3.5);
  QTest::keyClick(start.get(), Qt::Key_Escape);
  EXPECT_TRUE(start->isVisible());
  start->ConfirmClose = [] { return true; };
  EXPECT_TRUE(start->close());
}

TEST_F(StartWindowTest, SecondOpeningOfTheMainWindow) {
  WithMainWindow([](TForm1& form) {
    EXPECT_EQ(ParamA, 2.0);                                     // from the file
    TypeInto(&form, TermField(form), QStringLiteral("x^2+a"));  // leaving the field stores it
    EXPECT_EQ(TermFxtab, "x^2+a");
    ParamA = 3;  // changed, not saved
    form.findChild<QPushButton*>("SpeedButton6")->click();
    PointX0 = 1.5;
    EXPECT_EQ(form.FixedCurves.Count(), 1u);
  });
  WithMainWindow([](TForm1& form) {
    EXPECT_EQ(TermField(form)->text(), QStringLiteral("x^2+a"));  // the term of the first visit
    EXPECT_EQ(ParamA, 2.0);                                       // the file's value again
    EXPECT_TRUE(form.FixedCurves.IsEmpty());
    EXPECT_EQ(PointX0, 0.0);
  });
}

}  // namespace
}  // namespace kurvio
