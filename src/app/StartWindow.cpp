#include "app/StartWindow.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/InfoWindow.h"
#include "app/MainWindow.h"
#include "app/ModuleLauncher.h"
#include "plot/PlotFrame.h"
#include "settings/FileMessages.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "settings/SettingsDialog.h"
#include "term/Term.h"
#include "widgets/TRichButton.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"
#include "windows/trig/UnitCircleWindow.h"

namespace kurvio {
namespace {

// A module button stays disabled until its window is wired to it.
QPushButton* ModuleButton(QWidget* parent, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setMinimumSize(200, 44);
  button->setEnabled(false);
  return button;
}

}  // namespace

bool AskQuitProgram(QWidget* parent) {
  return QMessageBox::question(parent, QStringLiteral("Kurvio"),
                               QStringLiteral("Programm beenden?"),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Kurvio"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* layout = new QVBoxLayout(this);
  auto* name = new QLabel(QStringLiteral("Kurvio"), this);
  QFont big = name->font();
  big.setPointSize(28);
  big.setBold(true);
  name->setFont(big);
  name->setAlignment(Qt::AlignCenter);
  auto* version = new QLabel(QStringLiteral("Version 1.5"), this);
  version->setAlignment(Qt::AlignCenter);
  auto* subtitle = new QLabel(
      QStringLiteral("Funktionen experimentell,\ndynamisch\n und animiert untersuchen"), this);
  QFont sub = subtitle->font();
  sub.setPointSize(12);
  sub.setItalic(true);
  subtitle->setFont(sub);
  subtitle->setAlignment(Qt::AlignCenter);
  layout->addWidget(name);
  layout->addWidget(version);
  layout->addWidget(subtitle);

  RichButton1 = new TRichButton(this);
  RichButton1->SetLines({QStringLiteral("<b>Funktionsgraphen</b>"), QStringLiteral("y = mx+c"),
                         QStringLiteral("y = ax²+bx+c"), QStringLiteral("y = a(x-u)²+v"),
                         QStringLiteral("y = af(x-u)+v"), QStringLiteral("y = f(x,a,b,c,t)")});
  RichButton1->SetAlignment(taCenter);
  RichButton1->setMinimumSize(260, 130);
  layout->addWidget(RichButton1, 0, Qt::AlignHCenter);

  auto* modules = new QGridLayout;
  SpeedButton3 = ModuleButton(this, QStringLiteral("Zuordnung - Kovariation"));
  SpeedButton2 = ModuleButton(this, QStringLiteral("Grenzwert - Stetigkeit"));
  SpeedButton5 = ModuleButton(this, QStringLiteral("Folgen - Grenzwert"));
  SpeedButton9 = ModuleButton(this, QStringLiteral("Tangentenproblem"));
  SpeedButton6 = ModuleButton(this, QStringLiteral("f  f'  f''   Kurvendiskussion"));
  SpeedButton7 = ModuleButton(this, QStringLiteral("f   F     Integralfunktion"));
  SpeedButton8 = ModuleButton(this, QStringLiteral("sin cos     tan cot"));
  SpeedButton4 = ModuleButton(this, QStringLiteral("Bisektion     f(x) = 0"));
  const QPushButton* order[8] = {SpeedButton3, SpeedButton2, SpeedButton5, SpeedButton4,
                                 SpeedButton9, SpeedButton6, SpeedButton7, SpeedButton8};
  for (int i = 0; i < 8; ++i) modules->addWidget(const_cast<QPushButton*>(order[i]), i % 4, i / 4);
  layout->addLayout(modules);
  // Tab walks the module buttons as they stand, column by column.
  QWidget* previous = RichButton1;
  for (const QPushButton* b : order) {
    setTabOrder(previous, const_cast<QPushButton*>(b));
    previous = const_cast<QPushButton*>(b);
  }

  auto* row = new QHBoxLayout;
  SpeedButton14 = new QPushButton(QStringLiteral("Einstellungen"), this);
  SpeedButton1 = new QPushButton(QStringLiteral("Info"), this);
  SpeedButton35 = new QPushButton(QStringLiteral("&Ende"), this);
  SpeedButton35->setToolTip(QStringLiteral("Programm beenden"));
  for (QPushButton* b : {SpeedButton14, SpeedButton1, SpeedButton35}) {
    b->setAutoDefault(false);
    row->addWidget(b);
  }
  layout->addLayout(row);

  connect(RichButton1, &TRichButton::OnClick, this, &TForm4::RichButton1Click);
  connect(SpeedButton14, &QPushButton::clicked, this, &TForm4::SpeedButton14Click);
  SpeedButton9->setEnabled(true);
  connect(SpeedButton9, &QPushButton::clicked, this, &TForm4::SpeedButton9Click);
  SpeedButton6->setEnabled(true);
  connect(SpeedButton6, &QPushButton::clicked, this, &TForm4::SpeedButton6Click);
  SpeedButton7->setEnabled(true);
  connect(SpeedButton7, &QPushButton::clicked, this, &TForm4::SpeedButton7Click);
  SpeedButton2->setEnabled(true);
  connect(SpeedButton2, &QPushButton::clicked, this, &TForm4::SpeedButton2Click);
  SpeedButton4->setEnabled(true);
  connect(SpeedButton4, &QPushButton::clicked, this, &TForm4::SpeedButton4Click);
  SpeedButton5->setEnabled(true);
  connect(SpeedButton5, &QPushButton::clicked, this, &TForm4::SpeedButton5Click);
  SpeedButton3->setEnabled(true);
  connect(SpeedButton3, &QPushButton::clicked, this, &TForm4::SpeedButton3Click);
  SpeedButton8->setEnabled(true);
  connect(SpeedButton8, &QPushButton::clicked, this, &TForm4::SpeedButton8Click);
  connect(SpeedButton1, &QPushButton::clicked, this, &TForm4::SpeedButton1Click);
  connect(SpeedButton35, &QPushButton::clicked, this, &QWidget::close);
  ConfirmClose = [this] { return AskQuitProgram(this); };
  FormCreate();
  setFixedSize(sizeHint());
}

TForm4::~TForm4() {
  MainTerm.reset();
  NumberTerm.reset();
}

void TForm4::FormCreate() {
  AutoTickSteps = true;
  NumberLineMode = false;
  CompileTerm(MainTerm, "0", true);
  CompileTerm(NumberTerm, "0", true);
  FixDrawing = false;
  LineWidth = 1;
  Skalierung = true;
  TermSequenceMode = false;
  ExportDrawing = false;
  FixFamily = false;
  RemoveStaleProgramTemporaries();
  LoadSettingsOrReport(this);
  LineScale = 1.0;
  // The term fields' own font, when it is shipped beside the program; without it
  // they keep a font that has π and Φ as well.
  const QString fontFile = QString::fromStdString(ProgramDir) + QStringLiteral("Linedraw.ttf");
  if (QFile::exists(fontFile)) QFontDatabase::addApplicationFont(fontFile);
}

void TForm4::RunModule(QDialog* module) {
  if (OnModuleShown) OnModuleShown(module);
  module->exec();
  delete module;
  ReleaseClosedWindowMemory();
}

void TForm4::Launch(const ModuleLaunch& launch,
                    const std::function<QDialog*(QWidget* owner)>& create) {
  LaunchModule(this, launch, create, OnModuleShown);
}

void TForm4::RichButton1Click() {
  // The main window reads the settings itself, after taking the terms held in memory.
  Launch({.loadSettings = false}, [](QWidget* owner) { return new TForm1(owner); });
}

void TForm4::SpeedButton9Click() {
  Launch({}, [](QWidget* owner) { return new TForm8(owner); });
}

void TForm4::SpeedButton6Click() {
  Launch({}, [](QWidget* owner) { return new TForm3(owner); });
}

void TForm4::SpeedButton7Click() {
  Launch({}, [](QWidget* owner) { return new TForm7(owner); });
}

void TForm4::SpeedButton2Click() {
  Launch({}, [](QWidget* owner) { return new TForm11(owner); });
}

void TForm4::SpeedButton4Click() {
  // Bisection keeps the settings of the session, as they stand.
  Launch({.loadSettings = false}, [](QWidget* owner) { return new TForm13(owner); });
}

void TForm4::SpeedButton5Click() {
  // n is the index of the sequence while the window is open.
  Launch({.termSequenceMode = true}, [](QWidget* owner) { return new TForm15(owner); });
}

void TForm4::SpeedButton3Click() {
  Launch({.numberLineMode = true}, [](QWidget* owner) { return new TForm12(owner); });
}

void TForm4::SpeedButton8Click() {
  Launch({}, [](QWidget* owner) { return new TForm5(owner); });
}

void TForm4::SpeedButton14Click() { RunModule(new TForm2(this)); }

void TForm4::SpeedButton1Click() { RunModule(new TForm9(this)); }

void TForm4::closeEvent(QCloseEvent* event) {
  if (ConfirmClose && !ConfirmClose()) {
    event->ignore();
    return;
  }
  event->accept();
}

void TForm4::keyPressEvent(QKeyEvent* event) {
  // Escape closes the module windows, not the start window.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kurvio
