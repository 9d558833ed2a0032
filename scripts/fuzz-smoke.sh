#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each for a short while (FUZZ_SECONDS, default 20).
# A crash, a sanitizer report or a leak fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
ls fuzz/*.cpp >/dev/null 2>&1 || { echo "fuzz: no targets"; exit 0; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVL_BUILD_FUZZ=ON \
  -DVL_BUILD_TESTS=OFF -DVL_SANITIZE=OFF -DVL_WERROR="${VL_WERROR:-OFF}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target $(for f in fuzz/*.cpp; do basename "$f" .cpp | sed 's/^/fuzz_/'; done)
for f in fuzz/*.cpp; do
  name=$(basename "$f" .cpp)
  corpus="fuzz/corpus/$name"
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "fuzz: $name for ${seconds}s"
  # A crashing input is written beside the log (build-fuzz/NAME-crash-...), never into the work tree.
  build-fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
    -artifact_prefix="build-fuzz/$name-" "$work" \
    >"build-fuzz/$name.log" 2>&1 || { tail -40 "build-fuzz/$name.log"; exit 1; }
  rm -rf "$work"
done
echo "fuzz: all targets clean"
