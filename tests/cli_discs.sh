#!/usr/bin/env bash
# A catalog as a library of discs through kobrix-cli: discs, ls, find
# --by-disc and dupes, each output compared whole, on a catalog with names
# in several scripts, a name holding " - ", a disc appended again, lines made
# by hand, a line of two fields and a record in Windows-1252; then the
# refusals and their exit codes.
set -uo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
pass=0 fail=0
tab=$'\t'

# Line numbers of the catalog in the comments.
{
    printf '%s\r\n' \
        '"Games 1 - \SETUP.EXE"' \
        '"Games 1 - \DATA\LEVEL1.DAT"' \
        '"Games 1 - \DATA\MAPS\M1.MAP"' \
        '"Photos, 2002 - \IMG001.JPG"' \
        '"Photos - 2002 - \Été\café.jpg"' \
        '"Диск 1 - \Музыка\Ёлка.mp3"' \
        '"Диск 1 - \SETUP.EXE"' \
        '"日本 - \音楽\ドラゴン.mp3"' \
        '"日本 - \Музыка\Ёлка.mp3"' \
        '"hand-made line"' \
        '"Games 1 - \README.TXT"' \
        '"Photos, 2002 - \README.TXT"'
    # 13: Windows-1252, as an older version wrote it; 14: the same disc in UTF-8.
    printf '"M\xfcller - \\Caf\xe9\\SETUP.EXE"\r\n'
    printf '%s\r\n' '"Müller - \Café\notes.txt"' '""'
    # 16: no quotes, a comma: two fields, "Games 1 - \a" and "b".
    printf '%s\r\n' 'Games 1 - \a,b'
    printf '%s\r\n' '"Games 1 - \SETUP.EXE"' '"Photos, 2002 - \Ёлка.jpg"'
} > "$work/c.cdc"
: > "$work/empty.cdc"

# check NAME EXPECTED-EXIT EXPECTED-STDOUT EXPECTED-STDERR ARGS...
check() {
    local name=$1 code=$2 out=$3 err=$4
    shift 4
    local got_out got_err got_code
    got_out=$("$cli" "$@" 2>"$work/err"); got_code=$?
    got_err=$(cat "$work/err")
    if [ "$got_code" = "$code" ] && [ "$got_out" = "$out" ] && [ "$got_err" = "$err" ]; then
        pass=$((pass + 1))
    else
        echo "FAIL: $name"
        echo "  exit $got_code (want $code)"
        echo "  stdout [$got_out]"
        echo "  want   [$out]"
        echo "  stderr [$got_err]"
        echo "  want   [$err]"
        fail=$((fail + 1))
    fi
}
lines() { printf '%s\n' "$@"; }

c=$work/c.cdc
missing="Error Reading file: 53 - File not found"

check "discs, in the order of their first lines" 0 "$(lines \
    "Games 1${tab}6" "Photos, 2002${tab}3" "Photos - 2002${tab}1" "Диск 1${tab}2" "日本${tab}2" \
    "(lines without a disc name)${tab}3" "Müller${tab}2")" "" discs "$c"
check "discs of an empty catalog" 0 "" "" discs "$work/empty.cdc"
check "discs of a missing catalog" 2 "" "$missing" discs "$work/none.cdc"

# Many records outside ASCII, so that the reader checks their UTF-8 a block at
# a time, with Windows-1252 records among them and at the end: those are read
# as Windows-1252, by discs and dupes as by a load.
{
    for i in $(seq 1 300); do
        printf '"Диск 2 - \Музыка\%03d Ёлка.mp3"\r\n' "$i"
        if [ $((i % 100)) = 0 ]; then printf '"M\xfcller - \\Caf\xe9\\%d.txt"\r\n' "$i"; fi
    done
    printf '"M\xfcller - \\Caf\xe9\\SETUP.EXE"\r\n'
} > "$work/many.cdc"
check "discs of many UTF-8 records and some in Windows-1252" 0 \
    "$(lines "Диск 2${tab}300" "Müller${tab}4")" "" discs "$work/many.cdc"
check "dupes of many UTF-8 records and some in Windows-1252" 0 "" "" dupes "$work/many.cdc"
check "ls a Windows-1252 folder among many UTF-8 records" 0 "$(lines 100.txt 200.txt 300.txt SETUP.EXE)" "" \
    ls "$work/many.cdc" --disc "Müller" '\Café'

# Every line is a file: the disc appended again lists SETUP.EXE twice.
check "ls root: folders, then files" 0 "$(lines 'DATA\' SETUP.EXE README.TXT a SETUP.EXE)" "" \
    ls "$c" --disc "Games 1"
check "ls folder" 0 "$(lines 'MAPS\' LEVEL1.DAT)" "" ls "$c" --disc "Games 1" '\DATA'
check "ls folder with a final backslash" 0 "$(lines 'MAPS\' LEVEL1.DAT)" "" \
    ls "$c" --disc "Games 1" '\DATA\'
check "ls deepest folder" 0 "M1.MAP" "" ls "$c" --disc "Games 1" '\DATA\MAPS'
check "ls a name holding the separator" 0 "café.jpg" "" ls "$c" --disc "Photos - 2002" '\Été'
check "ls Japanese" 0 "$(lines '音楽\' 'Музыка\')" "" ls "$c" --disc "日本"
check "ls a disc of Windows-1252 and UTF-8 records" 0 "$(lines SETUP.EXE notes.txt)" "" \
    ls "$c" --disc "Müller" '\Café'
check "ls a disc the catalog does not hold" 2 "" "There is no disc named \"Nope\" in $c" \
    ls "$c" --disc "Nope"
check "ls the lines without a disc name are no disc" 2 "" \
    "There is no disc named \"(lines without a disc name)\" in $c" \
    ls "$c" --disc "(lines without a disc name)"
check "ls a folder the disc does not hold" 2 "" 'There is no folder \DATA\NOPE on the disc "Games 1"' \
    ls "$c" --disc "Games 1" '\DATA\NOPE'
check "ls letter case counts" 2 "" 'There is no folder \data on the disc "Games 1"' \
    ls "$c" --disc "Games 1" '\data'
check "ls a missing catalog" 2 "" "$missing" ls "$work/none.cdc" --disc "Games 1"
# A folder is found with or without its leading backslash, and with / as
# well as \ between its parts; a folder that is not there is named as given.
while IFS='|' read -r disc path want; do
    check "ls folder given as $path" 0 "$(tr ';' '\n' <<<"$want")" "" ls "$c" --disc "$disc" "$path"
done <<'TABLE'
Games 1|DATA|MAPS\;LEVEL1.DAT
Games 1|DATA\|MAPS\;LEVEL1.DAT
Games 1|DATA/|MAPS\;LEVEL1.DAT
Games 1|/DATA|MAPS\;LEVEL1.DAT
Games 1|DATA\MAPS|M1.MAP
Games 1|DATA/MAPS|M1.MAP
Games 1|/DATA/MAPS/|M1.MAP
Games 1|\DATA/MAPS|M1.MAP
Games 1|/|DATA\;SETUP.EXE;README.TXT;a;SETUP.EXE
日本|Музыка|Ёлка.mp3
Photos - 2002|Été|café.jpg
TABLE
check "ls a folder without its backslash that the disc does not hold" 2 "" \
    'There is no folder DATA/NOPE on the disc "Games 1"' ls "$c" --disc "Games 1" 'DATA/NOPE'
check "ls letter case counts without the backslash" 2 "" 'There is no folder data on the disc "Games 1"' \
    ls "$c" --disc "Games 1" 'data'

check "find --by-disc" 0 "$(lines "Games 1${tab}2" "Диск 1${tab}1" "Müller${tab}1")" "" \
    find "$c" setup --by-disc
check "find --by-disc in catalog order, not the order of first hits" 0 \
    "$(lines "Photos, 2002${tab}1" "Диск 1${tab}1" "日本${tab}1")" "" find "$c" "ЁЛКА" --by-disc
check "find --by-disc through a Windows-1252 record" 0 \
    "$(lines "Photos - 2002${tab}1" "Müller${tab}2")" "" find "$c" "CAFÉ" --by-disc
check "find --by-disc in names" 0 "$(lines "Photos, 2002${tab}3" "Photos - 2002${tab}1")" "" \
    find "$c" "2002" --by-disc
check "find --by-disc in lines made by hand" 0 "(lines without a disc name)${tab}1" "" \
    find "$c" "hand" --by-disc
check "find --by-disc without hits" 1 "" "" find "$c" "zzz" --by-disc
check "find --by-disc without a text" 2 "" "Enter a search string" find "$c" "" --by-disc
check "find --by-disc of a missing catalog" 2 "" "$missing" find "$work/none.cdc" x --by-disc
# Several catalogs: each disc's line after its catalog's path, as the lines
# of find are; one that cannot be read is reported and the others searched.
check "find --by-disc in several catalogs" 0 \
    "$(lines "$c:Games 1${tab}2" "$c:Диск 1${tab}1" "$c:Müller${tab}1")" "" \
    find "$c" "$work/empty.cdc" setup --by-disc
check "find --by-disc with an unreadable catalog among good ones" 2 \
    "$(lines "$c:Games 1${tab}2" "$c:Диск 1${tab}1" "$c:Müller${tab}1")" \
    "$work/none.cdc: $missing" find "$work/none.cdc" "$c" setup --by-disc
# find itself is as before.
check "find without --by-disc" 0 "$(lines 'Games 1 - \README.TXT' 'Photos, 2002 - \README.TXT')" "" \
    find "$c" readme
check "find --count without --by-disc" 0 "2" "" find "$c" readme --count

check "dupes by path" 0 "$(lines "\\SETUP.EXE${tab}Games 1${tab}Диск 1" \
    "\\Музыка\\Ёлка.mp3${tab}Диск 1${tab}日本" "\\README.TXT${tab}Games 1${tab}Photos, 2002")" "" \
    dupes "$c"
check "dupes by name" 0 "$(lines "SETUP.EXE${tab}Games 1${tab}Диск 1${tab}Müller" \
    "Ёлка.mp3${tab}Диск 1${tab}日本" "README.TXT${tab}Games 1${tab}Photos, 2002")" "" \
    dupes "$c" --by-name
# Paths whose last backslash stands at every place of the bytes that are
# searched together (folders of 0 to 40 letters, names of 1 to 36 bytes,
# some of them Greek), each on two discs, and a third disc holding the same
# names in other folders.
long_paths=() long_names=()
for k in $(seq 0 40); do
    folder=$(printf 'D%.0s' $(seq 1 "$k"))
    name="n$k-$(printf 'ά%.0s' $(seq 0 $((k % 9))))$(printf 'x%.0s' $(seq 0 $(((40 - k) / 3)))))"
    [ "$k" = 0 ] && long_paths+=("\\$name") || long_paths+=("\\$folder\\$name")
    long_names+=("$name")
done
{
    for disc in A B; do
        for path in "${long_paths[@]}"; do printf '"%s - %s"\r\n' "$disc" "$path"; done
    done
    for name in "${long_names[@]}"; do printf '"C - \\Other\\%s"\r\n' "$name"; done
} >"$work/long.cdc"
expected_paths=() expected_names=()
for path in "${long_paths[@]}"; do expected_paths+=("$path${tab}A${tab}B"); done
for name in "${long_names[@]}"; do expected_names+=("$name${tab}A${tab}B${tab}C"); done
check "dupes by path of long paths" 0 "$(lines "${expected_paths[@]}")" "" dupes "$work/long.cdc"
check "dupes by name of long paths" 0 "$(lines "${expected_names[@]}")" "" dupes "$work/long.cdc" --by-name
# A name longer than the blocks the keys are kept in, between shorter ones.
huge=$(head -c 70000 /dev/zero | tr '\0' h)
for disc in A B; do printf '"%s - \\a.txt"\r\n"%s - \\big\\%s"\r\n"%s - \\z.txt"\r\n' "$disc" "$disc" "$huge" "$disc"; done \
    >"$work/huge.cdc"
check "dupes of a name of 70,000 bytes" 0 \
    "$(lines "\\a.txt${tab}A${tab}B" "\\big\\$huge${tab}A${tab}B" "\\z.txt${tab}A${tab}B")" "" dupes "$work/huge.cdc"
check "dupes of an empty catalog" 0 "" "" dupes "$work/empty.cdc"
check "dupes of a missing catalog" 2 "" "$missing" dupes "$work/none.cdc"

# A catalog of several pieces of 4 MB, which threads read at once: discs met
# again further on, folders and names on several discs, a few loose lines.
# What discs and dupes print is worked out here the plain way.
python3 - "$work/big.cdc" "$work" <<'PY'
import sys
path, work = sys.argv[1], sys.argv[2]
discs = ["Disc 1", "Диск 2", "ディスク 3", "Disc 4", "Disc 1", "Disc 5"]
lines = []
for block, disc in enumerate(discs):
    for i in range(45000):
        n = (i * 7 + block * 1319) % 60000
        lines.append(f"{disc} - \\dir{n % 53}\\sub{n % 7}\\file{n % 9973}.dat")
        if i % 20011 == 0:
            lines.append(f"loose line {block} {i}")
with open(path, "w", encoding="utf-8", newline="") as out:
    out.writelines(f'"{line}"\r\n' for line in lines)
counts, paths, names = {}, {}, {}
for line in lines:
    disc, sep, rest = line.partition(" - \\")
    if not sep:
        counts.setdefault("(lines without a disc name)", 0)
        counts["(lines without a disc name)"] += 1
        continue
    counts[disc] = counts.get(disc, 0) + 1
    for table, key in ((paths, "\\" + rest), (names, rest.rsplit("\\", 1)[-1])):
        met = table.setdefault(key, [])
        if disc not in met:
            met.append(disc)
def write(name, rows):
    with open(f"{work}/{name}", "w", encoding="utf-8") as out:
        out.writelines(row + "\n" for row in rows)
write("big.discs", [f"{d}\t{n}" for d, n in counts.items()])
write("big.paths", ["\t".join([k] + d) for k, d in paths.items() if len(d) > 1])
write("big.names", ["\t".join([k] + d) for k, d in names.items() if len(d) > 1])
PY
check "discs of a catalog of several pieces" 0 "$(cat "$work/big.discs")" "" discs "$work/big.cdc"
check "dupes of a catalog of several pieces" 0 "$(cat "$work/big.paths")" "" dupes "$work/big.cdc"
check "dupes by name of a catalog of several pieces" 0 "$(cat "$work/big.names")" "" \
    dupes "$work/big.cdc" --by-name

# Wrong use: the usage text on stderr, exit 2.
for args in "discs" "discs $c $c" "ls $c" "ls $c --disc" "dupes" "dupes $c --by-path" \
    "find $c x --by-disc --count"; do
    # shellcheck disable=SC2086
    "$cli" $args >/dev/null 2>"$work/err"; code=$?
    if [ "$code" = 2 ] && grep -q '^Usage:' "$work/err"; then
        pass=$((pass + 1))
    else
        echo "FAIL: usage for '$args' (exit $code)"
        fail=$((fail + 1))
    fi
done
# The usage text names the new commands.
for command in "discs CATALOG" "ls CATALOG --disc NAME [PATH]" "find CATALOG... TEXT --by-disc" \
    "dupes CATALOG [--by-name]"; do
    if "$cli" --help | grep -qF -- "kobrix-cli $command"; then
        pass=$((pass + 1))
    else
        echo "FAIL: usage lacks '$command'"
        fail=$((fail + 1))
    fi
done

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
