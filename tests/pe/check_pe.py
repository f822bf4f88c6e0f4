#!/usr/bin/env python3
"""Checks the shipped setup program: an i386 GUI executable whose resources hold the two
packages (compared byte for byte with the files the build embedded), the version record,
the icon group and the manifest, and whose import table names only known system DLLs.

    check_pe.py EXE PACKAGE_X64 PACKAGE_X86
"""
import struct
import sys

KNOWN_SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "ole32.dll", "oleaut32.dll", "msvcrt.dll",
                     "advapi32.dll", "gdi32.dll", "shell32.dll"}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        check(data[pe:pe + 4] == b"PE\0\0", "no PE signature")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        self.section_alignment, self.file_alignment = struct.unpack_from("<II", data, optional + 32)
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, va, rawsize, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((va, max(vsize, rawsize), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError(f"rva {rva:#x} outside every section")

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        rva, _ = self.directories[1]
        names, at = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if entry == (0, 0, 0, 0, 0):
                return names
            names.append(self.cstring(entry[3]))
            at += 20

    def resources(self):
        """{(type, name): [data bytes per language]}; names are ints or strings."""
        base_rva, _ = self.directories[2]
        base = self.offset(base_rva)

        def directory(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                if name & 0x80000000:
                    length = struct.unpack_from("<H", self.data, base + (name & 0x7FFFFFFF))[0]
                    start = base + (name & 0x7FFFFFFF) + 2
                    name = self.data[start:start + 2 * length].decode("utf-16-le")
                yield name, target

        found = {}
        for rtype, t in directory(base):
            for rname, n in directory(base + (t & 0x7FFFFFFF)):
                for _, leaf in directory(base + (n & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.offset(rva)
                    found.setdefault((rtype, rname), []).append(self.data[start:start + size])
        return found


def main(exe, package_x64, package_x86):
    with open(exe, "rb") as f:
        pe = Pe(f.read())
    check(pe.machine == 0x14C, f"machine {pe.machine:#x}, not i386")
    check(pe.magic == 0x10B, "not a PE32 image")
    check(pe.subsystem == 2, f"subsystem {pe.subsystem}, not the Windows GUI")
    check(pe.file_alignment == pe.section_alignment == 0x1000,
          f"file alignment {pe.file_alignment:#x}, section alignment {pe.section_alignment:#x}: "
          "the image cannot be mapped as it is")

    imports = [name.lower() for name in pe.imports()]
    for name in imports:
        check(name in KNOWN_SYSTEM_DLLS, f"imports {name}, which is not a known system DLL")
    for forbidden in ("msi.dll", "shfolder.dll"):
        check(forbidden not in imports, f"imports {forbidden} directly")

    resources = pe.resources()
    for rid, path in ((129, package_x64), (130, package_x86)):
        with open(path, "rb") as f:
            expected = f.read()
        blobs = resources.get(("MSI", rid), [])
        check(len(blobs) == 1, f"MSI {rid}: {len(blobs)} resources")
        check(blobs and blobs[0] == expected, f"MSI {rid} differs from {path}")
        check(expected[:8] == bytes.fromhex("D0CF11E0A1B11AE1"), f"{path} is not a compound file")

    groups = [key for key in resources if key[0] == RT_GROUP_ICON]
    check(len(groups) == 1, f"{len(groups)} icon groups")
    check(any(key[0] == RT_ICON for key in resources), "no icon images")

    version = resources.get((RT_VERSION, 1), [b""])[0].decode("utf-16-le", "replace")
    for key, value in (("CompanyName", "Quenvar"), ("FileDescription", "Quenvar Halcyon"),
                       ("ProductName", "Quenvar Halcyon"), ("FileVersion", "1.2.0.0"),
                       ("ProductVersion", "1.2.0.0")):
        check(f"{key}\0{value}\0" in version.replace("\0\0", "\0"), f"version record: {key} is not {value}")
    fixed = resources.get((RT_VERSION, 1), [b""])[0]
    signature = fixed.find(struct.pack("<I", 0xFEEF04BD))
    check(signature > 0, "no fixed version information")
    if signature > 0:
        ms, ls, pms, pls = struct.unpack_from("<IIII", fixed, signature + 8)
        check((ms, ls) == (0x00010002, 0), "file version is not 1.2.0.0")
        check((pms, pls) == (0x00010002, 0), "product version is not 1.2.0.0")

    manifest = resources.get((RT_MANIFEST, 1), [b""])[0].decode("utf-8", "replace")
    check('level="asInvoker"' in manifest, "manifest: not asInvoker")
    check(">true</dpiAware>" in manifest, "manifest: not DPI-aware")
    check("{e2011457-1546-43c5-a5fe-008deee3d3f0}" in manifest, "manifest: Vista not supported")
    check("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}" in manifest, "manifest: Windows 7 not supported")

    if failures:
        for failure in failures:
            print("FAIL:", failure)
        return 1
    print(f"{exe}: i386 GUI, imports {', '.join(imports)}; MSI 129 and 130 equal to the "
          f"embedded packages; version record, icon group and manifest as required")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
