// SPDX-License-Identifier: GPL-3.0-or-later
// CLN (under GiNaC, term/ExactForm) allocates a few bytes in its static
// initialisation that it never frees; LeakSanitizer is told to overlook them,
// and nothing else.
extern "C" const char* __lsan_default_suppressions() { return "leak:libcln.so\n"; }
