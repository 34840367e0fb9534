// SPDX-License-Identifier: GPL-3.0-or-later
// The start window's lesson files: "Stunde speichern…" and "Stunde öffnen…",
// and a lesson file given on the command line or by a second copy.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <cerrno>
#include <utility>

#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "settings/FileMessages.h"
#include "settings/Preferences.h"
#include "settings/ProgramFiles.h"
#include "settings/WindowState.h"

namespace kurvio {
namespace {

constexpr const char* kMainWindowClass = "TForm1";
// Far more than a lesson of every window with long lists of fixed objects.
constexpr std::size_t kMaxLessonSize = 1024 * 1024;

QString LessonFilter() {
  return QStringLiteral("Kurvio-Stunden (*.kurvio);;Alle Dateien (*)");
}

// The name with ".kurvio", so that the file opens by a double-click.
QString WithExtension(const QString& path) {
  return path.endsWith(QString::fromLatin1(kLessonExtension), Qt::CaseInsensitive)
             ? path
             : path + QString::fromLatin1(kLessonExtension);
}

bool SameFile(const QString& a, const QString& b) {
  return !a.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

QFileDialog* MakeLessonSaveDialog(QWidget* parent, const QString& proposed) {
  auto* dialog = new QFileDialog(parent, QStringLiteral("Stunde speichern"), proposed,
                                 LessonFilter());
  dialog->setObjectName(QStringLiteral("lessonSaveDialog"));
  // The program's own dialog, which takes the check box below its file list.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDefaultSuffix(QStringLiteral("kurvio"));
  auto* box = new QCheckBox(QStringLiteral("schreibgeschützt für Schüler"), dialog);
  box->setObjectName(QStringLiteral("lessonReadOnlyBox"));
  box->setToolTip(
      QStringLiteral("Kurvio öffnet die Stunde so, dass Änderungen nur bis zum Programmende "
                     "gelten; „Stunde speichern“ fragt dann nach einem neuen Namen."));
  if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
    grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
  return dialog;
}

std::vector<LessonWindow> TForm4::LessonWindows() const {
  std::vector<LessonWindow> windows{{kMainWindowClass, MainWindowLesson().name}};
  for (const ModuleWindow& w : modules_)
    windows.push_back({w.className, w.lessonName ? w.lessonName : ""});
  return windows;
}

Lesson TForm4::LessonOfThisSession() const {
  Lesson lesson;
  if (!runningClass_.empty()) lesson.Use(runningClass_);
  if (!RememberLessons) return lesson;
  for (const LessonWindow& w : LessonWindows()) {
    if (w.stateName.empty()) continue;
    std::string text = KeptWindowStateText({w.stateName, {}});
    if (text.empty()) continue;
    lesson.Use(w.className);
    lesson.states[w.stateName] = std::move(text);
  }
  return lesson;
}

void TForm4::saveLesson() {
  const std::optional<Lesson> before = SessionLesson();
  if (!before && runningClass_.empty() && LessonOfThisSession().windows.empty()) {
    ShowFileError(this, QStringLiteral("Es gibt noch keine Stunde zu speichern: Öffnen Sie das "
                                       "Fenster, mit dem die Stunde beginnen soll, und speichern "
                                       "Sie dort mit Strg+S."));
    return;
  }
  // A lesson given to pupils write-protected is saved under a new name only.
  const bool protectedFile = before && before->readOnly;
  const QString proposed = protectedFile ? QString() : lessonPath_;
  const std::optional<LessonSaveChoice> choice = AskLessonSaveFile
                                                     ? AskLessonSaveFile(proposed)
                                                     : [&]() -> std::optional<LessonSaveChoice> {
    const std::unique_ptr<QFileDialog> dialog(MakeLessonSaveDialog(this, proposed));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
    return LessonSaveChoice{
        dialog->selectedFiles().front(),
        dialog->findChild<QCheckBox*>(QStringLiteral("lessonReadOnlyBox"))->isChecked()};
  }();
  if (!choice || choice->path.isEmpty()) return;
  const QString path = WithExtension(choice->path);
  if (protectedFile && SameFile(path, lessonPath_)) {
    ShowFileError(this, QStringLiteral("Die Stunde „%1“ ist schreibgeschützt. Bitte speichern Sie "
                                       "sie unter einem neuen Namen.")
                            .arg(ShownPath(path.toStdString())));
    return;
  }

  // The open window writes into the lesson as closing would.
  if (!before) SessionLesson() = LessonOfThisSession();
  Lesson& lesson = *SessionLesson();
  if (auto* window = qobject_cast<TModuleDialog*>(running_.data())) {
    lesson.Use(runningClass_);
    window->KeepLessonNow();
  }
  Lesson saved = lesson;
  saved.openWindow = runningClass_;
  saved.presentation = PresentationMode;
  saved.equalUnits = EqualUnits;
  saved.readOnly = choice->readOnly;
  const std::string text = LessonFileText(saved, LessonWindows());
  if (!WriteFileAtomically(path.toStdString(), text)) {
    const int error = errno;
    if (!before) SessionLesson().reset();
    ShowFileError(this, QStringLiteral("Die Stunde „%1“ konnte nicht gespeichert werden.\n%2")
                            .arg(ShownPath(path.toStdString()),
                                 QString::fromStdString(WriteFailureText(error))));
    return;
  }
  // The session goes on with the lesson as saved: a later save writes it again.
  saved.fileText = text;
  lesson = std::move(saved);
  lessonPath_ = path;
}

void TForm4::openLesson() {
  QString path;
  if (AskLessonOpenFile)
    path = AskLessonOpenFile();
  else
    path = QFileDialog::getOpenFileName(this, QStringLiteral("Stunde öffnen"),
                                        QFileInfo(lessonPath_).absolutePath(), LessonFilter());
  if (!path.isEmpty()) OpenLessonFile(path);
}

void TForm4::OpenLessonFile(const QString& path) {
  const QString shown = ShownPath(path.toStdString());
  // A dialog over the module window (the settings, say) would be closed under the user.
  if (QWidget* modal = QApplication::activeModalWidget();
      modal && modal != this && modal != running_) {
    ShowFileError(this, QStringLiteral("Die Stunde „%1“ wird erst geöffnet, wenn das Fenster "
                                       "„%2“ geschlossen ist.")
                            .arg(shown, modal->windowTitle()));
    return;
  }
  std::string bytes;
  if (const ReadResult result = ReadWholeFile(path.toStdString(), bytes, kMaxLessonSize);
      result != ReadResult::kOk) {
    const QString why = result == ReadResult::kMissing
                            ? QStringLiteral("Die Datei existiert nicht.")
                            : QString::fromStdString(ReadFailureText(errno));
    ShowFileError(this,
                  QStringLiteral("Die Stunde „%1“ konnte nicht geöffnet werden.\n%2").arg(shown, why));
    return;
  }
  LessonRead read = ReadLesson(bytes, LessonWindows());
  if (read.problem != LessonProblem::kNone) {
    ShowFileError(this, QStringLiteral("Die Stunde „%1“ konnte nicht geöffnet werden.\n%2")
                            .arg(shown, QString::fromStdString(LessonProblemText(read))));
    return;
  }
  const QString absolute = QFileInfo(path).absoluteFilePath();
  if (running_) {
    // The open window closes first, keeping what it shows where it kept it so far.
    pendingLesson_ = PendingLesson{std::move(read.lesson), absolute};
    running_->close();
    return;
  }
  ModuleLaunch launch;
  std::function<QDialog*(QWidget*)> create;
  if (TakeLesson(std::move(read.lesson), absolute, launch, create)) Launch(launch, create);
}

bool TForm4::TakeLesson(Lesson lesson, const QString& path, ModuleLaunch& launch,
                        std::function<QDialog*(QWidget* owner)>& create) {
  PresentationMode = lesson.presentation;
  EqualUnits = lesson.equalUnits;
  presentationBox->blockSignals(true);
  presentationBox->setChecked(PresentationMode);
  presentationBox->blockSignals(false);
  const std::string open = lesson.openWindow;
  SessionLesson() = std::move(lesson);
  lessonPath_ = path;
  if (open == kMainWindowClass) {
    launch = kMainWindowLaunch;
    create = CreateMainWindow;
    return true;
  }
  for (const ModuleWindow& w : modules_)
    if (open == w.className) {
      launch = w.launch;
      create = w.create;
      return true;
    }
  return false;
}

}  // namespace kurvio
