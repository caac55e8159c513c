// Every item model of the windows under QAbstractItemModelTester: rows
// added, cleared and reset the way the windows do it, and the models of the
// real windows while they scan, load and search.

#include "UiTestSupport.h"
#include "discs/Catalog.h"
#include "ui/main/Form3.h"
#include "ui/common/LineListView.h"
#include "ui/common/LineStoreModel.h"
#include "ui/discs/SearchResultModel.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

using namespace kobrix;
using namespace kobrix::test;

namespace {

using Tester = QAbstractItemModelTester;

std::unique_ptr<Tester> watch(QAbstractItemModel *model)
{
    return std::make_unique<Tester>(model, Tester::FailureReportingMode::QtTest);
}

// A catalog file of the given lines, one record each.
void writeCatalog(const QString &path, int lines)
{
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes += "\"Disc " + QByteArray::number(i / 10) + " - \\FILE" + QByteArray::number(i) + ".DAT\"\r\n";
    writeFile(QFileInfo(path).path(), QFileInfo(path).fileName(), bytes);
}

} // namespace

class TestUiModels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Steps, one letter each: a = append a line to the store, s = sync,
    // c = empty the store, r = reset.
    void lineStoreModel_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("rows");
        QTest::newRow("lines in batches") << "aaasaasas" << 6;
        QTest::newRow("emptied and reset, then filled") << "aasccrasaas" << 3;
        QTest::newRow("emptied behind its back, then synced") << "aaascs" << 0;
        QTest::newRow("shrunk and grown between two syncs") << "aaaascaas" << 2;
        QTest::newRow("reset without a change") << "aasrr" << 2;
        QTest::newRow("sync without a change") << "ssass" << 1;
    }
    void lineStoreModel()
    {
        QFETCH(QString, steps);
        QFETCH(int, rows);
        LineStore store;
        LineStoreModel model(store);
        const auto tester = watch(&model);
        int appended = 0;
        for (const QChar step : steps) {
            switch (step.toLatin1()) {
            case 'a': store.append(QStringLiteral("\\LINE%1.TXT").arg(++appended)); break;
            case 's': model.sync(); break;
            case 'c': store.clear(); break;
            case 'r': model.reset(); break;
            }
        }
        QCOMPARE(model.rowCount(), rows);
        if (rows > 0)
            QCOMPARE(model.index(rows - 1, 0).data().toString(), store.at(rows - 1));
    }

    // Steps: a = append two results, e = append none, c = clear.
    void searchResultModel_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("rows");
        QTest::newRow("results in batches") << "aea" << 4;
        QTest::newRow("cleared, then new results") << "aacac" << 0;
        QTest::newRow("cleared when empty") << "ccea" << 2;
    }
    void searchResultModel()
    {
        QFETCH(QString, steps);
        QFETCH(int, rows);
        const LineStore lines = toStore({"A - \\ONE", "A - \\TWO", "B - \\THREE"});
        SearchResultModel model(lines);
        const auto tester = watch(&model);
        for (const QChar step : steps) {
            switch (step.toLatin1()) {
            case 'a': model.append({2, 0}); break;
            case 'e': model.append({}); break;
            case 'c': model.clear(); break;
            }
        }
        QCOMPARE(model.rowCount(), rows);
        if (rows > 0)
            QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("B - \\THREE"));
    }

    // The main window's lists through what a user does with them: scans,
    // a scan of a missing disc, loading a catalog slice by slice, adding a
    // second one, and "Scan New CD" after writing.
    void mainWindowLists()
    {
        QTemporaryDir dir;
        const QString disc = dir.filePath(QStringLiteral("disc"));
        makeSampleDisc(disc);
        writeCatalog(dir.filePath(QStringLiteral("big.cdc")), 5000);
        Form1Harness w(WorkMode::NewCatalog, [&](ScriptedServices &io) {
            io.drives.addCdDrive(QStringLiteral("D:\\"), disc);
            io.drives.addCdDrive(QStringLiteral("E:\\"), dir.filePath(QStringLiteral("gone")));
        });
        Form1 &f = *w.form;
        const auto list1 = watch(f.List1->model());
        const auto list2 = watch(f.List2->model());

        f.ScanDrive(QStringLiteral("D:\\"));
        QCOMPARE(f.List2->model()->rowCount(), sampleDiscListing().size());
        f.ScanDrive(QStringLiteral("D:\\"));
        QCOMPARE(f.List2->model()->rowCount(), sampleDiscListing().size());
        f.ScanDrive(QStringLiteral("E:\\"));
        QCOMPARE(f.List2->model()->rowCount(), 0);

        f.setLoadSlice(std::chrono::nanoseconds(1));
        f.ReadList(dir.filePath(QStringLiteral("big.cdc")), true);
        QCOMPARE(f.List2->model()->rowCount(), 5000);
        f.ReadList(dir.filePath(QStringLiteral("big.cdc")), false);
        QCOMPARE(f.List2->model()->rowCount(), 10000);
        f.ReadList(dir.filePath(QStringLiteral("big.cdc")), true);
        QCOMPARE(f.List2->model()->rowCount(), 5000);

        f.ScanDrive(QStringLiteral("D:\\"));
        f.Text2->setText(QStringLiteral("Disc 1"));
        w.io.dialogs.answer(dir.filePath(QStringLiteral("new.cdc")));
        f.Command3->click(); // writes the disc
        f.Command2->click(); // "Scan New CD": both lists emptied
        QCOMPARE(f.List1->model()->rowCount(), 0);
        QCOMPARE(f.List2->model()->rowCount(), 0);
    }

    // The search window's results: a search, another that finds fewer, one
    // that finds nothing, and one that is refused.
    void searchWindowResults()
    {
        Catalog catalog;
        for (int i = 0; i < 3000; ++i)
            catalog.lines().append(QStringLiteral("Disc %1 - \\FILE%2.DAT").arg(i / 100).arg(i));
        ScriptedServices io;
        Form3 form(catalog, io.messages);
        const auto results = watch(form.List1->model());
        for (const char *typed : {"file", "file1", "no such file", "", "disc 2 - "}) {
            form.Text1->setText(QString::fromLatin1(typed));
            form.find();
            form.finishSearch();
        }
        QCOMPARE(form.List1->model()->rowCount(), 100);
    }
};

QTEST_MAIN(TestUiModels)
#include "tst_ui_models.moc"
