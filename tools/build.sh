#!/usr/bin/env bash
# Installs what is missing, then configures and builds the game into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja "$@" >/dev/null
cmake --build build
