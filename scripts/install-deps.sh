#!/usr/bin/env bash
# Installs every Debian package that building, testing, running and packaging Varmelo needs
# (rsvg-convert draws the icon; the rest checks and packages the installed files).
# Idempotent: when everything is present it only runs dpkg-query and exits.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev libqt6openglwidgets6 qt6-qpa-plugins
  libgl-dev libgl1-mesa-dri
  libgtest-dev libgmock-dev libbenchmark-dev
  # make fuzz: clang and its fuzzer runtime; llvm-symbolizer names the lines of sanitizer reports
  clang libclang-rt-14-dev llvm
  libsimpleini-dev libpng-dev libjpeg62-turbo-dev libsquish-dev libtinygltf-dev
  xvfb xauth x11-apps
  fonts-liberation2 fonts-dejavu-core
  librsvg2-bin
  dpkg-dev file desktop-file-utils appstream libxml2-utils shared-mime-info libglib2.0-bin man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
