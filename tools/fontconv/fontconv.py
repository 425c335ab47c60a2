#!/usr/bin/env python3
"""Builds the raster engine's 12-dot bitmap font table from the Shinonome PCF fonts.

Usage: tools/fontconv/fontconv.py [FONT_DIR] [OUT_FILE]
  FONT_DIR defaults to /usr/share/fonts/X11/misc (Debian package xfonts-shinonome),
  OUT_FILE to raster/generated/font12.txt below this script's repository root.

Inputs (public domain):
  shnm6x12a.pcf.gz  half-width ASCII (0x20-0x7E)
  shnm6x12r.pcf.gz  half-width JIS X 0201 katakana (0xA1-0xDF -> U+FF61-U+FF9F)
  shnmk12.pcf.gz    full-width JIS X 0208 (row/cell codes 0x2121-0x7E7E)

JIS X 0208 codes are mapped to Unicode through EUC-JP and, where code page 932 decodes
the same character to another code point (for example U+301C / U+FF5E), under both code
points, so that text converted from either encoding finds its glyph.

Output: font12.txt, one glyph a line in code point order, deterministic for the same inputs;
the build turns it into the tables of raster/font12_data.h (cmake/font_table.cmake).
Half-width glyphs: 12 rows of one byte, pixels in the top 6 bits. Full-width glyphs: 12 rows
of 12 bits, three hexadecimal digits each, so that the digits read in a row are the tables'
packed bytes.
"""
import gzip
import os
import struct
import sys

PCF_PROPERTIES = 1 << 0
PCF_ACCELERATORS = 1 << 1
PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_BDF_ACCELERATORS = 1 << 8

PCF_BYTE_MSB = 1 << 2
PCF_BIT_MSB = 1 << 3
PCF_COMPRESSED_METRICS = 0x100

CELL_HEIGHT = 12


class PcfFont:
    """The parts of a PCF font needed here: metrics, bitmaps, encodings, ascent."""

    def __init__(self, data):
        if data[:4] != b'\x01fcp':
            raise ValueError('not a PCF font')
        (count,) = struct.unpack_from('<I', data, 4)
        self.tables = {}
        for i in range(count):
            ttype, fmt, size, offset = struct.unpack_from('<4I', data, 8 + 16 * i)
            self.tables[ttype] = (fmt, size, offset)
        self.data = data
        self._read_accelerators()
        self._read_metrics()
        self._read_bitmaps()
        self._read_encodings()

    def _table(self, ttype):
        fmt, _size, offset = self.tables[ttype]
        (inner_fmt,) = struct.unpack_from('<I', self.data, offset)
        order = '>' if inner_fmt & PCF_BYTE_MSB else '<'
        return inner_fmt, order, offset + 4

    def _read_accelerators(self):
        ttype = PCF_BDF_ACCELERATORS if PCF_BDF_ACCELERATORS in self.tables else PCF_ACCELERATORS
        _fmt, order, pos = self._table(ttype)
        self.ascent, self.descent = struct.unpack_from(order + 'ii', self.data, pos + 8)

    def _read_metrics(self):
        fmt, order, pos = self._table(PCF_METRICS)
        self.metrics = []
        if fmt & PCF_COMPRESSED_METRICS:
            (count,) = struct.unpack_from(order + 'h', self.data, pos)
            pos += 2
            for _ in range(count):
                lsb, rsb, width, asc, desc = (b - 0x80 for b in self.data[pos:pos + 5])
                self.metrics.append((lsb, rsb, width, asc, desc))
                pos += 5
        else:
            (count,) = struct.unpack_from(order + 'i', self.data, pos)
            pos += 4
            for _ in range(count):
                lsb, rsb, width, asc, desc, _attr = struct.unpack_from(order + 'hhhhhH', self.data, pos)
                self.metrics.append((lsb, rsb, width, asc, desc))
                pos += 12

    def _read_bitmaps(self):
        fmt, order, pos = self._table(PCF_BITMAPS)
        if not (fmt & PCF_BIT_MSB) or not (fmt & PCF_BYTE_MSB):
            raise ValueError('only MSB-first bitmaps are handled')
        self.pad = 1 << (fmt & 3)
        (count,) = struct.unpack_from(order + 'i', self.data, pos)
        pos += 4
        self.offsets = list(struct.unpack_from(order + '%di' % count, self.data, pos))
        pos += 4 * count + 16  # offsets, then the four bitmap sizes
        self.bitmap_base = pos

    def _read_encodings(self):
        _fmt, order, pos = self._table(PCF_BDF_ENCODINGS)
        min2, max2, min1, max1, _default = struct.unpack_from(order + '5h', self.data, pos)
        pos += 10
        self.encoding = {}
        cols = max2 - min2 + 1
        for b1 in range(min1, max1 + 1):
            for b2 in range(min2, max2 + 1):
                (index,) = struct.unpack_from(order + 'H', self.data, pos + 2 * ((b1 - min1) * cols + (b2 - min2)))
                if index != 0xFFFF:
                    self.encoding[(b1 << 8) | b2] = index

    def cell(self, code, cell_width):
        """The glyph of `code` rendered into a cell_width x 12 cell, as a list of row masks
        (bit cell_width-1 is the leftmost pixel), or None when the font lacks it."""
        index = self.encoding.get(code)
        if index is None:
            return None
        lsb, rsb, _width, asc, desc = self.metrics[index]
        glyph_w = rsb - lsb
        glyph_h = asc + desc
        stride = (glyph_w + 7) // 8
        stride = (stride + self.pad - 1) // self.pad * self.pad
        base = self.bitmap_base + self.offsets[index]
        rows = [0] * CELL_HEIGHT
        for gy in range(glyph_h):
            y = self.ascent - asc + gy
            if y < 0 or y >= CELL_HEIGHT:
                continue
            row = self.data[base + gy * stride: base + gy * stride + stride]
            for gx in range(glyph_w):
                if row[gx >> 3] & (0x80 >> (gx & 7)):
                    x = lsb + gx
                    if 0 <= x < cell_width:
                        rows[y] |= 1 << (cell_width - 1 - x)
        return rows


def load(font_dir, name):
    with gzip.open(os.path.join(font_dir, name + '.pcf.gz'), 'rb') as f:
        return PcfFont(f.read())


def jis_to_unicode(code, codec):
    """Unicode of a JIS X 0208 code through `codec` ('euc_jp' or 'cp932'), or None."""
    b1, b2 = code >> 8, code & 0xFF
    if codec == 'euc_jp':
        raw = bytes([b1 | 0x80, b2 | 0x80])
    else:  # JIS row/cell to Shift_JIS
        s1 = ((b1 + 1) >> 1) + (0x70 if b1 <= 0x5E else 0xB0)
        s2 = b2 + (0x1F if b1 & 1 else 0x7D)
        if b1 & 1 and s2 >= 0x7F:
            s2 += 1
        raw = bytes([s1, s2])
    try:
        text = raw.decode(codec)
    except UnicodeDecodeError:
        return None
    if len(text) != 1 or ord(text) > 0xFFFF:
        return None
    return ord(text)


def build(font_dir):
    ascii_font = load(font_dir, 'shnm6x12a')
    kana_font = load(font_dir, 'shnm6x12r')
    kanji_font = load(font_dir, 'shnmk12')

    half = {}
    for code in range(0x20, 0x7F):
        rows = ascii_font.cell(code, 6)
        if rows is not None:
            half[code] = rows
    for code in range(0xA1, 0xE0):
        rows = kana_font.cell(code, 6)
        if rows is not None:
            half[0xFF61 + code - 0xA1] = rows

    full = {}
    for code in sorted(kanji_font.encoding):
        if not (0x21 <= code >> 8 <= 0x7E and 0x21 <= code & 0xFF <= 0x7E):
            continue
        rows = kanji_font.cell(code, 12)
        if rows is None:
            continue
        for codec in ('euc_jp', 'cp932'):
            uni = jis_to_unicode(code, codec)
            # Half-width code points keep their half-width glyphs.
            if uni is not None and uni not in full and uni not in half and uni >= 0x80:
                full[uni] = rows
    return half, full


def write(out_path, half, full):
    """One glyph a line, half-width glyphs first, each kind in code point order."""
    lines = [
        '# Generated by tools/fontconv/fontconv.py from the Shinonome 12-dot fonts '
        '(public domain, Debian xfonts-shinonome). Do not edit.',
        '# One glyph a line: its kind, its Unicode code point and its 12 rows in hexadecimal.',
        '# half: 6 x 12, a byte a row, pixels in bits 7..2.',
        '# full: 12 x 12, 12 bits a row, the leftmost pixel most significant.',
    ]
    for code in sorted(half):
        lines.append('half %04X %s' % (code, ' '.join('%02X' % ((r << 2) & 0xFF) for r in half[code])))
    for code in sorted(full):
        lines.append('full %04X %s' % (code, ' '.join('%03X' % r for r in full[code])))
    os.makedirs(os.path.dirname(os.path.abspath(out_path)), exist_ok=True)
    with open(out_path, 'w', encoding='ascii', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    font_dir = argv[1] if len(argv) > 1 else '/usr/share/fonts/X11/misc'
    out_path = argv[2] if len(argv) > 2 else os.path.join(here, '..', '..', 'raster', 'generated', 'font12.txt')
    half, full = build(font_dir)
    write(out_path, half, full)
    print('half-width glyphs: %d, full-width glyphs: %d' % (len(half), len(full)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
