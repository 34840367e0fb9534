// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/trig/UnitCircleWindow.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "module/AnimationLoop.h"
#include "module/ButtonColumn.h"
#include "module/Controls.h"
#include "module/Cursors.h"
#include "module/DrawOn.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"
#include "windows/trig/UnitCircleSettings.h"

namespace kurvio {
namespace {

constexpr double kPi = std::numbers::pi;
// One world unit is as long across as up for a paint box 13 wide and 8 high.
constexpr double kViewLeft = -6.5, kViewRight = 6.5, kViewBottom = -4.0, kViewTop = 4.0;
constexpr double kCentreX = -5.0;  // the unit circle around (kCentreX, 0)
constexpr double kTangentX = kCentreX + 1;
constexpr Color kGrey = RGB(128, 128, 128);
// The animation's step before it is divided by "Schrittzahl2": 4°.
constexpr double kAnimationStep = kPi / 45;
constexpr int kMargin = 8;
// Below this the control panel cannot hold the track bar, the switch and the scroll bar apart.
constexpr int kMinPanelHeight = 120;
constexpr int kRightPanelWidth = 190;

double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }

double Tan(double x) {
  TermDefined = true;
  return std::tan(x);
}

double Cot(double x) {
  const double s = std::sin(x);
  TermDefined = s != 0.0;
  return TermDefined ? std::cos(x) / s : 0.0;
}

// "sin(30°) = 0,5": the angle in radians with `radianDigits` significant
// digits or in degrees with four, the value with four.
std::string ValueText(const char* name, double angle, double value, bool radians,
                      int radianDigits) {
  std::string text = std::string(name) + "(";
  if (radians)
    text += FormatGeneral(angle, radianDigits, DecimalSeparator) + ") = ";
  else
    text += FormatGeneral(angle * 180 / kPi, 4, DecimalSeparator) + "°) = ";
  return text + FormatGeneral(value, 4, DecimalSeparator);
}

void SetPen(const DrawFrame& frame, Color colour, int width, PenStyle style = PenStyle::Solid) {
  frame.canvas->pen.color = colour;
  frame.canvas->pen.width = width;
  frame.canvas->pen.style = style;
}

void Text(const DrawFrame& frame, double x, double y, const std::string& text) {
  frame.canvas->TextOut(frame.ScreenX(x), frame.ScreenY(y), text);
}

// A label at x moved left by half the width of its sample of capital H's.
void Label(const DrawFrame& frame, double x, double y, const std::string& text, const char* sample) {
  frame.canvas->TextOut(frame.ScreenX(x) - frame.canvas->TextWidth(sample) / 2, frame.ScreenY(y), text);
}

// f from `from` to `to` (either way round) as one joined line, a point every
// two pixel columns and the last one at `to`. The window's fixed view holds
// both ends of every curve it draws (-pi to 2pi).
void JoinedCurve(const DrawFrame& frame, double (*f)(double), double from, double to) {
  const double step = 2 * (frame.world.x2 - frame.world.x1) / std::max(frame.width, 1);
  const double direction = to < from ? -1.0 : 1.0;
  const long steps = static_cast<long>(std::floor(std::fabs(to - from) / step));
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(steps) + 2);
  double x = from;
  for (long k = 0; k <= steps; ++k) {
    x = from + direction * static_cast<double>(k) * step;
    points.push_back({frame.ScreenX(x), frame.ScreenY(f(x))});
  }
  if (x != to) points.push_back({frame.ScreenX(to), frame.ScreenY(f(to))});
  frame.canvas->Polyline(points);
}

// Traces f between `from` and `to` in CurveColor with a pen `width` pixels
// wide on every device: these curves do not grow with the line scale.
void TraceUnscaled(const DrawFrame& frame, const CurveValueFunction& f, double from, double to, int width) {
  if (from == to) return;
  DrawFrame unscaled = CurveFrame(frame);
  unscaled.lineScale = 1.0;
  unscaled.curve.width = width;
  TraceValueCurve(unscaled, f, x1, x2, std::min(from, to), std::max(from, to));
}

}  // namespace

TForm5::TForm5(QWidget* parent) : TAnalysisWindow(parent), alpha(kPi / 6) {
  setWindowTitle(QStringLiteral("Sinus, Tangens"));
  setMinimumSize(640, 480);
  TrigAxisMode = true;
  SetFixedWindow();
  BuildLayout();
  ConnectHandlers();
  InstallFieldKeys(false);
  paintBox->setCursor(ProgramCursor(4));
  PlaceControls();
}

TForm5::~TForm5() {
  TrigAxisMode = false;
  PutBackUserWindow();
}

void TForm5::BuildLayout() {
  paintBox = new TPaintBox(this);
  paintBox->SetPicture(&bitmap_);
  BuildBarPanel();
  BuildSidePanel();
}

void TForm5::BuildBarPanel() {
  // Placed by PlaceControls in proportion to the paint box's width.
  barPanel = new QWidget(this);
  angleTrackBar = new QSlider(Qt::Horizontal, barPanel);
  angleTrackBar->setRange(-12, 24);
  angleTrackBar->setValue(2);
  angleTrackBar->setPageStep(1);
  angleTrackBar->setTickPosition(QSlider::TicksBelow);
  angleTrackBar->setTickInterval(1);
  angleTrackBar->setToolTip(QStringLiteral("15° Schrittweite"));
  Named(angleTrackBar, "TrackBar1");
  angleBar = new QScrollBar(Qt::Horizontal, barPanel);
  angleBar->setRange(-180, 360);
  angleBar->setValue(30);
  angleBar->setPageStep(15);
  angleBar->setToolTip(QStringLiteral("1° Schrittweite"));
  Named(angleBar, "ScrollBar1");
  animationPanel = new QWidget(barPanel);
  auto* animation = new QHBoxLayout(animationPanel);
  animation->setContentsMargins(0, 0, 0, 0);
  animation->setSpacing(4);
  animationSwitch = Named(AnimationSwitch(animationPanel), "Switch1");
  directionButton = Named(DirectionButton(animationPanel), "SpeedButton24");
  resetButton =
      Named(ToolButton(animationPanel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen")),
            "SpeedButton2");
  animation->addWidget(animationSwitch);
  animation->addWidget(directionButton);
  animation->addWidget(resetButton);
  animationPanel->adjustSize();
}

void TForm5::BuildSidePanel() {
  sidePanel = new QWidget(this);
  auto* column = new QVBoxLayout(sidePanel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  auto* title = new QLabel(QStringLiteral("Trigonometrische Funktionen"), sidePanel);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  title->setWordWrap(true);
  column->addWidget(title);
  column->addSpacing(8);
  sineModeButton = new QRadioButton(QStringLiteral("sin"), sidePanel);
  tangentModeButton = new QRadioButton(QStringLiteral("tan"), sidePanel);
  sineModeButton->setChecked(true);
  auto* modes = new QButtonGroup(sidePanel);
  modes->addButton(sineModeButton);
  modes->addButton(tangentModeButton);
  cosineBox = Named(CheckBox(sidePanel, QStringLiteral("cos einblenden")), "BitCheckBox1");
  cotangentBox = Named(CheckBox(sidePanel, QStringLiteral("cot einblenden")), "BitCheckBox3");
  radiansBox = Named(CheckBox(sidePanel, QStringLiteral("Bogenmaß")), "BitCheckBox2");
  radiansBox->SetChecked(true);
  column->addWidget(sineModeButton);
  column->addWidget(cosineBox);
  column->addSpacing(6);
  column->addWidget(tangentModeButton);
  column->addWidget(cotangentBox);
  column->addSpacing(12);
  column->addWidget(radiansBox);
  column->addSpacing(16);

  ButtonColumnActions actions;
  actions.openSettings = [this] { onSettingsClicked(); };
  actions.variant = kUnitCircleExport;
  actions.target = [this] { return PictureTarget(); };
  column->addWidget(MakeButtonColumn(this, sidePanel, std::move(actions)).panel);
  column->addWidget(WatchPointer(paintBox, sidePanel));
  column->addStretch();
}

void TForm5::ConnectHandlers() {
  connect(angleBar, &QScrollBar::valueChanged, this, &TForm5::onAngleBarChanged);
  connect(angleTrackBar, &QSlider::valueChanged, this, &TForm5::onAngleTrackBarChanged);
  connect(sineModeButton, &QRadioButton::clicked, this, &TForm5::onModeClicked);
  connect(tangentModeButton, &QRadioButton::clicked, this, &TForm5::onModeClicked);
  for (TBitCheckBox* box : {cosineBox, radiansBox, cotangentBox})
    connect(box, &TBitCheckBox::OnClick, this, &TForm5::onDisplayBoxClicked);
  connect(animationSwitch, &TSwitch::OnClick, this, &TForm5::onAnimationSwitch);
  connect(directionButton, &QToolButton::clicked, this, &TForm5::onReverseDirection);
  connect(resetButton, &QToolButton::clicked, this, &TForm5::onReset);
  // Not WatchPaintBox: the right button opens this window's own settings.
  connect(paintBox, &TPaintBox::Resized, this, [this] {
    if (Shown()) FormPaint();
  });
  connect(paintBox, &TPaintBox::MouseDown, this, &TForm5::onPaintBoxPressed);
  connect(paintBox, &TPaintBox::MouseMove, this, &TForm5::onPaintBoxMoved);
  connect(paintBox, &TPaintBox::MouseUp, this, &TForm5::onPaintBoxReleased);
}

void TForm5::resizeEvent(QResizeEvent* event) {
  TAnalysisWindow::resizeEvent(event);
  PlaceControls();
}

void TForm5::PlaceControls() {
  const int panelWidth = std::max(kRightPanelWidth, sidePanel->minimumSizeHint().width());
  const int height = std::max(this->height() - 2 * kMargin, 1);
  // On a wide, low screen the paint box gets narrower rather than push the bars out of sight.
  const int fitsWidth = width() - 3 * kMargin - panelWidth;
  const int fitsHeight = (height - kMinPanelHeight) * 13 / 8;
  const int w = std::max(std::min(fitsWidth, fitsHeight), 13);
  const int h = static_cast<int>(std::lround(w * 8 / 13.0));
  paintBox->setGeometry(kMargin, kMargin, w, h);
  barPanel->setGeometry(kMargin, kMargin + h, w, std::max(height - h, 0));
  sidePanel->setGeometry(width() - kMargin - panelWidth, kMargin, panelWidth, height);

  // The bars lie under the graphs, the animation under the unit circle.
  const int ph = barPanel->height();
  const auto part = [w](double thirteenths) {
    return static_cast<int>(std::lround(w * thirteenths / 13));
  };
  angleTrackBar->setGeometry(part(3.15), ph / 6, part(9.85), angleTrackBar->sizeHint().height());
  angleBar->setGeometry(part(3), ph / 2, part(10), angleBar->sizeHint().height());
  const QSize animation = animationPanel->sizeHint();
  animationPanel->setGeometry(std::max((part(3) - animation.width()) / 2, 0), ph / 4,
                              animation.width(), animation.height());
}

void TForm5::FormPaint() {
  const QSize size = paintBox->size().expandedTo(QSize(1, 1));
  if (bitmap_.size() != size) bitmap_ = QImage(size, QImage::Format_RGB32);
  darstellen();
}

void TForm5::FormClose() {
  AnimationRunning = false;
  animationSwitch->SetChecked(false);
  TrigAxisMode = false;
  PutBackUserWindow();
}

void TForm5::SetFixedWindow() {
  if (!userWindowAside_) {
    userWindow_[0] = x1;
    userWindow_[1] = x2;
    userWindow_[2] = y1;
    userWindow_[3] = y2;
    userWindowAside_ = true;
  }
  x1 = kViewLeft;
  x2 = kViewRight;
  y1 = kViewBottom;
  y2 = kViewTop;
}

void TForm5::PutBackUserWindow() {
  if (!userWindowAside_) return;
  x1 = userWindow_[0];
  x2 = userWindow_[1];
  y1 = userWindow_[2];
  y2 = userWindow_[3];
  userWindowAside_ = false;
}

ExportTarget TForm5::PictureTarget() {
  // The export scales the print by the view and its tick step, which must be this window's.
  SetFixedWindow();
  ExportTarget target = ExportPicture([this] { darstellen(); }, PictureLayout::OnePlot, &bitmap_);
  target.paintBox = paintBox;  // the window's own, beside its side column
  return target;
}

void TForm5::darstellen() {
  SetFixedWindow();
  if (!bitmap_.isNull()) SetPlotSize(bitmap_.width(), bitmap_.height());
  BeginFrame();
  if (!frame_.forExport) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  DrawOn(bitmap_, paintBox->font(), frame_, [this] {
    Canvas& c = *frame_.canvas;
    SetPen(frame_, kBlack, frame_.Scaled(1));
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    c.font.color = kBlack;
    frame_.axes.xName.clear();
    frame_.axes.yName = "y";
    DrawCoordinateSystem(frame_);
    DrawAxisLabels();

    SetPen(frame_, kBlack, frame_.Scaled(1));
    CurveColor = kBlack;
    if (TangentMode) {
      TraceUnscaled(frame_, Tan, -kPi, 2 * kPi, 1);
      if (ShowCot) TraceUnscaled(frame_, Cot, -kPi, 2 * kPi, 1);
    } else {
      JoinedCurve(frame_, Sin, -kPi, 2 * kPi);
      if (ShowCos) JoinedCurve(frame_, Cos, -kPi, 2 * kPi);
    }

    double s = std::sin(alpha), co = std::cos(alpha);
    if (std::fabs(s) < 1e-8) s = 0.0;
    if (std::fabs(co) < 1e-8) co = 0.0;
    DrawCircle(s, co);
    if (TangentMode)
      DrawTangentMode(s, co);
    else
      DrawSineMode(s, co);
    SetPen(frame_, kBlack, frame_.Scaled(1));
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  });
  if (!frame_.forExport) paintBox->Show();
}

void TForm5::DrawAxisLabels() {
  Canvas& c = *frame_.canvas;
  // In the symbol font "p" shows as pi and "a" as alpha.
  if (Radians) {
    Label(frame_, 2 * kPi, -0.1, "x", "H");
    c.font.name = "Symbol";
    Label(frame_, -kPi, 0.37, "-p", "HH");
    Label(frame_, kPi, 0.37, "p", "H");
    Label(frame_, 2 * kPi, 0.37, "2p", "HHH");
    Label(frame_, kPi / 6, -0.1, "p/6", "HHH");
  } else {
    Label(frame_, -kPi, 0.38, "-180°", "HHH");
    Label(frame_, kPi, 0.38, "180°", "HH");
    Label(frame_, 2 * kPi, 0.38, "360°", "HHHH");
    Label(frame_, kPi / 6, -0.1, "30°", "HH");
    c.font.name = "Symbol";
    Label(frame_, 2 * kPi, -0.1, "a", "H");
  }
}

void TForm5::DrawCircle(double s, double c) {
  Canvas& cv = *frame_.canvas;
  cv.font.name = "Arial";
  cv.font.color = kBlack;
  // The circle's side of the picture, without the graphs' grid and axis.
  SetPen(frame_, Farben::Hintergrund, frame_.Scaled(1));
  cv.brush = {Farben::Hintergrund, BrushStyle::Solid};
  cv.Rectangle(frame_.ScreenX(kViewLeft), frame_.ScreenY(kViewTop), frame_.ScreenX(-3.5), frame_.ScreenY(kViewBottom));
  SetPen(frame_, kBlack, frame_.Scaled(1));
  Text(frame_, -6.35, 1.5, "Einheitskreis r = 1");
  const int left = frame_.ScreenX(kCentreX - 1), top = frame_.ScreenY(1);
  const int right = frame_.ScreenX(kCentreX + 1), bottom = frame_.ScreenY(-1);
  cv.Ellipse(left, top, right, bottom);
  WorldLine(frame_, kCentreX - 1.1, 0, kCentreX + 1.1, 0);
  WorldLine(frame_, kCentreX, 1.1, kCentreX, -1.1);
  if (TangentMode) {
    Text(frame_, -5.5, 3.5, "Tangente");
    WorldLine(frame_, kTangentX, kViewBottom, kTangentX, kViewTop);
  }

  // The arc from 0 to alpha, counter-clockwise for a positive angle. Its rays
  // pass through points far out: the same directions, but a small angle keeps
  // a direction of its own in whole pixels. Where even they meet, only a full
  // turn is drawn as the whole circle.
  SetPen(frame_, Farben::bogen, frame_.Scaled(2));
  constexpr double kRay = 10.0;
  const Point zero{frame_.ScreenX(kCentreX + kRay), frame_.ScreenY(0)};
  const Point end{frame_.ScreenX(kCentreX + kRay * c), frame_.ScreenY(kRay * s)};
  if (alpha != 0.0 && (!(zero == end) || std::fabs(alpha) >= kPi)) {
    const Point from = alpha > 0 ? zero : end;
    const Point to = alpha > 0 ? end : zero;
    cv.Arc(left, top, right, bottom, from.x, from.y, to.x, to.y);
    if (!Radians) {
      cv.pen.width = frame_.Scaled(1);
      cv.brush = {Farben::winkel, BrushStyle::Solid, true};
      cv.Pie(frame_.ScreenX(kCentreX - 0.25), frame_.ScreenY(0.25), frame_.ScreenX(kCentreX + 0.25), frame_.ScreenY(-0.25),
             from.x, from.y, to.x, to.y);
      cv.pen.width = frame_.Scaled(2);
      cv.brush = {Farben::Hintergrund, BrushStyle::Solid};
    }
  }
  // The angle along the x-axis.
  cv.pen.color = Radians ? Farben::bogen : Farben::winkel;
  WorldLine(frame_, 0, 0, alpha, 0);
}

namespace {

// The radius to P = (cos, sin) and the legs under it, sine and cosine.
void DrawRightTriangle(const DrawFrame& frame, double s, double c) {
  SetPen(frame, kBlack, frame.Scaled(2));
  WorldLine(frame, kCentreX, 0, kCentreX + c, s);
  SetPen(frame, Farben::sinus, frame.Scaled(2));
  WorldLine(frame, kCentreX + c, s, kCentreX + c, 0);
  SetPen(frame, Farben::cosinus, frame.Scaled(2));
  WorldLine(frame, kCentreX + c, 0, kCentreX, 0);
}

}  // namespace

void TForm5::DrawSineMode(double s, double c) {
  Text(frame_, -6.35, -1.5, ValueText("sin", alpha, s, Radians, 4));
  if (ShowCos) Text(frame_, -6.35, -2.0, ValueText("cos", alpha, c, Radians, 5));
  DrawRightTriangle(frame_, s, c);
  if (ShowCos) {
    SetPen(frame_, Farben::cosinus, frame_.Scaled(2));
    WorldLine(frame_, alpha, 0, alpha, c);
  }
  SetPen(frame_, Farben::sinus, frame_.Scaled(2));
  WorldLine(frame_, alpha, 0, alpha, s);
  SetPen(frame_, kGrey, 1, PenStyle::Dash);
  WorldLine(frame_, alpha, s, kCentreX + c, s);

  SetPen(frame_, Farben::sinus, frame_.Scaled(2));
  JoinedCurve(frame_, Sin, 0, alpha);
  if (ShowCos) {
    SetPen(frame_, Farben::cosinus, frame_.Scaled(2));
    JoinedCurve(frame_, Cos, 0, alpha);
  }
}

void TForm5::DrawTangentMode(double s, double c) {
  DrawRightTriangle(frame_, s, c);
  // Near a pole the tangent segment leaves the picture: no value, no segment.
  if (std::fabs(c) > 0.1) {
    const double t = s / c;
    Text(frame_, -6.35, -1.5, ValueText("tan", alpha, t, Radians, 4));
    if (ShowCot && std::fabs(s) > 0.1)
      Text(frame_, -6.35, -2.0, ValueText("cot", alpha, c / s, Radians, 5));
    SetPen(frame_, kBlack, frame_.Scaled(1));
    WorldLine(frame_, kCentreX, 0, kTangentX, t);
    SetPen(frame_, Farben::tangens, frame_.Scaled(2));
    WorldLine(frame_, kTangentX, t, kTangentX, 0);
    WorldLine(frame_, alpha, 0, alpha, t);
    SetPen(frame_, kGrey, 1, PenStyle::Dash);
    WorldLine(frame_, alpha, t, kTangentX, t);
    SetPen(frame_, kBlack, frame_.Scaled(1));
  }
  CurveColor = Farben::tangens;
  TraceUnscaled(frame_, Tan, 0, alpha, 3);
  if (ShowCot) {
    CurveColor = Farben::cotangens;
    TraceUnscaled(frame_, Cot, 0, alpha, 3);
  }
  CurveColor = kBlack;
}

void TForm5::onAngleBarChanged() {
  alpha = angleBar->value() * kPi / 180;
  darstellen();
}

void TForm5::onAngleTrackBarChanged() {
  alpha = angleTrackBar->value() * kPi / 12;
  darstellen();
}

void TForm5::onModeClicked() {
  TangentMode = tangentModeButton->isChecked();
  darstellen();
}

void TForm5::onDisplayBoxClicked() {
  ShowCos = cosineBox->Checked();
  Radians = radiansBox->Checked();
  ShowCot = cotangentBox->Checked();
  darstellen();
}

void TForm5::onAnimationSwitch() {
  AnimationRunning = true;
  const bool alive = RunAnimation(
      this,
      [this] {
        darstellen();
        // Past an end the way back is taken, whichever way the angle was going:
        // an angle dragged far beyond an end must not turn on the spot for ever.
        if (alpha >= 2 * kPi) Direction = -1;
        if (alpha <= -kPi) Direction = 1;
        if (!animationSwitch->Checked()) AnimationRunning = false;
        alpha += Direction * kAnimationStep / std::max(Schrittzahl2, 1);
      },
      [this] { Delay(FrameDelay); });
  if (alive && isVisible()) BarsFollowAngle();
}

void TForm5::BarsFollowAngle() {
  // A bar's handler runs only when its position changes; the angle takes the
  // position in any case, so it always ends on the 1° grid.
  const int degrees = angleBar->value();
  angleBar->setValue(static_cast<int>(std::lround(alpha * 180 / kPi)));
  if (angleBar->value() == degrees) onAngleBarChanged();
  // A new track bar position puts the angle on the 15° grid; the scroll bar shows it too.
  const int steps = angleTrackBar->value();
  angleTrackBar->setValue(static_cast<int>(std::lround(12 * alpha / kPi)));
  if (angleTrackBar->value() != steps) angleBar->setValue(angleTrackBar->value() * 15);
}

void TForm5::onReverseDirection() { Direction = -Direction; }

void TForm5::onReset() {
  alpha = 0.0;
  Direction = 1;
  angleBar->setValue(0);
  angleTrackBar->setValue(0);
  darstellen();
}

void TForm5::onSettingsClicked() {
  // The settings file keeps the user's coordinate window, not this window's.
  PutBackUserWindow();
  {
    TForm6 dialog(this, {[this] { darstellen(); }, [this] { PutBackUserWindow(); },
                         [this] { SetFixedWindow(); }});
    dialog.exec();
  }
  SetFixedWindow();
  darstellen();
}

void TForm5::onPaintBoxPressed(Qt::MouseButton button, int, int) {
  if (button == Qt::RightButton) {
    onSettingsClicked();
    return;
  }
  if (button == Qt::LeftButton) Dragging = true;
}

void TForm5::onPaintBoxMoved(int x, int) {
  if (!Dragging) return;
  // The world x under the mouse, unsnapped.
  alpha = kViewLeft + (kViewRight - kViewLeft) * x / std::max(paintBox->width(), 1);
  darstellen();
}

void TForm5::onPaintBoxReleased(Qt::MouseButton, int, int) { Dragging = false; }

}  // namespace kurvio
