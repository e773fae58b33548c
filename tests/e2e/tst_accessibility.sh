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
cat "$LIST"
for name in "vero o falso" "uguale - diverso" "trova le differenze" "insiemi" \
  "trova gli intrusi" "trova la tazza" "esci"; do
  e2e_check "button '$name' is announced" grep -qx "push button|$name" "$LIST"
done
for name in Configurazione Informazioni Lingua Italiano English; do
  e2e_check "menu entry '$name' is announced" grep -qx "menu item|$name" "$LIST"
done
e2e_check "no push button without a name" bash -c "! grep -qx 'push button|' '$LIST'"
cat "$ES1"
for name in Vero Falso "Avanti: un altro esercizio"; do
  e2e_check "exercise button '$name' is announced" grep -qx "push button|$name" "$ES1"
done
e2e_check "the exercise sentence is announced" grep -qE '^label\|.+\.$' "$ES1"
e2e_check "no exercise button without a name" bash -c "! grep -qx 'push button|' '$ES1'"
echo "--- drawings"; cat "$FIG"
echo "--- print window"; cat "$PRN"
for n in 1 2 3 4 5 6; do
  e2e_check "drawing $n is announced as a button" \
    grep -qx "push button|Clicca sulla tazza che vuoi stampare: $n" "$FIG"
done
for name in Stampa Chiudi OK "Proprieta'"; do
  e2e_check "print window button '$name' is announced" grep -qx "push button|$name" "$PRN"
done
for name in "Margine sinistro [mm]" "Larghezza stampa [mm]" "Numero di copie" "Scala"; do
  e2e_check "print window box '$name' is announced" grep -qxF "text|$name" "$PRN"
done
for name in "Stampa al centro" "Mantieni proporzioni"; do
  e2e_check "print window check '$name' is announced" grep -qx "check box|$name" "$PRN"
done
e2e_finish
