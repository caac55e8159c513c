// Appending to a catalog that another program replaces while the append
// waits for its lock. Linux shows which files a process holds open under
// /proc/self/fd, so the test can wait until the append really holds the old
// file before replacing it.

#include "TestSupport.h"
#include "TestSupport_posix.h"
#include "catalog/CatalogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <future>
#include <memory>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// How many of this process's descriptors are open on the file at path.
int descriptorsOpenOn(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    int count = 0;
    for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (QFile::symLinkTarget(fds.filePath(fd)) == target)
            ++count;
    return count;
}

} // namespace

class TestCatalogFileLinux : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    // An append that waited while another program replaced the catalog lands
    // in the new catalog, not in the file that was replaced.
    void waitingAppendFollowsAReplacement()
    {
        const QString file = path("replaced.cdc");
        writeFile(m_dir.path(), "replaced.cdc", kWorkedExample);
        auto held = std::make_unique<HeldLock>(file);
        QVERIFY(held->isHeld());
        QCOMPARE(descriptorsOpenOn(file), 1);
        auto waiting = std::async(std::launch::async, [file] {
            return appendCatalog(file, u"Late", toStore({"\\L"}), std::chrono::seconds(60));
        });
        // The append has opened the old file beside the held lock and now
        // waits for that lock: only then is the file replaced under it.
        QTRY_VERIFY_WITH_TIMEOUT(descriptorsOpenOn(file) == 2, 30000);
        writeFile(m_dir.path(), "replacement.tmp", "\"New\"\r\n");
        // Replaced as editors and QSaveFile do: a new file renamed over it
        // (QFile::rename would refuse an existing target).
        QVERIFY(::rename(QFile::encodeName(path("replacement.tmp")).constData(),
                         QFile::encodeName(file).constData()) == 0);
        held.reset();
        QVERIFY(!waiting.get());
        QCOMPARE(readFile(file), QByteArray("\"New\"\r\n\"Late - \\L\"\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogFileLinux)
#include "tst_core_catalogfile_linux.moc"
