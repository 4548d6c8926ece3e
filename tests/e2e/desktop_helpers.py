"""Helpers for driving KorvaNT's desktop side: INI files, the tray icon, popup menus, the
pointer, the clipboard and the registry, as a user and the system would."""
import io
import itertools
import os
import pathlib
import re
import subprocess
import sys
import time

from PIL import Image

from harness import ROOT, VERSION_LINE, WINCTL, WindowInfo, run, tray_window, wait_for, winctl

sys.path.insert(0, str(ROOT / "tools"))
import page_server  # noqa: E402,F401  (re-exported for the tests)

INTERNET_SETTINGS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings"
INTERNET_ZONE = INTERNET_SETTINGS + r"\Zones\3"
TWIPS = 15


def marks_with(shown=(), hidden=()):
    """MainListCheckMark for the default list (settings/settings.h) with the items of these ids
    shown or hidden and every other as by default. The marks count by position in the list, so
    they are made from the ids: a new item in the default list moves none of them."""
    text = (ROOT / "settings" / "settings.h").read_text()
    order = re.search(r'displayOrder =\s*L"(\d+)"', text).group(1)
    marks = re.search(r'displayMarks = L"([01]+)"', text).group(1)
    ids = [int(order[i:i + 3]) for i in range(0, len(order), 3)]
    assert set(shown) | set(hidden) <= set(ids), "an id the default list does not hold"
    return "".join("1" if item in shown else "0" if item in hidden else mark
                   for item, mark in zip(ids, marks))


# The proxy, proxy use and the two script items (106-109) shown as well; the public IP (104) not.
MARKS_BROWSER_ITEMS = marks_with(shown=(104, 106, 107, 108, 109))
MARKS_WITHOUT_IP = marks_with(hidden=(104,))


def ini_text(options=None, mem=None, servers=None):
    """A KorvaNT.ini of the running version with the given keys (others take defaults)."""
    lines = ["[Options]", VERSION_LINE]
    lines += [f"{k}={v}" for k, v in (options or {}).items()]
    if mem:
        lines += ["[MemOptions]"] + [f"{k}={v}" for k, v in mem.items()]
    if servers:
        lines += ["[Servers]"] + [f"{k}={v}" for k, v in servers.items()]
    return "\r\n".join(lines) + "\r\n"


def placed_at(x, y):
    """Options that put the main window at pixel (x, y), clear of the tray at the top-left."""
    return {"X_WindowPosition": x * TWIPS, "Y_WindowPosition": y * TWIPS}


def xdotool(*args):
    result = run(["xdotool", *[str(a) for a in args]])
    assert result.returncode == 0, (result.returncode, result.stdout, result.stderr)
    return result.stdout.decode()


# Two presses of one button on one spot within the double-click time are a double click, which
# the icon does not answer (as on Windows). Successive clicks therefore alternate between two
# spots of the icon further apart than the double-click rectangle.
_TRAY_SPOTS = [(10, 10), (16, 10)]
_tray_clicks = itertools.count()


def tray_spot():
    """The window of the tray icon and the spot the next click on it goes to."""
    tray = wait_for(tray_window, what="the tray icon")
    return (tray, *_TRAY_SPOTS[next(_tray_clicks) % len(_TRAY_SPOTS)])


def tray_click(button):
    xdotool("mousemove", "--window", *tray_spot(), "click", button)


def tray_icons():
    """How many icons the tray shows: they sit in 20-pixel slots from its left edge."""
    tray = tray_window()
    if tray is None:
        return 0
    geometry = dict(line.split("=") for line in
                    xdotool("getwindowgeometry", "--shell", tray).split())
    x, y, width = int(geometry["X"]), int(geometry["Y"]), int(geometry["WIDTH"])
    shot = run(["import", "-window", "root", "-crop", f"{width}x20+{x}+{y}", "png:-"]).stdout
    image = Image.open(io.BytesIO(shot)).convert("RGB")
    background = image.getpixel((image.width - 1, image.height // 2))
    slots = {px // 20 for px in range(image.width) for py in range(image.height)
             if image.getpixel((px, py)) != background}
    return len(slots)


def open_tray_menu(timeout=20):
    # A press while start-up still runs is answered once the icon's owner is free.
    tray_click(3)
    return wait_for(open_menu, timeout=timeout, what="the tray menu")


def open_menu():
    rc, out = winctl("menu")
    return WindowInfo(out) if rc == 0 and out.strip() else None


def choose(*keys):
    """Drives the open popup menu with the keyboard, then waits until it has closed."""
    xdotool("key", *keys)
    wait_for(lambda: open_menu() is None, what="the menu to close")


def pointer_to(x, y):
    xdotool("mousemove", x, y)


def x_clipboard():
    result = run(["xclip", "-o", "-selection", "clipboard"])
    return result.stdout.decode("utf-8", "replace") if result.returncode == 0 else None


def set_clipboard(text):
    assert winctl("setclip", text)[0] == 0


def reg_add(key, value, data, kind="REG_DWORD"):
    # Under load Wine now and then fails to start reg.exe at all ("ShellExecuteEx" reports an
    # internal error); a start that failed is tried again, a write that failed is not.
    for _ in range(3):
        result = run(["wine", "reg", "add", key, "/v", value, "/t", kind, "/d", str(data), "/f"])
        said = result.stdout + result.stderr
        # A write reg.exe refused says why; a start that failed says nothing or names the
        # shell's error.
        if result.returncode == 0 or (said.strip() and b"ShellExecuteEx" not in said):
            break
    assert result.returncode == 0, (result.returncode, result.stdout, result.stderr)


def reg_value(key, value):
    """(type, text) of a value under HKCU, None when missing; a DWORD's text is decimal."""
    rc, out = winctl("regvalue", key.replace("HKCU\\", "", 1), value)
    if rc != 0:
        return None
    kind, text = out.rstrip("\n").split(" ", 1)
    return int(kind), text


def holds(predicate, seconds, interval=0.1, what="condition"):
    """Polls for `seconds` and fails as soon as predicate() is false."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        assert predicate(), f"{what} stopped holding"
        time.sleep(interval)


def processes_in(folder):
    """Ids of live processes whose command line names the instance's folder."""
    found = []
    needle = str(folder).encode()
    for entry in pathlib.Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            cmdline = (entry / "cmdline").read_bytes()
        except OSError:
            continue
        if needle in cmdline or needle.replace(b"/", b"\\") in cmdline:
            found.append(int(entry.name))
    return found


def assert_gone(app):
    """After an exit: the process has ended, no tray icon remains and nothing of it runs."""
    assert app.wait_exit() == 0
    wait_for(lambda: tray_window() is None, what="the tray icon to go")
    wait_for(lambda: not processes_in(app.folder), what="every KorvaNT process to end")
    assert os.path.exists(app.folder)


def browser_window_closed(title):
    """Opens a window titled like a browser's and waits until auto-close has closed it."""
    browser = subprocess.Popen(["wine", str(WINCTL), "window", title],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_for(lambda: browser.poll() is not None, what="the browser window to be closed")
    finally:
        if browser.poll() is None:
            browser.kill()
