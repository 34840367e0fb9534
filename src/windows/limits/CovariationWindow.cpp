// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "module/TermEdit.h"
#include "module/TermLegend.h"
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
#include "term/TermCompare.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TSwitch.h"

namespace kurvio {
namespace {

constexpr double kPi = 3.141592654;

void Dot(const DrawFrame& frame, Color colour, int x, int y, int r) {
  frame.canvas->brush = {colour, BrushStyle::Solid};
  frame.canvas->Ellipse(x - r, y - r, x + r, y + r);
}

QString Number(double v) { return QString::fromStdString(FormatNumber(Nachkommastellen, v)); }

// The window's terms are evaluated in x, with the parameters a, b and c.
TermInputs WindowInputs() { return {0, 0, ParamA, ParamB, ParamC, 0}; }

}  // namespace

TForm12::TForm12(QWidget* parent)
    : TAnalysisWindow(parent, AnalysisLesson(kLessonName, {"Funktionsterme/Kovariation f(x)",
                                                             "xP xQ Koordinaten/xP"})) {
  setWindowTitle(QStringLiteral("Zuordnung (Kovariation)"));
  BuildLayout();
  ConnectHandlers();
  InstallFieldKeys(false);

  FixedArrows.MakeEmpty();
  termField->setText(TermToDisplay(TermKovariation));
  // A faulty stored term is reported when its field is left, not on opening.
  CompileFieldTerm(termField);
  xa = ya = x1;
  xb = yb = x2;
  RestoreOwnLesson();
  AnimationStep = (xb - xa) / std::max(Schrittzahl, 1);
  xScroll_->ShowValue();
  XTickStep = 1.0;
  paintBox->setCursor(ProgramCursor(4));
  examples_->LoadLines();
  UpdateDeleteButtons();
}

TForm12::~TForm12() { FixedArrows.DeleteAll(); }

namespace {
constexpr const char* kFRailKey = "f(x)-Schiene";
constexpr const char* kArrowsKey = "Pfeile";
constexpr const char* kFamilyKey = "Funktionenfamilie";
}  // namespace

void TForm12::RestoreOwnLesson() {
  RememberBoxes({graphBox, arrowBox, cartesianBox, guessBox, legendBox});
  onDisplayBoxClicked();  // nothing is drawn before the window shows
  const std::vector<double> rail = KeptLesson().Numbers(kFRailKey);
  if (rail.size() == 2) {
    ya = rail[0];
    yb = rail[1];
    WertePruefen();
  }
  // Oldest first, so that the newest ends up in front again.
  for (double x : KeptLesson().Numbers(kArrowsKey)) FixedArrows.InsertFront({x});
  if (guessBox->Checked()) {
    onGuessBoxClicked();
    const double family = KeptLesson().Number(kFamilyKey, -1);
    if (family >= 0 && family < kFunctionFamilyCount) onFamilyClicked(static_cast<int>(family));
  }
}

void TForm12::KeepOwnLesson(LessonValues& own) const {
  TAnalysisWindow::KeepOwnLesson(own);
  own.SetNumbers(kFRailKey, {ya, yb});
  std::vector<double> arrows;
  for (std::size_t i = FixedArrows.Count(); i >= 1; --i) {
    FixedArrow a;
    if (FixedArrows.Read(i, a)) arrows.push_back(a.x);
  }
  own.SetNumbers(kArrowsKey, arrows);
  if (guessBox->Checked()) own.SetNumber(kFamilyKey, family_);
}

// `names`: the design names of the halve, double and reset buttons, the colour button and the
// readout.
QGroupBox* TForm12::MakeRailPanel(QWidget* parent, const QString& title, QToolButton*& halve,
                                  QToolButton*& twice, QToolButton*& reset, TColorButton*& colour,
                                  QLabel*& readout, const std::array<const char*, 5>& names) {
  auto* box = new QGroupBox(title, parent);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(4, 2, 4, 2);
  grid->setSpacing(2);
  halve =
      Named(ToolButton(box, QStringLiteral("½"), QStringLiteral("x-Bereich halbieren")), names[0]);
  twice = Named(ToolButton(box, QStringLiteral("2×"), QStringLiteral("x - Bereich verdoppeln")),
                names[1]);
  reset =
      Named(ToolButton(box, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen")), names[2]);
  colour = Named(new TColorButton(box), names[3]);
  grid->addWidget(halve, 0, 0);
  grid->addWidget(twice, 0, 1);
  grid->addWidget(reset, 0, 2);
  grid->addWidget(colour, 0, 3);
  readout = Named(new QLabel(box), names[4]);
  grid->addWidget(readout, 1, 0, 1, 4);
  box->adjustSize();
  return box;
}

void TForm12::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(paintBox, panel);
  Named(paintBox, "PaintBox1");
  paintBox->SetPicture(&bitmap_);

  // The rail panels stand beside their rails.
  side_ = AddSideColumn(170);
  xRailPanel =
      MakeRailPanel(side_, QStringLiteral("x - Schiene"), xRailHalveButton, xRailDoubleButton,
                    xRailResetButton, xRailColourButton, xReadout,
                    {"SpeedButton12", "SpeedButton24", "SpeedButton16", "ColorButton1", "Label9"});
  fRailPanel =
      MakeRailPanel(side_, QStringLiteral("f(x) - Schiene"), fRailHalveButton, fRailDoubleButton,
                    fRailResetButton, fRailColourButton, fReadout,
                    {"SpeedButton1", "SpeedButton5", "SpeedButton4", "ColorButton2", "Label6"});
  for (QGroupBox* box : {xRailPanel, fRailPanel}) box->setFixedWidth(side_->width());

  BuildTermPanels(panel, column);
  BuildXRows(panel, column);

  graphBox =
      Named(CheckBox(panel, QStringLiteral("Schaubild der Funktion zeichnen")), "BitCheckBox1");
  arrowBox = Named(CheckBox(panel, QStringLiteral("Zuordnungspfeil")), "BitCheckBox2");
  cartesianBox =
      Named(CheckBox(panel, QStringLiteral("Darstellung im kartesischen Koordinatensystem")),
            "BitCheckBox3");
  guessBox = Named(CheckBox(panel, QStringLiteral("Funktionsterm erraten")), "BitCheckBox4");
  for (TBitCheckBox* box : {graphBox, arrowBox, cartesianBox, guessBox}) column->addWidget(box);
  legendBox = AddLegendBox(panel, column, [this] { animieren(); });
  const auto button = [panel, column](const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, panel);
    b->setAutoDefault(false);
    column->addWidget(b);
    return Named(b, name);
  };
  fixArrowButton = button(QStringLiteral("Zuordnungspfeil fixieren"), "SpeedButton13");
  deleteArrowButton = button(QStringLiteral("Zuordnungspfeil löschen"), "SpeedButton11");
  clearArrowsButton = button(QStringLiteral("Liste löschen"), "SpeedButton18");

  buttons = MakeButtons(panel, [this] {
    return ExportPicture([this] { animieren(); }, PictureLayout::PlotAndRails, &bitmap_);
  });
  column->addWidget(buttons.panel);
  FinishPanel(330);
}

// The term with its examples, or the families of the guessing game.
void TForm12::BuildTermPanels(QWidget* panel, QVBoxLayout* column) {
  examplePanel = new QWidget(panel);
  auto* examplesColumn = new QVBoxLayout(examplePanel);
  examplesColumn->setContentsMargins(0, 0, 0, 0);
  termField = Named(AddTermRow(examplePanel, examplesColumn, QStringLiteral("f(x) ="), helpButton),
                    "Edit1");
  LimitTermField(termField, kShortTermFieldLength);
  Named(helpButton, "SpeedButton28");
  const ExampleControls examples = AddExampleControls(examplePanel, examplesColumn);
  exampleListBox = Named(examples.list, "ListBox1");
  getExampleButton = Named(examples.get, "SpeedButton3");
  addExampleButton = Named(examples.add, "SpeedButton7");
  removeExampleButton = Named(examples.remove, "SpeedButton8");
  column->addWidget(examplePanel);

  familyPanel = new QWidget(panel);
  auto* families = new QGridLayout(familyPanel);
  families->setContentsMargins(0, 0, 0, 0);
  families->setSpacing(2);
  const char* const names[kFunctionFamilyCount] = {
      "SpeedButton9",  "SpeedButton10", "SpeedButton19", "SpeedButton32", "SpeedButton22",
      "SpeedButton26", "SpeedButton27", "SpeedButton20", "SpeedButton21", "SpeedButton29"};
  for (int f = 0; f < kFunctionFamilyCount; ++f) {
    auto* b = new QPushButton(QString::fromUtf8(kFunctionFamilies[f].caption), familyPanel);
    b->setAutoDefault(false);
    familyButtons[static_cast<std::size_t>(f)] = Named(b, names[f]);
    families->addWidget(b, f / 2, f % 2);
  }
  familyField = Named(new QLineEdit(familyPanel), "Edit3");
  familyField->setReadOnly(true);
  families->addWidget(familyField, 5, 0, 1, 2);
  showSolutionButton = new QPushButton(QStringLiteral("Lösung anzeigen"), familyPanel);
  showSolutionButton->setAutoDefault(false);
  families->addWidget(Named(showSolutionButton, "SpeedButton30"), 6, 0, 1, 2);
  auto* guessRow = Named(new QWidget(familyPanel), "guessRow");
  auto* guess = new QGridLayout(guessRow);
  guess->setContentsMargins(0, 0, 0, 0);
  guess->addWidget(new QLabel(QStringLiteral("Dein Term:"), guessRow), 0, 0);
  guessField = Named(new QLineEdit(guessRow), "guessField");
  guessField->setAccessibleName(QStringLiteral("Dein Term:"));
  LimitTermField(guessField, kShortTermFieldLength);
  guess->addWidget(guessField, 0, 1);
  guessVerdict = Named(new QLabel(guessRow), "guessVerdict");
  guessVerdict->setWordWrap(true);
  // Room for the longest verdict from the start: the controls below stay put when one appears.
  guessVerdict->setMinimumHeight(2 * guessVerdict->fontMetrics().lineSpacing());
  guess->addWidget(guessVerdict, 1, 0, 1, 2);
  families->addWidget(guessRow, 7, 0, 1, 2);
  familyPanel->hide();
  column->addWidget(familyPanel);
}

// x0 with its bar, the animation and its speed.
void TForm12::BuildXRows(QWidget* panel, QVBoxLayout* column) {
  auto* xRow = new QHBoxLayout;
  xRow->addWidget(new QLabel(QStringLiteral("x  ="), panel));
  xField = Named(NumberField(panel, 90), "Edit2");
  xRow->addWidget(xField);
  xResetButton =
      Named(ToolButton(panel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen")),
            "SpeedButton2");
  xRow->addWidget(xResetButton);
  animationSwitch = Named(AnimationSwitch(panel), "Switch1");
  xRow->addWidget(animationSwitch);
  directionButton = Named(DirectionButton(panel), "SpeedButton25");
  xRow->addWidget(directionButton);
  xRow->addStretch();
  column->addLayout(xRow);
  xBar = Named(new QScrollBar(Qt::Horizontal, panel), "ScrollBar1");
  xBar->setRange(1, 200);
  column->addWidget(xBar);
  auto* speedRow = new QHBoxLayout;
  // The bar divides the animation's step: further right is slower.
  speedRow->addWidget(new QLabel(QStringLiteral("schneller"), panel));
  speedBar = new QSlider(Qt::Horizontal, panel);
  speedBar->setRange(1, 40);
  speedBar->setValue(1);
  speedBar->setToolTip(QStringLiteral("Geschwindigkeit"));
  speedRow->addWidget(Named(speedBar, "TrackBar2"), 1);
  speedRow->addWidget(new QLabel(QStringLiteral("langsamer"), panel));
  column->addLayout(speedRow);
}

void TForm12::ConnectHandlers() {
  OnExit(termField, [this] { onTermFieldLeft(); });
  OnExit(guessField, [this] { onGuessFieldLeft(); });
  xScroll_ = new TNumberScroll(
      this, xField, xBar, xP, [this] { return xa; }, [this] { return xb; },
      [this] { animieren(); });
  connect(xResetButton, &QToolButton::clicked, this, [this] {
    xScroll_->SetValue(StartValues.xP);
    animieren();
  });
  connect(animationSwitch, &TSwitch::OnClick, this, &TForm12::onAnimationSwitchClicked);
  connect(directionButton, &QToolButton::clicked, this, &TForm12::onDirectionButtonClicked);
  for (TBitCheckBox* box : {graphBox, arrowBox, cartesianBox})
    connect(box, &TBitCheckBox::OnClick, this, &TForm12::onDisplayBoxClicked);
  connect(guessBox, &TBitCheckBox::OnClick, this, &TForm12::onGuessBoxClicked);
  for (int f = 0; f < kFunctionFamilyCount; ++f)
    connect(familyButtons[static_cast<std::size_t>(f)], &QPushButton::clicked, this,
            [this, f] { onFamilyClicked(f); });
  connect(showSolutionButton, &QPushButton::clicked, this, &TForm12::onShowSolutionClicked);
  connect(fixArrowButton, &QPushButton::clicked, this, &TForm12::onFixArrowClicked);
  connect(deleteArrowButton, &QPushButton::clicked, this, &TForm12::onDeleteArrowClicked);
  connect(clearArrowsButton, &QPushButton::clicked, this, &TForm12::onClearArrowsClicked);
  connect(xRailHalveButton, &QToolButton::clicked, this, [this] { RailZoom(false, true); });
  connect(xRailDoubleButton, &QToolButton::clicked, this, [this] { RailZoom(false, false); });
  connect(xRailResetButton, &QToolButton::clicked, this, [this] { RailReset(false); });
  connect(fRailHalveButton, &QToolButton::clicked, this, [this] { RailZoom(true, true); });
  connect(fRailDoubleButton, &QToolButton::clicked, this, [this] { RailZoom(true, false); });
  connect(fRailResetButton, &QToolButton::clicked, this, [this] { RailReset(true); });
  connect(xRailColourButton, &TColorButton::OnChange, this, [this] {
    xRailColor_ = static_cast<Color>(xRailColourButton->SelectionColor());
    animieren();
  });
  connect(fRailColourButton, &TColorButton::OnChange, this, [this] {
    fRailColor_ = static_cast<Color>(fRailColourButton->SelectionColor());
    animieren();
  });
  WatchPaintBox(paintBox);
  // x goes where the mouse is pressed and follows it while the button is down.
  const auto moveX = [this](int column) {
    xP = MouseX(column);
    xScroll_->ShowValue();
    animieren();
  };
  WatchDragAlongX({moveX, moveX});

  examples_ = new TExampleList(
      this, {exampleListBox, getExampleButton, addExampleButton, removeExampleButton, termField},
      kExampleFile);
  examples_->Apply = [this](int, const std::string& entry) {
    termField->setText(TermToDisplay(entry));
    onTermFieldLeft();
  };
}

void TForm12::showEvent(QShowEvent* event) {
  TAnalysisWindow::showEvent(event);
  termField->setFocus();
}

void TForm12::WertePruefen() {
  kurvio::WertePruefen({xa, xb, ya, yb}, [this] { InitWerte(); });
}

void TForm12::InitWerte() { kurvio::InitWerte({xa, xb, ya, yb}); }

void TForm12::BarFollowsRail() {
  // A hundred bar positions per tick step of the x rail.
  const TickSteps steps = TickStepsFor({xa, xb, ya, yb}, SettingsAxes(), bitmap_.width(), bitmap_.height());
  xScroll_->FollowView(BarMaxForTicks(xb - xa, steps.x));
}

void TForm12::PlaceRailPanels() {
  // The panels' middles at the rows of the rails.
  const int h = paintBox->height();
  const int top = paintBox->geometry().top() - side_->geometry().top();
  const auto place = [&](QWidget* box, double row) {
    const int y = top + static_cast<int>(std::lround(row)) - box->height() / 2;
    box->move(0, std::clamp(y, 0, std::max(side_->height() - box->height(), 0)));
  };
  place(xRailPanel, h / 21.0 * 20);
  place(fRailPanel, h / 6.0 * 5);
}

void TForm12::FormPaint() {
  FitPictureToPaintBox(bitmap_);
  PlaceRailPanels();
  xRailColourButton->SetSelectionColor(static_cast<int>(xRailColor_));
  fRailColourButton->SetSelectionColor(static_cast<int>(fRailColor_));
  BarFollowsRail();
  animieren();
}

void TForm12::KeepLesson() {
  // The window's view is its x rail; the settings hold it only while it is
  // kept. A hidden function is not written down: the term from before the game is.
  const double keepX1 = x1, keepX2 = x2;
  const std::string keepTerm = TermKovariation;
  x1 = xa;
  x2 = xb;
  if (guessBox->Checked()) TermKovariation = termBeforeGame_;
  TAnalysisWindow::KeepLesson();
  x1 = keepX1;
  x2 = keepX2;
  TermKovariation = keepTerm;
}

void TForm12::OpenSettings() {
  if (!guessBox->Checked()) return TAnalysisWindow::OpenSettings();
  const std::string hidden = TermKovariation;
  TermKovariation = termBeforeGame_;
  TAnalysisWindow::OpenSettings();
  TermKovariation = hidden;
}

void TForm12::FormClose() {
  AnimationRunning = false;
  animationSwitch->SetChecked(false);
  examples_->SaveLines();
}

void TForm12::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  TraceCurve(CurveFrame(frame_), TermCurve(MainTerm, BatchInput::X, WindowInputs()), scaleFrom, scaleTo, from, to);
}

void TForm12::ShowReadouts() {
  const double y = EvalWindowTerm(xP);
  xReadout->setText(QStringLiteral("x =") + Number(xP));
  fReadout->setText(TermDefined ? QStringLiteral("f(x) =") + Number(y)
                                : QStringLiteral("f(x) = nicht definiert"));
}

void TForm12::DrawCartesianArrow(double x) {
  const double y = EvalWindowTerm(x);
  if (!TermDefined || !ShowCartesian) return;
  Canvas& c = *frame_.canvas;
  const int r4 = frame_.Scaled(4), r12 = frame_.Scaled(12);
  const int X = frame_.ScreenX(x), Y = frame_.ScreenY(y), X0 = frame_.ScreenX(0), Y0 = frame_.ScreenY(0);
  Dot(frame_, xRailColor_, X, Y0, r4);
  Dot(frame_, fRailColor_, X0, Y, r4);
  c.brush = {kBlack, BrushStyle::Solid};
  c.MoveTo(X0, Y);
  c.LineTo(X, Y);
  c.LineTo(X, Y0);
  Dot(frame_, kBlack, X, Y, r4);
  if (ShowArrow) {
    // The tip on the y-axis, the base towards the point.
    const int base = x <= 0 ? X0 - r12 : X0 + r12;
    c.Polygon({{X0, Y}, {base, Y - r4}, {base, Y + r4}});
  }
}

void TForm12::DrawRailArrow(double x) {
  Canvas& c = *frame_.canvas;
  const int r4 = frame_.Scaled(4), r12 = frame_.Scaled(12);
  const double y = EvalWindowTerm(x);
  const bool defined = TermDefined;

  x1 = xa;
  x2 = xb;
  y1 = -1;
  y2 = 20;
  frame_.world = {x1, x2, y1, y2};
  frame_.axes.xName = "x";
  DrawCoordinateSystem(frame_);
  c.pen = {kBlack, frame_.Scaled(1)};
  const int px = frame_.ScreenX(x), py = frame_.ScreenY(0);
  Dot(frame_, xRailColor_, px, py, r4);

  x1 = ya;
  x2 = yb;
  y1 = -1;
  y2 = 5;
  frame_.world = {x1, x2, y1, y2};
  frame_.axes.xName = "f(x)";
  DrawCoordinateSystem(frame_);
  if (!defined) return;
  c.pen = {kBlack, frame_.Scaled(1)};
  const int qx = frame_.ScreenX(y), qy = frame_.ScreenY(0);
  Dot(frame_, fRailColor_, qx, qy, r4);
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
  BeginFrame();
  if (!frame_.forExport) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  // During an export the picture is taller than the plot by the rails' fifth.
  const int h = frame_.forExport ? LayoutPictureHeight(PictureLayout::PlotAndRails, frame_.height)
                              : paintBox->height();
  std::vector<double> arrows;
  for (std::size_t i = FixedArrows.Count(); i >= 1; --i) {
    FixedArrow a;
    if (FixedArrows.Read(i, a)) arrows.push_back(a.x);
  }
  arrows.push_back(xP);

  DrawOn(bitmap_, paintBox->font(), frame_, [&] {
    Canvas& c = *frame_.canvas;
    c.pen = {kBlack, frame_.Scaled(1)};
    CurveColor = Farben::Zeichenstift;

    // The Cartesian part in the upper four fifths.
    frame_.height = h / 5 * 4;
    frame_.axes.numberLine = false;
    frame_.axes.xName = "x";
    frame_.axes.yName = "y=f(x)";
    x1 = xa;
    x2 = xb;
    y1 = ya;
    y2 = yb;
    frame_.world = {x1, x2, y1, y2};
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    DrawCoordinateSystem(frame_);
    if (ShowGraph) KurveZeichnen(x1, x2, x1, x2);
    if (guess_) {
      CurveColor = Farben::Tangente;
      TraceCurve(CurveFrame(frame_), TermCurve(guess_, BatchInput::X, WindowInputs()), x1, x2, x1, x2);
      CurveColor = Farben::Zeichenstift;
    }
    c.pen = {kBlack, frame_.Scaled(1)};
    for (double x : arrows) DrawCartesianArrow(x);
    // The legend would give the guessing game away.
    if (!guessBox->Checked())
      DrawTermLegend(frame_, legendBox, {QStringLiteral("f(x) = ") + DrawnTermText(termField)},
                     TermCurve(MainTerm, BatchInput::X, WindowInputs()));

    // The rails in the lower fifth.
    frame_.height = h;
    frame_.axes.numberLine = true;
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    c.FillRect(0, h / 5 * 4, frame_.width, h);
    for (double x : arrows) {
      c.brush = {Farben::Hintergrund, BrushStyle::Solid};
      DrawRailArrow(x);
    }

    x1 = xa;
    x2 = xb;
    y1 = ya;
    y2 = yb;
    frame_.world = {x1, x2, y1, y2};
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  });
  ShowReadouts();
  if (!frame_.forExport) paintBox->Show();
}

void TForm12::onTermFieldLeft() {
  CheckTermEdit(termField);
  const bool valid = TermDefined;
  TermKovariation = DisplayToTerm(termField->text()).substr(0, kTermSettingLength);
  if (valid) animieren();
}

void TForm12::onAnimationSwitchClicked() {
  AnimationRunning = true;
  AnimationStep = (xb - xa) / std::max(Schrittzahl, 1);
  const bool alive = RunAnimation(
      this,
      [this] {
        xP += AnimationStep / std::max(speedBar->value(), 1);
        xScroll_->ShowValue();
        animieren();
        // One step beyond an end, then back.
        if (xP > xb || xP < xa) AnimationStep = -AnimationStep;
      },
      [this] {
        Delay(FrameDelay);
        if (!animationSwitch->Checked()) AnimationRunning = false;
      });
  if (alive) xScroll_->PositionFromValue();
}

void TForm12::onDirectionButtonClicked() { AnimationStep = -AnimationStep; }

void TForm12::onDisplayBoxClicked() {
  ShowGraph = graphBox->Checked();
  ShowArrow = arrowBox->Checked();
  ShowCartesian = cartesianBox->Checked();
  animieren();
}

void TForm12::onGuessBoxClicked() {
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
  const bool guessing = guessBox->Checked();
  if (guessing) {
    termBeforeGame_ = TermKovariation;
    family_ = -1;
  }
  examplePanel->setVisible(!guessing);
  familyPanel->setVisible(guessing);
  // The guess goes with the game; the legend shows the term again, or hides it.
  const bool redraw = guess_ || legendBox->Checked();
  if (!guessing) ClearGuess();
  if (redraw) animieren();
}

void TForm12::ClearGuess() {
  guessField->clear();
  guessVerdict->clear();
  guess_.reset();
}

void TForm12::onGuessFieldLeft() {
  if (guessField->text().trimmed().isEmpty()) {
    if (guess_) {
      ClearGuess();
      animieren();
    }
    return;
  }
  TermHandle guess;
  if (!CheckTermEdit(guessField, guess)) return;  // the syntax error has been reported
  guess_ = std::move(guess);
  const bool right = SameFunction(guess_, MainTerm, WindowInputs(), xa, xb);
  guessVerdict->setText(right ? QStringLiteral("Richtig!")
                              : QStringLiteral("Noch nicht – vergleiche die Graphen"));
  animieren();
}

void TForm12::onFamilyClicked(int family) {
  const std::vector<std::string>& list = Functions[static_cast<std::size_t>(family)];
  if (list.empty()) return;
  const std::string& term =
      list[static_cast<std::size_t>(PickFunctionIndex(static_cast<int>(list.size())))];
  termField->setText(TermToDisplay(term));
  CheckTermEdit(termField);
  const bool valid = TermDefined;
  TermKovariation = DisplayToTerm(termField->text()).substr(0, kTermSettingLength);
  family_ = family;
  familyField->setText(QString::fromUtf8(kFunctionFamilies[static_cast<std::size_t>(family)].name));
  ClearGuess();  // a new function to find
  familyField->show();
  if (valid) animieren();
}

void TForm12::onShowSolutionClicked() { familyField->setText(termField->text()); }

void TForm12::UpdateDeleteButtons() {
  const bool any = !FixedArrows.IsEmpty();
  deleteArrowButton->setEnabled(any);
  clearArrowsButton->setEnabled(any);
}

void TForm12::onFixArrowClicked() {
  FixedArrows.InsertFront({xP});
  UpdateDeleteButtons();
  animieren();
}

void TForm12::onDeleteArrowClicked() {
  FixedArrows.Delete(1);
  UpdateDeleteButtons();
  animieren();
}

void TForm12::onClearArrowsClicked() {
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
  RailsZoomed();
}

void TForm12::RailsZoomed() {
  WertePruefen();
  AnimationStep = (xb - xa) / std::max(Schrittzahl, 1);
  BarFollowsRail();
  animieren();
}

std::optional<PlotSpot> TForm12::SpotAt(int column, int row) const {
  const int w = std::max(paintBox->width(), 1), h = paintBox->height();
  if (column < 0 || column >= w || row < 0 || row >= h) return std::nullopt;
  const int plotHeight = LayoutPlotHeight(PictureLayout::PlotAndRails, h);
  const double along = static_cast<double>(column) / w;
  if (row < plotHeight)
    return PlotSpot{along * (xb - xa) + xa,
                    (1.0 - static_cast<double>(row) / std::max(plotHeight, 1)) * (yb - ya) + ya};
  // Below the plot the rail nearer to the pointer: the x rail lies at 20/21 of the
  // height, the f(x) rail at 5/6, halfway between them is 25/28.
  if (28 * row >= 25 * h) return PlotSpot{along * (xb - xa) + xa, (ya + yb) / 2, true, false};
  return PlotSpot{(xa + xb) / 2, along * (yb - ya) + ya, false, true};
}

void TForm12::ZoomAt(const PlotSpot& spot, double factor) {
  if (spot.hasX) ZoomRangeAbout(xa, xb, spot.x, factor);
  if (spot.hasY) ZoomRangeAbout(ya, yb, spot.y, factor);
  RailsZoomed();
}

void TForm12::ResetView() {
  RailReset(false);
  RailReset(true);
}

void TForm12::RailReset(bool fRail) {
  // Both rails start from the x range of the start values.
  (fRail ? ya : xa) = StartValues.x1;
  (fRail ? yb : xb) = StartValues.x2;
  BarFollowsRail();
  animieren();
}

double TForm12::MouseX(int column) const {
  return xa + (xb - xa) * column / std::max(paintBox->width(), 1);
}

}  // namespace kurvio
