#!/usr/bin/env bash
# Builds and runs every test: the release build, the address + undefined-behaviour
# sanitizer build, and a short fuzzing run of the score-file reader.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
"$top/scripts/ensure-packages.sh"
for preset in release asan fuzz; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
