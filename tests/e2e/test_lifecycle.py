from desktop_helpers import ini_text, placed_at, tray_click, tray_icons
from harness import MAIN_TITLE, VERSION_LINE, find_window, tray_window, wait_for, winctl


def test_first_start_creates_the_settings_file_and_shows_the_window(korvant):
    app = korvant()
    main = app.wait_main_window()
    assert (main.left, main.top) == (0, 0)
    assert app.read("KorvaNT.ini", encoding=None) == f"[Options]\r\n{VERSION_LINE}\r\n".encode()
    wait_for(tray_window, what="the tray icon")

    assert winctl("close", MAIN_TITLE)[0] == 0
    assert app.wait_exit() == 0
    wait_for(lambda: tray_window() is None, what="the tray icon to go")
    # Closing the window ends the program as the menus' exit does: with auto-save on (the
    # default), the settings are saved, the window's place among them.
    ini = app.read("KorvaNT.ini")
    assert ini.startswith(f"[Options]\r\n{VERSION_LINE}\r\n")
    assert "X_WindowPosition=0\r\n" in ini and "[Export]" in ini


def _started(korvant, **kwargs):
    files = {"KorvaNT.ini": ini_text(placed_at(300, 300))}
    app = korvant(files, **kwargs)
    app.wait_main_window()
    return app


def _main_visible():
    return find_window(MAIN_TITLE).visible


def test_a_second_start_from_the_same_folder_shows_the_running_copy_and_ends(korvant):
    first = _started(korvant)
    wait_for(lambda: tray_icons() == 1, what="the tray icon")
    tray_click(1)
    wait_for(lambda: not _main_visible(), what="the main window to hide")
    settings = first.read("KorvaNT.ini", encoding=None)

    second = korvant(beside=first)
    assert second.wait_exit() == 0
    wait_for(_main_visible, what="the first copy's main window")
    assert first.running()
    assert tray_icons() == 1
    assert first.read("KorvaNT.ini", encoding=None) == settings


def test_a_copy_from_another_folder_runs_beside_the_first(korvant):
    first = _started(korvant)
    second = korvant({"KorvaNT.ini": ini_text(placed_at(500, 300))})
    wait_for(lambda: tray_icons() == 2, what="a second tray icon")
    assert first.running() and second.running()
    for _ in range(2):  # the two main windows share their class: close one, then the other
        assert winctl("close", MAIN_TITLE)[0] == 0
        wait_for(lambda: not (first.running() and second.running()), what="one copy to end")
    wait_for(lambda: not (first.running() or second.running()), what="both copies to end")


def test_the_tray_icon_comes_back_when_the_shell_restarts(korvant):
    _started(korvant)
    wait_for(lambda: tray_icons() == 1, what="the tray icon")
    # What a restarting shell does: it loses every icon, then tells every window it is back.
    # (Ending and restarting Wine's own shell from a test does not bring a tray back reliably.)
    assert winctl("dropicon", "KorvaNT.Host")[0] == 0
    wait_for(lambda: tray_icons() == 0, what="the icon to go")
    assert winctl("broadcast", "TaskbarCreated")[0] == 0
    wait_for(lambda: tray_icons() == 1, what="the icon back")
    tray_click(1)  # it still answers
    wait_for(lambda: not _main_visible(), what="the main window to hide")
