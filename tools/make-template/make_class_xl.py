#!/usr/bin/env python3
"""Writes resources/program/Class.xl, the workbook every export starts from.

An Office Open XML workbook with one sheet: a bold title row (row 1) and
column widths that fit the exported texts (the date, the measurement labels,
the values). Any spreadsheet program may restyle it; exports keep its styling.
The output is byte-for-byte reproducible: fixed entry order and timestamps.

Usage: tools/make-template/make_class_xl.py [output path]
"""
import os
import sys
import zipfile

SHEET_NAME = "Briskel"
LAST_COLUMN = 53  # BA: the exports write within A1:BA20

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">\
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>\
<Default Extension="xml" ContentType="application/xml"/>\
<Override PartName="/xl/workbook.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>\
<Override PartName="/xl/worksheets/sheet1.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>\
<Override PartName="/xl/styles.xml" \
ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>\
<Override PartName="/docProps/app.xml" \
ContentType="application/vnd.openxmlformats-officedocument.extended-properties+xml"/>\
</Types>"""

ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">\
<Relationship Id="rId1" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" \
Target="xl/workbook.xml"/>\
<Relationship Id="rId2" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties" \
Target="docProps/app.xml"/>\
</Relationships>"""

APP_PROPERTIES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties">\
<Application>Briskel View</Application></Properties>"""

WORKBOOK = f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" \
xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">\
<bookViews><workbookView activeTab="0"/></bookViews>\
<sheets><sheet name="{SHEET_NAME}" sheetId="1" r:id="rId1"/></sheets>\
</workbook>"""

WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">\
<Relationship Id="rId1" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" \
Target="worksheets/sheet1.xml"/>\
<Relationship Id="rId2" \
Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" \
Target="styles.xml"/>\
</Relationships>"""

# Style 0: the default text. Style 1: the title row, bold.
STYLES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">\
<fonts count="2">\
<font><sz val="11"/><name val="Calibri"/><family val="2"/></font>\
<font><b/><sz val="11"/><name val="Calibri"/><family val="2"/></font>\
</fonts>\
<fills count="2"><fill><patternFill patternType="none"/></fill>\
<fill><patternFill patternType="gray125"/></fill></fills>\
<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>\
<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>\
<cellXfs count="2">\
<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>\
<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/>\
</cellXfs>\
<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>\
</styleSheet>"""


def column_letters(n):
    letters = ""
    while n > 0:
        n, rest = divmod(n - 1, 26)
        letters = chr(ord("A") + rest) + letters
    return letters


def worksheet():
    # A: the date of test; B, C: object and test numbers; D: the measurement
    # label ("RCD Trip Pulse 250mA", "REarth Trip Select."); then values and units.
    widths = [(1, 1, 14), (2, 3, 9), (4, 4, 22), (5, LAST_COLUMN, 12)]
    cols = "".join(f'<col min="{a}" max="{b}" width="{w}" customWidth="1"/>' for a, b, w in widths)
    # The title cells carry the bold style themselves, so the rest of the row
    # stays plain; row 2 receives the values in the default style.
    titles = "".join(f'<c r="{column_letters(c)}1" s="1"/>' for c in range(1, LAST_COLUMN + 1))
    return f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" \
xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">\
<dimension ref="A1"/>\
<sheetViews><sheetView workbookViewId="0">\
<pane ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen"/>\
<selection pane="bottomLeft" activeCell="A2" sqref="A2"/></sheetView></sheetViews>\
<sheetFormatPr defaultRowHeight="15"/>\
<cols>{cols}</cols>\
<sheetData><row r="1">{titles}</row></sheetData>\
<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>\
</worksheet>"""


PARTS = [
    ("[Content_Types].xml", CONTENT_TYPES),
    ("_rels/.rels", ROOT_RELS),
    ("docProps/app.xml", APP_PROPERTIES),
    ("xl/workbook.xml", WORKBOOK),
    ("xl/_rels/workbook.xml.rels", WORKBOOK_RELS),
    ("xl/styles.xml", STYLES),
    ("xl/worksheets/sheet1.xml", worksheet()),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "..", "resources", "program", "Class.xl")
    output = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else default)
    with zipfile.ZipFile(output, "w", zipfile.ZIP_DEFLATED) as package:
        for name, text in PARTS:
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            package.writestr(info, text.encode("utf-8"))
    print(output)


if __name__ == "__main__":
    main()
