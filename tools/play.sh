#!/usr/bin/env bash
# Installs what is missing for playing, builds the game alone into build/ and
# starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target corvenne
exec build/app/corvenne
