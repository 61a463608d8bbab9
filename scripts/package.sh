#!/usr/bin/env bash
# Builds the Debian package build/package/rovanta_VERSION_amd64.deb: the
# program, its help, translations, sample maps and desktop files, and
# Kalimark, installed under /usr. Install it with
#   sudo apt install ./build/package/rovanta_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DROVANTA_BUILD_TESTS=OFF "$@"
cmake --build build/package
(cd build/package && cpack -G DEB)
ls build/package/rovanta_*.deb
