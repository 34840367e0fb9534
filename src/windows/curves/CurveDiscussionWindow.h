// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Monotonie, Krümmungsverhalten - Kurvendiskussion": f above,
// f' and f'' below, a point moving along the graph with its tangent and slope
// triangle, bars for f'(x0) and f''(x0), and a trace of f' that grows as the
// point sweeps along.
#pragma once

#include <memory>

#include "module/AnalysisWindow.h"
#include "module/TwoPlotPicture.h"
#include "term/FeatureText.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class QVBoxLayout;

namespace kurvio {

class DerivativeTerms;
class TBitCheckBox;
class TExampleList;
class TPaintBox;
class TSwitch;
class TViewPad;
class ValueTableButton;

class TForm3 : public TAnalysisWindow {
  Q_OBJECT

 public:
  // Its example list in the program folder, and the name of the file its lesson is kept in
  // ("Fenster-<name>.ini"); null where it has none.
  static constexpr const char* kExampleFile = "Bsp1.txt";
  static constexpr const char* kLessonName = "Kurvendiskussion";

  explicit TForm3(QWidget* parent = nullptr);
  ~TForm3() override;

  TPaintBox* paintBox;
  QLineEdit* termField;     // f(x)
  QLineEdit* commentField;  // comment of an example
  QToolButton* helpButton;
  QLineEdit* x0Field;  // x0
  QToolButton* resetX0Button;
  TSwitch* animationSwitch;
  QToolButton* directionButton;
  TBitCheckBox *firstDerivativeBox, *secondDerivativeBox, *traceBox, *triangleBox;
  TBitCheckBox* legendBox = nullptr;  // "Term im Bild"
  QLabel* functionValueReadout;       // f(x0), always shown
  QLabel *firstDerivativeReadout, *secondDerivativeReadout;
  DerivativeTerms* derivativeTerms = nullptr;  // "Ableitungsterme"
  // "Besondere Punkte": the special points searched for in an interval, listed and marked.
  TBitCheckBox* pointsBox = nullptr;
  QWidget* pointsPanel = nullptr;  // what the box shows
  QLineEdit *searchFromField = nullptr, *searchToField = nullptr;
  QLabel* searchReadout = nullptr;  // "gesucht in [-7; 7]"
  QListWidget* pointsList = nullptr;
  QListWidget* exampleBox;
  QToolButton *getExampleButton, *addExampleButton, *removeExampleButton;
  TViewPad* viewPad;
  ValueTableButton* valueTable = nullptr;  // "Wertetabelle"

  // State of the window.
  bool ShowFirst = false, ShowSecond = false, ShowTrace = false, ShowTriangle = false;
  double AnimationStep = 0.0;
  double TraceAnchor = 0, TraceLo = 0, TraceHi = 0;
  bool ShowPoints = false;
  // The interval searched; it follows the view until the user types an end.
  double SearchFrom = 0, SearchTo = 0;
  bool SearchFollowsView = true;

  void darstellen();
  // Both static pictures, then the frame.
  void Redraw();
  void animieren();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  void Delay(int ms) override;
  TwoPlotPicture& Picture() { return *picture_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void onTermFieldLeft();
  void onX0FieldLeft();
  void onResetX0();
  void onAnimationSwitch();
  void onReverseDirection();
  void onDisplayBoxClicked();
  void onTraceBoxClicked();
  void onPointsBoxClicked();
  void onSearchFieldLeft();

 protected:
  void FormPaint() override;
  void FormClose() override;
  void KeepOwnLesson(LessonValues& own) const override;

 private:
  // The boxes, the point and the grown trace the window was closed with.
  void RestoreOwnLesson();
  void BuildLayout();
  void ConnectHandlers();
  void ShowX0();
  void BuildPointsPanel(QWidget* panel, QVBoxLayout* column);
  // Searches the interval and fills the list (only while the box is on).
  void FindPoints();
  void DrawPointMarks();
  FeatureTexts pointTexts_;
  // The exact forms of the points, made anew when term, parameters or interval change.
  ExactLookup exactPoints_;
  struct ExactKey {
    std::string term;
    double a, b, c, from, to;
    bool operator==(const ExactKey&) const = default;
  };
  ExactKey exactFor_{};  // what they were made for

  std::unique_ptr<TwoPlotPicture> picture_;
  TExampleList* examples_ = nullptr;
};

}  // namespace kurvio
