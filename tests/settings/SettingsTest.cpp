// SPDX-License-Identifier: GPL-3.0-or-later
// Loading, saving and resetting the settings globals against real files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "plot/PlotFrame.h"
#include "settings/Preferences.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "support/KeptText.h"
#include "support/TempDir.h"

namespace kurvio {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = program.Dir();
    UserDir = user.Dir();
    DecimalSeparator = ',';
    LoadSettings();  // no file: every global at its default
  }
  void TearDown() override {
    RenameFile = &std::rename;
    AccessFile = &::access;
    ProgramDir.clear();
    UserDir.clear();
    DecimalSeparator = ',';
  }
  std::string IniPath() const { return program.File("Kurvio.ini"); }
  // An installed copy with this Kurvio.ini: the folder exists, but access(2)
  // refuses writing (simulated, since permission bits do not stop root).
  std::string InstallWith(const std::string& shipped) {
    static std::string readOnly;
    readOnly = program.File("install/");
    std::filesystem::create_directory(readOnly);
    WriteBytes(readOnly + "Kurvio.ini", shipped);
    AccessFile = [](const char* path, int mode) {
      if ((mode & W_OK) && std::string(path) == readOnly) return -1;
      return ::access(path, mode);
    };
    ProgramDir = readOnly;
    return readOnly;
  }
  TempDir program, user;
};

TEST_F(SettingsTest, NoFileGivesTheDefaultsAndWritesNothing) {
  EXPECT_FALSE(std::filesystem::exists(IniPath()));
  EXPECT_EQ(StartValues.x1, x1);
  // Every default, and the exact form and order of the file under a German locale.
  SaveSettings();
  EXPECT_TRUE(testing::MatchesKept("settings/default.ini", ReadBytes(IniPath())));
}

// Every key away from its default, distinct from the others and the integers
// at the ends of their ranges (tests/pictures/settings/every-key-changed.ini):
// loaded, then written afresh from the globals.
TEST_F(SettingsTest, EveryKeyRoundTripsByteForByte) {
  const std::string file =
      ReadBytes(std::string(KURVIO_PICTURES_DIR) + "/settings/every-key-changed.ini");
  WriteBytes(IniPath(), file);
  ASSERT_TRUE(LoadSettings());
  std::filesystem::remove(IniPath());
  EXPECT_EQ(SaveSettings().outcome, SettingsSave::kSaved);
  EXPECT_EQ(ReadBytes(IniPath()), file);
  EXPECT_EQ(Tangentenlaenge, 3.14159265358979);  // fifteen digits, exact
  EXPECT_EQ(StartValues.TermFolgen, "1/n");
  EXPECT_EQ(StartValues.Farben.fvondelta, 18);
  EXPECT_EQ(StartValues.y2, 250);
  EXPECT_FALSE(StartValues.Skalierung);
}

// A file edited by hand (tests/pictures/settings/hand-edited.ini, its rules in
// its comments) loads, and saving under the other decimal separator changes only
// the values in it: the saved file is kept as hand-edited-saved.ini. The start
// values keep the file while the globals change, until it is loaded again.
TEST_F(SettingsTest, HandEditedFileLoadsAndKeepsItsLines) {
  std::string blob,
      file = ReadBytes(std::string(KURVIO_PICTURES_DIR) + "/settings/hand-edited.ini");
  for (int i = 0; i < 3000; ++i) blob.push_back(static_cast<char>((i * 7919) % 251));
  file.replace(file.find("<binary>"), 8, blob);
  WriteBytes(IniPath(), file);
  LoadSettings();
  EXPECT_EQ(StartValues.x1, -7.0);
  EXPECT_EQ(StartValues.TermKovariation, std::string(130, '1'));
  EXPECT_EQ(StartValues.TermFolgen, std::string(180, '2'));
  TermFx = "sin(x)";
  DecimalSeparator = '.';
  SaveSettings();
  DecimalSeparator = ',';
  EXPECT_EQ(StartValues.TermFx, "x^2");
  std::string saved = ReadBytes(IniPath());
  const std::size_t at = saved.find(blob);
  ASSERT_NE(at, std::string::npos);
  EXPECT_TRUE(testing::MatchesKept("settings/hand-edited-saved.ini",
                                   saved.replace(at, blob.size(), "<binary>")));
  LoadSettings();
  EXPECT_EQ(StartValues.TermFx, "sin(x)");
  EXPECT_EQ(Tangentenlaenge, 2.5);
}

// An installed copy that holds the school's file.
TEST_F(SettingsTest, ReadOnlyInstallSavesAUserCopyWithTheTemplateLines) {
  const std::string shipped = "; Vorlage der Schule\n[Parameter]\na=2\n";
  const std::string install = InstallWith(shipped);
  UserDir = user.File("config/kurvio/");  // not there yet

  LoadSettings();
  EXPECT_EQ(ParamA, 2.0);
  ParamA = 3;
  SaveSettings();
  EXPECT_EQ(ReadBytes(install + "Kurvio.ini"), shipped);
  const std::string copy = ReadBytes(UserDir + "Kurvio.ini");
  EXPECT_EQ(copy.rfind("; Vorlage der Schule\n[Parameter]\na=3\n", 0), 0u) << copy;
  LoadSettings();  // the user's copy is preferred now
  EXPECT_EQ(ParamA, 3.0);
}

// The school's Kurvio.ini in the system configuration folders: over the shipped
// file, under the user's own; the first folder of the list counts most.
TEST_F(SettingsTest, SchoolDefaultsStandUntilTheUserHasAFileOfTheirOwn) {
  const TempDir etc, more;
  std::filesystem::create_directories(etc.File("Kurvio"));
  std::filesystem::create_directories(more.File("Kurvio"));
  WriteBytes(etc.File("Kurvio/Kurvio.ini"),
             "[Parameter]\na=2\n[Farben]\nGitter=255\n[Ansicht]\nPraesentation=1\n");
  WriteBytes(more.File("Kurvio/Kurvio.ini"), "[Parameter]\na=9\nb=3\n");
  const std::string dirs = "relative:" + etc.Dir() + ":" + more.Dir();
  setenv("XDG_CONFIG_DIRS", dirs.c_str(), 1);
  InstallWith("[Parameter]\nb=1\nc=-1\n");

  LoadSettings();  // no file of the user's own
  EXPECT_EQ(std::vector<double>({ParamA, ParamB, ParamC}), std::vector<double>({2, 3, -1}));
  EXPECT_EQ(StartValues.ParamA, 2.0);
  EXPECT_EQ(Farben::Gitter, 255);
  LoadPreferences();  // and presentation mode, for a user who has not chosen
  EXPECT_TRUE(PresentationMode);
  WriteBytes(UserDir + "Kurvio.ini", "[Parameter]\na=5\n");
  LoadSettings();
  EXPECT_EQ(std::vector<double>({ParamA, ParamB, ParamC}), std::vector<double>({5, 3, -1}));
  unsetenv("XDG_CONFIG_DIRS");
  LoadPreferences();
  EXPECT_FALSE(PresentationMode);
  LoadSettings();  // without a school file only the user's own counts
  EXPECT_EQ(std::vector<double>({ParamA, ParamB, ParamC}), std::vector<double>({5, 0, 0}));
}

// A school machine: the program's folder write-protected, the home too. The
// message names the folders, and no empty folder of the user's is left.
TEST_F(SettingsTest, ALockedDownMachineNamesItsWriteProtectedFolders) {
  static std::string home, folder;
  home = user.Dir();
  folder = program.Dir();
  AccessFile = [](const char* path, int mode) {
    const std::string p = path;
    if ((mode & W_OK) && (p + "/" == home || p == folder)) return -1;
    return ::access(path, mode);
  };
  UserDir = user.File("config/Kurvio/");
  const SettingsSave save = SaveSettings();
  EXPECT_EQ(save.outcome, SettingsSave::kFailed);
  EXPECT_EQ(WriteFailureText(save.error),
            "Die Ordner „" + program.Dir() + "“ und „" + UserDir + "“ sind schreibgeschützt.");
  ProgramDirShared = true;
  EXPECT_EQ(WriteFailureText(save.error), "Der Ordner „" + UserDir + "“ ist schreibgeschützt.");
  ProgramDirShared = false;
  EXPECT_FALSE(std::filesystem::exists(user.File("config")));

  // A write that fails in a folder it made takes the folder away again.
  AccessFile = &::access;
  RenameFile = [](const char*, const char*) {
    errno = EXDEV;
    return -1;
  };
  EXPECT_FALSE(WriteFileAtomically(UserDir + "Kurvio.ini", "x"));
  EXPECT_EQ(errno, EXDEV);
  EXPECT_FALSE(std::filesystem::exists(user.File("config")));
  RenameFile = &std::rename;
  EXPECT_TRUE(WriteFileAtomically(UserDir + "Kurvio.ini", "x"));
}

TEST_F(SettingsTest, EveryFailedSaveSaysWhyAndLeavesTheOldFile) {
  const std::string old = "; alt\r\n[Parameter]\r\na=2\r\n";
  WriteBytes(IniPath(), old);
  LoadSettings();
  ParamA = 5;
  RenameFile = [](const char*, const char*) {
    errno = EXDEV;
    return -1;
  };
  SettingsSave save = SaveSettings();
  EXPECT_EQ(save.outcome, SettingsSave::kFailed);
  EXPECT_EQ(save.path, IniPath());
  EXPECT_EQ(save.error, EXDEV);
  EXPECT_EQ(ReadBytes(IniPath()), old);
  RenameFile = &std::rename;
  EXPECT_EQ(SaveSettings().outcome, SettingsSave::kSaved);
  LoadSettings();
  EXPECT_EQ(ParamA, 5.0);

  // A settings file that cannot be read is not replaced by a copy without its lines.
  std::filesystem::remove(IniPath());
  std::filesystem::create_directory(IniPath());
  WriteBytes(IniPath() + "/inside", "kept");
  EXPECT_FALSE(LoadSettings());
  EXPECT_EQ(ParamA, 1.0);
  EXPECT_EQ(SaveSettings().outcome, SettingsSave::kUnreadable);
  EXPECT_EQ(ReadBytes(IniPath() + "/inside"), "kept");
}

TEST_F(SettingsTest, StaleTemporariesOfAnInterruptedSaveGoWithTheNextSave) {
  namespace fs = std::filesystem;
  const std::string stale = IniPath() + ".aB3xY9", fresh = IniPath() + ".Q1w2E3";
  const std::string foreign = IniPath() + ".bak", other = program.File("Bsp1.txt.zZ9yY8");
  for (const std::string& p : {stale, fresh, foreign, other}) WriteBytes(p, "left over");
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(kStaleMinutes + 1);
  // A folder or a link of a temporary's name is no temporary of ours.
  const std::string folder = IniPath() + ".dIr123", link = IniPath() + ".lInK12";
  fs::create_directory(folder);
  fs::create_symlink(foreign, link);
  for (const std::string& p : {stale, foreign, other, folder}) fs::last_write_time(p, old);
  EXPECT_EQ(SaveSettings().outcome, SettingsSave::kSaved);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(folder));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::exists(fresh));    // perhaps another copy is saving right now
  EXPECT_TRUE(fs::exists(foreign));  // not a name of ours
  EXPECT_TRUE(fs::exists(other));    // another file's: it goes when that file is saved
  EXPECT_EQ(RemoveStaleTemporaries(program.File("Bsp1.txt")), 1);
}

}  // namespace
}  // namespace kurvio
