<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>DiscArrivals</name>
    <message>
        <source>Noticing discs is not supported here</source>
        <translation>La détection des disques insérés n’est pas prise en charge ici</translation>
    </message>
    <message>
        <source>UDisks2 knows no drive %1</source>
        <translation>UDisks2 ne connaît aucun lecteur %1</translation>
    </message>
    <message>
        <source>The kernel&apos;s device events cannot be read: %1</source>
        <translation>Impossible de lire les événements de périphériques du noyau : %1</translation>
    </message>
    <message>
        <source>Drive changes cannot be heard: %1</source>
        <translation>Impossible de suivre les changements des lecteurs : %1</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Catalogue CD and DVD discs and find on which disc a file lies.</source>
        <translation>Cataloguez vos CD et DVD et retrouvez sur quel disque se trouve un fichier.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
    <message>
        <source>A catalog (.cdc) to open for searching, in place of the start dialog.</source>
        <translation>Un catalogue (.cdc) à ouvrir pour y rechercher, au lieu de la fenêtre de démarrage.</translation>
    </message>
    <message>
        <source>Try &apos;kobrix --help&apos; for more information.</source>
        <translation>Essayez « kobrix --help » pour plus d’informations.</translation>
    </message>
    <message>
        <source>one catalog at a time, not %1</source>
        <translation>un seul catalogue à la fois, pas %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatch</name>
    <message>
        <source>not added: no name was given</source>
        <translation>non ajouté : aucun nom donné</translation>
    </message>
    <message>
        <source>not read: the disc was taken out of the drive</source>
        <translation>non lu : le disque a été retiré du lecteur</translation>
    </message>
    <message>
        <source>not read: %1</source>
        <translation>non lu : %1</translation>
    </message>
    <message>
        <source>not read: the disc holds no files</source>
        <translation>non lu : le disque ne contient aucun fichier</translation>
    </message>
    <message>
        <source>not added: %1</source>
        <translation>non ajouté : %1</translation>
    </message>
    <message>
        <source>not updated: %1</source>
        <translation>non mis à jour : %1</translation>
    </message>
    <message>
        <source>already in the catalog as %1</source>
        <translation>déjà dans le catalogue sous le nom %1</translation>
    </message>
    <message>
        <source>changed, left as it was</source>
        <translation>modifié, laissé tel quel</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>mis à jour</translation>
    </message>
    <message>
        <source>added</source>
        <translation>ajouté</translation>
    </message>
    <message>
        <source>%1: %2 added, %3 removed</source>
        <translation>%1 : %2 ajouté(s), %3 supprimé(s)</translation>
    </message>
    <message>
        <source>The catalog already holds another disc named %1</source>
        <translation>Le catalogue contient déjà un autre disque nommé %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatchWindow</name>
    <message>
        <source>There is no CD-ROM drive to take the discs.</source>
        <translation>Aucun lecteur de CD-ROM ne peut recevoir les disques.</translation>
    </message>
    <message>
        <source>Catalog Discs Into</source>
        <translation>Cataloguer les disques dans</translation>
    </message>
    <message>
        <source>Catalog Discs One After Another</source>
        <translation>Cataloguer des disques à la suite</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>Catalogue : %1</translation>
    </message>
    <message>
        <source>&amp;Drive:</source>
        <translation>&amp;Lecteur :</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message>
        <source>Disc &amp;name:</source>
        <translation>&amp;Nom du disque :</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Ajouter</translation>
    </message>
    <message>
        <source>&amp;Update the Disc</source>
        <translation>&amp;Mettre à jour le disque</translation>
    </message>
    <message>
        <source>&amp;Leave It as It Is</source>
        <translation>Laisser &amp;tel quel</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>What was done</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>End the run once the disc in hand is done (Esc)</source>
        <translation>Arrêter après le disque en cours (Échap)</translation>
    </message>
    <message>
        <source>Choose the drive the discs go into, then Start.</source>
        <translation>Choisissez le lecteur où insérer les disques, puis Démarrer.</translation>
    </message>
    <message>
        <source>The tray could not be opened (%1): take the disc out by hand.</source>
        <translation>Le tiroir n’a pas pu s’ouvrir (%1) : retirez le disque à la main.</translation>
    </message>
    <message>
        <source>The drive cannot be watched: %1</source>
        <translation>Impossible de surveiller le lecteur : %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Reading the disc...</source>
        <translation>Lecture du disque...</translation>
    </message>
    <message>
        <source>Writing to the catalog...</source>
        <translation>Écriture dans le catalogue...</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Arrêté.</translation>
    </message>
    <message>
        <source>A new disc.</source>
        <translation>Nouveau disque.</translation>
    </message>
    <message>
        <source>The disc has no label: type its name and press Enter.</source>
        <translation>Le disque n’a pas de nom de volume : saisissez son nom et appuyez sur Entrée.</translation>
    </message>
    <message>
        <source>It is added under its label in a few seconds; to give it another name, type it and press Enter.</source>
        <translation>Il sera ajouté sous son nom de volume dans quelques secondes ; pour lui donner un autre nom, saisissez-le et appuyez sur Entrée.</translation>
    </message>
    <message>
        <source>This disc is in the catalog as %1, and it has changed.</source>
        <translation>Ce disque figure dans le catalogue sous le nom %1 et il a changé.</translation>
    </message>
    <message>
        <source>Stopping once this disc is done...</source>
        <translation>Arrêt après ce disque...</translation>
    </message>
    <message>
        <source>Reading the disc: files found so far: %1</source>
        <translation>Lecture du disque : fichiers trouvés jusqu’ici : %1</translation>
    </message>
    <message>
        <source>Files added: %1, removed: %2. Update the disc in the catalog?</source>
        <translation>Fichiers ajoutés : %1, supprimés : %2. Mettre à jour le disque dans le catalogue ?</translation>
    </message>
    <message>
        <source>Discs: %1</source>
        <translation>Disques : %1</translation>
    </message>
    <message>
        <source>added: %1 (files: %2)</source>
        <translation>ajoutés : %1 (fichiers : %2)</translation>
    </message>
    <message>
        <source>already in the catalog: %1</source>
        <translation>déjà dans le catalogue : %1</translation>
    </message>
    <message>
        <source>updated: %1</source>
        <translation>mis à jour : %1</translation>
    </message>
    <message>
        <source>changed, left as they were: %1</source>
        <translation>modifiés, laissés tels quels : %1</translation>
    </message>
    <message>
        <source>not read or not written: %1</source>
        <translation>non lus ou non écrits : %1</translation>
    </message>
    <message>
        <source>Waiting for the next disc in drive %1</source>
        <translation>En attente du disque suivant dans le lecteur %1</translation>
    </message>
    <message>
        <source>Files added and removed</source>
        <translation>Fichiers ajoutés et supprimés</translation>
    </message>
    <message>
        <source>Discs done</source>
        <translation>Disques traités</translation>
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
        <translation>Catalogue</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 disc(s), %3 file(s)</source>
        <translation>%1 catalogues, %2 disque(s), %3 fichier(s)</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)</source>
        <translation>%1 catalogues, %2 disque(s) sur %3, %4 fichier(s) sur %5</translation>
    </message>
    <message>
        <source>%1 disc(s), %2 file(s)</source>
        <translation>%1 disque(s), %2 fichier(s)</translation>
    </message>
    <message>
        <source>%1 of %2 disc(s), %3 of %4 file(s)</source>
        <translation>%1 disque(s) sur %2, %3 fichier(s) sur %4</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscTreeModel</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscUpdateDialog</name>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>Mettre à jour le disque dans le catalogue</translation>
    </message>
    <message>
        <source>Update &quot;%1&quot; in %2</source>
        <translation>Mettre à jour « %1 » dans %2</translation>
    </message>
    <message>
        <source>The disc scanned shares no file with &quot;%1&quot;: updating replaces every file of it. Is it the same disc?</source>
        <translation>Le disque analysé n’a aucun fichier en commun avec « %1 » : la mise à jour en remplacera tous les fichiers. S’agit-il bien du même disque ?</translation>
    </message>
    <message>
        <source>Files &amp;added:</source>
        <translation>Fichiers &amp;ajoutés :</translation>
    </message>
    <message>
        <source>Files added</source>
        <translation>Fichiers ajoutés</translation>
    </message>
    <message>
        <source>Files &amp;removed:</source>
        <translation>Fichiers &amp;supprimés :</translation>
    </message>
    <message>
        <source>Files removed</source>
        <translation>Fichiers supprimés</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Mettre à jour</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindow</name>
    <message>
        <source>Discs</source>
        <translation>Disques</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>Lecture de %1...</translation>
    </message>
    <message>
        <source>Counting the discs...</source>
        <translation>Comptage des disques...</translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation>Fi&amp;ltre :</translation>
    </message>
    <message>
        <source>Part of a disc name</source>
        <translation>Partie d’un nom de disque</translation>
    </message>
    <message>
        <source>&amp;Discs</source>
        <translation>&amp;Disques</translation>
    </message>
    <message>
        <source>&amp;Add Catalogs</source>
        <translation>&amp;Ajouter des catalogues</translation>
    </message>
    <message>
        <source>Catalog &amp;Files...</source>
        <translation>&amp;Fichiers de catalogue...</translation>
    </message>
    <message>
        <source>All Catalogs in a F&amp;older...</source>
        <translation>Tous les catalogues d’un d&amp;ossier...</translation>
    </message>
    <message>
        <source>Views</source>
        <translation>Vues</translation>
    </message>
    <message>
        <source>F&amp;olders</source>
        <translation>D&amp;ossiers</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Recherche</translation>
    </message>
    <message>
        <source>O&amp;ther Discs</source>
        <translation>Au&amp;tres disques</translation>
    </message>
    <message>
        <source>Files on Se&amp;veral Discs</source>
        <translation>Fichiers sur &amp;plusieurs disques</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Fer&amp;mer</translation>
    </message>
    <message>
        <source>Discs - %1</source>
        <translation>Disques – %1</translation>
    </message>
    <message>
        <source>Add Catalogs</source>
        <translation>Ajouter des catalogues</translation>
    </message>
    <message>
        <source>Add All Catalogs in a Folder</source>
        <translation>Ajouter tous les catalogues d’un dossier</translation>
    </message>
    <message>
        <source>Discs - %1 catalogs</source>
        <translation>Disques – %1 catalogues</translation>
    </message>
    <message>
        <source>No catalog (*.cdc) was found in %1.</source>
        <translation>Aucun catalogue (*.cdc) n’a été trouvé dans %1.</translation>
    </message>
    <message>
        <source>The catalogs chosen are shown already.</source>
        <translation>Les catalogues choisis sont déjà affichés.</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindowOutput</name>
    <message>
        <source>Export status</source>
        <translation>État de l’exportation</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exporter...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>Writes the whole catalog, the selected discs or the search results to a CSV, HTML or PDF file</source>
        <translation>Enregistre tout le catalogue, les disques sélectionnés ou les résultats de recherche dans un fichier CSV, HTML ou PDF</translation>
    </message>
    <message>
        <source>&amp;Whole Catalog...</source>
        <translation>&amp;Tout le catalogue...</translation>
    </message>
    <message>
        <source>&amp;Selected Discs...</source>
        <translation>Disques &amp;sélectionnés...</translation>
    </message>
    <message>
        <source>Search &amp;Results...</source>
        <translation>&amp;Résultats de recherche...</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Prints the selected discs, or the disc shown, with a preview</source>
        <translation>Imprime les disques sélectionnés, ou le disque affiché, avec un aperçu</translation>
    </message>
    <message>
        <source>On &amp;A4 Paper...</source>
        <translation>Sur papier &amp;A4...</translation>
    </message>
    <message>
        <source>On &amp;Letter Paper...</source>
        <translation>Sur papier &amp;Lettre US...</translation>
    </message>
    <message>
        <source>As a CD &amp;Case Booklet...</source>
        <translation>En livret de &amp;boîtier CD...</translation>
    </message>
    <message>
        <source>Pages of 120 x 120 mm that fit a CD case</source>
        <translation>Pages de 120 × 120 mm à glisser dans un boîtier de CD</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Catalogue</translation>
    </message>
    <message>
        <source>Export Whole Catalog</source>
        <translation>Exporter tout le catalogue</translation>
    </message>
    <message>
        <source>Export Selected Discs</source>
        <translation>Exporter les disques sélectionnés</translation>
    </message>
    <message>
        <source>Export Search Results</source>
        <translation>Exporter les résultats de recherche</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|Web Pages (*.html)|*.html|PDF Documents (*.pdf)|*.pdf</source>
        <translation>Fichiers CSV (*.csv)|*.csv|Pages web (*.html)|*.html|Documents PDF (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>%1 does not end in .csv, .html or .pdf, which tell the format of the export. Nothing was written.</source>
        <translation>%1 ne se termine pas par .csv, .html ou .pdf, qui indiquent le format de l’exportation. Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>Stop &amp;Export</source>
        <translation>&amp;Arrêter l’exportation</translation>
    </message>
    <message>
        <source>Stop Export</source>
        <translation>Arrêter l’exportation</translation>
    </message>
    <message>
        <source>Exporting to %1... %2% (Esc stops)</source>
        <translation>Exportation vers %1... %2 % (Échap pour arrêter)</translation>
    </message>
    <message>
        <source>Exporting to %1... (Esc stops)</source>
        <translation>Exportation vers %1... (Échap pour arrêter)</translation>
    </message>
    <message>
        <source>Exported %1 file(s) of %2 disc(s) to %3</source>
        <translation>%1 fichier(s) de %2 disque(s) exporté(s) vers %3</translation>
    </message>
    <message>
        <source>Export stopped: %1 was not written</source>
        <translation>Exportation arrêtée : %1 n’a pas été écrit</translation>
    </message>
    <message>
        <source>Export failed: %1 was not written</source>
        <translation>Échec de l’exportation : %1 n’a pas été écrit</translation>
    </message>
    <message>
        <source>Discs of %1 catalogs</source>
        <translation>Disques de %1 catalogues</translation>
    </message>
    <message>
        <source>The pages of %1 could not be printed.</source>
        <translation>Les pages de %1 n’ont pas pu être imprimées.</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesModel</name>
    <message>
        <source>Discs</source>
        <translation>Disques</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesPage</name>
    <message>
        <source>By &amp;path</source>
        <translation>Par &amp;chemin</translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation>Par &amp;nom</translation>
    </message>
    <message>
        <source>Files on several discs</source>
        <translation>Fichiers sur plusieurs disques</translation>
    </message>
    <message>
        <source>Looking for files on several discs...</source>
        <translation>Recherche des fichiers présents sur plusieurs disques...</translation>
    </message>
    <message>
        <source>No file stands on more than one disc</source>
        <translation>Aucun fichier ne figure sur plus d’un disque</translation>
    </message>
    <message numerus="yes">
        <source>%Ln path stands on more than one disc</source>
        <translation>
            <numerusform>%Ln chemin figure sur plus d’un disque</numerusform>
            <numerusform>%Ln chemins figurent sur plus d’un disque</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln paths stand on more than one disc</source>
        <translation>
            <numerusform>%Ln chemin figure sur plus d’un disque</numerusform>
            <numerusform>%Ln chemins figurent sur plus d’un disque</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file name stands on more than one disc</source>
        <translation>
            <numerusform>%Ln nom de fichier figure sur plus d’un disque</numerusform>
            <numerusform>%Ln noms de fichier figurent sur plus d’un disque</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file names stand on more than one disc</source>
        <translation>
            <numerusform>%Ln nom de fichier figure sur plus d’un disque</numerusform>
            <numerusform>%Ln noms de fichier figurent sur plus d’un disque</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kobrix::FileViewActions</name>
    <message>
        <source>Show on &amp;other discs</source>
        <translation>Afficher sur d’&amp;autres disques</translation>
    </message>
    <message>
        <source>Show in &amp;Folders</source>
        <translation>Afficher dans les &amp;dossiers</translation>
    </message>
</context>
<context>
    <name>kobrix::FoldersPage</name>
    <message>
        <source>Folders of the disc</source>
        <translation>Dossiers du disque</translation>
    </message>
    <message>
        <source>%1: %2 file(s) in %3 folder(s)</source>
        <translation>%1 : %2 fichier(s) dans %3 dossier(s)</translation>
    </message>
</context>
<context>
    <name>kobrix::Form1</name>
    <message>
        <source>&amp;Update Disc in Catalog...</source>
        <translation>&amp;Mettre à jour le disque dans le catalogue...</translation>
    </message>
    <message>
        <source>Replace the disc&apos;s files in a catalog with the disc as scanned now</source>
        <translation>Remplace les fichiers du disque dans un catalogue par ceux du disque tel qu’il vient d’être analysé</translation>
    </message>
    <message>
        <source>Already in %1 as &quot;%2&quot; (%3 of %4 files)</source>
        <translation>Déjà dans %1 sous le nom « %2 » (%3 fichiers sur %4)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>Mettre à jour le disque dans le catalogue</translation>
    </message>
    <message>
        <source>Updated &quot;%1&quot; in %2: %3</source>
        <translation>« %1 » mis à jour dans %2 : %3</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Recommencer</translation>
    </message>
    <message>
        <source>Restart Kobrix</source>
        <translation>Recommencer Kobrix</translation>
    </message>
    <message>
        <source>Scan CD</source>
        <translation>Analyser le CD</translation>
    </message>
    <message>
        <source>Scanning... %1 files</source>
        <translation>Analyse... %1 fichiers</translation>
    </message>
    <message>
        <source>There is no catalog to show: load one, or write a disc into one first.</source>
        <translation>Aucun catalogue à afficher : ouvrez-en un, ou enregistrez d’abord un disque dans un catalogue.</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|Text Files (*.txt)|*.txt</source>
        <translation>Tous les fichiers (*.*)|*.*|Fichiers texte (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>This Drive is unavailable Please insert a CD or Close the CD Drive Door</source>
        <translation>Ce lecteur n’est pas disponible. Insérez un CD ou fermez le tiroir du lecteur.</translation>
    </message>
    <message>
        <source>Place The next CD in the CD-Drive and click OK</source>
        <translation>Insérez le CD suivant dans le lecteur et cliquez sur OK</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>Analyse...</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>Analyse annulée</translation>
    </message>
    <message>
        <source>Total:</source>
        <translation>Total :</translation>
    </message>
    <message>
        <source>files</source>
        <translation>fichiers</translation>
    </message>
    <message>
        <source>Folders to scan</source>
        <translation>Dossiers à analyser</translation>
    </message>
    <message>
        <source>Write Catalog...</source>
        <translation>Enregistrer...</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Liste des fichiers</translation>
    </message>
    <message>
        <source>Add to Catalog...</source>
        <translation>Ajouter...</translation>
    </message>
    <message>
        <source>Enter a Unique Disk Name</source>
        <translation>Saisissez un nom de disque unique</translation>
    </message>
    <message>
        <source>Disk Name</source>
        <translation>Nom du disque</translation>
    </message>
    <message>
        <source>Scan New CD</source>
        <translation>CD suivant</translation>
    </message>
    <message>
        <source>Current catalog</source>
        <translation>Catalogue actuel</translation>
    </message>
    <message>
        <source>Optical drives</source>
        <translation>Lecteurs optiques</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>&amp;Scan Folder...</source>
        <translation>Analyser un &amp;dossier...</translation>
    </message>
    <message>
        <source>Scan a folder, a USB drive or a mounted image as a disc</source>
        <translation>Analyser un dossier, une clé USB ou une image montée comme un disque</translation>
    </message>
    <message>
        <source>Scan Disc &amp;Image...</source>
        <translation>Analyser une &amp;image disque...</translation>
    </message>
    <message>
        <source>Scan an ISO disc image as a disc</source>
        <translation>Analyser une image disque ISO comme un disque</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Rechercher</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>Re&amp;commencer</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Scan Folder</source>
        <translation>Analyser un dossier</translation>
    </message>
    <message>
        <source>Disc Images (*.iso)|*.iso|All Files (*.*)|*.*</source>
        <translation>Images disque (*.iso)|*.iso|Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Scan Disc Image</source>
        <translation>Analyser une image disque</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Donate to Kobrix</source>
        <translation>Faire un &amp;don à Kobrix</translation>
    </message>
    <message>
        <source>&amp;About Kobrix...</source>
        <translation>À &amp;propos de Kobrix...</translation>
    </message>
    <message>
        <source>&amp;Catalog</source>
        <translation>&amp;Catalogue</translation>
    </message>
    <message>
        <source>&amp;Discs...</source>
        <translation>&amp;Disques...</translation>
    </message>
    <message>
        <source>Open Re&amp;cent</source>
        <translation>Ouvrir un catalogue récen&amp;t</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 est introuvable</translation>
    </message>
    <message>
        <source>No catalogs yet</source>
        <translation>Aucun catalogue pour l’instant</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Effacer la liste</translation>
    </message>
    <message>
        <source>Catalog Discs &amp;One After Another...</source>
        <translation>Cataloguer &amp;plusieurs disques à la suite...</translation>
    </message>
    <message>
        <source>Catalog each disc put into the drive, until you stop</source>
        <translation>Cataloguer chaque disque inséré dans le lecteur, jusqu’à ce que vous arrêtiez</translation>
    </message>
</context>
<context>
    <name>kobrix::Form2</name>
    <message>
        <source>What do you want to do?</source>
        <translation>Que voulez-vous faire ?</translation>
    </message>
    <message>
        <source>Create a new CD Catalog</source>
        <translation>Créer un catalogue de CD</translation>
    </message>
    <message>
        <source>Open your last CD Catalog</source>
        <translation>Ouvrir le dernier catalogue de CD</translation>
    </message>
    <message>
        <source>Search an Existing CD Catalog</source>
        <translation>Rechercher dans un catalogue de CD</translation>
    </message>
    <message>
        <source>Add a new Disk to an Existing CD Catalog</source>
        <translation>Ajouter un disque à un catalogue de CD</translation>
    </message>
    <message>
        <source>Type a name for your new Catalog</source>
        <translation>Nom du nouveau catalogue</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Enter Catalog name here</source>
        <translation>Nom du catalogue</translation>
    </message>
    <message>
        <source> Please enter a name for the new catalog</source>
        <translation> Veuillez saisir un nom pour le nouveau catalogue</translation>
    </message>
</context>
<context>
    <name>kobrix::Form3</name>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Find </source>
        <translation>Rechercher </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Search Results</source>
        <translation>Résultats de la recherche</translation>
    </message>
    <message>
        <source>Find what?</source>
        <translation>Rechercher :</translation>
    </message>
    <message>
        <source>Search Results:</source>
        <translation>Résultats :</translation>
    </message>
    <message>
        <source>Found %1 Item(s)</source>
        <translation>%1 élément(s) trouvé(s)</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>Texte introuvable</translation>
    </message>
</context>
<context>
    <name>kobrix::Form4</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Freeware: copy it and share it freely.</source>
        <translation>Gratuit : copiez-le et partagez-le.</translation>
    </message>
    <message>
        <source>Written by the Kobrix developers.</source>
        <translation>Écrit par les développeurs de Kobrix.</translation>
    </message>
    <message>
        <source>Visit Kobrix website</source>
        <translation>Visiter le site de Kobrix</translation>
    </message>
    <message>
        <source>For comments or suggestions on Kobrix email:</source>
        <translation>Commentaires ou suggestions sur Kobrix par e-mail :</translation>
    </message>
    <message>
        <source>If you find Kobrix useful please help support it by donating</source>
        <translation>Si Kobrix vous est utile, soutenez-le par un don</translation>
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
        <translation>Nombre de fichiers</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Stop the scan (Esc)</source>
        <translation>Arrêter l’analyse (Échap)</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>Mettre à jour...</translation>
    </message>
    <message>
        <source>Update Disc in Catalog...</source>
        <translation>Mettre à jour le disque dans le catalogue...</translation>
    </message>
    <message>
        <source>Update the disc in the catalog</source>
        <translation>Mettre à jour le disque dans le catalogue</translation>
    </message>
</context>
<context>
    <name>kobrix::OtherDiscsPage</name>
    <message>
        <source>Where</source>
        <translation>Emplacement</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Choose a file and &quot;Show on other discs&quot; (%1).</source>
        <translation>Choisissez un fichier puis « Afficher sur d’autres disques » (%1).</translation>
    </message>
    <message>
        <source>Other discs holding the file</source>
        <translation>Autres disques contenant le fichier</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Looking for %1 on the other discs...</source>
        <translation>Recherche de %1 sur les autres disques...</translation>
    </message>
    <message>
        <source>%1 of &quot;%2&quot;</source>
        <translation>%1 de « %2 »</translation>
    </message>
    <message>
        <source>Same path on other discs</source>
        <translation>Même chemin sur d’autres disques</translation>
    </message>
    <message>
        <source>Same name in other folders</source>
        <translation>Même nom dans d’autres dossiers</translation>
    </message>
</context>
<context>
    <name>kobrix::ProgramTexts</name>
    <message>
        <source>CD Catalog Files (*.cdc)|*.cdc</source>
        <translation>Catalogues de CD (*.cdc)|*.cdc</translation>
    </message>
    <message>
        <source>Error in WriteList</source>
        <translation>Erreur lors de l’écriture de la liste</translation>
    </message>
    <message>
        <source>Error Reading file</source>
        <translation>Erreur de lecture du fichier</translation>
    </message>
    <message>
        <source>Error scanning %1</source>
        <translation>Erreur lors de l’analyse de %1</translation>
    </message>
    <message>
        <source>Error reading disc image %1</source>
        <translation>Erreur de lecture de l’image disque %1</translation>
    </message>
    <message>
        <source>Please enter a Disk Name or Number</source>
        <translation>Veuillez saisir un nom ou un numéro de disque</translation>
    </message>
    <message>
        <source>Listbox is empty - cannot write to file!</source>
        <translation>La liste est vide : rien à enregistrer !</translation>
    </message>
    <message>
        <source>Enter a search string</source>
        <translation>Saisissez le texte à rechercher</translation>
    </message>
    <message>
        <source>A disc name cannot hold &quot; - \&quot;: &quot;%1&quot; would be read back as the disc &quot;%2&quot;. Nothing was written.</source>
        <translation>Un nom de disque ne peut pas contenir « - \ » : « %1 » serait relu comme le disque « %2 ». Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>There is no disc named &quot;%1&quot; in %2</source>
        <translation>Il n’y a pas de disque nommé « %1 » dans %2</translation>
    </message>
    <message>
        <source>Line %1 of the catalog holds records of &quot;%2&quot; together with other records; the disc cannot be updated</source>
        <translation>La ligne %1 du catalogue contient des enregistrements de « %2 » mêlés à d’autres ; le disque ne peut pas être mis à jour</translation>
    </message>
    <message>
        <source>The disc&apos;s records in the catalog changed meanwhile; nothing was written</source>
        <translation>Les enregistrements du disque dans le catalogue ont changé entre-temps ; rien n’a été écrit</translation>
    </message>
    <message>
        <source>%1 added, %2 removed, %3 unchanged</source>
        <translation>%1 ajouté(s), %2 supprimé(s), %3 inchangé(s)</translation>
    </message>
    <message>
        <source>%1 discs, %2 files</source>
        <translation>%1 disques, %2 fichiers</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>Disques</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtre</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Catalogue</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>Catalogue : %1</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%1 fichiers sur %2</translation>
    </message>
    <message>
        <source>Lines without a disc name</source>
        <translation>Lignes sans nom de disque</translation>
    </message>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (suite)</translation>
    </message>
    <message>
        <source>%1 (%2 files)</source>
        <translation>%1 (%2 fichiers)</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>Unknown export format &quot;%1&quot;: use csv, html or pdf</source>
        <translation>Format d’exportation inconnu « %1 » : utilisez csv, html ou pdf</translation>
    </message>
    <message>
        <source>A PDF export needs an output file: -o FILE</source>
        <translation>Une exportation PDF demande un fichier de sortie : -o FICHIER</translation>
    </message>
    <message>
        <source>The PDF export is not available: %1</source>
        <translation>L’exportation PDF n’est pas disponible : %1</translation>
    </message>
    <message>
        <source>%1 belongs to another version of the program</source>
        <translation>%1 appartient à une autre version du programme</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d’écrire %1 : %2</translation>
    </message>
    <message>
        <source>Cannot write %1: it is the catalog being exported. Nothing was written.</source>
        <translation>Impossible d’écrire %1 : c’est le catalogue en cours d’exportation. Rien n’a été écrit.</translation>
    </message>
    <message>
        <source>The catalog was updated; the list of changes could not be written in full</source>
        <translation>Le catalogue a été mis à jour ; la liste des modifications n’a pas pu être écrite en entier</translation>
    </message>
    <message>
        <source>There is no folder %1 on the disc &quot;%2&quot;</source>
        <translation>Il n’y a pas de dossier %1 sur le disque « %2 »</translation>
    </message>
    <message>
        <source>(lines without a disc name)</source>
        <translation>(lignes sans nom de disque)</translation>
    </message>
    <message>
        <source>%1 has no volume label</source>
        <translation>%1 n’a pas de nom de volume</translation>
    </message>
    <message>
        <source>Error reading the volume label of %1</source>
        <translation>Erreur de lecture du nom de volume de %1</translation>
    </message>
</context>
<context>
    <name>kobrix::QtFileDialogBackend</name>
    <message>
        <source>Path does not exist.
Check the path and try again.</source>
        <translation>Le chemin n’existe pas.
Vérifiez le chemin et réessayez.</translation>
    </message>
</context>
<context>
    <name>kobrix::RuntimeError</name>
    <message>
        <source> (record %1 is longer than %2 bytes)</source>
        <translation> (l’enregistrement %1 dépasse %2 octets)</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Nom ou numéro de fichier incorrect</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>File already open</source>
        <translation>Fichier déjà ouvert</translation>
    </message>
    <message>
        <source>Bad record length</source>
        <translation>Longueur d’enregistrement incorrecte</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Erreur d’entrée/sortie du périphérique</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disque plein</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>Périphérique non disponible</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permission refusée</translation>
    </message>
    <message>
        <source>Disk not ready</source>
        <translation>Disque non prêt</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Erreur d’accès au chemin ou au fichier</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Chemin introuvable</translation>
    </message>
    <message>
        <source>Cancel was selected.</source>
        <translation>Annulation demandée.</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Erreur définie par l’application ou par l’objet</translation>
    </message>
    <message>
        <source>Damaged or unknown disc image: %1</source>
        <translation>Image disque endommagée ou inconnue : %1</translation>
    </message>
    <message>
        <source>Damaged disc image: %1</source>
        <translation>Image disque endommagée : %1</translation>
    </message>
    <message>
        <source>the folder&apos;s entries cannot all be read</source>
        <translation>les entrées du dossier ne peuvent pas toutes être lues</translation>
    </message>
    <message>
        <source>Not a data disc that can be read (ISO 9660, Joliet or Rock Ridge): %1</source>
        <translation>Ce n’est pas un disque de données lisible (ISO 9660, Joliet ou Rock Ridge) : %1</translation>
    </message>
    <message>
        <source>no volume descriptor</source>
        <translation>aucun descripteur de volume</translation>
    </message>
</context>
<context>
    <name>kobrix::SearchPage</name>
    <message>
        <source>Disc</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>Te&amp;xte à rechercher :</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>Re&amp;chercher</translation>
    </message>
    <message>
        <source>Search results by disc</source>
        <translation>Résultats de recherche par disque</translation>
    </message>
    <message>
        <source>Searching... %1%</source>
        <translation>Recherche... %1 %</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Recherche...</translation>
    </message>
    <message>
        <source>Found %1 Item(s) on %2 disc(s)</source>
        <translation>%1 élément(s) trouvé(s) sur %2 disque(s)</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>Texte introuvable</translation>
    </message>
</context>
</TS>
