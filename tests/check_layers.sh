#!/bin/bash
# Checks that no source folder includes a header of a folder above it.
# The folders stand in this order, lowest first; a file may include its own
# folder and any folder below it (the windows' folders count one by one):
#   win32 core catalog scan discs search platform export session
#   ui/common ui/discs ui/batch ui/main cli app
# With --self-test it first plants an upward include in a copy of the tree
# and checks that it is reported. With --graph it prints instead, folder by
# folder in that order, the other folders its files include and how many
# includes go to each ("scan -> core (8)"), the layering as a list.
# Below ui no file includes a header of Qt Widgets (named by the files of
# the folder in $KOBRIX_QT_WIDGETS_HEADERS, when set). With --readme FILE it
# also checks that FILE's "Layers:" line names these layers in this order.
# One grep and one awk over the whole tree: it runs in a blink.
set -euo pipefail

layers="win32 core catalog scan discs search platform export session ui/common ui/discs ui/batch ui/main cli app"

usage="usage: check_layers.sh [--self-test] [--graph] [--readme README] SOURCE_DIR"
selfTest=false
mode=check
readme=""
while [[ "${1:-}" == --* ]]; do
    case "$1" in
        --self-test) selfTest=true; shift ;;
        --graph) mode=graph; shift ;;
        --readme) readme="${2:?$usage}"; shift 2 ;;
        *) echo "$usage" >&2; exit 2 ;;
    esac
done
src="${1:?$usage}"
src="${src%/}"

if $selfTest; then
    copy="$(mktemp -d)"
    trap 'rm -rf "$copy"' EXIT
    cp -r "$src/." "$copy"
    echo '#include "ui/main/Form1.h"' >>"$copy/core/LineStore.cpp"
    echo '#include "session/CatalogSession.h"' >>"$copy/discs/DiscIndex.cpp"
    echo '#include "ui/discs/DiscsWindow.h"' >>"$copy/ui/common/MessageBox.cpp"
    if out="$("$0" "$copy")"; then
        echo "self-test: upward includes went unreported"
        exit 1
    fi
    for expected in "core includes ui/main" "discs includes session" "ui/common includes ui/discs"; do
        if ! grep -q "$expected" <<<"$out"; then
            echo "self-test: '$expected' went unreported"
            exit 1
        fi
    done
    if [[ -n "${KOBRIX_QT_WIDGETS_HEADERS:-}" ]]; then
        echo '#include <QtWidgets/QLabel>' >>"$copy/session/Task.cpp"
        out="$("$0" "$copy" || true)"
        if ! grep -q 'session/Task.cpp:.*QtWidgets/QLabel' <<<"$out"; then
            echo "self-test: a widget header below ui went unreported"
            exit 1
        fi
    fi
    if ! grep -qx 'core -> ui/main (1)' <<<"$("$0" --graph "$copy")"; then
        echo "self-test: --graph does not show the include of ui/main from core"
        exit 1
    fi
fi

if [[ -n "$readme" ]] && ! grep -qxF "Layers: $layers" "$readme"; then
    echo "$readme: its \"Layers:\" line does not read \"$layers\""
    exit 1
fi
widgets=""
if [[ -d "${KOBRIX_QT_WIDGETS_HEADERS:-}" ]]; then
    widgets="$(ls "$KOBRIX_QT_WIDGETS_HEADERS" | grep -E '^Q[A-Za-z]*$' | tr '\n' ' ')"
fi

# Every file's quoted includes of a folder: "FILE:LINE:#include "x/y.h"".
# Files that include nothing still name their folder (for unknown folders).
{
    grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+("[^"]+/|<Q)' "$src" --include='*.h' --include='*.cpp' || true
    find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -printf '%p:0:\n'
} | awk -v src="$src/" -v layers="$layers" -v mode="$mode" -v widgets="$widgets" '
function layerOf(path,   parts, n) {
    n = split(path, parts, "/")
    if (n >= 3 && ((parts[1] "/" parts[2]) in rank)) return parts[1] "/" parts[2]
    if (n >= 2 && (parts[1] in rank)) return parts[1]
    return ""
}
BEGIN {
    n = split(layers, order, " ")
    for (i = 1; i <= n; i++) rank[order[i]] = i
    split(widgets, names, " ")
    for (i in names) widget[names[i]] = 1
    failures = 0
}
{
    file = substr($0, length(src) + 1)
    colon = index(file, ":")
    rest = substr(file, colon + 1)
    file = substr(file, 1, colon - 1)
    line = substr(rest, 1, index(rest, ":") - 1)
    own = layerOf(file)
    if (own == "") {
        if (!(file in unknownReported)) {
            unknownReported[file] = 1
            split(file, p, "/")
            if (!(p[1] in unknownFolder)) {
                unknownFolder[p[1]] = 1
                print "unknown source folder: " p[1] " (add it to the layer list)"
                failures++
            }
        }
        next
    }
    if (line == 0) next
    if (rest ~ /#[[:space:]]*include[[:space:]]*</) {
        header = rest
        sub(/^[^<]*</, "", header)
        sub(/>.*$/, "", header)
        sub(/^QtWidgets\//, "", header)
        if ((header in widget) && rank[own] < rank["ui/common"]) {
            print src file ":" line ": " own " includes the widget header " substr(rest, index(rest, "<"))
            failures++
        }
        next
    }
    target = rest
    sub(/^[^"]*"/, "", target)
    sub(/"[^"]*$/, "", target)
    to = layerOf(target)
    if (to == "") {
        print src file ":" line ": includes unknown folder " target
        failures++
        next
    }
    if (to != own) count[own, to]++
    if (rank[to] > rank[own]) {
        print src file ":" line ": " own " includes " to ", a folder above it"
        failures++
    }
}
END {
    if (mode == "graph") {
        for (i = 1; i <= n; i++) {
            printed = 0
            for (j = 1; j <= n; j++) {
                if ((order[i], order[j]) in count) {
                    print order[i] " -> " order[j] " (" count[order[i], order[j]] ")"
                    printed = 1
                }
            }
            if (!printed) print order[i] " -> (nothing)"
        }
        exit 0
    }
    if (failures > 0) {
        print failures " include(s) point up the layers"
        exit 1
    }
    print "layers hold: " layers
}'
