#!/usr/bin/python3
"""Writes a zip whose bytes depend on nothing but the files' names and
contents: entries flat and in sorted order, each dated SOURCE_DATE_EPOCH
(UTC), each with mode 0644, no extra fields. The date, the mode and the order
come from here, never from the file system, the clock or the time zone.

usage: make-zip.py ZIP FILE...   (each entry named after its file's base name)
"""
import os
import sys
import time
import zipfile

# A DOS date cannot be earlier than 1980-01-01 and carries no time zone.
kEarliestDosDate = 315532800
kUnixSystem = 3  # so that unzip on Linux reads the mode below
kEntryMode = 0o100644


def make_zip(zip_path, paths):
    epoch = max(int(os.environ["SOURCE_DATE_EPOCH"]), kEarliestDosDate)
    date_time = time.gmtime(epoch)[:6]
    names = [os.path.basename(path) for path in paths]
    if len(set(names)) != len(names):
        sys.exit(f"make-zip.py: two files with one name in {names}")
    with zipfile.ZipFile(zip_path, "w") as archive:
        for name, path in sorted(zip(names, paths)):
            info = zipfile.ZipInfo(name, date_time)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = kUnixSystem
            info.external_attr = kEntryMode << 16
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__.split("\n\n")[-1].strip())
    make_zip(sys.argv[1], sys.argv[2:])
