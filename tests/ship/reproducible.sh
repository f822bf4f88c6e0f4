#!/usr/bin/env bash
# The same sources give the same bytes: the demo packages are built twice, in two folders at
# two different times, and the setup program is shipped from each pair (scripts/ship.sh, a
# build folder of its own each time). The SHA-256 of both executables and of both pairs of
# packages must agree.
#   reproducible.sh WORK_DIR
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
rm -rf "$work"
mkdir -p "$work"
failures=0
for n in 1 2; do
  [ "$n" = 2 ] && sleep 2  # another time: any clock in the output would show
  build=$work/packages-$n
  cmake -S "$root" -B "$build" -G Ninja --toolchain "$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >"$work/configure-$n.log" 2>&1 &&
    cmake --build "$build" --target packages >"$work/packages-$n.log" 2>&1 ||
    { echo "FAIL: build $n of the packages (see $work)"; exit 1; }
  "$root/scripts/ship.sh" "$build/packages/HalcyonDemoX64.msi" "$build/packages/HalcyonDemoX86.msi" \
    "$work/out-$n" >"$work/ship-$n.log" 2>&1 || { echo "FAIL: ship $n: $(tail -n 1 "$work/ship-$n.log")"; exit 1; }
done
for file in out-%/QvHalcyonSetup.exe packages-%/packages/HalcyonDemoX64.msi packages-%/packages/HalcyonDemoX86.msi; do
  first=$(sha256sum "$work/${file//%/1}" | cut -d' ' -f1)
  second=$(sha256sum "$work/${file//%/2}" | cut -d' ' -f1)
  echo "${file//%/N}: $first $second"
  if [ "$first" != "$second" ]; then
    echo "FAIL: ${file//%/N} differs between the two builds"; failures=$((failures + 1))
  fi
done
echo "reproducible: $((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
