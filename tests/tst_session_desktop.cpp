// What the main window takes from the desktop without a window: the list of
// recent catalogs (order, limit, one entry per file however named, kept in
// the settings) and what a drop on the window stands for.

#include "session/CatalogDrop.h"
#include "session/RecentCatalogs.h"

#include "TestSupport.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

class TestSessionDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Catalogs a.cdc ... j.cdc exist in a folder; each step adds one by the
    // name given (relative names through "sub/..", or a link "link.cdc" to
    // a.cdc); the list is what the settings hold afterwards, most recent
    // first, read back through a second settings object on the same file.
    void recentList_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("most recent first")
            << QStringList{"a", "b", "c"} << QStringList{"c", "b", "a"};
        QTest::newRow("again: moves to the top, once")
            << QStringList{"a", "b", "c", "a"} << QStringList{"a", "c", "b"};
        QTest::newRow("the same file through ..")
            << QStringList{"a", "b", "sub/../a"} << QStringList{"a", "b"};
        QTest::newRow("the same file through a link")
            << QStringList{"a", "b", "link"} << QStringList{"link", "b"};
        QTest::newRow("eight kept, the oldest go")
            << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}
            << QStringList{"j", "i", "h", "g", "f", "e", "d", "c"};
        QTest::newRow("a missing file is kept")
            << QStringList{"a", "gone", "b"} << QStringList{"b", "gone", "a"};
    }
    void recentList()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        for (const char *name : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"})
            writeFile(dir.path(), QLatin1String(name) + QStringLiteral(".cdc"), "\"x - \\y\"\r\n");
        makeDir(dir.path(), QStringLiteral("sub"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("a.cdc")),
                            dir.filePath(QStringLiteral("link.cdc"))));
        const QString ini = dir.filePath(QStringLiteral("settings.ini"));
        {
            QSettings settings(ini, QSettings::IniFormat);
            RecentCatalogs recent(&settings);
            for (const QString &name : added)
                recent.add(dir.filePath(name + QStringLiteral(".cdc")));
        }
        QSettings again(ini, QSettings::IniFormat);
        QStringList names;
        for (const QString &path : RecentCatalogs(&again).paths()) {
            QVERIFY2(QDir::isAbsolutePath(path), qPrintable(path));
            names << QDir(dir.path()).relativeFilePath(path).chopped(4);
        }
        QCOMPARE(names, expected);
    }

    // What a drop means, by what is dropped and which commands are on
    // ("load", "folder", "image").
    void dropDecision_data()
    {
        QTest::addColumn<QStringList>("dropped"); // names in a folder; "http:" an address
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("path"); // the name run on; empty when refused
        const QStringList all{"load", "folder", "image"};
        const int none = int(DropCommand::None);
        QTest::newRow("catalog") << QStringList{"music.cdc"} << all << int(DropCommand::Load)
                                 << "music.cdc";
        QTest::newRow("catalog, capitals")
            << QStringList{"OLD.CDC"} << all << int(DropCommand::Load) << "OLD.CDC";
        QTest::newRow("catalog, Load off")
            << QStringList{"music.cdc"} << QStringList{"folder", "image"} << none << "";
        QTest::newRow("folder") << QStringList{"disc"} << all << int(DropCommand::ScanFolder)
                                << "disc";
        QTest::newRow("folder named like a catalog")
            << QStringList{"odd.cdc.d"} << all << int(DropCommand::ScanFolder) << "odd.cdc.d";
        QTest::newRow("folder, scans off")
            << QStringList{"disc"} << QStringList{"load"} << none << "";
        QTest::newRow("image") << QStringList{"backup.iso"} << all << int(DropCommand::ScanImage)
                               << "backup.iso";
        QTest::newRow("image, scans off")
            << QStringList{"backup.iso"} << QStringList{"load"} << none << "";
        QTest::newRow("other file") << QStringList{"notes.txt"} << all << none << "";
        QTest::newRow("missing catalog") << QStringList{"gone.cdc"} << all << none << "";
        QTest::newRow("two catalogs") << QStringList{"music.cdc", "OLD.CDC"} << all << none << "";
        QTest::newRow("an address") << QStringList{"http:"} << all << none << "";
        QTest::newRow("nothing") << QStringList{} << all << none << "";
    }
    void dropDecision()
    {
        QFETCH(QStringList, dropped);
        QFETCH(QStringList, offered);
        QFETCH(int, command);
        QFETCH(QString, path);
        QTemporaryDir dir;
        writeFile(dir.path(), QStringLiteral("music.cdc"), "\"x - \\y\"\r\n");
        writeFile(dir.path(), QStringLiteral("OLD.CDC"), "\"x - \\y\"\r\n");
        writeFile(dir.path(), QStringLiteral("backup.iso"), "iso");
        writeFile(dir.path(), QStringLiteral("notes.txt"), "text");
        makeDir(dir.path(), QStringLiteral("disc"));
        makeDir(dir.path(), QStringLiteral("odd.cdc.d"));
        QList<QUrl> urls;
        for (const QString &name : dropped)
            urls << (name == u"http:" ? QUrl(QStringLiteral("http://example.org/music.cdc"))
                                      : QUrl::fromLocalFile(dir.filePath(name)));
        const DropCommands commands{offered.contains(u"load"), offered.contains(u"folder"),
                                    offered.contains(u"image")};
        const DropTarget target = dropTarget(urls, commands);
        QCOMPARE(int(target.command), command);
        QCOMPARE(target.path, path.isEmpty() ? QString() : dir.filePath(path));
    }
};

QTEST_GUILESS_MAIN(TestSessionDesktop)
#include "tst_session_desktop.moc"
