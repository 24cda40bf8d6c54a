#!/usr/bin/env python3
"""End to end: the whole memory in one click, then only what is new.

The port number is known (Yes, COM 7); File, Import/Export; "Only tests not
exported yet" ticked (the journal is still empty); Export; "Name workbooks
automatically" and "Summary workbook" ticked; Run, Export: every supported test
becomes a workbook named after it, no save dialog comes, and one summary
workbook lies beside them (LibreOffice renders it to pictures among the
screenshots). Excel closed. Then one more test is added to the instrument's
memory; File, Import/Export again (the test list marks the tests already
exported); Export, Run, Export: exactly the new test is written, and a second
summary lists it as written and the others as left out, linked to their
workbooks. Excel closed; File, Exit. Then, from the outside: the workbooks'
names and cells, the summaries, the export journal, the settings files.

Object 04 is named first: its name is carried everywhere and kept after a
restart; its tests replaced, it is the previous name, in no file until Enter
gives it again; those tests erased, it is released and the message says so.

usage: automatic_names_test.py BUILD_DIR [--pace]
"""
import os
import re
import shutil
import subprocess
import sys
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import assistive  # noqa: E402
import briskel_steps as steps  # noqa: E402
import checks  # noqa: E402
from desktop import program_windows, run_scenario  # noqa: E402
import openpyxl  # noqa: E402

# Positions inside the panels (see briskel_steps).
IMPORT_NEW_ONLY = (408, 148)
EXPORT_AUTOMATIC_NAMES = (142, 268)
EXPORT_SUMMARY = (142, 298)
IMPORT_OBJECT_LIST = (60, 45)  # its first row

SERIAL = "0000123"  # the emulated instrument's serial number
KINDS = {"a": "Current", "e": "Earth", "l": "Loop", "r": "RCD", "v": "Voltage"}
# The time is "time-unknown" for a test the instrument lists with its year.
# An object's name comes after its number: "_O04_Rue Haute 12, flat 3_T01_".
NAME = re.compile(r"Briskel_(\d{7})_O(\d\d)(?:-|_(.+)_)T(\d\d)_(\d{4})-(\d\d)-(\d\d)_"
                  r"(\d{4}|time-unknown)_(\w+)\.xlsx")
SUMMARY = re.compile(r"Briskel_(\d{7})_summary_(\d{4})-(\d\d)-(\d\d)_(\d{4})( \(\d+\))?\.xlsx")
JOURNAL = "Briskel_exports.txt"
ADDED = (1, 9, "a")  # the test added between the two exports
NAMED = 4  # the object named, whose tests are later replaced by REUSED
OBJECT_NAME = "Rue Haute 12, flat 3"
REUSED = [(4, 1, "v"), (4, 2, "v")]


def workbooks(folder):
    """The per-test workbooks."""
    return sorted(name for name in os.listdir(folder)
                  if name.endswith(".xlsx") and not SUMMARY.fullmatch(name))


def summaries(folder):
    return sorted(name for name in os.listdir(folder) if SUMMARY.fullmatch(name))


def check_summary(session, name, written, left_out):
    """The summary's first sheet: one row per test looked at (the object's
    number, its name, the test, ...), each workbook linked relative to the
    summary and there; the written tests have a layout sheet row each."""
    folder = session.program_dir
    book = openpyxl.load_workbook(os.path.join(folder, name))
    tests = book.worksheets[0]
    assert tests.title == "Tests", tests.title
    assert tests.freeze_panes == "A2", tests.freeze_panes
    outcomes = {}
    titles = [cell.value for cell in tests[1]]
    workbook, outcome = titles.index("Workbook"), titles.index("What happened")
    for row in tests.iter_rows(min_row=2, max_row=tests.max_row):
        if row[0].value is None or row[outcome].value is None:
            continue
        outcomes[row[outcome].value] = outcomes.get(row[outcome].value, 0) + 1
        if row[outcome].value.startswith("Not written: no measured value"):
            continue  # a kind the program does not export: no workbook
        target = urllib.parse.unquote(row[workbook].hyperlink.target)
        assert not os.path.isabs(target), target
        assert os.path.isfile(os.path.join(folder, target)), target
        assert os.path.basename(target) == row[workbook].value, (target, row[workbook].value)
    expected = {"Written": written, "Left out, already exported": left_out}
    outcomes.pop("Not written: no measured value (kind without a layout)", None)
    assert outcomes == {k: v for k, v in expected.items() if v}, outcomes
    copied = 0
    for sheet in book.worksheets[1:]:
        assert sheet.freeze_panes == "A2" and sheet.auto_filter.ref, sheet.title
        copied += sheet.max_row - 1
    assert copied == written, f"{copied} layout rows for {written} written tests"
    return book


def check_name_columns(book, names):
    """Every sheet's "Name of the object" column: `names` by object, else empty."""
    for sheet in book.worksheets:
        titles = [cell.value for cell in sheet[1]]
        column, number = titles.index("Name of the object"), titles.index("Object")
        for row in sheet.iter_rows(min_row=2, values_only=True):
            if row[number] is not None:
                assert (row[column] or None) == names.get(int(row[number])), (sheet.title, row)


def render(session, name):
    """The summary as LibreOffice prints it: its first pages as pictures in
    the screenshots folder."""
    work = os.path.join(session.out, "render")
    os.makedirs(work, exist_ok=True)
    subprocess.run(["soffice", "--headless", "--norestore", "--nolockcheck",
                    "-env:UserInstallation=file://" + os.path.join(work, "profile"),
                    "--convert-to", "pdf", "--outdir", work,
                    os.path.join(session.program_dir, name)],
                   check=True, timeout=120, capture_output=True,
                   env=dict(os.environ, HOME=work, SAL_USE_VCLPLUGIN="svp"))
    pdf = os.path.join(work, os.path.splitext(name)[0] + ".pdf")
    os.makedirs(session.shots_dir, exist_ok=True)
    subprocess.run(["pdftoppm", "-png", "-r", "80", "-l", "3", pdf,
                    os.path.join(session.shots_dir, "summary-page")], check=True, timeout=60)


def export_without_dialogs(session, export_panel, expected_total):
    """Export: no save dialog; waits until the workbooks are there and the
    export panel is alone in front again (the wait popups gone)."""
    session.click(export_panel, *steps.EXPORT_EXPORT)
    session.wait_for(lambda: len(workbooks(session.program_dir)) >= expected_total, 120,
                     f"{expected_total} workbooks in the working folder")

    # The loop ends with the export panel shown again, in front of the rest.
    session.wait_for(lambda: session.top_window().title == steps.EXPORT_TITLE, 30,
                     "the export panel after the last test")
    assert "Save" not in [w.title for w in program_windows()], "a save dialog came"
    time.sleep(0.5)
    assert len(workbooks(session.program_dir)) == expected_total, \
        f"{len(workbooks(session.program_dir))} workbooks, expected {expected_total}"


def rescan(session, main, scans_before):
    """File, Import/Export once more; waits for the listing of the last object
    of this scan and the import panel in front."""
    session.menu(main, steps.MENU_FILE, 1)

    def listed():
        with open(session.wire_log, errors="replace") as log:
            # The emulator logs what arrives in pieces, as it arrives.
            received = "".join(line.rstrip("\n").split("] << ", 1)[1]
                               for line in log if "] << " in line)
        return received.count("cd /etc/mem/07/") > scans_before
    session.wait_for(listed, 90, "the second scan")
    panel = session.window(steps.IMPORT_TITLE, timeout=90)
    session.wait_for(lambda: session.top_window().title == steps.IMPORT_TITLE, 30,
                     "the import panel in front")
    time.sleep(0.5)
    return panel


def add_test(memory_dir):
    """One more current test in object 01, recorded an hour ago: a copy of test 01."""
    source = os.path.join(memory_dir, checks.file_name(1, 1, "a"))
    target = os.path.join(memory_dir, checks.file_name(*ADDED))
    shutil.copyfile(source, target)
    stamp = time.time() - 3600
    os.utime(target, (stamp, stamp))


def check_names(folder, tests, dates, with_year):
    """Each test's workbook under its own name, holding that test; the time
    unknown for the tests listed with their year; the object's name, if any."""
    found = {}
    for name in workbooks(folder):
        match = NAME.fullmatch(name)
        assert match, f"unexpected workbook name {name!r}"
        serial, obj, object_name, test, year, month, day, time_of_day, kind = match.groups()
        assert serial == SERIAL, name
        named = int(obj) == NAMED
        title = openpyxl.load_workbook(os.path.join(folder, name)).properties.title
        assert (object_name, title) == ((OBJECT_NAME, f"Object 04 \u2014 {OBJECT_NAME}") if named
                                        else (None, None)), (name, title)
        found[(int(obj), int(test), kind)] = (name, (int(month), int(day), int(year)),
                                              time_of_day)
    assert len(found) == len(tests), f"{len(found)} names for {len(tests)} tests"
    for (obj, test, letter), cells in tests:
        name, date, time_of_day = found[(obj, test, KINDS[letter])]
        assert date == dates[(obj, test, letter)], f"{name}: date {date}"
        assert (time_of_day == "time-unknown") == with_year[(obj, test, letter)], \
            f"{name}: time {time_of_day}"
        sheet = openpyxl.load_workbook(os.path.join(folder, name)).worksheets[0]
        assert checks.text(sheet["B2"]) == f"{obj:02d}", name
        assert checks.text(sheet["C2"]) == f"{test:02d}", name
        for cell, want in cells.items():
            assert checks.text(sheet[cell]) == want, f"{name} {cell}"


def reuse_object(memory_dir, taken):
    """Object 04's tests replaced by copies of object 07's of a day no other
    test has; returns that day as (month, day, year)."""
    shutil.rmtree(os.path.join(memory_dir, f"{NAMED:02d}"))
    os.mkdir(os.path.join(memory_dir, f"{NAMED:02d}"))
    for days in range(2, 60):
        for obj, test, letter in REUSED:
            target = os.path.join(memory_dir, checks.file_name(obj, test, letter))
            shutil.copyfile(os.path.join(memory_dir, checks.file_name(7, test, "v")), target)
            os.utime(target, (time.time() - days * 86400,) * 2)
        if checks.listed_date(memory_dir, *REUSED[0]) not in taken:
            return checks.listed_date(memory_dir, *REUSED[0])


def wait_row(session, app, listed=True):
    """Waits until the import panel reads the named row (or no longer does)."""
    row = f"04  {OBJECT_NAME}"
    session.wait_for(lambda: (row in assistive.wait_window(app, steps.IMPORT_TITLE)) == listed,
                     15, f"the object list {'with' if listed else 'without'} {row!r}")


def name_object(session, panel, text):
    """Object 04 found by typing its number in the list, Tab, `text`, Enter."""
    session.click(panel, *IMPORT_OBJECT_LIST)
    session.type_text(panel, f"{NAMED:02d}")
    session.keys(panel, "Tab")
    if text is not None:
        session.keys(panel, "ctrl+a")
        session.type_text(panel, text)
    session.keys(panel, "Return")
    time.sleep(0.3)
    assert session.top_window().title == steps.IMPORT_TITLE, "Enter in the name field left the panel"


def journal_lines(program_dir):
    with open(os.path.join(program_dir, JOURNAL), encoding="utf-8") as journal:
        return [line.rstrip("\r\n").split("\t") for line in journal if not line.startswith("#")]


def scenario(session):
    assistive.enable_for_program()
    tests = list(checks.SAMPLE_TESTS)
    dates = checks.listed_dates(session.memory_dir, tests)
    with_year = {test: checks.listed_with_year(session.memory_dir, *test) for test, _ in tests}
    main = steps.start(session, know_port=True)
    app = assistive.application()
    import_panel = steps.scan(session, main)
    name_object(session, import_panel, OBJECT_NAME)
    wait_row(session, app)

    session.click(import_panel, *IMPORT_NEW_ONLY)
    session.screenshot("new-only-ticked")
    session.click(import_panel, *steps.IMPORT_EXPORT)
    export_panel = session.window(steps.EXPORT_TITLE)
    session.click(export_panel, *EXPORT_AUTOMATIC_NAMES)
    session.click(export_panel, *EXPORT_SUMMARY)
    session.keys(export_panel, "alt+r")  # Run
    time.sleep(0.5)
    session.screenshot("automatic-names-ticked")
    session.screenshot_doc("export-panel-automatic", export_panel)
    session.mark("Run pressed")
    export_without_dialogs(session, export_panel, len(tests))
    session.mark(f"{len(tests)} workbooks exported without a dialog")
    session.wait_for(lambda: len(summaries(session.program_dir)) == 1, 60, "the summary workbook")
    first_summary = summaries(session.program_dir)[0]
    assert SUMMARY.fullmatch(first_summary).group(1) == SERIAL, first_summary
    check_name_columns(check_summary(session, first_summary, len(tests), 0), {NAMED: OBJECT_NAME})
    render(session, first_summary)
    session.screenshot("export-summary")
    session.screenshot_doc("export-summary", export_panel)
    check_names(session.program_dir, tests, dates, with_year)
    assert len(journal_lines(session.program_dir)) == len(tests)
    before = set(workbooks(session.program_dir))
    steps.close_excel(session, export_panel)

    # The name is kept for the next run of the program.
    steps.exit_program(session, main)
    main = steps.start(session, know_port=True)
    app = assistive.application()
    rescan(session, main, 1)
    wait_row(session, app)
    session.mark("the name read again after a restart")

    add_test(session.memory_dir)
    reused_day = reuse_object(session.memory_dir, set(dates.values()))
    import_panel = rescan(session, main, 2)
    # The name's tests are gone: the number alone, the previous name in the field.
    wait_row(session, app, listed=False)
    session.click(import_panel, *IMPORT_OBJECT_LIST)
    session.type_text(import_panel, "04")
    session.wait_for(lambda: assistive.field(app, steps.IMPORT_TITLE, "Previous name of the object")[2]
                     == OBJECT_NAME, 10, "the previous name in the name field")
    session.screenshot("import-panel-marks")
    session.screenshot_doc("import-panel-new-only", import_panel)
    session.click(import_panel, *IMPORT_NEW_ONLY)  # a new run starts with it unticked
    session.click(import_panel, *steps.IMPORT_EXPORT)
    export_panel = session.window(steps.EXPORT_TITLE)
    session.keys(export_panel, "alt+r")
    time.sleep(0.5)
    export_without_dialogs(session, export_panel, len(tests) + 1 + len(REUSED))
    session.mark("only the new tests exported")
    session.wait_for(lambda: len(summaries(session.program_dir)) == 2, 60, "a second summary")
    second = [n for n in summaries(session.program_dir) if n != first_summary][0]
    gone = sum(1 for (obj, _, _), _ in tests if obj == NAMED)
    check_name_columns(check_summary(session, second, 1 + len(REUSED), len(tests) - gone), {})
    session.screenshot("export-summary-new-only")
    session.screenshot_doc("export-summary-new-only", export_panel)
    added = sorted(NAME.fullmatch(name).group(2, 3, 4, 9)
                   for name in set(workbooks(session.program_dir)) - before)
    # The stale name goes into no file name.
    assert added == [("01", None, "09", "Current"), ("04", None, "01", "Voltage"),
                     ("04", None, "02", "Voltage")], f"added {added}"
    lines = journal_lines(session.program_dir)
    assert len(lines) == len(tests) + 3, f"{len(lines)} journal lines"
    assert [SERIAL, "O01", "T09", "Current"] in [line[1:5] for line in lines[-3:]], lines[-3:]
    assert all(line[6].startswith(session.program_dir + "/") for line in lines)
    steps.close_excel(session, export_panel)

    # Enter gives the name again; its new tests exported and erased: released.
    import_panel = session.window(steps.IMPORT_TITLE)
    name_object(session, import_panel, None)
    wait_row(session, app)
    session.click(import_panel, *IMPORT_NEW_ONLY)
    month, day, year = reused_day
    steps.choose_day(session, import_panel, day, month, year)
    before = set(workbooks(session.program_dir))
    export_panel = steps.open_export_panel(session, import_panel, erase=True)
    steps.export(session, export_panel, len(REUSED), erase=True, save_dialogs=False)
    said = "\n".join(assistive.field(app, steps.EXPORT_TITLE, "Message")[1:])
    assert f"04 {OBJECT_NAME}" in said, f"the message field reads {said!r}"
    added = sorted(NAME.fullmatch(name).group(2, 3, 4)
                   for name in set(workbooks(session.program_dir)) - before)
    assert added == [("04", OBJECT_NAME, "01"), ("04", OBJECT_NAME, "02")], f"added {added}"

    steps.close_excel(session, export_panel)
    wait_row(session, app, listed=False)
    steps.exit_program(session, main)
    checks.check_settings(session.program_dir, port=7, erase=1)
    with open(os.path.join(session.program_dir, "BriskelExport.ini"), "rb") as options:
        assert options.read() == b"automatic_names=1\r\nsummary_workbook=1\r\n"
    assert checks.memory_files(session.memory_dir) >= {"02/10.c", "05/", "01/09.a"}


if __name__ == "__main__":
    assistive.with_accessibility_bus(os.path.abspath(sys.argv[0]), sys.argv[1:])
    # A folder name a French user may well have: accents, an apostrophe and
    # brackets, all kept in the workbooks' folder.
    sys.exit(run_scenario("automatic_names", scenario, sys.argv[1:],
                          program_folder="Données d'essai (2)"))
