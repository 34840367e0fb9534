// SPDX-License-Identifier: GPL-3.0-or-later
// The start window: each button opens its window by its own rule, maximised and
// modal, closing asks first, and the main window opens afresh each time.
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "app/WindowTable.h"
#include "settings/FileMessages.h"
#include "settings/IniFile.h"
#include "settings/ProgramFiles.h"
#include "support/WindowFixture.h"

namespace kurvio {

// A window of a test, added to the start window through the table of module windows alone.
class TTestWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kExampleFile = "Bsp9.txt";
  static constexpr const char* kLessonName = "Testfenster";
  explicit TTestWindow(QWidget* owner) : QDialog(owner) { setWindowTitle(QStringLiteral("Test")); }
};

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
};

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
    ReadSettingKeys(IniFile("[Parameter]\na=5\n"), {"Parameter/a"});
    WithModule(row.button, [&](QDialog& module) {
      EXPECT_TRUE(module.inherits(row.window)) << module.metaObject()->className();
      EXPECT_TRUE(module.isModal());
      EXPECT_EQ(module.windowState().testFlag(Qt::WindowMaximized), row.module);
      EXPECT_EQ(ParamA, row.a);
      EXPECT_EQ(TermSequenceMode, row.sequenceMode);
      EXPECT_EQ(NumberLineMode, row.numberLine);
    });
    EXPECT_FALSE(TermSequenceMode || NumberLineMode || TrigAxisMode);
  }
}

TEST_F(StartWindowTest, AnUnreadableSettingsFileIsReportedOnceAndTheDefaultsStand) {
  form.reset();
  std::filesystem::remove(dir.File("Kurvio.ini"));
  std::filesystem::create_directory(dir.File("Kurvio.ini"));
  std::vector<QString> reported;
  ReportFileError = [&reported](QWidget*, const QString& m) { reported.push_back(m); };
  ReadSettingKeys(IniFile("[Parameter]\na=5\n"), {"Parameter/a"});
  form = std::make_unique<TForm4>();
  EXPECT_EQ(ParamA, 1.0);
  WithModule("RichButton1", [](QDialog&) {});  // reads the file again: no second message
  EXPECT_EQ(reported.size(), 1u);
}

// Escape closes module windows only; closing asks first, and Cancel keeps the program running.
TEST_F(StartWindowTest, EscapeIsIgnoredAndClosingAsks) {
  form->ConfirmClose = [] { return true; };
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->isVisible());
  form->ConfirmClose = [this] { return AskQuitProgram(form.get()); };
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());
}

TEST_F(StartWindowTest, SecondOpeningOfTheMainWindow) {
  WithModule("RichButton1", [](QDialog& module) {
    TypeInto(&module, module.findChild<QLineEdit*>("Edit1"), QStringLiteral("x^2+a"));
    TypeInto(&module, module.findChild<QLineEdit*>("Edit2"), QStringLiteral("3"));  // not saved
    EXPECT_EQ(ParamA, 3.0);
    module.findChild<QPushButton*>("SpeedButton6")->click();
  });
  WithModule("RichButton1", [](QDialog& module) {
    EXPECT_EQ(module.findChild<QLineEdit*>("Edit1")->text(), QStringLiteral("x^2+a"));  // kept
    EXPECT_EQ(ParamA, 2.0);  // the file's value again
    EXPECT_TRUE(static_cast<TForm1&>(module).FixedCurves.IsEmpty());
  });
}

// A window needs its own files, a row in the table and its tests: the start window then
// has its button after the others, opens it with its modes raised, and at its start clears
// the stale temporaries of its example file and lesson like those of every other window.
TEST_F(StartWindowTest, AWindowAddedToTheTableAlone) {
  std::vector<ModuleWindow> table(ModuleWindows().begin(), ModuleWindows().end());
  table.push_back(ModuleRow<TTestWindow>("testButton", "Test", {.termSequenceMode = true}));
  EXPECT_EQ(std::string(table.back().className), "TTestWindow");
  namespace fs = std::filesystem;
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
  const std::string examples = ProgramDir + "Bsp9.txt.abc123";
  const std::string lesson = UserDir + "Fenster-Testfenster.ini.abc123";
  for (const std::string& stale : {examples, lesson}) {
    WriteBytes(stale, "halb geschrieben");
    fs::last_write_time(stale, old);
  }
  form->ConfirmClose = [] { return true; };
  form = std::make_unique<TForm4>(nullptr, table);
  form->show();
  EXPECT_FALSE(fs::exists(examples));
  EXPECT_FALSE(fs::exists(lesson));
  ASSERT_EQ(form->moduleButtons.size(), ModuleWindows().size() + 1);
  EXPECT_EQ(form->moduleButtons.back()->objectName(), QStringLiteral("testButton"));
  EXPECT_EQ(form->moduleButtons.back()->text(), QStringLiteral("Test"));
  WithModule("testButton", [](QDialog& module) {
    EXPECT_TRUE(module.inherits("kurvio::TTestWindow"));
    EXPECT_TRUE(TermSequenceMode);
  });
  EXPECT_FALSE(TermSequenceMode);
}

// The example lists shipped in data/ (and so named by the manual page) are those of the
// windows of the table.
TEST(WindowTableTest, TheShippedExampleListsAreThoseOfTheWindows) {
  std::vector<std::string> shipped;
  for (const auto& entry : std::filesystem::directory_iterator(KURVIO_DATA_DIR)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("Bsp", 0) == 0) shipped.push_back(name);
  }
  std::vector<std::string> ofWindows = ExampleFilesOf(ModuleWindows());
  std::sort(shipped.begin(), shipped.end());
  std::sort(ofWindows.begin(), ofWindows.end());
  EXPECT_EQ(shipped, ofWindows);
}

}  // namespace
}  // namespace kurvio

#include "StartWindowGuiTest.moc"
