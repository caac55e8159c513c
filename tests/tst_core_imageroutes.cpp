// An image's folders read straight from its directory records are the ones
// the archive route (libarchive, checked against the image's own tree)
// gives: same folders, names, order and failures, for well-made images and
// for damaged ones alike.

#include "TestSupport.h"
#include "scan/ImageFolders.h"
#include "scan/PlainImageTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// What a route read, every folder listed (those of an image listed folder
// by folder as well).
QStringList describe(ImageFolders read, const RuntimeError &error)
{
    if (read.plain)
        read.folders = read.plain->listAll();
    QStringList lines{QStringLiteral("error %1 %2").arg(error.number()).arg(error.description()),
                      // The reason counts only where a folder is damaged.
                      "damaged " + QString::fromUtf8(read.damagedPath) + ' '
                          + (read.damagedPath.isEmpty() ? QString() : read.damagedError.description())};
    QStringList folders;
    for (auto it = read.folders.cbegin(); it != read.folders.cend(); ++it) {
        QStringList names;
        for (const auto *entries : {&it->subdirectories, &it->files}) {
            for (const DirectoryEntry &e : *entries)
                names << QString::fromUtf8(e.nativeName.toHex()) + '=' + QString::fromUtf8(e.displayName);
            names << "|";
        }
        folders << QString::fromUtf8(it.key()) + ": " + names.join(' ');
    }
    folders.sort();
    return lines + folders;
}

QByteArray utf16(const QByteArray &ascii)
{
    QByteArray bytes;
    for (char c : ascii)
        bytes.append('\0').append(c);
    return bytes;
}

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// The trees the images are made of.
void makeTree(const QString &kind, const QString &root)
{
    if (kind == "fixture" || kind == "links") {
        QVERIFY(copyTree(fixtureDisc(), root));
        if (kind == "links") {
            makeLink(root, "to-file", "README.TXT");
            makeLink(root, "nowhere", "missing");
        }
    } else if (kind == "names") {
        for (const QString &name : {QStringLiteral("Фотографии/отпуск, море.jpg"),
                                    QStringLiteral("写真/東京 \"夜\".png"),
                                    QStringLiteral("a,b/it's \"quoted\", really.txt"),
                                    QStringLiteral("Mixed Case/readme"), QStringLiteral("mixed case/README")})
            touch(root + '/' + name);
    } else if (kind == "deep") {
        QString path = root;
        for (int i = 0; i < 12; ++i) {
            path += QStringLiteral("/level%1").arg(i);
            touch(path + QStringLiteral("/file%1.txt").arg(i));
        }
    } else if (kind == "many") {
        for (int i = 0; i < 3000; ++i)
            touch(root + QStringLiteral("/crowd/file_%1.dat").arg(i, 5, 10, QLatin1Char('0')));
        touch(root + "/LOOPDIR/inner/x.txt");
    }
}

// Rewrites every directory record (ISO 9660 and Joliet) named name:
// "loop" points it at the root's extent, "size" gives it a size out of
// range, "beyond" an extent past the image's end.
bool damageRecords(const QString &image, const QByteArray &name, const QString &how)
{
    QFile file(image);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const auto le32 = [&bytes](qsizetype at) {
        return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8
            | quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
    };
    const quint32 root = le32(16 * 2048 + 156 + 2);
    int changed = 0;
    for (const QByteArray &stored : {name, utf16(name)}) {
        for (qsizetype at = bytes.indexOf(stored); at >= 33; at = bytes.indexOf(stored, at + 1)) {
            const qsizetype record = at - 33;
            if (quint8(bytes[at - 1]) != stored.size() || quint8(bytes[record]) < 33 + stored.size()
                || !(quint8(bytes[record + 25]) & 0x02))
                continue;
            const qsizetype field = record + (how == "size" ? 10 : 2);
            const quint32 value = how == "loop" ? root : how == "size" ? 0x7fffffffu : 0x00ffffffu;
            for (int i = 0; i < 4; ++i) {
                bytes[field + i] = char(value >> (8 * i));
                bytes[field + 7 - i] = char(value >> (8 * i));
            }
            ++changed;
        }
    }
    file.seek(0);
    return changed > 0 && file.write(bytes) == bytes.size();
}

} // namespace

class TestImageRoutes : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static void compareRoutes(const QString &image, int plain)
    {
        ImageFolders direct, archive;
        const RuntimeError directError = readImageFolders(image, ImageRoute::Direct, direct);
        const RuntimeError archiveError = readImageFolders(image, ImageRoute::Archive, archive);
        const QStringList expected = describe(archive, archiveError);
        QCOMPARE(describe(direct, directError), expected);
        // The quick reader takes the images it should, and lists them the same.
        QFile file(image);
        QVERIFY(file.open(QIODevice::ReadOnly));
        ImageFolders quick;
        const bool read = readPlainImageTree(file, quick.folders);
        if (plain >= 0)
            QCOMPARE(read, plain == 1);
        if (read)
            QCOMPARE(describe(quick, RuntimeError()), expected);
        // The room a walk makes ahead: the files it will list, and for each
        // its folder's path, a backslash and its name.
        if (read && direct.plain && !directError) {
            ListingSize listed;
            const QHash<QByteArray, DirectoryListing> folders = direct.plain->listAll();
            for (auto it = folders.cbegin(); it != folders.cend(); ++it) {
                for (const DirectoryEntry &file : it->files) {
                    ++listed.files;
                    listed.lineBytes += it.key().size() + 1 + file.nativeName.size();
                }
            }
            QCOMPARE(direct.plain->listingSize().files, listed.files);
            QCOMPARE(direct.plain->listingSize().lineBytes, listed.lineBytes);
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!hasXorriso())
            QSKIP("xorriso is not installed");
    }

    void sameAsArchive_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("damage"); // "", "loop", "size", "beyond", "records", "contents",
                                         // "/ N" or "nul N" (byte N of a name)
        QTest::addColumn<int>("plain");      // read by the quick reader: 1, 0, or -1 either
        const QStringList both{"-R", "-J"}, joliet{"--norock", "-J"}, iso{"--norock"}, rock{"-R"};
        for (const QString &tree : QStringList{"fixture", "names", "deep", "many"}) {
            QTest::addRow("%s, Rock Ridge + Joliet", qPrintable(tree)) << tree << both << "" << 1;
            QTest::addRow("%s, Joliet only", qPrintable(tree)) << tree << joliet << "" << 1;
            QTest::addRow("%s, ISO 9660 only", qPrintable(tree)) << tree << iso << "" << 0;
        }
        QTest::newRow("names, Rock Ridge only") << "names" << rock << "" << 1;
        QTest::newRow("links, Rock Ridge + Joliet") << "links" << both << "" << 0;
        QTest::newRow("links, Joliet only") << "links" << joliet << "" << 1;
        for (const QString &how : QStringList{"loop", "size", "beyond"}) {
            QTest::addRow("folder record %s, Rock Ridge + Joliet", qPrintable(how))
                << "many" << both << how << 0;
            QTest::addRow("folder record %s, Joliet only", qPrintable(how))
                << "many" << joliet << how << 0;
        }
        // A Rock Ridge name holding a slash or a NUL, in its first eight
        // bytes or after them: the quick reader leaves such an image alone.
        for (const QString &how : QStringList{"/ 2", "/ 11", "nul 5", "nul 12"})
            QTest::addRow("name with %s, Rock Ridge + Joliet", qPrintable(how)) << "many" << both << how << 0;
        // Cut in the middle of the crowded folder's records, or after all
        // records (files' contents cut only).
        for (const QString &cut : QStringList{"records", "contents"}) {
            QTest::addRow("truncated in %s, Rock Ridge + Joliet", qPrintable(cut))
                << "many" << both << cut << int(cut == "contents");
            QTest::addRow("truncated in %s, Joliet only", qPrintable(cut))
                << "many" << joliet << cut << int(cut == "contents");
        }
    }

    void sameAsArchive()
    {
        QFETCH(QString, tree);
        QFETCH(QStringList, options);
        QFETCH(QString, damage);
        QFETCH(int, plain);
        const QString root = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        makeTree(tree, root + "/tree");
        const QString image = root + "/image.iso";
        QVERIFY(runXorriso(QStringList{"-as", "mkisofs", "-quiet"} + options
                           + QStringList{"-o", image, root + "/tree"}));
        if (damage == "records" || damage == "contents") {
            qint64 size = QFileInfo(image).size() - 2048;
            if (damage == "records") {
                QFile file(image);
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QByteArray bytes = file.readAll();
                qsizetype at = bytes.indexOf("file_01500"); // a Rock Ridge name
                if (at < 0)
                    at = bytes.indexOf(utf16("file_01500")); // a Joliet one
                size = at / 2048 * 2048;
                QVERIFY(size > 0);
            }
            QVERIFY(QFile::resize(image, size));
        }
        else if (damage.startsWith('/') || damage.startsWith("nul")) {
            QFile file(image);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll();
            const qsizetype at = bytes.indexOf("file_01500.dat"); // its Rock Ridge name
            QVERIFY(at > 0);
            bytes[at + damage.section(' ', 1).toInt()] = damage.startsWith('/') ? '/' : '\0';
            QVERIFY(file.seek(0) && file.write(bytes) == bytes.size());
        } else if (!damage.isEmpty())
            QVERIFY(damageRecords(image, "LOOPDIR", damage));
        compareRoutes(image, plain);
    }

    // The images Debian ships, where installed (scripts/install-deps
    // installs grub-rescue-pc and ipxe for the tests).
    void debianImages_data()
    {
        QTest::addColumn<QString>("image");
        for (const char *path : {"/usr/lib/grub-rescue/grub-rescue-cdrom.iso", "/usr/lib/ipxe/ipxe.iso"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }

    void debianImages()
    {
        QFETCH(QString, image);
        if (!QFile::exists(image))
            QSKIP("the image is not installed");
        compareRoutes(image, -1);
    }
};

QTEST_GUILESS_MAIN(TestImageRoutes)
#include "tst_core_imageroutes.moc"
