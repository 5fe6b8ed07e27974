#!/usr/bin/env bash
# The packager's command: installs only what building the game and its Debian
# package need, builds the game without its tests into build-package/ and
# makes the package there; prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh --package
cmake -S . -B build-package -G Ninja -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr "$@" >/dev/null
cmake --build build-package
rm -f build-package/corvenne_*.deb
(cd build-package && cpack -G DEB >/dev/null)
ls "$PWD"/build-package/corvenne_*.deb
