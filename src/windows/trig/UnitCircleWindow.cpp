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

void SetPen(Color colour, int width, PenStyle style = PenStyle::Solid) {
  DrawCanvas->pen.color = colour;
  DrawCanvas->pen.width = width;
  DrawCanvas->pen.style = style;
}

void Text(double x, double y, const std::string& text) {
  DrawCanvas->TextOut(ScreenX(x), ScreenY(y), text);
}

// A label at x moved left by half the width of its sample of capital H's.
void Label(double x, double y, const std::string& text, const char* sample) {
  DrawCanvas->TextOut(ScreenX(x) - DrawCanvas->TextWidth(sample) / 2, ScreenY(y), text);
}

// f from `from` to `to` (either way round) as one joined line, a point every
// two pixel columns and the last one at `to`. Only the part over the view is
// sampled, however far the ends lie outside it.
void JoinedCurve(double (*f)(double), double from, double to) {
  const double step = 2 * (x2 - x1) / std::max(PlotWidth, 1);
  const double lo = x1 - step, hi = x2 + step;
  from = std::clamp(from, lo, hi);
  to = std::clamp(to, lo, hi);
  const double direction = to < from ? -1.0 : 1.0;
  const long steps = static_cast<long>(std::floor(std::fabs(to - from) / step));
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(steps) + 2);
  double x = from;
  for (long k = 0; k <= steps; ++k) {
    x = from + direction * static_cast<double>(k) * step;
    points.push_back({ScreenX(x), ScreenY(f(x))});
  }
  if (x != to) points.push_back({ScreenX(to), ScreenY(f(to))});
  DrawCanvas->Polyline(points);
}

// Traces f between `from` and `to` in CurveColor with a pen `width` pixels
// wide on every device: these curves do not grow with LineScale.
void TraceUnscaled(const CurveValueFunction& f, double from, double to, int width) {
  if (from == to) return;
  const double scale = LineScale;
  LineScale = 1.0;
  LineWidth = width;
  TraceCurve(f, x1, x2, std::min(from, to), std::max(from, to));
  LineScale = scale;
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
  ExportDrawing = false;
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
  ComputeTickSteps();
  ExportTarget target;
  target.redraw = [this] { darstellen(); };
  target.redrawOnScreen = [this] { darstellen(); };
  target.paintBox = paintBox;
  target.bitmap = &bitmap_;
  return target;
}

void TForm5::darstellen() {
  SetFixedWindow();
  if (!ExportDrawing) {
    if (bitmap_.isNull()) return;
    PlotWidth = bitmap_.width();
    PlotHeight = bitmap_.height();
    PlotTop = 0;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  // The user's line width stays theirs; the thin and thick curves here have their own.
  const int lineWidth = LineWidth;
  DrawOn(bitmap_, paintBox->font(), [this] {
    Canvas& c = *DrawCanvas;
    SetPen(kBlack, Scaled(1));
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    c.font.color = kBlack;
    XAxisName.clear();
    YAxisName = "y";
    DrawCoordinateSystem();
    DrawAxisLabels();

    SetPen(kBlack, Scaled(1));
    CurveColor = kBlack;
    if (TangentMode) {
      TraceUnscaled(Tan, -kPi, 2 * kPi, 1);
      if (ShowCot) TraceUnscaled(Cot, -kPi, 2 * kPi, 1);
    } else {
      JoinedCurve(Sin, -kPi, 2 * kPi);
      if (ShowCos) JoinedCurve(Cos, -kPi, 2 * kPi);
    }

    double s = std::sin(alpha), co = std::cos(alpha);
    if (std::fabs(s) < 1e-8) s = 0.0;
    if (std::fabs(co) < 1e-8) co = 0.0;
    DrawCircle(s, co);
    if (TangentMode)
      DrawTangentMode(s, co);
    else
      DrawSineMode(s, co);
    SetPen(kBlack, Scaled(1));
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  });
  LineWidth = lineWidth;
  if (!ExportDrawing) paintBox->Show();
}

void TForm5::DrawAxisLabels() {
  Canvas& c = *DrawCanvas;
  // In the symbol font "p" shows as pi and "a" as alpha.
  if (Radians) {
    Label(2 * kPi, -0.1, "x", "H");
    c.font.name = "Symbol";
    Label(-kPi, 0.37, "-p", "HH");
    Label(kPi, 0.37, "p", "H");
    Label(2 * kPi, 0.37, "2p", "HHH");
    Label(kPi / 6, -0.1, "p/6", "HHH");
  } else {
    Label(-kPi, 0.38, "-180°", "HHH");
    Label(kPi, 0.38, "180°", "HH");
    Label(2 * kPi, 0.38, "360°", "HHHH");
    Label(kPi / 6, -0.1, "30°", "HH");
    c.font.name = "Symbol";
    Label(2 * kPi, -0.1, "a", "H");
  }
}

void TForm5::DrawCircle(double s, double c) {
  Canvas& cv = *DrawCanvas;
  cv.font.name = "Arial";
  cv.font.color = kBlack;
  // The circle's side of the picture, without the graphs' grid and axis.
  SetPen(Farben::Hintergrund, Scaled(1));
  cv.brush = {Farben::Hintergrund, BrushStyle::Solid};
  cv.Rectangle(ScreenX(kViewLeft), ScreenY(kViewTop), ScreenX(-3.5), ScreenY(kViewBottom));
  SetPen(kBlack, Scaled(1));
  Text(-6.35, 1.5, "Einheitskreis r = 1");
  const int left = ScreenX(kCentreX - 1), top = ScreenY(1);
  const int right = ScreenX(kCentreX + 1), bottom = ScreenY(-1);
  cv.Ellipse(left, top, right, bottom);
  WorldLine(kCentreX - 1.1, 0, kCentreX + 1.1, 0);
  WorldLine(kCentreX, 1.1, kCentreX, -1.1);
  if (TangentMode) {
    Text(-5.5, 3.5, "Tangente");
    WorldLine(kTangentX, kViewBottom, kTangentX, kViewTop);
  }

  // The arc from 0 to alpha, counter-clockwise for a positive angle. Its rays
  // pass through points far out: the same directions, but a small angle keeps
  // a direction of its own in whole pixels. Where even they meet, only a full
  // turn is drawn as the whole circle.
  SetPen(Farben::bogen, Scaled(2));
  constexpr double kRay = 10.0;
  const Point zero{ScreenX(kCentreX + kRay), ScreenY(0)};
  const Point end{ScreenX(kCentreX + kRay * c), ScreenY(kRay * s)};
  if (alpha != 0.0 && (!(zero == end) || std::fabs(alpha) >= kPi)) {
    const Point from = alpha > 0 ? zero : end;
    const Point to = alpha > 0 ? end : zero;
    cv.Arc(left, top, right, bottom, from.x, from.y, to.x, to.y);
    if (!Radians) {
      cv.pen.width = Scaled(1);
      cv.brush = {Farben::winkel, BrushStyle::Solid, true};
      cv.Pie(ScreenX(kCentreX - 0.25), ScreenY(0.25), ScreenX(kCentreX + 0.25), ScreenY(-0.25),
             from.x, from.y, to.x, to.y);
      cv.pen.width = Scaled(2);
      cv.brush = {Farben::Hintergrund, BrushStyle::Solid};
    }
  }
  // The angle along the x-axis.
  cv.pen.color = Radians ? Farben::bogen : Farben::winkel;
  WorldLine(0, 0, alpha, 0);
}

namespace {

// The radius to P = (cos, sin) and the legs under it, sine and cosine.
void DrawRightTriangle(double s, double c) {
  SetPen(kBlack, Scaled(2));
  WorldLine(kCentreX, 0, kCentreX + c, s);
  SetPen(Farben::sinus, Scaled(2));
  WorldLine(kCentreX + c, s, kCentreX + c, 0);
  SetPen(Farben::cosinus, Scaled(2));
  WorldLine(kCentreX + c, 0, kCentreX, 0);
}

}  // namespace

void TForm5::DrawSineMode(double s, double c) {
  Text(-6.35, -1.5, ValueText("sin", alpha, s, Radians, 4));
  if (ShowCos) Text(-6.35, -2.0, ValueText("cos", alpha, c, Radians, 5));
  DrawRightTriangle(s, c);
  if (ShowCos) {
    SetPen(Farben::cosinus, Scaled(2));
    WorldLine(alpha, 0, alpha, c);
  }
  SetPen(Farben::sinus, Scaled(2));
  WorldLine(alpha, 0, alpha, s);
  SetPen(kGrey, 1, PenStyle::Dash);
  WorldLine(alpha, s, kCentreX + c, s);

  SetPen(Farben::sinus, Scaled(2));
  JoinedCurve(Sin, 0, alpha);
  if (ShowCos) {
    SetPen(Farben::cosinus, Scaled(2));
    JoinedCurve(Cos, 0, alpha);
  }
}

void TForm5::DrawTangentMode(double s, double c) {
  DrawRightTriangle(s, c);
  // Near a pole the tangent segment leaves the picture: no value, no segment.
  if (std::fabs(c) > 0.1) {
    const double t = s / c;
    Text(-6.35, -1.5, ValueText("tan", alpha, t, Radians, 4));
    if (ShowCot && std::fabs(s) > 0.1)
      Text(-6.35, -2.0, ValueText("cot", alpha, c / s, Radians, 5));
    SetPen(kBlack, Scaled(1));
    WorldLine(kCentreX, 0, kTangentX, t);
    SetPen(Farben::tangens, Scaled(2));
    WorldLine(kTangentX, t, kTangentX, 0);
    WorldLine(alpha, 0, alpha, t);
    SetPen(kGrey, 1, PenStyle::Dash);
    WorldLine(alpha, t, kTangentX, t);
    SetPen(kBlack, Scaled(1));
  }
  CurveColor = Farben::tangens;
  TraceUnscaled(Tan, 0, alpha, 3);
  if (ShowCot) {
    CurveColor = Farben::cotangens;
    TraceUnscaled(Cot, 0, alpha, 3);
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
