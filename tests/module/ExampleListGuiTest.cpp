// The example list every analysis window shares: its buttons, the delete
// button's enabling, the focus, and its file.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>
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
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* w : std::initializer_list<QWidget*>{list, get, add, remove, edit1, edit2})
      layout->addWidget(w);
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
  void ShowActive() {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QPoint RowCentre(int row) const { return list->visualItemRect(list->item(row)).center(); }
  // The window's rule of the curve windows: term, ";  " and the comment.
  void UseTermAndComment() {
    examples->BuildEntry = [this] {
      return JoinExample(DisplayToTerm(edit1->text()), DisplayToTerm(edit2->text()));
    };
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
  examples->MaxEntries = 5;
  examples->SetEntries({"x^2;  Parabel", "sin(x);  Welle", "x;  Gerade"});
  const QString twice = "Dieser Eintrag steht schon in der Liste.";
  const QString full = "Die Liste ist voll (höchstens 5 Einträge).";
  const struct {
    const char *term, *comment;
    QString message;  // empty: added
  } cases[] = {
      {"sin(x)", "Welle", twice},  // in the middle
      {"x", "Gerade", twice},      // at the end
      {"x^2", "Scheitel", {}},     // the same term with another comment is another entry
      {"X", "Gerade", {}},         // exactly equal: case and blanks count
      {"x^2", "Scheitel", twice},  // now it is there
      {"x^3", "", full},           // five at most
      {"x", "Gerade", twice},      // a repeat is named as such in a full list, too
  };
  for (const auto& c : cases) {
    errors.clear();
    edit1->setText(QString::fromUtf8(c.term));
    edit2->setText(QString::fromUtf8(c.comment));
    add->click();
    EXPECT_EQ(errors,
              c.message.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.message})
        << c.term << " " << c.comment;
  }
  EXPECT_EQ(examples->Entries(), (Entries{"x^2;  Parabel", "sin(x);  Welle", "x;  Gerade",
                                          "x^2;  Scheitel", "X;  Gerade"}));
  EXPECT_EQ(added, (std::vector<int>{3, 4}));
}

TEST_F(ExampleListTest, DeleteFollowsTheSelectionAndTheFocusGoesToTheTermField) {
  EXPECT_EQ(get->toolTip(), QStringLiteral("Aus Liste holen"));
  EXPECT_EQ(add->toolTip(), QStringLiteral("In Liste übernehmen"));
  EXPECT_EQ(remove->toolTip(), QStringLiteral("Eintrag löschen"));
  examples->SetEntries({"a;  1", "b;  2", "c;  3"});
  EXPECT_FALSE(remove->isEnabled());
  ShowActive();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(1));
  EXPECT_TRUE(remove->isEnabled());
  EXPECT_TRUE(list->hasFocus());

  get->click();
  EXPECT_EQ(applied, (std::vector<int>{1}));
  EXPECT_EQ(appliedEntry, "b;  2");
  EXPECT_TRUE(edit1->hasFocus());
  EXPECT_TRUE(remove->isEnabled());  // leaving the list keeps the selection

  list->setFocus();
  list->clearSelection();
  EXPECT_FALSE(remove->isEnabled());
  get->click();  // nothing selected: nothing happens, the focus stays
  remove->click();
  EXPECT_EQ(applied.size(), 1u);
  EXPECT_TRUE(removed.empty());
  EXPECT_TRUE(list->hasFocus());

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(2));
  remove->click();
  EXPECT_EQ(removed, (std::vector<int>{2}));
  EXPECT_EQ(examples->Entries(), (Entries{"a;  1", "b;  2"}));
  EXPECT_TRUE(edit1->hasFocus());
  // Nothing is selected after a delete, so a second click takes nothing.
  EXPECT_FALSE(remove->isEnabled());
  remove->click();
  EXPECT_EQ(list->count(), 2);

  // Changes the window makes itself keep the button right, too.
  list->setCurrentRow(0);
  EXPECT_TRUE(remove->isEnabled());
  list->clear();
  EXPECT_FALSE(remove->isEnabled());
  examples->SetEntries({"a"});
  list->setCurrentRow(0);
  delete list->takeItem(0);
  EXPECT_FALSE(remove->isEnabled());
}

TEST_F(ExampleListTest, DoubleClickGets) {
  examples->SetEntries({"a;  1", "b;  2"});
  ShowActive();
  // A real double click starts with a single one, which the list needs to see first.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(1));
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(1));
  EXPECT_EQ(applied, (std::vector<int>{1}));
  EXPECT_EQ(appliedEntry, "b;  2");
  EXPECT_TRUE(edit1->hasFocus());
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

  examples->SetEntries({"\xE3*x^2;  Kreis", "\xE8"});
  ASSERT_TRUE(examples->SaveLines());
  EXPECT_EQ(ReadBytes(program.File("Bsp1.txt")), "\xE3*x^2;  Kreis\r\n\xE8\r\n");
}

TEST_F(ExampleListTest, SavesIntoTheProgramDirectoryWhereverTheProgramRuns) {
  // No file, or none that can be read: an empty list, without a word.
  examples->SetEntries({"alt"});
  examples->LoadLines();
  EXPECT_EQ(list->count(), 0);
  EXPECT_FALSE(examples->ReadFile());
  std::filesystem::create_directory(program.File("Bsp1.txt"));
  examples->SetEntries({"alt"});
  examples->LoadLines();
  EXPECT_EQ(list->count(), 0);
  std::filesystem::remove(program.File("Bsp1.txt"));

  TempDir elsewhere;
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere.Dir());
  examples->SetEntries({"a;  1", "", "b"});
  const bool saved = examples->SaveLines();
  std::filesystem::current_path(before);
  EXPECT_TRUE(saved);
  EXPECT_FALSE(std::filesystem::exists(elsewhere.File("Bsp1.txt")));
  EXPECT_EQ(ReadBytes(program.File("Bsp1.txt")), "a;  1\r\nb\r\n");
  EXPECT_TRUE(errors.empty());

  examples->SetEntries({});
  examples->LoadLines();
  EXPECT_EQ(examples->Entries(), (Entries{"a;  1", "b"}));
  EXPECT_EQ(examples->ReadFile(), "a;  1\r\nb\r\n");
}

// An installed copy: the shipped list is read, and only a changed list goes
// to the user's directory.
TEST_F(ExampleListTest, AnInstalledCopySavesOnlyAChangedListForTheUser) {
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
}

TEST_F(ExampleListTest, AFailedWriteIsReportedAndLeavesTheOldFile) {
  const std::string old = "x^2;  alt\r\n";
  WriteBytes(program.File("Bsp1.txt"), old);
  examples->LoadLines();
  examples->SetEntries({"neu"});
  RenameFile = [](const char*, const char*) { return -1; };
  EXPECT_FALSE(examples->SaveLines());
  RenameFile = &std::rename;
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains(QStringLiteral("Bsp1.txt"))) << errors[0].toStdString();
  EXPECT_EQ(ReadBytes(program.File("Bsp1.txt")), old);
  // No temporary file is left beside it.
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(program.Dir())) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(ExampleListTest, AFileThatCannotBeReadIsNotOverwritten) {
  // Far larger than any example file: it counts as unreadable, and loads as an empty list.
  const std::string big(17 * 1024 * 1024, 'x');
  WriteBytes(program.File("Bsp1.txt"), big);
  examples->LoadLines();
  EXPECT_TRUE(examples->Entries().empty());
  examples->SetEntries({"x^2"});
  EXPECT_FALSE(examples->SaveLines());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains(QStringLiteral("nicht gelesen"))) << errors[0].toStdString();
  EXPECT_EQ(ReadBytes(program.File("Bsp1.txt")).size(), big.size());
}

}  // namespace
}  // namespace kurvio
