// The main window "Funktionsgraphen": five function families with the
// parameters a, b, c and t, their scroll bars, the drawing of the family in
// two layers, fixed curves and the colour spectrum.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "module/ModuleDialog.h"
#include "plot/Canvas.h"
#include "plot/PlotLayers.h"
#include "settings/RecordList.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSlider;
class QTabBar;
class QToolButton;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TLineWidthComboBox;
class TPaintBox;
class TSwitch;
class TViewPad;
class ZoomBox;

// One fixed curve: the parameters and pen it was drawn with.
struct FixedCurve {
  double a = 0, b = 0, c = 0, t = 0;
  Color color = 0;
  int lineWidth = 1;
};

class TForm1 : public TModuleDialog {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Tab bar row.
  QTabBar* TabControl1;
  QLabel* Label8;
  TColorButton* ColorButton1;
  TLineWidthComboBox* LineWidthComboBox1;
  TPaintBox* PaintBox1;
  QWidget* Panel1;
  // Term row.
  QLabel* Label4;
  QLineEdit* Edit1;   // term of tab 4, "f(x,t,a,b)"
  QLineEdit* Edit12;  // term f of tab 3, "af(x-u)+v"
  QToolButton* SpeedButton28;
  // Parameter rows a, b, c, t.
  QLabel *Label1, *Label2, *Label3, *Label11;
  QLineEdit *Edit2, *Edit3, *Edit4;
  QLineEdit *Edit5, *Edit6, *Edit7;
  QLineEdit *Edit8, *Edit9, *Edit10;
  QLineEdit *Edit13, *Edit14, *Edit15;
  QScrollBar *ScrollBar1, *ScrollBar2, *ScrollBar3, *ScrollBar4;
  TSwitch *Switch1, *Switch2, *Switch3, *Switch5;
  QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton4, *SpeedButton16;
  QToolButton *SpeedButton24, *SpeedButton25, *SpeedButton26, *SpeedButton29;
  // Vertex.
  TBitCheckBox *BitCheckBox3, *BitCheckBox6;
  QLabel* Label5;
  // Point panel.
  QWidget* Panel4;
  TBitCheckBox *BitCheckBox2, *BitCheckBox4, *BitCheckBox1;
  QSlider* TrackBar1;
  QLineEdit* Edit11;
  QToolButton *SpeedButton13, *SpeedButton27;
  TSwitch* Switch4;
  // "Koordinatensys."
  TViewPad* GroupBox1;
  QToolButton *SpeedButton3, *SpeedButton7;
  QToolButton *SpeedButton21, *SpeedButton11, *SpeedButton20, *SpeedButton8, *SpeedButton22,
      *SpeedButton9, *SpeedButton18, *SpeedButton10, *SpeedButton19;
  TBitCheckBox* BitCheckBox5;
  // "fixieren"
  QGroupBox* GroupBox2;
  QPushButton *SpeedButton6, *SpeedButton12, *SpeedButton5;
  TBitCheckBox *BitCheckBox10, *BitCheckBox9;
  QLabel* Image1;
  QSlider* TrackBar2;
  // Button column.
  QPushButton *SpeedButton14, *SpeedButton15, *SpeedButton17, *SpeedButton23, *SpeedButton35;

  // State of the window.
  RecordList<FixedCurve> FixedCurves;
  bool SliderUpdate = false;
  bool ShowTriangle = false;
  bool ShowTangent = false;
  bool MoveVertex = false;
  bool MarkVertex = false;
  int Spectrum = 1;
  double StepWidth = 1.0;  // run of the slope triangle on tab 0

  PlotLayers& Layers() { return layers_; }

  // Drawing (MainWindowDrawing.cpp).
  void darstellen();
  void darstellen2();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  void ObjektEinfuegen();
  void Farbverlauf(int n);

  // Animation and mouse (MainWindowAnimation.cpp).
  double AnimationStep = 0.0;
  bool Dragging = false;
  void Delay(int ms);
  void SwitchClick(int index);  // a, b, c, t
  void Switch4Click();          // x0
  void SpeedButton24Click();    // every direction button
  void ViewChanged();           // after a zoom, pan or reset of the coordinate window
  void PaintBox1MouseDown(Qt::MouseButton button, int x, int y);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button, int x, int y);
  void UpdateCursor();
  void SpeedButton14Click();
  // Opens the settings dialog (replaceable, so that tests need no dialog).
  std::function<void(TForm1*)> OpenSettingsDialog;

  // Rewrites fields and scroll bars from the globals and redraws, as every repaint does.
  void FormPaint();
  void einkontrolle();

 public slots:
  void TabControl1Change();
  void Edit1Exit();
  void Edit12Exit();
  void Edit11Exit();
  void SpeedButton6Click();
  void SpeedButton12Click();
  void SpeedButton5Click();
  void DisplayCheckBoxClick();
  void BitCheckBox3Click();
  void BitCheckBox6Click();
  void BitCheckBox9Click();
  void BitCheckBox10Click();
  void TrackBar1Change();
  void TrackBar2Change();
  void ColorButton1Change();
  void LineWidthComboBox1Change();
  void SpeedButton13Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One parameter row: its fields, scroll bar and reset button, by index 0..3 (a, b, c, t).
  struct Row {
    QLineEdit* value;
    QLineEdit* lower;
    QLineEdit* upper;
    QScrollBar* scrollBar;
  };
  Row RowOf(int index) const;
  void BuildLayout();
  void ConnectHandlers();
  QWidget* BuildParameterRow(int index, QLabel*& label, QLineEdit*& value, QLineEdit*& lower,
                             QLineEdit*& upper, QScrollBar*& scrollBar, TSwitch*& sw,
                             QToolButton*& reset, QToolButton*& direction);
  void ValueExit(int index);
  void BoundExit(int index, bool upper);
  void ScrollBarChange(int index);
  void ResetParameter(int index);
  void SetScrollBarFromValue(int index, bool raiseSliderUpdate);
  void ShowParameter(int index);
  void UpdateDeleteButtons();
  void ShowVertexLabel();
  void DrawTangent(bool intoFixedLayer);
  void DrawSlopeTriangle();
  void DrawVertexMark();
  int CurrentTab() const;

  void ConnectAnimation();
  TSwitch* SwitchOf(int index) const;
  std::unique_ptr<ZoomBox> zoomBox_;
  QWidget* rowC_ = nullptr;
  QWidget* rowT_ = nullptr;
  PlotLayers layers_;
  Color savedPenColor_ = 0;
  bool shown_ = false;
};

}  // namespace kurvio
