#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Time from launching the program to its start window painted, under Xvfb:
# the median of 10 runs in milliseconds. Usage: bench/startup.sh [build dir]
set -euo pipefail
build=${1:-build}
probe="$build/bench/startup_probe"
display=:97
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
times=()
for _ in $(seq 10); do
  t0=$(date +%s%N)
  t1=$(DISPLAY=$display QT_QPA_PLATFORM=xcb "$probe" 2>/dev/null | tail -n 1)
  times+=($(( (t1 - t0) / 1000000 )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "startup ms: ${sorted[*]}"
echo "median ms: $(( (sorted[4] + sorted[5]) / 2 ))"
