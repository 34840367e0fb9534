// SPDX-License-Identifier: GPL-3.0-or-later
// The start window: the program's name and the buttons that open every
// module window.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/WindowTable.h"
#include "settings/LessonFile.h"

class QAbstractButton;
class QFileDialog;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kurvio {

class TRichButton;
class TForm1;

class TForm4 : public QDialog {
  Q_OBJECT

 public:
  // `modules`: the windows of the button grid (a test may add one of its own).
  explicit TForm4(QWidget* parent = nullptr,
                  std::span<const ModuleWindow> modules = ModuleWindows());
  ~TForm4() override;

  TRichButton* mainWindowButton;
  std::vector<QPushButton*> moduleButtons;  // in the order of the table of module windows
  QPushButton *settingsButton, *infoButton, *helpButton, *endButton;
  QPushButton *saveLessonButton, *openLessonButton;  // "Stunde speichern…", "Stunde öffnen…"
  QAbstractButton* presentationBox;  // "Präsentation"

  // Confirmation of "Programm beenden?"; replaceable so that tests need no dialog.
  std::function<bool()> ConfirmClose;
  // The module shown last (for tests that drive it while it is modal).
  std::function<void(QDialog*)> OnModuleShown;
  // The file dialogs of the lesson files; replaceable so that tests need no dialog.
  // Saving: the file and whether pupils get it write-protected, nothing when cancelled;
  // `proposed` is the name it opens with.
  struct LessonSaveChoice {
    QString path;
    bool readOnly = false;
  };
  std::function<std::optional<LessonSaveChoice>(const QString& proposed)> AskLessonSaveFile;
  // Opening: the file chosen, empty when cancelled.
  std::function<QString()> AskLessonOpenFile;
  // The lesson file open in this session, empty without one.
  const QString& LessonPath() const { return lessonPath_; }

 public slots:
  void openMainWindow();
  void openSettings();
  void openInfo();
  void openHelp();
  // Opens the lesson file at `path`: its windows as they were saved, or a message
  // saying what is wrong with the file.
  void OpenLessonFile(const QString& path);
  // "Stunde speichern…" (Ctrl+S in every window): the open lesson with the open
  // window as it stands, under a name the user chooses.
  void saveLesson();
  // "Stunde öffnen…" (Ctrl+O in every window).
  void openLesson();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::span<const ModuleWindow> modules_;
  void FormCreate();
  void AddTitle(QVBoxLayout* layout);
  void AddModuleButtons(QVBoxLayout* layout);
  void AddBottomRow(QVBoxLayout* layout);
  // Shows a dialog modally with this window as owner and destroys it afterwards.
  void RunModule(QDialog* module);
  // Opens a module window by the launch table's rule; then the window of a lesson
  // opened while it was open, if any.
  void Launch(const ModuleLaunch& launch, const std::function<QDialog*(QWidget* owner)>& create);

  // How the main window is launched, from its button or a lesson.
  static const ModuleLaunch kMainWindowLaunch;
  static QDialog* CreateMainWindow(QWidget* owner);
  // The windows a lesson may hold: the main window and the modules.
  std::vector<LessonWindow> LessonWindows() const;
  // A new lesson of this session: the open window, and with "Fenster merken" every
  // window's state file.
  Lesson LessonOfThisSession() const;
  // Makes `lesson` the session's (presentation mode and equal units as it has them);
  // the launch of the window it had open, false for none.
  bool TakeLesson(Lesson lesson, const QString& path, ModuleLaunch& launch,
                  std::function<QDialog*(QWidget* owner)>& create);
  QPointer<QDialog> running_;  // the module window open now
  std::string runningClass_;
  QString lessonPath_;
  // A lesson opened while a module window was open: taken once the window has closed.
  struct PendingLesson {
    Lesson lesson;
    QString path;
  };
  std::optional<PendingLesson> pendingLesson_;
};

// The save dialog of a lesson file, with "schreibgeschützt für Schüler" (lessonReadOnlyBox).
QFileDialog* MakeLessonSaveDialog(QWidget* parent, const QString& proposed);

// "Programm beenden?" with OK and Cancel; true for OK.
bool AskQuitProgram(QWidget* parent);

}  // namespace kurvio
