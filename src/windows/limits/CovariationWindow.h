// SPDX-License-Identifier: GPL-3.0-or-later
// The window "Zuordnung (Kovariation)": x and f(x) as points on two number
// lines (rails) joined by an arrow, and above them the same pair in a
// Cartesian coordinate system. x moves by dragging, its bar, typing or an
// animation; arrows can be fixed; in the guessing game the term is hidden.
#pragma once

#include <QImage>
#include <array>
#include <vector>

#include "module/AnalysisWindow.h"
#include "settings/Color.h"
#include "settings/RecordList.h"
#include "term/Term.h"
#include "windows/limits/FunctionList.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QSlider;
class QToolButton;
class QVBoxLayout;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TExampleList;
class TNumberScroll;
class TPaintBox;
class TSwitch;

struct FixedArrow {
  double x = 0;
};

class TForm12 : public TAnalysisWindow {
  Q_OBJECT

 public:
  // Its example list in the program folder, and the name of the file its lesson is kept in
  // ("Fenster-<name>.ini"); null where it has none.
  static constexpr const char* kExampleFile = "Bsp5.txt";
  static constexpr const char* kLessonName = "Kovariation";

  explicit TForm12(QWidget* parent = nullptr);
  ~TForm12() override;

  TPaintBox* paintBox;
  QWidget* examplePanel;  // the term with the example list
  QLineEdit* termField;   // f(x)
  QToolButton* helpButton;
  QListWidget* exampleListBox;
  QToolButton *getExampleButton, *addExampleButton, *removeExampleButton;
  QWidget* familyPanel;  // the guessing game
  // The family buttons in the order of the function list's sections.
  std::array<QPushButton*, kFunctionFamilyCount> familyButtons{};
  QLineEdit* familyField;  // the family's name, or the term when the solution is shown
  QPushButton* showSolutionButton;
  QLineEdit* guessField;  // "Dein Term:", the pupil's guess
  QLabel* guessVerdict;   // what the check of the guess says
  QLineEdit* xField;      // x0
  QScrollBar* xBar;
  QToolButton* xResetButton;
  TSwitch* animationSwitch;
  QToolButton* directionButton;
  QSlider* speedBar;  // speed divisor
  TBitCheckBox *graphBox, *arrowBox, *cartesianBox, *guessBox;
  TBitCheckBox* legendBox = nullptr;  // "Term im Bild"
  QPushButton *fixArrowButton, *deleteArrowButton, *clearArrowsButton;
  QGroupBox* xRailPanel;
  QToolButton *xRailHalveButton, *xRailDoubleButton, *xRailResetButton;
  TColorButton* xRailColourButton;
  QLabel* xReadout;
  QGroupBox* fRailPanel;
  QToolButton *fRailHalveButton, *fRailDoubleButton, *fRailResetButton;
  TColorButton* fRailColourButton;
  QLabel* fReadout;
  ButtonColumn buttons;  // "Einstellungen", the exports and "&Beenden"

  // The rails: x from xa to xb, f(x) from ya to yb.
  double xa = 0, xb = 0, ya = 0, yb = 0;
  double AnimationStep = 0;
  bool ShowGraph = false, ShowArrow = false, ShowCartesian = false;
  RecordList<FixedArrow> FixedArrows;  // newest first
  FunctionLists Functions;

  void animieren();
  void KurveZeichnen(double scaleFrom, double scaleTo, double from, double to);
  // The rails' check and reset: the view rule of the limit windows on xa, xb, ya, yb.
  void WertePruefen() override;
  void InitWerte() override;
  // The mouse: the Cartesian part reads and zooms both rails, each rail its own;
  // Ctrl+0 resets both rails.
  std::optional<PlotSpot> SpotAt(int column, int row) const override;
  void ZoomAt(const PlotSpot& spot, double factor) override;
  void ResetView() override;
  QImage& Bitmap() { return bitmap_; }
  TExampleList& ExampleList() { return *examples_; }

 public slots:
  void onTermFieldLeft();
  void onAnimationSwitchClicked();
  void onDirectionButtonClicked();
  void onDisplayBoxClicked();
  void onGuessBoxClicked();
  void onFamilyClicked(int family);
  void onShowSolutionClicked();
  // The guess checked against the hidden function on the x rail's range.
  void onGuessFieldLeft();
  void onFixArrowClicked();
  void onDeleteArrowClicked();
  void onClearArrowsClicked();
  // The rails: halve, double, reset; `fRail` picks the f(x) rail.
  void RailZoom(bool fRail, bool halve);
  void RailReset(bool fRail);

 protected:
  void FormPaint() override;
  void FormClose() override;
  void KeepLesson() override;
  // The settings dialog can save the settings: during a game they hold the term from
  // before it, never the hidden one.
  void OpenSettings() override;
  void KeepOwnLesson(LessonValues& own) const override;
  void showEvent(QShowEvent* event) override;

 private:
  // The boxes, the f(x) rail, the fixed arrows and the guessing game the window was
  // closed with; a game goes on with a new hidden function of the same family.
  void RestoreOwnLesson();
  void BuildLayout();
  QGroupBox* MakeRailPanel(QWidget* parent, const QString& title, QToolButton*& halve,
                           QToolButton*& twice, QToolButton*& reset, TColorButton*& colour,
                           QLabel*& readout, const std::array<const char*, 5>& names);
  void BuildTermPanels(QWidget* panel, QVBoxLayout* column);
  void BuildXRows(QWidget* panel, QVBoxLayout* column);
  void ConnectHandlers();
  void BarFollowsRail();
  // After a rail's zoom: its check, the animation's step, the bar and the picture.
  void RailsZoomed();
  void PlaceRailPanels();
  void UpdateDeleteButtons();
  void ClearGuess();
  void ShowReadouts();
  void DrawCartesianArrow(double x);
  void DrawRailArrow(double x);
  double MouseX(int column) const;

  QImage bitmap_;
  TermHandle guess_;  // the guess checked last, drawn beside the hidden graph
  // The guessing game: the family picked last (-1 for none) and the term the
  // field held before the game, which the state file keeps instead of the hidden one.
  int family_ = -1;
  std::string termBeforeGame_;
  QWidget* side_ = nullptr;
  TNumberScroll* xScroll_ = nullptr;
  TExampleList* examples_ = nullptr;
  Color xRailColor_ = 255;
  Color fRailColor_ = 16711680;
};

}  // namespace kurvio
