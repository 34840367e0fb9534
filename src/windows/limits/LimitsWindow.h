// The window "Grenzwert - Stetigkeit": a function made of two pieces, f1 up
// to xo and f2 beyond it, with the epsilon strip around f(xo), the delta
// neighbourhood of xo on the x-axis and its image under f on the y-axis, for
// the left and the right half separately. Whether the image stays inside the
// strip is for the pupils to see; the window gives no verdict.
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "module/AnalysisWindow.h"
#include "windows/limits/Neighbourhood.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QToolButton;
class QVBoxLayout;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TExampleList;
class TNumberScroll;
class TPaintBox;
class TViewPad;
class ZoomBox;

class TForm11 : public TAnalysisWindow {
  Q_OBJECT

 public:
  explicit TForm11(QWidget* parent = nullptr);
  ~TForm11() override;

  TPaintBox* PaintBox1;
  QLineEdit* Edit1;  // f1, for x up to xo
  QLineEdit* Edit3;  // f2, for x beyond xo
  QToolButton* SpeedButton28;
  QLineEdit* Edit2;  // xo
  QScrollBar* ScrollBar1;
  QToolButton* SpeedButton2;
  QLineEdit* Edit4;  // epsilon
  QScrollBar* ScrollBar3;
  QToolButton* SpeedButton13;
  QLineEdit* Edit5;  // delta
  QScrollBar* ScrollBar2;
  QToolButton* SpeedButton12;
  TColorButton* ColorButton1;  // the strip
  TColorButton* ColorButton2;  // the neighbourhood
  TColorButton* ColorButton3;  // its image
  TBitCheckBox* BitCheckBox2;  // "Beschriftung"
  QListWidget* ListBox1;
  QToolButton *SpeedButton1, *SpeedButton4, *SpeedButton5;
  TViewPad* GroupBox1;
  QToolButton *SpeedButton3, *SpeedButton7, *SpeedButton8, *SpeedButton9, *SpeedButton10,
      *SpeedButton11, *SpeedButton18, *SpeedButton19, *SpeedButton20, *SpeedButton21,
      *SpeedButton22;
  QPushButton *SpeedButton14, *SpeedButton15, *SpeedButton17, *SpeedButton23, *SpeedButton6;

  // State of the window (xo is the setting xP).
  double delta = 1.0;
  double eps = 1.0;
  bool ShowLabels = false;
  // The image of the left and the right half neighbourhood at the last redraw.
  NeighbourhoodExtremes LeftImage, RightImage;

  // The whole picture; on screen into the bitmap and onto the paint box.
  void animieren();
  // The piece of the term just compiled from `from` up to `bound`, in the window
  // scaleFrom..scaleTo.
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double bound);
  void Datei_laden();
  bool Datei_speichern();
  QImage& Bitmap() { return bitmap_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void Edit1Exit();
  void Edit3Exit();
  void BitCheckBox2Click();
  void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;

 private:
  void BuildLayout();
  void BuildTermRows(QWidget* panel, QVBoxLayout* column);
  void BuildNumberRows(QWidget* panel, QVBoxLayout* column);
  void BuildColourRows(QWidget* panel, QVBoxLayout* column);
  void ConnectHandlers();
  // The three bars: xo's Max from the view and its tick step, positions from the values.
  void BarsFollowView();
  void ViewChanged();
  void ApplyExample(const std::string& entry);
  // Draws one half: the guide lines, the thick neighbourhood and its image; returns f(xo).
  double DrawHalf(HalfSide side, double step);
  void DrawLabels(double y0);

  QImage bitmap_;
  TNumberScroll* xoScroll_ = nullptr;
  TNumberScroll* epsScroll_ = nullptr;
  TNumberScroll* deltaScroll_ = nullptr;
  TExampleList* examples_ = nullptr;
  std::unique_ptr<ZoomBox> zoomBox_;
};

}  // namespace kurvio
