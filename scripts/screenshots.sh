#!/usr/bin/env bash
# Regenerates the program's screenshots in docs/screenshots/ from the scripted
# runs in docs/screenshots/scripts/ (headless, on the build's own disc).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=$root/docs/screenshots
for script in "$out"/scripts/*.txt; do
  name=$(basename "$script" .txt)
  echo "== $name"
  (cd "$out" && "$build/plinkpad" --headless --script "$script" --trace "$build/$name.trace") \
    || { echo "$name: the run failed"; exit 1; }
done
