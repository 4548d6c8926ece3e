"""Threshold alerts told by the tray icon's balloons, and the tray icon that shows the load."""
import io
import os
import re
import signal
import subprocess

from PIL import Image

from desktop_helpers import holds, tray_spot, xdotool
from harness import BURNER, run, tray_window, wait_for, winctl
from options_helpers import click, control, open_options, quiet_ini, select_tab, status_text
from list_page_helpers import set_text

ALERTS_TAB = 10  # "通知", after the other tabs


def alerts_ini(**alerts):
    return quiet_ini() + "[Alerts]\r\n" + "".join(f"{k}={v}\r\n" for k, v in alerts.items())


def balloon_texts():
    """The texts of the balloons the shell shows now."""
    rc, out = winctl("balloons")
    return [line.split(" ", 1)[1].replace("\\n", "\n") if " " in line else ""
            for line in out.splitlines()]


def tool_texts():
    """Every tooltip text of the shell, shown or not: the tray icons' tips among them."""
    rc, out = winctl("tooltexts")
    return out.splitlines()


class BusyLoop:
    """A processor kept busy by a shell loop, ended by its id."""

    def __enter__(self):
        self.process = subprocess.Popen(["sh", "-c", "while :; do :; done"],
                                        start_new_session=True)
        return self

    def __exit__(self, *exc):
        os.killpg(self.process.pid, signal.SIGKILL)
        self.process.wait()


class Burner:
    """A busy Windows program in the prefix, ended by its id (it ends itself after two minutes)."""

    def __enter__(self):
        self.process = subprocess.Popen(["wine", str(BURNER), "120"], start_new_session=True,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
        self.process.wait()


def tray_png():
    """The tray's left 20 x 20 pixels, as a PNG."""
    tray = wait_for(tray_window, what="the tray")
    geometry = dict(line.split("=") for line in
                    xdotool("getwindowgeometry", "--shell", tray).split())
    x, y = int(geometry["X"]), int(geometry["Y"])
    return run(["import", "-window", "root", "-crop", f"20x20+{x}+{y}", "png:-"]).stdout


def tray_pixels():
    return Image.open(io.BytesIO(tray_png())).convert("RGB").tobytes()


def test_a_processor_alert_is_told_once_while_the_load_lasts(korvant):
    app = korvant({"KorvaNT.ini": alerts_ini(CpuOn=1, CpuPercent=1, CpuSeconds=2)})
    app.wait_main_window()
    # The busiest processes follow, a line each.
    expected = re.compile(r"CPU使用率 \d+%（しきい値 1%・2秒）(\n.+ \d+%)*")
    with BusyLoop():
        wait_for(lambda: any(expected.fullmatch(t) for t in balloon_texts()), timeout=20,
                 what="the processor balloon")
        wait_for(lambda: not balloon_texts(), timeout=40, what="the balloon to go")
        holds(lambda: not balloon_texts(), 4.0, what="no second balloon")


def test_the_tray_icon_shows_the_load_and_alerts_survive_a_restart(korvant):
    # The options window clear of the tray at the top left.
    app = korvant({"KorvaNT.ini": quiet_ini(X_OptionWindowPosition=6000,
                                            Y_OptionWindowPosition=6000)})
    app.wait_main_window()
    open_options()
    select_tab(ALERTS_TAB)
    plain = wait_for(tray_pixels, what="the tray icon")
    click("IDC_TRAY_LOAD_ICON")
    idle = wait_for(lambda: (p := tray_pixels()) != plain and p, what="the load bars")
    assert idle
    # Busy, the processor bar stands at least a third of the icon high, however loaded the
    # machine already was (a bar already that high cannot be seen to grow).
    from screens import load_icon  # screens takes this module's busy loop

    def busy():
        bars = load_icon(Image.open(io.BytesIO(tray_png())).convert("RGB"))
        return bars and bars["cpu"][1] * 3 >= bars["side"]

    with BusyLoop():
        wait_for(busy, timeout=20, what="the processor bar a third high")

    click("IDC_ALERT_TEST")
    wait_for(lambda: "通知はこのように表示されます" in balloon_texts(), what="the test balloon")
    click("IDC_ALERT_MEMORY_ON")
    set_text("IDC_ALERT_MEMORY_PERCENT", "77")
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save")
    ini = app.read("KorvaNT.ini")
    assert ini.index("[Alerts]") > ini.index("[History]")
    # A section of its own, after the others: older versions read past it.
    for line in ["[Alerts]", "MemoryOn=1", "MemoryPercent=77", "TrayLoadIcon=1", "CpuOn=0"]:
        assert f"\r\n{line}\r\n" in ini
    app.stop()

    again = korvant({"KorvaNT.ini": ini})
    again.wait_main_window()
    open_options()
    select_tab(ALERTS_TAB)
    assert control("IDC_ALERT_MEMORY_ON").value == 1
    assert control("IDC_ALERT_MEMORY_PERCENT").text == "77"
    assert control("IDC_TRAY_LOAD_ICON").value == 1


def test_the_busiest_program_is_named_in_the_processor_balloon_and_the_tray_tip(korvant):
    with Burner():
        app = korvant({"KorvaNT.ini": alerts_ini(CpuOn=1, CpuPercent=1, CpuSeconds=2,
                                                 TrayLoadIcon=1)})
        app.wait_main_window()
        named = re.compile(r"CPU使用率 \d+%（しきい値 1%・2秒）(\n.+)*\nburner\.exe \d+%(\n.+)*")
        wait_for(lambda: any(named.fullmatch(t) for t in balloon_texts()), timeout=30,
                 what="the processor balloon naming burner.exe")
        # The tip follows the readings while the pointer is over the icon.
        tip = re.compile(r"CPU \d+%  \(burner\.exe \d+%\)  メモリ \d+%  受信 .+  送信 .+")

        def pointed_tip():
            xdotool("mousemove", "--window", *tray_spot())
            return any(tip.fullmatch(t) for t in tool_texts())
        wait_for(pointed_tip, timeout=20, interval=0.5, what="the tray tip naming burner.exe")
