#!/usr/bin/env bash
# The benchmark data generator: every catalog kind gives the same bytes on
# every run, lines in the form Kobrix writes, valid UTF-8, the share of
# non-ASCII and decomposed lines its kind promises, and the search texts of
# scripts/bench; the ASCII kind stays byte for byte what it always was.
set -euo pipefail
gen="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
failed=0
fail() { echo "FAIL: $*"; failed=$((failed + 1)); }

# The ASCII kind is the default and unchanged: these are the bytes of the
# first 1000 lines as the benchmarks have always used them.
"$gen" catalog "$work/default.cdc" 1000 >/dev/null
"$gen" catalog "$work/ascii.cdc" 1000 ascii >/dev/null 2>&1 || fail "no ascii kind"
cmp -s "$work/default.cdc" "$work/ascii.cdc" || fail "catalog without kind differs from ascii"
sum=$(sha256sum <"$work/default.cdc" | cut -d' ' -f1)
[ "$sum" = 01ca7a3eba95d0b898a005b0f0e10f61d7105db5c79a40fe77490c78fa7b14d2 ] ||
    fail "ascii catalog of 1000 lines changed: $sum"

# kind  lines-not-ASCII%(min max)  decomposed-lines%(min max)  script every line holds  texts
cases=(
    "ascii    0   2    0  0  .                   setup level1.dat müller"
    "latin    45  65   1  8  .                   setup dvořák"
    "cyrillic 100 100  1  8  [\x{0400}-\x{04FF}] setup ёлка"
    "japanese 100 100  1  10 [\x{3040}-\x{30FF}\x{4E00}-\x{9FFF}\x{FF01}-\x{FF9F}] setup データ"
    "greek    100 100  5  30 [\x{0370}-\x{03FF}] setup οδυσσέας"
    "mixed    70  95   2  15 .                   setup dvořák ёлка データ"
)
lines=100000
for entry in "${cases[@]}"; do
    read -r kind nonMin nonMax decMin decMax script texts <<<"$entry"
    file=$work/$kind.cdc
    "$gen" catalog "$file" "$lines" "$kind" >/dev/null 2>&1 || { fail "$kind: generator failed"; continue; }
    "$gen" catalog "$work/again.cdc" "$lines" "$kind" >/dev/null
    cmp -s "$file" "$work/again.cdc" || fail "$kind: two runs differ"
    [ ! -e "$file.partial" ] || fail "$kind: partial file left behind"
    [ "$(wc -l <"$file")" -eq "$lines" ] || fail "$kind: not $lines lines"
    iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1 || fail "$kind: not valid UTF-8"
    # "Disc name - \PATH\file" in quotes, CR LF; no empty path part.
    bad=$(grep -c -v -P '^"[^"\r\n]+ - (\\[^\\\r\n]+)+"\r$' "$file" || true)
    [ "$bad" -eq 0 ] || fail "$kind: $bad lines not in the catalog form"
    nonAscii=$(grep -c -P '[^\x00-\x7F]' "$file" || true)
    marked=$(grep -c -P '\p{Mn}' "$file" || true)
    percent() { echo $(($1 * 100 / lines)); }
    (($(percent "$nonAscii") >= nonMin && $(percent "$nonAscii") <= nonMax)) ||
        fail "$kind: $nonAscii lines not ASCII, want $nonMin..$nonMax%"
    (($(percent "$marked") >= decMin && $(percent "$marked") <= decMax)) ||
        fail "$kind: $marked decomposed lines, want $decMin..$decMax%"
    without=$(grep -c -v -P "$script" "$file" || true)
    [ "$without" -eq 0 ] || fail "$kind: $without lines lack $script"
    for text in $texts; do
        [ "$(grep -F -i -c -- "$text" "$file")" -gt 0 ] || fail "$kind: \"$text\" does not occur"
        # A text with accents or voiced kana occurs decomposed as well.
        nfd=$("$gen" nfd "$text")
        if [ "$kind" != ascii ] && [ "$nfd" != "$text" ]; then
            [ "$(grep -F -i -c -- "$nfd" "$file")" -gt 0 ] ||
                fail "$kind: \"$text\" never occurs decomposed"
        fi
    done
done

# Kana and fullwidth/half-width forms of the Japanese catalog.
grep -q -P '[\x{FF21}-\x{FF3A}]' "$work/japanese.cdc" || fail "japanese: no fullwidth Latin"
grep -q -P '[\x{FF66}-\x{FF9F}]' "$work/japanese.cdc" || fail "japanese: no half-width katakana"
grep -q -P '[\x{4E00}-\x{9FFF}]' "$work/japanese.cdc" || fail "japanese: no kanji"

# text, its decomposition in hex: accents and voicing marks come apart,
# compatibility forms (fullwidth, half-width) stay.
decompositions=(
    "é 65cc81"
    "ř 72cc8c"
    "ё d0b5cc88"
    "が e3818be38299"
    "ＣＤ efbca3efbca4"
    "ｶﾞ efbdb6efbe9e"
    "setup 7365747570"
)
for entry in "${decompositions[@]}"; do
    read -r text hex <<<"$entry"
    got=$("$gen" nfd "$text" | od -An -tx1 | tr -d ' \n')
    [ "$got" = "${hex}0a" ] || fail "nfd $text gave $got"
done

# An unknown kind is a usage error and writes nothing.
status=0
"$gen" catalog "$work/klingon.cdc" 10 klingon >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "unknown kind exited $status"
[ ! -e "$work/klingon.cdc" ] || fail "unknown kind wrote a file"

[ "$failed" -eq 0 ] || exit 1
echo "all generator checks passed"
