#!/usr/bin/env bash
# Installs the Debian packages Rovanta needs to build, test and benchmark.
# Idempotent: asks apt only for what is missing. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential
  binutils
  cmake
  ninja-build
  pkg-config
  libgtest-dev
  locales
  libgmock-dev
  libbenchmark-dev
  # GPX and KML in and out.
  libpugixml-dev
  # Raster sheets in every format but BMP, their tiled cache, and rasters with
  # their own georeference (GDAL, PROJ under it).
  libgdal-dev
  # The GUI: Qt 6 Widgets, SVG icons, printing; a font for the offscreen tests.
  qt6-base-dev
  qt6-base-dev-tools
  qt6-svg-dev
  libqt6svg6
  qt6-qpa-plugins
  libgl-dev
  fonts-dejavu-core
  # The help: chmcmd compiles our HTML pages, chmlib reads them back.
  fp-utils
  libchm-dev
  # Arial's metrics for the printed headings.
  fonts-liberation2
  # Reads the printed PDF back in the print tests.
  poppler-utils
  # Installing and packaging: the translations, the icons, the desktop files checked.
  qt6-tools-dev
  qt6-l10n-tools
  librsvg2-bin
  desktop-file-utils
  appstream
  dpkg-dev
  # Test and benchmark oracles only; the product never links them.
  libgeographiclib-dev
  libproj-dev
  gpsbabel
  # scripts/fuzz.sh: clang with libFuzzer and the sanitizer runtimes.
  clang
  libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

if ((EUID == 0)); then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "setup: missing packages (${missing[*]}) and neither root nor sudo" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
