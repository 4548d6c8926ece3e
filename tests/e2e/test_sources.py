"""Readings taken from other programs: a server shaped like LibreHardwareMonitor's whose
temperatures change, one shaped like Home Assistant's that refuses a wrong token, a second real
KorvaNT whose /data.json is a source of the first, and hostile servers."""
import http.server
import json
import socket
import threading
import time

from desktop_helpers import ini_text, placed_at
from harness import MAIN_TITLE, wait_for, winctl
from options_helpers import click, open_options, status_text
from test_alerts import balloon_texts
from test_export import curl, body_of, free_port

TOKEN = "eyJhbGciOiJIUzI1NiJ9.good-token"


def sensor_tree(temperature):
    """LibreHardwareMonitor's data.json with its real fields, in a German PC's number format."""
    value = f"{temperature:.1f}".replace(".", ",") + " °C"
    sensor = {"id": 4, "Text": "Core (Tctl/Tdie)", "Min": "35,8 °C", "Value": value,
              "Max": "80,1 °C", "SensorId": "/amdcpu/0/temperature/2", "Type": "Temperature",
              "RawMin": "35,8 °C", "RawValue": value, "RawMax": "80,1 °C",
              "ImageURL": "images/transparent.png", "Children": []}
    group = {"id": 3, "Text": "Temperatures", "Min": "", "Value": "", "Max": "", "ImageURL": "",
             "Children": [sensor]}
    cpu = {"id": 2, "Text": "AMD Ryzen 7", "Min": "", "Value": "", "Max": "", "ImageURL": "",
           "HardwareId": "/amdcpu/0", "Children": [group]}
    machine = {"id": 1, "Text": "PC", "Min": "", "Value": "", "Max": "", "ImageURL": "",
               "Children": [cpu]}
    return {"id": 0, "Text": "Sensor", "Min": "Min", "Value": "Value", "Max": "Max",
            "ImageURL": "", "Children": [machine]}


class Sources(http.server.ThreadingHTTPServer):
    """The other programs, on one loopback port: each path answers as one of them."""
    daemon_threads = True

    def __init__(self):
        super().__init__(("127.0.0.1", 0), Handler)
        self.asked = 0
        self.thread = threading.Thread(target=self.serve_forever, daemon=True)
        self.thread.start()

    @property
    def url(self):
        return f"http://127.0.0.1:{self.server_address[1]}"


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, body, content_type="application/json", headers=()):
        data = body if isinstance(body, bytes) else json.dumps(body).encode()
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        self.server.asked += 1
        if self.path == "/data.json":
            # Rises a tenth of a degree with every answer.
            return self.reply(200, sensor_tree(40 + self.server.asked / 10))
        if self.path == "/api/states/sensor.room":
            if self.headers.get("Authorization") != f"Bearer {TOKEN}":
                return self.reply(401, b"401: Unauthorized", "text/plain")
            return self.reply(200, {"entity_id": "sensor.room", "state": "21.5",
                                    "attributes": {"unit_of_measurement": "°C",
                                                   "friendly_name": "Room"}})
        if self.path == "/deep.json":
            return self.reply(200, b"[" * 1_000_000)
        if self.path == "/zipped.json":
            return self.reply(200, b"\x1f\x8b\x08\x00" + b"\x00" * 20, headers=[
                ("Content-Encoding", "gzip")])
        if self.path == "/huge.json":
            # Announces a terabyte, sends a little and keeps the connection.
            self.send_response(200)
            self.send_header("Content-Length", str(1 << 40))
            self.end_headers()
            self.wfile.write(b"{" * 4096)
            time.sleep(10)
            return None
        if self.path == "/slow.json":
            time.sleep(10)
            return self.reply(200, {"x": 1})
        return self.reply(404, b"not found", "text/plain")


def sources_section(sources):
    lines = ["[Sources]", f"Count={len(sources)}"]
    for n, source in enumerate(sources, 1):
        lines += [f"{key}{n}={value}" for key, value in source.items()]
    return "\r\n".join(lines) + "\r\n"


def korvant_ini(port, sources=(), **options):
    text = ini_text({**placed_at(300, 300), "NewVersionCheck": 0, **options})
    text += f"[Export]\r\nOn=1\r\nPort={port}\r\nAddress=127.0.0.1\r\n"
    return text + (sources_section(sources) if sources else "")


def served_sources(port):
    body = body_of(curl(f"http://127.0.0.1:{port}/data.json"))
    try:
        return {s["name"]: s["value"] for s in json.loads(body)["sources"]}
    except (ValueError, KeyError):
        return {}


def test_sources_show_their_values_alert_and_keep_the_token_protected(korvant):
    server = Sources()
    peer_port, port = free_port(), free_port()
    try:
        sources = [
            {"Kind": "lhm", "Url": f"{server.url}/data.json", "Key": "/amdcpu/0/temperature/2",
             "Name": "CPU温度", "Unit": "°C", "Decimals": 1, "Interval": 1, "BarMin": 0,
             "BarMax": 100, "AlertOn": 1, "AlertAt": 30, "AlertSeconds": 1},
            {"Kind": "homeassistant", "Url": server.url, "Key": "sensor.room", "Name": "Room",
             "Unit": "°C", "Interval": 1, "Token": TOKEN},
            {"Kind": "homeassistant", "Url": server.url, "Key": "sensor.room",
             "Name": "Refused", "Interval": 1, "Token": "wrong"},
            {"Kind": "json", "Url": f"http://127.0.0.1:{peer_port}/data.json",
             "Key": "/memory_total_bytes", "Name": "Peer memory", "Interval": 1},
        ]
        # The first in the tray: the options window is opened from its icon.
        app = korvant({"KorvaNT.ini": korvant_ini(port, sources)})
        app.wait_main_window()
        # A second KorvaNT on the same machine serves its own readings; until it does, its
        # source is asked again after a growing pause.
        korvant({"KorvaNT.ini": korvant_ini(peer_port)})

        # The values arrive, the temperature as it rises, the refused one never.
        first = wait_for(lambda: (lambda s: s if s.get("CPU温度") and s.get("Room")
                                  and s.get("Peer memory") else None)(served_sources(port)),
                         60, what="every source's value")
        assert first["Room"] == 21.5
        assert first["Refused"] is None
        assert first["Peer memory"] > 0
        assert 40 < first["CPU温度"] < 60
        wait_for(lambda: (served_sources(port).get("CPU温度") or 0) > first["CPU温度"], 20,
                 what="a newer temperature")
        metrics = curl(f"http://127.0.0.1:{port}/metrics").decode()
        assert 'korvant_source_value{name="Room",unit="°C"} 21.5' in metrics
        assert TOKEN not in metrics and server.url not in metrics

        # Above its threshold for a second: told by the tray, its value against the threshold.
        wait_for(lambda: any("を超えています" in t and "30.0°C" in t for t in balloon_texts()),
                 30, what="the alert")

        # Saved: the token is in the file, but never as it was typed.
        open_options()
        click("IDC_SAVE")
        wait_for(lambda: status_text() == "設定を保存しました", 15, what="the save")
        ini = app.read("KorvaNT.ini")
        assert TOKEN not in ini and "good-token" not in ini and "Token3=dpapi:" in ini
        assert "[Sources]" in ini.split("[Export]")[-1], "the sources come after the export"
    finally:
        server.shutdown()


def test_hostile_sources_leave_the_program_answering(korvant):
    server = Sources()
    port = free_port()
    try:
        sources = [{"Kind": "json", "Url": f"{server.url}/{path}", "Key": "/x", "Name": path,
                    "Interval": 1}
                   for path in ("deep.json", "zipped.json", "huge.json", "slow.json",
                                "missing.json")]
        sources.append({"Kind": "json", "Url": "http://127.0.0.1:1/refused.json", "Key": "/x",
                        "Name": "refused", "Interval": 1})
        app = korvant({"KorvaNT.ini": korvant_ini(port, sources)})
        app.wait_main_window()
        wait_for(lambda: len(served_sources(port)) == len(sources), 30, what="the sources list")
        # For half a minute of retries, the window and the export answer and no value shows.
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            assert winctl("answers", MAIN_TITLE)[0] == 0, "the main window stopped answering"
            values = served_sources(port)
            assert values and all(v is None for v in values.values()), values
            time.sleep(1)
        assert app.running()
    finally:
        server.shutdown()
