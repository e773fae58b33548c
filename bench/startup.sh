#!/usr/bin/env bash
# Start-up time of the real program under Xvfb: from starting the process to the start-up
# window being mapped, over several runs (a later start: folders exist, no font message); then
# its resident memory once at the menu. Given an empty Qt window's executable, the same figures
# for it, and the program's as a ratio to it.
# Usage: startup.sh path/to/vorbello [runs] [path/to/empty_window]
set -uo pipefail
BIN=${1:?vorbello executable}
RUNS=${2:-15}
EMPTY=${3:-}
E2E_BIN=$BIN
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_begin

# A first start makes the folders and installs the font; it is not measured.
e2e_start
box=$(e2e_wait_window "$E2E_PID" any) && e2e_dismiss "$E2E_PID" "$box"
e2e_wait_window "$E2E_PID" 1024x768 >/dev/null
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null

median_startup() { # executable label; prints the median in ms
  local times=() t0 t1 pid sorted median
  for _ in $(seq "$RUNS"); do
    t0=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    # Poll the X server for the mapped window; each poll costs a few milliseconds.
    until xwininfo -root -children 2>/dev/null | grep -q '"Vorbello"'; do :; done
    t1=$(date +%s%N)
    kill "$pid"; wait "$pid" 2>/dev/null
    times+=($(( (t1 - t0) / 1000000 )))
  done
  sorted=$(printf '%s\n' "${times[@]}" | sort -n)
  median=$(echo "$sorted" | sed -n "$(( (RUNS + 1) / 2 ))p")
  echo "$2: start-up to window shown, $RUNS runs (ms): $(echo $sorted | tr '\n' ' ')" >&2
  echo "$2: start-up median ${median} ms (min $(echo "$sorted" | head -1), max $(echo "$sorted" | tail -1))" >&2
  echo "$median"
}

resident_kb() { awk '/^VmRSS:/{print $2}' "/proc/$1/status"; }

program=$(median_startup "$BIN" "Vorbello")

e2e_start
avvio=$(e2e_wait_window "$E2E_PID" 1024x768)
e2e_leave_start "$avvio"
sleep 1
program_kb=$(resident_kb "$E2E_PID")
echo "Vorbello: resident at the menu ${program_kb} kB"
e2e_stop

if [ -n "$EMPTY" ]; then
  empty=$(median_startup "$EMPTY" "Empty Qt window")
  "$EMPTY" >/dev/null 2>&1 &
  pid=$!
  until xwininfo -root -children 2>/dev/null | grep -q '"Vorbello"'; do :; done
  sleep 1
  echo "Empty Qt window: resident $(resident_kb "$pid") kB"
  kill "$pid"; wait "$pid" 2>/dev/null
  echo "Start-up ratio to an empty Qt window: $(awk "BEGIN{printf \"%.2f\", $program / $empty}")"
fi
