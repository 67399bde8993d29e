#!/usr/bin/env bash
# Installs what the web page needs to build and be tested (Debian 12, as root): Emscripten,
# the tools that unpack Debian's source packages, and Chromium with its driver.
set -euo pipefail
packages=(emscripten dpkg-dev libfreetype-dev libharfbuzz-dev chromium chromium-driver python3-selenium python3-pil fonts-dejavu-core)
bash "$(dirname "$0")/apt-install.sh" "${packages[@]}"
