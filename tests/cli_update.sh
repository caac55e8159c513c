#!/usr/bin/env bash
# kobrix-cli update and identify: their exact output and exit codes, the
# catalog byte for byte after an update, and the errors.
set -uo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
pass=0 fail=0

check() { # NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        pass=$((pass + 1))
    else
        fail=$((fail + 1))
        printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
    fi
}
# Runs the command; its stdout, stderr and exit code go to out, err, code.
run() {
    "$@" >"$work/out" 2>"$work/err"
    code=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

# The disc as it is now: one file gone, one new, one kept.
mkdir -p "$work/disc/DATA"
: >"$work/disc/DATA/LEVEL1.DAT"
: >"$work/disc/DATA/LEVEL2.DAT"

# A catalog whose disc "Games 1" stands in two places, with LF and CR LF
# line ends and a record in Windows-1252 around it, no final line end.
printf '"Games 1 - \\SETUP.EXE"\r\n"Music - \\A.MP3"\n"Caf\xe9 - \\B.TXT"\r\n"Games 1 - \\DATA\\LEVEL1.DAT"\r\n"Photos, 2002 - \\IMG001.JPG"' >"$work/c.cdc"
cp "$work/c.cdc" "$work/before.cdc"

# The updated catalog: the disc at its first place, the second gone, every
# other byte as it was.
printf '"Games 1 - \\DATA\\LEVEL1.DAT"\r\n"Games 1 - \\DATA\\LEVEL2.DAT"\r\n"Music - \\A.MP3"\n"Caf\xe9 - \\B.TXT"\r\n"Photos, 2002 - \\IMG001.JPG"' >"$work/expected.cdc"

# The disc is recognised before and after the update.
run "$cli" identify "$work/c.cdc" "$work/disc"
check "identify changed disc: output" $'Games 1\t1\t2\t2' "$out"
check "identify changed disc: exit" 1 "$code"

run "$cli" update "$work/c.cdc" --disc "Games 1" "$work/disc"
check "update: output" $'+ \\DATA\\LEVEL2.DAT\n- \\SETUP.EXE' "$out"
check "update: counts" "1 added, 1 removed, 1 unchanged" "$err"
check "update: exit" 0 "$code"
cmp -s "$work/c.cdc" "$work/expected.cdc"
check "update: catalog bytes" 0 $?

run "$cli" identify "$work/c.cdc" "$work/disc"
check "identify same disc: output" $'Games 1\t2\t2\t2' "$out"
check "identify same disc: exit" 0 "$code"

# Nothing changed since: the catalog stays byte for byte.
run "$cli" update "$work/c.cdc" --disc "Games 1" "$work/disc"
check "update again: output" "" "$out"
check "update again: counts" "0 added, 0 removed, 2 unchanged" "$err"
cmp -s "$work/c.cdc" "$work/expected.cdc"
check "update again: catalog bytes" 0 $?

# Another disc, named by its old code page name typed in UTF-8.
mkdir -p "$work/cafe"
: >"$work/cafe/B.TXT"
: >"$work/cafe/C.TXT"
run "$cli" update "$work/c.cdc" --disc "Café" "$work/cafe"
check "update old code page: output" '+ \C.TXT' "$out"
check "update old code page: exit" 0 "$code"
check "update old code page: records" \
    "$(printf '"Caf\xc3\xa9 - \\B.TXT"\r\n"Caf\xc3\xa9 - \\C.TXT"\r\n')" \
    "$(grep -a 'Caf' "$work/c.cdc")"

# Unrelated: exit 1, nothing printed when no disc shares a file.
mkdir -p "$work/other"
: >"$work/other/NOTHING.TXT"
run "$cli" identify "$work/c.cdc" "$work/other"
check "identify unrelated: output" "" "$out"
check "identify unrelated: exit" 1 "$code"

# Errors: an unknown disc, a missing catalog, an empty name, a missing root,
# missing arguments; none changes the catalog.
cp "$work/c.cdc" "$work/kept.cdc"
run "$cli" update "$work/c.cdc" --disc "Games 2" "$work/disc"
check "unknown disc: message" "There is no disc named \"Games 2\" in $work/c.cdc" "$err"
check "unknown disc: output" "" "$out"
check "unknown disc: exit" 2 "$code"
run "$cli" update "$work/none.cdc" --disc "Games 1" "$work/disc"
check "missing catalog: message" "Error in WriteList: 53 - File not found" "$err"
check "missing catalog: exit" 2 "$code"
test ! -e "$work/none.cdc"
check "missing catalog: not created" 0 $?
run "$cli" update "$work/c.cdc" --disc "" "$work/disc"
check "empty name: message" "Please enter a Disk Name or Number" "$err"
check "empty name: exit" 2 "$code"
run "$cli" identify "$work/none.cdc" "$work/disc"
check "identify missing catalog: message" "Error Reading file: 53 - File not found" "$err"
check "identify missing catalog: exit" 2 "$code"
run "$cli" identify "$work/c.cdc" "$work/no-such-folder"
check "identify missing root: exit" 2 "$code"
run "$cli" update "$work/c.cdc" "$work/disc"
check "update without --disc: exit" 2 "$code"
run "$cli" identify "$work/c.cdc"
check "identify without root: exit" 2 "$code"
cmp -s "$work/c.cdc" "$work/kept.cdc"
check "errors: catalog unchanged" 0 $?

# A line holding records of the disc and of another is not taken apart.
printf '"A - \\X"\r\nGames 1 - \\Y,"Other - \\Z"\r\n' >"$work/shared.cdc"
run "$cli" update "$work/shared.cdc" --disc "Games 1" "$work/disc"
check "shared line: message" \
    "Line 2 of the catalog holds records of \"Games 1\" together with other records; the disc cannot be updated" \
    "$err"
check "shared line: exit" 2 "$code"

# A disc name holding " - \" is refused before the scan (the root is
# missing here): such a disc could never be found again. The same for
# write and append, which create nothing.
for command in update write append; do
    run "$cli" "$command" "$work/odd-$command.cdc" --disc 'Odd - \Name' "$work/no-such-folder"
    check "$command, separator in the name: message" \
        'A disc name cannot hold " - \": "Odd - \Name" would be read back as the disc "Odd". Nothing was written.' \
        "$err"
    check "$command, separator in the name: exit" 2 "$code"
    test ! -e "$work/odd-$command.cdc"
    check "$command, separator in the name: nothing written" 0 $?
done
run "$cli" update "$work/c.cdc" --disc 'Games 1 - \x' "$work/disc"
check "update, separator in the name: exit" 2 "$code"
cmp -s "$work/c.cdc" "$work/kept.cdc"
check "update, separator in the name: catalog unchanged" 0 $?

# A record too long is named by its number, as list names it; nothing
# changes. Cases: a record of the disc just past the limit, and a line of
# 3 MB without a line end for a while.
for long in "Games 1 - \\$(head -c 1100000 /dev/zero | tr '\0' x)" "$(head -c 3000000 /dev/zero | tr '\0' y)"; do
    { printf '"Games 1 - \\A"\r\n"Games 1 - \\B"\r\n'; printf '%s\r\n"Games 1 - \\C"\r\n' "$long"; } >"$work/long.cdc"
    cp "$work/long.cdc" "$work/long-before.cdc"
    run "$cli" update "$work/long.cdc" --disc "Games 1" "$work/disc"
    check "update, record of ${#long} bytes: message" \
        "Error in WriteList: 59 - Bad record length (record 3 is longer than 1048576 bytes)" "$err"
    check "update, record of ${#long} bytes: exit" 2 "$code"
    cmp -s "$work/long.cdc" "$work/long-before.cdc"
    check "update, record of ${#long} bytes: catalog unchanged" 0 $?
done

# Changes that cannot be printed: the catalog is updated all the same, and
# the messages say so.
printf '"Games 1 - \\SETUP.EXE"\r\n' >"$work/full.cdc"
"$cli" update "$work/full.cdc" --disc "Games 1" "$work/disc" >/dev/full 2>"$work/err"
code=$?
check "update > /dev/full: exit" 2 "$code"
check "update > /dev/full: messages" \
    "kobrix-cli: write error: No space left on device
The catalog was updated; the list of changes could not be written in full
2 added, 1 removed, 0 unchanged" "$(cat "$work/err")"
check "update > /dev/full: catalog updated" \
    "$(printf '"Games 1 - \\DATA\\LEVEL1.DAT"\r\n"Games 1 - \\DATA\\LEVEL2.DAT"\r\n')" "$(cat "$work/full.cdc")"

# At most five discs, best first.
: >"$work/many.cdc"
for n in 1 2 3 4 5 6; do
    printf '"Disc %s - \\DATA\\LEVEL1.DAT"\r\n' "$n" >>"$work/many.cdc"
done
printf '"Disc 6 - \\DATA\\LEVEL2.DAT"\r\n' >>"$work/many.cdc"
run "$cli" identify "$work/many.cdc" "$work/disc"
check "identify five: output" \
    "$(printf 'Disc 6\t2\t2\t2\nDisc 1\t1\t1\t2\nDisc 2\t1\t1\t2\nDisc 3\t1\t1\t2\nDisc 4\t1\t1\t2')" "$out"
check "identify five: exit" 0 "$code"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
