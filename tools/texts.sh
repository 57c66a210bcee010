#!/usr/bin/env bash
# The game's texts to translate, gathered from the sources into po/gobbler.pot (every French
# text shown through tr() or marked N_()). "tools/texts.sh check" fails when the template is
# out of date or a language lacks a translation.
set -euo pipefail
cd "$(dirname "$0")/.."
pot="$(mktemp)"
trap 'rm -f "$pot"' EXIT
LC_ALL=C.UTF-8 xgettext --from-code=UTF-8 --language=C++ --keyword --keyword=tr --keyword=N_ \
    --no-location --sort-output --package-name=gobbler --output="$pot" \
    $(git ls-files --cached --others --exclude-standard 'src/*.cpp' 'src/*.h')
# The template's header names its texts' encoding and no date, so that it changes with them only.
sed -i -e 's/charset=CHARSET/charset=UTF-8/' -e '/^"POT-Creation-Date:/d' "$pot"
if [ "${1:-}" != check ]; then
    cp "$pot" po/gobbler.pot
    for po in po/*.po; do msgmerge --quiet --update --backup=none --no-location "$po" po/gobbler.pot; done
    exit 0
fi
cmp -s "$pot" po/gobbler.pot || { echo "po/gobbler.pot is out of date: run tools/texts.sh" >&2; exit 1; }
for po in po/*.po; do
    # Every text of the game has its translation, none fuzzy or left over.
    msgcmp "$po" po/gobbler.pot
    stats="$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1)"
    case "$stats" in *fuzzy* | *untranslated*) echo "$po: $stats" >&2; exit 1 ;; esac
done
