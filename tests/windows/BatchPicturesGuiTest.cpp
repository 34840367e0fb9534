// Every window draws the same picture, call for call, whether its terms are
// evaluated in batches or point by point.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>
#include <QTabBar>
#include <functional>
#include <memory>

#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "term/Term.h"
#include "term/TermBatch.h"
#include "widgets/TBitCheckBox.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"
#include "windows/trig/UnitCircleWindow.h"

namespace kurvio {
namespace {

template <typename Form>
std::unique_ptr<Form> Open(int width, int height) {
  auto form = std::make_unique<Form>();
  form->resize(width, height);
  form->show();
  QApplication::processEvents();
  return form;
}

void Check(std::initializer_list<TBitCheckBox*> boxes) {
  for (TBitCheckBox* box : boxes) box->SetChecked(true);
}
void CheckNamed(const QWidget& form, std::initializer_list<const char*> boxes) {
  for (const char* box : boxes) form.findChild<TBitCheckBox*>(box)->SetChecked(true);
}

// A window opened and set up as a pupil would, and how its picture is drawn.
struct PictureCase {
  const char* name;
  std::function<std::shared_ptr<QWidget>(std::function<void()>& draw)> open;
};
// Test names and messages name the window.
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

std::shared_ptr<QWidget> MainWindow(std::function<void()>& draw, int tab) {
  TermFxtab = "x^3/(x^2-1)+t";
  TermAfxuv = "sqrt(4-x^2)";
  ParamT = 0.5;
  std::shared_ptr<TForm1> form = Open<TForm1>(1200, 800);
  form->familyTabs->setCurrentIndex(tab);
  form->ShowTriangle = form->ShowTangent = ShowDerivative = true;
  PointX0 = ParamB = 0.5;
  ParamA = 1.5;
  ParamC = 1;
  for (int i = 0; i < 12; ++i) form->FixedCurves.InsertFront({-3 + 0.5 * i, 0.25 * i, -1, 1, 0, 2});
  draw = [form = form.get()] {
    form->darstellen2();
    form->darstellen();
  };
  return form;
}

const PictureCase kCases[] = {
    {"MainWindowTermWithT", [](auto& draw) { return MainWindow(draw, 4); }},
    {"MainWindowShiftedFunction", [](auto& draw) { return MainWindow(draw, 3); }},
    {"Tangent",
     [](auto& draw) {
       TermFx = "x^3-3x";
       xP = 1, xQ = 2.5;
       std::shared_ptr<TForm8> form = Open<TForm8>(1200, 800);
       CheckNamed(*form,
                  {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4", "BitCheckBox5"});
       form->onDisplayBoxClicked();
       for (int i = 0; i < 5; ++i)
         form->FixedSecants.InsertFront({-3.0 + 0.9 * i, RGB(40 * i, 0, 0)});
       draw = [form = form.get()] { form->animieren(); };
       return form;
     }},
    {"CurveDiscussion",
     [](auto& draw) {
       TermFx = "ln(x^2-1)+1/x";
       PointX0 = 1.5;
       std::shared_ptr<TForm3> form = Open<TForm3>(1200, 900);
       CheckNamed(*form, {"BitCheckBox1", "BitCheckBox2", "BitCheckBox4"});
       form->onDisplayBoxClicked();
       draw = [form = form.get()] { form->Redraw(); };
       return form;
     }},
    {"Integral",
     [](auto& draw) {
       TermFt = "1/sqrt(t+3)+sin(t)";
       PointX0 = 2;
       std::shared_ptr<TForm7> form = Open<TForm7>(1200, 900);
       IntegralX0 = -1;
       draw = [form = form.get()] { form->Redraw(); };
       return form;
     }},
    {"Limits",
     [](auto& draw) {
       TermStetigkeitF1 = "x^2";
       TermStetigkeitF2 = "1/(x-1)";
       xP = 1;
       std::shared_ptr<TForm11> form = Open<TForm11>(1200, 800);
       form->labelsBox->SetChecked(true);
       form->onLabelsBoxClicked();
       form->eps = 0.5, form->delta = 0.7;
       draw = [form = form.get()] { form->animieren(); };
       return form;
     }},
    {"Covariation",
     [](auto& draw) {
       TermKovariation = "0,5x^2-2";
       std::shared_ptr<TForm12> form = Open<TForm12>(1300, 800);
       Check({form->graphBox, form->arrowBox, form->cartesianBox});
       form->onDisplayBoxClicked();
       for (int i = 0; i < 4; ++i) form->FixedArrows.InsertFront({-3.0 + 2 * i});
       xP = 2.5;
       draw = [form = form.get()] { form->animieren(); };
       return form;
     }},
    {"Bisection",
     [](auto& draw) {
       TermBisektion = "x^3-x-1";
       std::shared_ptr<TForm13> form = Open<TForm13>(1200, 800);
       Check({form->guideLinesBox, form->labelsBox});
       form->a0 = form->a = 0;
       form->b0 = form->b = 2;
       for (int i = 0; i < 4; ++i) form->onRepeatClicked();
       draw = [form = form.get()] { form->animieren(); };
       return form;
     }},
    {"SequencesWithN0",
     [](auto& draw) {
       TermSequenceMode = true;
       TermFolgen = "(-1)^n/n+2";
       std::shared_ptr<TForm15> form = Open<TForm15>(1200, 800);
       Check({form->connectPointsBox, form->findN0Box, form->markLimitBox});
       form->onDisplayBoxClicked();
       form->determineLimitBox->SetChecked(true);
       form->onDetermineLimitClicked();
       form->LimitFound = true, form->eps = 0.01;
       draw = [form = form.get()] {
         form->animieren();
         EXPECT_EQ(form->n0, 100);  // a(99) lies 1/99 from 2, outside the strip
       };
       return form;
     }},
    {"UnitCircle",
     [](auto& draw) {
       std::shared_ptr<TForm5> form = Open<TForm5>(1200, 900);
       form->tangentModeButton->setChecked(true);
       form->onModeClicked();
       CheckNamed(*form, {"BitCheckBox3"});
       form->onDisplayBoxClicked();
       form->alpha = 0.7;
       draw = [form = form.get()] { form->darstellen(); };
       return form;
     }},
};

struct Picture {
  std::vector<std::string> calls;
  std::vector<std::pair<Color, int>> pens;
  std::size_t lines = 0;
};

// Each recording starts from the same plot size: an export may set its own.
Picture Record(const std::function<void()>& draw) {
  const int width = PlotWidth, height = PlotHeight, top = PlotTop;
  testing::RecordingCanvas canvas;
  DrawCanvas = &canvas;
  ExportDrawing = true;
  draw();
  ExportDrawing = false;
  DrawCanvas = nullptr;
  PlotWidth = width, PlotHeight = height, PlotTop = top;
  Picture p{canvas.calls, {}, canvas.DrawnSegments().size()};
  for (const testing::Segment& s : canvas.segments) p.pens.emplace_back(s.color, s.width);
  return p;
}

class BatchPicturesTest : public ::testing::TestWithParam<PictureCase> {
 protected:
  void SetUp() override {
    ProgramDir = UserDir = dir.Dir();
    DecimalSeparator = ',';
    SetDefaultSettings();
  }
  void TearDown() override {
    TermBatchPointByPoint = ExportDrawing = TermSequenceMode = false;
    DrawCanvas = nullptr;
    MainTerm.reset();
  }
  TempDir dir;
};

TEST_P(BatchPicturesTest, SameCallsAsPointByPoint) {
  std::function<void()> draw;
  const std::shared_ptr<QWidget> form = GetParam().open(draw);
  TermBatchPointByPoint = true;
  const Picture reference = Record(draw);
  TermBatchPointByPoint = false;
  const Picture batch = Record(draw);
  EXPECT_GT(reference.lines, 20u) << "nothing drawn";
  EXPECT_EQ(batch.calls, reference.calls);
  EXPECT_EQ(batch.pens, reference.pens);
  form->close();
}

INSTANTIATE_TEST_SUITE_P(Windows, BatchPicturesTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kurvio
