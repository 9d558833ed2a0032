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
# Widths count terminal columns, not bytes (figures hold µ and dates hold kanji): UTF-8
# continuation bytes take no column, kana and kanji (lead bytes E3-EF) take two, and the padding is
# written by hand.
LC_ALL=C awk -F'\t' '
  function width(s,    wide) { wide = gsub(/[\343-\357]/, "", s); gsub(/[\200-\277]/, "", s); return length(s) + 2 * wide }
  function cell(s, w) { return s sprintf("%*s", w - width(s), "") }
  function rule(w,    s) { s = sprintf("%*s", w, ""); gsub(/ /, "-", s); return s }
  function row(a, b, c, d) { printf "| %s | %s | %s | %s |\n", cell(a, w[1]), cell(b, w[2]), cell(c, w[3]), cell(d, w[4]) }
  BEGIN { split("measured figure goal met", head, " "); for (c = 1; c <= 4; c++) w[c] = width(head[c]) }
  { for (c = 1; c <= 4; c++) { v[NR, c] = $c; if (width($c) > w[c]) w[c] = width($c) } }
  END {
    row(head[1], head[2], head[3], head[4])
    printf "|-%s-|-%s-|-%s-|-%s-|\n", rule(w[1]), rule(w[2]), rule(w[3]), rule(w[4])
    for (i = 1; i <= NR; i++) row(v[i, 1], v[i, 2], v[i, 3], v[i, 4])
  }' "$summary"
