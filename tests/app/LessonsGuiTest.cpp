// What a user keeps for himself: presentation mode and the line width survive
// a restart, F11 switches the mode in any window, and with "Fenster merken"
// every window reopens with the term and view it was closed with.
#include <QTest>
#include <QToolButton>

#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "module/ViewPad.h"
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
    PresentationMode = RememberLessons = false;
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
    WriteBytes(WindowStatePath({w.name, {}}), std::string("\0\xFF[Fenster", 10));
    UseDefaultSettingsIn(dir);
    const std::unique_ptr<QDialog> window = w.make();
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), "");
    EXPECT_EQ(x2, opening);
    TermSequenceMode = false;
  }
}

}  // namespace
}  // namespace kurvio
