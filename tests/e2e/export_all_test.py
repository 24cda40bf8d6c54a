#!/usr/bin/env python3
"""End to end: the whole sample memory exported, one workbook per test.

The port number is known (Yes, COM 7); File, Import/Export; Export, Run,
Export; the proposed name accepted in every save dialog; Excel closed from
the export panel; Help, About; File, Exit with confirmation. Then, from the
outside: the workbooks, Briskel.ini and the log file.

usage: export_all_test.py BUILD_DIR [--pace]   (--pace: the instrument sends
at the real line rate, for timing; the test itself runs unpaced)
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import briskel_steps as steps  # noqa: E402
import checks  # noqa: E402
from desktop import run_scenario  # noqa: E402


def scenario(session):
    dates = checks.listed_dates(session.memory_dir, checks.SAMPLE_TESTS)
    main = steps.start(session, know_port=True)
    import_panel = steps.scan(session, main)
    export_panel = steps.open_export_panel(session, import_panel)
    steps.export(session, export_panel, len(checks.SAMPLE_TESTS))
    steps.close_excel(session, export_panel)
    steps.about(session, main)
    steps.exit_program(session, main)
    seconds = time.monotonic() - session.started_at

    checks.check_workbooks(session.program_dir, checks.SAMPLE_TESTS, dates)
    checks.check_settings(session.program_dir, port=7, erase=0)
    checks.check_log(session.program_dir, discovered_port=None)
    assert checks.memory_files(session.memory_dir) >= {"02/10.c", "05/"}, "memory changed"
    checks.print_wire_summary(session.wire_log, seconds)
    checks.print_wire_breakdown(session.wire_log)


if __name__ == "__main__":
    sys.exit(run_scenario("export_all", scenario, sys.argv[1:]))
