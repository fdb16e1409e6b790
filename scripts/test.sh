#!/usr/bin/env bash
# Runs every test: the suites in a normal build and again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzz target for a short while.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" || exit 1

passed=0
failed=0
run_suites() {
  local dir=$1
  shift
  "$root/scripts/build.sh" "$dir" "$@" || { failed=$((failed + 1)); return; }
  local log="$dir/ctest.log"
  (cd "$dir" && ctest --output-on-failure -j "$(nproc)") 2>&1 | tee "$log"
  local line
  line=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log" | tail -n 1)
  local total fails
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  fails=$(sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  passed=$((passed + total - fails))
  failed=$((failed + fails))
}

echo "== Tests (release build)"
run_suites "$root/build-test" -DTESSALY_BENCH=ON
echo "== Tests (AddressSanitizer + UndefinedBehaviorSanitizer)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suites "$root/build-asan" -DTESSALY_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

echo "== Fuzz targets"
if "$root/scripts/fuzz.sh" "${TESSALY_FUZZ_SECONDS:-30}"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

echo "${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
