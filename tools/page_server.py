#!/usr/bin/env python3
"""A small page server for KorvaNT: the update page and the public-IP page.

KorvaNT reads the addresses of its pages from the section [Servers] of KorvaNT.ini. Run this
server anywhere KorvaNT can reach and point the keys at it, for example:

    python3 tools/page_server.py --port 8336 --newest 337 --announcement "Ver3.37 が出ました"

    [Servers]
    UpdatePage=http://127.0.0.1:8336/update
    IpPage=http://127.0.0.1:8336/ip
    HomePage=http://127.0.0.1:8336/

Pages (all in code page 932):
  /update  the update page: the title, "----------" followed by the newest version in three
           digits, and the announcement between "++++++++++" and "**********".
  /ip      the public-IP page: the address the request came from, between "></BODY>" and
           "</HTML>".
  /        a plain home page.

Only the Python 3 standard library is used; the end-to-end tests import this module.
"""
import argparse
import http.server
import pathlib
import re
import select
import threading
import time

TITLE = "コルバ君ＮＴ最新版確認ページ"


def _this_version():
    """This source's version in the update page's three digits, from base/version.h."""
    text = (pathlib.Path(__file__).resolve().parents[1] / "base" / "version.h").read_text()
    major, minor = (int(re.search(rf"KORVANT_VERSION_{part} (\d+)", text).group(1))
                    for part in ("MAJOR", "MINOR"))
    return str(major * 100 + minor)


# By default the page announces no newer version than this one.
THIS_VERSION = _this_version()
ENCODING = "cp932"


def update_page(newest=THIS_VERSION, announcement="", title=TITLE):
    head = f"<HTML><HEAD><TITLE>{title}</TITLE></HEAD>" if title else "<HTML><HEAD></HEAD>"
    return (f"{head}<BODY>\r\n----------{newest}\r\n"
            f"++++++++++{announcement}**********\r\n</BODY></HTML>\r\n")


def ip_page(address):
    return ("<HTML><HEAD><TITLE>IP</TITLE></HEAD><BODY><P>あなたのIPアドレス</P>"
            f"</BODY>{address}</HTML>\r\n")


HOME_PAGE = "<HTML><HEAD><TITLE>コルバ君NT</TITLE></HEAD><BODY>コルバ君NT</BODY></HTML>\r\n"


class PageServer:
    """Serves the pages from a thread; `requests` records (monotonic time, path) of each GET.

    `stall` lists paths that are answered with nothing at all: the connection stays open until
    the server stops or the client leaves, whose time `left` records (a server that never
    replies). `extra` maps further paths to page texts. `streams` maps paths to a body size in
    bytes, sent as fast as the client takes it, with its Content-Length when `announce` is true;
    `sent` records how many body bytes each stream got out before it ended."""

    def __init__(self, port=0, host="127.0.0.1", newest=THIS_VERSION, announcement="", title=TITLE,
                 stall=(), extra=None, streams=None, announce=True):
        self.update_text = update_page(newest, announcement, title)
        self.stall = set(stall)
        self.extra = dict(extra or {})
        self.streams = dict(streams or {})
        self.announce = announce
        self.left = []
        self.sent = {}
        self.requests = []
        self._lock = threading.Lock()
        self._stopping = threading.Event()
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                path = self.path.split("?", 1)[0]
                with server._lock:
                    server.requests.append((time.monotonic(), self.path))
                if path in server.stall:
                    self._hold(path)
                    return
                if path in server.streams:
                    self._stream(path, server.streams[path])
                    return
                if path == "/update":
                    self._send(server.update_text)
                elif path == "/ip":
                    self._send(ip_page(self.client_address[0]))
                elif path == "/":
                    self._send(HOME_PAGE)
                elif path in server.extra:
                    self._send(server.extra[path])
                else:
                    self.send_error(404)

            def _hold(self, path):
                while not server._stopping.is_set():
                    if select.select([self.connection], [], [], 0.1)[0]:
                        try:
                            gone = not self.connection.recv(4096)
                        except OSError:
                            gone = True
                        if gone:
                            with server._lock:
                                server.left.append((time.monotonic(), path))
                            return

            def _stream(self, path, size):
                self.send_response(200)
                if server.announce:
                    self.send_header("Content-Length", str(size))
                else:
                    self.close_connection = True
                self.end_headers()
                chunk, sent = b"x" * 65536, 0
                try:
                    while sent < size and not server._stopping.is_set():
                        self.wfile.write(chunk[:size - sent])
                        sent += min(len(chunk), size - sent)
                except OSError:
                    pass
                with server._lock:
                    server.sent[path] = sent

            def _send(self, text):
                body = text.encode(ENCODING)
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=Shift_JIS")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer((host, port), Handler)
        self.httpd.daemon_threads = True
        self.httpd.block_on_close = False
        self.port = self.httpd.server_address[1]
        self._thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)

    def url(self, path):
        return f"http://127.0.0.1:{self.port}{path}"

    def requested(self, path):
        """Times of the requests for `path` (query ignored)."""
        with self._lock:
            return [t for t, p in self.requests if p.split("?", 1)[0] == path]

    def start(self):
        self._thread.start()
        return self

    def stop(self):
        self._stopping.set()
        self.httpd.shutdown()
        self.httpd.server_close()


def main():
    parser = argparse.ArgumentParser(description="Serves KorvaNT's update and public-IP pages.")
    parser.add_argument("--host", default="127.0.0.1", help="address to listen on")
    parser.add_argument("--port", type=int, default=8336)
    parser.add_argument("--newest", default=THIS_VERSION, help="newest version, three digits")
    parser.add_argument("--announcement", default="", help="text of the new-version row")
    args = parser.parse_args()
    server = PageServer(args.port, args.host, args.newest, args.announcement)
    print(f"serving on http://{args.host}:{server.port}/ (update, ip)", flush=True)
    try:
        server.httpd.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
