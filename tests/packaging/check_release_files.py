#!/usr/bin/env python3
"""Checks the release files of a Windows build (<build>/package, made by the release_files
target): the zip holds exactly the program, its libraries, the help page, the Japanese readme
and the licence texts, each the same as in the build; its names are flagged UTF-8; the PE
times and zip times come from one fixed date; SHA256SUMS is right; and packaging the same
build again, from another time zone into a fresh stage, gives the same bytes.

Usage: check_release_files.py <windows build dir>
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zipfile

SRC = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ZIP = "Meridexa-1.50-win64.zip"
SETUP = "Meridexa-1.50-setup.exe"
README = "はじめにお読みください.txt"
BINARIES = ["meridexa.exe", "mdxutil.dll", "mdxsound.dll", "mdxgraph.dll"]
LICENCES = ["GPL-3.txt", "MinGW-w64-runtime.txt", "NaturalEarth.txt", "Shinonome-fonts.txt",
            "Unicode-CLDR.txt", "tzdata.txt"]

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED: " + what)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def pe_time(data):
    """The TimeDateStamp of a PE file's COFF header."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<I", data, pe + 8)[0]


def stripped(build, name, epoch, tmp):
    out = os.path.join(tmp, name)
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(epoch))
    subprocess.run(["x86_64-w64-mingw32-strip", "--strip-all", "-o", out, os.path.join(build, name)],
                   check=True, env=env)
    return read(out)


def check_zip(build, package, tmp):
    z = zipfile.ZipFile(os.path.join(package, ZIP))
    names = [i.filename for i in z.infolist()]
    expected = BINARIES + ["meridexa.html", README] + ["licenses/" + n for n in LICENCES]
    check(sorted(names) == sorted(expected), "zip entries %s, expected %s" % (names, expected))
    check(names == sorted(names, key=lambda n: n.encode("utf-8")), "zip entries in sorted order")

    exe = z.read("meridexa.exe") if "meridexa.exe" in names else b""
    epoch = pe_time(exe) if exe else None
    check(epoch is not None and epoch > 0, "meridexa.exe in the zip carries a fixed PE time")
    if epoch is None:
        return None
    stamp = time.gmtime(epoch)[:6]
    for info in z.infolist():
        # DOS times have 2-second steps.
        check(info.date_time[:5] == stamp[:5] and abs(info.date_time[5] - stamp[5]) <= 1,
              "%s dated %s, the binaries %s" % (info.filename, info.date_time, stamp))
        if any(ord(c) > 127 for c in info.filename):
            check(info.flag_bits & 0x800, "%s flagged as a UTF-8 name" % info.filename)
    for name in BINARIES:
        if name not in names:
            continue
        data = z.read(name)
        check(pe_time(data) == epoch, "%s has the same PE time as meridexa.exe" % name)
        check(data == stripped(build, name, epoch, tmp), "%s in the zip is the build's, stripped" % name)
    sources = {"meridexa.html": os.path.join(build, "meridexa.html"),
               README: os.path.join(SRC, "packaging", "readme-ja.txt")}
    for n in LICENCES:
        sources["licenses/" + n] = os.path.join(SRC, "packaging", "licenses", n)
    for name, path in sources.items():
        if name in names:
            check(z.read(name) == read(path), "%s in the zip is %s" % (name, path))
    readme = z.read(README).decode("utf-8-sig") if README in names else ""
    check("HKEY_CURRENT_USER\\Software\\Quenholt\\meridexa" in readme, "the readme says where settings live")
    return epoch


def check_sums(package):
    lines = read(os.path.join(package, "SHA256SUMS")).decode().splitlines()
    sums = dict(reversed(line.split(None, 1)) for line in lines)
    for name in (ZIP, SETUP):
        digest = hashlib.sha256(read(os.path.join(package, name))).hexdigest()
        check(sums.get(name) == digest, "SHA256SUMS lists %s with its digest" % name)


def check_repackaging(build, package, epoch, tmp):
    out = os.path.join(tmp, "again")
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(epoch), TZ="Asia/Tokyo")
    subprocess.run([os.path.join(SRC, "packaging", "package.sh"), build, os.path.join(tmp, "stage"), out],
                   check=True, env=env, stdout=subprocess.DEVNULL)
    for name in (ZIP, SETUP, "SHA256SUMS"):
        check(read(os.path.join(out, name)) == read(os.path.join(package, name)),
              "%s is byte-identical when packaged again" % name)


def main():
    build = os.path.abspath(sys.argv[1])
    subprocess.run(["cmake", "--build", build, "--target", "release_files"], check=True,
                   stdout=subprocess.DEVNULL)
    package = os.path.join(build, "package")
    tmp = tempfile.mkdtemp(prefix="mdx-release-")
    try:
        epoch = check_zip(build, package, tmp)
        check_sums(package)
        if epoch is not None:
            check_repackaging(build, package, epoch, tmp)
    finally:
        shutil.rmtree(tmp)
    print("%d failure(s)" % len(failures))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
