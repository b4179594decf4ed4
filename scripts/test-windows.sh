#!/usr/bin/env bash
# The Windows builds: cross-compiles the library, the virtual provider and the
# platform-independent native suites with mingw-w64 into build-win/ (x86_64)
# and runs them under Wine's COM runtime, with the provider in-process
# (TovikProviderSim.dll) and out-of-process (TovikProviderServer.exe, reached
# through proxies). Installs what is missing (as root, apt-get).
#
#   scripts/test-windows.sh [CTEST ARGS...]     build-win/ and its windows label
#   scripts/test-windows.sh --i686-build-only   cross-compile build-win32/ for
#                                               32-bit Windows (nothing runs)
#   scripts/test-windows.sh --bench [--short]   the cross-process benchmark,
#                                               in-process and out-of-process
#
# TOVIK_WIN_BUILD_DIR and TOVIK_WIN32_BUILD_DIR override the build folders.
# Exit code 77: this machine cannot do it (CTest reports the entry skipped).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# ccache (when installed) shares objects between checkouts and build folders.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
skip() { echo "SKIP: $*" >&2; exit 77; }

i686_only=false
bench=false
case ${1:-} in
  --i686-build-only) i686_only=true; shift ;;
  --bench) bench=true; shift ;;
esac

# widl (wine64-tools) compiles the type libraries; the i686 compiler builds
# the 32-bit variant.
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine64-tools
          googletest nlohmann-json3-dev openjdk-17-jdk-headless)
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

# Ninja and the toolchains' Release flags (no debug information; see
# cmake/toolchains/mingw-w64-common.cmake). A folder configured otherwise by
# an earlier version of this script is configured anew (its Wine prefixes stay).
configure() {  # build-folder toolchain-file
  if [[ -f $1/CMakeCache.txt ]] &&
     ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$1/CMakeCache.txt"; then
    echo "configuring $1 anew (Ninja, Release)"
    rm -rf "$1/CMakeCache.txt" "$1/CMakeFiles"
  fi
  if [[ ! -f $1/CMakeCache.txt ]]; then
    cmake -S "$root" -B "$1" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$2" \
      -DCMAKE_BUILD_TYPE=Release \
      -Dnlohmann_json_DIR=/usr/share/cmake/nlohmann_json
  fi
}

if $i686_only; then
  build32=${TOVIK_WIN32_BUILD_DIR:-$root/build-win32}
  configure "$build32" mingw-w64-i686.cmake
  nice -n 10 cmake --build "$build32" -j2
  echo "i686 build complete: $build32 (compile and link only; 32-bit code cannot run here)"
  exit 0
fi

build=${TOVIK_WIN_BUILD_DIR:-$root/build-win}
configure "$build" mingw-w64-x86_64.cmake
nice -n 10 cmake --build "$build" -j2

# Throw-away Wine prefixes inside the build folder; no display is needed. The
# in-process suites use wineprefix (the provider DLL enters itself as an
# in-process server), the out-of-process ones wineprefix-oop (the server EXE
# enters itself as a local server): one prefix cannot have both, since
# CLSCTX_ALL prefers an in-process server.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
prefixes=("$build/wineprefix" "$build/wineprefix-oop")
for prefix in "${prefixes[@]}"; do
  if [[ ! -f $prefix/system.reg ]]; then
    echo "creating the Wine prefix $prefix"
    WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1 ||
      { rm -rf "$prefix"; skip "Wine cannot create a prefix here (wineboot -i failed)"; }
  fi
done
# One wine server per prefix for all tests (otherwise every test starts its own).
stop_servers() {
  for prefix in "${prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; done
}
for prefix in "${prefixes[@]}"; do
  WINEPREFIX=$prefix wineserver -p 2>/dev/null || true  # (already running: fine)
done
trap stop_servers EXIT
# Start each prefix's system processes now: started by a test program they
# would inherit its output and keep CTest waiting for them.
for prefix in "${prefixes[@]}"; do
  WINEPREFIX=$prefix wine cmd /c exit 0 >/dev/null 2>&1 </dev/null || skip "Wine does not start programs here"
done
export WINEPREFIX=${prefixes[0]}

cd "$build"
if $bench; then
  WINEPREFIX=${prefixes[0]} wine bin/bench_in_process.exe "$@"
  echo
  WINEPREFIX=${prefixes[1]} wine bin/bench_out_of_process.exe "$@"
  exit 0
fi
ctest --output-on-failure -L windows "$@"
