// The main window's session without the window: after a complete scan the
// disc is looked for in the catalog file in use and named when it is the
// same disc; an update prepared and applied replaces the disc's records and
// is done with the disc. (The notice and the dialogs: tst_ui_discupdate.)

#include "TestSupport.h"
#include "session/MainSession.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

const QStringList kDisc{"\\A.TXT", "\\B.TXT", "\\D\\C.DAT", "\\D\\E.DAT"};

// Records of a disc under a name, as the writers make them.
QByteArray block(const QString &disc, const QStringList &lines = kDisc)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += '"' + (disc + QStringLiteral(" - ") + line).toUtf8() + "\"\r\n";
    return bytes;
}

} // namespace

class TestMainSession : public QObject
{
    Q_OBJECT

    QTemporaryDir m_disc;

    // Scans the disc in a session started in a new catalog named path.
    static void scan(MainSession &session, const QString &root)
    {
        FolderReader reader;
        QCOMPARE(int(session.scan(reader, root).end), int(MainSession::ScanEnd::Complete));
        QCOMPARE(session.catalog().lines().count(), kDisc.size());
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const QString &file : kDisc)
            writeFile(m_disc.path(), file.mid(1).replace(QLatin1Char('\\'), QLatin1Char('/')), "x");
    }

    // Which catalogs name the scanned disc: "disc shared of files", or none.
    void recognitionAfterScan_data()
    {
        QTest::addColumn<QString>("catalog"); // what the catalog holds
        QTest::addColumn<QString>("named");
        QTest::newRow("the disc, as it is") << "same" << "Games 1 4 of 4";
        QTest::newRow("the disc among others") << "among" << "Games 1 4 of 4";
        QTest::newRow("the disc with a file more: 4 of its 5") << "more" << QString();
        QTest::newRow("the disc with half its files") << "half" << QString();
        QTest::newRow("other discs only") << "other" << QString();
        QTest::newRow("a name typed, no file") << "typed" << QString();
        QTest::newRow("no catalog file any more") << "gone" << QString();
    }
    void recognitionAfterScan()
    {
        QFETCH(QString, catalog);
        QFETCH(QString, named);
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("Music.cdc"));
        const QByteArray other = block("Other", {"\\X", "\\Y"});
        const QHash<QString, QByteArray> contents{
            {"same", block("Games 1")},
            {"among", other + block("Games 1") + other},
            {"more", other + block("Games 1", kDisc + QStringList{"\\NEW"})},
            {"half", block("Games 1", kDisc.mid(0, 2))}};
        writeFile(out.path(), "Music.cdc", contents.value(catalog, other));
        MainSession session(WorkMode::NewCatalog);
        session.catalog().setPath(catalog == QLatin1String("typed") ? QStringLiteral("Music") : path);
        if (catalog == QLatin1String("gone"))
            QFile::remove(path);
        QSignalSpy recognised(&session, &MainSession::discRecognised);

        scan(session, m_disc.path());
        QCOMPARE(session.isRecognising(), !session.recognitionCatalog().isEmpty());
        QTRY_VERIFY(!session.isRecognising());
        QStringList said;
        for (const QList<QVariant> &args : std::as_const(recognised))
            said << QStringLiteral("%1 %2 of %3").arg(args[0].toString()).arg(args[2].toLongLong()).arg(args[3].toLongLong());
        QCOMPARE(said, named.isEmpty() ? QStringList() : QStringList{named});
        QCOMPARE(session.recognisedDisc(), named.section(QLatin1Char(' '), 0, 1));
        QCOMPARE(session.recognisedCatalog(), named.isEmpty() ? QString() : path);

        // The lines are gone: so is what was recognised of them.
        session.clearScanLists();
        QVERIFY(session.recognisedCatalog().isEmpty());
    }

    // A scan that did not complete names no disc: its lines are not all of
    // the disc's, so the catalog is not searched for it.
    void noRecognitionAfterFailedScan()
    {
        QTemporaryDir out;
        writeFile(out.path(), "Music.cdc", block("Games 1"));
        MainSession session(WorkMode::NewCatalog);
        session.catalog().setPath(out.filePath(QStringLiteral("Music.cdc")));
        struct FailingBelowRoot : FolderReader
        {
            RuntimeError read(const QByteArray &path, bool isRoot, DirectoryListing &listing) override
            {
                return isRoot ? FolderReader::read(path, isRoot, listing) : RuntimeError(PermissionDenied);
            }
        } reader;
        QCOMPARE(int(session.scan(reader, m_disc.path()).end), int(MainSession::ScanEnd::Failed));
        QVERIFY(session.catalog().lines().count() > 0);
        QVERIFY(!session.isRecognising());
    }

    // An update replaces the disc's records; the session is done with the
    // disc as after an add. A disc the catalog does not hold changes nothing.
    void update_data()
    {
        QTest::addColumn<QString>("disc");
        QTest::addColumn<bool>("applied");
        QTest::newRow("the disc") << "Games 1" << true;
        QTest::newRow("unknown disc") << "Games 9" << false;
    }
    void update()
    {
        QFETCH(QString, disc);
        QFETCH(bool, applied);
        QTemporaryDir out;
        const QByteArray before = block("Games 1", kDisc.mid(1)) + block("Other", {"\\X"});
        writeFile(out.path(), "Music.cdc", before);
        const QString path = out.filePath(QStringLiteral("Music.cdc"));
        MainSession session(WorkMode::AddDisc);
        session.start();
        session.nextDisc();
        scan(session, m_disc.path());
        const MainControls scanned = session.controls();

        const MainSession::UpdateProblem problem = session.prepareUpdate(path, disc);
        QCOMPARE(bool(problem), !applied);
        QCOMPARE(session.pendingUpdate() != nullptr, applied);
        if (!applied) {
            QCOMPARE(problem.problem, DiscUpdate::Problem::UnknownDisc);
            QVERIFY(problem.text.contains(disc));
        }
        MainSession::UpdateProblem applying;
        const std::unique_ptr<DiscUpdate> done = session.applyUpdate(applying);
        QCOMPARE(done != nullptr, applied);
        QVERIFY(!applying);
        QCOMPARE(readFile(path), applied ? block("Games 1") + block("Other", {"\\X"}) : before);
        QCOMPARE(session.knownCatalogFile(), applied ? path : QString());
        QCOMPARE(session.controls() == scanned, !applied);
        QCOMPARE(session.controls().write.enabled, !applied);
    }
};

QTEST_GUILESS_MAIN(TestMainSession)
#include "tst_session_mainsession.moc"
