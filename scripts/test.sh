#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once optimised, once
# more under AddressSanitizer and UndefinedBehaviorSanitizer, and once for
# Kalimark and the core alone, configured as on a machine without Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROVANTA_WERROR=ON
cmake --build build/release
ctest --test-dir build/release --output-on-failure --parallel "$(nproc)"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DROVANTA_WERROR=ON -DROVANTA_SANITIZE=ON
cmake --build build/sanitize
ctest --test-dir build/sanitize --output-on-failure --parallel "$(nproc)"

# Nothing asks for Qt here, so CMake would call the hiding flag unused.
cmake -S . -B build/core-only -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DROVANTA_WERROR=ON \
  -DROVANTA_BUILD_GUI=OFF -DROVANTA_BUILD_HELP=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
cmake --build build/core-only
ctest --test-dir build/core-only --output-on-failure --parallel "$(nproc)"
