#!/usr/bin/env bash
# The disc's own name through kobrix-cli: label on disc images made by
# xorriso (plain ISO 9660, Joliet with a Cyrillic label of 16 letters, Rock
# Ridge, none), on a folder and a missing path; write and append with
# --disc-from-label, the catalog read back whole, and the refusals that write
# nothing. UDF and damaged images are tst_core_volumelabel's.
#   cli_label.sh KOBRIX_CLI
set -uo pipefail
cli="$1"
command -v xorriso >/dev/null || { echo "xorriso is not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8
pass=0 fail=0

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
expect() { # NAME COMMAND...: the command succeeds
    if "${@:2}"; then pass=$((pass + 1)); else echo "FAIL: $1"; fail=$((fail + 1)); fi
}

mkdir -p "$work/disc/DATA"
printf 'x' > "$work/disc/SETUP.EXE"
printf 'x' > "$work/disc/DATA/LEVEL1.DAT"
image() { # NAME XORRISO-OPTIONS...
    local name=$1
    shift
    xorriso -outdev "$work/$name" "$@" -map "$work/disc" / >/dev/null 2>&1 \
        || { echo "FAIL: xorriso could not make $name"; exit 1; }
}
cyrillic='Летние фото Крым'
image plain.iso -volid GAMES_1 -rockridge off
image joliet.iso -volid "$cyrillic" -joliet on
image rr.img -volid 'Photos, 2002' -rockridge on
image none.iso -volid ''
image separator.iso -volid 'A - \B' -joliet on

check "label of a plain ISO 9660 image" 0 "GAMES_1" "" label "$work/plain.iso"
check "label of a Joliet image" 0 "$cyrillic" "" label "$work/joliet.iso"
check "label of a Rock Ridge image not named .iso" 0 "Photos, 2002" "" label "$work/rr.img"
check "an image without a label" 1 "" "$work/none.iso has no volume label" \
    label "$work/none.iso"
check "a folder that is no mount point" 1 "" "$work/disc has no volume label" \
    label "$work/disc"
check "a missing root" 2 "" \
    "Error reading the volume label of $work/gone.iso: 53 - File not found" \
    label "$work/gone.iso"

c=$work/c.cdc
check "write names the disc by its label" 0 "" "Total: 2 files" \
    write "$c" --disc-from-label "$work/plain.iso"
check "append names the disc by its label" 0 "" "Total: 2 files" \
    append "$c" --disc-from-label "$work/joliet.iso"
check "the catalog holds both discs under their labels" 0 \
    "$(printf '%s\n' 'GAMES_1 - \SETUP.EXE' 'GAMES_1 - \DATA\LEVEL1.DAT' \
        "$cyrillic - \\SETUP.EXE" "$cyrillic - \\DATA\\LEVEL1.DAT")" "" \
    list "$c"
cp "$c" "$work/before.cdc"
check "a disc without a label is refused" 2 "" "$work/none.iso has no volume label" \
    append "$c" --disc-from-label "$work/none.iso"
check "a label the catalog could not give back is refused" 2 "" \
    "$("$cli" write "$work/x.cdc" --disc 'A - \B' "$work/disc" 2>&1)" \
    append "$c" --disc-from-label "$work/separator.iso"
check "--disc and --disc-from-label together" 2 "" "$("$cli" 2>&1)" \
    append "$c" --disc N --disc-from-label "$work/plain.iso"
expect "the refusals left the catalog as it was" cmp -s "$c" "$work/before.cdc"
check "a refused write makes no file" 2 "" "$work/none.iso has no volume label" \
    write "$work/new.cdc" --disc-from-label "$work/none.iso"
expect "no file was made" test ! -e "$work/new.cdc"

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
