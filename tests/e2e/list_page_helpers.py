"""Driving the options window's list pages: list views, list boxes and the colour dialog."""
from desktop_helpers import xdotool
from harness import run, wait_for, winctl
from options_helpers import IDS, OPTIONS_TITLE

# The colour dialog's value boxes and its OK button.
COLOUR_RED, COLOUR_GREEN, COLOUR_BLUE, OK = 706, 707, 708, 1


class Row:
    def __init__(self, line):
        marks, *self.cells = line.rstrip("\n").split("\t")
        checked, selected = marks.split()
        self.checked, self.selected = checked == "1", selected == "1"

    def __repr__(self):
        return f"Row({self.checked}, {self.selected}, {self.cells})"


def rows(name):
    rc, out = winctl("lvrows", OPTIONS_TITLE, str(IDS[name]))
    assert rc == 0, name
    return [Row(line) for line in out.splitlines()]


def list_place(name):
    """The first row a list view shows and its first selected row (-1: none)."""
    rc, out = winctl("lvplace", OPTIONS_TITLE, str(IDS[name]))
    assert rc == 0, name
    top, selected = (int(v) for v in out.split())
    return top, selected


def row_centre(name, row):
    rc, out = winctl("lvrowrect", OPTIONS_TITLE, str(IDS[name]), str(row))
    assert rc == 0
    left, top, right, bottom = (int(v) for v in out.split())
    return (left + right) // 2, (top + bottom) // 2


def check_row(name, row, checked):
    assert winctl("lvcheck", OPTIONS_TITLE, str(IDS[name]), str(row), "1" if checked else "0")[0] == 0


def select_row(name, row):
    assert winctl("lvselect", OPTIONS_TITLE, str(IDS[name]), str(row))[0] == 0


def click_check_box(name, row):
    """A click on a row's check box, which sits at the left end of the row."""
    rc, out = winctl("lvrowrect", OPTIONS_TITLE, str(IDS[name]), str(row))
    assert rc == 0
    left, top, right, bottom = (int(v) for v in out.split())
    xdotool("mousemove", left + 8, (top + bottom) // 2, "click", 1)


def click_header(name, column):
    """A click on a column header, as a user would sort."""
    # Polled: right after a tab was chosen the header may not answer yet.
    out = wait_for(lambda: (lambda r: r[1] if r[0] == 0 and r[1].strip() else None)(
        winctl("lvheaderrect", OPTIONS_TITLE, str(IDS[name]), str(column))),
        what=f"the header of {name}")
    left, top, right, bottom = (int(v) for v in out.split())
    xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", 1)


def list_box(name):
    rc, out = winctl("lbitems", OPTIONS_TITLE, str(IDS[name]))
    assert rc == 0, name
    return out.splitlines()


def set_text(name, text):
    assert winctl("settext", OPTIONS_TITLE, str(IDS[name]), text)[0] == 0, name


def colour_dialog_title():
    """The caption of the colour dialog while it is open (the only other window with "色")."""
    found = run(["xdotool", "search", "--onlyvisible", "--name", "色"]).stdout.split()
    for window in found:
        name = run(["xdotool", "getwindowname", window]).stdout.decode().strip()
        if name and name != OPTIONS_TITLE:
            return name
    return None


def choose_colour(red, green, blue):
    """Picks a colour in the open colour dialog by its value boxes and confirms it."""
    title = wait_for(colour_dialog_title, what="the colour dialog")
    for control, value in ((COLOUR_RED, red), (COLOUR_GREEN, green), (COLOUR_BLUE, blue)):
        assert winctl("settext", title, str(control), str(value))[0] == 0
    assert winctl("click", title, str(OK))[0] == 0
    wait_for(lambda: colour_dialog_title() is None, what="the colour dialog to close")
