// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/curves/TangentWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "module/AnimationLoop.h"
#include "module/Controls.h"
#include "module/Cursors.h"
#include "module/DrawOn.h"
#include "module/ExampleList.h"
#include "module/NumberScroll.h"
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ValueTable.h"
#include "module/ViewPad.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermText.h"
#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TSwitch.h"

namespace kurvio {
namespace {

constexpr Color kLightGrey = 12632256;
constexpr Color kDarkGreen = 32768;
constexpr Color kRed = 255;

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// The slope readouts: up to 5 significant digits; a slope within `rounding`, what rounding
// alone may leave of a true zero, is 0.
QString SlopeText(double m, double rounding) {
  return QString::fromStdString(FormatGeneral(ZeroWithin(m, rounding), 5, DecimalSeparator));
}

double Overhang(double slope) { return std::cos(std::atan(slope)) * Tangentenlaenge * XTickStep; }

}  // namespace

TForm8::TForm8(QWidget* parent)
    : TAnalysisWindow(
          parent, AnalysisLesson(kLessonName, {"Funktionsterme/f(x)", "xP xQ Koordinaten/xP",
                                                      "xP xQ Koordinaten/xQ"})) {
  setWindowTitle(QStringLiteral("Tangentenproblem"));
  BuildLayout();
  ConnectHandlers();
  ShowInPicture(QStringLiteral("m_s = "), secantSlopeReadout);
  ShowInPicture(QStringLiteral("m_t = "), tangentSlopeReadout);
  InstallFieldKeys(false);

  FixedSecants.MakeEmpty();
  Examples.MakeEmpty();
  RestoreOwnLesson();
  termField->setText(TermToDisplay(TermFx));
  pScroll_->ShowValue();
  qScroll_->ShowValue();
  // A faulty stored term is reported when its field is left, not on opening.
  CompileFieldTerm(termField);
  paintBox->setCursor(ProgramCursor(5));
  Datei_laden();
  XTickStep = 1.0;
}

TForm8::~TForm8() { FixedSecants.DeleteAll(); }

namespace {
constexpr const char* kSecantsKey = "Sekanten";
constexpr const char* kSecantColoursKey = "Sekantenfarben";
}  // namespace

void TForm8::RestoreOwnLesson() {
  RememberBoxes(
      {tangentBox, labelsBox, secantTriangleBox, guidesBox, tangentTriangleBox, legendBox});
  onDisplayBoxClicked();  // nothing is drawn before the window shows
  // Oldest first, so that the newest ends up in front again.
  const std::vector<double> xs = KeptLesson().Numbers(kSecantsKey);
  const std::vector<double> colours = KeptLesson().Numbers(kSecantColoursKey);
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const Color colour = i < colours.size()
                             ? static_cast<Color>(std::clamp(colours[i], 0.0, 16777215.0))
                             : Farben::Sekante;
    FixedSecants.InsertFront({xs[i], colour});
  }
  UpdateDeleteButtons();
}

void TForm8::KeepOwnLesson(LessonValues& own) const {
  TAnalysisWindow::KeepOwnLesson(own);
  std::vector<double> xs, colours;
  for (std::size_t i = FixedSecants.Count(); i >= 1; --i) {
    FixedSecant s;
    if (!FixedSecants.Read(i, s)) continue;
    xs.push_back(s.xQ);
    colours.push_back(static_cast<double>(s.color));
  }
  own.SetNumbers(kSecantsKey, xs);
  own.SetNumbers(kSecantColoursKey, colours);
}

void TForm8::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(paintBox, panel);
  Named(paintBox, "PaintBox1");
  paintBox->SetPicture(&bitmap_);
  termField = Named(AddTermRow(panel, column, QStringLiteral("f(x) ="), helpButton), "Edit1");
  Named(helpButton, "SpeedButton28");
  BuildPointRows(panel, column);
  BuildSecantRows(panel, column);
  BuildTangentRows(panel, column);

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
                panel, column, [this](bool zoomed) { ViewChanged(zoomed); },
                [this] {
                  return ExportPicture([this] { animieren(); }, PictureLayout::OnePlot, &bitmap_);
                })
                .pad;
  FinishPanel(330);
}

void TForm8::BuildPointRows(QWidget* panel, QVBoxLayout* column) {
  // P and Q with their scroll bars.
  auto* points = new QGridLayout;
  points->setVerticalSpacing(2);
  auto pointRow = [&](int row, const QString& label, QLineEdit*& edit, QScrollBar*& bar,
                      QToolButton*& reset, const char* editName, const char* barName,
                      const char* resetName) {
    points->addWidget(new QLabel(label, panel), row, 0);
    edit = Named(NumberField(panel, 90), editName);
    points->addWidget(edit, row, 1);
    reset = Named(ToolButton(panel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen")),
                  resetName);
    points->addWidget(reset, row, 2);
    bar = Named(new QScrollBar(Qt::Horizontal, panel), barName);
    bar->setRange(1, 200);
    points->addWidget(bar, row + 1, 0, 1, 5);
  };
  pointRow(0, QStringLiteral("x<sub>P</sub> ="), pointPField, pointPBar, resetPButton, "Edit2",
           "ScrollBar1", "SpeedButton2");
  pointRow(2, QStringLiteral("x<sub>Q</sub> ="), pointQField, pointQBar, resetQButton, "Edit5",
           "ScrollBar2", "SpeedButton12");
  animationSwitch = Named(AnimationSwitch(panel), "Switch1");
  points->addWidget(animationSwitch, 2, 3);
  directionButton = Named(DirectionButton(panel), "SpeedButton25");
  points->addWidget(directionButton, 2, 4);
  points->setColumnStretch(3, 1);
  column->addLayout(points);
}

void TForm8::BuildSecantRows(QWidget* panel, QVBoxLayout* column) {
  auto* secant = new QGridLayout;
  secant->setVerticalSpacing(2);
  labelsBox = Named(CheckBox(panel, QStringLiteral("Beschriftung")), "BitCheckBox2");
  guidesBox = Named(CheckBox(panel, QStringLiteral("Hilfslinien")), "BitCheckBox4");
  secantTriangleBox =
      Named(CheckBox(panel, QStringLiteral("Sekantensteigungsdreieck")), "BitCheckBox3");
  secantColorButton = new TColorButton(panel);
  secantColorButton->SetDefaultText(QStringLiteral("Sekante"));
  secantColorButton->setToolTip(QStringLiteral("Sekante"));
  Named(secantColorButton, "ColorButton1");
  secant->addWidget(labelsBox, 0, 0);
  secant->addWidget(guidesBox, 0, 1);
  secant->addWidget(secantTriangleBox, 1, 0);
  secant->addWidget(secantColorButton, 1, 1, Qt::AlignLeft);
  fixSecantButton =
      Named(new QPushButton(QStringLiteral("Sekante fixieren"), panel), "SpeedButton13");
  deleteSecantButton =
      Named(new QPushButton(QStringLiteral("Sekante löschen"), panel), "SpeedButton16");
  clearSecantsButton =
      Named(new QPushButton(QStringLiteral("Liste löschen"), panel), "SpeedButton24");
  auto* fixRow = new QHBoxLayout;
  for (QPushButton* b : {fixSecantButton, deleteSecantButton, clearSecantsButton})
    fixRow->addWidget(b);
  secant->addLayout(fixRow, 2, 0, 1, 2);
  auto* secantSlope = new QHBoxLayout;
  // The grid's spacing is not the row's: "m_s = 3" keeps its gap as "m_t = 2" does.
  secantSlope->setSpacing(column->spacing());
  secantSlope->addWidget(new QLabel(QStringLiteral("Sekantensteigung  m<sub>s</sub> ="), panel));
  secantSlopeReadout = Named(new QLabel(panel), "Label7");
  secantSlope->addWidget(secantSlopeReadout, 1);
  secant->addLayout(secantSlope, 3, 0, 1, 2);
  column->addLayout(secant);
}

void TForm8::BuildTangentRows(QWidget* panel, QVBoxLayout* column) {
  auto* tangent = new QGridLayout;
  tangentBox = Named(CheckBox(panel, QStringLiteral("Tangente")), "BitCheckBox1");
  tangentTriangleBox =
      Named(CheckBox(panel, QStringLiteral("Tangentensteigungsdreieck")), "BitCheckBox5");
  tangent->addWidget(tangentBox, 0, 0);
  tangent->addWidget(tangentTriangleBox, 0, 1);
  auto* tangentSlope = new QHBoxLayout;
  tangentSlope->addWidget(new QLabel(QStringLiteral("Tangentensteigung m<sub>t</sub> ="), panel));
  tangentSlopeReadout = Named(new QLabel(QStringLiteral("?"), panel), "Label13");
  tangentSlope->addWidget(tangentSlopeReadout, 1);
  tangent->addLayout(tangentSlope, 1, 0, 1, 2);
  column->addLayout(tangent);
}

void TForm8::ConnectHandlers() {
  OnExit(termField, [this] { onTermFieldLeft(); });
  const auto left = [] { return x1; };
  const auto right = [] { return x2; };
  const auto redraw = [this] { animieren(); };
  pScroll_ = new TNumberScroll(this, pointPField, pointPBar, xP, left, right, redraw);
  qScroll_ = new TNumberScroll(this, pointQField, pointQBar, xQ, left, right, redraw);
  connect(resetPButton, &QToolButton::clicked, this, [this] {
    pScroll_->SetValue(StartValues.xP);
    animieren();
  });
  connect(resetQButton, &QToolButton::clicked, this, [this] {
    qScroll_->SetValue(StartValues.xQ);
    animieren();
  });
  connect(animationSwitch, &TSwitch::OnClick, this, &TForm8::onAnimationSwitch);
  connect(directionButton, &QToolButton::clicked, this, &TForm8::onReverseDirection);
  connect(fixSecantButton, &QPushButton::clicked, this, &TForm8::onFixSecant);
  connect(deleteSecantButton, &QPushButton::clicked, this, &TForm8::onDeleteSecant);
  connect(clearSecantsButton, &QPushButton::clicked, this, &TForm8::onClearSecants);
  for (TBitCheckBox* box :
       {tangentBox, labelsBox, secantTriangleBox, guidesBox, tangentTriangleBox})
    connect(box, &TBitCheckBox::OnClick, this, &TForm8::onDisplayBoxClicked);
  connect(secantColorButton, &TColorButton::OnChange, this, [this] { animieren(); });
  WatchPaintBox(paintBox);
  WatchDragAlongX({[this](int column) { xQ = frame_.WorldX(column); },
                   [this](int column) {
                     xQ = frame_.WorldX(column);
                     qScroll_->ShowValue();
                     animieren();
                   }});

  // The example list: the term alone is the entry, the view and P and Q its record.
  examples_ = new TExampleList(
      this, {exampleBox, getExampleButton, addExampleButton, removeExampleButton, termField},
      kExampleFile);
  examples_->MaxEntries = kTangentExampleSlots;
  examples_->Added = [this](int) { Examples.InsertAfter(Examples.Count(), CurrentValues()); };
  examples_->Removed = [this](int row) { Examples.Delete(static_cast<std::size_t>(row) + 1); };
  examples_->Apply = [this](int row, const std::string&) { ApplyExample(row); };
  UpdateDeleteButtons();
}

TangentExample TForm8::CurrentValues() const { return {xP, xQ, x1, x2, y1, y2}; }

void TForm8::ApplyExample(int row) {
  TangentExample e;
  if (!Examples.Read(static_cast<std::size_t>(row) + 1, e)) return;
  termField->setText(examples_->Shown(row));
  x1 = e.x1;
  x2 = e.x2;
  y1 = e.y1;
  y2 = e.y2;
  // The bars take the new view first; a bar clipped to its new end must not move P or Q.
  BeginFrame();
  BarsFollowView();
  pScroll_->SetValue(e.xP);
  qScroll_->SetValue(e.xQ);
  onTermFieldLeft();
}

void TForm8::ShowExamples(const std::vector<TangentEntry>& entries) {
  Examples.MakeEmpty();
  std::vector<std::string> terms;
  for (const TangentEntry& e : entries) {
    terms.push_back(e.term);
    Examples.InsertAfter(Examples.Count(), e.values);
  }
  examples_->SetTexts(terms);
}

void TForm8::Datei_laden() {
  examplesRead_ =
      ParseTangentExamples(examples_->OpenFile().value_or(std::string()), CurrentValues());
  ShowExamples(examplesRead_);
}

bool TForm8::Datei_speichern() {
  const std::vector<std::string> terms = examples_->Texts();
  std::vector<TangentEntry> entries;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    TangentEntry e{terms[i], {}};
    Examples.Read(i + 1, e.values);
    entries.push_back(e);
  }
  if (entries == examplesRead_) return true;
  std::vector<TangentEntry> saved = entries, leftOut;
  bool merged = false;
  const bool written = examples_->WriteFile(
      [&](const std::string* now) -> std::optional<std::string> {
        if (now)
          saved = MergeTangentExamples(examplesRead_, entries,
                                       ParseTangentExamples(*now, CurrentValues()), leftOut);
        return WriteTangentExamples(saved, now ? *now : examples_->FileText(), DecimalSeparator);
      },
      &merged);
  if (!written) return false;
  examplesRead_ = saved;
  if (merged) ShowExamples(saved);
  if (!leftOut.empty()) {
    std::vector<std::string> left;
    for (const TangentEntry& e : leftOut) left.push_back(e.term);
    examples_->ReportLeftOut(left);
  }
  return leftOut.empty();
}

void TForm8::BarsFollowView() {
  const int max = BarMaxForTicks(x2 - x1, XTickStep);
  pScroll_->FollowView(max);
  qScroll_->FollowView(max);
}

void TForm8::FormPaint() {
  FitPictureToPaintBox(bitmap_);
  secantColorButton->SetSelectionColor(static_cast<int>(Farben::Sekante));
  BarsFollowView();
  animieren();
  valueTable->Refresh();
}

void TForm8::FormClose() {
  AnimationRunning = false;
  Datei_speichern();
}

void TForm8::onTermFieldLeft() {
  CheckTermEdit(termField);
  TermFx = DisplayToTerm(termField->text()).substr(0, kTermSettingLength);
  animieren();
  valueTable->Refresh();
}

void TForm8::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  if (curveKind_ == 1) {
    TraceValueCurve(CurveFrame(frame_),
        [this](double x) {
          TermDefined = true;
          return lineSlope_ * x + lineIntercept_;
        },
        scaleFrom, scaleTo, from, to);
    return;
  }
  TraceCurve(CurveFrame(frame_), TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}), scaleFrom,
             scaleTo, from, to);
}

void TForm8::DrawPointMarks(double p, double yp, double q, double yq, bool current) {
  Canvas& c = *frame_.canvas;
  const int r = frame_.Scaled(3);
  c.pen.color = kBlack;
  c.pen.width = frame_.Scaled(1);
  c.pen.style = PenStyle::Solid;
  for (const auto& [x, y] : {std::pair{p, yp}, std::pair{q, yq}})
    c.Ellipse(frame_.ScreenX(x) - r, frame_.ScreenY(y) - r, frame_.ScreenX(x) + r, frame_.ScreenY(y) + r);

  c.pen.color = kLightGrey;
  if (ShowGuides) {
    WorldLine(frame_, q, yq, q, 0);
    WorldLine(frame_, p, yp, p, 0);
    WorldLine(frame_, p, yp, 0, yp);
    WorldLine(frame_, q, yq, 0, yq);
  }
  if (ShowLabels && current) {
    // Above left of its point where there is room, else above right, below left or right.
    for (const auto& [x, y, name] : {std::tuple{q, yq, "Q"}, std::tuple{p, yp, "P"}}) {
      const int X = frame_.ScreenX(x), Y = frame_.ScreenY(y);
      TextOutClear(frame_, name, {{X - frame_.Scaled(8), Y - frame_.Scaled(20)},
                          {X + frame_.Scaled(4), Y - frame_.Scaled(20)},
                          {X - frame_.Scaled(8), Y + frame_.Scaled(4)},
                          {X + frame_.Scaled(4), Y + frame_.Scaled(4)}});
    }
  }
}

void TForm8::DrawSecant(double q, Color color, bool current) {
  Canvas& c = *frame_.canvas;
  Farben::Sekante = color;
  const double p = xP;
  const double yq = EvalWindowTerm(q);
  if (!TermDefined) return;
  const double yp = EvalWindowTerm(p);
  if (!TermDefined) return;
  DrawPointMarks(p, yp, q, yq, current);

  double m = 0, d = 0;
  if (q != p) {
    m = (yq - yp) / (q - p);
    // The difference of two values, each rounded once, over the distance.
    secantSlopeReadout->setText(
        SlopeText(m, 4 * kEpsilon * (std::fabs(yq) + std::fabs(yp)) / std::fabs(q - p)));
    d = Overhang(m);
  } else {
    secantSlopeReadout->setText(QStringLiteral("nicht definiert!"));
  }
  const bool qLeft = q < p;
  const double xL = qLeft ? q : p, yL = qLeft ? yq : yp;
  const double xR = qLeft ? p : q, yR = qLeft ? yp : yq;
  if (ShowGuides) {
    c.pen.color = kLightGrey;
    c.pen.width = frame_.Scaled(1);
    c.MoveTo(frame_.ScreenX(xL), frame_.ScreenY(yL));
    c.LineTo(frame_.ScreenX(xR), frame_.ScreenY(yL));
    c.LineTo(frame_.ScreenX(xR), frame_.ScreenY(yR));
  }
  if (ShowSecantTriangle && current) {
    const Brush saved = c.brush;
    c.brush = {Farben::Dreieck, BrushStyle::Solid, true};
    c.pen.color = kLightGrey;
    c.pen.width = frame_.Scaled(1);
    c.Polygon({{frame_.ScreenX(xL), frame_.ScreenY(yL)}, {frame_.ScreenX(xR), frame_.ScreenY(yL)}, {frame_.ScreenX(xR), frame_.ScreenY(yR)}});
    c.brush = saved;
    c.pen.width = frame_.Scaled(2);
    c.pen.color = kDarkGreen;
    WorldLine(frame_, xL, yL, xR, yL);
    c.pen.color = kRed;
    WorldLine(frame_, xR, yL, xR, yR);
    c.pen.width = frame_.Scaled(1);
  }
  if (q != p) {
    curveKind_ = 1;
    lineSlope_ = m;
    lineIntercept_ = yq - m * q;
    CurveColor = color;
    KurveZeichnen(x1, x2, xL - d, xR + d);
  }
  DrawTangent(p, yp);
}

void TForm8::DrawTangent(double p, double yp) {
  if (!ShowTangent) {
    tangentSlopeReadout->setText(QStringLiteral("?"));
    return;
  }
  const double mt = EvalDerivative(MainTerm, 1, p, 0, ParamA, ParamB, ParamC, 0);
  if (!TermDefined) {
    tangentSlopeReadout->setText(QStringLiteral("nicht definiert!"));
    return;
  }
  const double curvature = EvalDerivative(MainTerm, 2, p, 0, ParamA, ParamB, ParamC, 0);
  tangentSlopeReadout->setText(
      SlopeText(mt, SlopeRounding(p, yp, TermDefined ? curvature : std::nan(""))));
  const double dt = Overhang(mt);
  curveKind_ = 1;
  lineSlope_ = mt;
  lineIntercept_ = yp - mt * p;
  CurveColor = Farben::Tangente;
  KurveZeichnen(x1, x2, p - dt, p + dt);
  if (ShowTangentTriangle) {
    Canvas& c = *frame_.canvas;
    c.pen.width = frame_.Scaled(2);
    c.pen.color = kDarkGreen;
    WorldLine(frame_, p, yp, p + 1, yp);
    c.pen.color = kRed;
    WorldLine(frame_, p + 1, yp, p + 1, yp + mt);
    c.pen.width = frame_.Scaled(1);
  }
}

void TForm8::animieren() {
  BeginFrame();
  if (!frame_.forExport) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  DrawOn(bitmap_, paintBox->font(), frame_, [this] {
    Canvas& c = *frame_.canvas;
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    // Oldest fixed secant first: the list holds the newest at position 1.
    for (std::size_t i = FixedSecants.Count(); i >= 1; --i) {
      FixedSecant s;
      if (FixedSecants.Read(i, s)) DrawSecant(s.xQ, s.color, false);
    }
    DrawSecant(xQ, static_cast<Color>(secantColorButton->SelectionColor()), true);
    frame_.axes.xName = "x";
    frame_.axes.yName = "y";
    DrawCoordinateSystem(frame_);
    curveKind_ = 0;
    CurveColor = Farben::Zeichenstift;
    KurveZeichnen(x1, x2, x1, x2);
    DrawTermLegend(frame_, legendBox, {QStringLiteral("f(x) = ") + DrawnTermText(termField)},
                   TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}));
  });
  if (!frame_.forExport) paintBox->Show();
}

void TForm8::ViewChanged(bool zoomed) {
  if (zoomed) AnimationStep = (x2 - x1) / std::max(frame_.width, 1);
  BeginFrame();  // the bars count a hundred positions per tick step of the new view
  BarsFollowView();
  animieren();
}

void TForm8::onAnimationSwitch() {
  AnimationRunning = true;
  AnimationStep = (x2 - x1) / std::max(Schrittzahl, 1);
  const bool alive = RunAnimation(
      this,
      [this] {
        xQ += AnimationStep;
        qScroll_->ShowValue();
        animieren();
        if (xQ > x2) AnimationStep = -AnimationStep;
        if (xQ < x1) AnimationStep = -AnimationStep;
      },
      [this] {
        Delay(FrameDelay);
        if (!animationSwitch->Checked()) AnimationRunning = false;
      });
  if (alive) qScroll_->PositionFromValue();
}

void TForm8::onReverseDirection() { AnimationStep = -AnimationStep; }

void TForm8::UpdateDeleteButtons() {
  const bool any = !FixedSecants.IsEmpty();
  deleteSecantButton->setEnabled(any);
  clearSecantsButton->setEnabled(any);
}

void TForm8::onFixSecant() {
  FixedSecants.InsertFront({xQ, static_cast<Color>(secantColorButton->SelectionColor())});
  UpdateDeleteButtons();
  animieren();
}

void TForm8::onDeleteSecant() {
  FixedSecants.Delete(1);
  UpdateDeleteButtons();
  animieren();
}

void TForm8::onClearSecants() {
  FixedSecants.DeleteAll();
  UpdateDeleteButtons();
  animieren();
}

void TForm8::onDisplayBoxClicked() {
  ShowTangent = tangentBox->Checked();
  ShowLabels = labelsBox->Checked();
  ShowSecantTriangle = secantTriangleBox->Checked();
  ShowGuides = guidesBox->Checked();
  ShowTangentTriangle = tangentTriangleBox->Checked();
  animieren();
}

}  // namespace kurvio
