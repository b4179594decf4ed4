#!/usr/bin/env bash
# Builds the benchmarks (Release with debug information, in build-bench) and runs them in full:
# the native benchmark of the facade and wrappers, then the Java benchmark of the native
# methods, each figure printed next to its floor and the ratio.
#
#   scripts/bench.sh            full run (a few minutes)
#   scripts/bench.sh --short    every benchmark once, briefly (what CTest's "bench" label runs)
#
# TOVIK_BENCH_DIR overrides the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOVIK_BENCH_DIR:-$root/build-bench}
mode=()
[[ "${1:-}" == "--short" ]] && mode=(--short)

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVIK_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target bench_native tovik_bench_jar

echo "# machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "# load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "## native (bench_native)"
"$build/bin/bench_native" "${mode[@]}"
echo
echo "## Java (JniBench)"
java -cp "$build/java/tovik-bench.jar:$build/java/tovik-api.jar:$build/java/tovik-sim.jar" \
  -Djava.library.path="$build/lib" com.holm.zep.tovik.bench.JniBench "${mode[@]}"
