#!/usr/bin/env bash
# Prints the time and the private memory of extracting the embedded x64 package, under Wine
# in a throw-away prefix. A figure, not a test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target extraction_bench >/dev/null
bed=$PWD/build/bench
tests/wine/testbed.sh start "$bed" >/dev/null
trap 'tests/wine/testbed.sh stop "$bed"' EXIT
# shellcheck source=/dev/null
. "$bed/env"
/usr/lib/wine/wine64 build/win64/src/extraction_bench.exe "${1:-10}" | tr -d '\r'
