#include "ReaderSuite.h"

#include "scan/DiscImageReader.h"
#include "scan/DiscWalker.h"

#include <QDir>
#include <QFile>

namespace kobrix::test {

// The walk of the fixture disc: root files, then each level in the order
// of the folders above it; names in case-insensitive order, exact name as
// tie-break; hidden entries and what lies below hidden folders left out.
QStringList fixtureListing()
{
    return {
        "\\autorun.inf", "\\README.TXT", "\\setup.exe",
        // One level down.
        "\\a level1\\b.txt", "\\A.B.C\\x.dat",
        "\\Long Folder Name With Spaces\\Mixed Case File.Txt", "\\MY DOCUMENTS\\Letter.doc",
        QString::fromUtf8("\\Müsik\\Ärger.mp3"), QString::fromUtf8("\\Müsik\\éclair.txt"),
        // ASCII names sharing eight leading letters and more.
        "\\Sorting\\abcdefgh.txt", "\\Sorting\\ABCDEFGHa.txt", "\\Sorting\\abcdefghA.txt",
        "\\Sorting\\abcdefghB.txt", "\\Sorting\\ABCDEFGHIJKLMNOPx.txt",
        "\\Sorting\\abcdefghijklmnopY.txt", "\\Sorting\\abcdefghijklmnopZ.txt",
        "\\Sorting\\Shared prefix of a long name 1.txt",
        "\\Sorting\\shared prefix of a long name 10.txt",
        "\\Sorting\\shared prefix of a long name 2.txt",
        "\\z level1\\top.txt",
        QString::fromUtf8("\\Диск\\ёжик.txt"), QString::fromUtf8("\\Диск\\Ёлка.mp3"),
        QString::fromUtf8("\\日本語\\データ.bin"), QString::fromUtf8("\\日本語\\ドラゴン.txt"),
        // Two levels down.
        "\\SETUP.FILES\\DISK1\\DATA.CAB", "\\Sorting\\subfolderA\\a.txt",
        "\\Sorting\\SubfolderAA\\aa.txt", "\\Sorting\\subfolderB\\b.txt",
        "\\z level1\\deep\\mid.txt",
        // Three levels down.
        "\\z level1\\deep\\deeper\\bottom.txt",
    };
}

QStringList fixtureDirectories(ReaderKind kind)
{
    QStringList directories{"/a level1", "/A.B.C", "/empty", "/Long Folder Name With Spaces", "/MY DOCUMENTS",
            QString::fromUtf8("/Müsik"), "/SETUP.FILES", "/Sorting", "/z level1",
            QString::fromUtf8("/Диск"), QString::fromUtf8("/日本語"),
            "/a level1/only dirs", "/SETUP.FILES/DISK1", "/Sorting/subfolderA",
            "/Sorting/SubfolderAA", "/Sorting/subfolderB", "/z level1/deep",
            "/a level1/only dirs/none", "/z level1/deep/deeper"};
    // The folders of an image are the image's own paths, with slashes
    // everywhere; the file system reader gives the system's paths.
    if (kind == ReaderKind::Folder) {
        for (QString &directory : directories)
            directory = QDir::toNativeSeparators(directory);
    }
    return directories;
}

bool keepsLinks(ReaderKind kind) { return kind != ReaderKind::ImageJoliet; }

void addReaderRows()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("folder") << int(ReaderKind::Folder);
    if (!hasXorriso())
        return; // the image rows need xorriso to make their images
    QTest::newRow("image, Rock Ridge") << int(ReaderKind::ImageRockRidge);
    QTest::newRow("image, Rock Ridge and Joliet") << int(ReaderKind::ImageBoth);
    QTest::newRow("image, Joliet") << int(ReaderKind::ImageJoliet);
    QTest::newRow("image in a drive") << int(ReaderKind::Drive);
}

ReaderUnderTest makeReader(ReaderKind kind, const QString &folder, const QString &workDir)
{
    ReaderUnderTest under;
    if (kind == ReaderKind::Folder) {
        under.root = folder;
        under.openError = makeReaderFor(folder, under.reader);
        return under;
    }
    QStringList options{QStringLiteral("-as"), QStringLiteral("mkisofs"), QStringLiteral("-quiet")};
    if (kind != ReaderKind::ImageJoliet)
        options << QStringLiteral("-R");
    if (kind == ReaderKind::ImageBoth || kind == ReaderKind::ImageJoliet)
        options << QStringLiteral("-J") << QStringLiteral("-joliet-long");
    under.root = workDir + QStringLiteral("/disc.iso");
    QFile::remove(under.root);
    if (!runXorriso(options + QStringList{QStringLiteral("-o"), under.root, folder})) {
        under.openError = RuntimeError(DeviceIoError, QStringLiteral("xorriso failed"));
        return under;
    }
    if (kind == ReaderKind::Drive) {
        auto drive = std::make_unique<DiscImageReader>();
        drive->openOnFirstRead(under.root);
        under.reader = std::move(drive);
        return under;
    }
    under.openError = makeReaderFor(under.root, under.reader);
    return under;
}

Walk walkWith(ReaderUnderTest &under)
{
    Walk walk;
    if (under.openError) {
        walk.error = under.openError;
        return walk;
    }
    LineStore directories;
    LineStore listing;
    DiscWalker walker(*under.reader, under.root, directories, listing);
    walk.error = walker.run();
    walk.failedPath = walker.failedPath();
    walk.listing = toStringList(listing);
    QString prefix = QFile::decodeName(under.reader->rootPath(under.root));
    if (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    for (const QString &dir : toStringList(directories))
        walk.directories << (dir.startsWith(prefix) ? dir.mid(prefix.size()) : dir);
    return walk;
}

} // namespace kobrix::test
