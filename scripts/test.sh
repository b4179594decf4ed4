#!/usr/bin/env bash
# Installs what is missing, builds incrementally and runs every test suite
# (native GoogleTest suites and the JUnit suites in a real JVM under -Xcheck:jni).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOVIK_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600 "$@"
# The native suites again in the address+undefined and thread builds: always in CI
# (CI=true), elsewhere with TOVIK_SANITIZERS=1.
if [ "${TOVIK_SANITIZERS:-0}" = "1" ] || [ "${CI:-}" = "true" ]; then
  "$root/scripts/sanitizers.sh"
fi
