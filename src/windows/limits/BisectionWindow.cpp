// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/limits/BisectionWindow.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "module/Controls.h"
#include "module/Cursors.h"
#include "module/DrawOn.h"
#include "module/ExampleList.h"
#include "module/IntegerField.h"
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ViewPad.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "windows/limits/Bisection.h"
#include "windows/limits/BisectionTableWindow.h"

namespace kurvio {
namespace {

constexpr Color kNoChangeColour = 255;    // red
constexpr Color kChangeColour = 65280;    // green
constexpr Color kPointColour = 16711680;  // blue
constexpr Color kMidpointColour = 65535;  // yellow

FunctionValue F(double x) {
  const double y = EvalWindowTerm(x);
  return {y, TermDefined};
}

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);  // keeps the blanks of the texts
  return label;
}

}  // namespace

TForm13::TForm13(QWidget* parent)
    : TAnalysisWindow(parent, AnalysisLesson(kLessonName, {"Funktionsterme/Bisektion f(x)"})) {
  setWindowTitle(QStringLiteral(
      "Bisektion  -  Berechnung einer Nullstelle mit Hilfe fortgesetzter Intervallhalbierung"));
  pointerLayout = PictureLayout::PlotAndLadder;
  BuildLayout();
  ConnectHandlers();
  ShowInPicture([this] {
    if (a == 0 && b == 0) return QString();
    return QString::fromStdString("[a; b] = [" + Readout(a, d, DecimalSeparator) + "; " +
                                  Readout(b, d, DecimalSeparator) + "]");
  });
  ShowInPicture({}, resultLabel);
  InstallFieldKeys(false);

  noChangeColourButton->SetSelectionColor(static_cast<int>(kNoChangeColour));
  changeColourButton->SetSelectionColor(static_cast<int>(kChangeColour));
  termField->setText(TermToDisplay(TermBisektion));
  // A faulty stored term is reported when its field is left, not on opening.
  CompileFieldTerm(termField);
  decimalsField->setText(QStringLiteral("5"));
  errorBoundLabel->setText(QString::fromStdString(ErrorBoundText(eps, DecimalSeparator)));
  RememberBoxes({guideLinesBox, labelsBox, zoomModeBox, legendBox});
  paintBox->setCursor(ProgramCursor(zoomModeBox->Checked() ? 1 : 4));
  examples_->LoadLines();
}

TForm13::~TForm13() = default;

void TForm13::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(paintBox, panel);
  Named(paintBox, "PaintBox1");
  paintBox->SetPicture(&bitmap_);
  termField = Named(AddTermRow(panel, column, QStringLiteral("f(x) ="), helpButton), "Edit1");
  LimitTermField(termField, kShortTermFieldLength);
  Named(helpButton, "SpeedButton28");
  column->addWidget(BuildRulePanel(panel));
  BuildValueRows(panel, column);
  BuildLookRows(panel, column);

  legendBox = AddLegendBox(panel, column, [this] { animieren(); });
  const ExampleControls examples = AddExampleControls(panel, column);
  exampleListBox = Named(examples.list, "ListBox1");
  getExampleButton = Named(examples.get, "SpeedButton3");
  addExampleButton = Named(examples.add, "SpeedButton7");
  removeExampleButton = Named(examples.remove, "SpeedButton8");

  // Here the pad's zoom and side shifts carry other names than in the other windows.
  ViewPadNames padNames;
  padNames.zoomOut = "SpeedButton1";
  padNames.zoomIn = "SpeedButton4";
  padNames.left = "SpeedButton5";
  padNames.right = "SpeedButton9";
  const BottomControls bottom = AddViewPadAndButtons(
      panel, column, [this](bool) { animieren(); },
      [this] {
        return ExportPicture([this] { animieren(); }, PictureLayout::PlotAndLadder, &bitmap_);
      },
      {}, padNames);
  viewPad = bottom.pad;
  buttons = bottom.buttons;
  statusLine = AddStatusLine();
  statusLine->setTextFormat(Qt::PlainText);
  Named(statusLine, "Panel2");
  FinishPanel(340);
}

// Start values, decimals and the error bound; the step, the table and the result.
void TForm13::BuildValueRows(QWidget* panel, QVBoxLayout* column) {
  auto* values = new QGridLayout;
  values->setVerticalSpacing(3);
  values->addWidget(new QLabel(QStringLiteral("a<sub>o</sub>  ="), panel), 0, 0);
  startAField = Named(NumberField(panel, 110), "Edit2");
  values->addWidget(startAField, 0, 1);
  values->addWidget(new QLabel(QStringLiteral("b<sub>o</sub>  ="), panel), 0, 2);
  startBField = Named(NumberField(panel, 110), "Edit3");
  values->addWidget(startBField, 0, 3);
  values->addWidget(PlainLabel(QStringLiteral("Nachkommastellen ="), panel), 1, 0, 1, 2);
  decimalsField = NumberField(panel, 30);
  decimalsField->setToolTip(QStringLiteral("Eingabe, Ausgabe"));
  values->addWidget(Named(decimalsField, "Edit4"), 1, 2, Qt::AlignLeft);
  values->addWidget(PlainLabel(QStringLiteral("Fehlerschranke  ε"), panel), 2, 0, 1, 2);
  errorBoundLabel = PlainLabel(QString(), panel);
  errorBoundLabel->setObjectName(QStringLiteral("errorBound"));
  values->addWidget(errorBoundLabel, 2, 2, 1, 2);
  values->setColumnStretch(4, 1);
  column->addLayout(values);

  auto* run = new QHBoxLayout;
  repeatButton = Named(new QPushButton(QStringLiteral("Wiederhole"), panel), "SpeedButton2");
  run->addWidget(repeatButton);
  tableButton =
      Named(ToolButton(panel, QStringLiteral("Tabelle"), QStringLiteral("Tabelle anzeigen")),
            "SpeedButton12");
  run->addWidget(tableButton);
  run->addStretch();
  column->addLayout(run);
  column->addWidget(PlainLabel(QStringLiteral("Ausgabe:"), panel));
  resultLabel = Named(PlainLabel(QString(), panel), "Label12");
  resultLabel->setWordWrap(true);
  resultLabel->setMinimumHeight(resultLabel->fontMetrics().height() * 2);
  resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(resultLabel);
}

// Band colours and display switches.
void TForm13::BuildLookRows(QWidget* panel, QVBoxLayout* column) {
  auto* look = new QGridLayout;
  look->addWidget(PlainLabel(QStringLiteral("Intervallfarbe"), panel), 0, 0);
  noChangeColourButton = new TColorButton(panel);
  noChangeColourButton->setToolTip(QStringLiteral("kein Vorzeichenwechsel"));
  changeColourButton = new TColorButton(panel);
  changeColourButton->setToolTip(QStringLiteral("Vorzeichenwechsel"));
  look->addWidget(Named(noChangeColourButton, "ColorButton1"), 0, 1);
  look->addWidget(Named(changeColourButton, "ColorButton2"), 0, 2);
  guideLinesBox = Named(CheckBox(panel, QStringLiteral("Hilfslinien")), "BitCheckBox1");
  labelsBox = Named(CheckBox(panel, QStringLiteral("Beschriftung")), "BitCheckBox2");
  zoomModeBox = Named(CheckBox(panel, QStringLiteral("Zoom")), "BitCheckBox5");
  look->addWidget(guideLinesBox, 1, 0);
  look->addWidget(labelsBox, 1, 1, 1, 2);
  look->addWidget(zoomModeBox, 1, 3);
  look->setColumnStretch(4, 1);
  column->addLayout(look);
}

QWidget* TForm13::BuildRulePanel(QWidget* panel) {
  auto* rule = new QFrame(panel);
  rule->setFrameStyle(QFrame::Box | QFrame::Plain);
  auto* lines = new QVBoxLayout(rule);
  lines->setContentsMargins(6, 4, 6, 4);
  lines->setSpacing(2);
  lines->addWidget(PlainLabel(QStringLiteral("m := (a + b) / 2"), rule));
  lines->addWidget(
      PlainLabel(QStringLiteral("wenn f(a) * f(m) > 0  dann a := m  sonst  b := m"), rule));
  lines->addWidget(PlainLabel(QStringLiteral("bis  b - a < ε"), rule));
  return rule;
}

void TForm13::ConnectHandlers() {
  OnExit(termField, [this] { onTermFieldLeft(); });
  OnExit(startAField, [this] { onStartAFieldLeft(); });
  OnExit(startBField, [this] { onStartBFieldLeft(); });
  OnExit(decimalsField, [this] { onDecimalsFieldLeft(); });
  connect(repeatButton, &QPushButton::clicked, this, &TForm13::onRepeatClicked);
  connect(tableButton, &QToolButton::clicked, this, &TForm13::onTableClicked);
  for (TColorButton* button : {noChangeColourButton, changeColourButton})
    connect(button, &TColorButton::OnChange, this, [this] { animieren(); });
  for (TBitCheckBox* box : {guideLinesBox, labelsBox})
    connect(box, &TBitCheckBox::OnClick, this, [this] { animieren(); });
  connect(zoomModeBox, &TBitCheckBox::OnClick, this, &TForm13::onZoomModeClicked);
  WatchPaintBox(paintBox);
  connect(paintBox, &TPaintBox::MouseDown, this, &TForm13::onPaintBoxMouseDown);
  connect(paintBox, &TPaintBox::MouseMove, this, &TForm13::onPaintBoxMouseMove);
  connect(paintBox, &TPaintBox::MouseUp, this, &TForm13::onPaintBoxMouseUp);
  // With "Zoom" ticked the mouse draws a zoom box instead of an interval.
  WatchZoomBox(
      bitmap_, [this] { animieren(); }, [this] { return zoomModeBox->Checked(); });

  // The entry is the term alone.
  examples_ = new TExampleList(
      this, {exampleListBox, getExampleButton, addExampleButton, removeExampleButton, termField},
      kExampleFile);
  examples_->Apply = [this](int, const std::string& entry) {
    termField->setText(TermToDisplay(entry));
    steps = 0;
    onTermFieldLeft();
  };
}

void TForm13::FormPaint() {
  FitPictureToPaintBox(bitmap_, PictureLayout::PlotAndLadder);
  animieren();
}

void TForm13::FormClose() { examples_->SaveLines(); }

void TForm13::showEvent(QShowEvent* event) {
  TAnalysisWindow::showEvent(event);
  termField->setFocus();
}

void TForm13::onTermFieldLeft() {
  CheckTermEdit(termField);
  const bool valid = TermDefined;
  TermBisektion = DisplayToTerm(termField->text()).substr(0, kTermSettingLength);
  if (valid) animieren();
}

void TForm13::StartValuesChanged() {
  steps = 0;
  resultLabel->clear();
  repeatButton->setEnabled(true);
  animieren();
}

void TForm13::onStartAFieldLeft() {
  ReadNumberEdit(startAField, a, a);
  a0 = a;
  StartValuesChanged();
}

void TForm13::onStartBFieldLeft() {
  ReadNumberEdit(startBField, b, b);
  b0 = b;
  StartValuesChanged();
}

void TForm13::onDecimalsFieldLeft() {
  d = ValidDecimals(ReadIntegerEdit(decimalsField, 4));
  decimalsField->setText(QString::number(d));
  eps = ErrorBound(d);
  errorBoundLabel->setText(QString::fromStdString(ErrorBoundText(eps, DecimalSeparator)));
  animieren();
}

void TForm13::OrderStartInterval() {
  if (!(a0 > b0)) return;
  std::swap(a0, b0);
  if (steps == 0) {
    a = a0;
    b = b0;
  }
  startAField->setText(QString::fromStdString(FormatNumber(d, a0)));
  startBField->setText(QString::fromStdString(FormatNumber(d, b0)));
}

void TForm13::onRepeatClicked() {
  // Typed the other way round, the interval is meant all the same.
  OrderStartInterval();
  if (b - a >= eps) {
    const Halving h = Halve({a, b}, F);
    m = h.m;
    // An interval that doubles cannot split any further is as narrow as it gets:
    // the result instead of halving for ever.
    if (h.progressed) {
      a = h.next.a;
      b = h.next.b;
      ++steps;
      resultLabel->clear();
      animieren();
      return;
    }
  }
  repeatButton->setEnabled(false);
  const double last = steps > 0 ? m : (a + b) / 2;
  resultLabel->setText(QString::fromStdString(ResultText({a, b}, last, F, d, DecimalSeparator)));
}

void TForm13::onTableClicked() {
  OrderStartInterval();
  TForm14 table(this, a0, b0, eps, d);
  table.exec();
}

void TForm13::onZoomModeClicked() {
  paintBox->setCursor(ProgramCursor(zoomModeBox->Checked() ? 1 : 4));
}

void TForm13::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  TraceCurve(CurveFrame(frame_), TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}), scaleFrom,
             scaleTo, from, to);
}

void TForm13::DrawBand(double fa, double fb) {
  Canvas& c = *frame_.canvas;
  const Color colour = static_cast<Color>(fa * fb <= 0 ? changeColourButton->SelectionColor()
                                                       : noChangeColourButton->SelectionColor());
  c.pen.color = colour;
  c.brush = {colour, BrushStyle::Solid, true};
  c.Rectangle(frame_.ScreenX(a), 0, frame_.ScreenX(b), frame_.height);
  // A band narrower than a pixel stays visible.
  if (a <= b) PixelLine(frame_, frame_.ScreenX(a), 0, frame_.ScreenX(a), frame_.height);
}

void TForm13::DrawGuides(double fa, double fb, double fm) {
  Canvas& c = *frame_.canvas;
  const double mid = (a + b) / 2;
  c.pen.color = kBlack;
  c.pen.style = PenStyle::Dot;
  for (double x : {a, b, mid}) PixelLine(frame_, frame_.ScreenX(x), 0, frame_.ScreenX(x), frame_.height);
  for (const auto& [x, y] : {std::pair{mid, fm}, std::pair{a, fa}, std::pair{b, fb}})
    PixelLine(frame_, frame_.ScreenX(x), frame_.ScreenY(y), frame_.ScreenX(0), frame_.ScreenY(y));
  c.pen.style = PenStyle::Solid;
  const int r = frame_.Scaled(3);
  for (const auto& [x, y, colour] :
       {std::tuple{a, fa, kPointColour}, std::tuple{b, fb, kPointColour},
        std::tuple{mid, fm, kMidpointColour}}) {
    c.brush = {colour, BrushStyle::Solid};
    c.Ellipse(frame_.ScreenX(x) - r, frame_.ScreenY(y) - r, frame_.ScreenX(x) + r, frame_.ScreenY(y) + r);
  }
}

void TForm13::animieren() {
  BeginFrame();
  if (!frame_.forExport) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  const double mid = (a + b) / 2;
  const double fa = F(a).y, fb = F(b).y, fm = F(mid).y;
  startAField->setText(QString::fromStdString(FormatNumber(d, a0)));
  startBField->setText(QString::fromStdString(FormatNumber(d, b0)));
  statusLine->setText(QString::fromStdString(StatusText({a, b}, fa, fm, d, DecimalSeparator)));
  DrawOn(bitmap_, paintBox->font(), frame_, [&] {
    Canvas& c = *frame_.canvas;
    c.pen = {kBlack, frame_.Scaled(1), PenStyle::Solid, PenMode::Copy};
    CurveColor = Farben::Zeichenstift;
    NumberLineMode = false;
    frame_.axes.xName = "x";
    frame_.axes.yName = "y=f(x)";
    DrawBand(fa, fb);
    c.pen.color = kBlack;
    if (guideLinesBox->Checked()) DrawGuides(fa, fb, fm);
    if (labelsBox->Checked()) {
      c.font.color = kBlack;
      c.brush = {Farben::Hintergrund, BrushStyle::Solid};
      for (const auto& [x, y, text] :
           {std::tuple{a, fa, "f(a)"}, std::tuple{b, fb, "f(b)"}, std::tuple{mid, fm, "f(m)"}}) {
        // Beside the y-axis at the height of the value; moved up or down where another
        // label is in the way, and the axis numbers make room for it.
        const int left = x < 0 ? frame_.ScreenX(0) + frame_.Scaled(8) : frame_.ScreenX(0) - frame_.Scaled(25);
        const int top = frame_.ScreenY(y) - frame_.Scaled(6), step = c.TextHeight(text);
        TextOutClear(frame_, text, {{left, top}, {left, top - step}, {left, top + step},
                            {left, top - 2 * step}, {left, top + 2 * step}});
      }
    }
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    c.pen = {kBlack, frame_.Scaled(1), PenStyle::Solid, PenMode::Copy};
    DrawCoordinateSystem(frame_);
    KurveZeichnen(x1, x2, x1, x2);
    intervalle(a0, b0);
    DrawTermLegend(frame_, legendBox, {QStringLiteral("f(x) = ") + DrawnTermText(termField)},
                   TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}));
  });
  if (!frame_.forExport) paintBox->Show();
}

void TForm13::intervalle(double from, double to) {
  Canvas& c = *frame_.canvas;
  const int h = frame_.height;
  const int e = h / 60;
  c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  c.FillRect(0, h, frame_.width, (5 * h) / 4);
  c.pen = {kBlack, frame_.Scaled(1), PenStyle::Solid, PenMode::Copy};
  const int tick = frame_.Scaled(3);
  const std::vector<Interval> ladder = LadderIntervals({from, to}, steps, F);
  for (std::size_t i = 0; i < ladder.size(); ++i) {
    const int row = h + (static_cast<int>(i) + 2) * e;
    const int xa = frame_.ScreenX(ladder[i].a), xb = frame_.ScreenX(ladder[i].b);
    PixelLine(frame_, xa, row, xb, row);
    PixelLine(frame_, xa, row - tick, xa, row + tick);
    PixelLine(frame_, xb, row - tick, xb, row + tick);
  }
  // The frame between plot and ladder.
  PixelLine(frame_, 0, h, frame_.width, h);
}

void TForm13::onPaintBoxMouseDown(Qt::MouseButton button, int x, int) {
  if (button != Qt::LeftButton || zoomModeBox->Checked()) return;
  a = b = frame_.WorldX(x);
  steps = 0;
  resultLabel->clear();
  repeatButton->setEnabled(true);
  Dragging = true;
}

void TForm13::onPaintBoxMouseMove(int x, int) {
  if (!Dragging) return;
  b = frame_.WorldX(x);
  a0 = a;
  b0 = b;
  animieren();
}

void TForm13::onPaintBoxMouseUp(Qt::MouseButton button, int x, int) {
  if (button != Qt::LeftButton || !Dragging) return;
  b = frame_.WorldX(x);
  if (a > b) std::swap(a, b);
  a0 = a;
  b0 = b;
  steps = 0;
  Dragging = false;
  animieren();
}

}  // namespace kurvio
