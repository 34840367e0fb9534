// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the program saving one example list at the same moment.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "module/ExampleFiles.h"
#include "module/ExampleStore.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace kurvio {
namespace {

// Each copy opens the list, adds an entry and saves, round after round, with
// nothing between the two copies but the lock on the directory.
TEST(ExampleStoreTest, CopiesSavingAtOnceLoseNoEntry) {
  TempDir dir;
  ProgramDir = dir.Dir();
  UserDir.clear();
  constexpr int kCopies = 2, kRounds = 20;
  std::vector<pid_t> children;
  for (int copy = 0; copy < kCopies; ++copy) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid > 0) {
      children.push_back(pid);
      continue;
    }
    int failures = 0;
    for (int round = 0; round < kRounds; ++round) {
      ExampleStore store("Bsp1.txt");
      store.Open();
      const std::vector<std::string> base = ParseExampleLines(store.Text());
      std::vector<std::string> mine = base;
      mine.push_back("x^" + std::to_string(round) + ";  Kopie " + std::to_string(copy));
      const ExampleStore::Saved saved =
          store.Save([&](const std::string* now) -> std::optional<std::string> {
            return WriteExampleLines(now ? MergeExampleLines(base, mine, ParseExampleLines(*now))
                                         : mine);
          });
      if (saved.outcome != ExampleStore::Saved::kWritten) ++failures;
    }
    ::_exit(failures);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  std::vector<std::string> lines = ParseExampleLines(ReadBytes(dir.File("Bsp1.txt")));
  std::sort(lines.begin(), lines.end());
  std::vector<std::string> expected;
  for (int copy = 0; copy < kCopies; ++copy)
    for (int round = 0; round < kRounds; ++round)
      expected.push_back("x^" + std::to_string(round) + ";  Kopie " + std::to_string(copy));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
  ProgramDir.clear();
}

// A line as long as a list may hold reads; one byte more refuses the file,
// however short its other lines, and keeps it.
TEST(ExampleStoreTest, ALineTooLongRefusesTheFile) {
  TempDir dir;
  ProgramDir = dir.Dir();
  UserDir.clear();
  const std::string longest(kMaxExampleLineLength, 'x');
  for (const auto& [text, readable] : {std::pair{"a\r\n" + longest + "\r\nb\n", true},
                                       std::pair{"a\n" + longest + "x\n", false}}) {
    WriteBytes(dir.File("Bsp1.txt"), text);
    ExampleStore store("Bsp1.txt");
    EXPECT_EQ(store.Open() == ReadResult::kOk, readable);
    EXPECT_EQ(store.ReadError(), readable ? 0 : E2BIG);
  }
  // A save then goes to the user's folder and names the list it stands in for, whether the list
  // turned unreadable after it was opened or was so when opened, before another copy's save.
  TempDir user;
  UserDir = user.Dir();
  ExampleStore first("Bsp1.txt"), second("Bsp1.txt");
  WriteBytes(dir.File("Bsp1.txt"), "a\n");
  first.Open();
  WriteBytes(dir.File("Bsp1.txt"), "a\n" + longest + "x\n");
  second.Open();
  const auto list = [](const std::string*) { return std::optional<std::string>("x^2\r\n"); };
  EXPECT_EQ(first.Save(list).unreadable, dir.File("Bsp1.txt"));
  EXPECT_EQ(second.Save(list).unreadable, dir.File("Bsp1.txt"));
  ProgramDir.clear();
  UserDir.clear();
}

}  // namespace
}  // namespace kurvio
