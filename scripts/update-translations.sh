#!/bin/bash
# Brings i18n/sart-tester_ru.ts in step with the sources: new texts are added
# as unfinished, texts no longer in the sources are dropped. Translate the
# unfinished ones with linguist (or an editor) and commit the .ts; the build
# makes the .qm from it.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=$(command -v lupdate)
folders=(files record archive certificate register signing widgets serial documents finder mainwindow i18n)
# SART_TS_FILE: another .ts to bring in step (a copy, for a check).
"$lupdate" -no-obsolete -locations none -extensions cpp,h "${folders[@]}" -ts "${SART_TS_FILE:-i18n/sart-tester_ru.ts}" "$@"
