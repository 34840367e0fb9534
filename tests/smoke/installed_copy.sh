# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# An installed copy of the program in an X server, sourced by the install and
# package checks after xdo.sh: it reads its shipped files from its prefix, saves
# what the teacher saves to the per-user directory only, copies nothing there at
# start and changes nothing under the prefix; and a second start hands over to
# the running program instead of opening a second copy.
#   check_installed_copy PREFIX TMP
#   check_second_instance PREFIX TMP

pid=""
# Under its session bus and strace the program is a grandchild of $pid.
stop_program() {
  [[ -n $pid ]] || return 0
  kill_tree "$pid"
}

check_installed_copy() {
  local prefix=$1 tmp=$2
  # The program sees a home of its own, so nothing of the real user is touched.
  export HOME=$tmp/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
  # The running program's socket lies here, apart from any Kurvio of the real user.
  export XDG_RUNTIME_DIR=$tmp/run
  mkdir -p "$XDG_CONFIG_HOME"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  local userdir=$XDG_CONFIG_HOME/Kurvio start covariation settings early others changed

  local trace=()
  if strace -o /dev/null true > /dev/null 2>&1; then
    trace=(strace -f -e trace=openat -o "$tmp/open.log")
  else
    echo "${XDO_TAG}: strace cannot trace here; the check of the files read is skipped"
  fi
  touch "$tmp/marker"
  # strace follows the program and what it starts, not its session bus.
  "${session_bus[@]}" "${trace[@]}" "$prefix/bin/kurvio" &
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
  echo "${XDO_TAG}: the installed copy read its files from the prefix and saved to $userdir only"
}

# A second start of the installed program, without a file, while the first runs
# (after check_installed_copy, in its home): it brings the running program to
# the front, ends at once with status 0 and opens no window of its own; the
# running one ends as ever and leaves no socket behind.
check_second_instance() {
  local prefix=$1 tmp=$2 start status windows left unit
  "${session_bus[@]}" "$prefix/bin/kurvio" &
  pid=$!
  start=$(window '^Kurvio$')
  for _ in $(seq 50); do
    [[ -n $(find "$XDG_RUNTIME_DIR" -name 'kurvio-*' -type s) ]] && break
    sleep 0.1
  done
  [[ -n $(find "$XDG_RUNTIME_DIR" -name 'kurvio-*' -type s) ]] ||
    fail "the running program has no socket in $XDG_RUNTIME_DIR: $(ls -A "$XDG_RUNTIME_DIR")"
  status=0
  timeout 20 "$prefix/bin/kurvio" > "$tmp/second.log" 2>&1 || status=$?
  [[ $status -eq 0 ]] || fail "the second start ended with $status: $(cat "$tmp/second.log")"
  sleep 0.5
  windows=$(xdotool search --onlyvisible --name '^Kurvio$' 2> /dev/null | wc -l)
  [[ $windows -eq 1 ]] || fail "$windows start windows after the second start"
  kill -0 "$pid" 2> /dev/null || fail "the running program ended with the second start"
  # A lesson file handed over opens in the running program.
  printf '[Kurvio-Stunde]\nVersion=1\nFenster=TForm5\nOffen=TForm5\n' > "$tmp/Stunde 1.kurvio"
  (cd "$tmp" && timeout 20 "$prefix/bin/kurvio" "Stunde 1.kurvio") > "$tmp/second.log" 2>&1 ||
    fail "the start with a lesson file ended with $?: $(cat "$tmp/second.log")"
  unit=$(window '^Sinus, Tangens')
  sleep 0.5
  keys_to "$unit" Escape
  gone '^Sinus, Tangens'
  end_program "$start" "$pid"
  pid=""
  left=$(find "$XDG_RUNTIME_DIR" -name 'kurvio-*')
  [[ -z $left ]] || fail "left behind in $XDG_RUNTIME_DIR: $left"
  echo "${XDO_TAG}: a second start handed over to the running program and ended, and a lesson file opened in it"
}
