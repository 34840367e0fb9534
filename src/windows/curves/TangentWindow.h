// The window "Tangentenproblem": the secant through P and Q on the graph of
// f turns into the tangent at P as Q moves towards P. Q is dragged, scrolled,
// typed or animated across the view; secants can be fixed on the screen.
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "module/AnalysisWindow.h"
#include "module/ExampleFiles.h"
#include "settings/Color.h"
#include "settings/RecordList.h"

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
class TSwitch;
class TViewPad;

// A fixed secant: its own Q and colour; P is always the current one.
struct FixedSecant {
  double xQ = 0;
  Color color = 0;
};

class TForm8 : public TAnalysisWindow {
  Q_OBJECT

 public:
  explicit TForm8(QWidget* parent = nullptr);
  ~TForm8() override;

  TPaintBox* PaintBox1;
  QLineEdit* Edit1;  // f(x)
  QToolButton* SpeedButton28;
  QLineEdit* Edit2;  // x of P
  QScrollBar* ScrollBar1;
  QToolButton* SpeedButton2;
  QLineEdit* Edit5;  // x of Q
  QScrollBar* ScrollBar2;
  QToolButton* SpeedButton12;
  TSwitch* Switch1;
  QToolButton* SpeedButton25;
  TBitCheckBox *BitCheckBox2, *BitCheckBox3, *BitCheckBox4;
  QPushButton *SpeedButton13, *SpeedButton16, *SpeedButton24;
  TColorButton* ColorButton1;
  QLabel* Label7;  // secant slope
  TBitCheckBox *BitCheckBox1, *BitCheckBox5;
  QLabel* Label13;  // tangent slope
  QListWidget* ListBox1;
  QToolButton *SpeedButton1, *SpeedButton4, *SpeedButton5;
  TViewPad* GroupBox1;
  QToolButton *SpeedButton3, *SpeedButton7, *SpeedButton22;
  QPushButton *SpeedButton14, *SpeedButton15, *SpeedButton17, *SpeedButton23, *SpeedButton6;

  // State of the window.
  RecordList<FixedSecant> FixedSecants;  // newest first
  RecordList<TangentExample> Examples;   // one per entry of ListBox1
  double AnimationStep = 0.0;
  bool Dragging = false;
  bool ShowTangent = false, ShowLabels = false, ShowSecantTriangle = false, ShowGuides = false,
       ShowTangentTriangle = false;

  // One frame: secants, axes, graph; on screen into the bitmap and onto the paint box.
  void animieren();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  void Datei_laden();
  bool Datei_speichern();
  QImage& Bitmap() { return bitmap_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void Edit1Exit();
  void Switch1Click();
  void SpeedButton25Click();
  void SpeedButton13Click();
  void SpeedButton16Click();
  void SpeedButton24Click();
  void DisplayCheckBoxClick();
  void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;

 private:
  void BuildLayout();
  void ConnectHandlers();
  // Both bars: Max from the view and its tick step, positions from P and Q.
  void BarsFollowView();
  void ViewChanged(bool zoomed);
  void UpdateDeleteButtons();
  void DrawSecant(double q, Color color, bool current);
  void ApplyExample(int row);
  TangentExample CurrentValues() const;
  // The entries into the list box and the record list.
  void ShowExamples(const std::vector<TangentEntry>& entries);

  QImage bitmap_;
  TNumberScroll* pScroll_ = nullptr;  // x of P with ScrollBar1
  TNumberScroll* qScroll_ = nullptr;  // x of Q with ScrollBar2
  TExampleList* examples_ = nullptr;
  std::vector<TangentEntry> examplesRead_;  // as the file held them
  int curveKind_ = 0;                       // 0 the graph of f, 1 the straight line below
  double lineSlope_ = 0, lineIntercept_ = 0;
};

}  // namespace kurvio
