"""Driving the options window from outside: its controls are found by their ids."""
from desktop_helpers import choose, ini_text, open_tray_menu, placed_at, xdotool
from harness import find_window, MAIN_TITLE, WindowInfo, wait_for, winctl

OPTIONS_TITLE = "コルバ君NT"
ROOT = __import__("pathlib").Path(__file__).resolve().parents[2]


def _ids():
    """The control ids, read from the header the program is built with."""
    ids = {}
    for line in (ROOT / "ui" / "options").glob("*_ids.h"):
        for text in line.read_text(encoding="utf-8").splitlines():
            parts = text.split()
            if len(parts) == 3 and parts[0] == "#define" and parts[2].isdigit():
                ids[parts[1]] = int(parts[2])
    return ids


IDS = _ids()


class ControlState:
    def __init__(self, line):
        visible, enabled, value, text = (line.rstrip("\n").split(" ", 3) + [""])[:4]
        self.visible, self.enabled = visible == "1", enabled == "1"
        self.value, self.text = int(value), text


def control(name):
    rc, out = winctl("control", OPTIONS_TITLE, str(IDS[name]))
    assert rc == 0, f"no control {name}"
    return ControlState(out)


def click(name):
    assert winctl("click", OPTIONS_TITLE, str(IDS[name]))[0] == 0, name


def slide(name, position):
    assert winctl("slide", OPTIONS_TITLE, str(IDS[name]), str(position))[0] == 0, name


def control_rect(name):
    """A control's client area on the screen: (left, top, right, bottom)."""
    rc, out = winctl("rect", OPTIONS_TITLE, str(IDS[name]))
    assert rc == 0, name
    return tuple(int(v) for v in out.split())


def status_text():
    return control("IDC_STATUS").text


def options_window():
    return find_window(OPTIONS_TITLE)


def options_shown():
    """The options window once it is shown; it is made when first opened."""
    window = options_window()
    return window if window and window.visible else None


def size_window():
    """The window size window once it is shown: it has no title, so it is found by its text box."""
    rc, out = winctl("holding", str(IDS["IDC_SIZE_TEXT"]))
    window = WindowInfo(out) if rc == 0 and out.strip() else None
    return window if window and window.visible else None


def open_options():
    """"オプション" from the tray menu; returns the shown window."""
    open_tray_menu()
    choose("Down", "Down", "Return")  # with the default settings "履歴グラフ" comes first
    return wait_for(options_shown, what="the options window")


def select_tab(index, tabs="IDC_OPTIONS_TABS"):
    """A click on a tab's rectangle, as a user would choose it."""
    rc, out = winctl("tabrect", OPTIONS_TITLE, str(IDS[tabs]), str(index))
    assert rc == 0
    left, top, right, bottom = (int(v) for v in out.split())
    xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", 1)


def quiet_ini(**options):
    """Settings that keep start-up off the network, the main window clear of the tray."""
    return ini_text({**placed_at(300, 300), "NewVersionCheck": 0, **options},
                    mem={"Slider6": 60})


def start_with_options(korvant, files=None, **options):
    """KorvaNT with quiet settings, after its first refresh, with the options window open."""
    app = korvant({"KorvaNT.ini": quiet_ini(**options), **(files or {})})
    app.wait_main_window()
    # The first refresh sizes the main window to its list; heights are compared after it.
    wait_for(lambda: (lambda w: w is not None and w.client_width == 158)(find_window(MAIN_TITLE)),
             what="the first refresh")
    open_options()
    return app
