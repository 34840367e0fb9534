# SPDX-License-Identifier: GPL-3.0-or-later
list(APPEND KURVIO_CORE_SOURCES
  term/Term.cpp
  term/TermGlobals.cpp
  term/TermEval.cpp
  term/TermProgram.cpp
  term/TermBatch.cpp
  term/TermCompare.cpp
  term/Poles.cpp
  term/Smoothness.cpp
  term/Symbolic.cpp
  term/SymbolicText.cpp
  term/Derivative.cpp
  term/Quadrature.cpp
  term/StripSums.cpp
  term/SpecialPoints.cpp
  term/FeatureText.cpp
  term/ExactForm.cpp
  term/NumberFormat.cpp
)
list(APPEND KURVIO_UI_SOURCES
  term/TermText.cpp
)
# The evaluator runs once per pixel column for every curve and frame; errno
# from the maths library is never read, so sqrt and friends may be inlined.
set_source_files_properties(term/TermEval.cpp term/TermGlobals.cpp term/TermProgram.cpp term/TermBatch.cpp PROPERTIES COMPILE_OPTIONS
                            "-O3;-fno-math-errno")
