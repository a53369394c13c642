#!/usr/bin/env bash
# The long click storm, run by hand: the sanitizer build of the game under storm.sh for an
# hour (or the seconds given), with a fresh seed that is printed first.
#
#   tests/torture/storm_long.sh [seconds] [seed]
#
# Builds the asan preset's game and driver in build/asan first.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$top"
cmake --preset asan >/dev/null
cmake --build build/asan -j2 --target quenlow storm_driver
exec "$top/tests/torture/storm.sh" build/asan/ui/qt/quenlow build/asan/tests/torture/storm_driver \
  "${1:-3600}" ${2:+"$2"}
