#!/usr/bin/env python3
"""Makes a package built by wixl reproducible.

wixl writes a random package code (the summary's revision number) and the current time into the
package's summary information, whatever the sources say. Both have fixed sizes, so they are
replaced in place: the package code by the one derived from the version, the times by
SOURCE_DATE_EPOCH (else 2000-01-01). The result is read back with msiinfo.

  fix_msi_summary.py PACKAGE.msi PACKAGE-CODE
"""
import os
import re
import struct
import subprocess
import sys

FILETIME_TYPE = struct.pack("<I", 64)  # VT_FILETIME
EPOCH_DIFFERENCE = 116444736000000000  # 1601-01-01 to 1970-01-01 in 100 ns units


def filetime(seconds):
    return seconds * 10000000 + EPOCH_DIFFERENCE


def summary(path):
    return subprocess.run(["msiinfo", "suminfo", path], capture_output=True, text=True, check=True).stdout


def main():
    path, package_code = sys.argv[1], "{" + sys.argv[2].strip("{}").upper() + "}"
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "946684800"))
    info = summary(path)
    revision = re.search(r"Revision number \(UUID\): (\{[0-9A-Fa-f-]{36}\})", info)
    if revision is None:
        sys.exit(f"fix_msi_summary: no revision number in {path}")
    with open(path, "rb") as f:
        data = bytearray(f.read())
    old = revision.group(1).encode()
    if data.count(old) != 1:
        sys.exit(f"fix_msi_summary: the revision number occurs {data.count(old)} times in {path}")
    position = data.index(old)
    data[position:position + len(old)] = package_code.encode()
    # The creation and last-saved times: FILETIME values within a day of the build.
    now = filetime(int(__import__("time").time()))
    day = 864000000000
    replaced = 0
    position = data.find(FILETIME_TYPE)
    while position != -1:
        value = struct.unpack_from("<Q", data, position + 4)[0] if position + 12 <= len(data) else 0
        if abs(value - now) < day:
            struct.pack_into("<Q", data, position + 4, filetime(epoch))
            replaced += 1
        position = data.find(FILETIME_TYPE, position + 1)
    if replaced == 0:
        sys.exit(f"fix_msi_summary: no time stamp found in {path}")
    with open(path, "wb") as f:
        f.write(data)
    info = summary(path)
    if package_code not in info:
        sys.exit(f"fix_msi_summary: the package code did not take:\n{info}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
