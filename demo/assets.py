"""Binary replies made in code: the button images and the downloadable zip."""

from __future__ import annotations

import io
import struct
import zipfile
import zlib

from catalogue import Item

ZIP_TIME = (2024, 1, 1, 0, 0, 0)


def _png_chunk(kind: bytes, data: bytes) -> bytes:
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width: int, height: int, colour_at) -> bytes:
    """A truecolour PNG whose pixel (x, y) has the RGB triple colour_at(x, y)."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(colour_at(x, y))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", header) +
            _png_chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + _png_chunk(b"IEND", b""))


def _button(x: int, y: int) -> tuple[int, int, int]:
    if x in (0, 139) or y in (0, 39):
        return (30, 90, 40)
    shaft = 26 <= x <= 30 and 8 <= y < 20
    head = 20 <= y <= 30 and abs(x - 28) <= 30 - y
    if shaft or head:
        return (255, 255, 255)
    return (40, 200 - y * 2, 70)


def _banner(x: int, y: int) -> tuple[int, int, int]:
    stripe = ((x + y) // 8) % 2
    return (230, 236, 245) if stripe else (214, 224, 238)


DOWNLOAD_BUTTON = png(140, 40, _button)
BANNER = png(300, 50, _banner)

IMAGES = {"down.png": DOWNLOAD_BUTTON, "banner.png": BANNER}


def item_zip(item: Item) -> bytes:
    """A small real archive naming the item, identical on every call."""
    readme = (f"{item.title}\n\n分类：{item.category.name}\n日期：{item.date}\n编号：{item.ident}\n\n"
              "本压缩包由演示站点生成，仅供测试。\n")
    main = (f"// {item.title}\n"
            "// 演示用的占位源文件\n"
            "开始\n"
            f"    显示 “{item.title}”\n"
            "结束\n")
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        for name, text in (("readme.txt", readme), ("src/main.txt", main)):
            info = zipfile.ZipInfo(name, date_time=ZIP_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, text.encode("utf-8"))
    return buffer.getvalue()
