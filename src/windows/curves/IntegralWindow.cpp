// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/curves/IntegralWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <vector>

#include "module/AnimationLoop.h"
#include "module/Controls.h"
#include "module/Cursors.h"
#include "module/ExampleFiles.h"
#include "module/ExampleList.h"
#include "module/ScrollGrid.h"
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ValueTable.h"
#include "module/ViewPad.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Poles.h"
#include "term/Quadrature.h"
#include "term/SpecialPoints.h"
#include "term/Term.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"

namespace kurvio {

PartialFunction IntegrandOf(const TermHandle& term) {
  return [&term](double t, bool& defined) {
    const double v = EvalTerm(term, t, t, ParamA, ParamB, ParamC, 0);
    defined = TermDefined;
    return v;
  };
}

namespace {

constexpr int kBarSteps = 200;
// The bounds x0 and x in the window's state file.
constexpr const char* kLowerBoundKey = "xo";
constexpr const char* kUpperBoundKey = "x";
// g, the strips' count and the kind of their sum.
constexpr const char* kSecondTermKey = "g";
constexpr const char* kStripCountKey = "n";
constexpr const char* kSumKindKey = "Summe";

// f at t, with t (and x) the point and the settings' a, b, c.
double F(double t) { return EvalTerm(MainTerm, t, t, ParamA, ParamB, ParamC, 0); }

// f at t for the quadrature.
const PartialFunction PartialF = IntegrandOf(MainTerm);

// Where f may jump or kink between from and to.
std::vector<double> Breaks(double from, double to) {
  return RoughBreaks(MainTerm.get(), from, to, ParamA, ParamB, ParamC);
}

// F(x0) = 0 only where f(x0) is defined: an empty integral over a point outside
// the domain reads as undefined, as f does there.
bool DefinedAt(double t) {
  bool defined = true;
  PartialF(t, defined);
  return defined;
}

Quadrature IntegralWithPoles(double x0, double x, const std::vector<double>& poles) {
  if (AnyPointInside(poles, x0, x)) return {};
  if (x0 == x && !DefinedAt(x0)) return {};
  return Integrate(PartialF, x0, x, Breaks(x0, x));
}

// F(u) = the integral of f from x0 to u for the columns of a graph: each new u
// from the nearest point already known on its side of x0, by the cheap rule of
// a short step, to a small part of a pixel.
class IntegralColumns {
 public:
  IntegralColumns(double x0, const std::vector<double>& poles, double from, double to,
                  double tolerance)
      : x0_(x0),
        x0Defined_(DefinedAt(x0)),
        poles_(poles),
        breaks_(Breaks(from, to)),
        tolerance_(tolerance) {
    known_[x0] = 0.0;
  }

  // F(u); false where it does not exist.
  bool At(double u, double& value) {
    if (!std::isfinite(u) || AnyPointInside(poles_, x0_, u)) return false;
    const auto next = known_.lower_bound(u);
    if (next != known_.end() && next->first == u) {
      value = next->second;
      return u != x0_ || x0Defined_;
    }
    // The neighbours of u on its side of x0; x0 itself is one of them.
    const auto sameSide = [&](double k) { return (k - x0_) * (u - x0_) >= 0; };
    auto from = known_.end();
    if (next != known_.end() && sameSide(next->first)) from = next;
    if (next != known_.begin()) {
      const auto before = std::prev(next);
      if (sameSide(before->first) && (from == known_.end() || u - before->first < from->first - u))
        from = before;
    }
    if (from == known_.end()) return false;
    const Quadrature step = IntegrateStep(PartialF, from->first, u, tolerance_, breaks_);
    if (!step.exists) return false;
    value = from->second + step.value;
    known_[u] = value;
    return true;
  }

  void Fill(const double* u, std::size_t count, double* values, bool* defined) {
    for (std::size_t k = 0; k < count; ++k) defined[k] = At(u[k], values[k]);
  }

 private:
  double x0_;
  bool x0Defined_;
  const std::vector<double>& poles_;
  std::vector<double> breaks_;
  double tolerance_;
  std::map<double, double> known_;
};

}  // namespace

Quadrature IntegralWithError(double x0, double x) {
  if (!std::isfinite(x0) || !std::isfinite(x)) return {};
  return IntegralWithPoles(x0, x,
                           FindPoles(MainTerm, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0},
                                     std::min(x0, x), std::max(x0, x)));
}

double Integral(double x0, double x, bool& undefined) {
  const Quadrature q = IntegralWithError(x0, x);
  undefined = !q.exists;
  return q.exists ? q.value : 0.0;
}

TForm7::TForm7(QWidget* parent)
    : TAnalysisWindow(parent, AnalysisLesson(kLessonName, {"Funktionsterme/f(t)"})) {
  setWindowTitle(QStringLiteral("Integralfunktion"));
  pointerLayout = PictureLayout::TwoPlots;
  BuildLayout();
  picture_ = std::make_unique<TwoPlotPicture>(*paintBox);
  picture_->SetFrameOverlay(TwoPlotPicture::Upper, [this] {
    DrawTermLegend(frame_, legendBox, {QStringLiteral("f(t) = ") + DrawnTermText(termField)},
                   TermCurve(MainTerm, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0}));
  });
  ConnectHandlers();
  ShowInPicture(QStringLiteral("F(x) = "), integralReadout);
  ShowInPicture({}, signedIntegralReadout);
  ShowInPicture({}, areaReadout);
  ShowInPicture({}, sumsReadout);
  ShowInPicture({}, sumsIntegralReadout);
  InstallFieldKeys(false);

  TermIntegralMode = true;
  termField->setText(TermToDisplay(TermFt));
  CompileFieldTerm(termField);
  // The bounds the window was closed with; x0 opens at 0, x where it stands.
  RememberBoxes({legendBox, areaBox, betweenBox, sumsBox});
  ShowArea = areaBox->Checked();
  areaPanel->setVisible(ShowArea);
  ShowBetween = betweenBox->Checked();
  ShowSums = sumsBox->Checked();
  sumsPanel->setVisible(ShowSums);
  // g as it was left; a stored text that is no term is reported when its field is left.
  secondTermField->setText(TermToDisplay(KeptLesson().String(kSecondTermKey, "")));
  {
    const QuietSyntaxErrors quiet;
    CompileSecondTerm();
  }
  SumsCount = std::clamp(static_cast<int>(KeptLesson().Number(kStripCountKey, SumsCount)), 1,
                         kMaxSwitchedCount);
  ShowSumsCount();
  sumsKindBox->setCurrentIndex(
      std::clamp(static_cast<int>(KeptLesson().Number(kSumKindKey, 0)), 0, 3));
  IntegralX0 = KeptLesson().Number(kLowerBoundKey, 0);
  PointX0 = KeptLesson().Number(kUpperBoundKey, PointX0);
  {
    const QSignalBlocker x0Blocker(x0Bar), xBlocker(xBar);
    x0Bar->setValue(BarPosition(IntegralX0));
    xBar->setValue(BarPosition(PointX0));
  }
  ShowX0();
  ShowX();
  FlaechenStil = 0;  // solid
  paintBox->setCursor(ProgramCursor(4));
  examples_->LoadLines();
}

TForm7::~TForm7() { TermIntegralMode = false; }

void TForm7::KeepOwnLesson(LessonValues& own) const {
  TAnalysisWindow::KeepOwnLesson(own);
  own.SetNumber(kLowerBoundKey, IntegralX0);
  own.SetNumber(kUpperBoundKey, PointX0);
  own.SetString(kSecondTermKey, DisplayToTerm(secondTermField->text()).substr(0, kTermSettingLength));
  own.SetNumber(kStripCountKey, SumsCount);
  own.SetNumber(kSumKindKey, sumsKindBox->currentIndex());
}

void TForm7::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(paintBox, panel);
  Named(paintBox, "PaintBox1");
  column->addWidget(new QLabel(QStringLiteral("Randfunktion"), panel));
  termField = Named(AddTermRow(panel, column, QStringLiteral("f(t) ="), helpButton), "Edit1");
  Named(helpButton, "SpeedButton28");
  commentField = Named(AddCommentRow(panel, column), "Edit2");
  BuildBoundRows(panel, column);

  auto* readout = new QHBoxLayout;
  readout->addWidget(
      new QLabel(QStringLiteral("F(x) = ∫<sub>x<sub>o</sub></sub><sup>x</sup> f(t) dt ="), panel));
  integralReadout = Named(new QLabel(panel), "Label2");
  readout->addWidget(integralReadout, 1);
  column->addLayout(readout);
  BuildAreaPanel(panel, column);
  BuildSumsPanel(panel, column);

  legendBox = AddLegendBox(panel, column, [this] { animieren(); });
  valueTable =
      new ValueTableButton(this, panel,
                           {[this] { return QStringLiteral("f(t) = ") + DrawnTermText(termField); },
                            [] {
                              return QStringList{QStringLiteral("f(x)"), QStringLiteral("F(x)")};
                            },
                            [this](const std::vector<double>& xs) { return TableCells(xs); }});
  column->addWidget(valueTable->Button(), 0, Qt::AlignLeft);
  const ExampleControls examples = AddExampleControls(panel, column);
  exampleBox = Named(examples.list, "ListBox1");
  getExampleButton = Named(examples.get, "SpeedButton1");
  addExampleButton = Named(examples.add, "SpeedButton4");
  removeExampleButton = Named(examples.remove, "SpeedButton5");

  const BottomControls bottom = AddViewPadAndButtons(
      panel, column,
      [this](bool zoomed) {
        if (zoomed) AnimationStep = (x2 - x1) / std::max(frame_.width, 1);
        Redraw();
      },
      [this] { return ExportPicture([this] { Redraw(); }, PictureLayout::TwoPlots); });
  viewPad = bottom.pad;
  // SpeedButton6 is the reset of x0 here.
  SetDesignName(bottom.buttons.closeButton, "SpeedButton35");
  FinishPanel(300);
}

void TForm7::BuildBoundRows(QWidget* panel, QVBoxLayout* column) {
  // The upper bound x with its bar and animation, then the lower bound.
  auto* xRow = new QHBoxLayout;
  xRow->addWidget(new QLabel(QStringLiteral("x ="), panel));
  xField = Named(NumberField(panel, 90), "Edit4");
  xRow->addWidget(xField);
  resetXButton =
      Named(ToolButton(panel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen")),
            "SpeedButton13");
  xRow->addWidget(resetXButton);
  animationSwitch = Named(AnimationSwitch(panel), "Switch1");
  xRow->addWidget(animationSwitch);
  directionButton = Named(DirectionButton(panel), "SpeedButton2");
  xRow->addWidget(directionButton);
  xRow->addStretch();
  column->addLayout(xRow);
  xBar = Named(new QScrollBar(Qt::Horizontal, panel), "ScrollBar1");
  xBar->setRange(1, kBarSteps);
  column->addWidget(xBar);
  auto* x0Row = new QHBoxLayout;
  x0Row->addWidget(new QLabel(QStringLiteral("x<sub>o</sub> ="), panel));
  x0Field = Named(NumberField(panel, 90), "Edit3");
  x0Row->addWidget(x0Field);
  resetX0Button =
      Named(ToolButton(panel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen")),
            "SpeedButton6");
  x0Row->addWidget(resetX0Button);
  x0Row->addStretch();
  column->addLayout(x0Row);
  x0Bar = Named(new QScrollBar(Qt::Horizontal, panel), "ScrollBar2");
  x0Bar->setRange(0, kBarSteps);
  column->addWidget(x0Bar);
}

void TForm7::ConnectHandlers() {
  OnExit(termField, [this] { onTermFieldLeft(); });
  OnExit(x0Field, [this] { onX0FieldLeft(); });
  OnExit(xField, [this] { onXFieldLeft(); });
  connect(xBar, &QScrollBar::valueChanged, this, &TForm7::onXBarChanged);
  connect(x0Bar, &QScrollBar::valueChanged, this, &TForm7::onX0BarChanged);
  connect(resetXButton, &QToolButton::clicked, this, &TForm7::onResetX);
  connect(resetX0Button, &QToolButton::clicked, this, &TForm7::onResetX0);
  connect(animationSwitch, &TSwitch::OnClick, this, &TForm7::onAnimationSwitch);
  connect(directionButton, &QToolButton::clicked, this, &TForm7::onReverseDirection);
  OnExit(secondTermField, [this] { onSecondTermFieldLeft(); });
  connect(betweenBox, &TBitCheckBox::OnClick, this, [this] {
    ShowBetween = betweenBox->Checked();
    animieren();
  });
  connect(areaBox, &TBitCheckBox::OnClick, this, [this] {
    ShowArea = areaBox->Checked();
    areaPanel->setVisible(ShowArea);
    Redraw();
  });
  WatchPaintBox(paintBox);
  // x follows the mouse only over the picture; its bar takes it up on release.
  WatchDragAlongX({[this](int column) { PointX0 = ColumnX(column); },
                   [this](int column) {
                     if (column < 0 || column > paintBox->width()) return;
                     PointX0 = ColumnX(column);
                     ShowX();
                     animieren();
                   },
                   [this] { xBar->setValue(BarPosition(PointX0)); }});

  examples_ = new TExampleList(
      this, {exampleBox, getExampleButton, addExampleButton, removeExampleButton, termField},
      kExampleFile);
  examples_->BuildEntry = [this] {
    return JoinShownExample(termField->text(), commentField->text());
  };
  examples_->Apply = [this](int row, const std::string& entry) {
    termField->setText(TermToDisplay(ExampleTerm(entry)));
    commentField->setText(ShownExampleRest(examples_->Shown(row)));
    onTermFieldLeft();
  };
}

void TForm7::ShowX() {
  xField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, PointX0)));
}

void TForm7::ShowX0() {
  x0Field->setText(QString::fromStdString(FormatNumber(Nachkommastellen, IntegralX0)));
}

int TForm7::BarPosition(double v) { return PositionFromValue(v, x1, x2, kBarSteps); }

void TForm7::FormPaint() {
  picture_->Resize();
  SetPlotSize(picture_->PlotWidth(), picture_->PlotHeight());
  darstellen();
  animieren();
}

void TForm7::FormClose() {
  AnimationRunning = false;
  animationSwitch->SetChecked(false);
  sumsTimer_->stop();
  sumsSwitch->SetChecked(false);
  examples_->SaveLines();
  TermIntegralMode = false;
}

void TForm7::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  TraceCurve(CurveFrame(frame_), TermCurve(MainTerm, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0}), scaleFrom,
             scaleTo, from, to);
}

void TForm7::IntegralKurveZeichnen() {
  const double x0 = IntegralX0;
  const double dx = (x2 - x1) / std::max(frame_.width, 1);
  if (!(dx > 0)) return;
  const double from = std::min(x0, x1), to = std::max(x0, x2);
  const std::vector<double>& poles = Poles(from, to);
  // A thousandth of a pixel per step keeps the sum of all columns within the pixel.
  const double pixel = (y2 - y1) / std::max(frame_.height, 1);
  IntegralColumns columns(x0, poles, from - 4 * dx, to + 4 * dx, 1e-3 * std::fabs(pixel));
  // Once f is undefined for one value of F, the graph ends there: F counts as
  // undefined from that u on. A bound and not a flag, because the tracer also
  // asks for points between samples it has already been given.
  constexpr double kNoStop = std::numeric_limits<double>::infinity();
  double stop = kNoStop;
  const CurveBatchFunction value = [&](const double* u, std::size_t count, double* values,
                                       bool* defined) {
    // The points come in ascending order: all of them may lie past the end.
    if (count > 0 && u[0] < stop) columns.Fill(u, count, values, defined);
    for (std::size_t k = 0; k < count; ++k) {
      if (!(u[k] < stop) || !defined[k]) {
        // x0 itself may lie outside the domain with F defined beside it (ln t from 0).
        if (u[k] != x0) stop = std::min(stop, u[k]);
        values[k] = 0.0;
        defined[k] = false;
      }
    }
  };
  CurveColor = Farben::flaeche;
  // To the right. The tracer samples only the columns near the view, so a
  // bound far outside costs no more than one inside.
  if (x0 <= x2) TraceCurve(CurveFrame(frame_), value, x1, x2, x0, x2);
  if (stop != kNoStop || x0 < x1) return;
  // To the left: as far as F stays defined, walking out from x0 column by
  // column (from just right of the view when x0 lies beyond it).
  const double near = x2 + 2 * dx, far = x1 - 2 * dx;
  double u = x0 > near ? x0 - std::floor((x0 - near) / dx) * dx : x0;
  double end = x0, ignored = 0;
  for (; u >= far; u -= dx) {
    if (u != x0 && !columns.At(u, ignored)) break;
    end = u;
    if (u - dx == u) break;  // a step lost in the rounding of u would never end
  }
  if (end == x0 && x0 > near) return;
  stop = kNoStop;
  TraceCurve(CurveFrame(frame_), value, x1, x2, end, std::min(x0, near));
}

const std::vector<double>& TForm7::Poles(double from, double to) {
  // Found afresh for another term, other parameters or a range the last search did not cover.
  const PoleSearch key{MainTerm.get(),     ParamA,           ParamB, ParamC,
                       std::min(from, x1), std::max(to, x2), {}};
  const bool covered = poles_.term == key.term && poles_.a == key.a && poles_.b == key.b &&
                       poles_.c == key.c && poles_.from <= from && poles_.to >= to;
  if (!covered) {
    poles_ = key;
    poles_.points =
        FindPoles(MainTerm, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0}, key.from, key.to);
  }
  return poles_.points;
}

Quadrature TForm7::IntegralOfView(double x0, double x) {
  return IntegralWithPoles(x0, x, Poles(std::min(x0, x), std::max(x0, x)));
}

void TForm7::PlotLower() {
  frame_.axes.xName = "x";
  frame_.axes.yName = "F(x)";
  DrawCoordinateSystem(frame_);
  IntegralKurveZeichnen();
}

void TForm7::Redraw() {
  darstellen();
  animieren();
}

void TForm7::darstellen() {
  BeginFrame();
  picture_->DrawStatic(TwoPlotPicture::Upper, paintBox->font(), frame_, [this] { DrawUpperStatic(); });
  darstellen2();
}

void TForm7::DrawUpperStatic() {
  frame_.axes.xName = "t";
  frame_.axes.yName = "f(t)";
  DrawCoordinateSystem(frame_);
  CurveColor = Farben::Zeichenstift;
  KurveZeichnen(x1, x2, x1, x2);
  if (ShowArea && secondTerm_) {
    CurveColor = Farben::fStrich;
    TraceCurve(CurveFrame(frame_), TermCurve(secondTerm_, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0}), x1, x2,
               x1, x2);
  }
}

void TForm7::darstellen2() {
  BeginFrame();
  poles_.term = nullptr;  // the term, its parameters, the view or x0 may have changed
  picture_->DrawStatic(TwoPlotPicture::Lower, paintBox->font(), frame_, [this] { PlotLower(); });
  valueTable->Refresh();
}

std::vector<QString> TForm7::TableCells(const std::vector<double>& xs) {
  const std::size_t n = xs.size();
  std::vector<double> f(n);
  const auto defined = std::make_unique<bool[]>(n);
  EvalTermBatch(MainTerm, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0}, xs.data(), n, f.data(),
                defined.get());
  // One search for the poles of all rows, then each F(x) as the readout has it.
  const double x0 = IntegralX0;
  double from = x0, to = x0;
  for (double x : xs) {
    if (!std::isfinite(x)) continue;
    from = std::min(from, x);
    to = std::max(to, x);
  }
  if (std::isfinite(from) && std::isfinite(to)) Poles(from, to);
  std::vector<QString> cells(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    cells[2 * i] = CellText(f[i], defined[i]);
    const std::string integral =
        std::isfinite(xs[i]) && std::isfinite(x0) ? IntegralText(IntegralOfView(x0, xs[i])) : "";
    cells[2 * i + 1] = integral.empty() ? CellText(0, false) : QString::fromStdString(integral);
  }
  return cells;
}

std::string TForm7::IntegralText(const Quadrature& integral) {
  // Only the digits the error estimate leaves certain.
  return integral.exists ? FormatCertain(Nachkommastellen, integral.value, integral.error) : "";
}

void TForm7::IntegralKurve3Zeichnen() {
  // The bar of F(x); none where the integral does not exist (or not one digit of it
  // is certain), as its readout shows no number that looks like one.
  const Quadrature& integral = frameIntegral_;
  if (IntegralText(integral).empty()) return;
  Canvas& c = *frame_.canvas;
  c.pen.color = Farben::flaeche;
  c.pen.width = frame_.Scaled(2.0 * LineWidth);
  c.MoveTo(frame_.ScreenX(PointX0), frame_.ScreenY(integral.value));
  c.LineTo(frame_.ScreenX(PointX0), frame_.ScreenY(0));
  c.pen.width = frame_.CurvePenWidth(LineWidth);
}

void TForm7::ShowIntegral() {
  const std::string shown = IntegralText(frameIntegral_);
  integralReadout->setText(shown.empty() ? QStringLiteral("nicht definiert")
                                         : QString::fromStdString(shown) + QStringLiteral(" [FE]"));
}

void TForm7::animieren() {
  BeginFrame();
  const double x = PointX0, x0 = IntegralX0;
  frameIntegral_ = IntegralOfView(x0, x);
  // The readouts before the frame, whose legend shows them.
  ShowIntegral();
  if (ShowArea) FindAreaPieces(x0, x);
  if (ShowSums) FindSums(x0, x);
  picture_->DrawMoving(TwoPlotPicture::Upper, paintBox->font(), frame_, [&] {
    Canvas& c = *frame_.canvas;
    // The area: along the graph column by column, back along the axis. Only
    // the columns of the view (and one beyond each edge) can be seen.
    // The area ends before the first point from x0 on where the integral stops existing.
    double reach = x;
    const std::vector<double>& poles = Poles(std::min(x0, x), std::max(x0, x));
    // A singularity at x0 itself ends it only where the integral does not exist
    // from there (1/t from 0, not ln t).
    const bool fromX0 = frameIntegral_.exists;
    if (x >= x0) {
      const auto pole = fromX0 ? std::upper_bound(poles.begin(), poles.end(), x0)
                               : std::lower_bound(poles.begin(), poles.end(), x0);
      if (pole != poles.end() && *pole <= x) reach = *pole;
    } else {
      const auto pole = fromX0 ? std::lower_bound(poles.begin(), poles.end(), x0)
                               : std::upper_bound(poles.begin(), poles.end(), x0);
      if (pole != poles.begin() && *(pole - 1) >= x) reach = *(pole - 1);
    }
    const bool cut = reach != x;
    int first = std::max(frame_.ScreenX(std::min(x0, reach)), -1);
    int last = std::min(frame_.ScreenX(std::max(x0, reach)), frame_.width + 1);
    if (cut && x >= x0) --last;  // the column of the pole itself stays open
    if (cut && x < x0) ++first;
    // Where F(x) reads "nicht definiert" there is no area to show either.
    if (ShowArea && !areaPieces_.empty()) {
      for (const AreaPiece& piece : areaPieces_)
        ShadePiece(piece.from, piece.to, piece.integral.value < 0);
    } else if (first <= last && !IntegralText(frameIntegral_).empty()) {
      const std::size_t columns = static_cast<std::size_t>(last - first + 1);
      std::vector<double> t(columns), f(columns);
      const auto defined = std::make_unique<bool[]>(columns);
      for (int col = first; col <= last; ++col)
        t[col - first] = x1 + col * (x2 - x1) / std::max(frame_.width, 1);
      EvalTermBatch(MainTerm, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0}, t.data(), columns,
                    f.data(), defined.get());
      std::vector<Point> area;
      area.reserve(2 * columns);
      for (int col = first; col <= last; ++col) area.push_back({col, frame_.ScreenY(f[col - first])});
      for (int col = last; col >= first; --col) area.push_back({col, frame_.ScreenY(0)});
      const Brush saved = c.brush;
      c.brush = {Farben::flaeche, static_cast<BrushStyle>(std::clamp(FlaechenStil, 0, 7)), true};
      c.pen.color = Farben::flaeche;
      c.pen.width = frame_.Scaled(1);
      c.Polygon(area);
      c.brush = saved;
    }
    if (ShowSums) DrawStrips();
    // On screen the static picture lies over the shaded parts; an export draws it
    // again over them, so that it shows the axes and graphs as the screen does.
    if (frame_.forExport && (ShowArea || ShowSums)) DrawUpperStatic();
    c.pen.color = kBlack;
    c.pen.width = frame_.Scaled(1);
    c.MoveTo(frame_.ScreenX(x), frame_.ScreenY(F(x)));
    c.LineTo(frame_.ScreenX(x), frame_.ScreenY(0));
    const Brush saved = c.brush;
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    const int w = c.TextWidth("x");
    c.TextOut(x > x0 ? frame_.ScreenX(x) + w : frame_.ScreenX(x) - 2 * w, frame_.ScreenY(0) + 5, "x");
    c.brush = saved;
  });
  picture_->DrawMoving(TwoPlotPicture::Lower, paintBox->font(), frame_,
                      [this] { IntegralKurve3Zeichnen(); });
}

void TForm7::onTermFieldLeft() {
  CheckTermEdit(termField);
  TermFt = DisplayToTerm(termField->text()).substr(0, kTermSettingLength);
  MakeDifference();
  darstellen();
  animieren();
}

void TForm7::onX0FieldLeft() {
  ReadNumberEdit(x0Field, IntegralX0, IntegralX0);
  PlaceBarQuietly(x0Bar, IntegralX0);
  darstellen();
  animieren();
}

void TForm7::onXFieldLeft() {
  ReadNumberEdit(xField, PointX0, PointX0);
  PlaceBarQuietly(xBar, PointX0);
  animieren();
}

void TForm7::PlaceBarQuietly(QScrollBar* bar, double v) {
  // The bar at the typed value's nearest step; the value stays as typed.
  const QSignalBlocker quiet(bar);
  bar->setValue(BarPosition(v));
}

void TForm7::onXBarChanged() {
  PointX0 = ValueFromPosition(xBar->value(), x1, x2, kBarSteps);
  ShowX();
  animieren();
}

void TForm7::onX0BarChanged() {
  IntegralX0 = ValueFromPosition(x0Bar->value(), x1, x2, kBarSteps);
  ShowX0();
  darstellen2();
  animieren();
}

void TForm7::onResetX() {
  PointX0 = 0;
  ShowX();
  xBar->setValue(BarPosition(0));
  animieren();
}

void TForm7::onResetX0() {
  IntegralX0 = 0;
  ShowX0();
  x0Bar->setValue(BarPosition(0));
  darstellen2();
  animieren();
}

void TForm7::onAnimationSwitch() {
  AnimationRunning = true;
  AnimationStep = (x2 - x1) / std::max(frame_.width, 1);
  const bool alive = RunAnimation(
      this,
      [this] {
        PointX0 += AnimationStep;
        ShowX();
        animieren();
        if (PointX0 > x2) AnimationStep = -AnimationStep;
        if (PointX0 < x1) AnimationStep = -AnimationStep;
        if (!animationSwitch->Checked()) AnimationRunning = false;
      },
      [this] { Delay(FrameDelay); });
  if (!alive) return;
  xBar->setValue(BarPosition(PointX0));
  ShowX();
}

void TForm7::onReverseDirection() { AnimationStep = -AnimationStep; }

}  // namespace kurvio
