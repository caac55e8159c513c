#!/bin/bash
# kobrix-cli starts without Qt's graphics library: every find pays for what
# it loads. The library is neither linked nor loaded for a text export; only
# a PDF export loads it, through the PDF module. The dynamic loader's own
# trace (LD_DEBUG) says what a run loads.
#
# usage: cli_no_gui.sh KOBRIX_CLI
set -euo pipefail
cli=${1:?usage: cli_no_gui.sh KOBRIX_CLI}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

linked=$(ldd "$cli")
if grep -q 'libQt6Gui' <<<"$linked"; then
    echo "FAIL kobrix-cli links libQt6Gui:"
    echo "$linked"
    failures=$((failures + 1))
else
    echo "PASS kobrix-cli does not link libQt6Gui"
fi

# Nor the D-Bus libraries: the disc watcher that needs them is a module.
if grep -q 'libQt6DBus' <<<"$linked"; then
    echo "FAIL kobrix-cli links libQt6DBus"
    failures=$((failures + 1))
else
    echo "PASS kobrix-cli does not link libQt6DBus"
fi

printf '"Games 1 - \\SETUP.EXE"\r\n' >"$work/c.cdc"
loaded() { LD_DEBUG=libs "$@" 2>&1 >/dev/null | grep -c 'calling init: .*libQt6Gui' || true; }
for args in "find $work/c.cdc setup" "export $work/c.cdc --format csv" "export $work/c.cdc --format html"; do
    # shellcheck disable=SC2086
    if [ "$(loaded "$cli" $args)" != 0 ]; then
        echo "FAIL kobrix-cli $args loads libQt6Gui"
        failures=$((failures + 1))
    else
        echo "PASS kobrix-cli $args does not load libQt6Gui"
    fi
done
# The trace does show the library where it is loaded.
if [ "$(loaded "$cli" export "$work/c.cdc" --format pdf -o "$work/c.pdf")" = 0 ]; then
    echo "FAIL the PDF export shows no load of libQt6Gui: the trace tells nothing"
    failures=$((failures + 1))
else
    echo "PASS the PDF export loads libQt6Gui, through its module"
fi
echo "$((4 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
