"""The settings file and the list files as KorvaNT leaves them after a start."""
import pytest

from desktop_helpers import assert_gone, choose, open_tray_menu
from harness import MAIN_TITLE, VERSION_LINE, settings_ini, tray_window, wait_for, winctl


def ini_lines(text):
    return [line for line in text.split("\r\n") if line]


# Auto-save off in the files below: closing the window then saves nothing, as the menus' exit
# does, and what is left is what start-up wrote.
def start_and_close(korvant, ini):
    app = korvant({"KorvaNT.ini": ini})
    app.wait_main_window()
    assert winctl("close", MAIN_TITLE)[0] == 0
    app.wait_exit()
    return app.read("KorvaNT.ini")


def test_older_version_gets_the_current_list_keys(korvant):
    ini = ("[Options]\r\nVer=335\r\nIPMC=1\r\nAutoSET=0\r\nMainList=100101\r\nMainListCheckMark=11\r\n"
           "MainWindowRefreshTime=9\r\nX_WindowPosition=1500\r\nY_WindowPosition=750\r\n"
           "RemoteHostIP=接続先\r\n[ColorsOptions]\r\nMainListColor1=00000000001\r\n"
           "MainListColor2=00000000002\r\nBackColor00=255\r\n")
    lines = ini_lines(start_and_close(korvant, ini))
    assert VERSION_LINE in lines
    for key in ("MainList=", "MainListCheckMark=", "MainListColor1=", "MainListColor2=",
                "MainWindowRefreshTime="):
        assert not any(line.startswith(key) for line in lines), key
    for kept in ("IPMC=1", "X_WindowPosition=1500", "RemoteHostIP=接続先", "BackColor00=255"):
        assert kept in lines


def test_newer_version_is_left_alone_and_its_position_used(korvant):
    ini = ("[Options]\r\nVer=400\r\nAutoSET=0\r\nMainList=100\r\nX_WindowPosition=1500\r\n"
           "Y_WindowPosition=750\r\n")
    app = korvant({"KorvaNT.ini": ini})
    main = app.wait_main_window()
    assert (main.left, main.top) == (100, 50)
    assert winctl("close", MAIN_TITLE)[0] == 0
    app.wait_exit()
    assert app.read("KorvaNT.ini") == ini


def test_malformed_files_do_not_stop_the_program(korvant):
    junk = bytes(range(256)) * 40 + b"\r\n" + b"x" * 100000
    app = korvant({"KorvaNT.ini": f"[Options]\r\n{VERSION_LINE}\r\n".encode() + b"SetGraph=99\r\nMainList=" + junk,
                   "CloseList.txt": junk, "ProxyList.txt": junk})
    app.wait_main_window()
    assert app.running()


ENCODED_LISTS = {
    "utf16le_bom": lambda text: b"\xff\xfe" + text.encode("utf-16-le"),
    "utf8_bom": lambda text: b"\xef\xbb\xbf" + text.encode("utf-8"),
    # Code page 932 with a lead byte that no trail byte follows, and bytes it has no
    # character for.
    "undecodable": lambda text: text.encode("cp932") + b"\x81\r\n\xff\xfe\x00junk\x85\x40\r\n",
}


@pytest.mark.parametrize("encoding", ENCODED_LISTS)
def test_list_files_in_another_encoding_survive_a_start_and_a_saving_exit(korvant, encoding):
    encode = ENCODED_LISTS[encoding]
    close = encode("".join(f"ユニコード{i} - ﾃｽﾄ{' ' * 7}{i % 10}\r\n" for i in range(51)))
    proxy = encode("".join(f"プロキシ{i}.example.jp:{8000 + i}\r\n" for i in range(51)))
    app = korvant({"KorvaNT.ini": settings_ini(AutoSET=1, AutoClose=1,
                                               X_WindowPosition=4500, Y_WindowPosition=4500),
                   "CloseList.txt": close, "ProxyList.txt": proxy})
    app.wait_main_window()
    wait_for(tray_window, what="the tray icon")
    open_tray_menu()
    choose("Up", "Return")  # "終了" is the last entry
    assert_gone(app)
    assert "AutoCloseRefreshTime=" in app.read("KorvaNT.ini")  # the save did run
    assert app.read("CloseList.txt", encoding=None) == close
    assert app.read("ProxyList.txt", encoding=None) == proxy
