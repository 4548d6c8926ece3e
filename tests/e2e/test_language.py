"""English beside Japanese: chosen in the settings file or on the "その他の設定１" tab, followed at
once by every window, with every text fitting its control; Japanese comes back exactly."""
import re

import pytest

import options_helpers
from desktop_helpers import open_menu, open_tray_menu, xdotool
from harness import MAIN_TITLE, RUNS, class_title, find_window, screenshot, wait_for, winctl
from options_helpers import IDS, control_rect, quiet_ini, select_tab
from test_display_scale import use_dpi

JAPANESE = re.compile("[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]")
# The language choice names itself in both languages, so that either reader finds it.
BILINGUAL = {"言語 / Language", "日本語"}
TITLES = {"en": "KorvaNT", "ja": "コルバ君NT"}
TAB_COUNT = 12
# What each tab shows in English, one text of each of its kinds of control.
EXPECTED = {
    0: ["Display", "Graph", "Main refresh interval", "Item", "Solid"],
    1: ["Network adapter", "Automatic", "Speed unit", "Multiplier for fast lines"],
    2: ["Drive rows", "Drive", "Type", "Used", "Check all automatically"],
    3: ["Add", "Delete", "Show the proxy menu in the right-click menu"],
    4: ["Use auto-close", "Close list", "Title", "Closed"],
    5: ["Always on top", "Window position", "Used/Total", "Run when Windows starts", "English"],
    6: ["Taskbar button", "Graph colors", "Windows version"],
    7: ["Manual", "Automatic", "Release now"],
    8: ["Clipboard sharing", "Folder windows", "Share the clipboard with another PC"],
    9: ["Developer's home page"],
    10: ["Notify when a threshold is crossed", "Test notice", "Show the load in the tray icon"],
    11: ["Kind", "Address", "Token", "Key", "Browse", "Add", "Remove", "Alert"],
}
# What the running program writes into the window: left out of the comparison of two starts.
CHANGING = {IDS["IDC_STATUS"], IDS["IDC_INTERVAL_TEXT"]}


def language_ini(language, **options):
    return quiet_ini(**options) + f"[Display]\r\nLanguage={language}\r\n"


def texts(title):
    """(id, visible, class, text) of every window of the options window and its pages."""
    rc, out = winctl("texts", title)
    assert rc == 0, title
    found = []
    for line in out.splitlines():
        parts = line.split(" ", 3) + [""]
        found.append((int(parts[0]), parts[1] == "1", parts[2], parts[3]))
    return found


def shown_texts(title):
    return [text for _, visible, _, text in texts(title) if visible and text]


def lasting_texts(title):
    return [(i, kind, text) for i, _, kind, text in texts(title)
            if kind != "Edit" and i not in CHANGING]


def menu_texts():
    """The open popup menu's entries, "" for a separator, a submenu's indented."""
    rc, out = winctl("menutexts")
    assert rc == 0, rc
    return out.splitlines()


def close_menu():
    xdotool("key", "Escape")
    wait_for(lambda: open_menu() is None, what="the menu to close")


def open_window_menu():
    main = find_window(MAIN_TITLE)
    xdotool("mousemove", main.left + 30, main.top + 30)
    # Without a window manager the keys go to the window that had them last: focus ours first.
    under = dict(line.split("=", 1) for line in xdotool("getmouselocation", "--shell").split())
    xdotool("windowfocus", "--sync", under["WINDOW"], "click", 3)
    wait_for(open_menu, what="the window menu")


def open_options(title):
    open_tray_menu()
    xdotool("key", "Up", "Up", "Return")  # "Options", above "Exit" and a separator
    return wait_for(lambda: (lambda w: w if w and w.visible else None)(find_window(title)),
                    what=f"the options window titled {title}")


def start_in(korvant, language, monkeypatch):
    monkeypatch.setattr(options_helpers, "OPTIONS_TITLE", TITLES[language])
    # The caption with the receive rate; the menus with the memory, address and proxy entries.
    app = korvant({"KorvaNT.ini": language_ini(language, TaskOnOff=1, TaskIn=1, MemMenu=1,
                                               IPSET=1, ProxyM=1)})
    app.wait_main_window()
    return app


def no_overflow(title):
    rc, out = winctl("overflow", title)
    assert rc == 0
    return out.strip()


def test_english_everywhere_and_japanese_back_exactly(korvant, monkeypatch):
    # The Japanese window as a start in Japanese shows it, on the tab the switch is made on.
    app = start_in(korvant, "ja", monkeypatch)
    open_tray_menu()
    japanese_menu = menu_texts()
    close_menu()
    open_options(TITLES["ja"])
    # Every tab once (a tab's pages are made when it is first chosen), then the General tab.
    for tab in range(TAB_COUNT):
        select_tab(tab)
    select_tab(5)
    wait_for(lambda: any(v and t == "常に手前に表示" for _, v, _, t in texts(TITLES["ja"])),
             what="the General tab")
    japanese = lasting_texts(TITLES["ja"])
    app.stop()

    app = start_in(korvant, "en", monkeypatch)
    wait_for(lambda: " in " in class_title("KorvaNT.Taskbar"), what="the caption in English")
    open_tray_menu()
    english_menu = menu_texts()
    close_menu()
    assert re.fullmatch(r"Release \d+ MB of memory", english_menu[0]), english_menu
    assert english_menu[1:] == ["Get IP address again", "Proxy server", "  None", "",
                                "History graph", "Options", "", "Exit"]
    open_window_menu()
    assert menu_texts() == english_menu
    close_menu()

    open_options(TITLES["en"])
    for tab in range(TAB_COUNT):
        select_tab(tab)
        wait_for(lambda: set(EXPECTED[tab]) <= set(shown_texts(TITLES["en"])),
                 what=f"tab {tab} in English")
        shown = shown_texts(TITLES["en"])
        assert [t for t in shown if JAPANESE.search(t) and t not in BILINGUAL] == [], tab

    # Back to Japanese on the General tab, as a user picks it from the list.
    select_tab(5)
    left, top, right, bottom = control_rect("IDC_LANGUAGE")
    xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", 1)
    xdotool("key", "Up", "Return")
    wait_for(lambda: find_window(TITLES["ja"]), what="the window titled in Japanese")
    monkeypatch.setattr(options_helpers, "OPTIONS_TITLE", TITLES["ja"])
    wait_for(lambda: lasting_texts(TITLES["ja"]) == japanese,
             what="every text as a start in Japanese shows it")
    wait_for(lambda: "受" in class_title("KorvaNT.Taskbar"), what="the caption in Japanese")
    open_tray_menu()
    assert menu_texts() == japanese_menu
    close_menu()
    options_helpers.click("IDC_SAVE")
    wait_for(lambda: options_helpers.status_text() == "設定を保存しました", what="the save")
    assert "[Display]\r\nLanguage=ja\r\n" in app.read("KorvaNT.ini")


@pytest.mark.parametrize("language", ["en", "ja"])
@pytest.mark.parametrize("dpi", [96, 144, 192])
def test_every_text_fits_its_control(korvant, monkeypatch, dpi, language):
    try:
        use_dpi(dpi)
        app = start_in(korvant, language, monkeypatch)
        open_options(TITLES[language])
        # Every page's controls exist, shown or not: one look measures them all.
        assert no_overflow(TITLES[language]) == ""
        for tab in range(TAB_COUNT if language == "en" else 0):
            select_tab(tab)
            wait_for(lambda: set(EXPECTED[tab]) <= set(shown_texts(TITLES[language])),
                     what=f"tab {tab}")
            screenshot(RUNS / f"language-en-{dpi}-tab{tab}.png")
        app.stop()
    finally:
        use_dpi(96)
