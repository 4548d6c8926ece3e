"""The review sheet's capture at 100 % in both languages, and what its pictures must show: every
window on the screen's work area, every text within its control, each list label clear of its
value, the load icon in the list's colours."""
import pytest
from PIL import Image

import screens
from harness import RUNS
from test_display_scale import separators
from test_language import TITLES

# The list's labels by item, drawn from x 5 (96-DPI pixels) in the row font, whose half-width
# characters are 6 pixels wide and the others 12.
LABELS = {100: "RowCpuTotal", 101: "RowMemory", 102: "RowReceiveRate", 103: "RowSendRate",
          110: "RowReceiveTotal", 111: "RowSendTotal", 104: "RowPublicAddress",
          105: "RowLanAddress", 106: "RowProxyServer", 107: "RowProxyEnable",
          108: "RowActiveScripting", 109: "RowJavaScripting", 115: "RowUptime", 116: "RowCpu1",
          117: "RowCpu2", 118: "RowCpu3", 119: "RowCpu4"}
LABEL_LEFT = 5


@pytest.fixture(scope="module", params=["ja", "en"])
def capture(request):
    """One capture a language at 96 DPI (the suite's display scale) and its sheet."""
    found = screens.capture_all(RUNS / f"screens-{request.param}-96", request.param, 96)
    screens.compose_sheet(found, RUNS / f"screens-sheet-{request.param}-96.png")
    return found


def text_width(text):
    return sum(6 if ord(c) < 0x80 or 0xFF61 <= ord(c) <= 0xFF9F else 12 for c in text)


def ink_columns(image, top, bottom, ink):
    """The columns of a band of rows where a pixel is near the text colour."""
    return sorted({x for x in range(image.width) for y in range(top, bottom)
                   if sum(abs(a - b) for a, b in zip(image.getpixel((x, y)), ink)) < 90})


def value_start(columns, gap):
    """The first column of the rightmost run of ink whose gaps are narrower than `gap`: a value
    text's, as words in it are as far apart as one character at least."""
    start = columns[-1]
    for column in reversed(columns):
        if start - column > gap:
            break
        start = column
    return start


def labels_under_values(capture):
    """(label, its end, the value's start) for each row whose label runs under its value or out
    of the row; the rows are told apart by the black line under each."""
    picture = capture.picture("main-fixed")
    image = Image.open(picture.path).convert("RGB")
    left, top, width, height = picture.client
    list_image = image.crop((left, top, left + width, top + height))
    lines = separators(list_image, (0, 0, width, height))
    bands = list(zip([-1] + lines, lines))
    drives = len(bands) - len(screens.LIST_ORDER) + 1
    order = screens.LIST_ORDER
    items = order[:order.index(screens.DRIVES)] + [screens.DRIVES] * drives + \
        order[order.index(screens.DRIVES) + 1:]
    assert len(items) == len(bands)
    scale = capture.dpi / 96
    ink = screens.colour_of(screens.TEXT_COLOUR)
    faults = []
    for item, (above, below) in zip(items, bands):
        if item not in LABELS:
            continue
        label = screens.program_text(capture.language, LABELS[item])
        label_end = round((LABEL_LEFT + text_width(label)) * scale)
        columns = ink_columns(list_image, above + 1, below, ink)
        if not columns or columns[-1] < label_end and label_end < width:
            continue  # the label alone, or its value drawn within it is not told apart here
        start = value_start(columns, round(6 * scale))
        cut = ends_in_ellipsis(list_image, above + 1, below, ink, columns, start, scale)
        if start < label_end and not cut:
            faults.append((label, label_end, start))
    return faults


def ends_in_ellipsis(image, top, bottom, ink, columns, start, scale):
    """Whether the ink just left of the value is a label cut with "…": the last character cell
    before the gap holds dots on one line, no taller than a dot."""
    before = [c for c in columns if c < start]
    if not before:
        return False
    cell = [c for c in before if c >= before[-1] - 10 * scale]
    rows = {y for x in cell for y in range(top, bottom)
            if sum(abs(a - b) for a, b in zip(image.getpixel((x, y)), ink)) < 90}
    return len(cell) >= 2 and max(rows) - min(rows) <= 2 * scale


def test_every_window_lies_on_the_work_area(capture):
    assert screens.off_the_work_area(capture) == []


def test_every_text_fits_its_control(capture):
    assert capture.overflowing == {TITLES[capture.language]: "", "size-window": ""}


def test_no_list_label_runs_under_its_value(capture):
    assert labels_under_values(capture) == []


def test_the_load_icon_draws_its_bars_in_the_list_colours(capture):
    order = screens.LIST_ORDER
    expected = {"cpu": screens.BAR_END_COLOURS[order.index(100)],
                "memory": screens.BAR_END_COLOURS[order.index(101)]}
    bars = screens.load_icon(Image.open(capture.picture("tray-load").path).convert("RGB"))
    assert {name: bars[name][0] for name in expected} == \
        {name: screens.colour_of(colour) for name, colour in expected.items()}
