"""The golden traces of tests/golden/traces (tests/support/golden_trace.h), read
from an end-to-end run: the cell lines of a workbook and the lines of the
export journal, written as the trace writes them, so that a run of the real
program compares its files with a trace recorded in-process.

A trace's file blocks start with "-- NAME (...)"; a workbook's block holds
"part NAME HASH" lines, then "sheet \"NAME\"" and one "REF TYPE VALUE" line per
cell that holds something.
"""
import difflib
import os
import re
import xml.etree.ElementTree as ElementTree
import zipfile

TRACES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "golden", "traces")
JOURNAL = "Briskel_exports.txt"


def escaped(text):
    """A text as the trace writes it: \\r \\n \\t \\\\ and \\xNN for the other
    control characters."""
    named = {"\r": "\\r", "\n": "\\n", "\t": "\\t", "\\": "\\\\"}
    return "".join(named.get(c) or (f"\\x{ord(c):02X}" if ord(c) < 0x20 or c == "\x7f" else c)
                   for c in text)


def blocks(name):
    """The file blocks of trace `name`: file name -> its lines."""
    with open(os.path.join(TRACES, name + ".trace"), encoding="utf-8") as trace:
        lines = trace.read().split("\n")
    found, current = {}, None
    for line in lines:
        if line.startswith("-- ") or line.startswith("== "):
            current = None
        if line.startswith("-- "):
            current = found.setdefault(re.sub(r" \([^)]*\)$", "", line[3:]), [])
        elif current is not None:
            current.append(line)
    return found


def texts(element, tag):
    return "".join(e.text or "" for e in element.iter() if e.tag.rsplit("}", 1)[-1] == tag)


def cell_lines(path):
    """Every sheet's name and every cell that holds something, as the trace has them."""
    with zipfile.ZipFile(path) as package:
        def part(name):
            return ElementTree.fromstring(package.read(name)) if name in package.namelist() \
                else ElementTree.Element("none")
        shared = [texts(si, "t") for si in part("xl/sharedStrings.xml").iter()
                  if si.tag.endswith("}si")]
        targets = {r.get("Id"): r.get("Target") for r in part("xl/_rels/workbook.xml.rels")}
        lines = []
        for sheet in part("xl/workbook.xml").iter():
            if not sheet.tag.endswith("}sheet"):
                continue
            lines.append(f'sheet "{sheet.get("name")}"')
            relation = next(v for k, v in sheet.attrib.items() if k.endswith("}id"))
            target = targets[relation]
            target = target[1:] if target.startswith("/") else "xl/" + target
            for cell in part(target).iter():
                if not cell.tag.endswith("}c"):
                    continue
                kind = cell.get("t", "n")
                value = texts(cell, "t") if kind == "inlineStr" else texts(cell, "v")
                if kind == "s" and value.isdigit() and int(value) < len(shared):
                    value = shared[int(value)]
                if texts(cell, "f"):
                    value += " =" + texts(cell, "f")
                if value:
                    lines.append(f"{cell.get('r')} {kind} {escaped(value)}")
    return lines


def unescaped(text):
    named = {"r": "\r", "n": "\n", "t": "\t", "\\": "\\"}
    return re.sub(r"\\(x[0-9A-F]{2}|[rnt\\])",
                  lambda m: named.get(m.group(1)) or chr(int(m.group(1)[1:], 16)), text)


def journal_fields(line):
    """A journal line's fields without what differs from run to run: when the
    test was exported, and the workbook's folder."""
    fields = line.rstrip("\r").split("\t")
    if len(fields) >= 7:
        fields[0] = "<exported at>"
        fields[6] = re.split(r"[\\/]", fields[6])[-1]
    return fields


def compare(trace, folder, journal_path):
    """The differences between the workbooks of `folder` and the journal at
    `journal_path` and those of golden trace `trace` (the summary workbook,
    named by the time of the export and telling what each answer did, is left
    out)."""
    golden = blocks(trace)
    problems = []
    books = {name[len("workbooks/"):]: lines for name, lines in golden.items()
             if name.startswith("workbooks/") and "_summary_" not in name}
    mine = sorted(n for n in os.listdir(folder) if n.endswith(".xlsx") and "_summary_" not in n)
    if sorted(books) != mine:
        problems.append(f"workbooks: golden {sorted(books)}, this run {mine}")
    for name in sorted(set(books) & set(mine)):
        expected = [line for line in books[name] if not line.startswith("part ")]
        problems += list(difflib.unified_diff(expected, cell_lines(os.path.join(folder, name)),
                                              "golden/" + trace, name, lineterm="", n=1))[:12]
    with open(journal_path, encoding="utf-8", newline="") as journal:
        written = ["\t".join(journal_fields(line)) for line in journal.read().split("\n") if line]
    expected = ["\t".join(journal_fields(unescaped(line))) for line in golden.get(JOURNAL, [])]
    problems += list(difflib.unified_diff(expected, written, "golden/" + trace, JOURNAL,
                                          lineterm="", n=1))[:12]
    return problems
