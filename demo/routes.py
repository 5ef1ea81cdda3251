"""Maps a raw request target to a reply. Knows nothing of sockets."""

from __future__ import annotations

import re
from dataclasses import dataclass, field
from urllib.parse import unquote_to_bytes

import assets
import pages
from catalogue import SECTION_NAMES, Catalogue

HTML = "text/html; charset=gbk"

LISTING = re.compile(r"/([a-z_]+)/([a-z]+)/(?:([1-9][0-9]{0,5})\.html)?")
DETAIL = re.compile(r"/06/([0-9]{4}-[0-9]{2})/([0-9]{1,9})\.html")
IMAGE = re.compile(r"/images/([a-z]+\.png)")


@dataclass
class Reply:
    status: int
    content_type: str
    body: bytes
    headers: dict[str, str] = field(default_factory=dict)


def _html(text: str, status: int = 200) -> Reply:
    return Reply(status, HTML, text.encode("gbk", errors="xmlcharrefreplace"))


def not_found() -> Reply:
    return _html(pages.not_found_page(), 404)


def parse_query(query: bytes) -> dict[bytes, bytes]:
    """Splits at every "&" and decodes each value to bytes, "+" as a space, the last field of a
    name winning: the keyword's own "&" or "#" is never told apart from the query syntax."""
    fields = {}
    for part in query.split(b"&"):
        if part:
            name, _, value = part.partition(b"=")
            fields[unquote_to_bytes(name.replace(b"+", b" "))] = unquote_to_bytes(
                value.replace(b"+", b" "))
    return fields


def _page_number(text: bytes) -> int:
    return int(text) if text.isdigit() and len(text) <= 6 and int(text) > 0 else 1


def _download_key(fields: dict[bytes, bytes]) -> str:
    # The key travels with a trailing "%3d" ("=" once decoded), and a form sends it without.
    return fields.get(b"a_k", b"").decode("latin-1").rstrip("=")


def route(catalogue: Catalogue, target: bytes, site_base: str) -> Reply:
    """target: the request target as sent, path and query, any bytes."""
    raw_path, _, query = target.partition(b"?")
    path = unquote_to_bytes(raw_path).decode("latin-1")
    if path == "/":
        return _html(pages.home_page(catalogue))
    if path.strip("/") in SECTION_NAMES and path == f"/{path.strip('/')}/":
        return _html(pages.section_page(catalogue, path.strip("/")))
    if path == "/search/":
        fields = parse_query(query)
        return _html(pages.search_page(catalogue, fields.get(b"q", b""),
                                       _page_number(fields.get(b"page", b"")), site_base))
    if path == "/down.php":
        key = _download_key(parse_query(query))
        return _html(pages.download_page(catalogue, key, catalogue.by_key.get(key)))
    if path == "/download.php":
        item = catalogue.by_key.get(_download_key(parse_query(query)))
        if item is None:
            return not_found()
        return Reply(200, "application/zip", assets.item_zip(item),
                     {"Content-Disposition": f'attachment; filename="{item.ident}.zip"'})
    if match := IMAGE.fullmatch(path):
        image = assets.IMAGES.get(match.group(1))
        return Reply(200, "image/png", image) if image else not_found()
    if match := DETAIL.fullmatch(path):
        item = catalogue.by_address.get((match.group(1), match.group(2)))
        return _html(pages.detail_page(catalogue, item)) if item else not_found()
    if match := LISTING.fullmatch(path):
        return _listing(catalogue, *match.groups())
    return not_found()


def _listing(catalogue: Catalogue, section: str, segment: str, number: str | None) -> Reply:
    category = catalogue.category(section, segment)
    if category is None:
        return not_found()
    if number is None:
        return _html(pages.listing_page(catalogue, category, 1, front=True))
    page = int(number)
    if page > category.pages:
        return not_found()
    return _html(pages.listing_page(catalogue, category, page, front=False))
