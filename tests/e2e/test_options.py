"""The options window: opened from the menus, hidden by its close box, its controls acting on the
running program at once."""
from harness import wait_for
from options_helpers import (click, open_options, options_window, quiet_ini, status_text)
from harness import winctl
from options_helpers import OPTIONS_TITLE


def start(korvant, **options):
    app = korvant({"KorvaNT.ini": quiet_ini(**options)})
    app.wait_main_window()
    return app


def test_options_open_topmost_empty_the_status_and_only_hide_on_close(korvant):
    app = start(korvant, SetFormTop=0)
    window = open_options()
    assert window.topmost
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save message")

    assert winctl("close", OPTIONS_TITLE)[0] == 0  # the title bar's close box
    wait_for(lambda: not options_window().visible, what="the window to hide")
    assert app.running()

    open_options()
    assert status_text() == ""
