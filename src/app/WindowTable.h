// SPDX-License-Identifier: GPL-3.0-or-later
// The table of module windows: every window the start window opens by a button
// of its grid, with how it is launched and the files the program keeps for it.
// A new window needs its own files, a row here and its tests (docs/architecture.md).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ModuleLauncher.h"

class QDialog;
class QWidget;

namespace kurvio {

struct ModuleWindow {
  const char* className;     // "TForm12": how outside checks make it; its help is help/<class>.html
  const char* startButton;   // the design name of its button in the start window
  const char* startCaption;  // the button's text
  ModuleLaunch launch;
  QDialog* (*create)(QWidget* owner);
  const char* exampleFile;  // its example list in the program folder; null without one
  const char* lessonName;   // its state file is "Fenster-<name>.ini"; null without one
};

// "TForm12" of "kurvio::TForm12".
inline const char* UnqualifiedName(const char* className) {
  const char* name = className;
  for (const char* c = className; *c; ++c)
    if (*c == ':') name = c + 1;
  return name;
}

// A row for the window class `Window` (which names its kExampleFile and kLessonName).
template <class Window>
ModuleWindow ModuleRow(const char* startButton, const char* startCaption,
                       ModuleLaunch launch = {}) {
  return {UnqualifiedName(Window::staticMetaObject.className()),
          startButton,
          startCaption,
          launch,
          [](QWidget* owner) -> QDialog* { return new Window(owner); },
          Window::kExampleFile,
          Window::kLessonName};
}

// The module windows in the order of the start window's grid, column by column.
std::span<const ModuleWindow> ModuleWindows();

// The launch of the window class `className` ("TForm15") as the start window's table
// gives it; the plain launch for a window the table does not hold (the main window).
ModuleLaunch LaunchOf(std::string_view className);

// The files the program keeps for `windows` beside the settings: their example lists
// (in the program folder) and their state files (in the user's folder).
std::vector<std::string> ExampleFilesOf(std::span<const ModuleWindow> windows);
std::vector<std::string> LessonFilesOf(std::span<const ModuleWindow> windows);

}  // namespace kurvio
