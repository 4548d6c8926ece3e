"""Drives the real KorvaNT.exe under Wine and Xvfb as a user and the system would."""
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
BUILD = ROOT / "build"
EXE = BUILD / "release" / "app" / "KorvaNT.exe"
WINCTL = BUILD / "win" / "winctl.exe"
# A Windows program that keeps one processor busy.
BURNER = BUILD / "win" / "burner.exe"
RUNS = BUILD / "e2e-runs"

# The settings file's Ver of this source, as the page server reads it from base/version.h.
sys.path.insert(0, str(ROOT / "tools"))
from page_server import THIS_VERSION  # noqa: E402

VERSION_LINE = f"Ver={THIS_VERSION}"
# The main window has no title text: winctl finds it by its class.
MAIN_TITLE = "KorvaNT.Main"


def wait_for(predicate, timeout=20.0, interval=0.1, what="condition"):
    """Polls until predicate() is truthy; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def run(args, timeout=30, **kwargs):
    # Output goes through files, not pipes: a Wine program can start background services that
    # inherit its output and would keep a pipe open long after the program has ended.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run(args, stdout=out, stderr=err, timeout=timeout, **kwargs)
        out.seek(0)
        err.seek(0)
        result.stdout, result.stderr = out.read(), err.read()
    return result


def winctl(*args):
    # 0 is an answer, 1 and 2 are "no such window" and "clipboard busy"; anything else is Wine
    # failing to run the helper at all, which a loaded machine sees now and then: run it again.
    # The helper itself writes nothing to stderr, so text there is Wine's, even with a code that
    # looks like an answer.
    for _ in range(3):
        result = run(["wine", str(WINCTL), *args])
        if result.returncode in (0, 1, 2) and not result.stderr.strip():
            break
    return result.returncode, result.stdout.decode("utf-8", "replace")


class WindowInfo:
    def __init__(self, line):
        parts = [int(p) for p in line.split()]
        self.hwnd, visible, self.left, self.top, self.right, self.bottom = parts[:6]
        self.client_width, self.client_height, topmost = parts[6:9]
        self.visible = bool(visible)
        self.topmost = bool(topmost)

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top


def find_window(title):
    rc, out = winctl("find", title)
    return WindowInfo(out) if rc == 0 and out.strip() else None


def client_area(title):
    """(x, y, width, height) of a window's client area on the screen, or None."""
    rc, out = winctl("client", title)
    return tuple(int(v) for v in out.split()) if rc == 0 and out.strip() else None


def class_title(class_name):
    """The caption of the first window of a class, or None when there is none."""
    rc, out = winctl("classtitle", class_name)
    return out.rstrip("\n") if rc == 0 else None


def interface_names():
    """The interface table's descriptions in the adapter choice's order."""
    rc, out = winctl("interfaces")
    return out.split("\n")[:-1] if rc == 0 else []


def settings_ini(**options):
    """A KorvaNT.ini of the running version with the given [Options] keys."""
    lines = ["[Options]", VERSION_LINE] + [f"{k}={v}" for k, v in options.items()]
    return "\r\n".join(lines) + "\r\n"


def x_visible_windows(name):
    result = run(["xdotool", "search", "--onlyvisible", "--name", name])
    return [int(w) for w in result.stdout.split()]


def tray_window():
    found = x_visible_windows("^Wine System Tray$")
    return found[0] if found else None


def screenshot(path):
    run(["import", "-window", "root", str(path)])
    return path


def reg_query(key, value):
    """A registry value of the prefix as text, or None when it is missing."""
    result = run(["wine", "reg", "query", key, "/v", value])
    if result.returncode != 0:
        return None
    for line in result.stdout.decode("cp932", "replace").splitlines():
        parts = line.split(None, 2)
        if parts and parts[0] == value and len(parts) >= 2:
            return parts[2] if len(parts) == 3 else ""
    return None


class Korvant:
    """One KorvaNT.exe in a fresh folder of its own."""

    def __init__(self, name, files=None, folder=None):
        self.process = None
        if folder:  # a second start of an existing instance's exe
            self.folder = folder
            return
        self.folder = RUNS / name
        shutil.rmtree(self.folder, ignore_errors=True)
        self.folder.mkdir(parents=True)
        shutil.copy2(EXE, self.folder / "KorvaNT.exe")
        for file_name, content in (files or {}).items():
            data = content.encode("cp932") if isinstance(content, str) else content
            (self.folder / file_name).write_bytes(data)

    def start(self):
        self.process = subprocess.Popen(
            ["wine", str(self.folder / "KorvaNT.exe")], cwd=self.folder,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        return self

    def wait_main_window(self, timeout=20.0):
        return wait_for(lambda: self._visible_main(), timeout, what="the main window")

    def _visible_main(self):
        info = find_window(MAIN_TITLE)
        return info if info and info.visible else None

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=15.0):
        wait_for(lambda: not self.running(), timeout, what="KorvaNT to end")
        return self.process.returncode

    def stop(self):
        """Ends the program as a user would, by closing its window; kills it only if that fails.

        A killed Wine process can leave the server busy for a moment, which made the next
        registry command of a test fail."""
        if not self.running():
            return
        winctl("close", MAIN_TITLE)
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait(timeout=10)

    def read(self, name, encoding="cp932"):
        data = (self.folder / name).read_bytes()
        return data if encoding is None else data.decode(encoding)

    def exists(self, name):
        return (self.folder / name).exists()
