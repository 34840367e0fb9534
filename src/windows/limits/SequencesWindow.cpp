// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ViewCheck.h"
#include "module/ViewPad.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermBatch.h"
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
constexpr const char* kEpsilonKey = "epsilon";
constexpr const char* kMaxEpsilonKey = "epsilon max";

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

// The view at opening and after "Anfangswerte setzen": the index axis from
// just left of 0 to 18.
void OpeningView() {
  x2 = 18;
  x1 = -1.5;
  y1 = StartValues.y1;
  y2 = StartValues.y2;
}

}  // namespace

TForm15::TForm15(QWidget* parent)
    : TAnalysisWindow(parent,
                      AnalysisLesson(kLessonName, {"Funktionsterme/Folgen a(n)", "Folgen Grenzwert/g"},
                                     OpeningView)) {
  setWindowTitle(QStringLiteral("Folgen - Grenzwert"));
  BuildLayout();
  ConnectHandlers();
  ShowInPicture([this] {
    const QString g = limitField->text().trimmed();
    return determineLimitBox->Checked() && g != QStringLiteral("?") && !g.isEmpty()
               ? QStringLiteral("g = ") + g
               : QString();
  });
  ShowInPicture(QStringLiteral("n\u2080 = "), n0Label);
  InstallFieldKeys(false);

  termField->setText(TermToDisplay(TermFolgen));
  CompileFieldTerm(termField);
  n0Panel->hide();
  XTickStep = 1.0;
  // ε within its maximum, both positive, as the window was closed with.
  epsmax = KeptLesson().Number(kMaxEpsilonKey, epsmax);
  if (!(epsmax > 0)) epsmax = 1.0;
  eps = KeptLesson().Number(kEpsilonKey, eps);
  if (!(eps > 0 && eps <= epsmax)) eps = std::min(1.0, epsmax);
  RememberBoxes(
      {determineLimitBox, connectPointsBox, numberLineBox, findN0Box, markLimitBox, legendBox});
  onDisplayBoxClicked();  // nothing is drawn before the window shows
  if (determineLimitBox->Checked()) onDetermineLimitClicked();
  epsScroll_->ShowValue();
  maxEpsilonField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, epsmax)));
  ShowLimit();
  paintBox->setCursor(ProgramCursor(1));
  examples_->LoadLines();
}

TForm15::~TForm15() = default;

void TForm15::KeepOwnLesson(LessonValues& own) const {
  TAnalysisWindow::KeepOwnLesson(own);
  own.SetNumber(kEpsilonKey, eps);
  own.SetNumber(kMaxEpsilonKey, epsmax);
}

void TForm15::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(paintBox, panel);
  Named(paintBox, "PaintBox1");
  paintBox->SetPicture(&bitmap_);
  termField =
      Named(AddTermRow(panel, column, QStringLiteral("a<sub>n</sub> ="), helpButton), "Edit1");
  Named(helpButton, "SpeedButton28");
  BuildLimitRows(panel, column);
  BuildN0Panel(panel, column);

  legendBox = AddLegendBox(panel, column, [this] { animieren(); });
  const ExampleControls examples = AddExampleControls(panel, column);
  exampleListBox = Named(examples.list, "ListBox1");
  getExampleButton = Named(examples.get, "SpeedButton1");
  addExampleButton = Named(examples.add, "SpeedButton4");
  removeExampleButton = Named(examples.remove, "SpeedButton5");

  const BottomControls bottom = AddViewPadAndButtons(
      panel, column, [this](bool) { animieren(); }, [this] { return Picture(); },
      [this] { onSaveFileClicked(); });
  viewPad = bottom.pad;
  // This window's reset is not its InitWerte.
  viewPad->Reset = [] { OpeningView(); };
  buttons = bottom.buttons;
  buttons.wmfFileButton->setToolTip(SavePictureHint(true));  // JPEG too, see onSaveFileClicked
  FinishPanel(330);
}

// g, ε with its bar and maximum, the colours and the display switches.
void TForm15::BuildLimitRows(QWidget* panel, QVBoxLayout* column) {
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(2);
  determineLimitBox = Named(CheckBox(panel, QStringLiteral("Grenzwert bestimmen")), "BitCheckBox1");
  grid->addWidget(determineLimitBox, 0, 0, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("g ="), panel), 1, 0);
  limitField = Named(NumberField(panel, 90), "Edit2");
  grid->addWidget(limitField, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("ε ="), panel), 2, 0);
  epsilonField = Named(NumberField(panel, 90), "Edit4");
  grid->addWidget(epsilonField, 2, 1);
  epsilonResetButton =
      Named(ToolButton(panel, QStringLiteral("1"), QStringLiteral("Anfangswerte setzen")),
            "SpeedButton13");
  grid->addWidget(epsilonResetButton, 2, 2);
  grid->addWidget(new QLabel(QStringLiteral("max ε"), panel), 2, 3, Qt::AlignRight);
  maxEpsilonField = NumberField(panel, 70);
  maxEpsilonField->setToolTip(QStringLiteral("max Epsilon"));
  grid->addWidget(Named(maxEpsilonField, "Edit3"), 2, 4);
  epsilonBar = Named(new QScrollBar(Qt::Horizontal, panel), "ScrollBar3");
  epsilonBar->setRange(1, kEpsSteps);
  grid->addWidget(epsilonBar, 3, 0, 1, 5);
  const auto colourButton = [panel](const QString& hint, const char* name) {
    auto* button = new TColorButton(panel);
    button->SetDefaultText(hint);
    button->setToolTip(hint);
    return Named(button, name);
  };
  stripColourButton = colourButton(QStringLiteral("ε-Streifen"), "ColorButton1");
  pointColourButton = colourButton(QStringLiteral("Punkte"), "ColorButton2");
  auto* colours = new QHBoxLayout;
  colours->addWidget(new QLabel(QStringLiteral("Streifen"), panel));
  colours->addWidget(stripColourButton);
  colours->addSpacing(12);
  colours->addWidget(new QLabel(QStringLiteral("Punkte"), panel));
  colours->addWidget(pointColourButton);
  colours->addStretch();
  grid->addLayout(colours, 4, 0, 1, 5);
  connectPointsBox = Named(CheckBox(panel, QStringLiteral("Punkte verbinden")), "BitCheckBox2");
  numberLineBox =
      Named(CheckBox(panel, QStringLiteral("Darstellung auf der Zahlengeraden")), "BitCheckBox5");
  grid->addWidget(connectPointsBox, 5, 0, 1, 5);
  grid->addWidget(numberLineBox, 6, 0, 1, 5);
  grid->setColumnStretch(4, 1);
  column->addLayout(grid);
}

// The n0 part, shown while a limit has been found.
void TForm15::BuildN0Panel(QWidget* panel, QVBoxLayout* column) {
  n0Panel = Named(new QWidget(panel), "Panel4");
  // Hidden it keeps its room, so that the controls below do not move as a limit is found or lost.
  QSizePolicy keepRoom = n0Panel->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  n0Panel->setSizePolicy(keepRoom);
  auto* n0Grid = new QGridLayout(n0Panel);
  n0Grid->setContentsMargins(0, 0, 0, 0);
  n0Grid->setVerticalSpacing(2);
  n0Grid->addWidget(new QLabel(QStringLiteral("n<sub>0</sub> ="), n0Panel), 0, 0);
  n0Label = Named(new QLabel(QStringLiteral("?"), n0Panel), "Label11");
  n0Grid->addWidget(n0Label, 0, 1);
  n0Grid->addWidget(
      new QLabel(QStringLiteral("für alle n ≥ n<sub>0</sub> gilt  | a<sub>n</sub> − g | &lt; ε"),
                 n0Panel),
      1, 0, 1, 3);
  findN0Box = Named(CheckBox(n0Panel, QStringLiteral("n₀ bestimmen")), "BitCheckBox3");
  markLimitBox = Named(CheckBox(n0Panel, QStringLiteral("Grenzwert markieren")), "BitCheckBox4");
  n0Grid->addWidget(findN0Box, 2, 0, 1, 3);
  n0Grid->addWidget(markLimitBox, 3, 0, 1, 3);
  n0Grid->setColumnStretch(2, 1);
  column->addWidget(n0Panel);
}

void TForm15::ConnectHandlers() {
  OnExit(termField, [this] { onTermFieldLeft(); });
  OnExit(limitField, [this] { onLimitFieldLeft(); });
  OnExit(maxEpsilonField, [this] { onMaxEpsilonFieldLeft(); });
  epsScroll_ = new TNumberScroll(
      this, epsilonField, epsilonBar, eps, [] { return 0.0; }, [this] { return epsmax; },
      [this] { animieren(); });
  epsScroll_->SetMax(kEpsSteps);
  connect(epsilonResetButton, &QToolButton::clicked, this, &TForm15::onEpsilonResetClicked);
  connect(determineLimitBox, &TBitCheckBox::OnClick, this, &TForm15::onDetermineLimitClicked);
  for (TBitCheckBox* box : {connectPointsBox, findN0Box, markLimitBox, numberLineBox})
    connect(box, &TBitCheckBox::OnClick, this, &TForm15::onDisplayBoxClicked);
  connect(stripColourButton, &TColorButton::OnChange, this, [this] {
    Farben::epsilon = static_cast<Color>(stripColourButton->SelectionColor());
    animieren();
  });
  connect(pointColourButton, &TColorButton::OnChange, this, [this] {
    pointColor_ = static_cast<Color>(pointColourButton->SelectionColor());
    animieren();
  });
  WatchPaintBox(paintBox);
  WatchZoomBox(bitmap_, [this] { animieren(); });

  examples_ = new TExampleList(
      this, {exampleListBox, getExampleButton, addExampleButton, removeExampleButton, termField},
      kExampleFile);
  examples_->Apply = [this](int, const std::string& entry) {
    n0Panel->hide();
    termField->setText(TermToDisplay(entry));
    onTermFieldLeft();
  };
}

ExportTarget TForm15::Picture() {
  return ExportPicture([this] { animieren(); }, PictureLayout::OnePlot, &bitmap_);
}

void TForm15::FormPaint() {
  FitPictureToPaintBox(bitmap_);
  stripColourButton->SetSelectionColor(static_cast<int>(Farben::epsilon));
  pointColourButton->SetSelectionColor(static_cast<int>(pointColor_));
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
  if (determineLimitBox->Checked() && !LimitFound)
    limitField->setText(QStringLiteral("?"));
  else
    limitField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, FolgenGrenzwert)));
}

void TForm15::BerechneGrenzwert() {
  const LimitEstimate e = kurvio::BerechneGrenzwert(A, FolgenGrenzwert);
  FolgenGrenzwert = e.g;
  LimitFound = e.found;
}

void TForm15::Berechne_n0() {
  n0 = kurvio::Berechne_n0(SequenceBatch(ABatch), FolgenGrenzwert, eps);
  if (n0 == 0) {
    n0Label->setText(QStringLiteral("?"));
    return;
  }
  n0Label->setText(QString::number(n0));
  if (!(n0 < x2)) return;
  Canvas& c = *frame_.canvas;
  bool defined = false;
  const double y = A(n0, defined);
  c.pen.color = kBlue;
  c.pen.width = frame_.Scaled(1);
  WorldLine(frame_, n0, 0, n0, y);
  c.font.color = kBlack;
  c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  const int x = frame_.ScreenX(n0), axis = frame_.ScreenY(0);
  const bool below = y > 0;
  WriteText(c, x - frame_.Scaled(4), axis + (below ? frame_.Scaled(16) : -frame_.Scaled(22)), "n₀");
}

void TForm15::folgezeichnen() {
  Canvas& c = *frame_.canvas;
  c.pen.color = pointColor_;
  c.pen.width = frame_.Scaled(1);
  c.pen.style = PenStyle::Solid;
  c.brush = {pointColor_, BrushStyle::Solid};
  const int lo = frame_.Scaled(2), hi = frame_.Scaled(3);
  const int strokeFrom = frame_.Scaled(4), strokeTo = frame_.Scaled(16);
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
      if (havePrevious && n > x1 && visible) WorldLine(frame_, previousN, previous, n, y);
      havePrevious = true;
      previous = y;
      previousN = n;
    }
    if (!visible) continue;
    const int px = frame_.ScreenX(n), py = frame_.ScreenY(y);
    const bool rowInside = py >= frame_.top && py <= frame_.height;
    if (px >= 0 && px <= frame_.width && rowInside) c.Ellipse(px - lo, py - lo, px + hi, py + hi);
    if (NumberLine && rowInside) {
      c.MoveTo(strokeFrom, py);
      c.LineTo(strokeTo, py);
    }
  }
}

void TForm15::animieren() {
  BeginFrame();
  if (!frame_.forExport) {
    if (bitmap_.isNull()) return;
    bitmap_.fill(ToQColor(Farben::Hintergrund));
  }
  const bool determine = determineLimitBox->Checked();
  DrawOn(bitmap_, paintBox->font(), frame_, [&] {
    Canvas& c = *frame_.canvas;
    const double g = FolgenGrenzwert;
    // The ε-strip lies around g: none while the search found no limit ("g = ?").
    if (!determine || LimitFound) {
      c.pen = {Farben::epsilon, frame_.Scaled(1)};
      c.brush = {Farben::epsilon, BrushStyle::Solid, true};
      c.Rectangle(frame_.ScreenX(x1), frame_.ScreenY(g + eps), frame_.ScreenX(x2), frame_.ScreenY(g - eps));
    }
    if (LimitFound && MarkLimit && determine) {
      c.pen.color = kRed;
      WorldLine(frame_, x1, g, x2, g);
    }
    folgezeichnen();
    if (FindN0 && determine && LimitFound) {
      Berechne_n0();
    } else {
      n0 = 0;
      n0Label->setText(QStringLiteral("?"));
    }
    c.brush = {Farben::Hintergrund, BrushStyle::Solid};
    frame_.axes.xName = "n";
    frame_.axes.yName = "a(n)";
    DrawCoordinateSystem(frame_);
    DrawTermLegend(frame_, legendBox, {QStringLiteral("a(n) = ") + DrawnTermText(termField)}, ABatch);
  });
  ShowLimit();
  if (!frame_.forExport) paintBox->Show();
}

void TForm15::onTermFieldLeft() {
  n0Panel->hide();
  CheckTermEdit(termField);
  const bool valid = TermDefined;
  TermFolgen = DisplayToTerm(termField->text()).substr(0, kTermSettingLength);
  // A faulty term leaves the compiled term 0: the estimate of the limit is made afresh for it,
  // so no g, limit line or n0 of the term before stays on the screen.
  BerechneGrenzwert();
  const bool determine = determineLimitBox->Checked();
  if (determine) n0Panel->setVisible(LimitFound);
  if (valid || determine) animieren();
}

void TForm15::onLimitFieldLeft() {
  ReadNumberEdit(limitField, FolgenGrenzwert, FolgenGrenzwert);
  animieren();
}

void TForm15::onMaxEpsilonFieldLeft() {
  const double previous = epsmax;
  ReadNumberEdit(maxEpsilonField, epsmax, epsmax);
  // The bar's full scale must be a width: 0 or less would put ε at 0 or below.
  if (!(epsmax > 0)) {
    epsmax = previous;
    maxEpsilonField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, epsmax)));
  }
  epsScroll_->PositionFromValue();
  animieren();
}

void TForm15::onEpsilonResetClicked() {
  epsScroll_->SetValue(1.0);
  animieren();
}

void TForm15::onViewResetClicked() {
  OpeningView();
  animieren();
}

void TForm15::onDetermineLimitClicked() {
  const bool determine = determineLimitBox->Checked();
  if (determine)
    BerechneGrenzwert();
  else
    LimitFound = false;
  n0Panel->setVisible(determine && LimitFound);
  limitField->setEnabled(!determine);
  animieren();
}

void TForm15::onDisplayBoxClicked() {
  ConnectPoints = connectPointsBox->Checked();
  FindN0 = findN0Box->Checked();
  MarkLimit = markLimitBox->Checked();
  NumberLine = numberLineBox->Checked();
  animieren();
}

void TForm15::onSaveFileClicked() { SaveWmfOrJpeg(kAnalysisWindowExport, Picture(), this); }

}  // namespace kurvio
