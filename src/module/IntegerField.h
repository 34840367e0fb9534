// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a whole number from an edit field.
#pragma once

class QLineEdit;

namespace kurvio {

// The field's text as a decimal integer (blanks around it allowed), or
// `fallback` when it is none or out of the int range.
int ReadIntegerEdit(const QLineEdit* edit, int fallback);

}  // namespace kurvio
