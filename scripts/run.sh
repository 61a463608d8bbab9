#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Until the
# Rovanta window exists this runs the Kalimark demo: a position through UTM
# and back. Arguments go to the demo (latitude longitude, decimal degrees).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release
exec build/release/examples/kalimark_demo "$@"
