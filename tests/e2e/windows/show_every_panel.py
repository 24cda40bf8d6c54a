#!/usr/bin/env python3
"""Every panel and dialog of the Windows program under Wine, photographed.

A person's tour through the program against the emulated instrument, as
installed by its setup program: the splash; on this first start the driver
advice and the question whether to quit (No); the port question (Yes), the communication panel (7), Communication
OK, the set-up position notice; the main window and each of its menus (the
language submenu too); Setup, Instrument (the identity panel); Help, About;
File, Import/Export (the scan's wait panel, the import panel); Export (the
export panel), Browse (the folder chooser, cancelled); "Delete after export"
ticked, Run, Export: the save dialog, the progress panel, the erase question
and its confirmation for the first test (Yes, then No), No for the others;
Quit on the export panel and its warning; File, Exit and the quit question.
Each screenshot NN-step.png comes with NN-step.txt: the windows and controls
with their texts and rectangles as Windows lists them.

usage: show_every_panel.py BUILD_WINDOWS_DIR LINUX_BUILD_DIR [--scale 150] [--language fr]
       show_every_panel.py BUILD_WINDOWS_DIR LINUX_BUILD_DIR --all
         (English and French at 100 %, English and French at 150 %)
The pictures go to BUILD_WINDOWS_DIR/e2e-screenshots/panels_<language>_<scale>/.
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.dirname(HERE))
import windows_steps as steps  # noqa: E402
from desktop import run_scenario  # noqa: E402
from wine_session import WineSession, setup_program  # noqa: E402

# English is the program's own default: its run starts without a settings
# file, as after an installation; French is written into Briskel.ini.
LANGUAGES = {"en": None, "fr": 0}
# A screen of the size people use at each scale (150 % is the usual laptop
# setting on a 1920 x 1080 screen).
SCREENS = {100: "1280x1024x24", 150: "1920x1080x24"}


def menus(session, main, texts):
    """Each menu of the main window opened with its mnemonic, photographed,
    and closed with Esc; the Options menu's language submenu too."""
    for name in ("file", "setup", "options", "help"):
        session.menu_keys(main, texts[name])
        session.new_window(timeout=10)
        session.shot(f"menu-{name}")
        session.menu_keys(main, "Escape", "Escape")
        session.wait_alone(main, steady=0.3)
    session.menu_keys(main, texts["options"], texts["language_item"])
    session.new_window(timeout=10)
    session.shot("menu-options-language")
    session.menu_keys(main, "Escape", "Escape", "Escape")
    session.wait_alone(main, steady=0.3)


def identity(session, main, texts):
    """Setup, Instrument: the identity panel, closed with its OK button."""
    steps.choose(session, main, texts["setup"], texts["instrument_item"])
    panel = session.new_window(timeout=60)
    session.shot("identity-panel")
    steps.click(session, panel.title, "OK")
    session.wait_closed(panel)
    session.wait_alone(main)


def about(session, main, texts):
    """Help, About, closed with Enter."""
    steps.choose(session, main, texts["help"], texts["about_item"])
    box = session.new_window()
    session.shot("about")
    session.answer(box, "Return")
    session.wait_alone(main)


def export_with_questions(session, texts, count):
    """Export on the export panel: for the first test the save dialog, the
    progress panel behind it, the erase question (Yes) and its confirmation
    (No); for the others the proposed name and No."""
    steps.click(session, texts["export_panel"], texts["export"])
    for number in range(1, count + 1):
        save = session.new_window(texts["save"], timeout=60)
        if number == 1:
            session.shot("save-dialog")
        session.answer(save, "Return")
        steps.answer_erase(session, texts, first=number == 1, confirm=False)
        if number == 2:
            session.shot("export-progress")
    steps.wait_export_done(session, texts)
    session.mark(f"{count} tests exported")


def tour(session):
    texts = steps.TEXTS[1 if session.language is None else session.language]
    main = steps.start(session, texts, know_port=True)
    menus(session, main, texts)
    identity(session, main, texts)
    about(session, main, texts)
    steps.scan(session, main, texts)
    panel = steps.open_export_panel(session, texts)
    session.shot("export-panel")
    steps.click(session, texts["export_panel"], texts["browse"])
    chooser = session.new_window(timeout=30)
    session.shot("folder-chooser")
    session.answer(chooser, "Escape")
    steps.tick(session, texts["export_panel"], texts["erase"])
    steps.run_excel(session, panel, texts)
    export_with_questions(session, texts, 22)
    steps.close_excel(session, texts)
    session.shot("import-panel-again")
    steps.exit_program(session, main, texts)


def run_all(argv):
    failed = 0
    for scale in (100, 150):
        for language in ("en", "fr"):
            failed |= subprocess.call([sys.executable, os.path.abspath(__file__), *argv,
                                       "--scale", str(scale), "--language", language])
    return failed


def main(argv):
    if "--all" in argv:
        return run_all([a for a in argv if a != "--all"])
    if len(argv) < 2:
        sys.exit(__doc__)
    options = dict(zip(argv[2::2], argv[3::2]))
    scale = int(options.get("--scale", 100))
    language = options.get("--language", "en")
    return run_scenario(f"panels_{language}_{scale}", tour, argv,
                        session_class=WineSession, screen=SCREENS[scale],
                        linux_build=argv[1], scale=scale, language=LANGUAGES[language],
                        installer=setup_program(argv[0]))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
