#!/usr/bin/env bash
# Installs the Debian packages that building and playing the game need; with
# --package, also those that make its Debian package; with --dev, also those
# of its tests, checks, benchmarks and tools. Packages already present are
# left alone; nothing else is fetched.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libjpeg62-turbo-dev
  # The table's sounds; without it the game is built silent.
  qt6-multimedia-dev
  # Play across the internet: the relay's client library, and its TLS layer's
  # headers, read for why a secure connection failed.
  libmosquitto-dev libssl-dev
  # The faces the window is drawn in; the game falls back quietly without them.
  # Comic Neue also stands in for the banner's Comic Sans MS in the replay
  # driver, so the golden replays' pixels are the same on every machine.
  fonts-wine fonts-liberation2 fonts-comic-neue
)
# The Debian package: its dependencies are read from the program (dpkg-shlibdeps),
# which the packager finds by the file type.
packaging_packages=(dpkg-dev file)
developer_packages=(
  clang libclang-rt-dev
  # Builds in other folders and clones reuse what was compiled once.
  ccache
  libgtest-dev libbenchmark-dev
  fonts-dejavu-core xvfb xdotool imagemagick x11-utils
  # The network tests drive two game drivers and a protocol peer of their own.
  python3
  # The relay's tests start brokers of their own, one with a certificate they make.
  mosquitto openssl
  # The install checks: the menu entry, the metadata, the match files' type,
  # the manual pages and the Debian package's lint.
  desktop-file-utils appstream shared-mime-info man-db lintian
  # The driver cross-built for aarch64 and run under emulation (tools/arm64_replays.sh).
  g++-aarch64-linux-gnu qemu-user
)

case ${1-} in
  "") ;;
  --package) packages+=("${packaging_packages[@]}") ;;
  --dev) packages+=("${packaging_packages[@]}" "${developer_packages[@]}") ;;
  *) echo "usage: tools/setup.sh [--package | --dev]" >&2; exit 2 ;;
esac

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
  # The broker's package starts a broker for the whole machine where services
  # run; the tests start their own, and the player asked for none.
  if [[ " ${missing[*]} " == *" mosquitto "* ]]; then
    if [ -d /run/systemd/system ]; then
      $sudo systemctl disable --now mosquitto
    elif [ -x /etc/init.d/mosquitto ]; then
      $sudo /etc/init.d/mosquitto stop || true
      $sudo update-rc.d mosquitto disable || true
    fi
  fi
fi
