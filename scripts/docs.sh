#!/usr/bin/env bash
# Writes the generated parts of the user's documents again:
#   - docs/reference.md from the component's own tables (`vltext reference`);
#   - every code block of docs/*.md whose first line names a file ("-- file: examples/x.lua")
#     takes that file's current text;
#   - the cookbook's pictures docs/images/NAME.png, by running each examples/cookbook/NAME.lua,
#     and the README's picture of the tour, docs/images/tour.png.
# Run it after changing a property, an event, a message or an example; the suite fails while
# the reference or a block is out of date.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
vltext="${BUILD_DIR:-build}/apps/vltext/vltext"
"$vltext" reference >docs/reference.md
for doc in docs/*.md; do
  awk '
    skip { if ($0 ~ /^```/) { print; skip = 0; inBlock = 0 } ; next }
    { print }
    /^```/ { if (inBlock) { inBlock = 0 } else { inBlock = 1; opened = 1 } ; next }
    opened {
      opened = 0
      at = index($0, "file: ")
      if (at > 0) {
        path = substr($0, at + 6)
        while ((getline line < path) > 0) print line
        close(path)
        skip = 1
      }
    }
  ' "$doc" >"$doc.tmp"
  mv "$doc.tmp" "$doc"
done
mkdir -p docs/images
for script in examples/cookbook/*.lua; do
  [ -e "$script" ] || continue
  name=$(basename "$script" .lua)
  "$vltext" run "$script" "docs/images/$name.png" >/dev/null
done
scratch=$(mktemp -d)
"$vltext" run examples/tour.lua "$scratch" >/dev/null
cp "$scratch/tour-before.png" docs/images/tour.png
rm -rf "$scratch"
echo "docs: reference.md, the examples' blocks and $(ls docs/images | wc -l) pictures written"
