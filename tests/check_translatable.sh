#!/usr/bin/env bash
# Runs lupdate over the sources into a temporary .ts file and checks that it
# collects the program's texts: the captions of every window, the texts the
# windows and the command line share, and the error descriptions. A text
# that bypasses tr() (or reaches it only through a variable without a
# QT_TRANSLATE_NOOP) is missing from the .ts file and named here.
#
# usage: check_translatable.sh LUPDATE SOURCE_DIR
set -euo pipefail

lupdate=${1:?usage: check_translatable.sh LUPDATE SOURCE_DIR}
sources=${2:?usage: check_translatable.sh LUPDATE SOURCE_DIR}
if ! command -v "$lupdate" >/dev/null 2>&1; then
    echo "check_translatable: no lupdate at '$lupdate' (Debian package qt6-l10n-tools)" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ts=$work/kobrix.ts
if ! "$lupdate" -locations none -no-obsolete "$sources" -ts "$ts" >"$work/log" 2>&1; then
    cat "$work/log" >&2
    exit 1
fi
# lupdate says what it could not understand (a tr() without a class, an
# unknown context) as a warning but still succeeds.
if grep -qi 'warning' "$work/log"; then
    grep -i 'warning' "$work/log" >&2
    exit 1
fi

# One context and source text per line, as lupdate writes them into the .ts.
expected=(
    # start dialog
    "kobrix::Form2|What do you want to do?"
    "kobrix::Form2|Create a new CD Catalog"
    "kobrix::Form2|Open your last CD Catalog"
    "kobrix::Form2|Search an Existing CD Catalog"
    "kobrix::Form2|Add a new Disk to an Existing CD Catalog"
    "kobrix::Form2|Type a name for your new Catalog"
    "kobrix::Form2|Enter Catalog name here"
    "kobrix::Form2|OK"
    "kobrix::Form2|Cancel"
    "kobrix::Form2| Please enter a name for the new catalog"
    # search window
    "kobrix::Form3|Find"
    "kobrix::Form3|Find "
    "kobrix::Form3|Cancel"
    "kobrix::Form3|Find what?"
    "kobrix::Form3|Search Results:"
    "kobrix::Form3|Found %1 Item(s)"
    "kobrix::Form3|Search text not found"
    # main window, among them a text held in a constant
    "kobrix::Form1|Write Catalog..."
    "kobrix::Form1|Scan CD"
    "kobrix::Form1|Error"
    "kobrix::Form1|This Drive is unavailable Please insert a CD or Close the CD Drive Door"
    # the discs of a catalog
    "kobrix::Form1|&Catalog"
    "kobrix::Form1|&Discs..."
    "kobrix::FileViewActions|Show on &other discs"
    "kobrix::SearchPage|Found %1 Item(s) on %2 disc(s)"
    "kobrix::DiscListModel|%1 of %2 disc(s), %3 of %4 file(s)"
    "kobrix::DiscsWindowOutput|&Export..."
    "kobrix::DiscsWindowOutput|As a CD &Case Booklet..."
    "kobrix::DiscsWindowOutput|Exported %1 file(s) of %2 disc(s) to %3"
    "kobrix::DuplicatesModel|Discs"
    # About box
    "kobrix::Form4|About"
    "kobrix::Form4|Freeware: copy it and share it freely."
    # shared by the windows and the command line
    "kobrix::ProgramTexts|CD Catalog Files (*.cdc)|*.cdc"
    "kobrix::ProgramTexts|Error in WriteList"
    "kobrix::ProgramTexts|Error Reading file"
    "kobrix::ProgramTexts|Error scanning %1"
    "kobrix::ProgramTexts|Error reading disc image %1"
    "kobrix::ProgramTexts|Please enter a Disk Name or Number"
    "kobrix::ProgramTexts|Listbox is empty - cannot write to file!"
    "kobrix::ProgramTexts|Enter a search string"
    "kobrix::ProgramTexts|There is no disc named \"%1\" in %2"
    "kobrix::ProgramTexts|%1 added, %2 removed, %3 unchanged"
    # updating a disc, recognising one
    "kobrix::Form1|&Update Disc in Catalog..."
    "kobrix::Form1|Already in %1 as \"%2\" (%3 of %4 files)"
    "kobrix::DiscUpdateDialog|Update Disc in Catalog"
    "kobrix::DiscUpdateDialog|&Update"
    "kobrix::ProgramTexts|%1 discs, %2 files"
    "kobrix::ProgramTexts|%1 of %2 files"
    "kobrix::ProgramTexts|Lines without a disc name"
    "kobrix::ProgramTexts|%1 (%2 files)"
    "kobrix::ProgramTexts|Page %1 of %2"
    "kobrix::ProgramTexts|%1 (continued)"
    "kobrix::ProgramTexts|A PDF export needs an output file: -o FILE"
    "kobrix::ProgramTexts|There is no folder %1 on the disc \"%2\""
    "kobrix::ProgramTexts|(lines without a disc name)"
    # error descriptions
    "kobrix::RuntimeError|File not found"
    "kobrix::RuntimeError|Device unavailable"
    "kobrix::RuntimeError|Path/File access error"
    "kobrix::RuntimeError|Application-defined or object-defined error"
    "kobrix::RuntimeError|Damaged disc image: %1"
    "kobrix::RuntimeError| (record %1 is longer than %2 bytes)"
)

# Bash 5.2 reads "&" in a replacement as the matched text; here it is meant
# literally.
shopt -u patsub_replacement 2>/dev/null || true
xml_escape() {
    local text=$1
    text=${text//&/&amp;}
    text=${text//</&lt;}
    text=${text//>/&gt;}
    text=${text//\"/&quot;}
    printf '%s' "$text"
}

# "context|source" for every message of the .ts (single-line sources).
awk '
    /<name>/ { sub(/.*<name>/, ""); sub(/<\/name>.*/, ""); context = $0 }
    /<source>.*<\/source>/ { line = $0; sub(/.*<source>/, "", line); sub(/<\/source>.*/, "", line);
                             print context "|" line }
' "$ts" >"$work/collected"

missing=0
for entry in "${expected[@]}"; do
    if ! grep -qxF -- "$(xml_escape "$entry")" "$work/collected"; then
        echo "check_translatable: not collected: $entry" >&2
        missing=$((missing + 1))
    fi
done
total=$(grep -c '<source>' "$ts")
echo "check_translatable: lupdate collected $total texts; ${#expected[@]} checked, $missing missing"
[ "$missing" -eq 0 ]
