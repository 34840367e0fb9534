// SPDX-License-Identifier: GPL-3.0-or-later
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
class QVBoxLayout;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TExampleList;
class TNumberScroll;
class TPaintBox;
class TSwitch;
class TViewPad;
class ValueTableButton;

// A fixed secant: its own Q and colour; P is always the current one.
struct FixedSecant {
  double xQ = 0;
  Color color = 0;
};

class TForm8 : public TAnalysisWindow {
  Q_OBJECT

 public:
  // Its example list in the program folder, and the name of the file its lesson is kept in
  // ("Fenster-<name>.ini"); null where it has none.
  static constexpr const char* kExampleFile = "Bsp3.txt";
  static constexpr const char* kLessonName = "Tangentenproblem";

  explicit TForm8(QWidget* parent = nullptr);
  ~TForm8() override;

  TPaintBox* paintBox;
  QLineEdit* termField;  // f(x)
  QToolButton* helpButton;
  QLineEdit* pointPField;  // x of P
  QScrollBar* pointPBar;
  QToolButton* resetPButton;
  QLineEdit* pointQField;  // x of Q
  QScrollBar* pointQBar;
  QToolButton* resetQButton;
  TSwitch* animationSwitch;
  QToolButton* directionButton;
  TBitCheckBox *labelsBox, *secantTriangleBox, *guidesBox;
  QPushButton *fixSecantButton, *deleteSecantButton, *clearSecantsButton;
  TColorButton* secantColorButton;
  QLabel* secantSlopeReadout;  // secant slope
  TBitCheckBox *tangentBox, *tangentTriangleBox;
  TBitCheckBox* legendBox = nullptr;  // "Term im Bild"
  QLabel* tangentSlopeReadout;        // tangent slope
  QListWidget* exampleBox;
  QToolButton *getExampleButton, *addExampleButton, *removeExampleButton;
  TViewPad* viewPad;
  ValueTableButton* valueTable = nullptr;  // "Wertetabelle"

  // State of the window.
  RecordList<FixedSecant> FixedSecants;  // newest first
  RecordList<TangentExample> Examples;   // one per entry of exampleBox
  double AnimationStep = 0.0;
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
  void onTermFieldLeft();
  void onAnimationSwitch();
  void onReverseDirection();
  void onFixSecant();
  void onDeleteSecant();
  void onClearSecants();
  void onDisplayBoxClicked();

 protected:
  void FormPaint() override;
  void FormClose() override;
  void KeepOwnLesson(LessonValues& own) const override;

 private:
  // The boxes and fixed secants the window was closed with.
  void RestoreOwnLesson();
  void BuildLayout();
  void BuildPointRows(QWidget* panel, QVBoxLayout* column);
  void BuildSecantRows(QWidget* panel, QVBoxLayout* column);
  void BuildTangentRows(QWidget* panel, QVBoxLayout* column);
  void ConnectHandlers();
  // Both bars: Max from the view and its tick step, positions from P and Q.
  void BarsFollowView();
  void ViewChanged(bool zoomed);
  void UpdateDeleteButtons();
  void DrawSecant(double q, Color color, bool current);
  // The markers at P and Q, the guide lines and the labels.
  void DrawPointMarks(double p, double yp, double q, double yq, bool current);
  // The tangent at P with its readout and slope triangle.
  void DrawTangent(double p, double yp);
  void ApplyExample(int row);
  TangentExample CurrentValues() const;
  // The entries into the list box and the record list.
  void ShowExamples(const std::vector<TangentEntry>& entries);

  QImage bitmap_;
  TNumberScroll* pScroll_ = nullptr;  // x of P with pointPBar
  TNumberScroll* qScroll_ = nullptr;  // x of Q with pointQBar
  TExampleList* examples_ = nullptr;
  std::vector<TangentEntry> examplesRead_;  // as the file held them
  int curveKind_ = 0;                       // 0 the graph of f, 1 the straight line below
  double lineSlope_ = 0, lineIntercept_ = 0;
};

}  // namespace kurvio
