#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's answers on the command line, without a display: --help and
# --version print German text and end with 0, an unknown option or a second
# file says so and ends with 2, and none of them opens a window.
#   command_line.sh KURVIO VERSION
set -uo pipefail
kurvio=$1
version=$2
fail() {
  echo "command line: $*" >&2
  exit 1
}
export -n DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=none-such  # a window would fail to open

out=$("$kurvio" --version 2>&1) && [[ $out == "Kurvio $version" ]] || fail "--version: $out"
out=$("$kurvio" -h 2>&1) && [[ $out == "Aufruf: kurvio [Optionen]"* && $out == *"--version"* ]] ||
  fail "-h: $out"
out=$("$kurvio" -style fusion --help 2>&1) && [[ $out == Aufruf* ]] || fail "Qt's option before --help: $out"
out=$("$kurvio" --zoom 2>&1)
status=$?
[[ $status -eq 2 && $out == *"unbekannte Option „--zoom“"* ]] || fail "--zoom ($status): $out"
out=$("$kurvio" a.kurvio b.kurvio 2>&1)
status=$?
[[ $status -eq 2 && $out == *"nicht auch „b.kurvio“"* ]] || fail "two files ($status): $out"
echo "command line: --help, --version, an unknown option and two files answered without a window"
