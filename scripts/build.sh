#!/usr/bin/env bash
# Configures and builds VlText into build/ (or the folder given as $BUILD_DIR): the libraries and
# the vltext program, and the tests only when asked (scripts/test.sh asks).
# Extra arguments go to cmake's configure step, e.g. -DVL_SANITIZE=ON. VL_WERROR=ON in the
# environment makes warnings errors (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" -DVL_WERROR="${VL_WERROR:-OFF}" \
  -DVL_BUILD_TESTS=OFF "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
