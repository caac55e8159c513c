#!/usr/bin/env bash
# kobrix-cli's manual page and bash completion keep up with the program:
# every command and option that `kobrix-cli --help` names is described in
# the manual page and completed by the completion, and both manual pages
# format without a warning.
#   cli_documented.sh KOBRIX_CLI DOCS_FOLDER COMPLETION_FILE
set -uo pipefail
cli="$1"
docs="$2"
completion="$3"
pass=0 fail=0
check() { # name, command...
    local name=$1; shift
    if "$@"; then pass=$((pass + 1)); else echo "FAIL: $name"; fail=$((fail + 1)); fi
}

usage=$("$cli" --help)
mapfile -t commands < <(sed -n 's/^  kobrix-cli \([a-z][a-z-]*\) .*/\1/p' <<<"$usage" | sort -u)
mapfile -t options < <(grep -o -- '--[a-z][a-z-]*' <<<"$usage" | sort -u)
check "the usage names commands" test "${#commands[@]}" -ge 5
check "the usage names options" test "${#options[@]}" -ge 3

page=$docs/kobrix-cli.1
# In roff a hyphen of an option is written \-.
roff() { sed 's/-/\\-/g' <<<"$1"; }
for command in "${commands[@]}"; do
    check "the manual page describes $command" grep -q -e "^\.BI\{0,1\} $command\( \|$\)" "$page"
    check "the manual page's synopsis has $command" grep -q -x "\.B kobrix-cli $command" "$page"
done
# The options the OPTIONS section heads a paragraph with.
described=$(sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$page" | awk '$1 ~ /^\.B/ { print $2 }')
for option in "${options[@]}"; do
    check "the manual page describes $option" grep -q -F -x -- "$(roff "$option")" <<<"$described"
done

# The words the completion offers after "kobrix-cli" and after each command.
# shellcheck source=/dev/null
source "$completion"
complete_words() {
    COMP_WORDS=(kobrix-cli "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _kobrix_cli
    printf '%s\n' "${COMPREPLY[@]}"
}
offered=$(complete_words "")
for command in "${commands[@]}" --help --version; do
    check "the completion offers $command" grep -q -x -- "$command" <<<"$offered"
done
for command in "${commands[@]}"; do
    # The options the usage shows on the command's own line.
    for option in $(sed -n "s/^  kobrix-cli $command \(.*\)/\1/p" <<<"$usage" | grep -o -- '--[a-z][a-z-]*'); do
        check "the completion offers $command $option" grep -q -x -- "$option" <<<"$(complete_words "$command" -)"
    done
done

# Both pages format without a warning.
if command -v groff >/dev/null; then
    for page in "$docs/kobrix.1" "$docs/kobrix-cli.1"; do
        warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
        check "$(basename "$page") formats without warnings" test -z "$warnings" || echo "$warnings"
    done
else
    echo "groff is missing: the pages were not formatted"
fi

# The messages README quotes are those the program prints. README's lines
# are joined, since a quoted message may be wrapped.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '"Games 1 - \\DATA\\LEVEL1.DAT"\r\n' >"$work/music.cdc"
cp "$work/music.cdc" "$work/c.cdc"
cli_path=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")
readme=$(tr -s '\n ' '  ' <"$docs/../README.md")
while IFS='|' read -r name args; do
    eval "arguments=($args)"
    message=$(cd "$work" && "$cli_path" "${arguments[@]}" 2>&1 >/dev/null)
    check "README quotes what $name prints: $message" grep -q -F -- "\`$message\`" <<<"$readme"
done <<'TABLE'
an export of a disc the catalog lacks|export music.cdc --format csv --disc "Games 9"
an export onto its catalog|export c.cdc --format csv -o c.cdc
ls of a folder the disc lacks|ls music.cdc --disc "Games 1" DATA/NOPE
TABLE

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
