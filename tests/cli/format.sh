#!/bin/sh
# vltext format prints, per value, the text a box of the data type shows through the format.
vltext="$1"
fails=0
expect() {
  want="$1"
  shift
  got=$("$vltext" format "$@" 2>&1)
  if [ "$got" != "$want" ]; then
    printf 'vltext format %s\n  expected: %s\n  got:      %s\n' "$*" "$want" "$got"
    fails=$((fails + 1))
  fi
}
nl='
'
expect "△1,234${nl}0${nl}null${nl}1,234,567" Long '##,##0;"△"##,##0;;"null"' -1234 0 null 1234567
expect "H12年1月2日${nl}R08年12月6日${nl}H31年4月30日${nl}R01年5月1日" Date 'gee年m月d日' 2000/01/02 2026/12/06 2019/04/30 2019/05/01
expect "(03)1234-5678${nl}( 3)1234-5678" String '!\(99\)9999\-9999' 0312345678 312345678
expect "\\△1,234.568${nl}\\0.000${nl}null" Currency '\\##,###,##0.000;\\"△"##,###,##0.000;;"null"' -1234.5678 0 null
expect "12.3%${nl}(50.00%)" Double '0.0%;"("0.00%")"' 0.12345 -0.5
expect "null" Integer '###;;;"null"' null
expect "vltext format: abc is no Long value" Long '#' abc
"$vltext" format Nothing '#' 1 >/dev/null 2>&1 && { echo "an unknown type must fail"; fails=$((fails + 1)); }
[ "$fails" -eq 0 ] && echo "format cli: ok"
exit "$fails"
