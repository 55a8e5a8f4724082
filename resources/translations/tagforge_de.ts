<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BrushWidget</name>
    <message>
        <source>No Brush</source>
        <translation>Keine Füllung</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>Durchgehend</translation>
    </message>
    <message>
        <source>Dense #1</source>
        <translation>Dicht #1</translation>
    </message>
    <message>
        <source>Dense #2</source>
        <translation>Dicht #2</translation>
    </message>
    <message>
        <source>Dense #3</source>
        <translation>Dicht #3</translation>
    </message>
    <message>
        <source>Dense #4</source>
        <translation>Dicht #4</translation>
    </message>
    <message>
        <source>Dense #5</source>
        <translation>Dicht #5</translation>
    </message>
    <message>
        <source>Dense #6</source>
        <translation>Dicht #6</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Waagerecht</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Senkrecht</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>Diagonal /</source>
        <translation>Diagonal /</translation>
    </message>
    <message>
        <source>Diagonal \</source>
        <translation>Diagonal \</translation>
    </message>
    <message>
        <source>Diagonal Cross</source>
        <translation>Diagonalkreuz</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>The language changes at the next start.</source>
        <translation>Die Sprache wechselt beim nächsten Start.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>Failed to save file: %1</source>
        <translation>Datei konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>%1 is damaged: only part of the label could be read.</source>
        <translation>%1 ist beschädigt: nur ein Teil des Etiketts konnte gelesen werden.</translation>
    </message>
    <message>
        <source>Loaded %1</source>
        <translation>%1 geladen</translation>
    </message>
    <message>
        <source>Failed to open file: %1</source>
        <translation>Datei konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>%1 is not a %2 file</source>
        <translation>%1 ist keine %2-Datei</translation>
    </message>
    <message>
        <source>%1 needs a more recent version of %2</source>
        <translation>%1 benötigt eine neuere Version von %2</translation>
    </message>
    <message>
        <source>Ready</source>
        <comment>main</comment>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Page Size...</source>
        <translation>Seitengröße...</translation>
    </message>
    <message>
        <source>Print Preview...</source>
        <translation>Druckvorschau...</translation>
    </message>
    <message>
        <source>Edit Selected Item...</source>
        <translation>Ausgewähltes Element bearbeiten...</translation>
    </message>
    <message>
        <source>Add Text...</source>
        <translation>Text hinzufügen...</translation>
    </message>
    <message>
        <source>Add Box</source>
        <translation>Rechteck hinzufügen</translation>
    </message>
    <message>
        <source>Add QR Code</source>
        <translation>QR-Code hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Clear Transformations</source>
        <translation>Drehungen zurücksetzen</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Zoom Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>*</source>
        <translation>*</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>Raster anzeigen</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Ausrichten</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Geometry</source>
        <translation>Geometrie</translation>
    </message>
    <message>
        <source>Brush (Fill)</source>
        <translation>Pinsel (Füllung)</translation>
    </message>
    <message>
        <source>Pen (Outline)</source>
        <translation>Stift (Umriss)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Unnamed</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1 - Open</source>
        <translation>%1 - Öffnen</translation>
    </message>
    <message>
        <source>Quillet (*.qlt)</source>
        <translation>Quillet (*.qlt)</translation>
    </message>
    <message>
        <source>%1 - Save As</source>
        <translation>%1 - Speichern unter</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>Save unsaved changes?</source>
        <translation>Ungespeicherte Änderungen speichern?</translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
    <message>
        <source>No default printer is set up: the label was not printed.</source>
        <translation>Es ist kein Standarddrucker eingerichtet: das Etikett wurde nicht gedruckt.</translation>
    </message>
    <message>
        <source>Failed to print on %1</source>
        <translation>Drucken auf %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>%1 gedruckt</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>;;Bitmap image</source>
        <translation>;;Rastergrafik</translation>
    </message>
    <message>
        <source>;;Vector image (*.svg)</source>
        <translation>;;Vektorgrafik (*.svg)</translation>
    </message>
    <message>
        <source>%1 - Export</source>
        <translation>%1 - Exportieren</translation>
    </message>
    <message>
        <source>Failed to export: %1</source>
        <translation>Export fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Exported %1</source>
        <translation>%1 exportiert</translation>
    </message>
    <message>
        <source>Failed to print on %1: %2</source>
        <translation>Drucken auf %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>The page settings cannot be printed: %1 x %2 mm at %3 dpi</source>
        <translation>Die Seiteneinstellungen lassen sich nicht drucken: %1 x %2 mm bei %3 dpi</translation>
    </message>
</context>
<context>
    <name>PenWidget</name>
    <message>
        <source>No Pen</source>
        <translation>Keine Linie</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>Durchgehend</translation>
    </message>
    <message>
        <source>Dashed</source>
        <translation>Gestrichelt</translation>
    </message>
    <message>
        <source>Dotted</source>
        <translation>Gepunktet</translation>
    </message>
    <message>
        <source>Dash-Dotted</source>
        <translation>Strich-Punkt</translation>
    </message>
    <message>
        <source>Dash-Dot-Dotted</source>
        <translation>Strich-Punkt-Punkt</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>1 px (fine)</source>
        <translation>1 px (fein)</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
</context>
<context>
    <name>PrinterSetting</name>
    <message>
        <source>Page Setting</source>
        <translation>Seiteneinstellung</translation>
    </message>
    <message>
        <source>Custom Page Size</source>
        <translation>Eigene Seitengröße</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>Millimeter</source>
        <translation>Millimeter</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Punkt</translation>
    </message>
    <message>
        <source>Graphical</source>
        <translation>Grafik</translation>
    </message>
    <message>
        <source>Print quality:</source>
        <translation>Druckqualität:</translation>
    </message>
    <message>
        <source>72dpi</source>
        <translation>72dpi</translation>
    </message>
    <message>
        <source>96dpi</source>
        <translation>96dpi</translation>
    </message>
    <message>
        <source>144dpi</source>
        <translation>144dpi</translation>
    </message>
    <message>
        <source>300dpi</source>
        <translation>300dpi</translation>
    </message>
    <message>
        <source>600dpi</source>
        <translation>600dpi</translation>
    </message>
    <message>
        <source>1200dpi</source>
        <translation>1200dpi</translation>
    </message>
    <message>
        <source>2400dpi</source>
        <translation>2400dpi</translation>
    </message>
    <message>
        <source>3600dpi</source>
        <translation>3600dpi</translation>
    </message>
    <message>
        <source>4000dpi</source>
        <translation>4000dpi</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unnamed</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>QRCodeItem</name>
    <message>
        <source>QR barcode:</source>
        <translation>QR-Code:</translation>
    </message>
</context>
<context>
    <name>TextEdit</name>
    <message>
        <source>The content in {} will be replaced. %1 %2</source>
        <translation>Der Inhalt in {} wird ersetzt. %1 %2</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
</context>
<context>
    <name>TextItemDialog</name>
    <message>
        <source>%1 - %2 Text Item</source>
        <translation>%1 - Textelement %2</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>hinzufügen</translation>
    </message>
</context>
<context>
    <name>TransformWidget</name>
    <message>
        <source>Angle</source>
        <translation>Winkel</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
</context>
</TS>
