#!/bin/sh
# The command line itself: help and version, unknown commands, era profiles that cannot be read,
# one output line per value, and UTF-8 output whatever a profile holds.
vltext="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fails=0
fail() {
  printf '%s\n' "$1"
  fails=$((fails + 1))
}
# run ARGS...: stdout, stderr and the exit status of one call in $out, $err, $rc.
run() {
  "$vltext" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  out=$(cat "$tmp/out")
  err=$(cat "$tmp/err")
}
nl='
'

run --help
[ "$rc" -eq 0 ] || fail "--help exits $rc"
case "$out" in *"usage: vltext"*) ;; *) fail "--help prints the usage on stdout, got: $out" ;; esac
[ -z "$err" ] || fail "--help writes nothing to stderr, got: $err"

run --version
[ "$rc" -eq 0 ] || fail "--version exits $rc"
case "$out" in "vltext "[0-9]*) ;; *) fail "--version prints the version, got: $out" ;; esac

run frobnicate
[ "$rc" -eq 2 ] || fail "an unknown command exits $rc"
case "$err" in *frobnicate*) ;; *) fail "an unknown command names itself, got: $err" ;; esac

run format --eras "$tmp/missing.ini" Date 'gee年' 2000/01/02
[ "$rc" -eq 1 ] || fail "a missing era profile exits $rc"
case "$err" in *missing.ini*) ;; *) fail "a missing era profile is named, got: $err" ;; esac
[ -z "$out" ] || fail "nothing is formatted without the profile, got: $out"
run format --eras "$tmp" Date 'gee年' 2000/01/02
[ "$rc" -eq 1 ] || fail "an unreadable era profile (a folder) exits $rc"

run format Long '#,##0' 1234 abc 5
[ "$rc" -eq 1 ] || fail "a value that cannot be formatted exits $rc"
[ "$out" = "1,234${nl}vltext format: abc is no Long value${nl}5" ] || fail "one line per value, got: $out"

# An era name whose bytes are no CP932 text prints U+FFFD, so the output stays UTF-8.
printf '[Velbrin/OCX Eras]\n\205\100\205\101=\205\100 Q 2030/01/01\n' >"$tmp/odd.ini"
run format --eras "$tmp/odd.ini" Date 'gggee年' 2031/05/05
[ "$rc" -eq 0 ] || fail "a profile with odd bytes exits $rc"
printf '%s' "$out" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1 || fail "the output is not UTF-8: $out"
case "$out" in *"02年") ;; *) fail "the era year still prints, got: $out" ;; esac

[ "$fails" -eq 0 ] && echo "commands cli: ok"
exit "$fails"
