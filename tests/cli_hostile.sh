#!/usr/bin/env bash
# Hostile catalogs through the command-line tool: each loads sensibly or
# fails with the runtime error, quickly, and no catalog is lost.
set -uo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pass=0 fail=0
check() { # name, command...
    local name=$1; shift
    if "$@"; then pass=$((pass + 1)); else echo "FAIL: $name"; fail=$((fail + 1)); return 1; fi
}
lines() { timeout 60 "$cli" list "$1" 2>/dev/null | wc -l; }
error_of() { timeout 10 "$cli" "$@" 2>&1 >/dev/null; }

head -c 1000000 /dev/urandom > "$work/random.cdc"
check "random bytes load" test "$(timeout 60 "$cli" list "$work/random.cdc" >/dev/null; echo $?)" = 0
printf 'a\0b\0\r\n' > "$work/nul.cdc";                check "NUL bytes" test "$(lines "$work/nul.cdc")" = 1
# ...and the line is what the record holds, NUL bytes and all.
check "NUL bytes kept" cmp -s <(timeout 10 "$cli" list "$work/nul.cdc") <(printf 'a\0b\0\n')
head -c $((100 << 20)) /dev/zero | tr '\0' x > "$work/long.cdc"
check "one line of 100 MB is refused by name" test "$(error_of list "$work/long.cdc")" = \
    "Error Reading file: 59 - Bad record length (record 1 is longer than 1048576 bytes)"
# Behind two records (with NUL bytes): those two are listed exactly, then the error.
{ printf '"a\0"\r\n"\0b"\r\n'; cat "$work/long.cdc"; } > "$work/long2.cdc"
check "100 MB after two records: the two listed" \
    cmp -s <(timeout 60 "$cli" list "$work/long2.cdc" 2>/dev/null) <(printf 'a\0\n\0b\n')
check "100 MB after two records: the error names record 3" test "$(error_of list "$work/long2.cdc")" = \
    "Error Reading file: 59 - Bad record length (record 3 is longer than 1048576 bytes)"
rm -f "$work/long2.cdc"
truncate -s 300M "$work/zeros.cdc"
# The address sanitizer reserves terabytes of address space: no cap under it.
# (ldd's output is taken whole: with pipefail, "grep -q" closing the pipe
# early would fail the test of the pipeline at random.)
case "$(ldd "$cli" 2>/dev/null)" in *libasan*) cap=unlimited ;; *) cap=1000000 ;; esac
zeros=$(ulimit -v $cap; error_of find "$work/zeros.cdc" x --count; echo "exit $?")
check "300 MB of NUL bytes in bounded memory" test "$zeros" = \
    $'Error Reading file: 59 - Bad record length (record 1 is longer than 1048576 bytes)\nexit 2' \
    || echo "  got: $zeros"
printf '"\xff\xfe"\r\n"caf\xe9"\r\n' > "$work/bad-utf8.cdc"
check "invalid UTF-8 read as Windows-1252" test "$(timeout 10 "$cli" list "$work/bad-utf8.cdc" | tail -1)" = "café"
printf '"a"\n"b"\n' > "$work/lf.cdc";                 check "LF only" test "$(lines "$work/lf.cdc")" = 2
printf '"a"\r"b"\r' > "$work/cr.cdc";                 check "CR only" test "$(lines "$work/cr.cdc")" = 2
printf '"unterminated\r\n"next"\r\n' > "$work/q.cdc"; check "unterminated quote" test "$(lines "$work/q.cdc")" = 2
head -c 10000000 /dev/zero | tr '\0' '\n' > "$work/empty-lines.cdc"
check "ten million empty lines" test "$(lines "$work/empty-lines.cdc")" = 10000000
mkdir "$work/folder.cdc"
check "a folder as catalog" test "$(error_of list "$work/folder.cdc")" = "Error Reading file: 75 - Path/File access error"
mkfifo "$work/fifo.cdc"
check "a FIFO as catalog does not block" test "$(error_of list "$work/fifo.cdc")" = "Error Reading file: 75 - Path/File access error"
check "a missing folder to scan: path not found" test "$(error_of scan "$work/no such folder")" = "Error scanning $work/no such folder: 76 - Path not found"
check "a FIFO's volume label does not block" test "$(error_of label "$work/fifo.cdc")" = "Error reading the volume label of $work/fifo.cdc: 75 - Path/File access error"
mkdir -p "$work/disc"; : > "$work/disc/A.TXT"
if [ "$(id -u)" = 0 ]; then readonly_target=/sys/kobrix.cdc; else
    mkdir "$work/ro"; chmod 555 "$work/ro"; readonly_target="$work/ro/x.cdc"; fi
check "read-only place for writing" test "$(error_of write "$readonly_target" --disc D "$work/disc")" = "Error in WriteList: 70 - Permission denied"
mkdir -p "$work/Kataloge ü"
check "non-ASCII path write" timeout 10 "$cli" write "$work/Kataloge ü/Müsik 日本.cdc" --disc "Диск" "$work/disc" 2>/dev/null
check "non-ASCII path read" test "$(timeout 10 "$cli" list "$work/Kataloge ü/Müsik 日本.cdc")" = 'Диск - \A.TXT'
printf '"keep"\r\n' > "$work/keep.cdc"
check "failed write keeps the catalog" test "$(error_of write "$work/keep.cdc" --disc D "$work/no-disc")" != ""
check "  ...and the bytes are intact" test "$(cat "$work/keep.cdc")" = $'"keep"\r'


# Records whose names hold quotes, commas and line breaks load back whole.
mkdir -p "$work/names"; : > "$work/names/Say \"Hi\", Bob.mp3"
timeout 10 "$cli" write "$work/q.cdc" --disc 'The "Best", Vol 2' "$work/names" 2>/dev/null
check "quote and comma in disc and file name" test "$(timeout 10 "$cli" list "$work/q.cdc")" = 'The "Best", Vol 2 - \Say "Hi", Bob.mp3'
timeout 10 "$cli" write "$work/lf.cdc" --disc $'Disc\n2' "$work/names" 2>/dev/null
check "line break in a disc name stays on one line" test "$(timeout 10 "$cli" list "$work/lf.cdc" | wc -l)" = 1
check "  ...and the disc is found by the name typed" timeout 10 "$cli" ls "$work/lf.cdc" --disc $'Disc\n2' >/dev/null 2>&1
check "  ...also by export" timeout 10 "$cli" export "$work/lf.cdc" --format csv --disc $'Disc\n2' >/dev/null 2>&1
printf '\xef\xbb\xbf"D - \\a.txt"\r\n' > "$work/bom.cdc"
check "byte-order mark skipped" test "$(timeout 10 "$cli" list "$work/bom.cdc")" = 'D - \a.txt'
printf '"A - \\x"' > "$work/nolf.cdc"
timeout 10 "$cli" append "$work/nolf.cdc" --disc D "$work/disc" 2>/dev/null
check "append after a record without line end" test "$(timeout 10 "$cli" list "$work/nolf.cdc" | tail -1)" = 'D - \A.TXT'

# Output that cannot be written is an error, not a short listing.
for cmd in "list $work/q.cdc" "find $work/q.cdc best" "scan $work/names" "--help"; do
    msg=$(timeout 10 "$cli" $cmd 2>&1 >/dev/full); code=$?
    check "$cmd > /dev/full fails" test "$code" = 2
    check "  ...and says why" grep -q "write error: No space left on device" <<< "$msg"
done

# A scan that fails gives its error and no total that would make it look done.
msg=$(timeout 10 "$cli" scan "$work/no-such-folder" 2>&1 >/dev/null); code=$?
check "failed scan: exit 2" test "$code" = 2
check "failed scan: no total" test "${msg/Total:/}" = "$msg"

# Names that a terminal would obey: an OSC that retitles the window, a CSI
# that clears the screen, a C1 CSI, a right-to-left override. On a terminal
# (here a pseudo-terminal made by script) each is shown as '?', in the lines
# and in a message echoing --disc; a pipe gets the exact bytes.
printf '"Evil\e]0;pwned\a - \\\e[2Jclear.txt"\r\n"Rev\xe2\x80\xae - \\a\xc2\x9b31mb\xe2\x81\xa6.txt"\r\n' >"$work/esc.cdc"
on_terminal() { # command...: its stdout and stderr as a terminal shows them
    local line
    line=$(printf '%q ' "$@")
    SHELL=/bin/bash timeout 20 script -q -e -c "$line" /dev/null </dev/null | tr -d '\r'
}
# Each case: a name, what a pipe gets, what a terminal shows, the command.
terminal_case() {
    local label=$1 exact=$2 shown=$3
    shift 3
    check "$label through a pipe: the exact bytes" test "$(timeout 10 "$@" 2>&1)" = "$exact"
    check "$label on a terminal: controls shown as ?" test "$(on_terminal "$@")" = "$shown"
}
exact_lines=$'Evil\e]0;pwned\a - \\\e[2Jclear.txt\nRev\xe2\x80\xae - \\a\xc2\x9b31mb\xe2\x81\xa6.txt'
shown_lines=$'Evil?]0;pwned? - \\?[2Jclear.txt\nRev? - \\a?31mb?.txt'
terminal_case list "$exact_lines" "$shown_lines" "$cli" list "$work/esc.cdc"
terminal_case find "$exact_lines" "$shown_lines" "$cli" find "$work/esc.cdc" .txt
terminal_case discs $'Evil\e]0;pwned\a\t1\nRev\xe2\x80\xae\t1' $'Evil?]0;pwned?\t1\nRev?\t1' \
    "$cli" discs "$work/esc.cdc"
terminal_case ls $'\e[2Jclear.txt' '?[2Jclear.txt' "$cli" ls "$work/esc.cdc" --disc $'Evil\e]0;pwned\a'
terminal_case "--disc in a message" \
    "There is no disc named \"X"$'\e'"[31m\" in $work/esc.cdc" \
    "There is no disc named \"X?[31m\" in $work/esc.cdc" \
    "$cli" ls "$work/esc.cdc" --disc $'X\e[31m'

# Two programs appending to one catalog at once: two whole blocks.
mkdir -p "$work/big"
(cd "$work/big" && for d in $(seq 1 40); do mkdir "d$d"; (cd "d$d" && seq -f "f%g.txt" 1 1000 | xargs touch); done)
timeout 60 "$cli" append "$work/two.cdc" --disc A "$work/big" 2>/dev/null &
timeout 60 "$cli" append "$work/two.cdc" --disc B "$work/big" 2>/dev/null &
wait
check "concurrent appends give two whole blocks" \
    test "$(cut -c2 "$work/two.cdc" | uniq | wc -l)" = 2 -a "$(wc -l < "$work/two.cdc")" = 80000
# A writer holding the lock: the next one waits, then refuses and changes nothing.
if command -v flock >/dev/null; then
    cp "$work/q.cdc" "$work/held.cdc"
    flock -o "$work/held.cdc" sleep 60 & holder=$!
    sleep 0.3
    check "a held catalog gives 55" test "$(error_of append "$work/held.cdc" --disc D "$work/disc")" = "Error in WriteList: 55 - File already open"
    check "  ...and is unchanged" cmp -s "$work/q.cdc" "$work/held.cdc"
    sleeper=$(pgrep -P $holder)
    kill -9 $holder; wait $holder 2>/dev/null; kill $sleeper 2>/dev/null
    check "a killed holder leaves no stale lock" timeout 10 "$cli" append "$work/held.cdc" --disc D "$work/disc" 2>/dev/null
fi

# Paths whose bytes are no valid UTF-8 (Latin-1 names): each command opens
# exactly the bytes given or listed and shows a path with U+FFFD; a listed
# name is read as Windows-1252, as a catalog line is (0xFF is "ÿ").
bad=$(printf '\xff')
mkdir -p "$work/in$bad/sub" "$work/out$bad" "$work/cats$bad"
: >"$work/in$bad/sub/f$bad.txt"
check "invalid UTF-8: scan a folder" test "$(timeout 10 "$cli" scan "$work/in$bad" 2>/dev/null)" = $'\\sub\\f\u00FF.txt'
check "invalid UTF-8: write into a folder" timeout 10 "$cli" write "$work/out$bad/c$bad.cdc" --disc A "$work/in$bad" 2>/dev/null
check "  ...the name's bytes kept" test -s "$work/out$bad/c$bad.cdc"
check "invalid UTF-8: append" timeout 10 "$cli" append "$work/out$bad/c$bad.cdc" --disc B "$work/in$bad" 2>/dev/null
check "invalid UTF-8: update" timeout 10 "$cli" update "$work/out$bad/c$bad.cdc" --disc B "$work/in$bad" 2>/dev/null
check "invalid UTF-8: list" test "$(timeout 10 "$cli" list "$work/out$bad/c$bad.cdc" | wc -l)" = 2
cp "$work/out$bad/c$bad.cdc" "$work/cats$bad/"
check "invalid UTF-8: a folder of catalogs, the folder given with U+FFFD, a catalog found as listed" \
    test "$(timeout 10 "$cli" find "$work/cats$bad" sub | head -1)" = "$work/cats"$'\uFFFD'"/c"$'\u00FF'".cdc:A - \\sub\\f"$'\u00FF'".txt"

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
