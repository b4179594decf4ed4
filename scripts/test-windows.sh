#!/usr/bin/env bash
# The Windows build: cross-compiles the library, the virtual provider and the
# platform-independent native suites with mingw-w64 into build-win/ and runs
# them under Wine's COM runtime. Installs what is missing (as root, apt-get).
#
#   scripts/test-windows.sh [CTEST ARGS...]
#
# TOVIK_WIN_BUILD_DIR overrides the build folder. Exit code 77: Wine cannot run
# on this machine (CTest reports the entry windows.native_suites as skipped).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# ccache (when installed) shares objects between checkouts and build folders.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
build=${TOVIK_WIN_BUILD_DIR:-$root/build-win}
skip() { echo "SKIP: $*" >&2; exit 77; }

packages=(cmake g++-mingw-w64-x86-64-posix wine wine64 googletest nlohmann-json3-dev openjdk-17-jdk-headless)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  [[ $(id -u) == 0 ]] || skip "missing packages (${missing[*]}) and not root to install them"
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}"; } ||
    skip "could not install ${missing[*]}"
fi

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -Dnlohmann_json_DIR=/usr/share/cmake/nlohmann_json
fi
cmake --build "$build" -j2

# A throw-away Wine prefix inside the build folder; no display is needed.
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "creating the Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || { rm -rf "$WINEPREFIX"; skip "Wine cannot create a prefix here (wineboot -i failed)"; }
fi
# One wine server for all tests (otherwise every test starts its own).
wineserver -p 2>/dev/null || true  # (already running: fine)
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd /c exit 0 >/dev/null 2>&1 || skip "Wine does not start programs here"

cd "$build"
ctest --output-on-failure -L windows "$@"
