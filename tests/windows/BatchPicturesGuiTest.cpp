// Every window draws the same picture, call for call, whether its terms are
// evaluated in batches or point by point.
#include <QRadioButton>
#include <QTabBar>
#include <functional>

#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "term/TermBatch.h"
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

// Opens a window with these check boxes ticked.
template <typename Form>
std::shared_ptr<Form> Open(int width, int height, std::initializer_list<const char*> boxes = {}) {
  auto form = std::make_shared<Form>();
  form->resize(width, height);
  form->show();
  QApplication::processEvents();
  for (const char* box : boxes) form->template findChild<TBitCheckBox*>(box)->SetChecked(true);
  return form;
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
  auto form = Open<TForm1>(1200, 800);
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
       auto form = Open<TForm8>(
           1200, 800,
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
       auto form = Open<TForm3>(1200, 900, {"BitCheckBox1", "BitCheckBox2", "BitCheckBox4"});
       form->onDisplayBoxClicked();
       draw = [form = form.get()] { form->Redraw(); };
       return form;
     }},
    {"Integral",
     [](auto& draw) {
       TermFt = "1/sqrt(t+3)+sin(t)";
       PointX0 = 2;
       auto form = Open<TForm7>(1200, 900);
       IntegralX0 = -1;
       draw = [form = form.get()] { form->Redraw(); };
       return form;
     }},
    {"Limits",
     [](auto& draw) {
       TermStetigkeitF1 = "x^2";
       TermStetigkeitF2 = "1/(x-1)";
       xP = 1;
       auto form = Open<TForm11>(1200, 800);
       form->labelsBox->SetChecked(true);
       form->onLabelsBoxClicked();
       form->eps = 0.5, form->delta = 0.7;
       draw = [form = form.get()] { form->animieren(); };
       return form;
     }},
    {"Covariation",
     [](auto& draw) {
       TermKovariation = "0,5x^2-2";
       auto form = Open<TForm12>(1300, 800);
       for (TBitCheckBox* box : {form->graphBox, form->arrowBox, form->cartesianBox})
         box->SetChecked(true);
       form->onDisplayBoxClicked();
       for (int i = 0; i < 4; ++i) form->FixedArrows.InsertFront({-3.0 + 2 * i});
       xP = 2.5;
       draw = [form = form.get()] { form->animieren(); };
       return form;
     }},
    {"Bisection",
     [](auto& draw) {
       TermBisektion = "x^3-x-1";
       auto form = Open<TForm13>(1200, 800);
       form->guideLinesBox->SetChecked(true);
       form->labelsBox->SetChecked(true);
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
       auto form = Open<TForm15>(1200, 800);
       for (TBitCheckBox* box : {form->connectPointsBox, form->findN0Box, form->markLimitBox})
         box->SetChecked(true);
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
       auto form = Open<TForm5>(1200, 900, {"BitCheckBox3"});
       form->tangentModeButton->setChecked(true);
       form->onModeClicked();
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
  void SetUp() override { UseDefaultSettingsIn(dir); }
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
