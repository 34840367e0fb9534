// SPDX-License-Identifier: GPL-3.0-or-later
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

  TColorButton *sineColourButton, *cosineColourButton, *tangentColourButton, *cotangentColourButton;
  TColorButton *arcColourButton, *angleColourButton, *backgroundColourButton, *gridColourButton;
  QLineEdit* stepsField;         // "Animationsschritte"
  QLineEdit* printPercentField;  // "Ausdruck"
  QPushButton* printerSetupButton;
  QPushButton *okButton, *saveButton, *defaultsButton;

  // Fills the controls from the settings and redraws the window; runs whenever the dialog is shown.
  void FormShow();

 public slots:
  void onStepsFieldLeft();
  void onPrintPercentFieldLeft();
  void onPrinterSetup();
  void onOk();
  void onSave();
  void onDefaults();

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
