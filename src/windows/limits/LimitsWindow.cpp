// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/limits/LimitsWindow.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "module/Controls.h"
#include "module/Cursors.h"
#include "module/DrawOn.h"
#include "module/ExampleFiles.h"
#include "module/ExampleList.h"
#include "module/NumberScroll.h"
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ViewPad.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "term/Term.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"

namespace kurvio {
namespace {

constexpr int kRadiusBarMax = 200;

// The full scale of the epsilon and delta bars; a radius of 0 would leave no strip
// and no neighbourhood, so an unusable setting counts as its default.
constexpr const char* kEpsilonKey = "epsilon";
constexpr const char* kDeltaKey = "delta";

double MaxRadius() { return edmax > 0.0 && std::isfinite(edmax) ? edmax : 2.0; }

QLabel* RichLabel(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::RichText);
  return label;
}

}  // namespace

TForm11::TForm11(QWidget* parent)
    : TAnalysisWindow(parent, AnalysisLesson(kLessonName, {"Funktionsterme/Stetigkeit f1(x)",
                                                           "Funktionsterme/Stetigkeit f2(x)",
                                                           "xP xQ Koordinaten/xP",
                                                           "eps-delta-Umgebung maxRadius/edmax"})) {
  setWindowTitle(QStringLiteral("Grenzwert - Stetigkeit"));
  BuildLayout();
  ConnectHandlers();
  InstallFieldKeys(false);

  f1Field->setText(TermToDisplay(TermStetigkeitF1));
  f2Field->setText(TermToDisplay(TermStetigkeitF2));
  // ε and δ as the window was closed with, each within the largest radius.
  const auto radius = [this](const char* key, double opening) {
    const double r = KeptLesson().Number(key, opening);
    return r > 0 && r <= MaxRadius() ? r : opening;
  };
  delta = radius(kDeltaKey, MaxRadius() / 2);
  eps = radius(kEpsilonKey, 1.0);
  xoScroll_->ShowValue();
  epsScroll_->ShowValue();
  deltaScroll_->ShowValue();
  RememberBoxes({labelsBox, legendBox});
  ShowLabels = labelsBox->Checked();
  XTickStep = 1.0;
  paintBox->setCursor(ProgramCursor(1));
  Datei_laden();
}

TForm11::~TForm11() = default;

void TForm11::KeepOwnLesson(LessonValues& own) const {
  TAnalysisWindow::KeepOwnLesson(own);
  own.SetNumber(kEpsilonKey, eps);
  own.SetNumber(kDeltaKey, delta);
}

void TForm11::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(paintBox, panel);
  Named(paintBox, "PaintBox1");
  paintBox->SetPicture(&bitmap_);
  BuildTermRows(panel, column);
  BuildNumberRows(panel, column);
  BuildColourRows(panel, column);

  legendBox = AddLegendBox(panel, column, [this] { animieren(); });
  const ExampleControls examples = AddExampleControls(panel, column);
  exampleListBox = Named(examples.list, "ListBox1");
  getExampleButton = Named(examples.get, "SpeedButton1");
  addExampleButton = Named(examples.add, "SpeedButton4");
  removeExampleButton = Named(examples.remove, "SpeedButton5");

  const BottomControls bottom = AddViewPadAndButtons(
      panel, column, [this](bool) { ViewChanged(); },
      [this] { return ExportPicture([this] { animieren(); }, PictureLayout::OnePlot, &bitmap_); });
  viewPad = bottom.pad;
  buttons = bottom.buttons;
  FinishPanel(360);
}

// "f(x) =", a brace over both rows, and the two pieces with their ranges.
void TForm11::BuildTermRows(QWidget* panel, QVBoxLayout* column) {
  auto* terms = new QGridLayout;
  terms->setVerticalSpacing(2);
  terms->setHorizontalSpacing(4);
  terms->addWidget(new QLabel(QStringLiteral("f(x) ="), panel), 0, 0, 2, 1);
  auto* brace = new QLabel(QStringLiteral("{"), panel);
  QFont braceFont = brace->font();
  braceFont.setPointSize(braceFont.pointSize() * 3);
  brace->setFont(braceFont);
  terms->addWidget(brace, 0, 1, 2, 1);
  auto termField = [panel] {
    auto* edit = new QLineEdit(panel);
    LimitTermField(edit, kTermFieldLength);
    return edit;
  };
  f1Field = Named(termField(), "Edit1");
  f2Field = Named(termField(), "Edit3");
  terms->addWidget(f1Field, 0, 2);
  terms->addWidget(f2Field, 1, 2);
  terms->addWidget(RichLabel(panel, QStringLiteral("für x ≤ x<sub>0</sub>")), 0, 3);
  terms->addWidget(RichLabel(panel, QStringLiteral("für x &gt; x<sub>0</sub>")), 1, 3);
  helpButton = Named(MakeHelpButton(panel), "SpeedButton28");
  terms->addWidget(helpButton, 0, 4);
  terms->setColumnStretch(2, 1);
  column->addLayout(terms);
}

// xo, epsilon and delta: each a field, a reset button and a bar below them.
void TForm11::BuildNumberRows(QWidget* panel, QVBoxLayout* column) {
  auto* numbers = new QGridLayout;
  numbers->setVerticalSpacing(2);
  auto numberRow = [&](int row, const QString& label, QLineEdit*& edit, QScrollBar*& bar,
                       QToolButton*& reset, const char* const names[3]) {
    numbers->addWidget(RichLabel(panel, label), row, 0);
    edit = NumberField(panel, 90);
    Named(edit, names[0]);
    numbers->addWidget(edit, row, 1);
    reset = ToolButton(panel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen"));
    Named(reset, names[2]);
    numbers->addWidget(reset, row, 2);
    bar = new QScrollBar(Qt::Horizontal, panel);
    bar->setRange(1, kRadiusBarMax);
    Named(bar, names[1]);
    numbers->addWidget(bar, row + 1, 0, 1, 4);
  };
  const char* const xoNames[] = {"Edit2", "ScrollBar1", "SpeedButton2"};
  const char* const epsilonNames[] = {"Edit4", "ScrollBar3", "SpeedButton13"};
  const char* const deltaNames[] = {"Edit5", "ScrollBar2", "SpeedButton12"};
  numberRow(0, QStringLiteral("x<sub>0</sub> ="), xoField, xoBar, xoResetButton, xoNames);
  numberRow(2, QStringLiteral("ε ="), epsilonField, epsilonBar, epsilonResetButton, epsilonNames);
  numberRow(4, QStringLiteral("δ ="), deltaField, deltaBar, deltaResetButton, deltaNames);
  numbers->setColumnStretch(3, 1);
  column->addLayout(numbers);
}

void TForm11::BuildColourRows(QWidget* panel, QVBoxLayout* column) {
  auto* colours = new QGridLayout;
  colours->setVerticalSpacing(2);
  auto colourRow = [&](int row, const QString& label, const QString& hint, const char* name) {
    auto* button = new TColorButton(panel);
    button->SetDefaultText(hint);
    button->setToolTip(hint);
    Named(button, name);
    colours->addWidget(button, row, 0);
    colours->addWidget(RichLabel(panel, label), row, 1);
    return button;
  };
  stripColourButton =
      colourRow(0, QStringLiteral("ε-Streifen"), QStringLiteral("ε-Streifen"), "ColorButton1");
  neighbourhoodColourButton = colourRow(1, QStringLiteral("U<sub>δ</sub>(x<sub>0</sub>)"),
                                        QStringLiteral("Uδ(x₀)"), "ColorButton2");
  imageColourButton = colourRow(2, QStringLiteral("f(U<sub>δ</sub>(x<sub>0</sub>))"),
                                QStringLiteral("f(Uδ(x₀))"), "ColorButton3");
  labelsBox = Named(CheckBox(panel, QStringLiteral("Beschriftung")), "BitCheckBox2");
  colours->addWidget(labelsBox, 0, 2);
  colours->setColumnStretch(1, 1);
  column->addLayout(colours);
}

void TForm11::ConnectHandlers() {
  OnExit(f1Field, [this] { onF1FieldLeft(); });
  OnExit(f2Field, [this] { onF2FieldLeft(); });
  const auto redraw = [this] { animieren(); };
  xoScroll_ = new TNumberScroll(
      this, xoField, xoBar, xP, [] { return x1; }, [] { return x2; }, redraw);
  const auto zero = [] { return 0.0; };
  epsScroll_ = new TNumberScroll(this, epsilonField, epsilonBar, eps, zero, MaxRadius, redraw);
  deltaScroll_ = new TNumberScroll(this, deltaField, deltaBar, delta, zero, MaxRadius, redraw);
  connect(xoResetButton, &QToolButton::clicked, this, [this] {
    xoScroll_->SetValue(StartValues.xP);
    animieren();
  });
  connect(epsilonResetButton, &QToolButton::clicked, this, [this] {
    epsScroll_->SetValue(1.0);
    animieren();
  });
  connect(deltaResetButton, &QToolButton::clicked, this, [this] {
    deltaScroll_->SetValue(1.0);
    animieren();
  });
  const std::pair<TColorButton*, Color*> colours[] = {
      {stripColourButton, &Farben::epsilon},
      {neighbourhoodColourButton, &Farben::delta},
      {imageColourButton, &Farben::fvondelta},
  };
  for (const auto& colour : colours)
    connect(colour.first, &TColorButton::OnChange, this,
            [this, button = colour.first, setting = colour.second] {
              *setting = static_cast<Color>(button->SelectionColor());
              animieren();
            });
  connect(labelsBox, &TBitCheckBox::OnClick, this, &TForm11::onLabelsBoxClicked);
  WatchPaintBox(paintBox);
  WatchZoomBox(bitmap_, [this] { ViewChanged(); });

  examples_ = new TExampleList(
      this, {exampleListBox, getExampleButton, addExampleButton, removeExampleButton, f1Field},
      kExampleFile);
  examples_->BuildEntry = [this] {
    return TermToDisplay(JoinLimitsExample(DisplayToTerm(f1Field->text()),
                                           DisplayToTerm(f2Field->text()),
                                           DisplayToTerm(xoField->text())));
  };
  examples_->Apply = [this](int, const std::string& entry) { ApplyExample(entry); };
}

void TForm11::ApplyExample(const std::string& entry) {
  const LimitsEntry e = SplitLimitsExample(entry);
  f1Field->setText(TermToDisplay(e.f1));
  TermStetigkeitF1 = e.f1.substr(0, kTermSettingLength);
  if (e.f2) {
    f2Field->setText(TermToDisplay(*e.f2));
    TermStetigkeitF2 = e.f2->substr(0, kTermSettingLength);
  }
  if (e.xo) {
    // An xo text that does not read (a hand-edited file) leaves xo as it is.
    CompileTermQuietly(NumberTerm, *e.xo, false);
    if (TermDefined) {
      xoField->setText(TermToDisplay(*e.xo));
      xoScroll_->FieldExit();
    }
  }
  animieren();
}

void TForm11::Datei_laden() { examples_->LoadLines(); }

bool TForm11::Datei_speichern() { return examples_->SaveLines(); }

void TForm11::BarsFollowView() {
  xoScroll_->FollowView(BarMaxForTicks(x2 - x1, XTickStep));
  epsScroll_->FollowView(kRadiusBarMax);
  deltaScroll_->FollowView(kRadiusBarMax);
}

void TForm11::FormPaint() {
  FitPictureToPaintBox(bitmap_);
  stripColourButton->SetSelectionColor(static_cast<int>(Farben::epsilon));
  neighbourhoodColourButton->SetSelectionColor(static_cast<int>(Farben::delta));
  imageColourButton->SetSelectionColor(static_cast<int>(Farben::fvondelta));
  BeginFrame();
  BarsFollowView();
  animieren();
}

void TForm11::FormClose() { Datei_speichern(); }

void TForm11::ViewChanged() { FormPaint(); }

void TForm11::onF1FieldLeft() {
  CheckTermEdit(f1Field);
  const bool valid = TermDefined;
  TermStetigkeitF1 = DisplayToTerm(f1Field->text()).substr(0, kTermSettingLength);
  if (valid) animieren();
}

void TForm11::onF2FieldLeft() {
  CheckTermEdit(f2Field);
  const bool valid = TermDefined;
  TermStetigkeitF2 = DisplayToTerm(f2Field->text()).substr(0, kTermSettingLength);
  if (valid) animieren();
}

void TForm11::onLabelsBoxClicked() {
  ShowLabels = labelsBox->Checked();
  animieren();
}

void TForm11::KurveZeichnen(double scaleFrom, double scaleTo, double from, double bound) {
  TraceCurve(CurveFrame(frame_), TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}), scaleFrom,
             scaleTo, from, bound);
}

double TForm11::DrawHalf(HalfSide side, double step) {
  Canvas& c = *frame_.canvas;
  const bool left = side == HalfSide::Left;
  const double xo = xP;
  const double outer = left ? xo - delta : xo + delta;
  NeighbourhoodExtremes& image = left ? LeftImage : RightImage;
  const TermInputs fixed{0, 0, ParamA, ParamB, ParamC, 0};
  const NeighbourhoodBatch f = [&fixed](const double* x, std::size_t count, double* y) {
    const auto defined = std::make_unique<bool[]>(count);
    EvalTermBatch(MainTerm, BatchInput::X, fixed, x, count, y, defined.get());
  };
  image = SampleHalfNeighbourhood(f, xo, delta, step, side);
  const double y0 = EvalWindowTerm(xo);
  const double yOuter = EvalWindowTerm(outer);

  c.pen = {kBlack, frame_.Scaled(1), PenStyle::Solid, PenMode::Copy};
  WorldLine(frame_, xo, 0, xo, y0);
  WorldLine(frame_, outer, 0, outer, yOuter);
  WorldLine(frame_, 0, image.yMax, image.xMax, image.yMax);
  WorldLine(frame_, 0, image.yMin, image.xMin, image.yMin);
  c.pen.width = frame_.Scaled(3);
  c.pen.color = Farben::delta;
  WorldLine(frame_, xo, 0, outer, 0);
  c.pen.color = Farben::fvondelta;
  WorldLine(frame_, 0, image.yMin, 0, image.yMax);
  c.pen.width = frame_.Scaled(1);
  return y0;
}

void TForm11::DrawLabels(double y0) {
  Canvas& c = *frame_.canvas;
  const std::string savedFont = c.font.name;
  c.font.name = "Symbol";  // "e" shows as epsilon, "d" as delta
  const int w = frame_.width;
  const int h = c.TextHeight("e");
  for (const int x : {frame_.ScreenX(x1) + w / 10, frame_.ScreenX(x2) - w / 10})
    for (const double y : {(2 * y0 + eps) / 2, (2 * y0 - eps) / 2})
      c.TextOut(x, frame_.ScreenY(y) - h / 2, "e");
  // Under the x-axis in the middle of each half of the strip, lower down where the numbers
  // of the axis or the other delta are in the way.
  const int halfWidth = c.TextWidth("d") / 2, height = c.TextHeight("d");
  for (const double x : {xP - delta / 2, xP + delta / 2}) {
    const int left = frame_.ScreenX(x) - halfWidth, top = frame_.ScreenY(0) + height / 2;
    TextOutClear(frame_, "d", {{left, top}, {left, top + height}, {left, top + 2 * height},
                       {left, top - 2 * height}});
  }
  c.font.name = savedFont;
}

void TForm11::animieren() {
  BeginFrame();
  if (!frame_.forExport) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  DrawOn(bitmap_, paintBox->font(), frame_, [this] {
    Canvas& c = *frame_.canvas;
    const double xo = xP;
    const int r = frame_.Scaled(3);
    const double step = (x2 - x1) / (2.0 * std::max(frame_.width, 1));

    // The strip around f1(xo) across the whole width.
    CompileFieldTerm(f1Field);
    const double yStrip = EvalWindowTerm(xo);
    c.pen = {Farben::epsilon, frame_.Scaled(1), PenStyle::Solid, PenMode::Copy};
    c.brush = {Farben::epsilon, BrushStyle::Solid, true};
    c.Rectangle(frame_.ScreenX(x1), frame_.ScreenY(yStrip + eps), frame_.ScreenX(x2), frame_.ScreenY(yStrip - eps));

    CurveColor = Farben::Zeichenstift;
    KurveZeichnen(x1, x2, x1, xo);
    CompileFieldTerm(f2Field);
    KurveZeichnen(x1, x2, xo, x2);

    frame_.axes.xName = "x";
    frame_.axes.yName = "y";
    DrawCoordinateSystem(frame_);

    CompileFieldTerm(f1Field);
    const double y0 = DrawHalf(HalfSide::Left, step);
    CompileFieldTerm(f2Field);
    const double yRight = DrawHalf(HalfSide::Right, step);

    // f(xo) dashed, the edges of the strip dotted.
    c.pen.color = kBlack;
    c.pen.width = frame_.Scaled(1);
    c.pen.style = PenStyle::Dash;
    WorldLine(frame_, x1, y0, x2, y0);
    c.pen.style = PenStyle::Dot;
    WorldLine(frame_, x1, y0 + eps, x2, y0 + eps);
    WorldLine(frame_, x1, y0 - eps, x2, y0 - eps);
    c.pen.style = PenStyle::Solid;

    // An open square at the limit from the right, a filled dot at the value f(xo).
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    const int X = frame_.ScreenX(xo);
    c.Rectangle(X - r, frame_.ScreenY(yRight) - r, X + r, frame_.ScreenY(yRight) + r);
    c.brush.color = Farben::Zeichenstift;
    c.Ellipse(X - r, frame_.ScreenY(y0) - r, X + r, frame_.ScreenY(y0) + r);
    c.brush.color = Farben::Hintergrund;

    if (ShowLabels) DrawLabels(y0);
    DrawTermLegend(frame_, legendBox,
                   {QStringLiteral("f(x) = %1   für x ≤ x₀").arg(DrawnTermText(f1Field)),
                    QStringLiteral("f(x) = %1   für x > x₀").arg(DrawnTermText(f2Field))},
                   [this, xo](const double* x, std::size_t count, double* y, bool* defined) {
                     // f1 up to xo, f2 beyond; MainTerm ends as f2, as the picture left it.
                     const TermInputs fixed{0, 0, ParamA, ParamB, ParamC, 0};
                     std::vector<double> right(count);
                     const auto rightDefined = std::make_unique<bool[]>(count);
                     CompileFieldTerm(f1Field);
                     EvalTermBatch(MainTerm, BatchInput::X, fixed, x, count, y, defined);
                     CompileFieldTerm(f2Field);
                     EvalTermBatch(MainTerm, BatchInput::X, fixed, x, count, right.data(),
                                   rightDefined.get());
                     for (std::size_t i = 0; i < count; ++i)
                       if (x[i] > xo) y[i] = right[i], defined[i] = rightDefined[i];
                   });
  });
  if (!frame_.forExport) paintBox->Show();
}

}  // namespace kurvio
