#include "windows/limits/SequencesWindow.h"

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
#include "module/ExampleList.h"
#include "module/NumberScroll.h"
#include "module/ViewCheck.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "module/ViewPad.h"
#include "plot/ZoomBox.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermBatch.h"
#include "term/TermEdit.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "windows/limits/SequenceLimit.h"

namespace kurvio {
namespace {

constexpr Color kRed = 255;
constexpr Color kBlue = 16711680;
constexpr int kEpsSteps = 1000;
constexpr int kLastIndex = 1000;  // the points drawn

// a(n): n is the only input; x, t, a, b and c are 0.
double A(double n, bool& defined) {
  const double v = EvalTerm(MainTerm, 0, 0, 0, 0, 0, n);
  defined = TermDefined;
  return v;
}

// a(n[i]) for a whole block of indices.
void ABatch(const double* n, std::size_t count, double* values, bool* defined) {
  EvalTermBatch(MainTerm, BatchInput::N, {}, n, count, values, defined);
}

void Line(double xa, double ya, double xb, double yb) {
  DrawCanvas->MoveTo(ScreenX(xa), ScreenY(ya));
  DrawCanvas->LineTo(ScreenX(xb), ScreenY(yb));
}

// The view at opening and after "Anfangswerte setzen": the index axis from
// just left of 0 to 18.
void OpeningView() {
  x2 = 18;
  x1 = -1.5;
  y1 = StartValues.y1;
  y2 = StartValues.y2;
}

}  // namespace

TForm15::TForm15(QWidget* parent) : TAnalysisWindow(parent) {
  setWindowTitle(QStringLiteral("Folgen - Grenzwert"));
  BuildLayout();
  ConnectHandlers();
  InstallFieldKeys(false);

  Edit1->setText(TermToDisplay(TermFolgen));
  CompileTermQuietly(MainTerm, DisplayToTerm(Edit1->text()), true);
  if (!TermDefined) CompileTerm(MainTerm, "0", true);
  Panel4->hide();
  LineScale = 1.0;
  XTickStep = 1.0;
  epsScroll_->ShowValue();
  Edit3->setText(QString::fromStdString(FormatNumber(Nachkommastellen, epsmax)));
  ShowLimit();
  OpeningView();
  PaintBox1->setCursor(ProgramCursor(1));
  examples_->LoadLines();
}

TForm15::~TForm15() = default;

void TForm15::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(PaintBox1, panel);
  PaintBox1->SetPicture(&bitmap_);
  Edit1 = AddTermRow(panel, column, QStringLiteral("a<sub>n</sub> ="), SpeedButton28);

  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(2);
  BitCheckBox1 = CheckBox(panel, QStringLiteral("Grenzwert bestimmen"));
  grid->addWidget(BitCheckBox1, 0, 0, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("g ="), panel), 1, 0);
  Edit2 = NumberField(panel, 90);
  grid->addWidget(Edit2, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("ε ="), panel), 2, 0);
  Edit4 = NumberField(panel, 90);
  grid->addWidget(Edit4, 2, 1);
  SpeedButton13 = ToolButton(panel, QStringLiteral("1"), QStringLiteral("Anfangswerte setzen"));
  grid->addWidget(SpeedButton13, 2, 2);
  grid->addWidget(new QLabel(QStringLiteral("max ε"), panel), 2, 3, Qt::AlignRight);
  Edit3 = NumberField(panel, 70);
  Edit3->setToolTip(QStringLiteral("max Epsilon"));
  grid->addWidget(Edit3, 2, 4);
  ScrollBar3 = new QScrollBar(Qt::Horizontal, panel);
  ScrollBar3->setRange(1, kEpsSteps);
  grid->addWidget(ScrollBar3, 3, 0, 1, 5);
  ColorButton1 = new TColorButton(panel);
  ColorButton1->SetDefaultText(QStringLiteral("ε-Streifen"));
  ColorButton1->setToolTip(QStringLiteral("ε-Streifen"));
  ColorButton2 = new TColorButton(panel);
  ColorButton2->SetDefaultText(QStringLiteral("Punkte"));
  ColorButton2->setToolTip(QStringLiteral("Punkte"));
  auto* colours = new QHBoxLayout;
  colours->addWidget(new QLabel(QStringLiteral("Streifen"), panel));
  colours->addWidget(ColorButton1);
  colours->addSpacing(12);
  colours->addWidget(new QLabel(QStringLiteral("Punkte"), panel));
  colours->addWidget(ColorButton2);
  colours->addStretch();
  grid->addLayout(colours, 4, 0, 1, 5);
  BitCheckBox2 = CheckBox(panel, QStringLiteral("Punkte verbinden"));
  BitCheckBox5 = CheckBox(panel, QStringLiteral("Darstellung auf der Zahlengeraden"));
  grid->addWidget(BitCheckBox2, 5, 0, 1, 5);
  grid->addWidget(BitCheckBox5, 6, 0, 1, 5);
  grid->setColumnStretch(4, 1);
  column->addLayout(grid);

  // The n0 part, shown while a limit has been found.
  Panel4 = new QWidget(panel);
  auto* n0 = new QGridLayout(Panel4);
  n0->setContentsMargins(0, 0, 0, 0);
  n0->setVerticalSpacing(2);
  n0->addWidget(new QLabel(QStringLiteral("n<sub>o</sub> ="), Panel4), 0, 0);
  Label11 = new QLabel(QStringLiteral("?"), Panel4);
  n0->addWidget(Label11, 0, 1);
  n0->addWidget(
      new QLabel(QStringLiteral("für alle n ≥ n<sub>o</sub> gilt  | a<sub>n</sub> − g | &lt; ε"),
                 Panel4),
      1, 0, 1, 3);
  BitCheckBox3 = CheckBox(Panel4, QStringLiteral("nₒ bestimmen"));
  BitCheckBox4 = CheckBox(Panel4, QStringLiteral("Grenzwert markieren"));
  n0->addWidget(BitCheckBox3, 2, 0, 1, 3);
  n0->addWidget(BitCheckBox4, 3, 0, 1, 3);
  n0->setColumnStretch(2, 1);
  column->addWidget(Panel4);

  const ExampleControls examples = AddExampleControls(panel, column);
  ListBox1 = examples.list;
  SpeedButton1 = examples.get;
  SpeedButton4 = examples.add;
  SpeedButton5 = examples.remove;

  const BottomControls bottom = AddViewPadAndButtons(
      panel, column, [this](bool) { animieren(); }, [this] { return Picture(); },
      [this] { SpeedButton17Click(); });
  GroupBox1 = bottom.pad;
  // This window's reset is not its InitWerte.
  GroupBox1->Reset = [] { OpeningView(); };
  SpeedButton3 = GroupBox1->zoomOutButton;
  SpeedButton7 = GroupBox1->zoomInButton;
  SpeedButton22 = GroupBox1->resetButton;
  SpeedButton14 = bottom.buttons.settingsButton;
  SpeedButton15 = bottom.buttons.printButton;
  SpeedButton17 = bottom.buttons.wmfFileButton;
  SpeedButton23 = bottom.buttons.wmfClipboardButton;
  SpeedButton6 = bottom.buttons.closeButton;
  FinishPanel(330);
}

void TForm15::ConnectHandlers() {
  OnExit(Edit1, [this] { Edit1Exit(); });
  OnExit(Edit2, [this] { Edit2Exit(); });
  OnExit(Edit3, [this] { Edit3Exit(); });
  epsScroll_ = new TNumberScroll(
      this, Edit4, ScrollBar3, eps, [] { return 0.0; }, [this] { return epsmax; },
      [this] { animieren(); });
  epsScroll_->SetMax(kEpsSteps);
  connect(SpeedButton13, &QToolButton::clicked, this, &TForm15::SpeedButton13Click);
  connect(BitCheckBox1, &TBitCheckBox::OnClick, this, &TForm15::BitCheckBox1Click);
  for (TBitCheckBox* box : {BitCheckBox2, BitCheckBox3, BitCheckBox4, BitCheckBox5})
    connect(box, &TBitCheckBox::OnClick, this, &TForm15::DisplayCheckBoxClick);
  connect(ColorButton1, &TColorButton::OnChange, this, [this] {
    Farben::epsilon = static_cast<Color>(ColorButton1->SelectionColor());
    animieren();
  });
  connect(ColorButton2, &TColorButton::OnChange, this, [this] {
    pointColor_ = static_cast<Color>(ColorButton2->SelectionColor());
    animieren();
  });
  WatchPaintBox(PaintBox1);
  zoom_ = std::make_unique<ZoomBox>(bitmap_, *PaintBox1);
  connect(PaintBox1, &TPaintBox::MouseDown, this, &TForm15::PaintBox1MouseDown);
  connect(PaintBox1, &TPaintBox::MouseMove, this, &TForm15::PaintBox1MouseMove);
  connect(PaintBox1, &TPaintBox::MouseUp, this, &TForm15::PaintBox1MouseUp);

  examples_ = new TExampleList(this, {ListBox1, SpeedButton1, SpeedButton4, SpeedButton5, Edit1},
                               "Bsp8.txt");
  examples_->Apply = [this](int, const std::string& entry) {
    Panel4->hide();
    Edit1->setText(TermToDisplay(entry));
    Edit1Exit();
  };
}

ExportTarget TForm15::Picture() {
  return ExportPicture([this] { animieren(); }, PictureLayout::OnePlot, &bitmap_);
}

void TForm15::FormPaint() {
  FitPictureToPaintBox(bitmap_);
  ColorButton1->SetSelectionColor(static_cast<int>(Farben::epsilon));
  ColorButton2->SetSelectionColor(static_cast<int>(pointColor_));
  ExportDrawing = false;
  epsScroll_->PositionFromValue();
  animieren();
}

void TForm15::FormClose() { examples_->SaveLines(); }

void TForm15::WertePruefen() {
  ViewLimits limits;
  limits.minWidth = 2;
  limits.maxWidth = 1000;
  limits.minHeight = 1e-7;
  limits.maxHeight = 1e7;
  // The index axis starts a twelfth of the view left of 0.
  kurvio::WertePruefen(
      PlotView(), [this] { InitWerte(); }, limits, [] { x1 = -x2 / 12; });
}

void TForm15::InitWerte() {
  x1 = -1;
  x2 = 15;
  y1 = StartValues.y1;
  y2 = StartValues.y2;
}

void TForm15::ShowLimit() {
  if (BitCheckBox1->Checked() && !LimitFound)
    Edit2->setText(QStringLiteral("?"));
  else
    Edit2->setText(QString::fromStdString(FormatNumber(Nachkommastellen, FolgenGrenzwert)));
}

void TForm15::BerechneGrenzwert() {
  const LimitEstimate e = kurvio::BerechneGrenzwert(A, FolgenGrenzwert);
  FolgenGrenzwert = e.g;
  LimitFound = e.found;
}

void TForm15::Berechne_n0() {
  n0 = kurvio::Berechne_n0(SequenceBatch(ABatch), FolgenGrenzwert, eps);
  if (n0 == 0) {
    Label11->setText(QStringLiteral("?"));
    return;
  }
  Label11->setText(QString::number(n0));
  if (!(n0 < x2)) return;
  Canvas& c = *DrawCanvas;
  bool defined = false;
  const double y = A(n0, defined);
  c.pen.color = kBlue;
  c.pen.width = Scaled(1);
  Line(n0, 0, n0, y);
  c.font.color = kBlack;
  c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  const int x = ScreenX(n0), axis = ScreenY(0);
  const bool below = y > 0;
  c.TextOut(x - Scaled(4), axis + (below ? Scaled(16) : -Scaled(22)), "n");
  c.TextOut(x + Scaled(4), axis + (below ? Scaled(20) : -Scaled(18)), "o");
}

void TForm15::folgezeichnen() {
  Canvas& c = *DrawCanvas;
  c.pen.color = pointColor_;
  c.pen.width = Scaled(1);
  c.pen.style = PenStyle::Solid;
  c.brush = {pointColor_, BrushStyle::Solid};
  const int lo = Scaled(2), hi = Scaled(3);
  const int strokeFrom = Scaled(4), strokeTo = Scaled(16);
  const double joinTo = std::nearbyint(x2);
  bool havePrevious = false;
  double previous = 0;
  int previousN = 0;
  std::vector<double> index(kLastIndex), values(kLastIndex);
  const auto defined = std::make_unique<bool[]>(kLastIndex);
  for (int n = 1; n <= kLastIndex; ++n) index[n - 1] = n;
  ABatch(index.data(), kLastIndex, values.data(), defined.get());
  for (int n = 1; n <= kLastIndex; ++n) {
    if (!defined[n - 1]) continue;
    const double y = values[n - 1];
    const bool visible = y1 < y && y < y2;
    if (ConnectPoints && n <= joinTo) {
      if (havePrevious && n > x1 && visible) Line(previousN, previous, n, y);
      havePrevious = true;
      previous = y;
      previousN = n;
    }
    if (!visible) continue;
    const int px = ScreenX(n), py = ScreenY(y);
    const bool rowInside = py >= PlotTop && py <= PlotHeight;
    if (px >= 0 && px <= PlotWidth && rowInside) c.Ellipse(px - lo, py - lo, px + hi, py + hi);
    if (NumberLine && rowInside) {
      c.MoveTo(strokeFrom, py);
      c.LineTo(strokeTo, py);
    }
  }
}

void TForm15::animieren() {
  if (!ExportDrawing) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  const bool determine = BitCheckBox1->Checked();
  DrawOn(bitmap_, PaintBox1->font(), [&] {
    Canvas& c = *DrawCanvas;
    const double g = FolgenGrenzwert;
    c.pen = {Farben::epsilon, Scaled(1)};
    c.brush = {Farben::epsilon, BrushStyle::Solid};
    c.Rectangle(ScreenX(x1), ScreenY(g + eps), ScreenX(x2), ScreenY(g - eps));
    if (LimitFound && MarkLimit && determine) {
      c.pen.color = kRed;
      Line(x1, g, x2, g);
    }
    folgezeichnen();
    if (FindN0 && determine && LimitFound) {
      Berechne_n0();
    } else {
      n0 = 0;
      Label11->setText(QStringLiteral("?"));
    }
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    XAxisName = "n";
    YAxisName = "a(n)";
    DrawCoordinateSystem();
  });
  ShowLimit();
  if (!ExportDrawing) PaintBox1->Show();
}

void TForm15::Edit1Exit() {
  Panel4->hide();
  CheckTermEdit(Edit1);
  const bool valid = TermDefined;
  TermFolgen = DisplayToTerm(Edit1->text()).substr(0, kTermSettingLength);
  // A faulty term leaves the compiled term 0: the estimate of the limit is made afresh for it,
  // so no g, limit line or n0 of the term before stays on the screen.
  BerechneGrenzwert();
  const bool determine = BitCheckBox1->Checked();
  if (determine) Panel4->setVisible(LimitFound);
  if (valid || determine) animieren();
}

void TForm15::Edit2Exit() {
  ReadNumberEdit(Edit2, FolgenGrenzwert, FolgenGrenzwert);
  animieren();
}

void TForm15::Edit3Exit() {
  const double previous = epsmax;
  ReadNumberEdit(Edit3, epsmax, epsmax);
  // The bar's full scale must be a width: 0 or less would put ε at 0 or below.
  if (!(epsmax > 0)) {
    epsmax = previous;
    Edit3->setText(QString::fromStdString(FormatNumber(Nachkommastellen, epsmax)));
  }
  epsScroll_->PositionFromValue();
  animieren();
}

void TForm15::SpeedButton13Click() {
  epsScroll_->SetValue(1.0);
  animieren();
}

void TForm15::SpeedButton22Click() {
  OpeningView();
  animieren();
}

void TForm15::BitCheckBox1Click() {
  const bool determine = BitCheckBox1->Checked();
  if (determine)
    BerechneGrenzwert();
  else
    LimitFound = false;
  Panel4->setVisible(determine && LimitFound);
  Edit2->setEnabled(!determine);
  animieren();
}

void TForm15::DisplayCheckBoxClick() {
  ConnectPoints = BitCheckBox2->Checked();
  FindN0 = BitCheckBox3->Checked();
  MarkLimit = BitCheckBox4->Checked();
  NumberLine = BitCheckBox5->Checked();
  animieren();
}

void TForm15::SpeedButton17Click() { SaveWmfOrJpeg(kAnalysisWindowExport, Picture(), this); }

void TForm15::PaintBox1MouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::LeftButton) zoom_->Begin(x, y);
}

void TForm15::PaintBox1MouseMove(int x, int y) { zoom_->Move(x, y); }

void TForm15::PaintBox1MouseUp(Qt::MouseButton button, int x, int y) {
  if (button != Qt::LeftButton) return;
  if (zoom_->End(x, y)) {
    WertePruefen();
    animieren();
  }
}

}  // namespace kurvio
