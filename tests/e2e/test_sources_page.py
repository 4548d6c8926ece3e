"""The options tab "外部の値", driven with the mouse and the keyboard as a person would: a source
added, its kind chosen, its address, token and key typed, a bad number refused, and the settings
saved without the token in plain text; a source's offers browsed from a local JSON server, one
picked, and its value shown and followed on the page."""
import json

from desktop_helpers import xdotool
from harness import wait_for
from list_page_helpers import row_centre, rows
from options_helpers import (control, control_rect, select_tab, start_with_options,
                             status_text)

SOURCES_TAB = 11  # "外部の値", the last tab


def click_on(name):
    left, top, right, bottom = control_rect(name)
    xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", 1)


def type_into(name, text, end="Tab"):
    """A click into a text box, its text replaced by typing, and the box left (or Enter)."""
    click_on(name)
    wait_for(lambda: control(name).enabled, what=f"{name} to take input")
    xdotool("key", "End", "shift+Home", "BackSpace")
    xdotool("type", "--delay", "20", text)
    xdotool("key", end)


def test_a_source_is_set_up_from_the_keyboard_and_saved_without_its_token(korvant, pages):
    server = pages()
    app = start_with_options(korvant)
    select_tab(SOURCES_TAB)
    wait_for(lambda: control("IDC_SOURCE_ADD").visible, what="the page of external readings")
    assert rows("IDC_SOURCE_LIST") == []
    assert not control("IDC_SOURCE_KIND").enabled

    # A new source reads LibreHardwareMonitor on this PC, shown, and takes the keyboard.
    click_on("IDC_SOURCE_ADD")
    wait_for(lambda: len(rows("IDC_SOURCE_LIST")) == 1, what="the new source's row")
    row = rows("IDC_SOURCE_LIST")[0]
    assert row.checked and row.selected
    assert row.cells[:2] == ["（名前なし）", "LibreHardwareMonitor"]
    assert control("IDC_SOURCE_URL").text == "http://127.0.0.1:8085/data.json"
    assert not control("IDC_SOURCE_TOKEN").enabled

    # Home Assistant, chosen with the arrow key: its usual address, and a token to give.
    xdotool("key", "Down")
    wait_for(lambda: control("IDC_SOURCE_URL").text == "http://homeassistant.local:8123",
             what="Home Assistant's usual address")
    assert control("IDC_SOURCE_TOKEN").enabled
    assert rows("IDC_SOURCE_LIST")[0].cells[1] == "Home Assistant"

    # Enter takes the address as leaving the box does, and leaves the window open.
    address = server.url("")
    type_into("IDC_SOURCE_URL", address, end="Return")
    type_into("IDC_SOURCE_KEY", "sensor.room_temperature")
    type_into("IDC_SOURCE_NAME", "Room")
    wait_for(lambda: rows("IDC_SOURCE_LIST")[0].cells[0] == "Room", what="the row's new name")

    # The token is taken and never shown again: the box empties, and it can be cleared.
    type_into("IDC_SOURCE_TOKEN", "secret-token-123")
    wait_for(lambda: control("IDC_SOURCE_TOKEN_CLEAR").enabled, what="a token kept")
    assert control("IDC_SOURCE_TOKEN").text == ""

    # A number out of range is named on the status bar and not taken.
    type_into("IDC_SOURCE_DECIMALS", "9")
    wait_for(lambda: "小数桁数「9」" in status_text(), what="the refused number named")
    wait_for(lambda: control("IDC_SOURCE_DECIMALS").text == "1", what="the decimals kept")
    type_into("IDC_SOURCE_INTERVAL", "5")

    click_on("IDC_SAVE")
    wait_for(lambda: status_text() == "設定を保存しました", what="the save")
    saved = app.read("KorvaNT.ini")
    section = saved[saved.index("[Sources]"):]
    for line in ("Count=1", "Kind1=homeassistant", f"Url1={address}",
                 "Key1=sensor.room_temperature", "Name1=Room", "Decimals1=1", "Interval1=5",
                 "Show1=1"):
        assert f"\r\n{line}\r\n" in section, (line, section)
    assert "secret-token-123" not in saved
    assert "\r\nToken1=dpapi:" in section


def test_browse_fills_the_key_and_the_page_shows_the_value_as_it_changes(korvant, pages):
    body = {"room": {"temperature": 21.5, "humidity": 40}, "cpu_usage_ratio": 0.12}
    server = pages(extra={"/data.json": json.dumps(body)})
    start_with_options(korvant)
    select_tab(SOURCES_TAB)
    click_on("IDC_SOURCE_ADD")
    wait_for(lambda: len(rows("IDC_SOURCE_LIST")) == 1, what="the new source's row")
    xdotool("key", "Down", "Down")  # any JSON
    wait_for(lambda: rows("IDC_SOURCE_LIST")[0].cells[1] == "JSON", what="the kind JSON")
    type_into("IDC_SOURCE_URL", server.url("/data.json"), end="Return")
    # Without a key the row says how to get one.
    wait_for(lambda: "一覧" in rows("IDC_SOURCE_LIST")[0].cells[2], what="the missing key said")

    # "一覧" lists every number by its pointer in the list's place.
    click_on("IDC_SOURCE_BROWSE")
    wait_for(lambda: len(rows("IDC_SOURCE_OFFERS")) == 3, what="what the source offers")
    assert not control("IDC_SOURCE_LIST").visible
    offers = [r.cells for r in rows("IDC_SOURCE_OFFERS")]
    assert offers[0][:2] == ["/room/temperature", "21.5"]
    assert offers[2] == ["/cpu_usage_ratio", "12%", "%"]
    assert control("IDC_SOURCE_STATE").text.startswith("3 件")

    # A click chooses one and "選択" picks it: its key and name, and the list is back with its
    # value. (A double-click does the same, but two clicks of a loaded machine's X server can
    # come further apart than the double-click time.)
    x, y = row_centre("IDC_SOURCE_OFFERS", 0)
    xdotool("mousemove", x, y, "click", 1)
    click_on("IDC_SOURCE_PICK")
    wait_for(lambda: control("IDC_SOURCE_LIST").visible, what="the list back")
    assert control("IDC_SOURCE_KEY").text == "/room/temperature"
    assert control("IDC_SOURCE_NAME").text == "temperature"
    wait_for(lambda: rows("IDC_SOURCE_LIST")[0].cells[2] == "21.5", what="the value")

    body["room"]["temperature"] = 23.25
    server.extra["/data.json"] = json.dumps(body)
    wait_for(lambda: rows("IDC_SOURCE_LIST")[0].cells[2] == "23.3", what="the new value")
    assert control("IDC_SOURCE_STATE").text == "23.3"
