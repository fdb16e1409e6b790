#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
dir="$root/build-fuzz"
CC=clang CXX=clang++ TESSALY_TARGET=fuzz_all "$root/scripts/build.sh" "$dir" -DTESSALY_FUZZ=ON -DTESSALY_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
status=0
for target in "$dir"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  echo "-- $name for ${seconds}s"
  seeds=()
  [ -d "$root/fuzz/seeds/$name" ] && seeds=("$root/fuzz/seeds/$name")
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${seeds[@]}" \
      2>"$dir/$name.log"; then
    status=1
    tail -n 40 "$dir/$name.log"
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$dir/$name.log" || true
done
exit $status
