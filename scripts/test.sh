#!/usr/bin/env bash
# Builds Lorvane and runs every test. Arguments go to the build's configuration (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
build_dir=${BUILD_DIR:-build}
cd "$build_dir"
QT_QPA_PLATFORM=offscreen LORVANE_NO_OPEN=1 ctest --output-on-failure -j "$(nproc)" --timeout "${TEST_TIMEOUT:-300}"
