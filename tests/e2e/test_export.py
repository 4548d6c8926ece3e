"""The readings served over HTTP, against real clients on loopback: curl, promtool, a Prometheus
server scraping every second, a headless Chromium, and clients that break the rules."""
import http.client
import json
import select
import socket
import subprocess
import tempfile
import time
import urllib.parse
import urllib.request
from pathlib import Path

import pytest

from desktop_helpers import ini_text, placed_at
from harness import MAIN_TITLE, wait_for, winctl
from options_helpers import OPTIONS_TITLE, IDS, click, control, open_options, select_tab, status_text


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
    # Served once the first tick has published its readings.
    wait_for(lambda: curl(url + "/metrics").startswith(b"HTTP/1.1 200"), 30,
             what="the exposition")
    return app, url


def main_window_answers():
    return winctl("answers", MAIN_TITLE)[0] == 0


def test_prometheus_scrapes_the_readings_and_json_carries_them(korvant):
    port = free_port()
    _, url = serving(korvant, port)

    metrics = curl(url + "/metrics")
    assert b"Content-Type: text/plain; version=0.0.4; charset=utf-8" in metrics
    lint = subprocess.run(["promtool", "check", "metrics"], input=body_of(metrics),
                          capture_output=True, timeout=30)
    assert lint.returncode == 0, lint.stdout + lint.stderr
    for name in (b"korvant_cpu_usage_ratio ", b'korvant_cpu_core_usage_ratio{core="0"} ',
                 b"korvant_network_received_bytes_total ", b'korvant_alert_active{rule="cpu"} 0',
                 b"korvant_system_uptime_seconds ", b"korvant_build_info{version="):
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
    assert "<polyline" in dom


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
    """The peers the server has closed without a reply, looking at them all at once."""
    closed = set()
    deadline = time.monotonic() + seconds
    while len(closed) < len(peers) and time.monotonic() < deadline:
        waiting = [p for p in peers if p not in closed]
        readable, _, _ = select.select(waiting, [], [], max(0, deadline - time.monotonic()))
        for peer in readable:
            try:
                assert peer.recv(1) == b"", "a reply to a client that sent nothing"
            except ConnectionResetError:
                pass
            closed.add(peer)
    return closed


def test_hostile_clients_are_refused_and_the_program_runs_on(korvant):
    port = free_port()
    _, url = serving(korvant, port)

    with connect(port) as peer:
        refused = reply_of(peer, b"POST /metrics HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc")
    assert refused.startswith(b"HTTP/1.1 405") and b"Allow: GET, HEAD" in refused
    with connect(port) as peer:
        assert reply_of(peer, b"GET /memo HTTP/1.1\r\nConnection: close\r\n\r\n").startswith(b"HTTP/1.1 404")
    with connect(port) as peer:
        long_head = b"GET /metrics HTTP/1.1\r\nX-Filler: " + b"a" * 9000 + b"\r\n\r\n"
        assert reply_of(peer, long_head).startswith(b"HTTP/1.1 431")
    head = curl(url + "/metrics", "-I")
    assert head.startswith(b"HTTP/1.1 200") and b"korvant_" not in head

    # A client that says nothing is closed after its idle time.
    with connect(port) as silent:
        assert closed_without_reply(silent, 15)

    # Twenty at once: sixteen are held, the rest are closed at once without a reply.
    crowd = [connect(port) for _ in range(20)]
    try:
        assert len(closed_within(crowd, 2)) == 4
        assert main_window_answers()
        assert len(closed_within(crowd, 15)) == 20  # the held ones at their idle time
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
