#!/usr/bin/env bash
# Installs the dependencies, builds every preset and runs every test: the host unit tests
# under ASan/UBSan and again under valgrind's memcheck, the check of the shipped i686
# executable, the win64 tests under Wine (unit, installed products, real boxes, planted DLL,
# end to end, hostile conditions), and each libFuzzer target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${QV_FUZZ_SECONDS:-30}
fuzzers=(LoadFuzzer VersionFuzzer TokenListFuzzer PathFuzzer)

scripts/install-deps.sh

for preset in host memcheck win32 win64; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
echo "== build fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${fuzzers[@]}"

failed=0
for preset in host memcheck win32 win64; do
  echo "== test $preset"
  ctest --preset "$preset" || failed=1
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

[ "$failed" -eq 0 ] && echo "test-all: every test passed" || echo "test-all: FAILED"
exit "$failed"
