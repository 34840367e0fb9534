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
  connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TForm6::Button3Click);
  connect(SpeedButton1, &QPushButton::clicked, this, &TForm6::SpeedButton1Click);
  ConnectColour(ColorButton1, Farben::sinus);
  ConnectColour(ColorButton2, Farben::cosinus);
  ConnectColour(ColorButton3, Farben::tangens);
  ConnectColour(ColorButton4, Farben::cotangens);
  ConnectColour(ColorButton5, Farben::bogen);
  ConnectColour(ColorButton6, Farben::winkel);
  ConnectColour(ColorButton7, Farben::Hintergrund);
  ConnectColour(ColorButton8, Farben::Gitter);
  OnExit(Edit7, [this] { Edit7Exit(); });
  OnExit(Edit1, [this] { Edit1Exit(); });
  InstallFieldKeys(false);
}

void TForm6::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);

  auto* colours = new QGridLayout;
  colours->setHorizontalSpacing(8);
  colours->setVerticalSpacing(4);
  TColorButton** buttons[] = {&ColorButton1, &ColorButton2, &ColorButton3, &ColorButton4,
                              &ColorButton5, &ColorButton6, &ColorButton7, &ColorButton8};
  const char* labels[] = {"Sinus", "Cosinus", "Tangens",     "Cotangens",
                          "Bogen", "Winkel",  "Hintergrund", "Gitternetz"};
  for (int i = 0; i < 8; ++i) {
    auto* button = new TColorButton(this);
    button->setFixedSize(45, 22);
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
  Edit7 = Field(this);
  Edit1 = Field(this);
  SpeedButton1 = Button(this, QStringLiteral("Drucker-Einstellungen"));
  numbers->addWidget(new QLabel(QStringLiteral("Animationsschritte"), this), 0, 0);
  numbers->addWidget(Edit7, 0, 1);
  numbers->addWidget(new QLabel(QStringLiteral("* 90"), this), 0, 2);
  numbers->addWidget(new QLabel(QStringLiteral("Ausdruck"), this), 1, 0);
  numbers->addWidget(Edit1, 1, 1);
  numbers->addWidget(new QLabel(QStringLiteral("%"), this), 1, 2);
  numbers->addWidget(SpeedButton1, 1, 3);
  numbers->setColumnStretch(4, 1);
  outer->addLayout(numbers);
  outer->addSpacing(8);

  Button1 = Button(this, QStringLiteral("OK"));
  Button2 = Button(this, QStringLiteral("Aktuelle Einstellungen und Eingaben speichern"));
  Button3 = Button(this, QStringLiteral("Defaultwerte setzen und speichern"));
  outer->addWidget(Button2);
  outer->addWidget(Button3);
  auto* ok = new QHBoxLayout;
  ok->addStretch();
  Button1->setMinimumWidth(90);
  ok->addWidget(Button1);
  outer->addLayout(ok);

  // Enter walks the colours, then the fields and buttons.
  QWidget* order[] = {ColorButton1, ColorButton2, ColorButton3, ColorButton4, ColorButton5,
                      ColorButton6, ColorButton7, ColorButton8, Edit7,        Edit1,
                      SpeedButton1, Button2,      Button3,      Button1};
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
  TColorButton* buttons[] = {ColorButton1, ColorButton2, ColorButton3, ColorButton4,
                             ColorButton5, ColorButton6, ColorButton7, ColorButton8};
  for (int i = 0; i < 8; ++i) buttons[i]->SetSelectionColor(static_cast<int>(colours[i]));
  Edit7->setText(QString::number(Schrittzahl2));
  Edit1->setText(QString::number(DruckenProzent));
  filling_ = false;
  Redraw();
}

void TForm6::Edit7Exit() {
  Schrittzahl2 = ReadInRange(Edit7, kStepsFallback, kStepsMin, kStepsMax);
  Edit7->setText(QString::number(Schrittzahl2));
  Redraw();
}

void TForm6::Edit1Exit() {
  DruckenProzent = ReadInRange(Edit1, kPercentFallback, kPercentMin, kPercentMax);
  Edit1->setText(QString::number(DruckenProzent));
}

void TForm6::SpeedButton1Click() {
  QPageSetupDialog dialog(&ProgramPrinter(), this);
  dialog.exec();
}

void TForm6::Button1Click() { accept(); }

void TForm6::Button2Click() {
  // The file keeps the user's coordinate window, not the unit circle's.
  if (hooks_.putBackUserWindow) hooks_.putBackUserWindow();
  ReportSettingsSave(this, SaveSettings());
  if (hooks_.setFixedWindow) hooks_.setFixedWindow();
}

void TForm6::Button3Click() {
  SetDefaultCircleColours();
  Button2Click();
  // The controls show the defaults, so that leaving a field cannot write an old value back.
  FormShow();
}

}  // namespace kurvio
