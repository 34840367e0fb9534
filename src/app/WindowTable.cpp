// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowTable.h"

#include "settings/WindowState.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"
#include "windows/trig/UnitCircleWindow.h"

namespace kurvio {

std::span<const ModuleWindow> ModuleWindows() {
  static const ModuleWindow kWindows[] = {
      // x is a point of a number line while the covariation window is open.
      ModuleRow<TForm12>("SpeedButton3", "Zuordnung - Kovariation", {.numberLineMode = true}),
      ModuleRow<TForm11>("SpeedButton2", "Grenzwert - Stetigkeit"),
      // n is the index of the sequence while the window is open.
      ModuleRow<TForm15>("SpeedButton5", "Folgen - Grenzwert", {.termSequenceMode = true}),
      // Bisection keeps the settings of the session, as they stand.
      ModuleRow<TForm13>("SpeedButton4", "Bisektion     f(x) = 0", {.loadSettings = false}),
      ModuleRow<TForm8>("SpeedButton9", "Tangentenproblem"),
      ModuleRow<TForm3>("SpeedButton6", "f  f'  f''   Kurvendiskussion"),
      ModuleRow<TForm7>("SpeedButton7", "f   F     Integralfunktion"),
      ModuleRow<TForm5>("SpeedButton8", "sin cos     tan cot"),
  };
  return kWindows;
}

ModuleLaunch LaunchOf(std::string_view className) {
  for (const ModuleWindow& window : ModuleWindows())
    if (className == window.className) return window.launch;
  return {};
}

std::vector<std::string> ExampleFilesOf(std::span<const ModuleWindow> windows) {
  std::vector<std::string> files;
  for (const ModuleWindow& w : windows)
    if (w.exampleFile) files.emplace_back(w.exampleFile);
  return files;
}

std::vector<std::string> LessonFilesOf(std::span<const ModuleWindow> windows) {
  std::vector<std::string> files;
  for (const ModuleWindow& w : windows)
    if (w.lessonName) files.push_back(WindowStateFileName(w.lessonName));
  return files;
}

}  // namespace kurvio
