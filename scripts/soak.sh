#!/usr/bin/env bash
# The soak: a seeded random walk of N actions through a box of every data type (tests/soak/),
# in the sanitizer build when there is one (BUILD_DIR chooses another). A walk that breaks a
# check, crashes or makes a sanitizer report is shrunk to a minimal replay script, printed and
# kept under the build folder.
#   scripts/soak.sh N [FIRST_SEED [LAST_SEED]]
# SOAK_FONT=real measures with the Japanese gothic instead of the fixed-metrics font.
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-2000}"
first="${2:-1}"
last="${3:-$first}"
build="${BUILD_DIR:-build-asan}"
[ -x "$build/apps/vltext/vltext" ] || build=build
vltext="$build/apps/vltext/vltext"
[ -x "$vltext" ] || { echo "soak: build first (scripts/build.sh)"; exit 2; }
out="$build/soak"
mkdir -p "$out"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}"
export LUA_PATH="tests/soak/?.lua"
status=0
total=0
start=$(date +%s.%N)
for seed in $(seq "$first" "$last"); do
  for type in 2 3 4 5 6 7 8 11 17; do
    log="$out/soak-$type-$seed.lua"
    if "$vltext" run tests/soak/soak.lua "$type" "$seed" "$n" "$log" "${SOAK_FONT:-fixed}" 2>"$out/soak-$type-$seed.err"; then
      total=$((total + n))
    else
      tail -30 "$out/soak-$type-$seed.err"
      echo "soak: type $type seed $seed failed; the minimal replay ($out/replay-$type-$seed.lua):"
      "$vltext" run tests/soak/minimize.lua "$log" "$vltext" "$out/replay-$type-$seed.lua" || true
      status=1
    fi
  done
done
end=$(date +%s.%N)
awk -v n="$total" -v s="$start" -v e="$end" \
  'BEGIN { t = e - s; printf "soak: %d actions clean in %.0f s (%.0f actions/s)\n", n, t, (t > 0 ? n / t : 0) }'
exit $status
