# shellcheck shell=bash
# An installed copy of the program in an X server, sourced by the install and
# package checks after xdo.sh: it reads its shipped files from its prefix, saves
# what the teacher saves to the per-user directory only, copies nothing there at
# start and changes nothing under the prefix.
#   check_installed_copy PREFIX TMP

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
  mkdir -p "$XDG_CONFIG_HOME"
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
