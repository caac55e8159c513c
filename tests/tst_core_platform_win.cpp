// The program's Windows files on a Windows system (or under Wine): the drive
// source, the walk's folder reader and the catalog's file calls, each
// through the Windows layer, with the error numbers of real failures; and
// disc images, whose names libarchive gives in the system's code page there;
// the walk's folders in UTF-8, not in that code page.
// Built only for Windows.

#include "ReaderSuite.h"
#include "TestSupport.h"

#include "catalog/CatalogFile.h"
#include "catalog/CatalogSave.h"
#include "platform/DriveDiscovery.h"
#include "platform/WindowsDriveSource.h"
#include "scan/DiscImageReader.h"
#include "scan/FileSystemReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

using namespace kobrix;

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A drive letter with nothing behind it ("Q:\"), or empty when every letter
// is taken.
QString unusedDriveRoot()
{
    const QStringList roots = splitDriveList(WindowsDriveSource().logicalDriveStrings());
    for (char letter = 'Y'; letter >= 'H'; --letter) {
        const QString root = QChar(letter) + QStringLiteral(":\\");
        if (!roots.contains(root, Qt::CaseInsensitive))
            return root;
    }
    return QString();
}

QStringList names(const std::vector<DirectoryEntry> &entries)
{
    QStringList out;
    for (const DirectoryEntry &e : entries)
        out << QString::fromUtf8(e.displayName);
    return out;
}

bool setAttributes(const QString &path, DWORD attributes)
{
    return SetFileAttributesW(QDir::toNativeSeparators(path).toStdWString().c_str(), attributes);
}

} // namespace

class TestPlatformWin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drives()
    {
        WindowsDriveSource source;
        const QStringList roots = splitDriveList(source.logicalDriveStrings());
        QVERIFY(!roots.isEmpty());
        for (const QString &root : roots)
            QVERIFY2(root.size() == 3 && root.endsWith(QStringLiteral(":\\")), qPrintable(root));
        QVERIFY(roots.contains(QStringLiteral("C:\\")));
        QCOMPARE(source.driveType(QStringLiteral("C:\\")), 3); // a fixed disk
        QCOMPARE(source.driveType(unusedDriveRoot()), 1);      // no such root
        // Under Wine the test run maps a CD-ROM drive and names it here.
        const QString cdRom = qEnvironmentVariable("KOBRIX_TEST_CDROM");
        if (cdRom.isEmpty())
            QSKIP("KOBRIX_TEST_CDROM names no CD-ROM drive");
        QVERIFY(findCdDrives(source).contains(cdRom));
        QCOMPARE(source.driveType(cdRom), kDriveTypeCdRom);
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("isRoot");
        QTest::addColumn<int>("expected");
        QTest::newRow("a drive letter with nothing behind it") << QString() << true << 68;
        QTest::newRow("a missing folder below the root") << "missing" << false << 76;
        QTest::newRow("a missing folder as the root") << "missing" << true << 68;
        QTest::newRow("a file below the root") << "file.txt" << false << 76;
        QTest::newRow("an empty folder") << "empty" << false << 0;
    }
    void readFailures()
    {
        QFETCH(QString, relative);
        QFETCH(bool, isRoot);
        QFETCH(int, expected);
        QTemporaryDir work;
        QVERIFY(writeBytes(work.filePath("file.txt"), "x"));
        QVERIFY(QDir(work.path()).mkdir("empty"));
        FileSystemReader reader;
        const QString root = relative.isEmpty() ? unusedDriveRoot() : work.filePath(relative);
        QVERIFY(!root.isEmpty());
        DirectoryListing listing;
        const RuntimeError error = reader.read(reader.rootPath(root), isRoot, listing);
        QCOMPARE(error.number(), expected);
        QVERIFY(listing.files.empty() && listing.subdirectories.empty());
    }

    // Hidden and system entries are left out, names arrive as UTF-8, and
    // the order is the Linux reader's.
    void listing()
    {
        QTemporaryDir work;
        for (const char *name : {"b.txt", "A.txt", "hidden.txt", "system.sys", "Été.txt", "日本語.txt"})
            QVERIFY(writeBytes(work.filePath(QString::fromUtf8(name)), "x"));
        for (const char *name : {"Zeta", "alpha", "Hidden Folder"})
            QVERIFY(QDir(work.path()).mkdir(QString::fromUtf8(name)));
        QVERIFY(setAttributes(work.filePath("hidden.txt"), FILE_ATTRIBUTE_HIDDEN));
        QVERIFY(setAttributes(work.filePath("system.sys"), FILE_ATTRIBUTE_SYSTEM));
        QVERIFY(setAttributes(work.filePath("Hidden Folder"),
                              FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY));
        FileSystemReader reader;
        DirectoryListing listing;
        const RuntimeError error = reader.read(reader.rootPath(work.path()), true, listing);
        QVERIFY2(!error, qPrintable(error.numberAndDescription()));
        QCOMPARE(names(listing.subdirectories), QStringList({"alpha", "Zeta"}));
        QCOMPARE(names(listing.files),
                 QStringList({"A.txt", "b.txt", QString::fromUtf8("Été.txt"),
                              QString::fromUtf8("日本語.txt")}));
        for (const DirectoryEntry &e : listing.files)
            QCOMPARE(e.nativeName, e.displayName);
    }

    // Images of the fixture disc, made with xorriso by the test run (Windows
    // has none), list what the folder lists: accented, Cyrillic and
    // Japanese names arrive as they are, not encoded twice.
    void imagesListLikeTheFolder_data()
    {
        QTest::addColumn<QString>("image");
        QTest::newRow("Rock Ridge") << "rockridge.iso";
        QTest::newRow("Joliet") << "joliet.iso";
        QTest::newRow("Rock Ridge and Joliet") << "both.iso";
    }
    void imagesListLikeTheFolder()
    {
        QFETCH(QString, image);
        const QString images = qEnvironmentVariable("KOBRIX_TEST_IMAGES");
        if (images.isEmpty())
            QSKIP("KOBRIX_TEST_IMAGES names no folder of images of the fixture disc");
        RuntimeError error;
        const QStringList expected = test::walkFolderLines(test::fixtureDisc(), &error);
        QVERIFY2(!error, qPrintable(error.numberAndDescription()));
        QVERIFY(expected.contains(QString::fromUtf8("\\Диск\\Ёлка.mp3")));
        std::unique_ptr<DirectoryReader> reader;
        const QString path = images + QLatin1Char('/') + image;
        error = makeReaderFor(path, reader);
        QVERIFY2(!error, qPrintable(error.numberAndDescription()));
        QCOMPARE(test::walkLines(*reader, path, &error), expected);
        QVERIFY2(!error, qPrintable(error.numberAndDescription()));
        // Its folders as the image names them, in UTF-8 as well.
        test::ReaderUnderTest under{std::move(reader), path, RuntimeError()};
        QCOMPARE(test::walkWith(under).directories,
                 test::fixtureDirectories(test::ReaderKind::ImageRockRidge));
    }

    void catalogOpenFailures_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("heldWithoutSharing");
        QTest::addColumn<int>("expected");
        QTest::newRow("a missing file") << "missing.cdc" << false << 53;
        QTest::newRow("a missing folder") << "missing/x.cdc" << false << 76;
        QTest::newRow("a folder") << "folder" << false << 75;
        QTest::newRow("a file another program holds") << "held.cdc" << true << 55;
        QTest::newRow("a catalog") << "held.cdc" << false << 0;
    }
    void catalogOpenFailures()
    {
        QFETCH(QString, relative);
        QFETCH(bool, heldWithoutSharing);
        QFETCH(int, expected);
        QTemporaryDir work;
        QVERIFY(QDir(work.path()).mkdir("folder"));
        QVERIFY(writeBytes(work.filePath("held.cdc"), "\"A - \\x\"\r\n"));
        const QString path = work.filePath(relative);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (heldWithoutSharing) {
            held = CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), GENERIC_READ,
                               0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            QVERIFY(held != INVALID_HANDLE_VALUE);
        }
        CatalogReader reader;
        const RuntimeError error = reader.open(path);
        reader.close();
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        QCOMPARE(error.number(), expected);
    }

    // A write over an existing catalog: Windows gives a file another's name
    // only while no handle to the old one is open, the save's own lock
    // included. Another program holding the catalog open makes the write
    // fail with 55 and leaves the catalog and its folder as they were.
    void writeOverACatalog_data()
    {
        QTest::addColumn<int>("heldSharing"); // -1: not held by another program
        QTest::addColumn<bool>("edit");
        QTest::addColumn<int>("expected");
        const int everything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        QTest::newRow("held by nobody else") << -1 << false << 0;
        QTest::newRow("an edit, held by nobody else") << -1 << true << 0;
        QTest::newRow("read by a program sharing everything") << everything << false << 55;
        QTest::newRow("read by a program sharing reads and writes")
            << int(FILE_SHARE_READ | FILE_SHARE_WRITE) << false << 55;
        QTest::newRow("an edit, read by another program") << everything << true << 55;
    }
    void writeOverACatalog()
    {
        QFETCH(int, heldSharing);
        QFETCH(bool, edit);
        QFETCH(int, expected);
        QTemporaryDir work;
        const QString path = work.filePath("cat.cdc");
        QVERIFY(writeBytes(path, test::kWorkedExample));
        const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
        HANDLE held = INVALID_HANDLE_VALUE;
        if (heldSharing >= 0) {
            held = CreateFileW(native.c_str(), GENERIC_READ, DWORD(heldSharing), nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            QVERIFY(held != INVALID_HANDLE_VALUE);
        }
        const QByteArray block("\"D - \\A\"\r\n");
        const RuntimeError error = edit
            ? editCatalog(path,
                          [&](QIODevice &old, QIODevice &out) {
                              const QByteArray bytes = old.readAll();
                              return out.write(bytes + block) == bytes.size() + block.size()
                                  ? RuntimeError()
                                  : RuntimeError(DeviceIoError);
                          })
            : writeCatalog(path, u"D", test::toStore({"\\A"}));
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        QVERIFY2(error.number() == expected, qPrintable(error.numberAndDescription()));
        const QByteArray written = edit ? test::kWorkedExample + block : block;
        QCOMPARE(test::readFile(path), expected == 0 ? written : test::kWorkedExample);
        QCOMPARE(QDir(work.path()).entryList(QDir::Files | QDir::Hidden | QDir::System
                                             | QDir::NoDotAndDotDot),
                 QStringList{"cat.cdc"});
    }
};

QTEST_GUILESS_MAIN(TestPlatformWin)
#include "tst_core_platform_win.moc"
