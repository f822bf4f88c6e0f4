#!/usr/bin/env bash
# Installs the dependencies, builds every preset and runs every test: the host unit tests
# under ASan/UBSan and again under valgrind's memcheck, the check of the shipped i686
# executable and its end-to-end run under qemu-i386 in a WoW64 prefix, the win64 tests under
# Wine (unit, installed products, real boxes, planted DLLs, end to end, hostile conditions),
# and each libFuzzer target for a bounded time. Prints how long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${QV_FUZZ_SECONDS:-30}
fuzzers=(LoadFuzzer VersionFuzzer TokenListFuzzer PathFuzzer)

started=$SECONDS
stage=$SECONDS
took() { echo "-- $1: $((SECONDS - stage)) s"; stage=$SECONDS; }

scripts/install-deps.sh
scripts/install-emulation.sh
# The i386 binfmt entry is on only inside the emulated test; off again whatever happens.
trap 'tests/wine/i386-emulation.sh off' EXIT
took "dependencies"

for preset in host memcheck win32 win64; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  took "build $preset"
done
echo "== build fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${fuzzers[@]}"
took "build fuzz"

failed=0
for preset in host memcheck win32 win64; do
  echo "== test $preset"
  ctest --preset "$preset" || failed=1
  took "test $preset"
done

# New inputs go to the build folder; the seeds in fuzz/corpus are only read. An input that
# runs longer than 10 s counts as a hang.
for fuzzer in "${fuzzers[@]}"; do
  echo "== fuzz $fuzzer for ${fuzz_seconds}s"
  corpus=build/fuzz/corpus-$fuzzer
  mkdir -p "$corpus"
  if ! build/fuzz/fuzz/$fuzzer -max_total_time="$fuzz_seconds" -timeout=10 -print_final_stats=1 \
       "$corpus" "fuzz/corpus/$fuzzer" >build/fuzz/$fuzzer.log 2>&1; then
    tail -40 build/fuzz/$fuzzer.log
    echo "FAIL: $fuzzer found a crash or a sanitizer report"
    failed=1
  else
    grep -E 'stat::number_of_executed_units' build/fuzz/$fuzzer.log || true
  fi
done

took "fuzz"
echo "test-all: $((SECONDS - started)) s in all"
[ "$failed" -eq 0 ] && echo "test-all: every test passed" || echo "test-all: FAILED"
exit "$failed"
