#!/usr/bin/env python3
"""Says which messages of a Qt .ts file are not ready to ship, one per line.

usage: check-translations.py TS [--committed COMMITTED_TS]

TS is the .ts as lupdate leaves it after a run over the sources. A message
fails when it is unfinished, when its translation (or one of its plural
forms) is empty, when the translation drops or adds a %1..%9 or %n, or when
the source has an "&" accelerator and the translation has none (or more than
one), or the other way round. Contexts named after Qt's own classes
(QPrintPreviewDialog, ...) are texts looked up in Qt's translation, which
the program installs beside its own: they are not checked. With --committed, a message of TS that the
committed .ts lacks is reported as missing (new in the sources). Exit status
0 when every message is ready, 1 otherwise.
"""
import argparse
import re
import sys
import xml.etree.ElementTree as ET

PLACE = re.compile(r'%L?(\d+|n)')
QT_CLASS = re.compile(r'Q[A-Z]\w*$')


def messages(path):
    for context in ET.parse(path).getroot().iter('context'):
        name = context.findtext('name') or ''
        for message in context.iter('message'):
            yield name, message


def key(context, message):
    return (context, message.findtext('source') or '', message.findtext('comment') or '')


def places(text):
    return sorted(set(PLACE.findall(text)))


def accelerators(text):
    # "&&" is a literal ampersand; "& " is not an accelerator either.
    return len(re.findall(r'&(?=[^&\s])', text.replace('&&', '')))


def problems(context, message, committed):
    source = message.findtext('source') or ''
    translation = message.find('translation')
    kind = translation.get('type') if translation is not None else None
    if kind in ('vanished', 'obsolete'):
        return []
    if committed is not None and key(context, message) not in committed:
        return ['missing (new in the sources)']
    found = []
    if kind == 'unfinished':
        found.append('unfinished')
    if translation is None:
        return found + ['no translation']
    forms = [f.text or '' for f in translation.iter('numerusform')]
    if message.get('numerus') == 'yes':
        if not forms or any(not f.strip() for f in forms):
            return found + ['a plural form is empty']
    else:
        forms = [translation.text or '']
        if not forms[0].strip():
            return found + ['empty translation']
    for form in forms:
        if places(form) != places(source):
            found.append('places %s, the source has %s' % (' '.join('%' + p for p in places(form)) or 'none',
                                                           ' '.join('%' + p for p in places(source)) or 'none'))
        if (accelerators(source) > 0) != (accelerators(form) == 1) or accelerators(form) > 1:
            found.append('%d "&" accelerator(s), the source has %d' % (accelerators(form), accelerators(source)))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('ts')
    parser.add_argument('--committed')
    args = parser.parse_args()
    committed = None
    if args.committed:
        committed = {key(c, m) for c, m in messages(args.committed)}
    failed = 0
    for context, message in messages(args.ts):
        if QT_CLASS.match(context):
            continue
        for problem in problems(context, message, committed):
            failed += 1
            print('%s: "%s": %s' % (context, message.findtext('source'), problem))
    if failed:
        print('%d problem(s) in %s' % (failed, args.ts))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
