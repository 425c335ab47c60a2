#!/usr/bin/env python3
"""The build's data-to-C++ scripts: a full-width glyph's row digits become its packed bytes, a
half-width glyph's its row bytes, a city row its initializer, and a malformed line stops the
build.

Usage: table_scripts_test.py <source dir>
"""
import os
import subprocess
import sys
import tempfile

src = sys.argv[1]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED: " + what)


def run(script, data):
    """The script's output for `data`, or None when it stops with an error."""
    with tempfile.TemporaryDirectory() as tmp:
        inp, out = os.path.join(tmp, "in"), os.path.join(tmp, "out.cpp")
        with open(inp, "w", encoding="utf-8") as f:
            f.write(data)
        done = subprocess.run(["cmake", "-DIN=" + inp, "-DOUT=" + out, "-P", os.path.join(src, "cmake", script)],
                              capture_output=True)
        return open(out, encoding="utf-8").read() if done.returncode == 0 else None


font = run("font_table.cmake", "# comment\n"
           "half 0041 00 20 20 50 50 50 88 F8 88 88 00 00\n"
           "full 3042 000 040 7FC 040 0F8 154 252 252 2A4 1C8 000 000\n")
check(font is not None, "a valid glyph list is refused")
if font:
    check("kHalfCount = 1;" in font and "kFullCount = 1;" in font, "glyph counts")
    check("0x00,0x20,0x20,0x50,0x50,0x50,0x88,0xF8,0x88,0x88,0x00,0x00," in font, "half-width rows")
    check("0x00,0x00,0x40,0x7F,0xC0,0x40,0x0F,0x81,0x54,0x25,0x22,0x52,0x2A,0x41,0xC8,0x00,0x00,0x00," in font,
          "full-width rows packed two to three bytes")
    check("0x0041," in font and "0x3042," in font, "code points")
for bad in ("half 0041 00 20\n", "full 3042 00 04 7F C0 40 0F 81 54 25 22 52 2A\n", "wide 0041 00\n"):
    check(run("font_table.cmake", bad) is None, "accepted: " + bad.strip())

city = run("city_table.cmake", "# comment\n東京\t日本\tTokyo\t35.6544\t139.7447\tTokyo Standard Time\tAsia/Tokyo\n"
           "トロル基地\t南極\tTroll\t-72.0114\t2.5350\t\tAntarctica/Troll\n")
check(city is not None, "a valid city list is refused")
if city:
    check('{"東京", "日本", "Tokyo", 35.6544, 139.7447, "Tokyo Standard Time", "Asia/Tokyo"},' in city, "a city row")
    check('2.5350, "", "Antarctica/Troll"}' in city, "an empty Windows zone stays a column")
for bad in ("東京\t日本\tTokyo\t35.6544\t139.7447\tAsia/Tokyo\n", "東京\t日本\tTokyo\tnorth\t139.7447\t\tAsia/Tokyo\n"):
    check(run("city_table.cmake", bad) is None, "accepted: " + bad.strip())

sys.exit(1 if failures else 0)
