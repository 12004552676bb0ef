#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# and nothing else; already installed packages are left alone.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins libgl-dev libxkbcommon-dev
  libjpeg62-turbo-dev libmpfr-dev
  fonts-liberation2 fonts-dejavu-core
  qt6-translations-l10n
  desktop-file-utils appstream dpkg-dev
  clang-format git
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
