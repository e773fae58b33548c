# End-to-end harness: the real program under Xvfb, with a throw-away HOME, driven by real X
# input (xdotool). Source it, then call e2e_begin; everything is cleaned up on exit.
# Needs: Xvfb, xdotool, xwininfo (x11-utils), import/convert (imagemagick).

set -uo pipefail

E2E_BIN=${E2E_BIN:?path of the vorbello executable}
E2E_FAILS=0
E2E_PIDS=()

e2e_skip_unless() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

e2e_begin() {
  e2e_skip_unless Xvfb xdotool xwininfo convert import
  E2E_TMP=$(mktemp -d /tmp/vorbello-e2e.XXXXXX)
  E2E_SHOTS=${E2E_SHOTS:-$E2E_TMP/shots}
  mkdir -p "$E2E_SHOTS"
  export HOME="$E2E_TMP/home"
  export XDG_RUNTIME_DIR="$E2E_TMP/run"
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  unset XDG_DATA_HOME XDG_CONFIG_HOME QT_QPA_PLATFORM
  export QT_ACCESSIBILITY=1
  # A display of our own, at a random number so parallel runs do not meet; the server must
  # answer before anything starts on it.
  local ok=""
  for _ in $(seq 10); do
    local n=$((100 + RANDOM % 800))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    # -noreset: after our readiness probe disconnects, a resetting server would refuse the
    # program's connection for a moment. -ardelay: a switch held down for a few seconds stays
    # one press; on a loaded machine the program could not always tell repeats from presses.
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset -ardelay 20000 >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      if xdpyinfo >/dev/null 2>&1; then ok=1; break; fi
      kill -0 "$E2E_XVFB" 2>/dev/null || break
      sleep 0.05
    done
    [ -n "$ok" ] && break
    kill "$E2E_XVFB" 2>/dev/null; wait "$E2E_XVFB" 2>/dev/null
  done
  if [ -z "$ok" ]; then
    echo "FAIL: no X server could be started"; cat "$E2E_TMP/xvfb.log"; exit 1
  fi
  trap e2e_end EXIT
}

e2e_end() {
  for p in "${E2E_PIDS[@]}"; do kill "$p" 2>/dev/null; done
  kill "$E2E_XVFB" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$E2E_TMP"
}

# The program runs from a copy of its folder, so that what it writes beside itself (the
# language choice) never touches the build tree.
e2e_install() {
  if [ ! -x "$E2E_TMP/prog/vorbello" ]; then
    mkdir -p "$E2E_TMP/prog"
    cp -r "$(dirname "$E2E_BIN")"/. "$E2E_TMP/prog/"
  fi
}

# Starts the program in the background; its pid in E2E_PID. With E2E_IN_PLACE=1 it runs where
# it is, as an installed copy does.
e2e_start() {
  local prog="$E2E_BIN"
  if [ "${E2E_IN_PLACE:-0}" != 1 ]; then
    e2e_install
    prog="$E2E_TMP/prog/vorbello"
  fi
  "$prog" >>"$E2E_TMP/app.log" 2>&1 &
  E2E_PID=$!
  E2E_PIDS+=("$E2E_PID")
}

e2e_stop() {
  kill "$E2E_PID" 2>/dev/null
  wait "$E2E_PID" 2>/dev/null
}

# Runs a command every 50 ms until it succeeds, at most the given number of times.
e2e_until() { # tries command...
  local tries=$1; shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

e2e_ended() { ! kill -0 "$1" 2>/dev/null; }

# Visible windows of a process (ids, one a line).
e2e_windows_of() {
  # By _NET_WM_PID, checked here: xdotool's own --pid filter also lets other windows through.
  for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
    if xprop -id "$w" _NET_WM_PID 2>/dev/null | grep -q "= $1\$"; then
      echo "$w"
    fi
  done
}

# Whether the process shows a window of the given size ("WxH" or "any"); its id in E2E_W.
e2e_has_window() { # pid size
  for E2E_W in $(e2e_windows_of "$1"); do
    [ "$2" = any ] && return 0
    [ "$(xwininfo -id "$E2E_W" 2>/dev/null | awk '/Width:/{w=$2}/Height:/{h=$2}END{print w"x"h}')" = "$2" ] && return 0
  done
  return 1
}

# Waits until the process shows a window of the given size; prints its id.
e2e_wait_window() { # pid size [tries]
  e2e_until "${3:-200}" e2e_has_window "$1" "$2" && echo "$E2E_W"
}

e2e_key() { # window key...
  local w=$1; shift
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  xdotool key --delay 30 "$@"
}

# Whether the process shows a window other than the given one; its id in E2E_W.
e2e_has_other() { # pid window
  E2E_W=$(e2e_windows_of "$1" | grep -vx "$2" | head -1)
  [ -n "$E2E_W" ]
}
e2e_lacks() { ! e2e_windows_of "$1" | grep -qx "$2"; } # pid window

# Answers a message box with Enter, again if the first key came before the box could take it.
e2e_dismiss() { # pid window
  for _ in 1 2 3 4 5; do
    e2e_key "$2" Return
    e2e_until 20 e2e_lacks "$1" "$2" && return 0
  done
  return 1
}

e2e_click() { # x y (screen coordinates)
  xdotool mousemove --sync "$1" "$2" click 1
}

# Colour of a screen pixel as "r,g,b".
e2e_pixel() {
  import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

e2e_screenshot() { # name
  import -silent -window root "$E2E_SHOTS/$1"
}

# Which of the points LIT_POINTS ("x y" each) show the highlight colour, as a string of indexes.
# All points come from one picture of the screen: read one by one, a busy machine could see a
# scanning tick land between two of them and never see a single highlight.
e2e_lit() {
  local raw="$E2E_TMP/screen.rgb"
  import -silent -window root -depth 8 "rgb:$raw" 2>/dev/null || { echo ""; return; }
  python3 - "$raw" "${LIT_POINTS[@]}" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
width = 1024  # the Xvfb screen
out = ''
for i, point in enumerate(sys.argv[2:]):
    x, y = map(int, point.split())
    if data[(y * width + x) * 3:(y * width + x) * 3 + 3] == b'\xff\x00\x00':
        out += str(i)
print(out)
PY
}
e2e_lit_is() { [ "$(e2e_lit)" = "$1" ]; }
e2e_wait_lit() { # expected [tries]
  e2e_until "${2:-40}" e2e_lit_is "$1" && return 0
  echo "  highlighted: '$(e2e_lit)', expected '$1'"
  return 1
}

e2e_check() { # description command...
  local what=$1; shift
  if "$@"; then
    echo "PASS: $what"
  else
    echo "FAIL: $what"
    E2E_FAILS=$((E2E_FAILS + 1))
  fi
}

# Settings folders made beforehand (so no first-start font message) and a default profile with
# the given input mode and scanning speed.
e2e_profile() { # mode speed
  local dir="$HOME/.local/share/ImpostazioniProgrammiQuorla/Vorbello"
  mkdir -p "$dir/dati"
  {
    printf ' 130 \r\n 100 \r\nTrue\r\nFalse\r\nTrue\r\nArial\r\n 14 \r\nTrue\r\nFalse\r\n'
    printf ' %d \r\n %d \r\n' "$1" "$2"
    printf '%s\r\n' FFFFCC sfondo sfondo sfondo sfondo 00FF00 verde verdi verde verdi \
      FF0000 rosso rossi rossa rosse 0000FF blu blu blu blu FFFF00 giallo gialli gialla gialle
    printf ' 16777088 \r\nminuscolo\r\narial\r\narial\r\n 24 \r\n-2147483630 \r\n'
    printf -- '-2147483633 \r\nTrue\r\n 255 \r\n 16777215 \r\nFalse\r\nFalse\r\n\r\n\r\n'
  } >"$dir/_predefinito.INI"
  # Switch and speech settings, when the test gives some (INI text).
  [ -z "${E2E_ACCESS:-}" ] || printf '%b' "$E2E_ACCESS" >"$dir/_predefinito.access.ini"
  # Dated in the past, so a test can tell whether the program wrote it again.
  touch -d 2000-01-01 "$dir/_predefinito.INI"
}

# Clicks the start-up window's button until the menu replaces it (a click that lands while the
# window is still being mapped is lost); MENU is the menu's window. The button stands at y 640
# on a bare 1024 x 768 display.
e2e_leave_start() { # start-up window [button's y]
  for _ in 1 2 3 4 5; do
    sleep 0.3
    e2e_click 512 "${2:-640}"
    e2e_until 40 e2e_has_other "$E2E_PID" "$1" && break
  done
  MENU=$E2E_W
}

# Starts the program with a profile in the given mode and reaches the menu; MENU is its window.
# The menu is laid out on 480 x 290 and fills the 1024 x 768 screen.
e2e_menu() { # mode speed
  e2e_profile "$1" "$2"
  e2e_start
  local avvio
  avvio=$(e2e_wait_window "$E2E_PID" 1024x768)
  e2e_leave_start "$avvio"
  xdotool mousemove --sync 1000 700 # out of the way, over no choice
  sleep 0.5
}

# A point inside menu button i, clear of its caption (the menu is laid out on 480 x 290 and
# fills the 1024 x 768 screen); e2e_menu_points puts all seven in LIT_POINTS.
E2E_MENU_LEFT=(88 88 88 248 248 248 392)
E2E_MENU_TOP=(40 128 216 40 128 216 216)
bx() { echo $(( (${E2E_MENU_LEFT[$1]} + 5) * 1024 / 480 )); }
by() { echo $(( (${E2E_MENU_TOP[$1]} + 5) * 768 / 290 )); }
e2e_menu_points() {
  LIT_POINTS=()
  for i in 0 1 2 3 4 5 6; do LIT_POINTS+=("$(bx "$i") $(by "$i")"); done
}
# The first exercise's answers and its next-exercise button (laid out on 640 x 480, factor 1.6).
e2e_exercise_points() { LIT_POINTS=("60 610" "720 610" "445 595"); }

# Waits for a window of the program other than the given one; prints it.
e2e_other_window() { # pid window
  e2e_until 100 e2e_has_other "$1" "$2" && echo "$E2E_W"
}

# From the menu in mode 3, Enter opens the first exercise; ES is its window.
e2e_first_exercise() {
  e2e_menu 3 4
  e2e_key "$MENU" Return
  ES=$(e2e_other_window "$E2E_PID" "$MENU")
  sleep 0.8
}

e2e_finish() {
  [ -z "$(ls -A "$E2E_SHOTS")" ] || echo "Screenshots: $E2E_SHOTS"
  if [ "$E2E_FAILS" -gt 0 ]; then
    echo "--- program output ---"
    cat "$E2E_TMP/app.log" 2>/dev/null | tail -40
    exit 1
  fi
  exit 0
}
