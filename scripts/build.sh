#!/usr/bin/env bash
# Configures (once) and builds incrementally into build/ (or $TOVIK_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# ccache (when installed) shares objects between checkouts and build folders.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
build=${TOVIK_BUILD_DIR:-$root/build}
"$root/scripts/ensure-packages.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build" -j"$(nproc)"
