#!/usr/bin/env bash
# kobrix-cli killed at every system call that changes a catalog or its
# rollback journal (strace's fault injection: SIGKILL at the n-th write,
# fsync, ftruncate or unlink), on every route a save takes: updates and
# writes in place (the catalog behind a symbolic or a hard link, or in a
# folder the user may not write in), appends, and an append through a link
# to a missing file. Whatever the moment, the next reader gets the old
# catalog or the new one, whole, and no journal stays behind.
set -uo pipefail
cli="$1"
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 TMPDIR="$work/tmp"
mkdir -m 1777 "$TMPDIR"
# A copy the user nobody can run, wherever the build folder lies.
cp "$cli" "$work/kobrix-cli" && cli="$work/kobrix-cli"
pass=0 fail=0

if ! command -v strace >/dev/null; then
    echo "strace is missing (scripts/install-deps installs it)" >&2
    exit 1
fi
# A sandbox that forbids tracing (no ptrace) cannot inject the kills.
if ! strace -f -qq -o /dev/null true 2>/dev/null; then
    echo "strace cannot trace here: skipped"
    exit 0
fi

check() { # NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then
        pass=$((pass + 1))
    else
        fail=$((fail + 1))
        printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3" >&3
    fi
}

# Two discs of 3,000 files each, so that a save takes several writes.
mkdir -p "$work/disc/DIR"
for i in $(seq 1 3000); do : >"$work/disc/DIR/FILE$i.DAT"; done
mkdir -p "$work/small"
: >"$work/small/ONE.TXT"

as_user=()
fresh() { # ROUTE: sets cat (the name the command gets) and real
    rm -rf "$work/c" && mkdir -m 755 "$work/c"
    real="$work/c/real.cdc"
    cat="$real"
    as_user=()
    case "$1" in
    create-link)
        ln -s real.cdc "$work/c/link.cdc"
        cat="$work/c/link.cdc"
        return
        ;;
    esac
    cp "$work/base.cdc" "$real"
    case "$1" in
    symlink) ln -s real.cdc "$work/c/link.cdc" && cat="$work/c/link.cdc" ;;
    hardlink) ln "$real" "$work/c/other.cdc" && cat="$work/c/other.cdc" ;;
    readonly)
        chown nobody "$real"
        chmod 555 "$work/c"
        as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
        ;;
    esac
}

"$cli" write "$work/base.cdc" --disc "Games 1" "$work/disc" >/dev/null 2>&1
"$cli" append "$work/base.cdc" --disc "Music" "$work/disc" >/dev/null 2>&1
"$cli" list "$work/base.cdc" >"$work/old.txt"
: >"$work/empty.txt"

# Diagnostics go to fd 3: the shell's notes on killed jobs are dropped.
exec 3>&2

# The command with its argument CAT replaced by the catalog's name.
command_for() {
    cmd=()
    local a
    for a in "$@"; do
        if [ "$a" = CAT ]; then cmd+=("$cat"); else cmd+=("$a"); fi
    done
}

# ROUTE COMMAND...: the command, killed at each call in turn until it runs
# to its end; after each kill the catalog reads as before or as after.
kill_at_every_call() {
    local route="$1"
    shift
    fresh "$route"
    command_for "$@"
    "${as_user[@]}" "${cmd[@]}" >/dev/null 2>&1
    if [ -e "$real" ]; then "$cli" list "$cat" >"$work/new.txt" 2>&1; else : >"$work/new.txt"; fi
    local call n kills=0 damaged=0 before="$work/old.txt"
    [ "$route" = create-link ] && before="$work/empty.txt" # there was no catalog
    for call in write fsync fdatasync ftruncate unlink rename; do
        for n in $(seq 1 40); do
            fresh "$route"
            command_for "$@"
            "${as_user[@]}" strace -f -qq -o /dev/null -e trace="$call" \
                -e inject="$call":signal=KILL:when="$n" "${cmd[@]}" >/dev/null 2>&1
            [ $? -eq 137 ] || break # ran to its end: no call left to kill at
            kills=$((kills + 1))
            : >"$work/now.txt"
            [ -e "$real" ] && "${as_user[@]}" "$cli" list "$cat" >"$work/now.txt" 2>&1
            # An append that created the catalog may leave it not there.
            [ "$route" = create-link ] && [ ! -e "$real" ] && : >"$work/now.txt"
            if ! cmp -s "$work/now.txt" "$before" && ! cmp -s "$work/now.txt" "$work/new.txt"; then
                damaged=$((damaged + 1))
                echo "damaged: $route, killed at $call #$n: $(wc -l <"$work/now.txt") lines" >&3
            fi
            if [ -n "$(find "$work/c" "$TMPDIR" -name '*kobrix-rollback*')" ]; then
                damaged=$((damaged + 1))
                echo "journal left: $route, killed at $call #$n" >&3
            fi
        done
    done
    check "$route: killed saves damaged" 0 "$damaged"
    [ "$kills" -gt 10 ]
    check "$route: saves were killed part-way ($kills)" 0 $?
}

{
    kill_at_every_call symlink "$cli" update CAT --disc "Games 1" "$work/small"
    kill_at_every_call hardlink "$cli" update CAT --disc "Games 1" "$work/small"
    kill_at_every_call readonly "$cli" update CAT --disc "Games 1" "$work/small"
    kill_at_every_call hardlink "$cli" write CAT --disc "New" "$work/small"
    kill_at_every_call plain "$cli" append CAT --disc "Third" "$work/disc"
    kill_at_every_call create-link "$cli" append CAT --disc "Third" "$work/disc"
} 2>/dev/null

# An append through a link to a missing file creates the file the link
# names; through a link into a missing folder it fails with the folder's
# error. Neither may try for ever.
rm -rf "$work/c" && mkdir "$work/c"
ln -s target.cdc "$work/c/dangling.cdc"
ln -s nowhere/target.cdc "$work/c/nofolder.cdc"
timeout 20 "$cli" append "$work/c/dangling.cdc" --disc "A" "$work/small" >/dev/null 2>&1
check "append through a dangling link: exit" 0 $?
check "append through a dangling link: the file it names" '"A - \ONE.TXT"' "$(tr -d '\r' <"$work/c/target.cdc")"
timeout 20 "$cli" append "$work/c/nofolder.cdc" --disc "A" "$work/small" >/dev/null 2>"$work/err"
check "append through a link into no folder: exit" 2 $?
check "append through a link into no folder: message" 1 "$(grep -c '76 - Path not found' "$work/err")"

# A user who may not write the catalog reads it past a journal cut short
# (no change began), but not past a whole one: that change may have begun,
# and it is undone by the next user who may write the catalog.
nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fresh plain
: >"$work/c/.real.cdc.kobrix-rollback"
"${nobody[@]}" "$cli" list "$real" >"$work/now.txt" 2>&1
check "reader who may not write, journal cut short" "0 same" "$? $(cmp -s "$work/now.txt" "$work/old.txt" && echo same)"
fresh symlink
{ strace -f -qq -o /dev/null -e trace=ftruncate -e inject=ftruncate:signal=KILL:when=1 \
    "$cli" update "$cat" --disc "Games 1" "$work/small" >/dev/null 2>&1; } 2>/dev/null
"${nobody[@]}" "$cli" list "$cat" >/dev/null 2>"$work/err"
check "reader who may not write, whole journal: refused" "2 1" "$? $(grep -c '70 - Permission denied' "$work/err")"
"$cli" list "$cat" >"$work/now.txt" 2>&1
check "  ...put back by one who may" "0 same" "$? $(cmp -s "$work/now.txt" "$work/old.txt" && echo same)"

# A journal left for an earlier file that had the catalog's number (the
# catalog removed and made anew) is not applied to the new one.
fresh plain
printf '%-127s\n' "KOBRIX-ROLLBACK 1 A $(stat -c '%d %i' "$real") 1 0" >"$work/c/.real.cdc.kobrix-rollback"
"$cli" list "$real" >"$work/now.txt" 2>&1
check "journal of an earlier file with the same number: not applied" "0 same" "$? $(cmp -s "$work/now.txt" "$work/old.txt" && echo same)"

# A file that takes neither the new bytes nor the old ones back (/proc)
# was never changed: the error alone, and no journal kept for it.
"$cli" write /proc/version --disc "A" "$work/small" >/dev/null 2>"$work/err"
check "write into /proc/version: exit" 2 $?
check "write into /proc/version: no copy kept" "0 " "$(grep -c kept "$work/err") $(find "$TMPDIR" -name '*kobrix-rollback*')"

echo "cli_kills: $pass passed, $fail failed"
[ "$fail" -eq 0 ]
