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
#include <QSlider>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Family.h"
#include "export/Export.h"
#include "module/ButtonColumn.h"
#include "module/Controls.h"
#include "module/HelpWindow.h"
#include "module/ScrollGrid.h"
#include "module/SettingsLaunch.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "module/ViewPad.h"
#include "plot/ZoomBox.h"
#include "settings/FileMessages.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermEdit.h"
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
  Edit1->setText(TermToDisplay(TermFxtab));
  Edit12->setText(TermToDisplay(TermAfxuv));
  LoadSettingsOrReport(this);
  CurveKind = 4;
  PointX0 = 0;
  LineWidth = 1;
  TabControl1->blockSignals(true);
  TabControl1->setCurrentIndex(4);
  TabControl1->blockSignals(false);
  OpenSettingsDialog = [](TForm1* window) {
    OpenSettingsFrom(window, [window] { window->FormPaint(); });
    window->FormPaint();  // the next repaint takes over the changed settings
  };
}

TForm1::~TForm1() { FixedCurves.DeleteAll(); }

QWidget* TForm1::BuildParameterRow(int index, QLabel*& label, QLineEdit*& value, QLineEdit*& lower,
                                   QLineEdit*& upper, QScrollBar*& scrollBar, TSwitch*& sw,
                                   QToolButton*& reset, QToolButton*& direction) {
  auto* row = new QWidget(Panel1);
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
  TabControl1 = new QTabBar(this);
  TabControl1->setShape(QTabBar::RoundedNorth);
  TabControl1->setExpanding(false);
  TabControl1->setDrawBase(false);
  TabControl1->setUsesScrollButtons(false);
  TabControl1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  for (const FamilyTab& tab : kTabs) TabControl1->addTab(QString::fromUtf8(tab.caption));
  TabControl1->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 90px; height: 25px; }"));
  Label8 = new QLabel(this);
  QFont captionFont = Label8->font();
  captionFont.setBold(true);
  Label8->setFont(captionFont);
  ColorButton1 = new TColorButton(this);
  ColorButton1->setToolTip(QStringLiteral("Linienfarbe"));
  LineWidthComboBox1 = new TLineWidthComboBox(this);
  LineWidthComboBox1->setToolTip(QStringLiteral("Linienbreite"));
  LineWidthComboBox1->SetLineWidth(1);
  top->addWidget(TabControl1);
  top->addSpacing(12);
  top->addWidget(Label8);
  top->addStretch();
  top->addWidget(ColorButton1);
  top->addWidget(LineWidthComboBox1);
  outer->addLayout(top);

  auto* body = new QHBoxLayout;
  body->setSpacing(4);
  PaintBox1 = new TPaintBox(this);
  PaintBox1->setMinimumSize(200, 150);
  PaintBox1->SetPicture(&layers_.BackBuffer());
  body->addWidget(PaintBox1, 1);

  // The control panel scrolls when the window is lower than the panel.
  QScrollArea* panelScroll = ScrollingPanel(this, Panel1);
  auto* panel = new QVBoxLayout(Panel1);
  panel->setContentsMargins(4, 4, 4, 0);
  panel->setSpacing(3);

  // Term row.
  auto* termRow = new QHBoxLayout;
  Label4 = new QLabel(QStringLiteral("  y ="), Panel1);
  Label4->setFixedWidth(40);
  Edit1 = new QLineEdit(Panel1);
  Edit12 = new QLineEdit(Panel1);
  for (QLineEdit* term : {Edit1, Edit12}) {
    term->setFixedWidth(250);
    LimitTermField(term, kTermFieldLength);
  }
  SpeedButton28 = ToolButton(Panel1, QStringLiteral("?"), QStringLiteral("Hilfe zur Termeingabe"));
  termRow->addWidget(Label4);
  termRow->addWidget(Edit1);
  termRow->addWidget(Edit12);
  Edit12->hide();  // only one of the two term fields is ever shown
  termRow->addWidget(SpeedButton28);
  termRow->addStretch();
  panel->addLayout(termRow);

  panel->addWidget(BuildParameterRow(0, Label1, Edit2, Edit3, Edit4, ScrollBar1, Switch1,
                                     SpeedButton1, SpeedButton24));
  panel->addWidget(BuildParameterRow(1, Label2, Edit5, Edit6, Edit7, ScrollBar2, Switch2,
                                     SpeedButton2, SpeedButton25));
  rowC_ = BuildParameterRow(2, Label3, Edit8, Edit9, Edit10, ScrollBar3, Switch3, SpeedButton4,
                            SpeedButton26);
  panel->addWidget(rowC_);
  rowT_ = BuildParameterRow(3, Label11, Edit13, Edit14, Edit15, ScrollBar4, Switch5, SpeedButton16,
                            SpeedButton29);
  panel->addWidget(rowT_);

  // Vertex.
  auto* vertexRow = new QHBoxLayout;
  BitCheckBox3 = CheckBox(Panel1, QStringLiteral("Scheitel verschieben"));
  BitCheckBox6 = CheckBox(Panel1, QStringLiteral("Scheitel markieren"));
  Label5 = new QLabel(Panel1);
  auto* vertexBoxes = new QVBoxLayout;
  vertexBoxes->addWidget(BitCheckBox3);
  vertexBoxes->addWidget(BitCheckBox6);
  vertexRow->addLayout(vertexBoxes);
  vertexRow->addWidget(Label5);
  panel->addLayout(vertexRow);

  // Point panel.
  Panel4 = new QWidget(Panel1);
  auto* point = new QGridLayout(Panel4);
  point->setContentsMargins(0, 0, 0, 0);
  BitCheckBox2 = CheckBox(Panel4, QStringLiteral("Steigungsdreieck"));
  BitCheckBox4 = CheckBox(Panel4, QStringLiteral("Tangente"));
  TrackBar1 = new QSlider(Qt::Horizontal, Panel4);
  TrackBar1->setRange(1, 20);
  TrackBar1->setValue(4);
  TrackBar1->setToolTip(QStringLiteral("Schrittweite"));
  BitCheckBox1 = CheckBox(Panel4, QStringLiteral("f' Ableitungsfunktion"));
  auto* xLabel = new QLabel(QStringLiteral("x ="), Panel4);
  Edit11 = NumberField(Panel4, 82);
  SpeedButton13 = ToolButton(Panel4, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen"));
  Switch4 = AnimationSwitch(Panel4);
  SpeedButton27 = DirectionButton(Panel4);
  point->addWidget(BitCheckBox2, 0, 0, 1, 3);
  point->addWidget(BitCheckBox4, 1, 0, 1, 3);
  point->addWidget(TrackBar1, 1, 0, 1, 3);
  point->addWidget(BitCheckBox1, 2, 0, 1, 3);
  auto* xRow = new QHBoxLayout;
  xRow->addWidget(xLabel);
  xRow->addWidget(Edit11);
  xRow->addWidget(SpeedButton13);
  xRow->addWidget(Switch4);
  xRow->addWidget(SpeedButton27);
  xRow->addStretch();
  point->addLayout(xRow, 3, 0, 1, 3);
  panel->addWidget(Panel4);

  // Three groups side by side.
  auto* groups = new QHBoxLayout;
  groups->setSpacing(3);
  GroupBox1 = new TViewPad(Panel1);
  SpeedButton3 = GroupBox1->zoomOutButton;
  SpeedButton7 = GroupBox1->zoomInButton;
  SpeedButton21 = GroupBox1->upLeftButton;
  SpeedButton11 = GroupBox1->upButton;
  SpeedButton20 = GroupBox1->upRightButton;
  SpeedButton8 = GroupBox1->leftButton;
  SpeedButton22 = GroupBox1->resetButton;
  SpeedButton9 = GroupBox1->rightButton;
  SpeedButton18 = GroupBox1->downLeftButton;
  SpeedButton10 = GroupBox1->downButton;
  SpeedButton19 = GroupBox1->downRightButton;
  BitCheckBox5 = CheckBox(GroupBox1, QStringLiteral("Zoom"));
  GroupBox1->Grid()->addWidget(BitCheckBox5, 4, 0, 1, 3);
  groups->addWidget(GroupBox1);

  GroupBox2 = new QGroupBox(QStringLiteral("fixieren"), Panel1);
  auto* fix = new QVBoxLayout(GroupBox2);
  fix->setSpacing(2);
  fix->setContentsMargins(3, 3, 3, 3);
  SpeedButton6 = new TSMButton(QStringLiteral("Objekt einfügen"), GroupBox2);
  SpeedButton12 = new TSMButton(QStringLiteral("Letztes Objekt in der Liste löschen"), GroupBox2);
  SpeedButton5 = new TSMButton(QStringLiteral("alle Objekte löschen"), GroupBox2);
  BitCheckBox10 = CheckBox(GroupBox2, QStringLiteral("Kurvenschar fixieren"));
  BitCheckBox9 = CheckBox(GroupBox2, QStringLiteral("Spektrum"),
                          QStringLiteral("Farbspektrum für Parameterwerte"));
  Image1 = new QLabel(GroupBox2);
  Image1->setFixedSize(64, 10);
  TrackBar2 = new QSlider(Qt::Horizontal, GroupBox2);
  TrackBar2->setRange(1, 12);
  TrackBar2->setToolTip(QStringLiteral("Farbspektrum auswählen"));
  for (QPushButton* b : {SpeedButton6, SpeedButton12, SpeedButton5}) {
    // As wide as the group and as high as the wrapped caption then needs.
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    b->setSizePolicy(policy);
    b->setMinimumHeight(34);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton6, SpeedButton12, SpeedButton5,
                                                    BitCheckBox10, BitCheckBox9, Image1, TrackBar2})
    fix->addWidget(w);
  groups->addWidget(GroupBox2, 1);

  // Export: the same two routines draw on the printer or the metafile.
  ButtonColumnActions actions;
  actions.openSettings = [this] { SpeedButton14Click(); };
  actions.variant = kMainWindowExport;
  actions.target = [this] {
    const auto redraw = [this] {
      darstellen2();
      darstellen();
    };
    return ExportTarget{redraw, redraw, PaintBox1};
  };
  const ButtonColumn column = MakeButtonColumn(this, Panel1, std::move(actions));
  SpeedButton14 = column.settingsButton;
  SpeedButton15 = column.printButton;
  SpeedButton17 = column.wmfFileButton;
  SpeedButton23 = column.wmfClipboardButton;
  SpeedButton35 = column.closeButton;
  groups->addWidget(column.panel);
  panel->addLayout(groups);
  panel->addStretch();

  panelScroll->setWidget(Panel1);
  FitPanel(panelScroll, 333);
  body->addWidget(panelScroll);
  outer->addLayout(body, 1);

  UpdateDeleteButtons();
}

void TForm1::ConnectHandlers() {
  connect(TabControl1, &QTabBar::currentChanged, this, &TForm1::TabControl1Change);
  OnExit(Edit1, [this] { Edit1Exit(); });
  OnExit(Edit12, [this] { Edit12Exit(); });
  OnExit(Edit11, [this] { Edit11Exit(); });
  for (int i = 0; i < kFamilyParamCount; ++i) {
    const Row row = RowOf(i);
    OnExit(row.value, [this, i] { ValueExit(i); });
    OnExit(row.lower, [this, i] { BoundExit(i, false); });
    OnExit(row.upper, [this, i] { BoundExit(i, true); });
    connect(row.scrollBar, &QScrollBar::valueChanged, this, [this, i] { ScrollBarChange(i); });
  }
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { ResetParameter(0); });
  connect(SpeedButton2, &QToolButton::clicked, this, [this] { ResetParameter(1); });
  connect(SpeedButton4, &QToolButton::clicked, this, [this] { ResetParameter(2); });
  connect(SpeedButton16, &QToolButton::clicked, this, [this] { ResetParameter(3); });
  connect(SpeedButton13, &QToolButton::clicked, this, &TForm1::SpeedButton13Click);
  connect(SpeedButton28, &QToolButton::clicked, this, [this] { TForm18::Execute(this); });
  connect(SpeedButton6, &QPushButton::clicked, this, &TForm1::SpeedButton6Click);
  connect(SpeedButton12, &QPushButton::clicked, this, &TForm1::SpeedButton12Click);
  connect(SpeedButton5, &QPushButton::clicked, this, &TForm1::SpeedButton5Click);
  for (TBitCheckBox* box : {BitCheckBox2, BitCheckBox4, BitCheckBox1})
    connect(box, &TBitCheckBox::OnClick, this, &TForm1::DisplayCheckBoxClick);
  connect(BitCheckBox3, &TBitCheckBox::OnClick, this, &TForm1::BitCheckBox3Click);
  connect(BitCheckBox6, &TBitCheckBox::OnClick, this, &TForm1::BitCheckBox6Click);
  connect(BitCheckBox9, &TBitCheckBox::OnClick, this, &TForm1::BitCheckBox9Click);
  connect(BitCheckBox10, &TBitCheckBox::OnClick, this, &TForm1::BitCheckBox10Click);
  connect(TrackBar1, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
  connect(TrackBar2, &QSlider::valueChanged, this, &TForm1::TrackBar2Change);
  connect(ColorButton1, &TColorButton::OnChange, this, &TForm1::ColorButton1Change);
  connect(LineWidthComboBox1, &TLineWidthComboBox::OnChange, this,
          &TForm1::LineWidthComboBox1Change);
  connect(PaintBox1, &TPaintBox::Resized, this, [this] {
    if (shown_) FormPaint();
  });
  ConnectAnimation();
}

TForm1::Row TForm1::RowOf(int index) const {
  switch (index) {
    case 0:
      return {Edit2, Edit3, Edit4, ScrollBar1};
    case 1:
      return {Edit5, Edit6, Edit7, ScrollBar2};
    case 2:
      return {Edit8, Edit9, Edit10, ScrollBar3};
    default:
      return {Edit13, Edit14, Edit15, ScrollBar4};
  }
}

int TForm1::CurrentTab() const { return TabControl1->currentIndex(); }

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
  Edit11->setText(QString::fromStdString(FormatNumber(Nachkommastellen, PointX0)));
  ColorButton1->SetSelectionColor(Farben::Zeichenstift);
  TrackBar2->setValue(1);
  Farbverlauf(1);
  PaintBox1->unsetCursor();
  TabControl1Change();
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

void TForm1::TabControl1Change() {
  const int tab = std::clamp(CurrentTab(), 0, 4);
  // The common case first.
  rowC_->setVisible(true);
  rowT_->setVisible(false);
  Edit1->setVisible(false);
  Edit12->setVisible(false);
  Label4->setVisible(false);
  SpeedButton28->setVisible(false);
  BitCheckBox3->setVisible(false);
  BitCheckBox6->setVisible(false);
  Panel4->setVisible(false);
  if (tab != 1 && tab != 2 && BitCheckBox3->Checked()) {
    BitCheckBox3->SetChecked(false);
    MoveVertex = false;
  }
  if (tab != 3 && BitCheckBox1->Checked()) {
    BitCheckBox1->SetChecked(false);
    ShowDerivative = false;
  }

  const FamilyTab& t = kTabs[tab];
  Label8->setText(QString::fromUtf8(t.caption));
  Label1->setText(QString::fromUtf8(t.labels[0]));
  Label2->setText(QString::fromUtf8(t.labels[1]));
  Label3->setText(QString::fromUtf8(t.labels[2]));
  CurveKind = t.kind;
  switch (tab) {
    case 0:
      Panel4->setVisible(true);
      BitCheckBox4->setVisible(false);
      BitCheckBox1->setVisible(false);
      TrackBar1->setVisible(true);
      rowC_->setVisible(false);
      break;
    case 1:
    case 2:
      BitCheckBox3->setVisible(true);
      BitCheckBox6->setVisible(true);
      break;
    default: {
      Panel4->setVisible(true);
      TrackBar1->setVisible(false);
      BitCheckBox4->setVisible(true);
      BitCheckBox1->setVisible(true);
      SpeedButton28->setVisible(true);
      Label4->setVisible(true);
      QLineEdit* term = tab == 3 ? Edit12 : Edit1;
      Label4->setText(tab == 3 ? QStringLiteral("f(x) =") : QStringLiteral("  y ="));
      term->setVisible(true);
      rowT_->setVisible(tab == 4);
      // A repaint reports no syntax error: that happens once, when the field is left.
      CompileTermQuietly(MainTerm, DisplayToTerm(term->text()), true);
      if (!TermDefined) CompileTerm(MainTerm, "0", true);
      break;
    }
  }
  darstellen2();
  darstellen();
}

void TForm1::Edit1Exit() {
  CheckTermEdit(Edit1);
  TermFxtab = StoredTerm(Edit1);
  darstellen();
}

void TForm1::Edit12Exit() {
  CheckTermEdit(Edit12);
  TermAfxuv = StoredTerm(Edit12);
  darstellen();
}

void TForm1::Edit11Exit() {
  ReadNumberEdit(Edit11, PointX0, PointX0);
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

void TForm1::SpeedButton13Click() {
  PointX0 = 0;
  Edit11->setText(QString::fromStdString(FormatNumber(Nachkommastellen, PointX0)));
  TrackBar1->setValue(4);
  darstellen();
}

void TForm1::UpdateDeleteButtons() {
  const bool any = !FixedCurves.IsEmpty();
  SpeedButton12->setEnabled(any);
  SpeedButton5->setEnabled(any);
}

void TForm1::SpeedButton6Click() { ObjektEinfuegen(); }

void TForm1::ObjektEinfuegen() {
  FixedCurves.InsertFront(
      FixedCurve{ParamA, ParamB, ParamC, ParamT, Farben::Zeichenstift, LineWidth});
  FixDrawing = true;
  darstellen();
  FixDrawing = false;
  UpdateDeleteButtons();
}

void TForm1::SpeedButton12Click() {
  FixedCurves.Delete(1);
  UpdateDeleteButtons();
  darstellen2();
  darstellen();
}

void TForm1::SpeedButton5Click() {
  FixedCurves.DeleteAll();
  UpdateDeleteButtons();
  darstellen2();
  darstellen();
}

void TForm1::DisplayCheckBoxClick() {
  ShowTriangle = BitCheckBox2->Checked();
  ShowTangent = BitCheckBox4->Checked();
  ShowDerivative = BitCheckBox1->Checked();
  darstellen2();
  darstellen();
}

void TForm1::BitCheckBox3Click() {
  MoveVertex = BitCheckBox3->Checked();
  darstellen();
}

void TForm1::BitCheckBox6Click() {
  MarkVertex = BitCheckBox6->Checked();
  darstellen();
}

void TForm1::BitCheckBox9Click() {
  SpectrumOn = BitCheckBox9->Checked();
  if (SpectrumOn)
    savedPenColor_ = Farben::Zeichenstift;
  else
    Farben::Zeichenstift = savedPenColor_;
}

void TForm1::BitCheckBox10Click() { FixFamily = BitCheckBox10->Checked(); }

void TForm1::TrackBar1Change() {
  StepWidth = TrackBar1->value() / 4.0;
  darstellen();
}

void TForm1::TrackBar2Change() {
  Farbverlauf(TrackBar2->value());
  Spectrum = TrackBar2->value();
}

void TForm1::ColorButton1Change() {
  Farben::Zeichenstift = ColorButton1->SelectionColor();
  darstellen2();
  darstellen();
}

void TForm1::LineWidthComboBox1Change() {
  LineWidth = LineWidthComboBox1->LineWidth();
  darstellen2();
  darstellen();
}

}  // namespace kurvio
