// Drawing time off screen: the main window's live picture with derivative,
// tangent and slope triangle, its fixed layer with 200 curves, and a frame of
// the tangent window with 20 fixed secants and every display switch on, and a
// frame of the curve discussion with f', f'', the trace and the triangle, and
// the integral window's frame and its static pictures with the graph of F.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabBar>
#include <memory>

#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"

namespace {

std::unique_ptr<kurvio::TForm1> MakeWindow() {
  using namespace kurvio;
  ProgramDir = "/nonexistent/";  // defaults, no file
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermFxtab = "x^3-3x";
  auto form = std::make_unique<TForm1>();
  form->resize(1600 + 350, 1000 + 40);
  form->show();
  QApplication::processEvents();
  form->PaintBox1->setFixedSize(1600, 1000);
  QApplication::processEvents();
  form->ShowTriangle = form->ShowTangent = true;
  ShowDerivative = true;
  PointX0 = 0.5;
  form->darstellen2();
  return form;
}

void BM_darstellen(benchmark::State& state) {
  auto form = MakeWindow();
  for (auto _ : state) form->darstellen();
  state.counters["width"] = kurvio::PlotWidth;
  state.counters["height"] = kurvio::PlotHeight;
}
BENCHMARK(BM_darstellen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_darstellen2_200_fixed(benchmark::State& state) {
  auto form = MakeWindow();
  // state.range(0): the slope triangle and tangent stay on (1) or are off (0).
  form->ShowTriangle = form->ShowTangent = state.range(0) != 0;
  for (int i = 0; i < 200; ++i) {
    kurvio::ParamA = -4 + 8.0 * i / 200;
    form->FixedCurves.InsertFront({kurvio::ParamA, 0, 0, 0, 0, 1});
  }
  kurvio::ParamA = 1;
  for (auto _ : state) form->darstellen2();
}
BENCHMARK(BM_darstellen2_200_fixed)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_tangent_animieren_20_fixed(benchmark::State& state) {
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermFx = "x^3-3x";
  xP = 1;
  xQ = 2.5;
  auto form = std::make_unique<TForm8>();
  form->resize(1600 + 400, 1000 + 40);
  form->show();
  QApplication::processEvents();
  form->PaintBox1->setFixedSize(1600, 1000);
  QApplication::processEvents();
  for (TBitCheckBox* box : {form->BitCheckBox1, form->BitCheckBox2, form->BitCheckBox3,
                            form->BitCheckBox4, form->BitCheckBox5})
    box->SetChecked(true);
  form->DisplayCheckBoxClick();
  for (int i = 0; i < 20; ++i)
    form->FixedSecants.InsertFront({-3.0 + 0.3 * i, RGB(10 * i, 0, 128)});
  for (auto _ : state) form->animieren();
  state.counters["width"] = PlotWidth;
  state.counters["height"] = PlotHeight;
}
BENCHMARK(BM_tangent_animieren_20_fixed)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_discussion_animieren(benchmark::State& state) {
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermFx = "x^3-3x";
  PointX0 = -1.5;
  auto form = std::make_unique<TForm3>();
  form->resize(1600 + 400, 2 * 1000 + 40);
  form->show();
  QApplication::processEvents();
  form->PaintBox1->setFixedSize(1600, 2 * 1000);
  QApplication::processEvents();
  for (TBitCheckBox* box : {form->BitCheckBox1, form->BitCheckBox2, form->BitCheckBox4})
    box->SetChecked(true);
  form->DisplayCheckBoxClick();
  form->BitCheckBox3->SetChecked(true);
  form->BitCheckBox3Click();
  PointX0 = 1.5;  // the trace covers -1,5 .. 1,5
  for (auto _ : state) form->animieren();
  state.counters["width"] = PlotWidth;
  state.counters["height"] = PlotHeight;
}
BENCHMARK(BM_discussion_animieren)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

std::unique_ptr<kurvio::TForm7> MakeIntegralWindow() {
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermFt = "sin(t)+1";
  PointX0 = 2;
  auto form = std::make_unique<TForm7>();
  form->resize(1600 + 400, 2 * 1000 + 40);
  form->show();
  QApplication::processEvents();
  form->PaintBox1->setFixedSize(1600, 2 * 1000);
  QApplication::processEvents();
  IntegralX0 = -2;
  form->darstellen();
  return form;
}

void BM_integral_animieren(benchmark::State& state) {
  auto form = MakeIntegralWindow();
  for (auto _ : state) form->animieren();
  state.counters["width"] = kurvio::PlotWidth;
  state.counters["height"] = kurvio::PlotHeight;
}
BENCHMARK(BM_integral_animieren)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The graph of F: 17 evaluations of f per column.
void BM_integral_darstellen(benchmark::State& state) {
  auto form = MakeIntegralWindow();
  for (auto _ : state) form->darstellen();
}
BENCHMARK(BM_integral_darstellen)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
