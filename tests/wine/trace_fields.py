#!/usr/bin/env python3
"""Reads what a WINEDEBUG=trace+msi,trace+msgbox log says the setup program did.

    trace_fields.py LOG install-count | install-path | install-properties | boxes
Wine writes debug strings with C escapes (\\" for a quote, \\\\ for a backslash).
"""
import re
import sys

STRING = r'L?"((?:[^"\\]|\\.)*)"'


def unescape(text):
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(1), m.group(1)), text)


def main(log, field):
    with open(log, encoding="utf-8", errors="replace") as f:
        lines = f.read().splitlines()
    installs = [m for m in (re.search(r"trace:msi:MsiInstallProductA " + STRING + " " + STRING, l) for l in lines) if m]
    boxes = [unescape(m.group(1)) for m in (re.search(r"trace:msgbox:MSGBOX_OnInit " + STRING, l) for l in lines) if m]
    if field == "install-count":
        print(len(installs))
    elif field == "install-path":
        print(unescape(installs[-1].group(1)) if installs else "")
    elif field == "install-properties":
        print(unescape(installs[-1].group(2)) if installs else "")
    elif field == "boxes":
        for box in boxes:
            print(box.replace("\n", "\\n"))
    else:
        sys.exit(f"unknown field {field}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
