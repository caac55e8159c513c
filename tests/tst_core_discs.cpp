// The discs of a catalog: the index of discs, the catalog's discs as its
// lines change, the folder tree of one disc and search hits grouped by disc.

#include "discs/Catalog.h"
#include "discs/DiscHits.h"
#include "discs/DiscIndex.h"
#include "core/DiscLine.h"
#include "discs/DiscTree.h"

#include "TestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <thread>

using namespace kobrix;
using kobrix::test::toStore;

namespace {

// "name=0 1 4" for each disc in order; the loose lines as "*=...".
QStringList describeDiscs(const DiscIndex &index)
{
    QStringList discs;
    for (qsizetype d = 0; d < index.count(); ++d) {
        QStringList lines;
        for (const qint32 line : index.lines(d))
            lines << QString::number(line);
        discs << (index.isLooseLines(d) ? QStringLiteral("*") : index.name(d)) + u'='
                     + lines.join(u' ');
    }
    return discs;
}

// "path filesBelow: file file..." for each folder, depth first, subfolders
// in their order.
void describeFolder(const DiscTree &tree, qsizetype folder, QStringList &out)
{
    QStringList files;
    for (const qint32 line : tree.files(folder))
        files << tree.fileName(line);
    out << tree.folderPath(folder) + u' ' + QString::number(tree.filesBelow(folder)) + u':'
               + (files.isEmpty() ? QString() : u' ' + files.join(u' '));
    for (const qint32 sub : tree.subfolders(folder)) {
        if (tree.parentFolder(sub) != folder)
            out << QStringLiteral("wrong parent of ") + tree.folderPath(sub);
        describeFolder(tree, sub, out);
    }
}

QStringList prefixed(const QString &disc, const QStringList &paths)
{
    QStringList lines;
    for (const QString &path : paths)
        lines << disc + QStringLiteral(" - ") + path;
    return lines;
}

} // namespace

class DiscsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void indexesDiscs_data();
    void indexesDiscs();
    void indexesCatalogsApart_data();
    void indexesCatalogsApart();
    void appendsAStoreWhole_data();
    void appendsAStoreWhole();
    void catalogBuildsDiscsOfItsLines_data();
    void catalogBuildsDiscsOfItsLines();
    void discsAskedFromSeveralThreads();
    void treeOfDisc_data();
    void treeOfDisc();
    void treeOfAMadeUpDeepLine();
    void folderAtPath_data();
    void folderAtPath();
    void groupsHitsByDisc_data();
    void groupsHitsByDisc();
};

void DiscsTest::indexesDiscs_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("discs");

    QTest::newRow("empty catalog") << QStringList() << QStringList();
    QTest::newRow("one disc") << QStringList{"Games 1 - \\SETUP.EXE", "Games 1 - \\DATA\\LEVEL1.DAT"}
                              << QStringList{"Games 1=0 1"};
    QTest::newRow("name holding a dash")
        << QStringList{"Photos - 2002 - \\IMG1.JPG", "Photos - 2002 - \\IMG2.JPG", "Photos - \\X.JPG"}
        << QStringList{"Photos - 2002=0 1", "Photos=2"};
    QTest::newRow("path holding the separator")
        << QStringList{"A - \\B - \\C.TXT", "A - \\D.TXT"} << QStringList{"A=0 1"};
    QTest::newRow("a name that begins like the one before")
        << QStringList{"A - \\x", "A - B - \\y", "A - \\z", "A - B - \\w"}
        << QStringList{"A=0 2", "A - B=1 3"};
    QTest::newRow("names that are prefixes of others")
        << QStringList{"Games 1 - \\a", "Games 10 - \\b", "Games 1 - \\c", "Games 1- \\d", "Games - \\e"}
        << QStringList{"Games 1=0 2", "Games 10=1", "*=3", "Games=4"};
    QTest::newRow("hand-made lines are one disc of their own")
        << QStringList{"shopping list", "A - \\x", "", "A - B", "A - \\y", "\\SETUP.EXE"}
        << QStringList{"*=0 2 3 5", "A=1 4"};
    QTest::newRow("empty name is a disc, not a hand-made line")
        << QStringList{" - \\x", "loose", " - \\y"} << QStringList{"=0 2", "*=1"};
    QTest::newRow("disc appended twice is one disc")
        << QStringList{"A - \\1", "A - \\2", "B - \\1", "A - \\1", "A - \\3", "B - \\4"}
        << QStringList{"A=0 1 3 4", "B=2 5"};
    QTest::newRow("several scripts")
        << QStringList{"Église été - \\Ünï.txt", "Диск 1 - \\Ёлка.mp3", "写真 - 2002 - \\データ.jpg",
                       "Église été - \\b.txt", "Диск 1 - \\c"}
        << QStringList{"Église été=0 3", "Диск 1=1 4", "写真 - 2002=2"};
    QTest::newRow("line of the name and separator only")
        << QStringList{"A - \\", "A -", "A - \\\\"} << QStringList{"A=0 2", "*=1"};

    // Far more discs than the first table has room for, each twice.
    QStringList many;
    QStringList manyDiscs;
    for (int d = 0; d < 300; ++d) {
        many << QStringLiteral("Disc %1 - \\a").arg(d);
        manyDiscs << QStringLiteral("Disc %1=%2 %3").arg(d).arg(d).arg(d + 300);
    }
    for (int d = 0; d < 300; ++d)
        many << QStringLiteral("Disc %1 - \\b").arg(d);
    QTest::newRow("300 discs, each appended twice") << many << manyDiscs;
}

void DiscsTest::indexesDiscs()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, discs);

    const LineStore store = toStore(lines);
    DiscIndex index;
    index.build(store);
    QCOMPARE(describeDiscs(index), discs);
    QCOMPARE(index.totalFiles(), lines.size());

    qsizetype files = 0;
    for (qsizetype d = 0; d < index.count(); ++d) {
        QCOMPARE(index.fileCount(d), qsizetype(index.lines(d).size()));
        files += index.fileCount(d);
        for (const qint32 line : index.lines(d)) {
            QCOMPARE(index.discOfLine(line), d);
            // The path starts where the split rule puts it.
            const QString text = lines[line];
            QCOMPARE(text.toUtf8().mid(qsizetype(index.pathStart(line))),
                     splitDiscLine(QStringView(text)).path.toUtf8());
        }
        if (index.isLooseLines(d))
            QCOMPARE(index.looseLines(), d);
        else
            QCOMPARE(index.indexOf(index.name(d)), d);
    }
    QCOMPARE(files, lines.size());
    QCOMPARE(index.indexOf(u"no such disc"), -1);
    if (!discs.contains(QStringLiteral("=0 2")))
        QCOMPARE(index.indexOf(u""), -1); // never the loose lines

    index.clear();
    QCOMPARE(index.count(), 0);
    QCOMPARE(index.totalFiles(), 0);
}

// Several catalogs in one store: each catalog's lines form discs of their
// own, named "name@catalog=lines".
void DiscsTest::indexesCatalogsApart_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<qsizetype>>("starts");
    QTest::addColumn<QStringList>("discs");

    const QStringList twoShelves{"Games 1 - \\a", "Games 2 - \\b", "Games 1 - \\c",
                                 "Games 1 - \\d", "Games 2 - \\e"};
    QTest::newRow("no parts: one catalog as before")
        << twoShelves << QList<qsizetype>{}
        << QStringList{"Games 1@0=0 2 3", "Games 2@0=1 4"};
    QTest::newRow("the same name in two catalogs stays two discs")
        << twoShelves << QList<qsizetype>{0, 3}
        << QStringList{"Games 1@0=0 2", "Games 2@0=1", "Games 1@1=3", "Games 2@1=4"};
    QTest::newRow("a catalog's line right after the other's, same name")
        << QStringList{"A - \\x", "A - \\y"} << QList<qsizetype>{0, 1}
        << QStringList{"A@0=0", "A@1=1"};
    QTest::newRow("hand-made lines: one disc a catalog")
        << QStringList{"loose", "A - \\x", "also loose", "more loose"}
        << QList<qsizetype>{0, 2} << QStringList{"*@0=0", "A@0=1", "*@1=2 3"};
    QTest::newRow("an empty catalog between two")
        << QStringList{"A - \\x", "A - \\y"} << QList<qsizetype>{0, 1, 1}
        << QStringList{"A@0=0", "A@2=1"};
    QTest::newRow("an empty catalog at the end")
        << QStringList{"A - \\x"} << QList<qsizetype>{0, 1} << QStringList{"A@0=0"};
    QTest::newRow("accents, Cyrillic, Japanese in three catalogs")
        << QStringList{"Église - \\été.txt", "Диск 1 - \\Ёлка.mp3", "Église - \\b",
                       "写真 - \\データ.jpg", "Диск 1 - \\c", "写真 - \\d"}
        << QList<qsizetype>{0, 2, 4}
        << QStringList{"Église@0=0", "Диск 1@0=1", "Église@1=2", "写真@1=3", "Диск 1@2=4",
                       "写真@2=5"};
    // More discs in the last catalog than the name table starts with.
    QStringList many{"Disc 0 - \\first"};
    QStringList manyDiscs{"Disc 0@0=0"};
    for (int d = 0; d < 40; ++d) {
        many << QStringLiteral("Disc %1 - \\a").arg(d);
        manyDiscs << QStringLiteral("Disc %1@1=%2").arg(d).arg(d + 1);
    }
    QTest::newRow("40 discs in the second catalog") << many << QList<qsizetype>{0, 1} << manyDiscs;
}

void DiscsTest::indexesCatalogsApart()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<qsizetype>, starts);
    QFETCH(QStringList, discs);

    const LineStore store = toStore(lines);
    DiscIndex index;
    index.build(store, std::span<const qsizetype>(starts.constData(), std::size_t(starts.size())));
    QCOMPARE(index.partCount(), std::max<qsizetype>(starts.size(), 1));
    QStringList described = describeDiscs(index);
    for (qsizetype d = 0; d < index.count(); ++d) {
        const qsizetype at = described[d].indexOf(u'=');
        described[d].insert(at, u'@' + QString::number(index.partOf(d)));
    }
    QCOMPARE(described, discs);
    QCOMPARE(index.totalFiles(), lines.size());
    for (qsizetype line = 0; line < lines.size(); ++line) {
        const qsizetype disc = index.discOfLine(line);
        // The disc's catalog is the one whose lines hold the line.
        qsizetype part = 0;
        while (part + 1 < starts.size() && starts[part + 1] <= line)
            ++part;
        QCOMPARE(index.partOf(disc), part);
        QCOMPARE(lines[line].toUtf8().mid(qsizetype(index.pathStart(line))),
                 splitDiscLine(QStringView(lines[line])).path.toUtf8());
    }
}

// A store appended whole holds the same lines, search keys and non-ASCII
// list as one that had its lines appended one by one.
void DiscsTest::appendsAStoreWhole_data()
{
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<bool>("keys"); // whether the target keeps search keys

    const QStringList mixed{"Église - \\Été.txt", "A - \\b", "Диск - \\Ёлка", "写真 - \\データ"};
    QTest::newRow("ASCII onto non-ASCII") << mixed << QStringList{"B - \\x", "B - \\y"} << true;
    QTest::newRow("non-ASCII onto non-ASCII") << mixed << mixed << true;
    QTest::newRow("onto an empty store") << QStringList{} << mixed << true;
    QTest::newRow("an empty store") << mixed << QStringList{} << true;
    QTest::newRow("into a store without keys") << mixed << mixed << false;
}

void DiscsTest::appendsAStoreWhole()
{
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(bool, keys);

    LineStore expected;
    LineStore combined;
    expected.setKeepSearchKeys(keys);
    combined.setKeepSearchKeys(keys);
    for (const QString &line : first + second)
        expected.append(line);
    for (const QString &line : first)
        combined.append(line);
    combined.appendStore(toStore(second));
    QCOMPARE(combined.count(), expected.count());
    for (qsizetype i = 0; i < expected.count(); ++i)
        QCOMPARE(combined.at(i), expected.at(i));
    QCOMPARE(combined.nonAsciiLines(), expected.nonAsciiLines());
    QCOMPARE(combined.byteSize(), expected.byteSize());
    if (keys) {
        for (std::size_t k = 0; k < expected.nonAsciiLines().size(); ++k)
            QCOMPARE(combined.keyAt(k), expected.keyAt(k));
    }
}

void DiscsTest::catalogBuildsDiscsOfItsLines_data()
{
    QTest::addColumn<Catalog::Content>("content");
    QTest::addColumn<int>("discs");

    QTest::newRow("catalog lines") << Catalog::Content::CatalogLines << 2;
    QTest::newRow("disc listing") << Catalog::Content::DiscListing << 0;
    QTest::newRow("nothing") << Catalog::Content::Nothing << 0;
}

void DiscsTest::catalogBuildsDiscsOfItsLines()
{
    QFETCH(Catalog::Content, content);
    QFETCH(int, discs);

    Catalog catalog;
    QSignalSpy changed(&catalog, &Catalog::linesChanged);
    catalog.lines() = toStore({"A - \\x", "B - \\y"});
    catalog.setContent(content);
    catalog.markLinesChanged();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(catalog.discs().count(), discs);

    // Lines added afterwards are seen, told or not.
    catalog.lines().append(u"C - \\z");
    QCOMPARE(catalog.discs().count(), discs ? 3 : 0);
    catalog.lines().clear();
    catalog.lines().append(u"D - \\w");
    catalog.markLinesChanged();
    QCOMPARE(changed.count(), 2);
    QCOMPARE(catalog.discs().count(), discs ? 1 : 0);
    if (discs)
        QCOMPARE(catalog.discs().name(0), QStringLiteral("D"));

    // Another kind of content drops or makes the discs.
    catalog.setContent(content == Catalog::Content::CatalogLines ? Catalog::Content::DiscListing
                                                                 : Catalog::Content::CatalogLines);
    QCOMPARE(catalog.discs().count(), discs ? 0 : 1);
}

// Two windows counting the same catalog's discs on their workers: one index
// is built, every thread sees it whole (heap damage or a wrong count before).
void DiscsTest::discsAskedFromSeveralThreads()
{
    Catalog catalog;
    for (int disc = 0; disc < 300; ++disc)
        for (int file = 0; file < 100; ++file)
            catalog.lines().append(QStringLiteral("Диск %1 - \\папка\\файл %2.txt").arg(disc).arg(file));
    catalog.setContent(Catalog::Content::CatalogLines);
    for (int round = 0; round < 20; ++round) {
        catalog.markLinesChanged();
        std::vector<const DiscIndex *> seen(4, nullptr);
        std::vector<qint32> counts(4, -1);
        std::vector<std::thread> threads;
        for (std::size_t t = 0; t < seen.size(); ++t)
            threads.emplace_back([&, t] {
                seen[t] = &catalog.discs();
                counts[t] = seen[t]->count();
            });
        for (std::thread &thread : threads)
            thread.join();
        for (std::size_t t = 0; t < seen.size(); ++t) {
            QCOMPARE(seen[t], &catalog.discs());
            QCOMPARE(counts[t], 300);
        }
        QCOMPARE(catalog.discs().lines(299).size(), std::size_t(100));
    }
}

void DiscsTest::treeOfDisc_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("disc"); // "*" for the loose lines
    QTest::addColumn<QStringList>("folders");

    QTest::newRow("files in the root only")
        << prefixed("A", {"\\SETUP.EXE", "\\README.TXT"}) << "A"
        << QStringList{"\\ 2: SETUP.EXE README.TXT"};
    QTest::newRow("walk order: the root's files, then each folder")
        << prefixed("G", {"\\SETUP.EXE", "\\DATA\\LEVEL1.DAT", "\\DATA\\LEVEL2.DAT", "\\MUSIC\\A.MP3",
                          "\\DATA\\MAPS\\M1.MAP"})
        << "G"
        << QStringList{"\\ 5: SETUP.EXE", "\\DATA 3: LEVEL1.DAT LEVEL2.DAT", "\\DATA\\MAPS 1: M1.MAP",
                       "\\MUSIC 1: A.MP3"};
    QTest::newRow("subfolders in the order they first appear, not by name")
        << prefixed("D", {"\\Z\\1", "\\A\\2", "\\M\\3"}) << "D"
        << QStringList{"\\ 3:", "\\Z 1: 1", "\\A 1: 2", "\\M 1: 3"};
    QTest::newRow("folders made from a deep file, their files later")
        << prefixed("D", {"\\A\\B\\C\\x.txt", "\\A\\y.txt", "\\A\\B\\z.txt"}) << "D"
        << QStringList{"\\ 3:", "\\A 3: y.txt", "\\A\\B 2: z.txt", "\\A\\B\\C 1: x.txt"};
    QTest::newRow("a folder's files in several runs")
        << prefixed("D", {"\\A\\x", "\\B\\y", "\\A\\z"}) << "D"
        << QStringList{"\\ 3:", "\\A 2: x z", "\\B 1: y"};
    QTest::newRow("names that begin alike")
        << prefixed("D", {"\\AB\\1", "\\A\\2", "\\A B\\3", "\\AB\\C\\4"}) << "D"
        << QStringList{"\\ 4:", "\\AB 2: 1", "\\AB\\C 1: 4", "\\A 1: 2", "\\A B 1: 3"};
    QTest::newRow("only this disc, also when appended twice")
        << QStringList{"A - \\x\\1", "B - \\y\\2", "A - \\x\\3", "A - \\w\\4"} << "A"
        << QStringList{"\\ 3:", "\\x 2: 1 3", "\\w 1: 4"};
    QTest::newRow("separator and accents in names")
        << prefixed("Photos - 2002", {"\\Été - \\Ünï.jpg", "\\Été - \\Фото\\写真.jpg", "\\a - b.txt"})
        << "Photos - 2002"
        << QStringList{"\\ 3: a - b.txt", "\\Été -  2: Ünï.jpg", "\\Été - \\Фото 1: 写真.jpg"};
    QTest::newRow("the root itself as a line")
        << QStringList{"A - \\", "A - \\x\\"} << "A" << QStringList{"\\ 2: ", "\\x 1: "};
    QTest::newRow("hand-made lines")
        << QStringList{"list", "A - \\x", "notes\\todo", "\\DATA\\a.dat", "x - y"} << "*"
        << QStringList{"\\ 4: list x - y", "notes 1: todo", "\\DATA 1: a.dat"};
}

void DiscsTest::treeOfDisc()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, disc);
    QFETCH(QStringList, folders);

    const LineStore store = toStore(lines);
    DiscIndex index;
    index.build(store);
    const qsizetype d = disc == u"*" ? index.looseLines() : index.indexOf(disc);
    QVERIFY(d >= 0);
    const DiscTree tree(store, index, d);
    QStringList described;
    describeFolder(tree, 0, described);
    QCOMPARE(described, folders);
    QCOMPARE(tree.folderCount(), folders.size());
    QCOMPARE(tree.parentFolder(0), -1);
    QCOMPARE(tree.filesBelow(0), index.fileCount(d));

    // Every line finds its folder; the lines of other discs find none.
    for (qsizetype line = 0; line < store.count(); ++line) {
        const qsizetype folder = tree.folderOfLine(line);
        if (index.discOfLine(line) != d) {
            QCOMPARE(folder, -1);
            continue;
        }
        QVERIFY(folder >= 0);
        const auto files = tree.files(folder);
        QVERIFY(std::find(files.begin(), files.end(), qint32(line)) != files.end());
        QCOMPARE(tree.folderAt(tree.folderPath(folder)), folder);
    }
}

void DiscsTest::treeOfAMadeUpDeepLine()
{
    // A line made up of 300,000 backslashes (a record may be a megabyte):
    // as many nested folders, made without a call per level and without
    // reading the line once per level.
    constexpr int kDepth = 300000;
    const QString deep = QStringLiteral("D - ") + QString(kDepth, u'\\') + QStringLiteral("x");
    const LineStore store = toStore({deep, QStringLiteral("D - \\y")});
    DiscIndex index;
    index.build(store);
    const DiscTree tree(store, index, 0);
    QCOMPARE(tree.folderCount(), kDepth);
    QCOMPARE(tree.filesBelow(0), 2);
    const qsizetype deepest = tree.folderOfLine(0);
    QCOMPARE(tree.filesBelow(deepest), 1);
    QCOMPARE(tree.fileName(0), QStringLiteral("x"));
    QCOMPARE(tree.folderName(deepest), QString());
    qsizetype depth = 0;
    for (qsizetype folder = deepest; folder != 0; folder = tree.parentFolder(folder))
        ++depth;
    QCOMPARE(depth, kDepth - 1);
    QCOMPARE(tree.folderOfLine(1), 0);
}

void DiscsTest::folderAtPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder"); // its path, or "-" for none

    QTest::newRow("root") << "\\" << "\\";
    QTest::newRow("root as nothing") << "" << "\\";
    QTest::newRow("folder") << "\\DATA" << "\\DATA";
    QTest::newRow("folder with a final backslash") << "\\DATA\\" << "\\DATA";
    QTest::newRow("deep folder") << "\\DATA\\MAPS\\Été" << "\\DATA\\MAPS\\Été";
    QTest::newRow("letter case counts") << "\\data" << "-";
    QTest::newRow("without the first backslash") << "DATA" << "-";
    QTest::newRow("a file is no folder") << "\\SETUP.EXE" << "-";
    QTest::newRow("part of a name") << "\\DAT" << "-";
    QTest::newRow("two final backslashes") << "\\DATA\\\\" << "-";
    QTest::newRow("folder of another disc") << "\\OTHER" << "-";
}

void DiscsTest::folderAtPath()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);

    const LineStore store = toStore({"G - \\SETUP.EXE", "G - \\DATA\\MAPS\\Été\\1.map", "H - \\OTHER\\x",
                                     "G - \\DATA\\2.dat"});
    DiscIndex index;
    index.build(store);
    const DiscTree tree(store, index, index.indexOf(u"G"));
    const qsizetype found = tree.folderAt(path);
    QCOMPARE(found < 0 ? QStringLiteral("-") : tree.folderPath(found), folder);
}

void DiscsTest::groupsHitsByDisc_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<qsizetype>>("hits");
    QTest::addColumn<QStringList>("groups"); // "disc=hit lines", "*" for the loose lines

    const QStringList catalog{"A - \\1", "A - \\2", "B - \\1", "loose", "A - \\3", "C - \\1", "B - \\2"};
    QTest::newRow("no hits") << catalog << QList<qsizetype>{} << QStringList{};
    QTest::newRow("one disc") << catalog << QList<qsizetype>{2, 6} << QStringList{"B=2 6"};
    QTest::newRow("catalog order of discs")
        << catalog << QList<qsizetype>{0, 2, 4, 5} << QStringList{"A=0 4", "B=2", "C=5"};
    QTest::newRow("hits only where a disc was appended again")
        << catalog << QList<qsizetype>{4, 5, 6} << QStringList{"A=4", "B=6", "C=5"};
    QTest::newRow("hand-made line") << catalog << QList<qsizetype>{3, 5} << QStringList{"*=3", "C=5"};
    QTest::newRow("every line") << catalog << QList<qsizetype>{0, 1, 2, 3, 4, 5, 6}
                                << QStringList{"A=0 1 4", "B=2 6", "*=3", "C=5"};
}

void DiscsTest::groupsHitsByDisc()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<qsizetype>, hits);
    QFETCH(QStringList, groups);

    const LineStore store = toStore(lines);
    DiscIndex index;
    index.build(store);
    const DiscHitGroups grouped(index, std::span<const qsizetype>(hits.constData(), std::size_t(hits.size())));
    QStringList described;
    for (qsizetype g = 0; g < grouped.count(); ++g) {
        const qsizetype disc = grouped.disc(g);
        QStringList found;
        for (const qsizetype line : grouped.hits(g))
            found << QString::number(line);
        QCOMPARE(grouped.hitCount(g), found.size());
        QCOMPARE(grouped.groupOfDisc(disc), g);
        described << (index.isLooseLines(disc) ? QStringLiteral("*") : index.name(disc)) + u'='
                         + found.join(u' ');
    }
    QCOMPARE(described, groups);
    QCOMPARE(grouped.totalHits(), hits.size());
    for (qsizetype d = 0; d < index.count(); ++d) {
        if (grouped.groupOfDisc(d) < 0)
            QVERIFY(std::none_of(hits.begin(), hits.end(),
                                 [&](qsizetype line) { return index.discOfLine(line) == d; }));
    }
}

QTEST_APPLESS_MAIN(DiscsTest)
#include "tst_core_discs.moc"
