// SPDX-License-Identifier: GPL-3.0-or-later
// What a user keeps for himself: presentation mode and the line width survive
// a restart, F11 switches the mode in any window, and with "Fenster merken"
// every window reopens with the term and view it was closed with.
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFileDialog>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <map>

#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "app/WindowTable.h"
#include "module/ViewPad.h"
#include "settings/FileMessages.h"
#include "settings/IniFile.h"
#include "settings/Preferences.h"
#include "settings/WindowState.h"
#include "support/WindowFixture.h"
#include "term/Term.h"
#include "widgets/TLineWidthComboBox.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"

namespace kurvio {
namespace {

class Lessons : public WindowTest<TForm4> {
 protected:
  void TearDown() override {
    if (form) form->ConfirmClose = [] { return true; };
    WindowTest::TearDown();
    SessionLesson().reset();
    FreshStartIn(dir);  // no presentation mode or pen width left for the next test
  }
};

TEST_F(Lessons, PresentationAndLineWidthSurviveARestart) {
  Open();
  Click("presentationBox");
  EXPECT_TRUE(PresentationMode);
  {
    TForm1 main;
    auto* box = main.findChild<TLineWidthComboBox*>(QStringLiteral("LineWidthComboBox1"));
    box->setCurrentIndex(2);
    emit box->activated(2);
    EXPECT_EQ(LineWidth, 3);
    // F11 in any window switches the mode off, and the start window's box with it.
    main.show();
    QTest::keyClick(&main, Qt::Key_F11);
    EXPECT_FALSE(PresentationMode);
    EXPECT_FALSE(form->presentationBox->isChecked());
    QTest::keyClick(&main, Qt::Key_F11);
  }
  // A second start of the program.
  form->ConfirmClose = [] { return true; };
  form.reset();
  FreshStartIn(dir);
  Open();
  EXPECT_TRUE(PresentationMode);
  EXPECT_TRUE(form->presentationBox->isChecked());
  EXPECT_EQ(LineWidth, 3);
  TForm1 main;
  EXPECT_EQ(main.findChild<TLineWidthComboBox*>(QStringLiteral("LineWidthComboBox1"))->LineWidth(),
            3);
}

// A window opened as the start window opens it, and again after a restart (the
// settings file's values first) once it was closed with "Fenster merken" on.
template <class Window>
std::unique_ptr<Window> Opened(std::unique_ptr<Window> window) {
  window->resize(1100, 750);
  window->show();
  QApplication::processEvents();
  return window;
}
template <class Window>
std::unique_ptr<Window> OpenWindow() { return Opened(std::make_unique<Window>()); }

template <class Window>
void Reopen(std::unique_ptr<Window>& window, const TempDir& dir) {
  window->close();
  window.reset();
  UseDefaultSettingsIn(dir);
  window = OpenWindow<Window>();
}

template <class Control = QWidget>
Control* In(QWidget* window, const char* name) {
  auto* control = window->findChild<Control*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

// A user's step: a tab chosen, text typed into a field, or without text a click.
struct Step {
  const char *control, *text = nullptr;
};
void Do(QWidget* window, const Step& step) {
  QWidget* control = In(window, step.control);
  if (auto* tabs = qobject_cast<QTabBar*>(control))
    tabs->setCurrentIndex(QString::fromLatin1(step.text).toInt());
  else if (auto* choice = qobject_cast<QComboBox*>(control))
    choice->setCurrentIndex(QString::fromLatin1(step.text).toInt());
  else if (step.text)
    TypeInto(window, qobject_cast<QLineEdit*>(control), QString::fromUtf8(step.text));
  else if (auto* button = qobject_cast<QAbstractButton*>(control))
    button->click();
  else
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
}

QImage Picture(QWidget* window) { return In(window, "PaintBox1")->grab().toImage(); }

// The steps taken, then the view zoomed in where the window has a view pad.
void TakeSteps(QWidget* window, const std::vector<Step>& steps) {
  for (const Step& step : steps) Do(window, step);
  if (auto* pad = window->findChild<TViewPad*>()) pad->zoomInButton->click();
}

std::vector<std::string> TickedBoxes(QWidget* window) {
  std::vector<std::string> ticked;
  for (const TBitCheckBox* box : window->findChildren<TBitCheckBox*>())
    if (box->Checked()) ticked.push_back(box->objectName().toStdString());
  return ticked;
}

// Each window's steps to a lesson of its own: a term, boxes, points and fixed objects.
const std::map<std::string, std::vector<Step>>& LessonSteps() {
  static const std::map<std::string, std::vector<Step>> steps = {
      {"TForm3",
       {{"Edit1", "x^3/4-x"}, {"Edit3", "1,5"}, {"BitCheckBox1"}, {"BitCheckBox2"},
        {"BitCheckBox4"}, {"legendBox"}, {"pointsBox"}, {"searchToField", "12"}}},
      // The area between f and g, and the strips of a sum.
      {"TForm7",
       {{"Edit1", "t^2-1"}, {"areaBox"}, {"secondTermField", "t+1"}, {"betweenBox"},
        {"sumsBox"}, {"sumsCountField", "7"}, {"sumsKindBox", "2"}}},
      {"TForm11",
       {{"Edit1", "x^2/4+1"}, {"Edit4", "0,5"}, {"Edit5", "1,5"}, {"BitCheckBox2"},
        {"legendBox"}}},
      {"TForm13", {{"Edit1", "x^3-2"}, {"BitCheckBox1"}, {"BitCheckBox2"}}},
      {"TForm15",
       {{"Edit1", "1/n"}, {"Edit3", "2"}, {"Edit4", "0,25"}, {"BitCheckBox1"},
        {"BitCheckBox2"}, {"BitCheckBox5"}}},
      // The fixed secants with their delete button, the fixed arrows and the f(x) rail.
      {"TForm8",
       {{"Edit1", "x^2/2"}, {"BitCheckBox1"}, {"BitCheckBox3"}, {"BitCheckBox4"},
        {"BitCheckBox5"}, {"Edit5", "3"}, {"SpeedButton13"}, {"Edit5", "-2"},
        {"SpeedButton13"}, {"Edit5", "0,5"}}},
      {"TForm12",
       {{"Edit1", "x^2/2-1"}, {"BitCheckBox1"}, {"BitCheckBox2"}, {"BitCheckBox3"},
        {"Edit2", "1"}, {"SpeedButton13"}, {"Edit2", "-3"}, {"SpeedButton13"},
        {"Edit2", "2"}, {"SpeedButton5"}}},
      {"TForm1",
       {{"TabControl1", "1"}, {"BitCheckBox6"}, {"Edit5", "1"}, {"SpeedButton6"},
        {"Edit5", "-1"}}},
  };
  return steps;
}

class RememberedLessons : public Lessons {
 protected:
  void SetUp() override {
    Lessons::SetUp();
    UsePreferencesIn(dir, "[Ansicht]\nFenster merken=1\n");
  }
  // After `steps`, the window reopens with the same boxes ticked and the same picture.
  template <class Window>
  std::unique_ptr<Window> ExpectLessonBack(const std::vector<Step>& steps, std::size_t boxes) {
    UseDefaultSettingsIn(dir);
    std::unique_ptr<Window> window = OpenWindow<Window>();
    TakeSteps(window.get(), steps);
    const std::vector<std::string> ticked = TickedBoxes(window.get());
    const QImage picture = Picture(window.get());
    EXPECT_EQ(ticked.size(), boxes);
    Reopen(window, dir);
    EXPECT_EQ(TickedBoxes(window.get()), ticked);
    EXPECT_TRUE(Picture(window.get()) == picture);
    return window;
  }
};

TEST_F(RememberedLessons, EveryWindowReopensWithItsFamilyBoxesPointsAndFixedObjects) {
  const auto discussion = ExpectLessonBack<TForm3>(LessonSteps().at("TForm3"), 5);
  EXPECT_EQ(discussion->searchReadout->text(), QStringLiteral("gesucht in [-7; 12]"));
  ExpectLessonBack<TForm7>({{"Edit1", "t^2-1"}, {"Edit3", "-1,5"}, {"Edit4", "2,25"}}, 0);
  EXPECT_EQ(IntegralX0, -1.5);
  // The area between f and g, and the strips of a sum.
  const auto integral = ExpectLessonBack<TForm7>(LessonSteps().at("TForm7"), 3);
  EXPECT_EQ(integral->sumsReadout->text().left(5), QStringLiteral("T(7) "));
  EXPECT_EQ(integral->secondTermField->text(), QStringLiteral("t+1"));
  ExpectLessonBack<TForm11>(LessonSteps().at("TForm11"), 2);
  ExpectLessonBack<TForm13>(LessonSteps().at("TForm13"), 2);
  {
    const LaunchModes sequence({.termSequenceMode = true});
    ExpectLessonBack<TForm15>(LessonSteps().at("TForm15"), 3);
  }
  const auto tangent = ExpectLessonBack<TForm8>(LessonSteps().at("TForm8"), 4);
  EXPECT_EQ(tangent->FixedSecants.Count(), 2u);
  EXPECT_TRUE(In<QAbstractButton>(tangent.get(), "SpeedButton16")->isEnabled());
  const auto covariation = ExpectLessonBack<TForm12>(LessonSteps().at("TForm12"), 3);
  EXPECT_EQ(covariation->FixedArrows.Count(), 2u);
  EXPECT_EQ(covariation->ya, -14);
  const auto main = ExpectLessonBack<TForm1>(LessonSteps().at("TForm1"), 1);
  EXPECT_EQ(main->FixedCurves.Count(), 1u);
}

TEST_F(RememberedLessons, AGuessingGameGoesOnWithANewHiddenTermThatTheFileNeverHolds) {
  std::unique_ptr<TForm12> window = OpenWindow<TForm12>();
  for (const Step& step : {Step{"Edit1", "x^3+7"}, Step{"BitCheckBox4"}, Step{"SpeedButton20"}})
    Do(window.get(), step);  // "ganzrational"
  const std::string hidden = TermKovariation;
  ASSERT_EQ(hidden, "1/3x^3-x");  // without a list, the family's own function
  window->close();
  const std::string kept = ReadBytes(WindowStatePath({"Kovariation", {}}));
  EXPECT_EQ(kept.find("3x^3"), std::string::npos) << kept;
  EXPECT_NE(kept.find("x^3+7"), std::string::npos);

  Reopen(window, dir);
  EXPECT_TRUE(window->familyPanel->isVisibleTo(window.get()));
  EXPECT_EQ(window->familyField->text(), QStringLiteral("ganzrational"));
  EXPECT_EQ(TermKovariation, hidden);  // drawn afresh from the same family
}

// A hand-edited lesson of the integral window: g that is no term, a count and a kind
// out of range. The window opens with g as written (reported when its field is left),
// n and the kind at their nearest values, and no message.
TEST_F(RememberedLessons, AHandEditedIntegralLessonOpensWithinItsRanges) {
  WriteBytes(WindowStatePath({"Integralfunktion", {}}),
             "[Fenster]\nName=Integralfunktion\n[Lektion]\nareaBox=1\nbetweenBox=1\nsumsBox=1\n"
             "g=sin(\nn=-5\nSumme=9\n");
  std::vector<std::string> reported;
  SyntaxErrorReporter = [&](const std::string& m) { reported.push_back(m); };
  const auto window = OpenWindow<TForm7>();
  EXPECT_EQ(window->secondTermField->text(), QStringLiteral("sin("));
  EXPECT_EQ(window->sumsCountField->text(), QStringLiteral("1"));
  EXPECT_EQ(window->sumsKindBox->currentIndex(), 3);
  EXPECT_TRUE(window->betweenBox->Checked());
  EXPECT_EQ(window->areaReadout->text(), QStringLiteral("Fläche: 0,00"));  // from x0 = 0 to x = 0
  EXPECT_TRUE(reported.empty());
  SyntaxErrorReporter = nullptr;
}

// The main window and every window of the start window's table that keeps a lesson.
std::vector<ModuleWindow> WindowsWithLessons() {
  const auto main = [](QWidget*) -> QDialog* { return new TForm1; };
  std::vector<ModuleWindow> windows{{"TForm1", "", "", {}, main, nullptr, "Funktionsgraphen"}};
  for (const ModuleWindow& module : ModuleWindows())
    if (module.lessonName) windows.push_back(module);
  return windows;
}

// What a window shows: every named field's text, the ticked boxes and the picture.
std::string Shown(QWidget* window) {
  std::map<std::string, std::string> fields;
  for (const QLineEdit* field : window->findChildren<QLineEdit*>())
    fields[field->objectName().toStdString()] = field->text().toStdString();
  std::string shown;
  for (const auto& [name, text] : fields) shown += name + "=" + text + "\n";
  for (const std::string& box : TickedBoxes(window)) shown += "ticked " + box + "\n";
  const QImage picture = Picture(window).convertToFormat(QImage::Format_ARGB32);
  const QByteArrayView bits(picture.constBits(), picture.sizeInBytes());
  return shown + "picture " + QCryptographicHash::hash(bits, QCryptographicHash::Md5).toHex().toStdString() + "\n";
}

// Each window as the start window launches it, `steps` taken in it, then closed;
// what each showed before closing.
std::string ShowEveryWindow(const TempDir& dir, bool takeSteps) {
  std::string shown;
  for (const ModuleWindow& w : WindowsWithLessons()) {
    const LaunchModes modes(w.launch);
    UseDefaultSettingsIn(dir);
    const auto window = Opened(std::unique_ptr<QDialog>(w.create(nullptr)));
    if (takeSteps) TakeSteps(window.get(), LessonSteps().at(w.className));
    shown += std::string(w.className) + "\n" + Shown(window.get());
    window->close();
  }
  return shown;
}

TEST_F(RememberedLessons, EveryWindowComesBackFromTheLessonFileInAFreshProcess) {
  Open();
  const std::string before = ShowEveryWindow(dir, true);
  const QString path = QString::fromStdString(dir.File("Stunde"));
  form->AskLessonSaveFile = [&](const QString& proposed) {
    EXPECT_EQ(proposed, "");  // no lesson yet
    return TForm4::LessonSaveChoice{path};
  };
  form->saveLesson();
  EXPECT_EQ(form->LessonPath(), path + ".kurvio");

  QProcess fresh;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("KURVIO_TEST_LESSON"), path + ".kurvio");
  env.insert(QStringLiteral("KURVIO_TEST_SHOWN"), QString::fromStdString(dir.File("shown")));
  fresh.setProcessEnvironment(env);
  fresh.setProcessChannelMode(QProcess::MergedChannels);
  fresh.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=Lessons.DISABLED_AFreshProcessOpensTheLessonFile"),
               QStringLiteral("--gtest_also_run_disabled_tests")});
  ASSERT_TRUE(fresh.waitForFinished(120000));
  EXPECT_EQ(fresh.exitCode(), 0) << fresh.readAll().toStdString();
  EXPECT_EQ(ReadBytes(dir.File("shown")), before);
}

// A broken state file, and one cut short after the window's name: the window
// opens with its own opening values, which closing writes back.
TEST_F(RememberedLessons, ABrokenStateFileGivesTheWindowsOpeningValues) {
  for (const ModuleWindow& w : WindowsWithLessons()) {
    SCOPED_TRACE(w.className);
    const LaunchModes modes(w.launch);
    const std::string path = WindowStatePath({w.lessonName, {}});
    double opening = 0;
    for (const std::string& damaged : {std::string(), std::string("\0\xFF[Fenster", 10),
                                       "[Fenster]\nName=" + std::string(w.lessonName) + "\n"}) {
      WriteBytes(path, damaged);
      UseDefaultSettingsIn(dir);
      const auto window = Opened(std::unique_ptr<QDialog>(w.create(nullptr)));
      if (damaged.empty()) opening = x2;  // the window's own view, without a file
      EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), "");
      EXPECT_EQ(x2, opening);
      window->close();
      EXPECT_EQ(IniFile(ReadBytes(path)).ReadReal("Koordinatensystem", "x2", 0), opening);
    }
  }
}

// The second half of the test above, in a process of its own, with a user folder
// that holds no state files and "Fenster merken" off.
TEST_F(Lessons, DISABLED_AFreshProcessOpensTheLessonFile) {
  const QString path = qEnvironmentVariable("KURVIO_TEST_LESSON");
  ASSERT_FALSE(path.isEmpty());
  Open();
  form->OpenLessonFile(path);
  ASSERT_TRUE(SessionLesson());
  WriteBytes(qEnvironmentVariable("KURVIO_TEST_SHOWN").toStdString(), ShowEveryWindow(dir, false));
}

TEST_F(Lessons, FilesThatCannotBeOpenedAreSaidAndOpenNothing) {
  Open();
  std::vector<QString> reported;
  ReportFileError = [&](QWidget*, const QString& m) { reported.push_back(m); };
  form->OnModuleShown = [](QDialog* module) { ADD_FAILURE() << module->windowTitle().toStdString(); };
  const std::pair<const char*, std::string> files[] = {
      {"kaputt.kurvio", std::string("\0\x01[Kurvio-Stunde]", 17)},
      {"leer.kurvio", ""},
      {"neu.kurvio", "[Kurvio-Stunde]\nVersion=2\nFenster=TForm3\nOffen=TForm3\n"},
      {"fremd.kurvio", "[Kurvio-Stunde]\nVersion=1\nFenster=TForm42\nOffen=TForm42\n"}};
  for (const auto& [name, bytes] : files) WriteBytes(dir.File(name), bytes);
  for (const char* name : {"kaputt.kurvio", "leer.kurvio", "neu.kurvio", "fremd.kurvio", "fehlt.kurvio"})
    form->OpenLessonFile(QString::fromStdString(dir.File(name)));
  const char* const said[] = {"keine Kurvio-Stunde", "keine Kurvio-Stunde",
                              "neueren Kurvio-Version", "kein Fenster", "existiert nicht"};
  ASSERT_EQ(reported.size(), std::size(said));
  for (std::size_t i = 0; i < std::size(said); ++i) EXPECT_TRUE(reported[i].contains(said[i])) << i;
  EXPECT_TRUE(reported[4].contains(QString::fromStdString(dir.File("fehlt.kurvio"))));
  EXPECT_FALSE(SessionLesson());
  EXPECT_EQ(form->LessonPath(), "");
  EXPECT_FALSE(PresentationMode);
  // Nothing to save yet: no window open, and none remembered.
  form->AskLessonSaveFile = [](const QString&) -> std::optional<TForm4::LessonSaveChoice> {
    ADD_FAILURE() << "asked for a name";
    return std::nullopt;
  };
  form->saveLesson();
  ASSERT_EQ(reported.size(), 6u);
  EXPECT_TRUE(reported[5].contains("noch keine Stunde"));
}

TEST_F(Lessons, AWriteProtectedLessonKeepsItsFileAndUnknownKeysSurviveASave) {
  const std::string original =
      "; für die 10b\n[Kurvio-Stunde]\nVersion=1\nFenster=TForm8\nOffen=TForm8\nPraesentation=1\n"
      "Schreibgeschuetzt=1\nNeu=ja\n[TForm8.Funktionsterme]\nf(x)=x^2/2\n"
      "[TForm8.Lektion]\nBitCheckBox1=1\nZukunft=3\n[Anderes]\nx=1\n";
  const std::string path = dir.File("Parabel.kurvio");
  WriteBytes(path, original);
  Open();
  std::string opened;
  form->OnModuleShown = [&](QDialog* module) {
    QTimer::singleShot(0, module, [&, module] {
      opened = UnqualifiedName(module->metaObject()->className());
      EXPECT_EQ(module->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), "x^2/2");
      TypeInto(module, module->findChild<QLineEdit*>(QStringLiteral("Edit1")), "x^2/4");
      // Ctrl+S in the window: a write-protected lesson asks for a new name.
      form->AskLessonSaveFile = [&](const QString& proposed) {
        EXPECT_EQ(proposed, "");
        return TForm4::LessonSaveChoice{QString::fromStdString(path)};
      };
      std::vector<QString> reported;
      ReportFileError = [&](QWidget*, const QString& m) { reported.push_back(m); };
      QTest::keyClick(module, Qt::Key_S, Qt::ControlModifier);
      ASSERT_EQ(reported.size(), 1u);
      EXPECT_TRUE(reported[0].contains("schreibgeschützt"));
      form->AskLessonSaveFile = [&](const QString&) {
        return TForm4::LessonSaveChoice{QString::fromStdString(dir.File("Kopie.kurvio"))};
      };
      QTest::keyClick(module, Qt::Key_S, Qt::ControlModifier);
      module->close();
    });
  };
  form->OpenLessonFile(QString::fromStdString(path));
  EXPECT_EQ(opened, "TForm8");
  EXPECT_TRUE(PresentationMode);
  EXPECT_TRUE(form->presentationBox->isChecked());
  EXPECT_EQ(ReadBytes(path), original);
  const std::string copy = ReadBytes(dir.File("Kopie.kurvio"));
  for (const char* kept : {"; für die 10b\n", "Neu=ja\n", "Zukunft=3\n", "[Anderes]\nx=1\n",
                           "f(x)=x^2/4\n", "Offen=TForm8\n", "Schreibgeschuetzt=0\n"})
    EXPECT_NE(copy.find(kept), std::string::npos) << kept << "\n" << copy;
  EXPECT_EQ(form->LessonPath(), QString::fromStdString(dir.File("Kopie.kurvio")));
}

TEST_F(Lessons, ALessonOpenedFromAnOpenWindowClosesItAndOpensItsOwn) {
  const std::string first = dir.File("eins.kurvio"), second = dir.File("zwei.kurvio");
  WriteBytes(first, "[Kurvio-Stunde]\nVersion=1\nFenster=TForm3\nOffen=TForm3\n");
  WriteBytes(second, "[Kurvio-Stunde]\nVersion=1\nFenster=TForm1;TForm7\nOffen=TForm7\n"
                     "[TForm7.Funktionsterme]\nf(t)=cos(t)\n");
  Open();
  std::vector<std::string> opened;
  form->OnModuleShown = [&](QDialog* module) {
    opened.push_back(UnqualifiedName(module->metaObject()->className()));
    QTimer::singleShot(0, module, [&, module] {
      if (opened.size() == 1) {
        form->AskLessonOpenFile = [&] { return QString::fromStdString(second); };
        QApplication::setActiveWindow(module);
        QTest::keyClick(module, Qt::Key_O, Qt::ControlModifier);
      } else {
        EXPECT_EQ(module->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), "cos(t)");
        module->close();
      }
    });
  };
  form->OpenLessonFile(QString::fromStdString(first));
  EXPECT_EQ(opened, (std::vector<std::string>{"TForm3", "TForm7"}));
  EXPECT_EQ(SessionLesson()->windows, (std::vector<std::string>{"TForm1", "TForm7"}));
  EXPECT_EQ(form->LessonPath(), QString::fromStdString(second));
}

TEST_F(Lessons, TheLessonOfVersionOneOpensAsItWasSaved) {
  Open();
  TForm8* tangent = nullptr;
  form->OnModuleShown = [&](QDialog* module) {
    QTimer::singleShot(0, module, [&, module] {
      tangent = qobject_cast<TForm8*>(module);
      ASSERT_NE(tangent, nullptr);
      EXPECT_EQ(tangent->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), "x^2/2-1");
      EXPECT_EQ(tangent->FixedSecants.Count(), 2u);
      EXPECT_EQ(TickedBoxes(tangent).size(), 3u);
      EXPECT_EQ(x1, -3);
      module->close();
    });
  };
  form->OpenLessonFile(QStringLiteral(KURVIO_LESSONS_DIR "/Version1.kurvio"));
  EXPECT_NE(tangent, nullptr);
  EXPECT_TRUE(EqualUnits);
  // The other window of the lesson opens with its term when its button is clicked.
  form->OnModuleShown = [&](QDialog* module) {
    QTimer::singleShot(0, module, [module] {
      EXPECT_EQ(module->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), "x^3-3x");
      module->close();
    });
  };
  form->findChild<QPushButton*>(QStringLiteral("SpeedButton6"))->click();
}

TEST_F(Lessons, TheSaveDialogOffersTheLessonForPupilsWriteProtected) {
  Open();
  EXPECT_EQ(form->openLessonButton->text(), QStringLiteral("Stunde öffnen…"));
  const std::unique_ptr<QFileDialog> dialog(MakeLessonSaveDialog(form.get(), "Stunde.kurvio"));
  auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("lessonReadOnlyBox"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), QStringLiteral("schreibgeschützt für Schüler"));
  EXPECT_FALSE(box->isChecked());
}

}  // namespace
}  // namespace kurvio
