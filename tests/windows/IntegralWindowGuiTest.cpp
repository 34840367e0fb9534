// The integral window: F by the Simpson rule, the mouse and TermIntegralMode.
#include <QTimer>

#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "windows/curves/IntegralWindow.h"

namespace kurvio {
namespace {

using IntegralWindowTest = WindowTest<TForm7>;

TEST(IntegralTest, SimpsonWithSixteenSubintervals) {
  TermIntegralMode = true;
  CompileTerm(MainTerm, "t^3", true);
  bool undefined = true;
  EXPECT_NEAR(Integral(0, 2, undefined), 4.0, 1e-12);  // exact for cubics
  EXPECT_FALSE(undefined);
  EXPECT_NEAR(Integral(2, 0, undefined), -4.0, 1e-12);
  CompileTerm(MainTerm, "sqrt(t)", true);
  Integral(-1, 1, undefined);  // undefined points count 0 and are told
  EXPECT_TRUE(undefined);
  TermIntegralMode = false;
  MainTerm.reset();
}

TEST_F(IntegralWindowTest, EveryDesignNameNamesOneControl) {
  const QWidget* w = &Open();
  ExpectDesignNames(w, "QLineEdit", {"Edit1", "Edit2", "Edit3", "Edit4"});
  ExpectDesignNames(w, "QScrollBar", {"ScrollBar1", "ScrollBar2"});
  ExpectDesignNames(w, {{"Switch1", "kurvio::TSwitch"}, {"Label2", "QLabel"}});
  ExpectDesignNames(
      w, "QAbstractButton",
      {"SpeedButton1", "SpeedButton4", "SpeedButton5", "SpeedButton28", "SpeedButton3",
       "SpeedButton7", "SpeedButton22", "SpeedButton14", "SpeedButton15", "SpeedButton17",
       "SpeedButton23", "SpeedButton35", "SpeedButton13", "SpeedButton6", "SpeedButton2"});
  ExpectDesignNames(w, {{"ListBox1", "QListWidget"}, {"PaintBox1", "kurvio::TPaintBox"}});
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

}  // namespace
}  // namespace kurvio
