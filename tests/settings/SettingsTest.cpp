// Loading, saving and resetting the settings globals against real files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include <cstdio>
#include <string>
#include <vector>

#include "plot/PlotFrame.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace kurvio {
namespace {

// The file SaveSettings writes from the load defaults under a German locale.
const char* const kDefaultFile =
    "[Farben]\r\nHintergrund=16777215\r\nZeichenstift=0\r\nGitter=8421504\r\n"
    "Tangente=16711680\r\nSekante=8388736\r\nDreieck=65535\r\nfStrich=255\r\nf2Strich=128\r\n"
    "sinus=16711680\r\ncosinus=255\r\ntangens=128\r\ncotangens=8388736\r\nflaeche=65535\r\n"
    "bogen=32768\r\nwinkel=65280\r\nepsilon=12632256\r\ndelta=32768\r\nfvondelta=255\r\n"
    "[Faktor]\r\ndrucken%=100\r\nTangentenl\xE4nge=1\r\n"
    "[Eingabe]\r\nNachkommastellen=2\r\n"
    "[Parameter]\r\na=1\r\na1=-4\r\na2=4\r\nb=0\r\nb1=-4\r\nb2=4\r\nc=0\r\nc1=-4\r\nc2=4\r\n"
    "t=0\r\nt1=-4\r\nt2=4\r\n"
    "[xP xQ Koordinaten]\r\nxP=1\r\nxQ=2\r\n"
    "[Folgen Grenzwert]\r\ng=0\r\n"
    "[eps-delta-Umgebung maxRadius]\r\nedmax=2\r\n"
    "[Koordinatensystem]\r\nx1=-7\r\nx2=7\r\ny1=-7\r\ny2=7\r\nSkalierung=1\r\nGitter=2\r\n"
    "[Funktionsterme]\r\nf(x,t,a,b)=\r\nf(x)=\r\nf(t)=\r\naf(x-u)+v=\r\nStetigkeit f1(x)=\r\n"
    "Stetigkeit f2(x)=\r\nKovariation f(x)=\r\nBisektion f(x)=\r\nFolgen a(n)=\r\n"
    "[Animation]\r\nSchrittzahl=200\r\nSchrittzahl2=2\r\ntime=0\r\n";

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
  TempDir program, user;
};

TEST_F(SettingsTest, NoFileGivesTheDefaultsAndWritesNothing) {
  EXPECT_FALSE(std::filesystem::exists(IniPath()));
  EXPECT_EQ(StartValues.x1, x1);
  // Every default, and the exact form and order of the file.
  SaveSettings();
  EXPECT_EQ(ReadBytes(IniPath()), kDefaultFile);
}

// Every key away from its default, distinct from the others and the integers
// at the ends of their ranges: loaded, then written afresh from the globals.
TEST_F(SettingsTest, EveryKeyRoundTripsByteForByte) {
  const std::string file =
      "[Farben]\r\nHintergrund=0\r\nZeichenstift=2\r\nGitter=3\r\nTangente=4\r\nSekante=5\r\n"
      "Dreieck=6\r\nfStrich=7\r\nf2Strich=8\r\nsinus=9\r\ncosinus=10\r\ntangens=11\r\n"
      "cotangens=12\r\nflaeche=13\r\nbogen=14\r\nwinkel=15\r\nepsilon=16\r\ndelta=17\r\n"
      "fvondelta=18\r\n[Faktor]\r\ndrucken%=200\r\nTangentenl\xE4nge=3,14159265358979\r\n"
      "[Eingabe]\r\nNachkommastellen=0\r\n"
      "[Parameter]\r\na=0,5\r\na1=-1,25\r\na2=2,75\r\nb=3,5\r\nb1=-4,25\r\nb2=5,125\r\n"
      "c=6,5\r\nc1=-7,75\r\nc2=8,25\r\nt=9,5\r\nt1=-10,5\r\nt2=11,5\r\n"
      "[xP xQ Koordinaten]\r\nxP=1,5\r\nxQ=2,25\r\n[Folgen Grenzwert]\r\ng=0,125\r\n"
      "[eps-delta-Umgebung maxRadius]\r\nedmax=1,75\r\n"
      "[Koordinatensystem]\r\nx1=-12,5\r\nx2=13,25\r\ny1=-3,75\r\ny2=250\r\nSkalierung=0\r\n"
      "Gitter=3\r\n[Funktionsterme]\r\nf(x,t,a,b)=sin(\xE3x)+\xE8(x){Kommentar, \xFC}\r\n"
      "f(x)=x^1\r\nf(t)=t^2\r\naf(x-u)+v=x^3\r\nStetigkeit f1(x)=x^4\r\n"
      "Stetigkeit f2(x)=x^5\r\nKovariation f(x)=x^6\r\nBisektion f(x)=x^7\r\nFolgen a(n)=1/n\r\n"
      "[Animation]\r\nSchrittzahl=20\r\nSchrittzahl2=20\r\ntime=1000\r\n";
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
  // One step outside each range falls back to the default.
  WriteBytes(IniPath(),
             "[Faktor]\r\ndrucken%=19\r\n[Eingabe]\r\nNachkommastellen=5\r\n"
             "[Animation]\r\nSchrittzahl=3001\r\nSchrittzahl2=0\r\ntime=1001\r\n");
  LoadSettings();
  EXPECT_EQ((std::vector{DruckenProzent, Nachkommastellen, Schrittzahl, Schrittzahl2, FrameDelay}),
            (std::vector{100, 2, 200, 2, 0}));
}

TEST_F(SettingsTest, LongTermsAreCutTo120AndTo180InStartValues) {
  const std::string t130(130, '1');
  const std::string t200 = std::string(199, '2') + "\xE3";
  WriteBytes(IniPath(), "[Funktionsterme]\r\nf(x)=" + t130 + "\r\nFolgen a(n)=" + t200 + "\r\n");
  LoadSettings();
  EXPECT_EQ(TermFx, t130.substr(0, 120));
  EXPECT_EQ(StartValues.TermFx, t130);
  EXPECT_EQ(TermFolgen, t200.substr(0, 120));
  EXPECT_EQ(StartValues.TermFolgen, t200.substr(0, 180));
}

TEST_F(SettingsTest, StartValuesKeepTheFileWhileTheGlobalsChange) {
  WriteBytes(IniPath(), "[Parameter]\na=2,5\na1=-1\n[Koordinatensystem]\nx1=-3\nx2=3\n");
  LoadSettings();
  ParamA = 0.75;
  x1 = -1;
  SaveSettings();  // the globals reach the file, never StartValues
  EXPECT_EQ(StartValues.ParamA, 2.5);
  EXPECT_EQ(StartValues.x1, -3.0);
  LoadSettings();
  EXPECT_EQ(StartValues.x1, -1.0);
}

// Written under one locale, read under the other.
TEST_F(SettingsTest, RealsCrossBetweenLocales) {
  DecimalSeparator = '.';
  ParamA = 0.5;
  Tangentenlaenge = 1.0 / 3.0;
  SaveSettings();
  EXPECT_NE(ReadBytes(IniPath()).find("a=0.5\r\n"), std::string::npos);
  DecimalSeparator = ',';
  SetDefaultSettings();
  LoadSettings();
  EXPECT_EQ(ParamA, 0.5);
  EXPECT_NEAR(Tangentenlaenge, 1.0 / 3.0, 1e-15);
}

TEST_F(SettingsTest, HandEditedFileLoadsAndKeepsItsLines) {
  std::string blob;
  for (int i = 0; i < 3000; ++i) blob.push_back(static_cast<char>((i * 7919) % 251));
  const std::string file =
      "; von Hand bearbeitet\r\n"
      "[FARBEN]\n"
      "hintergrund=255\r\n"
      "Hintergrund=65280\n"
      "Zeichenstift=rot\r\n"
      "Tangente=99999999999\n"
      "Meine Farbe=42\r\n"
      "[Faktor]\n"
      "Tangentenl\xC3\xA4nge=2,5\n"
      "[Koordinatensystem]\n"
      "x1=5\nx2=5\ny1=1e999\ny2=3\n"
      "[Parameter]\n"
      "a=1.5.5\nb2=-4\nc1=3\nc2=-3\n"
      "[eps-delta-Umgebung maxRadius]\nedmax=-0,5\n"
      "[Binär]\n" +
      blob + "\n[Funktionsterme]\nf(x)=x^2\r\nf(x)=x^3\r\n";
  WriteBytes(IniPath(), file);
  LoadSettings();

  EXPECT_EQ(Farben::Hintergrund, 255);    // first of the duplicates
  EXPECT_EQ(Farben::Zeichenstift, 0);     // garbage: default
  EXPECT_EQ(Farben::Tangente, 16711680);  // out of range
  EXPECT_EQ(Tangentenlaenge, 2.5);        // UTF-8 key
  EXPECT_EQ(x1, -7.0);                    // empty window: default window
  EXPECT_EQ(y2, 3.0);                     // y1 does not convert, the window stands
  EXPECT_EQ(ParamA, 1.0);
  EXPECT_EQ(ParamB2, 4.0);   // empty range: default range
  EXPECT_EQ(ParamC2, -3.0);  // reversed ranges stand
  EXPECT_EQ(StartValues.x1, -7.0);
  EXPECT_EQ(edmax, 2.0);  // no radius at or below 0

  TermFx = "sin(x)";
  SaveSettings();
  const std::string saved = ReadBytes(IniPath());
  for (const std::string& kept :
       {std::string("; von Hand bearbeitet\r\n"), std::string("Hintergrund=65280\n"),
        std::string("Meine Farbe=42\r\n"), std::string("[Bin\xC3\xA4r]\n") + blob + "\n",
        std::string("f(x)=sin(x)\r\nf(x)=x^3\r\n")})
    EXPECT_NE(saved.find(kept), std::string::npos) << kept.substr(0, 40);
  // The key written in UTF-8 is replaced by its 8-bit form, not repeated.
  EXPECT_NE(saved.find("Tangentenl\xE4nge=2,5\n"), std::string::npos);
  EXPECT_EQ(saved.find("Tangentenl\xC3\xA4nge"), std::string::npos);
  LoadSettings();
  EXPECT_EQ(TermFx, "sin(x)");
}

// An installed copy: the directory exists and holds the school's file, but
// access(2) refuses writing (simulated, since permission bits do not stop root).
TEST_F(SettingsTest, ReadOnlyInstallSavesAUserCopyWithTheTemplateLines) {
  const std::string install = program.File("install/");
  std::filesystem::create_directory(install);
  const std::string shipped = "; Vorlage der Schule\n[Parameter]\na=2\n";
  WriteBytes(install + "Kurvio.ini", shipped);
  static std::string readOnly;
  readOnly = install;
  AccessFile = [](const char* path, int mode) {
    if ((mode & W_OK) && std::string(path) == readOnly) return -1;
    return ::access(path, mode);
  };
  ProgramDir = install;
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
  for (const std::string& p : {stale, foreign, other}) fs::last_write_time(p, old);
  EXPECT_EQ(SaveSettings().outcome, SettingsSave::kSaved);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(fresh));    // perhaps another copy is saving right now
  EXPECT_TRUE(fs::exists(foreign));  // not a name of ours
  EXPECT_TRUE(fs::exists(other));    // another file's: it goes when that file is saved
  EXPECT_EQ(RemoveStaleTemporaries(program.File("Bsp1.txt")), 1);
}

}  // namespace
}  // namespace kurvio
