// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Sinus, Tangens": sine and cosine, or tangent and cotangent, of
// an angle on the unit circle at the left and as graphs over -pi..2pi at the
// right, the part from 0 to the angle drawn thick. The angle follows a scroll
// bar in 1° steps, a track bar in 15° steps, the mouse or an animation.
#pragma once

#include <QImage>

#include "export/Export.h"
#include "module/AnalysisWindow.h"

class QRadioButton;
class QScrollBar;
class QSlider;
class QToolButton;
class QWidget;

namespace kurvio {

class TBitCheckBox;
class TPaintBox;
class TSwitch;

class TForm5 : public TAnalysisWindow {
  Q_OBJECT

 public:
  // Its example list in the program folder, and the name of the file its lesson is kept in
  // ("Fenster-<name>.ini"); null where it has none.
  static constexpr const char* kExampleFile = nullptr;
  static constexpr const char* kLessonName = nullptr;

  explicit TForm5(QWidget* parent = nullptr);
  ~TForm5() override;

  TPaintBox* paintBox;
  QWidget* barPanel;  // below the paint box: the bars and the animation
  QSlider* angleTrackBar;
  QScrollBar* angleBar;
  QWidget* animationPanel;  // the animation: switch, direction, reset
  TSwitch* animationSwitch;
  QToolButton* directionButton;
  QToolButton* resetButton;
  QWidget* sidePanel;               // right of the paint box: mode, display and the button column
  QRadioButton* sineModeButton;     // "sin"
  QRadioButton* tangentModeButton;  // "tan"
  TBitCheckBox* cosineBox;          // "cos einblenden"
  TBitCheckBox* radiansBox;         // "Bogenmaß"
  TBitCheckBox* cotangentBox;       // "cot einblenden"

  // The angle in radians.
  double alpha;
  int Direction = 1;
  bool TangentMode = false;
  bool ShowCos = false;
  bool ShowCot = false;
  bool Radians = true;
  bool Dragging = false;

  // The whole picture: on screen into the bitmap and onto the paint box.
  void darstellen();
  QImage& Bitmap() { return bitmap_; }
  // What the export buttons draw.
  ExportTarget PictureTarget();
  // The fixed view -6.5..6.5 × -4..4 in x1..y2, the user's own put aside;
  // and the user's put back (when the window closes, and around the settings).
  void SetFixedWindow();
  void PutBackUserWindow();

 public slots:
  void onAngleBarChanged();
  void onAngleTrackBarChanged();
  void onModeClicked();
  void onDisplayBoxClicked();
  void onAnimationSwitch();
  void onReverseDirection();
  void onReset();
  void onSettingsClicked();
  void onPaintBoxPressed(Qt::MouseButton button, int x, int y);
  void onPaintBoxMoved(int x, int y);
  void onPaintBoxReleased(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildLayout();
  // Below the paint box: the two bars and the animation.
  void BuildBarPanel();
  // Right of the paint box: the title, the modes with their extra curves, the units, the buttons.
  void BuildSidePanel();
  void ConnectHandlers();
  // The paint box 13 wide to 8 high, the bar panel below it, the button panel at the right.
  void PlaceControls();
  // The bars to the angle at the end of an animation; their handlers take it back on their grid.
  void BarsFollowAngle();
  void DrawAxisLabels();
  void DrawCircle(double s, double c);
  void DrawSineMode(double s, double c);
  void DrawTangentMode(double s, double c);

  QImage bitmap_;
  // The user's coordinate window while the fixed one stands in x1..y2.
  double userWindow_[4] = {0, 0, 0, 0};
  bool userWindowAside_ = false;
};

}  // namespace kurvio
