// The main window driven through its real controls on the offscreen platform.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <climits>

#include "app/Family.h"
#include "app/MainWindow.h"
#include "export/Export.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
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

TEST_F(MainWindowTest, DesignNames) {
  ExpectDesignNames(form.get(), {{"TabControl1", "QTabBar"},
                                 {"Label8", "QLabel"},
                                 {"ColorButton1", "kurvio::TColorButton"},
                                 {"LineWidthComboBox1", "kurvio::TLineWidthComboBox"},
                                 {"PaintBox1", "kurvio::TPaintBox"},
                                 {"Panel1", "QWidget"},
                                 {"Label4", "QLabel"},
                                 {"Edit1", "QLineEdit"},
                                 {"Edit12", "QLineEdit"},
                                 {"SpeedButton28", "QToolButton"},
                                 {"Label1", "QLabel"},
                                 {"Label2", "QLabel"},
                                 {"Label3", "QLabel"},
                                 {"Label11", "QLabel"},
                                 {"Edit2", "QLineEdit"},
                                 {"Edit3", "QLineEdit"},
                                 {"Edit4", "QLineEdit"},
                                 {"Edit5", "QLineEdit"},
                                 {"Edit6", "QLineEdit"},
                                 {"Edit7", "QLineEdit"},
                                 {"Edit8", "QLineEdit"},
                                 {"Edit9", "QLineEdit"},
                                 {"Edit10", "QLineEdit"},
                                 {"Edit13", "QLineEdit"},
                                 {"Edit14", "QLineEdit"},
                                 {"Edit15", "QLineEdit"},
                                 {"ScrollBar1", "QScrollBar"},
                                 {"ScrollBar2", "QScrollBar"},
                                 {"ScrollBar3", "QScrollBar"},
                                 {"ScrollBar4", "QScrollBar"},
                                 {"Switch1", "kurvio::TSwitch"},
                                 {"Switch2", "kurvio::TSwitch"},
                                 {"Switch3", "kurvio::TSwitch"},
                                 {"Switch4", "kurvio::TSwitch"},
                                 {"Switch5", "kurvio::TSwitch"},
                                 {"SpeedButton1", "QToolButton"},
                                 {"SpeedButton2", "QToolButton"},
                                 {"SpeedButton4", "QToolButton"},
                                 {"SpeedButton16", "QToolButton"},
                                 {"SpeedButton24", "QToolButton"},
                                 {"SpeedButton25", "QToolButton"},
                                 {"SpeedButton26", "QToolButton"},
                                 {"SpeedButton29", "QToolButton"},
                                 {"SpeedButton27", "QToolButton"},
                                 {"SpeedButton13", "QToolButton"},
                                 {"BitCheckBox1", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox2", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox3", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox4", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox5", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox6", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox9", "kurvio::TBitCheckBox"},
                                 {"BitCheckBox10", "kurvio::TBitCheckBox"},
                                 {"Label5", "QLabel"},
                                 {"Panel4", "QWidget"},
                                 {"TrackBar1", "QSlider"},
                                 {"TrackBar2", "QSlider"},
                                 {"Edit11", "QLineEdit"},
                                 {"Image1", "QLabel"},
                                 {"SpeedButton3", "QToolButton"},
                                 {"SpeedButton7", "QToolButton"},
                                 {"SpeedButton21", "QToolButton"},
                                 {"SpeedButton11", "QToolButton"},
                                 {"SpeedButton20", "QToolButton"},
                                 {"SpeedButton8", "QToolButton"},
                                 {"SpeedButton22", "QToolButton"},
                                 {"SpeedButton9", "QToolButton"},
                                 {"SpeedButton18", "QToolButton"},
                                 {"SpeedButton10", "QToolButton"},
                                 {"SpeedButton19", "QToolButton"},
                                 {"SpeedButton6", "kurvio::TSMButton"},
                                 {"SpeedButton12", "kurvio::TSMButton"},
                                 {"SpeedButton5", "kurvio::TSMButton"},
                                 {"SpeedButton14", "QPushButton"},
                                 {"SpeedButton15", "QPushButton"},
                                 {"SpeedButton17", "QPushButton"},
                                 {"SpeedButton23", "QPushButton"},
                                 {"SpeedButton35", "QPushButton"}});
}

TEST_F(MainWindowTest, StartsOnTheGeneralFamily) {
  EXPECT_EQ(form->familyTabs->currentIndex(), 4);
  EXPECT_EQ(CurveKind, 4);
  EXPECT_EQ(form->termField->text(), "x^3-3x");
  EXPECT_TRUE(form->termField->isVisible());
  EXPECT_FALSE(form->shiftedTermField->isVisible());
  EXPECT_TRUE(form->tField->isVisible());  // the t row
  EXPECT_EQ(form->aField->text(), "  1,00     ");
  EXPECT_EQ(form->aBar->value(), 125);
  EXPECT_FALSE(form->deleteLastObjectButton->isEnabled());
  // The curve (1, -2) is on the back buffer.
  EXPECT_EQ(BackPixel(1, -2), kBlack);
  SavePicture("main-start.png");
}

TEST_F(MainWindowTest, TypingIntoTheParameterField) {
  Type(form->aField, "pi/2");
  EXPECT_DOUBLE_EQ(ParamA, 1.570796327);
  EXPECT_EQ(form->aField->text(), "  1,57     ");
  EXPECT_FALSE(form->aField->hasFocus());  // Enter moved on
  EXPECT_EQ(form->aBar->value(), 139);     // round(5.570796327 * 25); the value stays off the grid
}

TEST_F(MainWindowTest, EqualBoundsComeBackFromStartValues) {
  Type(form->aLowerField, "2");
  Type(form->aUpperField, "2");
  EXPECT_EQ(ParamA1, -4);
  EXPECT_EQ(ParamA2, 4);
  EXPECT_EQ(form->aUpperField->text(), "  4,00     ");
  Type(form->tLowerField, "1");
  Type(form->tUpperField, "1");
  EXPECT_EQ(ParamT1, -4);
  EXPECT_EQ(ParamT2, 4);
}

TEST_F(MainWindowTest, ScrollGridAndValuesOutsideTheBounds) {
  Type(form->bField, "10");  // b far above its bounds
  EXPECT_EQ(ParamB, 10);
  EXPECT_EQ(form->bBar->value(), 200);
  form->bBar->setValue(199);
  EXPECT_DOUBLE_EQ(ParamB, -4 + 8.0 * 199 / 200);
}

TEST_F(MainWindowTest, TabsRelabelAndSwitchExtrasOff) {
  form->familyTabs->setCurrentIndex(0);
  EXPECT_FALSE(form->cField->isVisible());  // third row hidden
  EXPECT_EQ(form->aLabel->text(), "m =");
  EXPECT_EQ(form->bLabel->text(), "c =");
  EXPECT_EQ(CurveKind, 1);

  form->familyTabs->setCurrentIndex(1);
  Click(form->moveVertexBox);
  EXPECT_TRUE(form->MoveVertex);
  form->familyTabs->setCurrentIndex(3);
  EXPECT_FALSE(form->moveVertexBox->Checked());
  EXPECT_FALSE(form->MoveVertex);
  EXPECT_EQ(CurveKind, 7);
  Click(form->derivativeBox);
  EXPECT_TRUE(ShowDerivative);
  form->familyTabs->setCurrentIndex(2);
  EXPECT_FALSE(ShowDerivative);
  EXPECT_FALSE(form->derivativeBox->Checked());
}

TEST_F(MainWindowTest, VertexLabelAndMark) {
  form->familyTabs->setCurrentIndex(1);
  ParamA = 1;
  ParamB = -2;
  ParamC = 1;  // vertex (1, 0)
  Click(form->markVertexBox);
  EXPECT_TRUE(form->vertexLabel->isVisible());
  EXPECT_EQ(form->vertexLabel->text(), "S(1|0)");
  ParamA = 0;
  form->darstellen();
  EXPECT_FALSE(form->vertexLabel->isVisible());
}

TEST_F(MainWindowTest, FixedCurvesFollowTheFamily) {
  form->familyTabs->setCurrentIndex(1);
  ParamA = 1;
  ParamB = 0;
  ParamC = 2;
  form->addObjectButton->click();  // x² + 2
  ParamC = -3;
  form->addObjectButton->click();  // x² - 3
  EXPECT_EQ(form->FixedCurves.Count(), 2u);
  EXPECT_TRUE(form->deleteLastObjectButton->isEnabled());
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
  form->deleteLastObjectButton->click();
  EXPECT_EQ(form->FixedCurves.Count(), 1u);
  ASSERT_TRUE(form->FixedCurves.Read(1, newest));
  EXPECT_EQ(newest.c, 2);
  form->deleteAllObjectsButton->click();
  EXPECT_TRUE(form->FixedCurves.IsEmpty());
  EXPECT_FALSE(form->deleteAllObjectsButton->isEnabled());
}

TEST_F(MainWindowTest, UndefinedPartsStayEmpty) {
  Farben::Zeichenstift = RGB(255, 0, 0);
  Type(form->termField, "sqrt(x)");
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
  Click(form->slopeTriangleBox);
  Click(form->tangentBox);
  Click(form->derivativeBox);
  EXPECT_TRUE(form->ShowTriangle && form->ShowTangent && ShowDerivative);
  SavePicture("main-tab4-extras.png");
  // The slope triangle at x0 = 0: run 1 along y = 0, rise f'(0) = -3, filled "Dreieck".
  EXPECT_EQ(BackPixel(0.8, -0.5), Farben::Dreieck);
  // The derivative 3x² - 3 in "fStrich" passes (-2, 9)... outside; it passes (1.5, 3.75).
  const QImage& back = form->Layers().BackBuffer();
  bool derivative = false;
  for (int dy = -2; dy <= 2; ++dy)
    derivative = derivative ||
                 FromQColor(back.pixelColor(ScreenX(1.5), ScreenY(3.75) + dy)) == Farben::fStrich;
  EXPECT_TRUE(derivative);
}

TEST_F(MainWindowTest, NoTangentOrTriangleAtAKink) {
  Click(form->slopeTriangleBox);
  Click(form->tangentBox);
  Type(form->termField, "abs(x)");  // x0 = 0: no slope there
  const QImage& back = form->Layers().BackBuffer();
  for (int column = 0; column < back.width(); ++column)
    for (int row = 0; row < back.height(); ++row) {
      const Color c = FromQColor(back.pixelColor(column, row));
      ASSERT_NE(c, Farben::Dreieck);
      ASSERT_NE(c, Farben::Tangente);
    }
}

TEST_F(MainWindowTest, FixedTangentIsShorterWhenTheTickIntervalIsAboveOne) {
  Type(form->termField, "x^2");
  Click(form->tangentBox);
  PointX0 = 1;
  // Draw once straight onto a recording canvas, as an export does, with an insertion
  // running: live curve, live tangent, then the curve and its tangent for the fixed layer.
  testing::RecordingCanvas recorder;
  DrawCanvas = &recorder;
  ExportDrawing = true;
  FixDrawing = true;
  PlotWidth = PlotHeight = 600;
  x1 = y1 = -30;
  x2 = y2 = 30;
  XTickStep = 5;
  Farben::Zeichenstift = RGB(200, 0, 0);
  Farben::Tangente = RGB(0, 200, 0);
  form->darstellen();
  ExportDrawing = FixDrawing = false;
  DrawCanvas = nullptr;

  auto span = [](const std::vector<testing::Segment>& segments) {
    int lo = INT_MAX, hi = INT_MIN;
    for (const auto& seg : segments) {
      lo = std::min({lo, seg.from.x, seg.to.x});
      hi = std::max({hi, seg.from.x, seg.to.x});
    }
    return hi - lo;
  };
  std::vector<testing::Segment> live, fixed;
  const auto all = recorder.DrawnSegments();
  for (const auto& seg : all)
    if (seg.color == RGB(0, 200, 0)) live.push_back(seg);
  // The fixed tangent is the last run in the curve colour: it starts left of where the
  // second pass of the curve ended.
  std::size_t start = all.size();
  while (start > 0 && all[start - 1].color == RGB(200, 0, 0) &&
         (start == all.size() || all[start - 1].to.x <= all[start].from.x))
    --start;
  fixed.assign(all.begin() + static_cast<std::ptrdiff_t>(start), all.end());
  // Half extents: cos(atan2(2, 1))·T·5 = 2.24 live and 0.45 fixed, at 10 pixels a unit.
  EXPECT_NEAR(span(live), 45, 3);
  EXPECT_NEAR(span(fixed), 9, 3);
}

TEST_F(MainWindowTest, SpectrumColoursFollowTheParameter) {
  Click(form->spectrumBox);
  ASSERT_TRUE(SpectrumOn);
  form->aBar->setValue(1);  // a near its lower bound: k = 2·round(1/200·127) = 2
  EXPECT_EQ(Farben::Zeichenstift, SpectrumColor(1, ParamA, -4, 4));
  form->aBar->setValue(200);  // at the upper bound: k = 254
  EXPECT_EQ(Farben::Zeichenstift, RGB(254, 0, 1));
  form->spectrumSlider->setValue(5);
  form->aBar->setValue(100);  // a = 0: round(63.5) = 64, ties to even
  EXPECT_EQ(Farben::Zeichenstift, SpectrumTableColor(5, 2 * 64));
  // Switching the spectrum off brings the colour back.
  Click(form->spectrumBox);
  EXPECT_EQ(Farben::Zeichenstift, 0);
}

TEST_F(MainWindowTest, VertexOnTheBorderIsNotMarked) {
  form->familyTabs->setCurrentIndex(2);
  ParamA = 1;
  ParamC = 0;
  // The picture with and without "Scheitel markieren".
  auto differsWithMark = [&](double u) {
    ParamB = u;
    form->markVertexBox->SetChecked(false);
    form->MarkVertex = false;
    form->darstellen();
    const QImage without = form->Layers().BackBuffer().copy();
    Click(form->markVertexBox);
    return form->Layers().BackBuffer() != without;
  };
  EXPECT_TRUE(differsWithMark(2));   // vertex (2, 0) inside
  EXPECT_FALSE(differsWithMark(7));  // vertex (7, 0) on the right border
  EXPECT_EQ(form->vertexLabel->text(), "S(7|0)");
  EXPECT_FALSE(differsWithMark(-7));
}

TEST_F(MainWindowTest, FiveFixedCurvesInSpectrumColours) {
  form->familyTabs->setCurrentIndex(1);
  Click(form->spectrumBox);
  Click(form->fixFamilyBox);
  for (int position : {20, 60, 100, 140, 180}) form->aBar->setValue(position);
  EXPECT_EQ(form->FixedCurves.Count(), 5u);
  SavePicture("main-tab1-spectrum.png");
  // After a change of family the fixed sets are drawn as a(x - u)² + v.
  form->familyTabs->setCurrentIndex(2);
  FixedCurve entry;
  ASSERT_TRUE(form->FixedCurves.Read(1, entry));
  EXPECT_EQ(CurveKind, 3);
}

TEST_F(MainWindowTest, ExportButtonsWriteTheFileAndTheClipboard) {
  const QString chosen = QString::fromStdString(dir.File("kurve.wmf"));
  AskSaveFileName = [&](QWidget*, const QString& title, const QString&, QString&) {
    EXPECT_EQ(title, "Erstellte Grafik speichern");
    return chosen;
  };
  form->buttons.wmfFileButton->click();
  AskSaveFileName = nullptr;
  const std::string wmf = ReadBytes(dir.File("kurve.wmf"));
  ASSERT_GT(wmf.size(), 22u);
  EXPECT_EQ(wmf.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));  // placeable header
  EXPECT_FALSE(ExportDrawing);
  EXPECT_EQ(LineScale, 1.0);

  form->buttons.wmfClipboardButton->click();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasFormat("image/x-wmf") || data->hasFormat("image/wmf"));
  EXPECT_TRUE(data->hasFormat("image/png"));
}

TEST_F(MainWindowTest, AFaultyTermIsReportedOnceWhenItsFieldIsLeft) {
  form->termField->setText(QStringLiteral("x^3-"));
  // Repaints, resizes and tab changes compile the field again, silently.
  form->FormPaint();
  form->resize(1000, 700);
  QApplication::processEvents();
  form->familyTabs->setCurrentIndex(3);
  form->familyTabs->setCurrentIndex(4);
  EXPECT_TRUE(messages.empty());
  form->termField->setFocus();
  QTest::keyClick(form->termField, Qt::Key_Return);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Syntaxfehler: ", 0), 0u);
  EXPECT_TRUE(form->termField->hasFocus());  // the caret stands at the error
}

TEST_F(MainWindowTest, BeendenClosesWhileTheTermFieldHoldsAnError) {
  QApplication::setActiveWindow(form.get());
  form->activateWindow();
  form->termField->setFocus();
  form->termField->setText(QStringLiteral("sin(x"));
  ASSERT_TRUE(form->termField->hasFocus());
  QTest::mouseClick(form->buttons.closeButton, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(TermFxtab, "sin(x");  // what the field held is kept for the next visit

  // Escape and the close box as well.
  for (int way = 0; way < 2; ++way) {
    form->show();
    QApplication::setActiveWindow(form.get());
    form->termField->setFocus();
    form->termField->setText(QStringLiteral("2+*x"));
    if (way == 0)
      QTest::keyClick(form->termField, Qt::Key_Escape);
    else
      form->close();
    EXPECT_FALSE(form->isVisible()) << way;
  }
}

}  // namespace
}  // namespace kurvio
