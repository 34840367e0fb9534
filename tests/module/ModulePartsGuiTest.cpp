// SPDX-License-Identifier: GPL-3.0-or-later
// The parts every module window is built from: the button column, the
// animation loop, the integer field, the number field with its scroll bar and
// the frame of the analysis windows.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "module/PictureFrame.h"
#include "module/AnalysisWindow.h"
#include "module/AnimationLoop.h"
#include "module/ButtonColumn.h"
#include "module/Cursors.h"
#include "module/FrameWait.h"
#include "module/IntegerField.h"
#include "module/ModuleDialog.h"
#include "module/NumberScroll.h"
#include "module/ViewPad.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/ZoomBox.h"
#include "settings/Settings.h"
#include "support/KeptText.h"

namespace kurvio {
namespace {

// The buttons reach the window's actions.
TEST(ButtonColumnTest, Wiring) {
  TModuleDialog window;
  int settings = 0, redraws = 0, saved = 0;
  ButtonColumnActions actions;
  actions.openSettings = [&] { ++settings; };
  actions.target = [&] {
    ExportTarget target;
    target.redraw = [&](const DrawFrame&) { ++redraws; };
    return target;
  };
  const ButtonColumn c = MakeButtonColumn(&window, &window, std::move(actions));
  c.settingsButton->click();
  EXPECT_EQ(settings, 1);
  c.wmfClipboardButton->click();  // the clipboard picture runs the window's redraw
  EXPECT_GT(redraws, 0);
  window.show();
  c.closeButton->click();
  EXPECT_FALSE(window.isVisible());

  ButtonColumnActions own;  // a file button of its own replaces the metafile
  own.saveFile = [&] { ++saved; };
  const ButtonColumn d = MakeButtonColumn(&window, &window, std::move(own));
  d.wmfFileButton->click();
  EXPECT_EQ(saved, 1);
  d.printButton->click();  // no picture: nothing to print, nothing breaks
}

// Up and Down move between the controls where the window asks for it, and
// never reach the control; Enter moves on from a field without reaching it.
TEST(ModuleDialogTest, ArrowsAndEnterMoveTheFocusAndReachNoControl) {
  struct : TModuleDialog {
    using TModuleDialog::InstallFieldKeys;
  } window;
  QSpinBox first(&window);
  QLineEdit field(&window);
  QSpinBox last(&window);
  for (QSpinBox* spin : {&first, &last}) spin->setValue(50);
  int returns = 0;
  QObject::connect(&field, &QLineEdit::returnPressed, [&] { ++returns; });
  window.InstallFieldKeys(true);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  first.setFocus();
  QTest::keyClick(&first, Qt::Key_Return);  // Enter moves on from fields only
  EXPECT_TRUE(first.hasFocus());
  QTest::keyClick(&first, Qt::Key_Down);
  EXPECT_TRUE(field.hasFocus());
  QTest::keyClick(&field, Qt::Key_Return);
  EXPECT_TRUE(last.hasFocus());
  QTest::keyClick(&last, Qt::Key_Up);
  EXPECT_TRUE(field.hasFocus());
  QTest::keyClick(&last, Qt::Key_Up, Qt::ShiftModifier);  // not a move between controls
  window.InstallFieldKeys(false);
  QTest::keyClick(&first, Qt::Key_Down);
  EXPECT_EQ((std::vector{first.value(), last.value(), returns}), (std::vector{49, 51, 0}));
}

// The zoom and drag cursors drawn pixel by pixel ('.' transparent, ',' half
// covered, '#' dark, 'o' light), with the hot spot and the shapes of the others:
// kept in tests/pictures/module/cursors.txt (see support/KeptText.h).
TEST(CursorTest, ProgramCursorsAsKept) {
  std::string produced;
  for (const int number : {0, 1, 2, 3, 4}) {
    const QCursor cursor = ProgramCursor(number);
    produced += QString::asprintf("cursor %d: shape %d, hot spot %d %d\n", number, cursor.shape(),
                                  cursor.hotSpot().x(), cursor.hotSpot().y())
                    .toStdString();
    const QImage image = cursor.pixmap().toImage();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        produced += c.alpha() == 0 ? '.' : c.alpha() < 128 ? ',' : c.lightness() < 128 ? '#' : 'o';
      }
      produced += "\n";
    }
  }
  EXPECT_TRUE(testing::MatchesKept("module/cursors.txt", produced));
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
  for (const auto& [text, expected] : {std::pair{" -3 ", -3}, std::pair{"1,5", 99},
                                       std::pair{"", 99}, std::pair{"99999999999", 99}}) {
    edit.setText(QString::fromUtf8(text));
    EXPECT_EQ(ReadIntegerEdit(&edit, 99), expected) << text;
  }
}

TEST(NumberScrollTest, TypedValuesStayAsTypedAndTheBarStandsAtTheNearestStep) {
  TModuleDialog window;
  QLineEdit field(&window);
  QScrollBar bar(Qt::Horizontal, &window);
  double value = 1;
  int redraws = 0;
  TNumberScroll pair(
      &window, &field, &bar, value, [] { return -7.0; }, [] { return 7.0; }, [&] { ++redraws; });
  pair.SetMax(BarMaxForTicks(14, 1));
  pair.PositionFromValue();
  EXPECT_EQ(bar.value(), 800);
  EXPECT_EQ(field.text(), QStringLiteral("  1,00     "));  // shown by the bar's handler

  // A typed value stays as typed, also where it moves the bar; the bar stands at
  // its nearest step.
  field.setText(QStringLiteral("2,004"));
  pair.FieldExit();
  EXPECT_EQ(value, 2.004);
  EXPECT_EQ(bar.value(), 900);
  field.setText(QStringLiteral("pi/2"));
  pair.FieldExit();
  EXPECT_DOUBLE_EQ(value, 1.570796327);  // the term language's pi, not a step of 0,01
  EXPECT_EQ(bar.value(), 857);
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
  const double cases[][3] = {{28, 2, 1400}, {1e7, 1e-9, 1000000}, {14, 0, 1000000}, {NAN, 1, 1}};
  for (const auto& c : cases) EXPECT_EQ(BarMaxForTicks(c[0], c[1]), c[2]) << c[0] << " " << c[1];
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
        this, [this] { ++checks; }, [this] { ++resets; },
        [this](bool zoomed) { zooms.push_back(zoomed); });
    layout->addWidget(pad);
    buttons = MakeButtons(this, [] { return ExportTarget{}; });
    layout->addWidget(buttons.panel);
  }
  void FormPaint() override { ++paints; }
  void FormClose() override { ++closes; }

  TPaintBox* box;
  TViewPad* pad;
  ButtonColumn buttons{};
  int paints = 0, closes = 0, checks = 0, resets = 0;
  std::vector<bool> zooms;
};

// Each button clicked on the view -7..7 × -7..7 (zooms by a half out and a
// quarter in, shifts by a tenth in all eight directions, each checked and told
// from a zoom; the reset not checked), with the view and the counts after it:
// kept in tests/pictures/module/view-pad.txt.
TEST(ViewPadTest, EveryButtonMovesTheViewAsKept) {
  FrameWindow w;
  std::string produced;
  for (QToolButton* button : w.pad->findChildren<QToolButton*>()) {
    SetSettingsView({-7, 7, -7, 7});
    button->click();
    produced += button->objectName().toStdString() + ":";
    for (const double v : {x1, x2, y1, y2}) produced += " " + testing::KeptNumber(v);
    produced += ", checks " + std::to_string(w.checks) + ", resets " + std::to_string(w.resets) +
                ", zoom " + (w.zooms.empty() ? "-" : std::to_string(w.zooms.back())) + " of " +
                std::to_string(w.zooms.size()) + "\n";
  }
  EXPECT_TRUE(testing::MatchesKept("module/view-pad.txt", produced));
}

// On a 140 × 140 picture of -7..7: a box more than 10 pixels wide and high,
// drawn either way, becomes the view; a smaller one is erased and changes
// nothing. The view and whether the picture is back to blank after each box:
// kept in tests/pictures/module/zoom-box.txt.
TEST(ZoomBoxTest, ABoxLargerThanTenPixelsBecomesTheViewAsKept) {
  const QPoint boxes[][2] = {{{80, 120}, {20, 30}}, {{20, 30}, {31, 41}},  {{20, 30}, {30, 41}},
                             {{20, 30}, {31, 40}},  {{20, 30}, {30, 120}}, {{20, 30}, {90, 40}}};
  TPaintBox box;
  DrawFrame shown;
  shown.world = {-7, 7, -7, 7};
  shown.width = shown.height = 140;
  std::string produced;
  for (const auto& [from, to] : boxes) {
    QImage picture(140, 140, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QImage blank = picture;
    ZoomBox zoom(picture, box);
    EXPECT_FALSE(zoom.End(shown, to.x(), to.y()));  // not begun
    zoom.Begin(from.x(), from.y());
    zoom.Move(to.x() + 5, to.y() + 5);
    zoom.Move(to.x(), to.y());
    EXPECT_NE(picture, blank);
    const std::optional<WorldWindow> view = zoom.End(shown, to.x(), to.y());
    const bool taken = view.has_value();
    EXPECT_FALSE(zoom.Active());
    produced += std::to_string(to.x()) + " " + std::to_string(to.y()) + ": taken " +
                std::to_string(taken) + ", blank " + std::to_string(picture == blank) + ",";
    const WorldWindow now = view.value_or(shown.world);
    for (const double v : {now.x1, now.x2, now.y1, now.y2}) produced += " " + testing::KeptNumber(v);
    produced += "\n";
  }
  EXPECT_TRUE(testing::MatchesKept("module/zoom-box.txt", produced));
}

TEST(AnalysisWindowTest, PaintsRightButtonOpensTheSettingsAndClosingSavesOnce) {
  FrameWindow w;
  w.show();
  QApplication::processEvents();
  EXPECT_GE(w.paints, 1);
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
