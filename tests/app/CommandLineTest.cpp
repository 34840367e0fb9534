// SPDX-License-Identifier: GPL-3.0-or-later
// The command line before any window: the questions it answers, Qt's own
// options left to Qt, the lesson file, and an unknown option or a second file named.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace kurvio {
namespace {

TEST(CommandLine, AnswersItsQuestionsAndLeavesQtItsOptions) {
  const struct {
    std::vector<const char*> args;
    CommandLine::Action action;
    const char* unknown;
    const char* lessonFile;
  } rows[] = {
      {{}, CommandLine::kRun, "", ""},
      {{"-platform", "xcb", "-style=fusion", "--reverse", "S 1.kurvio"},
       CommandLine::kRun,
       "",
       "S 1.kurvio"},
      {{"--help", "a", "b"}, CommandLine::kHelp, "", ""},
      {{"-geometry", "--version"}, CommandLine::kRun, "", ""},  // the value of -geometry
      {{"-style", "fusion", "-v"}, CommandLine::kVersion, "", ""},
      {{"--zoom", "--help"}, CommandLine::kHelp, "", ""},
      {{"--zoom", "-x"}, CommandLine::kUnknown, "--zoom", ""},
      {{"--reverse=1"}, CommandLine::kUnknown, "--reverse=1", ""},
      {{"", "-", "--", "--zoom"}, CommandLine::kSecondFile, "--zoom", "-"},
      {{"a.kurvio", "b.kurvio", "c.kurvio", "--zoom"}, CommandLine::kUnknown, "--zoom", "a.kurvio"},
  };
  for (const auto& row : rows) {
    std::vector<const char*> argv{"kurvio"};
    argv.insert(argv.end(), row.args.begin(), row.args.end());
    std::string words;
    for (const char* arg : argv) words += std::string(arg) + ' ';
    SCOPED_TRACE(words);
    const CommandLine line = ReadCommandLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(line.action, row.action);
    EXPECT_EQ(line.unknown, row.unknown);
    EXPECT_EQ(line.lessonFile, row.lessonFile);
  }
  EXPECT_EQ(UnknownOptionText("--zoom"),
            "kurvio: unbekannte Option „--zoom“\nMehr mit „kurvio --help“.\n");
  EXPECT_EQ(
      SecondFileText("b.kurvio"),
      "kurvio: nur eine Datei auf einmal, nicht auch „b.kurvio“\nMehr mit „kurvio --help“.\n");
}

}  // namespace
}  // namespace kurvio
