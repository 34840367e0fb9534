// The lesson a window was closed with — its terms, parameters and view — kept
// in a file of its own in the user's directory, so that the window reopens as
// it was left, in this run and after a restart. Kurvio.ini stays what the
// settings dialog writes.
#pragma once

#include <string>
#include <vector>

namespace kurvio {

struct WindowState {
  std::string name;               // the file's name without ".ini", plain ASCII
  std::vector<std::string> keys;  // the settings it keeps, "Section/key" as in Kurvio.ini
};

// The view x1..y2, which most windows keep.
std::vector<std::string> ViewKeys();
// An analysis window's lesson: `keys`, the values of the parameters a, b, c
// and t its terms may hold, and the view.
WindowState AnalysisLesson(std::string name, std::vector<std::string> keys);

// The path of the window's state file; empty without a user directory.
std::string WindowStatePath(const WindowState& state);
// Puts the values of the window's state file into the settings globals. A
// missing file, one that cannot be read, or one written for another window
// changes nothing (false); a value that does not convert keeps its global.
bool RestoreWindowState(const WindowState& state);
// Writes the window's keys from the globals; false when it cannot be written.
bool KeepWindowState(const WindowState& state);

}  // namespace kurvio
