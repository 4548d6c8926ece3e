"""The options window: opened from the menus, hidden by its close box, its controls acting on the
running program at once."""
from desktop_helpers import holds, processes_in, xdotool
from harness import MAIN_TITLE, client_area, find_window, wait_for, winctl
from options_helpers import (OPTIONS_TITLE, click, control, control_rect, open_options,
                             options_window, quiet_ini, select_tab, size_window, slide,
                             status_text)


GENERAL_TAB = 5  # "その他設定1"
TOOLS_TAB = 8  # "その他機能"


def start(korvant, **options):
    app = korvant({"KorvaNT.ini": quiet_ini(**options)})
    app.wait_main_window()
    return app


def mapped(app, library):
    """Whether one of the program's processes has `library` mapped."""
    for pid in processes_in(app.folder):
        try:
            with open(f"/proc/{pid}/maps") as maps:
                if library in maps.read().lower():
                    return True
        except OSError:
            pass
    return False


def test_options_open_topmost_empty_the_status_and_only_hide_on_close(korvant):
    app = start(korvant, SetFormTop=0, WindowScaleHeight=999)
    # The fixed-size window is fitted to its list, whatever the stored height.
    fitted = wait_for(lambda: (a := client_area(MAIN_TITLE)) and a[3] != 142 and a[3],
                      what="the window fitted to its list")
    # The common controls come with the options window, not before.
    assert not mapped(app, "comctl32.dll")
    window = open_options()
    assert mapped(app, "comctl32.dll")
    assert window.topmost
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save message")
    # The fixed-size window took its list's height, and its scale height is saved as that.
    assert f"WindowScaleHeight={fitted}\r\n" in app.read("KorvaNT.ini")

    assert winctl("close", OPTIONS_TITLE)[0] == 0  # the title bar's close box
    wait_for(lambda: not options_window().visible, what="the window to hide")
    assert app.running()

    open_options()
    assert status_text() == ""


def measured_interval():
    text = control("IDC_INTERVAL_TEXT").text
    return int(text[:-2]) if text.endswith("ms") and text[:-2].isdigit() else None


def test_refresh_interval_acts_at_once_shows_in_its_caption_and_is_saved(korvant):
    app = start(korvant)
    open_options()
    select_tab(GENERAL_TAB)  # where the refresh interval is
    wait_for(lambda: (measured_interval() or 0) in range(400, 700), what="ticks of 0.5 s")
    slide("IDC_REFRESH_SLIDER", 10)
    assert control("IDC_REFRESH_FRAME").text == "メインウインドウの更新間隔  1秒"
    # The main window's refresh measures its own period; it follows at once.
    wait_for(lambda: (measured_interval() or 0) in range(900, 1200), what="ticks of 1 s")

    # Closed and opened again: the unsaved change is still there.
    assert winctl("close", OPTIONS_TITLE)[0] == 0
    wait_for(lambda: not options_window().visible, what="the window to hide")
    open_options()
    assert control("IDC_REFRESH_SLIDER").value == 10

    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save message")
    assert "MainWindowRefreshTime=10\r\n" in app.read("KorvaNT.ini")
    app.stop()
    again = korvant({"KorvaNT.ini": app.read("KorvaNT.ini")})
    again.wait_main_window()
    open_options()
    select_tab(GENERAL_TAB)
    assert control("IDC_REFRESH_SLIDER").value == 10


def test_bottom_right_and_size_reset_place_the_main_window(korvant):
    start(korvant, DrawType=0)  # a scalable window keeps the size it is given
    open_options()
    select_tab(GENERAL_TAB)  # where the placing buttons are
    click("IDC_PLACE_BOTTOM_RIGHT")
    wait_for(lambda: status_text() == "ウインドウ位置を右下にしました", what="the message")
    main = find_window(MAIN_TITLE)
    work_right, work_bottom = 1280, 1024  # Xvfb's screen, no taskbar without a window manager
    assert (main.right, main.bottom) == (work_right, work_bottom)
    click("IDC_RESET_SIZE")
    wait_for(lambda: status_text() == "ウインドウサイズを初期化しました", what="the message")
    # The stored default size is a list of 142 pixels; the reset fits the default list.
    wait_for(lambda: (lambda w: w.client_width == 158 and w.client_height != 142)(
        find_window(MAIN_TITLE)), what="the size of the list")


def test_size_window_opens_in_front_after_always_on_top_is_chosen(korvant):
    # The main window at the top left, where the size window used to open behind it.
    start(korvant, SetFormTop=1, X_WindowPosition=0, Y_WindowPosition=0)
    open_options()
    select_tab(GENERAL_TAB)  # where always on top is
    click("IDC_TOPMOST_ON")
    wait_for(lambda: find_window(MAIN_TITLE).topmost, what="the main window kept on top")
    select_tab(TOOLS_TAB)
    click("IDC_SIZE_WINDOW_BUTTON")
    size = wait_for(size_window, what="the size window")
    work_right, work_bottom = 1280, 1024
    assert 0 <= size.left and size.right <= work_right
    assert 0 <= size.top and size.bottom <= work_bottom
    # What a user sees at its middle is the size window, not a window kept on top over it.
    middle = (size.left + size.right) // 2, (size.top + size.bottom) // 2
    wait_for(lambda: (lambda rc, out: rc == 0 and int(out.split()[0]) == size.hwnd)(
        *winctl("at", *map(str, middle))), what="the size window in front")


def in_front(window):
    """What a user sees at the window's middle is that window."""
    middle = (window.left + window.right) // 2, (window.top + window.bottom) // 2
    rc, out = winctl("at", *map(str, middle))
    return rc == 0 and int(out.split()[0]) == window.hwnd


def test_size_window_opens_in_front_by_mouse_and_by_keyboard_without_always_on_top(korvant):
    start(korvant, SetFormTop=1)  # not kept on top
    open_options()
    select_tab(TOOLS_TAB)  # then its folder windows' tab, where the button is
    select_tab(1, tabs="IDC_TOOLS_TABS")
    left, top, right, bottom = control_rect("IDC_SIZE_WINDOW_BUTTON")
    xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", 1)
    size = wait_for(size_window, what="the size window")
    wait_for(lambda: in_front(size), what="the size window in front of the options window")
    # Hidden by its button from the keyboard (the active window's one button), then opened again
    # from the keyboard: the options window's button kept the focus.
    xdotool("key", "Return")
    wait_for(lambda: size_window() is None, what="the size window to hide")
    wait_for(lambda: in_front(options_window()), what="the options window in front again")
    xdotool("key", "space")
    size = wait_for(size_window, what="the size window opened by the keyboard")
    wait_for(lambda: in_front(size), what="the size window in front again")


def test_size_window_keeps_its_minimum_and_refuses_its_close_box(korvant):
    start(korvant)
    open_options()
    select_tab(TOOLS_TAB)  # where the size window button is
    click("IDC_SIZE_WINDOW_BUTTON")
    size = wait_for(size_window, what="the size window")
    assert (size.width, size.height) == (200, 200)  # 700 x 500 twips raised to the minimum
    assert winctl("closehandle", str(size.hwnd))[0] == 0
    holds(lambda: (lambda w: w and w.hwnd == size.hwnd)(size_window()), 1.0,
          what="the size window open")
