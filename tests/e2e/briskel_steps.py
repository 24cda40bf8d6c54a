"""What a person does in Briskel View, step by step, on top of desktop.Session.

Positions are those of the controls inside their panels as BRISKEL.UIR lays
them out (panels keep the size the resource file gives them); every step then
waits for what the program shows next, so a moved control gives a clear
time-out with a screenshot instead of a wrong result.
"""
import time

from desktop import E2eFailure

# Menu titles in the main window's menu bar (x of the title, in pixels).
MENU_FILE = 18
MENU_SETUP = 60
MENU_HELP = 169

# Import / Export panel (640 x 430).
IMPORT_EXPORT = (70, 400)
IMPORT_UPDATE = (181, 400)
IMPORT_QUIT = (570, 400)
IMPORT_ALL_DATES = (408, 27)
IMPORT_DAY = (530, 57)
IMPORT_MONTH = (530, 88)
IMPORT_YEAR = (530, 119)

# Export panel, titled "EXCEL" (560 x 330).
EXPORT_EXPORT = (181, 344)
EXPORT_QUIT = (489, 344)
EXPORT_WIDTH = 560  # the export panel's size, where EXPORT_QUIT was measured
EXPORT_HEIGHT = 375
EXPORT_ERASE = (142, 238)

IMPORT_TITLE = "Import / Export "
EXPORT_TITLE = "EXCEL"


def start(session, know_port):
    """Starts the program and gets through the port question and the
    connection boxes; returns the main window once the program waits for
    the user."""
    session.start_program()
    main, question = session.wait_startup()
    session.screenshot("port-question")
    session.screenshot_doc("port-question", question)
    if know_port:
        session.answer(question, "Return")  # Yes
        communication = session.new_window("Communication")
        session.keys(communication, "ctrl+a")
        session.type_text(communication, "7")
        session.screenshot("communication-panel")
        session.screenshot_doc("communication-panel", communication)
        session.keys(communication, "Return")  # OK
        session.wait_closed(communication)
    else:
        session.answer(question, "Escape")  # No: the program searches the port
    ok = session.new_window("Communication", timeout=30)
    session.screenshot("communication-ok")
    session.answer(ok, "Return")
    rotator = session.new_window("Set of the rotator", timeout=30)
    session.screenshot("set-up-position")
    session.answer(rotator, "Return")
    session.wait_wire("btb status.ShutofEn")
    session.wait_alone(main)
    session.mark("connected, main window idle")
    session.screenshot("main-window")
    session.screenshot_doc("main-window", main)
    return main


def scan(session, main):
    """File, Import/Export; returns the import panel once the scan is over."""
    session.menu(main, MENU_FILE, 1)
    session.wait_wire("cd /etc/mem/02/", timeout=60)
    scan_panel = session.top_window()
    session.screenshot("scan-progress")
    session.screenshot_doc("scan-progress", scan_panel)
    panel = session.window(IMPORT_TITLE, timeout=90)
    time.sleep(0.3)
    session.mark("memory scanned")
    session.screenshot("import-panel")
    session.screenshot_doc("import-panel", panel)
    return panel


def choose_day(session, panel, day, month, year):
    """Unticks "Export all the memory" and types the date of the tests to export."""
    session.click(panel, *IMPORT_ALL_DATES)
    for position, value in ((IMPORT_DAY, day), (IMPORT_MONTH, month), (IMPORT_YEAR, year)):
        session.click(panel, *position)
        session.keys(panel, "ctrl+a")
        session.type_text(panel, str(value))
    session.keys(panel, "Tab")
    session.screenshot("import-panel-one-day")


def tick(session, panel, position, what):
    """Clicks a check box and waits until it shows ticked. A panel that has
    only just been mapped may miss a click on a busy machine: the click is
    then repeated: a missed click changed nothing, so a repeat cannot untick it."""
    for _ in range(3):
        before = session.picture(panel)
        session.click(panel, *position)
        try:
            session.wait_changed(panel, before, 3, f"{what!r} ticked")
            return
        except E2eFailure:
            continue
    raise E2eFailure(f"{what!r} did not take the click")


def open_export_panel(session, import_panel, erase=False):
    """Export on the import panel, then Run on the export panel; returns the
    export panel, ready to export."""
    session.click(import_panel, *IMPORT_EXPORT)
    panel = session.window(EXPORT_TITLE)
    if erase:
        tick(session, panel, EXPORT_ERASE, "Delete after export")
    session.screenshot("export-panel")
    before = session.picture(panel)
    session.keys(panel, "alt+r")  # Run
    # The panel stays in front; Run shows "EXCEL Ready !" and dims itself.
    session.wait_changed(panel, before, 10, "Run to make the spreadsheet application ready")
    session.screenshot("excel-ready")
    session.screenshot_doc("export-panel", panel)
    return panel


def export(session, export_panel, tests, erase=False, save_dialogs=True):
    """Export, then the proposed name accepted in each test's save dialog (and
    "Yes" to both erase questions when `erase`)."""
    session.mark("Run pressed")
    session.click(export_panel, *EXPORT_EXPORT)
    for number in range(1, tests + 1):
        if save_dialogs:
            save = session.new_window("Save", timeout=30)
            if number == 1:
                session.screenshot("save-dialog")
            session.answer(save, "Return")
        if erase:
            first = session.new_window("Test File", timeout=30)
            if number == 1:
                session.screenshot("erase-question")
                session.screenshot_doc("erase-question", first)
            session.answer(first, "Return")
            second = session.new_window("Erase Data in the instrument ?", timeout=30)
            if number == 1:
                session.screenshot("erase-are-you-sure")
            session.answer(second, "Return")
    # The loop ends with the export panel shown again, only Quit active.
    session.wait_for(lambda: session.top_window().title == EXPORT_TITLE, 30,
                     "the export panel after the last test")
    time.sleep(0.5)
    session.mark(f"{tests} workbooks exported")
    session.screenshot("export-done")


def close_excel(session, export_panel):
    """Quit on the export panel, then the "EXCEL will be closed" warning. Quit
    keeps its distance to the panel's right and bottom edges, which a long
    message may have moved."""
    panel = session.window(EXPORT_TITLE)
    session.click(panel, EXPORT_QUIT[0] + panel.width - EXPORT_WIDTH,
                  EXPORT_QUIT[1] + panel.height - EXPORT_HEIGHT)
    warning = session.new_window()
    session.screenshot("excel-closing-warning")
    session.answer(warning, "Return")
    session.window(IMPORT_TITLE)
    session.screenshot("import-panel-again")


def about(session, main):
    """Help, About, and its Close button (Enter)."""
    session.menu(main, MENU_HELP, -1)
    box = session.new_window()
    session.screenshot("about")
    session.screenshot_doc("about", box)
    session.answer(box, "Return")


def exit_program(session, main):
    """File, Exit, and "Yes" to the quit question; waits for the program to end."""
    session.menu(main, MENU_FILE, -1)
    question = session.new_window("Quit")
    session.screenshot("quit-question")
    session.answer(question, "Return")
    code = session.wait_exit(30)
    session.mark("program ended")
    assert code == 0, f"the program ended with exit code {code}"
