// SPDX-License-Identifier: GPL-3.0-or-later
// Where files are read and written, and that no failed write costs the old file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iterator>

#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace kurvio {
namespace {

class ProgramFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = program.Dir();
    UserDir = user.Dir() + "config/kurvio/";
  }
  void TearDown() override {
    RenameFile = &std::rename;
    ProgramDirShared = false;
    ProgramDir.clear();
    UserDir.clear();
  }
  long Files() const {
    return std::distance(std::filesystem::directory_iterator(program.Dir()), {});
  }
  TempDir program, user;
};

// A program directory that does not exist, or is a file, stands for one the
// program may not write to (permission bits do not stop root).
TEST_F(ProgramFilesTest, UnwritableProgramDirMovesWritesToTheUserDir) {
  WriteBytes(program.File("plain"), "x");
  for (const std::string& dir : {program.File("missing/"), program.File("plain/")}) {
    ProgramDir = dir;
    EXPECT_FALSE(DirectoryWritable(ProgramDir)) << dir;
    EXPECT_EQ(PathForReading("Bsp1.txt"), dir + "Bsp1.txt") << "nothing in UserDir yet";
    EXPECT_EQ(PathForWriting("Bsp1.txt"), UserDir + "Bsp1.txt");
    ASSERT_TRUE(WriteFileAtomically(PathForWriting("Bsp1.txt"), "mine"));  // makes UserDir
    EXPECT_EQ(PathForReading("Bsp1.txt"), UserDir + "Bsp1.txt");
    std::filesystem::remove(UserDir + "Bsp1.txt");
  }
  UserDir.clear();
  EXPECT_EQ(PathForWriting("Bsp1.txt"), "");
  EXPECT_FALSE(WriteFileAtomically(PathForWriting("Bsp1.txt"), "x"));
}

// An installed copy: bin/kurvio beside share/kurvio. The build tree, where the
// data path leads nowhere or back to the executable, stays as it is.
TEST_F(ProgramFilesTest, InstalledLayoutMakesTheDataFolderTheSharedProgramDir) {
  const std::string bin = program.File("prefix/bin/");
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(program.File("prefix/share/kurvio"));
  WriteBytes(program.File("prefix/share/notadir"), "x");
  const ProgramLocation installed = LocateProgramDir(bin, "../share/kurvio");
  EXPECT_EQ(installed.dir, program.File("prefix/share/kurvio/"));
  EXPECT_TRUE(installed.shared);

  for (const char* dataPath : {"../share/missing", "../share/notadir", "../bin", ""}) {
    const ProgramLocation own = LocateProgramDir(bin, dataPath);
    EXPECT_EQ(own.dir, bin) << dataPath;
    EXPECT_FALSE(own.shared) << dataPath;
  }
}

// The shipped files of an installed copy are never changed, even where the
// user could write (a prefix in the home directory, or root).
TEST_F(ProgramFilesTest, SharedProgramDirIsReadButNeverWritten) {
  ProgramDirShared = true;
  ASSERT_TRUE(DirectoryWritable(ProgramDir));
  WriteBytes(program.File("Bsp1.txt"), "shipped");

  EXPECT_EQ(PathForReading("Bsp1.txt"), program.File("Bsp1.txt"));
  EXPECT_EQ(PathForWriting("Bsp1.txt"), UserDir + "Bsp1.txt");
  EXPECT_TRUE(WriteFileAtomically(PathForWriting("Bsp1.txt"), "mine"));
  EXPECT_EQ(PathForReading("Bsp1.txt"), UserDir + "Bsp1.txt");
  EXPECT_EQ(PathForReading("FktListe.txt"), program.File("FktListe.txt")) << "no user copy";
  EXPECT_EQ(ReadBytes(program.File("Bsp1.txt")), "shipped");
}

TEST_F(ProgramFilesTest, ReadWholeFileTellsMissingFromFailed) {
  std::string content = "stale";
  EXPECT_EQ(ReadWholeFile(program.File("none"), content), ReadResult::kMissing);
  EXPECT_EQ(content, "");
  std::filesystem::create_directory(program.File("dir"));
  EXPECT_EQ(ReadWholeFile(program.File("dir"), content), ReadResult::kFailed);
  ASSERT_EQ(::mkfifo(program.File("fifo").c_str(), 0644), 0);
  EXPECT_EQ(ReadWholeFile(program.File("fifo"), content), ReadResult::kFailed);  // no hang
  const std::string bytes("a\0b\r\n\xFF", 6);
  WriteBytes(program.File("f"), bytes);
  EXPECT_EQ(ReadWholeFile(program.File("f"), content), ReadResult::kOk);
  EXPECT_EQ(content, bytes);
}

// A write replaces the whole file, keeps its mode, leaves nothing beside it and
// through a link replaces the link's target.
TEST_F(ProgramFilesTest, AtomicWriteReplacesWholeKeepsModeAndFollowsLinks) {
  const std::string path = program.File("Kurvio.ini");
  EXPECT_TRUE(WriteFileAtomically(path, "new file"));
  EXPECT_EQ(ReadBytes(path), "new file");
  ::chmod(path.c_str(), 0640);
  EXPECT_TRUE(WriteFileAtomically(path, "second"));
  EXPECT_EQ(ReadBytes(path), "second");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Files(), 1);  // nothing beside it

  const std::string target = user.File("real.ini");
  WriteBytes(target, "old");
  std::filesystem::create_symlink(target, program.File("Bsp1.txt"));
  EXPECT_TRUE(WriteFileAtomically(program.File("Bsp1.txt"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(program.File("Bsp1.txt")));
  EXPECT_EQ(ReadBytes(target), "new");
}

TEST_F(ProgramFilesTest, InterruptedOrFailedWriteLeavesTheOldFile) {
  const std::string path = program.File("Kurvio.ini");
  WriteBytes(path, "old contents");
  WriteBytes(path + ".XXXXXX", "stale");  // an earlier save's leftover is no obstacle

  // At the moment before the rename the old file is whole and the new one complete.
  static std::string seenOld, seenNew;
  RenameFile = [](const char* from, const char* to) {
    seenOld = ReadBytes(to);
    seenNew = ReadBytes(from);
    return -1;
  };
  EXPECT_FALSE(WriteFileAtomically(path, "new contents"));
  EXPECT_EQ(seenOld, "old contents");
  EXPECT_EQ(seenNew, "new contents");
  EXPECT_EQ(ReadBytes(path), "old contents");
  EXPECT_EQ(Files(), 2) << "the temporary file is removed";

  RenameFile = &std::rename;
  EXPECT_TRUE(WriteFileAtomically(path, "new contents"));
  EXPECT_EQ(ReadBytes(path), "new contents");
}

}  // namespace
}  // namespace kurvio
