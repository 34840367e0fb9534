// The window "Bisektion": a zero of f found by halving an interval, one step
// per click, shown as a coloured band over the graph, a ladder of the
// successive intervals below it and the numbers in the status line.
#pragma once

#include <QImage>
#include <memory>

#include "module/AnalysisWindow.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TExampleList;
class TPaintBox;
class TViewPad;
class ZoomBox;

class TForm13 : public TAnalysisWindow {
  Q_OBJECT

 public:
  explicit TForm13(QWidget* parent = nullptr);
  ~TForm13() override;

  TPaintBox* PaintBox1;
  QLineEdit* Edit1;  // f(x)
  QToolButton* SpeedButton28;
  QLineEdit *Edit2, *Edit3;                   // a0, b0
  QLineEdit* Edit4;                           // decimals d
  QLabel* EpsLabel;                           // "= " and eps, after "Fehlerschranke ε"
  QPushButton* SpeedButton2;                  // "Wiederhole"
  QToolButton* SpeedButton12;                 // the table
  QLabel* Label12;                            // the result, after "Ausgabe:"
  QLabel* Panel2;                             // status line
  TColorButton *ColorButton1, *ColorButton2;  // no sign change, sign change
  TBitCheckBox *BitCheckBox1, *BitCheckBox2, *BitCheckBox5;
  QListWidget* ListBox1;
  QToolButton *SpeedButton3, *SpeedButton7, *SpeedButton8;  // the example list
  TViewPad* GroupBox1;
  QToolButton *SpeedButton1, *SpeedButton4, *SpeedButton5, *SpeedButton9;  // out, in, left, right
  QToolButton *SpeedButton10, *SpeedButton11, *SpeedButton18, *SpeedButton19, *SpeedButton20,
      *SpeedButton21, *SpeedButton22;
  QPushButton *SpeedButton14, *SpeedButton15, *SpeedButton17, *SpeedButton23, *SpeedButton6;

  // State of the window.
  double a0 = 0, b0 = 0;  // start interval
  double a = 0, b = 0;    // current interval
  double m = 0;           // midpoint of the last halving
  int steps = 0;          // halvings since the start interval was set
  int d = 5;              // decimals of the readouts, 1..6
  double eps = 1e-5;      // 0.1 to the power d
  bool Dragging = false;

  // The whole picture: band, guide lines, axes, graph and the ladder below.
  void animieren();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  QImage& Bitmap() { return bitmap_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void Edit1Exit();
  void Edit2Exit();
  void Edit3Exit();
  void Edit4Exit();
  void SpeedButton2Click();
  void SpeedButton12Click();
  void BitCheckBox5Click();
  void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;
  void showEvent(QShowEvent* event) override;

 private:
  // a0 > b0 as typed: the two change places (and a and b with them before the first step).
  void OrderStartInterval();
  void BuildLayout();
  QWidget* BuildRulePanel(QWidget* panel);
  void ConnectHandlers();
  void StartValuesChanged();
  void DrawBand(double fa, double fb);
  void DrawGuides(double fa, double fb, double fm);
  void intervalle(double from, double to);

  QImage bitmap_;
  TExampleList* examples_ = nullptr;
  std::unique_ptr<ZoomBox> zoomBox_;
};

}  // namespace kurvio
