#!/usr/bin/env python3
"""End to end: the tests of one day exported with "Delete after export".

The port number is not known (No: the program finds the emulated bridge);
File, Import/Export; "Export all the memory" unticked and the day of the loop
survey typed; Export; "Delete after export" ticked; Run, Export; each save
dialog accepted and "Yes" to both erase questions; Excel closed; File, Exit.
Then, through the instrument's memory folder: exactly the exported tests are
gone, everything else is still there (the test of a kind without a reader on
the same day, the empty object, the other days).

usage: erase_after_export_test.py BUILD_DIR [--pace]
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import briskel_steps as steps  # noqa: E402
import checks  # noqa: E402
from desktop import run_scenario  # noqa: E402

LOOP_OBJECT = 2


def scenario(session):
    loop_tests = [entry for entry in checks.SAMPLE_TESTS if entry[0][0] == LOOP_OBJECT]
    dates = checks.listed_dates(session.memory_dir, loop_tests)
    month, day, year = dates[loop_tests[0][0]]
    before = checks.memory_files(session.memory_dir)

    main = steps.start(session, know_port=False)
    import_panel = steps.scan(session, main)
    steps.choose_day(session, import_panel, day, month, year)
    export_panel = steps.open_export_panel(session, import_panel, erase=True)
    steps.export(session, export_panel, len(loop_tests), erase=True)
    steps.close_excel(session, export_panel)
    steps.exit_program(session, main)

    checks.check_workbooks(session.program_dir, loop_tests, dates)
    erased = {checks.file_name(*test) for test, _ in loop_tests}
    after = checks.memory_files(session.memory_dir)
    assert after == before - erased, (
        f"erased {sorted(before - after)}, expected {sorted(erased)}; "
        f"appeared {sorted(after - before)}")
    assert {"02/10.c", "05/"} <= after
    checks.check_settings(session.program_dir, port=7, erase=1)
    checks.check_log(session.program_dir, discovered_port=7)


if __name__ == "__main__":
    sys.exit(run_scenario("erase_after_export", scenario, sys.argv[1:]))
