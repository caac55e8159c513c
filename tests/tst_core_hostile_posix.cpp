// Hostile catalogs that only a POSIX system can set up: memory running out
// in the middle of a load, a FIFO and a device in the catalog's place. Each
// fails with a clear error; nothing crashes or hangs.

#include "TestSupport.h"
#include "catalog/CatalogFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kobrix;
using namespace kobrix::test;

class TestHostilePosix : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    // Memory running out during a load is error 7; the lines read before it
    // stay usable. Run in a child whose address space is capped.
    void outOfMemoryIsReported()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer needs an uncapped address space");
#endif
        const QString file = path("huge.cdc");
        {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            QByteArray block;
            for (int i = 0; i < 20000; ++i)
                block += "\"Disc - \\SOME\\FOLDER\\FILE" + QByteArray::number(i) + ".DAT\"\r\n";
            while (out.size() < (qint64(400) << 20))
                QVERIFY(out.write(block) == block.size());
        }
        const pid_t child = ::fork();
        if (child == 0) {
            rlimit cap{};
            cap.rlim_cur = cap.rlim_max = rlim_t(256) << 20; // below the file's size
            ::setrlimit(RLIMIT_AS, &cap);
            LineStore lines;
            const RuntimeError error = readCatalog(file, lines, ExistingLines::Clear);
            const bool linesIntact = lines.count() > 1000
                && lines.at(lines.count() - 1).startsWith(QStringLiteral("Disc - \\SOME\\FOLDER\\FILE"));
            ::_exit(error.number() == 7 && error.description() == QStringLiteral("Out of memory")
                            && linesIntact
                        ? 0
                        : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QFile::remove(file);
        QVERIFY2(WIFEXITED(status), "the load crashed instead of reporting error 7");
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void fifoDoesNotBlock()
    {
        const QString fifo = path("pipe.cdc");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        // In a child that an alarm ends should an open wait for the other
        // end of the pipe, which no one will ever open: a hang then fails
        // the test instead of stalling the suite.
        const pid_t child = ::fork();
        if (child == 0) {
            ::alarm(60);
            LineStore lines;
            const int read = readCatalog(fifo, lines, ExistingLines::Clear).number();
            const int written = writeCatalog(fifo, u"D", toStore({"\\A"})).number();
            ::_exit(read == 75 && written == 75 && lines.count() == 0 ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(!WIFSIGNALED(status), "reading or writing the FIFO waited for a writer or reader");
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void deviceIsNoCatalog()
    {
        LineStore lines;
        QCOMPARE(readCatalog("/dev/zero", lines, ExistingLines::Clear).number(), 75);
        QCOMPARE(lines.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestHostilePosix)
#include "tst_core_hostile_posix.moc"
