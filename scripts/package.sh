#!/usr/bin/env bash
# Builds the Debian package of the release version: build/release/quenlow_2.3_<arch>.deb.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
"$top/scripts/ensure-packages.sh"
cmake --preset release >/dev/null
cmake --build --preset release --target quenlow quenlow_dist_files
cd build/release
cpack --config CPackConfig.cmake >/dev/null
ls "$PWD"/quenlow_*.deb
