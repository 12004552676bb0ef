#!/usr/bin/env bash
# Installs what the arm64 cross build and its test run need on a Debian 12
# x86-64 machine: the cross compiler, qemu's user-mode emulator and the arm64
# builds of the libraries the program links. Apt resolves them next to the
# native ones without removing any; already installed packages are left alone.
set -euo pipefail

bash "$(dirname "$0")/install-deps.sh"

packages=(
  crossbuild-essential-arm64 qemu-user
  qt6-base-dev:arm64 qt6-charts-dev:arm64 libqt6opengl6-dev:arm64 qt6-qpa-plugins:arm64
  libgl-dev:arm64 libxkbcommon-dev:arm64
  libjpeg62-turbo-dev:arm64 libmpfr-dev:arm64 libgmp-dev:arm64
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

if ! dpkg --print-foreign-architectures | grep -qx arm64; then
  $sudo dpkg --add-architecture arm64
  $sudo apt-get update -q
fi

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
