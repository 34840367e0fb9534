// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/SettingsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "module/Controls.h"
#include "module/IntegerField.h"
#include "module/PictureFrame.h"
#include "module/Presentation.h"
#include "module/TermEdit.h"
#include "plot/PlotFrame.h"
#include "settings/FileMessages.h"
#include "settings/Preferences.h"
#include "settings/ProgramPrinter.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TFillStyleComboBox.h"
#include "widgets/TLineWidthComboBox.h"

namespace kurvio {
namespace {

constexpr int kNumberFieldWidth = 82;
constexpr int kIntegerFieldWidth = 48;

QString Formatted(double value) {
  return QString::fromStdString(FormatNumber(Nachkommastellen, value));
}

// ReadNumberEdit, telling whether the text was taken: after a syntax error the
// field keeps the user's text (and the focus), otherwise it shows the value.
bool ReadNumberField(QLineEdit* edit, double& value) {
  ReadNumberEdit(edit, value, value);
  return edit->text() == Formatted(value);
}

QLineEdit* Field(QWidget* parent, int width, int maxLength = 32767) {
  auto* edit = new QLineEdit(parent);
  edit->setFixedWidth(width);
  edit->setMaxLength(maxLength);
  return edit;
}

QLabel* Label(QWidget* parent, const char* text) {
  return new QLabel(QString::fromUtf8(text), parent);
}

QFrame* Panel(QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Sunken);
  return frame;
}

TColorButton* ColourButton(QWidget* parent) {
  auto* button = new TColorButton(parent);
  button->setFixedSize(45, 22);
  return button;
}

// Pictures of the grid buttons: the axes with no grid, a dotted or a solid one.
QPixmap GridPicture(int gitter) {
  QPixmap picture(32, 24);
  picture.fill(Qt::white);
  QPainter p(&picture);
  if (gitter > 1) {
    p.setPen(QPen(QColor(128, 128, 128), 1, gitter == 2 ? Qt::DotLine : Qt::SolidLine));
    for (int x = 4; x < 32; x += 6) p.drawLine(x, 0, x, 23);
    for (int y = 3; y < 24; y += 6) p.drawLine(0, y, 31, y);
  }
  p.setPen(Qt::black);
  p.drawLine(0, 15, 31, 15);
  p.drawLine(10, 0, 10, 23);
  return picture;
}

// Pictures of the label buttons: only the first tick labelled, or every tick.
QPixmap LabelPicture(bool firstOnly) {
  QPixmap picture(40, 24);
  picture.fill(Qt::white);
  QPainter p(&picture);
  p.setPen(Qt::black);
  p.drawLine(1, 8, 38, 8);
  QFont font = p.font();
  font.setPixelSize(10);
  p.setFont(font);
  for (int i = 0; i < 4; ++i) {
    const int x = 6 + 10 * i;
    p.drawLine(x, 6, x, 10);
    if (i > 0 && (!firstOnly || i == 1))
      p.drawText(QRect(x - 5, 11, 10, 12), Qt::AlignCenter, QString::number(i));
  }
  return picture;
}

QToolButton* PictureButton(QWidget* parent, const QPixmap& picture, const char* hint) {
  auto* button = new QToolButton(parent);
  button->setIcon(QIcon(picture));
  button->setIconSize(picture.size());
  button->setCheckable(true);
  button->setToolTip(QString::fromUtf8(hint));
  return button;
}

}  // namespace

TForm2::TForm2(QWidget* parent, std::function<void()> redrawOwner,
               std::function<void()> schrittzahlChanged)
    : TModuleDialog(parent),
      redrawOwner_(std::move(redrawOwner)),
      schrittzahlChanged_(std::move(schrittzahlChanged)) {
  setWindowTitle(QStringLiteral("Einstellungen"));
  BuildLayout();
  ConnectHandlers();
  InstallFieldKeys(false);
}

void TForm2::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  auto* columns = new QHBoxLayout;
  outer->addLayout(columns);

  columns->addWidget(BuildColourPanel());

  auto* right = new QVBoxLayout;
  right->addWidget(BuildAxesPanel(), 1);
  right->addWidget(BuildMiscPanel());
  columns->addLayout(right);

  // The user's own choices, kept beside the settings file rather than in it.
  auto* own = new QHBoxLayout;
  own->addWidget(MakePresentationBox(this));
  rememberBox =
      new QCheckBox(QStringLiteral("Fenster merken sich Terme, Parameter und Ansicht"), this);
  rememberBox->setObjectName(QStringLiteral("rememberBox"));
  rememberBox->setAccessibleName(rememberBox->text());
  rememberBox->setChecked(RememberLessons);
  connect(rememberBox, &QCheckBox::toggled, this, [](bool on) {
    RememberLessons = on;
    SavePreferences();
  });
  own->addWidget(rememberBox);
  equalUnitsBox = new QCheckBox(QStringLiteral("gleiche Einheiten (1:1)"), this);
  equalUnitsBox->setObjectName(QStringLiteral("equalUnitsBox"));
  equalUnitsBox->setAccessibleName(equalUnitsBox->text());
  equalUnitsBox->setToolTip(
      QStringLiteral("Eine Einheit ist auf beiden Achsen gleich lang: Steigungen und Kreise "
                     "erscheinen unverzerrt. Dazu wird der x- oder y-Bereich erweitert."));
  equalUnitsBox->setChecked(EqualUnits);
  connect(equalUnitsBox, &QCheckBox::toggled, this, [](bool on) {
    EqualUnits = on;
    SavePreferences();
    RedrawOpenWindows();
  });
  own->addWidget(equalUnitsBox);
  own->addStretch();
  outer->addLayout(own);

  auto* buttons = new QHBoxLayout;
  okButton = new QPushButton(QStringLiteral("&OK"), this);
  okButton->setMinimumWidth(90);
  saveButton =
      new QPushButton(QStringLiteral("&Aktuelle Einstellungen und Eingaben speichern"), this);
  defaultsButton = new QPushButton(QStringLiteral("&Defaultwerte setzen und speichern"), this);
  buttons->addWidget(okButton);
  buttons->addStretch();
  buttons->addWidget(saveButton);
  buttons->addWidget(defaultsButton);
  outer->addLayout(buttons);

  // Enter walks the fields in reading order.
  QWidget* order[] = {xFromField,        xToField,   yFromField,    yToField,
                      autoTicksBox,      xTickField, yTickField,    edMaxField,
                      stepsField,        delayField, decimalsField, printerSetupButton,
                      printPercentField, okButton,   saveButton,    defaultsButton};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  NameControls();
}

// Colours, line width and fill pattern.
QFrame* TForm2::BuildColourPanel() {
  QFrame* colours = Panel(this);
  auto* c = new QGridLayout(colours);
  c->setVerticalSpacing(3);
  curveColorButton = ColourButton(colours);
  derivativeColorButton = ColourButton(colours);
  secondDerivativeColorButton = ColourButton(colours);
  areaColorButton = ColourButton(colours);
  fillStyleBox = new TFillStyleComboBox(colours);
  fillStyleBox->setFixedWidth(90);
  secantColorButton = ColourButton(colours);
  triangleColorButton = ColourButton(colours);
  tangentColorButton = ColourButton(colours);
  tangentLengthSlider = new QSlider(Qt::Horizontal, colours);
  tangentLengthSlider->setRange(1, 8);
  tangentLengthSlider->setPageStep(1);
  tangentLengthSlider->setTickPosition(QSlider::TicksBelow);
  tangentLengthSlider->setFixedWidth(90);
  tangentLengthSlider->setToolTip(QStringLiteral("Linienlänge"));
  lineWidthBox = new TLineWidthComboBox(colours);
  lineWidthBox->setFixedWidth(90);
  backgroundColorButton = ColourButton(colours);
  gridColorButton = ColourButton(colours);
  int row = 0;
  auto colourRow = [&](TColorButton* button, const char* label, QWidget* extra = nullptr,
                       const char* extraLabel = nullptr) {
    c->addWidget(button, row, 0);
    c->addWidget(Label(colours, label), row, 1);
    if (extraLabel) c->addWidget(Label(colours, extraLabel), row, 2, Qt::AlignRight);
    if (extra) c->addWidget(extra, row, 3);
    ++row;
  };
  colourRow(curveColorButton, "f");
  colourRow(derivativeColorButton, "f '  Ableitungsfunktion");
  colourRow(secondDerivativeColorButton, "f '' ");
  colourRow(areaColorButton, "F   Integralfunktion", fillStyleBox, "Fläche");
  colourRow(secantColorButton, "Sekante");
  colourRow(triangleColorButton, "Steigungsdreieck");
  colourRow(tangentColorButton, "Tangente", tangentLengthSlider);
  c->addWidget(Label(colours, "Linienbreite"), row, 1);
  c->addWidget(lineWidthBox, row, 3);
  ++row;
  colourRow(backgroundColorButton, "Hintergrund");
  colourRow(gridColorButton, "Gitternetz");
  c->setColumnMinimumWidth(2, 40);
  c->setRowStretch(row, 1);
  return colours;
}

QFrame* TForm2::BuildAxesPanel() {
  QFrame* axes = Panel(this);
  auto* a = new QGridLayout(axes);
  a->setVerticalSpacing(4);
  auto* pictures = new QHBoxLayout;
  pictures->addWidget(Label(axes, "Gitternetz"));
  noGridButton = PictureButton(axes, GridPicture(1), "kein Gitternetz");
  dottedGridButton = PictureButton(axes, GridPicture(2), "Gitternetz gepunktet");
  solidGridButton = PictureButton(axes, GridPicture(3), "Gitternetz durchgezogen");
  gridGroup_ = new QButtonGroup(this);
  for (QToolButton* b : {noGridButton, dottedGridButton, solidGridButton}) {
    gridGroup_->addButton(b);
    pictures->addWidget(b);
  }
  pictures->addSpacing(16);
  pictures->addWidget(Label(axes, "Beschriftung"));
  labelsOnButton = PictureButton(axes, LabelPicture(true), "nur die erste Einheit beschriften");
  labelsOffButton = PictureButton(axes, LabelPicture(false), "alle Einheiten beschriften");
  labelGroup_ = new QButtonGroup(this);
  for (QToolButton* b : {labelsOnButton, labelsOffButton}) {
    labelGroup_->addButton(b);
    pictures->addWidget(b);
  }
  pictures->addStretch();
  a->addLayout(pictures, 0, 0, 1, 5);

  xFromField = Field(axes, kNumberFieldWidth);
  xToField = Field(axes, kNumberFieldWidth);
  yFromField = Field(axes, kNumberFieldWidth);
  yToField = Field(axes, kNumberFieldWidth);
  a->addWidget(Label(axes, "x - Achse"), 1, 0);
  a->addWidget(Label(axes, "von"), 1, 1, Qt::AlignRight);
  a->addWidget(xFromField, 1, 2);
  a->addWidget(Label(axes, "bis"), 1, 3, Qt::AlignRight);
  a->addWidget(xToField, 1, 4);
  a->addWidget(Label(axes, "y - Achse"), 2, 0);
  a->addWidget(Label(axes, "von"), 2, 1, Qt::AlignRight);
  a->addWidget(yFromField, 2, 2);
  a->addWidget(Label(axes, "bis"), 2, 3, Qt::AlignRight);
  a->addWidget(yToField, 2, 4);

  autoTicksBox = new TBitCheckBox(axes);
  UseStandardCheckGlyphs(*autoTicksBox);
  autoTicksBox->SetCaption(QStringLiteral("automatisch"));
  autoTicksBox->setMinimumHeight(17);
  xTickField = Field(axes, kNumberFieldWidth);
  yTickField = Field(axes, kNumberFieldWidth);
  a->addWidget(Label(axes, "Skalierung"), 3, 0);
  a->addWidget(autoTicksBox, 3, 2, 1, 3);
  a->addWidget(Label(axes, "x-Einheit"), 4, 0, 1, 2);
  a->addWidget(xTickField, 4, 2);
  a->addWidget(Label(axes, "y-Einheit"), 4, 3, Qt::AlignRight);
  a->addWidget(yTickField, 4, 4);

  edMaxField = Field(axes, kNumberFieldWidth);
  a->addWidget(Label(axes, "e,d"), 5, 0);
  a->addWidget(Label(axes, "max ="), 5, 1, Qt::AlignRight);
  a->addWidget(edMaxField, 5, 2);
  a->setRowStretch(6, 1);
  return axes;
}

// Animation, decimals, printing.
QFrame* TForm2::BuildMiscPanel() {
  QFrame* misc = Panel(this);
  auto* m = new QGridLayout(misc);
  stepsField = Field(misc, kIntegerFieldWidth, 4);
  delayField = Field(misc, kIntegerFieldWidth, 4);
  decimalsField = Field(misc, kIntegerFieldWidth);
  printerSetupButton = new QPushButton(QStringLiteral("Drucker-Einstellungen"), misc);
  printPercentField = Field(misc, kIntegerFieldWidth, 3);
  m->addWidget(Label(misc, "Animation"), 0, 0);
  m->addWidget(Label(misc, "Schritte"), 0, 1, Qt::AlignRight);
  m->addWidget(stepsField, 0, 2);
  m->addWidget(Label(misc, "Delay"), 0, 4, Qt::AlignRight);
  m->addWidget(delayField, 0, 5);
  m->addWidget(Label(misc, "ms"), 0, 6);
  m->addWidget(Label(misc, "Nachkommastellen"), 1, 0, 1, 2);
  m->addWidget(decimalsField, 1, 2);
  m->addWidget(printerSetupButton, 2, 0, 1, 2);
  m->addWidget(Label(misc, "Ausdruck"), 2, 4, Qt::AlignRight);
  m->addWidget(printPercentField, 2, 5);
  m->addWidget(Label(misc, "%"), 2, 6);
  m->setColumnMinimumWidth(3, 24);
  m->setColumnStretch(7, 1);
  return misc;
}

void TForm2::NameControls() {
  const std::pair<QWidget*, const char*> names[] = {{curveColorButton, "ColorButton1"},
                                                    {derivativeColorButton, "ColorButton6"},
                                                    {secondDerivativeColorButton, "ColorButton7"},
                                                    {areaColorButton, "ColorButton8"},
                                                    {fillStyleBox, "FillStyleComboBox1"},
                                                    {secantColorButton, "ColorButton9"},
                                                    {triangleColorButton, "ColorButton4"},
                                                    {tangentColorButton, "ColorButton5"},
                                                    {tangentLengthSlider, "TrackBar1"},
                                                    {lineWidthBox, "LineWidthComboBox1"},
                                                    {backgroundColorButton, "ColorButton2"},
                                                    {gridColorButton, "ColorButton3"},
                                                    {noGridButton, "SpeedButton50"},
                                                    {dottedGridButton, "SpeedButton52"},
                                                    {solidGridButton, "SpeedButton53"},
                                                    {labelsOnButton, "SpeedButton60"},
                                                    {labelsOffButton, "SpeedButton61"},
                                                    {xFromField, "Edit1"},
                                                    {xToField, "Edit2"},
                                                    {yFromField, "Edit3"},
                                                    {yToField, "Edit4"},
                                                    {autoTicksBox, "BitCheckBox1"},
                                                    {xTickField, "Edit5"},
                                                    {yTickField, "Edit6"},
                                                    {edMaxField, "Edit11"},
                                                    {stepsField, "Edit7"},
                                                    {delayField, "Edit9"},
                                                    {decimalsField, "Edit10"},
                                                    {printerSetupButton, "SpeedButton1"},
                                                    {printPercentField, "Edit8"},
                                                    {okButton, "Button1"},
                                                    {saveButton, "Button2"},
                                                    {defaultsButton, "Button3"}};
  for (const auto& [control, name] : names) SetDesignName(control, name);
}

void TForm2::ConnectColour(TColorButton* button, Color& colour) {
  connect(button, &TColorButton::OnChange, this, [this, button, &colour] {
    if (!filling_) colour = button->SelectionColor();
  });
}

void TForm2::ConnectHandlers() {
  connect(curveColorButton, &TColorButton::OnChange, this, &TForm2::onCurveColorChanged);
  ConnectColour(derivativeColorButton, Farben::fStrich);
  ConnectColour(secondDerivativeColorButton, Farben::f2Strich);
  connect(areaColorButton, &TColorButton::OnChange, this, &TForm2::onAreaColorChanged);
  ConnectColour(secantColorButton, Farben::Sekante);
  ConnectColour(triangleColorButton, Farben::Dreieck);
  ConnectColour(tangentColorButton, Farben::Tangente);
  ConnectColour(backgroundColorButton, Farben::Hintergrund);
  ConnectColour(gridColorButton, Farben::Gitter);
  connect(fillStyleBox, &TFillStyleComboBox::OnChange, this, &TForm2::onFillStyleChanged);
  connect(tangentLengthSlider, &QSlider::valueChanged, this, &TForm2::onTangentLengthChanged);
  connect(lineWidthBox, &TLineWidthComboBox::OnChange, this, &TForm2::onLineWidthChanged);
  connect(noGridButton, &QToolButton::clicked, this, &TForm2::onNoGridClicked);
  connect(dottedGridButton, &QToolButton::clicked, this, &TForm2::onDottedGridClicked);
  connect(solidGridButton, &QToolButton::clicked, this, &TForm2::onSolidGridClicked);
  connect(labelsOnButton, &QToolButton::clicked, this, &TForm2::onLabelsOnClicked);
  connect(labelsOffButton, &QToolButton::clicked, this, &TForm2::onLabelsOffClicked);
  connect(autoTicksBox, &TBitCheckBox::OnClick, this, &TForm2::onAutoTicksClicked);
  OnExit(xFromField, [this] { onXFromLeft(); });
  OnExit(xToField, [this] { onXToLeft(); });
  OnExit(yFromField, [this] { onYFromLeft(); });
  OnExit(yToField, [this] { onYToLeft(); });
  OnExit(xTickField, [this] { onXTickLeft(); });
  OnExit(yTickField, [this] { onYTickLeft(); });
  OnExit(edMaxField, [this] { onEdMaxLeft(); });
  OnExit(stepsField, [this] { onStepsLeft(); });
  OnExit(printPercentField, [this] { onPrintPercentLeft(); });
  OnExit(delayField, [this] { onDelayLeft(); });
  OnExit(decimalsField, [this] { onDecimalsLeft(); });
  connect(printerSetupButton, &QPushButton::clicked, this, &TForm2::openPrinterSetup);
  connect(okButton, &QPushButton::clicked, this, &TForm2::onOkClicked);
  connect(saveButton, &QPushButton::clicked, this, &TForm2::saveSettings);
  connect(defaultsButton, &QPushButton::clicked, this, &TForm2::saveDefaults);
}

void TForm2::showEvent(QShowEvent* event) {
  TModuleDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm2::FormShow() {
  filling_ = true;
  xFromField->setText(Formatted(x1));
  xToField->setText(Formatted(x2));
  yFromField->setText(Formatted(y1));
  yToField->setText(Formatted(y2));
  edMaxField->setText(Formatted(edmax));
  decimalsField->setText(QString::number(Nachkommastellen));
  printPercentField->setText(QString::number(DruckenProzent));
  stepsField->setText(QString::number(Schrittzahl));
  delayField->setText(QString::number(FrameDelay));
  lineWidthBox->SetLineWidth(LineWidth);
  curveColorButton->SetSelectionColor(Farben::Zeichenstift);
  derivativeColorButton->SetSelectionColor(Farben::fStrich);
  secondDerivativeColorButton->SetSelectionColor(Farben::f2Strich);
  areaColorButton->SetSelectionColor(Farben::flaeche);
  secantColorButton->SetSelectionColor(Farben::Sekante);
  triangleColorButton->SetSelectionColor(Farben::Dreieck);
  tangentColorButton->SetSelectionColor(Farben::Tangente);
  backgroundColorButton->SetSelectionColor(Farben::Hintergrund);
  gridColorButton->SetSelectionColor(Farben::Gitter);
  fillStyleBox->SetFillStyle(FlaechenStil);
  fillStyleBox->SetBrushColor(Farben::flaeche);
  switch (Gitter) {
    case 1:
      noGridButton->setChecked(true);
      break;
    case 2:
      dottedGridButton->setChecked(true);
      break;
    case 3:
      solidGridButton->setChecked(true);
      break;
  }
  // The tangent length is a real in the file; the slider takes the nearest step.
  const double length = std::clamp(std::round(Tangentenlaenge), 1.0, 8.0);
  tangentLengthSlider->setValue(std::isfinite(length) ? static_cast<int>(length) : 1);
  (Skalierung ? labelsOnButton : labelsOffButton)->setChecked(true);
  autoTicksBox->SetChecked(AutoTickSteps);
  xTickField->setEnabled(!AutoTickSteps);
  yTickField->setEnabled(!AutoTickSteps);
  if (AutoTickSteps)
    ShowTickSteps(XTickStep, YTickStep);
  else
    ShowTickSteps(ManualXTickStep, ManualYTickStep);
  filling_ = false;
}

void TForm2::ShowTickSteps(double xStep, double yStep) {
  shownXStep_ = xStep;
  shownYStep_ = yStep;
  xTickField->setText(Formatted(xStep));
  yTickField->setText(Formatted(yStep));
}

void TForm2::onCurveColorChanged() {
  if (filling_) return;
  Farben::Zeichenstift = curveColorButton->SelectionColor();
  if (redrawOwner_) redrawOwner_();
}

void TForm2::onAreaColorChanged() {
  if (filling_) return;
  Farben::flaeche = areaColorButton->SelectionColor();
  fillStyleBox->SetBrushColor(Farben::flaeche);
}

void TForm2::onFillStyleChanged() { FlaechenStil = fillStyleBox->FillStyle(); }

void TForm2::onTangentLengthChanged() {
  if (!filling_) Tangentenlaenge = tangentLengthSlider->value();
}

void TForm2::onLineWidthChanged() {
  LineWidth = lineWidthBox->LineWidth();
  ChooseLineWidth(LineWidth);
}

void TForm2::onNoGridClicked() { Gitter = 1; }
void TForm2::onDottedGridClicked() { Gitter = 2; }
void TForm2::onSolidGridClicked() { Gitter = 3; }
void TForm2::onLabelsOnClicked() { Skalierung = true; }
void TForm2::onLabelsOffClicked() { Skalierung = false; }

void TForm2::onAutoTicksClicked() {
  if (!autoTicksBox->Checked()) {
    AutoTickSteps = false;
    xTickField->setEnabled(true);
    yTickField->setEnabled(true);
    // The spacings on show become the manual ones, unrounded.
    ManualXTickStep = shownXStep_;
    ManualYTickStep = shownYStep_;
  } else {
    AutoTickSteps = true;
    xTickField->setEnabled(false);
    yTickField->setEnabled(false);
    ComputeTickSteps(SettingsView(), SettingsAxes(), 1, 1);  // automatic steps do not depend on the size
    ShowTickSteps(XTickStep, YTickStep);
  }
}

void TForm2::BoundExit(QLineEdit* edit, double& bound, double other, bool isLower) {
  const double old = bound;
  double value = old;
  if (!ReadNumberField(edit, value)) return;
  // Every window divides by x2 - x1 and y2 - y1.
  const double width = isLower ? other - value : value - other;
  if (!(width > 0.0) || !std::isfinite(width)) {
    edit->setText(Formatted(old));
    return;
  }
  bound = value;
}

void TForm2::onXFromLeft() { BoundExit(xFromField, x1, x2, true); }
void TForm2::onXToLeft() { BoundExit(xToField, x2, x1, false); }
void TForm2::onYFromLeft() { BoundExit(yFromField, y1, y2, true); }
void TForm2::onYToLeft() { BoundExit(yToField, y2, y1, false); }

void TForm2::TickStepExit(QLineEdit* edit, double& manualStep, bool xAxis) {
  double step = manualStep;
  if (!ReadNumberField(edit, step)) return;
  manualStep = step;
  const double n = std::round(xAxis ? (x2 - x1) / step : (y2 - y1) / step);
  if (n >= 3 && n <= 21) return;  // also false for a step of 0
  AutoTickSteps = true;
  ComputeTickSteps(SettingsView(), SettingsAxes(), 1, 1);  // automatic steps do not depend on the size
  AutoTickSteps = false;
  manualStep = xAxis ? AutoXTickStep : AutoYTickStep;
  edit->setText(Formatted(manualStep));
}

void TForm2::onXTickLeft() { TickStepExit(xTickField, ManualXTickStep, true); }
void TForm2::onYTickLeft() { TickStepExit(yTickField, ManualYTickStep, false); }

void TForm2::onEdMaxLeft() { ReadNumberEdit(edMaxField, edmax, edmax); }

void TForm2::onStepsLeft() {
  int n = ReadIntegerEdit(stepsField, 200);
  if (n < 20 || n > 3000) n = 200;
  Schrittzahl = n;
  stepsField->setText(QString::number(n));
  if (schrittzahlChanged_) schrittzahlChanged_();
}

void TForm2::onPrintPercentLeft() {
  int percent = ReadIntegerEdit(printPercentField, 100);
  if (percent < 20 || percent > 200) percent = 100;
  DruckenProzent = percent;
  printPercentField->setText(QString::number(percent));
}

void TForm2::onDelayLeft() {
  FrameDelay = std::clamp(ReadIntegerEdit(delayField, 0), 0, 1000);
  delayField->setText(QString::number(FrameDelay));
}

void TForm2::onDecimalsLeft() {
  Nachkommastellen = std::clamp(ReadIntegerEdit(decimalsField, 2), 0, 4);
  decimalsField->setText(QString::number(Nachkommastellen));
}

void TForm2::openPrinterSetup() {
  QPageSetupDialog dialog(&ProgramPrinter(), this);
  dialog.exec();
}

void TForm2::onOkClicked() { accept(); }

void TForm2::saveSettings() { ReportSettingsSave(this, SaveSettings()); }

void TForm2::saveDefaults() {
  SetDefaultSettings();
  ResetLineDefaults();
  ReportSettingsSave(this, SaveSettings());
  // The fields must not hold the old values: leaving one would write it back.
  FormShow();
  if (redrawOwner_) redrawOwner_();
  if (schrittzahlChanged_) schrittzahlChanged_();
}

}  // namespace kurvio
