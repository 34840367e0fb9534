// What the program is asked on its command line before any window opens:
// --help and --version answer and end, an unknown option is an error (status
// 2), and Qt's own options (-platform, -style …) are left to Qt.
#pragma once

#include <string>

namespace kurvio {

struct CommandLine {
  enum Action { kRun, kHelp, kVersion, kUnknown } action = kRun;
  std::string unknown;  // the option not understood
};

CommandLine ReadCommandLine(int argc, const char* const* argv);

// German texts, each ending with a newline.
std::string HelpText();
std::string VersionText();
std::string UnknownOptionText(const std::string& option);

}  // namespace kurvio
