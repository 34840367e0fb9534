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
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "module/ViewPad.h"
#include "plot/ZoomBox.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermEdit.h"
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
const char* const kExampleFile = "Bsp7.txt";

FunctionValue F(double x) {
  const double y = EvalTerm(MainTerm, x, 0, ParamA, ParamB, ParamC, 0);
  return {y, TermDefined};
}

QLabel* PlainLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);  // keeps the blanks of the texts
  return label;
}

void Line(int xa, int ya, int xb, int yb) {
  DrawCanvas->MoveTo(xa, ya);
  DrawCanvas->LineTo(xb, yb);
}

}  // namespace

TForm13::TForm13(QWidget* parent) : TAnalysisWindow(parent) {
  setWindowTitle(QStringLiteral(
      "Bisektion  -  Berechnung einer Nullstelle mit Hilfe fortgesetzter Intervallhalbierung"));
  BuildLayout();
  ConnectHandlers();
  InstallFieldKeys(false);

  ColorButton1->SetSelectionColor(static_cast<int>(kNoChangeColour));
  ColorButton2->SetSelectionColor(static_cast<int>(kChangeColour));
  Edit1->setText(TermToDisplay(TermBisektion));
  // A faulty stored term is reported when its field is left, not on opening.
  CompileTermQuietly(MainTerm, DisplayToTerm(Edit1->text()), true);
  if (!TermDefined) CompileTerm(MainTerm, "0", true);
  Edit4->setText(QStringLiteral("5"));
  EpsLabel->setText(QString::fromStdString(ErrorBoundText(eps, DecimalSeparator)));
  LineScale = 1.0;
  PaintBox1->setCursor(ProgramCursor(4));
  examples_->LoadLines();
  ExportDrawing = false;
}

TForm13::~TForm13() = default;

void TForm13::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(PaintBox1, panel);
  PaintBox1->SetPicture(&bitmap_);
  Edit1 = AddTermRow(panel, column, QStringLiteral("f(x) ="), SpeedButton28);
  LimitTermField(Edit1, kShortTermFieldLength);
  column->addWidget(BuildRulePanel(panel));

  // Start values, decimals and the error bound.
  auto* values = new QGridLayout;
  values->setVerticalSpacing(3);
  values->addWidget(new QLabel(QStringLiteral("a<sub>o</sub>  ="), panel), 0, 0);
  Edit2 = NumberField(panel, 110);
  values->addWidget(Edit2, 0, 1);
  values->addWidget(new QLabel(QStringLiteral("b<sub>o</sub>  ="), panel), 0, 2);
  Edit3 = NumberField(panel, 110);
  values->addWidget(Edit3, 0, 3);
  values->addWidget(PlainLabel(QStringLiteral("Nachkommastellen ="), panel), 1, 0, 1, 2);
  Edit4 = NumberField(panel, 30);
  Edit4->setToolTip(QStringLiteral("Eingabe, Ausgabe"));
  values->addWidget(Edit4, 1, 2, Qt::AlignLeft);
  values->addWidget(PlainLabel(QStringLiteral("Fehlerschranke  ε"), panel), 2, 0, 1, 2);
  EpsLabel = PlainLabel(QString(), panel);
  values->addWidget(EpsLabel, 2, 2, 1, 2);
  values->setColumnStretch(4, 1);
  column->addLayout(values);

  // The step, the table and the result.
  auto* run = new QHBoxLayout;
  SpeedButton2 = new QPushButton(QStringLiteral("Wiederhole"), panel);
  run->addWidget(SpeedButton2);
  SpeedButton12 = ToolButton(panel, QStringLiteral("Tabelle"), QStringLiteral("Tabelle anzeigen"));
  run->addWidget(SpeedButton12);
  run->addStretch();
  column->addLayout(run);
  column->addWidget(PlainLabel(QStringLiteral("Ausgabe:"), panel));
  Label12 = PlainLabel(QString(), panel);
  Label12->setWordWrap(true);
  Label12->setMinimumHeight(Label12->fontMetrics().height() * 2);
  Label12->setTextInteractionFlags(Qt::TextSelectableByMouse);
  column->addWidget(Label12);

  // Band colours and display switches.
  auto* look = new QGridLayout;
  look->addWidget(PlainLabel(QStringLiteral("Intervallfarbe"), panel), 0, 0);
  ColorButton1 = new TColorButton(panel);
  ColorButton1->setToolTip(QStringLiteral("kein Vorzeichenwechsel"));
  ColorButton2 = new TColorButton(panel);
  ColorButton2->setToolTip(QStringLiteral("Vorzeichenwechsel"));
  look->addWidget(ColorButton1, 0, 1);
  look->addWidget(ColorButton2, 0, 2);
  BitCheckBox1 = CheckBox(panel, QStringLiteral("Hilfslinien"));
  BitCheckBox2 = CheckBox(panel, QStringLiteral("Beschriftung"));
  BitCheckBox5 = CheckBox(panel, QStringLiteral("Zoom"));
  look->addWidget(BitCheckBox1, 1, 0);
  look->addWidget(BitCheckBox2, 1, 1, 1, 2);
  look->addWidget(BitCheckBox5, 1, 3);
  look->setColumnStretch(4, 1);
  column->addLayout(look);

  const ExampleControls examples = AddExampleControls(panel, column);
  ListBox1 = examples.list;
  SpeedButton3 = examples.get;
  SpeedButton7 = examples.add;
  SpeedButton8 = examples.remove;

  const BottomControls bottom = AddViewPadAndButtons(
      panel, column, [this](bool) { animieren(); },
      [this] {
        return ExportPicture([this] { animieren(); }, PictureLayout::PlotAndLadder, &bitmap_);
      });
  GroupBox1 = bottom.pad;
  SpeedButton1 = GroupBox1->zoomOutButton;  // zoom out
  SpeedButton4 = GroupBox1->zoomInButton;  // zoom in
  SpeedButton5 = GroupBox1->leftButton;  // left
  SpeedButton9 = GroupBox1->rightButton;  // right
  SpeedButton10 = GroupBox1->downButton;
  SpeedButton11 = GroupBox1->upButton;
  SpeedButton18 = GroupBox1->downLeftButton;
  SpeedButton19 = GroupBox1->downRightButton;
  SpeedButton20 = GroupBox1->upRightButton;
  SpeedButton21 = GroupBox1->upLeftButton;
  SpeedButton22 = GroupBox1->resetButton;
  SpeedButton14 = bottom.buttons.settingsButton;
  SpeedButton15 = bottom.buttons.printButton;
  SpeedButton17 = bottom.buttons.wmfFileButton;
  SpeedButton23 = bottom.buttons.wmfClipboardButton;
  SpeedButton6 = bottom.buttons.closeButton;
  Panel2 = AddStatusLine();
  Panel2->setTextFormat(Qt::PlainText);
  FinishPanel(340);
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
  OnExit(Edit1, [this] { Edit1Exit(); });
  OnExit(Edit2, [this] { Edit2Exit(); });
  OnExit(Edit3, [this] { Edit3Exit(); });
  OnExit(Edit4, [this] { Edit4Exit(); });
  connect(SpeedButton2, &QPushButton::clicked, this, &TForm13::SpeedButton2Click);
  connect(SpeedButton12, &QToolButton::clicked, this, &TForm13::SpeedButton12Click);
  for (TColorButton* button : {ColorButton1, ColorButton2})
    connect(button, &TColorButton::OnChange, this, [this] { animieren(); });
  for (TBitCheckBox* box : {BitCheckBox1, BitCheckBox2})
    connect(box, &TBitCheckBox::OnClick, this, [this] { animieren(); });
  connect(BitCheckBox5, &TBitCheckBox::OnClick, this, &TForm13::BitCheckBox5Click);
  WatchPaintBox(PaintBox1);
  connect(PaintBox1, &TPaintBox::MouseDown, this, &TForm13::PaintBox1MouseDown);
  connect(PaintBox1, &TPaintBox::MouseMove, this, &TForm13::PaintBox1MouseMove);
  connect(PaintBox1, &TPaintBox::MouseUp, this, &TForm13::PaintBox1MouseUp);
  zoomBox_ = std::make_unique<ZoomBox>(bitmap_, *PaintBox1);

  // The entry is the term alone.
  examples_ = new TExampleList(this, {ListBox1, SpeedButton3, SpeedButton7, SpeedButton8, Edit1},
                               kExampleFile);
  examples_->Apply = [this](int, const std::string& entry) {
    Edit1->setText(TermToDisplay(entry));
    steps = 0;
    Edit1Exit();
  };
}

void TForm13::FormPaint() {
  FitPictureToPaintBox(bitmap_, PictureLayout::PlotAndLadder);
  ExportDrawing = false;
  animieren();
}

void TForm13::FormClose() { examples_->SaveLines(); }

void TForm13::showEvent(QShowEvent* event) {
  TAnalysisWindow::showEvent(event);
  Edit1->setFocus();
}

void TForm13::Edit1Exit() {
  CheckTermEdit(Edit1);
  const bool valid = TermDefined;
  TermBisektion = DisplayToTerm(Edit1->text()).substr(0, kTermSettingLength);
  if (valid) animieren();
}

void TForm13::StartValuesChanged() {
  steps = 0;
  Label12->clear();
  SpeedButton2->setEnabled(true);
  animieren();
}

void TForm13::Edit2Exit() {
  ReadNumberEdit(Edit2, a, a);
  a0 = a;
  StartValuesChanged();
}

void TForm13::Edit3Exit() {
  ReadNumberEdit(Edit3, b, b);
  b0 = b;
  StartValuesChanged();
}

void TForm13::Edit4Exit() {
  d = ValidDecimals(ReadIntegerEdit(Edit4, 4));
  Edit4->setText(QString::number(d));
  eps = ErrorBound(d);
  EpsLabel->setText(QString::fromStdString(ErrorBoundText(eps, DecimalSeparator)));
  animieren();
}

void TForm13::OrderStartInterval() {
  if (!(a0 > b0)) return;
  std::swap(a0, b0);
  if (steps == 0) {
    a = a0;
    b = b0;
  }
  Edit2->setText(QString::fromStdString(FormatNumber(d, a0)));
  Edit3->setText(QString::fromStdString(FormatNumber(d, b0)));
}

void TForm13::SpeedButton2Click() {
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
      Label12->clear();
      animieren();
      return;
    }
  }
  SpeedButton2->setEnabled(false);
  const double last = steps > 0 ? m : (a + b) / 2;
  Label12->setText(QString::fromStdString(ResultText({a, b}, last, F, d, DecimalSeparator)));
}

void TForm13::SpeedButton12Click() {
  OrderStartInterval();
  TForm14 table(this, a0, b0, eps, d);
  table.exec();
}

void TForm13::BitCheckBox5Click() {
  PaintBox1->setCursor(ProgramCursor(BitCheckBox5->Checked() ? 1 : 4));
}

void TForm13::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  TraceCurve(TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}), scaleFrom,
             scaleTo, from, to);
}

void TForm13::DrawBand(double fa, double fb) {
  Canvas& c = *DrawCanvas;
  const Color colour = static_cast<Color>(fa * fb <= 0 ? ColorButton2->SelectionColor()
                                                       : ColorButton1->SelectionColor());
  c.pen.color = colour;
  c.brush = {colour, BrushStyle::Solid};
  c.Rectangle(ScreenX(a), 0, ScreenX(b), PlotHeight);
  // A band narrower than a pixel stays visible.
  if (a <= b) Line(ScreenX(a), 0, ScreenX(a), PlotHeight);
}

void TForm13::DrawGuides(double fa, double fb, double fm) {
  Canvas& c = *DrawCanvas;
  const double mid = (a + b) / 2;
  c.pen.color = kBlack;
  c.pen.style = PenStyle::Dot;
  for (double x : {a, b, mid}) Line(ScreenX(x), 0, ScreenX(x), PlotHeight);
  for (const auto& [x, y] : {std::pair{mid, fm}, std::pair{a, fa}, std::pair{b, fb}})
    Line(ScreenX(x), ScreenY(y), ScreenX(0), ScreenY(y));
  c.pen.style = PenStyle::Solid;
  const int r = Scaled(3);
  for (const auto& [x, y, colour] :
       {std::tuple{a, fa, kPointColour}, std::tuple{b, fb, kPointColour},
        std::tuple{mid, fm, kMidpointColour}}) {
    c.brush = {colour, BrushStyle::Solid};
    c.Ellipse(ScreenX(x) - r, ScreenY(y) - r, ScreenX(x) + r, ScreenY(y) + r);
  }
}

void TForm13::animieren() {
  if (!ExportDrawing) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  const double mid = (a + b) / 2;
  const double fa = F(a).y, fb = F(b).y, fm = F(mid).y;
  Edit2->setText(QString::fromStdString(FormatNumber(d, a0)));
  Edit3->setText(QString::fromStdString(FormatNumber(d, b0)));
  Panel2->setText(QString::fromStdString(StatusText({a, b}, fa, fm, d, DecimalSeparator)));
  DrawOn(bitmap_, PaintBox1->font(), [&] {
    Canvas& c = *DrawCanvas;
    c.pen = {kBlack, Scaled(1), PenStyle::Solid, PenMode::Copy};
    CurveColor = Farben::Zeichenstift;
    NumberLineMode = false;
    XAxisName = "x";
    YAxisName = "y=f(x)";
    DrawBand(fa, fb);
    c.pen.color = kBlack;
    if (BitCheckBox1->Checked()) DrawGuides(fa, fb, fm);
    if (BitCheckBox2->Checked()) {
      c.font.color = kBlack;
      c.brush = {Farben::Hintergrund, BrushStyle::Solid};
      for (const auto& [x, y, text] :
           {std::tuple{a, fa, "f(a)"}, std::tuple{b, fb, "f(b)"}, std::tuple{mid, fm, "f(m)"}}) {
        const int left = x < 0 ? ScreenX(0) + Scaled(8) : ScreenX(0) - Scaled(25);
        c.TextOut(left, ScreenY(y) - Scaled(6), text);
      }
    }
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    c.pen = {kBlack, Scaled(1), PenStyle::Solid, PenMode::Copy};
    DrawCoordinateSystem();
    KurveZeichnen(x1, x2, x1, x2);
    intervalle(a0, b0);
  });
  if (!ExportDrawing) PaintBox1->Show();
}

void TForm13::intervalle(double from, double to) {
  Canvas& c = *DrawCanvas;
  const int h = PlotHeight;
  const int e = h / 60;
  c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  c.FillRect(0, h, PlotWidth, (5 * h) / 4);
  c.pen = {kBlack, Scaled(1), PenStyle::Solid, PenMode::Copy};
  const int tick = Scaled(3);
  const std::vector<Interval> ladder = LadderIntervals({from, to}, steps, F);
  for (std::size_t i = 0; i < ladder.size(); ++i) {
    const int row = h + (static_cast<int>(i) + 2) * e;
    const int xa = ScreenX(ladder[i].a), xb = ScreenX(ladder[i].b);
    Line(xa, row, xb, row);
    Line(xa, row - tick, xa, row + tick);
    Line(xb, row - tick, xb, row + tick);
  }
  // The frame between plot and ladder.
  Line(0, h, PlotWidth, h);
}

void TForm13::PaintBox1MouseDown(Qt::MouseButton button, int x, int y) {
  if (button != Qt::LeftButton) return;
  if (BitCheckBox5->Checked()) {
    zoomBox_->Begin(x, y);
    return;
  }
  a = b = WorldX(x);
  steps = 0;
  Label12->clear();
  SpeedButton2->setEnabled(true);
  Dragging = true;
}

void TForm13::PaintBox1MouseMove(int x, int y) {
  if (zoomBox_->Active()) {
    zoomBox_->Move(x, y);
    return;
  }
  if (!Dragging) return;
  b = WorldX(x);
  a0 = a;
  b0 = b;
  animieren();
}

void TForm13::PaintBox1MouseUp(Qt::MouseButton button, int x, int y) {
  if (button != Qt::LeftButton) return;
  if (zoomBox_->Active()) {
    if (zoomBox_->End(x, y)) {
      WertePruefen();
      animieren();
    }
    return;
  }
  if (!Dragging) return;
  b = WorldX(x);
  if (a > b) std::swap(a, b);
  a0 = a;
  b0 = b;
  steps = 0;
  Dragging = false;
  animieren();
}

}  // namespace kurvio
