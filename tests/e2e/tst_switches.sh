#!/usr/bin/env bash
# Switch timing with real key presses and releases: a brush shorter than the pupil's acceptance
# time is not a press, and a pupil who holds the switch to scan can finish an exercise.
source "$(dirname "$0")/harness.sh"
e2e_begin

e2e_menu_points
press() { # key milliseconds
  xdotool keydown "$1"; sleep "$(awk "BEGIN{print $2/1000}")"; xdotool keyup "$1"
}

for acceptance in 0 300; do
  E2E_ACCESS="[Switches]\r\nAcceptanceMs=$acceptance\r\n" e2e_menu 3 4
  e2e_wait_lit 0 >/dev/null
  xdotool windowfocus --sync "$MENU" 2>/dev/null
  press Right 40
  if [ "$acceptance" = 0 ]; then
    e2e_check "a 40 ms press moves the highlight when every press counts" e2e_wait_lit 1
  else
    sleep 0.4
    e2e_check "a 40 ms brush is no press at 300 ms acceptance" e2e_lit_is 0
    press Right 450
    e2e_check "a press held 450 ms counts at 300 ms acceptance" e2e_wait_lit 1
  fi
  e2e_stop
done

# Held to scan, in the first exercise (laid out on 640 x 480): the answers and the next button.
e2e_exercise_points
E2E_ACCESS="[Switches]\r\nHoldToScan=1\r\n" e2e_menu 2 4
press space 100                       # a short hold chooses the lit menu choice: the first
ES=$(e2e_other_window "$E2E_PID" "$MENU")
e2e_check "held to scan: a short hold opens the lit choice" test -n "$ES"
sleep 0.8
xdotool windowfocus --sync "$ES" 2>/dev/null
e2e_check "held to scan: the highlight waits on the first answer" e2e_wait_lit 0
sleep 1.2
e2e_check "held to scan: with the switch up nothing moves" e2e_lit_is 0
press space 100                       # choose the first answer
sleep 0.5
if ! e2e_lit_is 2; then
  press space 1300                    # wrong: hold on to the second (a step is 1 s), choose it
  sleep 0.5
fi
e2e_check "held to scan: the right answer is chosen and next is lit" e2e_wait_lit 2
press space 100
e2e_check "held to scan: releasing on next brings a new exercise" e2e_wait_lit 0
e2e_stop
e2e_finish
