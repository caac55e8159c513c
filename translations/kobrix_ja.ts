<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>DiscArrivals</name>
    <message>
        <source>Noticing discs is not supported here</source>
        <translation>ここではディスクの挿入を検出できません</translation>
    </message>
    <message>
        <source>UDisks2 knows no drive %1</source>
        <translation>UDisks2 はドライブ %1 を認識していません</translation>
    </message>
    <message>
        <source>The kernel&apos;s device events cannot be read: %1</source>
        <translation>カーネルのデバイス イベントを読み込めません: %1</translation>
    </message>
    <message>
        <source>Drive changes cannot be heard: %1</source>
        <translation>ドライブの変化を監視できません: %1</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Catalogue CD and DVD discs and find on which disc a file lies.</source>
        <translation>CD や DVD をカタログ化し、ファイルがどのディスクにあるかを探します。</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>このヘルプを表示して終了します。</translation>
    </message>
    <message>
        <source>Show the version and end.</source>
        <translation>バージョンを表示して終了します。</translation>
    </message>
    <message>
        <source>A catalog (.cdc) to open for searching, in place of the start dialog.</source>
        <translation>開始ダイアログの代わりに、検索用に開くカタログ (.cdc)。</translation>
    </message>
    <message>
        <source>Try &apos;kobrix --help&apos; for more information.</source>
        <translation>詳しくは &apos;kobrix --help&apos; を実行してください。</translation>
    </message>
    <message>
        <source>one catalog at a time, not %1</source>
        <translation>カタログは一度に 1 つだけです (%1 ではなく)</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatch</name>
    <message>
        <source>not added: no name was given</source>
        <translation>追加されませんでした: 名前がありません</translation>
    </message>
    <message>
        <source>not read: the disc was taken out of the drive</source>
        <translation>読み込まれませんでした: ディスクがドライブから取り出されました</translation>
    </message>
    <message>
        <source>not read: %1</source>
        <translation>読み込まれませんでした: %1</translation>
    </message>
    <message>
        <source>not read: the disc holds no files</source>
        <translation>読み込まれませんでした: ディスクにファイルがありません</translation>
    </message>
    <message>
        <source>not added: %1</source>
        <translation>追加されませんでした: %1</translation>
    </message>
    <message>
        <source>not updated: %1</source>
        <translation>更新されませんでした: %1</translation>
    </message>
    <message>
        <source>already in the catalog as %1</source>
        <translation>%1 としてカタログに登録済み</translation>
    </message>
    <message>
        <source>changed, left as it was</source>
        <translation>変更あり、そのままにしました</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>更新しました</translation>
    </message>
    <message>
        <source>added</source>
        <translation>追加しました</translation>
    </message>
    <message>
        <source>%1: %2 added, %3 removed</source>
        <translation>%1: 追加 %2、削除 %3</translation>
    </message>
    <message>
        <source>The catalog already holds another disc named %1</source>
        <translation>カタログには %1 という名前の別のディスクがすでにあります</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscBatchWindow</name>
    <message>
        <source>There is no CD-ROM drive to take the discs.</source>
        <translation>ディスクを入れる CD-ROM ドライブがありません。</translation>
    </message>
    <message>
        <source>Catalog Discs Into</source>
        <translation>ディスクの追加先カタログ</translation>
    </message>
    <message>
        <source>Catalog Discs One After Another</source>
        <translation>ディスクを続けてカタログに追加</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>カタログ: %1</translation>
    </message>
    <message>
        <source>&amp;Drive:</source>
        <translation>ドライブ(&amp;D):</translation>
    </message>
    <message>
        <source>S&amp;tart</source>
        <translation>開始(&amp;T)</translation>
    </message>
    <message>
        <source>Disc &amp;name:</source>
        <translation>ディスク名(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>追加(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Update the Disc</source>
        <translation>ディスクを更新(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Leave It as It Is</source>
        <translation>そのままにする(&amp;L)</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>ディスク</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>What was done</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>End the run once the disc in hand is done (Esc)</source>
        <translation>現在のディスクが済んだら終了 (Esc)</translation>
    </message>
    <message>
        <source>Choose the drive the discs go into, then Start.</source>
        <translation>ディスクを入れるドライブを選んで [開始] を押してください。</translation>
    </message>
    <message>
        <source>The tray could not be opened (%1): take the disc out by hand.</source>
        <translation>トレイを開けませんでした (%1)。ディスクを手で取り出してください。</translation>
    </message>
    <message>
        <source>The drive cannot be watched: %1</source>
        <translation>ドライブを監視できません: %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Reading the disc...</source>
        <translation>ディスクを読み込み中...</translation>
    </message>
    <message>
        <source>Writing to the catalog...</source>
        <translation>カタログに書き込み中...</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>中止しました。</translation>
    </message>
    <message>
        <source>A new disc.</source>
        <translation>新しいディスクです。</translation>
    </message>
    <message>
        <source>The disc has no label: type its name and press Enter.</source>
        <translation>ディスクにラベルがありません。名前を入力して Enter キーを押してください。</translation>
    </message>
    <message>
        <source>It is added under its label in a few seconds; to give it another name, type it and press Enter.</source>
        <translation>数秒後にラベル名で追加されます。別の名前にするには、名前を入力して Enter キーを押してください。</translation>
    </message>
    <message>
        <source>This disc is in the catalog as %1, and it has changed.</source>
        <translation>このディスクは %1 としてカタログにありますが、内容が変わっています。</translation>
    </message>
    <message>
        <source>Stopping once this disc is done...</source>
        <translation>このディスクが済んだら中止します...</translation>
    </message>
    <message>
        <source>Reading the disc: files found so far: %1</source>
        <translation>ディスクを読み込み中: これまでに見つかったファイル: %1</translation>
    </message>
    <message>
        <source>Files added: %1, removed: %2. Update the disc in the catalog?</source>
        <translation>追加されたファイル: %1、削除されたファイル: %2。カタログのディスクを更新しますか?</translation>
    </message>
    <message>
        <source>Discs: %1</source>
        <translation>ディスク: %1</translation>
    </message>
    <message>
        <source>added: %1 (files: %2)</source>
        <translation>追加: %1 (ファイル: %2)</translation>
    </message>
    <message>
        <source>already in the catalog: %1</source>
        <translation>登録済み: %1</translation>
    </message>
    <message>
        <source>updated: %1</source>
        <translation>更新: %1</translation>
    </message>
    <message>
        <source>changed, left as they were: %1</source>
        <translation>変更あり・そのまま: %1</translation>
    </message>
    <message>
        <source>not read or not written: %1</source>
        <translation>読み込み・書き込み失敗: %1</translation>
    </message>
    <message>
        <source>Waiting for the next disc in drive %1</source>
        <translation>ドライブ %1 に次のディスクが入るのを待っています</translation>
    </message>
    <message>
        <source>Files added and removed</source>
        <translation>追加・削除されたファイル</translation>
    </message>
    <message>
        <source>Discs done</source>
        <translation>処理済みのディスク</translation>
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
        <translation>カタログ</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>ディスク</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 disc(s), %3 file(s)</source>
        <translation>カタログ %1 個、ディスク %2 枚、ファイル %3 個</translation>
    </message>
    <message>
        <source>%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)</source>
        <translation>カタログ %1 個、ディスク %2/%3 枚、ファイル %4/%5 個</translation>
    </message>
    <message>
        <source>%1 disc(s), %2 file(s)</source>
        <translation>ディスク %1 枚、ファイル %2 個</translation>
    </message>
    <message>
        <source>%1 of %2 disc(s), %3 of %4 file(s)</source>
        <translation>ディスク %1/%2 枚、ファイル %3/%4 個</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscTreeModel</name>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscUpdateDialog</name>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>カタログのディスクを更新</translation>
    </message>
    <message>
        <source>Update &quot;%1&quot; in %2</source>
        <translation>%2 の「%1」を更新</translation>
    </message>
    <message>
        <source>The disc scanned shares no file with &quot;%1&quot;: updating replaces every file of it. Is it the same disc?</source>
        <translation>スキャンしたディスクには「%1」と共通のファイルがありません。更新するとすべてのファイルが置き換えられます。同じディスクですか?</translation>
    </message>
    <message>
        <source>Files &amp;added:</source>
        <translation>追加されたファイル(&amp;A):</translation>
    </message>
    <message>
        <source>Files added</source>
        <translation>追加されたファイル</translation>
    </message>
    <message>
        <source>Files &amp;removed:</source>
        <translation>削除されたファイル(&amp;R):</translation>
    </message>
    <message>
        <source>Files removed</source>
        <translation>削除されたファイル</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>更新(&amp;U)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindow</name>
    <message>
        <source>Discs</source>
        <translation>ディスク</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 を読み込み中...</translation>
    </message>
    <message>
        <source>Counting the discs...</source>
        <translation>ディスクを数えています...</translation>
    </message>
    <message>
        <source>Fi&amp;lter:</source>
        <translation>フィルター(&amp;L):</translation>
    </message>
    <message>
        <source>Part of a disc name</source>
        <translation>ディスク名</translation>
    </message>
    <message>
        <source>&amp;Discs</source>
        <translation>ディスク(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Add Catalogs</source>
        <translation>カタログを追加(&amp;A)</translation>
    </message>
    <message>
        <source>Catalog &amp;Files...</source>
        <translation>カタログファイル(&amp;F)...</translation>
    </message>
    <message>
        <source>All Catalogs in a F&amp;older...</source>
        <translation>フォルダー内のすべてのカタログ(&amp;O)...</translation>
    </message>
    <message>
        <source>Views</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>F&amp;olders</source>
        <translation>フォルダー(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>検索(&amp;S)</translation>
    </message>
    <message>
        <source>O&amp;ther Discs</source>
        <translation>他のディスク(&amp;T)</translation>
    </message>
    <message>
        <source>Files on Se&amp;veral Discs</source>
        <translation>複数ディスクのファイル(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>Discs - %1</source>
        <translation>ディスク - %1</translation>
    </message>
    <message>
        <source>Add Catalogs</source>
        <translation>カタログを追加</translation>
    </message>
    <message>
        <source>Add All Catalogs in a Folder</source>
        <translation>フォルダー内のすべてのカタログを追加</translation>
    </message>
    <message>
        <source>Discs - %1 catalogs</source>
        <translation>ディスク - カタログ %1 個</translation>
    </message>
    <message>
        <source>No catalog (*.cdc) was found in %1.</source>
        <translation>%1 にカタログ (*.cdc) が見つかりません。</translation>
    </message>
    <message>
        <source>The catalogs chosen are shown already.</source>
        <translation>選択したカタログはすでに表示されています。</translation>
    </message>
</context>
<context>
    <name>kobrix::DiscsWindowOutput</name>
    <message>
        <source>Export status</source>
        <translation>エクスポートの状態</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>エクスポート(&amp;E)...</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>エクスポート</translation>
    </message>
    <message>
        <source>Writes the whole catalog, the selected discs or the search results to a CSV, HTML or PDF file</source>
        <translation>カタログ全体、選択したディスク、または検索結果を CSV、HTML、PDF ファイルに書き出します</translation>
    </message>
    <message>
        <source>&amp;Whole Catalog...</source>
        <translation>カタログ全体(&amp;W)...</translation>
    </message>
    <message>
        <source>&amp;Selected Discs...</source>
        <translation>選択したディスク(&amp;S)...</translation>
    </message>
    <message>
        <source>Search &amp;Results...</source>
        <translation>検索結果(&amp;R)...</translation>
    </message>
    <message>
        <source>P&amp;rint...</source>
        <translation>印刷(&amp;R)...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
    <message>
        <source>Prints the selected discs, or the disc shown, with a preview</source>
        <translation>選択したディスク、または表示中のディスクをプレビュー付きで印刷します</translation>
    </message>
    <message>
        <source>On &amp;A4 Paper...</source>
        <translation>A4 用紙(&amp;A)...</translation>
    </message>
    <message>
        <source>On &amp;Letter Paper...</source>
        <translation>レター用紙(&amp;L)...</translation>
    </message>
    <message>
        <source>As a CD &amp;Case Booklet...</source>
        <translation>CD ケースのブックレット(&amp;C)...</translation>
    </message>
    <message>
        <source>Pages of 120 x 120 mm that fit a CD case</source>
        <translation>CD ケースに収まる 120 × 120 mm のページ</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>カタログ</translation>
    </message>
    <message>
        <source>Export Whole Catalog</source>
        <translation>カタログ全体をエクスポート</translation>
    </message>
    <message>
        <source>Export Selected Discs</source>
        <translation>選択したディスクをエクスポート</translation>
    </message>
    <message>
        <source>Export Search Results</source>
        <translation>検索結果をエクスポート</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|Web Pages (*.html)|*.html|PDF Documents (*.pdf)|*.pdf</source>
        <translation>CSV ファイル (*.csv)|*.csv|Web ページ (*.html)|*.html|PDF 文書 (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>%1 does not end in .csv, .html or .pdf, which tell the format of the export. Nothing was written.</source>
        <translation>%1 の末尾が .csv、.html、.pdf のいずれでもないため、エクスポートの形式がわかりません。何も書き込まれていません。</translation>
    </message>
    <message>
        <source>Stop &amp;Export</source>
        <translation>エクスポートを中止(&amp;E)</translation>
    </message>
    <message>
        <source>Stop Export</source>
        <translation>エクスポートを中止</translation>
    </message>
    <message>
        <source>Exporting to %1... %2% (Esc stops)</source>
        <translation>%1 へエクスポート中... %2% (Esc で中止)</translation>
    </message>
    <message>
        <source>Exporting to %1... (Esc stops)</source>
        <translation>%1 へエクスポート中... (Esc で中止)</translation>
    </message>
    <message>
        <source>Exported %1 file(s) of %2 disc(s) to %3</source>
        <translation>%2 枚のディスクの %1 個のファイルを %3 にエクスポートしました</translation>
    </message>
    <message>
        <source>Export stopped: %1 was not written</source>
        <translation>エクスポートを中止しました: %1 は書き込まれていません</translation>
    </message>
    <message>
        <source>Export failed: %1 was not written</source>
        <translation>エクスポートに失敗しました: %1 は書き込まれていません</translation>
    </message>
    <message>
        <source>Discs of %1 catalogs</source>
        <translation>%1 個のカタログのディスク</translation>
    </message>
    <message>
        <source>The pages of %1 could not be printed.</source>
        <translation>%1 のページを印刷できませんでした。</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesModel</name>
    <message>
        <source>Discs</source>
        <translation>ディスク</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>パス</translation>
    </message>
</context>
<context>
    <name>kobrix::DuplicatesPage</name>
    <message>
        <source>By &amp;path</source>
        <translation>パスで(&amp;P)</translation>
    </message>
    <message>
        <source>By &amp;name</source>
        <translation>名前で(&amp;N)</translation>
    </message>
    <message>
        <source>Files on several discs</source>
        <translation>複数のディスクにあるファイル</translation>
    </message>
    <message>
        <source>Looking for files on several discs...</source>
        <translation>複数のディスクにあるファイルを探しています...</translation>
    </message>
    <message>
        <source>No file stands on more than one disc</source>
        <translation>複数のディスクにあるファイルはありません</translation>
    </message>
    <message numerus="yes">
        <source>%Ln path stands on more than one disc</source>
        <translation>
            <numerusform>%Ln 個のパスが複数のディスクにあります</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln paths stand on more than one disc</source>
        <translation>
            <numerusform>%Ln 個のパスが複数のディスクにあります</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file name stands on more than one disc</source>
        <translation>
            <numerusform>%Ln 個のファイル名が複数のディスクにあります</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file names stand on more than one disc</source>
        <translation>
            <numerusform>%Ln 個のファイル名が複数のディスクにあります</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kobrix::FileViewActions</name>
    <message>
        <source>Show on &amp;other discs</source>
        <translation>他のディスクで表示(&amp;O)</translation>
    </message>
    <message>
        <source>Show in &amp;Folders</source>
        <translation>フォルダーで表示(&amp;F)</translation>
    </message>
</context>
<context>
    <name>kobrix::FoldersPage</name>
    <message>
        <source>Folders of the disc</source>
        <translation>ディスクのフォルダー</translation>
    </message>
    <message>
        <source>%1: %2 file(s) in %3 folder(s)</source>
        <translation>%1: %3 個のフォルダーに %2 個のファイル</translation>
    </message>
</context>
<context>
    <name>kobrix::Form1</name>
    <message>
        <source>&amp;Update Disc in Catalog...</source>
        <translation>カタログのディスクを更新(&amp;U)...</translation>
    </message>
    <message>
        <source>Replace the disc&apos;s files in a catalog with the disc as scanned now</source>
        <translation>カタログ内のディスクのファイルを、いまスキャンした内容に置き換えます</translation>
    </message>
    <message>
        <source>Already in %1 as &quot;%2&quot; (%3 of %4 files)</source>
        <translation>%1 に「%2」として登録済み (%4 個中 %3 個のファイル)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Update Disc in Catalog</source>
        <translation>カタログのディスクを更新</translation>
    </message>
    <message>
        <source>Updated &quot;%1&quot; in %2: %3</source>
        <translation>%2 の「%1」を更新しました: %3</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>やり直す</translation>
    </message>
    <message>
        <source>Restart Kobrix</source>
        <translation>Kobrix を最初からやり直す</translation>
    </message>
    <message>
        <source>Scan CD</source>
        <translation>CD をスキャン</translation>
    </message>
    <message>
        <source>Scanning... %1 files</source>
        <translation>スキャン中... %1 個のファイル</translation>
    </message>
    <message>
        <source>There is no catalog to show: load one, or write a disc into one first.</source>
        <translation>表示するカタログがありません。カタログを開くか、先にディスクをカタログに書き込んでください。</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*|Text Files (*.txt)|*.txt</source>
        <translation>すべてのファイル (*.*)|*.*|テキスト ファイル (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>This Drive is unavailable Please insert a CD or Close the CD Drive Door</source>
        <translation>このドライブは使用できません。CD を挿入するか、ドライブのトレイを閉じてください。</translation>
    </message>
    <message>
        <source>Place The next CD in the CD-Drive and click OK</source>
        <translation>次の CD をドライブに入れて [OK] をクリックしてください</translation>
    </message>
    <message>
        <source>Scanning...</source>
        <translation>スキャン中...</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>スキャンを中止しました</translation>
    </message>
    <message>
        <source>Total:</source>
        <translation>合計:</translation>
    </message>
    <message>
        <source>files</source>
        <translation>個のファイル</translation>
    </message>
    <message>
        <source>Folders to scan</source>
        <translation>スキャンするフォルダー</translation>
    </message>
    <message>
        <source>Write Catalog...</source>
        <translation>カタログを保存...</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>ファイル一覧</translation>
    </message>
    <message>
        <source>Add to Catalog...</source>
        <translation>カタログに追加...</translation>
    </message>
    <message>
        <source>Enter a Unique Disk Name</source>
        <translation>他と重ならないディスク名を入力してください</translation>
    </message>
    <message>
        <source>Disk Name</source>
        <translation>ディスク名</translation>
    </message>
    <message>
        <source>Scan New CD</source>
        <translation>次の CD</translation>
    </message>
    <message>
        <source>Current catalog</source>
        <translation>現在のカタログ</translation>
    </message>
    <message>
        <source>Optical drives</source>
        <translation>光学ドライブ</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>開く(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Scan Folder...</source>
        <translation>フォルダーをスキャン(&amp;S)...</translation>
    </message>
    <message>
        <source>Scan a folder, a USB drive or a mounted image as a disc</source>
        <translation>フォルダー、USB ドライブ、マウントしたイメージをディスクとしてスキャンします</translation>
    </message>
    <message>
        <source>Scan Disc &amp;Image...</source>
        <translation>ディスク イメージをスキャン(&amp;I)...</translation>
    </message>
    <message>
        <source>Scan an ISO disc image as a disc</source>
        <translation>ISO ディスク イメージをディスクとしてスキャンします</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>検索(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>やり直す(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Scan Folder</source>
        <translation>フォルダーをスキャン</translation>
    </message>
    <message>
        <source>Disc Images (*.iso)|*.iso|All Files (*.*)|*.*</source>
        <translation>ディスク イメージ (*.iso)|*.iso|すべてのファイル (*.*)|*.*</translation>
    </message>
    <message>
        <source>Scan Disc Image</source>
        <translation>ディスク イメージをスキャン</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Donate to Kobrix</source>
        <translation>Kobrix に寄付(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;About Kobrix...</source>
        <translation>Kobrix について(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Catalog</source>
        <translation>カタログ(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Discs...</source>
        <translation>ディスク(&amp;D)...</translation>
    </message>
    <message>
        <source>Open Re&amp;cent</source>
        <translation>最近使ったカタログ(&amp;C)</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 が見つかりません</translation>
    </message>
    <message>
        <source>No catalogs yet</source>
        <translation>カタログはまだありません</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>一覧を消去(&amp;C)</translation>
    </message>
    <message>
        <source>Catalog Discs &amp;One After Another...</source>
        <translation>ディスクを続けてカタログに追加(&amp;O)...</translation>
    </message>
    <message>
        <source>Catalog each disc put into the drive, until you stop</source>
        <translation>止めるまで、ドライブに入れたディスクを次々にカタログに追加します</translation>
    </message>
</context>
<context>
    <name>kobrix::Form2</name>
    <message>
        <source>What do you want to do?</source>
        <translation>何をしますか?</translation>
    </message>
    <message>
        <source>Create a new CD Catalog</source>
        <translation>新しい CD カタログを作成</translation>
    </message>
    <message>
        <source>Open your last CD Catalog</source>
        <translation>前回の CD カタログを開く</translation>
    </message>
    <message>
        <source>Search an Existing CD Catalog</source>
        <translation>既存の CD カタログを検索</translation>
    </message>
    <message>
        <source>Add a new Disk to an Existing CD Catalog</source>
        <translation>既存の CD カタログにディスクを追加</translation>
    </message>
    <message>
        <source>Type a name for your new Catalog</source>
        <translation>新しいカタログの名前</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Enter Catalog name here</source>
        <translation>ここにカタログ名を入力</translation>
    </message>
    <message>
        <source> Please enter a name for the new catalog</source>
        <translation> 新しいカタログの名前を入力してください</translation>
    </message>
</context>
<context>
    <name>kobrix::Form3</name>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Find </source>
        <translation>検索 </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Search Results</source>
        <translation>検索結果</translation>
    </message>
    <message>
        <source>Find what?</source>
        <translation>検索する文字列:</translation>
    </message>
    <message>
        <source>Search Results:</source>
        <translation>検索結果:</translation>
    </message>
    <message>
        <source>Found %1 Item(s)</source>
        <translation>%1 件見つかりました</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>検索文字列が見つかりません</translation>
    </message>
</context>
<context>
    <name>kobrix::Form4</name>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Freeware: copy it and share it freely.</source>
        <translation>フリーウェア: 自由に配布できます。</translation>
    </message>
    <message>
        <source>Written by the Kobrix developers.</source>
        <translation>Kobrix 開発者が作成しました。</translation>
    </message>
    <message>
        <source>Visit Kobrix website</source>
        <translation>Kobrix の Web サイト</translation>
    </message>
    <message>
        <source>For comments or suggestions on Kobrix email:</source>
        <translation>Kobrix へのご意見・ご提案はメールで:</translation>
    </message>
    <message>
        <source>If you find Kobrix useful please help support it by donating</source>
        <translation>Kobrix が役に立ったら、寄付でご支援ください</translation>
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
        <translation>ファイル数</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Stop the scan (Esc)</source>
        <translation>スキャンを中止 (Esc)</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>更新...</translation>
    </message>
    <message>
        <source>Update Disc in Catalog...</source>
        <translation>カタログのディスクを更新...</translation>
    </message>
    <message>
        <source>Update the disc in the catalog</source>
        <translation>カタログのディスクを更新します</translation>
    </message>
</context>
<context>
    <name>kobrix::OtherDiscsPage</name>
    <message>
        <source>Where</source>
        <translation>場所</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Choose a file and &quot;Show on other discs&quot; (%1).</source>
        <translation>ファイルを選んで「他のディスクで表示」(%1) を実行してください。</translation>
    </message>
    <message>
        <source>Other discs holding the file</source>
        <translation>このファイルがある他のディスク</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Looking for %1 on the other discs...</source>
        <translation>他のディスクで %1 を探しています...</translation>
    </message>
    <message>
        <source>%1 of &quot;%2&quot;</source>
        <translation>「%2」の %1</translation>
    </message>
    <message>
        <source>Same path on other discs</source>
        <translation>他のディスクの同じパス</translation>
    </message>
    <message>
        <source>Same name in other folders</source>
        <translation>他のフォルダーの同じ名前</translation>
    </message>
</context>
<context>
    <name>kobrix::ProgramTexts</name>
    <message>
        <source>CD Catalog Files (*.cdc)|*.cdc</source>
        <translation>CD カタログ ファイル (*.cdc)|*.cdc</translation>
    </message>
    <message>
        <source>Error in WriteList</source>
        <translation>リストの書き込みエラー</translation>
    </message>
    <message>
        <source>Error Reading file</source>
        <translation>ファイルの読み込みエラー</translation>
    </message>
    <message>
        <source>Error scanning %1</source>
        <translation>%1 のスキャン中にエラー</translation>
    </message>
    <message>
        <source>Error reading disc image %1</source>
        <translation>ディスク イメージ %1 の読み込みエラー</translation>
    </message>
    <message>
        <source>Please enter a Disk Name or Number</source>
        <translation>ディスク名か番号を入力してください</translation>
    </message>
    <message>
        <source>Listbox is empty - cannot write to file!</source>
        <translation>リストが空のため、ファイルに書き込めません。</translation>
    </message>
    <message>
        <source>Enter a search string</source>
        <translation>検索する文字列を入力してください</translation>
    </message>
    <message>
        <source>A disc name cannot hold &quot; - \&quot;: &quot;%1&quot; would be read back as the disc &quot;%2&quot;. Nothing was written.</source>
        <translation>ディスク名に「 - \」は使えません。「%1」はディスク「%2」として読み込まれてしまいます。何も書き込まれていません。</translation>
    </message>
    <message>
        <source>There is no disc named &quot;%1&quot; in %2</source>
        <translation>%2 に「%1」という名前のディスクはありません</translation>
    </message>
    <message>
        <source>Line %1 of the catalog holds records of &quot;%2&quot; together with other records; the disc cannot be updated</source>
        <translation>カタログの %1 行目に「%2」のレコードが他のレコードと混在しているため、ディスクを更新できません</translation>
    </message>
    <message>
        <source>The disc&apos;s records in the catalog changed meanwhile; nothing was written</source>
        <translation>その間にカタログ内のディスクのレコードが変更されました。何も書き込まれていません</translation>
    </message>
    <message>
        <source>%1 added, %2 removed, %3 unchanged</source>
        <translation>追加 %1、削除 %2、変更なし %3</translation>
    </message>
    <message>
        <source>%1 discs, %2 files</source>
        <translation>ディスク %1 枚、ファイル %2 個</translation>
    </message>
    <message>
        <source>Discs</source>
        <translation>ディスク</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>ディスク</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>フィルター</translation>
    </message>
    <message>
        <source>Catalog</source>
        <translation>カタログ</translation>
    </message>
    <message>
        <source>Catalog: %1</source>
        <translation>カタログ: %1</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%2 個中 %1 個のファイル</translation>
    </message>
    <message>
        <source>Lines without a disc name</source>
        <translation>ディスク名のない行</translation>
    </message>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (続き)</translation>
    </message>
    <message>
        <source>%1 (%2 files)</source>
        <translation>%1 (%2 個のファイル)</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>%1 / %2 ページ</translation>
    </message>
    <message>
        <source>Unknown export format &quot;%1&quot;: use csv, html or pdf</source>
        <translation>不明なエクスポート形式「%1」: csv、html、pdf のいずれかを指定してください</translation>
    </message>
    <message>
        <source>A PDF export needs an output file: -o FILE</source>
        <translation>PDF のエクスポートには出力ファイルが必要です: -o ファイル</translation>
    </message>
    <message>
        <source>The PDF export is not available: %1</source>
        <translation>PDF のエクスポートは使用できません: %1</translation>
    </message>
    <message>
        <source>%1 belongs to another version of the program</source>
        <translation>%1 は別のバージョンのプログラムのものです</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: it is the catalog being exported. Nothing was written.</source>
        <translation>%1 に書き込めません: エクスポート中のカタログです。何も書き込まれていません。</translation>
    </message>
    <message>
        <source>The catalog was updated; the list of changes could not be written in full</source>
        <translation>カタログを更新しました。変更の一覧はすべては書き出せませんでした</translation>
    </message>
    <message>
        <source>There is no folder %1 on the disc &quot;%2&quot;</source>
        <translation>ディスク「%2」にフォルダー %1 はありません</translation>
    </message>
    <message>
        <source>(lines without a disc name)</source>
        <translation>(ディスク名のない行)</translation>
    </message>
    <message>
        <source>%1 has no volume label</source>
        <translation>%1 にはボリューム ラベルがありません</translation>
    </message>
    <message>
        <source>Error reading the volume label of %1</source>
        <translation>%1 のボリューム ラベルの読み込みエラー</translation>
    </message>
</context>
<context>
    <name>kobrix::QtFileDialogBackend</name>
    <message>
        <source>Path does not exist.
Check the path and try again.</source>
        <translation>パスが存在しません。
パスを確認してもう一度やり直してください。</translation>
    </message>
</context>
<context>
    <name>kobrix::RuntimeError</name>
    <message>
        <source> (record %1 is longer than %2 bytes)</source>
        <translation> (レコード %1 が %2 バイトを超えています)</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>メモリ不足です</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>ファイル名または番号が不正です</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>ファイルが見つかりません</translation>
    </message>
    <message>
        <source>File already open</source>
        <translation>ファイルは既に開かれています</translation>
    </message>
    <message>
        <source>Bad record length</source>
        <translation>レコード長が不正です</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>デバイス I/O エラー</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>ディスクがいっぱいです</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>デバイスが使用できません</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>Disk not ready</source>
        <translation>ディスクの準備ができていません</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>パス/ファイルへのアクセス エラー</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>パスが見つかりません</translation>
    </message>
    <message>
        <source>Cancel was selected.</source>
        <translation>キャンセルが選択されました。</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>アプリケーション定義またはオブジェクト定義のエラーです</translation>
    </message>
    <message>
        <source>Damaged or unknown disc image: %1</source>
        <translation>破損しているか未知のディスク イメージです: %1</translation>
    </message>
    <message>
        <source>Damaged disc image: %1</source>
        <translation>破損したディスク イメージです: %1</translation>
    </message>
    <message>
        <source>the folder&apos;s entries cannot all be read</source>
        <translation>フォルダーの項目をすべては読み込めません</translation>
    </message>
    <message>
        <source>Not a data disc that can be read (ISO 9660, Joliet or Rock Ridge): %1</source>
        <translation>読み込めるデータ ディスク (ISO 9660、Joliet、Rock Ridge) ではありません: %1</translation>
    </message>
    <message>
        <source>no volume descriptor</source>
        <translation>ボリューム記述子がありません</translation>
    </message>
</context>
<context>
    <name>kobrix::SearchPage</name>
    <message>
        <source>Disc</source>
        <translation>ディスク</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>ヒット数</translation>
    </message>
    <message>
        <source>Find &amp;what:</source>
        <translation>検索する文字列(&amp;W):</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>検索(&amp;F)</translation>
    </message>
    <message>
        <source>Search results by disc</source>
        <translation>ディスクごとの検索結果</translation>
    </message>
    <message>
        <source>Searching... %1%</source>
        <translation>検索中... %1%</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>検索中...</translation>
    </message>
    <message>
        <source>Found %1 Item(s) on %2 disc(s)</source>
        <translation>%2 枚のディスクで %1 件見つかりました</translation>
    </message>
    <message>
        <source>Search text not found</source>
        <translation>検索文字列が見つかりません</translation>
    </message>
</context>
</TS>
