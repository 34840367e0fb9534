// The window "Monotonie, Krümmungsverhalten - Kurvendiskussion": f above,
// f' and f'' below, a point moving along the graph with its tangent and slope
// triangle, bars for f'(x0) and f''(x0), and a trace of f' that grows as the
// point sweeps along.
#pragma once

#include <memory>

#include "module/AnalysisWindow.h"
#include "module/TwoPlotPicture.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace kurvio {

class TBitCheckBox;
class TExampleList;
class TPaintBox;
class TSwitch;
class TViewPad;

class TForm3 : public TAnalysisWindow {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);
  ~TForm3() override;

  TPaintBox* PaintBox1;
  QLineEdit* Edit1;  // f(x)
  QLineEdit* Edit2;  // comment of an example
  QToolButton* SpeedButton28;
  QLineEdit* Edit3;  // x0
  QToolButton* SpeedButton13;
  TSwitch* Switch4;
  QToolButton* SpeedButton2;
  TBitCheckBox *BitCheckBox1, *BitCheckBox2, *BitCheckBox3, *BitCheckBox4;
  QLabel *Label2, *Label3;
  QListWidget* ListBox1;
  QToolButton *SpeedButton1, *SpeedButton4, *SpeedButton5;
  TViewPad* GroupBox1;
  QToolButton *SpeedButton3, *SpeedButton7, *SpeedButton22;
  QPushButton *SpeedButton14, *SpeedButton15, *SpeedButton17, *SpeedButton23, *SpeedButton6;

  // State of the window.
  bool ShowFirst = false, ShowSecond = false, ShowTrace = false, ShowTriangle = false;
  double AnimationStep = 0.0;
  bool Dragging = false;
  double TraceAnchor = 0, TraceLo = 0, TraceHi = 0;

  void darstellen();
  // Both static pictures, then the frame.
  void Redraw();
  void animieren();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  void Delay(int ms) override;
  TwoPlotPicture& Picture() { return *picture_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void Edit1Exit();
  void Edit3Exit();
  void SpeedButton13Click();
  void Switch4Click();
  void SpeedButton2Click();
  void DisplayCheckBoxClick();
  void BitCheckBox3Click();
  void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;

 private:
  void BuildLayout();
  void ConnectHandlers();
  void ShowX0();
  double MouseX(int column) const;

  std::unique_ptr<TwoPlotPicture> picture_;
  TExampleList* examples_ = nullptr;
};

}  // namespace kurvio
