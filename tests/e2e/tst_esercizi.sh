#!/usr/bin/env bash
# The first exercise with real input: opened from the menu, answered by mouse and by keyboard,
# and left again for the menu.
source "$(dirname "$0")/harness.sh"
e2e_begin

# The exercise is laid out on 640 x 480 and fills the 1024 x 768 screen (factor 1.6): points
# inside each button, clear of its caption.
LIT_POINTS=("60 610" "720 610" "445 595")
NEXT="512 640"

# Mouse: the next-exercise button wakes only after the right answer.
e2e_menu 0 4
e2e_click $(( 93 * 1024 / 480 )) $(( 45 * 768 / 290 ))
ES=$(e2e_other_window "$E2E_PID" "$MENU")
sleep 0.8
replaced() { [ -n "$ES" ] && ! e2e_windows_of "$E2E_PID" | grep -qx "$MENU"; }
e2e_check "choice 0 opens the exercise in place of the menu" replaced
xdotool mousemove --sync 1000 300
sleep 0.2
asleep=$(e2e_pixel $NEXT)
e2e_click 184 660   # Vero
sleep 0.4
if [ "$(e2e_pixel $NEXT)" = "$asleep" ]; then
  e2e_click 840 660 # it was false
  sleep 0.4
fi
e2e_check "after the right answer the next-exercise button is active" test "$(e2e_pixel $NEXT)" != "$asleep"
e2e_screenshot es1-answered.png
e2e_click $NEXT
xdotool mousemove --sync 1000 300 # hovering would colour the button
sleep 0.4
e2e_check "a new exercise puts the next-exercise button to sleep" test "$(e2e_pixel $NEXT)" = "$asleep"
e2e_click 70 8      # "Esci" in the menu bar
MENU2=$(e2e_other_window "$E2E_PID" "$ES")
e2e_check "the exit menu brings the menu back" test -n "$MENU2"
e2e_stop

# Keyboard: arrows move the highlight over the answers, Enter answers; after the right one
# the highlight waits on the next-exercise button, and Enter there starts a new exercise.
e2e_first_exercise
e2e_check "keyboard: the exercise starts on the first answer" e2e_wait_lit 0
e2e_key "$ES" Left
e2e_check "keyboard: Left wraps to the second answer, past the sleeping button" e2e_wait_lit 1
e2e_key "$ES" Return
sleep 0.3
if e2e_lit_is 1; then
  e2e_key "$ES" Left Return
fi
e2e_check "keyboard: the right answer parks the highlight on the next-exercise button" e2e_wait_lit 2
e2e_screenshot es1-keyboard.png
e2e_key "$ES" Right
e2e_check "keyboard: arrows do not move a parked highlight" e2e_wait_lit 2
e2e_key "$ES" Return
e2e_check "keyboard: Enter there starts a new exercise on the first answer" e2e_wait_lit 0
e2e_stop
e2e_finish
