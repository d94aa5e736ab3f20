#!/usr/bin/env bash
# Builds the benchmarks in their own optimised tree, without sanitizers, and prints their figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${KESTRANE_BUILD:-$root/build}/bench

cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKESTRANE_SANITIZE=OFF >/dev/null
cmake --build "$tree" --target GameDllRewriteBenchmark
"$tree/bench/GameDllRewriteBenchmark" "$@"
