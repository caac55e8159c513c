<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>DiscArrivals</name>
    <message>
        <source>Noticing discs is not supported here</source>
        <translation>此处不支持检测插入的光盘</translation>
    </message>
    <message>
        <source>UDisks2 knows no drive %1</source>
        <translation>UDisks2 中没有驱动器 %1</translation>
    </message>
    <message>
        <source>The kernel&apos;s device events cannot be read: %1</source>
        <translation>无法读取内核的设备事件：%1</translation>
    </message>
    <message>
        <source>Drive changes cannot be heard: %1</source>
        <translation>无法监视驱动器的变化：%1</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Catalogue CD and DVD discs and find on which disc a file lies.</source>
        <translation>为 CD 和 DVD 光盘编目，查找文件位于哪张光盘上。</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>显示此帮助并退出。</translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation>显示版本并退出。</translation>
    </message>
    <message>
        <source>A catalog (.cdc) to open for searching, in place of the start dialog.</source>
        <translation>要打开以供搜索的编目 (.cdc)，代替启动对话框。</translation>
    </message>
    <message>
        <source>Try &apos;kobrix --help&apos; for more information.</source>
        <translation>有关详细信息，请尝试“kobrix --help”。</translation>
    </message>
    <message>
        <source>one catalog at a time, not %1</source>
        <translation>一次只能打开一个编目，而不是 %1</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatch</name>
    <message>
        <source>not added: no name was given</source>
        <translation>未添加：未提供名称</translation>
    </message>
    <message>
        <source>not read: the disc was taken out of the drive</source>
        <translation>未读取：光盘已从光驱中取出</translation>
    </message>
    <message>
        <source>not read: %1</source>
        <translation>未读取：%1</translation>
    </message>
    <message>
        <source>not read: the disc holds no files</source>
        <translation>未读取：光盘中没有文件</translation>
    </message>
    <message>
        <source>not added: %1</source>
        <translation>未添加：%1</translation>
    </message>
    <message>
        <source>not updated: %1</source>
        <translation>未更新：%1</translation>
    </message>
    <message>
        <source>already in the catalog as %1</source>
        <translation>已以 %1 存在于编目中</translation>
    </message>
    <message>
        <source>changed, left as it was</source>
        <translation>已更改，保持原样</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>已更新</translation>
    </message>
    <message>
        <source>added</source>
        <translation>已添加</translation>
    </message>
    <message>
        <source>%1: %2 added, %3 removed</source>
        <translation>%1：新增 %2，移除 %3</translation>
    </message>
    <message>
        <source>The catalog already holds another disc named %1</source>
        <translation>编目中已有另一张名为 %1 的光盘</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatchWindow</name>
    <message>
        <source>There is no CD-ROM drive to take the discs.</source>
        <translation>没有可放入光盘的 CD-ROM 驱动器。</translation>
    </message>
    <message>
        <source>Catalog Discs Into</source>
        <translation>将光盘编目到</translation>
    </message>
    <message>
        <source>Catalog Discs One After Another</source>
        <translation>连续编目多张光盘</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>编目：%1</translation>
    </message>
    <message>
        <source>&amp;Drive:</source>
        <translation>驱动器(&amp;D)：</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>开始(&amp;T)</translation>
    </message>
    <message>
        <source>Disc &amp;name:</source>
        <translation>光盘名称(&amp;N)：</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>添加(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Update the Disc</source>
        <translation>更新光盘(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Leave It as It Is</source>
        <translation>保持原样(&amp;L)</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>光盘</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>What was done</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>End the run once the disc in hand is done (Esc)</source>
        <translation>处理完当前光盘后结束 (Esc)</translation>
    </message>
    <message>
        <source>Choose the drive the discs go into, then Start.</source>
        <translation>选择放入光盘的驱动器，然后单击“开始”。</translation>
    </message>
    <message>
        <source>The tray could not be opened (%1): take the disc out by hand.</source>
        <translation>无法打开托盘 (%1)：请手动取出光盘。</translation>
    </message>
    <message>
        <source>The drive cannot be watched: %1</source>
        <translation>无法监视驱动器：%1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Reading the disc...</source>
        <translation>正在读取光盘...</translation>
    </message>
    <message>
        <source>Writing to the catalog...</source>
        <translation>正在写入编目...</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>已停止。</translation>
    </message>
    <message>
        <source>A new disc.</source>
        <translation>新光盘。</translation>
    </message>
    <message>
        <source>The disc has no label: type its name and press Enter.</source>
        <translation>光盘没有卷标：请输入其名称并按 Enter 键。</translation>
    </message>
    <message>
        <source>It is added under its label in a few seconds; to give it another name, type it and press Enter.</source>
        <translation>几秒钟后将以其卷标添加；如需其他名称，请输入名称并按 Enter 键。</translation>
    </message>
    <message>
        <source>This disc is in the catalog as %1, and it has changed.</source>
        <translation>此光盘已以 %1 存在于编目中，但内容已更改。</translation>
    </message>
    <message>
        <source>Stopping once this disc is done...</source>
        <translation>处理完此光盘后停止...</translation>
    </message>
    <message>
        <source>Reading the disc: files found so far: %1</source>
        <translation>正在读取光盘：已找到文件：%1</translation>
    </message>
    <message>
        <source>Files added: %1, removed: %2. Update the disc in the catalog?</source>
        <translation>新增文件：%1，移除文件：%2。要更新编目中的光盘吗？</translation>
    </message>
    <message>
        <source>Discs: %1</source>
        <translation>光盘：%1</translation>
    </message>
    <message>
        <source>added: %1 (files: %2)</source>
        <translation>已添加：%1（文件：%2）</translation>
    </message>
    <message>
        <source>already in the catalog: %1</source>
        <translation>已在编目中：%1</translation>
    </message>
    <message>
        <source>updated: %1</source>
        <translation>已更新：%1</translation>
    </message>
    <message>
        <source>changed, left as they were: %1</source>
        <translation>已更改但保持原样：%1</translation>
    </message>
    <message>
        <source>not read or not written: %1</source>
        <translation>未读取或未写入：%1</translation>
    </message>
    <message>
        <source>Waiting for the next disc in drive %1</source>
        <translation>正在等待驱动器 %1 中的下一张光盘</translation>
    </message>
    <message>
        <source>Files added and removed</source>
        <translation>新增和删除的文件</translation>
    </message>
    <message>
        <source>Discs done</source>
        <translation>已处理的光盘</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscListModel</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>编目</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>光盘</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 disc(s), %3 file(s)</source>
        <translation>%1 个编目，%2 张光盘，%3 个文件</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)</source>
        <translation>%1 个编目，%2/%3 张光盘，%4/%5 个文件</translation>
    </message>
    <message>
        <source>%1 disc(s), %2 file(s)</source>
        <translation>%1 张光盘，%2 个文件</translation>
    </message>
    <message>
        <source>%1 of %2 disc(s), %3 of %4 file(s)</source>
        <translation>%1/%2 张光盘，%3/%4 个文件</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscTreeModel</name>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscUpdateDialog</name>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>更新编目中的光盘</translation>
    </message>
    <message>
        <source>Update &quot;%1&quot; in %2</source>
        <translation>更新 %2 中的“%1”</translation>
    </message>
    <message>
        <source>The disc scanned shares no file with &quot;%1&quot;: updating replaces every file of it. Is it the same disc?</source>
        <translation>扫描的光盘与“%1”没有任何相同的文件：更新将替换其全部文件。确定是同一张光盘吗？</translation>
    </message>
    <message>
        <source>Files &amp;added:</source>
        <translation>新增的文件(&amp;A)：</translation>
    </message>
    <message>
        <source>Files added</source>
        <translation>新增的文件</translation>
    </message>
    <message>
        <source>Files &amp;removed:</source>
        <translation>移除的文件(&amp;R)：</translation>
    </message>
    <message>
        <source>Files removed</source>
        <translation>移除的文件</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>更新(&amp;U)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindow</name>
    <message>
        <source>Discs</source>
        <translation>光盘</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>正在读取 %1...</translation>
    </message>
    <message>
        <source>Counting the discs...</source>
        <translation>正在统计光盘...</translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation>筛选(&amp;L)：</translation>
    </message>
    <message>
        <source>Part of a disc name</source>
        <translation>光盘名称</translation>
    </message>
    <message>
        <source>&amp;Discs</source>
        <translation>光盘(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Add Catalogs</source>
        <translation>添加编目(&amp;A)</translation>
    </message>
    <message>
        <source>Catalog &amp;Files...</source>
        <translation>编目文件(&amp;F)...</translation>
    </message>
    <message>
        <source>All Catalogs in a F&amp;older...</source>
        <translation>文件夹中的全部编目(&amp;O)...</translation>
    </message>
    <message>
        <source>Views</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>F&amp;olders</source>
        <translation>文件夹(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>搜索(&amp;S)</translation>
    </message>
    <message>
        <source>O&amp;ther Discs</source>
        <translation>其他光盘(&amp;T)</translation>
    </message>
    <message>
        <source>Files on Se&amp;veral Discs</source>
        <translation>多张光盘上的文件(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Discs - %1</source>
        <translation>光盘 - %1</translation>
    </message>
    <message>
        <source>Add Catalogs</source>
        <translation>添加编目</translation>
    </message>
    <message>
        <source>Add All Catalogs in a Folder</source>
        <translation>添加文件夹中的全部编目</translation>
    </message>
    <message>
        <source>Discs - %1 catalogs</source>
        <translation>光盘 - %1 个编目</translation>
    </message>
    <message>
        <source>No catalog (*.cdc) was found in %1.</source>
        <translation>在 %1 中未找到编目 (*.cdc)。</translation>
    </message>
    <message>
        <source>The catalogs chosen are shown already.</source>
        <translation>所选编目已在显示中。</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindowOutput</name>
    <message>
        <source>Export status</source>
        <translation>导出状态</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>导出(&amp;E)...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Writes the whole catalog, the selected discs or the search results to a CSV, HTML or PDF file</source>
        <translation>将整个编目、所选光盘或搜索结果写入 CSV、HTML 或 PDF 文件</translation>
    </message>
    <message>
        <source>&amp;Whole Catalog...</source>
        <translation>整个编目(&amp;W)...</translation>
    </message>
    <message>
        <source>&amp;Selected Discs...</source>
        <translation>所选光盘(&amp;S)...</translation>
    </message>
    <message>
        <source>Search &amp;Results...</source>
        <translation>搜索结果(&amp;R)...</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>打印(&amp;R)...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Prints the selected discs, or the disc shown, with a preview</source>
        <translation>打印所选光盘或当前显示的光盘，带预览</translation>
    </message>
    <message>
        <source>On &amp;A4 Paper...</source>
        <translation>A4 纸(&amp;A)...</translation>
    </message>
    <message>
        <source>On &amp;Letter Paper...</source>
        <translation>Letter 纸(&amp;L)...</translation>
    </message>
    <message>
        <source>As a CD &amp;Case Booklet...</source>
        <translation>CD 盒小册子(&amp;C)...</translation>
    </message>
    <message>
        <source>Pages of 120 x 120 mm that fit a CD case</source>
        <translation>适合 CD 盒的 120 × 120 毫米页面</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>编目</translation>
    </message>
    <message>
        <source>Export Whole Catalog</source>
        <translation>导出整个编目</translation>
    </message>
    <message>
        <source>Export Selected Discs</source>
        <translation>导出所选光盘</translation>
    </message>
    <message>
        <source>Export Search Results</source>
        <translation>导出搜索结果</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|Web Pages (*.html)|*.html|PDF Documents (*.pdf)|*.pdf</source>
        <translation>CSV 文件 (*.csv)|*.csv|网页 (*.html)|*.html|PDF 文档 (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>%1 does not end in .csv, .html or .pdf, which tell the format of the export. Nothing was written.</source>
        <translation>%1 的扩展名不是 .csv、.html 或 .pdf，无法确定导出格式。未写入任何内容。</translation>
    </message>
    <message>
        <source>Stop &amp;Export</source>
        <translation>停止导出(&amp;E)</translation>
    </message>
    <message>
        <source>Stop Export</source>
        <translation>停止导出</translation>
    </message>
    <message>
        <source>Exporting to %1... %2% (Esc stops)</source>
        <translation>正在导出到 %1... %2%（按 Esc 停止）</translation>
    </message>
    <message>
        <source>Exporting to %1... (Esc stops)</source>
        <translation>正在导出到 %1...（按 Esc 停止）</translation>
    </message>
    <message>
        <source>Exported %1 file(s) of %2 disc(s) to %3</source>
        <translation>已将 %2 张光盘的 %1 个文件导出到 %3</translation>
    </message>
    <message>
        <source>Export stopped: %1 was not written</source>
        <translation>导出已停止：未写入 %1</translation>
    </message>
    <message>
        <source>Export failed: %1 was not written</source>
        <translation>导出失败：未写入 %1</translation>
    </message>
    <message>
        <source>Discs of %1 catalogs</source>
        <translation>%1 个编目中的光盘</translation>
    </message>
    <message>
        <source>The pages of %1 could not be printed.</source>
        <translation>无法打印 %1 的页面。</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesModel</name>
    <message>
        <source>Discs</source>
        <translation>光盘</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>路径</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesPage</name>
    <message>
        <source>By &amp;path</source>
        <translation>按路径(&amp;P)</translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation>按名称(&amp;N)</translation>
    </message>
    <message>
        <source>Files on several discs</source>
        <translation>多张光盘上的文件</translation>
    </message>
    <message>
        <source>Looking for files on several discs...</source>
        <translation>正在查找多张光盘上的文件...</translation>
    </message>
    <message>
        <source>No file stands on more than one disc</source>
        <translation>没有文件位于多张光盘上</translation>
    </message>
    <message numerus="yes">
        <source>%Ln path stands on more than one disc</source>
        <translation>
            <numerusform>%Ln 个路径位于多张光盘上</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln paths stand on more than one disc</source>
        <translation>
            <numerusform>%Ln 个路径位于多张光盘上</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file name stands on more than one disc</source>
        <translation>
            <numerusform>%Ln 个文件名位于多张光盘上</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file names stand on more than one disc</source>
        <translation>
            <numerusform>%Ln 个文件名位于多张光盘上</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kobrix::FileViewActions</name>
    <message>
        <source>Show on &amp;other discs</source>
        <translation>在其他光盘上显示(&amp;O)</translation>
    </message>
    <message>
        <source>Show in &amp;Folders</source>
        <translation>在文件夹中显示(&amp;F)</translation>
    </message>
</context>
<context>
    <name>kobrix::FoldersPage</name>
    <message>
        <source>Folders of the disc</source>
        <translation>光盘的文件夹</translation>
    </message>
    <message>
        <source>%1: %2 file(s) in %3 folder(s)</source>
        <translation>%1：%3 个文件夹中有 %2 个文件</translation>
    </message>
</context>
<context>
    <name>kobrix::Form1</name>
    <message>
        <source>&amp;Update Disc in Catalog...</source>
        <translation>更新编目中的光盘(&amp;U)...</translation>
    </message>
    <message>
        <source>Replace the disc&apos;s files in a catalog with the disc as scanned now</source>
        <translation>用刚扫描的光盘内容替换编目中该光盘的文件</translation>
    </message>
    <message>
        <source>Already in %1 as &quot;%2&quot; (%3 of %4 files)</source>
        <translation>已在 %1 中，名为“%2”（%4 个文件中的 %3 个）</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>更新编目中的光盘</translation>
    </message>
    <message>
        <source>Updated &quot;%1&quot; in %2: %3</source>
        <translation>已更新 %2 中的“%1”：%3</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>重新开始</translation>
    </message>
    <message>
        <source>Restart Kobrix</source>
        <translation>重新开始 Kobrix</translation>
    </message>
    <message>
        <source>Scan CD</source>
        <translation>扫描 CD</translation>
    </message>
    <message>
        <source>Scanning... %1 files</source>
        <translation>正在扫描... %1 个文件</translation>
    </message>
    <message>
        <source>There is no catalog to show: load one, or write a disc into one first.</source>
        <translation>没有可显示的编目：请打开一个编目，或先将光盘写入编目。</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|Text Files (*.txt)|*.txt</source>
        <translation>所有文件 (*.*)|*.*|文本文件 (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>This Drive is unavailable Please insert a CD or Close the CD Drive Door</source>
        <translation>此驱动器不可用。请插入 CD 或关闭光驱托盘。</translation>
    </message>
    <message>
        <source>Place The next CD in the CD-Drive and click OK</source>
        <translation>请将下一张 CD 放入光驱，然后单击“确定”</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>正在扫描...</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>扫描已取消</translation>
    </message>
    <message>
        <source>Total:</source>
        <translation>总计：</translation>
    </message>
    <message>
        <source>files</source>
        <translation>个文件</translation>
    </message>
    <message>
        <source>Folders to scan</source>
        <translation>要扫描的文件夹</translation>
    </message>
    <message>
        <source>Write Catalog...</source>
        <translation>保存编目...</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>文件列表</translation>
    </message>
    <message>
        <source>Add to Catalog...</source>
        <translation>添加到编目...</translation>
    </message>
    <message>
        <source>Enter a Unique Disk Name</source>
        <translation>请输入唯一的光盘名称</translation>
    </message>
    <message>
        <source>Disk Name</source>
        <translation>光盘名称</translation>
    </message>
    <message>
        <source>Scan New CD</source>
        <translation>扫描新 CD</translation>
    </message>
    <message>
        <source>Current catalog</source>
        <translation>当前编目</translation>
    </message>
    <message>
        <source>Optical drives</source>
        <translation>光驱</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>打开(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Scan Folder...</source>
        <translation>扫描文件夹(&amp;S)...</translation>
    </message>
    <message>
        <source>Scan a folder, a USB drive or a mounted image as a disc</source>
        <translation>将文件夹、U 盘或已挂载的映像当作光盘扫描</translation>
    </message>
    <message>
        <source>Scan Disc &amp;Image...</source>
        <translation>扫描光盘映像(&amp;I)...</translation>
    </message>
    <message>
        <source>Scan an ISO disc image as a disc</source>
        <translation>将 ISO 光盘映像当作光盘扫描</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>查找(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>重新开始(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Scan Folder</source>
        <translation>扫描文件夹</translation>
    </message>
    <message>
        <source>Disc Images (*.iso)|*.iso|All Files (*.*)|*.*</source>
        <translation>光盘映像 (*.iso)|*.iso|所有文件 (*.*)|*.*</translation>
    </message>
    <message>
        <source>Scan Disc Image</source>
        <translation>扫描光盘映像</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Donate to Kobrix</source>
        <translation>捐助 Kobrix(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;About Kobrix...</source>
        <translation>关于 Kobrix(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Catalog</source>
        <translation>编目(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Discs...</source>
        <translation>光盘(&amp;D)...</translation>
    </message>
    <message>
        <source>Open Re&amp;cent</source>
        <translation>最近的编目(&amp;C)</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>找不到 %1</translation>
    </message>
    <message>
        <source>No catalogs yet</source>
        <translation>尚无编目</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>清除列表(&amp;C)</translation>
    </message>
    <message>
        <source>Catalog Discs &amp;One After Another...</source>
        <translation>连续编目多张光盘(&amp;O)...</translation>
    </message>
    <message>
        <source>Catalog each disc put into the drive, until you stop</source>
        <translation>将放入光驱的每张光盘依次编目，直到您停止</translation>
    </message>
</context>
<context>
    <name>kobrix::Form2</name>
    <message>
        <source>What do you want to do?</source>
        <translation>请选择操作</translation>
    </message>
    <message>
        <source>Create a new CD Catalog</source>
        <translation>新建 CD 编目</translation>
    </message>
    <message>
        <source>Open your last CD Catalog</source>
        <translation>打开上次的 CD 编目</translation>
    </message>
    <message>
        <source>Search an Existing CD Catalog</source>
        <translation>搜索现有的 CD 编目</translation>
    </message>
    <message>
        <source>Add a new Disk to an Existing CD Catalog</source>
        <translation>向现有的 CD 编目添加光盘</translation>
    </message>
    <message>
        <source>Type a name for your new Catalog</source>
        <translation>新编目的名称</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Enter Catalog name here</source>
        <translation>在此输入编目名称</translation>
    </message>
    <message>
        <source> Please enter a name for the new catalog</source>
        <translation> 请输入新编目的名称</translation>
    </message>
</context>
<context>
    <name>kobrix::Form3</name>
    <message>
        <source>Find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>Find </source>
        <translation>查找 </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Search Results</source>
        <translation>搜索结果</translation>
    </message>
    <message>
        <source>Find what?</source>
        <translation>查找内容：</translation>
    </message>
    <message>
        <source>Search Results:</source>
        <translation>搜索结果：</translation>
    </message>
    <message>
        <source>Found %1 Item(s)</source>
        <translation>找到 %1 项</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>未找到搜索文本</translation>
    </message>
</context>
<context>
    <name>kobrix::Form4</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Freeware: copy it and share it freely.</source>
        <translation>免费软件：可自由复制和分享。</translation>
    </message>
    <message>
        <source>Written by the Kobrix developers.</source>
        <translation>由 Kobrix 开发者编写。</translation>
    </message>
    <message>
        <source>Visit Kobrix website</source>
        <translation>访问 Kobrix 网站</translation>
    </message>
    <message>
        <source>For comments or suggestions on Kobrix email:</source>
        <translation>对 Kobrix 的意见或建议请发邮件至：</translation>
    </message>
    <message>
        <source>If you find Kobrix useful please help support it by donating</source>
        <translation>如果 Kobrix 对您有用，请捐助支持</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>kobrix::MainStatusBar</name>
    <message>
        <source>File Count</source>
        <translation>文件数</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Stop the scan (Esc)</source>
        <translation>停止扫描 (Esc)</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>更新...</translation>
    </message>
    <message>
        <source>Update Disc in Catalog...</source>
        <translation>更新编目中的光盘...</translation>
    </message>
    <message>
        <source>Update the disc in the catalog</source>
        <translation>更新编目中的光盘</translation>
    </message>
</context>
<context>
    <name>kobrix::OtherDiscsPage</name>
    <message>
        <source>Where</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Choose a file and &quot;Show on other discs&quot; (%1).</source>
        <translation>选择一个文件，然后选“在其他光盘上显示”(%1)。</translation>
    </message>
    <message>
        <source>Other discs holding the file</source>
        <translation>包含该文件的其他光盘</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>Looking for %1 on the other discs...</source>
        <translation>正在其他光盘上查找 %1...</translation>
    </message>
    <message>
        <source>%1 of &quot;%2&quot;</source>
        <translation>“%2”的 %1</translation>
    </message>
    <message>
        <source>Same path on other discs</source>
        <translation>其他光盘上的相同路径</translation>
    </message>
    <message>
        <source>Same name in other folders</source>
        <translation>其他文件夹中的相同名称</translation>
    </message>
</context>
<context>
    <name>kobrix::ProgramTexts</name>
    <message>
        <source>CD Catalog Files (*.cdc)|*.cdc</source>
        <translation>CD 编目文件 (*.cdc)|*.cdc</translation>
    </message>
    <message>
        <source>Error in WriteList</source>
        <translation>写入列表时出错</translation>
    </message>
    <message>
        <source>Error Reading file</source>
        <translation>读取文件时出错</translation>
    </message>
    <message>
        <source>Error scanning %1</source>
        <translation>扫描 %1 时出错</translation>
    </message>
    <message>
        <source>Error reading disc image %1</source>
        <translation>读取光盘映像 %1 时出错</translation>
    </message>
    <message>
        <source>Please enter a Disk Name or Number</source>
        <translation>请输入光盘名称或编号</translation>
    </message>
    <message>
        <source>Listbox is empty - cannot write to file!</source>
        <translation>列表为空，无法写入文件！</translation>
    </message>
    <message>
        <source>Enter a search string</source>
        <translation>请输入搜索文本</translation>
    </message>
    <message>
        <source>A disc name cannot hold &quot; - \&quot;: &quot;%1&quot; would be read back as the disc &quot;%2&quot;. Nothing was written.</source>
        <translation>光盘名称不能包含“ - \”：“%1”将被读作光盘“%2”。未写入任何内容。</translation>
    </message>
    <message>
        <source>There is no disc named &quot;%1&quot; in %2</source>
        <translation>%2 中没有名为“%1”的光盘</translation>
    </message>
    <message>
        <source>Line %1 of the catalog holds records of &quot;%2&quot; together with other records; the disc cannot be updated</source>
        <translation>编目第 %1 行中“%2”的记录与其他记录混在一起，无法更新该光盘</translation>
    </message>
    <message>
        <source>The disc&apos;s records in the catalog changed meanwhile; nothing was written</source>
        <translation>编目中该光盘的记录已被更改；未写入任何内容</translation>
    </message>
    <message>
        <source>%1 added, %2 removed, %3 unchanged</source>
        <translation>新增 %1，移除 %2，未变 %3</translation>
    </message>
    <message>
        <source>%1 discs, %2 files</source>
        <translation>%1 张光盘，%2 个文件</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>光盘</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>光盘</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>编目</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>编目：%1</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%2 个文件中的 %1 个</translation>
    </message>
    <message>
        <source>Lines without a disc name</source>
        <translation>没有光盘名称的行</translation>
    </message>
    <message>
        <source>%1 (continued)</source>
        <translation>%1（续）</translation>
    </message>
    <message>
        <source>%1 (%2 files)</source>
        <translation>%1（%2 个文件）</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>Unknown export format &quot;%1&quot;: use csv, html or pdf</source>
        <translation>未知的导出格式“%1”：请使用 csv、html 或 pdf</translation>
    </message>
    <message>
        <source>A PDF export needs an output file: -o FILE</source>
        <translation>导出 PDF 需要输出文件：-o 文件</translation>
    </message>
    <message>
        <source>The PDF export is not available: %1</source>
        <translation>PDF 导出不可用：%1</translation>
    </message>
    <message>
        <source>%1 belongs to another version of the program</source>
        <translation>%1 属于该程序的其他版本</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Cannot write %1: it is the catalog being exported. Nothing was written.</source>
        <translation>无法写入 %1：它就是正在导出的编目。未写入任何内容。</translation>
    </message>
    <message>
        <source>The catalog was updated; the list of changes could not be written in full</source>
        <translation>编目已更新；更改列表未能完整写出</translation>
    </message>
    <message>
        <source>There is no folder %1 on the disc &quot;%2&quot;</source>
        <translation>光盘“%2”上没有文件夹 %1</translation>
    </message>
    <message>
        <source>(lines without a disc name)</source>
        <translation>（没有光盘名称的行）</translation>
    </message>
    <message>
        <source>%1 has no volume label</source>
        <translation>%1 没有卷标</translation>
    </message>
    <message>
        <source>Error reading the volume label of %1</source>
        <translation>读取 %1 的卷标时出错</translation>
    </message>
</context>
<context>
    <name>kobrix::QtFileDialogBackend</name>
    <message>
        <source>Path does not exist.
Check the path and try again.</source>
        <translation>路径不存在。
请检查路径后重试。</translation>
    </message>
</context>
<context>
    <name>kobrix::RuntimeError</name>
    <message>
        <source> (record %1 is longer than %2 bytes)</source>
        <translation>（记录 %1 超过 %2 字节）</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>文件名或编号错误</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>找不到文件</translation>
    </message>
    <message>
        <source>File already open</source>
        <translation>文件已打开</translation>
    </message>
    <message>
        <source>Bad record length</source>
        <translation>记录长度错误</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>设备 I/O 错误</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>设备不可用</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>权限不足</translation>
    </message>
    <message>
        <source>Disk not ready</source>
        <translation>磁盘未就绪</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>路径/文件访问错误</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>找不到路径</translation>
    </message>
    <message>
        <source>Cancel was selected.</source>
        <translation>已选择取消。</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>应用程序定义或对象定义的错误</translation>
    </message>
    <message>
        <source>Damaged or unknown disc image: %1</source>
        <translation>光盘映像已损坏或无法识别：%1</translation>
    </message>
    <message>
        <source>Damaged disc image: %1</source>
        <translation>光盘映像已损坏：%1</translation>
    </message>
    <message>
        <source>the folder&apos;s entries cannot all be read</source>
        <translation>无法读取该文件夹的全部条目</translation>
    </message>
    <message>
        <source>Not a data disc that can be read (ISO 9660, Joliet or Rock Ridge): %1</source>
        <translation>不是可读取的数据光盘（ISO 9660、Joliet 或 Rock Ridge）：%1</translation>
    </message>
    <message>
        <source>no volume descriptor</source>
        <translation>没有卷描述符</translation>
    </message>
</context>
<context>
    <name>kobrix::SearchPage</name>
    <message>
        <source>Disc</source>
        <translation>光盘</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>命中</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>查找内容(&amp;W)：</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>查找(&amp;F)</translation>
    </message>
    <message>
        <source>Search results by disc</source>
        <translation>按光盘分组的搜索结果</translation>
    </message>
    <message>
        <source>Searching... %1%</source>
        <translation>正在搜索... %1%</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>正在搜索...</translation>
    </message>
    <message>
        <source>Found %1 Item(s) on %2 disc(s)</source>
        <translation>在 %2 张光盘上找到 %1 项</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>未找到搜索文本</translation>
    </message>
</context>
</TS>
