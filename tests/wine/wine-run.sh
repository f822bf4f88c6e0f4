#!/usr/bin/env bash
# ctest's emulator for the Windows test executables: runs one under wine64 in the test
# bed's prefix, with its display. Fails, saying why, when there is no test bed.
set -u
testbed=${QV_TESTBED:-}
if [ -z "$testbed" ] || [ ! -f "$testbed/env" ]; then
  echo "wine-run: no Wine test bed (QV_TESTBED='$testbed'); run the tests through ctest so that wine_testbed_start makes one" >&2
  exit 2
fi
# shellcheck source=/dev/null
. "$testbed/env"
wine=${QV_WINE:-/usr/lib/wine/wine64}
if [ ! -x "$wine" ]; then
  echo "wine-run: $wine is missing; scripts/install-deps.sh installs wine64" >&2
  exit 2
fi
exec "$wine" "$@"
