#!/bin/bash
# The Russian translation is complete: lupdate, run over the sources as
# scripts/update-translations.sh runs it but into a copy of the committed .ts,
# finds no text that is new, unfinished or untranslated, and every translation
# keeps its source's %1..%n and "&" accelerator.
# usage: tst_translations.sh [TS]   (default: i18n/sart-tester_ru.ts)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
committed=$(realpath "${1:-$root/i18n/sart-tester_ru.ts}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$committed" "$work/sart-tester_ru.ts"
SART_TS_FILE="$work/sart-tester_ru.ts" bash "$root/scripts/update-translations.sh" >/dev/null
python3 "$root/tests/i18n/check-translations.py" "$work/sart-tester_ru.ts" --committed "$committed"
