#!/usr/bin/env bash
# Installs what is missing, builds, and starts Rovanta. Its settings (the
# registered folders, maps and tours) live in the user's configuration,
# ~/.config/Quelder Applications/Rovanta.conf. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release --target Rovanta

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run: no X or Wayland display; start it from a desktop session," >&2
  echo "     or try it off-screen: QT_QPA_PLATFORM=offscreen build/release/rovanta/Rovanta" >&2
  exit 1
fi
exec build/release/rovanta/Rovanta "$@"
