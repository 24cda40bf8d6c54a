"""Reading the program the way a screen reader does: through the AT-SPI
accessibility tree on the session's D-Bus.

`with_accessibility_bus(argv)` re-runs the calling script inside its own
D-Bus session (dbus-run-session), where the accessibility bus starts on
demand; the program then needs QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 to publish
its tree, which `enable_for_program()` puts into the environment it inherits.
"""
import os
import shutil
import subprocess
import sys
import time


def with_accessibility_bus(script, argv):
    """Re-runs `script` under dbus-run-session unless it already is."""
    if os.environ.get("BRISKEL_E2E_DBUS") == "1":
        return
    if shutil.which("dbus-run-session") is None:
        sys.exit("dbus-run-session is missing: run scripts/setup (Debian package dbus-bin)")
    env = dict(os.environ, BRISKEL_E2E_DBUS="1")
    sys.exit(subprocess.call(["dbus-run-session", "--", sys.executable, script] + argv,
                             env=env))


def enable_for_program():
    os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    os.environ["QT_ACCESSIBILITY"] = "1"
    os.environ.pop("NO_AT_BRIDGE", None)


def _pyatspi():
    import pyatspi  # noqa: PLC0415 -- only scenarios that read the tree need it
    return pyatspi


def application(name="Briskel View", timeout=30):
    """The program's node in the tree, once it has published itself."""
    pyatspi = _pyatspi()
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    desktop = pyatspi.Registry.getDesktop(0)
    present = [_safe(lambda: desktop.getChildAtIndex(i).name) for i in range(desktop.childCount)]
    raise AssertionError(f"{name} did not appear in the accessibility tree; it holds {present}")


def wait_idle(app):
    """Returns once the program answers the tree again: it handles the
    accessibility bus on its user-interface thread, so a question to it is
    answered only when no exchange blocks that thread."""
    for _ in range(3):
        if _safe(lambda: app.childCount, None) is not None:
            return
    raise AssertionError("the program does not answer the accessibility bus")


def _safe(call, default=""):
    try:
        return call()
    except Exception:  # a node that went away while being read
        return default


def node_text(node):
    """The text a screen reader speaks for a node: its name, description and,
    for a text node, its text."""
    parts = [_safe(lambda: node.name), _safe(lambda: node.description)]
    text = _safe(lambda: node.queryText())
    if text:
        parts.append(_safe(lambda: text.getText(0, -1)))
    return [p for p in parts if p]


def walk(node, depth=0, limit=12):
    """Every node below `node` (itself included), depth first."""
    yield node
    if depth >= limit:
        return
    for index in range(_safe(lambda: node.childCount, 0)):
        child = _safe(lambda: node.getChildAtIndex(index), None)
        if child is not None:
            yield from walk(child, depth + 1, limit)


def windows(app):
    """(title, node) of each top-level window the program shows in the tree."""
    found = []
    for index in range(_safe(lambda: app.childCount, 0)):
        window = _safe(lambda: app.getChildAtIndex(index), None)
        if window is not None:
            found.append((_safe(lambda: window.name), window))
    return found


def window_texts(window):
    """Everything a screen reader can read in a window, in tree order."""
    texts = []
    for node in walk(window):
        for text in node_text(node):
            if text not in texts:
                texts.append(text)
    return texts


def wait_window(app, title, timeout=30):
    """The window titled `title` as the tree shows it, with its texts."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for name, window in windows(app):
            if name == title and _safe(lambda: window.getState().contains(
                    _pyatspi().STATE_SHOWING), False):
                return window_texts(window)
        time.sleep(0.1)
    raise AssertionError(f"no window {title!r} in the accessibility tree; it shows "
                         f"{[name for name, _ in windows(app)]}")


def field(app, window_title, caption):
    """(name, description, text) of the control named `caption` in a window:
    the field, not its caption label (which bears the same name)."""
    found = []
    for name, window in windows(app):
        if name != window_title:
            continue
        for node in walk(window):
            if _safe(lambda: node.name) == caption:
                text = _safe(lambda: node.queryText())
                found.append((caption, _safe(lambda: node.description),
                              _safe(lambda: text.getText(0, -1)) if text else ""))
    if not found:
        raise AssertionError(f"no control {caption!r} in {window_title!r}")
    described = [entry for entry in found if entry[1] or entry[2] not in ("", caption)]
    return described[0] if described else found[-1]


def dump(app):
    """The tree as text, for a failing scenario's output."""
    lines = []
    for node in walk(app, limit=6):
        lines.append(f"{_safe(lambda: node.getRoleName())}: {node_text(node)}")
    return "\n".join(lines)
