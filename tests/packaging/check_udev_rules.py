#!/usr/bin/env python3
"""Syntax check of a udev rules file, for systems whose udevadm has no `verify`
(before systemd 253, as on Debian 12): every rule is a comma-separated list of
KEY OP "VALUE" items with keys and operators udev knows, every GOTO has its
LABEL, and the file name is one udev reads.

usage: check_udev_rules.py FILE      exit 0 when the file parses, 1 with the faults
"""
import os
import re
import sys

MATCH_ONLY = {"ACTION", "DEVPATH", "KERNEL", "KERNELS", "SUBSYSTEM", "SUBSYSTEMS",
              "DRIVER", "DRIVERS", "TAGS", "TEST", "RESULT", "CONST"}
ASSIGN_ONLY = {"GOTO", "LABEL", "RUN", "IMPORT", "OPTIONS", "SYMLINK", "OWNER", "GROUP",
               "MODE", "SECLABEL", "SYSCTL", "NAME"}
EITHER = {"ATTR", "ATTRS", "ENV", "TAG", "SYSCTL", "NAME", "SYMLINK", "PROGRAM"}
WITH_ATTRIBUTE = {"ATTR", "ATTRS", "ENV", "TEST", "IMPORT", "RUN", "SECLABEL", "SYSCTL", "CONST"}
MATCH_OPS = {"==", "!="}
ASSIGN_OPS = {"=", "+=", "-=", ":="}

ITEM = re.compile(r'\s*([A-Z_]+)(?:\{([^}]*)\})?\s*(==|!=|\+=|-=|:=|=)\s*"((?:[^"\\]|\\.)*)"\s*')


def logical_lines(text):
    """Joins backslash-continued lines; yields (first line number, text)."""
    pending, start = "", 0
    for number, line in enumerate(text.splitlines(), 1):
        if not pending:
            start = number
        if line.endswith("\\"):
            pending += line[:-1]
            continue
        yield start, pending + line
        pending = ""
    if pending:
        yield start, pending


def check_rule(line):
    """The faults of one rule, and its GOTO and LABEL names."""
    faults, gotos, labels = [], [], []
    position, items = 0, 0
    while position < len(line):
        match = ITEM.match(line, position)
        if not match:
            faults.append(f"cannot parse at column {position + 1}: {line[position:position + 30]!r}")
            return faults, gotos, labels
        key, attribute, op, value = match.groups()
        items += 1
        known = key in MATCH_ONLY | ASSIGN_ONLY | EITHER
        if not known:
            faults.append(f"unknown key {key}")
        if attribute is not None and key not in WITH_ATTRIBUTE:
            faults.append(f"{key} takes no {{attribute}}")
        if attribute is None and key in WITH_ATTRIBUTE - {"RUN", "IMPORT", "TEST", "SECLABEL"}:
            faults.append(f"{key} needs an {{attribute}}")
        if key in MATCH_ONLY and op not in MATCH_OPS:
            faults.append(f"{key} can only be matched (==, !=), not {op}")
        if key in ASSIGN_ONLY and key not in EITHER and op not in ASSIGN_OPS:
            faults.append(f"{key} can only be assigned, not matched with {op}")
        if key == "GOTO":
            gotos.append(value)
        if key == "LABEL":
            labels.append(value)
        position = match.end()
        if position < len(line):
            if line[position] != ",":
                faults.append(f"expected ',' at column {position + 1}")
                return faults, gotos, labels
            position += 1
    if items == 0:
        faults.append("empty rule")
    return faults, gotos, labels


def check_file(path):
    faults = []
    name = os.path.basename(path)
    if not name.endswith(".rules"):
        faults.append(f"{name}: udev reads only files ending in .rules")
    with open(path, encoding="utf-8") as handle:
        text = handle.read()
    all_gotos, all_labels = [], []
    for number, line in logical_lines(text):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        rule_faults, gotos, labels = check_rule(line)
        faults += [f"{name}:{number}: {fault}" for fault in rule_faults]
        all_gotos += [(number, g) for g in gotos]
        all_labels += labels
    for number, goto in all_gotos:
        if goto not in all_labels:
            faults.append(f"{name}:{number}: GOTO \"{goto}\" has no LABEL")
    return faults


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    faults = check_file(argv[1])
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
