#!/usr/bin/env bash
# Installs the Debian packages Ferrolin needs to build, run and test (Debian 12, as root).
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config ccache
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libfontconfig-dev libgtk-3-dev
  nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core librsvg2-bin imagemagick
  xvfb xauth x11-utils openbox wmctrl xdg-utils
  chromium desktop-file-utils appstream xdotool dpkg-dev
  clang libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64-posix wine64 msitools wixl
)
bash "$(dirname "$0")/apt-install.sh" "${packages[@]}"
