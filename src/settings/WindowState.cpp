// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/WindowState.h"

#include <utility>

#include "settings/IniFile.h"
#include "settings/Preferences.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

// The file names the window it belongs to, so that a file copied or renamed
// from another window's is not taken for this one's.
constexpr const char* kSection = "Fenster";
constexpr const char* kNameKey = "Name";
constexpr const char* kOwnSection = "Lektion";
constexpr std::size_t kMaxStateSize = 64 * 1024;

std::string FileName(const WindowState& state) { return WindowStateFileName(state.name); }

}  // namespace

bool LessonValues::Flag(const std::string& key, bool fallback) const {
  return ini_.ReadBool(kOwnSection, key, fallback);
}

double LessonValues::Number(const std::string& key, double fallback) const {
  return ini_.ReadReal(kOwnSection, key, fallback);
}

std::vector<double> LessonValues::Numbers(const std::string& key) const {
  std::vector<double> values;
  const std::string text = ini_.ReadString(kOwnSection, key, "");
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find(';', from);
    if (end == std::string::npos) end = text.size();
    const std::optional<double> v = ParseReal(text.substr(from, end - from));
    if (!v) break;
    values.push_back(*v);
    from = end + 1;
  }
  return values;
}

std::string LessonValues::String(const std::string& key, const std::string& fallback) const {
  return ini_.ReadString(kOwnSection, key, fallback);
}

void LessonValues::SetString(const std::string& key, const std::string& value) {
  ini_.WriteString(kOwnSection, key, value);
}

void LessonValues::SetFlag(const std::string& key, bool value) {
  ini_.WriteBool(kOwnSection, key, value);
}

void LessonValues::SetNumber(const std::string& key, double value) {
  ini_.WriteReal(kOwnSection, key, value, DecimalSeparator);
}

void LessonValues::SetNumbers(const std::string& key, const std::vector<double>& values) {
  std::string text;
  for (double v : values) {
    if (!text.empty()) text += ';';
    text += FormatReal(v, DecimalSeparator);
  }
  ini_.WriteString(kOwnSection, key, text);
}

std::string WindowStateFileName(const std::string& name) { return "Fenster-" + name + ".ini"; }

std::vector<std::string> ViewKeys() {
  return {"Koordinatensystem/x1", "Koordinatensystem/x2", "Koordinatensystem/y1",
          "Koordinatensystem/y2"};
}

WindowState AnalysisLesson(std::string name, std::vector<std::string> keys,
                           std::function<void()> opening) {
  for (const char* p : {"Parameter/a", "Parameter/b", "Parameter/c", "Parameter/t"})
    keys.push_back(p);
  for (std::string& view : ViewKeys()) keys.push_back(std::move(view));
  return {std::move(name), std::move(keys), std::move(opening)};
}

std::string WindowStatePath(const WindowState& state) {
  if (UserDir.empty()) return {};
  return UserDir + FileName(state);
}

std::optional<Lesson>& SessionLesson() {
  static std::optional<Lesson> lesson;
  return lesson;
}

bool WindowsKeepLessons() { return RememberLessons || SessionLesson().has_value(); }

std::string KeptWindowStateText(const WindowState& state) {
  const std::string path = WindowStatePath(state);
  std::string content;
  if (path.empty() || ReadWholeFile(path, content, kMaxStateSize) != ReadResult::kOk) return {};
  if (IniFile(content).ReadString(kSection, kNameKey, "") != state.name) return {};
  return content;
}

bool RestoreWindowState(const WindowState& state, LessonValues* own) {
  std::string content;
  const std::optional<Lesson>& lesson = SessionLesson();
  if (lesson && lesson->states.count(state.name)) {
    content = lesson->states.at(state.name);
  } else if (RememberLessons || !lesson) {
    // A window the open lesson has not met opens as it would without the lesson.
    content = KeptWindowStateText(state);
  }
  const IniFile ini(content);
  if (ini.ReadString(kSection, kNameKey, "") != state.name) return false;
  ReadSettingKeys(ini, state.keys);
  if (own) *own = LessonValues(content);
  return true;
}

bool KeepWindowState(const WindowState& state, const LessonValues& own) {
  IniFile ini;
  ini.WriteString(kSection, kNameKey, state.name);
  WriteSettingKeys(ini, state.keys);
  std::string text = ini.Text();
  if (!text.empty() && text.back() != '\n') text += '\n';
  if (std::optional<Lesson>& lesson = SessionLesson()) {
    lesson->states[state.name] = text + own.Text();
    return true;
  }
  const std::string path = PathInUserDir(FileName(state));
  if (path.empty()) return false;
  return WriteFileAtomically(path, text + own.Text());
}

}  // namespace kurvio
