<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>DiscArrivals</name>
    <message>
        <source>Noticing discs is not supported here</source>
        <translation>Aquí no se pueden detectar los discos insertados</translation>
    </message>
    <message>
        <source>UDisks2 knows no drive %1</source>
        <translation>UDisks2 no conoce ninguna unidad %1</translation>
    </message>
    <message>
        <source>The kernel&apos;s device events cannot be read: %1</source>
        <translation>No se pueden leer los eventos de dispositivos del núcleo: %1</translation>
    </message>
    <message>
        <source>Drive changes cannot be heard: %1</source>
        <translation>No se pueden seguir los cambios de las unidades: %1</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Catalogue CD and DVD discs and find on which disc a file lies.</source>
        <translation>Cataloga discos CD y DVD y encuentra en qué disco está un archivo.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Mostrar esta ayuda y salir.</translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation>Mostrar la versión y salir.</translation>
    </message>
    <message>
        <source>A catalog (.cdc) to open for searching, in place of the start dialog.</source>
        <translation>Un catálogo (.cdc) que abrir para buscar en él, en lugar del diálogo inicial.</translation>
    </message>
    <message>
        <source>Try &apos;kobrix --help&apos; for more information.</source>
        <translation>Pruebe «kobrix --help» para más información.</translation>
    </message>
    <message>
        <source>one catalog at a time, not %1</source>
        <translation>un solo catálogo cada vez, no %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatch</name>
    <message>
        <source>not added: no name was given</source>
        <translation>no añadido: no se indicó ningún nombre</translation>
    </message>
    <message>
        <source>not read: the disc was taken out of the drive</source>
        <translation>no leído: se sacó el disco de la unidad</translation>
    </message>
    <message>
        <source>not read: %1</source>
        <translation>no leído: %1</translation>
    </message>
    <message>
        <source>not read: the disc holds no files</source>
        <translation>no leído: el disco no contiene archivos</translation>
    </message>
    <message>
        <source>not added: %1</source>
        <translation>no añadido: %1</translation>
    </message>
    <message>
        <source>not updated: %1</source>
        <translation>no actualizado: %1</translation>
    </message>
    <message>
        <source>already in the catalog as %1</source>
        <translation>ya está en el catálogo como %1</translation>
    </message>
    <message>
        <source>changed, left as it was</source>
        <translation>cambiado, se dejó como estaba</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>actualizado</translation>
    </message>
    <message>
        <source>added</source>
        <translation>añadido</translation>
    </message>
    <message>
        <source>%1: %2 added, %3 removed</source>
        <translation>%1: %2 añadido(s), %3 eliminado(s)</translation>
    </message>
    <message>
        <source>The catalog already holds another disc named %1</source>
        <translation>El catálogo ya contiene otro disco llamado %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatchWindow</name>
    <message>
        <source>There is no CD-ROM drive to take the discs.</source>
        <translation>No hay ninguna unidad de CD-ROM para los discos.</translation>
    </message>
    <message>
        <source>Catalog Discs Into</source>
        <translation>Catalogar los discos en</translation>
    </message>
    <message>
        <source>Catalog Discs One After Another</source>
        <translation>Catalogar discos uno tras otro</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>Catálogo: %1</translation>
    </message>
    <message>
        <source>&amp;Drive:</source>
        <translation>&amp;Unidad:</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>Disc &amp;name:</source>
        <translation>&amp;Nombre del disco:</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Añadir</translation>
    </message>
    <message>
        <source>&amp;Update the Disc</source>
        <translation>Ac&amp;tualizar el disco</translation>
    </message>
    <message>
        <source>&amp;Leave It as It Is</source>
        <translation>&amp;Dejarlo como está</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disco</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>What was done</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>End the run once the disc in hand is done (Esc)</source>
        <translation>Terminar después del disco actual (Esc)</translation>
    </message>
    <message>
        <source>Choose the drive the discs go into, then Start.</source>
        <translation>Elija la unidad donde irán los discos y pulse Iniciar.</translation>
    </message>
    <message>
        <source>The tray could not be opened (%1): take the disc out by hand.</source>
        <translation>No se pudo abrir la bandeja (%1): saque el disco a mano.</translation>
    </message>
    <message>
        <source>The drive cannot be watched: %1</source>
        <translation>No se puede vigilar la unidad: %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Reading the disc...</source>
        <translation>Leyendo el disco...</translation>
    </message>
    <message>
        <source>Writing to the catalog...</source>
        <translation>Escribiendo en el catálogo...</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Detenido.</translation>
    </message>
    <message>
        <source>A new disc.</source>
        <translation>Un disco nuevo.</translation>
    </message>
    <message>
        <source>The disc has no label: type its name and press Enter.</source>
        <translation>El disco no tiene etiqueta: escriba su nombre y pulse Intro.</translation>
    </message>
    <message>
        <source>It is added under its label in a few seconds; to give it another name, type it and press Enter.</source>
        <translation>Se añadirá con su etiqueta en unos segundos; para darle otro nombre, escríbalo y pulse Intro.</translation>
    </message>
    <message>
        <source>This disc is in the catalog as %1, and it has changed.</source>
        <translation>Este disco está en el catálogo como %1 y ha cambiado.</translation>
    </message>
    <message>
        <source>Stopping once this disc is done...</source>
        <translation>Se detendrá al terminar este disco...</translation>
    </message>
    <message>
        <source>Reading the disc: files found so far: %1</source>
        <translation>Leyendo el disco: archivos encontrados hasta ahora: %1</translation>
    </message>
    <message>
        <source>Files added: %1, removed: %2. Update the disc in the catalog?</source>
        <translation>Archivos añadidos: %1, eliminados: %2. ¿Actualizar el disco en el catálogo?</translation>
    </message>
    <message>
        <source>Discs: %1</source>
        <translation>Discos: %1</translation>
    </message>
    <message>
        <source>added: %1 (files: %2)</source>
        <translation>añadidos: %1 (archivos: %2)</translation>
    </message>
    <message>
        <source>already in the catalog: %1</source>
        <translation>ya en el catálogo: %1</translation>
    </message>
    <message>
        <source>updated: %1</source>
        <translation>actualizados: %1</translation>
    </message>
    <message>
        <source>changed, left as they were: %1</source>
        <translation>cambiados, dejados como estaban: %1</translation>
    </message>
    <message>
        <source>not read or not written: %1</source>
        <translation>no leídos o no escritos: %1</translation>
    </message>
    <message>
        <source>Waiting for the next disc in drive %1</source>
        <translation>Esperando el siguiente disco en la unidad %1</translation>
    </message>
    <message>
        <source>Files added and removed</source>
        <translation>Archivos añadidos y eliminados</translation>
    </message>
    <message>
        <source>Discs done</source>
        <translation>Discos procesados</translation>
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
        <translation>Catálogo</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disco</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 disc(s), %3 file(s)</source>
        <translation>%1 catálogos, %2 disco(s), %3 archivo(s)</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)</source>
        <translation>%1 catálogos, %2 de %3 disco(s), %4 de %5 archivo(s)</translation>
    </message>
    <message>
        <source>%1 disc(s), %2 file(s)</source>
        <translation>%1 disco(s), %2 archivo(s)</translation>
    </message>
    <message>
        <source>%1 of %2 disc(s), %3 of %4 file(s)</source>
        <translation>%1 de %2 disco(s), %3 de %4 archivo(s)</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscTreeModel</name>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscUpdateDialog</name>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>Actualizar disco en el catálogo</translation>
    </message>
    <message>
        <source>Update &quot;%1&quot; in %2</source>
        <translation>Actualizar «%1» en %2</translation>
    </message>
    <message>
        <source>The disc scanned shares no file with &quot;%1&quot;: updating replaces every file of it. Is it the same disc?</source>
        <translation>El disco escaneado no comparte ningún archivo con «%1»: al actualizar se reemplazarán todos sus archivos. ¿Es el mismo disco?</translation>
    </message>
    <message>
        <source>Files &amp;added:</source>
        <translation>Archivos &amp;añadidos:</translation>
    </message>
    <message>
        <source>Files added</source>
        <translation>Archivos añadidos</translation>
    </message>
    <message>
        <source>Files &amp;removed:</source>
        <translation>Archivos &amp;eliminados:</translation>
    </message>
    <message>
        <source>Files removed</source>
        <translation>Archivos eliminados</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>A&amp;ctualizar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindow</name>
    <message>
        <source>Discs</source>
        <translation>Discos</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>Leyendo %1...</translation>
    </message>
    <message>
        <source>Counting the discs...</source>
        <translation>Contando los discos...</translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation>Fi&amp;ltro:</translation>
    </message>
    <message>
        <source>Part of a disc name</source>
        <translation>Parte del nombre de un disco</translation>
    </message>
    <message>
        <source>&amp;Discs</source>
        <translation>&amp;Discos</translation>
    </message>
    <message>
        <source>&amp;Add Catalogs</source>
        <translation>&amp;Añadir catálogos</translation>
    </message>
    <message>
        <source>Catalog &amp;Files...</source>
        <translation>&amp;Archivos de catálogo...</translation>
    </message>
    <message>
        <source>All Catalogs in a F&amp;older...</source>
        <translation>Todos los catálogos de una &amp;carpeta...</translation>
    </message>
    <message>
        <source>Views</source>
        <translation>Vistas</translation>
    </message>
    <message>
        <source>F&amp;olders</source>
        <translation>&amp;Carpetas</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>Bú&amp;squeda</translation>
    </message>
    <message>
        <source>O&amp;ther Discs</source>
        <translation>&amp;Otros discos</translation>
    </message>
    <message>
        <source>Files on Se&amp;veral Discs</source>
        <translation>Archivos en &amp;varios discos</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Ce&amp;rrar</translation>
    </message>
    <message>
        <source>Discs - %1</source>
        <translation>Discos – %1</translation>
    </message>
    <message>
        <source>Add Catalogs</source>
        <translation>Añadir catálogos</translation>
    </message>
    <message>
        <source>Add All Catalogs in a Folder</source>
        <translation>Añadir todos los catálogos de una carpeta</translation>
    </message>
    <message>
        <source>Discs - %1 catalogs</source>
        <translation>Discos – %1 catálogos</translation>
    </message>
    <message>
        <source>No catalog (*.cdc) was found in %1.</source>
        <translation>No se encontró ningún catálogo (*.cdc) en %1.</translation>
    </message>
    <message>
        <source>The catalogs chosen are shown already.</source>
        <translation>Los catálogos elegidos ya se muestran.</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindowOutput</name>
    <message>
        <source>Export status</source>
        <translation>Estado de la exportación</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportar...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Writes the whole catalog, the selected discs or the search results to a CSV, HTML or PDF file</source>
        <translation>Guarda todo el catálogo, los discos seleccionados o los resultados de búsqueda en un archivo CSV, HTML o PDF</translation>
    </message>
    <message>
        <source>&amp;Whole Catalog...</source>
        <translation>&amp;Todo el catálogo...</translation>
    </message>
    <message>
        <source>&amp;Selected Discs...</source>
        <translation>Discos &amp;seleccionados...</translation>
    </message>
    <message>
        <source>Search &amp;Results...</source>
        <translation>&amp;Resultados de búsqueda...</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>&amp;Imprimir...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Prints the selected discs, or the disc shown, with a preview</source>
        <translation>Imprime los discos seleccionados, o el disco mostrado, con vista previa</translation>
    </message>
    <message>
        <source>On &amp;A4 Paper...</source>
        <translation>En papel &amp;A4...</translation>
    </message>
    <message>
        <source>On &amp;Letter Paper...</source>
        <translation>En papel &amp;Carta...</translation>
    </message>
    <message>
        <source>As a CD &amp;Case Booklet...</source>
        <translation>Como &amp;libreto de caja de CD...</translation>
    </message>
    <message>
        <source>Pages of 120 x 120 mm that fit a CD case</source>
        <translation>Páginas de 120 × 120 mm que caben en una caja de CD</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Catálogo</translation>
    </message>
    <message>
        <source>Export Whole Catalog</source>
        <translation>Exportar todo el catálogo</translation>
    </message>
    <message>
        <source>Export Selected Discs</source>
        <translation>Exportar los discos seleccionados</translation>
    </message>
    <message>
        <source>Export Search Results</source>
        <translation>Exportar los resultados de búsqueda</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|Web Pages (*.html)|*.html|PDF Documents (*.pdf)|*.pdf</source>
        <translation>Archivos CSV (*.csv)|*.csv|Páginas web (*.html)|*.html|Documentos PDF (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>%1 does not end in .csv, .html or .pdf, which tell the format of the export. Nothing was written.</source>
        <translation>%1 no termina en .csv, .html o .pdf, que indican el formato de la exportación. No se ha escrito nada.</translation>
    </message>
    <message>
        <source>Stop &amp;Export</source>
        <translation>&amp;Detener exportación</translation>
    </message>
    <message>
        <source>Stop Export</source>
        <translation>Detener exportación</translation>
    </message>
    <message>
        <source>Exporting to %1... %2% (Esc stops)</source>
        <translation>Exportando a %1... %2 % (Esc para detener)</translation>
    </message>
    <message>
        <source>Exporting to %1... (Esc stops)</source>
        <translation>Exportando a %1... (Esc para detener)</translation>
    </message>
    <message>
        <source>Exported %1 file(s) of %2 disc(s) to %3</source>
        <translation>%1 archivo(s) de %2 disco(s) exportado(s) a %3</translation>
    </message>
    <message>
        <source>Export stopped: %1 was not written</source>
        <translation>Exportación detenida: no se escribió %1</translation>
    </message>
    <message>
        <source>Export failed: %1 was not written</source>
        <translation>Error en la exportación: no se escribió %1</translation>
    </message>
    <message>
        <source>Discs of %1 catalogs</source>
        <translation>Discos de %1 catálogos</translation>
    </message>
    <message>
        <source>The pages of %1 could not be printed.</source>
        <translation>No se pudieron imprimir las páginas de %1.</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesModel</name>
    <message>
        <source>Discs</source>
        <translation>Discos</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Ruta</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesPage</name>
    <message>
        <source>By &amp;path</source>
        <translation>Por &amp;ruta</translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation>Por &amp;nombre</translation>
    </message>
    <message>
        <source>Files on several discs</source>
        <translation>Archivos en varios discos</translation>
    </message>
    <message>
        <source>Looking for files on several discs...</source>
        <translation>Buscando archivos en varios discos...</translation>
    </message>
    <message>
        <source>No file stands on more than one disc</source>
        <translation>Ningún archivo está en más de un disco</translation>
    </message>
    <message numerus="yes">
        <source>%Ln path stands on more than one disc</source>
        <translation>
            <numerusform>%Ln ruta está en más de un disco</numerusform>
            <numerusform>%Ln rutas están en más de un disco</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln paths stand on more than one disc</source>
        <translation>
            <numerusform>%Ln ruta está en más de un disco</numerusform>
            <numerusform>%Ln rutas están en más de un disco</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file name stands on more than one disc</source>
        <translation>
            <numerusform>%Ln nombre de archivo está en más de un disco</numerusform>
            <numerusform>%Ln nombres de archivo están en más de un disco</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file names stand on more than one disc</source>
        <translation>
            <numerusform>%Ln nombre de archivo está en más de un disco</numerusform>
            <numerusform>%Ln nombres de archivo están en más de un disco</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kobrix::FileViewActions</name>
    <message>
        <source>Show on &amp;other discs</source>
        <translation>Mostrar en &amp;otros discos</translation>
    </message>
    <message>
        <source>Show in &amp;Folders</source>
        <translation>Mostrar en &amp;carpetas</translation>
    </message>
</context>
<context>
    <name>kobrix::FoldersPage</name>
    <message>
        <source>Folders of the disc</source>
        <translation>Carpetas del disco</translation>
    </message>
    <message>
        <source>%1: %2 file(s) in %3 folder(s)</source>
        <translation>%1: %2 archivo(s) en %3 carpeta(s)</translation>
    </message>
</context>
<context>
    <name>kobrix::Form1</name>
    <message>
        <source>&amp;Update Disc in Catalog...</source>
        <translation>Ac&amp;tualizar disco en el catálogo...</translation>
    </message>
    <message>
        <source>Replace the disc&apos;s files in a catalog with the disc as scanned now</source>
        <translation>Sustituye los archivos del disco en un catálogo por los del disco recién escaneado</translation>
    </message>
    <message>
        <source>Already in %1 as &quot;%2&quot; (%3 of %4 files)</source>
        <translation>Ya está en %1 como «%2» (%3 de %4 archivos)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>Actualizar disco en el catálogo</translation>
    </message>
    <message>
        <source>Updated &quot;%1&quot; in %2: %3</source>
        <translation>«%1» actualizado en %2: %3</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Restart Kobrix</source>
        <translation>Reiniciar Kobrix</translation>
    </message>
    <message>
        <source>Scan CD</source>
        <translation>Escanear CD</translation>
    </message>
    <message>
        <source>Scanning... %1 files</source>
        <translation>Escaneando... %1 archivos</translation>
    </message>
    <message>
        <source>There is no catalog to show: load one, or write a disc into one first.</source>
        <translation>No hay ningún catálogo que mostrar: abra uno o guarde antes un disco en uno.</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|Text Files (*.txt)|*.txt</source>
        <translation>Todos los archivos (*.*)|*.*|Archivos de texto (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>This Drive is unavailable Please insert a CD or Close the CD Drive Door</source>
        <translation>Esta unidad no está disponible. Inserte un CD o cierre la bandeja de la unidad.</translation>
    </message>
    <message>
        <source>Place The next CD in the CD-Drive and click OK</source>
        <translation>Coloque el siguiente CD en la unidad y haga clic en Aceptar</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>Escaneando...</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>Escaneo cancelado</translation>
    </message>
    <message>
        <source>Total:</source>
        <translation>Total:</translation>
    </message>
    <message>
        <source>files</source>
        <translation>archivos</translation>
    </message>
    <message>
        <source>Folders to scan</source>
        <translation>Carpetas que escanear</translation>
    </message>
    <message>
        <source>Write Catalog...</source>
        <translation>Guardar...</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Lista de archivos</translation>
    </message>
    <message>
        <source>Add to Catalog...</source>
        <translation>Añadir...</translation>
    </message>
    <message>
        <source>Enter a Unique Disk Name</source>
        <translation>Escriba un nombre de disco único</translation>
    </message>
    <message>
        <source>Disk Name</source>
        <translation>Nombre del disco</translation>
    </message>
    <message>
        <source>Scan New CD</source>
        <translation>Siguiente CD</translation>
    </message>
    <message>
        <source>Current catalog</source>
        <translation>Catálogo actual</translation>
    </message>
    <message>
        <source>Optical drives</source>
        <translation>Unidades ópticas</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>&amp;Scan Folder...</source>
        <translation>Escanear &amp;carpeta...</translation>
    </message>
    <message>
        <source>Scan a folder, a USB drive or a mounted image as a disc</source>
        <translation>Escanear una carpeta, una unidad USB o una imagen montada como si fuera un disco</translation>
    </message>
    <message>
        <source>Scan Disc &amp;Image...</source>
        <translation>Escanear &amp;imagen de disco...</translation>
    </message>
    <message>
        <source>Scan an ISO disc image as a disc</source>
        <translation>Escanear una imagen ISO como si fuera un disco</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Buscar</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Reiniciar</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Scan Folder</source>
        <translation>Escanear carpeta</translation>
    </message>
    <message>
        <source>Disc Images (*.iso)|*.iso|All Files (*.*)|*.*</source>
        <translation>Imágenes de disco (*.iso)|*.iso|Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Scan Disc Image</source>
        <translation>Escanear imagen de disco</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Donate to Kobrix</source>
        <translation>&amp;Donar a Kobrix</translation>
    </message>
    <message>
        <source>&amp;About Kobrix...</source>
        <translation>&amp;Acerca de Kobrix...</translation>
    </message>
    <message>
        <source>&amp;Catalog</source>
        <translation>&amp;Catálogo</translation>
    </message>
    <message>
        <source>&amp;Discs...</source>
        <translation>&amp;Discos...</translation>
    </message>
    <message>
        <source>Open Re&amp;cent</source>
        <translation>Catálogos recie&amp;ntes</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>No se encuentra %1</translation>
    </message>
    <message>
        <source>No catalogs yet</source>
        <translation>Todavía no hay catálogos</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Borrar la lista</translation>
    </message>
    <message>
        <source>Catalog Discs &amp;One After Another...</source>
        <translation>Catalogar &amp;varios discos seguidos...</translation>
    </message>
    <message>
        <source>Catalog each disc put into the drive, until you stop</source>
        <translation>Catalogar cada disco que se introduzca en la unidad, hasta que lo detenga</translation>
    </message>
</context>
<context>
    <name>kobrix::Form2</name>
    <message>
        <source>What do you want to do?</source>
        <translation>¿Qué desea hacer?</translation>
    </message>
    <message>
        <source>Create a new CD Catalog</source>
        <translation>Crear un catálogo de CD</translation>
    </message>
    <message>
        <source>Open your last CD Catalog</source>
        <translation>Abrir el último catálogo de CD</translation>
    </message>
    <message>
        <source>Search an Existing CD Catalog</source>
        <translation>Buscar en un catálogo de CD existente</translation>
    </message>
    <message>
        <source>Add a new Disk to an Existing CD Catalog</source>
        <translation>Añadir un disco a un catálogo de CD</translation>
    </message>
    <message>
        <source>Type a name for your new Catalog</source>
        <translation>Nombre del nuevo catálogo</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Enter Catalog name here</source>
        <translation>Escriba aquí el nombre</translation>
    </message>
    <message>
        <source> Please enter a name for the new catalog</source>
        <translation> Escriba un nombre para el nuevo catálogo</translation>
    </message>
</context>
<context>
    <name>kobrix::Form3</name>
    <message>
        <source>Find</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Find </source>
        <translation>Buscar </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Search Results</source>
        <translation>Resultados de la búsqueda</translation>
    </message>
    <message>
        <source>Find what?</source>
        <translation>Buscar:</translation>
    </message>
    <message>
        <source>Search Results:</source>
        <translation>Resultados:</translation>
    </message>
    <message>
        <source>Found %1 Item(s)</source>
        <translation>%1 elemento(s) encontrado(s)</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>No se encontró el texto</translation>
    </message>
</context>
<context>
    <name>kobrix::Form4</name>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Freeware: copy it and share it freely.</source>
        <translation>Gratuito: cópielo y compártalo.</translation>
    </message>
    <message>
        <source>Written by the Kobrix developers.</source>
        <translation>De los desarrolladores de Kobrix.</translation>
    </message>
    <message>
        <source>Visit Kobrix website</source>
        <translation>Visitar el sitio web de Kobrix</translation>
    </message>
    <message>
        <source>For comments or suggestions on Kobrix email:</source>
        <translation>Comentarios o sugerencias sobre Kobrix por correo:</translation>
    </message>
    <message>
        <source>If you find Kobrix useful please help support it by donating</source>
        <translation>Si Kobrix le resulta útil, apóyelo con un donativo</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>kobrix::MainStatusBar</name>
    <message>
        <source>File Count</source>
        <translation>Número de archivos</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Stop the scan (Esc)</source>
        <translation>Detener el escaneo (Esc)</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>Actualizar...</translation>
    </message>
    <message>
        <source>Update Disc in Catalog...</source>
        <translation>Actualizar disco en el catálogo...</translation>
    </message>
    <message>
        <source>Update the disc in the catalog</source>
        <translation>Actualizar el disco en el catálogo</translation>
    </message>
</context>
<context>
    <name>kobrix::OtherDiscsPage</name>
    <message>
        <source>Where</source>
        <translation>Ubicación</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>Choose a file and &quot;Show on other discs&quot; (%1).</source>
        <translation>Elija un archivo y «Mostrar en otros discos» (%1).</translation>
    </message>
    <message>
        <source>Other discs holding the file</source>
        <translation>Otros discos que contienen el archivo</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Looking for %1 on the other discs...</source>
        <translation>Buscando %1 en los otros discos...</translation>
    </message>
    <message>
        <source>%1 of &quot;%2&quot;</source>
        <translation>%1 de «%2»</translation>
    </message>
    <message>
        <source>Same path on other discs</source>
        <translation>Misma ruta en otros discos</translation>
    </message>
    <message>
        <source>Same name in other folders</source>
        <translation>Mismo nombre en otras carpetas</translation>
    </message>
</context>
<context>
    <name>kobrix::ProgramTexts</name>
    <message>
        <source>CD Catalog Files (*.cdc)|*.cdc</source>
        <translation>Catálogos de CD (*.cdc)|*.cdc</translation>
    </message>
    <message>
        <source>Error in WriteList</source>
        <translation>Error al escribir la lista</translation>
    </message>
    <message>
        <source>Error Reading file</source>
        <translation>Error al leer el archivo</translation>
    </message>
    <message>
        <source>Error scanning %1</source>
        <translation>Error al escanear %1</translation>
    </message>
    <message>
        <source>Error reading disc image %1</source>
        <translation>Error al leer la imagen de disco %1</translation>
    </message>
    <message>
        <source>Please enter a Disk Name or Number</source>
        <translation>Escriba un nombre o número de disco</translation>
    </message>
    <message>
        <source>Listbox is empty - cannot write to file!</source>
        <translation>La lista está vacía: no se puede guardar nada.</translation>
    </message>
    <message>
        <source>Enter a search string</source>
        <translation>Escriba el texto que buscar</translation>
    </message>
    <message>
        <source>A disc name cannot hold &quot; - \&quot;: &quot;%1&quot; would be read back as the disc &quot;%2&quot;. Nothing was written.</source>
        <translation>Un nombre de disco no puede contener « - \»: «%1» se leería como el disco «%2». No se ha escrito nada.</translation>
    </message>
    <message>
        <source>There is no disc named &quot;%1&quot; in %2</source>
        <translation>No hay ningún disco llamado «%1» en %2</translation>
    </message>
    <message>
        <source>Line %1 of the catalog holds records of &quot;%2&quot; together with other records; the disc cannot be updated</source>
        <translation>La línea %1 del catálogo contiene registros de «%2» junto con otros registros; no se puede actualizar el disco</translation>
    </message>
    <message>
        <source>The disc&apos;s records in the catalog changed meanwhile; nothing was written</source>
        <translation>Los registros del disco en el catálogo han cambiado entretanto; no se ha escrito nada</translation>
    </message>
    <message>
        <source>%1 added, %2 removed, %3 unchanged</source>
        <translation>%1 añadido(s), %2 eliminado(s), %3 sin cambios</translation>
    </message>
    <message>
        <source>%1 discs, %2 files</source>
        <translation>%1 discos, %2 archivos</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>Discos</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disco</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtro</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Catálogo</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>Catálogo: %1</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%1 de %2 archivos</translation>
    </message>
    <message>
        <source>Lines without a disc name</source>
        <translation>Líneas sin nombre de disco</translation>
    </message>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (continuación)</translation>
    </message>
    <message>
        <source>%1 (%2 files)</source>
        <translation>%1 (%2 archivos)</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>Unknown export format &quot;%1&quot;: use csv, html or pdf</source>
        <translation>Formato de exportación desconocido «%1»: use csv, html o pdf</translation>
    </message>
    <message>
        <source>A PDF export needs an output file: -o FILE</source>
        <translation>Una exportación a PDF necesita un archivo de salida: -o ARCHIVO</translation>
    </message>
    <message>
        <source>The PDF export is not available: %1</source>
        <translation>La exportación a PDF no está disponible: %1</translation>
    </message>
    <message>
        <source>%1 belongs to another version of the program</source>
        <translation>%1 pertenece a otra versión del programa</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: it is the catalog being exported. Nothing was written.</source>
        <translation>No se puede escribir %1: es el catálogo que se está exportando. No se ha escrito nada.</translation>
    </message>
    <message>
        <source>The catalog was updated; the list of changes could not be written in full</source>
        <translation>El catálogo se actualizó; la lista de cambios no se pudo escribir completa</translation>
    </message>
    <message>
        <source>There is no folder %1 on the disc &quot;%2&quot;</source>
        <translation>No hay ninguna carpeta %1 en el disco «%2»</translation>
    </message>
    <message>
        <source>(lines without a disc name)</source>
        <translation>(líneas sin nombre de disco)</translation>
    </message>
    <message>
        <source>%1 has no volume label</source>
        <translation>%1 no tiene etiqueta de volumen</translation>
    </message>
    <message>
        <source>Error reading the volume label of %1</source>
        <translation>Error al leer la etiqueta de volumen de %1</translation>
    </message>
</context>
<context>
    <name>kobrix::QtFileDialogBackend</name>
    <message>
        <source>Path does not exist.
Check the path and try again.</source>
        <translation>La ruta no existe.
Compruebe la ruta e inténtelo de nuevo.</translation>
    </message>
</context>
<context>
    <name>kobrix::RuntimeError</name>
    <message>
        <source> (record %1 is longer than %2 bytes)</source>
        <translation> (el registro %1 supera los %2 bytes)</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Nombre o número de archivo incorrecto</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>No se encontró el archivo</translation>
    </message>
    <message>
        <source>File already open</source>
        <translation>El archivo ya está abierto</translation>
    </message>
    <message>
        <source>Bad record length</source>
        <translation>Longitud de registro incorrecta</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Error de E/S del dispositivo</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disco lleno</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>Dispositivo no disponible</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permiso denegado</translation>
    </message>
    <message>
        <source>Disk not ready</source>
        <translation>El disco no está listo</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Error de acceso a la ruta o al archivo</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>No se encontró la ruta</translation>
    </message>
    <message>
        <source>Cancel was selected.</source>
        <translation>Se eligió Cancelar.</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Error definido por la aplicación o por el objeto</translation>
    </message>
    <message>
        <source>Damaged or unknown disc image: %1</source>
        <translation>Imagen de disco dañada o desconocida: %1</translation>
    </message>
    <message>
        <source>Damaged disc image: %1</source>
        <translation>Imagen de disco dañada: %1</translation>
    </message>
    <message>
        <source>the folder&apos;s entries cannot all be read</source>
        <translation>no se pueden leer todas las entradas de la carpeta</translation>
    </message>
    <message>
        <source>Not a data disc that can be read (ISO 9660, Joliet or Rock Ridge): %1</source>
        <translation>No es un disco de datos legible (ISO 9660, Joliet o Rock Ridge): %1</translation>
    </message>
    <message>
        <source>no volume descriptor</source>
        <translation>no hay descriptor de volumen</translation>
    </message>
</context>
<context>
    <name>kobrix::SearchPage</name>
    <message>
        <source>Disc</source>
        <translation>Disco</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Coincidencias</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>&amp;Texto:</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Buscar</translation>
    </message>
    <message>
        <source>Search results by disc</source>
        <translation>Resultados de búsqueda por disco</translation>
    </message>
    <message>
        <source>Searching... %1%</source>
        <translation>Buscando... %1 %</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Buscando...</translation>
    </message>
    <message>
        <source>Found %1 Item(s) on %2 disc(s)</source>
        <translation>%1 elemento(s) encontrado(s) en %2 disco(s)</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>No se encontró el texto</translation>
    </message>
</context>
</TS>
