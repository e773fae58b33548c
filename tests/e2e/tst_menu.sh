#!/usr/bin/env bash
# The main menu with real input: reached from the start-up window by a click; switch scanning by
# steps and by the timer; the mouse. Quitting is tried on the installed copy. Where the highlight goes is the
# scanning model's rule (tst_scansione), the language menu the window's (tst_menu); the arrows of
# mode 3 are pressed for real in tst_switches.
source "$(dirname "$0")/harness.sh"
e2e_begin
PROFILE="$HOME/.local/share/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.INI"

e2e_menu_points

# Mode 1: space steps, Enter selects.
e2e_menu 1 4
e2e_check "start-up leads to the menu; mode 1 starts on choice 0" e2e_wait_lit 0
e2e_screenshot menu-mode1.png
e2e_key "$MENU" space space space
e2e_check "mode 1: three spaces reach choice 3" e2e_wait_lit 3
e2e_check "the profile was rewritten when the menu opened" \
  test "$(stat -c %Y "$PROFILE")" -gt "$(date -d 2000-01-02 +%s)"
e2e_stop

# Mode 2: the timer moves the highlight every VelocitaScansione x 250 ms (a second here, so a
# busy machine still sees each step); holding space stops
# it; releasing selects.
e2e_menu 2 4
e2e_check "mode 2: the first tick lights choice 1" e2e_wait_lit 1 40
e2e_check "mode 2: the next tick lights choice 2" e2e_wait_lit 2 40
e2e_screenshot menu-mode2.png
xdotool windowfocus "$MENU" 2>/dev/null; xdotool keydown space
sleep 0.4 # a tick that was already on its way may still land
held=$(e2e_lit)
sleep 1.3
e2e_check "mode 2: holding space stops the highlight" e2e_lit_is "$held"
xdotool keyup space
opened=$(e2e_other_window "$E2E_PID" "$MENU")
e2e_check "mode 2: releasing space opens the highlighted exercise in place of the menu" test -n "$opened"
e2e_stop

# Mode 0: hovering lights a choice.
e2e_menu 0 4
e2e_check "mouse mode starts with nothing lit" e2e_wait_lit ""
xdotool mousemove --sync "$(bx 4)" "$(by 4)"
e2e_check "mouse mode: hovering lights choice 4" e2e_wait_lit 4
e2e_screenshot menu-mode0.png

e2e_stop
e2e_finish
