// The window "Folgen - Grenzwert": the terms a(n) of a sequence as points
// over n, the ε strip around the limit g, the estimate of g and the index n0
// from which on the terms stay inside the strip.
#pragma once

#include <QImage>
#include <memory>

#include "module/AnalysisWindow.h"
#include "settings/Color.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TExampleList;
class TNumberScroll;
class TPaintBox;
class TViewPad;
class ZoomBox;

class TForm15 : public TAnalysisWindow {
  Q_OBJECT

 public:
  explicit TForm15(QWidget* parent = nullptr);
  ~TForm15() override;

  TPaintBox* PaintBox1;
  QLineEdit* Edit1;  // a(n)
  QToolButton* SpeedButton28;
  TBitCheckBox* BitCheckBox1;  // "Grenzwert bestimmen"
  QLineEdit* Edit2;            // g
  QLineEdit* Edit4;            // ε
  QToolButton* SpeedButton13;
  QScrollBar* ScrollBar3;
  QLineEdit* Edit3;  // max ε
  TColorButton *ColorButton1, *ColorButton2;
  TBitCheckBox *BitCheckBox2, *BitCheckBox5;  // "Punkte verbinden", number line
  QWidget* Panel4;                            // the n0 part
  QLabel* Label11;                            // n0
  TBitCheckBox *BitCheckBox3, *BitCheckBox4;  // "n0 bestimmen", "Grenzwert markieren"
  QListWidget* ListBox1;
  QToolButton *SpeedButton1, *SpeedButton4, *SpeedButton5;
  TViewPad* GroupBox1;
  QToolButton *SpeedButton3, *SpeedButton7, *SpeedButton22;
  QPushButton *SpeedButton14, *SpeedButton15, *SpeedButton17, *SpeedButton23, *SpeedButton6;

  double eps = 1.0;
  double epsmax = 1.0;
  bool LimitFound = false;
  int n0 = 0;  // as last drawn; 0 when none was found
  bool ConnectPoints = false, FindN0 = false, MarkLimit = false, NumberLine = false;

  void animieren();
  void folgezeichnen();
  void BerechneGrenzwert();
  void Berechne_n0();
  void WertePruefen() override;
  void InitWerte() override;
  QImage& Bitmap() { return bitmap_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void Edit1Exit();
  void Edit2Exit();
  void Edit3Exit();
  void SpeedButton13Click();
  void SpeedButton22Click();
  void BitCheckBox1Click();
  void DisplayCheckBoxClick();
  void SpeedButton17Click();
  void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;

 private:
  void BuildLayout();
  void ConnectHandlers();
  ExportTarget Picture();
  // Edit2: g, or "?" while the limit is to be determined and none was found.
  void ShowLimit();

  QImage bitmap_;
  TNumberScroll* epsScroll_ = nullptr;
  TExampleList* examples_ = nullptr;
  std::unique_ptr<ZoomBox> zoom_;
  Color pointColor_ = kBlack;
};

}  // namespace kurvio
