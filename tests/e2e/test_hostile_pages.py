"""Page servers that never answer or send far too much: the program stays at the user's
service, reads at most the bound and gives back what every fetch opened."""
import os
import time

import pytest

from desktop_helpers import (INTERNET_SETTINGS, assert_gone, choose, ini_text, open_tray_menu,
                             page_server, placed_at, processes_in, reg_add, set_clipboard,
                             x_clipboard)
import harness
from harness import MAIN_TITLE, find_window, tray_window, wait_for

MIB = 1 << 20


@pytest.fixture(autouse=True)
def direct_connection():
    reg_add(INTERNET_SETTINGS, "ProxyEnable", 0)




def settings_for(server, paths, options=None, mem=None):
    servers = {key: server.url(path) for key, path in paths.items()}
    return {"KorvaNT.ini": ini_text({**placed_at(300, 300), **(options or {})}, mem, servers)}


def launch(korvant, server, paths, options=None, mem=None):
    return korvant(settings_for(server, paths, options, mem), start=False)


def first_refresh(app):
    """Waits for the main window's readings (the first refresh sizes it to its list)."""
    app.wait_main_window()
    wait_for(lambda: find_window(MAIN_TITLE).client_width == 158, what="the first refresh")
    wait_for(tray_window, what="the tray icon")
    return time.monotonic()


def usage(app):
    """Threads, open descriptors (files and sockets) and resident kB of the program's processes."""
    threads = fds = rss = 0
    for pid in processes_in(app.folder):
        try:
            threads += len(os.listdir(f"/proc/{pid}/task"))
            fds += len(os.listdir(f"/proc/{pid}/fd"))
            with open(f"/proc/{pid}/status") as status:
                rss += next(int(line.split()[1]) for line in status if line.startswith("VmRSS"))
        except (OSError, StopIteration):
            pass
    return threads, fds, rss


def settled_usage(app):
    """Usage once it has stopped changing for a second."""
    previous = None

    def steady():
        nonlocal previous
        now = usage(app)[:2]
        same, previous = now == previous, now
        return same

    wait_for(steady, timeout=30, interval=1.0, what="the program's threads to settle")
    return usage(app)


def test_a_page_announcing_a_terabyte_neither_holds_nor_fills_the_program(korvant, pages):
    normal_server = pages()
    normal = harness.Korvant("normal-start", settings_for(
        normal_server, {"UpdatePage": "/update", "IpPage": "/ip"}, {"NewVersionCheck": 1},
        {"Slider6": 60}))
    try:
        normal.start()
        first_refresh(normal)
        wait_for(lambda: normal_server.requested("/update"), what="the update check")
        normal_rss = settled_usage(normal)[2]
    finally:
        normal.stop()
    wait_for(lambda: not processes_in(normal.folder), what="the normal start to end")

    server = pages(streams={"/update": 1 << 40})
    app = launch(korvant, server, {"UpdatePage": "/update", "IpPage": "/ip"},
                 {"NewVersionCheck": 1}, {"Slider6": 60})
    started = time.monotonic()
    app.start()
    shown = first_refresh(app)
    wait_for(lambda: "/update" in server.sent, what="the stream to end")
    assert server.sent["/update"] < 1 << 40  # the program hung up long before the end
    assert settled_usage(app)[2] < normal_rss + 10 * 1024
    open_tray_menu()
    chosen = time.monotonic()
    choose("Up", "Return")  # "終了"
    assert_gone(app)
    print(f"readings after {shown - started:.2f} s; exit took {time.monotonic() - chosen:.2f} s;"
          f" {server.sent['/update']} bytes sent; rss {normal_rss} kB normal")


def test_a_server_that_never_answers_leaves_nothing_behind(korvant, pages):
    server = pages(stall={"/update", "/ip"})
    app = launch(korvant, server, {"UpdatePage": "/update", "IpPage": "/ip"},
                 {"IPMC": 1, "IPSET": 1, "NewVersionCheck": 1}, {"Slider6": 60})
    set_clipboard("before")
    app.start()
    shown = first_refresh(app)
    # The readings came while the update page was still awaited, before it was given up.
    gone = wait_for(lambda: server.left, timeout=15, what="the update fetch to be given up")
    assert shown < gone[0][0]
    open_tray_menu()
    choose("Down", "Return")  # "ＩＰアドレスコピー": the address was never had
    wait_for(lambda: x_clipboard() == "0,0,0,0", what="zeros on the clipboard")
    before = settled_usage(app)
    for _ in range(20):
        open_tray_menu()
        choose("Down", "Down", "Return")  # "IP再取得"
    wait_for(lambda: len(server.requested("/ip")) == 20, what="twenty IP requests")
    wait_for(lambda: len(server.left) == 21, timeout=30, what="every request to be given up")
    after = wait_for(lambda: (lambda u: u if u[:2] <= before[:2] else None)(usage(app)),
                     timeout=30, what=f"threads and descriptors back to {before[:2]}")
    print(f"threads, descriptors, rss before {before}, after {after}")
    assert app.running()


@pytest.mark.parametrize("announce", [True, False], ids=["announced", "unannounced"])
def test_a_hundred_mebibyte_page_is_cut_off_at_the_bound(korvant, pages, announce):
    server = pages(streams={"/ip": 100 * MIB}, announce=announce)
    set_clipboard("before")
    app = launch(korvant, server, {"UpdatePage": "/none", "IpPage": "/ip"},
                 {"IPMC": 1, "NewVersionCheck": 0}, {"Slider6": 0})
    app.start()
    first_refresh(app)
    wait_for(lambda: "/ip" in server.sent, what="the page to end")
    assert server.sent["/ip"] < 100 * MIB  # the program hung up early
    open_tray_menu()
    choose("Down", "Return")  # "ＩＰアドレスコピー"
    wait_for(lambda: x_clipboard() == "0,0,0,0", what="zeros on the clipboard")
    print(f"{server.sent['/ip']} of {100 * MIB} bytes sent")
    assert app.running()
