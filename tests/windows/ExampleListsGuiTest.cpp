// The example list as each analysis window wires it: an example picked from
// the list replaces a faulty term without the syntax error coming back.
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

template <typename Form>
std::unique_ptr<QDialog> OpenOne() {
  return std::make_unique<Form>();
}

TEST(ExampleListsTest, InEveryWindowAnExampleReplacesAFaultyTerm) {
  const struct {
    std::unique_ptr<QDialog> (*open)();
    const char *get, *add;
    // Two examples in the window's variable, which only the right mode accepts.
    const char *first, *second;
    // The modes the launcher raises for the window: x on a number line, n the index.
    bool numberLine = false, sequence = false;
  } windows[] = {{OpenOne<TForm3>, "SpeedButton1", "SpeedButton4", "x^2", "x/2"},
                 {OpenOne<TForm7>, "SpeedButton1", "SpeedButton4", "t^2", "t/2"},
                 {OpenOne<TForm8>, "SpeedButton1", "SpeedButton4", "x^2", "x/2"},
                 {OpenOne<TForm11>, "SpeedButton1", "SpeedButton4", "x^2", "x/2"},
                 {OpenOne<TForm12>, "SpeedButton3", "SpeedButton7", "x^2", "x/2", true},
                 {OpenOne<TForm13>, "SpeedButton3", "SpeedButton7", "x^2", "x/2"},
                 {OpenOne<TForm15>, "SpeedButton1", "SpeedButton4", "1/n", "n/2", false, true}};
  std::vector<std::string> errors;
  SyntaxErrorReporter = [&](const std::string& m) { errors.push_back(m); };
  for (const auto& w : windows) {
    TempDir dir;
    UseDefaultSettingsIn(dir);
    NumberLineMode = w.numberLine;
    TermSequenceMode = w.sequence;
    errors.clear();
    const std::unique_ptr<QDialog> form = w.open();
    SCOPED_TRACE(form->metaObject()->className());
    auto* list = form->findChild<QListWidget*>("ListBox1");
    auto* term = form->findChild<QLineEdit*>("Edit1");
    form->resize(1100, 750);
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (const char* text : {w.first, w.second}) {
      TypeInto(form.get(), term, QString::fromLatin1(text));
      form->findChild<QAbstractButton*>(w.add)->click();
    }
    // A faulty term is reported once; clicking into the list brings no second message,
    // and the example picked there replaces the text.
    term->setFocus();
    term->setText(QStringLiteral("2*(3"));
    form->findChild<QLineEdit*>("Edit2")->setFocus();
    EXPECT_EQ(errors.size(), 1u);
    const QPoint row = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
    form->findChild<QAbstractButton*>(w.get)->click();
    EXPECT_EQ(term->text(), w.second);
    EXPECT_EQ(errors.size(), 1u);
  }
  NumberLineMode = TermSequenceMode = false;
  SyntaxErrorReporter = nullptr;
  MainTerm.reset();
}

}  // namespace
}  // namespace kurvio
