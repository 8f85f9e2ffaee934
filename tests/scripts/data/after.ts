<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CFirst</name>
    <message>
        <location filename="../../app/CFirst.cpp" line="+10"/>
        <source>Kept</source>
        <translation>Оставлено</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Two
lines &amp; &quot;marks&quot;</source>
        <translation>Две
строки &amp; «метки» &lt;b&gt;</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Replaced</source>
        <translation>Новый</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Left alone</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSecond</name>
    <message>
        <location filename="../../app/CSecond.cpp" line="+3"/>
        <source>Kept</source>
        <translation>Сохранено</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n events</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
</TS>
