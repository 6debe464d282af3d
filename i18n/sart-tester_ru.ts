<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Lan&amp;guage</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>русский</translation>
    </message>
    <message>
        <source>English</source>
        <translation>английский</translation>
    </message>
    <message>
        <source>System (%1)</source>
        <comment>the system&apos;s language</comment>
        <translation>Системный (%1)</translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
