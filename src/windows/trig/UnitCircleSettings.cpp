// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/trig/UnitCircleSettings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "module/Controls.h"
#include "module/IntegerField.h"
#include "settings/FileMessages.h"
#include "settings/ProgramPrinter.h"
#include "settings/Settings.h"
#include "widgets/TColorButton.h"

namespace kurvio {
namespace {

// A full turn takes 90 × "Schrittzahl2" frames.
constexpr int kStepsFallback = 2, kStepsMin = 1, kStepsMax = 20;
constexpr int kPercentFallback = 100, kPercentMin = 20, kPercentMax = 200;

QLineEdit* Field(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(3);
  edit->setFixedWidth(40);
  return edit;
}

QPushButton* Button(QWidget* parent, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  return button;
}

// The field's whole number when it lies in min..max, otherwise the fallback.
int ReadInRange(const QLineEdit* edit, int fallback, int min, int max) {
  const int n = ReadIntegerEdit(edit, fallback);
  return n < min || n > max ? fallback : n;
}

}  // namespace

TForm6::TForm6(QWidget* parent, UnitCircleHooks hooks) : TModuleDialog(parent), hooks_(hooks) {
  setWindowTitle(QStringLiteral("Einstellungen"));
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  BuildLayout();
  connect(okButton, &QPushButton::clicked, this, &TForm6::onOk);
  connect(saveButton, &QPushButton::clicked, this, &TForm6::onSave);
  connect(defaultsButton, &QPushButton::clicked, this, &TForm6::onDefaults);
  connect(printerSetupButton, &QPushButton::clicked, this, &TForm6::onPrinterSetup);
  ConnectColour(sineColourButton, Farben::sinus);
  ConnectColour(cosineColourButton, Farben::cosinus);
  ConnectColour(tangentColourButton, Farben::tangens);
  ConnectColour(cotangentColourButton, Farben::cotangens);
  ConnectColour(arcColourButton, Farben::bogen);
  ConnectColour(angleColourButton, Farben::winkel);
  ConnectColour(backgroundColourButton, Farben::Hintergrund);
  ConnectColour(gridColourButton, Farben::Gitter);
  OnExit(stepsField, [this] { onStepsFieldLeft(); });
  OnExit(printPercentField, [this] { onPrintPercentFieldLeft(); });
  InstallFieldKeys(false);
}

void TForm6::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  auto* colours = new QGridLayout;
  colours->setHorizontalSpacing(8);
  colours->setVerticalSpacing(4);
  TColorButton** buttons[] = {&sineColourButton,       &cosineColourButton, &tangentColourButton,
                              &cotangentColourButton,  &arcColourButton,    &angleColourButton,
                              &backgroundColourButton, &gridColourButton};
  static const char* const kColourNames[] = {"ColorButton1", "ColorButton2", "ColorButton3",
                                             "ColorButton4", "ColorButton5", "ColorButton6",
                                             "ColorButton7", "ColorButton8"};
  const char* labels[] = {"Sinus", "Cosinus", "Tangens",     "Cotangens",
                          "Bogen", "Winkel",  "Hintergrund", "Gitternetz"};
  for (int i = 0; i < 8; ++i) {
    auto* button = new TColorButton(this);
    button->setFixedSize(45, 22);
    SetDesignName(button, kColourNames[i]);
    *buttons[i] = button;
    // Two columns: the function colours, then the angle's and the picture's.
    const int row = i % 4, column = i / 4 * 2;
    colours->addWidget(button, row, column);
    colours->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), row, column + 1);
  }
  colours->setColumnMinimumWidth(1, 90);
  outer->addLayout(colours);
  outer->addSpacing(8);

  auto* numbers = new QGridLayout;
  stepsField = Named(Field(this), "Edit7");
  printPercentField = Named(Field(this), "Edit1");
  printerSetupButton = Named(Button(this, QStringLiteral("Drucker-Einstellungen")), "SpeedButton1");
  numbers->addWidget(new QLabel(QStringLiteral("Animationsschritte"), this), 0, 0);
  numbers->addWidget(stepsField, 0, 1);
  numbers->addWidget(new QLabel(QStringLiteral("* 90"), this), 0, 2);
  numbers->addWidget(new QLabel(QStringLiteral("Ausdruck"), this), 1, 0);
  numbers->addWidget(printPercentField, 1, 1);
  numbers->addWidget(new QLabel(QStringLiteral("%"), this), 1, 2);
  numbers->addWidget(printerSetupButton, 1, 3);
  numbers->setColumnStretch(4, 1);
  outer->addLayout(numbers);
  outer->addSpacing(8);

  okButton = Named(Button(this, QStringLiteral("OK")), "Button1");
  saveButton = Named(Button(this, QStringLiteral("Aktuelle Einstellungen und Eingaben speichern")),
                     "Button2");
  defaultsButton =
      Named(Button(this, QStringLiteral("Defaultwerte setzen und speichern")), "Button3");
  outer->addWidget(saveButton);
  outer->addWidget(defaultsButton);
  auto* ok = new QHBoxLayout;
  ok->addStretch();
  okButton->setMinimumWidth(90);
  ok->addWidget(okButton);
  outer->addLayout(ok);

  // Enter walks the colours, then the fields and buttons.
  QWidget* order[] = {sineColourButton,
                      cosineColourButton,
                      tangentColourButton,
                      cotangentColourButton,
                      arcColourButton,
                      angleColourButton,
                      backgroundColourButton,
                      gridColourButton,
                      stepsField,
                      printPercentField,
                      printerSetupButton,
                      saveButton,
                      defaultsButton,
                      okButton};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TForm6::ConnectColour(TColorButton* button, Color& colour) {
  connect(button, &TColorButton::OnChange, this, [this, button, &colour] {
    if (filling_) return;
    colour = static_cast<Color>(button->SelectionColor());
    Redraw();
  });
}

void TForm6::Redraw() {
  if (hooks_.redraw) hooks_.redraw();
}

void TForm6::showEvent(QShowEvent* event) {
  TModuleDialog::showEvent(event);
  FormShow();
  CentreOnScreen(this);
}

void TForm6::done(int result) {
  Redraw();
  TModuleDialog::done(result);
}

void TForm6::FormShow() {
  filling_ = true;
  const Color colours[] = {Farben::sinus, Farben::cosinus, Farben::tangens,     Farben::cotangens,
                           Farben::bogen, Farben::winkel,  Farben::Hintergrund, Farben::Gitter};
  TColorButton* buttons[] = {sineColourButton,       cosineColourButton, tangentColourButton,
                             cotangentColourButton,  arcColourButton,    angleColourButton,
                             backgroundColourButton, gridColourButton};
  for (int i = 0; i < 8; ++i) buttons[i]->SetSelectionColor(static_cast<int>(colours[i]));
  stepsField->setText(QString::number(Schrittzahl2));
  printPercentField->setText(QString::number(DruckenProzent));
  filling_ = false;
  Redraw();
}

void TForm6::onStepsFieldLeft() {
  Schrittzahl2 = ReadInRange(stepsField, kStepsFallback, kStepsMin, kStepsMax);
  stepsField->setText(QString::number(Schrittzahl2));
  Redraw();
}

void TForm6::onPrintPercentFieldLeft() {
  DruckenProzent = ReadInRange(printPercentField, kPercentFallback, kPercentMin, kPercentMax);
  printPercentField->setText(QString::number(DruckenProzent));
}

void TForm6::onPrinterSetup() {
  QPageSetupDialog dialog(&ProgramPrinter(), this);
  dialog.exec();
}

void TForm6::onOk() { accept(); }

void TForm6::onSave() {
  // The file keeps the user's coordinate window, not the unit circle's.
  if (hooks_.putBackUserWindow) hooks_.putBackUserWindow();
  ReportSettingsSave(this, SaveSettings());
  if (hooks_.setFixedWindow) hooks_.setFixedWindow();
}

void TForm6::onDefaults() {
  SetDefaultCircleColours();
  onSave();
  // The controls show the defaults, so that leaving a field cannot write an old value back.
  FormShow();
}

}  // namespace kurvio
