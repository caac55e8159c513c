#!/usr/bin/env bash
# kobrix-cli's bash completion: sources the completion file, sets
# COMP_WORDS and COMP_CWORD as bash does for a command line typed up to its
# end, calls the completion function and compares COMPREPLY (sorted) with
# what each case expects, in a folder of catalogs, other files and folders.
#   cli_completion.sh COMPLETION_FILE
set -uo pipefail
completion=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export LC_ALL=C.UTF-8
pass=0 fail=0

mkdir -p shelf/deeper music.cdc
touch a.cdc B.CDC notes.txt disc.iso 'with space.cdc' shelf/inner.cdc shelf/readme.txt

# shellcheck source=/dev/null
source "$completion"
[ "$(complete -p kobrix-cli 2>/dev/null)" = "complete -F _kobrix_cli kobrix-cli" ] \
    && pass=$((pass + 1)) || { echo "FAIL: kobrix-cli has no completion function"; fail=$((fail + 1)); }

catalogs="B.CDC|a.cdc|music.cdc|shelf|with space.cdc"
everything="B.CDC|a.cdc|disc.iso|music.cdc|notes.txt|shelf|with space.cdc"
commands="--help|--version|add-discs|append|discs|dupes|export|find|identify|label|list|ls|scan|update|write"
# the words after kobrix-cli, the last one being completed ("|" between
# them) => COMPREPLY, sorted ("|" between its entries)
cases=(
    " => $commands"
    "f => find"
    "--v => --version"
    "l => label|list|ls"
    "bogus| => "
    "find| => $catalogs"
    "find|- => --|--by-disc|--count"
    "find|--c => --count"
    "find|a.cdc|shelf| => $catalogs"
    "find|a.cdc|--count| => $catalogs"
    "find|sh => shelf"
    "find|shelf/ => shelf/deeper|shelf/inner.cdc"
    "find|wi => with space.cdc"
    "find|mus => music.cdc"
    "find|a.cdc|--|- => "
    "scan| => $everything"
    "scan|n => notes.txt"
    "write| => $catalogs"
    "write|- => --|--disc|--disc-from-label"
    "append|x.cdc|--disc-from-label| => $everything"
    "write|--disc-from-label|x.cdc|d => disc.iso"
    "label| => $everything"
    "label|d => disc.iso"
    "label|disc.iso| => "
    "label|- => --"
    "write|x.cdc|--disc| => "
    "write|x.cdc|--disc|Games 1| => $everything"
    "write|--disc|Games| => $catalogs"
    "write|x.cdc|--disc|N|/tmp| => "
    "append|x.cdc|--disc|N|d => disc.iso"
    "update|x.cdc|--disc|N| => $everything"
    "identify|a.cdc| => $everything"
    "list| => $catalogs"
    "list|a.cdc| => "
    "discs|b => "
    "discs|B => B.CDC"
    "ls|a.cdc|- => --|--disc"
    "ls|a.cdc|--disc|Games 1| => "
    "dupes|a.cdc|- => --|--by-name"
    "export|a.cdc|- => --|--disc|--format|--raw|-o"
    "export|a.cdc|--format| => csv|html|pdf"
    "export|a.cdc|--format|h => html"
    "export|a.cdc|-o| => $everything"
    "export|--format|pdf| => $catalogs"
    "ad => add-discs"
    "add-discs| => $catalogs"
    "add-discs|- => --|--drive|--update-changed"
    "add-discs|x.cdc|--drive|d => disc.iso"
    "add-discs|--update-changed|--drive|d|s => shelf"
    "add-discs|x.cdc| => "
)
for entry in "${cases[@]}"; do
    typed=${entry%% => *}
    IFS='|' read -r -a words <<<"$typed"
    [[ $typed == *'|' || -z $typed ]] && words+=("")
    COMP_WORDS=(kobrix-cli "${words[@]}")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _kobrix_cli kobrix-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd '|')
    want=$(tr '|' '\n' <<<"${entry#* => }" | sort | paste -sd '|')
    if [ "$got" = "$want" ]; then
        pass=$((pass + 1))
    else
        echo "FAIL: kobrix-cli ${typed//|/ }: got [$got], want [$want]"
        fail=$((fail + 1))
    fi
done

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
