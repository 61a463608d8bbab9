#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once optimised, once
# more under AddressSanitizer and UndefinedBehaviorSanitizer, and once for
# Kalimark and the core alone, configured as on a machine without Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

# Without debug information: the runs need none, and it costs a third of the
# build time on two cores.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DROVANTA_WERROR=ON
cmake --build build/release
ctest --test-dir build/release --output-on-failure --parallel "$(nproc)"

# Line tables are all the sanitizers' reports need.
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DROVANTA_WERROR=ON \
  -DROVANTA_SANITIZE=ON
cmake --build build/sanitize
# The package is built and checked once, above.
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  ctest --test-dir build/sanitize --output-on-failure --parallel "$(nproc)" --label-exclude package

# Nothing asks for Qt here, so CMake would call the hiding flag unused.
cmake -S . -B build/core-only -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release -DROVANTA_WERROR=ON \
  -DROVANTA_BUILD_GUI=OFF -DROVANTA_BUILD_HELP=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
cmake --build build/core-only
ctest --test-dir build/core-only --output-on-failure --parallel "$(nproc)"
