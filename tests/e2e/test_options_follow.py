"""The options window follows the running program: each page shows what is true now, and a
change made on one page leaves the other pages' selections as they were."""
from PIL import Image

from desktop_helpers import INTERNET_SETTINGS, choose, open_tray_menu, reg_add, set_clipboard
from harness import screenshot, wait_for, winctl
from list_page_helpers import choose_colour, list_box, rows, select_row, set_text
from options_helpers import (click, control, control_rect, IDS, OPTIONS_TITLE, select_tab, slide,
                             start_with_options, status_text)

DRIVE_TAB, PROXY_TAB, GENERAL_TAB, TOOLS_TAB = 2, 3, 5, 8


start = start_with_options


def test_proxy_box_shows_the_current_proxy_and_the_one_chosen(korvant):
    reg_add(INTERNET_SETTINGS, "ProxyEnable", 0)
    reg_add(INTERNET_SETTINGS, "ProxyServer", "current.example:1", "REG_SZ")
    app = start(korvant, files={"ProxyList.txt": "first.example:80\r\nsecond.example:8080\r\n"})
    select_tab(PROXY_TAB)
    assert control("IDC_PROXY_ENTRY").text == "current.example:1"
    click("IDC_PROXY_MENU")  # the proxy menu on top of the tray menu
    wait_for(lambda: control("IDC_PROXY_MENU").value == 1, what="the proxy menu ticked")

    open_tray_menu()
    choose("Down", "Right", "Down", "Down", "Return")  # the second list entry
    wait_for(lambda: control("IDC_PROXY_ENTRY").text == "second.example:8080",
             what="the chosen proxy in the box")

    # An empty box shows its example as a hint only: "追加" adds nothing to the list or its file.
    set_text("IDC_PROXY_ENTRY", "")
    click("IDC_PROXY_ADD")
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save")
    assert list_box("IDC_PROXY_LIST") == ["first.example:80", "second.example:8080"]
    assert app.read("ProxyList.txt") == "first.example:80\r\nsecond.example:8080\r\n"


def test_readings_pages_follow_the_clipboard_and_the_folder_sizing(korvant):
    start(korvant)
    set_clipboard("first text")
    wait_for(lambda: control("IDC_CLIPBOARD_TEXT").text == "first text",
             what="the clipboard box to show the clipboard")
    set_clipboard("second text")
    wait_for(lambda: control("IDC_CLIPBOARD_TEXT").text == "second text",
             what="the clipboard box to follow it")

    select_tab(TOOLS_TAB)
    select_tab(1, tabs="IDC_TOOLS_TABS")
    slide("IDC_FOLDER_SLIDER", 2)
    foreground = winctl("foreground")[1].strip()
    assert foreground
    wait_for(lambda: control("IDC_FOLDER_TITLE").text == foreground,
             what="the folder sizing's view of the foreground window")


def drive_preview_end(folder):
    """The colour at the right end of the drive preview, as the screen shows it."""
    left, top, right, bottom = control_rect("IDC_DRIVE_PREVIEW")
    shot = Image.open(screenshot(folder / "screen.png")).convert("RGB")
    return shot.getpixel((right - 2, (top + bottom) // 2))


def yellow(pixel):
    red, green, blue = pixel
    return red > 230 and green > 230 and blue < 60


def test_list_selections_survive_changes_made_elsewhere(korvant, tmp_path):
    app = start(korvant, files={"ProxyList.txt": "a.example:1\r\nb.example:2\r\n"},
                AutoHddCheck=0, DrivesCheckMark="CZ")
    # The drive page opens with its first row selected and that row's bar in the preview
    # (white into the first position's yellow).
    select_tab(DRIVE_TAB)
    assert rows("IDC_DRIVE_LIST")[0].selected
    wait_for(lambda: yellow(drive_preview_end(tmp_path)), what="the first drive's bar in the preview")

    select_row("IDC_DRIVE_LIST", 1)
    select_tab(PROXY_TAB)
    assert winctl("lbselect", OPTIONS_TITLE, str(IDS["IDC_PROXY_LIST"]), "0")[0] == 0

    # An unrelated change on another page.
    select_tab(GENERAL_TAB)
    click("IDC_SAVE_AT_EXIT")
    wait_for(lambda: control("IDC_SAVE_AT_EXIT").value == 0, what="the unticked box")

    select_tab(PROXY_TAB)
    click("IDC_PROXY_DELETE")
    wait_for(lambda: list_box("IDC_PROXY_LIST") == ["b.example:2"], what="the deleted entry")

    select_tab(DRIVE_TAB)
    assert rows("IDC_DRIVE_LIST")[1].selected
    click("IDC_DRIVE_START_COLOUR")
    choose_colour(255, 0, 0)
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save")
    saved = dict(line.split("=", 1) for line in app.read("KorvaNT.ini").splitlines() if "=" in line)
    assert saved["DrivesColor2"].split()[:2] == ["00016777215", "00000000255"]
