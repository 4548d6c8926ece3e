"""The readings' history seen from outside: its window, and the daily traffic file across runs."""
import datetime
import socket
import threading

from PIL import Image

from desktop_helpers import choose, open_tray_menu, set_clipboard, x_clipboard, xdotool
from options_helpers import open_options
from harness import (BUILD, client_area, find_window, interface_names, screenshot, settings_ini,
                     wait_for, winctl)
from test_monitoring import caption_figures

BURST = 8 * 1024 * 1024
RECEIVE_LINE = (192, 64, 0)
CHOSEN_SPAN = (200, 220, 255)


def loopback_bytes():
    """Received and sent bytes of `lo` as the interface counters give them."""
    with open("/proc/net/dev") as f:
        for line in f:
            name, _, figures = line.partition(":")
            if name.strip() == "lo":
                fields = figures.split()
                return int(fields[0]), int(fields[8])
    raise KeyError("lo")


def send_burst():
    """BURST bytes to ourselves over 127.0.0.1."""
    server = socket.create_server(("127.0.0.1", 0))
    with server, socket.create_connection(server.getsockname()) as sender:
        receiver, _ = server.accept()
        with receiver:
            writer = threading.Thread(target=sender.sendall, args=(b"x" * BURST,))
            writer.start()
            received = 0
            while received < BURST:
                received += len(receiver.recv(1 << 20))
            writer.join(timeout=30)


def run_with_burst(korvant, files=None, beside=None):
    """One run on the loopback interface that sees a burst between two of its readings."""
    app = korvant(files, beside=beside)
    app.wait_main_window()
    wait_for(caption_figures, what="the readings in the caption")
    send_burst()
    wait_for(lambda: (caption_figures() or (0,) * 4)[3] > 0, what="the burst's receive rate")
    wait_for(lambda: (caption_figures() or (0,) * 4)[3] == 0, timeout=30,
             what="a reading after the burst")
    app.stop()
    app.wait_exit()
    return app


def traffic_since(app, first_day):
    """The bytes of the days from first_day on, each day on one line: a run that crosses
    midnight splits its bytes between two lines, and no day may have two."""
    lines = app.read("TrafficHistory.csv", "ascii").splitlines()
    days = [line.split(",") for line in lines if line[:10] >= first_day.isoformat()]
    dates = [day[0] for day in days]
    assert len(dates) == len(set(dates)) and dates[-1] == datetime.date.today().isoformat(), lines
    return sum(int(day[1]) for day in days), sum(int(day[2]) for day in days)


def test_daily_traffic_survives_a_restart(korvant):
    names = interface_names()
    assert "lo" in names
    ini = settings_ini(TaskOnOff=1, TaskCPU=1, TaskMEM=1, TaskIn=1, TaskOut=0, AInterface=0,
                       NetworkAdapter=names.index("lo"))
    first_day = datetime.date.today()
    before = loopback_bytes()
    first = run_with_burst(korvant, {"KorvaNT.ini": ini})
    after = loopback_bytes()
    received, sent = traffic_since(first, first_day)
    # At least the burst, and no more than the counters moved while the program ran.
    assert BURST <= received <= after[0] - before[0]
    assert BURST <= sent <= after[1] - before[1]

    # A second start adds to today's line.
    run_with_burst(korvant, beside=first)
    again_received, again_sent = traffic_since(first, first_day)
    assert again_received >= received + BURST
    assert again_received - received <= loopback_bytes()[0] - after[0]
    assert again_sent >= sent + BURST


def shown_history_window():
    window = find_window("履歴グラフ")
    return window if window and window.visible else None


def open_history_window():
    open_tray_menu()
    choose("Down", "Return")  # with the default settings "履歴グラフ" comes first
    return wait_for(shown_history_window, what="the history window")


def receive_line_drawn():
    """Whether the receive chart's line is on the screen: the burst's rate was charted."""
    shot = Image.open(screenshot(BUILD / "history-window.png")).convert("RGB")
    return RECEIVE_LINE in (colour for _, colour in shot.getcolors(1 << 20) or [])


def span_chosen(index):
    """Whether the span button at index shows as chosen (a corner inside it, off its label)."""
    x, y, _, _ = client_area("履歴グラフ")
    shot = Image.open(screenshot(BUILD / "history-window.png")).convert("RGB")
    return shot.getpixel((x + 8 + 60 * index, y + 5)) == CHOSEN_SPAN


def test_days_and_months_from_the_keys_copy_as_tab_separated_text(korvant):
    today = datetime.date.today()
    yesterday = today - datetime.timedelta(days=1)
    first = today.replace(day=1)
    last_month = (first - datetime.timedelta(days=1)).replace(day=1)
    # Two lines of last month, yesterday's, a junk line and a day after today: drawn what can be.
    traffic = (f"{last_month},1000,2000\r\n{last_month + datetime.timedelta(days=1)},5,7\r\n"
               f"junk\r\n{yesterday},1834201566,90211873\r\n"
               f"{today + datetime.timedelta(days=40)},9,9\r\n")
    app = korvant({"KorvaNT.ini": settings_ini(), "TrafficHistory.csv": traffic})
    app.wait_main_window()
    open_history_window()
    x, y, width, height = client_area("履歴グラフ")
    xdotool("mousemove", x + width // 2, y + height // 2, "click", 1)

    set_clipboard("before")
    xdotool("key", "4")
    wait_for(lambda: span_chosen(3), what="the days from the key 4")
    xdotool("key", "ctrl+c")
    days = wait_for(lambda: (text := x_clipboard()) and text != "before" and text,
                    what="the days on the clipboard")
    rows = [line.split("\t") for line in days.splitlines()]
    assert rows[0] == ["日付", "受信（バイト）", "送信（バイト）"]
    assert len(rows) == 1 + 31
    assert rows[-2] == [yesterday.isoformat(), "1834201566", "90211873"]
    assert rows[-1][0] == today.isoformat()

    xdotool("key", "5")
    wait_for(lambda: span_chosen(4), what="the months from the key 5")
    xdotool("key", "ctrl+c")
    months = wait_for(lambda: (text := x_clipboard()) and text.startswith("月") and text,
                      what="the months on the clipboard")
    rows = [line.split("\t") for line in months.splitlines()]
    assert len(rows) == 1 + 12
    assert rows[-1][0] == today.strftime("%Y-%m")
    by_month = {row[0]: row for row in rows[1:]}
    expected = {last_month.strftime("%Y-%m"): [1005, 2007]}
    key = yesterday.strftime("%Y-%m")
    # Yesterday falls in last month on the first of a month.
    expected.setdefault(key, [0, 0])
    expected[key] = [expected[key][0] + 1834201566, expected[key][1] + 90211873]
    for month, (received, sent) in expected.items():
        assert by_month[month][1:] == [str(received), str(sent)], month
    # The arrows step back through the spans to the 24 hours.
    xdotool("key", "Left", "Left")
    wait_for(lambda: span_chosen(2), what="the 24 hours from the arrows")
    # The file is kept as it was: the junk line and the future day too.
    app.stop()
    app.wait_exit()
    kept = app.read("TrafficHistory.csv", "ascii")
    assert "junk" in kept and f"{today + datetime.timedelta(days=40)},9,9" in kept


def test_history_window_charts_hides_and_keeps_its_size_across_a_restart(korvant):
    # Only the first row is shown, and no traffic reading: the history takes it anyway.
    ini = settings_ini(AInterface=0, NetworkAdapter=interface_names().index("lo"),
                       MainListCheckMark="1" + "0" * 22)
    app = korvant({"KorvaNT.ini": ini})
    app.wait_main_window()
    window = open_history_window()
    assert window.width >= 400 and window.height >= 300
    winctl("resize", "履歴グラフ", "720", "540")
    send_burst()
    wait_for(receive_line_drawn, timeout=30, what="the burst charted")
    # A click on a chart gives the window the keyboard and chooses nothing.
    x, y, width, height = client_area("履歴グラフ")
    xdotool("mousemove", x + width // 2, y + height // 2, "click", 1)
    xdotool("key", "3")
    wait_for(lambda: span_chosen(2), what="the 24-hour span from the keyboard")
    xdotool("key", "KP_1")
    wait_for(lambda: span_chosen(0), what="the 10-minute span from the number pad")
    # Too small a window for its texts is not made by a drag.
    winctl("resize", "履歴グラフ", "200", "150")
    smallest = wait_for(shown_history_window, what="the window")
    assert smallest.width >= 420 and smallest.height >= 300, smallest

    # Esc with no bar picked closes it, as its close box does.
    xdotool("key", "Escape")
    wait_for(lambda: shown_history_window() is None, what="the window to hide")
    winctl("resize", "履歴グラフ", "720", "540")
    assert find_window("履歴グラフ") is not None
    assert app.running()
    open_tray_menu()
    choose("Up", "Return")  # "終了" saves
    app.wait_exit()
    assert "[History]" in app.read("KorvaNT.ini")

    again = korvant(beside=app)
    again.wait_main_window()
    reopened = open_history_window()
    assert (reopened.left, reopened.top, reopened.width, reopened.height) == \
        (window.left, window.top, 720, 540)


def test_windows_stored_off_the_screen_open_on_it(korvant):
    # 2,000 x 2,000 px from x 2,000 and y -200 at 96 DPI: past the 1280 x 1024 screen.
    history = "[History]\r\nLeft=30000\r\nTop=-3000\r\nWidth=30000\r\nHeight=30000\r\n"
    ini = settings_ini(X_OptionWindowPosition=-15000, Y_OptionWindowPosition=30000)
    app = korvant({"KorvaNT.ini": ini + history})
    app.wait_main_window()
    window = open_history_window()
    assert window.left >= 0 and window.top >= 0
    assert window.right <= 1280 and window.bottom <= 1024
    # The options window keeps its size and comes whole onto the screen.
    winctl("close", "履歴グラフ")
    options = open_options()
    assert options.left >= 0 and options.bottom <= 1024 and options.right <= 1280
