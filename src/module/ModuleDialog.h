// SPDX-License-Identifier: GPL-3.0-or-later
// Base of the program's module windows: Enter in an edit field moves the
// focus on (so that the field's leave handler takes the value), optionally the
// Up and Down arrows move between controls, Escape closes the window and F1
// opens the help. Ctrl+S and Ctrl+O save and open a lesson file through the
// window that owns the module windows (the start window's "saveLesson" and
// "openLesson"); a window without such an owner has neither.
// A window closes whatever its fields hold: leaving a field for the window's
// close button takes the value without any error message.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <set>

class QAbstractButton;
class QKeyEvent;
class QLineEdit;

namespace kurvio {

class TModuleDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TModuleDialog(QWidget* parent = nullptr);

  // The button that closes the window ("&Beenden"): a click closes it, and a
  // field left for it runs its leave handler without syntax-error messages,
  // so that an error in the field cannot hold the window open.
  void SetCloseButton(QAbstractButton* button);
  // `handler` runs when the focus leaves the field for another control of this
  // window (not when another window or a message box takes it).
  void OnExit(QLineEdit* field, std::function<void()> handler);
  // Enter in `control` (a list box, say) moves the focus on, as in an edit field.
  void EnterMovesOn(QWidget* control);
  // A field left for `control` (an example list) takes its value without syntax-error
  // messages and lets the focus go; its error is shown when the focus moves on from such
  // controls to any other but the field, unless the field's text has changed by then.
  void DeferFieldErrorsTo(QWidget* control);
  // Draws the window's picture again with the settings as they are now (after
  // presentation mode was switched); a window without a picture does nothing.
  virtual void RedrawPicture() {}
  // The lesson as the window shows it now, kept as closing keeps it (the field
  // with the focus takes its value first, without messages): for saving the
  // lesson while the window is open. A window that keeps no lesson does nothing.
  void KeepLessonNow();
  // What closing keeps of the window's lesson (WindowState.h).
  virtual void KeepLesson() {}

 protected:
  // Call once the controls exist. `arrowsMoveFocus`: Up/Down move between controls.
  void InstallFieldKeys(bool arrowsMoveFocus);
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // F1: the help of this window, modally; the help on the term language for a
  // window without its own.
  virtual void ShowHelp();

 private:
  // Runs the leave handler of `field`; `quiet`: without syntax-error messages. True when a
  // message was held back.
  bool RunExitHandler(QObject* field, bool quiet);

  bool arrowsMoveFocus_ = false;
  std::set<QObject*> enterMovesOn_;
  QAbstractButton* closeButton_ = nullptr;
  std::map<QObject*, std::function<void()>> exitHandlers_;
  std::set<QObject*> deferErrorsTo_;
  // The field whose error waits, and its text then.
  QLineEdit* pendingField_ = nullptr;
  QString pendingText_;
};

// Puts the window in the middle of its screen.
void CentreOnScreen(QWidget* window);

}  // namespace kurvio
