#!/usr/bin/env bash
# The shipped i686 setup program in a pure 32-bit Wine prefix, where every process runs under
# qemu-i386: it must pick the x86 package (IsWow64Process answers FALSE), extract it
# byte-identical, install it and end with exit code 0. About 20 minutes on a 2-core machine
# (the prefix ~10, the run ~9), so it is not part of scripts/test-all.sh.
#   scripts/emulated-win32-smoke.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null
scripts/install-emulation.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target QvHalcyonSetup list_products packages >/dev/null
embedded=$(sed -n 's/^QV_EMBEDDED_X86:INTERNAL=//p' build/win32/CMakeCache.txt)
started=$SECONDS
QV_PREFIX_KIND=win32 QV_PACKAGE=x86 QV_SCENARIOS=fresh \
  tests/wine/with-i386-emulation.sh tests/wine/setup-end-to-end.sh \
  "$PWD/build/win32/src/QvHalcyonSetup.exe" "$PWD/build/win32/src/list_products.exe" \
  "$PWD/build/win32/packages" "$embedded" "$PWD/build/win32/win32-smoke"
echo "emulated-win32-smoke: $((SECONDS - started)) s in all"
