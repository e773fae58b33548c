#!/usr/bin/env bash
# The windows as a desktop shows them: under a real window manager (openbox) with a panel along
# the bottom, each window that takes the screen fills what the panel leaves, title bar and status
# bar in view; the print dialog comes up centred on its exercise and takes the keyboard; closing
# a window by its frame does what the program means.
source "$(dirname "$0")/harness.sh"
e2e_skip_unless openbox xmessage xprop
e2e_begin

openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
E2E_PIDS+=($!)
e2e_until 100 eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  { echo "FAIL: openbox did not start"; cat "$E2E_TMP/openbox.log"; exit 1; }
# A panel 40 pixels high that windows must leave in view.
xmessage -geometry 1024x40+0+728 panel >/dev/null 2>&1 &
E2E_PIDS+=($!)
e2e_until 100 eval 'panel=$(xdotool search --name "^xmessage$" | head -1); [ -n "$panel" ]'
xprop -id "$panel" -f _NET_WM_STRUT_PARTIAL 32c -set _NET_WM_STRUT_PARTIAL 0,0,0,40,0,0,0,0,0,0,0,1023
e2e_until 100 eval 'xprop -root _NET_WORKAREA | grep -q "= 0, 0, 1024, 728"' ||
  { echo "FAIL: the panel left no work area"; exit 1; }

# "x y w h" of a window's frame on the screen.
frame_of() {
  [ -n "$1" ] || return 1 # xwininfo with no window would wait for a click
  local x y w h ext
  read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
  ext=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //; s/,//gp') # left right top bottom
  read -r l r t b <<<"${ext:-0 0 0 0}"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
fills_work_area() { [ "$(frame_of "$1")" = "0 0 1024 728" ]; }
# The window's own area lies in the work area (so its status bar, along its bottom, shows).
inside_work_area() {
  [ -n "$1" ] || return 1
  local x y w h
  read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
  [ "$x" -ge 0 ] && [ "$y" -gt 0 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 728 ]
}
takes_screen() { # description window
  e2e_check "$1 fills the work area" e2e_until 40 fills_work_area "$2"
  e2e_check "$1 has its title bar and its bottom in view" inside_work_area "$2"
}
# The close button on the title bar of a window that takes the screen; again if the first click
# came before the window manager had the window.
close_by_frame() { # window
  for _ in 1 2 3; do
    e2e_click 1014 9
    e2e_until 40 e2e_lacks "$E2E_PID" "$1" && return 0
  done
  return 1
}
focused_is() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
# The window without the panel, as doc/screenshots shows it.
window_shot() { xdotool mousemove --sync 1000 700; import -silent -window root -crop 1024x728+0+0 +repage "$E2E_SHOTS/$1"; }

# Below its 19-pixel title bar, a window that takes the screen is 1024 x 709.
e2e_profile 0 4
e2e_start
avvio=$(e2e_wait_window "$E2E_PID" 1024x709)
e2e_check "the start-up window opens" test -n "$avvio"
takes_screen "the start-up window" "$avvio"
e2e_leave_start "$avvio" 610 # the work area is shorter than the screen
takes_screen "the menu" "$MENU"
window_shot menu-openbox.png

# Configuration, closed by its frame: back to the menu, as its exit menu does.
e2e_click 40 27
CONF=$(e2e_other_window "$E2E_PID" "$MENU")
e2e_check "the configuration window replaces the menu" test -n "$CONF"
takes_screen "the configuration window" "$CONF"
e2e_check "the configuration window closes by its frame" close_by_frame "$CONF"
MENU=$(e2e_other_window "$E2E_PID" "$CONF")
e2e_check "closing the configuration window by its frame brings the menu back" test -n "$MENU"

# The first exercise.
xdotool mousemove --sync 1000 700
e2e_click $(( 93 * 1024 / 480 )) $(( 19 + 45 * 709 / 290 ))
ES=$(e2e_other_window "$E2E_PID" "$MENU")
e2e_check "the exercise replaces the menu" test -n "$ES"
takes_screen "the exercise" "$ES"
sleep 0.5
window_shot exercise-openbox.png

# The print dialog (Stampa > con opzioni > foglio orizzontale): centred on the exercise, with the
# keyboard; Escape closes it without printing.
e2e_click 82 27
sleep 0.5
xdotool key --delay 150 Down Down Right Return
DLG=$(e2e_other_window "$E2E_PID" "$ES")
e2e_check "the print dialog opens" test -n "$DLG"
centred() {
  local x y w h
  read -r x y w h < <(frame_of "$DLG")
  local dx=$((x + w / 2 - 512)) dy=$((y + h / 2 - 728 / 2))
  # Qt places a dialog from its own guess of the frames, which here puts it some 40 pixels high:
  # still over the middle of its window, which is what a pupil or teacher must see.
  [ "${dx#-}" -le 16 ] && [ "${dy#-}" -le 60 ]
}
e2e_check "the print dialog is centred on its exercise" e2e_until 40 centred
e2e_check "the print dialog has the keyboard" e2e_until 40 focused_is "$DLG"
xdotool key Escape
e2e_check "Escape closes the print dialog" e2e_until 100 e2e_lacks "$E2E_PID" "$DLG"

# The exercise closed by its frame: it goes, and with it the program.
e2e_check "the exercise closes by its frame" close_by_frame "$ES"
e2e_check "closing the exercise by its frame ends the program" e2e_until 100 e2e_ended "$E2E_PID"
e2e_finish
