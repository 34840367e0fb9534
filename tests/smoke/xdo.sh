# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Driving the real program in an X server with xdotool, as a user would; sourced
# by the smoke scripts. XDO_TAG names the script in its failure messages.

# The program gets a session bus of its own for its run (dbus-run-session, which ends
# the bus with it), or where that is missing an address that leads nowhere. Never
# no address at all: Qt would then have dbus-launch (dbus-x11) start a bus daemon
# that outlives the program, and a tracer of the program waits for that daemon.
# Start the program as  "${session_bus[@]}" PROGRAM &
session_bus=()
if command -v dbus-run-session > /dev/null 2>&1; then
  session_bus=(dbus-run-session --)
else
  export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/kurvio-test-bus
fi

# Ends a started program and everything it started, deepest first.
kill_tree() {
  local child
  for child in $(pgrep -P "$1" 2> /dev/null || true); do kill_tree "$child"; done
  kill "$1" 2> /dev/null || true
}

fail() {
  echo "${XDO_TAG:-smoke}: $*" >&2
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

# "&Ende" in the start window, then OK in "Programm beenden?" (the message box is
# the second "Kurvio" window); fails unless the program then ends with status 0.
#   end_program START_WINDOW_ID PID
end_program() {
  local start=$1 pid=$2 box=""
  keys_to "$start" alt+e
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
}
