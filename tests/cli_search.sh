#!/usr/bin/env bash
# The matching rule through kobrix-cli find: the same table of cases as the
# engine's test (letter case in several scripts, the Kelvin sign and long s,
# sharp s, final sigma, composed and decomposed forms, blanks, an empty text,
# duplicates in catalog order), on a catalog file, with --count and without.
set -uo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
pass=0 fail=0

# One record per line, as the program writes them; line 5 is empty, and the
# last record is in Windows-1252 (a catalog of an older version).
printf '%s\r\n' \
    '"Games 1 - \SETUP.EXE"' \
    '"Games 1 - \DATA\LEVEL1.DAT"' \
    '"Photos, 2002 - \IMG001.JPG"' \
    '"Games 1 - \ReadMe.txt"' \
    '""' \
    '"Games 1 - \SETUP.EXE"' \
    '"Müsik - \Straße\Ärger.mp3"' \
    $'"Temp - \\200\u212A.log"' \
    $'"Tab\there - \\x"' \
    '"Games 10 - \read me.txt"' \
    '"Диск 1 - \Ёлка.mp3"' \
    '"Δίσκος - \ΟΔΥΣΣΕΥΣ.txt"' \
    $'"日本 - \\ト\u3099ラコ\u3099ン.txt"' \
    $'"Mac - \\Cafe\u0301.txt"' \
    '"PC - \Café.txt"' \
    '"Plain - \cafe.txt"' \
    $'"Long - \\\u017FETUP.INI"' \
    '"Fuß - \Straße.doc"' \
    '"日本 - \ドラゴン.jpg"' > "$work/c.cdc"
printf '"Alt - \\Caf\xe9 SETUP.TXT"\r\n' >> "$work/c.cdc"
printf '%s\r\n' $'"Q - \\why\u037E.txt"' $'"Old - \\\u017Ftraße.txt"' >> "$work/c.cdc"
# A line holding the text three times counts once; the Greek varia.
printf '%s\r\n' '"Setup - \SETUP\setup.exe"' $'"V - \\a\u1FEFb.txt"' >> "$work/c.cdc"

# text | expected lines (1-based line numbers of the catalog, in order)
cases=(
    "README|4"
    "  readme  |4"
    "read me|10"
    "1 - \\S|1 6"
    "setup|1 6 17 20 23"
    $'\u017Fetup|1 6 17 20 23'
    "a\`b|24"
    "STRASSE|"
    "straße|7 18 22"
    "STRAẞE|7 18 22"
    "why;|21"
    "ёЛКА|11"
    "ДИСК 1|11"
    "οδυσσευς|12"
    "ΔΊΣΚΟΣ|12"
    "café|14 15 20"
    $'CAFE\u0301|14 15 20'
    "cafe|16"
    $'CAF\xc9|14 15 20'
    "ドラゴン|13 19"
    $'ト\u3099ラコ\u3099ン|13 19'
    "200k|8"
    $'\u212A.LOG|8'
    $'\there|9'
    "-|1 2 3 4 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24"
    "   |1 2 3 4 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24"
    "zzz|"
)
mapfile -t lines < <("$cli" list "$work/c.cdc")
for entry in "${cases[@]}"; do
    text=${entry%|*}
    expected=()
    for n in ${entry##*|}; do expected+=("${lines[n - 1]}"); done
    got=$("$cli" find "$work/c.cdc" "$text"); code=$?
    want=$(printf '%s\n' "${expected[@]}")
    [ ${#expected[@]} -eq 0 ] && want=""
    count=$("$cli" find "$work/c.cdc" "$text" --count)
    if [ "$got" = "$want" ] && [ "$count" = "${#expected[@]}" ] \
        && [ "$code" = "$([ ${#expected[@]} -eq 0 ] && echo 1 || echo 0)" ]; then
        pass=$((pass + 1))
    else
        echo "FAIL: find '$text': got [$got] ($count, exit $code), want [$want]"
        fail=$((fail + 1))
    fi
done
# An empty text is refused, as in the window.
msg=$("$cli" find "$work/c.cdc" "" 2>&1); code=$?
if [ "$code" = 2 ] && [ "$msg" = "Enter a search string" ]; then pass=$((pass + 1)); else echo "FAIL: empty text"; fail=$((fail + 1)); fi

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
