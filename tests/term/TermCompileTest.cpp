// The compiler: normalisation, implicit multiplication, the error table with
// its caret positions, the modes and the limits on hostile input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "term/Term.h"

namespace kurvio {
namespace {

// Captures what the compiler reports, and restores the global modes afterwards.
class CompileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    messages.clear();
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
    TermIntegralMode = false;
    TermSequenceMode = false;
  }
  void TearDown() override {
    SyntaxErrorReporter = nullptr;
    TermIntegralMode = false;
    TermSequenceMode = false;
    MainTerm.reset();
  }
  bool Compile(const std::string& text, bool variables = true) {
    messages.clear();
    CompileTerm(MainTerm, text, variables);
    return TermDefined;
  }
  double At(double x, double t = 0, double a = 0, double b = 0, double c = 0, double n = 0) {
    return EvalTerm(MainTerm, x, t, a, b, c, n);
  }
  std::vector<std::string> messages;
};

TEST_F(CompileTest, NormalizeOrder) {
  struct Case {
    const char* in;
    std::string out;
  };
  const Case cases[] = {
      // clang-format off
      {"X ^ 2", "x^2"}, {"2,5 X", "2.5x"}, {"PI/2", "\xE3/2"}, {"Phi(x)", "\xE8(x)"},
      {"sin(pi*phi)", "sin(\xE3*\xE8)"}, {"x^2 {Parabel, Mitte 1,5}", "x^2{Parabel, Mitte 1,5}"},
      {"{ganz Kommentar}", "{ganz Kommentar}"}, {"", ""}, {"   ", ""},
      // clang-format on
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizeTerm(c.in), c.out) << c.in;
}

TEST_F(CompileTest, EmptyAndCommentCompileAsExpected) {
  EXPECT_TRUE(Compile(""));
  EXPECT_EQ(At(5), 0.0);
  EXPECT_TRUE(Compile("   "));
  EXPECT_EQ(At(5), 0.0);
  EXPECT_TRUE(Compile("x^2 {Parabel}"));
  EXPECT_EQ(At(3), 9.0);
  EXPECT_FALSE(Compile("{Parabel}"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Syntaxfehler: unbekanntes Symbol ");
}

// Each row: text, x, expected value.
TEST_F(CompileTest, ImplicitMultiplicationAndPrecedence) {
  struct Case {
    const char* text;
    double x;
    double expected;
  };
  const Case cases[] = {
      // clang-format off
      {"2x", 3, 6}, {"3sin(x)", 0.5, 3 * std::sin(0.5)}, {"(x+1)(x-1)", 3, 8},
      {"sin(2x)", 0.25, std::sin(0.5)}, {"x2", 3, 6}, {"2pi", 0, 2 * 3.141592654}, {"2,5x", 2, 5},
      {"X^2", -3, 9}, {"-x^2", 3, -9}, {"e^-x^2", 1, 1 / 2.718281829}, {"2^3^2", 0, 64},
      {"2^-1", 0, 0.5}, {"-x/(3-2x)(x+4)", 1, (-1.0 / 1.0) * 5.0},
      {"-x/((3-2x)(x+4))", 1, -1.0 / 5.0}, {"1e-3", 0, 0.001}, {"2e3", 0, 2000}, {"+x", 4, 4},
      {"(-x)", 4, -4}, {"x-1-1", 4, 2}, {"8/2/2", 0, 2}, {"-2*3", 0, -6},
      {"sinh(x)", 1, std::sinh(1.0)}, {"sqrt(x)+sqr(x)", 4, 18}, {"wurzel(x)", 9, 3},
      {"sign(x)+sgn(x)", -2, -2}, {"5.e2", 0, 500},
      // clang-format on
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Compile(c.text)) << c.text;
    EXPECT_NEAR(At(c.x), c.expected, 1e-9 * (1 + std::fabs(c.expected))) << c.text;
    EXPECT_TRUE(TermDefined) << c.text;
  }
}

TEST_F(CompileTest, LettersAreSingleNames) {
  ASSERT_TRUE(Compile("ab"));
  EXPECT_EQ(At(0, 0, 2, 3), 6.0);
  ASSERT_TRUE(Compile("xt"));
  EXPECT_EQ(At(2, 5), 10.0);
  ASSERT_TRUE(Compile("ex"));
  EXPECT_NEAR(At(1), 2.718281829, 1e-12);
  ASSERT_TRUE(Compile("a*sin(b*x+c)+t"));
  EXPECT_NEAR(At(1, 0.5, 2, 3, 0.25), 2 * std::sin(3.25) + 0.5, 1e-12);
}

// Each row: text, expected message text, expected caret position.
TEST_F(CompileTest, ErrorTableAndCaret) {
  struct Case {
    const char* text;
    const char* message;
    int pos;
  };
  const Case cases[] = {
      // clang-format off
      {"sin x", "Klammer \"(\" fehlt ", 4}, {"sinx", "Klammer \"(\" fehlt ", 4},
      {"cosx", "Klammer \"(\" fehlt ", 4}, {"abs", "Klammer \"(\" fehlt ", 4},
      {"(x+1", "unvollständig ", 5}, {"x+", "unvollständig ", 3}, {"sin(", "unvollständig ", 5},
      {"x+1)", "Klammer \")\" zuviel ", 4}, {"()", "Klammer \")\" zuviel ", 2},
      {"x+y", "unbekanntes Symbol ", 3}, {"2*-1", "unbekanntes Symbol ", 3},
      {"3/-x", "unbekanntes Symbol ", 3}, {"--x", "unbekanntes Symbol ", 2},
      {"5.", "Zahldarstellung ", 3}, {".5", "Zahldarstellung ", 1}, {"2e", "Zahldarstellung ", 3},
      {"2ex", "Zahldarstellung ", 3}, {"2exp(x)", "Zahldarstellung ", 3},
      {"1e400", "Zahldarstellung ", 6}, {"1.2.3", "Zahldarstellung ", 4},
      // clang-format on
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Compile(c.text)) << c.text;
    EXPECT_EQ(MainTerm, nullptr) << c.text;
    ASSERT_EQ(messages.size(), 1u) << c.text;
    EXPECT_EQ(messages[0], std::string("Syntaxfehler: ") + c.message) << c.text;
    EXPECT_EQ(TermErrorPos, c.pos) << c.text;
  }
}

TEST_F(CompileTest, CaretIsCorrectedByInsertedSigns) {
  // "2x+y" is parsed as "2*x+y": the error stands at the y, position 4 of what the user typed.
  EXPECT_FALSE(Compile("2x+y"));
  EXPECT_EQ(TermErrorPos, 4);
  // Two inserted signs before the error.
  EXPECT_FALSE(Compile("2a3b+?"));
  EXPECT_EQ(TermErrorPos, 6);
  // A missing ")" at the end appends "*" and then fails as incomplete.
  EXPECT_FALSE(Compile("sin(2x"));
  EXPECT_EQ(messages[0], "Syntaxfehler: unvollständig ");
}

TEST_F(CompileTest, VariablesNotAllowed) {
  EXPECT_FALSE(Compile("x", false));
  EXPECT_EQ(messages[0], "Syntaxfehler: unbekanntes Symbol ");
  EXPECT_FALSE(Compile("2t", false));
  EXPECT_TRUE(Compile("a+b+c+pi", false));
  EXPECT_NEAR(At(0, 0, 1, 2, 3), 6 + 3.141592654, 1e-12);
}

TEST_F(CompileTest, IntegralAndSequenceModes) {
  TermIntegralMode = true;
  EXPECT_FALSE(Compile("x"));
  ASSERT_TRUE(Compile("t^2+w"));
  EXPECT_EQ(At(99, 3), 9.0);  // w evaluates to 0
  EXPECT_FALSE(Compile("n"));
  TermIntegralMode = false;
  EXPECT_FALSE(Compile("w"));

  TermSequenceMode = true;
  EXPECT_FALSE(Compile("x"));
  ASSERT_TRUE(Compile("1/n"));
  EXPECT_EQ(At(0, 0, 0, 0, 0, 4), 0.25);
  EXPECT_TRUE(Compile("n", false));  // the index is no variable for number fields
  TermSequenceMode = false;
  EXPECT_FALSE(Compile("n"));
}

TEST_F(CompileTest, OneMessagePerFailedCompilation) {
  EXPECT_FALSE(Compile("((((x+"));
  EXPECT_EQ(messages.size(), 1u);
  SyntaxErrorReporter = nullptr;  // silent
  EXPECT_FALSE(Compile("x+"));
}

TEST_F(CompileTest, HostileInputIsRejectedWithoutCrash) {
  std::string deep(500, '(');
  deep += "x";
  EXPECT_FALSE(Compile(deep));
  EXPECT_EQ(messages[0], "Syntaxfehler: Term zu tief verschachtelt ");

  std::string signs = "x^";
  for (int i = 0; i < 300; ++i) signs += "+";
  EXPECT_FALSE(Compile(signs + "x"));

  std::string functions;
  for (int i = 0; i < 300; ++i) functions += "sin(";
  EXPECT_FALSE(Compile(functions + "x"));

  // Just below the limit works.
  std::string ok(150, '(');
  ok += "x" + std::string(150, ')');
  EXPECT_TRUE(Compile(ok));

  EXPECT_FALSE(Compile(std::string(kMaxTermLength + 1, '1')));
  EXPECT_EQ(messages[0], "Syntaxfehler: Term zu lang ");

  // A long flat chain is fine and is freed without deep recursion.
  std::string chain = "1";
  for (int i = 0; i < 400; ++i) chain += "+1";
  ASSERT_TRUE(Compile(chain));
  EXPECT_EQ(At(0), 401.0);
  std::string letters(kMaxTermLength, 'x');
  ASSERT_TRUE(Compile(letters));
  EXPECT_EQ(At(1), 1.0);

  const std::string bytes("x\0+\xff\x01", 5);
  EXPECT_FALSE(Compile(bytes));
  EXPECT_FALSE(Compile("\t"));
  EXPECT_FALSE(Compile("x+\xe3("));
}

TEST_F(CompileTest, PiAndPhiBytesTypedDirectly) {
  ASSERT_TRUE(Compile("\xE3"));
  EXPECT_NEAR(At(0), 3.141592654, 1e-12);
  ASSERT_TRUE(Compile("\xE8(0)"));
  EXPECT_NEAR(At(0), 0.5, 1e-9);
}

}  // namespace
}  // namespace kurvio
