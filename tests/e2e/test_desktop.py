"""The desktop side: start-up fetches, the tray icon and its menu, proxy and script commands,
the IP tools, hover hiding and the exits."""
import socket
import time

import pytest
from PIL import Image

from desktop_helpers import (INTERNET_SETTINGS, INTERNET_ZONE, MARKS_BROWSER_ITEMS,
                             MARKS_WITHOUT_IP, TWIPS, assert_gone, choose, holds, ini_text,
                             open_menu, open_tray_menu, page_server, placed_at, pointer_to,
                             reg_add, reg_value, set_clipboard, tray_click, tray_spot,
                             x_clipboard, xdotool)
from harness import MAIN_TITLE, VERSION_LINE, client_area, find_window, screenshot, tray_window, wait_for


@pytest.fixture(autouse=True)
def direct_connection():
    """Page fetches follow the browser's proxy setting, which some tests switch on."""
    reg_add(INTERNET_SETTINGS, "ProxyEnable", 0)
    yield
    reg_add(INTERNET_SETTINGS, "ProxyEnable", 0)




WINE_BROWSER = r"HKCU\Software\Wine\WineBrowser"


def servers_of(server):
    return {"UpdatePage": server.url("/update"), "IpPage": server.url("/ip"),
            "HomePage": server.url("/")}


def unreachable_servers():
    """Addresses on a loopback port where nothing listens."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    return {k: f"http://127.0.0.1:{port}/{k}" for k in ("UpdatePage", "IpPage", "HomePage")}


def start(korvant, options=None, mem=None, servers=None, files=None):
    all_files = {"KorvaNT.ini": ini_text({**placed_at(300, 300), **(options or {})}, mem, servers)}
    all_files.update(files or {})
    app = korvant(all_files)
    app.wait_main_window()
    wait_for(tray_window, what="the tray icon")
    if str((options or {}).get("DrawType", 1)) != "0":
        # The first refresh sizes the window to its list; under Wine a resize closes a popup
        # menu that is open at that moment, so menus are opened only after it.
        wait_for(lambda: (lambda w: w is not None and w.client_width == 158)(main_window()),
                 what="the first refresh")
    return app


def main_window():
    return find_window(MAIN_TITLE)


def exit_from_tray_menu(app):
    open_tray_menu()
    choose("Up", "Return")  # "終了" is the last entry
    assert_gone(app)


# -- start-up: update check and public IP -------------------------------------------------------

NOTICE_CYAN = (128, 255, 255)


def bottom_row(tmp_path, name):
    """The pixels of the list's last 13-pixel row (above its closing separator), or None."""
    area = client_area(MAIN_TITLE)
    if not area or area[3] < 14:
        return None
    shot = Image.open(screenshot(tmp_path / name)).convert("RGB")
    x0, y0, width, height = area
    return [shot.getpixel((x0 + x, y0 + y)) for y in range(height - 14, height - 1)
            for x in range(min(width, 157))]


@pytest.mark.parametrize("title", [page_server.TITLE, "別のページ"], ids=["title", "no_title"])
def test_newer_version_shows_the_home_page_entry_only_on_the_update_page(korvant, pages, title,
                                                                         tmp_path):
    server = pages(newest="400", announcement="Ver4.00 新版です", title=title)
    # Wine's shell hands web addresses to the first of these programs it finds: curl fetches
    # the home page from the page server, which shows that the shell was asked to open it.
    reg_add(WINE_BROWSER, "Browsers", "curl", "REG_SZ")
    app = start(korvant, servers=servers_of(server))
    assert server.requested("/update")
    if title == page_server.TITLE:
        # The notice row closes the list and its text moves on at every tick.
        first = wait_for(lambda: (lambda r: r if r and NOTICE_CYAN in r else None)(
            bottom_row(tmp_path, "first.png")), what=f"the notice row (see {tmp_path})")
        wait_for(lambda: (lambda r: r and NOTICE_CYAN in r and r != first)(
            bottom_row(tmp_path, "later.png")), what=f"the notice text to move (see {tmp_path})")
    else:
        wait_for(lambda: bottom_row(tmp_path, "shot.png"), what="the list")
        # A screenshot read can miss the window for a moment under load: read again then.
        holds(lambda: NOTICE_CYAN not in wait_for(lambda: bottom_row(tmp_path, "shot.png"),
                                                  what="the list"), 1.5, what="no notice row")
    open_tray_menu()
    if title == page_server.TITLE:
        choose("Down", "Return")  # "開発元ホームページを開く" comes first
        wait_for(lambda: server.requested("/"), what="the home page to be opened")
        assert app.running()
        exit_from_tray_menu(app)
    else:
        # "履歴グラフ", "オプション", then "終了": nothing above them
        choose("Down", "Down", "Down", "Return")
        assert_gone(app)
        assert not server.requested("/")


def test_first_start_without_settings_shows_the_default_list_at_the_top_left(korvant):
    app = korvant()
    main = app.wait_main_window()
    assert (main.left, main.top) == (0, 0)
    assert main.height > 100  # the default list, not an empty strip
    assert app.read("KorvaNT.ini", encoding=None) == f"[Options]\r\n{VERSION_LINE}\r\n".encode()


@pytest.mark.parametrize("reachable", [True, False])
def test_immediate_address_is_copied_or_zeros_when_unreachable(korvant, pages, reachable):
    servers = servers_of(pages()) if reachable else unreachable_servers()
    set_clipboard("before")
    app = start(korvant, options={"IPMC": 1}, mem={"Slider6": 0}, servers=servers)
    open_tray_menu()
    choose("Down", "Return")  # "ＩＰアドレスコピー"
    expected = "127.0.0.1" if reachable else "0,0,0,0"
    wait_for(lambda: x_clipboard() == expected, what=f"{expected} on the clipboard")
    assert app.running()


def test_reacquiring_fetches_the_address_for_the_copy(korvant, pages):
    server = pages()
    set_clipboard("before")
    start(korvant, options={"IPMC": 1, "IPSET": 1, "NewVersionCheck": 0}, mem={"Slider6": 60},
          servers=servers_of(server))
    open_tray_menu()
    choose("Down", "Return")  # "ＩＰアドレスコピー" before any acquisition
    wait_for(lambda: x_clipboard() == "0,0,0,0", what="zeros on the clipboard")
    assert not server.requested("/ip")
    open_tray_menu()
    choose("Down", "Down", "Return")  # "IP再取得"
    wait_for(lambda: server.requested("/ip"), what="the IP request")
    open_tray_menu()
    choose("Down", "Return")
    wait_for(lambda: x_clipboard() == "127.0.0.1", what="the address on the clipboard")


def test_a_page_over_one_mebibyte_counts_as_unreachable(korvant, pages):
    filler = "<!-- " + "x" * (1 << 20) + " -->"
    server = pages(extra={"/big": page_server.ip_page("192.0.2.1").replace("<BODY>", filler)})
    set_clipboard("before")
    start(korvant, options={"IPMC": 1, "NewVersionCheck": 0}, mem={"Slider6": 0},
          servers={**servers_of(server), "IpPage": server.url("/big")})
    assert server.requested("/big")
    open_tray_menu()
    choose("Down", "Return")
    wait_for(lambda: x_clipboard() == "0,0,0,0", what="zeros on the clipboard")


def test_a_wait_of_three_fetches_the_address_on_the_fourth_second(korvant, pages):
    server = pages()
    started = time.monotonic()
    start(korvant, options={"NewVersionCheck": 0}, mem={"Slider6": 3},
          servers=servers_of(server))
    first = wait_for(lambda: server.requested("/ip"), timeout=15, what="the IP request")[0]
    assert 4.0 <= first - started < 12.0
    assert not server.requested("/update")


def test_hidden_ip_item_with_no_wait_fetches_nothing(korvant, pages):
    server = pages()
    start(korvant, options={"MainListCheckMark": MARKS_WITHOUT_IP}, mem={"Slider6": 0},
          servers=servers_of(server))
    assert server.requested("/update")  # start-up got as far as the network steps
    # Past the first tick of the start-up timer, which would acquire with a wait of 0.
    holds(lambda: not server.requested("/ip"), 2.5, what="no IP request")


def test_a_server_that_never_answers_holds_neither_start_up_nor_the_menus(korvant, pages):
    server = pages(stall={"/update"})
    set_clipboard("before")
    app = start(korvant, options={"IPMC": 1}, mem={"Slider6": 60}, servers=servers_of(server))
    open_tray_menu()
    assert server.requested("/update")
    choose("Down", "Return")
    wait_for(lambda: x_clipboard() == "0,0,0,0", what="zeros on the clipboard")
    assert not server.requested("/ip")
    assert app.running()


# -- tray icon ------------------------------------------------------------------------------------

def test_tray_left_click_hides_and_shows_and_pointer_never_shows_a_user_hidden_window(korvant):
    app = start(korvant)
    main = main_window()
    tray_click(1)
    wait_for(lambda: not main_window().visible, what="the main window to hide")
    for x, y in [(900, 800), (main.left - 5, main.top + 5), (main.left + 20, main.top + 20),
                 (1000, 100)]:
        pointer_to(x, y)
        holds(lambda: not main_window().visible, 0.6, what="the window staying hidden")
    tray_click(1)
    wait_for(lambda: main_window().visible, what="the main window to show")
    assert app.running()


def test_right_button_opens_the_tray_menu_on_the_press(korvant):
    app = start(korvant)
    xdotool("mousemove", "--window", *tray_spot(), "mousedown", 3)
    try:
        wait_for(open_menu, what="the tray menu while the button is down")
    finally:
        xdotool("key", "Escape")
        xdotool("mouseup", 3)
    wait_for(lambda: open_menu() is None, what="the menu to close")
    assert app.running()


# -- proxy and script commands --------------------------------------------------------------------

def test_proxy_entries_write_the_server_and_leave_proxy_use(korvant):
    reg_add(INTERNET_SETTINGS, "ProxyEnable", 1)
    reg_add(INTERNET_SETTINGS, "ProxyServer", "old:1", "REG_SZ")
    start(korvant, options={"ProxyM": 1},
          files={"ProxyList.txt": "localhost:8080\r\nプロキシ.example:3128\r\n"})
    open_tray_menu()
    choose("Down", "Right", "Down", "Down", "Return")  # the second list entry
    chosen = "プロキシ.example:3128"
    wait_for(lambda: reg_value(INTERNET_SETTINGS, "ProxyServer") == (1, chosen),
             what="the chosen proxy server")
    open_tray_menu()
    choose("Down", "Right", "Return")  # "使用しない"
    wait_for(lambda: reg_value(INTERNET_SETTINGS, "ProxyServer") == (1, ""),
             what="an empty proxy server")
    assert reg_value(INTERNET_SETTINGS, "ProxyEnable") == (4, "1")


def test_proxy_use_and_script_entries_write_their_values(korvant):
    reg_add(INTERNET_SETTINGS, "ProxyEnable", 1)
    reg_add(INTERNET_ZONE, "1400", 0)
    reg_add(INTERNET_ZONE, "1402", 0)
    start(korvant, options={"MainListCheckMark": MARKS_BROWSER_ITEMS})
    # Proxy use and both scripts show "ON": each entry switches its value off.
    for downs, key, value, expected in [(1, INTERNET_SETTINGS, "ProxyEnable", "0"),
                                        (2, INTERNET_ZONE, "1400", "3"),
                                        (3, INTERNET_ZONE, "1402", "3")]:
        open_tray_menu()
        choose(*["Down"] * downs, "Return")
        wait_for(lambda: reg_value(key, value) == (4, expected), what=f"{value} = {expected}")


def test_window_menu_opens_on_the_right_button_without_the_browser_toggles(korvant):
    reg_add(INTERNET_SETTINGS, "ProxyServer", "old:1", "REG_SZ")
    start(korvant, options={"ProxyM": 1, "MainListCheckMark": MARKS_BROWSER_ITEMS},
          files={"ProxyList.txt": "localhost:8080\r\n"})
    main = main_window()
    xdotool("mousemove", main.left + 30, main.top + 30)
    # Without a window manager the keyboard stays with the window that had it last (the tray,
    # after an earlier test): the keys must reach KorvaNT's menu, as a window manager sees to.
    under = dict(line.split("=", 1) for line in xdotool("getmouselocation", "--shell").split())
    xdotool("windowfocus", "--sync", under["WINDOW"], "click", 3)
    wait_for(open_menu, what="the window menu")
    # "PROXY" and the script entries belong to the tray menu: the first entry is "プロキシ".
    choose("Down", "Right", "Down", "Return")
    wait_for(lambda: reg_value(INTERNET_SETTINGS, "ProxyServer") == (1, "localhost:8080"),
             what="the proxy chosen from the window menu")


# -- hover ----------------------------------------------------------------------------------------

def test_mouse_over_hides_within_ten_pixels_and_shows_again_outside(korvant):
    pointer_to(1200, 1000)
    start(korvant, options={"MouseOver": 1})
    main = main_window()
    pointer_to(main.left - 11, main.top + 10)
    holds(lambda: main_window().visible, 1.0, what="the window staying visible")
    pointer_to(main.left - 10, main.top + 10)
    wait_for(lambda: not main_window().visible, what="the window to hide")
    pointer_to(1200, 1000)
    wait_for(lambda: main_window().visible, what="the window to come back")


# -- exits ----------------------------------------------------------------------------------------

def test_menu_exit_with_auto_save_stores_the_moved_window(korvant):
    app = start(korvant, options={"AutoSET": 1})
    main = main_window()
    xdotool("mousemove", main.left + 20, main.top + 20, "mousedown", 1)
    xdotool("mousemove", main.left + 120, main.top + 70)
    xdotool("mouseup", 1)
    wait_for(lambda: (main_window().left, main_window().top) == (400, 350),
             what="the window to move")
    pointer_to(1200, 1000)
    exit_from_tray_menu(app)
    ini = app.read("KorvaNT.ini")
    assert f"X_WindowPosition={400 * TWIPS}\r\n" in ini
    assert f"Y_WindowPosition={350 * TWIPS}\r\n" in ini
    assert app.exists("CloseList.txt") and app.exists("ProxyList.txt")


def test_menu_exit_without_auto_save_writes_only_the_close_list(korvant):
    app = start(korvant, options={"AutoSET": 0},
                files={"CloseList.txt": "Some page - Browser       3\r\n"})
    before = app.read("KorvaNT.ini", encoding=None)
    (app.folder / "CloseList.txt").unlink()
    exit_from_tray_menu(app)
    assert app.read("CloseList.txt") == "Some page - Browser       3\r\n"
    assert app.read("KorvaNT.ini", encoding=None) == before
    assert not app.exists("ProxyList.txt")


def test_closing_the_main_window_saves_as_the_menus_exit_and_leaves_nothing(korvant):
    from harness import winctl
    app = start(korvant, options={"AutoSET": 0})
    before = app.read("KorvaNT.ini", encoding=None)
    assert winctl("close", MAIN_TITLE)[0] == 0
    assert_gone(app)
    assert app.read("KorvaNT.ini", encoding=None) == before
    assert app.exists("CloseList.txt") and not app.exists("ProxyList.txt")
