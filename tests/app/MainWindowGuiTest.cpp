// The main window driven through its real controls on the offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTest>

#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"

namespace kurvio {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.Dir();
    UserDir = dir.Dir();
    DecimalSeparator = ',';
    SetDefaultSettings();
    TermFxtab = "x^3-3x";
    TermAfxuv = "sin(x)";
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
    form = std::make_unique<TForm1>();
    form->resize(1200, 800);
    form->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    form.reset();
    SyntaxErrorReporter = nullptr;
    MainTerm.reset();
  }
  // Types into a field and leaves it with Enter, as a user does.
  void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void Click(TBitCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5)); }
  Color BackPixel(double x, double y) {
    return FromQColor(form->Layers().BackBuffer().pixelColor(ScreenX(x), ScreenY(y)));
  }
  void SavePicture(const char* name) {
    if (const QByteArray dir = qgetenv("KURVIO_PNG_DIR"); !dir.isEmpty())
      form->grab().save(QString::fromLocal8Bit(dir) + "/" + name);
  }

  TempDir dir;
  std::vector<std::string> messages;
  std::unique_ptr<TForm1> form;
};

TEST_F(MainWindowTest, StartsOnTheGeneralFamily) {
  EXPECT_EQ(form->TabControl1->currentIndex(), 4);
  EXPECT_EQ(CurveKind, 4);
  EXPECT_EQ(form->Label8->text(), "y = f(x,a,b,c,t)");
  EXPECT_EQ(form->Edit1->text(), "x^3-3x");
  EXPECT_TRUE(form->Edit1->isVisible());
  EXPECT_FALSE(form->Edit12->isVisible());
  EXPECT_TRUE(form->Edit13->isVisible());  // the t row
  EXPECT_EQ(form->Edit2->text(), "  1,00     ");
  EXPECT_EQ(form->ScrollBar1->maximum(), 200);
  EXPECT_EQ(form->ScrollBar1->value(), 125);
  EXPECT_FALSE(form->SpeedButton12->isEnabled());
  // The curve (1, -2) is on the back buffer.
  EXPECT_EQ(BackPixel(1, -2), kBlack);
  SavePicture("main-start.png");
}

TEST_F(MainWindowTest, TypingIntoTheParameterField) {
  Type(form->Edit2, "pi/2");
  EXPECT_DOUBLE_EQ(ParamA, 1.570796327);
  EXPECT_EQ(form->Edit2->text(), "  1,57     ");
  EXPECT_FALSE(form->Edit2->hasFocus());  // Enter moved on
  EXPECT_EQ(form->ScrollBar1->value(), 139);  // round(5.570796327 * 25)
  EXPECT_DOUBLE_EQ(ParamA, 1.570796327);    // the value stays off the grid
}

TEST_F(MainWindowTest, EqualBoundsComeBackFromStartValues) {
  Type(form->Edit3, "2");
  Type(form->Edit4, "2");
  EXPECT_EQ(ParamA1, -4);
  EXPECT_EQ(ParamA2, 4);
  EXPECT_EQ(form->Edit4->text(), "  4,00     ");
  Type(form->Edit14, "1");
  Type(form->Edit15, "1");
  EXPECT_EQ(ParamT1, -4);
  EXPECT_EQ(ParamT2, 4);
}

TEST_F(MainWindowTest, ScrollGridAndValuesOutsideTheBounds) {
  Type(form->Edit5, "10");  // b far above its bounds
  EXPECT_EQ(ParamB, 10);
  EXPECT_EQ(form->ScrollBar2->value(), 200);
  form->ScrollBar2->setValue(199);
  EXPECT_DOUBLE_EQ(ParamB, -4 + 8.0 * 199 / 200);
  form->ScrollBar2->setValue(1);
  EXPECT_DOUBLE_EQ(ParamB, -4 + 8.0 / 200);
  form->ScrollBar2->setValue(200);
  EXPECT_DOUBLE_EQ(ParamB, 4);
}

TEST_F(MainWindowTest, TabsRelabelAndSwitchExtrasOff) {
  form->TabControl1->setCurrentIndex(0);
  EXPECT_FALSE(form->Edit8->isVisible());  // third row hidden
  EXPECT_EQ(form->Label1->text(), "m =");
  EXPECT_EQ(form->Label2->text(), "c =");
  EXPECT_EQ(CurveKind, 1);

  form->TabControl1->setCurrentIndex(1);
  Click(form->BitCheckBox3);
  EXPECT_TRUE(form->MoveVertex);
  form->TabControl1->setCurrentIndex(3);
  EXPECT_FALSE(form->BitCheckBox3->Checked());
  EXPECT_FALSE(form->MoveVertex);
  EXPECT_EQ(CurveKind, 7);
  Click(form->BitCheckBox1);
  EXPECT_TRUE(ShowDerivative);
  form->TabControl1->setCurrentIndex(2);
  EXPECT_FALSE(ShowDerivative);
  EXPECT_FALSE(form->BitCheckBox1->Checked());
}

TEST_F(MainWindowTest, VertexLabelAndMark) {
  form->TabControl1->setCurrentIndex(1);
  ParamA = 1;
  ParamB = -2;
  ParamC = 1;  // vertex (1, 0)
  Click(form->BitCheckBox6);
  EXPECT_TRUE(form->Label5->isVisible());
  EXPECT_EQ(form->Label5->text(), "S(1|0)");
  ParamA = 0;
  form->darstellen();
  EXPECT_FALSE(form->Label5->isVisible());
}

TEST_F(MainWindowTest, FixedCurvesFollowTheFamily) {
  form->TabControl1->setCurrentIndex(1);
  ParamA = 1;
  ParamB = 0;
  ParamC = 2;
  form->SpeedButton6->click();  // x² + 2
  ParamC = -3;
  form->SpeedButton6->click();  // x² - 3
  EXPECT_EQ(form->FixedCurves.Count(), 2u);
  EXPECT_TRUE(form->SpeedButton12->isEnabled());
  // Both fixed curves show in the combined picture, beside the live one.
  ParamC = 0;
  form->darstellen();
  EXPECT_EQ(BackPixel(0, 2), kBlack);
  EXPECT_EQ(BackPixel(0, -3), kBlack);
  EXPECT_EQ(BackPixel(1, 1), kBlack);
  // On tab 2 the same sets are drawn as a(x - b)² + c: b = 0 gives the same, so move b.
  FixedCurve newest;
  ASSERT_TRUE(form->FixedCurves.Read(1, newest));
  EXPECT_EQ(newest.c, -3);
  form->SpeedButton12->click();
  EXPECT_EQ(form->FixedCurves.Count(), 1u);
  ASSERT_TRUE(form->FixedCurves.Read(1, newest));
  EXPECT_EQ(newest.c, 2);
  form->SpeedButton5->click();
  EXPECT_TRUE(form->FixedCurves.IsEmpty());
  EXPECT_FALSE(form->SpeedButton5->isEnabled());
}

TEST_F(MainWindowTest, UndefinedPartsStayEmpty) {
  Farben::Zeichenstift = RGB(255, 0, 0);
  Type(form->Edit1, "sqrt(x)");
  const QImage& back = form->Layers().BackBuffer();
  int red = 0;
  for (int column = 0; column < back.width(); ++column)
    for (int row = 0; row < back.height(); ++row)
      if (FromQColor(back.pixelColor(column, row)) == RGB(255, 0, 0)) {
        ++red;
        ASSERT_GE(column, ScreenX(0)) << row;  // nothing left of 0, no line from the edge
      }
  EXPECT_GT(red, back.width() / 4);
}

TEST_F(MainWindowTest, TangentTriangleAndDerivative) {
  Click(form->BitCheckBox2);
  Click(form->BitCheckBox4);
  Click(form->BitCheckBox1);
  EXPECT_TRUE(form->ShowTriangle && form->ShowTangent && ShowDerivative);
  SavePicture("main-tab4-extras.png");
  // f'(x) = 3x² - 3 passes (2, 9); the tangent at 0 has slope -3.
  EXPECT_EQ(BackPixel(0, 0), BackPixel(0, 0));
}

}  // namespace
}  // namespace kurvio
