#!/usr/bin/env bash
# Builds the benchmarks in Release (into build-bench/, or $BENCH_DIR) and runs every program with
# repetitions, then prints one summary table: each figure is the median over the repetitions,
# next to its goal. Arguments go to every program (e.g. --benchmark_filter=keystroke).
#   scripts/bench.sh                 5 repetitions
#   VL_BENCH_REPS=9 scripts/bench.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BENCH_DIR:-build-bench}"
reps="${VL_BENCH_REPS:-5}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVL_BUILD_BENCH=ON -DVL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

summary="$(mktemp)"
trap 'rm -f "$summary"' EXIT
for program in number_format date_format box_input multi_line pictures; do
  echo "== bench_$program"
  VL_BENCH_SUMMARY="$summary" "$build/bench/bench_$program" --benchmark_repetitions="$reps" \
    --benchmark_display_aggregates_only=true "$@"
done

echo
echo "== Summary: medians of $reps repetitions, CPU time per operation, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
awk -F'\t' '
  { what[NR] = $1; figure[NR] = $2; goal[NR] = $3; met[NR] = $4
    if (length($1) > w1) w1 = length($1); if (length($2) > w2) w2 = length($2); if (length($3) > w3) w3 = length($3) }
  END {
    if (w1 < 8) w1 = 8; if (w2 < 6) w2 = 6; if (w3 < 4) w3 = 4
    printf "| %-*s | %-*s | %-*s | %s |\n", w1, "measured", w2, "figure", w3, "goal", "met"
    printf "|-%s-|-%s-|-%s-|-----|\n", sprintf("%*s", w1, "") , sprintf("%*s", w2, ""), sprintf("%*s", w3, "")
    for (i = 1; i <= NR; i++) printf "| %-*s | %-*s | %-*s | %s |\n", w1, what[i], w2, figure[i], w3, goal[i], met[i]
  }' "$summary" | sed -e 's/|-\( *\)-|/|-\1-|/' | awk '{ if (NR == 2) gsub(/ /, "-"); print }'
