// SPDX-License-Identifier: GPL-3.0-or-later
// The compiler and the evaluator over a table of terms, kept in
// tests/pictures/core/term-values.txt (see support/KeptText.h): each term's message and
// caret, or its value and first three derivatives at chosen x. Every value is
// also the tree walk's, bit for bit, there and at the edges of the program's paths. The rules a
// table does not show follow.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "support/KeptText.h"
#include "term/Term.h"
#include "term/TermCache.h"

namespace kurvio::testing {
namespace {

// Bytes outside printable ASCII as \xNN, so that the kept text stays plain; a
// long text by its start and its length.
std::string Escaped(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  if (text.size() > 80)
    return Escaped(text.substr(0, 40)) + "... (" + std::to_string(text.size()) + " bytes)";
  std::string out;
  for (unsigned char ch : text)
    if (ch >= 0x20 && ch < 0x7F)
      out += static_cast<char>(ch);
    else
      out += std::string("\\x") + kHex[ch >> 4] + kHex[ch & 15];
  return out;
}

constexpr double kA = 2, kB = 3, kC = 0.25, kT = 0.5, kN = 4;

const std::vector<double> kXs = {-100,      -2.5,        -1,  0,           1e-16, 0.5, 1,
                                 1.0000001, 1.570796327, 2.5, 3.141592654, 11,    100, 1e24};

// The edges of the evaluation program's own paths, where it must still agree
// with the tree walk: small powers, sums at the range rule, odd inputs.
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const std::vector<double> kEdges = {
    // clang-format off
    1e-35, 1e30, -1e30, 1e49, -1e49, 1e60, -0.0, kNaN, std::numeric_limits<double>::infinity(),
    1e-30, std::nextafter(1e-30, 1.0), -std::nextafter(1e-30, 1.0), 15, -15,
    std::nextafter(15.0, 0.0), -std::nextafter(15.0, 0.0), 5e49, -5e49, 9e49, -9e49,
    // clang-format on
};

// `text` repeated `count` times around `inner`: "(1+" 3 times and "x" give "(1+(1+(1+x".
std::string Repeated(const std::string& text, int count, const std::string& inner) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out + inner;
}

struct Row {
  std::string text;
  std::vector<double> xs = kXs;
  // 'i' integral, 's' sequence; a number field without variables: 'v', 'S' in a sequence window
  char mode = ' ';
};

const Row kRows[] = {
    // clang-format off
    // Functions across their domains, and the range rule.
    {"1/x", {0, 1e-16, 1e-14, 2}}, {"0/x"}, {"ln(x)"}, {"lg(x)"}, {"ld(x)", {8}}, {"sqrt(x)"},
    {"tan(x)"}, {"cot(x)"}, {"arcsin(x)"}, {"arccos(x)", {0.5, -2}}, {"arctan(x)"}, {"arccot(x)"},
    {"exp(x)"}, {"sinh(x)"}, {"cosh(x)"}, {"tanh(x)"}, {"coth(x)"}, {"normal(x)"}, {"phi(x)"},
    {"maxint(x)"}, {"int(x)"}, {"sgn(x)"}, {"sign(x)+sgn(x)"}, {"abs(x)"}, {"deg(x)"}, {"rad(x)"},
    {"sqr(x)-x^2"}, {"wurzel(x)"}, {"x*x", {1e24, 1e30}}, {"x+x", {5e49, 6e49}}, {"1e60+x", {0}},
    {"-x*1e40", {1e20}}, {"x", {-2e50, kNaN, 1}},
    {"e", {0}}, {"pi", {0}}, {"\xE3", {0}}, {"\xE8(0)", {0}},
    // Powers along their paths.
    {"x^2"}, {"x^0.5"}, {"x^-2"}, {"x^0"}, {"0^x"}, {"x^x"}, {"(-x)^3"}, {"x^(1/3)"}, {"0^0", {0}},
    {"0^(-1)", {0}}, {"0^2.5", {0}}, {"(-8)^3", {0}}, {"(-8)^2.5", {0}}, {"(-8)^(1/3)", {0}},
    {"(-20)^3", {0}}, {"(-20)^8", {0}}, {"2^(-2)", {0}}, {"10^39", {0}}, {"10^40", {0}},
    {"2^x", {1e21, -200, 10}}, {"(-2)^x", {3e9, 3}}, {"(1e-29)^(-6)", {0}}, {"2^x^2"}, {"10^x"},
    {"(x-2)^a"}, {"x^t"}, {"(x-1)^3-sin(x)^2"}, {"(2x)^4-(x+1)^5"}, {"x*1e49*1e49", {1, 0.5}},
    // The cut-offs exactly at their limits.
    {"exp(x)", {90, -90}}, {"sinh(x)", {90, -90}}, {"2^x", {1e20}}, {"0.5^x", {1e20}},
    {"(-2)^x", {2147483647}}, {"x^7", {2, 3}}, {"x^6", {15, -15, 1e-30, 2}}, {"phi(x)", {10, -10}},
    {"1e15/x", {1, 2}}, {"x*2", {5e49}}, {"2x", {5e49}}, {"1e10*x", {1e40}},
    // The factorial from its table, by multiplication and at its cap.
    {"fak(x)", {0, 5, 8, 10, 16, 17, 32, 33, 40, 1000, 2.5, -1}},
    // Implicit multiplication, precedence and the letters.
    {"2x"}, {"3sin(x)"}, {"(x+1)(x-1)"}, {"sin(2x)"}, {"x2"}, {"2pi"}, {"2,5x"}, {"X ^ 2"},
    {"-x^2"}, {"e^-x^2"}, {"2^3^2"}, {"2^-1"}, {"-x/(3-2x)(x+4)"}, {"-x/((3-2x)(x+4))"},
    {"1e-3"}, {"2e3"}, {"+x"}, {"(-x)"}, {"x-1-1"}, {"8/2/2"}, {"-2*3"}, {"5.e2"}, {"ab"},
    {"xt"}, {"ex"}, {"a*sin(b*x+c)+t"}, {"PI/2"}, {"Phi(x)"}, {"sin(pi*phi)"},
    {"x^2 {Parabel, Mitte 1,5}"}, {"   "}, {""}, {"3-x"}, {"x-0.3"}, {"-(-(-x))"}, {"x/(x-x)"},
    {"maxint(x)-int(x)+sgn(x)"}, {"1/(x-1)+1/(x+1)"}, {"sqrt(abs(x))*ln(x^2+1)"},
    // Messages and carets, also behind inserted signs.
    {"{Parabel}"}, {"sin x"}, {"sinx"}, {"cosx"}, {"abs"}, {"(x+1"}, {"x+"}, {"sin("}, {"x+1)"},
    {"()"}, {"x+y"}, {"2*-1"}, {"3/-x"}, {"--x"}, {"5."}, {".5"}, {"2e"}, {"2ex"}, {"2exp(x)"},
    {"1e400"}, {"1.2.3"}, {"2x+y"}, {"2a3b+?"}, {"sin(2x"}, {"((((x+"}, {"\t"}, {"x+\xE3("},
    {std::string("x\0+\xff\x01", 5)},
    // Derivatives at kinks, jumps and poles, and next to them.
    {"abs(x)", {0, 0.003, 0.02}}, {"abs(x-1)", {1.0003}}, {"int(x)", {1, 0.9985}},
    {"1/x", {0.0012, 0.0015}}, {"ln(x)", {0.001, 0.0025, 0.004, 0.015}}, {"1/(x-0.01)", {0}},
    {"x^3-3x", {0, 1}}, {"x^3", {0, 1, 2}}, {"x^4", {0, 0.001}}, {"sin(40x)", {0.3}},
    // The modes of the integral and sequence windows, and number fields.
    {"x", {1}, 'i'}, {"t^2+w", {99}, 'i'}, {"n", {1}, 'i'}, {"w", {1}}, {"x", {1}, 's'},
    {"1/n", {1}, 's'}, {"n", {1}, 'S'}, {"n", {1}}, {"x", {1}, 'v'}, {"2t", {1}, 'v'},
    {"a+b+c+pi", {1}, 'v'},
    // Sums of x and a constant and their look-alikes, failures after a long run,
    // programs to the stack limit and beyond it.
    {"x+2"}, {"2+x"}, {"x-0"}, {"x+5e49"}, {"x-5e49"}, {"1e60*0+x"}, {"ln(0)+x"}, {"fak(2.5)+x"},
    {"(1e-29)^(-6)+x"}, {"tan(x)+cot(x)"}, {"sinh(x)*cosh(x)/tanh(x)"}, {"3x^2-2sin(ax)"},
    {"arcsin(x/10)+arccos(x/20)"}, {"(x+1)(x-1)/(x^2+4)"},
    {Repeated("+x^2-sin(x)*1.01", 40, "+ln(x-x)"), {0.5, -2, 3.25}},
    {Repeated("+x^2-sin(x)*1.01", 40, "+x*1e30*1e30"), {0.5, -2, 3.25, 1e25}},
    {Repeated("(1+", 30, "x") + std::string(30, ')'), {1, 2}},
    {Repeated("(1+", 190, "x") + std::string(190, ')'), {1, 2}},
    // Hostile input: too deep, too long, just below the limits, a long flat chain.
    {Repeated("(", 500, "x")}, {Repeated("sin(", 300, "x")}, {"x^" + Repeated("+", 300, "x")},
    {std::string(kMaxTermLength + 1, '1')}, {Repeated("(", 150, "x") + std::string(150, ')'), {1}},
    {Repeated("+1", 400, ""), {0}}, {std::string(kMaxTermLength, 'x'), {1}},
    // clang-format on
};

TermMode ModeOf(char mode) {
  if (mode == 'i') return TermMode::Integral;
  return mode == 's' || mode == 'S' ? TermMode::Sequence : TermMode::Ordinary;
}

TEST(Terms, CompileAndEvaluateAsKept) {
  std::string kept;
  for (const Row& row : kRows) {
    TermHandle term;
    const TermCompilation compiled =
        Compile(term, row.text, row.mode != 'v' && row.mode != 'S', ModeOf(row.mode));
    kept += "== " + Escaped(row.text) + (row.mode == ' ' ? "" : std::string("  mode ") + row.mode) +
            "  normalised: " + Escaped(NormalizeTerm(row.text)) + "\n";
    if (!compiled.ok) {
      EXPECT_EQ(term, nullptr) << row.text;
      kept += Escaped(compiled.message) + "at " + std::to_string(compiled.errorPos) + "\n";
      continue;
    }
    EXPECT_EQ(compiled.message, "") << row.text;
    for (double x : row.xs) {
      kept += "x " + KeptNumber(x);
      for (int order = 0; order <= 3; ++order) {
        const TermValue v = EvaluateDerivative(term, order, x, kT, kA, kB, kC, kN);
        kept += (order == 0 ? "  f " : "  f" + std::string(order, '\'') + " ") +
                (v.defined ? "" : "undefined ") + KeptNumber(v.value);
      }
      kept += "\n";
    }
    for (const std::vector<double>* xs : {&row.xs, &kEdges})
      for (double x : *xs) {
        const TermValue v = Evaluate(term, x, kT, kA, kB, kC, kN);
        const TermValue tree = EvaluateByTree(term.get(), x, kT, kA, kB, kC, kN);
        EXPECT_EQ(v.defined, tree.defined) << row.text << " at " << x;
        EXPECT_EQ(std::memcmp(&v.value, &tree.value, sizeof v.value), 0) << row.text << " at " << x;
      }
  }
  EXPECT_TRUE(MatchesKept("core/term-values.txt", kept));
}

// Beyond the order of the third derivative the stencil stays the third's.
TEST(Terms, AnyOtherOrderIsTheThirdDerivative) {
  TermHandle term;
  Compile(term, "x^3", true, TermMode::Ordinary);
  for (int order : {7, -1})
    EXPECT_EQ(EvaluateDerivative(term, order, 1, 0, 0, 0, 0, 0).value,
              EvaluateDerivative(term, 3, 1, 0, 0, 0, 0, 0).value);
}

// A rejected symbol is named with its place, a common slip with the way to write it.
TEST(Terms, TheMessageNamesTheSymbolItsPlaceAndTheWayToWriteIt) {
  const struct {
    const char* text;
    const char* message;
  } rows[] = {
      {"|x|", "unbekanntes Symbol „|“ an Stelle 1 — Betrag: abs(x)"},
      {"3 x\xB2", "unbekanntes Symbol „²“ an Stelle 3 — Quadrat: x^2"},  // the blank is dropped
      {"2*-x",
       "unbekanntes Symbol „-“ an Stelle 3 — kein Vorzeichen nach *, /, + oder -: "
       "3*(-x) oder -3x"},
      {"log(x)", "unbekanntes Symbol „l“ an Stelle 1 — Logarithmus: lg(x), ln(x) oder ld(x)"},
      {"1,5,2",
       "Zahldarstellung — eine Zahl hat höchstens ein Komma, mit Ziffern davor und "
       "danach: 0,5 oder 5,0"},
      {"2e",
       "Zahldarstellung — nach einer Zahl steht e für die Zehnerpotenz: 2e3 = 2000, 2·e "
       "schreibt man 2*e"},
      {"1e999", "Zahldarstellung — die Zahl ist zu groß"},
  };
  for (const auto& row : rows) {
    TermHandle term;
    EXPECT_EQ(Compile(term, row.text, true, TermMode::Ordinary).message,
              std::string("Syntaxfehler: ") + row.message);
  }
}

// An undefined part makes the whole term undefined, whatever stands around it,
// with the value of the first failure: 0 for a rule, the capped value for the
// range rule (not negated by the sign around it). Program and tree walk alike.
TEST(Terms, TheFirstFailureIsTheValueOfTheWholeTerm) {
  const struct {
    const char* text;
    double x, value;
  } rows[] = {{"2+sin(sqrt(x))", -1, 0},    {"sqrt(x)*0+5", -1, 0},    {"-exp(200)+x", 0, 1e50},
              {"-(x*1e49*1e49)", 10, 0},    {"ln(x)^0+a*b", 0, 0},     {"1/(1-exp(x^2))", 20, 1e50},
              {"-(-x)+exp(-ln(x))", -2, 0}, {"-(x^3)+1", -1e20, -1e50}};
  for (const auto& row : rows) {
    TermHandle term;
    ASSERT_TRUE(Compile(term, row.text, true, TermMode::Ordinary).ok) << row.text;
    for (const TermValue v :
         {Evaluate(term, row.x, 0, 1, 1, 0, 0), EvaluateByTree(term.get(), row.x, 0, 1, 1, 0, 0)}) {
      EXPECT_FALSE(v.defined) << row.text;
      EXPECT_EQ(v.value, row.value) << row.text;
    }
  }
}

// The windows' flags are the wrappers' business alone: the engine leaves them
// as they are, and the launcher's mode flags pick the variables a term knows.
TEST(Terms, OnlyTheWrappersSetTheWindowsFlags) {
  std::vector<std::string> messages;
  SyntaxErrorReporter = [&](const std::string& m) { messages.push_back(m); };
  TermHandle term;
  TermDefined = true;
  TermErrorPos = 7;
  const TermCompilation failed = Compile(term, "x+", true, TermMode::Ordinary);
  EXPECT_FALSE(Evaluate(term, 1, 0, 0, 0, 0, 0).defined);
  EXPECT_FALSE(EvaluateDerivative(term, 1, 1, 0, 0, 0, 0, 0).defined);
  EXPECT_TRUE(TermDefined);
  EXPECT_EQ(TermErrorPos, 7);
  EXPECT_TRUE(messages.empty());

  CompileTerm(term, "x+", true);
  EXPECT_FALSE(TermDefined);
  EXPECT_EQ(TermErrorPos, failed.errorPos);
  EXPECT_EQ(messages, std::vector<std::string>{failed.message});
  SyntaxErrorReporter = nullptr;
  // Each wrapper sets the flag both ways.
  CompileTerm(term, "sqrt(x)", true);
  EXPECT_TRUE(TermDefined);
  for (const auto& eval :
       {+[](const TermHandle&f, double x) { return EvalTerm(f, x, 0, 0, 0, 0, 0); },
        +[](const TermHandle&f, double x) { return EvalDerivative(f, 1, x, 0, 0, 0, 0, 0); }}) {
    EXPECT_EQ(eval(term, -4), 0.0);
    EXPECT_FALSE(TermDefined);
    EXPECT_GT(eval(term, 4), 0.0);
    EXPECT_TRUE(TermDefined);
  }

  const struct {
    bool integral, sequence;
    const char* text;
    bool known;
  } modes[] = {{false, false, "x+t", true}, {false, false, "n", false}, {true, false, "t+w", true},
               {true, false, "x", false},   {false, true, "n+t", true}, {false, true, "x", false},
               {true, true, "w", true},     {true, true, "n", false}};
  for (const auto& m : modes) {
    TermIntegralMode = m.integral;
    TermSequenceMode = m.sequence;
    CompileTerm(term, m.text, true);
    EXPECT_EQ(TermDefined, m.known) << m.text << " " << m.integral << m.sequence;
  }
  TermIntegralMode = TermSequenceMode = false;
}

}  // namespace
}  // namespace kurvio::testing
