// The curve-discussion window: points far out, and examples with their comment.
#include <QCoreApplication>
#include <QListWidget>
#include <QToolButton>
#include <set>

#include "settings/Preferences.h"
#include "support/WindowFixture.h"
#include "windows/curves/CurveDiscussionWindow.h"

namespace kurvio {
namespace {

class CurveDiscussionTest : public WindowTest<TForm3> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    Open();
  }
};

TEST_F(CurveDiscussionTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = form.get();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3"});
  ExpectDesignNames(w, "QLabel", {"Label2", "Label3", "functionValueReadout"});
  ExpectDesignNames(w, "kurvio::TBitCheckBox",
                    {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4"});
  ExpectDesignNames(w, {{"Switch4", "kurvio::TSwitch"}});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1", "SpeedButton4", "SpeedButton5", "SpeedButton28", "SpeedButton3",
       "SpeedButton7", "SpeedButton22", "SpeedButton14", "SpeedButton15", "SpeedButton17",
       "SpeedButton23", "SpeedButton6", "SpeedButton13", "SpeedButton2"});
  ExpectDesignNames(w, {{"ListBox1", "QListWidget"}, {"PaintBox1", "kurvio::TPaintBox"}});
}

// "gleiche Einheiten (1:1)": one unit as long on both axes of both plots, after a zoom
// and after a resize, until it is turned off.
TEST_F(CurveDiscussionTest, EqualUnitsHoldAfterZoomAndResize) {
  const auto unitsEqual = [] {
    return std::fabs((x2 - x1) / PlotWidth / ((y2 - y1) / PlotHeight) - 1) < 1e-9;
  };
  EXPECT_FALSE(unitsEqual());  // the window's own view is not drawn 1:1
  EqualUnits = true;
  form->RedrawPicture();
  EXPECT_TRUE(unitsEqual());
  for (QToolButton* button : form->findChildren<QToolButton*>())
    if (button->toolTip() == QStringLiteral("Zoom in")) button->click();
  EXPECT_TRUE(unitsEqual());
  form->resize(form->width() - 200, form->height() + 100);
  QCoreApplication::processEvents();
  form->RedrawPicture();
  EXPECT_TRUE(unitsEqual());
  EqualUnits = false;
  form->RedrawPicture();
  EXPECT_FALSE(unitsEqual());
}

TEST_F(CurveDiscussionTest, PointsFarOutOrNotANumberDrawWithoutHanging) {
  for (const char* box : {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4"})
    Click(box);
  for (double x0 : {-1e300, 1e300, std::nan("")}) {
    PointX0 = x0;
    form->animieren();
  }
}

TEST_F(CurveDiscussionTest, ExamplesKeepTheirComment) {
  Find<QLineEdit>("Edit1")->setText(QStringLiteral("x^2"));
  // A character the 8-bit form has no byte for stays, in the field and in the file.
  Find<QLineEdit>("Edit2")->setText(QStringLiteral("Parabel, f(x) ≥ 0"));
  Click("SpeedButton4");
  Find<QLineEdit>("Edit2")->clear();
  Find<QListWidget>("ListBox1")->setCurrentRow(0);
  Click("SpeedButton1");
  EXPECT_EQ(Text("Edit2"), QStringLiteral("Parabel, f(x) ≥ 0"));
  form->close();
  EXPECT_EQ(ReadBytes(dir.File("Bsp1.txt")), "\xEF\xBB\xBFx^2;  Parabel, f(x) \u2265 0\r\n");
}

// The readouts of f' and f'' as pupils check them: exact zeros, kinks of f',
// the texts of "Ableitungsterme", kept for the next window.
TEST_F(CurveDiscussionTest, ReadoutsAndDerivativeTermsAreExact) {
  Click("BitCheckBox1");
  Click("BitCheckBox2");
  const struct {
    const char* term;
    const char* x0;
    const char* value;
    const char* first;
    const char* second;
  } kRows[] = {
      {"x^3-3x", "1", "f(1,0000) = -2,0000", "f'(1,0000) = 0,0000", "f''(1,0000) = 6,0000"},
      {"x*e^(-x)", "1", "f(1,0000) = 0,3679", "f'(1,0000) = 0,0000", "f''(1,0000) = -0,3679"},
      {"x^3+3x^2+3x+1", "-1", "f(-1,0000) = 0,0000", "f'(-1,0000) = 0,0000",
       "f''(-1,0000) = 0,0000"},
      {"x*abs(x)", "0", "f(0,0000) = 0,0000", "f'(0,0000) = 0,0000",
       "f''(0,0000) = nicht definiert"},
      // Numbers as pupils write them: fixed while it fits, the exponent form beyond.
      {"exp(sgn(x))", "-0,001", "f(-0,0010) = 0,3679", "f'(-0,0010) = 0,0000",
       "f''(-0,0010) = 0,0000"},
      {"1/x", "0,05", "f(0,0500) = 20,0000", "f'(0,0500) = -400,0000", "f''(0,0500) = 16000,0000"},
      {"1/x", "0,0045", "f(0,0045) = 222,2222", "f'(0,0045) = -49382,7160",
       "f''(0,0045) = 2,1948 E+7"},
      {"sqrt(x)", "-1", "f(-1,0000) = nicht definiert", "f'(-1,0000) = nicht definiert",
       "f''(-1,0000) = nicht definiert"},
  };
  for (const auto& row : kRows) {
    Type("Edit1", QString::fromUtf8(row.term));
    Type("Edit3", QString::fromUtf8(row.x0));
    EXPECT_EQ(Text("functionValueReadout"), QString::fromUtf8(row.value)) << row.term;
    EXPECT_EQ(Text("Label2"), QString::fromUtf8(row.first)) << row.term;
    EXPECT_EQ(Text("Label3"), QString::fromUtf8(row.second)) << row.term;
  }
  // Each curve drawn carries its name.
  Type("Edit1", QStringLiteral("x^3-3x"));
  std::multiset<std::string> names;
  for (const testing::TextCall& t : Record([&] { form->darstellen(); }).texts)
    if (t.text.rfind("f", 0) == 0) names.insert(t.text);
  EXPECT_EQ(names, (std::multiset<std::string>{"f", "f'", "f''"}));

  EXPECT_FALSE(Find<QLabel>("derivativeTerm1")->isVisible());  // off at first
  Click("derivativeTermsBox");
  Type("Edit1", QStringLiteral("x*e^(-x)"));
  EXPECT_EQ(Text("derivativeTerm1"), QStringLiteral("f'(x) = (1-x)*e^(-x)"));
  EXPECT_EQ(Text("derivativeTerm2"), QStringLiteral("f''(x) = (x-2)*e^(-x)"));
  Type("Edit1", QStringLiteral("fak(x)"));
  EXPECT_EQ(Text("derivativeTerm1"), QStringLiteral("f'(x) existiert nicht"));
  // A rejected term leaves the last one's texts.
  Type("Edit1", QStringLiteral("0,5x^2+"));
  Type("Edit1", QStringLiteral("0,5x^2"));
  EXPECT_EQ(Text("derivativeTerm1"), QStringLiteral("f'(x) = x"));

  // The choice is the user's: the next window opens with it, and so does the next start.
  form->close();
  Open();
  EXPECT_TRUE(Find<QLabel>("derivativeTerm2")->isVisible());
  ShowDerivativeTerms = false;
  LoadPreferences();
  EXPECT_TRUE(ShowDerivativeTerms);
  Click("derivativeTermsBox");
  LoadPreferences();
  EXPECT_FALSE(ShowDerivativeTerms);
}

}  // namespace
}  // namespace kurvio
