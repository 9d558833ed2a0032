#!/bin/sh
# Every code block of the user's documents (docs/*.md) runs or is a file of the repository, and
# every relative link of the documents and the README names a file that exists:
#   - a block whose first line names a file ("-- file: examples/x.lua", "; file: ...") must hold
#     exactly that file's text after that line (the file itself runs as its own test);
#   - any other lua block is run by `vltext run` in a scratch folder and must end without error;
#   - a block of another language, or none, fails: a block nobody runs drifts.
# Indented blocks (four spaces) are commands for the reader: each `build/apps/vltext/vltext ...`
# line of them runs (with the repository's examples) and must end with status 0. scripts/docs.sh
# puts the current text of a named file into its block.
#   code_blocks.sh VLTEXT SOURCE_DIR SCRATCH_DIR
vltext="$1"
src=$(cd "$2" && pwd)
scratch="$3"
rm -rf "$scratch" && mkdir -p "$scratch" || exit 1
fails=0
checked=0
for doc in "$src"/docs/*.md; do
  name=$(basename "$doc" .md)
  # Cut the document into numbered blocks: block N goes to $scratch/NAME-N.LANG.
  awk -v out="$scratch/$name" '
    /^```/ {
      if (inBlock) { inBlock = 0; close(file); next }
      inBlock = 1; n++; lang = substr($0, 4); if (lang == "") lang = "none"
      file = sprintf("%s-%02d.%s", out, n, lang); printf "" > file; next
    }
    inBlock { print > file }
  ' "$doc"
done
for block in "$scratch"/*; do
  [ -e "$block" ] || continue
  checked=$((checked + 1))
  first=$(head -n 1 "$block")
  case "$first" in
    *"file: "*)
      path=${first##*file: }
      if ! tail -n +2 "$block" | cmp -s - "$src/$path"; then
        echo "$(basename "$block"): the block differs from $path (scripts/docs.sh writes it again)"
        tail -n +2 "$block" | diff - "$src/$path" | head -20
        fails=$((fails + 1))
      fi
      ;;
    *)
      case "$block" in
        *.lua)
          dir="$block.run"
          mkdir -p "$dir"
          if ! (cd "$dir" && "$vltext" run "$block" >out.txt 2>&1); then
            echo "$(basename "$block") failed:"
            cat "$dir/out.txt"
            fails=$((fails + 1))
          fi
          ;;
        *)
          echo "$(basename "$block"): a block that is neither Lua nor a file of the repository"
          fails=$((fails + 1))
          ;;
      esac
      ;;
  esac
done
# The commands of indented blocks.
commands="$scratch/commands.txt"
grep -h '^    build/apps/vltext/vltext ' "$src"/docs/*.md >"$commands"
n=0
while IFS= read -r line; do
  n=$((n + 1))
  checked=$((checked + 1))
  args=$(printf '%s\n' "${line#    build/apps/vltext/vltext }" | sed "s#examples/#$src/examples/#g")
  dir="$scratch/command-$n"
  mkdir -p "$dir"
  if ! (cd "$dir" && eval "\"\$vltext\" $args" >out.txt 2>&1); then
    echo "the command failed: $line"
    cat "$dir/out.txt"
    fails=$((fails + 1))
  fi
done <"$commands"
# Every relative link and picture of the documents and the README names a file that exists.
for doc in "$src"/docs/*.md "$src"/README.md; do
  dir=$(dirname "$doc")
  for target in $(grep -o '](\([^)#: ]*\)[)#]' "$doc" | sed 's/^](//; s/[)#]$//' | sort -u); do
    [ -n "$target" ] || continue
    if [ ! -e "$dir/$target" ]; then
      echo "$(basename "$doc") links to $target, which does not exist"
      fails=$((fails + 1))
    fi
  done
done
[ "$checked" -gt 0 ] || { echo "no code block found under $src/docs"; exit 1; }
[ "$fails" -eq 0 ] && echo "docs: $checked code blocks ok"
exit "$fails"
