#!/usr/bin/env bash
# Checks that the C++ lines a change adds or edits follow .clang-format (clang-format 14); lines
# nobody touched are left as they are. Prints what clang-format would change and fails if anything.
#   scripts/check-format.sh [BASE]   the change since BASE (default: $VL_FORMAT_BASE, else the
#                                     last commit); e.g. scripts/check-format.sh main before landing
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-${VL_FORMAT_BASE:-HEAD~1}}"
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
