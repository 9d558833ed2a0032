#!/bin/sh
# Every code block of the user's documents (docs/*.md) runs or is a file of the repository:
#   - a block whose first line names a file ("-- file: examples/x.lua", "; file: ...") must hold
#     exactly that file's text after that line (the file itself runs as its own test);
#   - any other lua block is run by `vltext run` in a scratch folder and must end without error;
#   - a block of another language, or none, fails: a block nobody runs drifts.
# Indented blocks (four spaces) are shell commands for the reader and are not run. scripts/docs.sh
# puts the current text of a named file into its block.
#   code_blocks.sh VLTEXT SOURCE_DIR SCRATCH_DIR
vltext="$1"
src="$2"
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
[ "$checked" -gt 0 ] || { echo "no code block found under $src/docs"; exit 1; }
[ "$fails" -eq 0 ] && echo "docs: $checked code blocks ok"
exit "$fails"
