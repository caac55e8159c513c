<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>DiscArrivals</name>
    <message>
        <source>Noticing discs is not supported here</source>
        <translation>Das Erkennen eingelegter Datenträger wird hier nicht unterstützt</translation>
    </message>
    <message>
        <source>UDisks2 knows no drive %1</source>
        <translation>UDisks2 kennt kein Laufwerk %1</translation>
    </message>
    <message>
        <source>The kernel&apos;s device events cannot be read: %1</source>
        <translation>Die Geräteereignisse des Kernels können nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Drive changes cannot be heard: %1</source>
        <translation>Änderungen an Laufwerken können nicht verfolgt werden: %1</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Catalogue CD and DVD discs and find on which disc a file lies.</source>
        <translation>CDs und DVDs katalogisieren und finden, auf welchem Datenträger eine Datei liegt.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation>Die Version anzeigen und beenden.</translation>
    </message>
    <message>
        <source>A catalog (.cdc) to open for searching, in place of the start dialog.</source>
        <translation>Ein Katalog (.cdc), der statt des Startdialogs zum Durchsuchen geöffnet wird.</translation>
    </message>
    <message>
        <source>Try &apos;kobrix --help&apos; for more information.</source>
        <translation>Mehr dazu mit „kobrix --help“.</translation>
    </message>
    <message>
        <source>one catalog at a time, not %1</source>
        <translation>nur ein Katalog auf einmal, nicht %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatch</name>
    <message>
        <source>not added: no name was given</source>
        <translation>nicht hinzugefügt: kein Name angegeben</translation>
    </message>
    <message>
        <source>not read: the disc was taken out of the drive</source>
        <translation>nicht gelesen: der Datenträger wurde aus dem Laufwerk genommen</translation>
    </message>
    <message>
        <source>not read: %1</source>
        <translation>nicht gelesen: %1</translation>
    </message>
    <message>
        <source>not read: the disc holds no files</source>
        <translation>nicht gelesen: der Datenträger enthält keine Dateien</translation>
    </message>
    <message>
        <source>not added: %1</source>
        <translation>nicht hinzugefügt: %1</translation>
    </message>
    <message>
        <source>not updated: %1</source>
        <translation>nicht aktualisiert: %1</translation>
    </message>
    <message>
        <source>already in the catalog as %1</source>
        <translation>bereits im Katalog als %1</translation>
    </message>
    <message>
        <source>changed, left as it was</source>
        <translation>geändert, im Katalog belassen</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>aktualisiert</translation>
    </message>
    <message>
        <source>added</source>
        <translation>hinzugefügt</translation>
    </message>
    <message>
        <source>%1: %2 added, %3 removed</source>
        <translation>%1: %2 hinzugekommen, %3 entfernt</translation>
    </message>
    <message>
        <source>The catalog already holds another disc named %1</source>
        <translation>Der Katalog enthält bereits einen anderen Datenträger namens %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatchWindow</name>
    <message>
        <source>There is no CD-ROM drive to take the discs.</source>
        <translation>Es gibt kein CD-Laufwerk, das die Datenträger aufnehmen kann.</translation>
    </message>
    <message>
        <source>Catalog Discs Into</source>
        <translation>Datenträger katalogisieren in</translation>
    </message>
    <message>
        <source>Catalog Discs One After Another</source>
        <translation>Datenträger nacheinander katalogisieren</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>Katalog: %1</translation>
    </message>
    <message>
        <source>&amp;Drive:</source>
        <translation>&amp;Laufwerk:</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>S&amp;tarten</translation>
    </message>
    <message>
        <source>Disc &amp;name:</source>
        <translation>Datenträger&amp;name:</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Update the Disc</source>
        <translation>Datenträger &amp;aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Leave It as It Is</source>
        <translation>&amp;Unverändert lassen</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>What was done</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>End the run once the disc in hand is done (Esc)</source>
        <translation>Nach dem aktuellen Datenträger aufhören (Esc)</translation>
    </message>
    <message>
        <source>Choose the drive the discs go into, then Start.</source>
        <translation>Wählen Sie das Laufwerk für die Datenträger, dann „Starten“.</translation>
    </message>
    <message>
        <source>The tray could not be opened (%1): take the disc out by hand.</source>
        <translation>Die Schublade ließ sich nicht öffnen (%1): Bitte nehmen Sie den Datenträger von Hand heraus.</translation>
    </message>
    <message>
        <source>The drive cannot be watched: %1</source>
        <translation>Das Laufwerk kann nicht überwacht werden: %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Reading the disc...</source>
        <translation>Datenträger wird gelesen...</translation>
    </message>
    <message>
        <source>Writing to the catalog...</source>
        <translation>Katalog wird geschrieben...</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Angehalten.</translation>
    </message>
    <message>
        <source>A new disc.</source>
        <translation>Ein neuer Datenträger.</translation>
    </message>
    <message>
        <source>The disc has no label: type its name and press Enter.</source>
        <translation>Der Datenträger hat keine Bezeichnung: Geben Sie seinen Namen ein und drücken Sie die Eingabetaste.</translation>
    </message>
    <message>
        <source>It is added under its label in a few seconds; to give it another name, type it and press Enter.</source>
        <translation>Er wird in wenigen Sekunden unter seiner Bezeichnung hinzugefügt; für einen anderen Namen geben Sie diesen ein und drücken die Eingabetaste.</translation>
    </message>
    <message>
        <source>This disc is in the catalog as %1, and it has changed.</source>
        <translation>Dieser Datenträger ist als %1 im Katalog und hat sich geändert.</translation>
    </message>
    <message>
        <source>Stopping once this disc is done...</source>
        <translation>Wird nach diesem Datenträger angehalten...</translation>
    </message>
    <message>
        <source>Reading the disc: files found so far: %1</source>
        <translation>Datenträger wird gelesen: bisher gefundene Dateien: %1</translation>
    </message>
    <message>
        <source>Files added: %1, removed: %2. Update the disc in the catalog?</source>
        <translation>Dateien hinzugekommen: %1, entfernt: %2. Datenträger im Katalog aktualisieren?</translation>
    </message>
    <message>
        <source>Discs: %1</source>
        <translation>Datenträger: %1</translation>
    </message>
    <message>
        <source>added: %1 (files: %2)</source>
        <translation>hinzugefügt: %1 (Dateien: %2)</translation>
    </message>
    <message>
        <source>already in the catalog: %1</source>
        <translation>bereits im Katalog: %1</translation>
    </message>
    <message>
        <source>updated: %1</source>
        <translation>aktualisiert: %1</translation>
    </message>
    <message>
        <source>changed, left as they were: %1</source>
        <translation>geändert, belassen: %1</translation>
    </message>
    <message>
        <source>not read or not written: %1</source>
        <translation>nicht gelesen oder nicht geschrieben: %1</translation>
    </message>
    <message>
        <source>Waiting for the next disc in drive %1</source>
        <translation>Warten auf den nächsten Datenträger in Laufwerk %1</translation>
    </message>
    <message>
        <source>Files added and removed</source>
        <translation>Hinzugefügte und entfernte Dateien</translation>
    </message>
    <message>
        <source>Discs done</source>
        <translation>Erledigte Datenträger</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscListModel</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Katalog</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 disc(s), %3 file(s)</source>
        <translation>%1 Kataloge, %2 Datenträger, %3 Datei(en)</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)</source>
        <translation>%1 Kataloge, %2 von %3 Datenträger(n), %4 von %5 Datei(en)</translation>
    </message>
    <message>
        <source>%1 disc(s), %2 file(s)</source>
        <translation>%1 Datenträger, %2 Datei(en)</translation>
    </message>
    <message>
        <source>%1 of %2 disc(s), %3 of %4 file(s)</source>
        <translation>%1 von %2 Datenträger(n), %3 von %4 Datei(en)</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscTreeModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscUpdateDialog</name>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>Datenträger im Katalog aktualisieren</translation>
    </message>
    <message>
        <source>Update &quot;%1&quot; in %2</source>
        <translation>„%1“ in %2 aktualisieren</translation>
    </message>
    <message>
        <source>The disc scanned shares no file with &quot;%1&quot;: updating replaces every file of it. Is it the same disc?</source>
        <translation>Der eingelesene Datenträger hat keine Datei mit „%1“ gemeinsam: Beim Aktualisieren werden alle seine Dateien ersetzt. Ist es derselbe Datenträger?</translation>
    </message>
    <message>
        <source>Files &amp;added:</source>
        <translation>&amp;Hinzugekommene Dateien:</translation>
    </message>
    <message>
        <source>Files added</source>
        <translation>Hinzugekommene Dateien</translation>
    </message>
    <message>
        <source>Files &amp;removed:</source>
        <translation>&amp;Entfernte Dateien:</translation>
    </message>
    <message>
        <source>Files removed</source>
        <translation>Entfernte Dateien</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindow</name>
    <message>
        <source>Discs</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>Counting the discs...</source>
        <translation>Datenträger werden gezählt...</translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation>&amp;Filter:</translation>
    </message>
    <message>
        <source>Part of a disc name</source>
        <translation>Teil eines Datenträgernamens</translation>
    </message>
    <message>
        <source>&amp;Discs</source>
        <translation>&amp;Datenträger</translation>
    </message>
    <message>
        <source>&amp;Add Catalogs</source>
        <translation>Kataloge &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Catalog &amp;Files...</source>
        <translation>Katalog&amp;dateien...</translation>
    </message>
    <message>
        <source>All Catalogs in a F&amp;older...</source>
        <translation>Alle Kataloge eines &amp;Ordners...</translation>
    </message>
    <message>
        <source>Views</source>
        <translation>Ansichten</translation>
    </message>
    <message>
        <source>F&amp;olders</source>
        <translation>&amp;Ordner</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suche</translation>
    </message>
    <message>
        <source>O&amp;ther Discs</source>
        <translation>Andere Da&amp;tenträger</translation>
    </message>
    <message>
        <source>Files on Se&amp;veral Discs</source>
        <translation>&amp;Mehrfach vorhandene Dateien</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Discs - %1</source>
        <translation>Datenträger – %1</translation>
    </message>
    <message>
        <source>Add Catalogs</source>
        <translation>Kataloge hinzufügen</translation>
    </message>
    <message>
        <source>Add All Catalogs in a Folder</source>
        <translation>Alle Kataloge eines Ordners hinzufügen</translation>
    </message>
    <message>
        <source>Discs - %1 catalogs</source>
        <translation>Datenträger – %1 Kataloge</translation>
    </message>
    <message>
        <source>No catalog (*.cdc) was found in %1.</source>
        <translation>In %1 wurde kein Katalog (*.cdc) gefunden.</translation>
    </message>
    <message>
        <source>The catalogs chosen are shown already.</source>
        <translation>Die gewählten Kataloge werden bereits angezeigt.</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindowOutput</name>
    <message>
        <source>Export status</source>
        <translation>Exportstatus</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Writes the whole catalog, the selected discs or the search results to a CSV, HTML or PDF file</source>
        <translation>Schreibt den ganzen Katalog, die ausgewählten Datenträger oder die Suchergebnisse in eine CSV-, HTML- oder PDF-Datei</translation>
    </message>
    <message>
        <source>&amp;Whole Catalog...</source>
        <translation>&amp;Ganzer Katalog...</translation>
    </message>
    <message>
        <source>&amp;Selected Discs...</source>
        <translation>Ausgewählte &amp;Datenträger...</translation>
    </message>
    <message>
        <source>Search &amp;Results...</source>
        <translation>&amp;Suchergebnisse...</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>D&amp;rucken...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Prints the selected discs, or the disc shown, with a preview</source>
        <translation>Druckt die ausgewählten Datenträger oder den angezeigten, mit Vorschau</translation>
    </message>
    <message>
        <source>On &amp;A4 Paper...</source>
        <translation>Auf &amp;A4-Papier...</translation>
    </message>
    <message>
        <source>On &amp;Letter Paper...</source>
        <translation>Auf &amp;Letter-Papier...</translation>
    </message>
    <message>
        <source>As a CD &amp;Case Booklet...</source>
        <translation>Als &amp;Booklet für die CD-Hülle...</translation>
    </message>
    <message>
        <source>Pages of 120 x 120 mm that fit a CD case</source>
        <translation>Seiten von 120 × 120 mm, passend für eine CD-Hülle</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Katalog</translation>
    </message>
    <message>
        <source>Export Whole Catalog</source>
        <translation>Ganzen Katalog exportieren</translation>
    </message>
    <message>
        <source>Export Selected Discs</source>
        <translation>Ausgewählte Datenträger exportieren</translation>
    </message>
    <message>
        <source>Export Search Results</source>
        <translation>Suchergebnisse exportieren</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|Web Pages (*.html)|*.html|PDF Documents (*.pdf)|*.pdf</source>
        <translation>CSV-Dateien (*.csv)|*.csv|Webseiten (*.html)|*.html|PDF-Dokumente (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>%1 does not end in .csv, .html or .pdf, which tell the format of the export. Nothing was written.</source>
        <translation>%1 endet nicht auf .csv, .html oder .pdf, woran das Exportformat erkannt wird. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Stop &amp;Export</source>
        <translation>Export &amp;abbrechen</translation>
    </message>
    <message>
        <source>Stop Export</source>
        <translation>Export abbrechen</translation>
    </message>
    <message>
        <source>Exporting to %1... %2% (Esc stops)</source>
        <translation>Export nach %1... %2 % (Esc bricht ab)</translation>
    </message>
    <message>
        <source>Exporting to %1... (Esc stops)</source>
        <translation>Export nach %1... (Esc bricht ab)</translation>
    </message>
    <message>
        <source>Exported %1 file(s) of %2 disc(s) to %3</source>
        <translation>%1 Datei(en) von %2 Datenträger(n) nach %3 exportiert</translation>
    </message>
    <message>
        <source>Export stopped: %1 was not written</source>
        <translation>Export abgebrochen: %1 wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>Export failed: %1 was not written</source>
        <translation>Export fehlgeschlagen: %1 wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>Discs of %1 catalogs</source>
        <translation>Datenträger aus %1 Katalogen</translation>
    </message>
    <message>
        <source>The pages of %1 could not be printed.</source>
        <translation>Die Seiten von %1 konnten nicht gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesModel</name>
    <message>
        <source>Discs</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesPage</name>
    <message>
        <source>By &amp;path</source>
        <translation>Nach &amp;Pfad</translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation>Nach &amp;Name</translation>
    </message>
    <message>
        <source>Files on several discs</source>
        <translation>Dateien auf mehreren Datenträgern</translation>
    </message>
    <message>
        <source>Looking for files on several discs...</source>
        <translation>Dateien auf mehreren Datenträgern werden gesucht...</translation>
    </message>
    <message>
        <source>No file stands on more than one disc</source>
        <translation>Keine Datei liegt auf mehr als einem Datenträger</translation>
    </message>
    <message numerus="yes">
        <source>%Ln path stands on more than one disc</source>
        <translation>
            <numerusform>%Ln Pfad liegt auf mehr als einem Datenträger</numerusform>
            <numerusform>%Ln Pfade liegen auf mehr als einem Datenträger</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln paths stand on more than one disc</source>
        <translation>
            <numerusform>%Ln Pfad liegt auf mehr als einem Datenträger</numerusform>
            <numerusform>%Ln Pfade liegen auf mehr als einem Datenträger</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file name stands on more than one disc</source>
        <translation>
            <numerusform>%Ln Dateiname kommt auf mehr als einem Datenträger vor</numerusform>
            <numerusform>%Ln Dateinamen kommen auf mehr als einem Datenträger vor</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file names stand on more than one disc</source>
        <translation>
            <numerusform>%Ln Dateiname kommt auf mehr als einem Datenträger vor</numerusform>
            <numerusform>%Ln Dateinamen kommen auf mehr als einem Datenträger vor</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kobrix::FileViewActions</name>
    <message>
        <source>Show on &amp;other discs</source>
        <translation>Auf &amp;anderen Datenträgern zeigen</translation>
    </message>
    <message>
        <source>Show in &amp;Folders</source>
        <translation>In &amp;Ordnern zeigen</translation>
    </message>
</context>
<context>
    <name>kobrix::FoldersPage</name>
    <message>
        <source>Folders of the disc</source>
        <translation>Ordner des Datenträgers</translation>
    </message>
    <message>
        <source>%1: %2 file(s) in %3 folder(s)</source>
        <translation>%1: %2 Datei(en) in %3 Ordner(n)</translation>
    </message>
</context>
<context>
    <name>kobrix::Form1</name>
    <message>
        <source>&amp;Update Disc in Catalog...</source>
        <translation>Datenträger im Katalog akt&amp;ualisieren...</translation>
    </message>
    <message>
        <source>Replace the disc&apos;s files in a catalog with the disc as scanned now</source>
        <translation>Ersetzt die Dateien des Datenträgers in einem Katalog durch den gerade eingelesenen Stand</translation>
    </message>
    <message>
        <source>Already in %1 as &quot;%2&quot; (%3 of %4 files)</source>
        <translation>Bereits in %1 als „%2“ (%3 von %4 Dateien)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>Datenträger im Katalog aktualisieren</translation>
    </message>
    <message>
        <source>Updated &quot;%1&quot; in %2: %3</source>
        <translation>„%1“ in %2 aktualisiert: %3</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Neustart</translation>
    </message>
    <message>
        <source>Restart Kobrix</source>
        <translation>Kobrix neu starten</translation>
    </message>
    <message>
        <source>Scan CD</source>
        <translation>CD einlesen</translation>
    </message>
    <message>
        <source>Scanning... %1 files</source>
        <translation>Einlesen... %1 Dateien</translation>
    </message>
    <message>
        <source>There is no catalog to show: load one, or write a disc into one first.</source>
        <translation>Es gibt keinen Katalog zum Anzeigen: Öffnen Sie einen oder speichern Sie zuerst einen Datenträger in einen.</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|Text Files (*.txt)|*.txt</source>
        <translation>Alle Dateien (*.*)|*.*|Textdateien (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>This Drive is unavailable Please insert a CD or Close the CD Drive Door</source>
        <translation>Dieses Laufwerk ist nicht bereit. Bitte legen Sie eine CD ein oder schließen Sie das Laufwerk.</translation>
    </message>
    <message>
        <source>Place The next CD in the CD-Drive and click OK</source>
        <translation>Legen Sie die nächste CD in das Laufwerk und klicken Sie auf OK</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>Einlesen...</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>Einlesen abgebrochen</translation>
    </message>
    <message>
        <source>Total:</source>
        <translation>Gesamt:</translation>
    </message>
    <message>
        <source>files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Folders to scan</source>
        <translation>Einzulesende Ordner</translation>
    </message>
    <message>
        <source>Write Catalog...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>Add to Catalog...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <source>Enter a Unique Disk Name</source>
        <translation>Geben Sie einen eindeutigen Namen für den Datenträger ein</translation>
    </message>
    <message>
        <source>Disk Name</source>
        <translation>Datenträgername</translation>
    </message>
    <message>
        <source>Scan New CD</source>
        <translation>Nächste CD</translation>
    </message>
    <message>
        <source>Current catalog</source>
        <translation>Aktueller Katalog</translation>
    </message>
    <message>
        <source>Optical drives</source>
        <translation>Optische Laufwerke</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Scan Folder...</source>
        <translation>Ordner &amp;einlesen...</translation>
    </message>
    <message>
        <source>Scan a folder, a USB drive or a mounted image as a disc</source>
        <translation>Einen Ordner, einen USB-Stick oder ein eingehängtes Abbild wie einen Datenträger einlesen</translation>
    </message>
    <message>
        <source>Scan Disc &amp;Image...</source>
        <translation>&amp;Abbild einlesen...</translation>
    </message>
    <message>
        <source>Scan an ISO disc image as a disc</source>
        <translation>Ein ISO-Abbild wie einen Datenträger einlesen</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Neustart</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Scan Folder</source>
        <translation>Ordner einlesen</translation>
    </message>
    <message>
        <source>Disc Images (*.iso)|*.iso|All Files (*.*)|*.*</source>
        <translation>Datenträgerabbilder (*.iso)|*.iso|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Scan Disc Image</source>
        <translation>Abbild einlesen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Donate to Kobrix</source>
        <translation>Für Kobrix &amp;spenden</translation>
    </message>
    <message>
        <source>&amp;About Kobrix...</source>
        <translation>Ü&amp;ber Kobrix...</translation>
    </message>
    <message>
        <source>&amp;Catalog</source>
        <translation>&amp;Katalog</translation>
    </message>
    <message>
        <source>&amp;Discs...</source>
        <translation>&amp;Datenträger...</translation>
    </message>
    <message>
        <source>Open Re&amp;cent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 fehlt</translation>
    </message>
    <message>
        <source>No catalogs yet</source>
        <translation>Noch keine Kataloge</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <source>Catalog Discs &amp;One After Another...</source>
        <translation>Datenträger nacheinander &amp;katalogisieren...</translation>
    </message>
    <message>
        <source>Catalog each disc put into the drive, until you stop</source>
        <translation>Jeden eingelegten Datenträger katalogisieren, bis Sie aufhören</translation>
    </message>
</context>
<context>
    <name>kobrix::Form2</name>
    <message>
        <source>What do you want to do?</source>
        <translation>Was möchten Sie tun?</translation>
    </message>
    <message>
        <source>Create a new CD Catalog</source>
        <translation>Neuen CD-Katalog anlegen</translation>
    </message>
    <message>
        <source>Open your last CD Catalog</source>
        <translation>Zuletzt benutzten CD-Katalog öffnen</translation>
    </message>
    <message>
        <source>Search an Existing CD Catalog</source>
        <translation>Vorhandenen CD-Katalog durchsuchen</translation>
    </message>
    <message>
        <source>Add a new Disk to an Existing CD Catalog</source>
        <translation>CD zu vorhandenem Katalog hinzufügen</translation>
    </message>
    <message>
        <source>Type a name for your new Catalog</source>
        <translation>Name für den neuen Katalog</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Enter Catalog name here</source>
        <translation>Katalogname hier eingeben</translation>
    </message>
    <message>
        <source> Please enter a name for the new catalog</source>
        <translation> Bitte geben Sie einen Namen für den neuen Katalog ein</translation>
    </message>
</context>
<context>
    <name>kobrix::Form3</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find </source>
        <translation>Suchen </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Search Results</source>
        <translation>Suchergebnisse</translation>
    </message>
    <message>
        <source>Find what?</source>
        <translation>Suchen nach:</translation>
    </message>
    <message>
        <source>Search Results:</source>
        <translation>Suchergebnisse:</translation>
    </message>
    <message>
        <source>Found %1 Item(s)</source>
        <translation>%1 Treffer gefunden</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>Suchtext nicht gefunden</translation>
    </message>
</context>
<context>
    <name>kobrix::Form4</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Freeware: copy it and share it freely.</source>
        <translation>Freeware: Weitergabe erwünscht.</translation>
    </message>
    <message>
        <source>Written by the Kobrix developers.</source>
        <translation>Von den Kobrix-Entwicklern.</translation>
    </message>
    <message>
        <source>Visit Kobrix website</source>
        <translation>Kobrix-Website besuchen</translation>
    </message>
    <message>
        <source>For comments or suggestions on Kobrix email:</source>
        <translation>Kommentare und Vorschläge zu Kobrix per E-Mail an:</translation>
    </message>
    <message>
        <source>If you find Kobrix useful please help support it by donating</source>
        <translation>Wenn Ihnen Kobrix nützt, unterstützen Sie es bitte mit einer Spende</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kobrix::MainStatusBar</name>
    <message>
        <source>File Count</source>
        <translation>Anzahl der Dateien</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stop the scan (Esc)</source>
        <translation>Einlesen abbrechen (Esc)</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>Aktualisieren...</translation>
    </message>
    <message>
        <source>Update Disc in Catalog...</source>
        <translation>Datenträger im Katalog aktualisieren...</translation>
    </message>
    <message>
        <source>Update the disc in the catalog</source>
        <translation>Den Datenträger im Katalog aktualisieren</translation>
    </message>
</context>
<context>
    <name>kobrix::OtherDiscsPage</name>
    <message>
        <source>Where</source>
        <translation>Fundort</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Choose a file and &quot;Show on other discs&quot; (%1).</source>
        <translation>Wählen Sie eine Datei und „Auf anderen Datenträgern zeigen“ (%1).</translation>
    </message>
    <message>
        <source>Other discs holding the file</source>
        <translation>Andere Datenträger mit dieser Datei</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Looking for %1 on the other discs...</source>
        <translation>%1 wird auf den anderen Datenträgern gesucht...</translation>
    </message>
    <message>
        <source>%1 of &quot;%2&quot;</source>
        <translation>%1 von „%2“</translation>
    </message>
    <message>
        <source>Same path on other discs</source>
        <translation>Gleicher Pfad auf anderen Datenträgern</translation>
    </message>
    <message>
        <source>Same name in other folders</source>
        <translation>Gleicher Name in anderen Ordnern</translation>
    </message>
</context>
<context>
    <name>kobrix::ProgramTexts</name>
    <message>
        <source>CD Catalog Files (*.cdc)|*.cdc</source>
        <translation>CD-Katalogdateien (*.cdc)|*.cdc</translation>
    </message>
    <message>
        <source>Error in WriteList</source>
        <translation>Fehler beim Schreiben der Liste</translation>
    </message>
    <message>
        <source>Error Reading file</source>
        <translation>Fehler beim Lesen der Datei</translation>
    </message>
    <message>
        <source>Error scanning %1</source>
        <translation>Fehler beim Einlesen von %1</translation>
    </message>
    <message>
        <source>Error reading disc image %1</source>
        <translation>Fehler beim Lesen des Abbilds %1</translation>
    </message>
    <message>
        <source>Please enter a Disk Name or Number</source>
        <translation>Bitte geben Sie einen Namen oder eine Nummer für den Datenträger ein</translation>
    </message>
    <message>
        <source>Listbox is empty - cannot write to file!</source>
        <translation>Die Liste ist leer – es kann nichts gespeichert werden!</translation>
    </message>
    <message>
        <source>Enter a search string</source>
        <translation>Geben Sie einen Suchtext ein</translation>
    </message>
    <message>
        <source>A disc name cannot hold &quot; - \&quot;: &quot;%1&quot; would be read back as the disc &quot;%2&quot;. Nothing was written.</source>
        <translation>Ein Datenträgername darf „ - \“ nicht enthalten: „%1“ würde als Datenträger „%2“ gelesen. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>There is no disc named &quot;%1&quot; in %2</source>
        <translation>In %2 gibt es keinen Datenträger namens „%1“</translation>
    </message>
    <message>
        <source>Line %1 of the catalog holds records of &quot;%2&quot; together with other records; the disc cannot be updated</source>
        <translation>Zeile %1 des Katalogs enthält Einträge von „%2“ zusammen mit anderen Einträgen; der Datenträger kann nicht aktualisiert werden</translation>
    </message>
    <message>
        <source>The disc&apos;s records in the catalog changed meanwhile; nothing was written</source>
        <translation>Die Einträge des Datenträgers im Katalog haben sich inzwischen geändert; es wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>%1 added, %2 removed, %3 unchanged</source>
        <translation>%1 hinzugekommen, %2 entfernt, %3 unverändert</translation>
    </message>
    <message>
        <source>%1 discs, %2 files</source>
        <translation>%1 Datenträger, %2 Dateien</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Katalog</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>Katalog: %1</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%1 von %2 Dateien</translation>
    </message>
    <message>
        <source>Lines without a disc name</source>
        <translation>Zeilen ohne Datenträgernamen</translation>
    </message>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (Fortsetzung)</translation>
    </message>
    <message>
        <source>%1 (%2 files)</source>
        <translation>%1 (%2 Dateien)</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Unknown export format &quot;%1&quot;: use csv, html or pdf</source>
        <translation>Unbekanntes Exportformat „%1“: csv, html oder pdf verwenden</translation>
    </message>
    <message>
        <source>A PDF export needs an output file: -o FILE</source>
        <translation>Ein PDF-Export braucht eine Ausgabedatei: -o DATEI</translation>
    </message>
    <message>
        <source>The PDF export is not available: %1</source>
        <translation>Der PDF-Export ist nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>%1 belongs to another version of the program</source>
        <translation>%1 gehört zu einer anderen Version des Programms</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: it is the catalog being exported. Nothing was written.</source>
        <translation>%1 kann nicht geschrieben werden: Es ist der Katalog, der exportiert wird. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The catalog was updated; the list of changes could not be written in full</source>
        <translation>Der Katalog wurde aktualisiert; die Liste der Änderungen konnte nicht vollständig ausgegeben werden</translation>
    </message>
    <message>
        <source>There is no folder %1 on the disc &quot;%2&quot;</source>
        <translation>Auf dem Datenträger „%2“ gibt es keinen Ordner %1</translation>
    </message>
    <message>
        <source>(lines without a disc name)</source>
        <translation>(Zeilen ohne Datenträgernamen)</translation>
    </message>
    <message>
        <source>%1 has no volume label</source>
        <translation>%1 hat keine Datenträgerbezeichnung</translation>
    </message>
    <message>
        <source>Error reading the volume label of %1</source>
        <translation>Fehler beim Lesen der Datenträgerbezeichnung von %1</translation>
    </message>
</context>
<context>
    <name>kobrix::QtFileDialogBackend</name>
    <message>
        <source>Path does not exist.
Check the path and try again.</source>
        <translation>Der Pfad existiert nicht.
Überprüfen Sie den Pfad und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>kobrix::RuntimeError</name>
    <message>
        <source> (record %1 is longer than %2 bytes)</source>
        <translation> (Eintrag %1 ist länger als %2 Byte)</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Ungültiger Dateiname oder ungültige Dateinummer</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>File already open</source>
        <translation>Datei bereits geöffnet</translation>
    </message>
    <message>
        <source>Bad record length</source>
        <translation>Ungültige Datensatzlänge</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>E/A-Gerätefehler</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>Gerät nicht verfügbar</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Disk not ready</source>
        <translation>Datenträger nicht bereit</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <source>Cancel was selected.</source>
        <translation>Abbrechen wurde gewählt.</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Anwendungs- oder objektdefinierter Fehler</translation>
    </message>
    <message>
        <source>Damaged or unknown disc image: %1</source>
        <translation>Beschädigtes oder unbekanntes Abbild: %1</translation>
    </message>
    <message>
        <source>Damaged disc image: %1</source>
        <translation>Beschädigtes Abbild: %1</translation>
    </message>
    <message>
        <source>the folder&apos;s entries cannot all be read</source>
        <translation>die Einträge des Ordners können nicht alle gelesen werden</translation>
    </message>
    <message>
        <source>Not a data disc that can be read (ISO 9660, Joliet or Rock Ridge): %1</source>
        <translation>Kein lesbarer Datenträger mit Daten (ISO 9660, Joliet oder Rock Ridge): %1</translation>
    </message>
    <message>
        <source>no volume descriptor</source>
        <translation>kein Volume-Deskriptor</translation>
    </message>
</context>
<context>
    <name>kobrix::SearchPage</name>
    <message>
        <source>Disc</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Treffer</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>Suchen &amp;nach:</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>S&amp;uchen</translation>
    </message>
    <message>
        <source>Search results by disc</source>
        <translation>Suchergebnisse nach Datenträger</translation>
    </message>
    <message>
        <source>Searching... %1%</source>
        <translation>Suche läuft... %1 %</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>Found %1 Item(s) on %2 disc(s)</source>
        <translation>%1 Treffer auf %2 Datenträger(n)</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>Suchtext nicht gefunden</translation>
    </message>
</context>
</TS>
