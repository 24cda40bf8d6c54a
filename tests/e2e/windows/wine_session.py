"""The Windows program driven under Wine the way a person drives it.

`WineSession` is the Linux end-to-end `Session` (tests/e2e/desktop.py: its
waits, keys, clicks and screenshots on an Xvfb display of its own) for
`briskel-view.exe` in a Wine prefix made for the run and removed after it:

- the prefix answers as Windows 10, Wine does not offer its .NET and HTML
  add-ons (WINEDLLOVERRIDES), and it draws the window frames itself, as
  Windows does (the display has no window manager to draw them);
- the desktop may be scaled (`LogPixels`: 144 is 150 %);
- the emulated instrument (the Linux build's zr8812-emulator) serves the
  prefix's COM 7 (`dosdevices/com7`, which Wine opens as COM7), and its USB
  bridge is recorded in the prefix's registry as the bridge's driver records
  it, so the program finds it as on Windows (Wine lists every device recorded
  under Enum\\USB as present);
- the program runs from a copy of the build's program folder, or from where
  the setup program installed it (`install`).

Wine draws the child controls inside their top-level window's X window, so
the X server knows only the top-level windows. The controls' places and texts
come from `window-list.exe` (tests/windows/window_list), a small Windows
program that reads the windows as any program on the desktop can; clicks go
to the middle of the control named by its text. Nothing reaches into the
program's callbacks.
"""
import glob
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from desktop import E2eFailure, Session, xdotool  # noqa: E402

WINE64 = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
BRIDGE_KEY = r"HKLM\SYSTEM\CurrentControlSet\Enum\USB\VID_10C4&PID_EA60\ZR8812-0000123"
PORTS_CLASS = "{4d36e978-e325-11ce-bfc1-08002be10318}"
PROGRAM = "briskel-view.exe"
# What the program writes beside itself; the rest of bin/ is the program.
WRITTEN = {"Briskel.ini", "ZR881x_9025.log", "BriskelExport.ini", "Briskel_exports.txt"}


def setup_program(build_dir):
    """The setup program the Windows build made, or None."""
    found = sorted(glob.glob(os.path.join(build_dir, "briskel-view-setup-*.exe")))
    return found[-1] if found else None


def windows_path(path):
    """A Linux path as Windows programs under Wine reach it (drive Z: is /)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Control:
    """A child control as window-list.exe reports it (screen pixels)."""

    def __init__(self, entry):
        self.hwnd, self.kind, self.text = entry["hwnd"], entry["class"], entry["text"]
        self.left, self.top, self.right, self.bottom = entry["rect"]
        self.enabled, self.checked = entry["enabled"], entry["checked"]
        self.focused = entry["focused"]
        self.name = entry.get("name")  # the accessible name a screen reader reads

    @property
    def label(self):
        """The text without its mnemonic marks."""
        return self.text.replace("&&", "\0").replace("&", "").replace("\0", "&")

    def __repr__(self):
        return (f"<{self.kind} {self.text!r} {self.right - self.left}x{self.bottom - self.top}"
                f"+{self.left}+{self.top}{'' if self.enabled else ' dimmed'}"
                f"{'' if self.checked < 0 else ' checked' if self.checked else ' unchecked'}"
                f"{' focused' if self.focused else ''} name={self.name!r}>")


class TopLevel:
    """A top-level window with its visible controls."""

    def __init__(self, entry):
        self.hwnd, self.kind, self.title = entry["hwnd"], entry["class"], entry["text"]
        self.left, self.top, self.right, self.bottom = entry["rect"]
        self.controls = []
        # A taskbar button: no owner and no tool window, or asked for (WS_EX_APPWINDOW).
        ex_style = entry.get("ex_style", 0)
        self.taskbar = (entry.get("owned_by", 0) == 0 and not ex_style & 0x80) or bool(ex_style & 0x40000)

    def control(self, label, kind=None):
        """The visible control showing `label` (mnemonic marks ignored, blanks
        around it too)."""
        for control in self.controls:
            if control.label.strip() == label.strip() and (kind is None or control.kind == kind):
                return control
        return None

    def __repr__(self):
        return f"<{self.kind} {self.title!r} {self.controls}>"


class WineSession(Session):
    """One run of the Windows program under Wine against the emulated instrument."""

    PROGRAM_CLASS = PROGRAM

    def __init__(self, name, build_dir, paced=False, program_folder="program", linux_build=None,
                 scale=100, language=None, installer=None):
        super().__init__(name, build_dir, paced=paced, program_folder=program_folder)
        self.linux_build = os.path.abspath(linux_build)
        self.linux_bin = os.path.join(self.linux_build, "bin")
        self.scale, self.language, self.installer = scale, language, installer
        self.prefix = None
        self.lister = os.path.join(self.build_dir, "tests", "window-list.exe")

    # ---- the prefix ---------------------------------------------------------

    def wine_env(self):
        # A home of the run's own: Wine links the prefix user's Documents to
        # the home's, and nothing may land in a person's own folders.
        return dict(os.environ, WINEPREFIX=self.prefix, WINEDLLOVERRIDES="mscoree,mshtml=",
                    WINEDEBUG=os.environ.get("WINEDEBUG", "-all,err+module,err+process"), LANG="C.UTF-8",
                    HOME=os.path.join(self.out, "home"))

    def wine(self, *args, check=True, **options):
        result = subprocess.run([WINE64, *args], env=self.wine_env(), capture_output=True,
                                text=True, errors="replace", **options)
        if check and result.returncode != 0:
            raise E2eFailure(f"wine {' '.join(args)}: exit code {result.returncode}\n"
                             f"{result.stdout}{result.stderr}")
        return result.stdout

    def registry(self, key, name, kind, value):
        self.wine("reg", "add", key, "/v", name, "/t", kind, "/d", str(value), "/f")

    def make_prefix(self):
        self.prefix = tempfile.mkdtemp(prefix="briskel-wine-e2e.")
        os.makedirs(os.path.join(self.out, "home"), exist_ok=True)
        self.wine("wineboot", "--init", check=False)
        # Wine 8 answers Windows 7 by default and knows no Windows 11.
        self.registry(r"HKCU\Software\Wine", "Version", "REG_SZ", "win10")
        # No window manager on the display: Wine draws frames and title bars.
        self.registry(r"HKCU\Software\Wine\X11 Driver", "Managed", "REG_SZ", "N")
        if self.scale != 100:
            self.registry(r"HKCU\Control Panel\Desktop", "LogPixels", "REG_DWORD",
                          round(96 * self.scale / 100))
        subprocess.run([WINESERVER, "-w"], env=self.wine_env())
        if not os.path.exists(os.path.join(self.prefix, "system.reg")):
            raise E2eFailure(f"wineboot made no prefix in {self.prefix}")

    # ---- setting up ---------------------------------------------------------

    def prepare(self):
        for path in (os.path.join(self.bin_dir, PROGRAM), self.lister,
                     self.emulator()):
            if not os.path.exists(path):
                raise E2eFailure(f"no {path}: build first")
        for folder in (self.out, self.shots_dir):
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
        self.make_prefix()
        if self.installer:
            self.program_dir = self.install()
        else:
            shutil.copytree(self.bin_dir, self.program_dir,
                            ignore=lambda folder, names: [n for n in names if n in WRITTEN
                                                          or n.endswith(".xlsx")])
        if self.language is not None:
            self.write_settings(self.language)
        subprocess.run([self.emulator(), "--make-sample",
                        self.memory_dir], check=True, stdout=subprocess.DEVNULL)

    def install(self):
        """Runs the setup program silently (NSIS: /S), as a user would from a
        command line; returns the folder it installed the program into."""
        self.mark("setup started")
        self.wine(self.installer, "/S", timeout=300)
        subprocess.run([WINESERVER, "-w"], env=self.wine_env(), timeout=120)
        found = glob.glob(os.path.join(self.prefix, "drive_c", "**", PROGRAM), recursive=True)
        if len(found) != 1:
            raise E2eFailure(f"the setup program installed {found or 'no program'}")
        self.mark("installed")
        return os.path.dirname(found[0])

    def write_settings(self, language):
        """This language (0 French, 1 English) in Briskel.ini, where the
        program reads it: in the file the setup program prepared, or in one
        as the program writes it at exit."""
        path = os.path.join(self.program_dir, "Briskel.ini")
        if os.path.exists(path):
            with open(path, newline="") as file:
                lines = file.read().split("\r\n")
        else:
            lines = ["1 0", "0", "56 1", "0", windows_path(self.program_dir) + "\\", "", "1",
                     "32", "102", "762", "1004", "0", "***", ""]
        lines[6] = str(language)
        with open(path, "w", newline="") as file:
            file.write("\r\n".join(lines))

    def emulator(self):
        return os.path.join(self.linux_bin, "zr8812-emulator")

    def com_folder(self):
        return self.prefix

    def start_instrument(self):
        """The emulated ZR8812 as COM 7 of the prefix, its bridge plugged in."""
        super().start_instrument()
        self.registry(BRIDGE_KEY, "ClassGUID", "REG_SZ", PORTS_CLASS)
        self.registry(BRIDGE_KEY + r"\Device Parameters", "PortName", "REG_SZ", "COM7")

    def start_program(self):
        self.known = {w.id for w in self.windows()}
        self.program = subprocess.Popen([WINE64, os.path.join(self.program_dir, PROGRAM)],
                                        cwd=self.out, env=self.wine_env(),
                                        stdout=open(os.path.join(self.out, "program.log"), "w"),
                                        stderr=subprocess.STDOUT)
        self.mark("program started")

    def display_was_lost(self):
        """Also true when Wine itself went before the program showed anything:
        killed by a signal, or ended at once with nothing printed (seen now and
        then while other Wine runs share the machine: it could not make a
        window). The run is then tried again, as when the display was lost; a
        program that never starts fails every try."""
        if super().display_was_lost():
            return True
        if self.program is None or self.program.poll() is None or self.program.returncode == 0:
            return False
        killed = self.program.returncode < 0
        log = os.path.join(self.out, "program.log")
        silent_at_start = (self.marks and self.marks[-1][1] == "program started"
                           and os.path.exists(log) and os.path.getsize(log) == 0)
        if not (killed or silent_at_start):
            return False
        print(f"{self.name}: Wine ended before the program showed a window "
              f"(exit code {self.program.returncode})", file=sys.stderr)
        return True

    def close(self):
        """Stops the program, the prefix's wineserver and the instrument; keeps
        the installed program folder (with what the program wrote) and the
        user's Documents in the run's folder and removes the prefix."""
        if self.prefix is not None:
            subprocess.run([WINESERVER, "-k"], env=self.wine_env(), capture_output=True)
            subprocess.run([WINESERVER, "-w"], env=self.wine_env(), capture_output=True)
        super().close()
        if self.prefix is not None:
            if self.installer and os.path.isdir(self.program_dir):
                shutil.copytree(self.program_dir, os.path.join(self.out, "installed"),
                                dirs_exist_ok=True)
            # The user's Documents, where the workbooks go by default.
            for documents in glob.glob(os.path.join(self.prefix, "drive_c", "users", "*",
                                                    "Documents")):
                if os.path.isdir(documents):
                    shutil.copytree(documents, os.path.join(self.out, "documents"),
                                    dirs_exist_ok=True)
            if os.environ.get("BRISKEL_E2E_KEEP_PREFIX") != "1":
                shutil.rmtree(self.prefix, ignore_errors=True)

    # ---- looking at the controls --------------------------------------------

    def desktop(self):
        """The program's top-level windows with their controls, as
        window-list.exe reads them now."""
        listing = self.wine(self.lister, timeout=60)
        tops, by_handle = [], {}
        for line in listing.splitlines():
            try:
                entry = json.loads(line)
            except json.JSONDecodeError:
                continue
            if entry["kind"] == "window":
                if entry["exe"].lower() == PROGRAM:
                    by_handle[entry["hwnd"]] = TopLevel(entry)
                    tops.append(by_handle[entry["hwnd"]])
            elif entry["owner"] in by_handle:
                by_handle[entry["owner"]].controls.append(Control(entry))
        return tops

    def top_level(self, title, timeout=15):
        """The program's top-level window with this title, with its controls."""
        def look():
            return next((t for t in self.desktop() if t.title == title), None)
        return self.wait_for(look, timeout, f"the window {title!r} in Windows' window list")

    def control(self, title, label, kind=None, timeout=15):
        """Waits for the control showing `label` in the window titled `title`."""
        def look():
            window = next((t for t in self.desktop() if t.title == title), None)
            return window.control(label, kind) if window is not None else None
        return self.wait_for(look, timeout, f"{label!r} in the window {title!r}")

    def click_control(self, control):
        """A left click in the middle of the control, as a person aims."""
        self.remember_screen()
        x, y = (control.left + control.right) // 2, (control.top + control.bottom) // 2
        xdotool("mousemove", str(x), str(y))
        time.sleep(0.05)
        xdotool("click", "1")
        time.sleep(0.1)

    def describe(self, name):
        """Writes what Windows' window list shows now beside the screenshots
        (NN-name.txt): texts and rectangles, to compare with the pictures."""
        path = os.path.join(self.shots_dir, f"{self.shot_count:02d}-{name}.txt")
        with open(path, "w") as file:
            for top in self.desktop():
                file.write(f"window {top.title!r} {top.kind} "
                           f"{top.right - top.left}x{top.bottom - top.top}+{top.left}+{top.top}\n")
                for control in top.controls:
                    file.write(f"  {control}\n")

    def shot(self, name, window=None):
        """A screenshot with its description of the controls."""
        path = self.screenshot(name, window)
        try:
            self.describe(name)
        except E2eFailure:
            pass
        return path

    def focus(self, window):
        """Gives the window the keyboard. Wine hands keys to the window Windows
        has active, whichever X window has the X focus: a window that is not
        in front is first clicked, as a person does, at a place of it no
        other window of the program covers (a corner inside its frame)."""
        windows = self.windows()
        if windows and windows[0].id != window.id:
            above = windows[:next((i for i, w in enumerate(windows) if w.id == window.id),
                                  len(windows))]
            for x, y in ((window.x + 12, window.y + window.height - 12),
                         (window.x + window.width - 12, window.y + window.height - 12),
                         (window.x + 12, window.y + window.height // 2)):
                if not any(w.x <= x < w.x + w.width and w.y <= y < w.y + w.height
                           for w in above):
                    xdotool("mousemove", str(x), str(y))
                    xdotool("click", "1")
                    time.sleep(0.2)
                    break
        super().focus(window)

    def menu_keys(self, window, *keys):
        """Alt and the title's mnemonic, then the item's keys, as a person
        using the keyboard chooses a menu item."""
        self.focus(window)
        for key in keys:
            xdotool("key", key)
            time.sleep(0.15)

    def stop_instrument_now(self):
        if self.instrument is not None and self.instrument.poll() is None:
            self.instrument.send_signal(signal.SIGTERM)
            self.instrument.wait(10)
