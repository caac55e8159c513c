// Drive discovery: splitting the drive list and keeping the CD-ROM drives.
// The Linux drive source has its own tests in tst_core_drives_linux.cpp.

#include "TestSupport.h"
#include "platform/DriveDiscovery.h"
#include "platform/DriveSource.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;

namespace {

// A drive list given as text, with the type of each root.
class ListedDrives : public DriveSource
{
public:
    ListedDrives(QString text, QHash<QString, int> types)
        : m_text(std::move(text)), m_types(std::move(types))
    {
    }
    QString logicalDriveStrings() override { return m_text; }
    int driveType(const QString &root) override { return m_types.value(root, 1); }

private:
    QString m_text;
    QHash<QString, int> m_types;
};

QString nul() { return QString(QChar(u'\0')); }

} // namespace

class TestCoreDrives : public QObject
{
    Q_OBJECT
private slots:
    void splitDriveList_data();
    void splitDriveList();
    void findCdDrives_data();
    void findCdDrives();
};

void TestCoreDrives::splitDriveList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("roots");
    const QString z = nul();
    QTest::newRow("none") << QString() << QStringList();
    QTest::newRow("one") << (QStringLiteral("C:\\") + z) << QStringList{QStringLiteral("C:\\")};
    QTest::newRow("four")
        << (QStringLiteral("A:\\") + z + QStringLiteral("C:\\") + z + QStringLiteral("D:\\") + z
            + QStringLiteral("E:\\") + z)
        << QStringList{QStringLiteral("A:\\"), QStringLiteral("C:\\"), QStringLiteral("D:\\"),
                       QStringLiteral("E:\\")};
    QTest::newRow("last without its NUL")
        << (QStringLiteral("C:\\") + z + QStringLiteral("D:\\"))
        << QStringList{QStringLiteral("C:\\"), QStringLiteral("D:\\")};
    QTest::newRow("device nodes")
        << (QStringLiteral("/dev/sda") + z + QStringLiteral("/dev/sr0") + z)
        << QStringList{QStringLiteral("/dev/sda"), QStringLiteral("/dev/sr0")};
}

void TestCoreDrives::splitDriveList()
{
    QFETCH(QString, text);
    QFETCH(QStringList, roots);
    QCOMPARE(kobrix::splitDriveList(text), roots);
}

void TestCoreDrives::findCdDrives_data()
{
    QTest::addColumn<QStringList>("roots");
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QStringList>("cdDrives");
    const QStringList acde{QStringLiteral("A:\\"), QStringLiteral("C:\\"), QStringLiteral("D:\\"),
                           QStringLiteral("E:\\")};
    QTest::newRow("D and E are CD-ROM drives")
        << acde << QList<int>{2, 3, 5, 5}
        << QStringList{QStringLiteral("D:\\"), QStringLiteral("E:\\")};
    QTest::newRow("no CD-ROM drive") << acde << QList<int>{2, 3, 3, 3} << QStringList();
    QTest::newRow("network, RAM disk, removable, unknown")
        << acde << QList<int>{4, 6, 2, 0} << QStringList();
    QTest::newRow("lower-case root kept as reported")
        << QStringList{QStringLiteral("c:\\"), QStringLiteral("d:\\")} << QList<int>{3, 5}
        << QStringList{QStringLiteral("d:\\")};
}

void TestCoreDrives::findCdDrives()
{
    QFETCH(QStringList, roots);
    QFETCH(QList<int>, types);
    QFETCH(QStringList, cdDrives);
    QString text;
    QHash<QString, int> typeOf;
    for (qsizetype i = 0; i < roots.size(); ++i) {
        text += roots.at(i) + nul();
        typeOf.insert(roots.at(i), types.at(i));
    }
    ListedDrives drives(text, typeOf);
    QCOMPARE(kobrix::findCdDrives(drives), cdDrives);
}

QTEST_GUILESS_MAIN(TestCoreDrives)
#include "tst_core_drives.moc"
