// The example list as each analysis window wires it: a repeat is refused with
// a message, Enter in the list moves on, and an example picked from the list
// replaces a faulty term without the syntax error coming back.
#include <gtest/gtest.h>

#include <QListWidget>

#include "support/WindowFixture.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"

namespace kurvio {
namespace {

// A window's example controls, found by their design names: the list, the term field, the
// get and add buttons, which differ between windows, and another field for the focus.
struct Window {
  std::unique_ptr<QDialog> form;
  QListWidget* list;
  QLineEdit *term, *other;
  QAbstractButton *get, *add;
};

template <typename Form>
Window OpenByName(const char* get, const char* add) {
  auto form = std::make_unique<Form>();
  Form* f = form.get();
  return {std::move(form),
          f->template findChild<QListWidget*>("ListBox1"),
          f->template findChild<QLineEdit*>("Edit1"),
          f->template findChild<QLineEdit*>("Edit2"),
          f->template findChild<QAbstractButton*>(get),
          f->template findChild<QAbstractButton*>(add)};
}

const struct {
  const char* name;
  Window (*open)();
} kWindows[] = {
    {"TForm3", [] { return OpenByName<TForm3>("SpeedButton1", "SpeedButton4"); }},
    {"TForm7", [] { return OpenByName<TForm7>("SpeedButton1", "SpeedButton4"); }},
    {"TForm8", [] { return OpenByName<TForm8>("SpeedButton1", "SpeedButton4"); }},
    {"TForm11", [] { return OpenByName<TForm11>("SpeedButton1", "SpeedButton4"); }},
    {"TForm12", [] { return OpenByName<TForm12>("SpeedButton3", "SpeedButton7"); }},
    {"TForm13", [] { return OpenByName<TForm13>("SpeedButton3", "SpeedButton7"); }},
    {"TForm15", [] { return OpenByName<TForm15>("SpeedButton1", "SpeedButton4"); }},
};

TEST(ExampleListsTest, EveryWindowRefusesRepeatsLetsAnExampleReplaceAFaultyTermAndMovesOnAtEnter) {
  std::vector<std::string> errors;
  std::vector<QString> told;
  SyntaxErrorReporter = [&](const std::string& m) { errors.push_back(m); };
  ReportExampleListMessage = [&](QWidget*, const QString& m) { told.push_back(m); };
  for (const auto& c : kWindows) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    UseDefaultSettingsIn(dir);
    NumberLineMode = TermSequenceMode = true;  // as the launcher opens the limit windows
    errors.clear();
    told.clear();
    Window w = c.open();
    w.form->resize(1100, 750);
    w.form->show();
    QApplication::setActiveWindow(w.form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form.get()));

    for (const char* term : {"2", "3", "2"}) {
      TypeInto(w.form.get(), w.term, QString::fromLatin1(term));
      w.add->click();
    }
    ASSERT_EQ(w.list->count(), 2);
    EXPECT_EQ(told, std::vector<QString>{"Dieser Eintrag steht schon in der Liste."});

    w.list->setFocus();
    QTest::keyClick(w.list, Qt::Key_Return);
    EXPECT_FALSE(w.list->hasFocus());

    // A faulty term is reported once; clicking into the list brings no second message,
    // and the example picked there replaces the text.
    w.term->setFocus();
    w.term->setText(QStringLiteral("2*(3"));
    w.other->setFocus();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(w.term->hasFocus());
    const QPoint row = w.list->visualItemRect(w.list->item(1)).center();
    QTest::mouseClick(w.list->viewport(), Qt::LeftButton, {}, row);
    EXPECT_TRUE(w.list->hasFocus());
    w.get->click();
    EXPECT_EQ(w.term->text(), "3");
    EXPECT_EQ(errors.size(), 1u);

    // Left for the list and then for another control, the field says what is wrong after all.
    w.term->setText(QStringLiteral("2*(3"));
    QTest::mouseClick(w.list->viewport(), Qt::LeftButton, {}, row);
    w.other->setFocus();
    EXPECT_EQ(errors.size(), 2u);
    w.term->setText(QStringLiteral("2"));
    w.form.reset();
  }
  NumberLineMode = TermSequenceMode = false;
  SyntaxErrorReporter = nullptr;
  ReportExampleListMessage = nullptr;
  MainTerm.reset();
}

}  // namespace
}  // namespace kurvio
