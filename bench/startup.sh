#!/usr/bin/env bash
# Start-up time of the real program under Xvfb: from starting the process to the start-up
# window being mapped, over several runs (a later start: folders exist, no font message).
# Usage: startup.sh path/to/vorbello [runs]
set -uo pipefail
BIN=${1:?vorbello executable}
RUNS=${2:-15}
E2E_BIN=$BIN
source "$(dirname "$0")/../tests/e2e/harness.sh"
e2e_begin

# A first start makes the folders and installs the font; it is not measured.
e2e_start
box=$(e2e_wait_window "$E2E_PID" any) && e2e_dismiss "$E2E_PID" "$box"
e2e_wait_window "$E2E_PID" 1024x768 >/dev/null
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null

times=()
for _ in $(seq "$RUNS"); do
  t0=$(date +%s%N)
  "$BIN" >/dev/null 2>&1 &
  pid=$!
  # Poll the X server for the mapped window; each poll costs a few milliseconds.
  until xwininfo -root -children 2>/dev/null | grep -q '"Vorbello"'; do :; done
  t1=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null
  times+=($(( (t1 - t0) / 1000000 )))
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(echo "$sorted" | sed -n "$(( (RUNS + 1) / 2 ))p")
echo "Start-up to window shown, $RUNS runs (ms): $(echo $sorted | tr '\n' ' ')"
echo "Start-up median: ${median} ms (min $(echo "$sorted" | head -1), max $(echo "$sorted" | tail -1))"
