// SPDX-License-Identifier: GPL-3.0-or-later
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
class QVBoxLayout;

namespace kurvio {

class TBitCheckBox;
class TColorButton;
class TExampleList;
class TNumberScroll;
class TPaintBox;
class TViewPad;

class TForm15 : public TAnalysisWindow {
  Q_OBJECT

 public:
  // Its example list in the program folder, and the name of the file its lesson is kept in
  // ("Fenster-<name>.ini"); null where it has none.
  static constexpr const char* kExampleFile = "Bsp8.txt";
  static constexpr const char* kLessonName = "Folgen";

  explicit TForm15(QWidget* parent = nullptr);
  ~TForm15() override;

  TPaintBox* paintBox;
  QLineEdit* termField;  // a(n)
  QToolButton* helpButton;
  TBitCheckBox* determineLimitBox;
  QLineEdit* limitField;
  QLineEdit* epsilonField;
  QToolButton* epsilonResetButton;
  QScrollBar* epsilonBar;
  QLineEdit* maxEpsilonField;
  TColorButton *stripColourButton, *pointColourButton;
  TBitCheckBox *connectPointsBox, *numberLineBox;
  QWidget* n0Panel;
  QLabel* n0Label;
  TBitCheckBox *findN0Box, *markLimitBox;
  TBitCheckBox* legendBox = nullptr;  // "Term im Bild"
  QListWidget* exampleListBox;
  QToolButton *getExampleButton, *addExampleButton, *removeExampleButton;
  TViewPad* viewPad;
  ButtonColumn buttons;  // "Einstellungen", the exports and "&Beenden"

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
  void onTermFieldLeft();
  void onLimitFieldLeft();
  void onMaxEpsilonFieldLeft();
  void onEpsilonResetClicked();
  void onViewResetClicked();
  void onDetermineLimitClicked();
  void onDisplayBoxClicked();
  void onSaveFileClicked();

 protected:
  void FormPaint() override;
  void FormClose() override;
  void KeepOwnLesson(LessonValues& own) const override;

 private:
  void BuildLayout();
  void BuildLimitRows(QWidget* panel, QVBoxLayout* column);
  void BuildN0Panel(QWidget* panel, QVBoxLayout* column);
  void ConnectHandlers();
  ExportTarget Picture();
  // limitField: g, or "?" while the limit is to be determined and none was found.
  void ShowLimit();

  QImage bitmap_;
  TNumberScroll* epsScroll_ = nullptr;
  TExampleList* examples_ = nullptr;
  Color pointColor_ = kBlack;
};

}  // namespace kurvio
