#!/usr/bin/env bash
# Builds the native suites with the sanitizers and runs them:
#   build-asan  -DTOVIK_SANITIZE=address  (AddressSanitizer + UndefinedBehaviorSanitizer)
#   build-tsan  -DTOVIK_SANITIZE=thread   (ThreadSanitizer)
# The Windows cross build, the packaging checks and the provider text check are not sanitizer
# matters and are left out.
# Sanitizer builds compile no Java (a JVM needs the runtime preloaded; docs/RELIABILITY.md
# shows how to run the JUnit suites that way). Extra arguments go to ctest.
#
#   scripts/sanitizers.sh                 # both
#   TOVIK_SANITIZERS_ONLY=address scripts/sanitizers.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# ccache (when installed) shares objects between checkouts and build folders.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
only=${TOVIK_SANITIZERS_ONLY:-}
status=0
for kind in address thread; do
  if [ -n "$only" ] && [ "$only" != "$kind" ]; then
    continue
  fi
  case $kind in
    address) build=$root/build-asan ;;
    thread) build=$root/build-tsan ;;
  esac
  echo "== $kind sanitizer: $build"
  # -O1 with line tables only: what the sanitizers' reports need (stack traces with file and
  # line), at about half the compile time of -O2 with full debug information.
  generator=()
  [ -f "$build/CMakeCache.txt" ] || generator=(-G Ninja)
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DTOVIK_SANITIZE=$kind -DTOVIK_BUILD_JAVA=OFF -DTOVIK_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)"
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
  (cd "$build" && ctest --output-on-failure -j"$(nproc)" --timeout 900 -LE 'java|fuzz' -E '^(windows|packaging|provider)\.' "$@") || status=1
done
exit $status
