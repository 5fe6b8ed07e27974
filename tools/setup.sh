#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need.
# Packages already present are left alone; nothing else is fetched.
set -euo pipefail

packages=(
  g++ clang libclang-rt-dev cmake ninja-build pkg-config
  qt6-base-dev libjpeg62-turbo-dev
  libgtest-dev libbenchmark-dev
  fonts-dejavu-core xvfb xdotool imagemagick x11-utils
  # The banner asks for Comic Sans MS; this font stands in for it on every
  # machine alike, so the golden replays' pixels are the same everywhere.
  fonts-comic-neue
  desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
