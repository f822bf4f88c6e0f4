#!/usr/bin/env bash
# Builds what the figures need and prints them, under Wine in a throw-away prefix: the whole
# setup program against msiexec, extraction against a plain copy, peak memory, the calls
# before the install, and the size of the i686 program. Figures, not a test.
#   scripts/bench.sh [ROUNDS]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
scripts/install-deps.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target QvHalcyonSetup list_products extraction_bench \
  preinstall_bench trivial_program packages >/dev/null
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target QvHalcyonSetup QvHalcyonSetupWithoutPackages >/dev/null
bed=$PWD/build/bench
tests/wine/testbed.sh start "$bed" >/dev/null
trap 'tests/wine/testbed.sh stop "$bed"' EXIT
# shellcheck source=/dev/null
. "$bed/env"
python3 scripts/bench.py build/win64 build/win32 "$rounds"
