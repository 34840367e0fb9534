// The settings of the unit-circle window, "Einstellungen": its eight colours,
// the animation's step count, the print size and the printer set-up, and the
// two buttons that write the settings file.
#pragma once

#include <functional>

#include "module/ModuleDialog.h"
#include "settings/Color.h"

class QLineEdit;
class QPushButton;

namespace kurvio {

class TColorButton;

// What the dialog needs of the unit-circle window.
struct UnitCircleHooks {
  // Draws the window again with the changed settings.
  std::function<void()> redraw;
  // The user's coordinate window into x1..y2 (the settings file keeps it), and
  // the window's fixed one back afterwards.
  std::function<void()> putBackUserWindow;
  std::function<void()> setFixedWindow;
};

class TForm6 : public TModuleDialog {
  Q_OBJECT

 public:
  explicit TForm6(QWidget* parent = nullptr, UnitCircleHooks hooks = {});

  TColorButton *ColorButton1, *ColorButton2, *ColorButton3, *ColorButton4;
  TColorButton *ColorButton5, *ColorButton6, *ColorButton7, *ColorButton8;
  QLineEdit* Edit7;  // "Animationsschritte"
  QLineEdit* Edit1;  // "Ausdruck"
  QPushButton* SpeedButton1;
  QPushButton *Button1, *Button2, *Button3;

  // Fills the controls from the settings and redraws the window; runs whenever the dialog is shown.
  void FormShow();

 public slots:
  void Edit7Exit();
  void Edit1Exit();
  void SpeedButton1Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void BuildLayout();
  void ConnectColour(TColorButton* button, Color& colour);
  void Redraw();

  UnitCircleHooks hooks_;
  // Set while the controls are filled from the settings: their change signals must not write back.
  bool filling_ = false;
};

}  // namespace kurvio
