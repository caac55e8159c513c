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
    if "$@"; then pass=$((pass + 1)); else echo "FAIL: $name"; fail=$((fail + 1)); fi
}
lines() { timeout 60 "$cli" list "$1" 2>/dev/null | wc -l; }
error_of() { timeout 10 "$cli" "$@" 2>&1 >/dev/null; }

head -c 1000000 /dev/urandom > "$work/random.cdc"
check "random bytes load" test "$(timeout 60 "$cli" list "$work/random.cdc" >/dev/null; echo $?)" = 0
printf 'a\0b\0\r\n' > "$work/nul.cdc";                check "NUL bytes" test "$(lines "$work/nul.cdc")" = 1
head -c $((100 << 20)) /dev/zero | tr '\0' x > "$work/long.cdc"
check "one line of 100 MB" test "$(lines "$work/long.cdc")" = 1
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

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
