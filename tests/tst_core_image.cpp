// Disc images are listed like the discs they were made from.

#include "TestSupport.h"
#include "scan/ArchiveTree.h"
#include "scan/DiscImageReader.h"
#include "scan/DiscWalker.h"
#include "scan/ImageTree.h"
#include "scan/RockRidgeTree.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <string>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// A folder with symbolic links of every sort beside plain files. A mounted
// disc lists the links that end at files and leaves out the others.
void makeLinkTree(const QString &root)
{
    writeFile(root, "top.txt", "t");
    writeFile(root, ".hidden.txt", "h");
    writeFile(root, "DATA/LEVEL1.DAT", "1");
    writeFile(root, "DATA/DEEP/x.bin", "x");
    makeLink(root, "toFile", "DATA/LEVEL1.DAT");
    makeLink(root, "DATA/up.txt", "../top.txt");
    makeLink(root, "DATA/DEEP/upTwice", "../../DATA/LEVEL1.DAT");
    makeLink(root, "toFolder", "DATA");
    makeLink(root, "DATA/DEEP/self", ".");
    makeLink(root, "dangling", "nowhere.txt");
    makeLink(root, "chain1", "chain2");
    makeLink(root, "chain2", "DATA/chain3");
    makeLink(root, "DATA/chain3", "../top.txt");
    makeLink(root, "loopA", "loopB");
    makeLink(root, "loopB", "loopA");
    makeLink(root, "throughFolderLink", "toFolder/DEEP/x.bin");
    makeLink(root, "toHidden", ".hidden.txt");
    makeLink(root, "fileAsFolder", "top.txt/x");
}

// xorriso's arguments with %IMAGE% and %TREE% filled in.
QStringList fill(QStringList arguments, const QString &image, const QString &tree)
{
    for (QString &a : arguments)
        a.replace(QLatin1String("%IMAGE%"), image).replace(QLatin1String("%TREE%"), tree);
    return arguments;
}

const QStringList kMkisofs{"-as", "mkisofs", "-quiet", "-R", "-J", "-o", "%IMAGE%", "%TREE%"};
const QStringList kNative{"-outdev", "%IMAGE%", "-map", "%TREE%", "/"};
const QStringList kRelocating{"-outdev", "%IMAGE%", "-compliance", "deep_paths_off", "-map", "%TREE%", "/"};

// Every folder of a tree with its folders and files, one line each, to
// compare what two ways of reading an image found.
QStringList describe(ImageTree &tree)
{
    QStringList lines;
    const QHash<QByteArray, DirectoryListing> folders = tree.takeFolders();
    for (auto it = folders.cbegin(); it != folders.cend(); ++it) {
        QStringList dirs, files;
        for (const DirectoryEntry &e : it->subdirectories)
            dirs << QString::fromUtf8(e.displayName);
        for (const DirectoryEntry &e : it->files)
            files << QString::fromUtf8(e.displayName);
        lines << QString::fromUtf8(it.key()) + " [" + dirs.join('|') + "] " + files.join('|');
    }
    lines.sort();
    return lines;
}

// Points the first Rock Ridge child link (CL) of the image elsewhere.
bool redirectChildLink(const QString &image, quint32 block)
{
    QByteArray bytes = readFile(image);
    const qsizetype at = bytes.indexOf(QByteArray("CL\x0c\x01", 4));
    if (at < 0)
        return false;
    for (int i = 0; i < 4; ++i) {
        bytes[at + 4 + i] = char(block >> (8 * i));     // little-endian
        bytes[at + 11 - i] = char(block >> (8 * i));    // big-endian
    }
    writeFile(QFileInfo(image).path(), QFileInfo(image).fileName(), bytes);
    return true;
}

} // namespace

class TestDiscImage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_tree;

    // Builds an image of the fixture tree with xorriso's mkisofs emulation.
    QString makeImage(const QString &name, const QStringList &options, const QString &tree = {})
    {
        const QString image = m_dir.filePath(name);
        QProcess xorriso;
        xorriso.start(QStringLiteral("xorriso"), QStringList{"-as", "mkisofs", "-quiet"} + options
                          + QStringList{"-o", image, tree.isEmpty() ? m_tree : tree});
        if (!xorriso.waitForFinished(60000) || xorriso.exitCode() != 0)
            qWarning() << "xorriso failed:" << xorriso.readAllStandardError();
        return image;
    }

    static QStringList walkImage(const QString &image, RuntimeError *error = nullptr)
    {
        std::unique_ptr<DirectoryReader> reader;
        RuntimeError openError = makeReaderFor(image, reader);
        LineStore dirs, listing;
        if (!openError) {
            DiscWalker walker(*reader, image, dirs, listing);
            openError = walker.run();
        }
        if (error)
            *error = openError;
        return toStringList(listing);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("xorriso").isEmpty())
            QSKIP("xorriso is not installed");
        m_tree = fixtureDisc();
    }

    void namesAndOrder_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("Rock Ridge and Joliet") << QStringList{"-R", "-J", "-joliet-long"};
        QTest::newRow("Rock Ridge") << QStringList{"-R"};
        QTest::newRow("Joliet") << QStringList{"-J", "-joliet-long"};
    }
    void namesAndOrder()
    {
        QFETCH(QStringList, options);
        const QString image = makeImage(QStringLiteral("%1.iso").arg(QTest::currentDataTag()), options);
        RuntimeError error;
        const QStringList listing = walkImage(image, &error);
        QVERIFY2(!error, qPrintable(error.numberAndDescription()));
        // The same lines, in the same order, as a walk of the folder.
        const QStringList expected = walkFolderLines(m_tree);
        QVERIFY(expected.size() >= 20);
        QCOMPARE(listing, expected);
    }

    // Rock Ridge keeps a name longer than one of its entries holds in
    // several entries, one after the other.
    void longRockRidgeNames()
    {
        const QString tree = m_dir.filePath(QStringLiteral("long"));
        QVERIFY(QDir().mkpath(tree + "/" + QString(120, QChar(0x0436))));
        for (const QString &name : {QString(255, 'n'), QString(127, QChar(0x0436)) + 'x',
                                    QString(120, QChar(0x0436)) + "/" + QString(250, 'f') + ".txt"}) {
            QFile file(tree + "/" + name);
            QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
        }
        const QString image = makeImage(QStringLiteral("long.iso"), {"-R"}, tree);
        const QStringList expected = walkFolderLines(tree);
        QCOMPARE(expected.size(), 3);
        QCOMPARE(walkImage(image), expected);
    }

    // A folder's listing may share the image reader's names: they stay
    // whole after the reader is gone.
    void listingOutlivesReader()
    {
        const QString tree = m_dir.filePath(QStringLiteral("outlives"));
        QVERIFY(QDir().mkpath(tree + "/DATA"));
        for (const char *name : {"a.txt", "B.TXT", "\xD0\xB6.txt"})
            QVERIFY(QFile(tree + "/" + QString::fromUtf8(name)).open(QIODevice::WriteOnly));
        const QString image = makeImage(QStringLiteral("outlives.iso"), {"-R", "-J"}, tree);
        std::unique_ptr<DirectoryReader> reader;
        QVERIFY(!makeReaderFor(image, reader));
        DirectoryListing listing;
        QVERIFY(!reader->read(reader->rootPath(image), true, listing));
        const auto names = [&] {
            QStringList all;
            for (const auto *entries : {&listing.subdirectories, &listing.files})
                for (const DirectoryEntry &e : *entries)
                    // Copied here, where the sanitizers' build looks at
                    // each byte read (Qt's own reading is not looked at).
                    all << QString::fromStdString(std::string(e.nativeName.constData(), std::size_t(e.nativeName.size()))
                                                  + '|' + std::string(e.displayName.constData(), std::size_t(e.displayName.size())));
            return all;
        };
        const QStringList before = names();
        QCOMPARE(before.size(), 4);
        reader.reset();
        QCOMPARE(names(), before);
    }

    void damagedOrForeignImages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        QTest::newRow("random bytes") << QByteArray(200000, 'x') << 57;
        QTest::newRow("empty file") << QByteArray() << 57;
        QTest::newRow("truncated image") << QByteArray("truncate") << 57;
    }
    void damagedOrForeignImages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        if (bytes == "truncate") {
            const QByteArray full = readFile(makeImage("full.iso", {"-R", "-J"}));
            bytes = full.left(40 * 1024); // cut inside the volume descriptors/path tables
        }
        writeFile(m_dir.path(), "bad.iso", bytes);
        RuntimeError error;
        const QStringList listing = walkImage(m_dir.filePath("bad.iso"), &error);
        QCOMPARE(error.number(), number);
        QVERIFY(!error.description().isEmpty());
        QVERIFY(listing.isEmpty());
    }

    void missingImage()
    {
        DiscImageReader reader;
        QCOMPARE(reader.open(m_dir.filePath("nothing.iso")).number(), 53);
    }

    void resolveLinks_data();
    void resolveLinks();
    void linksAsOnTheMountedDisc_data();
    void linksAsOnTheMountedDisc();
    void relocatedFolders_data();
    void relocatedFolders();
    void rockRidgeReaderAgreesWithLibarchive_data();
    void rockRidgeReaderAgreesWithLibarchive();
    void unreadableRockRidge_data();
    void unreadableRockRidge();
};

// Where a link inside an image ends, the way the kernel resolves it on a
// mounted disc, with the image's root as the root.
void TestDiscImage::resolveLinks_data()
{
    QTest::addColumn<QByteArray>("link");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<int>("kind");
    const int file = int(ImageEntryKind::File);
    const int folder = int(ImageEntryKind::Folder);
    const int nowhere = int(ImageEntryKind::Link);
    QTest::newRow("file beside") << QByteArray("/l") << QByteArray("top.txt") << file;
    QTest::newRow("file in a folder") << QByteArray("/l") << QByteArray("DATA/LEVEL1.DAT") << file;
    QTest::newRow("file above") << QByteArray("/DATA/l") << QByteArray("../top.txt") << file;
    QTest::newRow("above the root is the root") << QByteArray("/l") << QByteArray("../../top.txt") << file;
    QTest::newRow("absolute, from the image's root") << QByteArray("/DATA/DEEP/l") << QByteArray("/top.txt") << file;
    QTest::newRow("doubled and dot parts") << QByteArray("/l") << QByteArray(".//DATA/./LEVEL1.DAT") << file;
    QTest::newRow("absolute folder") << QByteArray("/l") << QByteArray("/DATA") << folder;
    QTest::newRow("dot") << QByteArray("/DATA/l") << QByteArray(".") << folder;
    QTest::newRow("folder with a slash") << QByteArray("/l") << QByteArray("DATA/") << folder;
    QTest::newRow("something else") << QByteArray("/l") << QByteArray("fifo") << int(ImageEntryKind::Other);
    QTest::newRow("missing") << QByteArray("/l") << QByteArray("gone.txt") << nowhere;
    QTest::newRow("empty target") << QByteArray("/l") << QByteArray() << nowhere;
    QTest::newRow("file as a folder") << QByteArray("/l") << QByteArray("top.txt/x") << nowhere;
    QTest::newRow("file with a slash") << QByteArray("/l") << QByteArray("top.txt/") << nowhere;
    QTest::newRow("chain of links") << QByteArray("/l") << QByteArray("c1") << file;
    QTest::newRow("through a link to a folder") << QByteArray("/l") << QByteArray("toFolder/LEVEL1.DAT") << file;
    QTest::newRow(".. of a linked folder is its real parent")
        << QByteArray("/l") << QByteArray("toDeep/../LEVEL1.DAT") << file;
    QTest::newRow("through a folder named only by a link in it")
        << QByteArray("/l") << QByteArray("onlyLinks/inside") << file;
    QTest::newRow("loop") << QByteArray("/l") << QByteArray("la") << nowhere;
    QTest::newRow("40 links in a row") << QByteArray("/l") << QByteArray("n1") << file;
    QTest::newRow("41 links in a row") << QByteArray("/l") << QByteArray("n0") << nowhere;
}

void TestDiscImage::resolveLinks()
{
    QFETCH(QByteArray, link);
    QFETCH(QByteArray, target);
    QFETCH(int, kind);
    ImageTree tree;
    tree.add("top.txt", ImageEntryKind::File);
    tree.add("./DATA/LEVEL1.DAT", ImageEntryKind::File); // DATA only through its file
    tree.add("/DATA/DEEP/", ImageEntryKind::Folder);
    tree.add("fifo", ImageEntryKind::Other);
    tree.add("c1", ImageEntryKind::Link, "c2");
    tree.add("c2", ImageEntryKind::Link, "DATA/c3");
    tree.add("DATA/c3", ImageEntryKind::Link, "../top.txt");
    tree.add("toFolder", ImageEntryKind::Link, "DATA");
    tree.add("toDeep", ImageEntryKind::Link, "DATA/DEEP");
    tree.add("onlyLinks/inside", ImageEntryKind::Link, "../top.txt");
    tree.add("la", ImageEntryKind::Link, "lb");
    tree.add("lb", ImageEntryKind::Link, "la");
    for (int i = 0; i < 39; ++i)
        tree.add("n" + QByteArray::number(i), ImageEntryKind::Link, "n" + QByteArray::number(i + 1));
    tree.add("n39", ImageEntryKind::Link, "top.txt");
    tree.add(link, ImageEntryKind::Link, target);
    QCOMPARE(int(tree.resolveLink(link)), kind);
}

void TestDiscImage::linksAsOnTheMountedDisc_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("nest"); // folders above the links
    QTest::newRow("mkisofs -R -J") << kMkisofs << QString();
    QTest::newRow("Rock Ridge") << kNative << QString();
    QTest::newRow("Rock Ridge, links in relocated folders")
        << kRelocating << QStringLiteral("a/b/c/d/e/f/g");
}

// An image lists what the same disc mounted lists: the walk of the image
// equals the walk of the folder it was made from.
void TestDiscImage::linksAsOnTheMountedDisc()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, nest);
    QTemporaryDir dir;
    const QString tree = dir.filePath("tree");
    makeLinkTree(nest.isEmpty() ? tree : tree + '/' + nest);
    const QString image = dir.filePath("links.iso");
    QVERIFY(runXorriso(fill(arguments, image, tree)));

    const QStringList expected = walkFolderLines(tree);
    QString prefix = nest;
    prefix = nest.isEmpty() ? QString() : '\\' + prefix.replace('/', '\\');
    for (const char *listed : {"\\toFile", "\\chain1", "\\chain2", "\\throughFolderLink",
                               "\\toHidden", "\\DATA\\up.txt", "\\DATA\\DEEP\\upTwice"})
        QVERIFY2(expected.contains(prefix + listed), listed);
    for (const char *left : {"\\toFolder", "\\dangling", "\\loopA", "\\fileAsFolder",
                             "\\DATA\\DEEP\\self"})
        QVERIFY2(!expected.contains(prefix + left), left);

    RuntimeError error;
    const QStringList listing = walkImage(image, &error);
    QVERIFY2(!error, qPrintable(error.numberAndDescription()));
    QCOMPARE(listing, expected);
}

void TestDiscImage::relocatedFolders_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    const QStringList nine{"a/b/c/d/e/f/g/h/i/file.txt"};
    QStringList manyLevels;
    QString path;
    for (int level = 1; level <= 20; ++level) {
        path += QStringLiteral("level%1/").arg(level);
        manyLevels << path + QStringLiteral("file%1.txt").arg(level)
                   << path + QStringLiteral("Side Folder/Long side name %1.txt").arg(level);
    }
    QTest::newRow("nine folders, one file") << kRelocating << nine;
    QTest::newRow("nine folders, with Joliet") << (kRelocating + QStringList{"-joliet", "on"}) << nine;
    QTest::newRow("relocated to rr_moved")
        << (kRelocating + QStringList{"-rr_reloc_dir", "rr_moved"}) << nine;
    QTest::newRow("twenty levels, relocated again and again") << kRelocating << manyLevels;
}

// Folders that the image's maker moved out of the eighth level (Rock Ridge
// CL and RE entries) are listed where they belong.
void TestDiscImage::relocatedFolders()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    const QString tree = dir.filePath("r");
    for (const QString &file : files)
        writeFile(tree, file, "x");
    const QString image = dir.filePath("r.iso");
    QVERIFY(runXorriso(fill(arguments, image, tree)));

    const QStringList expected = walkFolderLines(tree);
    QCOMPARE(expected.size(), files.size());
    RuntimeError error;
    const QStringList listing = walkImage(image, &error);
    QVERIFY2(!error, qPrintable(error.numberAndDescription()));
    QCOMPARE(listing, expected);
}

void TestDiscImage::rockRidgeReaderAgreesWithLibarchive_data()
{
    QTest::addColumn<QString>("kind"); // "names" or "links"
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("names, mkisofs -R -J") << "names" << kMkisofs;
    QTest::newRow("names, Rock Ridge") << "names" << kNative;
    QTest::newRow("links, mkisofs -R -J") << "links" << kMkisofs;
    QTest::newRow("links, Rock Ridge") << "links" << kNative;
}

// On images that libarchive reads, the image's own Rock Ridge reader finds
// the same folders, files and links.
void TestDiscImage::rockRidgeReaderAgreesWithLibarchive()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    QString tree = m_tree;
    if (kind == QLatin1String("links")) {
        tree = dir.filePath("tree");
        makeLinkTree(tree);
    }
    const QString image = dir.filePath("both.iso");
    QVERIFY(runXorriso(fill(arguments, image, tree)));

    ImageTree byArchive;
    RuntimeError error;
    QCOMPARE(readArchiveTree(QFile::encodeName(image), nullptr, byArchive, error), ArchiveOutcome::Read);
    ImageTree byRockRidge;
    QFile file(image);
    QVERIFY(file.open(QIODevice::ReadOnly));
    error = readRockRidgeTree(file, byRockRidge);
    QVERIFY2(!error, qPrintable(error.numberAndDescription()));
    const QStringList fromArchive = describe(byArchive);
    QVERIFY(fromArchive.size() >= 3);
    QCOMPARE(describe(byRockRidge), fromArchive);
}

void TestDiscImage::unreadableRockRidge_data()
{
    QTest::addColumn<bool>("joliet");
    QTest::addColumn<QString>("childLink"); // "beyond" the image or "root"
    QTest::addColumn<QStringList>("listing"); // empty: the folder's own
    const QStringList isoNames{"\\H\\I\\FILE.TXT", "\\A\\B\\C\\D\\E\\F\\G\\H"};
    QTest::newRow("child link beyond the image, Joliet names") << true << "beyond" << QStringList();
    QTest::newRow("child link to the root, Joliet names") << true << "root" << QStringList();
    // Without Joliet only the ISO 9660 names and places are left.
    QTest::newRow("child link beyond the image, ISO 9660 names") << false << "beyond" << isoNames;
}

// An image whose Rock Ridge entries cannot be read is listed by its Joliet
// or ISO 9660 names rather than refused.
void TestDiscImage::unreadableRockRidge()
{
    QFETCH(bool, joliet);
    QFETCH(QString, childLink);
    QFETCH(QStringList, listing);
    QTemporaryDir dir;
    const QString tree = dir.filePath("r");
    writeFile(tree, "a/b/c/d/e/f/g/h/i/file.txt", "x");
    const QString image = dir.filePath("r.iso");
    QVERIFY(runXorriso(fill(kRelocating + QStringList{"-joliet", joliet ? "on" : "off"}, image, tree)));
    const QByteArray primary = readFile(image).mid(16 * 2048, 2048);
    const quint32 rootBlock = qFromLittleEndian<quint32>(primary.constData() + 156 + 2);
    QVERIFY(redirectChildLink(image, childLink == QLatin1String("root") ? rootBlock : 0x7fffffffu));

    if (listing.isEmpty()) {
        listing = walkFolderLines(tree);
    }
    RuntimeError error;
    QCOMPARE(walkImage(image, &error), listing);
    QVERIFY2(!error, qPrintable(error.numberAndDescription()));
}

QTEST_GUILESS_MAIN(TestDiscImage)
#include "tst_core_image.moc"
