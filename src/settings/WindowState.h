// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson a window was closed with — its terms, parameters and view, and
// what it shows of its own: check boxes, points, fixed objects — kept in a
// file of its own in the user's directory, so that the window reopens as it
// was left, in this run and after a restart. Kurvio.ini stays what the
// settings dialog writes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "settings/LessonFile.h"

namespace kurvio {

struct WindowState {
  std::string name;               // the file's name without ".ini", plain ASCII
  std::vector<std::string> keys;  // the settings it keeps, "Section/key" as in Kurvio.ini
  // The window's own opening values of those settings. They are set before the
  // file is read, so that a key the file lacks opens as it would without a file.
  std::function<void()> opening = {};
};

// What a window keeps of its own beside the settings, in the section
// "Lektion" of its state file. A missing key, or one that does not convert,
// gives the window's own opening value (`fallback`).
class LessonValues {
 public:
  LessonValues() = default;
  explicit LessonValues(const std::string& fileText) : ini_(fileText) {}

  bool Flag(const std::string& key, bool fallback) const;
  // Finite values only.
  double Number(const std::string& key, double fallback) const;
  // A list "v1;v2;…"; it ends before the first entry that is not a finite number.
  std::vector<double> Numbers(const std::string& key) const;
  // A text as it was set (a term's bytes).
  std::string String(const std::string& key, const std::string& fallback) const;

  void SetFlag(const std::string& key, bool value);
  void SetNumber(const std::string& key, double value);
  void SetNumbers(const std::string& key, const std::vector<double>& values);
  void SetString(const std::string& key, const std::string& value);

  // The section as it is written into the state file.
  std::string Text() const { return ini_.Text(); }

 private:
  IniFile ini_;
};

// The view x1..y2, which most windows keep.
std::vector<std::string> ViewKeys();
// An analysis window's lesson: `keys`, the values of the parameters a, b, c
// and t its terms may hold, and the view.
WindowState AnalysisLesson(std::string name, std::vector<std::string> keys,
                           std::function<void()> opening = {});

// The name of the state file of the window named `name`: "Fenster-<name>.ini".
std::string WindowStateFileName(const std::string& name);
// The path of the window's state file; empty without a user directory.
std::string WindowStatePath(const WindowState& state);
// The lesson file open in this session, if any. While one is open, the windows
// take their state from it and keep it there (in memory, until the lesson is
// saved) instead of in their state files.
std::optional<Lesson>& SessionLesson();
// Whether the windows restore and keep their state: "Fenster merken" is on, or
// a lesson file is open.
bool WindowsKeepLessons();

// The text of the window's state file, empty when there is none for it (a
// missing or unreadable file, or one written for another window).
std::string KeptWindowStateText(const WindowState& state);
// Puts the values of the window's state into the settings globals and, when
// asked, the window's own values into `own`: the open lesson's state of the
// window, else (with "Fenster merken") its state file. A missing file, one that
// cannot be read, or one written for another window changes nothing (false);
// a value that does not convert keeps its global.
bool RestoreWindowState(const WindowState& state, LessonValues* own = nullptr);
// Writes the window's keys from the globals and its own values into the open
// lesson, or without one into its state file; false when it cannot be written.
bool KeepWindowState(const WindowState& state, const LessonValues& own = {});

}  // namespace kurvio
