#!/usr/bin/env python3
"""The demo site seen from outside, the way the harvester and the browser read it."""

from __future__ import annotations

import base64
import http.client
import io
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile
from pathlib import Path
from urllib.parse import quote_from_bytes

ROOT = Path(__file__).resolve().parents[2]
SITE = ROOT / "demo" / "demosite.py"
sys.dont_write_bytecode = True
sys.path.insert(0, str(ROOT / "demo"))

from catalogue import CATEGORY_TABLE, Catalogue  # noqa: E402

LISTING_LINK = re.compile(rb'<a href="06/(.*?)/(.*?).html" target="_blank">(.*?)</a>', re.I)
LIST_ROW = re.compile(rb'<li><span class="date">[^<]*</span><a href="06/[^/"]+/([0-9]+)\.html"')
HIGHLIGHT = b'<font color="red">'


def gbk(text: str) -> bytes:
    return text.encode("gbk")


def between(text: bytes, left: bytes, right: bytes) -> bytes:
    """The harvester's marker cut: empty when either marker is missing."""
    start = text.find(left)
    if start < 0:
        return b""
    start += len(left)
    end = text.find(right, start)
    return text[start:end] if end >= 0 else b""


def start_site(*options: str) -> tuple[subprocess.Popen, str]:
    environment = dict(os.environ, PYTHONDONTWRITEBYTECODE="1")
    process = subprocess.Popen([sys.executable, str(SITE), "--port", "0", *options],
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=environment)
    return process, process.stdout.readline().decode("ascii").strip()


def stop_site(process: subprocess.Popen, how: int = signal.SIGTERM) -> int:
    process.send_signal(how)
    code = process.wait(timeout=10)
    process.stdout.close()
    process.stderr.close()
    return code


class Response:
    def __init__(self, raw: bytes):
        head, _, self.body = raw.partition(b"\r\n\r\n")
        lines = head.decode("latin-1").split("\r\n")
        self.status = int(lines[0].split()[1])
        self.headers = {}
        for line in lines[1:]:
            name, _, value = line.partition(":")
            self.headers[name.strip().lower()] = value.strip()


class DemoSiteTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.process, cls.base = start_site()
        cls.port = int(cls.base.rsplit(":", 1)[1].rstrip("/"))

    @classmethod
    def tearDownClass(cls):
        stop_site(cls.process)

    def get(self, target: bytes, host: bytes | None = None) -> Response:
        """Sends the target exactly as given, high bytes raw, as the program's transport does."""
        host = host or f"127.0.0.1:{self.port}".encode()
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as connection:
            connection.sendall(b"GET " + target + b" HTTP/1.1\r\nHost: " + host +
                               b"\r\nConnection: close\r\n\r\n")
            chunks = []
            while chunk := connection.recv(65536):
                chunks.append(chunk)
        response = Response(b"".join(chunks))
        self.assertEqual(int(response.headers["content-length"]), len(response.body))
        return response

    def get_page(self, target: bytes) -> bytes:
        response = self.get(target)
        self.assertEqual(response.status, 200, target)
        self.assertEqual(response.headers["content-type"], "text/html; charset=gbk")
        return response.body

    def test_category_markers_and_listing_slices(self):
        seen = set()
        for section, segment, _, _, _ in CATEGORY_TABLE:
            with self.subTest(segment=segment):
                root = f"/{section}/{segment}/".encode()
                front = self.get_page(root)
                total = int(between(front, gbk("总数：<b>"), b"</b>"))
                pages = int(between(front, b"</font>/", b"</b>"))
                if segment == "etools":
                    self.assertEqual(pages, 200)
                    numbers = [1, 2, 200]
                else:
                    self.assertTrue(2 <= pages <= 12)
                    numbers = range(1, pages + 1)
                listed = 0
                for number in numbers:
                    page = self.get_page(root + f"{number}.html".encode())
                    seg = segment.encode()
                    self.assertGreater(page.find(seg), page.find(b'<div class="content">'))
                    rows = LISTING_LINK.findall(between(page, seg, gbk("总数")))
                    # The slice holds exactly the list; the sidebar's links stay outside it.
                    self.assertEqual([r[1] for r in rows], LIST_ROW.findall(page))
                    self.assertGreater(len(LISTING_LINK.findall(page)), len(rows))
                    self.assertTrue(20 <= len(rows) <= 30 or number == pages and rows)
                    for folder, ident, title in rows:
                        self.assertEqual(gbk(title.decode("gbk")), title)
                        self.assertNotIn(ident, seen)
                        seen.add(ident)
                    listed += len(rows)
                if segment == "etools":
                    self.assertEqual(pages, -(-total // 25))
                else:
                    self.assertEqual(listed, total)
                for missing in (b"0.html", f"{pages + 1}.html".encode(), b"01.html"):
                    self.assertEqual(self.get(root + missing).status, 404)

    def test_detail_key_download_page_and_zip(self):
        page = self.get_page(b"/wode_source/etools/2.html")
        folder, ident, title = LISTING_LINK.findall(between(page, b"etools", gbk("总数")))[3]
        detail = self.get_page(b"/06/" + folder + b"/" + ident + b".html")
        self.assertIn(b"<h1>" + title + b"</h1>", detail)
        key = between(detail, b"a_k=", b"3D")
        self.assertTrue(key.endswith(b"%"))
        self.assertEqual(base64.urlsafe_b64decode(key[:-1] + b"==="), folder + b"/" + ident)

        download = self.get_page(b"/down.php?a_k=" + key + b"3d")
        body = download[download.find(b"<body>"):]
        self.assertIn(title, body)
        form = re.search(rb'<form action="([^"]+)" method="get">(.*?)</form>', body, re.S)
        self.assertLess(body.find(b'<input type="image"'), body.find(b"<img"))
        self.assertIn(b'<input type="image"', form.group(2))
        fields = re.findall(rb'<input type="hidden" name="([^"]+)" value="([^"]*)">', form.group(2))
        query = b"&".join(name + b"=" + value for name, value in fields) + b"&x=12&y=7"
        archive = self.get(form.group(1) + b"?" + query)
        self.assertEqual(archive.status, 200)
        self.assertEqual(archive.headers["content-type"], "application/zip")
        self.assertEqual(archive.headers["content-disposition"],
                         f'attachment; filename="{ident.decode()}.zip"')
        with zipfile.ZipFile(io.BytesIO(archive.body)) as files:
            self.assertEqual(files.namelist(), ["readme.txt", "src/main.txt"])
            self.assertIn(title.decode("gbk"), files.read("readme.txt").decode("utf-8"))

        image_src = re.search(rb'<input type="image" src="([^"]+)"', body).group(1)
        image = self.get(image_src)
        self.assertEqual((image.status, image.headers["content-type"]), (200, "image/png"))
        self.assertTrue(image.body.startswith(b"\x89PNG\r\n\x1a\n"))

        for bad_key in (b"bogus", b""):
            with self.subTest(key=bad_key):
                self.get_page(b"/down.php?a_k=" + bad_key + b"%3d")
                self.assertEqual(self.get(b"/download.php?a_k=" + bad_key).status, 404)

    def test_no_key_holds_the_cut_marker(self):
        keys = [item.key for item in Catalogue.build().by_key.values()]
        self.assertEqual([key for key in keys if "3D" in key], [])

    def search(self, keyword: bytes, page: int | None = None, raw: bool = True) -> bytes:
        sent = keyword if raw else quote_from_bytes(keyword).encode()
        target = b"/search/?type=all&q=" + sent + b"&s="
        return self.get_page(target + (f"&page={page}".encode() if page else b""))

    def test_search_by_raw_and_encoded_keywords(self):
        # 雲 and 範 hold the bytes 0x85 and 0xA0, which a latin-1 request line could split at.
        for word in ("数据库", "播放器", "雲端", "範例"):
            with self.subTest(word=word):
                keyword = gbk(word)
                front = self.search(keyword)
                self.assertEqual(front, self.search(keyword, raw=False))
                total = int(between(front, gbk("总数：<b>"), b"</b>"))
                pages = int(between(front, b"</font>/", b"</b>"))
                self.assertGreater(total, 0)
                self.assertEqual(pages, -(-total // 20))
                link = re.compile(b'href="' + re.escape(self.base[:-1].encode()) +
                                  rb'/06/(.*?)/(.*?).html">(.*?)</a>', re.I)
                found = []
                for number in range(1, pages + 1):
                    found += link.findall(self.search(keyword, number))
                self.assertEqual(len(found), total)
                for _, _, title in found:
                    self.assertIn(HIGHLIGHT + keyword + b"</font>", title)
                    self.assertEqual(gbk(title.decode("gbk")), title)

    def test_search_without_results_and_query_syntax(self):
        cases = [(gbk("不存在的词"), 0), (b"", 0), (gbk("数据库#"), 0),
                 (gbk("数据库&x=1"), None)]
        expected = between(self.search(gbk("数据库")), gbk("总数：<b>"), b"</b>")
        for keyword, total in cases:
            with self.subTest(keyword=keyword):
                page = self.search(keyword)
                self.assertEqual(between(page, gbk("总数：<b>"), b"</b>"),
                                 expected if total is None else b"0")
                if total == 0:
                    self.assertEqual(between(page, b"</font>/", b"</b>"), b"0")

    def test_search_links_follow_the_host_header(self):
        target = b"/search/?type=all&q=" + gbk("数据库") + b"&s="
        named = self.get(target, f"localhost:{self.port}".encode()).body
        self.assertIn(f'href="http://localhost:{self.port}/06/'.encode(), named)
        hostile = self.get(target, b'x"><script>').body
        self.assertNotIn(b"<script>", hostile)
        self.assertIn(f'href="{self.base}06/'.encode(), hostile)

    def test_unknown_addresses_are_404(self):
        for target in (b"/nope", b"/favicon.ico", b"/wode_study/etools/", b"/wode_source/ebook/",
                       b"/06/2024-01/1.html", b"/images/none.png", b"/wode_source"):
            with self.subTest(target=target):
                response = self.get(target)
                self.assertEqual(response.status, 404)
                self.assertIn(gbk("页面不存在"), response.body)

    def test_keep_alive_replies_promptly(self):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        sockets = []
        started = time.monotonic()
        try:
            for number in range(1, 21):
                connection.request("GET", f"/wode_source/etools/{number}.html")
                response = connection.getresponse()
                body = response.read()
                self.assertEqual(int(response.getheader("Content-Length")), len(body))
                sockets.append(connection.sock)
        finally:
            connection.close()
        self.assertTrue(all(s is sockets[0] for s in sockets))
        # A reply split into small writes waits for delayed acknowledgements: ~40 ms a page.
        self.assertLess(time.monotonic() - started, 0.5)


class LifecycleTest(unittest.TestCase):
    def test_stops_cleanly_on_signals_and_serves_the_same_pages(self):
        pages = []
        for how in (signal.SIGTERM, signal.SIGINT):
            with self.subTest(signal=how), tempfile.TemporaryDirectory() as folder:
                port_file = Path(folder) / "site"
                process, base = start_site("--port-file", str(port_file))
                self.assertRegex(base, r"^http://127\.0\.0\.1:[0-9]+/$")
                self.assertEqual(port_file.read_text(), base + "\n")
                port = int(base.rsplit(":", 1)[1].rstrip("/"))
                connection = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
                connection.request("GET", "/wode_source/egame/3.html")
                pages.append(connection.getresponse().read())
                connection.close()
                self.assertEqual(stop_site(process, how), 0)
                with self.assertRaises(ConnectionRefusedError):
                    socket.create_connection(("127.0.0.1", port), timeout=5).close()
        self.assertEqual(pages[0], pages[1])

    def test_refuses_addresses_other_than_loopback(self):
        result = subprocess.run([sys.executable, str(SITE), "--host", "0.0.0.0"],
                                capture_output=True, timeout=10)
        self.assertEqual((result.returncode, result.stdout), (2, b""))


if __name__ == "__main__":
    unittest.main()
