// SPDX-License-Identifier: GPL-3.0-or-later
#include "term/TermText.h"

#include "settings/TextEncoding.h"

namespace kurvio {

QString TermToDisplay(const std::string& bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char c : bytes) text.append(QChar(CodePointOfByte(static_cast<unsigned char>(c))));
  return text;
}

std::string DisplayToTerm(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) bytes.push_back(ByteOfCodePoint(c.unicode()));
  return bytes;
}

}  // namespace kurvio
