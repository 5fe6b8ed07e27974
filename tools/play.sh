#!/usr/bin/env bash
# Sets up, builds and starts the game. The table picture is read from the
# working directory, so the game starts from its build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
cd build/app
exec ./corvenne
