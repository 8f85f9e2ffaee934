#!/usr/bin/env bash
# Refreshes the Russian translation from the sources, then fills translations
# from the TSV files given (context<TAB>source<TAB>translation, see
# scripts/merge-translations.py).
#
#   scripts/update-translation.sh [file.tsv ...]
#
# Every top-level source folder of the station is scanned, so a new one is
# never forgotten; tst_translation runs the same scan. TS_FILE and LUPDATE
# override the translation file and the lupdate program.
set -euo pipefail
cd "$(dirname "$0")/.."
ts=${TS_FILE:-resources/translations/kestrel_ru.ts}
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}

folders=()
for dir in */; do
    dir=${dir%/}
    case $dir in
        tests | tools | scripts | resources | build*) continue ;;
    esac
    if [[ -n $(find "$dir" \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) -print -quit) ]]; then
        folders+=("$dir")
    fi
done

"$lupdate" -silent -no-obsolete -locations relative -I . "${folders[@]}" -ts "$ts"
if (($#)); then
    scripts/merge-translations.py "$ts" "$@"
fi
