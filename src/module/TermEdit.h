// SPDX-License-Identifier: GPL-3.0-or-later
// The term and number fields every window uses, and the syntax-error dialog.
#pragma once

#include <string>

#include "term/Term.h"

class QLineEdit;
class QString;

namespace kurvio {

// How many characters a term field takes: most windows, and the bisection and
// covariation windows with their narrow fields.
inline constexpr int kTermFieldLength = 150;
inline constexpr int kShortTermFieldLength = 40;

// A term field that holds at most `maxLength` characters. Typing stops at the
// limit; a pasted or dropped text that would pass it is not cut short but
// refused whole, with a message (through SyntaxErrorReporter) that says how
// many characters the field takes.
void LimitTermField(QLineEdit* field, int maxLength);

// The message for a text refused by LimitTermField.
std::string TermTooLongMessage(int maxLength);

// Makes the term compiler report syntax errors in an error message box.
void InstallSyntaxErrorDialog();

// On leaving a term field: shows the normalised term with decimal commas and
// compiles it into MainTerm. On a syntax error MainTerm becomes "0",
// TermDefined stays false and the field keeps the focus with the caret at the error
// (unless QuietSyntaxErrors holds the message back).
void CheckTermEdit(QLineEdit* edit);
// The same into `term` (a second term of a window) instead of MainTerm;
// whether the text is a term.
bool CheckTermEdit(QLineEdit* edit, TermHandle& term);
// Compiles the term a field shows into MainTerm without reporting an error, and
// "0" in its place when the text is no term: a stored faulty term is reported
// when its field is left, not when a window opens or repaints.
void CompileFieldTerm(const QLineEdit* edit);
// The term a field's graph is drawn from, as the field writes it: its text when that is a
// term, "0" (what CompileFieldTerm and CheckTermEdit put in its place) when not. Leaves
// TermDefined and TermErrorPos as they were.
QString DrawnTermText(const QLineEdit* edit);

// On leaving a number field: the constant expression typed there becomes
// `value` and is shown formatted. An undefined value restores `fallback`; a
// syntax error leaves `value` and the text alone and keeps the focus (as above).
void ReadNumberEdit(QLineEdit* edit, double& value, double fallback);

}  // namespace kurvio
