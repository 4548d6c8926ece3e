"""The readings served over HTTP, against real clients on loopback: curl, promtool, a Prometheus
server scraping every second, a headless Chromium, and clients that break the rules."""
import http.client
import json
import re
import select
import socket
import subprocess
import tempfile
import time
import urllib.parse
import urllib.request
from pathlib import Path

import pytest

from desktop_helpers import ini_text, placed_at, xdotool
from harness import MAIN_TITLE, RUNS, wait_for, winctl
from options_helpers import (OPTIONS_TITLE, IDS, click, control, control_rect, open_options,
                             select_tab, status_text)


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def export_ini(port, on=1):
    options = ini_text({**placed_at(300, 300), "NewVersionCheck": 0})
    return options + f"[Export]\r\nOn={on}\r\nPort={port}\r\nAddress=127.0.0.1\r\n"


def curl(url, *args):
    result = subprocess.run(["curl", "-s", "-m", "5", "-i", *args, url], capture_output=True,
                            timeout=15)
    return result.stdout


def body_of(response):
    return response.split(b"\r\n\r\n", 1)[1] if b"\r\n\r\n" in response else b""


def serving(korvant, port):
    app = korvant({"KorvaNT.ini": export_ini(port)})
    app.wait_main_window()
    url = f"http://127.0.0.1:{port}"
    # Served once the first tick has published its readings, the processor load from the
    # second on.
    wait_for(lambda: b"\nkorvant_cpu_usage_ratio " in curl(url + "/metrics"), 30,
             what="the exposition")
    return app, url


def main_window_answers():
    return winctl("answers", MAIN_TITLE)[0] == 0


def machine_times():
    """The host's processor times, as Wine reads them: (busy, total) in ticks."""
    fields = [int(v) for v in Path("/proc/stat").read_text().split("\n", 1)[0].split()[1:]]
    idle = fields[3] + fields[4]
    return sum(fields[:8]) - idle, sum(fields[:8])


def busy_loop():
    return subprocess.Popen(["sh", "-c", "while :; do :; done"])


def test_prometheus_scrapes_the_readings_and_json_carries_them(korvant):
    port = free_port()
    _, url = serving(korvant, port)

    metrics = curl(url + "/metrics")
    assert b"Content-Type: text/plain; version=0.0.4; charset=utf-8" in metrics
    lint = subprocess.run(["promtool", "check", "metrics"], input=body_of(metrics),
                          capture_output=True, timeout=30)
    assert lint.returncode == 0, lint.stdout + lint.stderr
    for name in (b"korvant_cpu_usage_ratio ", b'korvant_cpu_core_usage_ratio{core="0"} ',
                 b'korvant_cpu_seconds_total{mode="idle"} ',
                 b"korvant_network_received_bytes_total{interface=",
                 b'korvant_alert_active{rule="cpu"} 0', b"korvant_system_uptime_seconds ",
                 b"korvant_boot_time_seconds ", b"process_start_time_seconds ",
                 b"process_cpu_seconds_total ", b"process_resident_memory_bytes ",
                 b"korvant_build_info{version="):
        assert name in metrics, name

    # Kept alive, as Prometheus keeps it: two answers on one connection.
    kept = http.client.HTTPConnection("127.0.0.1", port, timeout=5)
    for _ in range(2):
        kept.request("GET", "/metrics")
        answer = kept.getresponse()
        assert answer.status == 200 and b"korvant_cpu_usage_ratio" in answer.read()
    kept.close()

    data = json.loads(body_of(curl(url + "/data.json")))
    assert 0 < data["memory_used_bytes"] < data["memory_total_bytes"]
    assert 0 <= data["cpu_usage_ratio"] <= 1
    assert data["time"].endswith("Z") and data["time"][10] == "T"
    assert data["drives"], "the drives are in every answer, not only on the tick that reads them"
    assert all({"drive", "free_bytes", "size_bytes"} <= set(d) for d in data["drives"])
    assert set(data["alert_active"]) == {"cpu", "memory", "drive", "traffic"}

    prometheus_port = free_port()
    with tempfile.TemporaryDirectory() as work:
        config = Path(work) / "prometheus.yml"
        config.write_text("global:\n  scrape_interval: 1s\n  scrape_timeout: 1s\n"
                          "scrape_configs:\n  - job_name: korvant\n    static_configs:\n"
                          f"      - targets: ['127.0.0.1:{port}']\n")
        server = subprocess.Popen(
            ["prometheus", f"--config.file={config}", f"--storage.tsdb.path={work}/data",
             f"--web.listen-address=127.0.0.1:{prometheus_port}"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            def query(expression):
                address = (f"http://127.0.0.1:{prometheus_port}/api/v1/query?"
                           + urllib.parse.urlencode({"query": expression}))
                try:
                    with urllib.request.urlopen(address, timeout=2) as answer:
                        result = json.load(answer)["data"]["result"]
                except OSError:
                    return None
                return float(result[0]["value"][1]) if result else None

            cpu = wait_for(lambda: query("korvant_cpu_usage_ratio") is not None, 60,
                           what="Prometheus to hold the processor load")
            assert cpu
            used = wait_for(lambda: query("korvant_memory_used_bytes"), 30,
                            what="Prometheus to hold the memory in use")
            assert used == pytest.approx(data["memory_used_bytes"], rel=0.5)
            assert wait_for(lambda: query('up{job="korvant"}') == 1.0, 30, what="a clean scrape")
            # Scrapes have the process table read: the executables holding the most memory,
            # five at most so that the series stay few.
            held = wait_for(lambda: query("count(korvant_process_private_bytes)"), 30,
                            what="Prometheus to hold the processes' memory")
            assert 1 <= held <= 5
            data = json.loads(body_of(curl(url + "/data.json")))
            processes = data["process_private_bytes"]
            assert 1 <= len(processes) <= 5
            assert all(p["name"].endswith(".exe") and "\\" not in p["name"] and p["value"] > 0
                       for p in processes), processes

            # A minute of scrapes with one processor kept busy: every scrape has the drives,
            # and rate() over the processor's counters follows the machine's own times.
            loop = busy_loop()
            try:
                time.sleep(2)  # the loop is running before the minute measured
                before = machine_times()
                started = time.monotonic()
                wait_for(lambda: time.monotonic() - started > 62, 70, interval=1,
                         what="a minute of scrapes")
                after = machine_times()
                load = query('1 - sum(rate(korvant_cpu_seconds_total{mode="idle"}[1m]))'
                             ' / sum(rate(korvant_cpu_seconds_total[1m]))')
            finally:
                loop.kill()
                loop.wait()
            measured = (after[0] - before[0]) / (after[1] - before[1])
            assert load is not None and load >= 0.4, load
            assert load == pytest.approx(measured, abs=0.15), (load, measured)
            scrapes = query('count_over_time(korvant_build_info[1m])')
            assert scrapes >= 40, scrapes
            for drive in {d["drive"] for d in data["drives"]} or {"C:"}:
                held = query(f'count_over_time(korvant_drive_free_bytes{{drive="{drive}"}}[1m])')
                assert held == scrapes, (drive, held, scrapes)
        finally:
            server.terminate()
            server.wait(timeout=30)


def test_a_browser_shows_the_readings_live(korvant):
    port = free_port()
    _, url = serving(korvant, port)

    def page():
        result = subprocess.run(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--dump-dom",
             "--virtual-time-budget=5000", url + "/"], capture_output=True, timeout=60)
        return result.stdout.decode("utf-8", "replace")

    # The figures are filled in by the page's own script from /data.json.
    dom = wait_for(lambda: (lambda d: d if '<div class="value" id="cpu">' in d
                            and 'id="cpu">-<' not in d else None)(page()), 120,
                   what="the page to show the readings")
    assert " %</div>" in dom
    assert "メモリ" in dom  # the program's language: Japanese by default
    # The chart spans what there is, with its scale and time axis.
    assert re.search(r'<polyline class="cpu" id="pcpu" points="\d', dom), dom[-2000:]
    assert ">100%</text>" in dom and ">現在</text>" in dom
    # A phone-sized look at it, kept with the run.
    subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                    "--window-size=390,700", "--virtual-time-budget=3000",
                    f"--screenshot={RUNS / 'export-page.png'}", url + "/"],
                   capture_output=True, timeout=60)


def connect(port):
    peer = socket.create_connection(("127.0.0.1", port), timeout=10)
    return peer


def reply_of(peer, request):
    peer.sendall(request)
    got = b""
    while True:
        piece = peer.recv(65536)
        if not piece:
            return got
        got += piece


def closed_without_reply(peer, timeout):
    peer.settimeout(timeout)
    try:
        return peer.recv(1) == b""
    except ConnectionResetError:
        return True
    except socket.timeout:
        return False


def closed_within(peers, seconds):
    """The peers the server has closed, each with what it sent first, looking at them all at
    once."""
    closed = {}
    deadline = time.monotonic() + seconds
    while len(closed) < len(peers) and time.monotonic() < deadline:
        waiting = [p for p in peers if p not in closed]
        readable, _, _ = select.select(waiting, [], [], max(0, deadline - time.monotonic()))
        for peer in readable:
            got = b""
            try:
                while piece := peer.recv(4096):
                    got += piece
            except ConnectionResetError:
                pass
            closed[peer] = got
    return closed


def test_hostile_clients_are_refused_and_the_program_runs_on(korvant):
    port = free_port()
    _, url = serving(korvant, port)

    with connect(port) as peer:
        refused = reply_of(peer, b"POST /metrics HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc")
    assert refused.startswith(b"HTTP/1.1 405") and b"Allow: GET, HEAD" in refused
    with connect(port) as peer:
        assert reply_of(peer, b"GET /memo HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n").startswith(b"HTTP/1.1 404")
    with connect(port) as peer:
        long_head = b"GET /metrics HTTP/1.1\r\nX-Filler: " + b"a" * 9000 + b"\r\n\r\n"
        assert reply_of(peer, long_head).startswith(b"HTTP/1.1 431")
    head = curl(url + "/metrics", "-I")
    assert head.startswith(b"HTTP/1.1 200") and b"korvant_" not in head

    # What clients send that a strict server must take or refuse, each answered at once.
    def answer(request, seconds=2):
        with connect(port) as peer:
            peer.settimeout(seconds)
            return reply_of(peer, request)
    absolute = answer(b"GET http://127.0.0.1:%d/metrics HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                      b"Connection: close\r\n\r\n" % port)
    assert absolute.startswith(b"HTTP/1.1 200") and b"korvant_cpu_seconds_total" in absolute
    bare = answer(b"GET /data.json HTTP/1.1\nHost: x\nConnection: close\n\n")
    assert bare.startswith(b"HTTP/1.1 200"), bare[:40]
    assert answer(b"GET /metrics HTTP/1.1\r\n\r\n").startswith(b"HTTP/1.1 400")
    assert answer(b"GET /metrics HTTP/1.1\r\nHost: x\r\nX-A: a\x01b\r\n\r\n").startswith(
        b"HTTP/1.1 400")
    # Pipelined: three requests in one send, three answers in their order.
    pipelined = answer(b"GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n"
                       b"HEAD /data.json HTTP/1.1\r\nHost: x\r\n\r\n"
                       b"GET /nothing HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
    statuses = re.findall(rb"HTTP/1\.1 (\d{3}) ", pipelined)
    assert statuses == [b"200", b"200", b"404"], statuses

    # A client that says nothing is closed after its idle time.
    with connect(port) as silent:
        assert closed_without_reply(silent, 15)

    # Twenty at once: sixteen are held, the rest are told to come back later and closed.
    crowd = [connect(port) for _ in range(20)]
    try:
        turned_away = closed_within(crowd, 2)
        assert len(turned_away) == 4
        for got in turned_away.values():
            assert got.startswith(b"HTTP/1.1 503") and b"Connection: close" in got, got
        assert main_window_answers()
        held = closed_within(crowd, 15)  # the held ones at their idle time
        assert len(held) == 20
        assert all(got == b"" for peer, got in held.items() if peer not in turned_away)
    finally:
        for peer in crowd:
            peer.close()
    assert wait_for(lambda: curl(url + "/metrics").startswith(b"HTTP/1.1 200"), 15,
                    what="serving again once the crowd is gone")
    assert main_window_answers()


def test_the_options_turn_it_on_live_and_tell_a_port_in_use(korvant):
    port = free_port()
    app = korvant({"KorvaNT.ini": export_ini(port, on=0)})
    app.wait_main_window()
    with pytest.raises(OSError):  # off: no socket
        socket.create_connection(("127.0.0.1", port), timeout=2).close()

    open_options()
    select_tab(8)
    select_tab(2, "IDC_TOOLS_TABS")
    assert control("IDC_EXPORT_URL").text.endswith(f"http://127.0.0.1:{port}/")
    click("IDC_EXPORT_ON")
    assert wait_for(lambda: curl(f"http://127.0.0.1:{port}/data.json").startswith(b"HTTP/1.1 200"),
                    20, what="serving once ticked")
    assert f"http://127.0.0.1:{port}/" in control("IDC_EXPORT_STATE").text

    with socket.socket() as taken:
        taken.bind(("127.0.0.1", 0))
        taken.listen()
        busy = taken.getsockname()[1]
        assert winctl("settext", OPTIONS_TITLE, str(IDS["IDC_EXPORT_PORT"]), str(busy))[0] == 0
        wait_for(lambda: f"127.0.0.1:{busy}" in status_text(), 10, what="the port in use told")
        assert "127.0.0.1:%d" % busy in control("IDC_EXPORT_STATE").text
        assert main_window_answers() and app.running()


def test_a_loaded_machine_is_never_served_as_idle_right_after_the_start(korvant):
    port = free_port()
    loops = [busy_loop() for _ in range(3)]
    try:
        app = korvant({"KorvaNT.ini": export_ini(port)})
        app.wait_main_window()
        url = f"http://127.0.0.1:{port}/data.json"
        # From the first answer on, as often as a client can ask.
        seen = []

        def answered():
            response = curl(url)
            if response.startswith(b"HTTP/1.1 200"):
                seen.append(json.loads(body_of(response)).get("cpu_usage_ratio"))
            return len([v for v in seen if v is not None]) >= 5

        wait_for(answered, 60, interval=0.05, what="five answers with the processor load")
        assert all(v is None or v > 0.3 for v in seen), seen
    finally:
        for loop in loops:
            loop.kill()
            loop.wait()


def test_an_export_whose_port_is_taken_comes_back_when_it_frees(korvant):
    holder = socket.socket()
    holder.bind(("127.0.0.1", 0))
    holder.listen()
    port = holder.getsockname()[1]
    try:
        # An allowed entry that is no address is named on the page as well.
        app = korvant({"KorvaNT.ini": export_ini(port) + "Allowed=192.168.1.0/24 host.lan\r\n"})
        app.wait_main_window()
        open_options()
        select_tab(8)
        select_tab(2, "IDC_TOOLS_TABS")
        retrying = wait_for(lambda: (lambda t: t if "再試行" in t else None)(
            control("IDC_EXPORT_STATE").text), 20, what="the page to tell it tries again")
        assert f"127.0.0.1:{port}" in retrying and "host.lan" in retrying
        # The status bar tells it at each try (the window, made now, may have missed the last).
        wait_for(lambda: "再試行" in status_text(), 40, what="the status bar to tell it")
        # A look at the page as it tells it, kept with the run.
        left, top, right, bottom = control_rect("IDC_EXPORT_FRAME")
        subprocess.run(["import", "-window", "root", "-crop",
                        f"{right - left + 40}x{bottom - top + 80}+{left - 20}+{top - 20}",
                        str(RUNS / "export-retrying.png")], capture_output=True, timeout=30)
    finally:
        holder.close()
    assert wait_for(lambda: curl(f"http://127.0.0.1:{port}/metrics").startswith(b"HTTP/1.1 200"),
                    30, what="serving once the port is free")
    assert wait_for(lambda: f"http://127.0.0.1:{port}/" in control("IDC_EXPORT_STATE").text, 10,
                    what="the page to tell it serves")


def listening_ports():
    ports = set()
    for table in ("/proc/net/tcp", "/proc/net/tcp6"):
        for line in Path(table).read_text().splitlines()[1:]:
            fields = line.split()
            if fields[3] == "0A":  # LISTEN
                ports.add(int(fields[1].rsplit(":", 1)[1], 16))
    return ports


def test_the_port_box_applies_what_was_typed_once(korvant):
    port = free_port()
    app = korvant({"KorvaNT.ini": export_ini(port)})
    app.wait_main_window()
    open_options()
    select_tab(8)
    select_tab(2, "IDC_TOOLS_TABS")
    wanted = str(free_port())
    partial = {int(wanted[:n]) for n in range(1, len(wanted))}
    assert not partial & listening_ports()
    left, top, right, bottom = control_rect("IDC_EXPORT_PORT")
    xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", "--repeat", 2, 1)
    xdotool("key", "ctrl+a", "BackSpace")
    # Typed a key at a time, as a person types, while the listening ports are watched.
    seen = set()
    for digit in wanted:
        xdotool("key", "--delay", 0, digit)
        watch_until = time.monotonic() + 0.3
        while time.monotonic() < watch_until:
            seen |= listening_ports()
            time.sleep(0.02)
    xdotool("key", "Tab")  # leaving the box applies it at once
    assert wait_for(lambda: curl(f"http://127.0.0.1:{wanted}/metrics").startswith(b"HTTP/1.1 200"),
                    10, what="serving at the typed port")
    seen |= listening_ports()
    assert not partial & seen, sorted(partial & seen)
    assert port not in listening_ports()
