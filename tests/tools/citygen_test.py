#!/usr/bin/env python3
"""The committed city table is what tools/citygen/citygen.py writes from the installed tzdata
and CLDR, and its rows are sound: at least 350 cities, each with a Japanese name, coordinates
within the earth's ranges, and every Windows zone one that CLDR maps.

Usage: citygen_test.py <source dir>
"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

src = sys.argv[1]
committed_path = os.path.join(src, "settings_ui", "generated", "city_table.tsv")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED: " + what)


with tempfile.TemporaryDirectory() as tmp:
    fresh = os.path.join(tmp, "city_table.tsv")
    subprocess.run([sys.executable, os.path.join(src, "tools", "citygen", "citygen.py"), fresh], check=True)
    committed = open(committed_path, encoding="utf-8").read()
    check(open(fresh, encoding="utf-8").read() == committed,
          "the committed table differs from the generator's output: run tools/citygen/citygen.py")

rows = [line.split("\t") for line in committed.splitlines() if line and not line.startswith("#")]
check(all(len(r) == 7 for r in rows), "a row without seven columns")
rows = [r for r in rows if len(r) == 7]
check(len(rows) >= 350, "only %d cities" % len(rows))
cldr = os.environ.get("MDX_CLDR_DIR", "/usr/share/unicode/cldr/common")
mapped = {m.get("other") for m in ET.parse(os.path.join(cldr, "supplemental", "windowsZones.xml")).iter("mapZone")}
japanese = re.compile("[\u3040-\u30ff\u4e00-\u9fff]")
for name, country, english, lat, lon, zone, iana in rows:
    check(japanese.search(name) is not None, "%s: no Japanese name" % iana)
    check(country and english, "%s: no country or English name" % iana)
    check(-90 <= float(lat) <= 90 and -180 <= float(lon) <= 180, "%s: coordinates %s %s" % (iana, lat, lon))
    check(zone == "" or zone in mapped, "%s: Windows zone %r unknown to CLDR" % (iana, zone))
check(len({r[6] for r in rows}) == len(rows), "an IANA zone appears twice")

print("%d cities, %d without a Windows zone" % (len(rows), sum(1 for r in rows if not r[5])))
sys.exit(1 if failures else 0)
