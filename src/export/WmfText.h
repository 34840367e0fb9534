// SPDX-License-Identifier: GPL-3.0-or-later
// Text for the metafile writer: one byte per character in the code page of
// the font, and widths without a font engine. Greek letters and a few math
// signs have no Windows-1252 byte; they go out in the symbol font, which
// every metafile reader knows.
#pragma once

#include <string>
#include <vector>

namespace kurvio {

// A piece of text in one font: Windows-1252 bytes, or symbol-font codes.
struct TextRun {
  bool symbol = false;
  std::string bytes;
};

// Splits UTF-8 text into runs. With `symbolFont` the text is in the symbol
// font already (Latin letters stand for Greek ones) and forms a single run.
std::vector<TextRun> SplitTextRuns(const std::string& utf8, bool symbolFont);

// Advance width of a run in em (Arial proportions, the symbol font's own).
double RunWidthEm(const TextRun& run, bool bold);

// Height of a line (ascent plus descent) in em.
inline constexpr double kLineHeightEm = 1.117;

}  // namespace kurvio
