// The parts every module window is built from: the button column, drawing on
// an off-screen image, the animation loop and the integer field.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "module/AnimationLoop.h"
#include "module/ButtonColumn.h"
#include "module/DrawOn.h"
#include "module/FrameWait.h"
#include "module/IntegerField.h"
#include "module/ModuleDialog.h"
#include "plot/PlotFrame.h"
#include "support/RecordingCanvas.h"

namespace kurvio {
namespace {

TEST(ButtonColumnTest, CaptionsHintsAndWiring) {
  TModuleDialog window;
  int settings = 0, redraws = 0;
  ButtonColumnActions actions;
  actions.openSettings = [&] { ++settings; };
  actions.target = [&] { return ExportTarget{[&] { ++redraws; }, {}, nullptr}; };
  const ButtonColumn c = MakeButtonColumn(&window, &window, std::move(actions));
  const struct {
    QPushButton* button;
    const char* caption;
    const char* hint;
  } expected[] = {
      {c.SpeedButton14, "Einstellungen", ""},
      {c.SpeedButton15, "Drucken", "Grafik drucken"},
      {c.SpeedButton17, "WMF - Datei", "Grafik als WMF speichern"},
      {c.SpeedButton23, "WMF - Clipb.", "Grafik im WMF- Format in die Zwischenablage"},
      {c.Close, "&Beenden", "Programm beenden"},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(e.button->text(), QString::fromUtf8(e.caption));
    EXPECT_EQ(e.button->toolTip(), QString::fromUtf8(e.hint));
    EXPECT_FALSE(e.button->autoDefault()) << e.caption;  // Enter belongs to the fields
  }
  c.SpeedButton14->click();
  EXPECT_EQ(settings, 1);
  c.SpeedButton23->click();  // the clipboard picture runs the window's redraw
  EXPECT_GT(redraws, 0);
  window.show();
  c.Close->click();
  EXPECT_FALSE(window.isVisible());
}

TEST(ButtonColumnTest, OwnFileButtonReplacesTheMetafile) {
  TModuleDialog window;
  int saved = 0;
  ButtonColumnActions actions;
  actions.saveFile = [&] { ++saved; };
  const ButtonColumn c = MakeButtonColumn(&window, &window, std::move(actions));
  c.SpeedButton17->click();
  EXPECT_EQ(saved, 1);
  c.SpeedButton15->click();  // no picture: nothing to print, nothing breaks
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

}  // namespace
}  // namespace kurvio
