#include "term/TermEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>

#include <algorithm>

#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermText.h"

namespace kurvio {
namespace {

void ShowSyntaxError(const std::string& message) {
  QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Fehler"),
                        QString::fromStdString(message), QMessageBox::Ok);
}

// Bytes of a term and characters of the field correspond one to one. An error
// held back leaves the focus where the user put it.
void FocusAtError(QLineEdit* edit) {
  if (QuietSyntaxErrors::Active()) return;
  edit->setFocus();
  edit->setCursorPosition(std::clamp(TermErrorPos, 0, static_cast<int>(edit->text().size())));
}

}  // namespace

void InstallSyntaxErrorDialog() { SyntaxErrorReporter = ShowSyntaxError; }

void CheckTermEdit(QLineEdit* edit) {
  std::string text = NormalizeTerm(DisplayToTerm(edit->text()));
  std::replace(text.begin(), text.end(), '.', ',');
  edit->setText(TermToDisplay(text));

  CompileTerm(MainTerm, DisplayToTerm(edit->text()), true);
  if (!TermDefined) {
    CompileTerm(MainTerm, "0", true);
    TermDefined = false;
    FocusAtError(edit);
  }
}

void ReadNumberEdit(QLineEdit* edit, double& value, double fallback) {
  CompileTerm(NumberTerm, DisplayToTerm(edit->text()), false);
  if (!TermDefined) {
    FocusAtError(edit);
    return;
  }
  const double result = EvalTerm(NumberTerm, 0, 0, 0, 0, 0, 0);
  value = TermDefined ? result : fallback;
  edit->setText(QString::fromStdString(FormatNumber(Nachkommastellen, value)));
}

}  // namespace kurvio
