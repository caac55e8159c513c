<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>DiscArrivals</name>
    <message>
        <source>Noticing discs is not supported here</source>
        <translation>Обнаружение вставленных дисков здесь не поддерживается</translation>
    </message>
    <message>
        <source>UDisks2 knows no drive %1</source>
        <translation>UDisks2 не знает дисковода %1</translation>
    </message>
    <message>
        <source>The kernel&apos;s device events cannot be read: %1</source>
        <translation>Не удаётся прочитать события устройств ядра: %1</translation>
    </message>
    <message>
        <source>Drive changes cannot be heard: %1</source>
        <translation>Не удаётся отслеживать изменения дисководов: %1</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Catalogue CD and DVD discs and find on which disc a file lies.</source>
        <translation>Каталогизирует диски CD и DVD и находит, на каком диске лежит файл.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Показать эту справку и выйти.</translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation>Показать версию и выйти.</translation>
    </message>
    <message>
        <source>A catalog (.cdc) to open for searching, in place of the start dialog.</source>
        <translation>Каталог (.cdc), который открыть для поиска вместо начального окна.</translation>
    </message>
    <message>
        <source>Try &apos;kobrix --help&apos; for more information.</source>
        <translation>Подробнее: «kobrix --help».</translation>
    </message>
    <message>
        <source>one catalog at a time, not %1</source>
        <translation>только один каталог за раз, а не %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatch</name>
    <message>
        <source>not added: no name was given</source>
        <translation>не добавлен: имя не указано</translation>
    </message>
    <message>
        <source>not read: the disc was taken out of the drive</source>
        <translation>не прочитан: диск извлечён из дисковода</translation>
    </message>
    <message>
        <source>not read: %1</source>
        <translation>не прочитан: %1</translation>
    </message>
    <message>
        <source>not read: the disc holds no files</source>
        <translation>не прочитан: на диске нет файлов</translation>
    </message>
    <message>
        <source>not added: %1</source>
        <translation>не добавлен: %1</translation>
    </message>
    <message>
        <source>not updated: %1</source>
        <translation>не обновлён: %1</translation>
    </message>
    <message>
        <source>already in the catalog as %1</source>
        <translation>уже есть в каталоге как %1</translation>
    </message>
    <message>
        <source>changed, left as it was</source>
        <translation>изменён, оставлен как был</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>обновлён</translation>
    </message>
    <message>
        <source>added</source>
        <translation>добавлен</translation>
    </message>
    <message>
        <source>%1: %2 added, %3 removed</source>
        <translation>%1: добавлено %2, удалено %3</translation>
    </message>
    <message>
        <source>The catalog already holds another disc named %1</source>
        <translation>В каталоге уже есть другой диск с именем %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatchWindow</name>
    <message>
        <source>There is no CD-ROM drive to take the discs.</source>
        <translation>Нет дисковода CD-ROM для дисков.</translation>
    </message>
    <message>
        <source>Catalog Discs Into</source>
        <translation>Каталогизировать диски в</translation>
    </message>
    <message>
        <source>Catalog Discs One After Another</source>
        <translation>Каталогизация дисков подряд</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>Каталог: %1</translation>
    </message>
    <message>
        <source>&amp;Drive:</source>
        <translation>&amp;Дисковод:</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>&amp;Начать</translation>
    </message>
    <message>
        <source>Disc &amp;name:</source>
        <translation>&amp;Имя диска:</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Доб&amp;авить</translation>
    </message>
    <message>
        <source>&amp;Update the Disc</source>
        <translation>&amp;Обновить диск</translation>
    </message>
    <message>
        <source>&amp;Leave It as It Is</source>
        <translation>О&amp;ставить как есть</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>What was done</source>
        <translation>Результат</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>End the run once the disc in hand is done (Esc)</source>
        <translation>Закончить после текущего диска (Esc)</translation>
    </message>
    <message>
        <source>Choose the drive the discs go into, then Start.</source>
        <translation>Выберите дисковод для дисков и нажмите «Начать».</translation>
    </message>
    <message>
        <source>The tray could not be opened (%1): take the disc out by hand.</source>
        <translation>Не удалось открыть лоток (%1): извлеките диск вручную.</translation>
    </message>
    <message>
        <source>The drive cannot be watched: %1</source>
        <translation>Не удаётся следить за дисководом: %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Reading the disc...</source>
        <translation>Чтение диска...</translation>
    </message>
    <message>
        <source>Writing to the catalog...</source>
        <translation>Запись в каталог...</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Остановлено.</translation>
    </message>
    <message>
        <source>A new disc.</source>
        <translation>Новый диск.</translation>
    </message>
    <message>
        <source>The disc has no label: type its name and press Enter.</source>
        <translation>У диска нет метки: введите его имя и нажмите Enter.</translation>
    </message>
    <message>
        <source>It is added under its label in a few seconds; to give it another name, type it and press Enter.</source>
        <translation>Через несколько секунд он будет добавлен под своей меткой; чтобы дать другое имя, введите его и нажмите Enter.</translation>
    </message>
    <message>
        <source>This disc is in the catalog as %1, and it has changed.</source>
        <translation>Этот диск есть в каталоге как %1, и он изменился.</translation>
    </message>
    <message>
        <source>Stopping once this disc is done...</source>
        <translation>Остановка после этого диска...</translation>
    </message>
    <message>
        <source>Reading the disc: files found so far: %1</source>
        <translation>Чтение диска: найдено файлов: %1</translation>
    </message>
    <message>
        <source>Files added: %1, removed: %2. Update the disc in the catalog?</source>
        <translation>Файлов добавлено: %1, удалено: %2. Обновить диск в каталоге?</translation>
    </message>
    <message>
        <source>Discs: %1</source>
        <translation>Дисков: %1</translation>
    </message>
    <message>
        <source>added: %1 (files: %2)</source>
        <translation>добавлено: %1 (файлов: %2)</translation>
    </message>
    <message>
        <source>already in the catalog: %1</source>
        <translation>уже в каталоге: %1</translation>
    </message>
    <message>
        <source>updated: %1</source>
        <translation>обновлено: %1</translation>
    </message>
    <message>
        <source>changed, left as they were: %1</source>
        <translation>изменены, оставлены как были: %1</translation>
    </message>
    <message>
        <source>not read or not written: %1</source>
        <translation>не прочитано или не записано: %1</translation>
    </message>
    <message>
        <source>Waiting for the next disc in drive %1</source>
        <translation>Ожидание следующего диска в дисководе %1</translation>
    </message>
    <message>
        <source>Files added and removed</source>
        <translation>Добавленные и удалённые файлы</translation>
    </message>
    <message>
        <source>Discs done</source>
        <translation>Обработанные диски</translation>
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
        <translation>Каталог</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 disc(s), %3 file(s)</source>
        <translation>Каталогов: %1, дисков: %2, файлов: %3</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)</source>
        <translation>Каталогов: %1, дисков: %2 из %3, файлов: %4 из %5</translation>
    </message>
    <message>
        <source>%1 disc(s), %2 file(s)</source>
        <translation>Дисков: %1, файлов: %2</translation>
    </message>
    <message>
        <source>%1 of %2 disc(s), %3 of %4 file(s)</source>
        <translation>Дисков: %1 из %2, файлов: %3 из %4</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscTreeModel</name>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscUpdateDialog</name>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>Обновить диск в каталоге</translation>
    </message>
    <message>
        <source>Update &quot;%1&quot; in %2</source>
        <translation>Обновить «%1» в %2</translation>
    </message>
    <message>
        <source>The disc scanned shares no file with &quot;%1&quot;: updating replaces every file of it. Is it the same disc?</source>
        <translation>У отсканированного диска нет ни одного общего файла с «%1»: при обновлении будут заменены все его файлы. Это тот же диск?</translation>
    </message>
    <message>
        <source>Files &amp;added:</source>
        <translation>&amp;Добавленные файлы:</translation>
    </message>
    <message>
        <source>Files added</source>
        <translation>Добавленные файлы</translation>
    </message>
    <message>
        <source>Files &amp;removed:</source>
        <translation>&amp;Удалённые файлы:</translation>
    </message>
    <message>
        <source>Files removed</source>
        <translation>Удалённые файлы</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>О&amp;бновить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindow</name>
    <message>
        <source>Discs</source>
        <translation>Диски</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>Чтение %1...</translation>
    </message>
    <message>
        <source>Counting the discs...</source>
        <translation>Подсчёт дисков...</translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation>Ф&amp;ильтр:</translation>
    </message>
    <message>
        <source>Part of a disc name</source>
        <translation>Часть имени диска</translation>
    </message>
    <message>
        <source>&amp;Discs</source>
        <translation>&amp;Диски</translation>
    </message>
    <message>
        <source>&amp;Add Catalogs</source>
        <translation>Доб&amp;авить каталоги</translation>
    </message>
    <message>
        <source>Catalog &amp;Files...</source>
        <translation>&amp;Файлы каталогов...</translation>
    </message>
    <message>
        <source>All Catalogs in a F&amp;older...</source>
        <translation>Все каталоги в &amp;папке...</translation>
    </message>
    <message>
        <source>Views</source>
        <translation>Представления</translation>
    </message>
    <message>
        <source>F&amp;olders</source>
        <translation>&amp;Папки</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>П&amp;оиск</translation>
    </message>
    <message>
        <source>O&amp;ther Discs</source>
        <translation>Д&amp;ругие диски</translation>
    </message>
    <message>
        <source>Files on Se&amp;veral Discs</source>
        <translation>Файлы на н&amp;ескольких дисках</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Discs - %1</source>
        <translation>Диски — %1</translation>
    </message>
    <message>
        <source>Add Catalogs</source>
        <translation>Добавить каталоги</translation>
    </message>
    <message>
        <source>Add All Catalogs in a Folder</source>
        <translation>Добавить все каталоги из папки</translation>
    </message>
    <message>
        <source>Discs - %1 catalogs</source>
        <translation>Диски — каталогов: %1</translation>
    </message>
    <message>
        <source>No catalog (*.cdc) was found in %1.</source>
        <translation>В %1 не найдено ни одного каталога (*.cdc).</translation>
    </message>
    <message>
        <source>The catalogs chosen are shown already.</source>
        <translation>Выбранные каталоги уже показаны.</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindowOutput</name>
    <message>
        <source>Export status</source>
        <translation>Состояние экспорта</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Экспорт...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>Writes the whole catalog, the selected discs or the search results to a CSV, HTML or PDF file</source>
        <translation>Сохраняет весь каталог, выбранные диски или результаты поиска в файл CSV, HTML или PDF</translation>
    </message>
    <message>
        <source>&amp;Whole Catalog...</source>
        <translation>&amp;Весь каталог...</translation>
    </message>
    <message>
        <source>&amp;Selected Discs...</source>
        <translation>В&amp;ыбранные диски...</translation>
    </message>
    <message>
        <source>Search &amp;Results...</source>
        <translation>&amp;Результаты поиска...</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>Пе&amp;чать...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Печать</translation>
    </message>
    <message>
        <source>Prints the selected discs, or the disc shown, with a preview</source>
        <translation>Печатает выбранные диски или показанный диск, с предварительным просмотром</translation>
    </message>
    <message>
        <source>On &amp;A4 Paper...</source>
        <translation>На бумаге &amp;A4...</translation>
    </message>
    <message>
        <source>On &amp;Letter Paper...</source>
        <translation>На бумаге &amp;Letter...</translation>
    </message>
    <message>
        <source>As a CD &amp;Case Booklet...</source>
        <translation>Как &amp;вкладыш в коробку CD...</translation>
    </message>
    <message>
        <source>Pages of 120 x 120 mm that fit a CD case</source>
        <translation>Страницы 120 × 120 мм по размеру коробки CD</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Каталог</translation>
    </message>
    <message>
        <source>Export Whole Catalog</source>
        <translation>Экспорт всего каталога</translation>
    </message>
    <message>
        <source>Export Selected Discs</source>
        <translation>Экспорт выбранных дисков</translation>
    </message>
    <message>
        <source>Export Search Results</source>
        <translation>Экспорт результатов поиска</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|Web Pages (*.html)|*.html|PDF Documents (*.pdf)|*.pdf</source>
        <translation>Файлы CSV (*.csv)|*.csv|Веб-страницы (*.html)|*.html|Документы PDF (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>%1 does not end in .csv, .html or .pdf, which tell the format of the export. Nothing was written.</source>
        <translation>Имя %1 не оканчивается на .csv, .html или .pdf, по которым определяется формат экспорта. Ничего не записано.</translation>
    </message>
    <message>
        <source>Stop &amp;Export</source>
        <translation>&amp;Остановить экспорт</translation>
    </message>
    <message>
        <source>Stop Export</source>
        <translation>Остановить экспорт</translation>
    </message>
    <message>
        <source>Exporting to %1... %2% (Esc stops)</source>
        <translation>Экспорт в %1... %2% (Esc — остановить)</translation>
    </message>
    <message>
        <source>Exporting to %1... (Esc stops)</source>
        <translation>Экспорт в %1... (Esc — остановить)</translation>
    </message>
    <message>
        <source>Exported %1 file(s) of %2 disc(s) to %3</source>
        <translation>Экспортировано в %3: файлов — %1, дисков — %2</translation>
    </message>
    <message>
        <source>Export stopped: %1 was not written</source>
        <translation>Экспорт остановлен: %1 не записан</translation>
    </message>
    <message>
        <source>Export failed: %1 was not written</source>
        <translation>Ошибка экспорта: %1 не записан</translation>
    </message>
    <message>
        <source>Discs of %1 catalogs</source>
        <translation>Диски из каталогов: %1</translation>
    </message>
    <message>
        <source>The pages of %1 could not be printed.</source>
        <translation>Не удалось напечатать страницы %1.</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesModel</name>
    <message>
        <source>Discs</source>
        <translation>Диски</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Путь</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesPage</name>
    <message>
        <source>By &amp;path</source>
        <translation>По &amp;пути</translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation>По &amp;имени</translation>
    </message>
    <message>
        <source>Files on several discs</source>
        <translation>Файлы на нескольких дисках</translation>
    </message>
    <message>
        <source>Looking for files on several discs...</source>
        <translation>Поиск файлов на нескольких дисках...</translation>
    </message>
    <message>
        <source>No file stands on more than one disc</source>
        <translation>Нет файлов, которые есть более чем на одном диске</translation>
    </message>
    <message numerus="yes">
        <source>%Ln path stands on more than one disc</source>
        <translation>
            <numerusform>%Ln путь есть более чем на одном диске</numerusform>
            <numerusform>%Ln пути есть более чем на одном диске</numerusform>
            <numerusform>%Ln путей есть более чем на одном диске</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln paths stand on more than one disc</source>
        <translation>
            <numerusform>%Ln путь есть более чем на одном диске</numerusform>
            <numerusform>%Ln пути есть более чем на одном диске</numerusform>
            <numerusform>%Ln путей есть более чем на одном диске</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file name stands on more than one disc</source>
        <translation>
            <numerusform>%Ln имя файла есть более чем на одном диске</numerusform>
            <numerusform>%Ln имени файлов есть более чем на одном диске</numerusform>
            <numerusform>%Ln имён файлов есть более чем на одном диске</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file names stand on more than one disc</source>
        <translation>
            <numerusform>%Ln имя файла есть более чем на одном диске</numerusform>
            <numerusform>%Ln имени файлов есть более чем на одном диске</numerusform>
            <numerusform>%Ln имён файлов есть более чем на одном диске</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kobrix::FileViewActions</name>
    <message>
        <source>Show on &amp;other discs</source>
        <translation>Показать на &amp;других дисках</translation>
    </message>
    <message>
        <source>Show in &amp;Folders</source>
        <translation>Показать в &amp;папках</translation>
    </message>
</context>
<context>
    <name>kobrix::FoldersPage</name>
    <message>
        <source>Folders of the disc</source>
        <translation>Папки диска</translation>
    </message>
    <message>
        <source>%1: %2 file(s) in %3 folder(s)</source>
        <translation>%1: файлов — %2, папок — %3</translation>
    </message>
</context>
<context>
    <name>kobrix::Form1</name>
    <message>
        <source>&amp;Update Disc in Catalog...</source>
        <translation>Обновить &amp;диск в каталоге...</translation>
    </message>
    <message>
        <source>Replace the disc&apos;s files in a catalog with the disc as scanned now</source>
        <translation>Заменяет файлы диска в каталоге файлами только что отсканированного диска</translation>
    </message>
    <message>
        <source>Already in %1 as &quot;%2&quot; (%3 of %4 files)</source>
        <translation>Уже есть в %1 как «%2» (файлов: %3 из %4)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>Обновить диск в каталоге</translation>
    </message>
    <message>
        <source>Updated &quot;%1&quot; in %2: %3</source>
        <translation>«%1» обновлён в %2: %3</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Заново</translation>
    </message>
    <message>
        <source>Restart Kobrix</source>
        <translation>Начать Kobrix заново</translation>
    </message>
    <message>
        <source>Scan CD</source>
        <translation>Сканировать CD</translation>
    </message>
    <message>
        <source>Scanning... %1 files</source>
        <translation>Сканирование... файлов: %1</translation>
    </message>
    <message>
        <source>There is no catalog to show: load one, or write a disc into one first.</source>
        <translation>Нет каталога для показа: откройте каталог или сначала запишите в него диск.</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|Text Files (*.txt)|*.txt</source>
        <translation>Все файлы (*.*)|*.*|Текстовые файлы (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>This Drive is unavailable Please insert a CD or Close the CD Drive Door</source>
        <translation>Этот дисковод недоступен. Вставьте CD или закройте лоток дисковода.</translation>
    </message>
    <message>
        <source>Place The next CD in the CD-Drive and click OK</source>
        <translation>Вставьте следующий CD в дисковод и нажмите «ОК»</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>Сканирование...</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>Сканирование отменено</translation>
    </message>
    <message>
        <source>Total:</source>
        <translation>Всего:</translation>
    </message>
    <message>
        <source>files</source>
        <translation>файлов</translation>
    </message>
    <message>
        <source>Folders to scan</source>
        <translation>Папки для сканирования</translation>
    </message>
    <message>
        <source>Write Catalog...</source>
        <translation>Записать...</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Список файлов</translation>
    </message>
    <message>
        <source>Add to Catalog...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Enter a Unique Disk Name</source>
        <translation>Введите уникальное имя диска</translation>
    </message>
    <message>
        <source>Disk Name</source>
        <translation>Имя диска</translation>
    </message>
    <message>
        <source>Scan New CD</source>
        <translation>Следующий CD</translation>
    </message>
    <message>
        <source>Current catalog</source>
        <translation>Текущий каталог</translation>
    </message>
    <message>
        <source>Optical drives</source>
        <translation>Оптические дисководы</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Открыть...</translation>
    </message>
    <message>
        <source>&amp;Scan Folder...</source>
        <translation>Сканировать &amp;папку...</translation>
    </message>
    <message>
        <source>Scan a folder, a USB drive or a mounted image as a disc</source>
        <translation>Сканировать папку, USB-накопитель или смонтированный образ как диск</translation>
    </message>
    <message>
        <source>Scan Disc &amp;Image...</source>
        <translation>Сканировать о&amp;браз диска...</translation>
    </message>
    <message>
        <source>Scan an ISO disc image as a disc</source>
        <translation>Сканировать образ диска ISO как диск</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Найти</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Заново</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Scan Folder</source>
        <translation>Сканировать папку</translation>
    </message>
    <message>
        <source>Disc Images (*.iso)|*.iso|All Files (*.*)|*.*</source>
        <translation>Образы дисков (*.iso)|*.iso|Все файлы (*.*)|*.*</translation>
    </message>
    <message>
        <source>Scan Disc Image</source>
        <translation>Сканировать образ диска</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;Donate to Kobrix</source>
        <translation>&amp;Пожертвовать на Kobrix</translation>
    </message>
    <message>
        <source>&amp;About Kobrix...</source>
        <translation>&amp;О программе Kobrix...</translation>
    </message>
    <message>
        <source>&amp;Catalog</source>
        <translation>&amp;Каталог</translation>
    </message>
    <message>
        <source>&amp;Discs...</source>
        <translation>&amp;Диски...</translation>
    </message>
    <message>
        <source>Open Re&amp;cent</source>
        <translation>Последние &amp;каталоги</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>Файл %1 не найден</translation>
    </message>
    <message>
        <source>No catalogs yet</source>
        <translation>Каталогов пока нет</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Очистить список</translation>
    </message>
    <message>
        <source>Catalog Discs &amp;One After Another...</source>
        <translation>Каталогизировать ди&amp;ски подряд...</translation>
    </message>
    <message>
        <source>Catalog each disc put into the drive, until you stop</source>
        <translation>Каталогизировать каждый вставленный диск, пока вы не остановите</translation>
    </message>
</context>
<context>
    <name>kobrix::Form2</name>
    <message>
        <source>What do you want to do?</source>
        <translation>Что вы хотите сделать?</translation>
    </message>
    <message>
        <source>Create a new CD Catalog</source>
        <translation>Создать новый каталог CD</translation>
    </message>
    <message>
        <source>Open your last CD Catalog</source>
        <translation>Открыть последний каталог CD</translation>
    </message>
    <message>
        <source>Search an Existing CD Catalog</source>
        <translation>Искать в существующем каталоге CD</translation>
    </message>
    <message>
        <source>Add a new Disk to an Existing CD Catalog</source>
        <translation>Добавить диск в каталог CD</translation>
    </message>
    <message>
        <source>Type a name for your new Catalog</source>
        <translation>Имя нового каталога</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Enter Catalog name here</source>
        <translation>Введите имя каталога</translation>
    </message>
    <message>
        <source> Please enter a name for the new catalog</source>
        <translation> Введите имя нового каталога</translation>
    </message>
</context>
<context>
    <name>kobrix::Form3</name>
    <message>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
    <message>
        <source>Find </source>
        <translation>Найти </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Search Results</source>
        <translation>Результаты поиска</translation>
    </message>
    <message>
        <source>Find what?</source>
        <translation>Что искать?</translation>
    </message>
    <message>
        <source>Search Results:</source>
        <translation>Результаты поиска:</translation>
    </message>
    <message>
        <source>Found %1 Item(s)</source>
        <translation>Найдено: %1</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>Текст не найден</translation>
    </message>
</context>
<context>
    <name>kobrix::Form4</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Freeware: copy it and share it freely.</source>
        <translation>Бесплатно. Копируйте и делитесь.</translation>
    </message>
    <message>
        <source>Written by the Kobrix developers.</source>
        <translation>Авторы — разработчики Kobrix.</translation>
    </message>
    <message>
        <source>Visit Kobrix website</source>
        <translation>Сайт Kobrix</translation>
    </message>
    <message>
        <source>For comments or suggestions on Kobrix email:</source>
        <translation>Отзывы и предложения о Kobrix присылайте на:</translation>
    </message>
    <message>
        <source>If you find Kobrix useful please help support it by donating</source>
        <translation>Если Kobrix вам полезен, поддержите его пожертвованием</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>kobrix::MainStatusBar</name>
    <message>
        <source>File Count</source>
        <translation>Число файлов</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Stop the scan (Esc)</source>
        <translation>Остановить сканирование (Esc)</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>Обновить...</translation>
    </message>
    <message>
        <source>Update Disc in Catalog...</source>
        <translation>Обновить диск в каталоге...</translation>
    </message>
    <message>
        <source>Update the disc in the catalog</source>
        <translation>Обновить диск в каталоге</translation>
    </message>
</context>
<context>
    <name>kobrix::OtherDiscsPage</name>
    <message>
        <source>Where</source>
        <translation>Где</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>Choose a file and &quot;Show on other discs&quot; (%1).</source>
        <translation>Выберите файл и «Показать на других дисках» (%1).</translation>
    </message>
    <message>
        <source>Other discs holding the file</source>
        <translation>Другие диски с этим файлом</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Looking for %1 on the other discs...</source>
        <translation>Поиск %1 на других дисках...</translation>
    </message>
    <message>
        <source>%1 of &quot;%2&quot;</source>
        <translation>%1 из «%2»</translation>
    </message>
    <message>
        <source>Same path on other discs</source>
        <translation>Тот же путь на других дисках</translation>
    </message>
    <message>
        <source>Same name in other folders</source>
        <translation>То же имя в других папках</translation>
    </message>
</context>
<context>
    <name>kobrix::ProgramTexts</name>
    <message>
        <source>CD Catalog Files (*.cdc)|*.cdc</source>
        <translation>Каталоги CD (*.cdc)|*.cdc</translation>
    </message>
    <message>
        <source>Error in WriteList</source>
        <translation>Ошибка записи списка</translation>
    </message>
    <message>
        <source>Error Reading file</source>
        <translation>Ошибка чтения файла</translation>
    </message>
    <message>
        <source>Error scanning %1</source>
        <translation>Ошибка сканирования %1</translation>
    </message>
    <message>
        <source>Error reading disc image %1</source>
        <translation>Ошибка чтения образа диска %1</translation>
    </message>
    <message>
        <source>Please enter a Disk Name or Number</source>
        <translation>Введите имя или номер диска</translation>
    </message>
    <message>
        <source>Listbox is empty - cannot write to file!</source>
        <translation>Список пуст — записывать нечего!</translation>
    </message>
    <message>
        <source>Enter a search string</source>
        <translation>Введите текст для поиска</translation>
    </message>
    <message>
        <source>A disc name cannot hold &quot; - \&quot;: &quot;%1&quot; would be read back as the disc &quot;%2&quot;. Nothing was written.</source>
        <translation>Имя диска не может содержать « - \»: «%1» будет прочитано как диск «%2». Ничего не записано.</translation>
    </message>
    <message>
        <source>There is no disc named &quot;%1&quot; in %2</source>
        <translation>В %2 нет диска с именем «%1»</translation>
    </message>
    <message>
        <source>Line %1 of the catalog holds records of &quot;%2&quot; together with other records; the disc cannot be updated</source>
        <translation>Строка %1 каталога содержит записи «%2» вместе с другими записями; диск нельзя обновить</translation>
    </message>
    <message>
        <source>The disc&apos;s records in the catalog changed meanwhile; nothing was written</source>
        <translation>Записи диска в каталоге тем временем изменились; ничего не записано</translation>
    </message>
    <message>
        <source>%1 added, %2 removed, %3 unchanged</source>
        <translation>добавлено: %1, удалено: %2, без изменений: %3</translation>
    </message>
    <message>
        <source>%1 discs, %2 files</source>
        <translation>Дисков: %1, файлов: %2</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>Диски</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Файлы</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>Каталог</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>Каталог: %1</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>Файлов: %1 из %2</translation>
    </message>
    <message>
        <source>Lines without a disc name</source>
        <translation>Строки без имени диска</translation>
    </message>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (продолжение)</translation>
    </message>
    <message>
        <source>%1 (%2 files)</source>
        <translation>%1 (файлов: %2)</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Страница %1 из %2</translation>
    </message>
    <message>
        <source>Unknown export format &quot;%1&quot;: use csv, html or pdf</source>
        <translation>Неизвестный формат экспорта «%1»: используйте csv, html или pdf</translation>
    </message>
    <message>
        <source>A PDF export needs an output file: -o FILE</source>
        <translation>Для экспорта в PDF нужен выходной файл: -o ФАЙЛ</translation>
    </message>
    <message>
        <source>The PDF export is not available: %1</source>
        <translation>Экспорт в PDF недоступен: %1</translation>
    </message>
    <message>
        <source>%1 belongs to another version of the program</source>
        <translation>%1 относится к другой версии программы</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: it is the catalog being exported. Nothing was written.</source>
        <translation>Не удаётся записать %1: это экспортируемый каталог. Ничего не записано.</translation>
    </message>
    <message>
        <source>The catalog was updated; the list of changes could not be written in full</source>
        <translation>Каталог обновлён; список изменений не удалось вывести полностью</translation>
    </message>
    <message>
        <source>There is no folder %1 on the disc &quot;%2&quot;</source>
        <translation>На диске «%2» нет папки %1</translation>
    </message>
    <message>
        <source>(lines without a disc name)</source>
        <translation>(строки без имени диска)</translation>
    </message>
    <message>
        <source>%1 has no volume label</source>
        <translation>У %1 нет метки тома</translation>
    </message>
    <message>
        <source>Error reading the volume label of %1</source>
        <translation>Ошибка чтения метки тома %1</translation>
    </message>
</context>
<context>
    <name>kobrix::QtFileDialogBackend</name>
    <message>
        <source>Path does not exist.
Check the path and try again.</source>
        <translation>Путь не существует.
Проверьте путь и повторите попытку.</translation>
    </message>
</context>
<context>
    <name>kobrix::RuntimeError</name>
    <message>
        <source> (record %1 is longer than %2 bytes)</source>
        <translation> (запись %1 длиннее %2 байт)</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Недостаточно памяти</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Неверное имя или номер файла</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Файл не найден</translation>
    </message>
    <message>
        <source>File already open</source>
        <translation>Файл уже открыт</translation>
    </message>
    <message>
        <source>Bad record length</source>
        <translation>Неверная длина записи</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Ошибка ввода-вывода устройства</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Диск заполнен</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>Устройство недоступно</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Доступ запрещён</translation>
    </message>
    <message>
        <source>Disk not ready</source>
        <translation>Диск не готов</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Ошибка доступа к пути или файлу</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Путь не найден</translation>
    </message>
    <message>
        <source>Cancel was selected.</source>
        <translation>Выбрана отмена.</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Ошибка, определённая приложением или объектом</translation>
    </message>
    <message>
        <source>Damaged or unknown disc image: %1</source>
        <translation>Повреждённый или неизвестный образ диска: %1</translation>
    </message>
    <message>
        <source>Damaged disc image: %1</source>
        <translation>Повреждённый образ диска: %1</translation>
    </message>
    <message>
        <source>the folder&apos;s entries cannot all be read</source>
        <translation>не удаётся прочитать все записи папки</translation>
    </message>
    <message>
        <source>Not a data disc that can be read (ISO 9660, Joliet or Rock Ridge): %1</source>
        <translation>Это не читаемый диск с данными (ISO 9660, Joliet или Rock Ridge): %1</translation>
    </message>
    <message>
        <source>no volume descriptor</source>
        <translation>нет дескриптора тома</translation>
    </message>
</context>
<context>
    <name>kobrix::SearchPage</name>
    <message>
        <source>Disc</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Совпадения</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>Ч&amp;то искать:</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Найти</translation>
    </message>
    <message>
        <source>Search results by disc</source>
        <translation>Результаты поиска по дискам</translation>
    </message>
    <message>
        <source>Searching... %1%</source>
        <translation>Поиск... %1%</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Поиск...</translation>
    </message>
    <message>
        <source>Found %1 Item(s) on %2 disc(s)</source>
        <translation>Найдено: %1, дисков: %2</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>Текст не найден</translation>
    </message>
</context>
</TS>
