// The words of the language catalogs: disc names, folders and file names as
// users of French, German and Czech, of Russian and Ukrainian, of Greek and
// of Japanese give them. Cameras and installers name their files in ASCII in
// every country, so some names stay ASCII. Folder names hold no '%'; file
// patterns and disc names hold one %d.

#include "gen_languages.h"

namespace benchgen {

namespace {

// About half of the lines hold an accented name: a few disc names, and a
// share of folders and files on the others.
const LanguageWords kLatin{
    "latin",
    0x4C61746Eu, // "Latn"
    {
        // Games
        {{"Hry %d", "Spiele %d", "Jeux %d", "Jeux vidéo %d", "Spielesammlung %d"},
         {},
         {"DATA", "SETUP", "SAVE", "Uložené hry", "Spielstände", "Sauvegardes", "Niveaux",
          "Karten", "Mapy", "Grafik", "Anleitung", "BIN", "SOUND", "MUSIC", "Levels", "Hry",
          "Jeux", "Videos", "Textures", "Maps", "DIRECTX"},
         {"DATA%d.CAB", "Úroveň %d.dat", "niveau%d.dat", "Spielstand %d.sav", "MAP%02d.BSP",
          "Příručka %d.pdf", "INTRO%d.AVI", "TEX%04d.TGA", "Sauvegarde %d.sav", "SOUND%03d.WAV",
          "Lisez-moi %d.txt", "GAME%d.EXE"}},
        // Photos
        {{"Fotografie %d", "Obrázky %d", "Bilder %d"},
         {"Fotky, %d", "Photos, %d", "Été %d", "Urlaub %d", "Dovolená %d"},
         {"DCIM", "100CANON", "101CANON", "Été à Paris", "Vánoce", "Weihnachten", "Hochzeit",
          "Mariage", "Svatba", "Geburtstag", "Chalupa", "Ostsee", "Kinder", "Scans", "Bretagne",
          "Urlaub", "Familie", "Praha", "Berlin", "Paris", "Vacances", "Hory", "Zima",
          "Žluťoučký kůň"},
         {"IMG_%04d.JPG", "DSC%05d.JPG", "P%07d.JPG", "Été %d.jpg", "Vánoce %d.jpg",
          "Oma und Opa %d.jpg", "Plage %d.jpg", "Burg %d.jpg", "Chata %d.jpg",
          "Scan %03d.tif", "Příroda %d.jpg", "MVI_%04d.AVI"}},
        // Backups
        {{"Záloha %d", "Sauvegarde %d", "Sicherung %d", "Backup %d"},
         {"Práce - %d", "Arbeit %d"},
         {"Mes documents", "Dokumenty", "Eigene Dateien", "Faktury", "Rechnungen",
          "Correspondance", "Diplomová práce", "Steuer", "Projekty", "Brouillons",
          "Bewerbungen", "Desktop", "Old", "Mail", "Archiv", "Briefe", "Factures", "Smlouvy",
          "Účetnictví", "Dopisy"},
         {"Résumé %d.doc", "Životopis %d.doc", "Lebenslauf %d.doc", "Faktura %04d.pdf",
          "Rechnung %04d.pdf", "Dopis %d.doc", "Lettre %d.doc", "Tabelle %d.xls",
          "Rozpočet %d.xls", "Brief %d.doc", "notes%d.txt", "budget_%d.xls", "archive%d.zip",
          "Notizen %d.txt"}},
        // Music
        {{"Hudba %d", "Musique %d", "Musik %d", "MP3 sbírka %d", "Chansons %d"},
         {},
         {"Dvořák – Slovanské tance", "Dvořák", "Smetana", "Janáček", "Müller – Grüße",
          "Chansons", "Lidovky", "Klassik", "Bach", "Mozart", "Best of", "Singles",
          "Karel Gott", "Kraftwerk", "Rammstein", "Jazz", "Live", "Beethoven", "Queen",
          "Nena", "Aznavour", "Brel", "Supertramp", "Bootlegs"},
         {"%02d - Slovanský tanec.mp3", "%02d - Grüße.mp3", "%02d - Non, je ne regrette rien.mp3",
          "%02d - La Vie en rose.mp3", "%02d - Vltava.mp3", "%02d - Für Elise.mp3",
          "Stopa %02d.mp3", "Piste %02d.mp3", "Track %02d.mp3", "obal%d.jpg",
          "%02d - Intro.mp3", "playlist%d.m3u"}},
        // Software
        {{"Programy %d", "Logiciels %d", "Software %d", "Programme %d"},
         {},
         {"SETUP", "Programme", "Outils", "Werkzeuge", "Česky", "Deutsch", "Français",
          "Hilfe", "Aide", "SYSTEM32", "I386", "FONTS", "Tools", "CZ", "Napoveda", "Office"},
         {"SETUP%d.EXE", "DATA%d.CAB", "Čti mě %d.txt", "Liesmich%d.txt", "Lisezmoi%d.txt",
          "Příručka%d.pdf", "Installation%d.ini", "Übersetzung%d.dll", "KERNEL%d.DLL",
          "FONT%03d.TTF", "Aide%d.hlp"}},
        // Drivers
        {{"Ovladače %d", "Pilotes %d", "Treiber %d", "Drivers %d"},
         {},
         {"SETUP", "Ovladače", "Treiber", "Pilotes", "Tiskarna", "Drucker", "Imprimante",
          "Zvuk", "Síť", "USB", "WINXP", "WIN98", "Netzwerk", "Grafik", "Audio", "Modem",
          "Chipset"},
         {"SETUP%d.EXE", "DRV%04d.SYS", "OEM%d.INF", "Čti mě %d.txt", "Liesmich%d.txt",
          "Lisezmoi%d.txt", "Pilote%d.inf", "Ovladač%d.sys", "DATA%d.CAB", "README%d.TXT"}},
    }};

// Every disc name is Cyrillic, so every line is.
const LanguageWords kCyrillic{
    "cyrillic",
    0x4379726Cu, // "Cyrl"
    {
        // Games
        {{"Игры %d", "Ігри %d", "Игрушки %d"},
         {},
         {"Сохранения", "Уровни", "Карты", "Звук", "Музыка", "Видео", "Руководство",
          "Установка", "Текстуры", "SETUP", "DATA", "Збереження", "Мапи"},
         {"Уровень %d.dat", "Карта %02d.map", "Сохранение %d.sav", "Звук %03d.wav",
          "Заставка %d.avi", "Прочти меня %d.txt", "Руководство %d.pdf", "DATA%d.CAB",
          "GAME%d.EXE", "Рівень %d.dat"}},
        // Photos
        {{"Фотографии %d", "Світлини %d", "Снимки %d"},
         {"Фото, %d", "Отпуск %d", "Новый год %d"},
         {"Ёлка", "Новый год", "Дача", "Отпуск", "Свадьба", "День рождения", "Крым",
          "Москва", "Київ", "Різдво", "Дети", "Сканы", "Лето", "Байкал", "Выпускной", "DCIM",
          "Ялта", "Бабушка"},
         {"Фото %04d.jpg", "Ёлка %d.jpg", "Скан %03d.tif", "Мама и папа %d.jpg", "IMG_%04d.JPG",
          "Світлина %d.jpg", "Дети %d.jpg", "DSC%05d.JPG", "Ёжик %d.jpg", "Новогодняя ёлка %d.jpg"}},
        // Backups
        {{"Архив %d", "Резервная копия %d", "Резервна копія %d"},
         {"Работа - %d"},
         {"Мои документы", "Мої документи", "Документы", "Рабочий стол", "Письма", "Счета",
          "Диплом", "Курсовая", "Проекты", "Бухгалтерия", "Налоги", "Почта", "Старое",
          "Объявления"},
         {"Отчёт %d.doc", "Бюджет %d.xls", "Письмо %d.doc", "Счёт %04d.pdf", "Резюме %d.doc",
          "Заметки %d.txt", "Договор %d.doc", "Звіт %d.doc", "Объяснительная %d.doc",
          "Налоговый вычет %d.pdf", "Приёмка %d.xls"}},
        // Music
        {{"Музыка %d", "Музика %d", "MP3 сборник %d"},
         {},
         {"Кино", "ДДТ", "Аквариум", "Высоцкий", "Чайковский", "Рахманинов", "Шансон",
          "Океан Ельзи", "Земфира", "Сборник", "Альбомы", "Концерты", "Алла Пугачёва",
          "Сплин", "Песни о войне", "Мой альбом"},
         {"%02d - Группа крови.mp3", "%02d - Песня.mp3", "%02d - Лебединое озеро.mp3",
          "%02d - Звезда по имени Солнце.mp3", "Трек %02d.mp3", "обложка %d.jpg",
          "%02d - Пісня.mp3", "%02d - Ой, у лузі червона калина.mp3",
          "%02d - Миллион алых роз.mp3", "%02d - Маленькой ёлочке холодно зимой.mp3"}},
        // Software
        {{"Программы %d", "Софт %d", "Програми %d"},
         {},
         {"Установка", "Программы", "Утилиты", "Справка", "Шрифты", "Русификатор", "Офис",
          "Антивирус", "Документация", "SETUP", "Інсталяція", "Серийные номера"},
         {"Установка %d.exe", "SETUP%d.EXE", "Прочти меня %d.txt", "Справка %d.chm",
          "Лицензия %d.txt", "DATA%d.CAB", "Русификатор %d.exe", "Ключ %d.txt",
          "Шрифт %03d.ttf", "Інструкція %d.pdf"}},
        // Drivers
        {{"Драйверы %d", "Драйвери %d", "Дрова %d"},
         {},
         {"Драйверы", "Принтер", "Сканер", "Звук", "Сеть", "Видеокарта", "Модем",
          "Материнская плата", "Драйвери", "Мережа", "SETUP", "WINXP", "Звукова карта"},
         {"SETUP%d.EXE", "Драйвер %d.sys", "Установка %d.inf", "Прочти меня %d.txt",
          "Інструкція %d.pdf", "DRV%04d.SYS", "Обновление %d.exe", "Прошивка %03d.rom"}},
    }};

// Kana and kanji, fullwidth Latin (ＣＤ) and half-width katakana (ｿﾌﾄ) as
// older Japanese software wrote them.
const LanguageWords kJapanese{
    "japanese",
    0x4A706E21u, // "Jpn!"
    {
        // Games
        {{"ゲーム %d", "ゲーム集 %d", "ｹﾞｰﾑ %d"},
         {},
         {"セーブ", "データ", "音声", "ムービー", "マップ", "説明書", "SETUP", "ｻｳﾝﾄﾞ",
          "ステージ", "キャラクター", "グラフィック", "DATA", "ＢＧＭ"},
         {"データ%d.CAB", "ステージ%02d.dat", "セーブ%d.sav", "音声%03d.wav",
          "オープニング%d.avi", "はじめにお読みください%d.txt", "GAME%d.EXE", "ﾏｯﾌﾟ%02d.map",
          "キャラ%03d.bmp"}},
        // Photos
        {{"ピクチャー %d", "デジカメ写真 %d"},
         {"写真、%d", "旅行 %d年", "家族 %d"},
         {"DCIM", "100CANON", "旅行", "京都", "夏休み", "家族", "結婚式", "お正月", "運動会",
          "子供", "スキャン", "花見", "北海道", "沖縄", "七五三", "ﾃﾞｼﾞｶﾒ"},
         {"IMG_%04d.JPG", "DSC%05d.JPG", "写真%04d.jpg", "京都の桜%d.jpg", "家族写真%d.jpg",
          "ｽｷｬﾝ%03d.tif", "運動会%d.jpg", "P%07d.JPG", "ビデオ%d.avi"}},
        // Backups
        {{"バックアップ %d", "ＣＤ－Ｒ バックアップ %d"},
         {"仕事 - %d"},
         {"マイ ドキュメント", "ドキュメント", "デスクトップ", "仕事", "請求書", "年賀状",
          "卒業論文", "メール", "プロジェクト", "見積書", "古いファイル", "ダウンロード", "Desktop"},
         {"報告書%d.doc", "見積書%04d.xls", "議事録%d.doc", "請求書%04d.pdf", "メモ%d.txt",
          "年賀状%d.jpg", "データ%d.csv", "バックアップ%d.zip", "企画書%d.ppt",
          "住所録%d.xls"}},
        // Music
        {{"音楽 %d", "ＭＰ３コレクション %d", "ミュージック %d"},
         {},
         {"宇多田ヒカル", "サザンオールスターズ", "坂本龍一", "久石譲", "アニメ", "クラシック",
          "ジャズ", "ライブ", "サウンドトラック", "ベスト", "ｼﾝｸﾞﾙ", "スピッツ", "ゲーム音楽",
          "ジブリ"},
         {"%02d - トラック.mp3", "%02d - 夜空ノムコウ.mp3", "%02d - First Love.mp3",
          "%02d - 戦場のメリークリスマス.mp3", "%02d - となりのトトロ.mp3", "ｼﾞｬｹｯﾄ%d.jpg",
          "トラック%02d.wma", "%02d - ロビンソン.mp3", "歌詞%d.txt"}},
        // Software
        {{"ソフトウェア %d", "ＣＤ－ＲＯＭ ソフト %d", "ｿﾌﾄ %d"},
         {},
         {"SETUP", "セットアップ", "プログラム", "ツール", "ヘルプ", "フォント", "日本語",
          "サンプル", "ﾄﾞｷｭﾒﾝﾄ", "ＳＤＫ", "SYSTEM32", "アップデート"},
         {"SETUP%d.EXE", "セットアップ%d.exe", "はじめにお読みください%d.txt", "ヘルプ%d.chm",
          "使用許諾契約書%d.txt", "DATA%d.CAB", "ﾘｰﾄﾞﾐｰ%d.txt", "フォント%03d.ttf",
          "辞書データ%d.dic"}},
        // Drivers
        {{"ドライバ %d", "ﾄﾞﾗｲﾊﾞ %d", "ドライバーＣＤ %d"},
         {},
         {"ドライバ", "プリンタ", "スキャナ", "サウンド", "ネットワーク", "ビデオ", "ＵＳＢ",
          "ﾄﾞﾗｲﾊﾞ", "WINXP", "マザーボード", "SETUP", "デジカメ"},
         {"SETUP%d.EXE", "ドライバ%d.sys", "インストール%d.inf", "はじめにお読みください%d.txt",
          "ﾄﾞﾗｲﾊﾞ%d.inf", "DRV%04d.SYS", "更新プログラム%d.exe", "説明書%d.pdf"}},
    }};

// Greek names: every letter has a capital (and sigma a final form), accents
// (tonos) on many words; disc names are Greek, so every line is.
const LanguageWords kGreek{
    "greek",
    0x4772656Bu, // "Grek"
    {
        // Games
        {{"Παιχνίδια %d", "Παιχνίδι %d"},
         {},
         {"Αποθηκεύσεις", "Επίπεδα", "Χάρτες", "Ήχος", "Μουσική", "Βίντεο", "Οδηγίες",
          "Εγκατάσταση", "SETUP", "DATA", "ΟΔΥΣΣΕΙΑ"},
         {"Επίπεδο %d.dat", "Χάρτης %02d.map", "Αποθήκευση %d.sav", "Ήχος %03d.wav",
          "Διάβασέ με %d.txt", "Οδηγίες %d.pdf", "DATA%d.CAB", "GAME%d.EXE"}},
        // Photos
        {{"Φωτογραφίες %d", "Εικόνες %d"},
         {"Διακοπές %d", "Πάσχα %d", "Χριστούγεννα %d"},
         {"Διακοπές", "Σαντορίνη", "Αθήνα", "Θεσσαλονίκη", "Κρήτη", "Γάμος", "Βάπτιση",
          "Παιδιά", "Καλοκαίρι", "DCIM", "Γιαγιά", "Ακρόπολη"},
         {"Φωτογραφία %04d.jpg", "Θάλασσα %d.jpg", "Σάρωση %03d.tif", "IMG_%04d.JPG",
          "Παιδιά %d.jpg", "DSC%05d.JPG", "Οδυσσέας %d.jpg"}},
        // Backups
        {{"Αντίγραφο ασφαλείας %d", "Αρχείο %d"},
         {"Εργασία - %d"},
         {"Τα έγγραφά μου", "Έγγραφα", "Επιφάνεια εργασίας", "Επιστολές", "Λογαριασμοί",
          "Πτυχιακή", "Έργα", "Λογιστήριο", "Φόροι", "Αλληλογραφία"},
         {"Αναφορά %d.doc", "Προϋπολογισμός %d.xls", "Επιστολή %d.doc", "Τιμολόγιο %04d.pdf",
          "Βιογραφικό %d.doc", "Σημειώσεις %d.txt", "Σύμβαση %d.doc"}},
        // Music
        {{"Μουσική %d", "MP3 συλλογή %d"},
         {},
         {"Θεοδωράκης", "Χατζιδάκις", "Ρεμπέτικα", "Βαμβακάρης", "Νταλάρας", "Συλλογή",
          "Άλμπουμ", "Συναυλίες", "Λαϊκά", "Νησιώτικα"},
         {"%02d - Τραγούδι.mp3", "%02d - Ζορμπάς.mp3", "%02d - Τα παιδιά του Πειραιά.mp3",
          "Κομμάτι %02d.mp3", "εξώφυλλο %d.jpg", "%02d - Συρτάκι.mp3"}},
        // Software
        {{"Προγράμματα %d", "Λογισμικό %d"},
         {},
         {"Εγκατάσταση", "Προγράμματα", "Βοηθήματα", "Βοήθεια", "Γραμματοσειρές", "Γραφείο",
          "Τεκμηρίωση", "SETUP"},
         {"Εγκατάσταση %d.exe", "SETUP%d.EXE", "Διάβασέ με %d.txt", "Βοήθεια %d.chm",
          "Άδεια χρήσης %d.txt", "DATA%d.CAB", "Γραμματοσειρά %03d.ttf"}},
        // Drivers
        {{"Οδηγοί %d", "Προγράμματα οδήγησης %d"},
         {},
         {"Οδηγοί", "Εκτυπωτής", "Σαρωτής", "Ήχος", "Δίκτυο", "Κάρτα γραφικών", "Μόντεμ",
          "SETUP", "WINXP"},
         {"SETUP%d.EXE", "Οδηγός %d.sys", "Εγκατάσταση %d.inf", "Διάβασέ με %d.txt",
          "DRV%04d.SYS", "Ενημέρωση %d.exe"}},
    }};

} // namespace

const LanguageWords *languageWords(std::string_view kind)
{
    for (const LanguageWords *words : {&kLatin, &kCyrillic, &kGreek, &kJapanese}) {
        if (kind == words->kind)
            return words;
    }
    return nullptr;
}

} // namespace benchgen
