#!/usr/bin/env bash
# The two grid exercises with real input: each level chosen from the menu must show its own
# cups on screen at once, and a resize must keep the cups in the level's places.
source "$(dirname "$0")/harness.sh"
e2e_begin

# Screen pictures, raw, to compare and to probe.
shot() { import -silent -window root -depth 8 "rgb:$1" 2>/dev/null; }
same() { cmp -s "$1" "$2"; }

# Waits until two pictures in a row are alike: the program has stopped drawing.
settle() { # file
  local prev="$E2E_TMP/prev.rgb"
  shot "$prev"
  for _ in $(seq 40); do
    sleep 0.15
    shot "$1"
    same "$1" "$prev" && return 0
    cp "$1" "$prev"
  done
  return 1
}

# Whether the level's cups stand where the level puts them: the top-left corner of each of
# its squares shows the cups' background. The window is laid out on 640 x 480 and fills the
# 1024 x 768 screen.
cups_of_level() { # file level
  python3 - "$1" "$2" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
level = int(sys.argv[2])
cols, rows = [2, 2, 3, 3, 4][level - 1], [1, 2, 2, 3, 3][level - 1]
posts = [2, 4, 6, 9, 12][level - 1]
w, h = 390 // cols, 366 // rows
side = min(w, h) - 8
for i in range(posts):
    c, r = i % cols, i // cols
    x = int((10 + c * w + (w - side) // 2) * 1.6) + 6
    y = int((72 + r * h + (h - side) // 2) * 1.6) + 6
    if data[(y * 1024 + x) * 3:(y * 1024 + x) * 3 + 3] != b'\xff\xff\xcc':
        print(f"  level {level}: no cup at square {i} ({x},{y})")
        sys.exit(1)
PY
}

# What is on screen is what the window holds: hidden and shown again, the window repaints
# everything from its state, and the screen must not change.
screen_is_current() { # window file
  xdotool windowunmap --sync "$1"; xdotool windowmap --sync "$1"
  settle "$E2E_TMP/again.rgb" && same "$2" "$E2E_TMP/again.rgb"
}

grid_exercise() { # name x y
  e2e_menu 0 4
  e2e_click "$2" "$3"
  ES=$(e2e_other_window "$E2E_PID" "$MENU")
  settle "$E2E_TMP/now.rgb"
  local stale=0 misplaced=0 moved=0
  for i in $(seq "${ROUNDS:-10}"); do
    local level=$(( i % 5 + 1 ))
    e2e_click 27 8                                  # "Livelli"
    sleep 0.3
    e2e_click 40 $(( 30 + (level - 1) * 22 ))       # its item
    xdotool mousemove --sync 1000 740               # away from the cups and buttons
    settle "$E2E_TMP/now.rgb"
    cups_of_level "$E2E_TMP/now.rgb" "$level" || misplaced=$((misplaced + 1))
    screen_is_current "$ES" "$E2E_TMP/now.rgb" || { stale=$((stale + 1)); e2e_screenshot "$1-stale-$i.png"; }
    # Smaller, then back: the same picture as before.
    xdotool windowsize --sync "$ES" $(( 640 + i * 20 )) $(( 480 + i * 10 ))
    settle "$E2E_TMP/small.rgb"
    xdotool windowsize --sync "$ES" 1024 768
    settle "$E2E_TMP/back.rgb"
    same "$E2E_TMP/now.rgb" "$E2E_TMP/back.rgb" || { moved=$((moved + 1)); e2e_screenshot "$1-resized-$i.png"; }
  done
  e2e_check "$1: every level's cups stand in the level's places" test "$misplaced" = 0
  e2e_check "$1: the screen shows each new level at once" test "$stale" = 0
  e2e_check "$1: after a resize the cups are where they were" test "$moved" = 0
  e2e_stop
}

# The two grid exercises are the menu's fifth and sixth choices (menu laid out on 480 x 290).
grid_exercise odd-ones-out 601 402
grid_exercise find-the-cup 601 636
e2e_finish
