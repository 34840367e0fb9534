// The window "Integralfunktion": the area under the boundary function f(t)
// from the lower bound x0 to the upper bound x above, the integral function
// F(x) with a bar at x below.
#pragma once

#include <memory>
#include <vector>

#include "module/AnalysisWindow.h"
#include "module/TwoPlotPicture.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace kurvio {

class TExampleList;
class TPaintBox;
class TSwitch;
class TViewPad;

// F(x) = the integral of f from x0 to x by the composite Simpson rule with 16
// subintervals (17 values of f); an undefined value counts 0 and sets `undefined`.
double Integral(double x0, double x, bool& undefined);

class TForm7 : public TAnalysisWindow {
  Q_OBJECT

 public:
  explicit TForm7(QWidget* parent = nullptr);
  ~TForm7() override;

  TPaintBox* PaintBox1;
  QLineEdit* Edit1;  // f(t)
  QLineEdit* Edit2;  // comment of an example
  QToolButton* SpeedButton28;
  QLineEdit* Edit4;  // x, the upper bound
  QScrollBar* ScrollBar1;
  QToolButton* SpeedButton13;
  TSwitch* Switch1;
  QToolButton* SpeedButton2;
  QLineEdit* Edit3;  // x0, the lower bound
  QScrollBar* ScrollBar2;
  QToolButton* SpeedButton6;
  QLabel* Label2;  // F(x) with " [FE]"
  QListWidget* ListBox1;
  QToolButton *SpeedButton1, *SpeedButton4, *SpeedButton5;
  TViewPad* GroupBox1;
  QToolButton *SpeedButton3, *SpeedButton7, *SpeedButton22;
  QPushButton *SpeedButton14, *SpeedButton15, *SpeedButton17, *SpeedButton23, *SpeedButton35;

  double AnimationStep = 0.0;
  bool Dragging = false;

  void darstellen();
  // Both static pictures, then the frame.
  void Redraw();
  void darstellen2();
  void animieren();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  void IntegralKurveZeichnen();
  void IntegralKurve3Zeichnen();
  TwoPlotPicture& Picture() { return *picture_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void Edit1Exit();
  void Edit3Exit();
  void Edit4Exit();
  void ScrollBar1Change();
  void ScrollBar2Change();
  void SpeedButton13Click();
  void SpeedButton6Click();
  void Switch1Click();
  void SpeedButton2Click();
  void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;

 private:
  void BuildLayout();
  void ConnectHandlers();
  void ShowX();
  void ShowX0();
  // A bar's position for a value: round((v - x1)·200 / (x2 - x1)).
  static int BarPosition(double v);
  double MouseX(int column) const;
  void PlotLower();
  // The points of [from, to] where f has a pole or is undefined, kept while the term, its
  // parameters and the range stay; and whether the integral from x0 to x crosses one.
  const std::vector<double>& Poles(double from, double to);
  bool IntegralCrossesPole(double x0, double x);

  struct PoleSearch {
    const void* term = nullptr;
    double a = 0, b = 0, c = 0, from = 0, to = -1;
    std::vector<double> points;
  };
  PoleSearch poles_;

  std::unique_ptr<TwoPlotPicture> picture_;
  TExampleList* examples_ = nullptr;
};

}  // namespace kurvio
