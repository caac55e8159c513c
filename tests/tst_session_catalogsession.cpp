// What the Discs window shows, without the window: a catalog file read in
// slices, catalogs added beside the one shown (and that one left alone),
// the search grouped by disc, a later search replacing an earlier one, and
// the other places of a file.

#include "SampleCatalog.h"
#include "TestSupport.h"
#include "catalog/CatalogFormat.h"
#include "core/LineStore.h"
#include "discs/Catalog.h"
#include "discs/DiscIndex.h"
#include "session/CatalogSession.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

bool waitFor(const std::function<bool()> &done)
{
    return QTest::qWaitFor(done, 10000);
}

// Two records of the disc "Half", then one too long to read (error 59).
QByteArray cutShort()
{
    return catalogBytes({QStringLiteral("Half - \\a"), QStringLiteral("Half - \\b"),
                         QStringLiteral("Half - \\") + QString(qsizetype(kMaxRecordBytes), u'x')});
}

// A session over the sample catalog in hand, also written to a folder as
// "Games.cdc".
struct Fixture
{
    Fixture()
    {
        writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
        for (const QString &line : sampleCatalog())
            catalog.lines().append(line);
        catalog.setContent(Catalog::Content::CatalogLines);
        catalog.setPath(dir.filePath(QStringLiteral("Games.cdc")));
        session.showCatalog(catalog, QStringLiteral("Games.cdc"));
        QObject::connect(&session, &CatalogSession::addFinished,
                         [this](const CatalogSession::AddReport &r) {
                             report = r;
                             ++added;
                         });
    }
    bool ready()
    {
        return waitFor([this] { return session.index() && !session.isWorking(); });
    }
    bool add(const QStringList &relative)
    {
        QStringList paths;
        for (const QString &one : relative)
            paths << dir.filePath(one);
        const int before = added;
        return session.addCatalogs(paths) && waitFor([&] {
                   return added > before && session.index() && !session.isWorking();
               });
    }
    // "disc=line,line" for each disc holding hits.
    QStringList search(const QString &text)
    {
        QSignalSpy finished(&session, &CatalogSession::searchFinished);
        session.search(text);
        if (!waitFor([&] { return !finished.isEmpty(); }))
            return {QStringLiteral("no end")};
        const CatalogSession::Hits hits = session.takeHits();
        QStringList groups;
        for (std::size_t group = 0; group < hits.discs.size(); ++group) {
            QStringList lines;
            for (const qsizetype line : hits.lines[group])
                lines << QString::number(line);
            groups << QString::number(hits.discs[group]) + u'=' + lines.join(u',');
        }
        return groups;
    }

    QTemporaryDir dir;
    Catalog catalog;
    CatalogSession session;
    CatalogSession::AddReport report;
    int added = 0;
};

} // namespace

class TestCatalogSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsCatalogFile_data();
    void readsCatalogFile();
    void addsCatalogs_data();
    void addsCatalogs();
    void addingLeavesTheGivenCatalogAlone();
    void addingRefusesMoreUntilDone();
    void searchGroupsHitsByDisc_data();
    void searchGroupsHitsByDisc();
    void laterSearchReplacesEarlier_data();
    void laterSearchReplacesEarlier();
    void otherPlaces_data();
    void otherPlaces();
    void duplicates_data();
    void duplicates();
};

// A catalog file is read in slices, a record or so each; one that cannot
// be opened is handed back, and its (no) discs are counted all the same.
void TestCatalogSession::readsCatalogFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("discs");
    QTest::addColumn<int>("error");     // on opening
    QTest::addColumn<int>("readError"); // half-way, what was read shown

    QTest::newRow("whole file") << "Games.cdc"
                                << QStringList{"Games 1=7", "Photos - 2002=4", "Games 2=3", "=1"}
                                << 0 << 0;
    QTest::newRow("missing") << "missing.cdc" << QStringList{} << 53 << 0;
    QTest::newRow("a folder") << "folder" << QStringList{} << 75 << 0;
    QTest::newRow("cut short") << "half.cdc" << QStringList{"Half=2"} << 0 << 59;
}

void TestCatalogSession::readsCatalogFile()
{
    QFETCH(QString, file);
    QFETCH(QStringList, discs);
    QFETCH(int, error);
    QFETCH(int, readError);
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("Games.cdc"), catalogBytes(sampleCatalog()));
    writeFile(dir.path(), QStringLiteral("half.cdc"), cutShort());
    makeDir(dir.path(), QStringLiteral("folder"));
    CatalogSession session;
    session.setSliceBudget(std::chrono::nanoseconds(1));
    QSignalSpy failed(&session, &CatalogSession::readFailed);
    const RuntimeError opened = session.readCatalogFile(dir.filePath(file));
    QCOMPARE(opened.number(), error);
    if (opened)
        session.countDiscs();
    QVERIFY(waitFor([&] { return session.index() != nullptr; }));
    QCOMPARE(session.catalogName(), file);
    QStringList shown;
    for (qsizetype disc = 0; disc < session.index()->count(); ++disc)
        shown << session.index()->name(disc) + u'='
                     + QString::number(session.index()->fileCount(disc));
    QCOMPARE(shown, discs);
    QCOMPARE(failed.count(), readError ? 1 : 0);
    if (readError)
        QCOMPARE(failed.front().front().value<RuntimeError>().number(), readError);
}

// The catalogs in the order read ("name@first+lines") and what the report
// says ("$D" for the folder): unreadable paths, folders without catalogs
// ("empty:"), and "nothing new".
void TestCatalogSession::addsCatalogs_data()
{
    // "file=line;line", "half=name" (cutShort()), "fifo=name", "link=name>target", "lock=name"
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("catalogs");
    QTest::addColumn<QStringList>("report");

    QTest::newRow("a second catalog")
        << QStringList{"Shelf 2.cdc=Games 1 - \\SETUP.EXE;Games 1 - \\NEW.TXT;Music - \\A.MP3"}
        << QStringList{"Shelf 2.cdc"} << QStringList{"Games.cdc@0+15", "Shelf 2.cdc@15+3"}
        << QStringList{};
    QTest::newRow("the same file twice in one choice, and by another name")
        << QStringList{"b.cdc=B - \\x"} << QStringList{"b.cdc", "b.cdc", "./b.cdc"}
        << QStringList{"Games.cdc@0+15", "b.cdc@15+1"} << QStringList{};
    QTest::newRow("the catalog shown already: nothing added")
        << QStringList{} << QStringList{"Games.cdc"} << QStringList{"Games.cdc@0+15"}
        << QStringList{"nothing new"};
    QTest::newRow("a folder: nested, hidden left out, any case, no link to a folder followed")
        << QStringList{"shelf/sub/deeper/C.CDC=Music - \\a.mp3",
                       "shelf/B.cdc=Big - \\b",
                       "shelf/a/z.cdc=Slash - \\c",
                       "shelf/.hidden/h.cdc=Hidden - \\d",
                       "shelf/notes.txt=Notes - \\e",
                       "link=shelf/sub/loop>..",
                       "link=shelf/Games link.cdc>../Games.cdc"}
        << QStringList{"shelf"}
        << QStringList{"Games.cdc@0+15", "B.cdc@15+1", "z.cdc@16+1", "C.CDC@17+1"} << QStringList{};
    QTest::newRow("the same file name in two folders: told apart by path")
        << QStringList{"x/one.cdc=A - \\1", "y/one.cdc=A - \\2"} << QStringList{"x", "y"}
        << QStringList{"Games.cdc@0+15", "$D/x/one.cdc@15+1", "$D/y/one.cdc@16+1"} << QStringList{};
    QTest::newRow("a catalog cut short: what was read is added, and reported")
        << QStringList{"half=half.cdc"} << QStringList{"half.cdc"}
        << QStringList{"Games.cdc@0+15", "half.cdc@15+2"} << QStringList{"$D/half.cdc"};
    QTest::newRow("a folder without catalogs")
        << QStringList{"empty/readme.txt=x"} << QStringList{"empty"}
        << QStringList{"Games.cdc@0+15"} << QStringList{"empty:$D/empty"};
    QTest::newRow("a missing file among good ones: reported, the others open")
        << QStringList{"good.cdc=G - \\x", "also.cdc=H - \\y"}
        << QStringList{"good.cdc", "missing.cdc", "also.cdc"}
        << QStringList{"Games.cdc@0+15", "good.cdc@15+1", "also.cdc@16+1"}
        << QStringList{"$D/missing.cdc"};
    QTest::newRow("accents, Cyrillic, Japanese")
        << QStringList{"Étagère été.cdc=Église - \\été.txt;Диск 1 - \\Ёлка.mp3",
                       "本棚.cdc=写真 - \\データ.jpg;Games 1 - \\SETUP.EXE"}
        << QStringList{"Étagère été.cdc", "本棚.cdc"}
        << QStringList{"Games.cdc@0+15", "Étagère été.cdc@15+2", "本棚.cdc@17+2"} << QStringList{};
#ifdef Q_OS_UNIX
    // Root reads everything: run as an unprivileged user, e.g.
    // setpriv --reuid=nobody --regid=nogroup --clear-groups tst_session_catalogsession
    QTest::newRow("an unreadable catalog and folder among good ones")
        << QStringList{"shelf/a.cdc=A - \\x",        "shelf/locked.cdc=L - \\y",
                       "shelf/closed/c.cdc=C - \\z", "shelf/z.cdc=Z - \\w",
                       "lock=shelf/locked.cdc",      "lock=shelf/closed"}
        << QStringList{"shelf"} << QStringList{"Games.cdc@0+15", "a.cdc@15+1", "z.cdc@16+1"}
        << QStringList{"$D/shelf/closed", "$D/shelf/locked.cdc"};
    QTest::newRow("a FIFO named like a catalog among good ones")
        << QStringList{"good.cdc=G - \\x", "fifo=pipe.cdc"} << QStringList{"pipe.cdc", "good.cdc"}
        << QStringList{"Games.cdc@0+15", "good.cdc@15+1"} << QStringList{"$D/pipe.cdc"};
#endif
}

void TestCatalogSession::addsCatalogs()
{
    QFETCH(QStringList, setup);
    QFETCH(QStringList, added);
    QFETCH(QStringList, catalogs);
    QFETCH(QStringList, report);
    Fixture x;
    QStringList locked;
    // Opened again, so that the folder can be removed.
    const auto unlock = qScopeGuard([&] {
        for (const QString &path : std::as_const(locked))
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                            | QFileDevice::ExeOwner);
    });
    for (const QString &step : setup) {
        const QString what = step.section(u'=', 0, 0);
        const QString rest = step.section(u'=', 1);
        if (what == QLatin1String("lock")) {
            if (!permissionsRefuseUs())
                QSKIP("root reads every file: run as an unprivileged user");
            locked << x.dir.filePath(rest);
            QVERIFY(QFile::setPermissions(x.dir.filePath(rest), QFileDevice::Permissions()));
        } else if (what == QLatin1String("half")) {
            writeFile(x.dir.path(), rest, cutShort());
        } else if (what == QLatin1String("fifo")) {
            if (!makeFifo(x.dir.filePath(rest)))
                QSKIP("no FIFOs here");
        } else if (what == QLatin1String("link")) {
            makeLink(x.dir.path(), rest.section(u'>', 0, 0), rest.section(u'>', 1).toUtf8());
        } else {
            writeFile(x.dir.path(), what, catalogBytes(rest.split(u';')));
        }
    }
    QVERIFY(x.ready());
    QVERIFY(x.add(added));
    const QString folder = QDir::toNativeSeparators(x.dir.path());
    for (QStringList *list : {&catalogs, &report})
        list->replaceInStrings(QStringLiteral("$D"), folder);
    QStringList parts;
    for (const CatalogSession::Part &part : x.session.parts())
        parts << part.name + u'@' + QString::number(part.firstLine) + u'+'
                     + QString::number(part.lineCount);
    QCOMPARE(parts, catalogs);
    QStringList said;
    for (const CatalogSession::Failure &failure : x.report.failures)
        said << failure.shown;
    for (const QString &empty : std::as_const(x.report.emptyFolders))
        said << QStringLiteral("empty:") + empty;
    if (x.report.nothingNew)
        said << QStringLiteral("nothing new");
    QCOMPARE(said, report);
    QCOMPARE(x.report.changed, catalogs.size() > 1);
    // Each catalog's discs stay its own, also where names are the same.
    QCOMPARE(x.session.index()->partCount(), catalogs.size());
}

// The session reads and counts in a catalog of its own: the catalog given
// keeps its lines, discs and path, also once the session is gone.
void TestCatalogSession::addingLeavesTheGivenCatalogAlone()
{
    QTemporaryDir dir;
    writeFile(dir.path(), QStringLiteral("Shelf 2.cdc"),
              catalogBytes({"Games 1 - \\SETUP.EXE", "New - \\x"}));
    Catalog catalog;
    for (const QString &line : sampleCatalog())
        catalog.lines().append(line);
    catalog.setContent(Catalog::Content::CatalogLines);
    catalog.setPath(QStringLiteral("Games.cdc"));
    QSignalSpy changed(&catalog, &Catalog::linesChanged);
    auto session = std::make_unique<CatalogSession>();
    session->showCatalog(catalog, QStringLiteral("Games.cdc"));
    QVERIFY(waitFor([&] { return session->index() != nullptr; }));
    QSignalSpy added(session.get(), &CatalogSession::addFinished);
    QVERIFY(session->addCatalogs({dir.filePath(QStringLiteral("Shelf 2.cdc"))}));
    QVERIFY(waitFor([&] { return !added.isEmpty() && session->index() && !session->isWorking(); }));
    QCOMPARE(session->lines().count(), 17);
    QVERIFY(&session->lines() != &catalog.lines());
    session.reset();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(catalog.path(), QStringLiteral("Games.cdc"));
    QCOMPARE(catalog.lines().count(), sampleCatalog().size());
    for (qsizetype i = 0; i < catalog.lines().count(); ++i)
        QCOMPARE(catalog.lines().at(i), sampleCatalog().at(i));
    QCOMPARE(catalog.discs().count(), 4);
    QCOMPARE(catalog.discs().partCount(), 1);
}

// Catalogs asked for while others are being added are refused, and the
// addition under way ends as asked.
void TestCatalogSession::addingRefusesMoreUntilDone()
{
    Fixture x;
    writeFile(x.dir.path(), QStringLiteral("a.cdc"), catalogBytes({"A - \\x"}));
    writeFile(x.dir.path(), QStringLiteral("b.cdc"), catalogBytes({"B - \\y"}));
    QVERIFY(x.ready());
    QVERIFY(x.session.addCatalogs({x.dir.filePath(QStringLiteral("a.cdc"))}));
    QVERIFY(!x.session.addCatalogs({x.dir.filePath(QStringLiteral("b.cdc"))}));
    QVERIFY(waitFor([&] { return x.added == 1 && x.session.index() && !x.session.isWorking(); }));
    QCOMPARE(x.session.catalogNames(), (QStringList{"Games.cdc", "a.cdc"}));
}

// Hits of the designed matching rule, by disc in the order of the discs
// (0 Games 1, 1 Photos - 2002, 2 Games 2, 3 the lines made by hand).
void TestCatalogSession::searchGroupsHitsByDisc_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("groups");

    QTest::newRow("several discs") << "level" << QStringList{"0=2,3", "1=9", "2=11,12"};
    QTest::newRow("letter case aside") << "ReadMe" << QStringList{"0=1", "1=7"};
    QTest::newRow("blanks around trimmed") << "  setup.exe  " << QStringList{"0=0", "2=10"};
    QTest::newRow("across the separator") << "Games 1 - \\D" << QStringList{"0=2,3,4"};
    QTest::newRow("the disc's name, both of its runs")
        << "games 1" << QStringList{"0=0,1,2,3,4,5,14"};
    QTest::newRow("a line made by hand") << "hand" << QStringList{"3=13"};
    QTest::newRow("not found") << "zzz" << QStringList{};
}

void TestCatalogSession::searchGroupsHitsByDisc()
{
    QFETCH(QString, text);
    QFETCH(QStringList, groups);
    Fixture x;
    QVERIFY(x.ready());
    x.session.setSliceBudget(std::chrono::nanoseconds(1)); // many slices
    QCOMPARE(x.search(text), groups);
}

// A search started while an earlier one is still searching or grouping its
// hits hands over its own hits only, however far the earlier one had come.
void TestCatalogSession::laterSearchReplacesEarlier_data()
{
    QTest::addColumn<int>("rounds"); // of events between the two searches
    QTest::newRow("at once") << 0;
    QTest::newRow("after the first slice") << 1;
    QTest::newRow("while grouping") << 2;
    QTest::newRow("long after") << 50;
}

void TestCatalogSession::laterSearchReplacesEarlier()
{
    QFETCH(int, rounds);
    Fixture x;
    QVERIFY(x.ready());
    x.session.setSliceBudget(std::chrono::nanoseconds(1));
    x.session.search(QStringLiteral("level"));
    for (int round = 0; round < rounds; ++round)
        QCoreApplication::processEvents();
    QSignalSpy finished(&x.session, &CatalogSession::searchFinished);
    QCOMPARE(x.search(QStringLiteral("readme")), (QStringList{"0=1", "1=7"}));
    QTest::qWait(20); // a late report of the first search would come now
    QCOMPARE(finished.count(), 1);
}

// The same path on other discs, and the same name in other folders of
// other discs, never the file's own disc; only the last file asked for is
// answered.
void TestCatalogSession::otherPlaces_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QList<qsizetype>>("samePath");
    QTest::addColumn<QList<qsizetype>>("sameName");

    QTest::newRow("path and name") << 2 << QList<qsizetype>{11} << QList<qsizetype>{9};
    QTest::newRow("name only") << 9 << QList<qsizetype>{} << QList<qsizetype>{2, 11};
    QTest::newRow("same path") << 1 << QList<qsizetype>{7} << QList<qsizetype>{};
    QTest::newRow("other way round") << 10 << QList<qsizetype>{0} << QList<qsizetype>{};
    QTest::newRow("nowhere else") << 14 << QList<qsizetype>{} << QList<qsizetype>{};
    QTest::newRow("a name of its own") << 12 << QList<qsizetype>{} << QList<qsizetype>{};
    QTest::newRow("the second disc's") << 11 << QList<qsizetype>{2} << QList<qsizetype>{9};
}

void TestCatalogSession::otherPlaces()
{
    QFETCH(int, line);
    QFETCH(QList<qsizetype>, samePath);
    QFETCH(QList<qsizetype>, sameName);
    Fixture x;
    QVERIFY(x.ready());
    QList<qsizetype> answered;
    OtherPlaces found;
    QObject::connect(&x.session, &CatalogSession::otherPlacesFound,
                     [&](qsizetype of, const OtherPlaces &places) {
                         answered << of;
                         found = places;
                     });
    x.session.findOtherPlaces(5); // overtaken while the worker looks
    x.session.findOtherPlaces(line);
    QVERIFY(waitFor([&] { return !x.session.isWorking(); }));
    QCOMPARE(answered, QList<qsizetype>{line});
    QCOMPARE(QList<qsizetype>(found.samePath.begin(), found.samePath.end()), samePath);
    QCOMPARE(QList<qsizetype>(found.sameName.begin(), found.sameName.end()), sameName);
}

// The files on several discs ("key=discs"): a kind asked for while the
// other is being found ("!": not waited for) is found after it; catalogs
// added drop what was found of the old lines.
void TestCatalogSession::duplicates_data()
{
    QTest::addColumn<QStringList>("steps"); // "path", "name", "add" (Shelf 2.cdc)
    QTest::addColumn<QStringList>("found");
    QTest::newRow("by name, asked while paths are found")
        << QStringList{"path!", "name"}
        << QStringList{"SETUP.EXE=0,2", "README.TXT=0,1", "LEVEL1.DAT=0,1,2"};
    QTest::newRow("by path after an add")
        << QStringList{"path", "add", "path"}
        << QStringList{"\\SETUP.EXE=0,2,4", "\\README.TXT=0,1", "\\DATA\\LEVEL1.DAT=0,2"};
}

void TestCatalogSession::duplicates()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, found);
    Fixture x;
    writeFile(x.dir.path(), QStringLiteral("Shelf 2.cdc"), catalogBytes({"New - \\SETUP.EXE"}));
    QVERIFY(x.ready());
    auto key = DiscDuplicates::Key::Path;
    for (const QString &step : steps) {
        if (step == QLatin1String("add")) {
            QVERIFY(x.add({QStringLiteral("Shelf 2.cdc")}));
            continue;
        }
        key = step.startsWith(u'p') ? DiscDuplicates::Key::Path : DiscDuplicates::Key::FileName;
        x.session.findDuplicates(key);
        QVERIFY(step.endsWith(u'!') || waitFor([&] { return x.session.duplicates(key); }));
    }
    QVERIFY(waitFor([&] { return x.session.duplicates(key) && !x.session.isWorking(); }));
    QStringList shown;
    const DiscDuplicates &all = *x.session.duplicates(key);
    for (qsizetype entry = 0; entry < all.count(); ++entry) {
        QStringList discs;
        for (const qint32 disc : all.discs(entry))
            discs << QString::number(disc);
        shown << all.key(entry) + u'=' + discs.join(u',');
    }
    QCOMPARE(shown, found);
}

QTEST_GUILESS_MAIN(TestCatalogSession)
#include "tst_session_catalogsession.moc"
