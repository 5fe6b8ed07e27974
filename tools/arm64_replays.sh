#!/usr/bin/env bash
# Cross-builds the headless driver, corvenne-replay, for aarch64 and plays
# every golden replay with it under qemu-user; each must print the same bytes
# as the x86-64 driver of the main build (build/).
#
# The aarch64 libraries come from Debian's arm64 packages, downloaded (never
# installed) and unpacked into a sysroot; the host's Qt tools (moc, rcc) act
# for the build. The cross compiler and qemu-user come with the developer set
# (tools/setup.sh --dev). Everything lands in build-arm64/; a second run
# reuses the sysroot.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$PWD/build-arm64
sysroot=$work/sysroot
debs=$work/debs
host_build=$PWD/build

# What the driver links against, with everything that needs in turn, less
# what neither the link nor a replay touches: the GPU drivers and their
# compiler, the scripting languages, package tools and the sanitizers'
# run-times (the arm64 moc and qmake too: the host's act instead).
ROOT_PACKAGES=(qt6-base-dev libjpeg62-turbo-dev libmosquitto-dev libssl-dev libc6-dev libstdc++-12-dev)
NOT_NEEDED='^(libllvm[0-9]+|libgl1-mesa-dri|libz3-4|libsensors5|perl.*|libperl.*|python3.*|libpython3.*|dpkg|cdebconf|tar|sysvinit-utils|install-info|libdebian-installer4|libnewt0.52|xfonts-utils|qt6-base-dev-tools|qmake6-bin|lib(a|t|hwa|l|ub)san[0-9]+|shared-mime-info)$'

need() {
  command -v "$1" >/dev/null || { echo "$1 is missing: run tools/setup.sh --dev"; exit 1; }
}

# The arm64 packages the root packages need, as apt names them.
package_closure() {
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${ROOT_PACKAGES[@]/%/:arm64}" |
    sed -n 's/^\([^ <][^ ]*\):arm64$/\1/p' | sort -u | grep -Ev "$NOT_NEEDED"
}

download_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo dpkg --add-architecture arm64
    $sudo apt-get update -q
  fi
  mkdir -p "$debs"
  local packages
  mapfile -t packages < <(package_closure)
  (cd "$debs" && apt-get download -q "${packages[@]/%/:arm64}" >/dev/null)
  echo "${#packages[@]} arm64 packages in $debs"
}

# Unpacks every package into the sysroot and makes it usable from outside.
make_sysroot() {
  rm -rf "$sysroot"
  mkdir -p "$sysroot"
  local deb
  for deb in "$debs"/*.deb; do dpkg -x "$deb" "$sysroot"; done
  # Links that name an absolute path point inside the sysroot, not at the host.
  local link target
  while IFS= read -r -d '' link; do
    target=$(readlink "$link")
    if [[ $target == /* ]]; then
      ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$sysroot$target")" "$link"
    fi
  done < <(find "$sysroot" -type l -print0)
  # Under qemu the sysroot's files hide the host's: its font set-up would hide
  # the host's fonts, and the banner would be drawn in another face.
  mv "$sysroot/etc/fonts" "$sysroot/etc/fonts.aside"
}
sysroot_made=$sysroot/etc/fonts.aside

cross_build() {
  # pkg-config reads the sysroot's .pc files (the relay's client library).
  PKG_CONFIG_SYSROOT_DIR=$sysroot \
  PKG_CONFIG_LIBDIR=$sysroot/usr/lib/aarch64-linux-gnu/pkgconfig:$sysroot/usr/share/pkgconfig \
  cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DCORVENNE_WERROR=ON \
    -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR=aarch64 -DCMAKE_SYSROOT="$sysroot" \
    -DCMAKE_CXX_COMPILER=aarch64-linux-gnu-g++ \
    -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
    -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
  cmake --build "$work/build" --target corvenne-replay
}

# Every golden script, played by both drivers from the folder of the table picture.
compare_replays() {
  cmake --build "$host_build" --target corvenne-replay
  local script name failed=0
  export QT_QPA_PLATFORM=offscreen QT_PLUGIN_PATH=$sysroot/usr/lib/aarch64-linux-gnu/qt6/plugins
  for script in tests/replay/*.script; do
    name=$(basename "$script" .script)
    (cd assets && "$host_build/app/corvenne-replay") <"$script" >"$work/$name.x86-64.out" 2>"$work/$name.x86-64.err"
    (cd assets && qemu-aarch64 -L "$sysroot" "$work/build/app/corvenne-replay") <"$script" \
      >"$work/$name.arm64.out" 2>"$work/$name.arm64.err"
    if cmp -s "$work/$name.x86-64.out" "$work/$name.arm64.out"; then
      echo "$name: the same on arm64 ($(wc -l <"$work/$name.arm64.out") lines)"
    else
      echo "$name: arm64 DIFFERS from x86-64: diff $work/$name.x86-64.out $work/$name.arm64.out"
      failed=1
    fi
  done
  return "$failed"
}

need aarch64-linux-gnu-g++
need qemu-aarch64
[ -d "$host_build" ] || { echo "the main build (build/) is missing: run tools/build.sh"; exit 1; }
[ -d "$sysroot_made" ] || { download_packages; make_sysroot; }
cross_build
compare_replays
