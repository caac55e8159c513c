#!/usr/bin/env bash
# Every text of the windows is translated into every language, and no
# language file keeps a text the code no longer has: lupdate runs over the
# sources into temporary copies of translations/kobrix_LANG.ts, and the
# copies are read back. A text the code has but a file lacks comes in
# unfinished; a text the file has but the code lost is marked vanished or
# obsolete. Each finished translation keeps the placeholders (%1, %L1, %n,
# %Ln) of its source, and a mnemonic (&) where the source has one.
#
# usage: check_translations.sh [--self-test] LUPDATE SOURCE_DIR TRANSLATIONS_DIR
#   --self-test first checks that a text added to a copy of the sources
#   without a translation fails the check.
set -euo pipefail

self_test=0
if [ "${1:-}" = --self-test ]; then
    self_test=1
    shift
fi
lupdate=${1:?usage: check_translations.sh [--self-test] LUPDATE SOURCE_DIR TRANSLATIONS_DIR}
sources=${2:?usage: check_translations.sh [--self-test] LUPDATE SOURCE_DIR TRANSLATIONS_DIR}
translations=${3:?usage: check_translations.sh [--self-test] LUPDATE SOURCE_DIR TRANSLATIONS_DIR}
if ! command -v "$lupdate" >/dev/null 2>&1; then
    echo "check_translations: no lupdate at '$lupdate' (Debian package qt6-l10n-tools)" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check SOURCE_DIR TRANSLATIONS_DIR OUT_DIR: prints what is wrong, fails
# when anything is.
check() {
    local src=$1 dir=$2 out=$3 ts copy
    mkdir -p "$out"
    shopt -s nullglob
    local files=("$dir"/kobrix_*.ts)
    shopt -u nullglob
    if [ ${#files[@]} -eq 0 ]; then
        echo "check_translations: no kobrix_*.ts in $dir" >&2
        return 1
    fi
    for ts in "${files[@]}"; do
        copy=$out/$(basename "$ts")
        cp "$ts" "$copy"
        if ! "$lupdate" -silent -locations none "$src" -ts "$copy" >"$out/log" 2>&1; then
            cat "$out/log" >&2
            return 1
        fi
    done
    python3 - "$out"/kobrix_*.ts <<'PYTHON'
import re, sys, xml.etree.ElementTree as ET

placeholder = re.compile(r'%L?(?:n|[1-9][0-9]?)')
failed = False
for path in sys.argv[1:]:
    root = ET.parse(path).getroot()
    language = root.get('language')
    problems = []
    texts = 0
    for context in root.iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            source = message.findtext('source') or ''
            translation = message.find('translation')
            kind = translation.get('type', '')
            where = f'{name}: "{source}"'
            if kind in ('vanished', 'obsolete'):
                problems.append(f'kept, but no longer in the code: {where}')
                continue
            texts += 1
            if kind == 'unfinished':
                problems.append(f'not translated: {where}')
                continue
            forms = ([f.text or '' for f in translation.iter('numerusform')]
                     if message.get('numerus') == 'yes' else [translation.text or ''])
            for form in forms:
                if not form.strip():
                    problems.append(f'empty translation: {where}')
                elif sorted(set(placeholder.findall(form))) != sorted(set(placeholder.findall(source))):
                    problems.append(f'placeholders differ: {where} -> "{form}"')
                elif re.search(r'&[^&\s]', source) and not re.search(r'&[^&\s]', form):
                    problems.append(f'mnemonic lost: {where} -> "{form}"')
    for problem in problems:
        print(f'check_translations: {language}: {problem}', file=sys.stderr)
    print(f'check_translations: {language}: {texts} texts, {len(problems)} problems')
    failed = failed or bool(problems)
sys.exit(1 if failed else 0)
PYTHON
}

if [ $self_test -eq 1 ]; then
    # A copy of the sources with one text more, which no file translates.
    cp -r "$sources" "$work/src"
    cat >"$work/src/SelfTestText.cpp" <<'CPP'
#include <QCoreApplication>
QString selfTestText() { return QCoreApplication::translate("kobrix::SelfTest", "A text nobody translated"); }
CPP
    if check "$work/src" "$translations" "$work/self" >/dev/null 2>"$work/self.err"; then
        echo "check_translations: self-test: a text added untranslated was not noticed" >&2
        exit 1
    fi
    if ! grep -q 'not translated: kobrix::SelfTest: "A text nobody translated"' "$work/self.err"; then
        echo "check_translations: self-test: the untranslated text was not named:" >&2
        cat "$work/self.err" >&2
        exit 1
    fi
    echo "check_translations: self-test: an untranslated text fails the check"
fi
check "$sources" "$translations" "$work/check"
