#!/bin/sh
# vltext --help lists every command on stdout and points to the manual; a wrong command line
# prints the same list on stderr and ends with status 2.
vltext="$1"
fails=0
fail() { echo "$1"; fails=$((fails + 1)); }
for flag in --help -h help; do
  out=$("$vltext" "$flag" 2>/dev/null) || fail "vltext $flag must end with status 0"
  for command in "run FILE.lua" "show FILE.lua" "format [--eras FILE.ini] TYPE FORMAT VALUE" "reference" "help"; do
    printf "%s\n" "$out" | grep -qF "  vltext $command" || fail "vltext $flag does not list: $command"
  done
  printf '%s\n' "$out" | grep -q "scripting.md" || fail "vltext $flag does not point to the manual"
done
"$vltext" >/dev/null 2>&1
[ $? -eq 2 ] || fail "vltext without a command must end with status 2"
"$vltext" frobnicate 2>&1 >/dev/null | grep -q "^  vltext run FILE.lua" || fail "a wrong command must list the commands on stderr"
"$vltext" frobnicate >/dev/null 2>&1
[ $? -eq 2 ] || fail "a wrong command must end with status 2"
[ "$fails" -eq 0 ] && echo "help cli: ok"
exit "$fails"
