list(APPEND KURVIO_CORE_SOURCES
  term/Term.cpp
  term/TermEval.cpp
  term/NumberFormat.cpp
)
list(APPEND KURVIO_UI_SOURCES
  term/TermText.cpp
  term/TermEdit.cpp
)
