#include "plot/Canvas.h"

#include <cctype>

namespace kurvio {

bool IsSymbolFont(const std::string& name) {
  static const char kSymbol[] = "symbol";
  if (name.size() != sizeof kSymbol - 1) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != kSymbol[i]) return false;
  return true;
}

std::string SymbolFontText(const std::string& text) {
  // The Greek letter each Latin letter stands for in the symbol font.
  static const char* const kLower[26] = {"α", "β", "χ", "δ", "ε", "φ", "γ", "η", "ι",
                                         "ϕ", "κ", "λ", "μ", "ν", "ο", "π", "θ", "ρ",
                                         "σ", "τ", "υ", "ϖ", "ω", "ξ", "ψ", "ζ"};
  static const char* const kUpper[26] = {"Α", "Β", "Χ", "Δ", "Ε", "Φ", "Γ", "Η", "Ι",
                                         "ϑ", "Κ", "Λ", "Μ", "Ν", "Ο", "Π", "Θ", "Ρ",
                                         "Σ", "Τ", "ϒ", "ς", "Ω", "Ξ", "Ψ", "Ζ"};
  std::string out;
  for (char c : text) {
    if (c >= 'a' && c <= 'z')
      out += kLower[c - 'a'];
    else if (c >= 'A' && c <= 'Z')
      out += kUpper[c - 'A'];
    else
      out.push_back(c);
  }
  return out;
}

}  // namespace kurvio
