#!/usr/bin/python3
"""Checks a setup program as a file: a GUI executable for the expected machine whose
resources hold the two packages (compared byte for byte with the files the build embedded),
a version record that follows the packages' ProductVersion, the icon group and the manifest;
whose import table names only known system DLLs; and that carries the hardening a reviewer
looks for first (dynamic base, NX compatible, relocations, no delay imports, and on x64
high-entropy addresses). Reads the file with pefile.

    check_pe.py EXE PACKAGE_X64 PACKAGE_X86
"""
import os
import sys

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packages"))
import package_facts  # noqa: E402

KNOWN_SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "ole32.dll", "oleaut32.dll", "msvcrt.dll",
                     "advapi32.dll", "gdi32.dll", "shell32.dll"}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
MACHINES = {0x14C: ("i386", 0x10B), 0x8664: ("x86-64", 0x20B)}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def resources(pe):
    """{(type, name): [data bytes per language]}; names are ints or strings."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found

    def key(entry):
        return str(entry.name) if entry.name is not None else entry.id

    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for rname in rtype.directory.entries:
            for language in rname.directory.entries:
                data = language.data.struct
                found.setdefault((key(rtype), key(rname)), []).append(
                    pe.get_data(data.OffsetToData, data.Size))
    return found


def version_strings(pe):
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return strings


def main(exe, package_x64, package_x86):
    pe = pefile.PE(exe)
    machine, magic = MACHINES.get(pe.FILE_HEADER.Machine, (f"{pe.FILE_HEADER.Machine:#x}", None))
    optional = pe.OPTIONAL_HEADER
    check(magic is not None, f"machine {machine}, neither i386 nor x86-64")
    check(optional.Magic == magic, f"optional header magic {optional.Magic:#x} for {machine}")
    check(optional.Subsystem == 2, f"subsystem {optional.Subsystem}, not the Windows GUI")
    check(optional.FileAlignment == optional.SectionAlignment == 0x1000,
          f"file alignment {optional.FileAlignment:#x}, section alignment "
          f"{optional.SectionAlignment:#x}: the image cannot be mapped as it is")

    flags = optional.DllCharacteristics
    check(flags & 0x40, "not DYNAMIC_BASE: the image cannot be placed at a random address")
    check(flags & 0x100, "not NX_COMPAT: data pages would be executable")
    if machine == "x86-64":
        check(flags & 0x20, "not HIGH_ENTROPY_VA on x64")
    relocations = optional.DATA_DIRECTORY[5]
    check(relocations.Size > 0 and not pe.FILE_HEADER.Characteristics & 0x1,
          "no relocations: the loader cannot move the image")
    check(optional.DATA_DIRECTORY[13].Size == 0, "delay imports present")

    imports = [entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    for name in imports:
        check(name in KNOWN_SYSTEM_DLLS, f"imports {name}, which is not a known system DLL")
    for forbidden in ("msi.dll", "shfolder.dll"):
        check(forbidden not in imports, f"imports {forbidden} directly")

    found = resources(pe)
    for rid, path in ((129, package_x64), (130, package_x86)):
        with open(path, "rb") as f:
            expected = f.read()
        blobs = found.get(("MSI", rid), [])
        check(len(blobs) == 1, f"MSI {rid}: {len(blobs)} resources")
        check(blobs and blobs[0] == expected, f"MSI {rid} differs from {path}")
        check(expected[:8] == bytes.fromhex("D0CF11E0A1B11AE1"), f"{path} is not a compound file")

    groups = [key for key in found if key[0] == RT_GROUP_ICON]
    check(len(groups) == 1, f"{len(groups)} icon groups")
    check(any(key[0] == RT_ICON for key in found), "no icon images")

    try:
        version, _, _ = package_facts.facts(package_x64, package_x86)
    except package_facts.Failure as failure:
        check(False, str(failure))
        version = (0, 0, 0, 0)
    text = ".".join(map(str, version))
    strings = version_strings(pe)
    for key, value in (("CompanyName", "Quenvar"), ("FileDescription", "Quenvar Halcyon"),
                       ("ProductName", "Quenvar Halcyon"), ("FileVersion", text),
                       ("ProductVersion", text)):
        check(strings.get(key) == value, f"version record: {key} is {strings.get(key)!r}, not {value!r}")
    fixed = getattr(pe, "VS_FIXEDFILEINFO", [None])[0]
    check(fixed is not None, "no fixed version information")
    if fixed is not None:
        ms, ls = (version[0] << 16) | version[1], (version[2] << 16) | version[3]
        check((fixed.FileVersionMS, fixed.FileVersionLS) == (ms, ls), f"file version is not {text}")
        check((fixed.ProductVersionMS, fixed.ProductVersionLS) == (ms, ls),
              f"product version is not {text}")

    manifest = found.get((RT_MANIFEST, 1), [b""])[0].decode("utf-8", "replace")
    check('level="asInvoker"' in manifest, "manifest: not asInvoker")
    check(">true</dpiAware>" in manifest, "manifest: not DPI-aware")
    check("{e2011457-1546-43c5-a5fe-008deee3d3f0}" in manifest, "manifest: Vista not supported")
    check("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}" in manifest, "manifest: Windows 7 not supported")

    if failures:
        for failure in failures:
            print("FAIL:", failure)
        return 1
    print(f"{exe}: {machine} GUI, dynamic base, NX compatible, relocated, no delay imports; "
          f"imports {', '.join(imports)}; MSI 129 and 130 equal to the embedded packages; "
          f"version {text} as the packages; icon group and manifest as required")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:4]))
