#!/usr/bin/env bash
# Builds VlText with its tests and runs the whole suite (unit tests, scenario scripts, the
# installed package, the desktop window on a virtual X server).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh -DVL_BUILD_TESTS=ON "$@"
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)"
