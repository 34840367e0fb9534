// SPDX-License-Identifier: GPL-3.0-or-later
// The term engine as the windows see it: the window's term and the number
// fields' term, whether the last evaluation or compilation gave a value and
// where a compilation failed, the variables the open window's terms know, and
// who is told of a syntax error. The engine itself takes all of these as
// arguments and returns them; the functions here pass and keep them, and are
// the only code that writes TermDefined.
#include "term/TermGlobals.h"

#include <utility>

#include "settings/Settings.h"
#include "term/TermProgram.h"

namespace kurvio {

TermHandle MainTerm;
TermHandle NumberTerm;
bool TermDefined = false;
int TermErrorPos = 0;
bool TermIntegralMode = false;
bool TermSequenceMode = false;
std::function<void(const std::string& message)> SyntaxErrorReporter;

namespace {
int quietDepth = 0;
}  // namespace

TermMode LaunchedTermMode() {
  if (TermIntegralMode) return TermMode::Integral;
  return TermSequenceMode ? TermMode::Sequence : TermMode::Ordinary;
}

QuietSyntaxErrors::QuietSyntaxErrors() : saved_(std::move(SyntaxErrorReporter)) {
  SyntaxErrorReporter = [this](const std::string&) { heldBack_ = true; };
  ++quietDepth;
}

QuietSyntaxErrors::~QuietSyntaxErrors() {
  SyntaxErrorReporter = std::move(saved_);
  --quietDepth;
}

bool QuietSyntaxErrors::Active() { return quietDepth > 0; }

void CompileTerm(TermHandle& handle, const std::string& text, bool variablesAllowed) {
  const TermCompilation result = Compile(handle, text, variablesAllowed, LaunchedTermMode());
  TermDefined = result.ok;
  if (result.ok) return;
  TermErrorPos = result.errorPos;
  if (SyntaxErrorReporter) SyntaxErrorReporter(result.message);
}

void CompileTermQuietly(TermHandle& handle, const std::string& text, bool variablesAllowed) {
  const QuietSyntaxErrors quiet;
  CompileTerm(handle, text, variablesAllowed);
}

double EvalTerm(const TermHandle& term, double x, double t, double a, double b, double c,
                double n) {
  const TermValue v = detail::EvaluateInline(term.get(), x, t, a, b, c, n);
  TermDefined = v.defined;
  return v.value;
}

double EvalWindowTerm(double x) { return EvalTerm(MainTerm, x, 0, ParamA, ParamB, ParamC, 0); }

double EvalDerivative(const TermHandle& term, int order, double x, double t, double a, double b,
                      double c, double n) {
  const TermValue v = EvaluateDerivative(term, order, x, t, a, b, c, n);
  TermDefined = v.defined;
  return v.value;
}

}  // namespace kurvio
