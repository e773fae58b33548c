#!/usr/bin/env bash
# The main menu with real input: reached from the start-up window by a click; switch scanning in
# each mode; the mouse; the language menu; quitting saves the profile.
source "$(dirname "$0")/harness.sh"
e2e_begin
PROFILE="$HOME/.local/share/ImpostazioniProgrammiQuorla/Vorbello/_predefinito.INI"

# The menu is laid out on 480 x 290 and fills the 1024 x 768 screen: a point inside button i,
# clear of its caption.
LEFT=(88 88 88 248 248 248 392)
TOP=(40 128 216 40 128 216 216)
bx() { echo $(( (${LEFT[$1]} + 5) * 1024 / 480 )); }
by() { echo $(( (${TOP[$1]} + 5) * 768 / 290 )); }
LIT_POINTS=()
for i in 0 1 2 3 4 5 6; do LIT_POINTS+=("$(bx $i) $(by $i)"); done

# Mode 1: space steps, Enter selects.
e2e_menu 1 4
e2e_check "start-up leads to the menu; mode 1 starts on choice 0" e2e_wait_lit 0
e2e_screenshot menu-mode1.png
e2e_key "$MENU" space space space
e2e_check "mode 1: three spaces reach choice 3" e2e_wait_lit 3
e2e_key "$MENU" space space space space
e2e_check "mode 1: seven more wrap to choice 0" e2e_wait_lit 0
e2e_check "mode 1: the mouse does nothing" bash -c "xdotool mousemove --sync $(bx 4) $(by 4) click 1; sleep 0.2; true"
e2e_check "mode 1: still on choice 0 after the click" e2e_wait_lit 0
e2e_check "the profile was rewritten when the menu opened" \
  test "$(stat -c %Y "$PROFILE")" -gt "$(date -d 2000-01-02 +%s)"
e2e_stop

# Mode 3: arrows both ways, wrapping.
e2e_menu 3 4
e2e_check "mode 3 starts on choice 0" e2e_wait_lit 0
e2e_key "$MENU" Left
e2e_check "mode 3: Left wraps to choice 6" e2e_wait_lit 6
e2e_key "$MENU" Down Down
e2e_check "mode 3: Down twice reaches choice 1" e2e_wait_lit 1
e2e_key "$MENU" Up
e2e_check "mode 3: Up goes back to choice 0" e2e_wait_lit 0
e2e_screenshot menu-mode3.png
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

# Mode 0: hovering lights a choice; the free area clears it.
e2e_menu 0 4
e2e_check "mouse mode starts with nothing lit" e2e_wait_lit ""
xdotool mousemove --sync "$(bx 4)" "$(by 4)"
e2e_check "mouse mode: hovering lights choice 4" e2e_wait_lit 4
e2e_screenshot menu-mode0.png
xdotool mousemove --sync 1010 20; xdotool mousemove --sync 1000 700
e2e_check "mouse mode: the free area clears the highlight" e2e_wait_lit ""

# The language menu: English from the menu bar changes the captions and is recorded.
before=$(import -silent -window root -crop 150x60+$(bx 0)+$(( $(by 0) + 30 )) -depth 8 txt:- | md5sum)
xdotool mousemove --sync 1000 700
e2e_click 225 8   # "Lingua" in the menu bar
sleep 0.4
e2e_click 240 36  # its first entry: "English" (entries are listed by name)
sleep 0.6
after=$(import -silent -window root -crop 150x60+$(bx 0)+$(( $(by 0) + 30 )) -depth 8 txt:- | md5sum)
e2e_check "the language menu records the choice" grep -q 'CurrentLanguage=English' "$E2E_TMP/prog/lgnvorbello/LangSetting.ini"
e2e_check "the captions change with the language" test "$before" != "$after"
e2e_screenshot menu-english.png

# Quitting: choice 6 by click saves the profile and ends the program.
rm -f "$PROFILE"
e2e_click "$(bx 6)" "$(by 6)"
e2e_check "choice 6 ends the program" e2e_until 100 e2e_ended "$E2E_PID"
saved=$(find "$(dirname "$PROFILE")" -maxdepth 1 -iname _predefinito.ini | head -1)
e2e_check "choice 6 saved the profile" test -n "$saved"
e2e_check "the saved profile has 50 lines" test "$(wc -l <"$saved")" = 50
e2e_finish
