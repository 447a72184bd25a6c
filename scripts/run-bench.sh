#!/usr/bin/env bash
# Builds the processing benchmarks (preset linux-bench) and prints their table: each
# plug-in's processReplacing through its loaded library, each block kernel on its own, and
# the plain reference, at blocks of 32, 512 and 4096 samples, each row the median of 5 runs.
set -euo pipefail
cd "$(dirname "$0")/.."
# Called from make: keep the inner build from announcing every directory it enters.
unset MAKEFLAGS MFLAGS MAKELEVEL

cmake --preset linux-bench --no-warn-unused-cli >/dev/null
cmake --build --preset linux-bench -j2 --target fx_bench >/dev/null
exec build/linux-bench/bench/fx_bench --benchmark_repetitions=5 --benchmark_min_time=0.2
