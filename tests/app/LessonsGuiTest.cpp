// What a user keeps for himself: presentation mode and the line width survive
// a restart, F11 switches the mode in any window, and with "Fenster merken"
// every window reopens with the term and view it was closed with.
#include <QLabel>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "module/ViewPad.h"
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
    PresentationMode = RememberLessons = NumberLineMode = false;  // the covariation window's mode
    ChosenLineWidth = 0;
    LineWidth = 1;
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
  PresentationMode = false;
  ChosenLineWidth = 0;
  LineWidth = 1;
  Open();
  EXPECT_TRUE(PresentationMode);
  EXPECT_TRUE(form->presentationBox->isChecked());
  EXPECT_EQ(LineWidth, 3);
  TForm1 main;
  EXPECT_EQ(main.findChild<TLineWidthComboBox*>(QStringLiteral("LineWidthComboBox1"))->LineWidth(),
            3);
}

template <class Window>
std::unique_ptr<QDialog> Make() {
  auto window = std::make_unique<Window>();
  window->resize(1100, 750);
  window->show();
  QApplication::processEvents();
  return window;
}

TEST_F(Lessons, EveryWindowReopensWithItsTermAndViewAndABrokenFileGivesTheDefaults) {
  const struct {
    const char* name;
    std::unique_ptr<QDialog> (*make)();
    const char* term;
  } windows[] = {
      {"Funktionsgraphen", Make<TForm1>, "x^2+a"},  {"Kurvendiskussion", Make<TForm3>, "x^3-x"},
      {"Integralfunktion", Make<TForm7>, "sin(t)"}, {"Tangentenproblem", Make<TForm8>, "x^2/2"},
      {"Grenzwert", Make<TForm11>, "x+1"},          {"Kovariation", Make<TForm12>, "x^2-1"},
      {"Bisektion", Make<TForm13>, "x^3-2"},        {"Folgen", Make<TForm15>, "1/n"},
  };
  RememberLessons = true;
  for (const auto& w : windows) {
    SCOPED_TRACE(w.name);
    TermSequenceMode = std::string(w.name) == "Folgen";
    UseDefaultSettingsIn(dir);
    double view[4] = {}, opening = 0;
    {
      const std::unique_ptr<QDialog> window = w.make();
      opening = x2;
      TypeInto(window.get(), window->findChild<QLineEdit*>(QStringLiteral("Edit1")),
               QString::fromLatin1(w.term));
      if (auto* pad = window->findChild<TViewPad*>()) pad->zoomInButton->click();
      std::copy_n(std::begin({x1, x2, y1, y2}), 4, view);
      window->close();
    }
    // A restart: the settings file's values first.
    UseDefaultSettingsIn(dir);
    {
      const std::unique_ptr<QDialog> window = w.make();
      EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), w.term);
      if (window->findChild<TViewPad*>()) {
        const double shown[] = {x1, x2, y1, y2};
        EXPECT_TRUE(std::equal(shown, shown + 4, view)) << x1 << " " << x2;
      }
      window->close();
    }
    // A broken file, and one cut short after the window's name: the window's
    // own opening values, which closing writes back.
    const std::string path = WindowStatePath({w.name, {}});
    for (const std::string& damaged :
         {std::string("\0\xFF[Fenster", 10), "[Fenster]\nName=" + std::string(w.name) + "\n"}) {
      WriteBytes(path, damaged);
      UseDefaultSettingsIn(dir);
      const std::unique_ptr<QDialog> window = w.make();
      EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), "");
      EXPECT_EQ(x2, opening);
      window->close();
      EXPECT_EQ(IniFile(ReadBytes(path)).ReadReal("Koordinatensystem", "x2", 0), opening);
    }
    TermSequenceMode = false;
  }
}

// A window closed with "Fenster merken" on and opened again after a restart
// (the settings file's values first); `change` works its controls before.
template <class Window>
std::unique_ptr<Window> OpenWindow() {
  auto window = std::make_unique<Window>();
  window->resize(1100, 750);
  window->show();
  QApplication::processEvents();
  return window;
}

template <class Window>
void Reopen(std::unique_ptr<Window>& window, const TempDir& dir) {
  window->close();
  window.reset();
  UseDefaultSettingsIn(dir);
  window = OpenWindow<Window>();
}

template <class Control>
Control* In(QWidget* window, const char* name) {
  auto* control = window->findChild<Control*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << name;
  return control;
}

void ClickBox(QWidget* window, const char* name) {
  QTest::mouseClick(In<TBitCheckBox>(window, name), Qt::LeftButton, {}, QPoint(5, 5));
}

QImage Picture(QWidget* window) { return In<QWidget>(window, "PaintBox1")->grab().toImage(); }

std::vector<std::string> TickedBoxes(QWidget* window) {
  std::vector<std::string> ticked;
  for (const TBitCheckBox* box : window->findChildren<TBitCheckBox*>())
    if (box->Checked()) ticked.push_back(box->objectName().toStdString());
  std::ranges::sort(ticked);
  return ticked;
}

class RememberedLessons : public Lessons {
 protected:
  void SetUp() override {
    Lessons::SetUp();
    RememberLessons = true;
  }
};

// Each window's boxes and typed points come back as they were, and the picture with them.
struct Typed {
  const char *field, *text;
};
template <class Window>
void ExpectBoxesAndPictureBack(const TempDir& dir, std::initializer_list<const char*> boxes,
                               std::initializer_list<Typed> typed = {},
                               const char* term = "x^3/4-x") {
  std::unique_ptr<Window> window = OpenWindow<Window>();
  TypeInto(window.get(), In<QLineEdit>(window.get(), "Edit1"), QString::fromLatin1(term));
  for (const Typed& t : typed)
    TypeInto(window.get(), In<QLineEdit>(window.get(), t.field), QString::fromUtf8(t.text));
  for (const char* box : boxes) ClickBox(window.get(), box);
  const std::vector<std::string> ticked = TickedBoxes(window.get());
  const QImage picture = Picture(window.get());
  EXPECT_EQ(ticked.size(), boxes.size());
  Reopen(window, dir);
  EXPECT_EQ(TickedBoxes(window.get()), ticked);
  EXPECT_TRUE(Picture(window.get()) == picture);
}

TEST_F(RememberedLessons, EveryWindowReopensWithTheBoxesAndPointsItWasClosedWith) {
  ExpectBoxesAndPictureBack<TForm3>(
      dir, {"BitCheckBox1", "BitCheckBox2", "BitCheckBox4", "legendBox"}, {{"Edit3", "1,5"}});
  ExpectBoxesAndPictureBack<TForm11>(dir, {"BitCheckBox2", "legendBox"},
                                     {{"Edit4", "0,5"}, {"Edit5", "1,5"}});
  ExpectBoxesAndPictureBack<TForm13>(dir, {"BitCheckBox1", "BitCheckBox2"});
  TermSequenceMode = true;
  ExpectBoxesAndPictureBack<TForm15>(dir, {"BitCheckBox1", "BitCheckBox2", "BitCheckBox5"},
                                     {{"Edit3", "2"}, {"Edit4", "0,25"}}, "1/n");
  TermSequenceMode = false;
}

TEST_F(RememberedLessons, TheTangentWindowReopensWithItsBoxesAndFixedSecants) {
  std::unique_ptr<TForm8> window = OpenWindow<TForm8>();
  QWidget* w = window.get();
  TypeInto(w, In<QLineEdit>(w, "Edit1"), QStringLiteral("x^2/2"));
  for (const char* box : {"BitCheckBox1", "BitCheckBox3", "BitCheckBox4", "BitCheckBox5"})
    ClickBox(w, box);
  for (const char* q : {"3", "-2"}) {
    TypeInto(w, In<QLineEdit>(w, "Edit5"), QString::fromLatin1(q));
    In<QAbstractButton>(w, "SpeedButton13")->click();
  }
  TypeInto(w, In<QLineEdit>(w, "Edit5"), QStringLiteral("0,5"));
  const QImage picture = Picture(w);
  Reopen(window, dir);
  w = window.get();
  EXPECT_EQ(TickedBoxes(w), (std::vector<std::string>{"BitCheckBox1", "BitCheckBox3",
                                                      "BitCheckBox4", "BitCheckBox5"}));
  ASSERT_EQ(window->FixedSecants.Count(), 2u);
  FixedSecant newest;
  window->FixedSecants.Read(1, newest);
  EXPECT_EQ(newest.xQ, -2);
  EXPECT_TRUE(In<QAbstractButton>(w, "SpeedButton16")->isEnabled());
  EXPECT_TRUE(Picture(w) == picture);
}

TEST_F(RememberedLessons, TheMainWindowReopensWithItsFamilyBoxesAndFixedCurves) {
  std::unique_ptr<TForm1> window = OpenWindow<TForm1>();
  QWidget* w = window.get();
  In<QTabBar>(w, "TabControl1")->setCurrentIndex(1);
  ClickBox(w, "BitCheckBox6");
  TypeInto(w, In<QLineEdit>(w, "Edit5"), QStringLiteral("1"));
  In<QAbstractButton>(w, "SpeedButton6")->click();
  TypeInto(w, In<QLineEdit>(w, "Edit5"), QStringLiteral("-1"));
  const QImage picture = Picture(w);
  Reopen(window, dir);
  w = window.get();
  EXPECT_EQ(In<QTabBar>(w, "TabControl1")->currentIndex(), 1);
  EXPECT_EQ(TickedBoxes(w), std::vector<std::string>{"BitCheckBox6"});
  EXPECT_EQ(window->FixedCurves.Count(), 1u);
  EXPECT_TRUE(Picture(w) == picture);
}

TEST_F(RememberedLessons, TheIntegralWindowReopensWithItsBounds) {
  std::unique_ptr<TForm7> window = OpenWindow<TForm7>();
  QWidget* w = window.get();
  TypeInto(w, In<QLineEdit>(w, "Edit1"), QStringLiteral("t^2-1"));
  TypeInto(w, In<QLineEdit>(w, "Edit3"), QStringLiteral("-1,5"));
  TypeInto(w, In<QLineEdit>(w, "Edit4"), QStringLiteral("2,25"));
  const QString integral = In<QLabel>(w, "Label2")->text();
  Reopen(window, dir);
  w = window.get();
  EXPECT_EQ(IntegralX0, -1.5);
  EXPECT_EQ(PointX0, 2.25);
  EXPECT_EQ(In<QLabel>(w, "Label2")->text(), integral);
  // The bars stand at the bounds: 200 steps over -7..7.
  EXPECT_EQ(In<QScrollBar>(w, "ScrollBar1")->value(), 132);
  EXPECT_EQ(In<QScrollBar>(w, "ScrollBar2")->value(), 79);
}

TEST_F(RememberedLessons, TheCovariationWindowReopensWithItsArrowsAndRails) {
  std::unique_ptr<TForm12> window = OpenWindow<TForm12>();
  QWidget* w = window.get();
  TypeInto(w, In<QLineEdit>(w, "Edit1"), QStringLiteral("x^2/2-1"));
  for (const char* box : {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3"}) ClickBox(w, box);
  for (const char* x : {"1", "-3"}) {
    TypeInto(w, In<QLineEdit>(w, "Edit2"), QString::fromLatin1(x));
    In<QAbstractButton>(w, "SpeedButton13")->click();
  }
  TypeInto(w, In<QLineEdit>(w, "Edit2"), QStringLiteral("2"));
  In<QAbstractButton>(w, "SpeedButton5")->click();  // the f(x) rail twice as long
  const QImage picture = Picture(w);
  Reopen(window, dir);
  EXPECT_EQ(window->FixedArrows.Count(), 2u);
  EXPECT_EQ(window->ya, -14);
  EXPECT_EQ(window->xb, 7);
  EXPECT_TRUE(Picture(window.get()) == picture);
}

TEST_F(RememberedLessons, AGuessingGameGoesOnWithANewHiddenTermThatTheFileNeverHolds) {
  std::unique_ptr<TForm12> window = OpenWindow<TForm12>();
  QWidget* w = window.get();
  TypeInto(w, In<QLineEdit>(w, "Edit1"), QStringLiteral("x^3+7"));
  ClickBox(w, "BitCheckBox4");
  In<QAbstractButton>(w, "SpeedButton20")->click();  // "ganzrational"
  const std::string hidden = TermKovariation;
  ASSERT_EQ(hidden, "1/3x^3-x");  // without a list, the family's own function
  window->close();
  const std::string kept = ReadBytes(WindowStatePath({"Kovariation", {}}));
  EXPECT_EQ(kept.find("3x^3"), std::string::npos) << kept;
  EXPECT_NE(kept.find("x^3+7"), std::string::npos);

  Reopen(window, dir);
  w = window.get();
  EXPECT_TRUE(In<TBitCheckBox>(w, "BitCheckBox4")->Checked());
  EXPECT_TRUE(window->familyPanel->isVisibleTo(w));
  EXPECT_EQ(In<QLineEdit>(w, "Edit3")->text(), QStringLiteral("ganzrational"));
  EXPECT_EQ(TermKovariation, hidden);  // drawn afresh from the same family
}

}  // namespace
}  // namespace kurvio
