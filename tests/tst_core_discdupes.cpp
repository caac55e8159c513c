// The files on several discs of a catalog, by path and by file name, and
// the hash that finds them.

#include "core/ByteHash.h"
#include "discs/DiscDuplicates.h"
#include "discs/DiscIndex.h"
#include "core/DiscLine.h"

#include "TestSupport.h"

#include <QMap>
#include <QTest>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

using namespace kobrix;
using kobrix::test::toStore;

namespace {

// key TAB disc TAB disc... for each entry.
QStringList describeEntries(const DiscDuplicates &dupes, const DiscIndex &index)
{
    QStringList described;
    for (qsizetype e = 0; e < dupes.count(); ++e) {
        QString entry = dupes.key(e);
        for (const qint32 disc : dupes.discs(e))
            entry += u'\t' + index.name(disc);
        described << entry;
    }
    return described;
}

} // namespace

class DiscDupesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsFilesOnSeveralDiscs_data();
    void findsFilesOnSeveralDiscs();
    void duplicatesOfManyLinesMatchSimpleCount_data();
    void duplicatesOfManyLinesMatchSimpleCount();
    void hashTellsKeysApart_data();
    void hashTellsKeysApart();
};

void DiscDupesTest::findsFilesOnSeveralDiscs_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QStringList>("entries"); // key TAB disc TAB disc...

    QTest::newRow("one disc appended twice is no duplicate")
        << QStringList{"A - \\x", "A - \\y", "A - \\x"} << false << QStringList{};
    QTest::newRow("path on two discs")
        << QStringList{"A - \\x", "A - \\DATA\\y", "B - \\DATA\\y", "B - \\z"} << false
        << QStringList{"\\DATA\\y\tA\tB"};
    QTest::newRow("discs in the order the path first appears on them")
        << QStringList{"A - \\1", "C - \\x", "A - \\x", "B - \\x", "C - \\x"} << false
        << QStringList{"\\x\tC\tA\tB"};
    QTest::newRow("entries in the order of their first line")
        << QStringList{"A - \\late", "A - \\early", "B - \\early", "B - \\late"} << false
        << QStringList{"\\late\tA\tB", "\\early\tA\tB"};
    QTest::newRow("a disc appended again")
        << QStringList{"A - \\x", "B - \\x", "A - \\x", "A - \\y", "B - \\y"} << false
        << QStringList{"\\x\tA\tB", "\\y\tA\tB"};
    QTest::newRow("letter case counts")
        << QStringList{"A - \\README.TXT", "B - \\readme.txt"} << false << QStringList{};
    QTest::newRow("a name composed and decomposed is two names")
        << QStringList{"A - \\Caf\u00e9", "B - \\Cafe\u0301", "C - \\Caf\u00e9"} << true
        << QStringList{"Caf\u00e9\tA\tC"};
    QTest::newRow("letter case counts in Greek and Cyrillic")
        << QStringList{"A - \\ΑΡΧΕΙΟ", "B - \\αρχειο", "A - \\ЁЛКА", "B - \\ёлка", "C - \\ΑΡΧΕΙΟ"}
        << true << QStringList{"ΑΡΧΕΙΟ\tA\tC"};
    QTest::newRow("same name in other folders is no same path")
        << QStringList{"A - \\X\\f", "B - \\Y\\f"} << false << QStringList{};
    QTest::newRow("hand-made lines stand on no disc")
        << QStringList{"\\x", "A - \\x", "\\x", "B - \\y"} << false << QStringList{};
    QTest::newRow("names holding the separator")
        << QStringList{"A - B - \\x - \\y", "A - \\x - \\y", "A - \\B - \\x - \\y"} << false
        << QStringList{"\\x - \\y\tA - B\tA"};
    QTest::newRow("by name: any folder")
        << QStringList{"A - \\X\\f.txt", "A - \\g", "B - \\Y\\Z\\f.txt", "C - \\f.txt", "C - \\g"}
        << true << QStringList{"f.txt\tA\tB\tC", "g\tA\tC"};
    QTest::newRow("by name: twice on one disc is no duplicate")
        << QStringList{"A - \\X\\f", "A - \\Y\\f", "B - \\g"} << true << QStringList{};
    QTest::newRow("by name: scripts and empty names")
        << QStringList{"Диск - \\Ёлка.mp3", "日本 - \\音楽\\Ёлка.mp3", "A - \\x\\", "B - \\"} << true
        << QStringList{"Ёлка.mp3\tДиск\t日本", "\tA\tB"};
}

void DiscDupesTest::findsFilesOnSeveralDiscs()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, byName);
    QFETCH(QStringList, entries);

    const LineStore store = toStore(lines);
    DiscIndex index;
    index.build(store);
    const DiscDuplicates dupes(store, index,
                               byName ? DiscDuplicates::Key::FileName : DiscDuplicates::Key::Path);
    QCOMPARE(describeEntries(dupes, index), entries);

    // Every line of a listed key leads to its entry, every other line to none.
    for (qsizetype line = 0; line < store.count(); ++line) {
        const qsizetype entry = dupes.entryOfLine(line);
        if (entry < 0)
            continue;
        QCOMPARE(dupes.utf8Key(entry), std::string_view(store.utf8At(line)).substr(
                                             store.utf8At(line).size() - dupes.utf8Key(entry).size()));
        const auto discs = dupes.discs(entry);
        QVERIFY(std::find(discs.begin(), discs.end(), index.discOfLine(line)) != discs.end());
    }
    qsizetype linesOfEntries = 0;
    for (qsizetype line = 0; line < store.count(); ++line)
        linesOfEntries += dupes.entryOfLine(line) >= 0;
    qsizetype expectedLines = 0;
    for (qsizetype line = 0; line < store.count(); ++line) {
        if (index.isLooseLines(index.discOfLine(line)))
            continue;
        const QString text = lines[line];
        QString key = splitDiscLine(QStringView(text)).path.toString();
        if (byName)
            key = key.mid(key.lastIndexOf(u'\\') + 1);
        for (const QString &entry : entries)
            expectedLines += entry.section(u'\t', 0, 0) == key;
    }
    QCOMPARE(linesOfEntries, expectedLines);
}

void DiscDupesTest::duplicatesOfManyLinesMatchSimpleCount_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<int>("filesPerDisc"); // about; and files in the pool / 10
    QTest::addColumn<QString>("script");   // of the names
    QTest::newRow("by path") << false << 250 << QString();
    QTest::newRow("by name") << true << 250 << QString();
    // Parts of several chunks of occurrences, chunks of several blocks.
    QTest::newRow("by path, many lines") << false << 6000 << QString();
    QTest::newRow("by name, many lines") << true << 6000 << QString();
    // Names alike but for letter case, accents composed or not, and letters
    // of other scripts drawn the same: Greek and Cyrillic capitals that look
    // Latin, "é" as one letter and as "e" and its accent.
    QTest::newRow("by path, mixed scripts") << false << 250 << QStringLiteral("ΑаAЁёÉéé");
    QTest::newRow("by name, mixed scripts") << true << 250 << QStringLiteral("ΑаAЁёÉéé");
}

void DiscDupesTest::duplicatesOfManyLinesMatchSimpleCount()
{
    QFETCH(bool, byName);
    QFETCH(int, filesPerDisc);
    QFETCH(QString, script);

    // Thirty discs of files drawn from a common pool, one disc appended
    // twice: far more lines than the table's first size and the look-ahead,
    // compared with a plain map of keys to discs. With a script, each name
    // starts with one of its letters, which only their bytes tell apart.
    QStringList lines;
    quint32 seed = 12345;
    const auto next = [&seed](quint32 below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % below;
    };
    for (int d = 0; d < 31; ++d) {
        const int disc = d == 30 ? 3 : d;
        const int files = filesPerDisc * 2 / 5 + int(next(quint32(filesPerDisc) * 6 / 5));
        for (int f = 0; f < files; ++f) {
            QString name;
            quint32 numbers = quint32(filesPerDisc) * 8;
            if (!script.isEmpty()) {
                name = script[next(quint32(script.size()))];
                numbers /= quint32(script.size());
            }
            lines << QStringLiteral("Disc %1 - \\F%2\\%3file%4.dat")
                         .arg(disc).arg(next(20)).arg(name).arg(next(numbers));
        }
    }
    QMap<QString, QPair<qsizetype, QStringList>> keys; // key -> first line, discs
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const DiscLine split = splitDiscLine(QStringView(lines[i]));
        QString key = split.path.toString();
        if (byName)
            key = key.mid(key.lastIndexOf(u'\\') + 1);
        auto it = keys.find(key);
        if (it == keys.end())
            it = keys.insert(key, {i, {}});
        if (!it->second.contains(split.disc.toString()))
            it->second << split.disc.toString();
    }
    QMap<qsizetype, QString> expectedByLine;
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        if (it->second.size() > 1)
            expectedByLine.insert(it->first, it.key() + u'\t' + it->second.join(u'\t'));
    }

    const LineStore store = toStore(lines);
    DiscIndex index;
    index.build(store);
    const DiscDuplicates dupes(store, index,
                               byName ? DiscDuplicates::Key::FileName : DiscDuplicates::Key::Path);
    QVERIFY(expectedByLine.size() > 50);
    QCOMPARE(describeEntries(dupes, index), QStringList(expectedByLine.values()));

    // The same occurrences where none were expected: the memory for them is
    // found as they come.
    DuplicateKeys unexpected(0);
    unexpected.setKeyBytes(store.bytes());
    for (qsizetype line = 0; line < store.count(); ++line) {
        const std::string_view key = DiscDuplicates::keyOf(
            store.utf8At(line).substr(std::size_t(index.pathStart(line))), dupes.keyKind());
        unexpected.add({std::size_t(key.data() - store.bytes()), key.size(), hashBytes(key),
                        qint32(index.discOfLine(line))});
    }
    unexpected.finish(index.count());
    QCOMPARE(unexpected.count(), dupes.count());
    for (qsizetype e = 0; e < dupes.count(); ++e) {
        QVERIFY(unexpected.bytes(e) == dupes.utf8Key(e));
        QVERIFY(std::ranges::equal(unexpected.discs(e), dupes.discs(e)));
    }

    // The same keys copied into small blocks one after another, as
    // kobrix-cli's readers keep them: the same entries and discs.
    std::vector<std::string> blocks;
    std::vector<const char *> segments;
    DuplicateKeys inBlocks(store.count());
    for (qsizetype line = 0; line < store.count(); ++line) {
        const std::string_view key = DiscDuplicates::keyOf(
            store.utf8At(line).substr(std::size_t(index.pathStart(line))), dupes.keyKind());
        if (blocks.empty() || blocks.back().size() + key.size() > 256) {
            blocks.emplace_back().reserve(std::max<std::size_t>(256, key.size()));
            segments.push_back(blocks.back().data());
        }
        const std::size_t offset = blocks.back().size();
        blocks.back() += key;
        inBlocks.add({DuplicateKeys::segmentPosition(blocks.size() - 1, offset), key.size(), hashBytes(key),
                      qint32(index.discOfLine(line))});
    }
    inBlocks.setKeySegments(segments);
    inBlocks.finish(index.count());
    QVERIFY(blocks.size() > 10);
    QCOMPARE(inBlocks.count(), dupes.count());
    for (qsizetype e = 0; e < dupes.count(); ++e) {
        QVERIFY(inBlocks.bytes(e) == dupes.utf8Key(e));
        QVERIFY(std::ranges::equal(inBlocks.discs(e), dupes.discs(e)));
    }

    // The lines of every entry, and only those, lead to it.
    qsizetype linesOfEntries = 0;
    for (qsizetype line = 0; line < store.count(); ++line) {
        const qsizetype entry = dupes.entryOfLine(line);
        if (entry < 0)
            continue;
        ++linesOfEntries;
        QVERIFY(std::string_view(store.utf8At(line)).ends_with(dupes.utf8Key(entry)));
    }
    qsizetype expectedLines = 0;
    for (const QString &line : std::as_const(lines)) {
        QString key = splitDiscLine(QStringView(line)).path.toString();
        if (byName)
            key = key.mid(key.lastIndexOf(u'\\') + 1);
        const auto it = keys.constFind(key);
        expectedLines += it->second.size() > 1;
    }
    QCOMPARE(linesOfEntries, expectedLines);
}


void DiscDupesTest::hashTellsKeysApart_data()
{
    QTest::addColumn<QStringList>("keys");

    // Families of keys that a weak hash would mix up: one byte changed at
    // every place, every length of one text, numbers counted up, bytes that
    // differ in their high bit only.
    QStringList oneByte;
    const QString path = QStringLiteral("\\DATA\\LEVELS\\WORLD 1\\LEVEL01.DAT");
    for (qsizetype at = 0; at < path.size(); ++at) {
        QString changed = path;
        changed[at] = QChar(changed[at].unicode() ^ 1);
        oneByte << changed;
    }
    oneByte << path;
    QTest::newRow("one byte changed anywhere") << oneByte;
    QStringList lengths;
    for (qsizetype n = 0; n <= 70; ++n)
        lengths << QString(n, u'a');
    QTest::newRow("every length of one letter") << lengths;
    QStringList prefixes;
    for (qsizetype n = 0; n <= path.size(); ++n)
        prefixes << path.left(n);
    QTest::newRow("every start of a path") << prefixes;
    QStringList counted;
    for (int i = 0; i < 20000; ++i)
        counted << QStringLiteral("\\IMG%1.JPG").arg(i, 5, 10, QLatin1Char('0'));
    QTest::newRow("numbered names") << counted;
    QTest::newRow("high bit only") << QStringList{QStringLiteral("é"), QStringLiteral("i"), QStringLiteral("\u00e9\u00e9"),
                                                 QStringLiteral("ii"), QStringLiteral("Ёлка"), QStringLiteral("Елка")};
}

void DiscDupesTest::hashTellsKeysApart()
{
    QFETCH(QStringList, keys);

    // All different, in their 64 bits and in the 20 low bits that pick a
    // slot of a table (a few meetings there are chance).
    std::unordered_set<std::uint64_t> hashes;
    QMap<std::uint64_t, int> lowBits;
    for (const QString &key : keys) {
        const QByteArray utf8 = key.toUtf8();
        const std::uint64_t hash = hashBytes(std::string_view(utf8.constData(), std::size_t(utf8.size())));
        QVERIFY2(hashes.insert(hash).second, qPrintable(key));
        ++lowBits[hash & 0xFFFFF];
    }
    const auto busiest = std::max_element(lowBits.begin(), lowBits.end());
    QVERIFY2(*busiest <= 4, qPrintable(QString::number(*busiest)));
    // And the top byte, which picks a part of the duplicates' table, spreads.
    if (keys.size() >= 10000) {
        QMap<std::uint64_t, int> parts;
        for (const std::uint64_t hash : hashes)
            ++parts[hash >> 56];
        QCOMPARE(parts.size(), 256);
        QVERIFY(*std::max_element(parts.begin(), parts.end()) < 2 * keys.size() / 256);
    }
}

QTEST_APPLESS_MAIN(DiscDupesTest)
#include "tst_core_discdupes.moc"
