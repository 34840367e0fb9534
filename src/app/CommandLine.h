// SPDX-License-Identifier: GPL-3.0-or-later
// What the program is asked on its command line before any window opens:
// --help and --version answer and end, an unknown option or a second file is an
// error (status 2), Qt's own options (-platform, -style …) are left to Qt, and
// a word that is no option names the lesson file to open.
#pragma once

#include <string>

namespace kurvio {

struct CommandLine {
  enum Action { kRun, kHelp, kVersion, kUnknown, kSecondFile } action = kRun;
  std::string unknown;     // the option not understood, or the second file
  std::string lessonFile;  // as given; empty without one
};

CommandLine ReadCommandLine(int argc, const char* const* argv);

// German texts, each ending with a newline.
std::string HelpText();
std::string VersionText();
std::string UnknownOptionText(const std::string& option);
std::string SecondFileText(const std::string& file);

}  // namespace kurvio
