#!/usr/bin/env bash
# kobrix-cli add-discs refuses a wrong command line, and a machine without
# one CD drive when none is named, before it watches anything: exit 2, the
# catalog neither made nor touched; Ctrl+C (SIGINT) while it waits ends it
# with its totals. (The loop itself is tested on a simulated drive by
# tst_cli_adddiscs.)
#   cli_adddiscs.sh KOBRIX_CLI
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
run() {
    timeout 20 "$@" >"$work/out" 2>"$work/err" </dev/null
    code=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

printf '"Games 1 - \\SETUP.EXE"\r\n' >"$work/kept.cdc"
cp "$work/kept.cdc" "$work/before.cdc"

# wrong command lines: the usage, exit 2
for args in "" "$work/new.cdc $work/other.cdc" "$work/new.cdc --drive" \
    "$work/kept.cdc --drive" "--update-changed" "$work/new.cdc --bogus"; do
    # shellcheck disable=SC2086
    run "$cli" add-discs $args
    check "add-discs $args: exit" 2 "$code"
    check "add-discs $args: the usage" "Usage:" "$(head -n 1 <<<"$err")"
    check "add-discs $args: nothing printed" "" "$out"
done
run "$cli" add-discs "$work/new.cdc" --drive ""
check "an empty drive: exit" 2 "$code"
check "an empty drive: the usage" "Usage:" "$(head -n 1 <<<"$err")"

# no drive named on a machine without a CD drive
if ! compgen -G '/dev/sr*' >/dev/null && ! compgen -G '/dev/cdrom*' >/dev/null; then
    run "$cli" add-discs "$work/kept.cdc" --update-changed
    check "no CD drive: exit" 2 "$code"
    check "no CD drive: said" "add-discs: no CD drive found" "$err"
fi

# Ctrl+C while waiting for a disc ends the run at once: the totals, exit 1
# (nothing added). Only where the machine's watcher takes the drive named.
# kobrix-cli runs as the shell's own child and gets one SIGINT, as a
# terminal's Ctrl+C sends it (under timeout it got two now and then: timeout
# passes a signal on and also sends it to the whole process group, and the
# second could come after the run ended, with exit 130 after the totals). A
# watchdog ends it should it hang.
"$cli" add-discs "$work/new.cdc" --drive /dev/sr0 >"$work/out" 2>"$work/err" </dev/null &
pid=$!
(sleep 60; kill -KILL "$pid") >/dev/null 2>&1 &
watchdog=$!
for _ in $(seq 100); do
    grep -q "Waiting for a disc" "$work/err" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if grep -q "Waiting for a disc" "$work/err"; then
    kill -INT "$pid"
    wait "$pid"
    check "Ctrl+C while waiting: exit" 1 "$?"
    check "Ctrl+C while waiting: the totals" "0 discs: 0 added" "$(tail -n 1 "$work/err" | cut -d, -f1)"
    check "Ctrl+C while waiting: no line" "" "$(cat "$work/out")"
else
    kill "$pid" 2>/dev/null
    wait "$pid"
    echo "SKIP Ctrl+C while waiting: /dev/sr0 cannot be watched here: $(cat "$work/err")"
fi
kill "$watchdog" 2>/dev/null
wait "$watchdog" 2>/dev/null

check "no catalog made" "" "$(ls "$work" | grep new.cdc)"
check "the catalog untouched" "" "$(cmp "$work/kept.cdc" "$work/before.cdc")"

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
