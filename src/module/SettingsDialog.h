// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog "Einstellungen": colours, line width, fill pattern,
// coordinate window, grid and tick spacing, animation, decimals and printing.
// Every change goes straight into the settings globals; only the two save
// buttons write the file.
#pragma once

#include <functional>

#include "module/ModuleDialog.h"
#include "settings/Color.h"

class QButtonGroup;
class QFrame;
class QLineEdit;
class QPushButton;
class QCheckBox;
class QSlider;
class QToolButton;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TFillStyleComboBox;
class TLineWidthComboBox;

class TForm2 : public TModuleDialog {
  Q_OBJECT

 public:
  // `redrawOwner` runs after the curve colour changed, so that the opening
  // window shows it at once; `schrittzahlChanged` after the step count was
  // taken, so that the opener can rescale its parameter scroll bars.
  explicit TForm2(QWidget* parent = nullptr, std::function<void()> redrawOwner = {},
                  std::function<void()> schrittzahlChanged = {});

  // Colours.
  TColorButton *curveColorButton, *derivativeColorButton, *secondDerivativeColorButton,
      *areaColorButton;
  TFillStyleComboBox* fillStyleBox;
  TColorButton *secantColorButton, *triangleColorButton, *tangentColorButton;
  QSlider* tangentLengthSlider;  // length of the tangent, 1..8
  TLineWidthComboBox* lineWidthBox;
  QCheckBox* rememberBox;  // the windows keep their lesson in state files
  QCheckBox* equalUnitsBox;  // one unit as long on both axes
  TColorButton *backgroundColorButton, *gridColorButton;
  // Grid and labels.
  QToolButton *noGridButton, *dottedGridButton, *solidGridButton;
  QToolButton *labelsOnButton, *labelsOffButton;
  // Coordinate window and tick spacing.
  QLineEdit *xFromField, *xToField, *yFromField, *yToField;
  TBitCheckBox* autoTicksBox;
  QLineEdit *xTickField, *yTickField;
  QLineEdit* edMaxField;
  // Animation, decimals, printing.
  QLineEdit *stepsField, *delayField, *decimalsField;
  QPushButton* printerSetupButton;
  QLineEdit* printPercentField;
  QPushButton *okButton, *saveButton, *defaultsButton;

  // Fills every control from the globals; runs whenever the dialog is shown.
  void FormShow();

 public slots:
  void onCurveColorChanged();
  void onAreaColorChanged();
  void onFillStyleChanged();
  void onTangentLengthChanged();
  void onLineWidthChanged();
  void onNoGridClicked();
  void onDottedGridClicked();
  void onSolidGridClicked();
  void onLabelsOnClicked();
  void onLabelsOffClicked();
  void onAutoTicksClicked();
  void onXFromLeft();
  void onXToLeft();
  void onYFromLeft();
  void onYToLeft();
  void onXTickLeft();
  void onYTickLeft();
  void onEdMaxLeft();
  void onStepsLeft();
  void onPrintPercentLeft();
  void onDelayLeft();
  void onDecimalsLeft();
  void openPrinterSetup();
  void onOkClicked();
  void saveSettings();
  void saveDefaults();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  QFrame* BuildColourPanel();
  QFrame* BuildAxesPanel();
  QFrame* BuildMiscPanel();
  // The design names, as objectNames, once the captions are set.
  void NameControls();
  void ConnectHandlers();
  void ConnectColour(TColorButton* button, Color& colour);
  // A bound of the world window; a value that would leave the window empty or
  // reversed is refused and the old one shown again.
  void BoundExit(QLineEdit* edit, double& bound, double other, bool isLower);
  // x-Einheit or y-Einheit: a spacing giving 3 to 21 ticks stands, any other
  // gives way to the automatic one.
  void TickStepExit(QLineEdit* edit, double& manualStep, bool xAxis);
  void ShowTickSteps(double xStep, double yStep);

  std::function<void()> redrawOwner_;
  std::function<void()> schrittzahlChanged_;
  QButtonGroup* gridGroup_ = nullptr;
  QButtonGroup* labelGroup_ = nullptr;
  // The spacings the two tick fields show, unrounded.
  double shownXStep_ = 1.0;
  double shownYStep_ = 1.0;
  // Set while the controls are filled from the globals: their change signals
  // must not write back.
  bool filling_ = false;
};

}  // namespace kurvio
