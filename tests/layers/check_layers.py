#!/usr/bin/env python3
"""Fails when a source file includes a folder that lies above its own.

Reads every #include "..." (and every Windows system header) under the source root and checks
it against the table below. Prints file:line and the forbidden pair for each breach.
    check_layers.py SRC_ROOT
"""
import pathlib
import re
import sys

# Folder -> the folders it may include besides itself, from the ground up.
ALLOWED = {
    "platform": [],
    "platform/win32": ["platform"],
    "platform/posix": ["platform"],
    "base": ["platform"],
    "framework": ["platform", "base"],
    "msi": ["platform", "base", "framework"],
    "package": ["platform", "base", "framework", "msi"],
    "installer": ["platform", "base", "framework", "msi", "package"],
    "app": ["platform", "base", "framework", "msi", "package", "installer"],
    # Windows-only developer programs: they may reach the Win32 layer's own headers.
    "tools": ["platform", "platform/win32", "base", "framework", "msi", "package",
              "installer", "app"],
}
# System headers that only the Win32 platform layer includes.
WINDOWS_HEADERS = {"windows.h", "msi.h", "msiquery.h", "objbase.h", "ole2.h", "oleauto.h",
                   "psapi.h", "shlobj.h", "shfolder.h", "winbase.h", "winuser.h", "unknwn.h"}
WINDOWS_ONLY_FOLDER = "platform/win32"

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCES = {".h", ".cpp", ".c", ".in", ".S"}


def folder_of(relative):
    """The table's folder of a path relative to the source root, or None."""
    parts = pathlib.PurePosixPath(relative).parts
    if len(parts) > 2 and "/".join(parts[:2]) in ALLOWED:
        return "/".join(parts[:2])
    if len(parts) > 1 and parts[0] in ALLOWED:
        return parts[0]
    return None


def check(root):
    breaches = []
    for path in sorted(root.rglob("*")):
        if not path.is_file() or not any(path.name.endswith(s) for s in SOURCES):
            continue
        relative = path.relative_to(root).as_posix()
        source = folder_of(relative)
        if source is None:
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, name = match.groups()
            where = f"{relative}:{number}"
            if kind == "<":
                if name.lower() in WINDOWS_HEADERS and source != WINDOWS_ONLY_FOLDER:
                    breaches.append(f"{where}: {source} may not include <{name}> "
                                    f"(only {WINDOWS_ONLY_FOLDER} does)")
                continue
            target = folder_of(name)
            if target is None:
                breaches.append(f"{where}: {source} includes \"{name}\", which names no "
                                f"folder of the table")
            elif target != source and target not in ALLOWED[source]:
                breaches.append(f"{where}: {source} may not include {target} (\"{name}\")")
    return breaches


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = pathlib.Path(sys.argv[1])
    if not root.is_dir():
        sys.exit(f"check_layers: {root} is not a folder")
    breaches = check(root)
    for breach in breaches:
        print(breach)
    if breaches:
        print(f"check_layers: {len(breaches)} forbidden include(s) under {root}")
        return 1
    print(f"check_layers: every include under {root} follows the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
