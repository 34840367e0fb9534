// The settings dialog "Einstellungen": colours, line width, fill pattern,
// coordinate window, grid and tick spacing, animation, decimals and printing.
// Every change goes straight into the settings globals; only the two save
// buttons write the file.
#pragma once

#include <functional>

#include "module/ModuleDialog.h"
#include "settings/Color.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
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
  TColorButton *ColorButton1, *ColorButton6, *ColorButton7, *ColorButton8;
  TFillStyleComboBox* FillStyleComboBox1;
  TColorButton *ColorButton9, *ColorButton4, *ColorButton5;
  QSlider* TrackBar1;  // length of the tangent, 1..8
  TLineWidthComboBox* LineWidthComboBox1;
  TColorButton *ColorButton2, *ColorButton3;
  // Grid and labels.
  QToolButton *SpeedButton50, *SpeedButton52, *SpeedButton53;
  QToolButton *SpeedButton60, *SpeedButton61;
  // Coordinate window and tick spacing.
  QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;
  TBitCheckBox* BitCheckBox1;
  QLineEdit *Edit5, *Edit6;
  QLineEdit* Edit11;
  // Animation, decimals, printing.
  QLineEdit *Edit7, *Edit9, *Edit10;
  QPushButton* SpeedButton1;
  QLineEdit* Edit8;
  QPushButton *Button1, *Button2, *Button3;

  // Fills every control from the globals; runs whenever the dialog is shown.
  void FormShow();

 public slots:
  void ColorButton1Change();
  void ColorButton8Change();
  void FillStyleComboBox1Change();
  void TrackBar1Change();
  void LineWidthComboBox1Change();
  void SpeedButton50Click();
  void SpeedButton52Click();
  void SpeedButton53Click();
  void SpeedButton60Click();
  void SpeedButton61Click();
  void BitCheckBox1Click();
  void Edit1Exit();
  void Edit2Exit();
  void Edit3Exit();
  void Edit4Exit();
  void Edit5Exit();
  void Edit6Exit();
  void Edit11Exit();
  void Edit7Exit();
  void Edit8Exit();
  void Edit9Exit();
  void Edit10Exit();
  void SpeedButton1Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
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
