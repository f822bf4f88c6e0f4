#!/usr/bin/env python3
"""Makes a package's summary information reproducible: wixl writes a random revision number
(the package code) and the current time. The revision number becomes one derived from
the given seed text, the two times a fixed instant. Uses libmsi, as msitools does.

    fix_summary.py PACKAGE SEED_TEXT
"""
import ctypes
import hashlib
import sys

# 2001-01-01 00:00:00 UTC as a FILETIME (100 ns since 1601): a fixed, plausible date.
FIXED_TIME = 126227808000000000
PROPERTY_UUID, PROPERTY_CREATED, PROPERTY_SAVED = 9, 12, 13
DB_FLAGS_TRANSACT = 1 << 2


class GError(ctypes.Structure):
    _fields_ = [("domain", ctypes.c_uint32), ("code", ctypes.c_int), ("message", ctypes.c_char_p)]


def derived_uuid(seed_text):
    digest = hashlib.sha256(seed_text.encode("utf-8")).hexdigest().upper()
    return "{%s-%s-%s-%s-%s}" % (digest[:8], digest[8:12], digest[12:16], digest[16:20], digest[20:32])


def fix(path, seed_text):
    msi = ctypes.CDLL("libmsi.so.0")
    msi.libmsi_database_new.restype = ctypes.c_void_p
    msi.libmsi_database_new.argtypes = [ctypes.c_char_p, ctypes.c_uint, ctypes.c_char_p,
                                        ctypes.POINTER(ctypes.POINTER(GError))]
    msi.libmsi_summary_info_new.restype = ctypes.c_void_p
    msi.libmsi_summary_info_new.argtypes = [ctypes.c_void_p, ctypes.c_uint,
                                            ctypes.POINTER(ctypes.POINTER(GError))]
    msi.libmsi_summary_info_set_string.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_char_p,
                                                   ctypes.POINTER(ctypes.POINTER(GError))]
    msi.libmsi_summary_info_set_filetime.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint64,
                                                     ctypes.POINTER(ctypes.POINTER(GError))]
    for name in ("libmsi_summary_info_persist", "libmsi_database_commit"):
        getattr(msi, name).argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.POINTER(GError))]
    error = ctypes.POINTER(GError)()

    def fail(what):
        message = error.contents.message.decode() if error else "no reason given"
        sys.exit(f"fix_summary: {path}: {what}: {message}")

    db = msi.libmsi_database_new(path.encode(), DB_FLAGS_TRANSACT, None, ctypes.byref(error))
    if not db:
        fail("cannot open the database")
    info = msi.libmsi_summary_info_new(db, 20, ctypes.byref(error))
    if not info:
        fail("cannot read the summary information")
    ok = msi.libmsi_summary_info_set_string(info, PROPERTY_UUID, derived_uuid(seed_text).encode(),
                                            ctypes.byref(error))
    for prop in (PROPERTY_CREATED, PROPERTY_SAVED):
        ok = ok and msi.libmsi_summary_info_set_filetime(info, prop, FIXED_TIME, ctypes.byref(error))
    if not ok or not msi.libmsi_summary_info_persist(info, ctypes.byref(error)):
        fail("cannot write the summary information")
    if not msi.libmsi_database_commit(db, ctypes.byref(error)):
        fail("cannot save the database")
    # The objects go with the process: this is a one-shot tool.


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    fix(sys.argv[1], sys.argv[2])
