#!/usr/bin/env bash
# Screen readers (AT-SPI) see every menu choice as a push button named by its caption, and the
# menu bar's entries by theirs; in an exercise, the sentence and every answer button; the cup
# drawings to colour as buttons; the print window's boxes, checks and commands by name.
source "$(dirname "$0")/harness.sh"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi missing"; exit 77; }
command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session missing"; exit 77; }
e2e_begin
e2e_install
e2e_profile 1 4
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
LIST="$E2E_TMP/accessible.txt"
ES1="$E2E_TMP/accessible-es1.txt"
FIG="$E2E_TMP/accessible-drawings.txt"
PRN="$E2E_TMP/accessible-print.txt"
dbus-run-session -- bash -c '
  "$1/prog/vorbello" >>"$1/app.log" 2>&1 &
  app=$!
  sleep 1.5
  xdotool mousemove --sync 512 640 click 1
  sleep 1.5
  /usr/bin/python3 "$2" >"$3"
  xdotool key Return # step scanning starts on the first exercise
  sleep 1.5
  /usr/bin/python3 "$2" >"$4"
  # Menu shortcuts need the window to hold the X focus, which nothing gives it without a window manager.
  focus() { xdotool windowfocus --sync "$(xdotool getmouselocation --shell | sed -n "s/^WINDOW=//p")"; }
  focus
  xdotool key --delay 100 alt+s Up Return # Print > picture to colour
  sleep 1.5
  /usr/bin/python3 "$2" >"$5"
  xdotool key Escape
  sleep 1
  focus
  xdotool key --delay 100 alt+s Down Right Return # Print > with options > landscape
  sleep 1.5
  /usr/bin/python3 "$2" >"$6"
  xdotool key Escape
  kill $app' _ "$E2E_TMP" "$(dirname "$0")/atspi_list.py" "$LIST" "$ES1" "$FIG" "$PRN" 2>/dev/null
announced() { # what file role name...
  local what=$1 file=$2 role=$3
  shift 3
  for name; do e2e_check "$what '$name' is announced" grep -qxF "$role|$name" "$file"; done
}
cat "$LIST"
announced button "$LIST" "push button" "vero o falso" "uguale - diverso" "trova le differenze" \
  insiemi "trova gli intrusi" "trova la tazza" esci
announced "menu entry" "$LIST" "menu item" Configurazione Informazioni Lingua Italiano English
e2e_check "no push button without a name" bash -c "! grep -qx 'push button|' '$LIST'"
cat "$ES1"
announced "exercise button" "$ES1" "push button" Vero Falso "Avanti: un altro esercizio"
e2e_check "the exercise sentence is announced" grep -qE '^label\|.+\.$' "$ES1"
e2e_check "no exercise button without a name" bash -c "! grep -qx 'push button|' '$ES1'"
echo "--- drawings"; cat "$FIG"
echo "--- print window"; cat "$PRN"
announced "drawing" "$FIG" "push button" "Clicca sulla tazza che vuoi stampare: "{1..6}
announced "print window button" "$PRN" "push button" Stampa Chiudi OK "Proprieta'"
announced "print window box" "$PRN" text "Margine sinistro [mm]" "Larghezza stampa [mm]" \
  "Numero di copie" Scala
announced "print window check" "$PRN" "check box" "Stampa al centro" "Mantieni proporzioni"
e2e_finish
