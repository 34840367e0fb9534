#include "module/SettingsDialog.h"

#include <QButtonGroup>
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

#include "module/IntegerField.h"
#include "plot/PlotFrame.h"
#include "settings/FileMessages.h"
#include "settings/ProgramPrinter.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/TermEdit.h"
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

  // Colours, line width and fill pattern.
  QFrame* colours = Panel(this);
  auto* c = new QGridLayout(colours);
  c->setVerticalSpacing(3);
  ColorButton1 = ColourButton(colours);
  ColorButton6 = ColourButton(colours);
  ColorButton7 = ColourButton(colours);
  ColorButton8 = ColourButton(colours);
  FillStyleComboBox1 = new TFillStyleComboBox(colours);
  FillStyleComboBox1->setFixedWidth(90);
  ColorButton9 = ColourButton(colours);
  ColorButton4 = ColourButton(colours);
  ColorButton5 = ColourButton(colours);
  TrackBar1 = new QSlider(Qt::Horizontal, colours);
  TrackBar1->setRange(1, 8);
  TrackBar1->setPageStep(1);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setFixedWidth(90);
  TrackBar1->setToolTip(QStringLiteral("Linienlänge"));
  LineWidthComboBox1 = new TLineWidthComboBox(colours);
  LineWidthComboBox1->setFixedWidth(90);
  ColorButton2 = ColourButton(colours);
  ColorButton3 = ColourButton(colours);
  int row = 0;
  auto colourRow = [&](TColorButton* button, const char* label, QWidget* extra = nullptr,
                       const char* extraLabel = nullptr) {
    c->addWidget(button, row, 0);
    c->addWidget(Label(colours, label), row, 1);
    if (extraLabel) c->addWidget(Label(colours, extraLabel), row, 2, Qt::AlignRight);
    if (extra) c->addWidget(extra, row, 3);
    ++row;
  };
  colourRow(ColorButton1, "f");
  colourRow(ColorButton6, "f '  Ableitungsfunktion");
  colourRow(ColorButton7, "f '' ");
  colourRow(ColorButton8, "F   Integralfunktion", FillStyleComboBox1, "Fläche");
  colourRow(ColorButton9, "Sekante");
  colourRow(ColorButton4, "Steigungsdreieck");
  colourRow(ColorButton5, "Tangente", TrackBar1);
  c->addWidget(Label(colours, "Linienbreite"), row, 1);
  c->addWidget(LineWidthComboBox1, row, 3);
  ++row;
  colourRow(ColorButton2, "Hintergrund");
  colourRow(ColorButton3, "Gitternetz");
  c->setColumnMinimumWidth(2, 40);
  c->setRowStretch(row, 1);
  columns->addWidget(colours);

  // Coordinate system.
  QFrame* axes = Panel(this);
  auto* a = new QGridLayout(axes);
  a->setVerticalSpacing(4);
  auto* pictures = new QHBoxLayout;
  pictures->addWidget(Label(axes, "Gitternetz"));
  SpeedButton50 = PictureButton(axes, GridPicture(1), "kein Gitternetz");
  SpeedButton52 = PictureButton(axes, GridPicture(2), "Gitternetz gepunktet");
  SpeedButton53 = PictureButton(axes, GridPicture(3), "Gitternetz durchgezogen");
  gridGroup_ = new QButtonGroup(this);
  for (QToolButton* b : {SpeedButton50, SpeedButton52, SpeedButton53}) {
    gridGroup_->addButton(b);
    pictures->addWidget(b);
  }
  pictures->addSpacing(16);
  pictures->addWidget(Label(axes, "Beschriftung"));
  SpeedButton60 = PictureButton(axes, LabelPicture(true), "nur die erste Einheit beschriften");
  SpeedButton61 = PictureButton(axes, LabelPicture(false), "alle Einheiten beschriften");
  labelGroup_ = new QButtonGroup(this);
  for (QToolButton* b : {SpeedButton60, SpeedButton61}) {
    labelGroup_->addButton(b);
    pictures->addWidget(b);
  }
  pictures->addStretch();
  a->addLayout(pictures, 0, 0, 1, 5);

  Edit1 = Field(axes, kNumberFieldWidth);
  Edit2 = Field(axes, kNumberFieldWidth);
  Edit3 = Field(axes, kNumberFieldWidth);
  Edit4 = Field(axes, kNumberFieldWidth);
  a->addWidget(Label(axes, "x - Achse"), 1, 0);
  a->addWidget(Label(axes, "von"), 1, 1, Qt::AlignRight);
  a->addWidget(Edit1, 1, 2);
  a->addWidget(Label(axes, "bis"), 1, 3, Qt::AlignRight);
  a->addWidget(Edit2, 1, 4);
  a->addWidget(Label(axes, "y - Achse"), 2, 0);
  a->addWidget(Label(axes, "von"), 2, 1, Qt::AlignRight);
  a->addWidget(Edit3, 2, 2);
  a->addWidget(Label(axes, "bis"), 2, 3, Qt::AlignRight);
  a->addWidget(Edit4, 2, 4);

  BitCheckBox1 = new TBitCheckBox(axes);
  UseStandardCheckGlyphs(*BitCheckBox1);
  BitCheckBox1->SetCaption(QStringLiteral("automatisch"));
  BitCheckBox1->setMinimumHeight(17);
  Edit5 = Field(axes, kNumberFieldWidth);
  Edit6 = Field(axes, kNumberFieldWidth);
  a->addWidget(Label(axes, "Skalierung"), 3, 0);
  a->addWidget(BitCheckBox1, 3, 2, 1, 3);
  a->addWidget(Label(axes, "x-Einheit"), 4, 0, 1, 2);
  a->addWidget(Edit5, 4, 2);
  a->addWidget(Label(axes, "y-Einheit"), 4, 3, Qt::AlignRight);
  a->addWidget(Edit6, 4, 4);

  Edit11 = Field(axes, kNumberFieldWidth);
  a->addWidget(Label(axes, "e,d"), 5, 0);
  a->addWidget(Label(axes, "max ="), 5, 1, Qt::AlignRight);
  a->addWidget(Edit11, 5, 2);
  a->setRowStretch(6, 1);

  // Animation, decimals, printing.
  QFrame* misc = Panel(this);
  auto* m = new QGridLayout(misc);
  Edit7 = Field(misc, kIntegerFieldWidth, 4);
  Edit9 = Field(misc, kIntegerFieldWidth, 4);
  Edit10 = Field(misc, kIntegerFieldWidth);
  SpeedButton1 = new QPushButton(QStringLiteral("Drucker-Einstellungen"), misc);
  Edit8 = Field(misc, kIntegerFieldWidth, 3);
  m->addWidget(Label(misc, "Animation"), 0, 0);
  m->addWidget(Label(misc, "Schritte"), 0, 1, Qt::AlignRight);
  m->addWidget(Edit7, 0, 2);
  m->addWidget(Label(misc, "Delay"), 0, 4, Qt::AlignRight);
  m->addWidget(Edit9, 0, 5);
  m->addWidget(Label(misc, "ms"), 0, 6);
  m->addWidget(Label(misc, "Nachkommastellen"), 1, 0, 1, 2);
  m->addWidget(Edit10, 1, 2);
  m->addWidget(SpeedButton1, 2, 0, 1, 2);
  m->addWidget(Label(misc, "Ausdruck"), 2, 4, Qt::AlignRight);
  m->addWidget(Edit8, 2, 5);
  m->addWidget(Label(misc, "%"), 2, 6);
  m->setColumnMinimumWidth(3, 24);
  m->setColumnStretch(7, 1);

  auto* right = new QVBoxLayout;
  right->addWidget(axes, 1);
  right->addWidget(misc);
  columns->addLayout(right);

  auto* buttons = new QHBoxLayout;
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setMinimumWidth(90);
  Button2 = new QPushButton(QStringLiteral("&Aktuelle Einstellungen und Eingaben speichern"), this);
  Button3 = new QPushButton(QStringLiteral("&Defaultwerte setzen und speichern"), this);
  buttons->addWidget(Button1);
  buttons->addStretch();
  buttons->addWidget(Button2);
  buttons->addWidget(Button3);
  outer->addLayout(buttons);

  // Enter walks the fields in reading order.
  QWidget* order[] = {Edit1, Edit2, Edit3,  Edit4,        BitCheckBox1, Edit5,   Edit6,   Edit11,
                      Edit7, Edit9, Edit10, SpeedButton1, Edit8,        Button1, Button2, Button3};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TForm2::ConnectColour(TColorButton* button, Color& colour) {
  connect(button, &TColorButton::OnChange, this, [this, button, &colour] {
    if (!filling_) colour = button->SelectionColor();
  });
}

void TForm2::ConnectHandlers() {
  connect(ColorButton1, &TColorButton::OnChange, this, &TForm2::ColorButton1Change);
  ConnectColour(ColorButton6, Farben::fStrich);
  ConnectColour(ColorButton7, Farben::f2Strich);
  connect(ColorButton8, &TColorButton::OnChange, this, &TForm2::ColorButton8Change);
  ConnectColour(ColorButton9, Farben::Sekante);
  ConnectColour(ColorButton4, Farben::Dreieck);
  ConnectColour(ColorButton5, Farben::Tangente);
  ConnectColour(ColorButton2, Farben::Hintergrund);
  ConnectColour(ColorButton3, Farben::Gitter);
  connect(FillStyleComboBox1, &TFillStyleComboBox::OnChange, this,
          &TForm2::FillStyleComboBox1Change);
  connect(TrackBar1, &QSlider::valueChanged, this, &TForm2::TrackBar1Change);
  connect(LineWidthComboBox1, &TLineWidthComboBox::OnChange, this,
          &TForm2::LineWidthComboBox1Change);
  connect(SpeedButton50, &QToolButton::clicked, this, &TForm2::SpeedButton50Click);
  connect(SpeedButton52, &QToolButton::clicked, this, &TForm2::SpeedButton52Click);
  connect(SpeedButton53, &QToolButton::clicked, this, &TForm2::SpeedButton53Click);
  connect(SpeedButton60, &QToolButton::clicked, this, &TForm2::SpeedButton60Click);
  connect(SpeedButton61, &QToolButton::clicked, this, &TForm2::SpeedButton61Click);
  connect(BitCheckBox1, &TBitCheckBox::OnClick, this, &TForm2::BitCheckBox1Click);
  OnExit(Edit1, [this] { Edit1Exit(); });
  OnExit(Edit2, [this] { Edit2Exit(); });
  OnExit(Edit3, [this] { Edit3Exit(); });
  OnExit(Edit4, [this] { Edit4Exit(); });
  OnExit(Edit5, [this] { Edit5Exit(); });
  OnExit(Edit6, [this] { Edit6Exit(); });
  OnExit(Edit11, [this] { Edit11Exit(); });
  OnExit(Edit7, [this] { Edit7Exit(); });
  OnExit(Edit8, [this] { Edit8Exit(); });
  OnExit(Edit9, [this] { Edit9Exit(); });
  OnExit(Edit10, [this] { Edit10Exit(); });
  connect(SpeedButton1, &QPushButton::clicked, this, &TForm2::SpeedButton1Click);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
}

void TForm2::showEvent(QShowEvent* event) {
  TModuleDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm2::FormShow() {
  filling_ = true;
  Edit1->setText(Formatted(x1));
  Edit2->setText(Formatted(x2));
  Edit3->setText(Formatted(y1));
  Edit4->setText(Formatted(y2));
  Edit11->setText(Formatted(edmax));
  Edit10->setText(QString::number(Nachkommastellen));
  Edit8->setText(QString::number(DruckenProzent));
  Edit7->setText(QString::number(Schrittzahl));
  Edit9->setText(QString::number(FrameDelay));
  LineWidthComboBox1->SetLineWidth(LineWidth);
  ColorButton1->SetSelectionColor(Farben::Zeichenstift);
  ColorButton6->SetSelectionColor(Farben::fStrich);
  ColorButton7->SetSelectionColor(Farben::f2Strich);
  ColorButton8->SetSelectionColor(Farben::flaeche);
  ColorButton9->SetSelectionColor(Farben::Sekante);
  ColorButton4->SetSelectionColor(Farben::Dreieck);
  ColorButton5->SetSelectionColor(Farben::Tangente);
  ColorButton2->SetSelectionColor(Farben::Hintergrund);
  ColorButton3->SetSelectionColor(Farben::Gitter);
  FillStyleComboBox1->SetFillStyle(FlaechenStil);
  FillStyleComboBox1->SetBrushColor(Farben::flaeche);
  switch (Gitter) {
    case 1:
      SpeedButton50->setChecked(true);
      break;
    case 2:
      SpeedButton52->setChecked(true);
      break;
    case 3:
      SpeedButton53->setChecked(true);
      break;
  }
  // The tangent length is a real in the file; the slider takes the nearest step.
  const double length = std::clamp(std::round(Tangentenlaenge), 1.0, 8.0);
  TrackBar1->setValue(std::isfinite(length) ? static_cast<int>(length) : 1);
  (Skalierung ? SpeedButton60 : SpeedButton61)->setChecked(true);
  BitCheckBox1->SetChecked(AutoTickSteps);
  Edit5->setEnabled(!AutoTickSteps);
  Edit6->setEnabled(!AutoTickSteps);
  if (AutoTickSteps)
    ShowTickSteps(XTickStep, YTickStep);
  else
    ShowTickSteps(ManualXTickStep, ManualYTickStep);
  filling_ = false;
}

void TForm2::ShowTickSteps(double xStep, double yStep) {
  shownXStep_ = xStep;
  shownYStep_ = yStep;
  Edit5->setText(Formatted(xStep));
  Edit6->setText(Formatted(yStep));
}

void TForm2::ColorButton1Change() {
  if (filling_) return;
  Farben::Zeichenstift = ColorButton1->SelectionColor();
  if (redrawOwner_) redrawOwner_();
}

void TForm2::ColorButton8Change() {
  if (filling_) return;
  Farben::flaeche = ColorButton8->SelectionColor();
  FillStyleComboBox1->SetBrushColor(Farben::flaeche);
}

void TForm2::FillStyleComboBox1Change() { FlaechenStil = FillStyleComboBox1->FillStyle(); }

void TForm2::TrackBar1Change() {
  if (!filling_) Tangentenlaenge = TrackBar1->value();
}

void TForm2::LineWidthComboBox1Change() { LineWidth = LineWidthComboBox1->LineWidth(); }

void TForm2::SpeedButton50Click() { Gitter = 1; }
void TForm2::SpeedButton52Click() { Gitter = 2; }
void TForm2::SpeedButton53Click() { Gitter = 3; }
void TForm2::SpeedButton60Click() { Skalierung = true; }
void TForm2::SpeedButton61Click() { Skalierung = false; }

void TForm2::BitCheckBox1Click() {
  if (!BitCheckBox1->Checked()) {
    AutoTickSteps = false;
    Edit5->setEnabled(true);
    Edit6->setEnabled(true);
    // The spacings on show become the manual ones, unrounded.
    ManualXTickStep = shownXStep_;
    ManualYTickStep = shownYStep_;
  } else {
    AutoTickSteps = true;
    Edit5->setEnabled(false);
    Edit6->setEnabled(false);
    ComputeTickSteps();
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

void TForm2::Edit1Exit() { BoundExit(Edit1, x1, x2, true); }
void TForm2::Edit2Exit() { BoundExit(Edit2, x2, x1, false); }
void TForm2::Edit3Exit() { BoundExit(Edit3, y1, y2, true); }
void TForm2::Edit4Exit() { BoundExit(Edit4, y2, y1, false); }

void TForm2::TickStepExit(QLineEdit* edit, double& manualStep, bool xAxis) {
  double step = manualStep;
  if (!ReadNumberField(edit, step)) return;
  manualStep = step;
  const double n = std::round(xAxis ? (x2 - x1) / step : (y2 - y1) / step);
  if (n >= 3 && n <= 21) return;  // also false for a step of 0
  AutoTickSteps = true;
  ComputeTickSteps();
  AutoTickSteps = false;
  manualStep = xAxis ? AutoXTickStep : AutoYTickStep;
  edit->setText(Formatted(manualStep));
}

void TForm2::Edit5Exit() { TickStepExit(Edit5, ManualXTickStep, true); }
void TForm2::Edit6Exit() { TickStepExit(Edit6, ManualYTickStep, false); }

void TForm2::Edit11Exit() { ReadNumberEdit(Edit11, edmax, edmax); }

void TForm2::Edit7Exit() {
  int n = ReadIntegerEdit(Edit7, 200);
  if (n < 20 || n > 3000) n = 200;
  Schrittzahl = n;
  Edit7->setText(QString::number(n));
  if (schrittzahlChanged_) schrittzahlChanged_();
}

void TForm2::Edit8Exit() {
  int percent = ReadIntegerEdit(Edit8, 100);
  if (percent < 20 || percent > 200) percent = 100;
  DruckenProzent = percent;
  Edit8->setText(QString::number(percent));
}

void TForm2::Edit9Exit() {
  FrameDelay = std::clamp(ReadIntegerEdit(Edit9, 0), 0, 1000);
  Edit9->setText(QString::number(FrameDelay));
}

void TForm2::Edit10Exit() {
  Nachkommastellen = std::clamp(ReadIntegerEdit(Edit10, 2), 0, 4);
  Edit10->setText(QString::number(Nachkommastellen));
}

void TForm2::SpeedButton1Click() {
  QPageSetupDialog dialog(&ProgramPrinter(), this);
  dialog.exec();
}

void TForm2::Button1Click() { accept(); }

void TForm2::Button2Click() { ReportSettingsSave(this, SaveSettings()); }

void TForm2::Button3Click() {
  SetDefaultSettings();
  ResetLineDefaults();
  ReportSettingsSave(this, SaveSettings());
  // The fields must not hold the old values: leaving one would write it back.
  FormShow();
  if (redrawOwner_) redrawOwner_();
  if (schrittzahlChanged_) schrittzahlChanged_();
}

}  // namespace kurvio
