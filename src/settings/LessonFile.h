// SPDX-License-Identifier: GPL-3.0-or-later
// A lesson as a file of its own ("*.kurvio"), to prepare at home, give in
// school and pass on to colleagues: the state of every window that took part
// (as its state file holds it), the window open when it was saved, and
// presentation mode and equal units. UTF-8 text in the INI style of the
// settings; docs/lesson-files.md describes the format.
//
// Every later version reads a file of version 1. The version goes up only for a
// change that an older program would read wrongly; new keys and sections do not
// raise it, and a file saved again keeps the keys and sections it does not know.
#pragma once

#include <map>
#include <span>
#include <string>
#include <vector>

namespace kurvio {

inline constexpr int kLessonVersion = 1;
inline constexpr const char* kLessonExtension = ".kurvio";

// A window a lesson may hold: its class ("TForm3") and the name of its state
// (WindowState::name; empty for a window that keeps nothing but being open).
struct LessonWindow {
  std::string className;
  std::string stateName;
};

struct Lesson {
  // The windows that took part, by class, in the order they were first used.
  std::vector<std::string> windows;
  // The window that was open when the lesson was saved; empty for the start window.
  std::string openWindow;
  bool presentation = false;
  bool equalUnits = false;
  // Opened for pupils: changes stay in the session, and saving asks for a new name.
  bool readOnly = false;
  // Each window's state by its state name, as the text of its state file.
  std::map<std::string, std::string> states;
  // The file as it was read, so that what this version does not know is kept.
  std::string fileText;

  // Adds `className` to the windows unless it is there already.
  void Use(const std::string& className);
};

enum class LessonProblem {
  kNone,
  kBroken,     // no lesson file at all: not text, no "[Kurvio-Stunde]", no version
  kNewer,      // written by a later version in a form this one cannot read
  kNoWindow,   // no window that this version knows
};

struct LessonRead {
  Lesson lesson;
  LessonProblem problem = LessonProblem::kNone;
  int version = 0;  // as the file gives it
};

// Reads a lesson file's bytes. `known` are the windows of this version; names
// it does not know are kept in the file but not opened.
LessonRead ReadLesson(const std::string& bytes, std::span<const LessonWindow> known);
// The file's text: the lesson's own keys and every window's state written over
// the file it was read from, in UTF-8.
std::string LessonFileText(const Lesson& lesson, std::span<const LessonWindow> known);

// Why a file could not be opened as a lesson, in German.
std::string LessonProblemText(const LessonRead& read);

}  // namespace kurvio
