// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Preferences.h"

#include <string>

#include "settings/IniFile.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"

namespace kurvio {

bool PresentationMode = false;
bool RememberLessons = false;
bool ShowDerivativeTerms = false;
bool EqualUnits = false;
bool ValuesInPicture = false;
int ChosenLineWidth = 0;

namespace {

constexpr const char* kSection = "Ansicht";
constexpr int kLargestLineWidth = 20;
// Far more than the file ever holds; a bigger file is not ours.
constexpr std::size_t kMaxPreferencesSize = 64 * 1024;

bool UsableWidth(int width) { return width >= 1 && width <= kLargestLineWidth; }

// Presentation mode as the school's settings files set it, for a user who has not chosen.
bool SchoolPresentationMode() {
  bool on = false;
  std::string content;
  for (const std::string& file : SchoolSettingsFiles())
    if (ReadWholeFile(file, content) == ReadResult::kOk)
      on = IniFile(content).ReadBool(kSection, "Praesentation", on);
  return on;
}

}  // namespace

void LoadPreferences() {
  std::string content;
  if (UserDir.empty() || ReadWholeFile(UserDir + kPreferencesFileName, content,
                                       kMaxPreferencesSize) != ReadResult::kOk)
    content.clear();
  const IniFile ini(content);
  PresentationMode = ini.ReadBool(kSection, "Praesentation", SchoolPresentationMode());
  RememberLessons = ini.ReadBool(kSection, "Fenster merken", false);
  ShowDerivativeTerms = ini.ReadBool(kSection, "Ableitungsterme", false);
  EqualUnits = ini.ReadBool(kSection, "Gleiche Einheiten", false);
  ValuesInPicture = ini.ReadBool(kSection, "Werte im Bild", false);
  ChosenLineWidth = ini.ReadInteger(kSection, "Linienbreite", 0);
  if (!UsableWidth(ChosenLineWidth)) ChosenLineWidth = 0;
}

bool SavePreferences() {
  const std::string path = PathInUserDir(kPreferencesFileName);
  if (path.empty()) return false;
  IniFile ini;
  ini.WriteBool(kSection, "Praesentation", PresentationMode);
  ini.WriteBool(kSection, "Fenster merken", RememberLessons);
  ini.WriteBool(kSection, "Ableitungsterme", ShowDerivativeTerms);
  ini.WriteBool(kSection, "Gleiche Einheiten", EqualUnits);
  ini.WriteBool(kSection, "Werte im Bild", ValuesInPicture);
  ini.WriteInteger(kSection, "Linienbreite", ChosenLineWidth);
  return WriteFileAtomically(path, ini.Text());
}

int StartLineWidth() { return UsableWidth(ChosenLineWidth) ? ChosenLineWidth : 1; }

void ChooseLineWidth(int width) {
  if (!UsableWidth(width) || width == ChosenLineWidth) return;
  ChosenLineWidth = width;
  SavePreferences();
}

}  // namespace kurvio
