// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <vector>

#include "app/Family.h"
#include "export/Export.h"
#include "module/ButtonColumn.h"
#include "module/Controls.h"
#include "module/DerivativeTerms.h"
#include "module/DrawOn.h"
#include "module/HelpWindow.h"
#include "module/PlotPointer.h"
#include "module/ScrollGrid.h"
#include "module/SettingsLaunch.h"
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ValueTable.h"
#include "module/ViewPad.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/ZoomBox.h"
#include "settings/FileMessages.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "settings/WindowState.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermText.h"
#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TLineWidthComboBox.h"
#include "widgets/TSMButton.h"
#include "widgets/TSwitch.h"

namespace kurvio {
namespace {

struct FamilyTab {
  const char* caption;
  int kind;
  const char* labels[3];
};

const FamilyTab kTabs[5] = {
    {"y = mx+c", 1, {"m =", "c =", ""}},
    {"y = ax²+bx+c", 2, {"a =", "b =", "c ="}},
    {"y = a(x-u)²+v", 3, {"a =", "u =", "v ="}},
    {"y = af(x-u)+v", 7, {"a =", "u =", "v ="}},
    {"y = f(x,a,b,c,t)", 4, {"a =", "b =", "c ="}},
};

// What a term setting keeps of a term field: the first 120 characters.
std::string StoredTerm(const QLineEdit* edit) {
  return DisplayToTerm(edit->text()).substr(0, kTermSettingLength);
}

}  // namespace

TForm1::TForm1(QWidget* parent) : TModuleDialog(parent) {
  setWindowTitle(QStringLiteral("Funktionsgraphen"));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  BuildLayout();
  ConnectHandlers();
  InstallFieldKeys(true);
  // The term fields show the terms held in memory; the file then supplies
  // parameters, bounds and coordinate window afresh.
  termField->setText(TermToDisplay(TermFxtab));
  shiftedTermField->setText(TermToDisplay(TermAfxuv));
  LoadSettingsOrReport(this);
  LessonValues own;
  if (WindowsKeepLessons() && RestoreWindowState(MainWindowLesson(), &own)) {
    termField->setText(TermToDisplay(TermFxtab));
    shiftedTermField->setText(TermToDisplay(TermAfxuv));
  }
  CurveKind = 4;
  PointX0 = 0;
  LineWidth = StartLineWidth();
  lineWidthBox->SetLineWidth(LineWidth);
  familyTabs->blockSignals(true);
  familyTabs->setCurrentIndex(4);
  familyTabs->blockSignals(false);
  RestoreOwnLesson(own);
  OpenSettingsDialog = [](TForm1* window) {
    OpenSettingsFrom(window, [window] { window->FormPaint(); });
    window->FormPaint();  // the next repaint takes over the changed settings
  };
}

TForm1::~TForm1() { FixedCurves.DeleteAll(); }

namespace {
constexpr const char* kFamilyKey = "Familie";
constexpr const char* kPointKey = "x";
// a, b, c, t, colour and line width of each, the oldest first.
constexpr const char* kFixedCurvesKey = "fixierte Kurven";
constexpr std::size_t kFixedCurveFields = 6;
}  // namespace

void TForm1::RestoreOwnLesson(const LessonValues& own) {
  const double tab = own.Number(kFamilyKey, 4);
  if (tab >= 0 && tab <= 4 && tab == std::floor(tab)) {
    const QSignalBlocker blocker(familyTabs);
    familyTabs->setCurrentIndex(static_cast<int>(tab));
  }
  for (TBitCheckBox* box :
       {slopeTriangleBox, tangentBox, derivativeBox, moveVertexBox, markVertexBox, legendBox})
    box->SetChecked(own.Flag(box->objectName().toStdString(), false));
  ShowTriangle = slopeTriangleBox->Checked();
  ShowTangent = tangentBox->Checked();
  ShowDerivative = derivativeBox->Checked();
  MoveVertex = moveVertexBox->Checked();
  MarkVertex = markVertexBox->Checked();
  PointX0 = own.Number(kPointKey, PointX0);
  const std::vector<double> curves = own.Numbers(kFixedCurvesKey);
  for (std::size_t i = 0; i + kFixedCurveFields <= curves.size(); i += kFixedCurveFields) {
    const double* v = &curves[i];
    const bool colour = v[4] >= 0 && v[4] <= 0xFFFFFF && v[4] == std::floor(v[4]);
    const bool width = v[5] >= 1 && v[5] <= 20;
    if (colour && width)
      FixedCurves.InsertFront(
          {v[0], v[1], v[2], v[3], static_cast<Color>(v[4]), static_cast<int>(v[5])});
  }
  UpdateDeleteButtons();
}

void TForm1::KeepOwnLesson(LessonValues& own) const {
  own.SetNumber(kFamilyKey, CurrentTab());
  for (const TBitCheckBox* box :
       {slopeTriangleBox, tangentBox, derivativeBox, moveVertexBox, markVertexBox, legendBox})
    own.SetFlag(box->objectName().toStdString(), box->Checked());
  own.SetNumber(kPointKey, PointX0);
  std::vector<double> curves;
  for (std::size_t i = FixedCurves.Count(); i >= 1; --i) {
    FixedCurve f;
    if (!FixedCurves.Read(i, f)) continue;
    curves.insert(curves.end(), {f.a, f.b, f.c, f.t, static_cast<double>(f.color),
                                 static_cast<double>(f.lineWidth)});
  }
  own.SetNumbers(kFixedCurvesKey, curves);
}

QWidget* TForm1::BuildParameterRow(int index, QLabel*& label, QLineEdit*& value, QLineEdit*& lower,
                                   QLineEdit*& upper, QScrollBar*& scrollBar, TSwitch*& sw,
                                   QToolButton*& reset, QToolButton*& direction) {
  auto* row = new QWidget(controlPanel);
  auto* grid = new QGridLayout(row);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(1);
  static const char* const kNames[4] = {"a =", "b =", "c =", "t ="};
  label = new QLabel(QString::fromUtf8(kNames[index]), row);
  label->setFixedWidth(28);
  value = NumberField(row, 82);
  reset = ToolButton(row, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen"));
  scrollBar = new QScrollBar(Qt::Horizontal, row);
  scrollBar->setFixedWidth(240);
  scrollBar->setRange(1, 200);
  sw = AnimationSwitch(row);
  direction = DirectionButton(row);
  direction->setToolTip(QStringLiteral("Richtung umkehren"));
  lower = NumberField(row, 82);
  upper = NumberField(row, 82);

  grid->addWidget(label, 0, 0);
  grid->addWidget(value, 0, 1);
  grid->addWidget(reset, 0, 2);
  grid->addWidget(sw, 0, 3);
  grid->addWidget(direction, 0, 4);
  grid->addWidget(scrollBar, 1, 0, 1, 5);
  auto* bounds = new QHBoxLayout;
  bounds->addWidget(lower);
  bounds->addStretch();
  bounds->addWidget(upper);
  grid->addLayout(bounds, 2, 0, 1, 5);
  return row;
}

void TForm1::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(9, 0, 0, 9);
  outer->setSpacing(0);

  // Tab bar with the family caption, line colour and line width at its right end.
  auto* top = new QHBoxLayout;
  familyTabs = new QTabBar(this);
  familyTabs->setShape(QTabBar::RoundedNorth);
  familyTabs->setExpanding(false);
  familyTabs->setDrawBase(false);
  familyTabs->setUsesScrollButtons(false);
  familyTabs->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  for (const FamilyTab& tab : kTabs) familyTabs->addTab(QString::fromUtf8(tab.caption));
  familyTabs->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 90px; height: 25px; }"));
  familyCaption = new QLabel(this);
  QFont captionFont = familyCaption->font();
  captionFont.setBold(true);
  familyCaption->setFont(captionFont);
  lineColorButton = new TColorButton(this);
  lineColorButton->setToolTip(QStringLiteral("Linienfarbe"));
  lineWidthBox = new TLineWidthComboBox(this);
  lineWidthBox->setToolTip(QStringLiteral("Linienbreite"));
  lineWidthBox->SetLineWidth(1);
  top->addWidget(familyTabs);
  top->addSpacing(12);
  top->addWidget(familyCaption);
  top->addStretch();
  top->addWidget(lineColorButton);
  top->addWidget(lineWidthBox);
  outer->addLayout(top);

  auto* body = new QHBoxLayout;
  body->setSpacing(4);
  paintBox = new TPaintBox(this);
  paintBox->setMinimumSize(200, 150);
  paintBox->SetPicture(&layers_.BackBuffer());
  body->addWidget(paintBox, 1);

  // The control panel scrolls when the window is lower than the panel.
  QScrollArea* panelScroll = ScrollingPanel(this, controlPanel);
  auto* panel = new QVBoxLayout(controlPanel);
  panel->setContentsMargins(4, 4, 4, 0);
  panel->setSpacing(3);

  AddTermAndParameterRows(panel);
  AddVertexAndPointRows(panel);
  AddFixAndButtonGroups(panel);
  // The mouse over the graph as in every window: coordinates, wheel and Ctrl+0.
  auto* pointer = new PlotPointer(
      this, paintBox, controlPanel,
      {[this](int column, int row) -> std::optional<PlotSpot> {
         if (!paintBox->rect().contains(column, row)) return std::nullopt;
         return SpotInView(column, row, paintBox->width(), paintBox->height());
       },
       [this](const PlotSpot& spot, double factor) { viewPad->ZoomAbout(spot.x, spot.y, factor); },
       [this] { viewPad->resetButton->click(); }});
  panel->addWidget(pointer->Readout());
  panel->addStretch();

  panelScroll->setWidget(controlPanel);
  FitPanel(panelScroll, 333);
  body->addWidget(panelScroll);
  outer->addLayout(body, 1);

  NameControls();
  UpdateDeleteButtons();
}

void TForm1::AddTermAndParameterRows(QVBoxLayout* panel) {
  // Term row.
  auto* termRow = new QHBoxLayout;
  termLabel = new QLabel(QStringLiteral("  y ="), controlPanel);
  termLabel->setFixedWidth(40);
  termField = new QLineEdit(controlPanel);
  shiftedTermField = new QLineEdit(controlPanel);
  for (QLineEdit* term : {termField, shiftedTermField}) {
    term->setFixedWidth(250);
    LimitTermField(term, kTermFieldLength);
  }
  termHelpButton =
      ToolButton(controlPanel, QStringLiteral("?"), QStringLiteral("Hilfe zur Termeingabe"));
  termRow->addWidget(termLabel);
  termRow->addWidget(termField);
  termRow->addWidget(shiftedTermField);
  shiftedTermField->hide();  // only one of the two term fields is ever shown
  termRow->addWidget(termHelpButton);
  termRow->addStretch();
  panel->addLayout(termRow);

  panel->addWidget(BuildParameterRow(0, aLabel, aField, aLowerField, aUpperField, aBar, aSwitch,
                                     aResetButton, aDirectionButton));
  panel->addWidget(BuildParameterRow(1, bLabel, bField, bLowerField, bUpperField, bBar, bSwitch,
                                     bResetButton, bDirectionButton));
  rowC_ = BuildParameterRow(2, cLabel, cField, cLowerField, cUpperField, cBar, cSwitch,
                            cResetButton, cDirectionButton);
  panel->addWidget(rowC_);
  rowT_ = BuildParameterRow(3, tLabel, tField, tLowerField, tUpperField, tBar, tSwitch,
                            tResetButton, tDirectionButton);
  panel->addWidget(rowT_);
}

void TForm1::AddVertexAndPointRows(QVBoxLayout* panel) {
  // Vertex.
  auto* vertexRow = new QHBoxLayout;
  moveVertexBox = CheckBox(controlPanel, QStringLiteral("Scheitel verschieben"));
  markVertexBox = CheckBox(controlPanel, QStringLiteral("Scheitel markieren"));
  vertexLabel = new QLabel(controlPanel);
  auto* vertexBoxes = new QVBoxLayout;
  vertexBoxes->addWidget(moveVertexBox);
  vertexBoxes->addWidget(markVertexBox);
  vertexRow->addLayout(vertexBoxes);
  vertexRow->addWidget(vertexLabel);
  panel->addLayout(vertexRow);

  // Point panel.
  pointPanel = new QWidget(controlPanel);
  auto* point = new QGridLayout(pointPanel);
  point->setContentsMargins(0, 0, 0, 0);
  slopeTriangleBox = CheckBox(pointPanel, QStringLiteral("Steigungsdreieck"));
  tangentBox = CheckBox(pointPanel, QStringLiteral("Tangente"));
  stepWidthSlider = new QSlider(Qt::Horizontal, pointPanel);
  stepWidthSlider->setRange(1, 20);
  stepWidthSlider->setValue(4);
  stepWidthSlider->setToolTip(QStringLiteral("Schrittweite"));
  derivativeBox = CheckBox(pointPanel, QStringLiteral("f' Ableitungsfunktion"));
  auto* xLabel = new QLabel(QStringLiteral("x ="), pointPanel);
  pointXField = NumberField(pointPanel, 82);
  pointResetButton =
      ToolButton(pointPanel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen"));
  pointSwitch = AnimationSwitch(pointPanel);
  pointDirectionButton = DirectionButton(pointPanel);
  valueTable =
      new ValueTableButton(this, pointPanel,
                           {[this] { return TableFunction(); }, [this] { return TableColumns(); },
                            [this](const std::vector<double>& xs) { return TableCells(xs); }});
  point->addWidget(slopeTriangleBox, 0, 0, 1, 3);
  point->addWidget(tangentBox, 1, 0, 1, 3);
  point->addWidget(stepWidthSlider, 1, 0, 1, 3);
  point->addWidget(derivativeBox, 2, 0, 1, 3);
  auto* xRow = new QHBoxLayout;
  xRow->addWidget(xLabel);
  xRow->addWidget(pointXField);
  xRow->addWidget(pointResetButton);
  xRow->addWidget(pointSwitch);
  xRow->addWidget(pointDirectionButton);
  xRow->addWidget(valueTable->Button());
  xRow->addStretch();
  point->addLayout(xRow, 3, 0, 1, 3);
  panel->addWidget(pointPanel);
  legendBox = LegendBox(controlPanel, [this] { darstellen(); });
  panel->addWidget(legendBox);
  derivativeTerms = new DerivativeTerms(controlPanel, panel, MainTerm);
}

void TForm1::AddFixAndButtonGroups(QVBoxLayout* panel) {
  // Three groups side by side.
  auto* groups = new QHBoxLayout;
  groups->setSpacing(3);
  viewPad = new TViewPad(controlPanel);
  zoomBoxCheck = CheckBox(viewPad, QStringLiteral("Zoom"));
  viewPad->Grid()->addWidget(zoomBoxCheck, 4, 0, 1, 3);
  groups->addWidget(viewPad);

  fixGroup = new QGroupBox(QStringLiteral("fixieren"), controlPanel);
  auto* fix = new QVBoxLayout(fixGroup);
  fix->setSpacing(2);
  fix->setContentsMargins(3, 3, 3, 3);
  addObjectButton = new TSMButton(QStringLiteral("Objekt einfügen"), fixGroup);
  deleteLastObjectButton =
      new TSMButton(QStringLiteral("Letztes Objekt in der Liste löschen"), fixGroup);
  deleteAllObjectsButton = new TSMButton(QStringLiteral("alle Objekte löschen"), fixGroup);
  fixFamilyBox = CheckBox(fixGroup, QStringLiteral("Kurvenschar fixieren"));
  spectrumBox = CheckBox(fixGroup, QStringLiteral("Spektrum"),
                         QStringLiteral("Farbspektrum für Parameterwerte"));
  spectrumImage = new QLabel(fixGroup);
  spectrumImage->setFixedSize(64, 10);
  spectrumSlider = new QSlider(Qt::Horizontal, fixGroup);
  spectrumSlider->setRange(1, 12);
  spectrumSlider->setToolTip(QStringLiteral("Farbspektrum auswählen"));
  for (QPushButton* b : {addObjectButton, deleteLastObjectButton, deleteAllObjectsButton}) {
    // As wide as the group and as high as the wrapped caption then needs.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    b->setSizePolicy(policy);
    b->setMinimumHeight(34);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{addObjectButton, deleteLastObjectButton,
                                                    deleteAllObjectsButton, fixFamilyBox,
                                                    spectrumBox, spectrumImage, spectrumSlider})
    fix->addWidget(w);
  groups->addWidget(fixGroup, 1);

  // Export: the same two routines draw on the printer or the metafile.
  ButtonColumnActions actions;
  actions.openSettings = [this] { openSettings(); };
  actions.variant = kMainWindowExport;
  actions.target = [this] {
    const auto redraw = [this] {
      darstellen2();
      darstellen();
    };
    return WindowPicture(frames_, frame_, redraw, paintBox);
  };
  buttons = MakeButtonColumn(this, controlPanel, std::move(actions));
  groups->addWidget(buttons.panel);
  panel->addLayout(groups);
}

void TForm1::NameControls() {
  const std::pair<QWidget*, const char*> names[] = {{familyTabs, "TabControl1"},
                                                    {familyCaption, "Label8"},
                                                    {lineColorButton, "ColorButton1"},
                                                    {lineWidthBox, "LineWidthComboBox1"},
                                                    {paintBox, "PaintBox1"},
                                                    {controlPanel, "Panel1"},
                                                    {termLabel, "Label4"},
                                                    {termField, "Edit1"},
                                                    {shiftedTermField, "Edit12"},
                                                    {termHelpButton, "SpeedButton28"},
                                                    {aLabel, "Label1"},
                                                    {bLabel, "Label2"},
                                                    {cLabel, "Label3"},
                                                    {tLabel, "Label11"},
                                                    {aField, "Edit2"},
                                                    {aLowerField, "Edit3"},
                                                    {aUpperField, "Edit4"},
                                                    {bField, "Edit5"},
                                                    {bLowerField, "Edit6"},
                                                    {bUpperField, "Edit7"},
                                                    {cField, "Edit8"},
                                                    {cLowerField, "Edit9"},
                                                    {cUpperField, "Edit10"},
                                                    {tField, "Edit13"},
                                                    {tLowerField, "Edit14"},
                                                    {tUpperField, "Edit15"},
                                                    {aBar, "ScrollBar1"},
                                                    {bBar, "ScrollBar2"},
                                                    {cBar, "ScrollBar3"},
                                                    {tBar, "ScrollBar4"},
                                                    {aSwitch, "Switch1"},
                                                    {bSwitch, "Switch2"},
                                                    {cSwitch, "Switch3"},
                                                    {tSwitch, "Switch5"},
                                                    {aResetButton, "SpeedButton1"},
                                                    {bResetButton, "SpeedButton2"},
                                                    {cResetButton, "SpeedButton4"},
                                                    {tResetButton, "SpeedButton16"},
                                                    {aDirectionButton, "SpeedButton24"},
                                                    {bDirectionButton, "SpeedButton25"},
                                                    {cDirectionButton, "SpeedButton26"},
                                                    {tDirectionButton, "SpeedButton29"},
                                                    {moveVertexBox, "BitCheckBox3"},
                                                    {markVertexBox, "BitCheckBox6"},
                                                    {vertexLabel, "Label5"},
                                                    {pointPanel, "Panel4"},
                                                    {slopeTriangleBox, "BitCheckBox2"},
                                                    {tangentBox, "BitCheckBox4"},
                                                    {derivativeBox, "BitCheckBox1"},
                                                    {stepWidthSlider, "TrackBar1"},
                                                    {pointXField, "Edit11"},
                                                    {pointResetButton, "SpeedButton13"},
                                                    {pointDirectionButton, "SpeedButton27"},
                                                    {pointSwitch, "Switch4"},
                                                    {zoomBoxCheck, "BitCheckBox5"},
                                                    {addObjectButton, "SpeedButton6"},
                                                    {deleteLastObjectButton, "SpeedButton12"},
                                                    {deleteAllObjectsButton, "SpeedButton5"},
                                                    {fixFamilyBox, "BitCheckBox10"},
                                                    {spectrumBox, "BitCheckBox9"},
                                                    {spectrumImage, "Image1"},
                                                    {spectrumSlider, "TrackBar2"},
                                                    {buttons.closeButton, "SpeedButton35"}};
  for (const auto& [control, name] : names) SetDesignName(control, name);
}

void TForm1::ConnectHandlers() {
  connect(familyTabs, &QTabBar::currentChanged, this, &TForm1::onFamilyTabChanged);
  OnExit(termField, [this] { onTermFieldLeft(); });
  OnExit(shiftedTermField, [this] { onShiftedTermFieldLeft(); });
  OnExit(pointXField, [this] { onPointXFieldLeft(); });
  for (int i = 0; i < kFamilyParamCount; ++i) {
    const Row row = RowOf(i);
    OnExit(row.value, [this, i] { ValueExit(i); });
    OnExit(row.lower, [this, i] { BoundExit(i, false); });
    OnExit(row.upper, [this, i] { BoundExit(i, true); });
    connect(row.scrollBar, &QScrollBar::valueChanged, this, [this, i] { ScrollBarChange(i); });
  }
  connect(aResetButton, &QToolButton::clicked, this, [this] { ResetParameter(0); });
  connect(bResetButton, &QToolButton::clicked, this, [this] { ResetParameter(1); });
  connect(cResetButton, &QToolButton::clicked, this, [this] { ResetParameter(2); });
  connect(tResetButton, &QToolButton::clicked, this, [this] { ResetParameter(3); });
  connect(pointResetButton, &QToolButton::clicked, this, &TForm1::resetPoint);
  connect(termHelpButton, &QToolButton::clicked, this, [this] { TForm18::Execute(this); });
  connect(addObjectButton, &QPushButton::clicked, this, [this] { ObjektEinfuegen(); });
  connect(deleteLastObjectButton, &QPushButton::clicked, this, &TForm1::deleteLastObject);
  connect(deleteAllObjectsButton, &QPushButton::clicked, this, &TForm1::deleteAllObjects);
  for (TBitCheckBox* box : {slopeTriangleBox, tangentBox, derivativeBox})
    connect(box, &TBitCheckBox::OnClick, this, &TForm1::DisplayCheckBoxClick);
  connect(moveVertexBox, &TBitCheckBox::OnClick, this, &TForm1::onMoveVertexClicked);
  connect(markVertexBox, &TBitCheckBox::OnClick, this, &TForm1::onMarkVertexClicked);
  connect(spectrumBox, &TBitCheckBox::OnClick, this, &TForm1::onSpectrumClicked);
  connect(fixFamilyBox, &TBitCheckBox::OnClick, this, &TForm1::onFixFamilyClicked);
  connect(stepWidthSlider, &QSlider::valueChanged, this, &TForm1::onStepWidthChanged);
  connect(spectrumSlider, &QSlider::valueChanged, this, &TForm1::onSpectrumSliderChanged);
  connect(lineColorButton, &TColorButton::OnChange, this, &TForm1::onLineColorChanged);
  connect(lineWidthBox, &TLineWidthComboBox::OnChange, this, &TForm1::onLineWidthChanged);
  connect(paintBox, &TPaintBox::Resized, this, [this] {
    if (shown_) FormPaint();
  });
  ConnectAnimation();
}

TForm1::Row TForm1::RowOf(int index) const {
  switch (index) {
    case 0:
      return {aField, aLowerField, aUpperField, aBar};
    case 1:
      return {bField, bLowerField, bUpperField, bBar};
    case 2:
      return {cField, cLowerField, cUpperField, cBar};
    default:
      return {tField, tLowerField, tUpperField, tBar};
  }
}

int TForm1::CurrentTab() const { return familyTabs->currentIndex(); }

void TForm1::showEvent(QShowEvent* event) {
  TModuleDialog::showEvent(event);
  shown_ = true;
  FormPaint();
}

void TForm1::ShowParameter(int index) {
  const ParamRef p = FamilyParam(index);
  const Row row = RowOf(index);
  row.value->setText(QString::fromStdString(FormatNumber(Nachkommastellen, p.value)));
  row.lower->setText(QString::fromStdString(FormatNumber(Nachkommastellen, p.lower)));
  row.upper->setText(QString::fromStdString(FormatNumber(Nachkommastellen, p.upper)));
}

void TForm1::SetScrollBarFromValue(int index, bool raiseSliderUpdate) {
  const ParamRef p = FamilyParam(index);
  const bool saved = SliderUpdate;
  if (raiseSliderUpdate) SliderUpdate = true;
  RowOf(index).scrollBar->setValue(PositionFromValue(p.value, p.lower, p.upper, Schrittzahl));
  SliderUpdate = saved;
}

void TForm1::FormPaint() {
  const int S = std::max(Schrittzahl, 1);
  for (int i = 0; i < kFamilyParamCount; ++i) {
    ShowParameter(i);
    RowOf(i).scrollBar->setMaximum(S);
    SetScrollBarFromValue(i, false);
  }
  pointXField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, PointX0)));
  lineColorButton->SetSelectionColor(Farben::Zeichenstift);
  spectrumSlider->setValue(1);
  Farbverlauf(1);
  paintBox->unsetCursor();
  onFamilyTabChanged();
}

void TForm1::einkontrolle() {
  RestoreEqualBounds();
  for (int i = 0; i < kFamilyParamCount; ++i) ShowParameter(i);
  const int S = std::max(Schrittzahl, 1);
  for (int i = 0; i < kFamilyParamCount; ++i) {
    RowOf(i).scrollBar->setMaximum(S);
    SetScrollBarFromValue(i, false);
  }
}

void TForm1::onFamilyTabChanged() {
  const int tab = std::clamp(CurrentTab(), 0, 4);
  // The common case first.
  rowC_->setVisible(true);
  rowT_->setVisible(false);
  termField->setVisible(false);
  shiftedTermField->setVisible(false);
  termLabel->setVisible(false);
  termHelpButton->setVisible(false);
  moveVertexBox->setVisible(false);
  markVertexBox->setVisible(false);
  pointPanel->setVisible(false);
  if (tab != 1 && tab != 2 && moveVertexBox->Checked()) {
    moveVertexBox->SetChecked(false);
    MoveVertex = false;
  }
  if (tab != 3 && derivativeBox->Checked()) {
    derivativeBox->SetChecked(false);
    ShowDerivative = false;
  }

  const FamilyTab& t = kTabs[tab];
  familyCaption->setText(QString::fromUtf8(t.caption));
  aLabel->setText(QString::fromUtf8(t.labels[0]));
  bLabel->setText(QString::fromUtf8(t.labels[1]));
  cLabel->setText(QString::fromUtf8(t.labels[2]));
  CurveKind = t.kind;
  switch (tab) {
    case 0:
      pointPanel->setVisible(true);
      tangentBox->setVisible(false);
      derivativeBox->setVisible(false);
      stepWidthSlider->setVisible(true);
      rowC_->setVisible(false);
      break;
    case 1:
    case 2:
      moveVertexBox->setVisible(true);
      markVertexBox->setVisible(true);
      break;
    default: {
      pointPanel->setVisible(true);
      stepWidthSlider->setVisible(false);
      tangentBox->setVisible(true);
      derivativeBox->setVisible(true);
      termHelpButton->setVisible(true);
      termLabel->setVisible(true);
      QLineEdit* term = tab == 3 ? shiftedTermField : termField;
      termLabel->setText(tab == 3 ? QStringLiteral("f(x) =") : QStringLiteral("  y ="));
      term->setVisible(true);
      rowT_->setVisible(tab == 4);
      // A repaint reports no syntax error: that happens once, when the field is left.
      CompileFieldTerm(term);
      break;
    }
  }
  derivativeTerms->SetAvailable(tab >= 3);
  valueTable->Button()->setVisible(tab >= 3);
  if (tab < 3) valueTable->Close();
  darstellen2();
  darstellen();
}

void TForm1::onTermFieldLeft() {
  CheckTermEdit(termField);
  TermFxtab = StoredTerm(termField);
  darstellen();
}

void TForm1::onShiftedTermFieldLeft() {
  CheckTermEdit(shiftedTermField);
  TermAfxuv = StoredTerm(shiftedTermField);
  darstellen();
}

void TForm1::onPointXFieldLeft() {
  ReadNumberEdit(pointXField, PointX0, PointX0);
  darstellen2();
  darstellen();
}

void TForm1::ValueExit(int index) {
  ParamRef p = FamilyParam(index);
  ReadNumberEdit(RowOf(index).value, p.value, p.value);
  SetScrollBarFromValue(index, true);
  darstellen();
}

void TForm1::BoundExit(int index, bool upper) {
  ParamRef p = FamilyParam(index);
  const Row row = RowOf(index);
  if (upper)
    ReadNumberEdit(row.upper, p.upper, p.upper);
  else
    ReadNumberEdit(row.lower, p.lower, p.lower);
  einkontrolle();
  SetScrollBarFromValue(index, true);
  darstellen();
}

void TForm1::ScrollBarChange(int index) {
  if (SliderUpdate) return;
  ParamRef p = FamilyParam(index);
  p.value = ValueFromPosition(RowOf(index).scrollBar->value(), p.lower, p.upper,
                              std::max(Schrittzahl, 1));
  RowOf(index).value->setText(QString::fromStdString(FormatNumber(Nachkommastellen, p.value)));
  if (SpectrumOn) Farben::Zeichenstift = SpectrumColor(Spectrum, p.value, p.lower, p.upper);
  if (ShowDerivative) darstellen2();
  darstellen();
  if (FixFamily) ObjektEinfuegen();
}

void TForm1::ResetParameter(int index) {
  static double StartValuesRecord::*const kValue[4] = {
      &StartValuesRecord::ParamA, &StartValuesRecord::ParamB, &StartValuesRecord::ParamC,
      &StartValuesRecord::ParamT};
  ParamRef p = FamilyParam(index);
  p.value = StartValues.*kValue[index];
  p.lower = p.startLower;
  p.upper = p.startUpper;
  ShowParameter(index);
  SetScrollBarFromValue(index, false);
  darstellen();
}

void TForm1::resetPoint() {
  PointX0 = 0;
  pointXField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, PointX0)));
  stepWidthSlider->setValue(4);
  darstellen();
}

void TForm1::UpdateDeleteButtons() {
  const bool any = !FixedCurves.IsEmpty();
  deleteLastObjectButton->setEnabled(any);
  deleteAllObjectsButton->setEnabled(any);
}

void TForm1::ObjektEinfuegen() {
  FixedCurves.InsertFront(
      FixedCurve{ParamA, ParamB, ParamC, ParamT, Farben::Zeichenstift, LineWidth});
  FixDrawing = true;
  darstellen();
  FixDrawing = false;
  UpdateDeleteButtons();
}

void TForm1::deleteLastObject() {
  FixedCurves.Delete(1);
  UpdateDeleteButtons();
  darstellen2();
  darstellen();
}

void TForm1::deleteAllObjects() {
  FixedCurves.DeleteAll();
  UpdateDeleteButtons();
  darstellen2();
  darstellen();
}

void TForm1::DisplayCheckBoxClick() {
  ShowTriangle = slopeTriangleBox->Checked();
  ShowTangent = tangentBox->Checked();
  ShowDerivative = derivativeBox->Checked();
  darstellen2();
  darstellen();
}

void TForm1::onMoveVertexClicked() {
  MoveVertex = moveVertexBox->Checked();
  darstellen();
}

void TForm1::onMarkVertexClicked() {
  MarkVertex = markVertexBox->Checked();
  darstellen();
}

void TForm1::onSpectrumClicked() {
  SpectrumOn = spectrumBox->Checked();
  if (SpectrumOn)
    savedPenColor_ = Farben::Zeichenstift;
  else
    Farben::Zeichenstift = savedPenColor_;
}

void TForm1::onFixFamilyClicked() { FixFamily = fixFamilyBox->Checked(); }

void TForm1::onStepWidthChanged() {
  StepWidth = stepWidthSlider->value() / 4.0;
  darstellen();
}

void TForm1::onSpectrumSliderChanged() {
  Farbverlauf(spectrumSlider->value());
  Spectrum = spectrumSlider->value();
}

void TForm1::onLineColorChanged() {
  Farben::Zeichenstift = lineColorButton->SelectionColor();
  darstellen2();
  darstellen();
}

void TForm1::onLineWidthChanged() {
  LineWidth = lineWidthBox->LineWidth();
  ChooseLineWidth(LineWidth);
  darstellen2();
  darstellen();
}

const WindowState& MainWindowLesson() {
  static const WindowState lesson{
      "Funktionsgraphen", [] {
        std::vector<std::string> keys = ViewKeys();
        for (const char* p : {"a", "a1", "a2", "b", "b1", "b2", "c", "c1", "c2", "t", "t1", "t2"})
          keys.push_back(std::string("Parameter/") + p);
        keys.push_back("Funktionsterme/f(x,t,a,b)");
        keys.push_back("Funktionsterme/af(x-u)+v");
        return keys;
      }()};
  return lesson;
}

void TForm1::RedrawPicture() { FormPaint(); }

}  // namespace kurvio
