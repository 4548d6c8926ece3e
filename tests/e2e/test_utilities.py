"""The desktop tools: memory release from the tray menu and the auto-close of browser windows,
driven as a user would, against windows the test opens itself."""
import subprocess

import pytest

from desktop_helpers import (assert_gone, browser_window_closed, choose, holds, open_tray_menu,
                             pointer_to)
from harness import WINCTL, find_window, wait_for, winctl
from list_page_helpers import rows
from options_helpers import (click, open_options, options_shown, quiet_ini, select_tab,
                             size_window, slide, status_text)

RELEASED = "10MBのメモリを開放しました"
PLENTY_FREE = "空きメモリが多いため開放を省略しました"


def start(korvant, **options):
    # The pointer off the tray, where an earlier test's click left it: a move over the icon
    # brings KorvaNT's host window to the front, and a browser window would lose it.
    pointer_to(1200, 1000)
    app = korvant({"KorvaNT.ini": quiet_ini(**options)})
    app.wait_main_window()
    # The first refresh sizes the main window, which closes a menu open at that moment.
    wait_for(lambda: find_window("KorvaNT.Main").client_width == 158, what="the first refresh")
    return app


def free_megabytes():
    with open("/proc/meminfo") as meminfo:
        fields = dict(line.split(":", 1) for line in meminfo)
    return int(fields["MemAvailable"].split()[0]) // 1024


def test_memory_entry_of_the_tray_menu_releases_and_reports(korvant):
    app = start(korvant, MemMenu=1)
    open_tray_menu()
    # With only the memory entry on, it comes first, above its separator and "オプション".
    choose("Down", "Return")
    # A release reports in the options window's status bar; it does not show that window.
    holds(lambda: not options_shown(), 1.0, what="the options window hidden")
    assert app.running()
    # Under the separator still come "履歴グラフ" and "オプション"; its message is seen while
    # the options window is open.
    open_tray_menu()
    choose("Down", "Down", "Down", "Return")
    wait_for(options_shown, what="the options window")
    open_tray_menu()
    choose("Down", "Return")
    # Beyond 2,047 MB free the block would reach 2 GB: the release is skipped.
    expected = PLENTY_FREE if free_megabytes() >= 2047 else RELEASED
    wait_for(lambda: status_text() == expected, what="the release's status text")


def foreground_title():
    rc, out = winctl("foreground")
    return out.rstrip("\n") if rc == 0 else None


def test_captured_browser_title_is_listed_closed_counted_and_saved(korvant):
    title = "Foo - Microsoft Internet Explorer"
    app = start(korvant, AutoClose=1)
    browser = subprocess.Popen(["wine", str(WINCTL), "window", title],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_for(lambda: foreground_title() == title, what="the browser window in front")
        # Long enough in front for a few scans (every 0.5 s) to capture its title.
        holds(lambda: foreground_title() == title, 1.5, what="the browser window in front")
        # The tray menu keeps the title captured while it is open; its first entry adds it.
        open_tray_menu()
        choose("Down", "Return")
        wait_for(lambda: browser.poll() is not None, what="the browser window to close")
        assert find_window(title) is None
    finally:
        if browser.poll() is None:
            browser.kill()
    # The close list in the options window holds the title, its window closed once. The title
    # stays captured: its entry still comes first, above "履歴グラフ" and "オプション".
    open_tray_menu()
    choose("Down", "Down", "Down", "Return")
    wait_for(options_shown, what="the options window")
    select_tab(4)  # the auto-close tab
    wait_for(lambda: [r.cells for r in rows("IDC_CLOSE_LIST")] == [["Foo -", "1"]],
             what="the title listed and its window closed once")
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save")
    assert app.read("CloseList.txt") == "Foo -       1\r\n"


def test_the_close_entry_shows_only_while_a_browser_title_is_captured(korvant):
    app = start(korvant, AutoClose=1, AutoCloseRefreshTime=1)
    # No browser came to the front since start-up: the menu holds only "履歴グラフ",
    # "オプション" and "終了".
    open_tray_menu()
    choose("Down", "Down", "Down", "Return")
    assert_gone(app)


@pytest.mark.parametrize("auto_save", [0, 1], ids=["close-list", "whole-save"])
def test_a_log_off_keeps_what_the_menu_exit_keeps(korvant, auto_save):
    ini = quiet_ini(AutoClose=1, AutoSET=auto_save)
    app = korvant({"KorvaNT.ini": ini, "CloseList.txt": "Foo -       0\r\n"})
    app.wait_main_window()
    browser_window_closed("Foo - Microsoft Internet Explorer")
    # The system asks the host window whether the session may end, then tells it that it does.
    assert winctl("endsession", "KorvaNT.Host")[0] == 0
    assert app.wait_exit() == 0
    assert app.read("CloseList.txt") == "Foo -       1\r\n"
    saved = app.read("KorvaNT.ini")
    if auto_save:
        assert "MainWindowRefreshTime=" in saved
    else:
        assert saved == ini


def open_window(title):
    """A window of the test's own with `title`, in front; ended by the test."""
    process = subprocess.Popen(["wine", str(WINCTL), "window", title],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: foreground_title() == title, what=f"{title} in front")
    return process


def size_of(title):
    w = find_window(title)
    return (w.left, w.top, w.width, w.height)


def test_folder_windows_are_sized_once_while_the_watch_runs(korvant):
    start(korvant)
    open_options()
    select_tab(8)  # "その他機能", where the size window button is
    click("IDC_SIZE_WINDOW_BUTTON")
    target = wait_for(size_window, what="the size window")
    slide("IDC_FOLDER_SLIDER", 5)
    windows = []
    try:
        windows.append(open_window("C:\\Windows"))
        left, top = find_window("C:\\Windows").left, find_window("C:\\Windows").top
        wait_for(lambda: size_of("C:\\Windows") ==
                 (left, top, target.client_width, target.client_height),
                 what="the folder window at the size window's client size")
        # Sized by hand and in front again: left alone.
        assert winctl("resize", "C:\\Windows", "300", "250")[0] == 0
        assert winctl("front", "C:\\Windows")[0] == 0
        holds(lambda: size_of("C:\\Windows") == (left, top, 300, 250), 1.5,
              what="the hand-made size")
        # Not a drive path.
        windows.append(open_window("Local Disk (C:)"))
        before = size_of("Local Disk (C:)")
        holds(lambda: size_of("Local Disk (C:)") == before, 1.5, what="the size of a non-folder")
        # Stopped, a new folder window keeps its size.
        slide("IDC_FOLDER_SLIDER", 0)
        windows.append(open_window("D:\\Data"))
        before = size_of("D:\\Data")
        holds(lambda: size_of("D:\\Data") == before, 1.5, what="the size while stopped")
    finally:
        for process in windows:
            process.kill()
