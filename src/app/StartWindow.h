// The start window: the program's name and the buttons that open every
// module window.
#pragma once

#include <QDialog>
#include <functional>
#include <span>
#include <vector>

#include "app/WindowTable.h"

class QAbstractButton;
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
  QAbstractButton* presentationBox;  // "Präsentation"

  // Confirmation of "Programm beenden?"; replaceable so that tests need no dialog.
  std::function<bool()> ConfirmClose;
  // The module shown last (for tests that drive it while it is modal).
  std::function<void(QDialog*)> OnModuleShown;

 public slots:
  void openMainWindow();
  void openSettings();
  void openInfo();
  void openHelp();
  // Opens the lesson file at `path`: its windows as they were saved, or a message
  // saying what is wrong with the file.
  void OpenLessonFile(const QString& path);

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
  // Opens a module window by the launch table's rule.
  void Launch(const ModuleLaunch& launch, const std::function<QDialog*(QWidget* owner)>& create);
};

// "Programm beenden?" with OK and Cancel; true for OK.
bool AskQuitProgram(QWidget* parent);

}  // namespace kurvio
