#!/usr/bin/env bash
# scripts/build-windows keeps its caller's log whole: the progress of the
# Qt and libarchive build is copied to the caller's stderr without reopening
# it, so a log file given as stderr keeps what was written before. The real
# script runs from a copy beside stand-ins for the steps it starts (install,
# the long Qt build), and stops at the configure step, whose stand-in fails.
#   build_windows_log.sh SOURCE_DIR
set -uo pipefail
src="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts" "$work/qt/bin" "$work/tests"
cp "$src/scripts/build-windows" "$work/scripts/"
stub() { printf '#!/usr/bin/env bash\n%s\n' "$2" >"$1"; chmod +x "$1"; }
stub "$work/scripts/install-deps" 'echo "install-deps: installing wine64" >&2'
stub "$work/scripts/build-mingw-deps" \
    "for i in \$(seq 1 500); do echo \"building Qt: step \$i\"; done; echo '$work/qt'"
stub "$work/qt/bin/qt-cmake" 'echo "configure step reached" >&2; exit 3'

log="$work/make-windows.log"
{
    echo "make windows: started"
    "$work/scripts/build-windows" "$work/build"
    echo "build-windows exit $?"
} >"$log" 2>&1

expected=$(
    echo "make windows: started"
    echo "install-deps: installing wine64"
    for i in $(seq 1 500); do echo "building Qt: step $i"; done
    echo "$work/qt"
)
got=$(head -n 503 "$log")
pass=0 fail=0
check() { # name, condition...
    local name=$1; shift
    if "$@"; then pass=$((pass + 1)); else echo "FAIL: $name"; fail=$((fail + 1)); fi
}
check "the log keeps its first lines and every line of the build, in order" test "$got" = "$expected"
check "the log holds no NUL byte" test "$(tr -d -c '\000' <"$log" | wc -c)" = 0
check "the script goes on to say Qt is ready" grep -q "^build-windows: Qt and libarchive ready in .* ($work/qt)$" "$log"
check "the script stops at the failed configure step" grep -q -x "build-windows exit 3" "$log"
[ "$fail" = 0 ] || { echo "--- log:"; head -n 5 "$log"; echo ...; tail -n 4 "$log"; }
echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
