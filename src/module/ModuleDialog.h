// Base of the program's module windows: Enter in an edit field moves the
// focus on (so that the field's leave handler takes the value), optionally the
// Up and Down arrows move between controls, and Escape closes the window.
#pragma once

#include <QDialog>
#include <functional>
#include <map>

class QLineEdit;

namespace kurvio {

class TModuleDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TModuleDialog(QWidget* parent = nullptr);

 protected:
  // Call once the controls exist. `arrowsMoveFocus`: Up/Down move between controls.
  void InstallFieldKeys(bool arrowsMoveFocus);
  // `handler` runs when the focus leaves the field for another control of this
  // window (not when another window or a message box takes it).
  void OnExit(QLineEdit* field, std::function<void()> handler);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool arrowsMoveFocus_ = false;
  std::map<QObject*, std::function<void()>> exitHandlers_;
};

// Puts the window in the middle of its screen.
void CentreOnScreen(QWidget* window);

}  // namespace kurvio
