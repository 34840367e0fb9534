// The start window: each button opens its window by its own rule, maximised and
// modal, closing asks first, and the main window opens afresh each time.
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "app/MainWindow.h"
#include "app/ModuleLauncher.h"
#include "app/StartWindow.h"
#include "module/AnimationLoop.h"
#include "module/FrameWait.h"
#include "settings/FileMessages.h"
#include "support/WindowFixture.h"

namespace kurvio {
namespace {

class StartWindowTest : public WindowTest<TForm4> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    WriteBytes(dir.File("Kurvio.ini"), "[Parameter]\r\na=2\r\n");  // the file says a = 2
    Open();
  }
  void TearDown() override {
    form->ConfirmClose = [] { return true; };
    WindowTest::TearDown();
  }
  // Clicks the button with this design name and runs `inside` while its window is shown modally.
  void WithModule(const char* button, const std::function<void(QDialog&)>& inside) {
    form->OnModuleShown = [&](QDialog* module) {
      QTimer::singleShot(0, module, [&, module] {
        inside(*module);
        if (module->isVisible()) module->close();
      });
    };
    if (std::string(button) == "RichButton1")
      form->openMainWindow();
    else
      form->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    form->OnModuleShown = nullptr;
  }
  void WithMainWindow(const std::function<void(TForm1&)>& inside) {
    WithModule("RichButton1", [&](QDialog& module) { inside(static_cast<TForm1&>(module)); });
  }
  static QLineEdit* TermField(TForm1& form) { return form.findChild<QLineEdit*>("Edit1"); }
};

TEST_F(StartWindowTest, DesignNames) {
  ExpectDesignNames(form.get(), {{"RichButton1", "kurvio::TRichButton"},
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
    bool module = true;  // a module window, launched maximised
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
      {"SpeedButton14", "kurvio::TForm2", 5, false, false, false},
      {"SpeedButton1", "kurvio::TForm9", 5, false, false, false},
      {"RichButton1", "kurvio::TForm1", 2, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    ParamA = 5;
    QPointer<QDialog> opened;
    WithModule(row.button, [&](QDialog& module) {
      opened = &module;
      EXPECT_TRUE(module.inherits(row.window)) << module.metaObject()->className();
      EXPECT_TRUE(module.isModal());
      EXPECT_EQ(module.parentWidget(), form.get());
      EXPECT_EQ(module.windowState().testFlag(Qt::WindowMaximized), row.module);
      EXPECT_EQ(ParamA, row.a);
      EXPECT_EQ(TermSequenceMode, row.sequenceMode);
      EXPECT_EQ(NumberLineMode, row.numberLine);
    });
    EXPECT_TRUE(opened.isNull());  // deleted after closing
    EXPECT_FALSE(TermSequenceMode || NumberLineMode || TrigAxisMode);
  }
}

TEST_F(StartWindowTest, AnUnreadableSettingsFileIsReportedOnceAndTheDefaultsStand) {
  form.reset();
  std::filesystem::remove(dir.File("Kurvio.ini"));
  std::filesystem::create_directory(dir.File("Kurvio.ini"));
  std::vector<QString> reported;
  ReportFileError = [&reported](QWidget*, const QString& m) { reported.push_back(m); };
  ParamA = 5;
  form = std::make_unique<TForm4>();
  EXPECT_EQ(ParamA, 1.0);
  WithMainWindow([](TForm1&) {});  // reads the file again: no second message
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_TRUE(reported[0].contains(QString::fromStdString(dir.File("Kurvio.ini"))));
}

// "Programm beenden?" with OK and Cancel; Cancel keeps the program running, Escape too.
TEST_F(StartWindowTest, ClosingAsksAndCancelKeepsTheProgramRunning) {
  form->ConfirmClose = [this] { return AskQuitProgram(form.get()); };
  QString text;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    box->button(QMessageBox::Cancel)->click();
  });
  ParamA = 3.5;
  EXPECT_FALSE(form->close());
  EXPECT_EQ(text, QStringLiteral("Programm beenden?"));
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(ParamA, 3.5);
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->isVisible());
  form->ConfirmClose = [] { return true; };
  EXPECT_TRUE(form->close());
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

// A window closed during an animation keeps its mode flag until the loop has ended.
TEST_F(StartWindowTest, ClosedDuringAnAnimationClearsTheFlagsAfterTheLoop) {
  QWidget owner;
  bool flagDuringLoop = false;
  LaunchModule(&owner, {.numberLineMode = true}, [&](QWidget* parent) {
    auto* window = new QDialog(parent);
    QTimer::singleShot(0, window, [&, window] {
      QTimer::singleShot(40, window, [window] {
        AnimationRunning = false;
        window->close();
      });
      AnimationRunning = true;
      RunAnimation(
          window, [&] { flagDuringLoop = NumberLineMode; }, [] { WaitFrame(5, 0); });
    });
    return window;
  });
  EXPECT_TRUE(flagDuringLoop);
  EXPECT_FALSE(NumberLineMode);
}

}  // namespace
}  // namespace kurvio
