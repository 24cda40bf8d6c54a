#!/usr/bin/env bash
# The installer in the tests' Wine prefix, as a user runs it silently:
#   installer_test.sh SETUP.exe PROGRAM_DIR
# It installs into the user's %LOCALAPPDATA%\Programs\Briskel View with every
# file of the built program directory (PROGRAM_DIR), a Start-menu entry and an
# uninstall entry; an update keeps the user's settings and template; the
# uninstaller takes the program away and leaves what the user's work made
# beside it (settings, export settings, log, journal, workbooks); an update
# over the running program stops before it changes anything. /D= chooses
# another folder.
set -euo pipefail
: "${BRISKEL_WINE64:?}" "${BRISKEL_WINE_PREFIX_FILE:?}"
setup=$1 program_dir=$2
WINEPREFIX=$(cat "$BRISKEL_WINE_PREFIX_FILE")
export WINEPREFIX WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
wine() { "$BRISKEL_WINE64" "$@"; }
# The installer's /D= and the uninstaller's _?= take the rest of the command
# line as the folder, blanks and all, and no quotes: cmd hands the line on as
# written (a program argument with a blank would reach them quoted). cmd /c
# waits for the program, and the uninstaller run in place (_?=) does not hand
# over to a copy of itself that would run on after it.
run_in() { wine cmd /c "cd /d $1 && $2"; }
setup_dir=$(wine winepath -w "$(dirname "$(realpath "$1")")" | tr -d '\r')
setup_name=$(basename "$1")
run_setup() { run_in "$setup_dir" "$setup_name /S${1:+ /D=$1}"; }
run_uninstaller() { run_in "$1" "uninstall.exe /S _?=$1"; }
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }

# The user's folders as Windows names them, and where they lie in the prefix.
windows_folder() { wine cmd /c echo "%$1%" | tr -d '\r'; }
unix_path() { wine winepath -u "$1" | tr -d '\r'; }
local_app_data=$(windows_folder LOCALAPPDATA)
install_dir_win="$local_app_data\\Programs\\Briskel View"
install_dir=$(unix_path "$install_dir_win")
shortcut=$(unix_path "$(windows_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")/Briskel\ View.lnk
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\BriskelView'
reg_value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
files_in() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
version=$(basename "$setup" .exe)
version=${version#briskel-view-setup-}

echo "== silent installation into $install_dir_win"
run_setup || fail "the installer ended with $?"
# What the program writes beside itself, should it have run from the build's
# program directory, is no part of what is shipped.
shipped=$(files_in "$program_dir" |
  grep -Evx 'Briskel\.ini|BriskelExport\.ini|BriskelObjects\.ini|ZR881x_9025\.log|Briskel_exports\.txt|.*\.xlsx?' || true)
expected=$(printf '%s\nBriskel.ini\nuninstall.exe\n' "$shipped" | LC_ALL=C sort)
check "the installed files are the program directory's, the prepared settings and the uninstaller" \
  test "$(files_in "$install_dir")" = "$expected"
while read -r file; do
  cmp -s "$program_dir/$file" "$install_dir/$file" || fail "$file differs from the built one"
done <<<"$shipped"
check "the settings are prepared with the first-install flag" \
  test "$(head -n 1 "$install_dir/Briskel.ini" | tr -d '\r')" = "1 1"
check "the Start-menu entry starts the program" grep -qa 'briskel-view.exe' "$shortcut"
check "DisplayName" test "$(reg_value DisplayName)" = "Briskel View"
check "DisplayVersion" test "$(reg_value DisplayVersion)" = "$version"
check "Publisher" test "$(reg_value Publisher)" = "Briskel"
check "UninstallString" test "$(reg_value UninstallString)" = "\"$install_dir_win\\uninstall.exe\""
check "DisplayIcon" test "$(reg_value DisplayIcon)" = "$install_dir_win\\briskel-view.exe,0"

echo "== an update while the program runs (on a display and Wine desktop of its own)"
xvfb-run -a bash "${0%/*}/popups/on_own_desktop.sh" "${0%/*}/wine.sh" "$install_dir/briskel-view.exe" &>/dev/null &
stop_program() { wine taskkill /f /im briskel-view.exe >/dev/null 2>&1; wait; }
trap stop_program EXIT
# As on Windows, the running program's file cannot be opened for writing.
for ((tries = 0; tries < 100; tries++)); do run_in "$install_dir_win" "type nul >> briskel-view.exe" &>/dev/null || break; done
printf 'the older version\r\n' >"$install_dir/driverusb/Win2K/README.txt"
before=$(cd "$install_dir" && md5sum uninstall.exe $shipped)
code=0 && run_setup || code=$?
check "the installer over the running program ends with code 2 (it ended with $code)" test $code = 2
check "and changes nothing" test "$(cd "$install_dir" && md5sum uninstall.exe $shipped)" = "$before"
stop_program && trap - EXIT

echo "== the user's files, then an update"
user_files=(Briskel.ini BriskelExport.ini BriskelObjects.ini ZR881x_9025.log Briskel_exports.txt "Essai 1.xlsx" Class.xl)
for file in "${user_files[@]}"; do printf 'the user'\''s %s\r\n' "$file" >"$install_dir/$file"; done
run_setup || fail "the update ended with $?"
for file in "${user_files[@]}"; do
  check "the update keeps the user's $file" grep -q "the user's $file" "$install_dir/$file"
done

echo "== silent uninstallation"
# Run in place, the uninstaller cannot remove itself (started as a user
# starts it, its copy in the temporary folder does).
run_uninstaller "$install_dir_win" || fail "the uninstaller ended with $?"
rm -f "$install_dir/uninstall.exe"
remaining=$(printf '%s\n' "${user_files[@]}" | grep -vx Class.xl | LC_ALL=C sort)
check "only the user's files remain (the template goes with the program)" \
  test "$(files_in "$install_dir")" = "$remaining"
for file in "${user_files[@]}"; do
  [ "$file" = Class.xl ] && continue
  check "the user's $file is whole" grep -q "the user's $file" "$install_dir/$file"
done
check "the Start-menu entry is gone" test ! -e "$shortcut"
check "the uninstall entry is gone" test -z "$(reg_value DisplayName)"

echo "== silent installation into a folder of the user's choice"
chosen_win='C:\Outils\Briskel Vue'
run_setup "$chosen_win" || fail "the installer ended with $?"
chosen=$(unix_path "$chosen_win")
check "the program is in the chosen folder" test -f "$chosen/briskel-view.exe"
check "the uninstall entry names it" test "$(reg_value InstallLocation)" = "$chosen_win"
run_uninstaller "$chosen_win" || fail "the uninstaller ended with $?"
rm -f "$chosen/uninstall.exe"
check "nothing of the program is left there but its first settings" \
  test "$(files_in "$chosen")" = "Briskel.ini"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "The installer installs, updates and uninstalls as it should."
