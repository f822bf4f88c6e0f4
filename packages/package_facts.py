#!/usr/bin/env python3
"""Reads what the setup program's version record follows from its two packages, and checks
that they belong together.

    package_facts.py X64 X86
        prints ProductVersion as four numbers (1.2 is 1.2.0.0), UpgradeCode and Manufacturer,
        separated by ';' (for CMake); fails with one line naming the file and the cause.
    package_facts.py --version TEXT
        prints TEXT as four numbers, or fails.
A package is a path, or demo:VERSION:UPGRADECODE:MANUFACTURER for a demo package that is
built later from those values.
"""
import os
import subprocess
import sys


class Failure(Exception):
    pass


def four_fields(text, where):
    """'1.2' -> (1, 2, 0, 0); two to four dot-separated numbers of at most 65535."""
    parts = text.split(".")
    if not 2 <= len(parts) <= 4 or not all(p.isdigit() for p in parts):
        raise Failure(f"{where}: ProductVersion '{text}' is not two to four dot-separated numbers")
    numbers = [int(p) for p in parts]
    if any(n > 65535 for n in numbers):
        raise Failure(f"{where}: ProductVersion '{text}' has a part above 65535, which a "
                      "version record cannot hold")
    return tuple(numbers + [0] * (4 - len(numbers)))


def properties(path):
    """The Property table of the package at path."""
    if path.startswith("demo:"):
        _, version, upgrade, manufacturer = path.split(":", 3)
        return {"ProductVersion": version, "UpgradeCode": upgrade, "Manufacturer": manufacturer}
    if not os.path.isfile(path):
        raise Failure(f"{path}: no such file")
    result = subprocess.run(["msiinfo", "export", path, "Property"], capture_output=True,
                            text=True)
    if result.returncode != 0:
        raise Failure(f"{path}: not a Windows Installer database (msiinfo cannot open it)")
    table = {}
    for line in result.stdout.replace("\r", "").splitlines()[3:]:
        name, _, value = line.partition("\t")
        table[name] = value
    return table


def facts(x64, x86):
    tables = {path: properties(path) for path in (x64, x86)}
    for path, table in tables.items():
        for name in ("ProductVersion", "UpgradeCode"):
            if not table.get(name):
                raise Failure(f"{path}: no {name} in its Property table")
    a, b = tables[x64], tables[x86]
    for name in ("ProductVersion", "UpgradeCode"):
        if a[name] != b[name]:
            raise Failure(f"the packages disagree on {name}: {x64} has '{a[name]}', "
                          f"{x86} has '{b[name]}'")
    version = four_fields(a["ProductVersion"], x64)
    return version, a["UpgradeCode"], a.get("Manufacturer", "")


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "--version":
            print(".".join(map(str, four_fields(argv[2], "version"))))
        elif len(argv) == 3:
            version, upgrade, manufacturer = facts(argv[1], argv[2])
            print(f"{'.'.join(map(str, version))};{upgrade};{manufacturer}")
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except Failure as failure:
        print(failure, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
