#!/usr/bin/env bash
# Builds VlText and runs the whole test suite (unit tests and scenario scripts).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh "$@"
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)"
