#include "settings/WindowState.h"

#include <utility>

#include "settings/IniFile.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

// The file names the window it belongs to, so that a file copied or renamed
// from another window's is not taken for this one's.
constexpr const char* kSection = "Fenster";
constexpr const char* kNameKey = "Name";
constexpr std::size_t kMaxStateSize = 64 * 1024;

std::string FileName(const WindowState& state) { return "Fenster-" + state.name + ".ini"; }

}  // namespace

std::vector<std::string> ViewKeys() {
  return {"Koordinatensystem/x1", "Koordinatensystem/x2", "Koordinatensystem/y1",
          "Koordinatensystem/y2"};
}

WindowState AnalysisLesson(std::string name, std::vector<std::string> keys) {
  for (const char* p : {"Parameter/a", "Parameter/b", "Parameter/c", "Parameter/t"})
    keys.push_back(p);
  for (std::string& view : ViewKeys()) keys.push_back(std::move(view));
  return {std::move(name), std::move(keys)};
}

std::string WindowStatePath(const WindowState& state) {
  if (UserDir.empty()) return {};
  return UserDir + FileName(state);
}

bool RestoreWindowState(const WindowState& state) {
  const std::string path = WindowStatePath(state);
  std::string content;
  if (path.empty() || ReadWholeFile(path, content, kMaxStateSize) != ReadResult::kOk) return false;
  const IniFile ini(content);
  if (ini.ReadString(kSection, kNameKey, "") != state.name) return false;
  ReadSettingKeys(ini, state.keys);
  return true;
}

bool KeepWindowState(const WindowState& state) {
  const std::string path = PathInUserDir(FileName(state));
  if (path.empty()) return false;
  IniFile ini;
  ini.WriteString(kSection, kNameKey, state.name);
  WriteSettingKeys(ini, state.keys);
  return WriteFileAtomically(path, ini.Text());
}

}  // namespace kurvio
