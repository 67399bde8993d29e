#!/usr/bin/env bash
# Installs what the web page needs to build and be tested (Debian 12, as root): Emscripten,
# the tools that unpack Debian's source packages, and Chromium with its driver.
set -euo pipefail
packages=(emscripten dpkg-dev libfreetype-dev libharfbuzz-dev chromium chromium-driver python3-selenium python3-pil fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
