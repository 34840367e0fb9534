// SPDX-License-Identifier: GPL-3.0-or-later
// Term texts are 8-bit strings (Windows-1252, with byte 0xE3 for pi and 0xE8
// for phi); fields show them as QStrings. These two functions are the only
// place where the two meet.
#pragma once

#include <QString>
#include <string>

namespace kurvio {

// Bytes of a term, settings value or example file to display text: 0xE3 -> π,
// 0xE8 -> Φ, every other byte as Windows-1252.
QString TermToDisplay(const std::string& bytes);
// Display text to bytes: π -> 0xE3, Φ -> 0xE8, others as Windows-1252; a
// character that has no byte there becomes '?'.
std::string DisplayToTerm(const QString& text);

}  // namespace kurvio
