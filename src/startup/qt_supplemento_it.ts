<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The toolkit's own texts that its Italian catalogue (qtbase_it.qm of Qt 6.4)
     lacks, by the context and disambiguation the toolkit looks them up with:
     the print dialog's page range and two-sided printing, its properties'
     "Advanced" tab, the file dialog's type column. Loaded after that
     catalogue, so looked up first; everything not here falls through to it. -->
<TS version="2.1" language="it_IT" sourcelanguage="en">
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>Pagine</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Indicare pagine o intervalli separati da virgole; un intervallo è dato da due numeri separati da un trattino. Ad esempio 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Stampa fronte/retro</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Disattivata</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Rilegatura sul lato lungo</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Rilegatura sul lato corto</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Avanzate</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Alcune opzioni sono in conflitto: correggerle.</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Cartella</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unità</translation>
    </message>
</context>
</TS>
