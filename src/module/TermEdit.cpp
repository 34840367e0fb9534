// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/TermEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QValidator>

#include <algorithm>

#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermText.h"

namespace kurvio {

void CompileFieldTerm(const QLineEdit* edit) {
  CompileTermQuietly(MainTerm, DisplayToTerm(edit->text()), true);
  if (!TermDefined) CompileTerm(MainTerm, "0", true);
}

QString DrawnTermText(const QLineEdit* edit) {
  TermHandle probe;
  const bool isTerm = Compile(probe, DisplayToTerm(edit->text()), true, LaunchedTermMode()).ok;
  return isTerm ? edit->text().trimmed() : QStringLiteral("0");
}

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

// Keeps a field's text within its limit; see LimitTermField. A validator sees
// every edit (typing, pasting, dropping) before it is made, and refuses it whole.
class TermFieldLimit : public QValidator {
 public:
  TermFieldLimit(QLineEdit* field, int maxLength)
      : QValidator(field), field_(field), max_(maxLength) {
    // The field's own limit would cut a pasted text silently.
    field->setMaxLength(32767);
    field->setValidator(this);
    // While an edit is validated the field holds it already; the length before it is kept here.
    connect(field, &QLineEdit::textChanged, this,
            [this](const QString& text) { length_ = text.size(); });
  }

  State validate(QString& input, int&) const override {
    // A longer text that the program put there stands, as long as it does not grow.
    if (input.size() <= max_ || input.size() <= length_) return Acceptable;
    // One character more is typing at the limit; more at once came from the clipboard.
    if (input.size() - length_ > 1) {
      // Told once the edit is over, not in the middle of it.
      QTimer::singleShot(0, field_, [max = max_] {
        if (SyntaxErrorReporter) SyntaxErrorReporter(TermTooLongMessage(max));
      });
    }
    return Invalid;
  }

 private:
  QLineEdit* field_;
  const int max_;
  qsizetype length_ = field_->text().size();
};

}  // namespace

std::string TermTooLongMessage(int maxLength) {
  return "Der Term ist zu lang für dieses Feld: es nimmt höchstens " + std::to_string(maxLength) +
         " Zeichen auf. Der eingefügte Text wurde nicht übernommen.";
}

void LimitTermField(QLineEdit* field, int maxLength) { new TermFieldLimit(field, maxLength); }

void InstallSyntaxErrorDialog() { SyntaxErrorReporter = ShowSyntaxError; }

void CheckTermEdit(QLineEdit* edit) { CheckTermEdit(edit, MainTerm); }

bool CheckTermEdit(QLineEdit* edit, TermHandle& term) {
  std::string text = NormalizeTerm(DisplayToTerm(edit->text()));
  std::replace(text.begin(), text.end(), '.', ',');
  edit->setText(TermToDisplay(text));

  CompileTerm(term, DisplayToTerm(edit->text()), true);
  if (TermDefined) return true;
  CompileTerm(term, "0", true);
  TermDefined = false;
  // Taking the focus back may run another field's exit handler, which sets TermDefined anew.
  FocusAtError(edit);
  return false;
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
