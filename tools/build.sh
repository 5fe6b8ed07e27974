#!/usr/bin/env bash
# Installs what is missing for development, then configures and builds the
# game, its tests, benchmarks and tools into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh --dev
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON "$@" >/dev/null
cmake --build build
