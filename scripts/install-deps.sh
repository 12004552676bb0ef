#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# and nothing else; already installed packages are left alone.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins libgl-dev libxkbcommon-dev
  libjpeg62-turbo-dev libmpfr-dev libgmp-dev
  fonts-liberation2 fonts-dejavu-core
  qt6-translations-l10n
  # The packaging test: validators, the package's judge, and a desktop's
  # own lookup of the lesson file's type and its application.
  desktop-file-utils appstream dpkg-dev lintian shared-mime-info libglib2.0-bin
  clang-format git
)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
