#!/bin/bash
# The translation check itself: it finds each kind of unready message in a
# .ts of known faults, naming the text, and passes one that is ready; and run
# over the sources, it passes the committed .ts once every message is
# translated and names a text the .ts lacks.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
check="$here/check-translations.py"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Each fault of fixtures/faults.ts, as the check names it.
out=$(python3 "$check" "$here/fixtures/faults.ts"); status=$?
[ $status -eq 1 ] || fail "faults.ts: exit status $status, expected 1"
while IFS= read -r expected; do
  grep -qxF "$expected" <<<"$out" || fail "not reported: $expected"
done <<'LINES'
Fixture: "Not yet done": unfinished
Fixture: "Left empty": empty translation
Fixture: "%n files": a plural form is empty
Fixture: "Cannot copy %1 to %2": places %1, the source has %1 %2
Fixture: "Cannot read %1": places %1 %2, the source has %1
Fixture: "%n values outside": places none, the source has %n
Fixture: "&Find...": 0 "&" accelerator(s), the source has 1
Fixture: "Find next": 1 "&" accelerator(s), the source has 0
Fixture: "&Close": 2 "&" accelerator(s), the source has 1
LINES
# The ready ones, "&&" (a plain ampersand) and a vanished text pass.
for ready in 'Ready %1' '&Open' 'Save && close' '%n records' 'Vanished'; do
  grep -qF "Fixture: \"$ready\":" <<<"$out" && fail "reported although ready: $ready"
done
# Qt's own texts (a context named after a Qt class) are Qt's translation's.
grep -q '^QPrintPreviewDialog' <<<"$out" && fail "a text of Qt's own translation reported"
[ "$(grep -c '^Fixture: ' <<<"$out")" -eq 9 ] || fail "unexpected reports:"$'\n'"$out"

# Over the sources: a copy of the committed .ts with every message given a
# translation that keeps its places and accelerator passes; without one of
# its messages, that text is named as missing.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/i18n/sart-tester_ru.ts" "$work/full.ts"
SART_TS_FILE="$work/full.ts" bash "$root/scripts/update-translations.sh" >/dev/null
python3 - "$work/full.ts" "$work/short.ts" <<'PY'
import sys, xml.etree.ElementTree as ET
tree = ET.parse(sys.argv[1])
for message in tree.getroot().iter('message'):
    translation = message.find('translation')
    translation.attrib.pop('type', None)
    source = message.findtext('source')
    if message.get('numerus') == 'yes':
        translation.text = None
        for f in list(translation):
            translation.remove(f)
        for _ in range(3):
            ET.SubElement(translation, 'numerusform').text = 'ru ' + source
    else:
        translation.text = 'ru ' + source
tree.write(sys.argv[1], encoding='utf-8', xml_declaration=True)
# The program's first text (not one of Qt's own) left out of the short copy.
import re
left = None
for context in tree.getroot().iter('context'):
    for message in context.findall('message'):
        if left is None and not re.match(r'Q[A-Z]', context.findtext('name')):
            left = message
            context.remove(message)
            print(context.findtext('name') + ': "' + message.findtext('source') + '"', file=open(sys.argv[2] + '.left', 'w'))
tree.write(sys.argv[2], encoding='utf-8', xml_declaration=True)
PY
out=$(bash "$here/tst_translations.sh" "$work/full.ts" 2>&1) || fail "a fully translated .ts fails:"$'\n'"$out"
left=$(cat "$work/short.ts.left")
out=$(bash "$here/tst_translations.sh" "$work/short.ts" 2>&1) && fail "a .ts lacking $left passes"
grep -qxF "$left: missing (new in the sources)" <<<"$out" || fail "$left not named as missing:"$'\n'"$out"

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
[ $failures -eq 0 ]
