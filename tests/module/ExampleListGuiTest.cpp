// SPDX-License-Identifier: GPL-3.0-or-later
// The example list every analysis window shares: its buttons, the delete
// button's enabling, the focus, and its file.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>

#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>

#include "module/ExampleFiles.h"
#include "module/ExampleList.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "term/TermText.h"

namespace kurvio {
namespace {

using Entries = std::vector<std::string>;

class ExampleListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = program.Dir();
    UserDir = user.Dir();
    ReportExampleListMessage = [this](QWidget*, const QString& m) { errors.push_back(m); };
    examples = std::make_unique<TExampleList>(
        &window, TExampleList::Controls{list, get, add, remove, edit1}, "Bsp1.txt");
    examples->Added = [this](int row) { added.push_back(row); };
    examples->Removed = [this](int row) { removed.push_back(row); };
    examples->Apply = [this](int row, const std::string& entry) {
      applied.push_back(row);
      appliedEntry = entry;
    };
  }
  void TearDown() override {
    ReportExampleListMessage = nullptr;
    RenameFile = &std::rename;
    ProgramDir.clear();
    UserDir.clear();
  }
  // The window's rule of the curve windows: term, ";  " and the comment.
  void UseTermAndComment() {
    examples->BuildEntry = [this] { return JoinShownExample(edit1->text(), edit2->text()); };
  }

  TempDir program, user;
  QWidget window;
  QListWidget* list = new QListWidget(&window);
  QPushButton* get = new QPushButton(QStringLiteral("holen"), &window);
  QPushButton* add = new QPushButton(QStringLiteral("übernehmen"), &window);
  QPushButton* remove = new QPushButton(QStringLiteral("löschen"), &window);
  QLineEdit* edit1 = new QLineEdit(&window);
  QLineEdit* edit2 = new QLineEdit(&window);
  std::unique_ptr<TExampleList> examples;
  std::vector<int> added, removed, applied;
  std::string appliedEntry;
  std::vector<QString> errors;
};

TEST_F(ExampleListTest, OnlyTheWholeEntryRepeatedOrAFullListIsRefusedAndTheUserIsToldWhy) {
  UseTermAndComment();
  examples->MaxEntries = 6;
  examples->SetEntries({"x^2;  Parabel", "sin(x);  Welle", "x;  Gerade"});
  const QString twice = "Dieser Eintrag steht schon in der Liste.";
  const QString full = "Die Liste ist voll (höchstens 6 Einträge).";
  const std::string longest(kMaxExampleLineLength - 3, 'x');  // with ";  " as long as a line may be
  const struct {
    std::string term;
    const char* comment;
    QString message;  // empty: added
  } cases[] = {
      {longest + "x", "", "Der Eintrag ist zu lang."},
      {"x", "Gerade", twice},   // at the end
      {"x^2", "Scheitel", {}},  // the same term with another comment is another entry
      {"X", "Gerade", {}},      // exactly equal: case and blanks count
      {longest, "", {}},
      {"x^3", "", full},  // six at most
  };
  for (const auto& c : cases) {
    errors.clear();
    edit1->setText(QString::fromStdString(c.term));
    edit2->setText(QString::fromUtf8(c.comment));
    add->click();
    EXPECT_EQ(errors,
              c.message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.message})
        << c.term.substr(0, 10) << " " << c.comment;
  }
  EXPECT_EQ(examples->Entries(), (Entries{"x^2;  Parabel", "sin(x);  Welle", "x;  Gerade",
                                          "x^2;  Scheitel", "X;  Gerade", longest + ";  "}));
  EXPECT_EQ(added, (std::vector<int>{3, 4, 5}));
}

// Getting takes the selected entry; deleting removes it and leaves nothing selected.
TEST_F(ExampleListTest, GetAndDeleteActOnTheSelectedEntry) {
  examples->SetEntries({"a;  1", "b;  2", "c;  3"});
  EXPECT_FALSE(remove->isEnabled());
  get->click();  // nothing selected: nothing happens
  list->setCurrentRow(1);
  EXPECT_TRUE(remove->isEnabled());
  get->click();
  EXPECT_EQ(applied, (std::vector<int>{1}));
  EXPECT_EQ(appliedEntry, "b;  2");
  remove->click();
  EXPECT_EQ(removed, (std::vector<int>{1}));
  EXPECT_EQ(examples->Entries(), (Entries{"a;  1", "c;  3"}));
  EXPECT_FALSE(remove->isEnabled());
}

TEST_F(ExampleListTest, PiAndPhiShowAsLettersAndComeBackAsBytes) {
  examples->SetEntries({"\xE3*x^2;  Kreis", "\xE8"});
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("π*x^2;  Kreis"));
  EXPECT_EQ(list->item(1)->text(), QStringLiteral("Φ"));
  edit1->setText(QStringLiteral("sin(π*x)·Φ"));
  add->click();
  EXPECT_EQ(examples->Entries(), (Entries{"\xE3*x^2;  Kreis", "\xE8", "sin(\xE3*x)\xB7\xE8"}));
  // Every byte the list is given comes back unchanged.
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  examples->SetEntries({all});
  EXPECT_EQ(examples->Entries(), Entries{all});
}

// The list goes into the program's folder wherever the program runs; an
// installed copy saves only a changed list, for the user; a failed write is
// reported and leaves the old file without a temporary beside it.
TEST_F(ExampleListTest, SavesWhereTheProgramsFilesAreAndNeverLosesTheOldFile) {
  examples->SetEntries({"alt"});
  examples->LoadLines();  // no file: an empty list, without a word
  EXPECT_EQ(list->count(), 0);
  ProgramDirShared = true;
  const std::string shipped = "x^2;  Parabel\r\n";
  WriteBytes(program.File("Bsp1.txt"), shipped);
  examples->LoadLines();
  EXPECT_TRUE(examples->SaveLines());
  EXPECT_FALSE(std::filesystem::exists(user.File("Bsp1.txt")));
  examples->SetEntries({"x^2;  Parabel", "x^3"});
  EXPECT_TRUE(examples->SaveLines());
  ProgramDirShared = false;
  EXPECT_EQ(ReadBytes(user.File("Bsp1.txt")), "x^2;  Parabel\r\nx^3\r\n");
  EXPECT_EQ(ReadBytes(program.File("Bsp1.txt")), shipped);
  EXPECT_TRUE(errors.empty());

  std::filesystem::remove(user.File("Bsp1.txt"));
  examples->LoadLines();
  examples->SetEntries({"neu"});
  RenameFile = [](const char*, const char*) { return -1; };
  EXPECT_FALSE(examples->SaveLines());
  RenameFile = &std::rename;
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains(QStringLiteral("Bsp1.txt"))) << errors[0].toStdString();
  EXPECT_EQ(ReadBytes(program.File("Bsp1.txt")), shipped);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.Dir()), {}), 1);

  // A school machine with a write-protected home: the message names the folder.
  static std::string home;
  home = user.Dir();
  AccessFile = [](const char* path, int mode) {
    return (mode & W_OK) && path == home ? -1 : ::access(path, mode);
  };
  ProgramDirShared = true;
  EXPECT_FALSE(examples->SaveLines());
  ProgramDirShared = false;
  AccessFile = &::access;
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], QStringLiteral("Die Beispieldatei „Bsp1.txt“ konnte nicht gespeichert "
                                      "werden. Der Ordner „%1“ ist schreibgeschützt.")
                           .arg(QString::fromStdString(home)));
}

// With an entry added a file keeps its encoding and its line ends.
TEST_F(ExampleListTest, AFileKeepsTheFormItWasWrittenIn) {
  const std::string path = program.File("Bsp1.txt");
  WriteBytes(path, "\xE3*x;  Fl\xE4\r\n\r\nx\r\n");
  examples->LoadLines();
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("π*x;  Flä"));
  edit1->setText("x^3");
  add->click();
  EXPECT_TRUE(examples->SaveLines());
  EXPECT_EQ(ReadBytes(path), "\xE3*x;  Fl\xE4\r\nx\r\nx^3\r\n");
  EXPECT_TRUE(errors.empty());
}

// A file that exists but cannot be read (here a folder of its name) is reported as
// the window opens; it is never replaced, and what is added goes to the user's
// directory, which is read from then on.
TEST_F(ExampleListTest, AFileThatCannotBeReadIsReportedAtOnceAndKeptAndAdditionsGoToTheUser) {
  const std::string path = program.File("Bsp1.txt"), copy = user.File("Bsp1.txt");
  std::filesystem::create_directory(path);
  examples->SetEntries({"alt"});
  examples->LoadLines();
  EXPECT_EQ(list->count(), 0);
  EXPECT_EQ(errors, std::vector<QString>{QStringLiteral("Die Beispieldatei „%1“ konnte nicht "
                                                        "gelesen werden. %2\nNeue Einträge "
                                                        "werden in „%3“ gespeichert.")
                                             .arg(QString::fromStdString(path),
                                                  "Unter diesem Namen gibt es einen Ordner.",
                                                  QString::fromStdString(copy))});
  errors.clear();
  EXPECT_TRUE(examples->SaveLines());  // nothing added: nothing written
  EXPECT_FALSE(std::filesystem::exists(copy));
  edit1->setText("x^2");
  add->click();
  EXPECT_TRUE(examples->SaveLines());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains(QString::fromStdString(copy))) << errors[0].toStdString();
  EXPECT_EQ(ReadBytes(copy), "x^2\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(path));
  errors.clear();
  examples->LoadLines();
  EXPECT_EQ(examples->Entries(), Entries{"x^2"});
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace kurvio
