// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own choices and the windows' state files: what is written comes
// back, and a broken, foreign or hand-edited file changes nothing it should not.
#include <gtest/gtest.h>

#include "plot/PlotFrame.h"
#include "plot/PresentationCanvas.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "settings/WindowState.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"

namespace kurvio {
namespace {

class Preferences : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = UserDir = dir.Dir();
    DecimalSeparator = ',';
    SetDefaultSettings();
    LoadSettings();
  }
  void TearDown() override {
    PresentationMode = RememberLessons = EqualUnits = false;
    ChosenLineWidth = 0;
  }
  TempDir dir;
};

TEST_F(Preferences, SurviveARestartAndBrokenFilesGiveNone) {
  PresentationMode = RememberLessons = EqualUnits = true;
  ChooseLineWidth(4);
  PresentationMode = RememberLessons = EqualUnits = false;
  ChosenLineWidth = 0;
  LoadPreferences();
  EXPECT_TRUE(PresentationMode);
  EXPECT_TRUE(RememberLessons);
  EXPECT_TRUE(EqualUnits);
  EXPECT_EQ(StartLineWidth(), 4);

  const struct {
    const char* content;
    int width;
  } files[] = {{"\xFF\xFE garbage", 1},
               {"[Ansicht]\nPraesentation=ja\nLinienbreite=21\n", 1},
               {"[Ansicht]\nLinienbreite=0\n", 1},
               {"[Ansicht]\nLinienbreite=20\n", 20}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.content);
    WriteBytes(dir.File(kPreferencesFileName), f.content);
    LoadPreferences();
    EXPECT_FALSE(PresentationMode);
    EXPECT_FALSE(EqualUnits);
    EXPECT_EQ(StartLineWidth(), f.width);
  }
}

TEST_F(Preferences, AWindowStateKeepsItsKeysOnly) {
  const WindowState tangent = AnalysisLesson("Tangentenproblem", {"Funktionsterme/f(x)"});
  TermFx = "x^2";
  TermFt = "sin(t)";
  ParamT = 2.5;
  x1 = -3;
  LessonValues kept;
  kept.SetNumbers("Sekanten", {2.5, -1});
  kept.SetFlag("BitCheckBox1", true);
  ASSERT_TRUE(KeepWindowState(tangent, kept));
  TermFx = TermFt = "";
  ParamT = 0;
  x1 = -7;
  LessonValues own;
  ASSERT_TRUE(RestoreWindowState(tangent, &own));
  EXPECT_EQ(own.Numbers("Sekanten"), std::vector<double>({2.5, -1}));
  EXPECT_TRUE(own.Flag("BitCheckBox1", false));
  EXPECT_EQ(own.Number("xo", 7), 7);  // not kept: the caller's opening value
  EXPECT_EQ(TermFx, "x^2");
  EXPECT_EQ(TermFt, "");  // not the window's
  EXPECT_EQ(ParamT, 2.5);
  EXPECT_EQ(x1, -3);

  // Broken, foreign and hand-edited files.
  const struct {
    const char* content;
    bool taken;
    double x1, x2;
    const char* term;
  } files[] = {
      {"", false, -1.5, 18, ""},
      {"[Fenster]\nName=Bisektion\n[Koordinatensystem]\nx1=-1\n", false, -1.5, 18, ""},
      {"[Fenster]\nName=Tangentenproblem\n[Koordinatensystem]\nx1=abc\nx2=3\n", true, -1.5, 3, ""},
      // A reversed view is no view: the window's own.
      {"[Fenster]\nName=Tangentenproblem\n[Koordinatensystem]\nx1=5\nx2=1\n", true, -1.5, 18, ""},
      {"[Fenster]\nName=Tangentenproblem\n[Funktionsterme]\nf(x)=x+1\n", true, -1.5, 18, "x+1"},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.content);
    x1 = -1.5, x2 = 18;  // the window's opening view
    TermFx = "";
    WriteBytes(WindowStatePath(tangent), f.content);
    EXPECT_EQ(RestoreWindowState(tangent), f.taken);
    EXPECT_EQ(x1, f.x1);
    EXPECT_EQ(x2, f.x2);
    EXPECT_EQ(TermFx, f.term);
  }
  // A hand-edited list ends before its first entry that is no number.
  WriteBytes(WindowStatePath(tangent),
             "[Fenster]\nName=Tangentenproblem\n[Lektion]\nSekanten=1,5;abc;3\nBitCheckBox1=ja\n");
  ASSERT_TRUE(RestoreWindowState(tangent, &own));
  EXPECT_EQ(own.Numbers("Sekanten"), std::vector<double>{1.5});
  EXPECT_FALSE(own.Flag("BitCheckBox1", false));
}

TEST(Presentation, PaleColoursTurnStrong) {
  const struct {
    Color colour, background, shown;
  } colours[] = {
      {RGB(255, 255, 0), kWhite, RGB(204, 150, 0)},         // yellow
      {RGB(255, 255, 187), kWhite, RGB(204, 150, 0)},       // pale yellow
      {RGB(0, 255, 0), kWhite, RGB(0, 140, 120)},           // light green
      {RGB(0, 187, 0), kWhite, RGB(0, 140, 120)},           // green, still too light
      {RGB(192, 192, 192), kWhite, RGB(96, 96, 96)},        // light grey
      {RGB(0, 255, 255), kWhite, RGB(0, 145, 145)},         // cyan, darkened
      {RGB(0, 0, 255), kWhite, RGB(0, 0, 255)},             // strong already
      {RGB(255, 0, 0), kWhite, RGB(213, 94, 0)},            // red: apart from green
      {RGB(213, 94, 0), kWhite, RGB(213, 94, 0)},           // and stays so
      {RGB(128, 128, 128), kWhite, RGB(128, 128, 128)},     // the grid's grey
      {kWhite, kWhite, kWhite},                             // the ground itself
      {RGB(255, 255, 0), RGB(0, 0, 64), RGB(255, 255, 0)},  // on a dark ground
  };
  for (const auto& c : colours) EXPECT_EQ(PresentationColor(c.colour, c.background), c.shown);
}

TEST(Presentation, TheDeviceGetsLargerTextsAndStrongColours) {
  testing::RecordingCanvas device;
  device.font.size = 9;
  PresentationCanvas shown(device, kWhite);
  shown.pen.color = RGB(255, 255, 0);
  shown.pen.width = 2;
  shown.MoveTo(1, 2);
  shown.LineTo(30, 2);
  shown.brush.color = RGB(0, 255, 0);
  shown.TextOut(5, 6, "1");
  EXPECT_EQ(shown.TextWidth("12"), 2 * testing::RecordingCanvas::kCharWidth);
  ASSERT_EQ(device.segments.size(), 1u);
  EXPECT_EQ(device.segments[0].color, RGB(204, 150, 0));
  EXPECT_EQ(device.segments[0].width, 2);
  EXPECT_EQ(device.font.size, 18);
  EXPECT_EQ(device.brush.color, RGB(0, 140, 120));
  EXPECT_EQ(shown.PenPos(), (Point{30, 2}));
  ASSERT_EQ(device.texts.size(), 1u);
  EXPECT_EQ(device.texts[0].x, 5);
}

}  // namespace
}  // namespace kurvio
