#!/usr/bin/env python3
"""Checks that scripts/setup installs everything the build and the tests use.

Every file the build found (each path in the CMake cache) and every tool,
plugin, font and Python module the tests and scripts use belongs to a Debian
package. Each such package must be one that scripts/setup names, or be pulled
in by one of those through Depends or Pre-Depends (never Recommends, which
setup does not install), or belong to the base system every Debian machine has.
A fresh machine then builds and tests from scripts/setup alone.

usage: check_setup_packages.py BUILD_DIR SETUP_SCRIPT [--without PACKAGE...]
--without drops packages from the setup list, to show that the check notices.
Prints one line per package to add and exits 1 when any is missing.
"""
import argparse
import glob
import os
import re
import shutil
import subprocess
import sys

# Commands the scripts and tests run by name (scripts/, tests/e2e, tests/packaging).
TOOLS = [
    "bash", "python3", "cmake", "ctest", "cpack", "ninja", "pkg-config", "c++",
    "xvfb-run", "Xvfb", "xauth", "xdotool", "xwininfo", "import",
    "dpkg-deb", "desktop-file-validate", "appstreamcli",
    "pdfinfo", "pdftoppm", "pdftotext", "udevadm", "dbus-run-session", "dbus-daemon",
    "soffice",  # LibreOffice headless reads the exported workbooks back
    "clang-14", "clang++-14",  # the fuzz targets (scripts/fuzz)
]
# Python modules the end-to-end tests import.
PYTHON_MODULES = ["openpyxl", "pyatspi"]
# Files the program and the tests load at run time rather than link.
RUNTIME_FILES = [
    "/usr/lib/*/qt6/plugins/platforms/libqoffscreen.so",  # every Qt test
    "/usr/lib/*/qt6/plugins/platforms/libqxcb.so",        # the end-to-end runs
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",    # texts in screenshots and the manual
    "/usr/share/i18n/locales/fr_FR",                      # the tests on a French desktop
    "/usr/lib/libreoffice/program/libsclo.so",            # LibreOffice's spreadsheet, for soffice
    "/usr/share/fonts/truetype/crosextra/Carlito-Regular.ttf",  # the workbooks' font as it prints
    "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a",  # libFuzzer (scripts/fuzz)
    "/usr/libexec/at-spi-bus-launcher",                   # the accessibility bus of e2e_pulled_cable
    "/usr/libexec/at-spi2-registryd",
]
CACHE_PATH = re.compile(r"^([A-Za-z0-9_]+):(FILEPATH|PATH)=(/.*)$")


def setup_packages(script):
    text = open(script, encoding="utf-8").read()
    block = re.search(r"packages=\((.*?)\)", text, re.S)
    if not block:
        sys.exit(f"{script}: no packages=( ... ) list")
    lines = [line.split("#")[0] for line in block.group(1).splitlines()]
    return set(" ".join(lines).split())


def installed_packages():
    """name -> (depends names, base system?), and virtual name -> providers."""
    fields = "${Package}\t${Status}\t${Essential}\t${Priority}\t${Depends}, ${Pre-Depends}\t${Provides}\n"
    out = subprocess.run(["dpkg-query", "-W", "-f", fields], capture_output=True,
                         text=True, check=True).stdout
    packages, providers = {}, {}
    for line in out.splitlines():
        name, status, essential, priority, depends, provides = line.split("\t")
        if not status.endswith(" installed"):
            continue
        packages[name] = (parse_relations(depends), essential == "yes" or priority == "required")
        for alternatives in parse_relations(provides):
            for virtual in alternatives:
                providers.setdefault(virtual, set()).add(name)
    return packages, providers


def parse_relations(text):
    """'a (>= 1) | b:any, c' -> [['a', 'b'], ['c']]"""
    result = []
    for group in text.split(","):
        names = [re.sub(r"[\s(\[].*", "", alt.strip()).split(":")[0] for alt in group.split("|")]
        names = [n for n in names if n]
        if names:
            result.append(names)
    return result


def closure(roots, packages, providers):
    """The packages installed for the roots through Depends and Pre-Depends."""
    seen, todo = set(), list(roots)
    while todo:
        name = todo.pop()
        if name in seen:
            continue
        seen.add(name)
        for alternatives in packages.get(name, ([], False))[0]:
            # apt installs one alternative; any of them that is here counts.
            for alt in alternatives:
                todo.extend([alt] if alt in packages else sorted(providers.get(alt, ())))
    return seen


def owners(path):
    """The packages that hold path, trying it as named and as resolved."""
    candidates = [path, os.path.realpath(path)]
    for p in list(candidates):
        if p.startswith("/usr/"):
            candidates.append(p[4:])  # merged /usr: dpkg may know /lib/... only
    for p in candidates:
        result = subprocess.run(["dpkg-query", "-S", p], capture_output=True, text=True)
        if result.returncode == 0:
            found = set()
            for line in result.stdout.splitlines():
                if line.startswith("diversion "):
                    continue
                names = line.rsplit(": ", 1)[0]
                found.update(n.strip().split(":")[0] for n in names.split(","))
            if found:
                return found
    return set()


def cache_files(build_dir):
    """(what, file) for each path the configure step found."""
    result = []
    with open(os.path.join(build_dir, "CMakeCache.txt"), encoding="utf-8") as cache:
        for line in cache:
            match = CACHE_PATH.match(line.strip())
            if not match:
                continue
            name, kind, value = match.groups()
            if value.startswith(("/usr/local", os.path.realpath(build_dir))) or not os.path.exists(value):
                continue
            if kind == "PATH" and name.endswith("_DIR") and "/cmake/" in value:
                configs = glob.glob(os.path.join(value, "*[Cc]onfig.cmake"))
                if configs:
                    result.append((name, sorted(configs)[0]))
            elif kind == "FILEPATH":
                result.append((name, value))
    return result


def used_files(build_dir):
    found = cache_files(build_dir)
    missing = []
    for tool in TOOLS:
        path = shutil.which(tool, path="/usr/sbin:/usr/bin:/sbin:/bin")
        if path:
            found.append((f"command {tool}", path))
        else:
            missing.append(f"command {tool}")
    for module in PYTHON_MODULES:
        result = subprocess.run(["/usr/bin/python3", "-c", f"import {module}; print({module}.__file__)"],
                                capture_output=True, text=True)
        if result.returncode == 0:
            found.append((f"Python module {module}", result.stdout.strip()))
        else:
            missing.append(f"Python module {module}")
    for pattern in RUNTIME_FILES:
        matches = sorted(glob.glob(pattern))
        if matches:
            found.append((f"file {os.path.basename(pattern)}", matches[0]))
        else:
            missing.append(f"file {pattern}")
    return found, missing


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build_dir")
    parser.add_argument("setup_script")
    parser.add_argument("--without", nargs="*", default=[])
    args = parser.parse_args()

    listed = setup_packages(args.setup_script) - set(args.without)
    packages, providers = installed_packages()
    covered = closure(listed, packages, providers)
    found, missing = used_files(args.build_dir)
    problems = [f"not on this machine: {what}" for what in missing]
    to_add = {}
    for what, path in found:
        holders = owners(path)
        if not holders:
            print(f"note: {path} ({what}) belongs to no package; not checked")
            continue
        if holders & covered or any(packages.get(h, ([], False))[1] for h in holders):
            continue
        to_add.setdefault(sorted(holders)[0], []).append(f"{what}: {path}")
    for package, uses in sorted(to_add.items()):
        problems.append(f"add {package} to scripts/setup (it holds {'; '.join(uses)})")
    print(f"{len(found)} files checked against {len(listed)} packages of scripts/setup "
          f"({len(covered)} with their dependencies)")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
