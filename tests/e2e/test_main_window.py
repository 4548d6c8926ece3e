"""The main window's size: one rule for start-up, the refresh and "サイズ初期化", and in
"ウインドウサイズ可変" the user's own size, dragged at an edge and saved."""
import pytest
from PIL import Image

from desktop_helpers import TWIPS, holds, xdotool
from harness import MAIN_TITLE, client_area, find_window, screenshot, wait_for, winctl
from options_helpers import click, open_options, quiet_ini, select_tab, status_text

# Two single rows: a list of 2 x 14 pixels, drawn onto 158 columns.
TWO_ROWS = {"MainList": "100101", "MainListCheckMark": "11"}
LIST_HEIGHT = 28
LIST_WIDTH = 158
VARIABLE, FIXED = 0, 1
# What "サイズ初期化" stores for this list (and what start-up reads back as its client area).
RESET_SIZE = {"WindowWidth": 2496, "WindowHeight": LIST_HEIGHT * TWIPS + 128}


def start(korvant, mode, **options):
    app = korvant({"KorvaNT.ini": quiet_ini(DrawType=mode, **{**TWO_ROWS, **options})})
    return app, app.wait_main_window()


def size(window):
    return window.width, window.height, window.client_width, window.client_height


def main():
    return find_window(MAIN_TITLE)


@pytest.mark.parametrize("mode", [VARIABLE, FIXED], ids=["variable", "fixed"])
def test_start_refresh_and_size_reset_give_one_size(korvant, mode):
    # Stored as a reset stores it: the variable mode starts at that size, the fixed one at its
    # list's size.
    app, started = start(korvant, mode, **RESET_SIZE)
    assert (started.client_width, started.client_height) == (LIST_WIDTH, LIST_HEIGHT)
    # Refreshes do not change it (the fixed mode sizes the window on every one).
    holds(lambda: size(main()) == size(started), 2.0, what="the size of start-up")
    open_options()
    click("IDC_RESET_SIZE")
    wait_for(lambda: status_text() == "ウインドウサイズを初期化しました", what="the message")
    holds(lambda: size(main()) == size(started), 1.0, what="the size of start-up")


def drag(x, y, dx, dy, steps=12):
    """A hand's drag: pressed at (x, y), moved by (dx, dy) in `steps` moves about 50 ms apart."""
    moves = []
    for step in range(1, steps + 1):
        moves += ["mousemove", x + dx * step // steps, y + dy * step // steps, "sleep", 0.05]
    xdotool("mousemove", x, y, "mousedown", 1, *moves, "mouseup", 1)


def client_pixels(tmp_path, name):
    x0, y0, width, height = client_area(MAIN_TITLE)
    shot = Image.open(screenshot(tmp_path / name)).convert("RGB")
    return shot.crop((x0, y0, x0 + width, y0 + height))


def test_variable_window_follows_a_stepwise_drag_of_its_corner_and_edge_and_saves_the_size(
        korvant, tmp_path):
    app, before = start(korvant, VARIABLE, **RESET_SIZE)
    drag(before.right - 2, before.bottom - 2, 60, 36)
    # The corner ends at the pointer, which was pressed 2 pixels inside it.
    grown = wait_for(lambda: (w := main()) and w.width == before.width + 60 and w, timeout=5,
                     what="the window to grow with every move")
    assert (grown.left, grown.top, grown.height) == (before.left, before.top, before.height + 36)
    assert (grown.client_width, grown.client_height) == (LIST_WIDTH + 60, LIST_HEIGHT + 36)
    # The right edge alone: only the width follows.
    drag(grown.right - 1, grown.top + grown.height // 2, -30, 25)
    wait_for(lambda: main().width == grown.width - 30, timeout=5, what="the edge to follow")
    holds(lambda: size(main()) == (grown.width - 30, grown.height, LIST_WIDTH + 30,
                                   LIST_HEIGHT + 36), 1.5, what="the dragged size")
    drag(grown.right - 31, grown.top + grown.height // 2, 30, 0, steps=10)
    wait_for(lambda: size(main()) == size(grown), timeout=5, what="the edge to follow back")

    # The 28 list rows are stretched onto the 68 client rows: each row's black separator (list
    # rows 13 and 27) lands at its scaled place, across the stretched width.
    def stretched():
        image = client_pixels(tmp_path, "grown.png")
        if image.size != (grown.client_width, grown.client_height):
            return None
        black = (0, 0, 0)
        right = image.width * 150 // LIST_WIDTH
        scaled = [round((row + 0.5) * image.height / LIST_HEIGHT) for row in (13, 27)]
        lines = all(image.getpixel((x, y)) == black for y in scaled for x in (0, right))
        rows = all(image.getpixel((x, image.height * 6 // LIST_HEIGHT)) != black
                   for x in (0, right))
        return lines and rows
    wait_for(stretched, timeout=5, what=f"the list stretched onto the window (see {tmp_path})")

    open_options()
    click("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save message")
    ini = app.read("KorvaNT.ini")
    # Stored as start-up reads it: the client area's twips and the stored frame.
    assert f"WindowWidth={(LIST_WIDTH + 60) * TWIPS + 126}\r\n" in ini
    assert f"WindowHeight={(LIST_HEIGHT + 36) * TWIPS + 128}\r\n" in ini
    app.stop()
    again = korvant({"KorvaNT.ini": ini})
    assert size(again.wait_main_window()) == size(grown)


def test_fixed_window_moves_with_a_stepwise_drag_at_its_corner(korvant):
    app, before = start(korvant, FIXED)
    drag(before.right - 2, before.bottom - 2, 60, 40)
    wait_for(lambda: (main().left, main().top) == (before.left + 60, before.top + 40), timeout=5,
             what="the window to move")
    assert size(main()) == size(before)


def test_fixed_window_of_one_row_is_as_tall_as_its_row_and_has_no_sizing_frame(korvant):
    # A sizing frame would let the system raise the window to its minimum tracking size.
    # Clear of the options window, which the test opens.
    app, one = start(korvant, FIXED, MainList="100", MainListCheckMark="1",
                     X_WindowPosition=1000 * TWIPS, Y_WindowPosition=900 * TWIPS)
    assert (one.client_width, one.client_height) == (LIST_WIDTH, 14)
    assert one.height == 16, "the list and its one-pixel border"
    holds(lambda: size(main()) == size(one), 1.5, what="the one row's size")
    # Variable: the edges size the window; back to fixed, the list's size again.
    open_options()
    select_tab(5)  # "その他設定1", where the drawing mode is
    click("IDC_DRAW_SCALABLE")
    drag(one.right - 2, one.bottom - 2, 40, 30)
    wait_for(lambda: main().height == one.height + 30, timeout=5, what="the window to grow")
    click("IDC_DRAW_FIXED")
    wait_for(lambda: size(main()) == size(one), timeout=5, what="the list's size again")
    drag(one.right - 2, one.bottom - 2, 40, 30)
    wait_for(lambda: (main().left, main().top) == (one.left + 40, one.top + 30), timeout=5,
             what="a press at the edge to move it, not size it")
    assert size(main()) == size(one)


def test_a_place_off_the_screen_is_brought_onto_it_and_kept_until_saved(korvant):
    # Stored at another scale or on a monitor gone: 2,240 x 1,592 pixels on a 1280 x 1024 screen.
    # Auto-save off: closing the window then saves nothing, as the menus' exit does.
    far = {"X_WindowPosition": 2240 * TWIPS, "Y_WindowPosition": 1592 * TWIPS, "AutoSET": 0}
    app, shown = start(korvant, FIXED, **far)
    work_right, work_bottom = 1280, 1024  # Xvfb's screen, no taskbar without a window manager
    assert (shown.right, shown.bottom) == (work_right, work_bottom)
    app.stop()
    ini = app.read("KorvaNT.ini")
    assert f"X_WindowPosition={2240 * TWIPS}\r\n" in ini, "nothing stored until the user saves"


def test_a_window_dragged_partly_off_stays_until_the_display_changes(korvant):
    app, before = start(korvant, FIXED, X_WindowPosition=1100 * TWIPS, Y_WindowPosition=900 * TWIPS)
    drag(before.left + 20, before.top + 5, 150, 0)
    wait_for(lambda: main().left == before.left + 150, timeout=5, what="the window dragged")
    holds(lambda: main().right > 1280, 1.5, what="the person's place, partly off the screen")
    assert winctl("displaychange")[0] == 0
    wait_for(lambda: main().right == 1280, timeout=5, what="the window back on the screen")
