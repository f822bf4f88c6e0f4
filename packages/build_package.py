#!/usr/bin/env python3
"""Builds one Windows Installer package with wixl.

The payload is pseudo-random (incompressible) but reproducible from the seed. With
--target-size the payload is resized until the package has exactly that many bytes, so that
the demo packages are as large as the real product's.
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile


def build(args, payload_size, workdir):
    payload = os.path.join(workdir, "halcyon.dat")
    with open(payload, "wb") as out:
        out.write(random.Random(args.seed).randbytes(payload_size))
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
    return os.path.getsize(args.output)


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
