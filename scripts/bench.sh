#!/usr/bin/env bash
# Installs what is missing, builds optimised, and runs the benchmarks.
# Not part of the test command: timings depend on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DROVANTA_BUILD_TESTS=ON -DROVANTA_BUILD_BENCHMARKS=ON
cmake --build build/bench
build/bench/bench/geodesy_bench "$@"
build/bench/bench/map_bench "$@"
build/bench/bench/manager_bench "$@"
build/bench/bench/gpx_bench "$@"
build/bench/bench/gui_bench "$@"
build/bench/bench/view_bench "$@"
build/bench/bench/tour_bench "$@"
build/bench/bench/print_bench "$@"
build/bench/bench/raster_bench "$@"
build/bench/bench/help_bench "$@"
