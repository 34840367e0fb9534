// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QShortcut>
#include <QVBoxLayout>
#include <utility>

#include "app/InfoWindow.h"
#include "app/MainWindow.h"
#include "app/ModuleLauncher.h"
#include "app/WindowTable.h"
#include "module/Controls.h"
#include "module/HelpWindow.h"
#include "module/Presentation.h"
#include "module/SettingsDialog.h"
#include "plot/PlotFrame.h"
#include "settings/FileMessages.h"
#include "settings/Preferences.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "settings/WindowState.h"
#include "term/Term.h"
#include "widgets/TRichButton.h"

namespace kurvio {
namespace {

QPushButton* Button(QWidget* parent, const char* designName, const QString& caption,
                    const QString& hint = {}) {
  auto* button = new QPushButton(caption, parent);
  button->setToolTip(hint);
  button->setAutoDefault(false);
  return Named(button, designName);
}

}  // namespace

bool AskQuitProgram(QWidget* parent) {
  return QMessageBox::question(parent, QStringLiteral("Kurvio"),
                               QStringLiteral("Programm beenden?"),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

TForm4::TForm4(QWidget* parent, std::span<const ModuleWindow> modules)
    : QDialog(parent), modules_(modules) {
  setWindowTitle(QStringLiteral("Kurvio"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  AddTitle(layout);
  AddModuleButtons(layout);
  AddBottomRow(layout);
  ConfirmClose = [this] { return AskQuitProgram(this); };
  FormCreate();
  setFixedSize(sizeHint());
}

void TForm4::AddTitle(QVBoxLayout* layout) {
  auto* name = new QLabel(QStringLiteral("Kurvio"), this);
  QFont big = name->font();
  big.setPointSize(28);
  big.setBold(true);
  name->setFont(big);
  name->setAlignment(Qt::AlignCenter);
  auto* version = new QLabel(QStringLiteral("Version " KURVIO_VERSION), this);
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

  mainWindowButton = new TRichButton(this);
  mainWindowButton->SetLines({QStringLiteral("<b>Funktionsgraphen</b>"), QStringLiteral("y = mx+c"),
                              QStringLiteral("y = ax²+bx+c"), QStringLiteral("y = a(x-u)²+v"),
                              QStringLiteral("y = af(x-u)+v"), QStringLiteral("y = f(x,a,b,c,t)")});
  mainWindowButton->SetAlignment(taCenter);
  mainWindowButton->setMinimumSize(260, 130);
  Named(mainWindowButton, "RichButton1");
  mainWindowButton->setAccessibleName(QStringLiteral("Funktionsgraphen"));
  layout->addWidget(mainWindowButton, 0, Qt::AlignHCenter);
  connect(mainWindowButton, &TRichButton::OnClick, this, &TForm4::openMainWindow);
}

void TForm4::AddModuleButtons(QVBoxLayout* layout) {
  auto* grid = new QGridLayout;
  QWidget* previous = mainWindowButton;
  int index = 0;
  for (const ModuleWindow& module : modules_) {
    QPushButton* button = Button(this, module.startButton, QString::fromUtf8(module.startCaption));
    button->setAutoDefault(true);  // Enter opens the module whose button has the focus
    button->setMinimumSize(200, 44);
    grid->addWidget(button, index % 4, index / 4);
    ++index;
    // Tab walks the module buttons as they stand, column by column.
    setTabOrder(previous, button);
    previous = button;
    connect(button, &QPushButton::clicked, this,
            [this, &module] { Launch(module.launch, module.create); });
    moduleButtons.push_back(button);
  }
  layout->addLayout(grid);
}

void TForm4::AddBottomRow(QVBoxLayout* layout) {
  auto* row = new QHBoxLayout;
  settingsButton = Button(this, "SpeedButton14", QStringLiteral("Einstellungen"));
  infoButton = Button(this, "SpeedButton1", QStringLiteral("Info"));
  helpButton = Button(this, "helpButton", QStringLiteral("Hilfe"),
                      QStringLiteral("Hilfe zur Termeingabe (F1)"));
  endButton =
      Button(this, "SpeedButton35", QStringLiteral("&Ende"), QStringLiteral("Programm beenden"));
  presentationBox = MakePresentationBox(this);
  row->addWidget(presentationBox);
  for (QPushButton* b : {settingsButton, infoButton, helpButton, endButton}) row->addWidget(b);
  AddPresentationKey(this);
  connect(settingsButton, &QPushButton::clicked, this, &TForm4::openSettings);
  connect(infoButton, &QPushButton::clicked, this, &TForm4::openInfo);
  connect(helpButton, &QPushButton::clicked, this, &TForm4::openHelp);
  connect(endButton, &QPushButton::clicked, this, &QWidget::close);

  // The lesson's buttons above that row; made after it, so that Tab reaches them last
  // and the module buttons still lead straight to "Einstellungen".
  auto* lessonRow = new QHBoxLayout;
  saveLessonButton =
      Button(this, "saveLessonButton", QStringLiteral("Stunde speichern\u2026"),
             QStringLiteral("Die Stunde mit allen Fenstern als Datei speichern (Strg+S)"));
  openLessonButton =
      Button(this, "openLessonButton", QStringLiteral("Stunde \u00f6ffnen\u2026"),
             QStringLiteral("Eine gespeicherte Stunde \u00f6ffnen (Strg+O)"));
  lessonRow->addWidget(saveLessonButton);
  lessonRow->addWidget(openLessonButton);
  layout->addLayout(lessonRow);
  layout->addLayout(row);
  connect(saveLessonButton, &QPushButton::clicked, this, &TForm4::saveLesson);
  connect(openLessonButton, &QPushButton::clicked, this, &TForm4::openLesson);
  connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
          &TForm4::saveLesson);
  connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
          &TForm4::openLesson);
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
  FixFamily = false;
  std::vector<std::string> windowFiles = ExampleFilesOf(modules_);
  for (const std::string& lesson : LessonFilesOf(modules_)) windowFiles.push_back(lesson);
  windowFiles.push_back(WindowStateFileName(MainWindowLesson().name));
  RemoveStaleProgramTemporaries(windowFiles);
  LoadSettingsOrReport(this);
  // The user's own choices: presentation mode and the line width chosen last.
  LoadPreferences();
  LineWidth = StartLineWidth();
  presentationBox->blockSignals(true);
  presentationBox->setChecked(PresentationMode);
  presentationBox->blockSignals(false);
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
  ModuleLaunch next = launch;
  std::function<QDialog*(QWidget*)> make = create;
  for (;;) {
    LaunchModule(this, next, make, [this](QDialog* window) {
      running_ = window;
      runningClass_ = UnqualifiedName(window->metaObject()->className());
      if (OnModuleShown) OnModuleShown(window);
    });
    running_ = nullptr;
    const std::string used = std::exchange(runningClass_, {});
    if (SessionLesson() && !used.empty()) SessionLesson()->Use(used);
    if (!pendingLesson_) return;
    PendingLesson pending = std::move(*std::exchange(pendingLesson_, std::nullopt));
    if (!TakeLesson(std::move(pending.lesson), pending.path, next, make)) return;
  }
}

// The main window reads the settings itself, after taking the terms held in memory.
const ModuleLaunch TForm4::kMainWindowLaunch{.loadSettings = false};

QDialog* TForm4::CreateMainWindow(QWidget* owner) { return new TForm1(owner); }

void TForm4::openMainWindow() { Launch(kMainWindowLaunch, CreateMainWindow); }

void TForm4::openSettings() { RunModule(new TForm2(this)); }

void TForm4::openInfo() { RunModule(new TForm9(this)); }

void TForm4::openHelp() { TForm18::Execute(this); }

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
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    openHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kurvio
