#!/usr/bin/env bash
# Writes the generated parts of the user's documents again: docs/reference.md from the
# component's own tables (`vltext reference`) and the cookbook's pictures docs/images/NAME.png
# by running each examples/cookbook/NAME.lua. Run it after changing a property, an event, a
# message or a recipe; the suite fails while docs/reference.md is out of date.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
vltext="${BUILD_DIR:-build}/apps/vltext/vltext"
"$vltext" reference >docs/reference.md
mkdir -p docs/images
for script in examples/cookbook/*.lua; do
  [ -e "$script" ] || continue
  name=$(basename "$script" .lua)
  "$vltext" run "$script" "docs/images/$name.png" >/dev/null
done
echo "docs: reference.md and $(ls docs/images | wc -l) pictures written"
