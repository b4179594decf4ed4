#!/usr/bin/env bash
# Installs what is missing, builds incrementally and runs the command-line tool
# against the virtual provider. Without arguments it runs the guided demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOVIK_BUILD_DIR:-$root/build}
"$root/scripts/build.sh" >&2
if [ -x "$build/bin/tovik" ]; then
  if (($#)); then exec "$build/bin/tovik" "$@"; else exec "$build/bin/tovik" demo; fi
fi
echo "built: $(ls "$build/lib")"
