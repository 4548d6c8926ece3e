"""A picture of every window a person meets, in one language at one display scale, and a contact
sheet of them to look at before a change to anything drawn is called done.

    python3 tests/e2e/screens.py OUT LANGUAGE:DPI...   (scripts/screens sets up Wine and Xvfb)

test_screens captures one configuration the same way and checks what the pictures show."""
import contextlib
import datetime
import http.server
import json
import math
import os
import pathlib
import re
import signal
import sys
import tempfile
import threading
import time

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import options_helpers  # noqa: E402
from desktop_helpers import choose, open_tray_menu, placed_at, set_clipboard, xdotool  # noqa: E402
from harness import (MAIN_TITLE, ROOT, Korvant, client_area, find_window, screenshot,  # noqa: E402
                     tray_window, wait_for, winctl)
from options_helpers import IDS, click, select_tab, size_window  # noqa: E402
from test_alerts import ALERTS_TAB, BusyLoop  # noqa: E402
from test_display_scale import use_dpi  # noqa: E402
from test_history import CHOSEN_SPAN  # noqa: E402
from test_language import (TITLES, close_menu, language_ini, menu_texts, no_overflow,  # noqa: E402
                           open_options, open_window_menu)

FIXED, VARIABLE = 1, 0
# The list's order, its colours and the text's colour written out (they are the defaults), so that
# a check knows which row is where and what the rows and the load icon must show. Colours are
# COLORREF values, red in the low byte; a row's bar ends in its colour.
LIST_ORDER = [113, 100, 101, 102, 103, 110, 111, 112, 104, 105, 106, 107, 108, 109, 114, 115, 116,
              117, 118, 119, 121, 122, 123]
DRIVES = 112
TEXT_COLOUR = 8009094
BAR_END_COLOURS = [0, 255, 65535, 65280, 16777088, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8454143,
                   8454016, 8454016, 8454016, 8454016, 8454016, 8454016]
# Every item shown, as scripts/measure-cpu measures it, with the graph drawing the processor load.
EVERY_ITEM = {"MainList": "".join(map(str, LIST_ORDER)),
              "MainListCheckMark": "1" * len(LIST_ORDER), "SetGraph": 1}
# Sources for the page of external readings, kept off the main list: one that nobody answers,
# and a Home Assistant whose token was protected for another user.
SOURCES = ("[Sources]\r\nCount=2\r\nKind1=lhm\r\nUrl1=http://127.0.0.1:9/data.json\r\n"
           "Key1=/amdcpu/0/temperature/2\r\nName1=CPU Package\r\nUnit1=°C\r\nShow1=0\r\n"
           "BarMin1=20\r\nBarMax1=95\r\nKind2=homeassistant\r\n"
           "Url2=http://127.0.0.1:9\r\nKey2=sensor.living_room_temperature\r\n"
           "Name2=Living room\r\nShow2=0\r\nToken2=dpapi:AAAA\r\n")
PROXIES = "localhost:8080\r\nプロキシ.example:3128\r\n"
CLIPBOARD = "コピーした文字 copied text"

# (picture, caption, tab, nested tab control and its tab) of the options window, in tab order.
OPTION_PAGES = [
    ("options-display-clipboard", "Options: display, clipboard text", 0, None),
    ("options-display-memo", "Options: display, memo", 0, ("IDC_TEXT_TABS", 1)),
    ("options-line", "Options: line", 1, None),
    ("options-drives", "Options: drives", 2, None),
    ("options-proxy", "Options: proxy", 3, None),
    ("options-auto-close", "Options: auto-close", 4, None),
    ("options-general", "Options: general", 5, None),
    ("options-appearance", "Options: appearance", 6, None),
    ("options-memory-manual", "Options: memory, by hand", 7, None),
    ("options-memory-auto", "Options: memory, automatic", 7, ("IDC_MEMORY_TABS", 1)),
    ("options-tools-link", "Options: tools, clipboard link", 8, None),
    ("options-tools-folders", "Options: tools, folder windows", 8, ("IDC_TOOLS_TABS", 1)),
    ("options-tools-export", "Options: tools, HTTP export", 8, ("IDC_TOOLS_TABS", 2)),
    ("options-version", "Options: version", 9, None),
    ("options-alerts", "Options: alerts", ALERTS_TAB, None),
    ("options-sources", "Options: external readings", ALERTS_TAB + 1, None),
]
SPANS = [("trend-10min", "Trend window, 10 minutes"), ("trend-1h", "Trend window, 1 hour"),
         ("trend-24h", "Trend window, 24 hours"), ("trend-days", "Trend window, days"),
         ("trend-months", "Trend window, months")]
# The spans of bars show the tip of yesterday (the days) and of this month (the months),
# walked to from the keyboard.
SPAN_KEYS = {"trend-days": ("Up", "Up"), "trend-months": ("Up",)}
TIP_BACK = (255, 255, 225)
# The trend window's span buttons at 96 DPI: the first's left edge, their step, a chosen
# button's colour at (3, 3) inside it.
SPAN_LEFT, SPAN_STEP, SPAN_WIDTH, SPAN_MIDDLE_Y = 6, 60, 56, 12


def program_text(language, name):
    """A text the program shows, read from the language's table it is built with."""
    table = (ROOT / "base" / f"texts_{language}.cpp").read_text(encoding="utf-8")
    found = re.search(r"\{Text::" + name + r', L"((?:[^"\\]|\\.)*)"\}', table)
    assert found, name
    return found.group(1).replace('\\"', '"')


def colour_of(colorref):
    return colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF


def settings_files(language, mode):
    """The settings of a capture: every item, the proxy menu with two proxies, the load icon,
    some days of traffic for the trend window's totals."""
    options = {**EVERY_ITEM, **placed_at(40, 60), "DrawType": mode, "ProxyM": 1,
               "X_OptionWindowPosition": 260 * 15, "Y_OptionWindowPosition": 40 * 15}
    colours = " ".join(f"{c:011d}" for c in BAR_END_COLOURS)
    ini = (language_ini(language, **options) + "[ColorsOptions]\r\n"
           f"BackColor01={TEXT_COLOUR}\r\nMainListColor2={colours}\r\n"
           "[Alerts]\r\nTrayLoadIcon=1\r\n"
           # The trend window clear of the tray and its balloons at the top left.
           "[History]\r\nLeft=3000\r\nTop=2250\r\n" + SOURCES)
    today = datetime.date.today()
    # A day in each of the last eleven months, and the last twelve days.
    months = "".join(f"{today - datetime.timedelta(days=31 * m)},{m * 9_000_000_000},"
                     f"{m * 800_000_000}\r\n" for m in range(11, 0, -1))
    traffic = months + "".join(
        f"{today - datetime.timedelta(days=n)},{n * 700_000_000},{n * 90_000_000}\r\n"
        for n in range(12, 0, -1))
    return {"KorvaNT.ini": ini, "ProxyList.txt": PROXIES, "TrafficHistory.csv": traffic}


class Picture:
    def __init__(self, name, caption, path, window, client=None):
        self.name, self.caption, self.path = name, caption, path
        self.window = window  # (left, top, right, bottom) of the top-level window shown
        self.client = client  # the client area's (x, y, width, height) in the picture, if known


class Capture:
    """The pictures of one language at one scale, in the order a person meets the windows."""

    def __init__(self, folder, language, dpi):
        self.folder, self.language, self.dpi = pathlib.Path(folder), language, dpi
        self.folder.mkdir(parents=True, exist_ok=True)
        self.pictures = []
        self.work_area = None
        # The texts that do not fit their controls, by window: empty when all fit.
        self.overflowing = {}

    def picture(self, name):
        return next(p for p in self.pictures if p.name == name)

    def keep(self, name, caption, image, window, client=None):
        path = self.folder / f"{name}.png"
        image.save(path)
        self.pictures.append(Picture(name, caption, path, window, client))


def off_the_work_area(capture):
    """(picture, window rectangle) of each window that reaches past the screen's work area."""
    left, top, right, bottom = capture.work_area
    return [(p.name, p.window) for p in capture.pictures
            if p.window[0] < left or p.window[1] < top or p.window[2] > right or
            p.window[3] > bottom]


def grab(rect):
    """The screen inside (left, top, right, bottom), clipped to the screen."""
    with tempfile.NamedTemporaryFile(suffix=".png") as shot:
        screen = Image.open(screenshot(shot.name)).convert("RGB")
    left, top, right, bottom = rect
    return screen.crop((max(left, 0), max(top, 0), min(right, screen.width),
                        min(bottom, screen.height)))


def programs_of_this_prefix():
    """The Linux processes of the KorvaNT.exe programs this prefix runs (no other prefix's)."""
    prefix = f"WINEPREFIX={os.environ['WINEPREFIX']}".encode()
    found = []
    for entry in pathlib.Path("/proc").iterdir():
        try:
            if (entry.name.isdigit() and (entry / "comm").read_text().strip() == "KorvaNT.exe"
                    and prefix in (entry / "environ").read_bytes().split(b"\0")):
                found.append(int(entry.name))
        except OSError:
            pass
    return found


@contextlib.contextmanager
def held_still():
    """KorvaNT stopped for as long as a look takes: what it drew stays on the screen, and its
    readings, clock and charts do not move meanwhile."""
    stopped = programs_of_this_prefix()
    for pid in stopped:
        os.kill(pid, signal.SIGSTOP)
    try:
        yield
    finally:
        for pid in stopped:
            os.kill(pid, signal.SIGCONT)


def settled(rect, unlike=None, timeout=20, moving=4):
    """The picture of a rectangle once two looks in a row agree and it is not `unlike`. A window
    whose readings change between any two looks (a loaded machine makes a look slow, and the
    trend window redraws each second) is looked at while KorvaNT is held still, once it has
    drawn for `moving` seconds."""
    looks = [None]
    started = time.monotonic()

    def look():
        if time.monotonic() - started > moving:
            with held_still():
                image, again = grab(rect), grab(rect)
            same = image.tobytes() == again.tobytes()
        else:
            image = grab(rect)
            same = looks[-1] is not None and image.tobytes() == looks[-1].tobytes()
        looks.append(image)
        if same and (unlike is None or image.tobytes() != unlike.tobytes()):
            return image
        return None
    return wait_for(look, timeout=timeout, interval=0.2, what=f"a still picture of {rect}")


def rect_of(window):
    return window.left, window.top, window.right, window.bottom


def keep_framed(capture, name, caption, window_name, window, unlike=None):
    """A window with a frame, of which Wine draws nothing here without a window manager: its
    client area is kept, its whole rectangle recorded."""
    x, y, width, height = client_area(window_name)
    image = settled((x, y, x + width, y + height), unlike=unlike)
    capture.keep(name, caption, image, rect_of(window))
    return image


def visible_windows():
    """(handle, process, (left, top, right, bottom), class, title) of each visible window."""
    rc, out = winctl("windows")
    found = []
    for line in out.splitlines():
        parts = line.split(" ", 7) + [""]
        found.append((int(parts[0]), int(parts[1]), tuple(int(v) for v in parts[2:6]), parts[6],
                      parts[7]))
    return found


def union(rects):
    return (min(r[0] for r in rects), min(r[1] for r in rects), max(r[2] for r in rects),
            max(r[3] for r in rects))


def open_menus():
    return [rect for _, _, rect, kind, _ in visible_windows() if kind == "#32768"]


def choose_entry(text, then="Return"):
    """Goes down the open menu to the entry `text` and gives `then` (Right opens a submenu)."""
    entries = [e for e in menu_texts() if e and not e.startswith(" ")]
    keys = ["Down"] * (entries.index(text) + 1) + [then]
    if then == "Return":
        choose(*keys)
    else:
        xdotool("key", *keys)


def tray_rect():
    tray = wait_for(tray_window, what="the tray")
    geometry = dict(line.split("=") for line in
                    xdotool("getwindowgeometry", "--shell", tray).split())
    x, y = int(geometry["X"]), int(geometry["Y"])
    return x, y, x + int(geometry["WIDTH"]), y + int(geometry["HEIGHT"])


def load_icon(tray):
    """The load icon at the tray's left end: its side and {"cpu"/"memory": (colour, height)} of
    its bars, read from the bottom row up; None while no framed icon shows."""
    background = tray.getpixel((tray.width - 1, tray.height // 2))
    marked = [(x, y) for x in range(min(tray.width, tray.height + 8)) for y in range(tray.height)
              if tray.getpixel((x, y)) != background]
    if not marked:
        return None
    left, top = min(x for x, _ in marked), min(y for _, y in marked)
    right, bottom = max(x for x, _ in marked), max(y for _, y in marked)
    side = right - left + 1
    if side < 8 or bottom - top + 1 != side:
        return None
    inside = tray.getpixel((left + side // 2, top + 1))
    half = (side - 3) // 2
    bars = {"side": side}
    for name, x in (("cpu", left + 1 + half // 2), ("memory", right - 1 - half // 2)):
        colour = tray.getpixel((x, bottom - 1))
        height = 0
        while height < side - 2 and tray.getpixel((x, bottom - 1 - height)) == colour:
            height += 1
        bars[name] = (colour, height if colour != inside else 0)
    return bars


def capture_main(capture, mode, name, caption):
    app = Korvant(f"screens-{capture.language}-{capture.dpi}-{name}",
                  settings_files(capture.language, mode))
    app.start()
    app.wait_main_window()
    # The rates take two readings, and the window its size from the first: the picture after
    # three refreshes is kept.
    image = None
    for _ in range(4):
        main = find_window(MAIN_TITLE)
        image = settled(rect_of(main), unlike=image)
    x, y, width, height = client_area(MAIN_TITLE)
    capture.keep(name, caption, image, rect_of(main), (x - main.left, y - main.top, width, height))
    return app


def capture_menus(capture):
    open_window_menu()
    menu = wait_for(open_menus, what="the window menu")[0]
    capture.keep("menu-window", "Right-click menu of the main window", settled(menu), menu)
    close_menu()
    open_tray_menu()
    menu = wait_for(open_menus, what="the tray menu")[0]
    capture.keep("menu-tray", "Tray menu", settled(menu), menu)
    choose_entry(program_text(capture.language, "MenuProxy"), then="Right")
    menus = wait_for(lambda: m if len(m := open_menus()) == 2 else None,
                     what="the proxy submenu")
    capture.keep("menu-tray-proxy", "Tray menu, proxy submenu", settled(union(menus)),
                 union(menus))
    xdotool("key", "Escape", "Escape")
    wait_for(lambda: not open_menus(), what="the menus to close")


def capture_options(capture):
    title = TITLES[capture.language]
    open_options(title)
    # Every page's controls exist from the start, shown or not: one look measures them all.
    capture.overflowing[title] = no_overflow(title)
    previous = None
    for name, caption, tab, nested in OPTION_PAGES:
        select_tab(tab)
        if nested:
            select_tab(nested[1], tabs=nested[0])
        previous = keep_framed(capture, name, caption, title, options_helpers.options_window(),
                               unlike=previous)
    capture_balloon(capture)
    capture_size_window(capture, title)


def capture_size_window(capture, options_title):
    """The size window, opened from the tools tab; the options window is closed first, since it
    stays in front of the size window here."""
    select_tab(8)
    click("IDC_SIZE_WINDOW_BUTTON")
    window = wait_for(size_window, what="the size window")
    named = f"hwnd:{window.hwnd}"
    capture.overflowing["size-window"] = no_overflow(named)
    x, y, width, height = client_area(named)
    behind = grab((x, y, x + width, y + height))
    winctl("close", options_title)
    wait_for(lambda: not options_helpers.options_window().visible, what="the options to close")
    keep_framed(capture, "size-window", "Size window", named, window, unlike=behind)
    # It refuses to close: its button hides it.
    winctl("click", f"hwnd:{window.hwnd}", str(IDS["IDC_SIZE_CHOSEN"]))
    wait_for(lambda: size_window() is None, what="the size window to close")


def capture_balloon(capture):
    click("IDC_ALERT_TEST")
    line = program_text(capture.language, "AlertTestLine")

    def balloon():
        rc, out = winctl("balloons")
        handles = [int(entry.split(" ", 1)[0]) for entry in out.splitlines() if line in entry]
        return [rect for hwnd, _, rect, _, _ in visible_windows() if hwnd in handles]
    rect = wait_for(balloon, what="the test balloon")[0]
    capture.keep("balloon", "Tray balloon (test notice)", settled(rect), rect)
    # Clicked away, as a person does, so that it covers no later picture.
    xdotool("mousemove", (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2, "click", 1)
    wait_for(lambda: not balloon(), timeout=40, what="the balloon to go")


class MemoryHeld:
    """Memory written through and held while it lasts, so that a tenth of the machine's is in
    use: the load icon's memory bar then has a pixel at least at every scale."""

    def __enter__(self):
        with open("/proc/meminfo") as f:
            info = {line.split(":")[0]: int(line.split()[1]) * 1024 for line in f}
        wanted = info["MemTotal"] // 10 - (info["MemTotal"] - info["MemAvailable"])
        self.block = bytearray(b"\x01") * max(wanted, 0)
        return self

    def __exit__(self, *exc):
        del self.block


def capture_tray(capture):
    """The load icon while nothing of ours runs, then with a processor kept busy and memory
    in use."""
    rect = tray_rect()
    idle = wait_for(lambda: load_icon(image := grab(rect)) and image, what="the load icon")
    capture.keep("tray-idle", "Tray icon, idle", idle, rect)
    with BusyLoop(), MemoryHeld():
        def loaded():
            image = grab(rect)
            bars = load_icon(image)
            busy = bars and bars["cpu"][1] * 3 >= bars["side"] and bars["memory"][1] > 0
            return image if busy else None
        capture.keep("tray-load", "Tray icon under load", wait_for(loaded, timeout=30,
                                                                  what="the load bar"), rect)


def capture_trend(capture):
    title = program_text(capture.language, "MenuHistory")
    open_tray_menu()
    choose_entry(title)
    window = wait_for(lambda: (w := find_window(title)) and w.visible and w,
                      what="the trend window")
    x, y, _, _ = client_area(title)
    scale = capture.dpi / 96
    for index, (name, caption) in enumerate(SPANS):
        left = x + round((SPAN_LEFT + SPAN_STEP * index) * scale)
        xdotool("mousemove", left + round(SPAN_WIDTH * scale / 2), y + round(SPAN_MIDDLE_Y * scale),
                "click", 1)
        corner = (left + round(2 * scale), y + round(5 * scale))
        wait_for(lambda: grab((*corner, corner[0] + 1, corner[1] + 1)).getpixel((0, 0)) ==
                 CHOSEN_SPAN, what=f"the span {name}")
        # Off the charts: the pointer draws a line where it is.
        xdotool("mousemove", 1279, 1023)
        if name in SPAN_KEYS:
            xdotool("key", *SPAN_KEYS[name])
            wait_for(lambda: TIP_BACK in (c for _, c in grab((x, y, x + window.width,
                                                              y + window.height)).getcolors(1 << 20)),
                     what=f"the tip of {name}")
        keep_framed(capture, name, caption, title, window)
    winctl("close", title)


def capture_all(folder, language, dpi):
    """Every window of one language at one display scale: the display scale must already be in
    force (use_dpi). The options window's title is set for the helpers while it runs."""
    capture = Capture(folder, language, dpi)
    rc, out = winctl("workarea")
    capture.work_area = tuple(int(v) for v in out.split())
    set_clipboard(CLIPBOARD)
    title = options_helpers.OPTIONS_TITLE
    options_helpers.OPTIONS_TITLE = TITLES[language]
    app = None
    try:
        app = capture_main(capture, FIXED, "main-fixed", "Main window, fixed size")
        capture_tray(capture)
        capture_menus(capture)
        capture_options(capture)
        capture_trend(capture)
        app.stop()
        app = capture_main(capture, VARIABLE, "main-variable", "Main window, size variable")
    except BaseException:
        screenshot(capture.folder / "failed-here.png")  # the screen when a step gave up
        raise
    finally:
        options_helpers.OPTIONS_TITLE = title
        if app:
            app.stop()
    return capture


def caption_font(size):
    for path in ("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                 "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"):
        if pathlib.Path(path).exists():
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def compose_sheet(capture, path, width=2200):
    """The pictures at full size in rows, each framed with its caption under it."""
    font, gap, caption_height = caption_font(15), 16, 24
    draw = ImageDraw.Draw(Image.new("RGB", (1, 1)))
    tiles = []
    for picture in capture.pictures:
        image = Image.open(picture.path)
        caption = f"{picture.caption} ({picture.name})"
        tiles.append((image, caption, max(image.width, round(draw.textlength(caption, font)))))
    width = max(width, max(tile_width for _, _, tile_width in tiles) + 2 * gap)
    placed, x, y, row_height = [], gap, 50, 0
    for image, caption, tile_width in tiles:
        if x + tile_width + gap > width:
            x, y, row_height = gap, y + row_height + gap, 0
        placed.append((image, caption, x, y))
        x += tile_width + gap
        row_height = max(row_height, image.height + caption_height)
    sheet = Image.new("RGB", (width, y + row_height + gap), (224, 224, 224))
    draw = ImageDraw.Draw(sheet)
    draw.text((gap, 14), f"KorvaNT, {capture.language}, {capture.dpi} DPI", fill=(0, 0, 0),
              font=caption_font(20))
    for image, caption, x, y in placed:
        sheet.paste(image, (x, y))
        draw.rectangle((x - 1, y - 1, x + image.width, y + image.height), outline=(96, 96, 96))
        draw.text((x, y + image.height + 4), caption, fill=(0, 0, 0), font=font)
    sheet.save(path)
    return path


# With KORVANT_SCREENS_SOURCES=1, external readings for the sheets' trend window and list (never
# in the screens test, which counts the list's rows without them): two values of a small local
# server.
SOURCES = ""


class SourceAnswers(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        # A step every 20 s: the list's pictures are taken once it holds still.
        t = time.monotonic() // 20
        body = json.dumps({"temperature": round(48 + 9 * math.sin(t / 2), 1),
                           "load": round(50 + 40 * math.sin(t / 1.5), 1)}).encode()
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def serve_sources():
    global SOURCES
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), SourceAnswers)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/data.json"
    keys = [("/temperature", "Temperature", "°C"), ("/load", "Load", "%")]
    SOURCES = f"[Sources]\r\nCount={len(keys)}\r\n" + "".join(
        f"Kind{n}=json\r\nUrl{n}={url}\r\nKey{n}={key}\r\nName{n}={name}\r\nUnit{n}={unit}\r\n"
        f"Interval{n}=1\r\n" for n, (key, name, unit) in enumerate(keys, 1))
    return server


def compose_overview(capture, path, trend="trend-days", gap=12):
    """The main window beside the trend window, as README shows KorvaNT first."""
    main_window = Image.open(capture.picture("main-fixed").path)
    trend_window = Image.open(capture.picture(trend).path)
    height = max(main_window.height, trend_window.height) + 2 * gap
    picture = Image.new("RGB", (main_window.width + trend_window.width + 3 * gap, height),
                        (58, 110, 165))  # a plain desktop behind them
    picture.paste(main_window, (gap, gap))
    picture.paste(trend_window, (main_window.width + 2 * gap, gap))
    picture.save(path, optimize=True)
    return path


def main(out, configurations):
    out = pathlib.Path(out)
    if os.environ.get("KORVANT_SCREENS_SOURCES") == "1":
        serve_sources()
    try:
        for dpi in sorted({int(c.split(":")[1]) for c in configurations}):
            use_dpi(dpi)
            for language in [c.split(":")[0] for c in configurations if c.endswith(f":{dpi}")]:
                started = time.monotonic()
                capture = capture_all(out / f"{language}-{dpi}", language, dpi)
                sheet = compose_sheet(capture, out / f"sheet-{language}-{dpi}.png")
                compose_overview(capture, out / f"overview-{language}-{dpi}.png")
                print(f"{sheet}: {len(capture.pictures)} pictures in "
                      f"{time.monotonic() - started:.0f} s", flush=True)
                for window, texts in capture.overflowing.items():
                    if texts:
                        print(f"  texts wider than their controls in {window}:\n{texts}")
                for name, rect in off_the_work_area(capture):
                    print(f"  {name} reaches past the work area {capture.work_area}: {rect}")
    finally:
        use_dpi(96)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
