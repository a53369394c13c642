#!/usr/bin/env bash
# Builds the release version of the game and starts it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/ensure-packages.sh"
cmake --preset release -S "$top" >/dev/null
cmake --build --preset release --target quenlow
exec "$top/build/release/ui/qt/quenlow" "$@"
