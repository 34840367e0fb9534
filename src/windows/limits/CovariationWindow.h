// The window "Zuordnung (Kovariation)": x and f(x) as points on two number
// lines (rails) joined by an arrow, and above them the same pair in a
// Cartesian coordinate system. x moves by dragging, its bar, typing or an
// animation; arrows can be fixed; in the guessing game the term is hidden.
#pragma once

#include <QImage>
#include <array>
#include <vector>

#include "module/AnalysisWindow.h"
#include "settings/Color.h"
#include "settings/RecordList.h"
#include "windows/limits/FunctionList.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QSlider;
class QToolButton;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TExampleList;
class TNumberScroll;
class TPaintBox;
class TSwitch;

struct FixedArrow {
  double x = 0;
};

class TForm12 : public TAnalysisWindow {
  Q_OBJECT

 public:
  explicit TForm12(QWidget* parent = nullptr);
  ~TForm12() override;

  TPaintBox* PaintBox1;
  QWidget* ExamplePanel;  // the term with the example list
  QLineEdit* Edit1;       // f(x)
  QToolButton* SpeedButton28;
  QListWidget* ListBox1;
  QToolButton *SpeedButton3, *SpeedButton7, *SpeedButton8;
  QWidget* FamilyPanel;  // the guessing game
  // The family buttons in the order of the function list's sections.
  QPushButton *SpeedButton9, *SpeedButton10, *SpeedButton19, *SpeedButton32, *SpeedButton22,
      *SpeedButton26, *SpeedButton27, *SpeedButton20, *SpeedButton21, *SpeedButton29;
  QLineEdit* Edit3;  // the family's name, or the term when the solution is shown
  QPushButton* SpeedButton30;
  QLineEdit* Edit2;  // x0
  QScrollBar* ScrollBar1;
  QToolButton* SpeedButton2;
  TSwitch* Switch1;
  QToolButton* SpeedButton25;
  QSlider* TrackBar2;  // speed divisor
  TBitCheckBox *BitCheckBox1, *BitCheckBox2, *BitCheckBox3, *BitCheckBox4;
  QPushButton *SpeedButton13, *SpeedButton11, *SpeedButton18;
  QGroupBox* XRailPanel;
  QToolButton *SpeedButton12, *SpeedButton24, *SpeedButton16;
  TColorButton* ColorButton1;
  QLabel* Label9;
  QGroupBox* FRailPanel;
  QToolButton *SpeedButton1, *SpeedButton5, *SpeedButton4;
  TColorButton* ColorButton2;
  QLabel* Label6;
  QPushButton *SpeedButton14, *SpeedButton15, *SpeedButton17, *SpeedButton23, *SpeedButton6;

  // The rails: x from xa to xb, f(x) from ya to yb.
  double xa = 0, xb = 0, ya = 0, yb = 0;
  double AnimationStep = 0;
  bool Dragging = false;
  bool ShowGraph = false, ShowArrow = false, ShowCartesian = false;
  RecordList<FixedArrow> FixedArrows;  // newest first
  FunctionLists Functions;

  void animieren();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  // The rails' check and reset: the view rule of the limit windows on xa, xb, ya, yb.
  void WertePruefen() override;
  void InitWerte() override;
  QImage& Bitmap() { return bitmap_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void Edit1Exit();
  void Switch1Click();
  void SpeedButton25Click();
  void DisplayCheckBoxClick();
  void BitCheckBox4Click();
  void FamilyClick(int family);
  void SpeedButton30Click();
  void SpeedButton13Click();
  void SpeedButton11Click();
  void SpeedButton18Click();
  // The rails: halve, double, reset; `fRail` picks the f(x) rail.
  void RailZoom(bool fRail, bool halve);
  void RailReset(bool fRail);
  void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  QGroupBox* MakeRailPanel(QWidget* parent, const QString& title, QToolButton*& halve,
                           QToolButton*& twice, QToolButton*& reset, TColorButton*& colour,
                           QLabel*& readout);
  void ConnectHandlers();
  void BarFollowsRail();
  void PlaceRailPanels();
  void UpdateDeleteButtons();
  void ShowReadouts();
  void DrawCartesianArrow(double x);
  void DrawRailArrow(double x);
  double MouseX(int column) const;

  QImage bitmap_;
  QWidget* side_ = nullptr;
  TNumberScroll* xScroll_ = nullptr;
  TExampleList* examples_ = nullptr;
  std::array<QPushButton*, kFunctionFamilyCount> familyButtons_{};
  Color xRailColor_ = 255;
  Color fRailColor_ = 16711680;
};

}  // namespace kurvio
