#!/usr/bin/env bash
# kobrix-cli find over several catalogs and folders: the catalog's path in
# front of each line and count, folders searched to any depth in byte order,
# an unreadable catalog or folder among good ones, "--" ending the options
# of every command, and --version.
#   cli_multifind.sh KOBRIX_CLI VERSION
set -uo pipefail
cli=$(realpath "$1")
version="$2"
work=$(mktemp -d)
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
cd "$work" || exit 1
export LC_ALL=C.UTF-8
pass=0 fail=0

record() { printf '"%s"\r\n' "$@"; }
mkdir -p shelf/sub/deeper shelf/a shelf/.hidden shelf/folder.cdc empty
record 'Games 1 - \SETUP.EXE' 'Games 1 - \DATA\-readme.txt' 'Games 1 - \--count.txt' > one.cdc
record 'Photos - \IMG.JPG' 'Photos - \setup.ini' > shelf/b.cdc
record 'Big - \SETUP\SETUP.EXE' > shelf/B.cdc            # 'B' sorts before 'a' and 'b'
record 'Dash - \x' > shelf/a-z.cdc                       # '-' sorts before '/'
record 'Slash - \Setup.doc' > shelf/a/z.cdc
record 'Music - \Setup.mp3' > shelf/sub/deeper/C.CDC     # any letter case of .cdc
record 'Inner - \setup.txt' > shelf/folder.cdc/inner.cdc # a folder named *.cdc is a folder
record 'Hidden - \setup' > shelf/.hidden/h.cdc           # names starting with a dot: left out
record 'Notes - \setup' > shelf/notes.txt                # not a catalog
ln -s .. shelf/sub/loop                                  # a link to a folder: not followed
ln -s ../../one.cdc shelf/sub/link.cdc                     # a link to a catalog: searched
chmod -R a+rX "$work"

# name | arguments (tab between them) | exit code | standard output (^ between lines)
cases=(
    "one catalog: no prefix|one.cdc	setup|0|Games 1 - \\SETUP.EXE"
    "one catalog, count: no prefix|one.cdc	setup	--count|0|1"
    "two catalogs: each line after its path|one.cdc	shelf/b.cdc	SETUP|0|one.cdc:Games 1 - \\SETUP.EXE^shelf/b.cdc:Photos - \\setup.ini"
    "two catalogs, no match|one.cdc	shelf/b.cdc	zzz|1|"
    "a folder, to any depth, in byte order|shelf	setup|0|shelf/B.cdc:Big - \\SETUP\\SETUP.EXE^shelf/a/z.cdc:Slash - \\Setup.doc^shelf/b.cdc:Photos - \\setup.ini^shelf/folder.cdc/inner.cdc:Inner - \\setup.txt^shelf/sub/deeper/C.CDC:Music - \\Setup.mp3^shelf/sub/link.cdc:Games 1 - \\SETUP.EXE"
    "a folder with a slash after it|shelf/	.mp3|0|shelf/sub/deeper/C.CDC:Music - \\Setup.mp3"
    "counts: one per catalog, none left out|one.cdc	shelf	setup	--count|0|one.cdc:1^shelf/B.cdc:1^shelf/a-z.cdc:0^shelf/a/z.cdc:1^shelf/b.cdc:1^shelf/folder.cdc/inner.cdc:1^shelf/sub/deeper/C.CDC:1^shelf/sub/link.cdc:1"
    "counts before the catalogs|--count	shelf/a	shelf/b.cdc	setup|0|shelf/a/z.cdc:1^shelf/b.cdc:1"
    "counts, no match: exit 1|shelf/a	shelf/b.cdc	zzz	--count|1|shelf/a/z.cdc:0^shelf/b.cdc:0"
    "a folder without catalogs|empty	setup|1|"
    "a folder given twice is searched twice|shelf/a	shelf/a	doc|0|shelf/a/z.cdc:Slash - \\Setup.doc^shelf/a/z.cdc:Slash - \\Setup.doc"
    "-- before a text starting with -|one.cdc	--	-readme|0|Games 1 - \\DATA\\-readme.txt"
    "-- before a text that is an option|one.cdc	--	--count|0|Games 1 - \\--count.txt"
    "an option before -- still counts|--count	one.cdc	--	--count|0|1"
    "several catalogs and --|one.cdc	shelf/b.cdc	--	-readme|0|one.cdc:Games 1 - \\DATA\\-readme.txt"
    "-- only: the text is left|one.cdc	--|2|"
    "one catalog alone: usage|one.cdc|2|"
    "list, after --|list	--	shelf/a/z.cdc|0|Slash - \\Setup.doc"
    "write: --disc after -- is no option|write	--	new.cdc	--disc	X	shelf|2|"
)
for entry in "${cases[@]}"; do
    IFS='|' read -r name arguments code expected <<<"$entry"
    IFS=$'\t' read -r -a argv <<<"$arguments"
    case "${argv[0]}" in list|write) ;; *) argv=(find "${argv[@]}") ;; esac
    got=$("$cli" "${argv[@]}" 2>/dev/null); got_code=$?
    want=${expected//^/$'\n'}
    if [ "$got" = "$want" ] && [ "$got_code" = "$code" ]; then
        pass=$((pass + 1))
    else
        echo "FAIL: $name: got [$got] (exit $got_code), want [$want] (exit $code)"
        fail=$((fail + 1))
    fi
done

# check NAME EXPECTED-EXIT EXPECTED-STDOUT EXPECTED-STDERR COMMAND...
check() {
    local name=$1 code=$2 out=$3 err=$4
    shift 4
    local got got_err got_code
    got=$("$@" 2>"$work/stderr"); got_code=$?
    got_err=$(cat "$work/stderr")
    if [ "$got" = "$out" ] && [ "$got_err" = "$err" ] && [ "$got_code" = "$code" ]; then
        pass=$((pass + 1))
    else
        echo "FAIL: $name: got [$got] [$got_err] (exit $got_code), want [$out] [$err] (exit $code)"
        fail=$((fail + 1))
    fi
}

# A catalog that cannot be read is reported with its path; the others are
# still searched, and the exit code says that something went wrong.
check "a missing catalog among good ones" 2 \
    $'one.cdc:Games 1 - \\SETUP.EXE\nshelf/b.cdc:Photos - \\setup.ini' \
    "missing.cdc: Error Reading file: 53 - File not found" \
    "$cli" find one.cdc missing.cdc shelf/b.cdc setup
check "a missing catalog among good ones, counted" 2 $'one.cdc:1\nshelf/b.cdc:1' \
    "missing.cdc: Error Reading file: 53 - File not found" \
    "$cli" find one.cdc missing.cdc shelf/b.cdc setup --count
check "a missing catalog alone: as before" 2 "" "Error Reading file: 53 - File not found" \
    "$cli" find missing.cdc setup
check "only missing catalogs" 2 "" \
    $'missing.cdc: Error Reading file: 53 - File not found\nnone/x.cdc: Error Reading file: 76 - Path not found' \
    "$cli" find missing.cdc none/x.cdc setup --count
# A catalog of an older version, in Windows-1252, among UTF-8 ones: its
# lines are searched as they read, whatever their bytes in the file.
printf '"Old - \\a\x96b \x80 \xB5m.txt"\r\n' > old.cdc
check "a Windows-1252 catalog: en dash" 0 "old.cdc:Old - \\a–b € µm.txt" "" "$cli" find one.cdc old.cdc "–"
check "a Windows-1252 catalog: euro sign" 0 "old.cdc:Old - \\a–b € µm.txt" "" "$cli" find old.cdc one.cdc "€"
check "a Windows-1252 catalog: micro sign as mu" 0 "old.cdc:Old - \\a–b € µm.txt" "" "$cli" find old.cdc one.cdc "ΜM"
rm old.cdc

# A FIFO is no catalog: passed over in a folder, reported when named, and
# never waited for.
mkfifo shelf/a/fifo.cdc
check "a FIFO named .cdc in a folder is passed over" 0 "shelf/a/z.cdc:1" "" \
    timeout 10 "$cli" find shelf/a setup --count
check "a FIFO given by name is reported" 2 "one.cdc:1" \
    "shelf/a/fifo.cdc: Error Reading file: 75 - Path/File access error" \
    timeout 10 "$cli" find one.cdc shelf/a/fifo.cdc setup --count
rm shelf/a/fifo.cdc

# Unreadable for an ordinary user (root reads everything, so as root the
# cases run as "nobody").
runs_as_user=yes
if [ "$(id -u)" != 0 ]; then
    as_user() { "$@"; }
elif command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
    as_user() { setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups "$@"; }
else
    runs_as_user=no
fi
if [ "$runs_as_user" = yes ] && as_user test -x "$cli"; then
    mkdir -p locked/shut
    record 'Open - \setup.exe' > locked/open.cdc
    record 'Closed - \setup.exe' > locked/closed.cdc
    record 'Inside - \setup.exe' > locked/shut/inside.cdc
    chmod 755 locked; chmod 644 locked/open.cdc locked/shut/inside.cdc
    chmod 000 locked/closed.cdc locked/shut
    check "an unreadable catalog and folder among good ones" 2 \
        $'locked/open.cdc:Open - \\setup.exe\none.cdc:Games 1 - \\SETUP.EXE' \
        $'locked/shut: Error Reading file: 70 - Permission denied\nlocked/closed.cdc: Error Reading file: 70 - Permission denied' \
        as_user "$cli" find locked one.cdc setup
    check "...counted" 2 $'locked/open.cdc:1\none.cdc:1' \
        $'locked/shut: Error Reading file: 70 - Permission denied\nlocked/closed.cdc: Error Reading file: 70 - Permission denied' \
        as_user "$cli" find locked one.cdc setup --count
    chmod 755 locked/shut
else
    echo "unreadable cases skipped: no unprivileged user to run them as"
fi

# Output that cannot be written still fails the whole search.
check "several catalogs into a full disk" 2 "" "kobrix-cli: write error: No space left on device" \
    bash -c "\"$cli\" find one.cdc shelf setup >/dev/full"

check "--version" 0 "kobrix-cli $version" "" "$cli" --version
check "--version into a full disk" 2 "" "kobrix-cli: write error: No space left on device" \
    bash -c "\"$cli\" --version >/dev/full"

echo "$pass passed, $fail failed"
[ "$fail" = 0 ]
