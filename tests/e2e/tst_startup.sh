#!/usr/bin/env bash
# First start in an empty home: folders, notice, the font and its message, the start-up window
# filling the screen; a second copy on the same settings is refused; a later start asks nothing.
# What the notice and the profile hold, and a font removed since the first start, are tst_avvio's.
source "$(dirname "$0")/harness.sh"
e2e_begin

ROOT="$HOME/.local/share/ImpostazioniProgrammiQuorla"
SCREEN=1024x768

e2e_start
first=$E2E_PID
# The font message comes first, before any folder but the program folder's is finished.
box=$(e2e_wait_window "$first" any)
e2e_check "the font message appears on the first start" test -n "$box"
e2e_check "the notice is in the settings root" test -f "$ROOT/leggimi.txt"
e2e_check "the font is installed in the user's fonts" test -f "$HOME/.local/share/fonts/indis1.ttf"
[ -n "$box" ] && e2e_dismiss "$first" "$box"
avvio=$(e2e_wait_window "$first" "$SCREEN")
e2e_check "the start-up window fills the screen" test -n "$avvio"
e2e_check "the data folder exists" test -d "$ROOT/Vorbello/dati"

# A second copy: the message of key 0001 and no window of its own beyond that message. Its
# temporary folder differs, as another session's may: the settings it shares are what count.
mkdir -p "$E2E_TMP/other-tmp"
TMPDIR="$E2E_TMP/other-tmp" e2e_start
second=$E2E_PID
msg=$(e2e_wait_window "$second" any)
e2e_check "a second copy shows its message" test -n "$msg"
e2e_check "a second copy shows no start-up window" test -z "$(e2e_wait_window "$second" "$SCREEN" 5)"
[ -n "$msg" ] && e2e_dismiss "$second" "$msg"
e2e_check "the second copy ends after its message" e2e_until 100 e2e_ended "$second"
e2e_check "the first copy goes on" kill -0 "$first"

kill "$first"; wait "$first" 2>/dev/null
e2e_start
again=$(e2e_wait_window "$E2E_PID" "$SCREEN")
e2e_check "a later start goes straight to the start-up window" test -n "$again"
e2e_check "a later start shows no font message" test "$(e2e_windows_of "$E2E_PID" | wc -l)" = 1
e2e_finish
