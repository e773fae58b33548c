#!/usr/bin/env bash
# The Debian package as a school gets it: built from an already built tree, installed, started
# with an empty home as its menu entry starts it, the manual opened from the menu, quit; then
# removed, leaving no program file and the pupils' settings in place.
#   installed-copy.sh BUILD_DIR
# As root, with no copy of the program installed, the package goes into the system with apt-get
# and is removed again; otherwise it is unpacked into a scratch folder, and removal is not tested.
BUILD=$(cd "${1:?build folder}" && pwd)
E2E_BIN=unset # set once installed
source "$(dirname "$0")/harness.sh"
e2e_skip_unless cpack dpkg-deb desktop-file-validate appstreamcli identify
e2e_begin
SECONDS=0

APP=org.vorbello.Vorbello
SETTINGS="$HOME/.local/share/ImpostazioniProgrammiQuorla/Vorbello"

rm -rf "$BUILD/package"
if ! (cd "$BUILD" && cpack -G DEB -B "$BUILD/package" >"$E2E_TMP/cpack.log" 2>&1); then
  echo "FAIL: cpack could not build the package"; cat "$E2E_TMP/cpack.log"; exit 1
fi
deb=$(ls "$BUILD"/package/vorbello_*.deb)
echo "Package: $deb ($(du -k "$deb" | cut -f1) kB)"
depends=$(dpkg-deb -f "$deb" Depends)
e2e_check "the dependencies: Qt, Qt Multimedia for the sound module, the CUPS client library" \
  eval '[[ "$depends" == *libqt6widgets6* && "$depends" == *libqt6multimedia6* && "$depends" == *libcups2* ]]'

apt_quiet() {
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 -y -qq "$@" \
    >>"$E2E_TMP/apt.log" 2>&1
}
SYSTEM=""
if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W -f='${Status}' vorbello 2>/dev/null | grep -q installed
then
  SYSTEM=1
  PREFIX=/usr
  trap 'dpkg-query -W vorbello >/dev/null 2>&1 && apt_quiet remove vorbello; e2e_end' EXIT
  if ! apt_quiet install --no-install-recommends "$deb"; then
    echo "FAIL: apt-get could not install the package"; cat "$E2E_TMP/apt.log"; exit 1
  fi
  files=$(dpkg -L vorbello)
else
  dpkg-deb -x "$deb" "$E2E_TMP/root"
  PREFIX="$E2E_TMP/root/usr"
fi
E2E_BIN="$PREFIX/bin/vorbello"
E2E_IN_PLACE=1

desktop="$PREFIX/share/applications/$APP.desktop"
e2e_check "the menu entry is valid" desktop-file-validate "$desktop"
e2e_check "the menu entry is in the Education section" grep -qx 'Categories=Education;' "$desktop"
metainfo="$PREFIX/share/metainfo/$APP.metainfo.xml"
e2e_check "the AppStream file is valid" eval 'appstreamcli validate --no-net "$metainfo" >"$E2E_TMP/as.log" ||
  ! cat "$E2E_TMP/as.log"'
icons="$PREFIX/share/icons/hicolor"
e2e_check "the icon is there as SVG" grep -q '<svg' "$icons/scalable/apps/$APP.svg"
e2e_check "the icon is there at 48x48" \
  test "$(identify -format '%m %wx%h' "$icons/48x48/apps/$APP.png" 2>/dev/null)" = "PNG 48x48"
e2e_check "the sound module is where the program looks for it" test -f "$PREFIX/lib/vorbello/vorbello_sound.so"
e2e_check "the progress module is where the program looks for it" test -f "$PREFIX/lib/vorbello/vorbello_progress.so"
e2e_check "the man page is there" test -s "$PREFIX/share/man/man1/vorbello.1"
e2e_check "the manual is in the documentation folder" test -s "$PREFIX/share/doc/vorbello/Vorbello.pdf"
[ -n "$SYSTEM" ] && e2e_check "the menu entry's command is on the PATH" \
  test "$(command -v "$(sed -n 's/^Exec=//p' "$desktop")")" = /usr/bin/vorbello

# The desktop's handler, which here only notes what it was asked to open.
mkdir -p "$E2E_TMP/handler"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$E2E_TMP/opened" >"$E2E_TMP/handler/xdg-open"
chmod +x "$E2E_TMP/handler/xdg-open"
export PATH="$E2E_TMP/handler:$PATH"

# An empty home: the first start installs the shipped font and says so before anything else.
e2e_start
box=$(e2e_wait_window "$E2E_PID" any)
e2e_check "the first start installs the shipped font" test -f "$HOME/.local/share/fonts/indis1.ttf"
[ -n "$box" ] && e2e_dismiss "$E2E_PID" "$box"
avvio=$(e2e_wait_window "$E2E_PID" 1024x768)
e2e_check "the start-up window fills the screen" test -n "$avvio"
e2e_leave_start "$avvio"
e2e_check "the start-up window leads to the menu" e2e_lacks "$E2E_PID" "$avvio"

# Informazioni, then its first entry: the manual.
e2e_click 150 10
sleep 0.5
xdotool key --delay 100 Down Return
e2e_check "the manual is handed to the desktop's handler" \
  e2e_until 100 test -s "$E2E_TMP/opened"
opened=$(head -1 "$E2E_TMP/opened" 2>/dev/null)
e2e_check "the manual opened is the installed one" test "$opened" = "$PREFIX/share/vorbello/Vorbello.pdf"
e2e_check "the manual is a PDF" test "$(head -c 5 "$opened" 2>/dev/null)" = "%PDF-"
e2e_screenshot menu.png

# The menu's exit choice.
e2e_click 846 585
e2e_check "the exit choice ends the program" e2e_until 100 e2e_ended "$E2E_PID"
e2e_check "the pupil's settings were saved" test -f "$SETTINGS/_predefinito.INI"

if [ -n "$SYSTEM" ]; then
  apt_quiet remove vorbello
  left=""
  while IFS= read -r f; do
    [ -e "$f" ] && [ ! -d "$f" ] && left+=" $f"
  done <<<"$files"
  e2e_check "removing the package leaves no program file${left:+:$left}" test -z "$left"
  e2e_check "removing the package leaves no data folder" test ! -e /usr/share/vorbello
  e2e_check "removing the package leaves the pupil's settings" test -f "$SETTINGS/_predefinito.INI"
fi
echo "Installed copy tested in $SECONDS s"
e2e_finish
