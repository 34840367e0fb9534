// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and closing a window on example files of every size: a window opens
// with its list shown and closes with its list saved, or refuses a file that is
// too large at once. The curve-discussion window stands for all line-form lists.
// Prints the milliseconds from creating the window to its first paint, and
// from closing it to its file being written, as the best of a few rounds.
// Runs on the offscreen platform; usage: example_lists [rounds]
#include <QApplication>
#include <QListWidget>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "module/ExampleList.h"
#include "module/ExampleStore.h"
#include "settings/Settings.h"
#include "windows/curves/CurveDiscussionWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// `size` bytes of lines, each `line` long without its CR LF.
std::string Lines(std::size_t size, std::size_t line) {
  std::string out;
  out.reserve(size);
  const std::string one = std::string(line, 'x') + "\r\n";
  while (out.size() + one.size() <= size) out += one;
  return out;
}

struct Timing {
  double open, close;
};

// One round: the file written, the window opened and painted, the first
// entry deleted (so that closing writes), the window closed.
Timing Round(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
  Timing t{};
  auto start = Clock::now();
  auto* form = new kurvio::TForm3();
  form->resize(1100, 750);
  form->show();
  QApplication::processEvents();
  t.open = Milliseconds(start);
  auto* list = form->findChild<QListWidget*>("ListBox1");
  if (list->count() > 0) {
    list->setCurrentRow(0);
    form->findChild<QAbstractButton*>("SpeedButton5")->click();
  }
  start = Clock::now();
  form->close();
  QApplication::processEvents();
  t.close = Milliseconds(start);
  delete form;
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  char pattern[] = "/tmp/kurvio-bench-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const std::string dir = std::string(pattern) + "/";
  kurvio::ProgramDir = dir;
  kurvio::UserDir = dir + "user/";
  kurvio::DecimalSeparator = ',';
  kurvio::SetDefaultSettings();
  kurvio::ReportExampleListMessage = [](QWidget*, const QString&) {};

  constexpr std::size_t kLimit = kurvio::kMaxExampleFileSize;
  constexpr std::size_t kLine = kurvio::kMaxExampleLineLength;
  const struct {
    const char* name;
    std::string content;
  } files[] = {
      {"empty file", {}},
      {"15 MB, one line", std::string(15 << 20, 'x')},
      {"15 MB, lines of 40", Lines(15 << 20, 40)},
      {"largest accepted, empty lines", std::string(kLimit, '\n')},
      {"largest accepted, lines of 40", Lines(kLimit, 40)},
      {"largest accepted, longest lines", Lines(kLimit, kLine)},
  };
  std::printf("%-34s %9s %9s  (ms, best of %d)\n", "file", "open", "close", rounds);
  for (const auto& f : files) {
    const std::string path = dir + "Bsp1.txt";
    Timing best{1e9, 1e9};
    for (int r = 0; r < rounds; ++r) {
      std::filesystem::remove_all(kurvio::UserDir);
      const Timing t = Round(path, f.content);
      best.open = std::min(best.open, t.open);
      best.close = std::min(best.close, t.close);
    }
    std::printf("%-34s %9.1f %9.1f\n", f.name, best.open, best.close);
    std::fflush(stdout);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
