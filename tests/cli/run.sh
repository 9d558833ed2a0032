#!/bin/sh
# vltext run takes Lua source only: a precompiled chunk, which Lua does not verify, is refused
# with exit status 1 and a message, never run.
vltext="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fails=0
printf 'local f = assert(io.open(arg[1], "wb")); f:write(string.dump(function() print("ran") end)); f:close()\n' >"$dir/dump.lua"
"$vltext" run "$dir/dump.lua" "$dir/chunk" || { echo "could not write a chunk"; exit 1; }
out=$("$vltext" run "$dir/chunk" 2>&1)
status=$?
[ "$status" -eq 1 ] || { echo "a binary chunk: exit status $status, expected 1"; fails=$((fails + 1)); }
case "$out" in
  *"binary chunk"*) ;;
  *) echo "a binary chunk: no clear message: $out"; fails=$((fails + 1)) ;;
esac
case "$out" in
  *ran*) echo "a binary chunk ran"; fails=$((fails + 1)) ;;
esac
printf 'print("ran")\n' >"$dir/text.lua"
[ "$("$vltext" run "$dir/text.lua")" = "ran" ] || { echo "a text chunk did not run"; fails=$((fails + 1)); }
[ "$fails" -eq 0 ] && echo "run cli: ok"
exit "$fails"
