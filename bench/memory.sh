#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Idle memory of the program with the main window open, under Xvfb: the
# resident set (VmRSS) a few seconds after the window has painted.
# Usage: bench/memory.sh [build dir]
set -euo pipefail
build=${1:-build}
display=:96
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; kill $pid 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb
cp "$build/kurvio" "$build"/*.txt "$work/"
"$work/kurvio" &
pid=$!
start=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kurvio$' | head -n 1)
grep VmRSS "/proc/$pid/status" | sed 's/^/start window: /'
xdotool windowfocus --sync "$start"
sleep 0.3
xdotool key space  # "Funktionsgraphen"
timeout 20 xdotool search --sync --onlyvisible --name '^Funktionsgraphen' > /dev/null
sleep 3
grep -E 'VmRSS|VmHWM' "/proc/$pid/status" | sed 's/^/main window: /'
