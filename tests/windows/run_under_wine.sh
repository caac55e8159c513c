#!/usr/bin/env bash
# Runs the Windows layer's tests under Wine in a fresh prefix:
#   run_under_wine.sh BUILD_DIR
# BUILD_DIR holds tst_win32_layer.exe and shell_target.exe. The prefix and
# the drives' folders are made in BUILD_DIR/wine and removed after a run that
# passes (a prefix takes some 700 MB). Drives:
#   D: a CD-ROM drive holding the fixture disc
#   E: a drive letter with nothing behind it
#   F: an empty disc
#   G: a folder of files for the failure cases
# The console's case runs once more on a pseudo-terminal (script(1)), which
# Wine makes the program's console.
# As root, Wine runs as nobody, so that a read-only file really refuses to be
# written; when nobody cannot reach BUILD_DIR the work folder goes to /tmp.
set -euo pipefail

build="$(cd "${1:?usage: run_under_wine.sh BUILD_DIR}" && pwd)"
for exe in tst_win32_layer.exe shell_target.exe; do
    [[ -f "$build/$exe" ]] || { echo "run_under_wine: $build/$exe is missing" >&2; exit 1; }
done

wine="$(command -v wine64 || command -v wine || true)"
[[ -n "$wine" ]] || wine=/usr/lib/wine/wine64
wineserver="$(command -v wineserver || true)"
[[ -n "$wineserver" ]] || wineserver="$(dirname "$wine")/wineserver"
[[ -x "$wine" && -x "$wineserver" ]] || { echo "run_under_wine: Wine is not installed" >&2; exit 1; }

as_user=()
work="$build/wine"
if [[ "$(id -u)" == 0 ]]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    if ! "${as_user[@]}" test -x "$build"; then
        work="$(mktemp -d /tmp/kobrix-wine.XXXXXX)"
    fi
fi
rm -rf "$work"
mkdir -p "$work"

# The fixture disc: the Linux walk's tree, with names in more scripts.
disc="$work/disc"
file() { mkdir -p "$(dirname "$disc/$1")"; printf 'x' > "$disc/$1"; }
for f in setup.exe README.TXT autorun.inf .hidden "z level1/deep/deeper/bottom.txt" \
         "z level1/deep/mid.txt" "z level1/top.txt" A.B.C/x.dat "MY DOCUMENTS/Letter.doc" \
         SETUP.FILES/DISK1/DATA.CAB .secret/inside.txt "a level1/b.txt" "a level1/.hidden.txt" \
         "Müsik/Ärger.mp3" "Été.txt" "Диск/Песня.txt" "日本語/ファイル.txt" \
         "hidden by attribute.txt" "system file.sys" "HIDDEN FOLDER/inside.txt"; do
    file "$f"
done
mkdir -p "$disc/empty" "$disc/a level1/only dirs/none"
ln -s "$disc/a level1" "$disc/a level1/loop"
ln -s "$disc/setup.exe" "$disc/link to setup.exe"
ln -s "$disc/gone" "$disc/dangling"
mkdir -p "$work/empty-disc" "$work/files/folder"
deep="$work/files/$(printf 'a%.0s' {1..200})/$(printf 'b%.0s' {1..100})"
mkdir -p "$deep"
printf 'x' > "$deep/deep.txt"
printf 'x' > "$work/files/readonly.cdc"
chmod 444 "$work/files/readonly.cdc"
cp "$build/tst_win32_layer.exe" "$work/"
cp "$build/shell_target.exe" "$work/files/"
if [[ ${#as_user[@]} -gt 0 ]]; then
    chown -R nobody:nogroup "$work"
fi

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
       HOME="$work" LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
run() { "${as_user[@]}" "$@"; }
stop_wine() { run "$wineserver" -k >/dev/null 2>&1 || true; }
trap stop_wine EXIT

seconds() { date +%s.%N; }
start="$(seconds)"
# A prefix is whole when wineboot ended well and the registry is written; a
# first attempt cut short (a stuck service, the time limit) is retried once
# from nothing.
make_prefix() {
    run rm -rf "$WINEPREFIX"
    run timeout 300 "$wine" wineboot -i >"$work/wineboot.log" 2>&1 \
        && run timeout 60 "$wineserver" -w \
        && [[ -s "$WINEPREFIX/system.reg" && -d "$WINEPREFIX/dosdevices" ]]
}
if ! make_prefix; then
    stop_wine
    if ! make_prefix; then
        echo "run_under_wine: the Wine prefix could not be made:" >&2
        cat "$work/wineboot.log" >&2
        exit 1
    fi
fi
made="$(seconds)"

run ln -s ../../disc "$WINEPREFIX/dosdevices/d:"
run ln -s ../../no-disc "$WINEPREFIX/dosdevices/e:"
run ln -s ../../empty-disc "$WINEPREFIX/dosdevices/f:"
run ln -s ../../files "$WINEPREFIX/dosdevices/g:"
# Wine shows dot-files without the HIDDEN attribute, so that the tests see
# the layer leave them out by name.
printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\n"d:"="cdrom"\n\n%s\n%s\n' \
    '[HKEY_CURRENT_USER\Software\Wine]' '"ShowDotFiles"="Y"' >"$work/drives.reg"
run timeout 60 "$wine" regedit /S "$work/drives.reg"
run timeout 60 "$wineserver" -w
mapped="$(seconds)"

status=0
run timeout 120 "$wine" "$work/tst_win32_layer.exe" || status=$?
# The console's case: Wine gives a program started on a terminal a console
# of its own, so it runs on a pseudo-terminal made by script(1) and writes
# its report to a file.
console_status=0
timeout 120 script -qec "$(printf '%q ' "${as_user[@]}" "$wine" "$work/tst_win32_layer.exe" \
    --console 'G:\console-report.txt')" /dev/null >/dev/null || console_status=$?
if ! cat "$work/files/console-report.txt" 2>/dev/null; then
    echo "FAIL   the console's case wrote no report"
    console_status=1
fi
status=$((status + console_status))
done_at="$(seconds)"
awk -v a="$start" -v b="$made" -v c="$mapped" -v d="$done_at" 'BEGIN {
    printf "run_under_wine: prefix made in %.1f s, drives mapped in %.1f s, tests ran in %.1f s\n",
        b - a, c - b, d - c }'
stop_wine
if [[ $status -eq 0 ]]; then
    rm -rf "$work"
else
    echo "run_under_wine: tests failed ($status); the prefix is kept in $work" >&2
fi
exit $status
