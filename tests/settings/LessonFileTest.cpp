// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson file: what it holds comes back, what this version does not know
// survives a save, and every file it cannot open is told apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/IniFile.h"
#include "settings/LessonFile.h"

namespace kurvio {
namespace {

const std::vector<LessonWindow> kKnown = {
    {"TForm1", "Funktionsgraphen"}, {"TForm3", "Kurvendiskussion"}, {"TForm5", ""}};

TEST(LessonFileTest, WhatASaveHoldsComesBackInUtf8) {
  Lesson lesson;
  lesson.windows = {"TForm3", "TForm5", "TForm1"};
  lesson.openWindow = "TForm3";
  lesson.presentation = true;
  // A state as a window keeps it: terms in the program's 8-bit form (0xE3 is pi).
  lesson.states["Kurvendiskussion"] =
      "[Fenster]\nName=Kurvendiskussion\n[Funktionsterme]\nf(x)=sin(\xE3x)\n"
      "[Koordinatensystem]\nx1=-2,5\n[Lektion]\nKommentar=Gr\xF6\xDF" "e\n";
  const std::string text = LessonFileText(lesson, kKnown);
  EXPECT_NE(text.find("[Kurvio-Stunde]\nVersion=1\nFenster=TForm3;TForm5;TForm1\nOffen=TForm3\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[TForm3.Funktionsterme]\nf(x)=sin(\u03C0x)\n"), std::string::npos);
  EXPECT_NE(text.find("Kommentar=Gr\u00F6\u00DFe"), std::string::npos);

  const LessonRead read = ReadLesson(text, kKnown);
  ASSERT_EQ(read.problem, LessonProblem::kNone);
  EXPECT_EQ(read.lesson.windows, lesson.windows);
  EXPECT_EQ(read.lesson.openWindow, "TForm3");
  EXPECT_TRUE(read.lesson.presentation);
  EXPECT_FALSE(read.lesson.equalUnits);
  EXPECT_FALSE(read.lesson.readOnly);
  const IniFile state(read.lesson.states.at("Kurvendiskussion"));
  EXPECT_EQ(state.ReadString("Fenster", "Name", ""), "Kurvendiskussion");
  EXPECT_EQ(state.ReadString("Funktionsterme", "f(x)", ""), "sin(\xE3x)");
  EXPECT_EQ(state.ReadReal("Koordinatensystem", "x1", 0), -2.5);
  EXPECT_EQ(state.ReadString("Lektion", "Kommentar", ""), "Gr\xF6\xDF" "e");
  // A window the file holds nothing of opens with its own values, not a session's.
  EXPECT_EQ(IniFile(read.lesson.states.at("Funktionsgraphen")).Entries().size(), 1u);
  EXPECT_EQ(read.lesson.states.count(""), 0u);
}

TEST(LessonFileTest, WhatThisVersionDoesNotKnowIsKeptAndNotOpened) {
  const std::string file =
      "; Stunde von Frau M.\r\n[Kurvio-Stunde]\r\nVersion=1\r\nFenster=TForm99; tform3\r\n"
      "Offen=TForm99\r\nFarbschema=dunkel\r\n[TForm3.Lektion]\r\nneu=5\r\nBitCheckBox1=1\r\n"
      "[TForm99.Lektion]\r\nx=1\r\n[Zukunft]\r\na=b\r\n";
  LessonRead read = ReadLesson(file, kKnown);
  ASSERT_EQ(read.problem, LessonProblem::kNone);
  EXPECT_EQ(read.lesson.openWindow, "");  // the newer window is not opened
  EXPECT_EQ(IniFile(read.lesson.states.at("Kurvendiskussion")).ReadBool("Lektion", "BitCheckBox1", false),
            true);
  read.lesson.states["Kurvendiskussion"] = "[Fenster]\nName=Kurvendiskussion\n[Lektion]\nBitCheckBox1=0\n";
  const std::string again = LessonFileText(read.lesson, kKnown);
  for (const char* kept : {"; Stunde von Frau M.\r\n", "Fenster=TForm99;TForm3\r\n",
                           "Farbschema=dunkel\r\n", "neu=5\r\nBitCheckBox1=0\r\n",
                           "[TForm99.Lektion]\r\nx=1\r\n", "[Zukunft]\r\na=b\r\n"})
    EXPECT_NE(again.find(kept), std::string::npos) << kept << "\n" << again;
}

TEST(LessonFileTest, FilesThatAreNoLessonOrTooNewOrWithoutAKnownWindowAreToldApart) {
  const struct {
    std::string bytes;
    LessonProblem problem;
  } cases[] = {
      {"", LessonProblem::kBroken},
      {std::string("[Kurvio-Stunde]\nVersion=1\0\nFenster=TForm3\n", 40), LessonProblem::kBroken},
      {"[Fenster]\nName=Kurvendiskussion\n", LessonProblem::kBroken},
      {"[Kurvio-Stunde]\nVersion=eins\nFenster=TForm3\n", LessonProblem::kBroken},
      {"[Kurvio-Stunde]\nVersion=0\nFenster=TForm3\n", LessonProblem::kBroken},
      {"[Kurvio-Stunde]\nVersion=2\nFenster=TForm3\n", LessonProblem::kNewer},
      {"[Kurvio-Stunde]\nVersion=1\n", LessonProblem::kNoWindow},
      {"[Kurvio-Stunde]\nVersion=1\nFenster=TForm99;Kurvendiskussion\n", LessonProblem::kNoWindow},
  };
  std::vector<std::string> messages;
  for (const auto& c : cases) {
    const LessonRead read = ReadLesson(c.bytes, kKnown);
    EXPECT_EQ(read.problem, c.problem) << c.bytes;
    messages.push_back(LessonProblemText(read));
  }
  EXPECT_NE(messages[5].find("neueren Kurvio-Version"), std::string::npos);
  EXPECT_NE(messages[5].find("(Format 2)"), std::string::npos);
  EXPECT_NE(messages[0], messages[5]);
  EXPECT_NE(messages[5], messages[6]);
  EXPECT_NE(messages[0], messages[6]);
  EXPECT_EQ(LessonProblemText(ReadLesson("[Kurvio-Stunde]\nVersion=1\nFenster=TForm5\n", kKnown)),
            "");
}

}  // namespace
}  // namespace kurvio
