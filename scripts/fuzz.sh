#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (address+undefined) into build-fuzz/ and runs
# each for a while. A crash leaves its input in build-fuzz/artifacts/ and fails the script.
#
#   scripts/fuzz.sh            # 5 minutes per target
#   scripts/fuzz.sh 20         # 20 seconds per target (the CTest entry fuzz.short)
#   TOVIK_FUZZ_BUILD_DIR=...   # another build folder
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
build=${TOVIK_FUZZ_BUILD_DIR:-$root/build-fuzz}
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ not found (apt-get install clang libclang-rt-dev)" >&2
  exit 1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" -j"$(nproc)"
mkdir -p "$build/artifacts"
for target in scenario text; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "== fuzz_$target: $seconds s"
  "$build/bin/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 \
    "$corpus" "$root/fuzz/corpus/$target" 2>&1 | grep -E '^(Done|stat::number_of_executed_units|==|SUMMARY)|ERROR' || true
  if ls "$build/artifacts/$target-"* >/dev/null 2>&1; then
    echo "fuzz_$target found a failing input: $(ls "$build/artifacts/$target-"*)" >&2
    exit 1
  fi
done
