#!/usr/bin/env python3
"""Writes the portable zip from the staged release files, the same bytes on every run:
entries in sorted order, every time set to SOURCE_DATE_EPOCH (in UTC), fixed attributes,
deflate at level 9, names in UTF-8 (flagged, so Explorer shows the Japanese name).

Usage: make_zip.py <stage dir> <out.zip>
"""
import os
import sys
import time
import zipfile

# DOS times start in 1980.
DOS_EPOCH = 315532800
# Windows reads the low bits (the archive attribute), unzip on Linux the high ones (rw-r--r--);
# made on "Unix" so that unzip trusts the UTF-8 flag instead of recoding from a DOS code page.
ATTRIBUTES = (0o100644 << 16) | 0x20
MADE_ON_UNIX = 3


def staged_files(stage):
    files = []
    for root, _dirs, names in os.walk(stage):
        for name in names:
            path = os.path.join(root, name)
            files.append(os.path.relpath(path, stage).replace(os.sep, "/"))
    # Byte order of the UTF-8 names: independent of locale and file system.
    return sorted(files, key=lambda n: n.encode("utf-8"))


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_zip.py <stage dir> <out.zip>")
    stage, out = sys.argv[1], sys.argv[2]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
    stamp = time.gmtime(max(epoch, DOS_EPOCH))[:6]
    tmp = out + ".tmp"
    with zipfile.ZipFile(tmp, "w") as z:
        for name in staged_files(stage):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = MADE_ON_UNIX
            info.external_attr = ATTRIBUTES
            with open(os.path.join(stage, name), "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    os.replace(tmp, out)


if __name__ == "__main__":
    main()
