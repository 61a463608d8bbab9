#!/usr/bin/env python3
"""Writes the small BMP seeds of the bmp_header and map_bitmap corpora: one
file per header form, pixel size and row order the program reads."""
import struct
import sys
from pathlib import Path


def rows(width, height, bits, pixel):
    stride = (width * bits + 31) // 32 * 4
    out = b""
    for y in range(height):
        row = b"".join(pixel(x, y) for x in range(width)) if bits >= 8 else pack_bits(width, bits, x_fn=lambda x: (x + y) % (1 << bits))
        out += row.ljust(stride, b"\0")
    return out


def pack_bits(width, bits, x_fn):
    value, count, out = 0, 0, b""
    for x in range(width):
        value = value << bits | x_fn(x)
        count += bits
        if count == 8:
            out, value, count = out + bytes([value]), 0, 0
    return out + (bytes([value << (8 - count)]) if count else b"")


def bmp(info_size, width, height, bits, compression=0, palette=b"", masks=b"", pixels=b"", colors=0):
    if info_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression, len(pixels), 2835, 2835, colors, 0)
        info = (info + masks).ljust(info_size, b"\0") if info_size > 40 else info + masks
    offset = 14 + len(info) + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def rgb(x, y):
    return bytes([x * 80 % 256, y * 120 % 256, 200])


def main(folder):
    grey4 = b"".join(bytes([v, v, v, 0]) for v in (0, 85, 170, 255))
    seeds = {
        "core24.bmp": bmp(12, 3, 2, 24, pixels=rows(3, 2, 24, rgb)),
        "v3_1bit.bmp": bmp(40, 9, 2, 1, palette=grey4[:4] + grey4[12:], pixels=rows(9, 2, 1, None), colors=2),
        "v3_4bit.bmp": bmp(40, 5, 3, 4, palette=grey4, pixels=rows(5, 3, 4, None), colors=4),
        "v3_8bit_topdown.bmp": bmp(40, 3, -3, 8, palette=grey4, pixels=rows(3, 3, 8, lambda x, y: bytes([(x + y) % 4])), colors=4),
        "v3_16bit.bmp": bmp(40, 3, 2, 16, pixels=rows(3, 2, 16, lambda x, y: struct.pack("<H", 0x7C00 >> (5 * x)))),
        "v3_16bit_565.bmp": bmp(40, 3, 2, 16, 3, masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F),
                                pixels=rows(3, 2, 16, lambda x, y: struct.pack("<H", 0xF800 >> (5 * x)))),
        "v3_24bit.bmp": bmp(40, 3, 2, 24, pixels=rows(3, 2, 24, rgb)),
        "v3_32bit.bmp": bmp(40, 2, 2, 32, pixels=rows(2, 2, 32, lambda x, y: rgb(x, y) + b"\0")),
        "v4_32bit_alpha.bmp": bmp(108, 2, 2, 32, 3, masks=struct.pack("<IIII", 0xFF0000, 0xFF00, 0xFF, 0xFF000000),
                                  pixels=rows(2, 2, 32, lambda x, y: rgb(x, y) + b"\xff")),
        "v5_24bit.bmp": bmp(124, 2, 2, 24, pixels=rows(2, 2, 24, rgb)),
        "v3_rle8.bmp": bmp(40, 4, 2, 8, 1, palette=grey4, pixels=b"\x04\x01\x00\x00\x02\x02\x02\x03\x00\x01", colors=4),
    }
    for name, data in seeds.items():
        (Path(folder) / name).write_bytes(data)


if __name__ == "__main__":
    main(sys.argv[1])
