// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own cursors: 1 the zoom cursor (a magnifier), 4 the drag
// cursor (a hand with arrows); 2, 3 and 5 are further pointers.
#pragma once

#include <QCursor>

namespace kurvio {

QCursor ProgramCursor(int number);

}  // namespace kurvio
