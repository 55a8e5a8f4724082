<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BarcodeItem</name>
    <message>
        <source>Out of memory.</source>
        <translation>Nicht genug Arbeitsspeicher.</translation>
    </message>
    <message>
        <source>Code 128</source>
        <translation>Code 128</translation>
    </message>
    <message>
        <source>GS1-128</source>
        <translation>GS1-128</translation>
    </message>
    <message>
        <source>EAN-13</source>
        <translation>EAN-13</translation>
    </message>
    <message>
        <source>UPC-A</source>
        <translation>UPC-A</translation>
    </message>
    <message>
        <source>Code 39</source>
        <translation>Code 39</translation>
    </message>
    <message>
        <source>Interleaved 2 of 5</source>
        <translation>Interleaved 2 of 5</translation>
    </message>
    <message>
        <source>Data Matrix</source>
        <translation>Data Matrix</translation>
    </message>
    <message>
        <source>PDF417</source>
        <translation>PDF417</translation>
    </message>
    <message>
        <source>Aztec</source>
        <translation>Aztec</translation>
    </message>
    <message>
        <source>The %1 barcode &quot;%2&quot; cannot be encoded: %3</source>
        <translation>Der %1-Strichcode &quot;%2&quot; lässt sich nicht codieren: %3</translation>
    </message>
</context>
<context>
    <name>BarcodeItemDialog</name>
    <message>
        <source>Barcode</source>
        <translation>Strichcode</translation>
    </message>
    <message>
        <source>&amp;Symbology:</source>
        <translation>&amp;Codeart:</translation>
    </message>
    <message>
        <source>&amp;Content:</source>
        <translation>&amp;Inhalt:</translation>
    </message>
    <message>
        <source>Text, digits or placeholders such as {%code%}</source>
        <translation>Text, Ziffern oder Platzhalter wie {%code%}</translation>
    </message>
    <message>
        <source>&amp;Text under the bars</source>
        <translation>&amp;Klartext unter den Strichen</translation>
    </message>
    <message>
        <source>Checked again when printed, with its placeholders filled in: %1</source>
        <translation>Wird beim Drucken mit ausgefüllten Platzhaltern erneut geprüft: %1</translation>
    </message>
</context>
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
    <name>CsvTable</name>
    <message>
        <source>Failed to open the data file %1 (%2)</source>
        <translation>Die Datendatei %1 konnte nicht geöffnet werden (%2)</translation>
    </message>
    <message>
        <source>The data file %1 is larger than %2 bytes.</source>
        <translation>Die Datendatei %1 ist größer als %2 Bytes.</translation>
    </message>
    <message>
        <source>Failed to read the data file %1 (%2)</source>
        <translation>Die Datendatei %1 konnte nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>The data is not UTF-8 text.</source>
        <translation>Die Daten sind kein UTF-8-Text.</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>a quoted field is never closed.</source>
        <translation>ein Feld in Anführungszeichen wird nie geschlossen.</translation>
    </message>
    <message>
        <source>text follows the closing quote of a field.</source>
        <translation>nach dem schließenden Anführungszeichen eines Felds folgt Text.</translation>
    </message>
    <message>
        <source>a quote inside a field that does not start with one.</source>
        <translation>ein Anführungszeichen in einem Feld, das nicht mit einem beginnt.</translation>
    </message>
    <message>
        <source>there is no header row.</source>
        <translation>es gibt keine Kopfzeile.</translation>
    </message>
    <message>
        <source>a column has no name.</source>
        <translation>eine Spalte hat keinen Namen.</translation>
    </message>
    <message>
        <source>the row has %1 fields, the header has %2.</source>
        <translation>die Zeile hat %1 Felder, die Kopfzeile hat %2.</translation>
    </message>
</context>
<context>
    <name>ImageItem</name>
    <message>
        <source>The image is too large for a label: %1 bytes, at most %2.</source>
        <translation>Das Bild ist für ein Etikett zu groß: %1 Bytes, höchstens %2.</translation>
    </message>
    <message>
        <source>The SVG drawing cannot be read.</source>
        <translation>Die SVG-Zeichnung lässt sich nicht lesen.</translation>
    </message>
    <message>
        <source>The data is no image in a format this program reads.</source>
        <translation>Die Daten sind kein Bild in einem Format, das dieses Programm liest.</translation>
    </message>
    <message>
        <source>The image is too large for a label: %1 x %2 pixels, at most %3 pixels.</source>
        <translation>Das Bild ist für ein Etikett zu groß: %1 x %2 Pixel, höchstens %3 Pixel.</translation>
    </message>
</context>
<context>
    <name>LabelExporter</name>
    <message>
        <source>Failed to export: %1</source>
        <translation>Export fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>LabelFile</name>
    <message>
        <source>Failed to open file: %1</source>
        <translation>Datei konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>%1 is too large for a label: %2 bytes, at most %3.</source>
        <translation>%1 ist zu groß für ein Etikett: %2 Bytes, höchstens %3.</translation>
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
        <source>Failed to save file: %1</source>
        <translation>Datei konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>%1 is damaged: only part of the label could be read.</source>
        <translation>%1 ist beschädigt: nur ein Teil des Etiketts konnte gelesen werden.</translation>
    </message>
</context>
<context>
    <name>LabelOutput</name>
    <message>
        <source>Failed to write %1</source>
        <translation>%1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1: the suffix names no format the labels can be written in (.pdf, .svg or an image format).</source>
        <translation>%1: Die Endung nennt kein Format, in das die Etiketten geschrieben werden können (.pdf, .svg oder ein Bildformat).</translation>
    </message>
    <message>
        <source>Stopped: %1 was not written.</source>
        <translation>Abgebrochen: %1 wurde nicht geschrieben.</translation>
    </message>
</context>
<context>
    <name>LabelPrinter</name>
    <message>
        <source>The page settings cannot be printed: %1 x %2 mm at %3 dpi</source>
        <translation>Die Seiteneinstellungen können nicht gedruckt werden: %1 x %2 mm bei %3 dpi</translation>
    </message>
    <message>
        <source>The label was not printed: %1</source>
        <translation>Das Etikett wurde nicht gedruckt: %1</translation>
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
        <source>Failed to print on %1: %2</source>
        <translation>Drucken auf %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>Items reach into the printer&apos;s unprintable margins and are cut off there.</source>
        <translation>Elemente reichen in die nicht bedruckbaren Ränder des Druckers und werden dort abgeschnitten.</translation>
    </message>
</context>
<context>
    <name>LabelRenderer</name>
    <message>
        <source>Label %1 of %2: %3</source>
        <translation>Etikett %1 von %2: %3</translation>
    </message>
</context>
<context>
    <name>LabelValues</name>
    <message>
        <source>The count must be a whole number from 1 to %1.</source>
        <translation>Die Anzahl muss eine ganze Zahl von 1 bis %1 sein.</translation>
    </message>
    <message>
        <source>A series needs a serial of digits only, at most %1: &quot;%2&quot;.</source>
        <translation>Eine Serie braucht eine Seriennummer nur aus Ziffern, höchstens %1: &quot;%2&quot;.</translation>
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
        <source>Loaded %1</source>
        <translation>%1 geladen</translation>
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
        <source>Exported %1</source>
        <translation>%1 exportiert</translation>
    </message>
    <message>
        <source>Print Series...</source>
        <translation>Serie drucken...</translation>
    </message>
    <message>
        <source>Printing labels...</source>
        <translation>Etiketten werden gedruckt...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Stopped after %1 of %2 labels: the labels done were sent to the printer.</source>
        <translation>Nach %1 von %2 Etiketten angehalten: Die fertigen Etiketten wurden an den Drucker gesendet.</translation>
    </message>
    <message>
        <source>Printed %1 labels of %2</source>
        <translation>%1 Etiketten von %2 gedruckt</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Füllung</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Umriss</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Bring to Front</source>
        <translation>In den Vordergrund</translation>
    </message>
    <message>
        <source>Send to Back</source>
        <translation>In den Hintergrund</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Add Barcode</source>
        <translation>Strichcode hinzufügen</translation>
    </message>
    <message>
        <source>Add Image...</source>
        <translation>Bild hinzufügen...</translation>
    </message>
    <message>
        <source>%1 - Add Image</source>
        <translation>%1 - Bild hinzufügen</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Failed to open file: %1</source>
        <translation>Datei konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Pasted image</source>
        <translation>Eingefügtes Bild</translation>
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
    <name>PrintMode</name>
    <message>
        <source>%1 of %2 labels, %3 labels a second</source>
        <translation>%1 von %2 Etiketten, %3 Etiketten pro Sekunde</translation>
    </message>
    <message>
        <source>%1 has %2 data rows; a run takes 1 to %3.</source>
        <translation>%1 hat %2 Datenzeilen; ein Lauf nimmt 1 bis %3.</translation>
    </message>
</context>
<context>
    <name>PrintSeriesDialog</name>
    <message>
        <source>Print Series</source>
        <translation>Serie drucken</translation>
    </message>
    <message>
        <source>Numbered series</source>
        <translation>Nummerierte Serie</translation>
    </message>
    <message>
        <source>First serial:</source>
        <translation>Erste Seriennummer:</translation>
    </message>
    <message>
        <source>Count:</source>
        <translation>Anzahl:</translation>
    </message>
    <message>
        <source>One label per row of a data file (CSV)</source>
        <translation>Ein Etikett pro Zeile einer Datendatei (CSV)</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Choose a data file.</source>
        <translation>Wählen Sie eine Datendatei.</translation>
    </message>
    <message>
        <source>The data file has no rows.</source>
        <translation>Die Datendatei hat keine Zeilen.</translation>
    </message>
    <message>
        <source>%1 - Data File</source>
        <translation>%1 - Datendatei</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Rows to print, one label each: %1</source>
        <translation>Zu druckende Zeilen, je ein Etikett: %1</translation>
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
    <message>
        <source>203dpi</source>
        <translation>203dpi</translation>
    </message>
    <message>
        <source>%1 in</source>
        <translation>%1 Zoll</translation>
    </message>
    <message>
        <source>%1 pt</source>
        <translation>%1 pt</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>Enter a size.</source>
        <translation>Geben Sie eine Größe ein.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number.</source>
        <translation>„%1“ ist keine Zahl.</translation>
    </message>
    <message>
        <source>Enter a size from %1 to %2.</source>
        <translation>Geben Sie eine Größe von %1 bis %2 ein.</translation>
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
    <message>
        <source>A QR code is empty: there is nothing to encode.</source>
        <translation>Ein QR-Code ist leer: Es gibt nichts zu kodieren.</translation>
    </message>
    <message>
        <source>A QR code&apos;s content of %1 bytes is longer than a QR code holds.</source>
        <translation>Der Inhalt eines QR-Codes von %1 Bytes ist länger, als ein QR-Code fassen kann.</translation>
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
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>--print and --output exclude each other.</source>
        <translation>--print und --output schließen einander aus.</translation>
    </message>
    <message>
        <source>--count and --data exclude each other.</source>
        <translation>--count und --data schließen einander aus.</translation>
    </message>
    <message>
        <source>--count and --data need --print or --output.</source>
        <translation>--count und --data brauchen --print oder --output.</translation>
    </message>
    <message>
        <source>%1: the suffix names no format to write (.pdf, .svg or an image format).</source>
        <translation>%1: Die Endung nennt kein Format zum Schreiben (.pdf, .svg oder ein Bildformat).</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Unerwartetes Argument: %1</translation>
    </message>
</context>
</TS>
