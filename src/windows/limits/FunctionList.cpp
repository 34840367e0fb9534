// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/limits/FunctionList.h"

#include <random>

#include "settings/IniFile.h"

namespace kurvio {

const std::array<FunctionFamily, kFunctionFamilyCount> kFunctionFamilies = {{
    {"Lineare Funktionen", 40, "x", "mx+c", "lineare Funktion"},
    {"Quadratische Funktionen", 40, "x^2", "y = a(x-u) ²+v", "quadratische Funktion"},
    {"Potenzfunktionen", 10, "x^3", "x^z", "Potenzfunktion y=x^z"},
    {"x^(n/m)", 20, "x^(1/2)", "x^(a/b)", "x^(a/b)"},
    {"asin(bx+c)+d", 30, "sin(x)", "asin(bx+c)+d", "asin(bx+c)+d"},
    {"a^x", 10, "e^x", "a^x", "a^x"},
    {"log(x)", 10, "ln(x)", " log(x)", "log(x)"},
    {"ganzrational", 20, "1/3x^3-x", "ganzrational", "ganzrational"},
    {"gebrochenrational", 20, "1/(x-1)", "gebrochenrational", "gebrochenrational"},
    {"Sonstige", 40, "abs(x)", "Sonstige", "Sonstige"},
}};

FunctionLists ParseFunctionLists(const std::string& content) {
  const IniFile file(content);
  FunctionLists lists;
  int key = 1;
  for (std::size_t f = 0; f < kFunctionFamilies.size(); ++f) {
    const FunctionFamily& family = kFunctionFamilies[f];
    for (int i = 0; i < family.count; ++i, ++key) {
      std::string term = file.ReadString(family.section, "f" + std::to_string(key) + "(x)", "");
      if (term.empty()) term = family.fallback;  // an entry left empty by hand, too
      if (term.size() > kFunctionTermLength) term.resize(kFunctionTermLength);
      lists[f].push_back(term);
    }
  }
  return lists;
}

int PickFunctionIndex(int count) {
  if (count < 1) return 0;
  static std::mt19937 generator{std::random_device{}()};
  return std::uniform_int_distribution<int>(0, count - 1)(generator);
}

}  // namespace kurvio
