#include "windows/limits/CovariationWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "module/AnimationLoop.h"
#include "module/Controls.h"
#include "module/Cursors.h"
#include "module/DrawOn.h"
#include "module/ExampleList.h"
#include "module/NumberScroll.h"
#include "module/ViewCheck.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/FileMessages.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermEdit.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TSwitch.h"

namespace kurvio {
namespace {

constexpr double kPi = 3.141592654;

double F(double x) { return EvalTerm(MainTerm, x, 0, ParamA, ParamB, ParamC, 0); }

void Dot(Color colour, int x, int y, int r) {
  DrawCanvas->brush = {colour, BrushStyle::Solid};
  DrawCanvas->Ellipse(x - r, y - r, x + r, y + r);
}

QString Number(double v) { return QString::fromStdString(FormatNumber(Nachkommastellen, v)); }

}  // namespace

TForm12::TForm12(QWidget* parent) : TAnalysisWindow(parent) {
  setWindowTitle(QStringLiteral("Zuordnung (Kovariation)"));
  BuildLayout();
  ConnectHandlers();
  InstallFieldKeys(false);

  FixedArrows.MakeEmpty();
  Edit1->setText(TermToDisplay(TermKovariation));
  // A faulty stored term is reported when its field is left, not on opening.
  CompileTermQuietly(MainTerm, DisplayToTerm(Edit1->text()), true);
  if (!TermDefined) CompileTerm(MainTerm, "0", true);
  xa = ya = x1;
  xb = yb = x2;
  AnimationStep = (xb - xa) / std::max(Schrittzahl, 1);
  xScroll_->ShowValue();
  LineScale = 1.0;
  XTickStep = 1.0;
  PaintBox1->setCursor(ProgramCursor(4));
  examples_->LoadLines();
  UpdateDeleteButtons();
}

TForm12::~TForm12() { FixedArrows.DeleteAll(); }

QGroupBox* TForm12::MakeRailPanel(QWidget* parent, const QString& title, QToolButton*& halve,
                                  QToolButton*& twice, QToolButton*& reset, TColorButton*& colour,
                                  QLabel*& readout) {
  auto* box = new QGroupBox(title, parent);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setSpacing(2);
  halve = ToolButton(box, QStringLiteral("½"), QStringLiteral("x-Bereich halbieren"));
  twice = ToolButton(box, QStringLiteral("2×"), QStringLiteral("x - Bereich verdoppeln"));
  reset = ToolButton(box, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen"));
  colour = new TColorButton(box);
  grid->addWidget(halve, 0, 0);
  grid->addWidget(twice, 0, 1);
  grid->addWidget(reset, 0, 2);
  grid->addWidget(colour, 0, 3);
  readout = new QLabel(box);
  grid->addWidget(readout, 1, 0, 1, 4);
  box->adjustSize();
  return box;
}

void TForm12::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(PaintBox1, panel);
  PaintBox1->SetPicture(&bitmap_);

  // The rail panels stand beside their rails.
  side_ = AddSideColumn(170);
  XRailPanel = MakeRailPanel(side_, QStringLiteral("x - Schiene"), SpeedButton12, SpeedButton24,
                             SpeedButton16, ColorButton1, Label9);
  FRailPanel = MakeRailPanel(side_, QStringLiteral("f(x) - Schiene"), SpeedButton1, SpeedButton5,
                             SpeedButton4, ColorButton2, Label6);
  for (QGroupBox* box : {XRailPanel, FRailPanel}) box->setFixedWidth(side_->width());

  // The term with its examples, or the families of the guessing game.
  ExamplePanel = new QWidget(panel);
  auto* examplesColumn = new QVBoxLayout(ExamplePanel);
  examplesColumn->setContentsMargins(0, 0, 0, 0);
  Edit1 = AddTermRow(ExamplePanel, examplesColumn, QStringLiteral("f(x) ="), SpeedButton28);
  LimitTermField(Edit1, kShortTermFieldLength);
  const ExampleControls examples = AddExampleControls(ExamplePanel, examplesColumn);
  ListBox1 = examples.list;
  SpeedButton3 = examples.get;
  SpeedButton7 = examples.add;
  SpeedButton8 = examples.remove;
  column->addWidget(ExamplePanel);

  FamilyPanel = new QWidget(panel);
  auto* families = new QGridLayout(FamilyPanel);
  families->setContentsMargins(0, 0, 0, 0);
  families->setSpacing(2);
  QPushButton** named[kFunctionFamilyCount] = {
      &SpeedButton9,  &SpeedButton10, &SpeedButton19, &SpeedButton32, &SpeedButton22,
      &SpeedButton26, &SpeedButton27, &SpeedButton20, &SpeedButton21, &SpeedButton29};
  for (int f = 0; f < kFunctionFamilyCount; ++f) {
    auto* b = new QPushButton(QString::fromUtf8(kFunctionFamilies[f].caption), FamilyPanel);
    b->setAutoDefault(false);
    *named[f] = b;
    familyButtons_[static_cast<std::size_t>(f)] = b;
    families->addWidget(b, f / 2, f % 2);
  }
  Edit3 = new QLineEdit(FamilyPanel);
  Edit3->setReadOnly(true);
  families->addWidget(Edit3, 5, 0, 1, 2);
  SpeedButton30 = new QPushButton(QStringLiteral("Lösung anzeigen"), FamilyPanel);
  SpeedButton30->setAutoDefault(false);
  families->addWidget(SpeedButton30, 6, 0, 1, 2);
  FamilyPanel->hide();
  column->addWidget(FamilyPanel);

  // x0 with its bar, the animation and its speed.
  auto* xRow = new QHBoxLayout;
  xRow->addWidget(new QLabel(QStringLiteral("x  ="), panel));
  Edit2 = NumberField(panel, 90);
  xRow->addWidget(Edit2);
  SpeedButton2 = ToolButton(panel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen"));
  xRow->addWidget(SpeedButton2);
  Switch1 = AnimationSwitch(panel);
  xRow->addWidget(Switch1);
  SpeedButton25 = DirectionButton(panel);
  xRow->addWidget(SpeedButton25);
  xRow->addStretch();
  column->addLayout(xRow);
  ScrollBar1 = new QScrollBar(Qt::Horizontal, panel);
  ScrollBar1->setRange(1, 200);
  column->addWidget(ScrollBar1);
  auto* speedRow = new QHBoxLayout;
  // The bar divides the animation's step: further right is slower.
  speedRow->addWidget(new QLabel(QStringLiteral("schneller"), panel));
  TrackBar2 = new QSlider(Qt::Horizontal, panel);
  TrackBar2->setRange(1, 40);
  TrackBar2->setValue(1);
  TrackBar2->setToolTip(QStringLiteral("Geschwindigkeit"));
  speedRow->addWidget(TrackBar2, 1);
  speedRow->addWidget(new QLabel(QStringLiteral("langsamer"), panel));
  column->addLayout(speedRow);

  BitCheckBox1 = CheckBox(panel, QStringLiteral("Schaubild der Funktion zeichnen"));
  BitCheckBox2 = CheckBox(panel, QStringLiteral("Zuordnungspfeil"));
  BitCheckBox3 = CheckBox(panel, QStringLiteral("Darstellung im kartesischen Koordinatensystem"));
  BitCheckBox4 = CheckBox(panel, QStringLiteral("Funktionsterm erraten"));
  for (TBitCheckBox* box : {BitCheckBox1, BitCheckBox2, BitCheckBox3, BitCheckBox4})
    column->addWidget(box);
  SpeedButton13 = new QPushButton(QStringLiteral("Zuordnungspfeil fixieren"), panel);
  SpeedButton11 = new QPushButton(QStringLiteral("Zuordnungspfeil löschen"), panel);
  SpeedButton18 = new QPushButton(QStringLiteral("Liste löschen"), panel);
  for (QPushButton* b : {SpeedButton13, SpeedButton11, SpeedButton18}) {
    b->setAutoDefault(false);
    column->addWidget(b);
  }

  const ButtonColumn buttons = MakeButtons(panel, [this] {
    return ExportPicture([this] { animieren(); }, PictureLayout::PlotAndRails, &bitmap_);
  });
  column->addWidget(buttons.panel);
  SpeedButton14 = buttons.settingsButton;
  SpeedButton15 = buttons.printButton;
  SpeedButton17 = buttons.wmfFileButton;
  SpeedButton23 = buttons.wmfClipboardButton;
  SpeedButton6 = buttons.closeButton;
  FinishPanel(330);
}

void TForm12::ConnectHandlers() {
  OnExit(Edit1, [this] { Edit1Exit(); });
  xScroll_ = new TNumberScroll(
      this, Edit2, ScrollBar1, xP, [this] { return xa; }, [this] { return xb; },
      [this] { animieren(); });
  connect(SpeedButton2, &QToolButton::clicked, this, [this] {
    xScroll_->SetValue(StartValues.xP);
    animieren();
  });
  connect(Switch1, &TSwitch::OnClick, this, &TForm12::Switch1Click);
  connect(SpeedButton25, &QToolButton::clicked, this, &TForm12::SpeedButton25Click);
  for (TBitCheckBox* box : {BitCheckBox1, BitCheckBox2, BitCheckBox3})
    connect(box, &TBitCheckBox::OnClick, this, &TForm12::DisplayCheckBoxClick);
  connect(BitCheckBox4, &TBitCheckBox::OnClick, this, &TForm12::BitCheckBox4Click);
  for (int f = 0; f < kFunctionFamilyCount; ++f)
    connect(familyButtons_[static_cast<std::size_t>(f)], &QPushButton::clicked, this,
            [this, f] { FamilyClick(f); });
  connect(SpeedButton30, &QPushButton::clicked, this, &TForm12::SpeedButton30Click);
  connect(SpeedButton13, &QPushButton::clicked, this, &TForm12::SpeedButton13Click);
  connect(SpeedButton11, &QPushButton::clicked, this, &TForm12::SpeedButton11Click);
  connect(SpeedButton18, &QPushButton::clicked, this, &TForm12::SpeedButton18Click);
  connect(SpeedButton12, &QToolButton::clicked, this, [this] { RailZoom(false, true); });
  connect(SpeedButton24, &QToolButton::clicked, this, [this] { RailZoom(false, false); });
  connect(SpeedButton16, &QToolButton::clicked, this, [this] { RailReset(false); });
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { RailZoom(true, true); });
  connect(SpeedButton5, &QToolButton::clicked, this, [this] { RailZoom(true, false); });
  connect(SpeedButton4, &QToolButton::clicked, this, [this] { RailReset(true); });
  connect(ColorButton1, &TColorButton::OnChange, this, [this] {
    xRailColor_ = static_cast<Color>(ColorButton1->SelectionColor());
    animieren();
  });
  connect(ColorButton2, &TColorButton::OnChange, this, [this] {
    fRailColor_ = static_cast<Color>(ColorButton2->SelectionColor());
    animieren();
  });
  WatchPaintBox(PaintBox1);
  connect(PaintBox1, &TPaintBox::MouseDown, this, &TForm12::PaintBox1MouseDown);
  connect(PaintBox1, &TPaintBox::MouseMove, this, &TForm12::PaintBox1MouseMove);
  connect(PaintBox1, &TPaintBox::MouseUp, this, &TForm12::PaintBox1MouseUp);

  examples_ = new TExampleList(this, {ListBox1, SpeedButton3, SpeedButton7, SpeedButton8, Edit1},
                               "Bsp5.txt");
  examples_->Apply = [this](int, const std::string& entry) {
    Edit1->setText(TermToDisplay(entry));
    Edit1Exit();
  };
}

void TForm12::showEvent(QShowEvent* event) {
  TAnalysisWindow::showEvent(event);
  Edit1->setFocus();
}

void TForm12::WertePruefen() {
  kurvio::WertePruefen({xa, xb, ya, yb}, [this] { InitWerte(); });
}

void TForm12::InitWerte() { kurvio::InitWerte({xa, xb, ya, yb}); }

void TForm12::BarFollowsRail() {
  // A hundred bar positions per tick step of the x rail.
  const double keepX1 = x1, keepX2 = x2;
  x1 = xa;
  x2 = xb;
  ComputeTickSteps();
  x1 = keepX1;
  x2 = keepX2;
  xScroll_->FollowView(BarMaxForTicks(xb - xa, XTickStep));
}

void TForm12::PlaceRailPanels() {
  // The panels' middles at the rows of the rails.
  const int h = PaintBox1->height();
  const int top = PaintBox1->geometry().top() - side_->geometry().top();
  const auto place = [&](QWidget* box, double row) {
    const int y = top + static_cast<int>(std::lround(row)) - box->height() / 2;
    box->move(0, std::clamp(y, 0, std::max(side_->height() - box->height(), 0)));
  };
  place(XRailPanel, h / 21.0 * 20);
  place(FRailPanel, h / 6.0 * 5);
}

void TForm12::FormPaint() {
  FitPictureToPaintBox(bitmap_);
  PlaceRailPanels();
  ColorButton1->SetSelectionColor(static_cast<int>(xRailColor_));
  ColorButton2->SetSelectionColor(static_cast<int>(fRailColor_));
  BarFollowsRail();
  ExportDrawing = false;
  animieren();
}

void TForm12::FormClose() {
  AnimationRunning = false;
  Switch1->SetChecked(false);
  examples_->SaveLines();
}

void TForm12::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  TraceCurve(TermCurve(MainTerm, BatchInput::X, {0, 0, ParamA, ParamB, ParamC, 0}), scaleFrom,
             scaleTo, from, to);
}

void TForm12::ShowReadouts() {
  const double y = F(xP);
  Label9->setText(QStringLiteral("x =") + Number(xP));
  Label6->setText(TermDefined ? QStringLiteral("f(x) =") + Number(y)
                              : QStringLiteral("f(x) = nicht definiert"));
}

void TForm12::DrawCartesianArrow(double x) {
  const double y = F(x);
  if (!TermDefined || !ShowCartesian) return;
  Canvas& c = *DrawCanvas;
  const int r4 = Scaled(4), r12 = Scaled(12);
  const int X = ScreenX(x), Y = ScreenY(y), X0 = ScreenX(0), Y0 = ScreenY(0);
  Dot(xRailColor_, X, Y0, r4);
  Dot(fRailColor_, X0, Y, r4);
  c.brush = {kBlack, BrushStyle::Solid};
  c.MoveTo(X0, Y);
  c.LineTo(X, Y);
  c.LineTo(X, Y0);
  Dot(kBlack, X, Y, r4);
  if (ShowArrow) {
    // The tip on the y-axis, the base towards the point.
    const int base = x <= 0 ? X0 - r12 : X0 + r12;
    c.Polygon({{X0, Y}, {base, Y - r4}, {base, Y + r4}});
  }
}

void TForm12::DrawRailArrow(double x) {
  Canvas& c = *DrawCanvas;
  const int r4 = Scaled(4), r12 = Scaled(12);
  const double y = F(x);
  const bool defined = TermDefined;

  x1 = xa;
  x2 = xb;
  y1 = -1;
  y2 = 20;
  XAxisName = "x";
  DrawCoordinateSystem();
  c.pen = {kBlack, Scaled(1)};
  const int px = ScreenX(x), py = ScreenY(0);
  Dot(xRailColor_, px, py, r4);

  x1 = ya;
  x2 = yb;
  y1 = -1;
  y2 = 5;
  XAxisName = "f(x)";
  DrawCoordinateSystem();
  if (!defined) return;
  c.pen = {kBlack, Scaled(1)};
  const int qx = ScreenX(y), qy = ScreenY(0);
  Dot(fRailColor_, qx, qy, r4);
  if (!ShowArrow) return;
  c.MoveTo(px, py);
  c.LineTo(qx, qy);
  c.brush = {kBlack, BrushStyle::Solid};
  if (px == qx) {
    c.Polygon({{qx, qy}, {qx + r4, qy + r12}, {qx - r4, qy + r12}});
    return;
  }
  // The head along the arrow, its base r12 behind the tip and r4 to each side.
  double phi = std::atan(static_cast<double>(py - qy) / (static_cast<double>(qx) - px));
  if (px > qx) phi += kPi;
  const double cs = std::cos(phi), sn = std::sin(phi);
  c.Polygon({{qx, qy},
             {RoundPixel(qx - cs * r12 - sn * r4), RoundPixel(qy + sn * r12 - cs * r4)},
             {RoundPixel(qx - cs * r12 + sn * r4), RoundPixel(qy + sn * r12 + cs * r4)}});
}

void TForm12::animieren() {
  if (!ExportDrawing) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  // During an export the picture is taller than the plot by the rails' fifth.
  const int givenPlotHeight = PlotHeight;
  const int h = ExportDrawing ? LayoutPictureHeight(PictureLayout::PlotAndRails, PlotHeight)
                              : PaintBox1->height();
  std::vector<double> arrows;
  for (std::size_t i = FixedArrows.Count(); i >= 1; --i) {
    FixedArrow a;
    if (FixedArrows.Read(i, a)) arrows.push_back(a.x);
  }
  arrows.push_back(xP);

  DrawOn(bitmap_, PaintBox1->font(), [&] {
    Canvas& c = *DrawCanvas;
    c.pen = {kBlack, Scaled(1)};
    CurveColor = Farben::Zeichenstift;

    // The Cartesian part in the upper four fifths.
    PlotHeight = h / 5 * 4;
    NumberLineMode = false;
    XAxisName = "x";
    YAxisName = "y=f(x)";
    x1 = xa;
    x2 = xb;
    y1 = ya;
    y2 = yb;
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    DrawCoordinateSystem();
    if (ShowGraph) KurveZeichnen(x1, x2, x1, x2);
    c.pen = {kBlack, Scaled(1)};
    for (double x : arrows) DrawCartesianArrow(x);

    // The rails in the lower fifth.
    PlotHeight = h;
    NumberLineMode = true;
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    c.FillRect(0, h / 5 * 4, PlotWidth, h);
    for (double x : arrows) {
      c.brush = {Farben::Hintergrund, BrushStyle::Solid};
      DrawRailArrow(x);
    }

    x1 = xa;
    x2 = xb;
    y1 = ya;
    y2 = yb;
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  });
  // On an export canvas the plot size stays as it was given, so that the same
  // picture can be drawn again (the rails' height is taken from it).
  if (ExportDrawing) PlotHeight = givenPlotHeight;
  ShowReadouts();
  if (!ExportDrawing) PaintBox1->Show();
}

void TForm12::Edit1Exit() {
  CheckTermEdit(Edit1);
  const bool valid = TermDefined;
  TermKovariation = DisplayToTerm(Edit1->text()).substr(0, kTermSettingLength);
  if (valid) animieren();
}

void TForm12::Switch1Click() {
  AnimationRunning = true;
  AnimationStep = (xb - xa) / std::max(Schrittzahl, 1);
  const bool alive = RunAnimation(
      this,
      [this] {
        xP += AnimationStep / std::max(TrackBar2->value(), 1);
        xScroll_->ShowValue();
        animieren();
        // One step beyond an end, then back.
        if (xP > xb || xP < xa) AnimationStep = -AnimationStep;
      },
      [this] {
        Delay(FrameDelay);
        if (!Switch1->Checked()) AnimationRunning = false;
      });
  if (alive) xScroll_->PositionFromValue();
}

void TForm12::SpeedButton25Click() { AnimationStep = -AnimationStep; }

void TForm12::DisplayCheckBoxClick() {
  ShowGraph = BitCheckBox1->Checked();
  ShowArrow = BitCheckBox2->Checked();
  ShowCartesian = BitCheckBox3->Checked();
  animieren();
}

void TForm12::BitCheckBox4Click() {
  std::string content;
  const std::string path = PathForReading(kFunctionListFile);
  if (ReadWholeFile(path, content) == ReadResult::kFailed) {
    // Told once while the program runs; each family then offers its fallback.
    static bool reported = false;
    if (!reported)
      ShowFileError(this, QStringLiteral("Die Funktionsliste „%1“ konnte nicht gelesen werden; "
                                         "das Ratespiel nimmt seine eingebauten Funktionen.")
                              .arg(ShownPath(path)));
    reported = true;
  }
  Functions = ParseFunctionLists(content);
  const bool guessing = BitCheckBox4->Checked();
  ExamplePanel->setVisible(!guessing);
  FamilyPanel->setVisible(guessing);
}

void TForm12::FamilyClick(int family) {
  const std::vector<std::string>& list = Functions[static_cast<std::size_t>(family)];
  if (list.empty()) return;
  const std::string& term =
      list[static_cast<std::size_t>(PickFunctionIndex(static_cast<int>(list.size())))];
  Edit1->setText(TermToDisplay(term));
  CheckTermEdit(Edit1);
  const bool valid = TermDefined;
  TermKovariation = DisplayToTerm(Edit1->text()).substr(0, kTermSettingLength);
  Edit3->setText(QString::fromUtf8(kFunctionFamilies[static_cast<std::size_t>(family)].name));
  Edit3->show();
  if (valid) animieren();
}

void TForm12::SpeedButton30Click() { Edit3->setText(Edit1->text()); }

void TForm12::UpdateDeleteButtons() {
  const bool any = !FixedArrows.IsEmpty();
  SpeedButton11->setEnabled(any);
  SpeedButton18->setEnabled(any);
}

void TForm12::SpeedButton13Click() {
  FixedArrows.InsertFront({xP});
  UpdateDeleteButtons();
  animieren();
}

void TForm12::SpeedButton11Click() {
  FixedArrows.Delete(1);
  UpdateDeleteButtons();
  animieren();
}

void TForm12::SpeedButton18Click() {
  FixedArrows.DeleteAll();
  UpdateDeleteButtons();
  animieren();
}

void TForm12::RailZoom(bool fRail, bool halve) {
  double& lo = fRail ? ya : xa;
  double& hi = fRail ? yb : xb;
  const double d = halve ? -(hi - lo) / 4 : (hi - lo) / 2;
  lo -= d;
  hi += d;
  WertePruefen();
  AnimationStep = (xb - xa) / std::max(Schrittzahl, 1);
  BarFollowsRail();
  animieren();
}

void TForm12::RailReset(bool fRail) {
  // Both rails start from the x range of the start values.
  (fRail ? ya : xa) = StartValues.x1;
  (fRail ? yb : xb) = StartValues.x2;
  BarFollowsRail();
  animieren();
}

double TForm12::MouseX(int column) const {
  return xa + (xb - xa) * column / std::max(PaintBox1->width(), 1);
}

void TForm12::PaintBox1MouseDown(Qt::MouseButton button, int x, int) {
  if (button != Qt::LeftButton) return;
  Dragging = true;
  xP = MouseX(x);
  xScroll_->ShowValue();
  animieren();
}

void TForm12::PaintBox1MouseMove(int x, int) {
  if (!Dragging) return;
  xP = MouseX(x);
  xScroll_->ShowValue();
  animieren();
}

void TForm12::PaintBox1MouseUp(Qt::MouseButton, int, int) { Dragging = false; }

}  // namespace kurvio
