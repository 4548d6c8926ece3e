"""The keyboard alone: the list's menu and its copy, the tray icon's keys, and Alt+F4 that keeps
what the menu's exit keeps."""
from desktop_helpers import (TWIPS, assert_gone, choose, open_menu, x_clipboard, xdotool)
from harness import MAIN_TITLE, wait_for, winctl
from test_desktop import main_window, start

HOST_TITLE = "KorvaNT.Host"


def list_has_keyboard():
    rc, out = winctl("foregroundclass")
    return rc == 0 and out.strip() == MAIN_TITLE


def give_list_the_keyboard(korvant, app):
    """As a person brings a running program forward: by starting it again. Without a window
    manager the X keyboard focus follows by hand."""
    second = korvant(beside=app)
    assert second.wait_exit() == 0
    wait_for(list_has_keyboard, what="the list to be the active window")
    keyboard_to(main_window())


def keyboard_to(window):
    """The X keyboard focus to KorvaNT's X window at the place of `window`, as a window manager
    gives it to the active window."""
    for x_window in xdotool("search", "--onlyvisible", "--classname", "korvant.exe").split():
        geometry = dict(line.split("=") for line in
                        xdotool("getwindowgeometry", "--shell", x_window).split())
        if (int(geometry["X"]), int(geometry["Y"])) == (window.left, window.top):
            xdotool("windowfocus", "--sync", x_window)
            return
    raise AssertionError(f"no X window at {window.left}, {window.top}")


def test_shift_f10_and_the_menu_key_open_the_window_menu_at_the_list(korvant):
    app = start(korvant)
    give_list_the_keyboard(korvant, app)
    xdotool("mousemove", 1200, 1000)  # the menu opens at the list, not at the pointer
    main = main_window()
    for key in ("shift+F10", "Menu"):
        xdotool("key", key)
        menu = wait_for(open_menu, what=f"the window menu on {key}")
        assert abs(menu.left - main.left) < 20 and abs(menu.top - main.top) < 40, (key, menu)
        choose("Escape")
    assert app.running()


def test_the_tray_icons_keys_open_its_menu_and_show_the_list_with_the_keyboard(korvant):
    app = start(korvant)
    assert winctl("traykey", HOST_TITLE, "menu")[0] == 0
    menu = wait_for(open_menu, what="the tray menu from the keyboard")
    assert menu.top < 60, "at the icon, not at the pointer"
    keyboard_to(menu)
    choose("Escape")
    # Enter on the icon does what a left click does; the list it shows takes the keyboard.
    assert winctl("traykey", HOST_TITLE, "select")[0] == 0
    wait_for(lambda: not main_window().visible, what="the list to hide")
    assert winctl("traykey", HOST_TITLE, "select")[0] == 0
    wait_for(lambda: main_window().visible and list_has_keyboard(),
             what="the list to show with the keyboard")
    assert app.running()


def test_ctrl_c_copies_every_shown_row_as_label_tab_value(korvant):
    app = start(korvant, options={"MainListCheckMark": "011" + "0" * 20})  # CPU, memory
    give_list_the_keyboard(korvant, app)
    xdotool("key", "ctrl+c")
    # X clients see the lines with LF alone.
    copied = wait_for(lambda: (lambda t: t if t and t.count("\n") == 2 else None)(x_clipboard()),
                      what="two rows on the clipboard")
    cpu, memory = copied.splitlines()
    assert cpu.startswith("ＣＰＵ使用率\t") and cpu.endswith("%"), cpu
    assert memory.startswith("メモリ\t") and memory.endswith("MB"), memory
    rc, windows_text = winctl("clipboard")
    assert rc == 0 and windows_text.count("\r\n") == 2, repr(windows_text)
    # A screen reader in another process finds the list by its name through UI Automation
    # (Wine's client goes no further than the window's own element: the rows are read by the
    # Win32 test).
    rc, tree = winctl("automation", MAIN_TITLE)
    assert rc == 0 and tree.splitlines()[0] == "コルバ君NT\t", tree


def test_alt_f4_on_the_list_keeps_what_the_menus_exit_keeps(korvant):
    app = start(korvant, options={"AutoSET": 1},
                files={"CloseList.txt": "Some page - Browser       3\r\n"})
    (app.folder / "CloseList.txt").unlink()
    main = main_window()
    xdotool("mousemove", main.left + 20, main.top + 20, "mousedown", 1)
    xdotool("mousemove", main.left + 120, main.top + 70)
    xdotool("mouseup", 1)
    wait_for(lambda: (main_window().left, main_window().top) == (400, 350),
             what="the window to move")
    give_list_the_keyboard(korvant, app)
    xdotool("key", "alt+F4")
    assert_gone(app)
    ini = app.read("KorvaNT.ini")
    assert f"X_WindowPosition={400 * TWIPS}\r\n" in ini
    assert f"Y_WindowPosition={350 * TWIPS}\r\n" in ini
    assert app.read("CloseList.txt") == "Some page - Browser       3\r\n"
