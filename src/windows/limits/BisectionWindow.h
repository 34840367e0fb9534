// SPDX-License-Identifier: GPL-3.0-or-later
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
class QVBoxLayout;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TExampleList;
class TPaintBox;
class TViewPad;

class TForm13 : public TAnalysisWindow {
  Q_OBJECT

 public:
  // Its example list in the program folder, and the name of the file its lesson is kept in
  // ("Fenster-<name>.ini"); null where it has none.
  static constexpr const char* kExampleFile = "Bsp7.txt";
  static constexpr const char* kLessonName = "Bisektion";

  explicit TForm13(QWidget* parent = nullptr);
  ~TForm13() override;

  TPaintBox* paintBox;
  QLineEdit* termField;
  QToolButton* helpButton;
  QLineEdit *startAField, *startBField;  // a0, b0
  QLineEdit* decimalsField;
  QLabel* errorBoundLabel;  // "= " and eps, after "Fehlerschranke ε"
  QPushButton* repeatButton;
  QToolButton* tableButton;
  QLabel* resultLabel;  // after "Ausgabe:"
  QLabel* statusLine;
  TColorButton *noChangeColourButton, *changeColourButton;
  TBitCheckBox *guideLinesBox, *labelsBox, *zoomModeBox;
  TBitCheckBox* legendBox = nullptr;  // "Term im Bild"
  QListWidget* exampleListBox;
  QToolButton *getExampleButton, *addExampleButton, *removeExampleButton;
  TViewPad* viewPad;
  ButtonColumn buttons;  // "Einstellungen", the exports and "&Beenden"

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
  void onTermFieldLeft();
  void onStartAFieldLeft();
  void onStartBFieldLeft();
  void onDecimalsFieldLeft();
  void onRepeatClicked();
  void onTableClicked();
  void onZoomModeClicked();
  void onPaintBoxMouseDown(Qt::MouseButton button, int x, int y);
  void onPaintBoxMouseMove(int x, int y);
  void onPaintBoxMouseUp(Qt::MouseButton button, int x, int y);

 protected:
  void FormPaint() override;
  void FormClose() override;
  void showEvent(QShowEvent* event) override;

 private:
  // a0 > b0 as typed: the two change places (and a and b with them before the first step).
  void OrderStartInterval();
  void BuildLayout();
  QWidget* BuildRulePanel(QWidget* panel);
  void BuildValueRows(QWidget* panel, QVBoxLayout* column);
  void BuildLookRows(QWidget* panel, QVBoxLayout* column);
  void ConnectHandlers();
  void StartValuesChanged();
  void DrawBand(double fa, double fb);
  void DrawGuides(double fa, double fb, double fm);
  void intervalle(double from, double to);

  QImage bitmap_;
  TExampleList* examples_ = nullptr;
};

}  // namespace kurvio
