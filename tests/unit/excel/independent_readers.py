#!/usr/bin/python3
"""Reads saved workbooks with programs nobody here wrote, for the export tests.

usage: independent_readers.py openpyxl WORKBOOK...
       independent_readers.py libreoffice WORK_FOLDER WORKBOOK...
       independent_readers.py summary WORKBOOK
       independent_readers.py libreoffice-sheets WORK_FOLDER WORKBOOK
       independent_readers.py libreoffice-pdf WORK_FOLDER WORKBOOK...

openpyxl: prints a JSON list with, per workbook, rows 1 to 3 of its first sheet
as lists of [kind, shown, format] per cell: kind "n" number, "d" date, "s" text,
"" empty; shown is the text the cell shows, worked out here from the value and
its number format (only the plain formats the program uses are understood;
others give the value as Python prints it); format is the number format code.

libreoffice: converts every workbook to CSV with LibreOffice headless (its own
user profile in WORK_FOLDER, so no running or half-configured LibreOffice of
the user interferes, and a time-out), cells as LibreOffice shows them, and
prints a JSON list with, per workbook, its rows as lists of texts.

libreoffice-pdf: prints every workbook to PDF the same way and gives, per
workbook, its pages as [first line, height of its first word in points,
footer's left, centre and right texts], read with pdftotext.
"""
import csv
import datetime
import html
import json
import os
import re
import signal
import subprocess
import sys

# Seconds LibreOffice may take for a whole conversion (a few when all is well).
TIME_OUT = 90
PLAIN_NUMBER = re.compile(r"^(0+)(?:\.(0+))?$")


def shown(value, number_format):
    if value is None:
        return ""
    if isinstance(value, datetime.datetime):
        if number_format.replace("\\", "") == "mm/dd/yyyy":
            return value.strftime("%m/%d/%Y")
        return value.isoformat()
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        plain = PLAIN_NUMBER.match(number_format)
        if plain:
            decimals = len(plain.group(2) or "")
            width = len(plain.group(1)) + (decimals + 1 if decimals else 0)
            width += 1 if value < 0 else 0
            return f"{value:0{width}.{decimals}f}"
        return repr(value)
    return str(value)


def kind(value):
    if value is None:
        return ""
    if isinstance(value, datetime.datetime):
        return "d"
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        return "n"
    return "s"


def read_openpyxl(paths):
    import openpyxl

    books = []
    for path in paths:
        sheet = openpyxl.load_workbook(path).worksheets[0]
        rows = []
        for row in sheet.iter_rows(min_row=1, max_row=3):
            rows.append([[kind(c.value), shown(c.value, c.number_format), c.number_format]
                         for c in row])
        books.append(rows)
    return books


def convert_to_csv(work, profile, filter_options, out, paths):
    """LibreOffice headless converts `paths` to CSV files in `out`, with a
    profile of its own; it is ended with its process group after TIME_OUT."""
    command = ["soffice", "--headless", "--norestore", "--nolockcheck", "--nodefault",
               "-env:UserInstallation=file://" + profile,
               "--convert-to", filter_options, "--outdir", out] + paths
    # soffice starts soffice.bin: on a time-out the whole process group goes.
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                               env=dict(os.environ, HOME=work, SAL_USE_VCLPLUGIN="svp"),
                               start_new_session=True)
    try:
        stdout, stderr = process.communicate(timeout=TIME_OUT)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        sys.exit(f"soffice did not finish within {TIME_OUT} s")
    if process.returncode != 0:
        sys.exit(f"soffice failed ({process.returncode}): {stderr}")
    return stdout, stderr


def read_libreoffice(work, paths):
    profile = os.path.join(work, "profile")
    out = os.path.join(work, "csv")
    os.makedirs(out, exist_ok=True)
    # 44 comma, 34 double quote, 76 UTF-8; cells as shown is the default.
    stdout, stderr = convert_to_csv(work, profile, "csv:Text - txt - csv (StarCalc):44,34,76",
                                    out, paths)
    books = []
    for path in paths:
        name = os.path.splitext(os.path.basename(path))[0] + ".csv"
        target = os.path.join(out, name)
        if not os.path.exists(target):
            sys.exit(f"soffice did not convert {path}: {stdout} {stderr}")
        with open(target, encoding="utf-8", newline="") as f:
            books.append(list(csv.reader(f)))
    return books


def read_summary(path):
    """Every sheet of a workbook: its name, every row as [kind, shown, format,
    value] per cell (value: the number itself, or the text), its frozen pane,
    filter range, column widths and hyperlinks (cell: target)."""
    import openpyxl

    book = openpyxl.load_workbook(path)
    sheets = []
    for sheet in book.worksheets:
        rows = []
        for row in sheet.iter_rows(min_row=1, max_row=sheet.max_row):
            cells = [[kind(c.value), shown(c.value, c.number_format), c.number_format,
                      c.value if isinstance(c.value, (int, float, str)) else shown(c.value, "")]
                     for c in row]
            while cells and cells[-1][0] == "":
                cells.pop()
            rows.append(cells)
        links = {c.coordinate: c.hyperlink.target for row in sheet.iter_rows() for c in row
                 if c.hyperlink is not None}
        widths = {k: v.width for k, v in sheet.column_dimensions.items() if v.customWidth}
        sheets.append({"name": sheet.title, "rows": rows, "freeze": sheet.freeze_panes or "",
                       "filter": sheet.auto_filter.ref or "", "links": links, "widths": widths})
    return sheets


def read_libreoffice_sheets(work, path):
    """Every sheet of one workbook as LibreOffice shows it: a list, per sheet
    in order, of its rows as lists of texts."""
    profile = os.path.join(work, "profile")
    out = os.path.join(work, "sheets")
    os.makedirs(out, exist_ok=True)
    # The ninth field: cells as shown; the twelfth, -1: each sheet to a file of
    # its own, name-Sheet.csv.
    _, stderr = convert_to_csv(work, profile,
                               "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,"
                               "false,false,-1", out, [path])
    import openpyxl

    base = os.path.splitext(os.path.basename(path))[0]
    sheets = []
    for name in openpyxl.load_workbook(path, read_only=True).sheetnames:
        target = os.path.join(out, f"{base}-{name}.csv")
        if not os.path.exists(target):
            sys.exit(f"soffice did not convert sheet {name}: {os.listdir(out)} {stderr}")
        with open(target, encoding="utf-8", newline="") as f:
            sheets.append(list(csv.reader(f)))
    return sheets


WORD = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">(.*?)</word>')


def read_printed(work, paths):
    os.makedirs(out := os.path.join(work, "pdf"), exist_ok=True)
    convert_to_csv(work, os.path.join(work, "profile"), "pdf", out, paths)
    books = []
    for path in paths:
        pdf = os.path.join(out, os.path.splitext(os.path.basename(path))[0] + ".pdf")
        boxes = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True,
                               check=True).stdout
        pages = []
        for width, body in re.findall(r'<page width="([\d.]+)".*?>(.*?)</page>', boxes, re.S):
            words = sorted((float(y), float(x), float(bottom) - float(y), html.unescape(t))
                           for x, y, bottom, t in WORD.findall(body))
            first = [w for w in words if w[0] - words[0][0] < 1]
            foot = [w for w in words if words[-1][0] - w[0] < 1]
            thirds = [" ".join(w[3] for w in sorted(foot, key=lambda w: w[1])
                               if third * float(width) / 3 <= w[1] < (third + 1) * float(width) / 3)
                      for third in range(3)]
            pages.append([" ".join(w[3] for w in sorted(first, key=lambda w: w[1])),
                          first[0][2]] + thirds)
        books.append(pages)
    return books


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "openpyxl":
        print(json.dumps(read_openpyxl(sys.argv[2:])))
    elif len(sys.argv) == 3 and sys.argv[1] == "summary":
        print(json.dumps(read_summary(sys.argv[2])))
    elif len(sys.argv) == 4 and sys.argv[1] == "libreoffice-sheets":
        print(json.dumps(read_libreoffice_sheets(sys.argv[2], sys.argv[3])))
    elif len(sys.argv) >= 4 and sys.argv[1] == "libreoffice-pdf":
        print(json.dumps(read_printed(sys.argv[2], sys.argv[3:])))
    elif len(sys.argv) >= 4 and sys.argv[1] == "libreoffice":
        print(json.dumps(read_libreoffice(sys.argv[2], sys.argv[3:])))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
