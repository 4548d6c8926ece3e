"""Live monitoring seen from outside: the composed list and the taskbar button's caption."""
import re
import socket
import subprocess
import threading

from PIL import Image

from harness import (MAIN_TITLE, class_title, client_area, interface_names, screenshot,
                     settings_ini, wait_for)

TASKBAR_CLASS = "KorvaNT.Taskbar"
BLACK = (0, 0, 0)
# Default list: graph, 100 101 102 103 110 111, the drives (C: and Z: under Wine), 104 105,
# 114 115, 121 and a one-line memo.
DEFAULT_ROWS = [29] + [13] * 6 + [13, 13] + [13] * 2 + [13] * 2 + [13] * 2


def separator_rows(heights):
    rows, y = [], 0
    for h in heights:
        rows.append(y + h)
        y += h + 1
    return rows, y


def test_default_items_are_listed_in_the_default_order(korvant, tmp_path):
    # Away from the tray window in the top-left corner; everything else is the default.
    app = korvant({"KorvaNT.ini": settings_ini(X_WindowPosition=3000, Y_WindowPosition=3000)})
    app.wait_main_window(timeout=40)  # the first Wine program may still be starting services
    separators, height = separator_rows(DEFAULT_ROWS)
    area = wait_for(lambda: (lambda a: a if a and a[3] == height else None)(client_area(MAIN_TITLE)),
                    what=f"the window to fit a list of {height} px")
    x0, y0 = area[0], area[1]

    def picture_settled():
        shot = Image.open(screenshot(tmp_path / "main.png")).convert("RGB")
        pixel = lambda x, y: shot.getpixel((x0 + x, y0 + y))
        if not all(pixel(x, y) == BLACK for y in separators for x in (0, 80, 156)):
            return None
        return shot, pixel

    shot, pixel = wait_for(picture_settled,
                           what=f"black separators at rows {separators} (see {tmp_path})")
    # Between the separators the rows carry their own colours, never a separator's black line.
    for y in separators:
        assert pixel(156, y - 1) != BLACK or pixel(150, y - 1) != BLACK, f"row above {y}"
    # The graph's own background fills its top-left, the rows use the row background.
    assert pixel(2, 2) == (0xFF, 0x80, 0xC0)  # BackColor07 12615935
    # The total-received row (after the graph and four bar rows) has no bar: its right end shows
    # the row background whatever the machine's load (a busy processor fills the CPU row's bar).
    assert pixel(156, separators[4] + 5) == (0xF0, 0xA6, 0xF0)  # BackColor00 15771376
    # The window shows one column more than a row is wide: the list's background, not black.
    assert area[2] >= 158 and pixel(157, separators[4] + 5) == (0xF0, 0xA6, 0xF0)
    # The memo's row is the last one: nothing is drawn below the list.
    assert area[3] == separators[-1] + 1


def caption_figures():
    caption = class_title(TASKBAR_CLASS)
    match = re.fullmatch(r"(\d+)% (\d+)MB/(\d+)MB (\d+)Kbyte/秒受 ", caption or "")
    return tuple(int(g) for g in match.groups()) if match else None


def meminfo_mb(key):
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1]) // 1024
    raise KeyError(key)


class LoopbackTraffic:
    """Sends bytes to itself over 127.0.0.1 until stopped."""

    def __init__(self):
        self.server = socket.create_server(("127.0.0.1", 0))
        self.running = True
        self.thread = threading.Thread(target=self.run, daemon=True)
        self.thread.start()

    def run(self):
        sender = socket.create_connection(self.server.getsockname())
        receiver, _ = self.server.accept()
        block = b"x" * 65536
        while self.running:
            sender.sendall(block)
            received = 0
            while received < len(block):
                received += len(receiver.recv(len(block)))
        sender.close()
        receiver.close()

    def stop(self):
        self.running = False
        self.thread.join(timeout=10)
        self.server.close()


def test_taskbar_caption_follows_the_machine(korvant):
    names = interface_names()
    assert "lo" in names
    app = korvant({"KorvaNT.ini": settings_ini(
        TaskOnOff=1, TaskCPU=1, TaskMEM=1, TaskIn=1, TaskOut=0,
        AInterface=0, NetworkAdapter=names.index("lo"))})
    app.wait_main_window()
    cpu, used, total, _ = wait_for(caption_figures, what="the readings in the caption")

    # Memory: the machine's total, and what is in use (total less available) within what
    # other programs can change between two readings.
    assert total == meminfo_mb("MemTotal")
    assert abs(used - (total - meminfo_mb("MemAvailable"))) < 512

    # Processor: busy loops on every core lift the total load.
    burners = [subprocess.Popen(["sh", "-c", "while :; do :; done"]) for _ in range(2)]
    try:
        wait_for(lambda: (caption_figures() or (0,))[0] >= 75, timeout=30,
                 what="the processor figure to rise under load")
    finally:
        for burner in burners:
            burner.kill()
            burner.wait()

    # Receive rate on the loopback interface while traffic flows over it.
    traffic = LoopbackTraffic()
    try:
        wait_for(lambda: (caption_figures() or (0, 0, 0, 0))[3] > 0, timeout=30,
                 what="a receive rate over loopback")
    finally:
        traffic.stop()


def test_taskbar_caption_without_readings_names_the_program(korvant):
    app = korvant({"KorvaNT.ini": settings_ini(TaskOnOff=1, TaskCPU=0, TaskMEM=0)})
    app.wait_main_window()
    # Once the ticks have drawn the list, the caption they rewrite is the program's name.
    wait_for(lambda: (client_area(MAIN_TITLE) or (0, 0, 0, 0))[3] > 100, what="the list")
    assert class_title(TASKBAR_CLASS) == "KorvaNT"
    app.stop()

    korvant({"KorvaNT.ini": settings_ini(TaskOnOff=1, TaskCPU=1)}).wait_main_window()
    wait_for(lambda: re.fullmatch(r"\d+% ", class_title(TASKBAR_CLASS) or ""),
             what="a caption with the processor figure alone")
