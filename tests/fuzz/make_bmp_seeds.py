#!/usr/bin/env python3
"""Writes the seed inputs of the BMP reader's fuzz target: small bitmaps of every depth and
header form the reader accepts (1, 4, 8, 24, 32 bits; BITMAPINFOHEADER, BITMAPCOREHEADER,
a V5 header; bottom-up and top-down; BI_BITFIELDS), as files and as packed DIBs.
Run from anywhere: python3 tests/fuzz/make_bmp_seeds.py"""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "bmp_reader")


def pixels(w, h, bpp):
    stride = (w * bpp + 31) // 32 * 4
    rows = []
    for y in range(h):
        row = bytearray(stride)
        for i in range((w * bpp + 7) // 8):
            row[i] = (x := (y * 37 + i * 11)) & 0xFF
        rows.append(bytes(row))
    return b"".join(rows)


def info_dib(w, h, bpp, colours=0, compression=0, header=40, masks=b""):
    head = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, compression, 0, 2835, 2835, colours, 0)
    head = head[:4].replace(struct.pack("<I", 40), struct.pack("<I", header)) + head[4:]
    head += bytes(header - 40) if header > 40 else b""
    if header > 40 and masks:
        head = head[:40] + masks + head[40 + len(masks):]
        masks = b""
    n = colours or (1 << bpp if bpp <= 8 else 0)
    palette = b"".join(struct.pack("<BBBB", (i * 53) & 255, (i * 97) & 255, (i * 29) & 255, 0) for i in range(n))
    return head + masks + palette + pixels(w, abs(h), bpp)


def core_dib(w, h, bpp):
    head = struct.pack("<IHHHH", 12, w, h, 1, bpp)
    n = 1 << bpp if bpp <= 8 else 0
    palette = b"".join(struct.pack("<BBB", (i * 53) & 255, (i * 97) & 255, i & 255) for i in range(n))
    return head + palette + pixels(w, h, bpp)


def as_file(dib, header):
    # Offset of the pixels: after the file header, the info header and the colour table.
    bpp = struct.unpack_from("<H", dib, 10 if header == 12 else 14)[0]
    colours = 0 if header == 12 else struct.unpack_from("<I", dib, 32)[0]
    entry = 3 if header == 12 else 4
    n = colours or (1 << bpp if bpp <= 8 else 0)
    extra = 12 if header == 40 and struct.unpack_from("<I", dib, 16)[0] == 3 else 0
    off = 14 + header + extra + n * entry
    return b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, off) + dib


def main():
    os.makedirs(OUT, exist_ok=True)
    masks = struct.pack("<III", 0xFF0000, 0xFF00, 0xFF)
    seeds = {
        "mono_9x5": (info_dib(9, 5, 1), 40),
        "mono_topdown_3x4": (info_dib(3, -4, 1), 40),
        "nibble_7x3": (info_dib(7, 3, 4), 40),
        "nibble_5colours": (info_dib(6, 2, 4, colours=5), 40),
        "byte_5x4": (info_dib(5, 4, 8), 40),
        "byte_topdown_4x2": (info_dib(4, -2, 8, colours=16), 40),
        "rgb24_5x3": (info_dib(5, 3, 24), 40),
        "rgb32_3x3": (info_dib(3, 3, 32), 40),
        "bitfields32_2x2": (info_dib(2, 2, 32, compression=3, masks=masks), 40),
        "v5_bitfields32_2x3": (info_dib(2, 3, 32, compression=3, header=124, masks=masks), 124),
        "core_mono_8x2": (core_dib(8, 2, 1), 12),
        "core_rgb24_3x2": (core_dib(3, 2, 24), 12),
    }
    for name, (dib, header) in seeds.items():
        with open(os.path.join(OUT, name + ".bmp"), "wb") as f:
            f.write(as_file(dib, header))
        with open(os.path.join(OUT, name + ".dib"), "wb") as f:
            f.write(dib)


if __name__ == "__main__":
    main()
