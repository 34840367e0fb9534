#!/usr/bin/env bash
# The installed program in an X server: `cmake --install` into a fresh prefix
# puts every file where a desktop looks for it, and the installed copy reads its
# shipped files from the prefix while what the teacher saves goes to the
# per-user directory, with nothing copied there at start and nothing changed
# under the prefix.
#   install.sh CMAKE BUILD_DIR DATA_DIR [PNG_DIR]
set -euo pipefail

cmake=$1
build=$2
data=$3
pngs=${4:-${KURVIO_PNG_DIR:-}}

XDO_TAG=install
source "$(dirname "$0")/xdo.sh"

tmp=$(mktemp -d)
pid=""
# Under strace the program is the tracer's child.
stop_program() {
  [[ -n $pid ]] || return 0
  local child
  for child in $(pgrep -P "$pid" 2>/dev/null || true); do kill "$child" 2>/dev/null || true; done
  kill "$pid" 2>/dev/null || true
}
trap 'stop_program; rm -rf "$tmp"' EXIT

prefix=$tmp/prefix
# A DESTDIR of the caller's would put the files elsewhere.
env -u DESTDIR "$cmake" --install "$build" --prefix "$prefix" > "$tmp/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$tmp/install.log")"

# Every file where it belongs, and nothing else.
expected=(bin/kurvio share/applications/kurvio.desktop share/icons/hicolor/scalable/apps/kurvio.svg)
for f in "$data"/*.txt; do expected+=("share/kurvio/${f##*/}"); done
want=$(printf '%s\n' "${expected[@]}" | sort)
got=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | sort)
[[ $got == "$want" ]] || fail "installed files differ:$(diff <(echo "$want") <(echo "$got") | sed 's/^/ /')"
[[ -x $prefix/bin/kurvio ]] || fail "bin/kurvio is not executable"
for f in "$data"/*.txt; do
  cmp -s "$f" "$prefix/share/kurvio/${f##*/}" || fail "share/kurvio/${f##*/} differs from $f"
done

entry=$prefix/share/applications/kurvio.desktop
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate failed: $report"
[[ -z $report ]] || fail "desktop-file-validate: $report"

rsvg-convert -w 256 "$prefix/share/icons/hicolor/scalable/apps/kurvio.svg" -o "$tmp/icon.png" ||
  fail "rsvg-convert cannot render the icon"
[[ -s $tmp/icon.png && $(head -c 4 "$tmp/icon.png" | tail -c 3) == PNG ]] ||
  fail "the icon rendered to no PNG"
[[ -n $pngs ]] && cp "$tmp/icon.png" "$pngs/install-icon.png"
echo "install: files in place, the desktop entry valid, the icon rendered"

# The program sees a home of its own, so nothing of the real user is touched.
export HOME=$tmp/home
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
mkdir -p "$XDG_CONFIG_HOME"
userdir=$XDG_CONFIG_HOME/Kurvio

trace=()
if strace -o /dev/null true > /dev/null 2>&1; then
  trace=(strace -f -e trace=openat -o "$tmp/open.log")
else
  echo "install: strace cannot trace here; the check of the files read is skipped"
fi
touch "$tmp/marker"
"${trace[@]}" "$prefix/bin/kurvio" &
pid=$!
start=$(window '^Kurvio$')
sleep 0.5

# The first module button has the focus; the covariation window reads Bsp5.txt as it opens.
keys_to "$start" Tab space
covariation=$(window '^Zuordnung \(Kovariation\)')
sleep 0.5
keys_to "$covariation" Escape
gone '^Zuordnung \(Kovariation\)'
early=$(find "$userdir" -mindepth 1 2>/dev/null || true)
[[ -z $early ]] || fail "files in the user directory before anything was saved: $early"

# From the covariation button past the other seven module buttons to "Einstellungen".
keys_to "$start" Tab Tab Tab Tab Tab Tab Tab Tab space
settings=$(window '^Einstellungen')
sleep 0.5
keys_to "$settings" alt+a
for _ in $(seq 50); do
  [[ -f $userdir/Kurvio.ini ]] && break
  sleep 0.1
done
[[ -f $userdir/Kurvio.ini ]] || fail "\"Aktuelle Einstellungen und Eingaben speichern\" wrote no $userdir/Kurvio.ini"
keys_to "$settings" alt+o
gone '^Einstellungen'

end_program "$start" "$pid"
pid=""

# A successful open of the shipped file; strace may split a call that another
# thread interrupts into "<unfinished ...>" and "<... openat resumed>".
if ((${#trace[@]})); then
  awk -v path="\"$prefix/share/kurvio/Bsp5.txt\"" '
    /openat\(/ && index($0, path) {
      if ($0 ~ / = [0-9]+$/) ok = 1
      else if ($0 ~ /<unfinished \.\.\.>$/) pending[$1] = 1
      next
    }
    ($1 in pending) && /<\.\.\. openat resumed>/ {
      if ($0 ~ / = [0-9]+$/) ok = 1
      delete pending[$1]
    }
    END { exit !ok }' "$tmp/open.log" ||
    fail "the program did not read $prefix/share/kurvio/Bsp5.txt:$(grep -F Bsp5 "$tmp/open.log" | sed 's/^/ /')"
fi
grep -q '^\[' "$userdir/Kurvio.ini" || fail "$userdir/Kurvio.ini is no settings file"
others=$(find "$userdir" -mindepth 1 ! -name Kurvio.ini)
[[ -z $others ]] || fail "more than the settings in $userdir: $others"
changed=$(find "$prefix" -newer "$tmp/marker")
[[ -z $changed ]] || fail "the program changed the installed files: $changed"
echo "install: the installed copy read its files from the prefix and saved to $userdir only"
