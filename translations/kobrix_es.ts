<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>DiscArrivals</name>
    <message>
        <source>Noticing discs is not supported here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Catalogue CD and DVD discs and find on which disc a file lies.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A catalog (.cdc) to open for searching, in place of the start dialog.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &apos;kobrix --help&apos; for more information.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one catalog at a time, not %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::DiscListModel</name>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 catalogs, %2 disc(s), %3 file(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 disc(s), %2 file(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 disc(s), %3 of %4 file(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::DiscTreeModel</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::DiscUpdateDialog</name>
    <message>
        <source>Update Disc in Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update &quot;%1&quot; in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disc scanned shares no file with &quot;%1&quot;: updating replaces every file of it. Is it the same disc?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files &amp;added:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files &amp;removed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindow</name>
    <message>
        <source>Discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counting the discs...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Part of a disc name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Catalogs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Catalog &amp;Files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Catalogs in a F&amp;older...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Views</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;olders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O&amp;ther Discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files on Se&amp;veral Discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discs - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Catalogs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add All Catalogs in a Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discs - %1 catalogs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No catalog (*.cdc) was found in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The catalogs chosen are shown already.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindowOutput</name>
    <message>
        <source>Export status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the whole catalog, the selected discs or the search results to a CSV, HTML or PDF file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Whole Catalog...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Selected Discs...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search &amp;Results...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints the selected discs, or the disc shown, with a preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On &amp;A4 Paper...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On &amp;Letter Paper...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As a CD &amp;Case Booklet...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages of 120 x 120 mm that fit a CD case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Whole Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Selected Discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Search Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|Web Pages (*.html)|*.html|PDF Documents (*.pdf)|*.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not end in .csv, .html or .pdf, which tell the format of the export. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop &amp;Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting to %1... %2% (Esc stops)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting to %1... (Esc stops)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported %1 file(s) of %2 disc(s) to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export stopped: %1 was not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export failed: %1 was not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discs of %1 catalogs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages of %1 could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesModel</name>
    <message>
        <source>Discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesPage</name>
    <message>
        <source>By &amp;path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files on several discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for files on several discs...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file stands on more than one disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%Ln path stands on more than one disc</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln paths stand on more than one disc</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file name stands on more than one disc</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file names stand on more than one disc</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kobrix::FileViewActions</name>
    <message>
        <source>Show on &amp;other discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in &amp;Folders</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::FoldersPage</name>
    <message>
        <source>Folders of the disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 file(s) in %3 folder(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::Form1</name>
    <message>
        <source>&amp;Update Disc in Catalog...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the disc&apos;s files in a catalog with the disc as scanned now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Already in %1 as &quot;%2&quot; (%3 of %4 files)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update Disc in Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated &quot;%1&quot; in %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart Kobrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan CD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning... %1 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no catalog to show: load one, or write a disc into one first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|Text Files (*.txt)|*.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Drive is unavailable Please insert a CD or Close the CD Drive Door</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Place The next CD in the CD-Drive and click OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folders to scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Catalog...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to Catalog...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a Unique Disk Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan New CD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Optical drives</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scan Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan a folder, a USB drive or a mounted image as a disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan Disc &amp;Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan an ISO disc image as a disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disc Images (*.iso)|*.iso|All Files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan Disc Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Donate to Kobrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Kobrix...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Discs...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::Form2</name>
    <message>
        <source>What do you want to do?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new CD Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open your last CD Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search an Existing CD Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a new Disk to an Existing CD Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type a name for your new Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Catalog name here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Please enter a name for the new catalog</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::Form3</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find what?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search Results:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found %1 Item(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::Form4</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freeware: copy it and share it freely.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Written by the Kobrix developers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit Kobrix website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For comments or suggestions on Kobrix email:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you find Kobrix useful please help support it by donating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::MainStatusBar</name>
    <message>
        <source>File Count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the scan (Esc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update Disc in Catalog...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update the disc in the catalog</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::OtherDiscsPage</name>
    <message>
        <source>Where</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a file and &quot;Show on other discs&quot; (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other discs holding the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for %1 on the other discs...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Same path on other discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Same name in other folders</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::ProgramTexts</name>
    <message>
        <source>CD Catalog Files (*.cdc)|*.cdc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error in WriteList</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Reading file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error scanning %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error reading disc image %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a Disk Name or Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listbox is empty - cannot write to file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a search string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A disc name cannot hold &quot; - \&quot;: &quot;%1&quot; would be read back as the disc &quot;%2&quot;. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no disc named &quot;%1&quot; in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 of the catalog holds records of &quot;%2&quot; together with other records; the disc cannot be updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disc&apos;s records in the catalog changed meanwhile; nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 added, %2 removed, %3 unchanged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 discs, %2 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lines without a disc name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (continued)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2 files)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown export format &quot;%1&quot;: use csv, html or pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A PDF export needs an output file: -o FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF export is not available: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 belongs to another version of the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: it is the catalog being exported. Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The catalog was updated; the list of changes could not be written in full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no folder %1 on the disc &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(lines without a disc name)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::QtFileDialogBackend</name>
    <message>
        <source>Path does not exist.
Check the path and try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::RuntimeError</name>
    <message>
        <source> (record %1 is longer than %2 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File already open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bad record length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk not ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel was selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Damaged or unknown disc image: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Damaged disc image: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder&apos;s entries cannot all be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a data disc that can be read (ISO 9660, Joliet or Rock Ridge): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no volume descriptor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kobrix::SearchPage</name>
    <message>
        <source>Disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search results by disc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching... %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found %1 Item(s) on %2 disc(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
