#!/usr/bin/env python3
"""The setup program's figures under Wine, printed; never a test.

Run by scripts/bench.sh inside a throw-away Wine prefix (WINEPREFIX, DISPLAY set).
    bench.py WIN64_DIR WIN32_DIR ROUNDS
Every figure is the median of ROUNDS runs with min and max; the two sides of a comparison
alternate within one round, and each install starts from the same clean state.
"""
import ctypes
import os
import re
import select
import shutil
import statistics
import struct
import subprocess
import sys
import time
import uuid

WINE = "/usr/lib/wine/wine64"
MSIEXEC = r"C:\windows\system32\msiexec.exe"
PACKAGE = "QvHalcyonSetupENx64.msi"
DEMO_CODE = "{6F1E4D0A-2B4C-4E7A-9C51-3D8A0B7E1F01}"
OLDER = "HalcyonOlder.msi"
OLDER_CODE = "{6F1E4D0A-2B4C-4E7A-9C51-3D8A0B7E1F21}"

IN_CLOSE_WRITE = 0x00000008
IN_CREATE = 0x00000100
IN_ISDIR = 0x40000000


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def drive_c(*parts):
    return os.path.join(os.environ["WINEPREFIX"], "drive_c", *parts)


CACHE = drive_c("ProgramData", "MSI Cache")


def wine_quiet(*args):
    subprocess.run([WINE, *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)


def run_measured(command, cwd, watch_cache=False):
    """Runs command; returns (seconds to exit, peak resident KB of the process, seconds from
    start to the package being closed in a new cache folder or None)."""
    watcher = CacheWatcher() if watch_cache else None
    start = time.monotonic()
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    extracted = None
    while True:
        if watcher:
            closed = watcher.poll(0.002)
            if closed is not None and extracted is None:
                extracted = closed - start
        pid, status, usage = os.wait4(process.pid, os.WNOHANG)
        if pid:
            break
        if not watcher:
            time.sleep(0.002)
    took = time.monotonic() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if watcher:
        watcher.close()
    if process.returncode != 0:
        sys.exit(f"{command} ended with {process.returncode}")
    return took, usage.ru_maxrss, extracted


class CacheWatcher:
    """Reports when the package file in a new folder of the cache is closed after writing."""

    def __init__(self):
        self.libc = ctypes.CDLL("libc.so.6", use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        self.folders = {}
        self.buffer = b""
        if self.libc.inotify_add_watch(self.fd, CACHE.encode(), IN_CREATE) < 0:
            sys.exit("inotify: cannot watch the cache folder")

    def poll(self, timeout):
        ready, _, _ = select.select([self.fd], [], [], timeout)
        if not ready:
            return None
        now = time.monotonic()
        try:
            self.buffer += os.read(self.fd, 65536)
        except BlockingIOError:
            return None
        closed = None
        while len(self.buffer) >= 16:
            wd, mask, _, length = struct.unpack("iIII", self.buffer[:16])
            name = self.buffer[16:16 + length].rstrip(b"\0").decode()
            self.buffer = self.buffer[16 + length:]
            if mask & IN_CREATE and mask & IN_ISDIR:
                folder = os.path.join(CACHE, name)
                watch = self.libc.inotify_add_watch(self.fd, folder.encode(), IN_CLOSE_WRITE)
                self.folders[watch] = folder
            elif mask & IN_CLOSE_WRITE and name == PACKAGE and wd in self.folders:
                closed = now
        return closed

    def close(self):
        os.close(self.fd)


def clean_state():
    """Nothing of the family installed and an empty cache, as on a machine that never ran
    the setup program."""
    wine_quiet("msiexec", "/x", DEMO_CODE, "/qn")
    for entry in os.listdir(CACHE):
        shutil.rmtree(os.path.join(CACHE, entry), ignore_errors=True)


def expect_installed(list_products, what):
    """A run that installed nothing is no figure: the setup program exits 0 either way."""
    listed = subprocess.run([WINE, list_products], capture_output=True, text=True).stdout
    if DEMO_CODE not in listed:
        sys.exit(f"{what} did not install the demo product")


def plain_copy(source):
    """Copies the package into a new folder of the cache; returns the seconds it took."""
    start = time.monotonic()
    folder = os.path.join(CACHE, "{" + str(uuid.uuid4()).upper() + "}")
    os.mkdir(folder)
    shutil.copyfile(source, os.path.join(folder, PACKAGE))
    return time.monotonic() - start


def summary(values, unit="s", scale=1.0, digits=3):
    scaled = [v * scale for v in values]
    return (f"median {statistics.median(scaled):.{digits}f} {unit} "
            f"(min {min(scaled):.{digits}f}, max {max(scaled):.{digits}f})")


def main():
    win64, win32 = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    rounds = int(sys.argv[3])
    setup = os.path.join(win64, "src", "QvHalcyonSetup.exe")
    trivial = os.path.join(win64, "src", "trivial_program.exe")
    list_products = os.path.join(win64, "src", "list_products.exe")
    packages = os.path.join(win64, "packages")
    package = os.path.join(packages, "HalcyonDemoX64.msi")
    work = os.path.join(os.environ["WINEPREFIX"], "..", "work")
    os.makedirs(work, exist_ok=True)
    os.makedirs(CACHE, exist_ok=True)
    package_size = os.path.getsize(package)

    print(f"Quenvar Halcyon setup figures, {rounds} rounds, package {package_size:,} bytes")
    print(f"machine: {machine()}")
    print()

    runs = {"setup": [], "msiexec": [], "copy": [], "trivial": []}
    wine_quiet(trivial)  # the first start of a prefix loads more than the later ones
    for _ in range(rounds):
        clean_state()
        runs["setup"].append(run_measured([WINE, setup], work, watch_cache=True))
        expect_installed(list_products, "the setup program")
        clean_state()
        # By its full path msiexec runs in the process started here (by name, Wine starts it
        # through start.exe). Wine's msiexec turns QVSTSDATA="" into a backslash; QVSTSDATA=
        # reaches Windows Installer as the same empty value.
        runs["msiexec"].append(run_measured(
            [WINE, MSIEXEC, "/i", windows_path(package), "ACTION=INSTALL", "QVSTSDATA="], work))
        expect_installed(list_products, "msiexec")
        # The next round starts by removing what msiexec installed.
        runs["copy"].append(plain_copy(package))
        runs["trivial"].append(run_measured([WINE, trivial], work))
    clean_state()

    setup_times = [r[0] for r in runs["setup"]]
    msiexec_times = [r[0] for r in runs["msiexec"]]
    print("1. Whole setup program against msiexec /i of the same package (fresh install, full UI)")
    print(f"   setup program:  {summary(setup_times)}")
    print(f"   msiexec /i:     {summary(msiexec_times)}")
    print(f"   ratio setup/msiexec: {statistics.median(setup_times) / statistics.median(msiexec_times):.2f}")
    print()

    extracted = [r[2] for r in runs["setup"] if r[2] is not None]
    copies = runs["copy"]
    trivial_times = [r[0] for r in runs["trivial"]]
    print("2. Start-up to the package on disk against a plain copy of the same bytes into the cache")
    if len(extracted) < len(runs["setup"]):
        print(f"   (the close of the package was seen in {len(extracted)} of {len(runs['setup'])} runs)")
    print(f"   setup program, start to package closed: {summary(extracted, 'ms', 1000, 1)}")
    print(f"   plain file copy (new folder + copy):    {summary(copies, 'ms', 1000, 1)}")
    print(f"   ratio: {statistics.median(extracted) / statistics.median(copies):.1f}")
    print(f"   for scale, a program that does nothing: {summary(trivial_times, 'ms', 1000, 1)} start to exit")
    print()

    setup_peak = [r[1] for r in runs["setup"]]
    msiexec_peak = [r[1] for r in runs["msiexec"]]
    trivial_peak = [r[1] for r in runs["trivial"]]
    package_kb = package_size / 1024
    print("3. Peak resident memory (KB)")
    print(f"   setup program:           {summary(setup_peak, 'KB', 1, 0)}")
    print(f"   msiexec /i:              {summary(msiexec_peak, 'KB', 1, 0)}")
    print(f"   program that does nothing: {summary(trivial_peak, 'KB', 1, 0)}")
    over_trivial = statistics.median(setup_peak) - statistics.median(trivial_peak)
    over_msiexec = statistics.median(setup_peak) - statistics.median(msiexec_peak)
    print(f"   setup - nothing: {over_trivial:,.0f} KB = {over_trivial / package_kb:.2f} x the package")
    print(f"   setup - msiexec: {over_msiexec:,.0f} KB = {over_msiexec / package_kb:.2f} x the package "
          f"(a second copy of the package in memory would add {package_kb:,.0f} KB)")
    extraction = subprocess.run([WINE, os.path.join(win64, "src", "extraction_bench.exe"), str(rounds)],
                                capture_output=True, text=True, check=True).stdout
    for line in extraction.replace("\r", "").splitlines():
        print(f"   in-process {line}")
    print()

    print("4. Before the install call: the product's own Proceed, every Windows Installer call timed")
    bench = os.path.join(win64, "src", "preinstall_bench.exe")
    for state, prepare in (("nothing installed", None), ("the older version 1.0.4 installed", OLDER)):
        clean_state()
        if prepare:
            wine_quiet("msiexec", "/i", windows_path(os.path.join(packages, prepare)), "/qn")
        print(f"   {state}:")
        out = subprocess.run([WINE, bench, str(max(rounds, 5))], capture_output=True, text=True,
                             check=True).stdout
        for line in out.replace("\r", "").splitlines():
            print(f"     {line}")
        if prepare:
            wine_quiet("msiexec", "/x", OLDER_CODE, "/qn")
    clean_state()
    print()

    print("5. Size of the shipped i686 program")
    shipped = os.path.join(win32, "src", "QvHalcyonSetup.exe")
    bare = os.path.join(win32, "src", "QvHalcyonSetupWithoutPackages.exe")
    print(f"   with its two packages:  {os.path.getsize(shipped):,} bytes")
    print(f"   without its packages:   {os.path.getsize(bare):,} bytes")
    sections = subprocess.run(["i686-w64-mingw32-objdump", "-h", bare], capture_output=True,
                              text=True, check=True).stdout
    parts = [f"{m.group(1)} {int(m.group(2), 16):,}"
             for m in re.finditer(r"^\s*\d+\s+(\S+)\s+([0-9a-f]{8})", sections, re.M)]
    print(f"   its sections: {', '.join(parts)}")


def machine():
    with open("/proc/cpuinfo") as f:
        model = next((l.split(":", 1)[1].strip() for l in f if l.startswith("model name")), "?")
    memory_kb = int(open("/proc/meminfo").readline().split()[1])
    wine = subprocess.run([WINE, "--version"], capture_output=True, text=True).stdout.strip()
    return f"{os.cpu_count()} x {model}, {memory_kb / 1024 / 1024:.0f} GiB, {wine}"


if __name__ == "__main__":
    main()
