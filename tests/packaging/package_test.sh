#!/usr/bin/env bash
# Builds the Debian package from a complete build tree, unpacks it into a
# scratch root and checks what a user gets: the program directory, the
# launcher and its per-user program directory, the desktop entry, the AppStream
# metadata, the udev rule, the manual and the package's dependencies.
#
# usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail

build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
version=$3
here=$(cd "$(dirname "$0")" && pwd)

source "$(dirname "$0")/checks.sh" package
require_tool() {
    command -v "$1" >/dev/null || { echo "FAIL $1 is missing (Debian package $2; scripts/setup installs it)"; exit 1; }
}
require_tool cpack cmake
require_tool dpkg-deb dpkg
require_tool desktop-file-validate desktop-file-utils
require_tool appstreamcli appstream
require_tool pdfinfo poppler-utils
require_tool python3 python3

# ---- Build and unpack the package ------------------------------------------------
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || {
    echo "FAIL cpack -G DEB"; cat "$scratch/cpack.log"; exit 1; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL expected one .deb, got: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb")"
root=$scratch/root
dpkg-deb -x "$deb" "$root"

arch=$(dpkg --print-architecture)
field() { dpkg-deb -f "$deb" "$1"; }
check "package name, version and architecture" \
    test "$(field Package) $(field Version) $(field Architecture)" = "briskel-view $version $arch"
check "file name is Debian's name_version_arch.deb" \
    test "$(basename "$deb")" = "briskel-view_${version}_${arch}.deb"

# ---- The program directory -------------------------------------------------------
program_dir=$root/usr/lib/briskel-view
check "the program is an executable ELF file in the program directory" \
    bash -c "test -x '$program_dir/briskel-view' && head -c4 '$program_dir/briskel-view' | grep -q ELF"
for resource in BRISKEL.UIR Class.xl BriskelView.pdf; do
    check "$resource is beside the program" test -s "$program_dir/$resource"
done
check "driverusb/ is beside the program" test -d "$program_dir/driverusb"
for name in Briskel.ini ZR881x_9025.log dosdevices zr8812-emulator make-manual; do
    check "no $name in the installed program directory" test ! -e "$program_dir/$name"
done
check "every resource of the source tree is installed" \
    bash -c "cd '$source_dir/resources/program' && find . -type f | while read -r f; do test -f '$program_dir/'\"\$f\" || { echo missing \$f; exit 1; }; done"
check "the installed program carries no run path into the build tree" \
    bash -c "! readelf -d '$program_dir/briskel-view' | grep -E 'R(UN)?PATH'"

# Every library the program links is provided by a package it depends on.
depends=$(field Depends)
# The package names of Depends, one a line (versions and alternatives dropped).
depends_names=$(sed 's/([^)]*)//g; s/[,|]/\n/g' <<<"$depends" | tr -d ' ' | grep .)
depends_on() { grep -qxF "$1" <<<"$depends_names"; }
# The package that ships a library, from the path the dynamic linker finds it at
# (tried with and without /usr, as /lib and /usr/lib are one on merged-/usr systems).
package_of() {
    local path candidate
    for path in "$1" "$(readlink -f "$1")"; do
        for candidate in "$path" "/usr$path" "${path#/usr}"; do
            dpkg -S "$candidate" 2>/dev/null | head -1 | sed 's/:.*//' | grep . && return
        done
    done
    echo "?$1"
}
needed_packages() {
    local binary=$1 soname path
    ldd "$binary" | awk '$2 == "=>" {print $1, $3}' >"$scratch/ldd.txt"
    objdump -p "$binary" | awk '/NEEDED/ {print $2}' | while read -r soname; do
        path=$(awk -v s="$soname" '$1 == s {print $2}' "$scratch/ldd.txt")
        package_of "${path:-$soname}"
    done | sort -u
}
check_depends() {
    local missing=0
    for package in $(needed_packages "$program_dir/briskel-view"); do
        if ! depends_on "$package"; then
            echo "linked library of package $package is not in Depends: $depends"
            missing=1
        fi
    done
    return $missing
}
check "Depends names the package of every linked library" check_depends
for package in libqt6widgets6 libqt6serialport6 libqt6uitools6 libzip4 libpugixml1v5 qt6-qpa-plugins; do
    check "Depends names $package" depends_on "$package"
done
dpkg-deb -e "$deb" "$scratch/control"
check "postinst applies the udev rule to a plugged instrument and is valid shell" \
    bash -c "test -x '$scratch/control/postinst' && sh -n '$scratch/control/postinst' && grep -q 'udevadm trigger' '$scratch/control/postinst'"
check "the long description does not repeat the synopsis" \
    bash -c "test \"\$(dpkg-deb -f '$deb' Description | sed -n 2p)\" != \" \$(dpkg-deb -f '$deb' Description | sed -n 1p)\""
check "the Maintainer is a real address, not a placeholder" \
    bash -c "dpkg-deb -f '$deb' Maintainer | grep -E '^[^<]+ <[^@ ]+@[^ ]+>$' | grep -v -E '\\.(invalid|example|test|localhost)>'"
check "the package ships its copyright file" test -s "$root/usr/share/doc/briskel-view/copyright"

# ---- Desktop integration ---------------------------------------------------------
desktop=$root/usr/share/applications/com.briskel.BriskelView.desktop
metainfo=$root/usr/share/metainfo/com.briskel.BriskelView.metainfo.xml
check "desktop entry passes desktop-file-validate" desktop-file-validate "$desktop"
check "desktop entry starts the launcher on the PATH" grep -qx 'Exec=briskel-view' "$desktop"
check "metainfo passes appstreamcli validate" appstreamcli validate --no-net "$metainfo"
check "metainfo carries this version and the licence" \
    bash -c "grep -q 'release version=\"$version\"' '$metainfo' && grep -q '<project_license>LicenseRef-proprietary</project_license>' '$metainfo'"
check "scalable icon is a well-formed SVG" \
    python3 -c "import sys, xml.dom.minidom as m; m.parse(sys.argv[1])" \
    "$root/usr/share/icons/hicolor/scalable/apps/com.briskel.BriskelView.svg"
png_size() {  # width x height from a PNG's header
    python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
print("%dx%d" % struct.unpack(">II", data[16:24]))' "$1"
}
for size in 48 128 256; do
    check "${size}x${size} icon" \
        test "$(png_size "$root/usr/share/icons/hicolor/${size}x${size}/apps/com.briskel.BriskelView.png")" = "${size}x${size}"
done

# ---- The udev rule ---------------------------------------------------------------
rule=$root/lib/udev/rules.d/70-briskel-view.rules
check "udev rule installed in /lib/udev/rules.d" test -s "$rule"
if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
    check "udev rule passes udevadm verify" udevadm verify --resolve-names=never "$rule"
else
    check "udev rule parses (no udevadm verify on this system)" python3 "$here/check_udev_rules.py" "$rule"
fi
check "udev rule gives the seat's user the bridge (uaccess) and keeps ModemManager away" \
    bash -c "grep -E '^SUBSYSTEM==\"tty\".*ATTRS\{idVendor\}==\"10c4\"' '$rule' | grep 'TAG+=\"uaccess\"' | grep -q 'ENV{ID_MM_DEVICE_IGNORE}=\"1\"'"

# ---- The manual in the package ----------------------------------------------------
check "the packaged manual is a PDF with pages" \
    bash -c "pdfinfo '$program_dir/BriskelView.pdf' | grep -Eq '^Pages: +[1-9]'"

# ---- The launcher and the per-user program directory -------------------------------
launcher=$root/usr/bin/briskel-view
check "launcher is an executable shell script" bash -c "test -x '$launcher' && sh -n '$launcher'"

# The packaged program itself, started through the launcher: it must find its
# directory in the user's copy and write its log and settings there (the
# offscreen platform needs no display; the program then waits at its port
# question, and is ended once both files are there).
run_program() {
    local user=$scratch/real-data/briskel-view deadline=$((SECONDS + 30)) pid
    mkdir -p "$scratch/runtime" && chmod 700 "$scratch/runtime"
    env -i PATH=/usr/bin:/bin HOME="$scratch/real-home" XDG_DATA_HOME="$scratch/real-data" \
        XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen \
        "$launcher" >"$scratch/program.log" 2>&1 &
    pid=$!
    until [ -s "$user/Briskel.ini" ] && [ -s "$user/ZR881x_9025.log" ]; do
        if ! kill -0 "$pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            kill "$pid" 2>/dev/null || true
            echo "the program wrote no settings and log in $user"; cat "$scratch/program.log"
            return 1
        fi
        sleep 0.2
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    grep -q 'LOG BRISKEL VIEW' "$user/ZR881x_9025.log" && test ! -e "$program_dir/Briskel.ini"
}
check "the packaged program runs from the user's directory and keeps its settings and log there" \
    run_program

# A stand-in for the program records where it runs from and with what, so the
# launcher can be run without a display or an instrument.
stub() {
    printf '#!/bin/sh\n# build %s\nprintf "%%s\\n" "$(cd "$(dirname "$0")" && pwd -P)" "$*" > "$STUB_OUT"\n' "$1" \
        >"$program_dir/briskel-view"
    chmod 755 "$program_dir/briskel-view"
}
home=$scratch/home
data=$scratch/data
user_dir=$data/briskel-view
run_launcher() {
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$data" STUB_OUT="$scratch/stub.out" \
        "$launcher" "$@"
}
mkdir -p "$home"
stub 1
run_launcher --first
check "the program runs from the user's program directory, with the arguments" \
    test "$(cat "$scratch/stub.out")" = "$user_dir
--first"
check "the program is copied, not linked" bash -c "test -f '$user_dir/briskel-view' && test ! -L '$user_dir/briskel-view'"
for name in BRISKEL.UIR BriskelView.pdf driverusb; do
    check "$name is linked to the installed one" \
        test "$(readlink "$user_dir/$name")" = "$(cd "$program_dir" && pwd -P)/$name"
done
check "Class.xl is a copy of the user's own" bash -c "test -f '$user_dir/Class.xl' && test ! -L '$user_dir/Class.xl' && cmp -s '$user_dir/Class.xl' '$program_dir/Class.xl'"

# The user's files survive an update; the program and the links follow it.
printf '1 0\r\n' >"$user_dir/Briskel.ini"
printf 'log\r\n' >"$user_dir/ZR881x_9025.log"
mkdir -p "$user_dir/dosdevices" && ln -s /dev/null "$user_dir/dosdevices/com7"
printf 'restyled' >>"$user_dir/Class.xl"
touch "$program_dir/extra.txt"
run_launcher
check "a file added to the installation is linked on the next start" test -L "$user_dir/extra.txt"
rm "$program_dir/extra.txt"
stub 2
touch -d '2030-01-01' "$program_dir/briskel-view"
run_launcher --second
check "an updated program is copied again" grep -q 'build 2' "$user_dir/briskel-view"
check "settings, log and port links of the user survive an update" \
    bash -c "test \"\$(cat '$user_dir/Briskel.ini')\" = \$'1 0\r' && test -s '$user_dir/ZR881x_9025.log' && test -L '$user_dir/dosdevices/com7'"
check "a restyled Class.xl survives an update" bash -c "tail -c8 '$user_dir/Class.xl' | grep -q restyled"
check "a link to a file no longer installed is removed" test ! -e "$user_dir/extra.txt" -a ! -L "$user_dir/extra.txt"
rm "$user_dir/Class.xl" "$user_dir/BRISKEL.UIR"
run_launcher
check "a deleted Class.xl and link come back on the next start" \
    bash -c "cmp -s '$user_dir/Class.xl' '$program_dir/Class.xl' && test -L '$user_dir/BRISKEL.UIR'"
mkdir -p "$scratch/elsewhere" && ln -s "$launcher" "$scratch/elsewhere/briskel-view"
env -i PATH=/usr/bin:/bin HOME="$home" STUB_OUT="$scratch/stub.out" "$scratch/elsewhere/briskel-view"
check "launcher found through a link; without XDG_DATA_HOME it uses ~/.local/share" \
    test "$(head -1 "$scratch/stub.out")" = "$home/.local/share/briskel-view"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
