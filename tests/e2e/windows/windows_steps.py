"""What a person does in the Windows program, step by step, on a WineSession.

Menus are chosen with Alt and the mnemonics the menu texts show, questions
are answered with Enter (the first button, "Yes") and Esc (the last, "No"),
and buttons and check boxes are clicked in the middle of the control showing
their label, as Windows' window list places it (the layout follows the
system's font and DPI, so no position is fixed here). Every step waits for
what the program shows next.
"""
import time

from desktop import E2eFailure, xdotool

# The program's own texts that the steps look for, per language (0 French,
# 1 English), and the mnemonic keys of the menus and items they choose.
TEXTS = {
    1: {"yes": "Yes", "no": "No", "communication": "Communication", "warning": "WARNING !",
        "rotator": "Set of the rotator", "import": "Import / Export ", "export_panel": "EXCEL",
        "export": "Export", "quit": "Quit", "browse": "Browse", "erase": "Delete after export",
        "automatic": "Name workbooks automatically", "run": "alt+r", "test_file": "Test File",
        "summary": "Summary workbook",
        "save": "Save", "erase_sure": "Erase Data in the instrument ?",
        "file": "alt+f", "setup": "alt+s", "options": "alt+o", "help": "alt+h",
        "import_item": "i", "exit_item": "x", "instrument_item": "i",
        "language_item": "l", "about_item": "a"},
    0: {"yes": "Oui", "no": "Non", "communication": "Communication", "warning": "ATTENTION !",
        "rotator": "Position du commutateur", "import": "Importer / Exporter ",
        "export_panel": "EXCEL", "export": "Exporter", "quit": "Quitter", "browse": "Parcourir",
        "erase": "suppression après exportation",
        "automatic": "Nommer les classeurs automatiquement", "run": "alt+l", "save": "Enregistrer",
        "summary": "Classeur de synthèse",
        "test_file": "Fichier Test", "erase_sure": "Effacer la mesure dans l'appareil ?",
        "file": "alt+f", "setup": "alt+c", "options": "alt+o", "help": "alt+h",
        "import_item": "i", "exit_item": "q", "instrument_item": "a",
        "language_item": "l", "about_item": "p"},
}


def top_for(session, window):
    """Windows' view (controls and all) of a window the X server shows."""
    for top in session.desktop():
        if (top.left, top.top) == (window.x, window.y) and top.title == window.title:
            return top
    return None


def one_taskbar_button(session, moment):
    """Only the main window has a taskbar button, whatever popups stand over it."""
    buttons = [top.title for top in session.desktop() if top.taskbar]
    if len(buttons) != 1:
        raise E2eFailure(f"{moment}: taskbar buttons for {buttons}")


def click(session, title, label, kind=None, timeout=15):
    """Clicks the control showing `label` in the window titled `title`."""
    control = session.control(title, label, kind, timeout)
    if not control.enabled:
        raise E2eFailure(f"{label!r} in {title!r} is dimmed")
    session.click_control(control)
    return control


def tick(session, title, label):
    """Clicks a check box and waits until Windows reports it ticked. A panel
    just shown may miss a click on a busy machine: it is clicked again only
    while the box still shows unticked."""
    for _ in range(3):
        if session.control(title, label).checked == 1:
            return
        click(session, title, label)
        try:
            session.wait_for(lambda: session.control(title, label).checked == 1, 3,
                             f"{label!r} ticked")
            return
        except E2eFailure:
            continue
    raise E2eFailure(f"{label!r} did not take the click")


def number_field(session, title):
    return next((c for c in session.top_level(title).controls if c.kind == "Edit"), None)


def type_number(session, title, number):
    """Types a number into the window's number field as a person does: the
    field has the keyboard when its panel opens, its text selected, so the
    number is typed at once; waits until the field shows it (after its "COM"
    prefix, if any)."""
    if number_field(session, title) is None:
        raise E2eFailure(f"no number field in {title!r}")
    xdotool("type", "--delay", "40", str(number))
    session.wait_for(lambda: number_field(session, title).text.split()[-1:] == [str(number)],
                     5, f"{number} in the number field of {title!r}")


def choose(session, main, title_key, item_key):
    """A menu item chosen with Alt, the menu's mnemonic and the item's."""
    session.menu_keys(main, title_key, item_key)


def start(session, texts, know_port, shots=True):
    """Starts the program; on the first start after the installation the
    driver advice boxes read (Enter) and "No" to quitting (Esc); the port
    question answered (Yes and 7, or No); Communication OK and the set-up
    position notice answered. Returns the main window once the program
    waits for the user."""
    session.start_program()
    session.wait_for(session.windows, 90, "a window of the program")
    if shots:
        session.shot("splash")
    question, advice = None, 0
    while question is None:
        window = session.new_window(timeout=90)
        top = top_for(session, window)
        if window.title == texts["warning"]:
            advice += 1
            session.shot(f"driver-advice-{advice}")
            session.answer(window, "Return")
        elif window.title == texts["quit"] and top is not None and top.control(texts["no"]):
            session.shot("first-start-quit-question")
            session.answer(window, "Escape")
        elif top is not None and top.control(texts["yes"]) and top.control(texts["no"]):
            question = window
    # The main window stands behind the question: the largest of the others.
    main = max((w for w in session.windows() if w.id != question.id),
               key=lambda w: w.width * w.height)
    session.mark("port question shown")
    if shots:
        session.shot("port-question")
    if know_port:
        session.answer(question, "Return")
        panel = session.new_window(texts["communication"])
        if shots:
            session.shot("communication-panel")
        type_number(session, texts["communication"], 7)
        session.keys(panel, "Return")
        session.wait_closed(panel)
    else:
        session.answer(question, "Escape")
    ok = session.new_window(texts["communication"], timeout=60)
    session.mark("Communication OK shown")
    one_taskbar_button(session, "set-up")
    if shots:
        session.shot("communication-ok")
    session.answer(ok, "Return")
    rotator = session.new_window(texts["rotator"], timeout=60)
    if shots:
        session.shot("set-up-position")
    session.answer(rotator, "Return")
    session.wait_wire("btb status.ShutofEn")
    session.wait_alone(main)
    session.mark("connected, main window idle")
    if shots:
        session.shot("main-window")
    return main


def scan(session, main, texts, shots=True):
    """File, Import/Export; returns the import panel once the scan is over."""
    choose(session, main, texts["file"], texts["import_item"])
    session.wait_wire("cd /etc/mem/02/", timeout=60)
    one_taskbar_button(session, "scan")
    if shots:
        session.shot("scan-progress")
    panel = session.window(texts["import"], timeout=120)
    time.sleep(0.3)
    session.mark("memory scanned")
    if shots:
        session.shot("import-panel")
    return panel


def open_export_panel(session, texts):
    """Export on the import panel; returns the export panel."""
    click(session, texts["import"], texts["export"])
    return session.window(texts["export_panel"])


def run_excel(session, panel, texts, shots=True):
    """Run (its mnemonic): the panel shows "EXCEL Ready !" and dims Run."""
    before = session.picture(panel)
    session.keys(panel, texts["run"])
    session.wait_changed(panel, before, 15, "Run to make the spreadsheet application ready")
    if shots:
        session.shot("excel-ready")


def close_excel(session, texts, shots=True):
    """Quit on the export panel, then the "EXCEL will be closed" warning."""
    click(session, texts["export_panel"], texts["quit"])
    warning = session.new_window()
    if shots:
        session.shot("excel-closing-warning")
    session.answer(warning, "Return")
    session.window(texts["import"])


def answer_erase(session, texts, first, confirm):
    """The erase question of one exported test: for the first test Yes (with
    screenshots) and the confirmation answered Yes or No as `confirm` says;
    for every other test No."""
    question = session.new_window(texts["test_file"], timeout=60)
    if not first:
        session.answer(question, "Escape")
        return
    session.shot("erase-question")
    one_taskbar_button(session, "export")
    session.answer(question, "Return")
    sure = session.new_window(texts["erase_sure"], timeout=30)
    session.shot("erase-are-you-sure")
    session.answer(sure, "Return" if confirm else "Escape")


def wait_export_done(session, texts):
    """The export loop ends with the export panel in front again."""
    session.wait_for(lambda: session.top_window().title == texts["export_panel"], 60,
                     "the export panel after the last test")
    time.sleep(0.5)
    session.shot("export-done")


def exit_program(session, main, texts, shots=True):
    """File, Exit, and "Yes" to the quit question; waits for the end."""
    choose(session, main, texts["file"], texts["exit_item"])
    question = session.new_window()
    if shots:
        session.shot("quit-question")
    session.answer(question, "Return")
    code = session.wait_exit(60)
    session.mark("program ended")
    assert code == 0, f"the program ended with exit code {code}"
