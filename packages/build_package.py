#!/usr/bin/env python3
"""Builds one Windows Installer package with wixl.

The payload is pseudo-random (incompressible) but reproducible from the seed. With
--target-size the payload is resized until the package has exactly that many bytes, so that
the demo packages are as large as the real product's. The package is reproducible: the
payload's time in the cabinet and the summary information's times are fixed, and its
revision number is derived from the package's own sources (the WiX text and the arguments).
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile

import fix_summary

# 2001-01-01 00:00:00 UTC, the time the cabinet records for the payload.
FIXED_MTIME = 978307200


def build(args, payload_size, workdir):
    payload = os.path.join(workdir, "halcyon.dat")
    with open(payload, "wb") as out:
        out.write(random.Random(args.seed).randbytes(payload_size))
    os.utime(payload, (FIXED_MTIME, FIXED_MTIME))
    command = ["wixl", "-a", args.arch, "-o", args.output, "-D", "PayloadFile=halcyon.dat"]
    for define in args.define:
        command += ["-D", define]
    command.append(os.path.abspath(args.wxs))
    # wixl finds File sources relative to its working folder only.
    result = subprocess.run(command, capture_output=True, text=True, cwd=workdir)
    if result.returncode != 0:
        sys.exit(f"wixl failed for {args.output}:\n{result.stdout}{result.stderr}")
    for query in args.query:
        subprocess.run(["msibuild", args.output, "-q", query], check=True)
    fix_summary.fix(args.output, sources_text(args))
    return os.path.getsize(args.output)


def sources_text(args):
    """What the package is made from: the WiX text and every argument but the output path."""
    with open(args.wxs, encoding="utf-8") as f:
        wxs = f.read()
    return "\n".join([wxs, args.arch, str(args.seed), str(args.target_size)] + args.define + args.query)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wxs", required=True)
    parser.add_argument("--output", required=True, type=os.path.abspath)
    parser.add_argument("--arch", default="x64")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--payload-size", type=int, default=4096)
    parser.add_argument("--target-size", type=int, default=0)
    parser.add_argument("--define", "-D", action="append", default=[])
    parser.add_argument("--query", action="append", default=[], help="SQL run on the result")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as workdir:
        payload_size = args.payload_size
        size = build(args, payload_size, workdir)
        for _ in range(8):
            if not args.target_size or size == args.target_size:
                return
            payload_size += args.target_size - size
            size = build(args, payload_size, workdir)
        sys.exit(f"{args.output}: {size} bytes, could not reach {args.target_size}")


if __name__ == "__main__":
    main()
