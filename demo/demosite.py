#!/usr/bin/env python3
"""A stand-in of the resource site, served on loopback only.

    python3 demo/demosite.py [--port N] [--host 127.0.0.1] [--port-file PATH] [--seed N] [--verbose]

Prints the site base ("http://127.0.0.1:PORT/") once it listens, then serves until SIGTERM or
SIGINT and exits 0.
"""

from __future__ import annotations

import argparse
import os
import re
import signal
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from catalogue import DEFAULT_SEED, Catalogue  # noqa: E402
from routes import route  # noqa: E402

LOOPBACK = "127.0.0.1"
HOST_HEADER = re.compile(r"[A-Za-z0-9.\-]+(:[0-9]{1,5})?")
HIGH_BYTE = re.compile(rb"[\x80-\xff]")


class SiteServer(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, catalogue: Catalogue, verbose: bool):
        self.catalogue = catalogue
        self.verbose = verbose
        super().__init__(address, SiteHandler)

    def handle_error(self, request, client_address):
        # A client hanging up mid-reply is routine for a harvester; say nothing unless asked.
        if self.verbose:
            super().handle_error(request, client_address)


class SiteHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "DemoSite/1.0"
    timeout = 60
    disable_nagle_algorithm = True

    def parse_request(self) -> bool:
        # The request line is read as latin-1 and split at whitespace, which for Python includes
        # 0x85 and 0xA0; a raw GBK keyword holds such bytes. Escaping every high byte first keeps
        # the target whole and decodes back to the same bytes.
        self.raw_requestline = HIGH_BYTE.sub(lambda m: b"%%%02X" % m.group()[0],
                                             self.raw_requestline)
        return super().parse_request()

    def do_GET(self) -> None:
        self._reply(send_body=True)

    def do_HEAD(self) -> None:
        self._reply(send_body=False)

    def _site_base(self) -> str:
        host = self.headers.get("Host", "")
        if not HOST_HEADER.fullmatch(host):
            host = f"{LOOPBACK}:{self.server.server_address[1]}"
        return f"http://{host}/"

    def _reply(self, send_body: bool) -> None:
        reply = route(self.server.catalogue, self.path.encode("latin-1"), self._site_base())
        self.send_response(reply.status)
        self.send_header("Content-Type", reply.content_type)
        self.send_header("Content-Length", str(len(reply.body)))
        for name, value in reply.headers.items():
            self.send_header(name, value)
        self.end_headers()
        if send_body:
            self.wfile.write(reply.body)

    def log_message(self, format: str, *args) -> None:
        if self.server.verbose:
            super().log_message(format, *args)


def _arguments(argv: list[str]) -> argparse.Namespace:
    parser = argparse.ArgumentParser(description="Serve the demo resource site on loopback.")
    parser.add_argument("--port", type=int, default=0, help="port to listen on; 0 = any free port")
    parser.add_argument("--host", default=LOOPBACK, help="must be 127.0.0.1")
    parser.add_argument("--port-file", help="also write the site base to this file")
    parser.add_argument("--seed", type=int, default=DEFAULT_SEED, help="content seed")
    parser.add_argument("--verbose", action="store_true", help="log requests to standard error")
    arguments = parser.parse_args(argv)
    if arguments.host != LOOPBACK:
        parser.error("the demo site listens on 127.0.0.1 only")
    if not 0 <= arguments.port <= 65535:
        parser.error("port out of range")
    return arguments


def _write_atomically(path: str, text: str) -> None:
    temporary = f"{path}.{os.getpid()}.tmp"
    with open(temporary, "w", encoding="ascii") as file:
        file.write(text)
    os.replace(temporary, path)


def main(argv: list[str]) -> int:
    arguments = _arguments(argv)
    stop = threading.Event()
    for number in (signal.SIGTERM, signal.SIGINT):
        signal.signal(number, lambda *_: stop.set())
    try:
        server = SiteServer((LOOPBACK, arguments.port), Catalogue.build(arguments.seed),
                            arguments.verbose)
    except OSError as error:
        print(f"demosite: cannot listen on port {arguments.port}: {error}", file=sys.stderr)
        return 1
    with server:
        base = f"http://{LOOPBACK}:{server.server_address[1]}/"
        if arguments.port_file:
            _write_atomically(arguments.port_file, base + "\n")
        print(base, flush=True)
        serving = threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.1})
        serving.start()
        while not stop.wait(0.2):
            pass
        server.shutdown()
        serving.join()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
