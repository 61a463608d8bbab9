#!/usr/bin/env bash
# Installs what is missing, builds Rovanta with its help files, and starts
# it. Arguments go to the program.
#
# Rovanta keeps its settings (the registered folders, maps and tours) in
# $XDG_CONFIG_HOME/Quelder Applications/Rovanta.conf. This script points
# XDG_CONFIG_HOME at build/sample-settings: on the first run those settings
# get the sample maps and tour of examples/maps, with "Sample West" shown, so
# there is a map to try at once and ~/.config is left alone. Whatever is
# changed and saved there is kept from run to run; delete
# build/sample-settings to start afresh. To use your own settings instead:
#   ROVANTA_OWN_SETTINGS=1 scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The help files go beside the program, so the first start finds them
# instead of asking for them.
cmake --build build/release --target Rovanta rovanta_help rovanta_sample_settings

settings_hint=""
if [[ "${ROVANTA_OWN_SETTINGS:-0}" != 1 ]]; then
  export XDG_CONFIG_HOME="$PWD/build/sample-settings"
  # Changes nothing once the settings list folders.
  build/release/examples/rovanta_sample_settings "$PWD/examples/maps"
  settings_hint="XDG_CONFIG_HOME=$(printf '%q' "$XDG_CONFIG_HOME") "
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run: no X or Wayland display; start it from a desktop session," >&2
  echo "     or try it off-screen: ${settings_hint}QT_QPA_PLATFORM=offscreen build/release/rovanta/Rovanta" >&2
  exit 1
fi
exec build/release/rovanta/Rovanta "$@"
