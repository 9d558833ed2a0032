#!/usr/bin/env bash
# Checks that the C++ lines a change adds or edits follow .clang-format (clang-format 14); lines
# nobody touched are left as they are. Prints what clang-format would change and fails if anything.
#   scripts/check-format.sh [BASE]   the change since BASE; e.g. scripts/check-format.sh main
#                                     before landing
# Without BASE ($VL_FORMAT_BASE): the change the last commit brings. A branch lands on main after
# merging main into it, so when the last commit is such a merge its change is the one against the
# main it merged (its second parent), not the other engineers' work that came with that main.
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-${VL_FORMAT_BASE:-}}"
if [ -z "$base" ]; then
  if git rev-parse -q --verify 'HEAD^2' >/dev/null; then base='HEAD^2'; else base='HEAD~1'; fi
fi
if ! git rev-parse -q --verify "$base^{commit}" >/dev/null; then
  echo "format: no commit $base to compare with; nothing checked"
  exit 0
fi
changes=$(git diff -U0 --no-color "$base" -- '*.cpp' '*.h' | clang-format-diff-14 -p1 -binary clang-format-14)
if [ -n "$changes" ]; then
  printf '%s\n' "$changes"
  echo "format: the lines above do not follow .clang-format (clang-format-diff-14 -p1 -i fixes them)"
  exit 1
fi
echo "format: changed lines follow .clang-format"
