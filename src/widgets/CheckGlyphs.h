// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own check-box pictures for TBitCheckBox: each bitmap holds
// the normal and the disabled image side by side.
#pragma once

#include <QPixmap>

#include "widgets/TBitCheckBox.h"

namespace kurvio {

constexpr int kCheckGlyphSize = 13;

// Two 13 x 13 images of the box in the given state.
QPixmap MakeCheckGlyph(TCheckBoxState state);

// Gives the box the three pictures above, two images each.
void UseStandardCheckGlyphs(TBitCheckBox& box);

}  // namespace kurvio
