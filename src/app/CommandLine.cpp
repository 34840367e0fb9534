// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kurvio {
namespace {

// Qt's options with a value of their own (also as -option=value), and without one.
constexpr std::array<std::string_view, 15> kQtWithValue = {"platform",      "platformpluginpath",
                                                           "platformtheme", "plugin",
                                                           "qmljsdebugger", "qwindowgeometry",
                                                           "qwindowicon",   "qwindowtitle",
                                                           "session",       "display",
                                                           "geometry",      "title",
                                                           "name",          "style",
                                                           "stylesheet"};
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "widgetcount", "nograb",
                                                      "dograb",  "sync",        "testability"};

template <std::size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
  CommandLine line;
  bool optionsEnded = false;
  // A lesson replaces everything open, so only one file makes sense: a second
  // one is an error rather than silently dropped.
  auto takeFile = [&line](std::string_view file) {
    if (file.empty()) return;  // a launcher's empty field
    if (line.lessonFile.empty()) {
      line.lessonFile = std::string(file);
    } else if (line.action == CommandLine::kRun) {
      line.action = CommandLine::kSecondFile;
      line.unknown = std::string(file);
    }
  };
  for (int i = 1; i < argc && argv[i]; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      takeFile(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;  // a file whose name begins with '-' follows
      continue;
    }
    // A question is answered whatever else the line holds.
    if (arg == "-h" || arg == "--help" || arg == "-?") return {CommandLine::kHelp, {}, {}};
    if (arg == "-v" || arg == "--version") return {CommandLine::kVersion, {}, {}};
    std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
    const std::size_t equals = name.find('=');
    const bool hasValue = equals != std::string_view::npos;
    name = name.substr(0, equals);
    if (Among(kQtWithValue, name)) {
      if (!hasValue) ++i;  // the value follows
      continue;
    }
    if (Among(kQtFlags, name) && !hasValue) continue;
    if (line.action == CommandLine::kRun || line.action == CommandLine::kSecondFile) {
      line.action = CommandLine::kUnknown;
      line.unknown = std::string(arg);
    }
  }
  return line;
}

std::string HelpText() {
  return "Aufruf: kurvio [Optionen] [DATEI.kurvio]\n"
         "\n"
         "Kurvio " KURVIO_VERSION
         " – Funktionen experimentell, dynamisch und animiert untersuchen.\n"
         "Ohne Optionen öffnet sich das Startfenster, mit einer Datei dazu die\n"
         "gespeicherte Stunde (nur eine Datei auf einmal). Läuft Kurvio schon,\n"
         "öffnet das laufende Programm die Datei und kommt nach vorn.\n"
         "\n"
         "Optionen:\n"
         "  -h, --help       diese Hilfe zeigen und beenden\n"
         "  -v, --version    die Version zeigen und beenden\n"
         "  --               was folgt, ist eine Datei, auch wenn es mit - beginnt\n"
         "\n"
         "Dazu gelten die Optionen von Qt, etwa -platform, -style oder -geometry.\n"
         "Dateien und Umgebung beschreibt die Handbuchseite: man kurvio\n";
}

std::string VersionText() { return "Kurvio " KURVIO_VERSION "\n"; }

std::string UnknownOptionText(const std::string& option) {
  return "kurvio: unbekannte Option „" + option +
         "“\n"
         "Mehr mit „kurvio --help“.\n";
}

std::string SecondFileText(const std::string& file) {
  return "kurvio: nur eine Datei auf einmal, nicht auch „" + file +
         "“\n"
         "Mehr mit „kurvio --help“.\n";
}

}  // namespace kurvio
