// SPDX-License-Identifier: GPL-3.0-or-later
// The integral window: F to the digits shown, the mouse and TermIntegralMode.
#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "windows/curves/IntegralWindow.h"

namespace kurvio {
namespace {

using IntegralWindowTest = WindowTest<TForm7>;

TEST(IntegralTest, FromX0ToXWithThePoleSearch) {
  Compile(MainTerm, "t^3", true, TermMode::Integral);
  bool undefined = true;
  EXPECT_NEAR(Integral(0, 2, undefined), 4.0, 1e-12);
  EXPECT_FALSE(undefined);
  EXPECT_NEAR(Integral(2, 0, undefined), -4.0, 1e-12);
  const Quadrature q = IntegralWithError(0, 2);
  EXPECT_LE(q.error, 1e-12);
  // Undefined inside, and a pole that a symmetric rule would never see.
  for (const char* term : {"sqrt(t)", "1/t", "1/t^3"}) {
    Compile(MainTerm, term, true, TermMode::Integral);
    Integral(-1, 1, undefined);
    EXPECT_TRUE(undefined) << term;
  }
  MainTerm.reset();
}

// Typed into the window's fields, read from its readout: every digit shown is right.
TEST_F(IntegralWindowTest, ReadsTheIntegralToTheDigitsShown) {
  Open();
  const struct {
    const char* term;
    const char* x0;
    const char* x;
    const char* shown;
  } cases[] = {
      // clang-format off
      // Polynomials.
      {"t^3", "0", "2", "4,00"}, {"3t^2-2t+1", "2", "-1", "-9,00"},
      // The half circle, 2π.
      {"sqrt(4-t^2)", "-2", "2", "6,28"},
      // Jumps and kinks.
      {"sgn(t)", "-1", "2", "1,00"}, {"int(t)", "0", "3,5", "4,50"},
      {"abs(t-1)", "-1", "3", "4,00"},
      // Integrable singularities at a bound.
      {"1/sqrt(t)", "0", "4", "4,00"}, {"ln(t)", "0", "1", "-1,00"},
      {"1/sqrt(t)", "4", "0", "-4,00"},
      // Smooth: 1,7724 = √π·erf 3; sin over a period is zero, not an exponent form.
      {"exp(-t^2)", "-3", "3", "1,77"}, {"sin(t)", "0", "2π", "0,00"},
      {"1/t", "1", "e", "1,00"}, {"1/t", "-1", "-e", "1,00"},
      // A hole on a node of the rule: 2·Si(1) = 1,8922; t/t is 1 but at 0.
      {"sin(t)/t", "-1", "1", "1,89"}, {"t/t", "-1", "1", "2,00"},
      // Integrals that do not exist: a pole or an undefined stretch inside, or a
      // singularity at a bound that is not integrable.
      {"1/t", "-1", "1", "nicht definiert"}, {"1/t^2", "-1", "1", "nicht definiert"},
      {"tan(t)", "1", "2", "nicht definiert"}, {"sqrt(t)", "-1", "1", "nicht definiert"},
      {"1/t", "0", "1", "nicht definiert"}, {"1/t^2", "1", "0", "nicht definiert"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.term << " from " << c.x0 << " to " << c.x);
    Type("Edit1", QString::fromUtf8(c.term));
    Type("Edit3", QString::fromUtf8(c.x0));
    Type("Edit4", QString::fromUtf8(c.x));
    const QString expected = QString::fromUtf8(c.shown);
    EXPECT_EQ(Text("Label2").simplified(), expected == QStringLiteral("nicht definiert")
                                               ? expected
                                               : expected + QStringLiteral(" [FE]"));
  }
  EXPECT_TRUE(messages.empty());
}

// A slowly converging improper integral shows only the decimals its error leaves certain.
// The area follows the readout: from an integrable singularity at x0 it is
// drawn (ln t from 0), from one that is not it is not (1/t from 0).
TEST_F(IntegralWindowTest, TheAreaStartsAtASingularityWhereTheIntegralExists) {
  Open();
  for (const char* term : {"ln(t)", "1/t"}) {
    SCOPED_TRACE(term);
    Type("Edit1", QString::fromUtf8(term));
    Type("Edit3", QStringLiteral("0"));
    Type("Edit4", QStringLiteral("1"));
    const bool exists = std::string(term) == "ln(t)";
    EXPECT_EQ(Text("Label2") == QStringLiteral("nicht definiert"), !exists);
    // Halfway between the axis and the graph at t = 0,5.
    const double f = std::string(term) == "ln(t)" ? std::log(0.5) : 2.0;
    EXPECT_EQ(Pixel(form->Picture().Screen(), 0.5, f / 2) == Farben::flaeche, exists);
  }
  // Across the pole from x0 = 1 to x = -2: "nicht definiert", and no area up to the pole
  // either. A typed x stays as typed, off the bar's grid.
  Type("Edit3", QStringLiteral("1"));
  Type("Edit4", QStringLiteral("-2,0004"));
  EXPECT_EQ(PointX0, -2.0004);
  EXPECT_EQ(Text("Label2"), QStringLiteral("nicht definiert"));
  EXPECT_NE(Pixel(form->Picture().Screen(), 0.5, 1.0), Farben::flaeche);
}

TEST_F(IntegralWindowTest, ShowsFewerDecimalsWhereTheErrorAsks) {
  UseSettingsIn(dir, "[Eingabe]\nNachkommastellen=4\n");
  Open();
  Type("Edit1", QStringLiteral("1/(t*ln(t)^2)"));
  Type("Edit3", QStringLiteral("0"));
  Type("Edit4", QStringLiteral("0,5"));
  const QString shown = Text("Label2").simplified();
  ASSERT_TRUE(shown.endsWith(QStringLiteral(" [FE]"))) << shown.toStdString();
  const QString number = shown.chopped(5);
  const int decimals = static_cast<int>(number.size() - number.indexOf(QLatin1Char(',')) - 1);
  EXPECT_LT(decimals, 4) << shown.toStdString();
  const double exact = 1 / std::log(2.0);  // 1,4427
  EXPECT_NEAR(QString(number).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(), exact,
              0.5 * std::pow(10.0, -decimals))
      << shown.toStdString();
  // Beside it a smooth one keeps all four.
  Type("Edit1", QStringLiteral("t^2"));
  Type("Edit3", QStringLiteral("0"));
  Type("Edit4", QStringLiteral("1"));
  EXPECT_EQ(Text("Label2").simplified(), QStringLiteral("0,3333 [FE]"));
}

TEST_F(IntegralWindowTest, DragMovesXOnlyOverThePicture) {
  Open();
  const int width = form->paintBox->width();
  emit form->paintBox->MouseMove(width / 4, 10);  // no button down
  const double start = PointX0;
  emit form->paintBox->MouseDown(Qt::LeftButton, width / 2, 10);
  const double pressed = PointX0;
  EXPECT_NE(pressed, start);
  for (int x : {-1, width + 1}) {
    emit form->paintBox->MouseMove(x, 10);
    EXPECT_EQ(PointX0, pressed) << x;
  }
  emit form->paintBox->MouseMove(0, 10);
  EXPECT_LT(PointX0, pressed);
  emit form->paintBox->MouseMove(width, 10);
  EXPECT_GT(PointX0, pressed);
  emit form->paintBox->MouseUp(Qt::LeftButton, width, 10);
  const double released = PointX0;
  emit form->paintBox->MouseMove(width / 4, 10);
  EXPECT_EQ(PointX0, released);
}

TEST_F(IntegralWindowTest, ATermWithXIsRefusedUntilTheWindowCloses) {
  Open();
  Type("Edit1", QStringLiteral("x^2"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Syntaxfehler: ", 0), 0u);
  // Closed during an animation, the window hands the variable x back.
  QTimer::singleShot(60, form.get(), [this] { form->close(); });
  Click("Switch1");
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(TermIntegralMode);
  CompileTerm(MainTerm, "x^2", true);
  EXPECT_TRUE(TermDefined);
}

// "Fläche": the signed integral beside the area, and the pieces between the zeros of f,
// bounded exactly where the zero is proven.
TEST_F(IntegralWindowTest, TheAreaCountsEveryPiecePositive) {
  Open();
  EXPECT_FALSE(Find("piecesList")->isVisibleTo(form.get()));  // off at first
  Click("areaBox");
  const auto pieces = [this] {
    std::vector<std::string> rows;
    const auto* list = Find<QListWidget>("piecesList");
    for (int i = 0; i < list->count(); ++i) rows.push_back(list->item(i)->text().toStdString());
    return rows;
  };
  const struct {
    const char* term;
    const char* x0;
    const char* x;
    const char* integral;
    const char* area;
    std::vector<std::string> rows;
  } cases[] = {
      {"t^3", "-1", "1", "Integral: 0,00", "Fläche: 0,50", {"[-1; 0]: -0,25", "[0; 1]: 0,25"}},
      {"t^3", "1", "-1", "Integral: 0,00", "Fläche: 0,50", {"[-1; 0]: -0,25", "[0; 1]: 0,25"}},
      {"sin(t)", "0", "2π", "Integral: 0,00", "Fläche: 4,00",
       {"[0; π]: 2,00", "[π; 6,283185308]: -2,00"}},
      {"t^2-2", "0", "3", "Integral: 3,00", "Fläche: 6,77",
       {"[0; √2]: -1,89", "[√2; 3]: 4,89"}},
      {"1/t", "-1", "1", "Integral: nicht definiert", "Fläche: nicht definiert", {}},
      // f = 0 on a stretch adds nothing; too many zeros leave the area unknown.
      {"(t+abs(t))/2", "-1", "1", "Integral: 0,50", "Fläche: 0,50", {"[-1; 1]: 0,50"}},
      {"sin(50t)", "0", "10", "Integral: 0,04",
       "Fläche: mehr als 50 Nullstellen – Intervall verkleinern", {}},
  };
  const auto expect = [&](const auto& c) {
    SCOPED_TRACE(c.term);
    Type("Edit1", QString::fromUtf8(c.term));
    Type("Edit3", QString::fromUtf8(c.x0));
    Type("Edit4", QString::fromUtf8(c.x));
    EXPECT_EQ(Text("integralReadout").toStdString(), c.integral);
    EXPECT_EQ(Text("areaReadout").toStdString(), c.area);
    EXPECT_EQ(pieces(), c.rows);
  };
  for (const auto& c : cases) expect(c);

  // Between two graphs: the pieces cut where they meet, each with its integral of f - g.
  Type("secondTermField", QStringLiteral("cos(t)"));
  Click("betweenBox");
  expect(decltype(cases[0]){"sin(t)", "π/4", "5π/4", "Integral: 2,83", "Fläche: 2,83",
                            {"[0,7853981635; 3,926990818]: 2,83"}});
  expect(decltype(cases[0]){"sin(t)", "0", "π", "Integral: 2,00", "Fläche: 2,83",
                            {"[0; π/4]: -0,41", "[π/4; 3,141592654]: 2,41"}});
  Type("secondTermField", QStringLiteral("t"));
  expect(decltype(cases[0]){"t^2", "0", "1", "Integral: -0,17", "Fläche: 0,17", {"[0; 1]: -0,17"}});
  EXPECT_EQ(Text("Label2").toStdString(), "0,33 [FE]");  // F(x) stays the integral of f
  expect(decltype(cases[0]){"t^2", "-1", "2", "Integral: 1,50", "Fläche: 1,83",
                            {"[-1; 0]: 0,83", "[0; 1]: -0,17", "[1; 2]: 0,83"}});
  Type("secondTermField", QStringLiteral("1/t"));  // a pole of g inside: no area
  EXPECT_EQ(Text("areaReadout").toStdString(), "Fläche: nicht definiert");
}

TEST_F(IntegralWindowTest, TheSumsCloseInOnTheIntegral) {
  UseSettingsIn(dir, "[Eingabe]\nNachkommastellen=4\n");
  Open();
  Click("sumsBox");
  auto* kind = Find<QComboBox>("sumsKindBox");
  const auto sum = [&](int k) {
    kind->setCurrentIndex(k);
    return Text("sumsReadout").toStdString();
  };
  Type("Edit1", QStringLiteral("t^2"));
  Type("Edit3", QStringLiteral("0"));
  Type("Edit4", QStringLiteral("1"));
  EXPECT_EQ(Text("sumsCountField"), QStringLiteral("4"));  // four strips at first
  EXPECT_EQ(sum(0), "U(4) = 0,2188");
  EXPECT_EQ(sum(1), "O(4) = 0,4688");
  EXPECT_EQ(sum(2), "T(4) = 0,3438");
  EXPECT_EQ(sum(3), "M(4) = 0,3281");
  EXPECT_EQ(Text("sumsIntegralReadout").toStdString(), "Integral: 0,3333");
  // An export draws the four strips, then the axes and the graph again over them, as
  // the screen lays its static picture over the frame.
  const auto exported = Record([&] { form->Redraw(); });
  const auto count = [&](const std::string& call) {
    return std::count_if(exported.calls.begin(), exported.calls.end(),
                         [&](const std::string& c) { return c.rfind(call, 0) == 0; });
  };
  EXPECT_EQ(count("Rectangle"), 4);
  EXPECT_EQ(std::count_if(exported.texts.begin(), exported.texts.end(),
                          [](const testing::TextCall& t) { return t.text == "f(t)"; }),
            2);
  // The top of sin inside the one strip, not its larger end: 3, not 3·sin 1 = 2,5244.
  Type("Edit1", QStringLiteral("sin(t)"));
  Type("Edit4", QStringLiteral("3"));
  Type("sumsCountField", QStringLiteral("1"));
  EXPECT_EQ(sum(1), "O(1) = 3,0000");
  EXPECT_EQ(sum(0), "U(1) = 0,0000");
  // The count stays within 1 … 1000; what is no number keeps it.
  Type("sumsCountField", QStringLiteral("5000"));
  EXPECT_EQ(Text("sumsCountField"), QStringLiteral("1000"));
  EXPECT_EQ(Find<QScrollBar>("sumsCountBar")->value(), 1000);
  Type("sumsCountField", QStringLiteral("viele"));
  EXPECT_EQ(Text("sumsCountField"), QStringLiteral("1000"));
  Find<QScrollBar>("sumsCountBar")->setValue(10);
  EXPECT_EQ(sum(0).substr(0, 8), "U(10) = ");

  // The switch doubles n from 1 up to 1024, then begins again; the lower sums
  // grow towards the integral.
  Click("sumsSwitch");
  EXPECT_EQ(sum(0).substr(0, 7), "U(1) = ");
  double last = -1;
  for (int n = 2; n <= 1024; n *= 2) {
    form->StepSumsAnimation();
    const std::string shown = sum(0);
    ASSERT_EQ(shown.substr(0, shown.find(')') + 1), "U(" + std::to_string(n) + ")");
    const double value = QString::fromStdString(shown.substr(shown.find('=') + 2))
                             .replace(QLatin1Char(','), QLatin1Char('.'))
                             .toDouble();
    EXPECT_GT(value, last) << n;
    last = value;
  }
  EXPECT_GT(last, 1.98);  // below 1 - cos 3 = 1,98999…
  EXPECT_LT(last, 1.99);
  form->StepSumsAnimation();
  EXPECT_EQ(Text("sumsCountField"), QStringLiteral("1"));
  Click("sumsSwitch");

  // A pole between the bounds: no sum and no integral.
  Type("Edit1", QStringLiteral("1/t"));
  Type("Edit3", QStringLiteral("-1"));
  Type("Edit4", QStringLiteral("1"));
  EXPECT_EQ(sum(1), "O(1) = nicht definiert");
  EXPECT_EQ(Text("sumsIntegralReadout").toStdString(), "Integral: nicht definiert");
  Click("areaBox");
  EXPECT_EQ(Text("integralReadout").toStdString(), "Integral: nicht definiert");
}

// "Werte im Bild" shows the values of the frame it is drawn in, not of the one before.
TEST_F(IntegralWindowTest, TheLegendShowsTheValuesOfItsOwnFrame) {
  Open();
  Click("valuesInPictureBox");
  Click("sumsBox");
  Type("Edit1", QStringLiteral("t"));
  auto* x = Find<QScrollBar>("ScrollBar1");
  x->setValue(x->maximum() * 2 / 3);  // x to the right of 0
  ASSERT_GT(PointX0, 1);
  form->animieren();
  const QImage shown = form->Picture().Screen().copy();
  form->animieren();
  EXPECT_TRUE(form->Picture().Screen() == shown);
}

}  // namespace
}  // namespace kurvio
