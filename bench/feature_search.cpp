// SPDX-License-Identifier: GPL-3.0-or-later
// The time the curve discussion's list of special points takes over the
// default view [-7; 7]: the search alone, and the search with the exact forms
// and the rows, as the window makes them when the term changes; for every term
// of the shipped example lists and function list, and for terms that swing
// without end (sin(1/x)) or break up (tan x, int x). Prints the best of a few
// rounds per term, in milliseconds; a frame at 60 Hz has 16,7 ms.
// Usage: feature_search [rounds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "term/FeatureText.h"
#include "term/SpecialPoints.h"
#include "term/Term.h"

namespace {

using Clock = std::chrono::steady_clock;

// The terms of the shipped lists: "term;  comment" lines and "name(x)=term" lines.
std::vector<std::string> ShippedTerms() {
  std::vector<std::string> terms;
  for (const auto& entry : std::filesystem::directory_iterator(KURVIO_DATA_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line[0] == '[') continue;
      if (const auto eq = line.find(")="); eq != std::string::npos)
        line = line.substr(eq + 2);
      else if (const auto semi = line.find(';'); semi != std::string::npos)
        line = line.substr(0, semi);
      terms.push_back(line);
    }
  }
  return terms;
}


}  // namespace

int main(int argc, char** argv) {
  using namespace kurvio;
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  SyntaxErrorReporter = nullptr;
  std::vector<std::string> terms = ShippedTerms();
  const std::size_t shipped = terms.size();
  for (const char* hard : {"sin(1/x)", "tan(x)", "int(x)", "x^3-0,001x", "sin(50x)", "1/x",
                           "sqrt(4-x^2)", "x^2*e^(-x^2)*sin(5x)"})
    terms.push_back(hard);
  std::vector<double> shippedTimes, shippedWhole;
  double worst = 0, worstWhole = 0;
  std::string worstTerm, worstWholeTerm;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    TermHandle term;
    CompileTermQuietly(term, terms[i], true);
    if (!term) continue;
    double best = 1e300, whole = 1e300;
    std::size_t points = 0;
    std::string limit;
    for (int r = 0; r < rounds; ++r) {
      const auto start = Clock::now();
      const CurveFeatures f = FindCurveFeatures(term, {0, 0, 1, 1, 1, 0}, -7, 7);
      const auto searched = Clock::now();
      DescribeFeatures(f, 4, ExactPointsOf(term.get(), 1, 1, 1, -7, 7));
      const auto described = Clock::now();
      best = std::min(best, std::chrono::duration<double, std::milli>(searched - start).count());
      whole = std::min(whole, std::chrono::duration<double, std::milli>(described - start).count());
      points = f.points.size();
      limit = f.limit;
    }
    if (i < shipped) {
      shippedTimes.push_back(best);
      shippedWhole.push_back(whole);
      if (best > worst) worst = best, worstTerm = terms[i];
      if (whole > worstWhole) worstWhole = whole, worstWholeTerm = terms[i];
    } else {
      std::printf("%-24s %8.2f ms, with exact forms %8.2f ms  %3zu points  %s\n", terms[i].c_str(),
                  best, whole, points, limit.c_str());
    }
  }
  std::sort(shippedTimes.begin(), shippedTimes.end());
  std::sort(shippedWhole.begin(), shippedWhole.end());
  if (!shippedTimes.empty()) {
    std::printf("shipped lists, search: %zu terms, median %.2f ms, slowest %.2f ms (%s)\n",
                shippedTimes.size(), shippedTimes[shippedTimes.size() / 2], worst,
                worstTerm.c_str());
    std::printf("shipped lists, with exact forms: median %.2f ms, slowest %.2f ms (%s)\n",
                shippedWhole[shippedWhole.size() / 2], worstWhole, worstWholeTerm.c_str());
  }
  return 0;
}
