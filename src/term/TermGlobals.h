// SPDX-License-Identifier: GPL-3.0-or-later
// The term engine as the windows see it (term/TermGlobals.cpp): the globals
// they share and the functions that pass them to the engine and keep its
// answers in them. The engine itself (term/Term.h) reads none of them.
#pragma once

#include <functional>
#include <string>

#include "term/Term.h"

namespace kurvio {

extern TermHandle MainTerm;
extern TermHandle NumberTerm;
// Whether the last EvalTerm, EvalDerivative or CompileTerm gave a value.
extern bool TermDefined;
// Where the last failed CompileTerm stopped, counted in the text as typed.
extern int TermErrorPos;
// The variables of the open window's terms, raised by its launch: t and w in
// the integral window, n in the sequences' window, else x and t.
extern bool TermIntegralMode;
extern bool TermSequenceMode;
// The mode the two flags give; the integral window's t and w win over n.
TermMode LaunchedTermMode();
// Receives "Syntaxfehler: " + the error text (UTF-8) once per failed compilation; empty = silent.
extern std::function<void(const std::string& message)> SyntaxErrorReporter;

// Compile with the mode the flags above give; sets TermDefined (and
// TermErrorPos on an error) and tells SyntaxErrorReporter of an error.
void CompileTerm(TermHandle& handle, const std::string& text, bool variablesAllowed);
// CompileTerm without a syntax-error message: redraws compile the fields' texts
// again and again, and an error is reported once, when its field is left.
void CompileTermQuietly(TermHandle& handle, const std::string& text, bool variablesAllowed);

// Holds back SyntaxErrorReporter's messages while it lives.
class QuietSyntaxErrors {
 public:
  QuietSyntaxErrors();
  ~QuietSyntaxErrors();
  QuietSyntaxErrors(const QuietSyntaxErrors&) = delete;
  QuietSyntaxErrors& operator=(const QuietSyntaxErrors&) = delete;
  // Whether a message was held back.
  bool HeldBack() const { return heldBack_; }
  // Whether one lives: a field whose error nobody is told of does not hold the focus.
  static bool Active();

 private:
  std::function<void(const std::string& message)> saved_;
  bool heldBack_ = false;
};

// Evaluate and EvaluateDerivative: the value returned, its definedness in TermDefined.
double EvalTerm(const TermHandle& term, double x, double t, double a, double b, double c, double n);
double EvalDerivative(const TermHandle& term, int order, double x, double t, double a, double b,
                      double c, double n);
// f(x) of an analysis window: MainTerm at x with the parameters a, b and c, t = 0.
double EvalWindowTerm(double x);

}  // namespace kurvio
