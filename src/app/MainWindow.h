// SPDX-License-Identifier: GPL-3.0-or-later
// The main window "Funktionsgraphen": five function families with the
// parameters a, b, c and t, their scroll bars, the drawing of the family in
// two layers, fixed curves and the colour spectrum.
#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

#include "module/ButtonColumn.h"
#include "module/ModuleDialog.h"
#include "module/PictureFrame.h"
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
class QVBoxLayout;
class QToolButton;

namespace kurvio {

class DerivativeTerms;
class TBitCheckBox;
class TColorButton;
class TLineWidthComboBox;
class TPaintBox;
class TSwitch;
class TViewPad;
class ValueTableButton;
class ZoomBox;

// One fixed curve: the parameters and pen it was drawn with.
struct FixedCurve {
  double a = 0, b = 0, c = 0, t = 0;
  Color color = 0;
  int lineWidth = 1;
};

struct WindowState;
class LessonValues;
// What the main window keeps of its lesson: its two terms, the parameters with
// their ranges and the view; of its own the family, the point, the boxes that
// show things and the fixed curves.
const WindowState& MainWindowLesson();

class TForm1 : public TModuleDialog {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Tab bar row.
  QTabBar* familyTabs;
  QLabel* familyCaption;
  TColorButton* lineColorButton;
  TLineWidthComboBox* lineWidthBox;
  TPaintBox* paintBox;
  QWidget* controlPanel;
  // Term row.
  QLabel* termLabel;
  QLineEdit* termField;         // term of tab 4, "f(x,t,a,b)"
  QLineEdit* shiftedTermField;  // term f of tab 3, "af(x-u)+v"
  QToolButton* termHelpButton;
  // Parameter rows a, b, c, t.
  QLabel *aLabel, *bLabel, *cLabel, *tLabel;
  QLineEdit *aField, *aLowerField, *aUpperField;
  QLineEdit *bField, *bLowerField, *bUpperField;
  QLineEdit *cField, *cLowerField, *cUpperField;
  QLineEdit *tField, *tLowerField, *tUpperField;
  QScrollBar *aBar, *bBar, *cBar, *tBar;
  TSwitch *aSwitch, *bSwitch, *cSwitch, *tSwitch;
  QToolButton *aResetButton, *bResetButton, *cResetButton, *tResetButton;
  QToolButton *aDirectionButton, *bDirectionButton, *cDirectionButton, *tDirectionButton;
  // Vertex.
  TBitCheckBox *moveVertexBox, *markVertexBox;
  QLabel* vertexLabel;
  // Point panel.
  QWidget* pointPanel;
  TBitCheckBox *slopeTriangleBox, *tangentBox, *derivativeBox;
  TBitCheckBox* legendBox;                     // "Term im Bild"
  DerivativeTerms* derivativeTerms = nullptr;  // "Ableitungsterme", tabs with a term
  QSlider* stepWidthSlider;
  QLineEdit* pointXField;
  QToolButton *pointResetButton, *pointDirectionButton;
  TSwitch* pointSwitch;
  ValueTableButton* valueTable = nullptr;  // "Wertetabelle", tabs with a term
  // "Koordinatensys."
  TViewPad* viewPad;
  TBitCheckBox* zoomBoxCheck;
  // "fixieren"
  QGroupBox* fixGroup;
  QPushButton *addObjectButton, *deleteLastObjectButton, *deleteAllObjectsButton;
  TBitCheckBox *fixFamilyBox, *spectrumBox;
  QLabel* spectrumImage;
  QSlider* spectrumSlider;
  // Button column.
  ButtonColumn buttons;

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
  // The frame of the last drawing on screen (no canvas): how the picture maps the view.
  const DrawFrame& ShownFrame() const { return frame_; }
  // Runs `draw`, a drawing of the window, in `exportFrame` as an export does.
  void DrawInFrame(const DrawFrame& exportFrame, std::function<void()> draw) {
    frames_.ExportRedraw(frame_, std::move(draw))(exportFrame);
  }

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
  void onPointSwitchClicked();  // x0
  void onDirectionClicked();    // every direction button
  void ViewChanged();           // after a zoom, pan or reset of the coordinate window
  void onPaintBoxMouseDown(Qt::MouseButton button, int x, int y);
  void onPaintBoxMouseMove(int x, int y);
  void onPaintBoxMouseUp(Qt::MouseButton button, int x, int y);
  void UpdateCursor();
  void openSettings();
  // Opens the settings dialog (replaceable, so that tests need no dialog).
  std::function<void(TForm1*)> OpenSettingsDialog;

  // Rewrites fields and scroll bars from the globals and redraws, as every repaint does.
  void FormPaint();
  void RedrawPicture() override;
  void einkontrolle();

 public slots:
  void onFamilyTabChanged();
  void onTermFieldLeft();
  void onShiftedTermFieldLeft();
  void onPointXFieldLeft();
  void deleteLastObject();
  void deleteAllObjects();
  void DisplayCheckBoxClick();
  void onMoveVertexClicked();
  void onMarkVertexClicked();
  void onSpectrumClicked();
  void onFixFamilyClicked();
  void onStepWidthChanged();
  void onSpectrumSliderChanged();
  void onLineColorChanged();
  void onLineWidthChanged();
  void resetPoint();

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  void KeepLesson() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RestoreOwnLesson(const LessonValues& own);
  void KeepOwnLesson(LessonValues& own) const;
  // One parameter row: its fields, scroll bar and reset button, by index 0..3 (a, b, c, t).
  struct Row {
    QLineEdit* value;
    QLineEdit* lower;
    QLineEdit* upper;
    QScrollBar* scrollBar;
  };
  Row RowOf(int index) const;
  void BuildLayout();
  // The design names, as objectNames, once the captions are set.
  void NameControls();
  void AddTermAndParameterRows(QVBoxLayout* panel);
  void AddVertexAndPointRows(QVBoxLayout* panel);
  void AddFixAndButtonGroups(QVBoxLayout* panel);
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
  // The point of the tangent and its slope "m = …" beside it.
  void MarkTangentPoint(double x0, double y0, double m);
  void DrawSlopeTriangle();
  void DrawVertexMark();
  // The family, its terms and its parameter values as the picture's legend.
  QStringList LegendLines() const;
  // The value table: the function it names, a column of y for the member drawn and for
  // each fixed one (the newest few), y' while the derivative is drawn.
  QString TableFunction() const;
  QStringList TableColumns() const;
  std::vector<QString> TableCells(const std::vector<double>& xs);
  std::vector<FixedCurve> TableCurves() const;
  int CurrentTab() const;

  void ConnectAnimation();
  TSwitch* SwitchOf(int index) const;
  std::unique_ptr<ZoomBox> zoomBox_;
  QWidget* rowC_ = nullptr;
  QWidget* rowT_ = nullptr;
  PlotLayers layers_;
  // The frame of the drawing under way; a drawing begins it from frames_ (the
  // export's while an export draws) at the size of the layers.
  void BeginFrame();
  DrawFrame frame_;
  WindowFrames frames_;
  Color savedPenColor_ = 0;
  bool shown_ = false;
};

}  // namespace kurvio
