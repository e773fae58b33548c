#!/usr/bin/env bash
# Printing an exercise for real: the print menu reached from the keyboard, the print window,
# and a job arriving at the CUPS queue the tests keep (scripts/test sets it up).
source "$(dirname "$0")/harness.sh"
[ -n "${VORBELLO_CUPS_QUEUE:-}" ] || { echo "SKIP: VORBELLO_CUPS_QUEUE is not set"; exit 77; }
JOBS="$(dirname "$0")/../print/cups-jobs"
e2e_begin
"$JOBS" clear "$VORBELLO_CUPS_QUEUE"

print_window() { # the print window, by its caption, in PW
  PW=$(xdotool search --onlyvisible --name '^  Stampa Vorbe' 2>/dev/null | head -1)
  [ -n "$PW" ]
}
no_print_window() { ! xdotool search --onlyvisible --name '^  Stampa Vorbe' >/dev/null 2>&1; }
jobs_are() { [ "$("$JOBS" count "$VORBELLO_CUPS_QUEUE")" = "$1" ]; }

e2e_first_exercise
e2e_check "the first exercise opens" test -n "$ES"
# Print > with options > landscape sheet.
e2e_key "$ES" alt+s Down Right Return
e2e_check "the print window opens over the exercise" e2e_until 100 print_window
e2e_screenshot print-window.png
# The print command has the focus: Enter prints.
e2e_key "$PW" Return
e2e_check "Enter sends one job to the queue" e2e_until 200 jobs_are 1
e2e_check "the job is named after the exercise, for a teacher looking in a shared queue" \
  bash -c "'$JOBS' titles '$VORBELLO_CUPS_QUEUE' | grep -qx 'Vorbello – Vero o falso'"
e2e_check "the print window closes after printing" e2e_until 60 no_print_window
e2e_check "the exercise is still there" bash -c "xwininfo -id '$ES' | grep -q IsViewable"
"$JOBS" clear "$VORBELLO_CUPS_QUEUE"
e2e_stop
e2e_finish
