"""Driving the real briskel-view on an X display the way a person does.

A scenario script builds a `Session` (a fresh program directory, the emulated
instrument registered as COM 7 in it, the program started on the display) and
then talks to the program only through the mouse and the keyboard (xdotool)
and looks at it through screenshots (ImageMagick's `import`). Every wait polls
with a time-out; nothing sleeps for a fixed long time.

The display has no window manager: windows carry no frames, and keyboard focus
is given by `focus()` (what clicking a window's title bar would do).
"""
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

POLL = 0.05  # seconds between two looks at the screen
SCREEN = "1280x1024x24"

# What the program writes beside itself (and workbooks of a demo run); the
# rest of bin/ is the program.
NOT_COPIED = {"dosdevices", "Briskel.ini", "ZR881x_9025.log", "zr8812-emulator", "BriskelExport.ini",
              "Briskel_exports.txt"}


class E2eFailure(Exception):
    pass


def run_under_xvfb(script, argv, screen=SCREEN):
    """Re-runs this script inside its own Xvfb unless it already is in one.

    Each run gets a display of its own (xvfb-run picks a free one from a
    random start number in a wide range, so two runs seldom start from the
    same), so scenarios run in parallel, also from several build directories,
    and never on a person's desktop. Two runs that still pick the same number
    at the same moment make one Xvfb fail to start: that run is tried again
    from another number."""
    if os.environ.get("BRISKEL_E2E_DISPLAY") == "1":
        # xvfb-run may miss that its Xvfb lost the race for the number and run
        # us on another run's display, which refuses us: then try again.
        if subprocess.run(["xwininfo", "-root"], capture_output=True).returncode != 0:
            sys.exit(3)
        marker = os.environ.get("BRISKEL_E2E_STARTED")
        if marker:
            open(marker, "w").close()
        return
    if shutil.which("xvfb-run") is None:
        sys.exit("xvfb-run is missing: run scripts/setup (Debian package xvfb)")
    for attempt in range(5):
        with tempfile.TemporaryDirectory() as scratch:
            marker = os.path.join(scratch, "started")
            env = dict(os.environ, BRISKEL_E2E_DISPLAY="1", BRISKEL_E2E_STARTED=marker)
            number = random.randrange(1000, 30000)
            command = ["xvfb-run", "-a", "-n", str(number),
                       "-s", f"-screen 0 {screen} -nolisten tcp",
                       sys.executable, script] + argv
            code = subprocess.call(command, env=env)
            if os.path.exists(marker):
                sys.exit(code)
        time.sleep(random.uniform(0.5, 2.0))
    sys.exit("Xvfb did not start (xvfb-run failed five times)")


def xdotool(*args, check=True):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    if check and result.returncode != 0:
        raise E2eFailure(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
    return result.stdout


class Window:
    def __init__(self, wid, title, x, y, width, height):
        self.id, self.title = wid, title
        self.x, self.y, self.width, self.height = x, y, width, height

    def __repr__(self):
        return f"<{self.id} '{self.title}' {self.width}x{self.height}+{self.x}+{self.y}>"


# One line of `xwininfo -root -children`:
#   0x200103 "Title": ("briskel-view" "Briskel View")  500x100+380+422  +380+422
def window_line(program_class):
    return re.compile(
        r'^\s+(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \("' + re.escape(program_class) +
        r'" [^)]*\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)')


def program_windows(program_class="briskel-view"):
    """The program's mapped top-level windows, the top one first (the X
    class names the program: "briskel-view", or "briskel-view.exe" under
    Wine). Windows of one pixel are helpers nobody sees (Wine's input
    method windows)."""
    listing = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True,
                             text=True).stdout
    visible = set(xdotool("search", "--onlyvisible", "--classname", program_class,
                          check=False).split())
    line_format = window_line(program_class)
    windows = []
    for line in listing.splitlines():
        match = line_format.match(line)
        if match and str(int(match.group(1), 16)) in visible:
            wid, title, w, h, x, y = match.groups()
            if int(w) > 1 or int(h) > 1:
                windows.append(Window(wid, title or "", int(x), int(y), int(w), int(h)))
    return windows


class Session:
    """One run of the program against a fresh emulated instrument."""

    PROGRAM_CLASS = "briskel-view"  # the X class of the program's windows

    def __init__(self, name, build_dir, paced=False, program_folder="program"):
        self.name = name
        self.build_dir = os.path.abspath(build_dir)
        self.bin_dir = os.path.join(self.build_dir, "bin")
        self.out = os.path.join(self.build_dir, "e2e", name)
        self.program_dir = os.path.join(self.out, program_folder)
        self.memory_dir = os.path.join(self.out, "memory")
        self.shots_dir = os.path.join(self.build_dir, "e2e-screenshots", name)
        self.paced = paced
        self.shot_count = 0
        self.known = set()
        self.instrument = None
        self.instrument_options = []  # faults of the emulated instrument, e.g. --unplug-at
        self.program = None
        self.started_at = time.monotonic()
        self.marks = []

    # ---- setting up -------------------------------------------------------

    def prepare(self):
        for program in ("briskel-view", "zr8812-emulator"):
            if not os.path.exists(os.path.join(self.bin_dir, program)):
                raise E2eFailure(f"no {program} in {self.bin_dir}: build first")
        for folder in (self.out, self.shots_dir):
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
        os.makedirs(self.program_dir)
        for entry in os.listdir(self.bin_dir):
            if entry in NOT_COPIED or entry.endswith(".xlsx"):
                continue
            source = os.path.join(self.bin_dir, entry)
            target = os.path.join(self.program_dir, entry)
            if os.path.isdir(source):
                shutil.copytree(source, target)
            else:
                shutil.copy2(source, target)
        emulator = os.path.join(self.bin_dir, "zr8812-emulator")
        subprocess.run([emulator, "--make-sample", self.memory_dir], check=True,
                       stdout=subprocess.DEVNULL)

    def start_instrument(self):
        """The emulated ZR8812 with the sample memory, as COM 7 of the program."""
        command = [self.emulator(), "--memory", self.memory_dir,
                   "--com", "7", "--program-dir", self.com_folder(), "--show-output"]
        if self.paced:
            command.append("--pace")
        command += self.instrument_options
        self.wire_log = os.path.join(self.out, "wire.log")
        self.instrument = subprocess.Popen(command, stdout=open(self.wire_log, "w"),
                                           stderr=subprocess.STDOUT)
        link = os.path.join(self.com_folder(), "dosdevices", "com7")
        self.wait_for(lambda: os.path.islink(link), 10, "the instrument registered as COM 7",
                      alive=self.instrument)

    def emulator(self):
        return os.path.join(self.bin_dir, "zr8812-emulator")

    def com_folder(self):
        """The folder whose dosdevices/com7 the program opens as COM 7."""
        return self.program_dir

    def start_program(self):
        runtime = os.path.join(self.out, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb",
                   XDG_RUNTIME_DIR=runtime, HOME=self.out, LANG="C.UTF-8")
        env.pop("SESSION_MANAGER", None)
        self.known = {w.id for w in self.windows()}
        # BRISKEL_E2E_WRAP runs the program inside a tool, e.g.
        # "gdb -batch -ex run -ex bt --args" for a backtrace in program.log.
        wrapper = os.environ.get("BRISKEL_E2E_WRAP", "").split()
        self.program = subprocess.Popen(wrapper + [os.path.join(self.program_dir, "briskel-view")],
                                        cwd=self.out, env=env,
                                        stdout=open(os.path.join(self.out, "program.log"), "w"),
                                        stderr=subprocess.STDOUT)
        self.mark("program started")

    def wait_startup(self):
        """Waits for the main window and the port question (a box with an
        empty title, on top of the main window). The splash is gone before
        the main window shows, so the two are the only new windows then."""
        def two_new():
            fresh = [w for w in self.windows() if w.id not in self.known]
            return fresh if len(fresh) >= 2 else None
        fresh = self.wait_for(two_new, 30, "the main window and the port question")
        question, main = fresh[0], fresh[-1]
        self.known.update(w.id for w in fresh)
        time.sleep(0.2)
        self.mark("port question shown")
        return main, question

    def print_program_output(self, lines=30):
        """The end of what the program printed: the reason when it ended by
        itself (CI keeps only this log, not the files)."""
        path = os.path.join(self.out, "program.log")
        if not os.path.exists(path):
            return
        with open(path, errors="replace") as log:
            tail = log.read().splitlines()[-lines:]
        if tail:
            print("  program output (last lines):", file=sys.stderr)
            for line in tail:
                print(f"    {line}", file=sys.stderr)

    # What the program (Qt, or Wine for the Windows program) prints when the
    # X display it was started on is not there.
    DISPLAY_LOST = ("could not connect to display", "cannot open display",
                    "no driver could be loaded")

    def display_was_lost(self):
        if self.program is None or self.program.poll() is None:
            return False
        path = os.path.join(self.out, "program.log")
        if not os.path.exists(path):
            return False
        with open(path, errors="replace") as log:
            text = log.read()
        return any(sign in text for sign in self.DISPLAY_LOST)

    def windows(self):
        """The program's windows on screen, the top one first."""
        return program_windows(self.PROGRAM_CLASS)

    def close(self):
        """Stops what is still running (the instrument removes its COM entries)."""
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        if self.instrument is not None and self.instrument.poll() is None:
            self.instrument.send_signal(signal.SIGTERM)
            try:
                self.instrument.wait(10)
            except subprocess.TimeoutExpired:
                self.instrument.kill()
                self.instrument.wait()

    # ---- waiting ----------------------------------------------------------

    def wait_for(self, condition, timeout, what, alive=None):
        deadline = time.monotonic() + timeout
        while True:
            result = condition()
            if result:
                return result
            process = alive if alive is not None else self.program
            if process is not None and process.poll() is not None:
                raise E2eFailure(f"waiting for {what}: the process ended "
                                 f"(exit code {process.returncode})")
            if time.monotonic() > deadline:
                raise E2eFailure(f"waited {timeout} s for {what}; on screen: "
                                 f"{self.windows()}")
            time.sleep(POLL)

    def new_window(self, title=None, timeout=15):
        """Waits for a window that was not on screen before (with this title
        when one is given) and returns it; it is then known."""
        def look():
            for window in self.windows():
                if window.id not in self.known and (title is None or window.title == title):
                    return window
            return None
        window = self.wait_for(look, timeout, f"a new window {title or ''!r}")
        self.known.add(window.id)
        # A window just mapped may not have painted yet.
        time.sleep(0.2)
        return window

    def window(self, title, timeout=15):
        """Waits for a visible window with this title (new or not)."""
        def look():
            return next((w for w in self.windows() if w.title == title), None)
        return self.wait_for(look, timeout, f"the window {title!r}")

    def wait_closed(self, window, timeout=15):
        self.wait_for(lambda: all(w.id != window.id for w in self.windows()), timeout,
                      f"{window} to close")

    def wait_wire(self, text, timeout=30):
        """Waits until the instrument has received a line holding `text`."""
        def seen():
            # The emulator logs what arrives in pieces, as it arrives.
            with open(self.wire_log, errors="replace") as log:
                pieces = [line.rstrip("\n").split("] << ", 1) for line in log]
            return text in "".join(piece[1] for piece in pieces if len(piece) == 2)
        self.wait_for(seen, timeout, f"the instrument to receive {text!r}")

    def wait_alone(self, main, timeout=60, steady=0.6):
        """Waits until the main window is the only one on screen, and stays so
        for `steady` seconds (the program then waits for the user)."""
        since = [None]
        def alone():
            if [w.id for w in self.windows()] != [main.id]:
                since[0] = None
                return False
            since[0] = since[0] or time.monotonic()
            return time.monotonic() - since[0] >= steady
        self.wait_for(alone, timeout, "the main window alone on screen")

    def wait_exit(self, timeout=30):
        try:
            return self.program.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2eFailure(f"the program did not end within {timeout} s; on screen: "
                             f"{self.windows()}")

    # ---- acting -----------------------------------------------------------

    def remember_screen(self):
        """Every window on screen now counts as known: `new_window` then finds
        only what the next action brings up."""
        self.known.update(w.id for w in self.windows())

    def focus(self, window):
        """Gives the window the keyboard, as clicking its title bar would."""
        self.remember_screen()
        xdotool("mousemove", "--window", window.id,
                str(window.width // 2), str(window.height // 2))
        xdotool("windowfocus", window.id, check=False)
        time.sleep(0.1)

    def keys(self, window, *keys):
        self.focus(window)
        for key in keys:
            xdotool("key", key)
            time.sleep(0.05)

    def type_text(self, window, text):
        self.focus(window)
        xdotool("type", "--delay", "40", text)

    def click(self, window, x, y):
        """A left click at (x, y) inside the window."""
        self.remember_screen()
        xdotool("mousemove", "--window", window.id, str(x), str(y))
        time.sleep(0.05)
        xdotool("click", "1")
        time.sleep(0.1)

    def menu(self, main, title_x, item):
        """Opens the menu whose title is at `title_x` in the main window's menu
        bar and chooses its `item`-th entry (1 = the first, -1 = the last)
        with the arrow keys and Enter, as a person using the keyboard would."""
        self.click(main, title_x, 10)
        popup = self.new_window(timeout=5)
        if item > 0:
            keys = ["Down"] * item
        else:
            keys = ["Up"] * -item
        for key in keys + ["Return"]:
            xdotool("key", key)
            time.sleep(0.05)
        self.wait_closed(popup)

    def raise_window(self, window):
        """What a window manager does for a dialog of the program: keep it above
        the main window (without one, raising the main window hides it)."""
        xdotool("windowraise", window.id, check=False)
        time.sleep(0.2)

    def answer(self, window, key):
        """Answers a message box with a key (Return: first button; Escape: last)."""
        self.keys(window, key)
        self.wait_closed(window)

    # ---- looking ----------------------------------------------------------

    def screenshot(self, name, window=None):
        """Saves the whole screen (or one window) as NN-name.png for people to see."""
        self.shot_count += 1
        path = os.path.join(self.shots_dir, f"{self.shot_count:02d}-{name}.png")
        target = window.id if window is not None else "root"
        subprocess.run(["import", "-window", target, path], check=True,
                       stderr=subprocess.DEVNULL)
        return path

    def screenshot_doc(self, name, window):
        """Keeps one window's picture as docs-NAME.png: the manual's pictures
        (docs/images/NAME.png) are chosen from these."""
        path = os.path.join(self.shots_dir, f"docs-{name}.png")
        subprocess.run(["import", "-window", window.id, path], check=True,
                       stderr=subprocess.DEVNULL)

    def picture(self, window):
        """The window's pixels as the X server has them (for waiting on a change)."""
        return subprocess.run(["import", "-window", window.id, "rgb:-"], check=True,
                              capture_output=True).stdout

    def wait_changed(self, window, before, timeout, what):
        """Waits until the window no longer looks as `before` and has stopped
        changing (a text shown, buttons dimmed: the callback has finished)."""
        seen = [before]

        def settled():
            now = self.picture(window)
            done = now != before and now == seen[0]
            seen[0] = now
            return done
        self.wait_for(settled, timeout, what)

    def top_window(self):
        windows = self.windows()
        if not windows:
            raise E2eFailure("no window of the program on screen")
        return windows[0]

    def mark(self, what):
        self.marks.append((time.monotonic() - self.started_at, what))

    def report_times(self):
        print(f"{self.name}: phases (seconds since start)")
        previous = 0.0
        for seconds, what in self.marks:
            print(f"  {seconds:7.1f}  (+{seconds - previous:5.1f})  {what}")
            previous = seconds


def display_lost(name):
    """Two runs' Xvfb servers started on the same number at the same moment:
    the second one's start took the first one's socket away after this run
    had checked its display. Nothing of the program is at fault; the outer
    loop of run_under_xvfb runs the scenario again on another number."""
    print(f"{name}: the display was lost to another run's Xvfb; trying again on another",
          file=sys.stderr)
    marker = os.environ.get("BRISKEL_E2E_STARTED")
    if marker and os.path.exists(marker):
        os.remove(marker)
    return 3


def run_scenario(name, scenario, argv, before_start=None,
                 program_folder="program", session_class=Session, screen=SCREEN,
                 **session_options):
    """Common main of a scenario script: usage `script BUILD_DIR [--pace]`.
    `before_start(session)` may set the instrument's options; the program runs
    from `program_folder` below the run's own folder (its default working
    folder too). `session_class` and `session_options` make another kind of
    session (the Windows program under Wine)."""
    run_under_xvfb(os.path.abspath(sys.argv[0]), argv, screen)
    if not argv:
        sys.exit(f"usage: {sys.argv[0]} BUILD_DIR [--pace]")
    paced = "--pace" in argv[1:]
    session = session_class(name + ("_paced" if paced else ""), argv[0], paced=paced,
                            program_folder=program_folder, **session_options)
    try:
        session.prepare()
        if before_start is not None:
            before_start(session)
        session.start_instrument()
        scenario(session)
        session.report_times()
        print(f"{name}: passed; screenshots in {session.shots_dir}")
        return 0
    except Exception as failure:  # noqa: BLE001 -- every failure gets its screenshot
        if session.display_was_lost():
            return display_lost(name)
        try:
            session.screenshot("failure")
        except Exception:  # the screen may be gone with the program
            pass
        session.report_times()
        print(f"{name}: FAILED: {failure}", file=sys.stderr)
        print(f"  screenshots: {session.shots_dir}\n  files: {session.out}", file=sys.stderr)
        session.print_program_output()
        return 1
    finally:
        session.close()
