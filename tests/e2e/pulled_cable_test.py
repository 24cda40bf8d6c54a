#!/usr/bin/env python3
"""End to end: the cable pulled in the middle of an export with "Delete after
export" on, read through the accessibility tree as a screen reader would.

COM 7 typed; File, Import/Export; Export with "Delete after export"; Run,
Export; the save dialog and both erase questions of the first four tests
accepted; the instrument's cable is pulled while the fifth test downloads.
Every box is read through AT-SPI: the save dialogs, the erase questions, the
one message that the instrument was disconnected (naming the tests left on
it), and the export panel's message field. Then the cable goes back in,
Setup, Communication reconnects without restarting the program, Update
reads the memory again; File, Exit. Afterwards: four whole workbooks, exactly
those four tests erased, the rest on the instrument; settings and log whole,
the loss in the log.

usage: pulled_cable_test.py BUILD_DIR
"""
import os
import signal
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import assistive  # noqa: E402
import briskel_steps as steps  # noqa: E402
import checks  # noqa: E402
from desktop import program_windows, run_scenario  # noqa: E402

EXPORTED = [entry for entry in checks.SAMPLE_TESTS[:4]]
DISCONNECTED = "The instrument was disconnected. The export has stopped."


def read_box(session, app, title, expected, key="Return"):
    """Waits for the box `title` on screen, reads it through the tree, checks
    that it says `expected`, and answers it."""
    window = session.new_window(title, timeout=30)
    texts = assistive.wait_window(app, title)
    said = "\n".join(texts)
    assert expected in said, f"{title!r} read as {texts}, expected {expected!r}"
    session.answer(window, key)
    return said


def export_until_pulled(session, app, export_panel):
    session.click(export_panel, *steps.EXPORT_EXPORT)
    for number in range(1, len(EXPORTED) + 1):
        read_box(session, app, "Save", "Save")
        read_box(session, app, "Test File", "Erase Data in the instrument ?")
        read_box(session, app, "Erase Data in the instrument ?", "Are - you sure ?")
    session.mark("4 tests exported and erased")
    pulled = time.monotonic()
    said = read_box(session, app, "Error", DISCONNECTED)
    session.mark(f"disconnection told ({time.monotonic() - pulled:.1f} s after the last answer)")
    for left in ("Obj:01/Test:05 / Earth", "Obj:01/Test:07 / Earth", "Obj:02/Test:01 / Loop"):
        assert left in said, f"the message does not name {left}: {said}"
    session.wait_for(lambda: session.top_window().title == steps.EXPORT_TITLE, 30,
                     "the export panel after the disconnection")
    time.sleep(0.5)
    errors = [w for w in program_windows() if w.title == "Error"]
    assert not errors, f"more error boxes: {errors}"
    session.screenshot("export-stopped")
    caption, description, text = assistive.field(app, steps.EXPORT_TITLE, "Message")
    assert "Sheet ready." in description + text, \
        f"the message field reads {caption!r} / {description!r} / {text!r}"


def reconnect(session, app, main):
    """The cable back in; Setup, Communication; Yes; COM 7; OK."""
    session.instrument.send_signal(signal.SIGUSR2)
    link = os.path.join(session.program_dir, "dosdevices", "com7")
    session.wait_for(lambda: os.path.islink(link), 10, "the instrument registered again")
    session.menu(main, steps.MENU_SETUP, 1)
    question = session.new_window()  # the port question (no title of its own)
    assert "Do you know the number of the port" in "\n".join(
        assistive.wait_window(app, question.title if question.title != "Briskel View" else
                              "Do you know the number of the port of communication used for "
                              "the USB adapter / optical serial ?\n ")), "port question unread"
    session.answer(question, "Return")  # Yes, the port is known
    communication = session.new_window("Communication")
    session.keys(communication, "ctrl+a")
    session.type_text(communication, "7")
    session.keys(communication, "Return")
    session.wait_closed(communication)
    read_box(session, app, "Communication", "Communication OK")
    read_box(session, app, "Set of the rotator", "Instrument must be in set-up position")
    # The last test of the link blocks the program without a window of its
    # own on screen: the tree answers only once the program is idle again.
    assistive.wait_idle(app)
    session.wait_for(lambda: sorted(w.title for w in program_windows()) ==
                     ["Briskel View", steps.IMPORT_TITLE], 30, "the set-up to end")
    session.mark("reconnected through Setup, Communication")


def wire_count(session, text):
    """How many times the instrument has received `text`."""
    with open(session.wire_log, errors="replace") as log:
        pieces = [line.rstrip("\n").split("] << ", 1) for line in log]
    return "".join(piece[1] for piece in pieces if len(piece) == 2).count(text)


def scenario(session):
    assistive.enable_for_program()
    before = checks.memory_files(session.memory_dir)
    dates = checks.listed_dates(session.memory_dir, EXPORTED)
    main = steps.start(session, know_port=True)
    app = assistive.application()
    import_panel = steps.scan(session, main)
    export_panel = steps.open_export_panel(session, import_panel, erase=True)
    caption, description, text = assistive.field(app, steps.EXPORT_TITLE, "Message")
    assert "EXCEL Ready !" in description + text, \
        f"the message field reads {caption!r} / {description!r} / {text!r}"
    export_until_pulled(session, app, export_panel)
    steps.close_excel(session, export_panel)
    reconnect(session, app, main)
    # The link works again: Update on the import panel reads the memory anew.
    import_panel = session.window(steps.IMPORT_TITLE)
    session.click(import_panel, *steps.IMPORT_UPDATE)
    session.wait_for(lambda: wire_count(session, "cd /etc/mem/07/") >= 2, 90,
                     "the memory read a second time")
    assistive.wait_idle(app)
    session.mark("memory read again")
    session.click(session.window(steps.IMPORT_TITLE), *steps.IMPORT_QUIT)
    session.wait_alone(main)
    steps.exit_program(session, main)

    checks.check_workbooks(session.program_dir, EXPORTED, dates)
    erased = {checks.file_name(*test) for test, _ in EXPORTED}
    after = checks.memory_files(session.memory_dir)
    assert after == before - erased, (
        f"erased {sorted(before - after)}, expected {sorted(erased)}")
    checks.check_settings(session.program_dir, port=7, erase=1)
    checks.check_log(session.program_dir, discovered_port=None)
    with open(os.path.join(session.program_dir, "ZR881x_9025.log"), encoding="utf-8") as log:
        assert DISCONNECTED in log.read().replace("\r\n", "\n"), "the loss is not in the log"


def prepare(session):
    # The cable goes after 60 bytes of the fifth test's dump.
    session.instrument_options = ["--unplug-at", "od -hxv /etc/mem/01/05",
                                  "--unplug-answer-bytes", "60"]


if __name__ == "__main__":
    assistive.with_accessibility_bus(os.path.abspath(sys.argv[0]), sys.argv[1:])
    sys.exit(run_scenario("pulled_cable", scenario, sys.argv[1:],
                          before_start=prepare))
