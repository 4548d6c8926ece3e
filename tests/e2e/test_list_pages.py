"""The options window's list pages: the display list editor, the drive list, the proxy list and
the close list, driven as a user would and checked on the main window and in the saved files."""
from desktop_helpers import browser_window_closed, holds, xdotool
from harness import find_window, MAIN_TITLE, wait_for
from list_page_helpers import (check_row, choose_colour, click_check_box, click_header, list_box,
                               list_place, row_centre, rows, select_row, set_text)
from options_helpers import (click, control, control_rect, select_tab, start_with_options,
                             status_text)


start = start_with_options


def ids_and_marks(name="IDC_DISPLAY_LIST"):
    return [(r.cells[1], r.checked) for r in rows(name)]


def test_list_editor_keeps_one_row_moves_rows_and_sets_one_colour(korvant):
    # The graph, processor load and memory use, the first two shown.
    start(korvant, MainList="113100101", MainListCheckMark="110")
    assert ids_and_marks() == [("113", True), ("100", True), ("101", False)]

    # Hiding the processor row shrinks the main window at the next tick by its row.
    height = find_window(MAIN_TITLE).client_height
    check_row("IDC_DISPLAY_LIST", 1, False)
    wait_for(lambda: find_window(MAIN_TITLE).client_height == height - 14,
             what="the main window to lose a row")

    # The last shown row stays shown.
    check_row("IDC_DISPLAY_LIST", 0, False)
    wait_for(lambda: ids_and_marks()[0] == ("113", True), what="the graph row to stay ticked")

    # "↑" on the first row changes nothing; "↓" moves the row with its mark and colours.
    select_row("IDC_DISPLAY_LIST", 0)
    before = [r.cells for r in rows("IDC_DISPLAY_LIST")]
    click("IDC_DISPLAY_UP")
    click("IDC_DISPLAY_DOWN")
    wait_for(lambda: ids_and_marks()[1] == ("113", True), what="the graph row to move down")
    after = rows("IDC_DISPLAY_LIST")
    assert [r.cells for r in after] == [before[1], before[0], before[2]]
    assert not after[0].checked and after[1].selected

    # "単色" on the processor row sets both of its colours to the chosen one.
    select_row("IDC_DISPLAY_LIST", 0)
    wait_for(lambda: control("IDC_DISPLAY_START_COLOUR").text == "開始色",
             what="the colour buttons of a meter item")
    click("IDC_DISPLAY_SINGLE_COLOUR")
    choose_colour(0, 0, 255)
    wait_for(lambda: rows("IDC_DISPLAY_LIST")[0].cells[2:] == ["16711680", "16711680"],
             what="both colours of the row")


def test_drive_page_lists_the_prefix_drives_and_saves_the_ticks(korvant):
    app = start(korvant, AutoHddCheck=0, DrivesCheckMark="CZ")
    select_tab(2)
    drives = rows("IDC_DRIVE_LIST")
    # The prefix has C: and Z:, both fixed; no A:, B: or CD-ROM gets a row.
    assert [(r.cells[0], r.cells[1], r.checked) for r in drives] == [
        ("C", "ハードディスク", True), ("Z", "ハードディスク", True)]

    check_row("IDC_DRIVE_LIST", 0, False)
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save")
    assert "DrivesCheckMark=0Z" in app.read("KorvaNT.ini").splitlines()


def test_proxy_page_adds_an_entry_without_its_leading_blanks(korvant):
    app = start(korvant, files={"ProxyList.txt": "old.example:80\r\n"})
    select_tab(3)
    set_text("IDC_PROXY_ENTRY", "  new.example:8080")
    click("IDC_PROXY_ADD")
    wait_for(lambda: status_text() == "new.example:8080をプロキシリストに追加しました",
             what="the added message")
    assert list_box("IDC_PROXY_LIST") == ["old.example:80", "new.example:8080"]
    assert control("IDC_PROXY_ENTRY").text == ""

    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save")
    assert app.read("ProxyList.txt") == "old.example:80\r\nnew.example:8080\r\n"


def test_close_list_sorts_counts_as_numbers_and_deletes_ticked_rows(korvant):
    close_list = "ten      10\r\nnine       9\r\nhundred     100\r\n"
    app = start(korvant, files={"CloseList.txt": close_list})
    select_tab(4)
    click_header("IDC_CLOSE_LIST", 1)
    wait_for(lambda: [r.cells[1] for r in rows("IDC_CLOSE_LIST")] == ["9", "10", "100"],
             what="the counts in ascending order")

    click_check_box("IDC_CLOSE_LIST", 1)
    wait_for(lambda: rows("IDC_CLOSE_LIST")[1].checked, what="the row's box ticked")
    click("IDC_CLOSE_DELETE")
    wait_for(lambda: [r.cells[0] for r in rows("IDC_CLOSE_LIST")] == ["nine", "hundred"],
             what="the ticked row to go")
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save")
    assert app.read("CloseList.txt") == "nine       9\r\nhundred     100\r\n"


def test_a_close_counted_keeps_the_scrolled_close_list_and_its_selection(korvant):
    close_list = "".join(f"Page {i:03} -{0:>8}\r\n" for i in range(300))
    start(korvant, files={"CloseList.txt": close_list})
    select_tab(4)
    click("IDC_AUTO_CLOSE_ON")
    wait_for(lambda: control("IDC_AUTO_CLOSE_ON").value == 1, what="auto-close on")
    xdotool("mousemove", *row_centre("IDC_CLOSE_LIST", 5), "click", 1)
    wait_for(lambda: list_place("IDC_CLOSE_LIST")[1] == 5, what="row 5 selected")
    # Scrolled by hand, notch by notch, until the selection is far out of sight.
    left, top, right, bottom = control_rect("IDC_CLOSE_LIST")
    xdotool("mousemove", (left + right) // 2, (top + bottom) // 2,
            "click", "--repeat", 30, "--delay", 40, 5)
    shown = wait_for(lambda: (t := list_place("IDC_CLOSE_LIST")[0]) >= 60 and t,
                     what="the list scrolled down")
    holds(lambda: list_place("IDC_CLOSE_LIST")[0] == shown, 0.5, what="the scroll at rest")

    counted = shown + 3
    browser_window_closed(f"Page {counted:03} - Microsoft Internet Explorer")
    wait_for(lambda: rows("IDC_CLOSE_LIST")[counted].cells[1] == "1", what="the count shown")
    assert list_place("IDC_CLOSE_LIST") == (shown, 5)
