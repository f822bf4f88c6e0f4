#!/usr/bin/env python3
"""Writes the fuzzers' seed inputs next to this script (run once; the seeds are kept)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def string(text):
    data = text.encode("latin-1")
    return b"\x01" + struct.pack("<i", len(data)) + data


def int32(value):
    return struct.pack("<ii", 4, value)


SEEDS = {
    "LoadFuzzer": {
        "text": string("ProductInstaller.cpp") + string("CProductInstaller::Proceed") + int32(45)
        + string("Failed to find product to be installed."),
        "common": string("Folders.cpp") + string("GetPackageCacheFolder") + int32(12)
        + struct.pack("<iI", 4, 0x80070005) + string("cache"),
        "long-string": string("a") + b"\x01" + struct.pack("<i", 0x7FFFFFFF) + b"xyz",
        "odd-integer": string("s") + string("f") + struct.pack("<i", 8) + b"\x01\x02\x03\x04\x05\x06\x07\x08",
    },
    "VersionFuzzer": {
        "four-parts": b"1.2.0.0",
        "commas": b"1,2.3",
        "signs": b" -7.+8..2147483648,-2147483649",
        "empty-parts": b".5.",
    },
    # flags byte (bit 0: Shift-JIS lead bytes, bit 1: trim), delimiters, NUL, text
    "TokenListFuzzer": {
        "features": b"\x02;\0 Complete ; Extras;;Help ",
        "path": b"\x00\\/\0C:\\ProgramData\\MSI Cache\\{GUID}",
        "shift-jis": b"\x01\\\0\x83\\\x81\\a\\\x95\\",
        "blank-token": b"\x02,\0a, ,b",
    },
    # flags byte (bit 0: Shift-JIS lead bytes), path, NUL, component
    "PathFuzzer": {
        "cache": b"\x00C:\\ProgramData\\MSI Cache\0QvHalcyonSetupENx64.msi",
        "trailing": b"\x00C:\\a\\\0b.c.d",
        "slashes": b"\x00//server/share/x.msi\0",
        "shift-jis": b"\x01C:\\\x95\\\0\x83\\.msi",
    },
}

for fuzzer, seeds in SEEDS.items():
    folder = os.path.join(HERE, fuzzer)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
