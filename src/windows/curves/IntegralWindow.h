// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Integralfunktion": the area under the boundary function f(t)
// from the lower bound x0 to the upper bound x above, the integral function
// F(x) with a bar at x below.
#pragma once

#include <memory>
#include <vector>

#include "module/AnalysisWindow.h"
#include "module/TwoPlotPicture.h"
#include "term/FeatureText.h"
#include "term/Quadrature.h"
#include "term/SpecialPoints.h"
#include "term/StripSums.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollBar;
class QTimer;
class QToolButton;
class QVBoxLayout;

namespace kurvio {

class TBitCheckBox;
class TExampleList;
class TPaintBox;
class TSwitch;
class TViewPad;
class ValueTableButton;

// F(x) = the integral of f from x0 to x with its error estimate (term/Quadrature),
// split where f jumps or kinks. It does not exist where f has a pole or is undefined
// strictly between x0 and x, or where the quadrature finds it divergent; a singularity
// at x0 or x itself is left to the quadrature (ln t from 0 exists, 1/t from 0 does not).
Quadrature IntegralWithError(double x0, double x);
// A term of the window (f, or f - g) at t, with x read as t and the settings' a, b, c;
// `term` must outlive the function.
PartialFunction IntegrandOf(const TermHandle& term);
// The value of IntegralWithError; 0 with `undefined` set where it does not exist.
double Integral(double x0, double x, bool& undefined);

class TForm7 : public TAnalysisWindow {
  Q_OBJECT

 public:
  // Its example list in the program folder, and the name of the file its lesson is kept in
  // ("Fenster-<name>.ini"); null where it has none.
  static constexpr const char* kExampleFile = "Bsp2.txt";
  static constexpr const char* kLessonName = "Integralfunktion";

  explicit TForm7(QWidget* parent = nullptr);
  ~TForm7() override;

  TPaintBox* paintBox;
  QLineEdit* termField;     // f(t)
  QLineEdit* commentField;  // comment of an example
  QToolButton* helpButton;
  QLineEdit* xField;  // x, the upper bound
  QScrollBar* xBar;
  QToolButton* resetXButton;
  TSwitch* animationSwitch;
  QToolButton* directionButton;
  QLineEdit* x0Field;  // x0, the lower bound
  QScrollBar* x0Bar;
  QToolButton* resetX0Button;
  QLabel* integralReadout;  // F(x) with " [FE]"
  QListWidget* exampleBox;
  TBitCheckBox* legendBox = nullptr;  // "Term im Bild"
  QToolButton *getExampleButton, *addExampleButton, *removeExampleButton;
  TViewPad* viewPad;
  ValueTableButton* valueTable = nullptr;  // "Wertetabelle"
  // "Fläche": the integral from x0 to x beside the area, and the pieces between the
  // zeros of f, shaded above and below the axis in colours of their own.
  TBitCheckBox* areaBox = nullptr;
  QWidget* areaPanel = nullptr;
  QLabel* signedIntegralReadout = nullptr;  // "Integral: …"
  QLabel* areaReadout = nullptr;            // "Fläche: …"
  QListWidget* piecesList = nullptr;
  bool ShowArea = false;
  // "Fläche zwischen f und g": the pieces cut where the graphs meet, shaded between them.
  QLineEdit* secondTermField = nullptr;  // g(t), empty at first
  TBitCheckBox* betweenBox = nullptr;
  bool ShowBetween = false;
  // "Ober- und Untersumme": n strips from x0 to x under the graph, their sum beside
  // the integral; a switch doubles n from 1 to 1024.
  TBitCheckBox* sumsBox = nullptr;
  QWidget* sumsPanel = nullptr;
  QLineEdit* sumsCountField = nullptr;  // n
  QScrollBar* sumsCountBar = nullptr;
  QComboBox* sumsKindBox = nullptr;  // "Untersumme", "Obersumme", "Trapezsumme", "Mittelsumme"
  TSwitch* sumsSwitch = nullptr;
  QLabel* sumsReadout = nullptr;          // "U(4) = 0,2188"
  QLabel* sumsIntegralReadout = nullptr;  // "Integral: 0,3333"
  bool ShowSums = false;
  static constexpr int kMaxStripCount = 1000;     // on the field and its bar
  static constexpr int kMaxSwitchedCount = 1024;  // the switch's n = 1, 2, 4, … 1024
  int SumsCount = 4;
  // One step of the switch: n doubled, from 1024 back to 1.
  void StepSumsAnimation();

  double AnimationStep = 0.0;

  void darstellen();
  // Both static pictures, then the frame.
  void Redraw();
  void darstellen2();
  void animieren();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  void IntegralKurveZeichnen();
  void IntegralKurve3Zeichnen();
  // F(x) of the frame in its readout.
  void ShowIntegral();
  // F(x) as its readout shows it: only certain digits; empty where it reads "nicht definiert".
  static std::string IntegralText(const Quadrature& integral);
  TwoPlotPicture& Picture() { return *picture_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void onTermFieldLeft();
  void onX0FieldLeft();
  void onXFieldLeft();
  void onXBarChanged();
  void onX0BarChanged();
  void onResetX();
  void onResetX0();
  void onAnimationSwitch();
  void onReverseDirection();

 protected:
  void FormPaint() override;
  void FormClose() override;
  void KeepOwnLesson(LessonValues& own) const override;

 private:
  // The integral from x0 to x of the frame being drawn, for its area, bar and readout.
  Quadrature frameIntegral_;
  // The pieces of [x0; x] between the zeros of f, each with its integral; empty where
  // one of them does not exist.
  struct AreaPiece {
    double from, to;
    Quadrature integral;
  };
  std::vector<AreaPiece> areaPieces_;
  void BuildAreaPanel(QWidget* panel, QVBoxLayout* column);
  // The pieces of the frame, their readouts and list.
  void FindAreaPieces(double x0, double x);
  // The exact texts of the zeros of the area's pieces, for the features they were found for.
  ExactLookup exactZeros_;
  std::string exactKey_;
  void ShadePiece(double from, double to, bool below);
  // The features of a term (f, or f - g) over the view and [lo; hi], kept while the
  // term, its parameters and that range stay. Where more turns lie in the view than
  // the search reports, over [lo; hi] alone; `limit` says so when even that is too many.
  struct FeatureSearch {
    std::string term;
    double a = 0, b = 0, c = 0, from = 0, to = -1;
    bool narrow = false;  // the view had too many: searched over [from; to] alone
    CurveFeatures features;
    std::vector<double> turns;  // for the strips, see TurnsOf
  };
  FeatureSearch curveSearch_, betweenSearch_;  // of f, of f - g
  const FeatureSearch& SearchFeatures(FeatureSearch& search, const std::string& key,
                                      const TermNode* root, double lo, double hi);
  // The strips of the frame and the sum's readouts.
  StripSum sums_;
  void BuildSumsPanel(QWidget* panel, QVBoxLayout* column);
  void FindSums(double x0, double x);
  void DrawStrips();
  void onSumsCountLeft();
  void ShowSumsCount();
  QTimer* sumsTimer_ = nullptr;
  // The upper static picture: axes, f and, with the area, g.
  void DrawUpperStatic();
  void onSecondTermFieldLeft();
  // g from its field, quietly where it is empty, and f - g.
  void CompileSecondTerm();
  void MakeDifference();
  // g, and f - g with t read as t, for the area between the graphs; null without g.
  TermHandle secondTerm_, difference_;
  // Whether the pieces lie between f and g rather than between f and the axis.
  bool Between() const { return ShowBetween && difference_ != nullptr; }
  // The integral of f - g from a to b, or of f where there is no g.
  Quadrature PieceIntegral(double a, double b);
  void BuildLayout();
  // x with its bar, reset and animation; x0 with its bar and reset.
  void BuildBoundRows(QWidget* panel, QVBoxLayout* column);
  void ConnectHandlers();
  void ShowX();
  void ShowX0();
  // A bar's position for a value: round((v - x1)·200 / (x2 - x1)).
  static int BarPosition(double v);
  static void PlaceBarQuietly(QScrollBar* bar, double v);
  void PlotLower();
  // F(x) with the poles of the window's search.
  Quadrature IntegralOfView(double x0, double x);
  // The table's f(x) and F(x), F as its readout shows it.
  std::vector<QString> TableCells(const std::vector<double>& xs);
  // The points of [from, to] where f has a pole or is undefined, kept while the term, its
  // parameters and the range stay.
  const std::vector<double>& Poles(double from, double to);

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
