// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/LessonFile.h"

#include <algorithm>

#include "settings/IniFile.h"
#include "settings/TextEncoding.h"

namespace kurvio {
namespace {

constexpr const char* kSection = "Kurvio-Stunde";
constexpr const char* kVersionKey = "Version";
constexpr const char* kWindowsKey = "Fenster";
constexpr const char* kOpenKey = "Offen";
constexpr const char* kPresentationKey = "Praesentation";
constexpr const char* kEqualUnitsKey = "GleicheEinheiten";
constexpr const char* kReadOnlyKey = "Schreibgeschuetzt";
// In a state file, the section that names the window; the lesson file names it instead
// by the prefix of the window's sections: "[TForm3.Koordinatensystem]".
constexpr const char* kStateNameSection = "Fenster";
constexpr const char* kStateNameKey = "Name";

bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
  });
}

const LessonWindow* Find(std::span<const LessonWindow> known, const std::string& className) {
  for (const LessonWindow& w : known)
    if (SameName(w.className, className)) return &w;
  return nullptr;
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  std::size_t from = 0;
  while (from <= text.size()) {
    std::size_t end = text.find(';', from);
    if (end == std::string::npos) end = text.size();
    std::string item = text.substr(from, end - from);
    item.erase(0, item.find_first_not_of(" \t"));
    item.erase(item.find_last_not_of(" \t") + 1);
    if (!item.empty()) items.push_back(std::move(item));
    from = end + 1;
  }
  return items;
}


}  // namespace

void Lesson::Use(const std::string& className) {
  if (std::find(windows.begin(), windows.end(), className) == windows.end())
    windows.push_back(className);
}

LessonRead ReadLesson(const std::string& bytes, std::span<const LessonWindow> known) {
  LessonRead read;
  if (bytes.find('\0') != std::string::npos) {
    read.problem = LessonProblem::kBroken;
    return read;
  }
  const IniFile ini(bytes);
  read.version = ini.ReadInteger(kSection, kVersionKey, 0);
  if (read.version < 1) {
    read.problem = LessonProblem::kBroken;
    return read;
  }
  if (read.version > kLessonVersion) {
    read.problem = LessonProblem::kNewer;
    return read;
  }
  Lesson& lesson = read.lesson;
  lesson.fileText = bytes;
  lesson.windows = SplitList(ini.ReadString(kSection, kWindowsKey, ""));
  for (std::string& name : lesson.windows)
    if (const LessonWindow* w = Find(known, name)) name = w->className;
  if (std::none_of(lesson.windows.begin(), lesson.windows.end(),
                   [&](const std::string& w) { return Find(known, w) != nullptr; })) {
    read.problem = LessonProblem::kNoWindow;
    return read;
  }
  if (const LessonWindow* open = Find(known, ini.ReadString(kSection, kOpenKey, "")))
    lesson.openWindow = open->className;
  lesson.presentation = ini.ReadBool(kSection, kPresentationKey, false);
  lesson.equalUnits = ini.ReadBool(kSection, kEqualUnitsKey, false);
  lesson.readOnly = ini.ReadBool(kSection, kReadOnlyKey, false);

  // Every window of the lesson gets a state, empty when the file holds none, so
  // that it opens with its own values rather than those of an earlier session.
  std::map<std::string, IniFile> states;
  for (const std::string& name : lesson.windows)
    if (const LessonWindow* w = Find(known, name); w && !w->stateName.empty())
      states[w->className].WriteString(kStateNameSection, kStateNameKey, w->stateName);
  for (const IniFile::Entry& e : ini.Entries()) {
    const std::size_t dot = e.section.find('.');
    if (dot == std::string::npos) continue;
    const LessonWindow* w = Find(known, e.section.substr(0, dot));
    if (!w || !states.count(w->className)) continue;
    const std::string section = e.section.substr(dot + 1);
    if (SameName(section, kStateNameSection)) continue;
    states[w->className].WriteString(section, e.key, EightBitText(e.value));
  }
  for (const auto& [className, state] : states)
    lesson.states[Find(known, className)->stateName] = state.Text();
  return read;
}

std::string LessonFileText(const Lesson& lesson, std::span<const LessonWindow> known) {
  // A new file takes the line ends of the system; one read keeps its own.
  IniFile ini(lesson.fileText.empty() ? std::string("[") + kSection + "]\n" : lesson.fileText);
  ini.WriteInteger(kSection, kVersionKey, kLessonVersion);
  std::string list;
  for (const std::string& w : lesson.windows) list += (list.empty() ? "" : ";") + w;
  ini.WriteString(kSection, kWindowsKey, list);
  ini.WriteString(kSection, kOpenKey, lesson.openWindow);
  ini.WriteBool(kSection, kPresentationKey, lesson.presentation);
  ini.WriteBool(kSection, kEqualUnitsKey, lesson.equalUnits);
  ini.WriteBool(kSection, kReadOnlyKey, lesson.readOnly);
  for (const std::string& name : lesson.windows) {
    const LessonWindow* w = Find(known, name);
    if (!w || w->stateName.empty()) continue;
    const auto state = lesson.states.find(w->stateName);
    if (state == lesson.states.end()) continue;
    for (const IniFile::Entry& e : IniFile(state->second).Entries())
      if (!SameName(e.section, kStateNameSection))
        ini.WriteString(w->className + "." + e.section, e.key, Utf8OfEightBit(EightBitText(e.value)));
  }
  std::string text = ini.Text();
  if (!text.empty() && text.back() != '\n') text += '\n';
  return text;
}

std::string LessonProblemText(const LessonRead& read) {
  switch (read.problem) {
    case LessonProblem::kBroken:
      return "Die Datei ist keine Kurvio-Stunde (der Abschnitt „[Kurvio-Stunde]“ mit "
             "„Version=1“ fehlt oder die Datei ist beschädigt).";
    case LessonProblem::kNewer:
      return "Die Stunde wurde mit einer neueren Kurvio-Version gespeichert (Format " +
             std::to_string(read.version) + "); diese Version kann sie nicht lesen.";
    case LessonProblem::kNoWindow:
      return "Die Stunde nennt kein Fenster, das Kurvio kennt.";
    case LessonProblem::kNone:
      break;
  }
  return {};
}

}  // namespace kurvio
