#!/usr/bin/env bash
# The Wine prefix of the Windows tests:
#   wine.sh make         makes a prefix in a new temporary folder
#   wine.sh run PROGRAM  runs a Windows test program in it; with
#                        BRISKEL_EMULATOR set, the emulated instrument (that
#                        Linux program) serves COM $BRISKEL_EMULATOR_COM of the
#                        prefix meanwhile, in command mode, pulling its cable
#                        when $BRISKEL_EMULATOR_UNPLUG_AT arrives (if set) and
#                        at the real line rate when BRISKEL_EMULATOR_PACE=1,
#                        in Modbus mode as after power-on when
#                        BRISKEL_EMULATOR_MODBUS=1
#   wine.sh remove       stops that prefix's wineserver and deletes it
# The prefix's path is kept in $BRISKEL_WINE_PREFIX_FILE between the steps.
# Wine does not stop to offer its .NET and HTML add-ons (WINEDLLOVERRIDES),
# and only this prefix's wineserver is ever stopped.
set -euo pipefail
: "${BRISKEL_WINE64:?}" "${BRISKEL_WINE_PREFIX_FILE:?}"
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=${WINEDEBUG:--all}
wineserver=$(dirname "$BRISKEL_WINE64")/wineserver

case "$1" in
make)
  if [ -f "$BRISKEL_WINE_PREFIX_FILE" ]; then "$0" remove || true; fi
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/briskel-wine.XXXXXX")
  export WINEPREFIX
  echo "$WINEPREFIX" >"$BRISKEL_WINE_PREFIX_FILE"
  # wineboot complains that this 64-bit-only Wine has no 32-bit rundll32.
  "$BRISKEL_WINE64" wineboot --init >/dev/null 2>&1 || true
  # The prefix stands in for Windows 10 (Wine 8 answers Windows 7 by default
  # and knows no Windows 11).
  "$BRISKEL_WINE64" reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1
  # The registry reaches the prefix's files when its wineserver has finished.
  "$wineserver" -w
  test -f "$WINEPREFIX/system.reg" || { echo "wineboot made no prefix in $WINEPREFIX"; exit 1; }
  echo "Wine prefix: $WINEPREFIX"
  ;;
run)
  WINEPREFIX=$(cat "$BRISKEL_WINE_PREFIX_FILE")
  export WINEPREFIX
  shift
  if [ -z "${BRISKEL_EMULATOR:-}" ]; then exec "$BRISKEL_WINE64" "$@"; fi
  [ -x "$BRISKEL_EMULATOR" ] || { echo "No emulator at $BRISKEL_EMULATOR: build the Linux program first (scripts/build)"; exit 1; }
  com=${BRISKEL_EMULATOR_COM:?}
  # Wine opens COMn through the prefix's dosdevices/comn link.
  options=(--com "$com" --program-dir "$WINEPREFIX")
  [ "${BRISKEL_EMULATOR_MODBUS:-0}" = 1 ] || options+=(--start-in-command-mode)
  [ -n "${BRISKEL_EMULATOR_UNPLUG_AT:-}" ] && options+=(--unplug-at "$BRISKEL_EMULATOR_UNPLUG_AT")
  [ "${BRISKEL_EMULATOR_PACE:-0}" = 1 ] && options+=(--pace)
  "$BRISKEL_EMULATOR" "${options[@]}" >"$WINEPREFIX/emulator-com$com.log" 2>&1 &
  emulator=$!
  trap 'kill "$emulator" 2>/dev/null; wait "$emulator" 2>/dev/null || true' EXIT
  tries=0
  until [ -e "$WINEPREFIX/dosdevices/com$com" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$emulator" 2>/dev/null; then
      echo "The emulator did not register COM $com:"; cat "$WINEPREFIX/emulator-com$com.log"; exit 1
    fi
    sleep 0.1
  done
  "$BRISKEL_WINE64" "$@"
  ;;
remove)
  [ -f "$BRISKEL_WINE_PREFIX_FILE" ] || exit 0
  WINEPREFIX=$(cat "$BRISKEL_WINE_PREFIX_FILE")
  export WINEPREFIX
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  case "$WINEPREFIX" in */briskel-wine.*) rm -rf "$WINEPREFIX" ;; esac
  rm -f "$BRISKEL_WINE_PREFIX_FILE"
  ;;
*)
  echo "usage: wine.sh make | run PROGRAM [ARGS...] | remove" >&2
  exit 2
  ;;
esac
