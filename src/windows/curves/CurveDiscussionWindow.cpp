// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/curves/CurveDiscussionWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "module/AnimationLoop.h"
#include "module/Controls.h"
#include "module/Cursors.h"
#include "module/DerivativeTerms.h"
#include "module/ExampleFiles.h"
#include "module/ExampleList.h"
#include "module/FrameWait.h"
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ValueTable.h"
#include "module/ViewPad.h"
#include "plot/CurveLabel.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/SpecialPoints.h"
#include "term/Term.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"

namespace kurvio {
namespace {

constexpr Color kLightGrey = 12632256;
constexpr Color kDarkGreen = 32768;
constexpr Color kRed = 255;

// f, f' and f'' with the settings' a, b, c; t and n are 0.
double F(int order, double x) {
  if (order == 0) return EvalWindowTerm(x);
  return EvalDerivative(MainTerm, order, x, 0, ParamA, ParamB, ParamC, 0);
}

// "f'(x0) = value", or "nicht definiert" where the function or derivative does not exist.
// A value that rounds to zero at the four places shown reads "0,0000".
QString Readout(const char* name, double x0, double v, bool defined) {
  return QString::fromUtf8(name) + QStringLiteral("(") +
         QString::fromStdString(FormatReadout(4, x0)) + QStringLiteral(") = ") +
         (defined ? QString::fromStdString(FormatReadout(4, v))
                  : QStringLiteral("nicht definiert"));
}

}  // namespace

TForm3::TForm3(QWidget* parent)
    : TAnalysisWindow(parent, AnalysisLesson(kLessonName, {"Funktionsterme/f(x)"})) {
  setWindowTitle(QStringLiteral("Monotonie, Krümmungsverhalten - Kurvendiskussion"));
  pointerLayout = PictureLayout::TwoPlots;
  BuildLayout();
  picture_ = std::make_unique<TwoPlotPicture>(*paintBox);
  picture_->SetFrameOverlay(TwoPlotPicture::Upper, [this] {
    DrawTermLegend(frame_, legendBox, {QStringLiteral("f(x) = ") + DrawnTermText(termField)},
                   TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}));
  });
  ConnectHandlers();
  ShowInPicture({}, functionValueReadout);
  ShowInPicture({}, firstDerivativeReadout);
  ShowInPicture({}, secondDerivativeReadout);
  InstallFieldKeys(false);

  termField->setText(TermToDisplay(TermFx));
  RestoreOwnLesson();
  ShowX0();
  CompileFieldTerm(termField);
  paintBox->setCursor(ProgramCursor(4));
  examples_->LoadLines();
}

TForm3::~TForm3() = default;

namespace {
constexpr const char* kPointKey = "x";
constexpr const char* kTraceKey = "Spur";  // anchor, left and right end
constexpr const char* kSearchKey = "Suche";  // the typed interval of "Besondere Punkte"
}  // namespace

void TForm3::RestoreOwnLesson() {
  RememberBoxes(
      {firstDerivativeBox, secondDerivativeBox, traceBox, triangleBox, legendBox, pointsBox});
  ShowPoints = pointsBox->Checked();
  pointsPanel->setVisible(ShowPoints);
  ShowFirst = firstDerivativeBox->Checked();
  ShowSecond = secondDerivativeBox->Checked();
  ShowTriangle = triangleBox->Checked();
  ShowTrace = traceBox->Checked();
  PointX0 = KeptLesson().Number(kPointKey, PointX0);
  const std::vector<double> trace = KeptLesson().Numbers(kTraceKey);
  if (trace.size() == 3 && trace[1] <= trace[0] && trace[0] <= trace[2]) {
    TraceAnchor = trace[0];
    TraceLo = trace[1];
    TraceHi = trace[2];
  }
  const std::vector<double> search = KeptLesson().Numbers(kSearchKey);
  if (search.size() == 2 && search[0] < search[1] && std::isfinite(search[1] - search[0])) {
    SearchFrom = search[0];
    SearchTo = search[1];
    SearchFollowsView = false;
  }
}

void TForm3::KeepOwnLesson(LessonValues& own) const {
  TAnalysisWindow::KeepOwnLesson(own);
  own.SetNumber(kPointKey, PointX0);
  own.SetNumbers(kTraceKey, {TraceAnchor, TraceLo, TraceHi});
  if (!SearchFollowsView) own.SetNumbers(kSearchKey, {SearchFrom, SearchTo});
}

void TForm3::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(paintBox, panel);
  Named(paintBox, "PaintBox1");
  termField = Named(AddTermRow(panel, column, QStringLiteral("f(x) ="), helpButton), "Edit1");
  Named(helpButton, "SpeedButton28");
  commentField = Named(AddCommentRow(panel, column), "Edit2");

  auto* xRow = new QHBoxLayout;
  xRow->addWidget(new QLabel(QStringLiteral("x ="), panel));
  x0Field = Named(NumberField(panel, 90), "Edit3");
  resetX0Button =
      Named(ToolButton(panel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen")),
            "SpeedButton13");
  animationSwitch = Named(AnimationSwitch(panel), "Switch4");
  directionButton = Named(DirectionButton(panel), "SpeedButton2");
  for (QWidget* w :
       std::initializer_list<QWidget*>{x0Field, resetX0Button, animationSwitch, directionButton})
    xRow->addWidget(w);
  xRow->addStretch();
  column->addLayout(xRow);

  auto* boxes = new QHBoxLayout;
  firstDerivativeBox = Named(CheckBox(panel, QStringLiteral("f' ")), "BitCheckBox1");
  secondDerivativeBox = Named(CheckBox(panel, QStringLiteral("f'' ")), "BitCheckBox2");
  traceBox = Named(CheckBox(panel, QStringLiteral("f' erzeugen")), "BitCheckBox3");
  for (TBitCheckBox* b : {firstDerivativeBox, secondDerivativeBox, traceBox}) boxes->addWidget(b);
  column->addLayout(boxes);
  triangleBox = Named(CheckBox(panel, QStringLiteral("Steigungsdreieck")), "BitCheckBox4");
  column->addWidget(triangleBox);
  functionValueReadout = Named(new QLabel(panel), "functionValueReadout");
  column->addWidget(functionValueReadout);
  firstDerivativeReadout = Named(new QLabel(panel), "Label2");
  secondDerivativeReadout = Named(new QLabel(panel), "Label3");
  column->addWidget(firstDerivativeReadout);
  column->addWidget(secondDerivativeReadout);
  derivativeTerms = new DerivativeTerms(panel, column, MainTerm);
  BuildPointsPanel(panel, column);

  legendBox = AddLegendBox(panel, column, [this] { animieren(); });
  valueTable = new ValueTableButton(this, panel, DerivativeTable([this] {
                                      return QStringLiteral("f(x) = ") + DrawnTermText(termField);
                                    }));
  column->addWidget(valueTable->Button(), 0, Qt::AlignLeft);
  const ExampleControls examples = AddExampleControls(panel, column);
  exampleBox = Named(examples.list, "ListBox1");
  getExampleButton = Named(examples.get, "SpeedButton1");
  addExampleButton = Named(examples.add, "SpeedButton4");
  removeExampleButton = Named(examples.remove, "SpeedButton5");

  viewPad = AddViewPadAndButtons(
                panel, column,
                [this](bool zoomed) {
                  if (zoomed) AnimationStep = (x2 - x1) / std::max(frame_.width, 1);
                  Redraw();
                },
                [this] { return ExportPicture([this] { Redraw(); }, PictureLayout::TwoPlots); })
                .pad;
  FinishPanel(300);
}

void TForm3::ConnectHandlers() {
  OnExit(termField, [this] { onTermFieldLeft(); });
  OnExit(x0Field, [this] { onX0FieldLeft(); });
  connect(resetX0Button, &QToolButton::clicked, this, &TForm3::onResetX0);
  connect(animationSwitch, &TSwitch::OnClick, this, &TForm3::onAnimationSwitch);
  connect(directionButton, &QToolButton::clicked, this, &TForm3::onReverseDirection);
  for (TBitCheckBox* box : {firstDerivativeBox, secondDerivativeBox, triangleBox})
    connect(box, &TBitCheckBox::OnClick, this, &TForm3::onDisplayBoxClicked);
  connect(traceBox, &TBitCheckBox::OnClick, this, &TForm3::onTraceBoxClicked);
  connect(pointsBox, &TBitCheckBox::OnClick, this, &TForm3::onPointsBoxClicked);
  OnExit(searchFromField, [this] { onSearchFieldLeft(); });
  OnExit(searchToField, [this] { onSearchFieldLeft(); });
  WatchPaintBox(paintBox);
  // A drag starts a new trace of the slope at the point pressed.
  WatchDragAlongX(
      {[this](int column) { TraceAnchor = TraceLo = TraceHi = PointX0 = ColumnX(column); },
       [this](int column) {
         PointX0 = ColumnX(column);
         ShowX0();
         animieren();
       }});

  // Examples: the term, ";  " and the comment.
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

void TForm3::ShowX0() {
  x0Field->setText(QString::fromStdString(FormatNumber(Nachkommastellen, PointX0)));
}

void TForm3::FormPaint() {
  picture_->Resize();
  SetPlotSize(picture_->PlotWidth(), picture_->PlotHeight());
  darstellen();
  animieren();
}

void TForm3::FormClose() {
  AnimationRunning = false;
  animationSwitch->SetChecked(false);
  examples_->SaveLines();
}

void TForm3::Delay(int ms) {
  if (ms <= 0)
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  else
    WaitFrame(ms, 0);
}

void TForm3::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  const TermInputs fixed{0, 0, ParamA, ParamB, ParamC, 0};
  if (CurveKind == 0)
    TraceCurve(CurveFrame(frame_), TermCurve(MainTerm, BatchInput::X, fixed), scaleFrom, scaleTo, from, to);
  else
    TraceCurve(CurveFrame(frame_), DerivativeCurve(MainTerm, CurveKind, fixed), scaleFrom, scaleTo, from, to);
}

void TForm3::Redraw() {
  darstellen();
  animieren();
}

void TForm3::darstellen() {
  BeginFrame();
  derivativeTerms->Update();
  FindPoints();
  valueTable->Refresh();
  const QFont font = paintBox->font();
  picture_->DrawStatic(TwoPlotPicture::Upper, font, frame_, [this] {
    frame_.axes.xName = "x";
    frame_.axes.yName = "y";
    DrawCoordinateSystem(frame_);
    CurveKind = 0;
    CurveColor = Farben::Zeichenstift;
    KurveZeichnen(x1, x2, x1, x2);
    LabelCurve(CurveFrame(frame_), "f", TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}));
    if (ShowPoints) DrawPointMarks();
  });
  picture_->DrawStatic(TwoPlotPicture::Lower, font, frame_, [this] {
    frame_.axes.xName = "x";
    frame_.axes.yName = "y'";
    DrawCoordinateSystem(frame_);
    if (ShowFirst) {
      CurveKind = 1;
      CurveColor = Farben::fStrich;
      KurveZeichnen(x1, x2, x1, x2);
      LabelCurve(CurveFrame(frame_), "f'", DerivativeCurve(MainTerm, 1, {0, 0, ParamA, ParamB, ParamC, 0}));
    }
    if (ShowSecond) {
      CurveKind = 2;
      CurveColor = Farben::f2Strich;
      KurveZeichnen(x1, x2, x1, x2);
      LabelCurve(CurveFrame(frame_), "f''", DerivativeCurve(MainTerm, 2, {0, 0, ParamA, ParamB, ParamC, 0}));
    }
  });
}

void TForm3::animieren() {
  BeginFrame();
  const QFont font = paintBox->font();
  const double x0 = PointX0;
  const double y0 = F(0, x0);
  const bool valueDefined = TermDefined;
  const double m = F(1, x0);
  const bool slopeDefined = TermDefined;
  const double m2 = ShowSecond ? F(2, x0) : 0.0;
  const bool curvatureDefined = ShowSecond && TermDefined;
  picture_->DrawMoving(TwoPlotPicture::Upper, font, frame_, [&] {
    Canvas& c = *frame_.canvas;
    c.pen.color = kLightGrey;
    c.pen.width = frame_.Scaled(1);
    c.pen.style = PenStyle::Solid;
    // From the point to the x-axis, and on to the bottom when the lower plot has something.
    PixelLine(frame_, frame_.ScreenX(x0), frame_.ScreenY(y0), frame_.ScreenX(x0), frame_.ScreenY(0));
    if (ShowFirst || ShowSecond) c.LineTo(frame_.ScreenX(x0), frame_.height);
    // The tangent, with its overhang, wherever f has a slope.
    if (!slopeDefined) return;
    const double d = std::cos(std::atan(m)) * Tangentenlaenge * XTickStep;
    const double intercept = y0 - m * x0;
    CurveColor = Farben::Tangente;
    TraceValueCurve(CurveFrame(frame_),
        [&](double x) {
          TermDefined = true;
          return m * x + intercept;
        },
        x1, x2, x0 - d, x0 + d);
    if (ShowTriangle) {
      const Brush saved = c.brush;
      c.brush = {Farben::Dreieck, BrushStyle::Solid, true};
      c.pen.color = Farben::Tangente;
      c.pen.width = frame_.CurvePenWidth(LineWidth);
      c.Polygon({{frame_.ScreenX(x0), frame_.ScreenY(y0)},
                 {frame_.ScreenX(x0 + 1), frame_.ScreenY(y0)},
                 {frame_.ScreenX(x0 + 1), frame_.ScreenY(y0 + m)}});
      c.brush = saved;
      c.pen.width = frame_.Scaled(2);
      c.pen.color = kDarkGreen;
      PixelLine(frame_, frame_.ScreenX(x0), frame_.ScreenY(y0), frame_.ScreenX(x0 + 1), frame_.ScreenY(y0));
      c.pen.color = kRed;
      PixelLine(frame_, frame_.ScreenX(x0 + 1), frame_.ScreenY(y0), frame_.ScreenX(x0 + 1), frame_.ScreenY(y0 + m));
    }
  });
  picture_->DrawMoving(TwoPlotPicture::Lower, font, frame_, [&] {
    Canvas& c = *frame_.canvas;
    const int X = frame_.ScreenX(x0);
    if (ShowFirst && slopeDefined) {
      c.pen.color = kLightGrey;
      c.pen.width = frame_.Scaled(1);
      PixelLine(frame_, X, 0, X, frame_.ScreenY(m));
      c.pen.color = kRed;
      c.pen.width = frame_.Scaled(2);
      PixelLine(frame_, X, frame_.ScreenY(0), X, frame_.ScreenY(m));
    }
    if (curvatureDefined) {
      c.pen.color = kLightGrey;
      c.pen.width = frame_.Scaled(1);
      PixelLine(frame_, X, 0, X, frame_.ScreenY(0));
      c.pen.color = Farben::f2Strich;
      c.pen.width = frame_.Scaled(2);
      PixelLine(frame_, X + 1, frame_.ScreenY(0), X + 1, frame_.ScreenY(m2));
    }
    if (ShowTrace) {
      if (x0 <= TraceAnchor && x0 < TraceLo) TraceLo = x0;
      if (x0 > TraceAnchor && x0 > TraceHi) TraceHi = x0;
      CurveKind = 1;
      CurveColor = Farben::fStrich;
      KurveZeichnen(x1, x2, TraceLo, TraceHi);
    }
  });
  functionValueReadout->setText(Readout("f", x0, y0, valueDefined));
  firstDerivativeReadout->setText(ShowFirst ? Readout("f'", x0, m, slopeDefined) : QString());
  secondDerivativeReadout->setText(ShowSecond ? Readout("f''", x0, m2, curvatureDefined)
                                              : QString());
}

void TForm3::onTermFieldLeft() {
  CheckTermEdit(termField);
  TermFx = DisplayToTerm(termField->text()).substr(0, kTermSettingLength);
  darstellen();
  animieren();
}

void TForm3::onX0FieldLeft() {
  ReadNumberEdit(x0Field, PointX0, PointX0);
  animieren();
}

void TForm3::onResetX0() {
  PointX0 = 0;
  ShowX0();
  animieren();
}

void TForm3::onAnimationSwitch() {
  AnimationRunning = true;
  AnimationStep = (x2 - x1) / std::max(frame_.width, 1);
  RunAnimation(
      this,
      [this] {
        PointX0 += AnimationStep;
        ShowX0();
        animieren();
        if (PointX0 > x2) AnimationStep = -AnimationStep;
        if (PointX0 < x1) AnimationStep = -AnimationStep;
        if (!animationSwitch->Checked()) AnimationRunning = false;
      },
      [this] { Delay(FrameDelay); });
}

void TForm3::BuildPointsPanel(QWidget* panel, QVBoxLayout* column) {
  QVBoxLayout* inner = AddSwitchedPanel(panel, column, QStringLiteral("Besondere Punkte"),
                                        "pointsBox", pointsBox, pointsPanel);
  auto* range = new QHBoxLayout;
  range->addWidget(new QLabel(QStringLiteral("von"), pointsPanel));
  searchFromField = Named(NumberField(pointsPanel, 80), "searchFromField");
  range->addWidget(searchFromField);
  range->addWidget(new QLabel(QStringLiteral("bis"), pointsPanel));
  searchToField = Named(NumberField(pointsPanel, 80), "searchToField");
  range->addWidget(searchToField);
  range->addStretch();
  inner->addLayout(range);
  searchReadout = Named(new QLabel(pointsPanel), "searchReadout");
  inner->addWidget(searchReadout);
  pointsList = Named(new QListWidget(pointsPanel), "pointsList");
  pointsList->setMinimumHeight(160);
  // Long rows wrap rather than hide behind a scroll bar (the texts are twice as large in
  // presentation mode).
  pointsList->setWordWrap(true);
  pointsList->setResizeMode(QListView::Adjust);
  pointsList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScaleLikeReadouts(pointsList);
  inner->addWidget(pointsList);
}

void TForm3::FindPoints() {
  if (!ShowPoints) return;
  if (SearchFollowsView) {
    SearchFrom = x1;
    SearchTo = x2;
  }
  searchFromField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, SearchFrom)));
  searchToField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, SearchTo)));
  searchReadout->setText(QString::fromStdString(SearchedText(SearchFrom, SearchTo)));
  const CurveFeatures features =
      FindCurveFeatures(MainTerm, {0, 0, ParamA, ParamB, ParamC, 0}, SearchFrom, SearchTo);
  const ExactKey key{termField->text().toStdString(), ParamA, ParamB, ParamC, SearchFrom, SearchTo};
  if (!(key == exactFor_)) {
    exactPoints_ = ExactPointsOf(MainTerm.get(), ParamA, ParamB, ParamC, SearchFrom, SearchTo);
    exactFor_ = key;
  }
  pointTexts_ = DescribeFeatures(features, Nachkommastellen, exactPoints_);
  pointsList->clear();
  for (const std::string& row : pointTexts_.rows) pointsList->addItem(QString::fromStdString(row));
  // Room for the rows without scrolling, up to a dozen (a wrapped row is taller).
  int height = 0;
  for (int row = 0; row < std::min(pointsList->count(), 12); ++row)
    height += pointsList->sizeHintForRow(row);
  const int least = 4 * std::max(pointsList->sizeHintForRow(0), QFontMetrics(pointsList->font()).height());
  // Never so tall that the panel's other rows are squeezed.
  pointsList->setMinimumHeight(std::min(std::max(height, least), std::max(least, this->height() / 3)) +
                               2 * pointsList->frameWidth());
}

void TForm3::DrawPointMarks() {
  Canvas& c = *frame_.canvas;
  const int r = frame_.Scaled(3);
  c.pen.color = 0;
  c.pen.width = frame_.Scaled(1);
  c.pen.style = PenStyle::Solid;
  // The ends of the interval are listed, not marked: they lie on the plot's border.
  const auto inView = [](const NamedPoint& p) {
    return p.name[0] != 'R' && p.x >= x1 && p.x <= x2 && p.y >= y1 && p.y <= y2;
  };
  const Brush saved = c.brush;
  c.brush = {0, BrushStyle::Solid, false};
  for (const NamedPoint& p : pointTexts_.marks)
    if (inView(p))
      c.Ellipse(frame_.ScreenX(p.x) - r, frame_.ScreenY(p.y) - r, frame_.ScreenX(p.x) + r + 1, frame_.ScreenY(p.y) + r + 1);
  c.brush = saved;
  c.font.color = 0;
  const int h = c.TextHeight("N");
  for (const NamedPoint& p : pointTexts_.marks) {
    if (!inView(p)) continue;
    const int X = frame_.ScreenX(p.x), Y = frame_.ScreenY(p.y);
    const int w = WrittenTextWidth(c, p.name);
    TextOutClear(frame_, p.name, {{X + 2 * r, Y - h - r},
                          {X + 2 * r, Y + r},
                          {X - 2 * r - w, Y - h - r},
                          {X - 2 * r - w, Y + r}});
  }
}

void TForm3::onPointsBoxClicked() {
  ShowPoints = pointsBox->Checked();
  pointsPanel->setVisible(ShowPoints);
  Redraw();
}

void TForm3::onSearchFieldLeft() {
  double from = SearchFrom, to = SearchTo;
  ReadNumberEdit(searchFromField, from, SearchFrom);
  ReadNumberEdit(searchToField, to, SearchTo);
  if (from > to) std::swap(from, to);
  if (from == to) {
    from = SearchFrom;
    to = SearchTo;
  }
  if (from == SearchFrom && to == SearchTo) {
    FindPoints();
    return;
  }
  SearchFrom = from;
  SearchTo = to;
  SearchFollowsView = false;
  Redraw();
}

void TForm3::onReverseDirection() { AnimationStep = -AnimationStep; }

void TForm3::onDisplayBoxClicked() {
  ShowFirst = firstDerivativeBox->Checked();
  ShowSecond = secondDerivativeBox->Checked();
  ShowTriangle = triangleBox->Checked();
  darstellen();
  animieren();
}

void TForm3::onTraceBoxClicked() {
  ShowTrace = traceBox->Checked();
  if (ShowTrace)
    TraceAnchor = TraceLo = TraceHi = PointX0;
  else
    animieren();
}

}  // namespace kurvio
