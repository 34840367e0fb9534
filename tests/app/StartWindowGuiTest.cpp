// The start window: closing asks first, the main window opens as a fresh
// module each time, and Escape belongs to the modules.
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
#include "term/Term.h"
#include "widgets/TSwitch.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"
#include "windows/trig/UnitCircleWindow.h"

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
  // Opens the main window and runs `inside` while it is shown modally.
  void WithMainWindow(const std::function<void(TForm1&)>& inside) {
    start->OnModuleShown = [&](QDialog* module) {
      QTimer::singleShot(0, module, [&, module] {
        inside(*static_cast<TForm1*>(module));
        module->close();
      });
    };
    start->RichButton1Click();
    start->OnModuleShown = nullptr;
  }

  TempDir dir;
  std::unique_ptr<TForm4> start;
};

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

TEST_F(StartWindowTest, CancelKeepsTheProgramRunning) {
  int asked = 0;
  start->ConfirmClose = [&] {
    ++asked;
    return false;
  };
  ParamA = 3.5;
  EXPECT_FALSE(start->close());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(start->isVisible());
  EXPECT_EQ(ParamA, 3.5);
  start->ConfirmClose = [] { return true; };
  EXPECT_TRUE(start->close());
}

TEST_F(StartWindowTest, TheQuitQuestionSpeaksGerman) {
  start->ConfirmClose = [this] { return AskQuitProgram(start.get()); };
  QStringList buttons;
  QString text;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    for (QAbstractButton* b : box->buttons()) buttons << b->text().remove(QLatin1Char('&'));
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_FALSE(start->close());
  EXPECT_EQ(text, QStringLiteral("Programm beenden?"));
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("OK")}));
}

TEST_F(StartWindowTest, AFaultyStoredTermWaitsUntilItsFieldIsLeft) {
  std::vector<std::string> messages;
  SyntaxErrorReporter = [&](const std::string& m) { messages.push_back(m); };
  TermFxtab = "x^3-";
  WithMainWindow([&](TForm1& form) {
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("x^3-"));
    form.resize(form.width() - 50, form.height() - 50);
    QApplication::processEvents();
    EXPECT_TRUE(messages.empty());  // not on opening, nor on a repaint
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    form.Edit1->setFocus();
    QTest::keyClick(form.Edit1, Qt::Key_Return);
    EXPECT_EQ(messages.size(), 1u);
  });
}

TEST_F(StartWindowTest, EscapeDoesNotCloseTheStartWindow) {
  QTest::keyClick(start.get(), Qt::Key_Escape);
  EXPECT_TRUE(start->isVisible());
}

TEST_F(StartWindowTest, SecondOpeningOfTheMainWindow) {
  WithMainWindow([](TForm1& form) {
    EXPECT_EQ(ParamA, 2.0);  // from the file
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    form.Edit1->setFocus();
    form.Edit1->setText(QStringLiteral("x^2+a"));
    QTest::keyClick(form.Edit1, Qt::Key_Return);  // leaving the term field stores it
    EXPECT_EQ(TermFxtab, "x^2+a");
    ParamA = 3;  // changed, not saved
    form.SpeedButton6->click();
    PointX0 = 1.5;
    EXPECT_EQ(form.FixedCurves.Count(), 1u);
  });
  WithMainWindow([](TForm1& form) {
    EXPECT_EQ(form.Edit1->text(), QStringLiteral("x^2+a"));  // the term of the first visit
    EXPECT_EQ(ParamA, 2.0);                                  // the file's value again
    EXPECT_TRUE(form.FixedCurves.IsEmpty());
    EXPECT_EQ(PointX0, 0.0);
  });
}

TEST_F(StartWindowTest, EscapeClosesTheMainWindow) {
  bool closed = false;
  start->OnModuleShown = [&](QDialog* module) {
    QTimer::singleShot(0, module, [&, module] {
      QTest::keyClick(module, Qt::Key_Escape);
      closed = !module->isVisible();
      if (!closed) module->close();
    });
  };
  start->RichButton1Click();
  EXPECT_TRUE(closed);
  EXPECT_TRUE(start->isVisible());
}

TEST_F(StartWindowTest, ClosingDuringAnAnimationEndsItSafely) {
  start->OnModuleShown = [&](QDialog* module) {
    auto* form = static_cast<TForm1*>(module);
    QTimer::singleShot(0, form, [form] {
      QTimer::singleShot(80, form, [form] { form->close(); });
      form->Switch1->SetChecked(true);
      form->SwitchClick(0);  // runs until the close ends it
    });
  };
  start->RichButton1Click();  // returns once the window is closed and destroyed
  EXPECT_FALSE(AnimationRunning);
}

// "Grenzwert - Stetigkeit" starts from the file's settings, "Bisektion" from
// the session's as they stand.
TEST_F(StartWindowTest, LimitWindowsOpenFromTheirButtons) {
  for (QPushButton* b : {start->SpeedButton2, start->SpeedButton4}) EXPECT_TRUE(b->isEnabled());
  QString opened;
  start->OnModuleShown = [&](QDialog* module) {
    QTimer::singleShot(0, module, [&, module] {
      if (qobject_cast<TForm11*>(module)) opened += QStringLiteral("limits a=%1;").arg(ParamA);
      if (qobject_cast<TForm13*>(module)) opened += QStringLiteral("bisection a=%1;").arg(ParamA);
      module->close();
    });
  };
  ParamA = 5;
  start->SpeedButton2->click();
  ParamA = 5;
  start->SpeedButton4->click();
  EXPECT_EQ(opened, QStringLiteral("limits a=2;bisection a=5;"));
}

// Both windows start from the file's settings; their mode flags hold exactly while they are open.
TEST_F(StartWindowTest, SequencesAndCovariationRaiseTheirModes) {
  for (QPushButton* b : {start->SpeedButton5, start->SpeedButton3}) EXPECT_TRUE(b->isEnabled());
  QString opened;
  start->OnModuleShown = [&](QDialog* module) {
    QTimer::singleShot(0, module, [&, module] {
      const QString modes = QStringLiteral(" a=%1 n=%2 line=%3;")
                                .arg(ParamA)
                                .arg(TermSequenceMode)
                                .arg(NumberLineMode);
      if (qobject_cast<TForm15*>(module)) opened += QStringLiteral("sequences") + modes;
      if (qobject_cast<TForm12*>(module)) opened += QStringLiteral("covariation") + modes;
      module->close();
    });
  };
  ParamA = 5;
  start->SpeedButton5->click();
  EXPECT_FALSE(TermSequenceMode);
  ParamA = 5;
  start->SpeedButton3->click();
  EXPECT_FALSE(NumberLineMode);
  EXPECT_EQ(opened, QStringLiteral("sequences a=2 n=1 line=0;covariation a=2 n=0 line=1;"));
}

// Every button opens its window; the unit circle starts from the file's settings.
TEST_F(StartWindowTest, EveryModuleButtonIsEnabledAndTheUnitCircleOpens) {
  for (QPushButton* b :
       {start->SpeedButton3, start->SpeedButton2, start->SpeedButton5, start->SpeedButton4,
        start->SpeedButton9, start->SpeedButton6, start->SpeedButton7, start->SpeedButton8})
    EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
  bool opened = false;
  start->OnModuleShown = [&](QDialog* module) {
    QTimer::singleShot(0, module, [&, module] {
      opened = qobject_cast<TForm5*>(module) != nullptr && ParamA == 2;
      module->close();
    });
  };
  ParamA = 5;
  start->SpeedButton8->click();
  EXPECT_TRUE(opened);
  EXPECT_FALSE(TrigAxisMode);
}

}  // namespace
}  // namespace kurvio
