"""The settings file as KorvaNT leaves it after a start."""
from harness import MAIN_TITLE, winctl


def ini_lines(text):
    return [line for line in text.split("\r\n") if line]


def start_and_close(korvant, ini):
    app = korvant({"KorvaNT.ini": ini})
    app.wait_main_window()
    assert winctl("close", MAIN_TITLE)[0] == 0
    app.wait_exit()
    return app.read("KorvaNT.ini")


def test_older_version_gets_the_current_list_keys(korvant):
    ini = ("[Options]\r\nVer=335\r\nIPMC=1\r\nMainList=100101\r\nMainListCheckMark=11\r\n"
           "MainWindowRefreshTime=9\r\nX_WindowPosition=1500\r\nY_WindowPosition=750\r\n"
           "RemoteHostIP=接続先\r\n[ColorsOptions]\r\nMainListColor1=00000000001\r\n"
           "MainListColor2=00000000002\r\nBackColor00=255\r\n")
    lines = ini_lines(start_and_close(korvant, ini))
    assert "Ver=336" in lines
    for key in ("MainList=", "MainListCheckMark=", "MainListColor1=", "MainListColor2=",
                "MainWindowRefreshTime="):
        assert not any(line.startswith(key) for line in lines), key
    for kept in ("IPMC=1", "X_WindowPosition=1500", "RemoteHostIP=接続先", "BackColor00=255"):
        assert kept in lines


def test_newer_version_is_left_alone_and_its_position_used(korvant):
    ini = "[Options]\r\nVer=400\r\nMainList=100\r\nX_WindowPosition=1500\r\nY_WindowPosition=750\r\n"
    app = korvant({"KorvaNT.ini": ini})
    main = app.wait_main_window()
    assert (main.left, main.top) == (100, 50)
    assert winctl("close", MAIN_TITLE)[0] == 0
    app.wait_exit()
    assert app.read("KorvaNT.ini") == ini


def test_malformed_files_do_not_stop_the_program(korvant):
    junk = bytes(range(256)) * 40 + b"\r\n" + b"x" * 100000
    app = korvant({"KorvaNT.ini": b"[Options]\r\nVer=336\r\nSetGraph=99\r\nMainList=" + junk,
                   "CloseList.txt": junk, "ProxyList.txt": junk})
    app.wait_main_window()
    assert app.running()
