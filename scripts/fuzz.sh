#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for N seconds over its
# seed corpus (fuzz/corpus/<name>/). Fails when a run finds a crash.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DPLINKPAD_FUZZ=ON -DPLINKPAD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
targets=$(cd "$root/fuzz" && ls *_fuzz.cpp 2>/dev/null | sed 's/_fuzz\.cpp$//' || true)
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
for t in $targets; do cmake --build "$build" -j "$(nproc)" --target "fuzz_$t"; done
for t in $targets; do
  work=$(mktemp -d)
  dirs=("$work")
  [ -d "$root/fuzz/corpus/$t" ] && dirs+=("$root/fuzz/corpus/$t")
  echo "== fuzz_$t for ${seconds}s"
  bin=$(cd "$build" && pwd)/fuzz_$t
  (cd "$work" && "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "${dirs[@]}") \
    || { echo "fuzz_$t found a problem"; exit 1; }
  rm -rf "$work"
done
