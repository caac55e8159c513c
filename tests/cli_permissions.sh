#!/usr/bin/env bash
# Rewriting a catalog as an ordinary user: a catalog the user may write, in a
# folder the user may not write in, is rewritten in place and stays the same
# file; a failure part-way puts the old catalog back. Root ignores
# permissions, so as root the cases run as the user "nobody".
set -uo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
pass=0 fail=0
check() { # name, command...
    local name=$1; shift
    if "$@"; then pass=$((pass + 1)); else echo "FAIL: $name"; fail=$((fail + 1)); fi
}

if [ "$(id -u)" = 0 ]; then
    if ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
        echo "0 passed, 0 failed, 1 skipped"; exit 0
    fi
    user=nobody
    as_user() { setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups "$@"; }
else
    user=$(id -un)
    as_user() { "$@"; }
fi
if ! as_user test -x "$cli"; then
    echo "$user cannot run $cli: skipped"; echo "0 passed, 0 failed, 1 skipped"; exit 0
fi

mkdir -p "$work/disc/DATA" "$work/shelf"
: > "$work/disc/SETUP.EXE"; : > "$work/disc/DATA/LEVEL1.DAT"
printf '"Old - \\KEEP.ME"\r\n' > "$work/shelf/music.cdc"
cp "$work/shelf/music.cdc" "$work/old.cdc"
chown "$user" "$work/shelf/music.cdc" 2>/dev/null
chmod 644 "$work/shelf/music.cdc"
chmod 555 "$work/shelf"        # the user may write the catalog, not the folder
chmod 755 "$work/disc" "$work/disc/DATA"
inode=$(stat -c %i "$work/shelf/music.cdc")

check "rewrite in a read-only folder" as_user "$cli" write "$work/shelf/music.cdc" --disc "Games 1" "$work/disc" 2>/dev/null
check "  ...gives the new catalog" test "$(as_user "$cli" list "$work/shelf/music.cdc" | head -1)" = 'Games 1 - \SETUP.EXE'
check "  ...in the same file" test "$(stat -c %i "$work/shelf/music.cdc")" = "$inode"
check "  ...still the user's" test "$(stat -c %U "$work/shelf/music.cdc")" = "$user"
check "  ...with its mode" test "$(stat -c %a "$work/shelf/music.cdc")" = 644
check "append in a read-only folder" as_user "$cli" append "$work/shelf/music.cdc" --disc "Photos" "$work/disc" 2>/dev/null
check "  ...adds its block" test "$(as_user "$cli" list "$work/shelf/music.cdc" | wc -l)" = 4

# A write that fails part-way (file size limit) leaves the old catalog.
cp "$work/shelf/music.cdc" "$work/before.cdc"
mkdir -p "$work/bigdisc"
(cd "$work/bigdisc" && seq -f "a-long-file-name-number-%g.dat" 1 3000 | xargs touch)
chmod 755 "$work/bigdisc"
tmp_before=$(ls /tmp | grep -c '^kobrix-')
msg=$(as_user bash -c "ulimit -f 32; exec \"$cli\" write \"$work/shelf/music.cdc\" --disc Big \"$work/bigdisc\"" 2>&1 >/dev/null)
check "a failed rewrite is reported" test "$msg" = "Error in WriteList: 61 - Disk full"
check "  ...and puts the old catalog back" cmp -s "$work/before.cdc" "$work/shelf/music.cdc"
check "  ...in the same file" test "$(stat -c %i "$work/shelf/music.cdc")" = "$inode"
check "  ...leaving no copy behind" test "$(ls /tmp | grep -c '^kobrix-')" = "$tmp_before"
check "  ...nor beside it" test "$(ls -A "$work/shelf")" = music.cdc

# A catalog the user may not write stays as it is.
chmod 444 "$work/shelf/music.cdc"
check "a read-only catalog is refused" test "$(as_user "$cli" write "$work/shelf/music.cdc" --disc X "$work/disc" 2>&1)" = "Error in WriteList: 70 - Permission denied"
check "  ...and unchanged" cmp -s "$work/before.cdc" "$work/shelf/music.cdc"

chmod 755 "$work/shelf"
echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
