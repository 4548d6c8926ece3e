"""The program at display scales of 100, 150 and 200 %: the list drawn at the window's DPI (the
font at its size, not a stretched copy), the options window's owner-drawn parts scaled with it."""
from PIL import Image

from desktop_helpers import reg_add
from harness import MAIN_TITLE, RUNS, client_area, run, screenshot, wait_for
from options_helpers import IDS, OPTIONS_TITLE, control_rect, open_options, quiet_ini, select_tab

DESKTOP = r"HKCU\Control Panel\Desktop"
# Four single rows: a list of 4 x 14 pixels at 96 DPI.
FOUR_ROWS = {"MainList": "100101102103", "MainListCheckMark": "1111", "DrawType": 1}
TAB_COUNT = 12  # the options window's tabs
OWNER_DRAWN = ["IDC_BACKGROUND_COLOUR", "IDC_GRAPH_BACK_COLOUR", "IDC_SWATCH_2", "IDC_SWATCH_5",
               "IDC_BAR_STRIPS", "IDC_DISPLAY_PREVIEW", "IDC_DRIVE_PREVIEW", "IDC_STATUS"]


def use_dpi(dpi):
    """The prefix's display scale; its server reads it when it starts."""
    reg_add(DESKTOP, "LogPixels", str(dpi))
    run(["wineserver", "-k"])
    run(["wineserver", "-w"])
    run(["wineserver", "-p"])


def separators(shot, area):
    """The y (from the client top) of each black separator's first row, down column 1."""
    x, y, width, height = area
    rows, previous = [], False
    for dy in range(height):
        black = shot.getpixel((x + 1, y + dy))[:3] == (0, 0, 0)
        if black and not previous:
            rows.append(dy)
        previous = black
    return rows


def ink_rows(shot, area, top, bottom, right):
    """Rows between top and bottom with dark text pixels left of `right`."""
    x, y = area[:2]
    return [dy for dy in range(top, bottom)
            if any(sum(shot.getpixel((x + dx, y + dy))[:3]) < 400 for dx in range(2, right))]


def mixed_blocks(shot, area, top, bottom, right):
    """2 x 2 blocks (aligned to the client's corner) holding more than one colour: none in a
    copy of the 96-DPI image stretched to twice its size."""
    x, y = area[:2]
    count = 0
    for dy in range(top - top % 2, bottom, 2):
        for dx in range(0, right, 2):
            block = {shot.getpixel((x + dx + i, y + dy + j)) for i in (0, 1) for j in (0, 1)}
            count += len(block) > 1
    return count


def measure(korvant, dpi):
    app = korvant({"KorvaNT.ini": quiet_ini(**FOUR_ROWS)})
    app.wait_main_window()
    area = wait_for(lambda: client_area(MAIN_TITLE), what="the main window's client area")
    shot_path = RUNS / f"display-scale-{dpi}.png"

    def drawn():
        shot = Image.open(screenshot(shot_path)).convert("RGB")
        return shot if len(separators(shot, area)) == 4 else None

    shot = wait_for(drawn, what="the list of four rows")
    first_row = separators(shot, area)[0]
    found = {"area": area, "separators": separators(shot, area),
             "ink": ink_rows(shot, area, 0, first_row, area[2] // 3),
             "mixed": mixed_blocks(shot, area, 0, first_row, area[2] // 3)}

    window = open_options()
    # Every tab once (a tab's pages are made when it is first chosen), then the first again.
    for tab in list(range(TAB_COUNT)) + [0]:
        select_tab(tab)
    options_area = client_area(OPTIONS_TITLE)
    left, top = options_area[0], options_area[1]
    right, bottom = left + options_area[2], top + options_area[3]
    for name in OWNER_DRAWN:
        l, t, r, b = control_rect(name)
        assert r > l and b > t, (dpi, name)
        assert left <= l and r <= right and top <= t and b <= bottom, (dpi, name)
    found["options"] = (window.width, window.height)
    l, t, r, b = control_rect("IDC_DISPLAY_PREVIEW")
    found["preview"] = (r - l, b - t)
    screenshot(RUNS / f"display-scale-{dpi}-options.png")
    app.stop()
    return found


def test_main_and_options_windows_at_each_display_scale(korvant):
    assert "IDC_DISPLAY_PREVIEW" in IDS
    try:
        use_dpi(96)
        plain = measure(korvant, 96)
        _, _, width, height = plain["area"]
        assert (width, height) == (158, 56)
        assert plain["separators"] == [13, 27, 41, 55]
        assert plain["preview"] == (157, 13)
        for dpi in (144, 192):
            use_dpi(dpi)
            scaled = measure(korvant, dpi)
            factor = dpi / 96
            _, _, w, h = scaled["area"]
            assert abs(w - width * factor) <= 2 and abs(h - height * factor) <= 2, (dpi, w, h)
            # The rows: a separator every 14 scaled pixels, the rows between them as tall.
            rows = scaled["separators"]
            assert len(rows) == 4, (dpi, rows)
            pitches = {b - a for a, b in zip(rows, rows[1:])}
            assert pitches == {round(14 * factor)}, (dpi, rows)
            assert abs(rows[0] - 13 * factor) <= 1, (dpi, rows)
            # The text is the font's at that size: as many times taller, and at 200 % not a
            # copy of the 96-DPI pixels doubled.
            ink = scaled["ink"][-1] - scaled["ink"][0] + 1
            plain_ink = plain["ink"][-1] - plain["ink"][0] + 1
            assert abs(ink - plain_ink * factor) <= 2, (dpi, ink, plain_ink)
            if dpi == 192:
                assert scaled["mixed"] > 10, scaled["mixed"]
            # The options window grows with the scale, its previews at the list's row size.
            assert scaled["options"][0] >= plain["options"][0] * factor - 8, (dpi, scaled)
            assert scaled["preview"] == {144: (236, 20), 192: (314, 26)}[dpi], (dpi, scaled)
    finally:
        use_dpi(96)
