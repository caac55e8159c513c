#!/usr/bin/env bash
# The command-line tool writes a disc, appends another, and the catalog is
# byte for byte the worked example; list and find read it back.
set -euo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/disc1/DATA" "$work/disc2"
: > "$work/disc1/SETUP.EXE"
: > "$work/disc1/DATA/LEVEL1.DAT"
: > "$work/disc2/IMG001.JPG"

"$cli" write "$work/cat.cdc" --disc "Games 1" "$work/disc1" 2>/dev/null
"$cli" append "$work/cat.cdc" --disc "Photos, 2002" "$work/disc2" 2>/dev/null

printf '"Games 1 - \\SETUP.EXE"\r\n"Games 1 - \\DATA\\LEVEL1.DAT"\r\n"Photos, 2002 - \\IMG001.JPG"\r\n' > "$work/expected"
cmp "$work/expected" "$work/cat.cdc"
[ "$(stat -c %s "$work/cat.cdc")" -eq 84 ]

[ "$("$cli" list "$work/cat.cdc" | wc -l)" -eq 3 ]
[ "$("$cli" find "$work/cat.cdc" "  setup " --count)" = 1 ]
"$cli" find "$work/cat.cdc" "photos, 2002 - \\img" | grep -qx 'Photos, 2002 - \\IMG001.JPG'

# No match exits 1, an error exits 2 with the runtime message.
set +e
"$cli" find "$work/cat.cdc" "nothing here" >/dev/null; [ $? -eq 1 ] || exit 1
msg=$("$cli" list "$work/missing.cdc" 2>&1 >/dev/null); [ $? -eq 2 ] || exit 1
[ "$msg" = "Error Reading file: 53 - File not found" ] || { echo "got: $msg"; exit 1; }
"$cli" scan "$work/no-such-disc" >/dev/null 2>&1; [ $? -eq 2 ] || exit 1
"$cli" bogus >/dev/null 2>&1; [ $? -eq 2 ] || exit 1
echo "1 passed, 0 failed"
