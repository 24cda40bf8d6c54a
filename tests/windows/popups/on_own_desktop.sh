#!/usr/bin/env bash
# Runs a GUI test program of the Windows build on a Wine desktop of its own
# (a virtual desktop the size of the X screen), on the X display this script
# is given: the prefix's default desktop may already belong to a test started
# without a display, whose windows then go nowhere.
#   on_own_desktop.sh WINE_SH PROGRAM [ARGS...]
set -euo pipefail
: "${BRISKEL_WINE64:?}" "${BRISKEL_WINE_PREFIX_FILE:?}" "${DISPLAY:?}"
wine_sh=$1
program=$2
name=$(basename "$program")
desktop="Briskel-${name%.exe}"
WINEPREFIX=$(cat "$BRISKEL_WINE_PREFIX_FILE")
export WINEPREFIX WINEDEBUG=-all
"$BRISKEL_WINE64" reg add "HKCU\\Software\\Wine\\AppDefaults\\$name\\Explorer" /v Desktop \
  /t REG_SZ /d "$desktop" /f >/dev/null 2>&1
"$BRISKEL_WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$desktop" /t REG_SZ \
  /d 1280x1024 /f >/dev/null 2>&1
shift
exec bash "$wine_sh" run "$@"
