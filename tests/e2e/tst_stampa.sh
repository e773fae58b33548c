#!/usr/bin/env bash
# Printing an exercise for real: the print menu reached from the keyboard, the print window,
# and a job arriving at the CUPS queue the tests keep (scripts/test sets it up).
source "$(dirname "$0")/harness.sh"
[ -n "${VORBELLO_CUPS_QUEUE:-}" ] || { echo "SKIP: VORBELLO_CUPS_QUEUE is not set"; exit 77; }
JOBS="$(dirname "$0")/../print/cups-jobs"
e2e_begin
"$JOBS" clear "$VORBELLO_CUPS_QUEUE"

stampa_window() { # the print window, by its caption
  for _ in $(seq 100); do
    local w
    w=$(xdotool search --onlyvisible --name '^  Stampa Vorbe' 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.05
  done
  return 1
}
jobs_are() { for _ in $(seq 100); do [ "$("$JOBS" count "$VORBELLO_CUPS_QUEUE")" = "$1" ] && return 0; sleep 0.1; done; return 1; }

e2e_menu 3 4
e2e_key "$MENU" Return
ES=$(e2e_other_window "$E2E_PID" "$MENU")
sleep 0.8
e2e_check "the first exercise opens" test -n "$ES"
# Print > with options > landscape sheet.
e2e_key "$ES" alt+s Down Right Return
PW=$(stampa_window)
e2e_check "the print window opens over the exercise" test -n "$PW"
e2e_check "its caption names the exercise window" \
  bash -c "xdotool getwindowname '$PW' | grep -qx '  Stampa Vorbe '"
e2e_screenshot "${E2E_SHOTS:-$E2E_TMP}/print-window.png"
# The print command has the focus: Enter prints.
e2e_key "$PW" Return
e2e_check "Enter sends one job to the queue" jobs_are 1
e2e_check "the job is titled after the window" \
  bash -c "'$JOBS' titles '$VORBELLO_CUPS_QUEUE' | grep -qx FormEs1"
gone() { for _ in $(seq 60); do xdotool search --onlyvisible --name '^  Stampa Vorbe' >/dev/null 2>&1 || return 0; sleep 0.05; done; return 1; }
e2e_check "the print window closes after printing" gone
e2e_check "the exercise is still there" bash -c "e2e_windows_of() { :; }; xwininfo -id '$ES' | grep -q IsViewable"
"$JOBS" clear "$VORBELLO_CUPS_QUEUE"
kill "$E2E_PID" 2>/dev/null; wait "$E2E_PID" 2>/dev/null
e2e_finish
