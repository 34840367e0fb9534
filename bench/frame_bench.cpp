// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing time off screen: the main window's live picture with derivative,
// tangent and slope triangle, its fixed layer with 200 curves, and a frame of
// the tangent window with 20 fixed secants and every display switch on, and a
// frame of the curve discussion with f', f'', the trace and the triangle, and
// the integral window's frame and its static pictures with the graph of F;
// the limits window with a jump and its labels, the bisection window after ten
// steps with guide lines and labels, the sequences window with its n0 search (and the search itself
// beside the plain rule), the covariation window with ten fixed arrows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QRadioButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "term/Term.h"
#include "term/TermBatch.h"
#include "widgets/TBitCheckBox.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequenceLimit.h"
#include "windows/limits/SequencesWindow.h"
#include "windows/trig/UnitCircleWindow.h"

namespace {

// Each frame is measured on a screen of 1600 × 1000 as it is, and (argument 1)
// on a 3840 × 2160 projector screen in presentation mode. A window with two
// plots above each other gets twice the height at 1600, the screen's at 3840.
int gWidth = 1600, gHeight = 1000, gTwoPlotHeight = 2000;

void UseScreen(const benchmark::State& state, int argument = 0) {
  const bool projector = state.range(argument) == 1;
  kurvio::PresentationMode = projector;
  gWidth = projector ? 3840 : 1600;
  gHeight = projector ? 2160 : 1000;
  gTwoPlotHeight = projector ? 2160 : 2000;
}

std::unique_ptr<kurvio::TForm1> MakeWindow() {
  using namespace kurvio;
  ProgramDir = "/nonexistent/";  // defaults, no file
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermFxtab = "x^3-3x";
  auto form = std::make_unique<TForm1>();
  form->resize(gWidth + 350, gHeight + 40);
  form->show();
  QApplication::processEvents();
  form->paintBox->setFixedSize(gWidth, gHeight);
  QApplication::processEvents();
  form->ShowTriangle = form->ShowTangent = true;
  ShowDerivative = true;
  PointX0 = 0.5;
  form->darstellen2();
  return form;
}

void BM_darstellen(benchmark::State& state) {
  UseScreen(state);
  auto form = MakeWindow();
  for (auto _ : state) form->darstellen();
  state.counters["width"] = form->ShownFrame().width;
  state.counters["height"] = form->ShownFrame().height;
}
BENCHMARK(BM_darstellen)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_darstellen2_200_fixed(benchmark::State& state) {
  UseScreen(state);
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
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_tangent_animieren_20_fixed(benchmark::State& state) {
  UseScreen(state);
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermFx = "x^3-3x";
  xP = 1;
  xQ = 2.5;
  auto form = std::make_unique<TForm8>();
  form->resize(gWidth + 400, gHeight + 40);
  form->show();
  QApplication::processEvents();
  form->paintBox->setFixedSize(gWidth, gHeight);
  QApplication::processEvents();
  for (const char* box :
       {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4", "BitCheckBox5"})
    form->findChild<TBitCheckBox*>(box)->SetChecked(true);
  form->onDisplayBoxClicked();
  for (int i = 0; i < 20; ++i)
    form->FixedSecants.InsertFront({-3.0 + 0.3 * i, RGB(10 * i, 0, 128)});
  for (auto _ : state) form->animieren();
  state.counters["width"] = form->ShownFrame().width;
  state.counters["height"] = form->ShownFrame().height;
}
BENCHMARK(BM_tangent_animieren_20_fixed)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_discussion_animieren(benchmark::State& state) {
  UseScreen(state);
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermFx = "x^3-3x";
  PointX0 = -1.5;
  auto form = std::make_unique<TForm3>();
  form->resize(gWidth + 400, gTwoPlotHeight + 40);
  form->show();
  QApplication::processEvents();
  form->paintBox->setFixedSize(gWidth, gTwoPlotHeight);
  QApplication::processEvents();
  for (const char* box : {"BitCheckBox1", "BitCheckBox2", "BitCheckBox4"})
    form->findChild<TBitCheckBox*>(box)->SetChecked(true);
  form->onDisplayBoxClicked();
  form->findChild<TBitCheckBox*>("BitCheckBox3")->SetChecked(true);
  form->onTraceBoxClicked();
  PointX0 = 1.5;  // the trace covers -1,5 .. 1,5
  for (auto _ : state) form->animieren();
  state.counters["width"] = form->ShownFrame().width;
  state.counters["height"] = form->ShownFrame().height;
}
BENCHMARK(BM_discussion_animieren)
    ->Arg(0)
    ->Arg(1)
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
  form->resize(gWidth + 400, gTwoPlotHeight + 40);
  form->show();
  QApplication::processEvents();
  form->paintBox->setFixedSize(gWidth, gTwoPlotHeight);
  QApplication::processEvents();
  IntegralX0 = -2;
  form->darstellen();
  return form;
}

void BM_integral_animieren(benchmark::State& state) {
  UseScreen(state);
  auto form = MakeIntegralWindow();
  for (auto _ : state) form->animieren();
  state.counters["width"] = form->ShownFrame().width;
  state.counters["height"] = form->ShownFrame().height;
}
BENCHMARK(BM_integral_animieren)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// A thousand strips of the upper sum under sin t + 1 from -2 while x sweeps the view:
// each frame finds the sum anew (its turns are kept while the term and view stay).
// "worst_ms" is the slowest single frame.
void BM_integral_strips(benchmark::State& state) {
  UseScreen(state);
  auto form = MakeIntegralWindow();
  form->sumsBox->SetChecked(true);
  form->ShowSums = true;
  form->sumsCountField->setText(QStringLiteral("1000"));
  form->sumsKindBox->setCurrentIndex(1);
  form->SumsCount = 1000;
  double worst = 0;
  int frame = 0;
  for (auto _ : state) {
    kurvio::PointX0 = -1 + 0.01 * (frame++ % 800);
    const auto start = std::chrono::steady_clock::now();
    form->animieren();
    worst = std::max(worst, std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - start)
                                .count());
  }
  state.counters["worst_ms"] = worst;
  if (!form->sumsReadout->text().startsWith(QStringLiteral("O(1000) = ")))
    state.SkipWithError("no sum drawn");
}
BENCHMARK(BM_integral_strips)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The graph of F: a 15-point Gauss–Kronrod step per column, from the column before.
void BM_integral_darstellen(benchmark::State& state) {
  UseScreen(state);
  auto form = MakeIntegralWindow();
  for (auto _ : state) form->darstellen();
}
BENCHMARK(BM_integral_darstellen)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_limits_animieren(benchmark::State& state) {
  UseScreen(state);
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermStetigkeitF1 = "x";
  TermStetigkeitF2 = "x+2";
  xP = 1;
  auto form = std::make_unique<TForm11>();
  form->resize(gWidth + 400, gHeight + 40);
  form->show();
  QApplication::processEvents();
  form->paintBox->setFixedSize(gWidth, gHeight);
  QApplication::processEvents();
  form->labelsBox->SetChecked(true);
  form->onLabelsBoxClicked();
  form->eps = 0.5;
  form->delta = 1;  // 200 columns a side: 400 samples each
  for (auto _ : state) form->animieren();
  state.counters["width"] = form->ShownFrame().width;
  state.counters["height"] = form->ShownFrame().height;
}
BENCHMARK(BM_limits_animieren)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_bisection_animieren(benchmark::State& state) {
  UseScreen(state);
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermBisektion = "x^3-x-1";
  auto form = std::make_unique<TForm13>();
  form->resize(gWidth + 400, gHeight + 60);
  form->show();
  QApplication::processEvents();
  form->paintBox->setFixedSize(gWidth, gHeight);
  QApplication::processEvents();
  form->guideLinesBox->SetChecked(true);
  form->labelsBox->SetChecked(true);
  form->a0 = form->a = 0;
  form->b0 = form->b = 2;
  for (int i = 0; i < 10; ++i) form->onRepeatClicked();
  for (auto _ : state) form->animieren();
  state.counters["steps"] = form->steps;
}
BENCHMARK(BM_bisection_animieren)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The sequences window with "Grenzwert bestimmen" and "n0 bestimmen" on.
std::unique_ptr<kurvio::TForm15> MakeSequencesWindow(const char* term, double eps) {
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermSequenceMode = true;
  TermFolgen = term;
  auto form = std::make_unique<TForm15>();
  form->resize(gWidth + 400, gHeight + 40);
  form->show();
  QApplication::processEvents();
  form->paintBox->setFixedSize(gWidth, gHeight);
  QApplication::processEvents();
  for (TBitCheckBox* box : {form->connectPointsBox, form->findN0Box, form->markLimitBox})
    box->SetChecked(true);
  form->onDisplayBoxClicked();
  form->determineLimitBox->SetChecked(true);
  form->onDetermineLimitClicked();
  // A sequence that never settles is searched with its own estimate as g.
  form->LimitFound = true;
  form->eps = eps;
  return form;
}

// state.range(0): 0 '1/n' with eps 0,001 (n0 = 1001); 1 'sin(n)', which never settles.
void BM_sequences_animieren(benchmark::State& state) {
  UseScreen(state, 1);
  auto form =
      state.range(0) == 0 ? MakeSequencesWindow("1/n", 0.001) : MakeSequencesWindow("sin(n)", 0.5);
  for (auto _ : state) form->animieren();
  state.counters["n0"] = form->n0;
  kurvio::TermSequenceMode = false;
}
BENCHMARK(BM_sequences_animieren)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The n0 search alone, each term once (range(0) = 0), in batches (2) or 51 terms per candidate (1),
// for 'sin(n)' (range(1) = 0) and for a term that leaves the strip at every 50th n,
// the plain rule's worst case (1). Neither finds an n0.
void BM_n0_search(benchmark::State& state) {
  using namespace kurvio;
  TermSequenceMode = true;
  TermHandle term;
  CompileTerm(term, state.range(1) == 0 ? "sin(n)" : "int(n/50)-int((n-1)/50)", true);
  const double eps = 0.5;
  const SequenceTerm a = [&](double n, bool& defined) {
    const double v = EvalTerm(term, 0, 0, 0, 0, 0, n);
    defined = TermDefined;
    return v;
  };
  const auto plain = [&] {
    for (int n = 1; n <= kN0Last; ++n) {
      bool all = true;
      for (int k = n; k < n + kN0Window && all; ++k) {
        bool defined = false;
        const double v = a(k, defined);
        all = defined && std::fabs(v) < eps;
      }
      if (all) return n;
    }
    return 0;
  };
  const SequenceBatch batch = [&](const double* n, std::size_t count, double* values,
                                  bool* defined) {
    EvalTermBatch(term, BatchInput::N, {}, n, count, values, defined);
  };
  int n0 = -1;
  for (auto _ : state) {
    switch (state.range(0)) {
      case 0:
        n0 = Berechne_n0(a, 0, eps);
        break;
      case 1:
        n0 = plain();
        break;
      default:
        n0 = Berechne_n0(batch, 0, eps);
    }
    benchmark::DoNotOptimize(n0);
  }
  state.counters["n0"] = n0;
  TermSequenceMode = false;
}
BENCHMARK(BM_n0_search)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_covariation_animieren(benchmark::State& state) {
  UseScreen(state);
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  TermKovariation = "0,5x^2-2";
  NumberLineMode = true;
  auto form = std::make_unique<TForm12>();
  form->resize(gWidth + 550, gHeight + 40);
  form->show();
  QApplication::processEvents();
  form->paintBox->setFixedSize(gWidth, gHeight);
  QApplication::processEvents();
  for (TBitCheckBox* box : {form->graphBox, form->arrowBox, form->cartesianBox})
    box->SetChecked(true);
  form->onDisplayBoxClicked();
  for (int i = 0; i < 10; ++i) form->FixedArrows.InsertFront({-5.0 + i});
  xP = 2.5;
  for (auto _ : state) form->animieren();
  state.counters["width"] = form->ShownFrame().width;
  state.counters["height"] = form->ShownFrame().height;
  NumberLineMode = false;
}
BENCHMARK(BM_covariation_animieren)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The unit circle in tangent mode with the cotangent, in degrees, at 40°, 1600 wide.
void BM_unitcircle_darstellen(benchmark::State& state) {
  UseScreen(state);
  using namespace kurvio;
  ProgramDir = "/nonexistent/";
  UserDir = "/nonexistent/";
  SetDefaultSettings();
  auto form = std::make_unique<TForm5>();
  form->resize(gWidth + 400, gHeight + 200);
  form->show();
  QApplication::processEvents();
  // The window's layout sizes the paint box: widen or narrow the window until it is 1600 wide.
  for (int i = 0; i < 3 && form->paintBox->width() != gWidth; ++i) {
    form->resize(form->width() + gWidth - form->paintBox->width(), gHeight + 300);
    QApplication::processEvents();
  }
  form->tangentModeButton->setChecked(true);
  form->onModeClicked();
  form->findChild<TBitCheckBox*>("BitCheckBox3")->SetChecked(true);
  form->findChild<TBitCheckBox*>("BitCheckBox2")->SetChecked(false);
  form->onDisplayBoxClicked();
  form->alpha = 40 * 3.141592653589793 / 180;
  for (auto _ : state) form->darstellen();
  state.counters["width"] = form->ShownFrame().width;
  state.counters["height"] = form->ShownFrame().height;
}
BENCHMARK(BM_unitcircle_darstellen)
    ->Arg(0)
    ->Arg(1)
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
