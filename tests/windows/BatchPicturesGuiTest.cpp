// Every window draws the same picture, call for call, whether its terms are
// evaluated in batches or point by point.
#include <QTabBar>
#include <functional>

#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "term/TermBatch.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/SequencesWindow.h"

namespace kurvio {
namespace {

using Draw = std::function<void()>;

// Opens a window with these check boxes ticked; `draw` draws its picture.
template <typename Form, typename DrawForm>
std::shared_ptr<QWidget> Open(Draw& draw, int height, std::initializer_list<const char*> boxes,
                              DrawForm drawForm) {
  auto form = std::make_shared<Form>();
  form->resize(1200, height);
  form->show();
  QApplication::processEvents();
  for (const char* box : boxes) form->template findChild<TBitCheckBox*>(box)->SetChecked(true);
  if constexpr (requires { form->onDisplayBoxClicked(); }) form->onDisplayBoxClicked();
  draw = [f = form.get(), drawForm] { drawForm(*f); };
  return form;
}

std::shared_ptr<QWidget> MainWindow(Draw& draw, int tab) {
  TermFxtab = "x^3/(x^2-1)+t";
  ParamT = PointX0 = ParamB = 0.5;
  ParamA = 1.5;
  auto form = Open<TForm1>(draw, 800, {}, [](TForm1& f) {
    f.darstellen2();
    f.darstellen();
  });
  auto* f = static_cast<TForm1*>(form.get());
  f->familyTabs->setCurrentIndex(tab);
  f->ShowTriangle = f->ShowTangent = ShowDerivative = true;
  for (int i = 0; i < 12; ++i) f->FixedCurves.InsertFront({-3 + 0.5 * i, 0.25 * i, -1, 1, 0, 2});
  return form;
}

// A window set up as a pupil would; test names name the window.
struct PictureCase {
  const char* name;
  std::shared_ptr<QWidget> (*open)(Draw& draw);
};
void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

const PictureCase kCases[] = {
    {"MainWindowTermWithT", [](Draw& draw) { return MainWindow(draw, 4); }},
    {"Tangent",
     [](Draw& draw) {
       TermFx = "x^3-3x";
       xP = 1, xQ = 2.5;
       return Open<TForm8>(draw, 800, {"BitCheckBox1", "BitCheckBox3", "BitCheckBox5"},
                           [](TForm8& f) { f.animieren(); });
     }},
    {"CurveDiscussion",
     [](Draw& draw) {
       TermFx = "ln(x^2-1)+1/x";
       PointX0 = 1.5;
       return Open<TForm3>(draw, 900, {"BitCheckBox1", "BitCheckBox2", "BitCheckBox4"},
                           [](TForm3& f) { f.Redraw(); });
     }},
    {"Integral",
     [](Draw& draw) {
       TermFt = "1/sqrt(t+3)+sin(t)";
       PointX0 = 2;
       IntegralX0 = -1;
       return Open<TForm7>(draw, 900, {}, [](TForm7& f) { f.Redraw(); });
     }},
    {"Sequences",
     [](Draw& draw) {
       TermSequenceMode = true;
       TermFolgen = "(-1)^n/n+2";
       return Open<TForm15>(draw, 800, {"BitCheckBox2"}, [](TForm15& f) { f.animieren(); });
     }},
};

// Each recording starts from the same plot size: an export may set its own.
std::pair<std::vector<std::string>, std::vector<std::pair<Color, int>>> Record(const Draw& draw) {
  const int width = PlotWidth, height = PlotHeight, top = PlotTop;
  testing::RecordingCanvas canvas;
  DrawCanvas = &canvas;
  ExportDrawing = true;
  draw();
  ExportDrawing = false;
  DrawCanvas = nullptr;
  PlotWidth = width, PlotHeight = height, PlotTop = top;
  std::vector<std::pair<Color, int>> pens;
  for (const testing::Segment& s : canvas.segments) pens.emplace_back(s.color, s.width);
  return {canvas.calls, pens};
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
  const auto reference = Record(draw);
  TermBatchPointByPoint = false;
  const auto batch = Record(draw);
  EXPECT_GT(reference.second.size(), 20u) << "nothing drawn";
  EXPECT_EQ(batch, reference);
  form->close();
}

INSTANTIATE_TEST_SUITE_P(Windows, BatchPicturesTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kurvio
