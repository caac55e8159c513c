#!/bin/bash
# Checks that no source folder includes a header of a folder above it.
# The folders stand in this order, lowest first; a file may include its own
# folder and any folder below it:
#   core, catalog, scan, search, platform, export, ui, app
# With --self-test it first plants an upward include in a copy of the tree
# and checks that it is reported. With --graph it prints instead, folder by
# folder in that order, the other folders its files include and how many
# includes go to each ("scan -> core (8)"), the layering as a list.
set -euo pipefail

if [[ "${1:-}" == --self-test ]]; then
    copy="$(mktemp -d)"
    trap 'rm -rf "$copy"' EXIT
    cp -r "${2:?usage: check_layers.sh --self-test SOURCE_DIR}/." "$copy"
    echo '#include "ui/Form1.h"' >>"$copy/core/LineStore.cpp"
    if "$0" "$copy" >/dev/null; then
        echo "self-test: an include of ui from core went unreported"
        exit 1
    fi
    if ! grep -qx 'core -> ui (1)' <<<"$("$0" --graph "$copy")"; then
        echo "self-test: --graph does not show the include of ui from core"
        exit 1
    fi
    shift
fi

graph=false
if [[ "${1:-}" == --graph ]]; then
    graph=true
    shift
fi

src="${1:?usage: check_layers.sh [--self-test | --graph] SOURCE_DIR}"
layers=(core catalog scan search platform export ui app)

# The folder each quoted include of a folder's files names, one line each.
includedFolders() {
    grep -rhE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^/"]+/' "$1" |
        sed -E 's/.*#[[:space:]]*include[[:space:]]+"([^/"]+)\/.*/\1/' || true
}

if $graph; then
    for folder in "${layers[@]}"; do
        [[ -d "$src/$folder" ]] || continue
        counts="$(includedFolders "$src/$folder" | sort | uniq -c)"
        printed=false
        # The included folders in layer order, then any unknown ones.
        for target in "${layers[@]}" $(awk '{print $2}' <<<"$counts"); do
            [[ "$target" == "$folder" ]] && continue
            count="$(awk -v t="$target" '$2 == t {print $1}' <<<"$counts")"
            [[ -n "$count" ]] || continue
            counts="$(awk -v t="$target" '$2 != t' <<<"$counts")"
            echo "$folder -> $target ($count)"
            printed=true
        done
        $printed || echo "$folder -> (nothing)"
    done
    exit 0
fi

rank() {
    local i
    for i in "${!layers[@]}"; do
        if [[ "${layers[$i]}" == "$1" ]]; then echo "$i"; return; fi
    done
    echo -1
}

failures=0
for dir in "$src"/*/; do
    folder="$(basename "$dir")"
    own="$(rank "$folder")"
    if [[ "$own" == -1 ]]; then
        echo "unknown source folder: $folder (add it to the layer list)"
        failures=$((failures + 1))
        continue
    fi
    while IFS= read -r hit; do
        file="${hit%%:*}"
        rest="${hit#*:}"
        line="${rest%%:*}"
        included="$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$rest")"
        target="$(rank "$included")"
        if [[ "$target" == -1 ]]; then
            echo "$file:$line: includes unknown folder $included"
            failures=$((failures + 1))
        elif (( target > own )); then
            echo "$file:$line: $folder includes $included, a folder above it"
            failures=$((failures + 1))
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^/"]+/' "$dir" || true)
done

if (( failures > 0 )); then
    echo "$failures include(s) point up the layers"
    exit 1
fi
echo "layers hold: ${layers[*]}"
