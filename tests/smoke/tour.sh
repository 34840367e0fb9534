#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A tour of the real program in an X server, as a teacher would take it: the
# start window opens each module window by its button (Tab to the button,
# Space), the window is pictured and closed with Escape, and the program ends
# through "Programm beenden?" with OK.
#   tour.sh KURVIO_EXECUTABLE KURVIO_GRAB [PNG_DIR]
set -euo pipefail

kurvio=$1
grab=$2
pngs=${3:-${KURVIO_PNG_DIR:-}}

# The program runs from a folder of its own, with the files shipped beside it.
work=$(mktemp -d)
pid=""
trap '[[ -z $pid ]] || kill_tree "$pid"; rm -rf "$work"' EXIT
cp "$kurvio" "$work/kurvio"
cp "$(dirname "$kurvio")"/*.txt "$work/" 2>/dev/null || true
# A teacher's settings file with a term in every window.
cp "$(dirname "$0")/tour.ini" "$work/Kurvio.ini"

XDO_TAG=tour
source "$(dirname "$0")/xdo.sh"

"${session_bus[@]}" "$work/kurvio" &
pid=$!
start=$(window '^Kurvio$')
sleep 0.5

# Title of each module window, in the order Tab reaches its button.
modules=(
  "main:^Funktionsgraphen"
  "covariation:^Zuordnung \\(Kovariation\\)"
  "limits:^Grenzwert - Stetigkeit"
  "sequences:^Folgen - Grenzwert"
  "bisection:^Bisektion  -  Berechnung"
  "tangent:^Tangentenproblem"
  "discussion:^Monotonie, Krümmungsverhalten"
  "integral:^Integralfunktion"
  "unitcircle:^Sinus, Tangens"
)
first=1
for module in "${modules[@]}"; do
  name=${module%%:*}
  title=${module#*:}
  if ((first)); then
    keys_to "$start" space
    first=0
  else
    keys_to "$start" Tab space
  fi
  id=$(window "$title")
  sleep 1.5
  picture=()
  [[ -n $pngs ]] && picture=("$pngs/tour-$name.png")
  "$grab" 8 "${picture[@]}" > /dev/null || fail "the window $name painted nothing"
  keys_to "$id" Escape
  gone "$title"
  kill -0 "$pid" 2> /dev/null || fail "the program ended with the window $name"
  echo "tour: $name opened, pictured and closed"
done

end_program "$start" "$pid"
echo "tour: 9 windows, the program ended through \"Programm beenden?\""
