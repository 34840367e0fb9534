// The command line before any window: the questions it answers, Qt's own
// options left to Qt, and an unknown option named.
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
  } rows[] = {
      {{}, CommandLine::kRun, ""},
      {{"-platform", "xcb", "-style=fusion", "--reverse", "Datei"}, CommandLine::kRun, ""},
      {{"--help"}, CommandLine::kHelp, ""},
      {{"-geometry", "--version"}, CommandLine::kRun, ""},  // the value of -geometry
      {{"-style", "fusion", "-v"}, CommandLine::kVersion, ""},
      {{"--zoom", "--help"}, CommandLine::kHelp, ""},
      {{"--zoom", "-x"}, CommandLine::kUnknown, "--zoom"},
      {{"--reverse=1"}, CommandLine::kUnknown, "--reverse=1"},
      {{"--", "--zoom"}, CommandLine::kRun, ""},
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
  }
  EXPECT_EQ(UnknownOptionText("--zoom"),
            "kurvio: unbekannte Option „--zoom“\nMehr mit „kurvio --help“.\n");
}

}  // namespace
}  // namespace kurvio
