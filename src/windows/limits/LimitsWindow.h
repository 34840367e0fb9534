// SPDX-License-Identifier: GPL-3.0-or-later
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

class TForm11 : public TAnalysisWindow {
  Q_OBJECT

 public:
  // Its example list in the program folder, and the name of the file its lesson is kept in
  // ("Fenster-<name>.ini"); null where it has none.
  static constexpr const char* kExampleFile = "Bsp4.txt";
  static constexpr const char* kLessonName = "Grenzwert";

  explicit TForm11(QWidget* parent = nullptr);
  ~TForm11() override;

  TPaintBox* paintBox;
  QLineEdit* f1Field;  // for x up to xo
  QLineEdit* f2Field;  // for x beyond xo
  QToolButton* helpButton;
  QLineEdit* xoField;
  QScrollBar* xoBar;
  QToolButton* xoResetButton;
  QLineEdit* epsilonField;
  QScrollBar* epsilonBar;
  QToolButton* epsilonResetButton;
  QLineEdit* deltaField;
  QScrollBar* deltaBar;
  QToolButton* deltaResetButton;
  TColorButton* stripColourButton;
  TColorButton* neighbourhoodColourButton;
  TColorButton* imageColourButton;
  TBitCheckBox* labelsBox;
  TBitCheckBox* legendBox = nullptr;  // "Term im Bild"
  QListWidget* exampleListBox;
  QToolButton *getExampleButton, *addExampleButton, *removeExampleButton;
  TViewPad* viewPad;
  ButtonColumn buttons;  // "Einstellungen", the exports and "&Beenden"

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
  void onF1FieldLeft();
  void onF2FieldLeft();
  void onLabelsBoxClicked();

 protected:
  void FormPaint() override;
  void FormClose() override;
  void KeepOwnLesson(LessonValues& own) const override;

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
};

}  // namespace kurvio
