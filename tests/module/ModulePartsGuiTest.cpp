// The parts every module window is built from: the button column, drawing on
// an off-screen image, the animation loop, the integer field, the number
// field with its scroll bar and the frame of the analysis windows.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "module/AnalysisWindow.h"
#include "module/AnimationLoop.h"
#include "module/ButtonColumn.h"
#include "module/DrawOn.h"
#include "module/FrameWait.h"
#include "module/IntegerField.h"
#include "module/ModuleDialog.h"
#include "module/NumberScroll.h"
#include "module/ViewPad.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"

namespace kurvio {
namespace {

TEST(ButtonColumnTest, Wiring) {
  TModuleDialog window;
  int settings = 0, redraws = 0;
  ButtonColumnActions actions;
  actions.openSettings = [&] { ++settings; };
  actions.target = [&] { return ExportTarget{[&] { ++redraws; }, {}, nullptr}; };
  const ButtonColumn c = MakeButtonColumn(&window, &window, std::move(actions));
  // Enter belongs to the fields.
  for (QPushButton* b :
       {c.settingsButton, c.printButton, c.wmfFileButton, c.wmfClipboardButton, c.closeButton})
    EXPECT_FALSE(b->autoDefault()) << b->text().toStdString();
  c.settingsButton->click();
  EXPECT_EQ(settings, 1);
  c.wmfClipboardButton->click();  // the clipboard picture runs the window's redraw
  EXPECT_GT(redraws, 0);
  window.show();
  c.closeButton->click();
  EXPECT_FALSE(window.isVisible());
}

TEST(ButtonColumnTest, OwnFileButtonReplacesTheMetafile) {
  TModuleDialog window;
  int saved = 0;
  ButtonColumnActions actions;
  actions.saveFile = [&] { ++saved; };
  const ButtonColumn c = MakeButtonColumn(&window, &window, std::move(actions));
  c.wmfFileButton->click();
  EXPECT_EQ(saved, 1);
  c.printButton->click();  // no picture: nothing to print, nothing breaks
}

TEST(DrawOnTest, DrawsOnTheImageAndPutsTheCanvasBack) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  testing::RecordingCanvas outer;
  DrawCanvas = &outer;
  ExportDrawing = false;
  DrawOn(image, QFont(), [] {
    ASSERT_NE(DrawCanvas, nullptr);
    DrawCanvas->pen.color = 0;
    DrawCanvas->MoveTo(0, 10);
    DrawCanvas->LineTo(40, 10);
  });
  EXPECT_EQ(DrawCanvas, &outer);
  EXPECT_EQ(image.pixelColor(20, 10), QColor(Qt::black));
  EXPECT_TRUE(outer.calls.empty());

  // During an export the drawing goes to the export canvas instead.
  ExportDrawing = true;
  image.fill(Qt::white);
  DrawOn(image, QFont(), [] { DrawCanvas->LineTo(5, 5); });
  ExportDrawing = false;
  EXPECT_EQ(image.pixelColor(20, 10), QColor(Qt::white));
  EXPECT_FALSE(outer.calls.empty());
  DrawCanvas = nullptr;
}

TEST(AnimationLoopTest, EndsWhenSwitchedOffAfterOneMoreWait) {
  QWidget window;
  int frames = 0, waits = 0;
  AnimationRunning = true;
  EXPECT_TRUE(RunAnimation(
      &window,
      [&] {
        if (++frames == 3) AnimationRunning = false;
      },
      [&] { ++waits; }));
  EXPECT_EQ(frames, 3);
  EXPECT_EQ(waits, 3);
}

TEST(AnimationLoopTest, AWindowDestroyedDuringTheWaitEndsTheLoop) {
  auto* window = new QDialog;
  QPointer<QDialog> alive(window);
  int frames = 0;
  AnimationRunning = true;
  // The window closes itself and is deleted while the loop waits.
  QTimer::singleShot(30, window, [window] {
    AnimationRunning = false;
    window->deleteLater();
  });
  const bool stillThere = RunAnimation(
      window, [&] { ++frames; },
      [] {
        WaitFrame(10, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      });
  EXPECT_FALSE(stillThere);
  EXPECT_TRUE(alive.isNull());
  EXPECT_GE(frames, 1);
}

TEST(IntegerFieldTest, WholeNumbersOnly) {
  QLineEdit edit;
  const struct {
    const char* text;
    int expected;
  } cases[] = {{"12", 12}, {" -3 ", -3}, {"+7", 7},     {"1,5", 99},        {"1.5", 99},
               {"", 99},   {"x", 99},    {"1.000", 99}, {"99999999999", 99}};
  for (const auto& c : cases) {
    edit.setText(QString::fromUtf8(c.text));
    EXPECT_EQ(ReadIntegerEdit(&edit, 99), c.expected) << c.text;
  }
}

TEST(NumberScrollTest, TypedValuesGoOnTheBarsGridWhenTheBarMoves) {
  TModuleDialog window;
  QLineEdit field(&window);
  QScrollBar bar(Qt::Horizontal, &window);
  double value = 1;
  int redraws = 0;
  TNumberScroll pair(
      &window, &field, &bar, value, [] { return -7.0; }, [] { return 7.0; }, [&] { ++redraws; });
  pair.SetMax(BarMaxForTicks(14, 1));
  EXPECT_EQ(bar.maximum(), 1400);
  EXPECT_EQ(bar.minimum(), 1);
  pair.PositionFromValue();
  EXPECT_EQ(bar.value(), 800);
  EXPECT_EQ(field.text(), QStringLiteral("  1,00     "));  // shown by the bar's handler

  // A typed value that moves the bar is replaced by the bar's value; one that
  // does not move it stays as typed.
  field.setText(QStringLiteral("2,004"));
  pair.FieldExit();
  EXPECT_EQ(value, 2.0);
  field.setText(QStringLiteral("2,001"));
  pair.FieldExit();
  EXPECT_EQ(value, 2.001);
  // An undefined expression keeps the old value.
  field.setText(QStringLiteral("ln(0)"));
  pair.FieldExit();
  EXPECT_EQ(value, 2.001);
  EXPECT_GT(redraws, 0);

  bar.setValue(100);  // moved by the user
  EXPECT_DOUBLE_EQ(value, -6.0);
  pair.SetValue(3.5);
  EXPECT_EQ(bar.value(), 1050);
}

TEST(NumberScrollTest, BarMaximaStayUsable) {
  EXPECT_EQ(BarMaxForTicks(14, 1), 1400);
  EXPECT_EQ(BarMaxForTicks(28, 2), 1400);
  EXPECT_EQ(BarMaxForTicks(0.0001, 0.00001), 1000);
  EXPECT_EQ(BarMaxForTicks(1e7, 1e-9), 1000000);
  EXPECT_EQ(BarMaxForTicks(14, 0), 1000000);
  EXPECT_EQ(BarMaxForTicks(std::nan(""), 1), 1);
  EXPECT_EQ(BarMaxForTicks(-3, 1), 1);
}

// A window made of the shared frame and nothing else.
class FrameWindow : public TAnalysisWindow {
 public:
  FrameWindow() {
    auto* layout = new QVBoxLayout(this);
    box = new TPaintBox(this);
    box->setMinimumSize(100, 80);
    layout->addWidget(box);
    WatchPaintBox(box);
    pad = MakeViewPad(
        this, [this] { ++checks; }, [] {}, [this](bool zoomed) { zooms.push_back(zoomed); });
    layout->addWidget(pad);
    buttons = MakeButtons(this, [] { return ExportTarget{}; });
    layout->addWidget(buttons.panel);
  }
  void FormPaint() override { ++paints; }
  void FormClose() override { ++closes; }

  TPaintBox* box;
  TViewPad* pad;
  ButtonColumn buttons{};
  int paints = 0, closes = 0, checks = 0;
  std::vector<bool> zooms;
};

TEST(AnalysisWindowTest, PaintsOnShowAndResizeAndTellsAZoomFromAShift) {
  FrameWindow w;
  w.show();
  QApplication::processEvents();
  const int afterShow = w.paints;
  EXPECT_GE(afterShow, 1);
  w.resize(w.width() + 40, w.height() + 40);
  QApplication::processEvents();
  EXPECT_GT(w.paints, afterShow);
  w.pad->zoomInButton->click();
  w.pad->rightButton->click();
  w.pad->zoomOutButton->click();
  EXPECT_EQ(w.zooms, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(w.checks, 3);
  w.pad->resetButton->click();  // the reset is not checked
  EXPECT_EQ(w.checks, 3);
}

TEST(AnalysisWindowTest, RightButtonOpensTheSettingsAndClosingSavesOnce) {
  FrameWindow w;
  w.show();
  QApplication::processEvents();
  QString opened;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal) {
      opened = QString::fromLatin1(modal->metaObject()->className());
      modal->close();
    }
  });
  emit w.box->MouseDown(Qt::RightButton, 5, 5);
  EXPECT_EQ(opened, QStringLiteral("kurvio::TForm2"));
  AnimationRunning = true;
  w.buttons.closeButton->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(AnimationRunning);
  EXPECT_EQ(w.closes, 1);
}

}  // namespace
}  // namespace kurvio
