#!/usr/bin/env bash
# Runs every benchmark of a build folder, three repetitions each, printing medians.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  (cd "$build" && "./$(basename "$b")" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true)
done
