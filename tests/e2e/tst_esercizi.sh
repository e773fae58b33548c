#!/usr/bin/env bash
# The first exercise with real keys: opened from the menu, answered, and the next one started.
# Answering by mouse is left to tst_sound and tst_windowmanager, which click for real too; what
# the buttons do after an answer, and leaving for the menu, to the window tests.
source "$(dirname "$0")/harness.sh"
e2e_begin
e2e_exercise_points

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
e2e_key "$ES" Return
e2e_check "keyboard: Enter there starts a new exercise on the first answer" e2e_wait_lit 0
e2e_stop
e2e_finish
