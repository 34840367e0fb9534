// SPDX-License-Identifier: GPL-3.0-or-later
// The curve-discussion window: points far out, and examples with their comment.
#include <QCoreApplication>
#include <QListWidget>
#include <QToolButton>
#include <set>

#include "settings/Preferences.h"
#include "settings/WindowState.h"
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

// "gleiche Einheiten (1:1)": one unit as long on both axes of both plots, after a zoom
// and after a resize, until it is turned off.
TEST_F(CurveDiscussionTest, EqualUnitsHoldAfterZoomAndResize) {
  const auto unitsEqual = [this] {
    const DrawFrame& shown = form->ShownFrame();
    return std::fabs((x2 - x1) / shown.width / ((y2 - y1) / shown.height) - 1) < 1e-9;
  };
  EXPECT_FALSE(unitsEqual());  // the window's own view is not drawn 1:1
  UsePreferencesIn(dir, "[Ansicht]\nGleiche Einheiten=1\n");
  form->RedrawPicture();
  EXPECT_TRUE(unitsEqual());
  for (QToolButton* button : form->findChildren<QToolButton*>())
    if (button->toolTip() == QStringLiteral("Zoom in")) button->click();
  EXPECT_TRUE(unitsEqual());
  form->resize(form->width() - 200, form->height() + 100);
  QCoreApplication::processEvents();
  form->RedrawPicture();
  EXPECT_TRUE(unitsEqual());
  UsePreferencesIn(dir, "[Ansicht]\nGleiche Einheiten=0\n");
  form->RedrawPicture();
  EXPECT_FALSE(unitsEqual());
}

// A hand-edited lesson may put the point anywhere; one that is not a number
// leaves it where it was.
TEST_F(CurveDiscussionTest, PointsFarOutOrNotANumberDrawWithoutHanging) {
  UsePreferencesIn(dir, "[Ansicht]\nFenster merken=1\n");
  for (const auto& [x0, kept] : {std::pair{"-1e300", -1e300}, {"1e300", 1e300}, {"nan", 1e300}}) {
    WriteBytes(WindowStatePath({TForm3::kLessonName, {}}),
               std::string("[Fenster]\nName=Kurvendiskussion\n[Lektion]\nBitCheckBox1=1\n"
                           "BitCheckBox2=1\nBitCheckBox3=1\nBitCheckBox4=1\nx=") +
                   x0 + "\n");
    Open().animieren();
    EXPECT_TRUE(Find<TBitCheckBox>("BitCheckBox4")->Checked());
    EXPECT_EQ(PointX0, kept);
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
  EXPECT_NE(ReadBytes(dir.File(kPreferencesFileName)).find("Ableitungsterme=1"), std::string::npos);
  Click("derivativeTermsBox");
  LoadPreferences();
  EXPECT_FALSE(ShowDerivativeTerms);
}

class SpecialPointsTest : public CurveDiscussionTest {
 protected:
  using Rows = std::vector<std::string>;
  Rows ListRows() const {
    Rows rows;
    const auto* list = Find<QListWidget>("pointsList");
    for (int i = 0; i < list->count(); ++i) rows.push_back(list->item(i)->text().toStdString());
    return rows;
  }
  bool Lists(const std::string& row) const {
    const Rows rows = ListRows();
    return std::find(rows.begin(), rows.end(), row) != rows.end();
  }
  // The rows that name points, without the ends of the interval.
  Rows PointRows() const {
    Rows rows;
    for (const std::string& row : ListRows())
      if (row.find('(') != std::string::npos && row.rfind("Randpunkt", 0) != 0) rows.push_back(row);
    return rows;
  }
};

// "Besondere Punkte" through the window's controls: the points of a term, named and written
// exactly where that is proven; the stretches of monotony and curvature; the marks.
TEST_F(SpecialPointsTest, ListedNamedExactAndMarked) {
  EXPECT_FALSE(Find("pointsList")->isVisibleTo(form.get()));  // off at first
  Click("pointsBox");
  EXPECT_TRUE(Find("pointsList")->isVisibleTo(form.get()));
  Type("Edit1", QStringLiteral("x^3-3x"));
  EXPECT_EQ(ListRows(), (Rows{
                            "Nullstelle N₁(-√3 | 0) ≈ (-1,7321 | 0)",
                            "Nullstelle N₂(0 | 0)",
                            "Nullstelle N₃(√3 | 0) ≈ (1,7321 | 0)",
                            "Hochpunkt H(-1 | 2)",
                            "Tiefpunkt T(1 | -2)",
                            "Wendepunkt W(0 | 0)",
                            "Randpunkt R₁(-7 | -322)",
                            "Randpunkt R₂(7 | 322)",
                            "streng monoton steigend auf [-7; -1]",
                            "streng monoton fallend auf [-1; 1]",
                            "streng monoton steigend auf [1; 7]",
                            "rechtsgekrümmt auf [-7; 0]",
                            "linksgekrümmt auf [0; 7]",
                        }));
  // Every point in sight carries its name in the picture (the index a small digit after it).
  std::multiset<std::string> names;
  for (const testing::TextCall& t : Record([&] { form->darstellen(); }).texts) names.insert(t.text);
  for (const char* name : {"H", "T", "W"}) EXPECT_EQ(names.count(name), 1) << name;
  EXPECT_EQ(names.count("N"), 3);

  const struct {
    const char* term;
    Rows rows;
  } cases[] = {
      {"x^3", {"Nullstelle N(0 | 0)", "Sattelpunkt S(0 | 0)"}},
      {"x*e^(-x)",
       {"Nullstelle N(0 | 0)", "Hochpunkt H(1 | 1/e) ≈ (1 | 0,3679)",
        "Wendepunkt W(2 | 2/e²) ≈ (2 | 0,2707)"}},
      {"(x^2-1)^2",
       {"Nullstelle N₁(-1 | 0)", "Nullstelle N₂(1 | 0)", "Tiefpunkt T₁(-1 | 0)",
        "Hochpunkt H(0 | 1)", "Tiefpunkt T₂(1 | 0)",
        "Wendepunkt W₁(-√3/3 | 4/9) ≈ (-0,5774 | 0,4444)",
        "Wendepunkt W₂(√3/3 | 4/9) ≈ (0,5774 | 0,4444)"}},
      {"x^3-0,001x",  // two extrema 0,036 apart
       {"Nullstelle N₁(-√10/100 | 0) ≈ (-0,0316 | 0)", "Nullstelle N₂(0 | 0)",
        "Nullstelle N₃(√10/100 | 0) ≈ (0,0316 | 0)",
        "Hochpunkt H(-√30/300 | √30/450000) ≈ (-0,0183 | 0,0000)",
        "Tiefpunkt T(√30/300 | -√30/450000) ≈ (0,0183 | 0,0000)", "Wendepunkt W(0 | 0)"}},
      {"1/(x-2)", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.term);
    Type("Edit1", QString::fromUtf8(c.term));
    EXPECT_EQ(PointRows(), c.rows);
  }
  Type("Edit1", QStringLiteral("1/(x-2)"));
  EXPECT_TRUE(Lists("Polstelle x = 2"));
  EXPECT_TRUE(Lists("streng monoton fallend auf ]2; 7]"));
  Type("Edit1", QStringLiteral("x^5-x-1"));  // no exact form: the decimals with "≈"
  EXPECT_TRUE(Lists("Nullstelle N ≈ (1,1673 | 0)"));
  Type("Edit1", QStringLiteral("sin(x)/x"));
  EXPECT_TRUE(Lists("Definitionslücke x = 0"));
  // f' changes its sign where f jumps: no extremum there, with f' 0 at the jump or not.
  for (const char* jump : {"x^2+sgn(x)", "abs(x)+2*sgn(x)"}) {
    SCOPED_TRACE(jump);
    Type("Edit1", QString::fromLatin1(jump));
    EXPECT_TRUE(Lists("Nullstelle N₂ ≈ (0,0000 | 0)"));  // f(0) = 0
    for (const std::string& row : PointRows()) EXPECT_TRUE(row.rfind("Nullstelle", 0) == 0) << row;
  }

  // The parameters of the settings: -x^2+4x+1 has H(2 | 5) and the zeros 2 ± √5.
  form.reset();
  UseSettingsIn(dir, "[Parameter]\na=-1\nb=4\nc=1\n");
  Open();
  Click("pointsBox");
  ASSERT_TRUE(Find("pointsList")->isVisibleTo(form.get()));
  Type("Edit1", QStringLiteral("a*x^2+b*x+c"));
  EXPECT_EQ(PointRows(), (Rows{"Nullstelle N₁(2-√5 | 0) ≈ (-0,2361 | 0)",
                               "Nullstelle N₂(2+√5 | 0) ≈ (4,2361 | 0)", "Hochpunkt H(2 | 5)"}));
}

// The interval searched is the view's until an end is typed, and the readout always says which.
TEST_F(SpecialPointsTest, SearchedWhereItSays) {
  Click("pointsBox");
  Type("Edit1", QStringLiteral("(x-12)^2+1"));
  EXPECT_EQ(Text("searchReadout"), QStringLiteral("gesucht in [-7; 7]"));
  EXPECT_TRUE(PointRows().empty());
  for (QToolButton* button : form->findChildren<QToolButton*>())
    if (button->toolTip() == QStringLiteral("Zoom out")) button->click();
  EXPECT_EQ(Text("searchReadout"), QStringLiteral("gesucht in [-14; 14]"));
  EXPECT_EQ(PointRows(), Rows{"Tiefpunkt T(12 | 1)"});
  Type("searchToField", QStringLiteral("20"));
  Type("searchFromField", QStringLiteral("10"));
  EXPECT_EQ(Text("searchReadout"), QStringLiteral("gesucht in [10; 20]"));
  for (QToolButton* button : form->findChildren<QToolButton*>())
    if (button->toolTip() == QStringLiteral("Zoom in")) button->click();
  EXPECT_EQ(Text("searchReadout"), QStringLiteral("gesucht in [10; 20]"));  // kept
  EXPECT_EQ(ListRows().front(), "Tiefpunkt T(12 | 1)");
  // A term that swings without end gets a stated limit, not a list.
  Type("searchFromField", QStringLiteral("-1"));
  Type("searchToField", QStringLiteral("1"));
  Type("Edit1", QStringLiteral("sin(1/x)"));
  EXPECT_EQ(ListRows(), Rows{"mehr als 50 Nullstellen – Intervall verkleinern"});
  EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace kurvio
