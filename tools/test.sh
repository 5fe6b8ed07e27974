#!/usr/bin/env bash
# The fast loop: sets up, builds and runs every test (ctest); exits non-zero
# on any failure. The longer gates are tools/ci_checks.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/check_layers.sh
bash tools/build.sh -DCORVENNE_WERROR=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
