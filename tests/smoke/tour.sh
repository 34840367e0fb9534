#!/usr/bin/env bash
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
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$kurvio" "$work/kurvio"
cp "$(dirname "$kurvio")"/*.txt "$work/" 2>/dev/null || true
# A teacher's settings file with a term in every window.
cp "$(dirname "$0")/tour.ini" "$work/Kurvio.ini"

fail() {
  echo "tour: $*" >&2
  exit 1
}

# The id of the visible window whose name matches, waiting up to 20 seconds.
window() {
  local id
  id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1) ||
    fail "no window \"$1\""
  [[ -n $id ]] || fail "no window \"$1\""
  echo "$id"
}

gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" > /dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window \"$1\" is still open"
}

keys_to() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id"
  sleep 0.2
  xdotool key --delay 80 "$@"
}

"$work/kurvio" &
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

# "&Ende", then OK in "Programm beenden?" (the message box is the second "Kurvio" window).
keys_to "$start" alt+e
box=""
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name '^Kurvio$' 2>/dev/null | grep -vx "$start" | head -n 1 || true)
  [[ -n $box ]] && break
  sleep 0.1
done
[[ -n $box ]] || fail "no question \"Programm beenden?\""
keys_to "$box" Return
for _ in $(seq 100); do
  kill -0 "$pid" 2> /dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2> /dev/null && fail "the program is still running after OK"
wait "$pid" || fail "the program ended with an error"
echo "tour: 9 windows, the program ended through \"Programm beenden?\""
