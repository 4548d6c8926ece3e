from harness import MAIN_TITLE, tray_window, wait_for, winctl


def test_first_start_creates_the_settings_file_and_shows_the_window(korvant):
    app = korvant()
    main = app.wait_main_window()
    assert (main.left, main.top) == (0, 0)
    assert app.read("KorvaNT.ini", encoding=None) == b"[Options]\r\nVer=336\r\n"
    wait_for(tray_window, what="the tray icon")

    assert winctl("close", MAIN_TITLE)[0] == 0
    assert app.wait_exit() == 0
    wait_for(lambda: tray_window() is None, what="the tray icon to go")
    # Closing the window saves nothing.
    assert app.read("KorvaNT.ini", encoding=None) == b"[Options]\r\nVer=336\r\n"
    assert not app.exists("CloseList.txt")
