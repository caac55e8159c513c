// Folders and disc images scanned like discs, and a scan that runs off the
// window's thread with its count, Cancel and Esc.

#include "UiTestSupport.h"
#include "scan/DirectoryReader.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>


using namespace kobrix;
using namespace kobrix::test;

namespace {

QToolButton *cancelButton(Form1 &form)
{
    return form.findChild<QToolButton *>(QStringLiteral("cancelScanButton"));
}

} // namespace

class TestFolderScan : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_disc;

private Q_SLOTS:
    void initTestCase()
    {
        m_disc = m_dir.filePath("disc");
        makeSampleDisc(m_disc);
    }

    void folderScanIsADiscScan()
    {
        Form1Harness w;
        w.io.dialogs.answer(m_disc);
        w.form->scanFolderAction->trigger();
        QCOMPARE(w.io.dialogs.last()->mode, FileDialogMode::Folder);
        QCOMPARE(toStringList(w.form->list2Lines()), sampleDiscListing());
        QCOMPARE(w.form->statusText(), QStringLiteral("Total: 4 files"));
        QVERIFY(w.form->Label2->isEnabled() && w.form->Text2->isEnabled()
                && w.form->Command3->isEnabled());
        QVERIFY(w.io.messages.shown.empty());

        // A cancelled folder dialog changes nothing.
        w.io.dialogs.cancel();
        w.form->scanFolderAction->trigger();
        QCOMPARE(w.form->list2Lines().count(), 4);
    }

    void imageScan_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("image") << false;
        QTest::newRow("damaged image") << true;
    }
    void imageScan()
    {
        QFETCH(bool, damaged);
        if (QStandardPaths::findExecutable("xorriso").isEmpty())
            QSKIP("xorriso is not installed");
        const QString image = m_dir.filePath(damaged ? "bad.iso" : "disc.iso");
        if (damaged) {
            writeFile(m_dir.path(), "bad.iso", QByteArray(100000, 'z'));
        } else {
            QProcess xorriso;
            xorriso.start("xorriso", {"-as", "mkisofs", "-quiet", "-R", "-J", "-o", image, m_disc});
            QVERIFY(xorriso.waitForFinished(60000) && xorriso.exitCode() == 0);
        }
        Form1Harness w;
        w.form->list2Lines().append(u"kept line");
        w.form->refreshList2();
        const QString stateBefore = controlState(*w.form);
        w.io.dialogs.answer(image);
        w.form->scanImageAction->trigger();
        QCOMPARE(w.io.dialogs.last()->filter, QStringLiteral("Disc Images (*.iso)|*.iso|All Files (*.*)|*.*"));
        if (damaged) {
            // A clear message, and nothing else changes.
            QCOMPARE(w.io.messages.shown.size(), std::size_t(1));
            QVERIFY(w.io.messages.last()->text.startsWith("Error reading disc image " + image + "\r\r57 - "));
            QCOMPARE(toStringList(w.form->list2Lines()), QStringList{"kept line"});
            QCOMPARE(w.form->statusText(), QStringLiteral("File Count"));
            QCOMPARE(controlState(*w.form), stateBefore);
        } else {
            QVERIFY(w.io.messages.shown.empty());
            QCOMPARE(toStringList(w.form->list2Lines()), sampleDiscListing());
            QCOMPARE(w.form->statusText(), QStringLiteral("Total: 4 files"));
        }
    }

    void scanCommandsFollowTheDriveButtons()
    {
        auto commands = [](Form1 &f) {
            return onOff(f.scanFolderAction->isEnabled()) + "/" + onOff(f.scanImageAction->isEnabled());
        };
        QCOMPARE(commands(*Form1Harness(WorkMode::NewCatalog).form), QStringLiteral("on/on"));
        QCOMPARE(commands(*Form1Harness(WorkMode::SearchCatalog).form), QStringLiteral("off/off"));
        Form1Harness w(WorkMode::AddDisc);
        QCOMPARE(commands(*w.form), QStringLiteral("off/off"));
        w.form->Command2->click(); // Scan New CD
        QCOMPARE(commands(*w.form), QStringLiteral("on/on"));

        // Written: no further scan until "Scan New CD".
        w.io.dialogs.answer(m_disc);
        w.form->scanFolderAction->trigger();
        w.form->Text2->setText("Disc");
        w.io.dialogs.answer(m_dir.filePath("out.cdc"));
        w.form->Command4->click();
        QCOMPARE(commands(*w.form), QStringLiteral("off/off"));
    }

    void progressCancelAndResponsiveness()
    {
        QTemporaryDir big;
        for (int d = 0; d < 80; ++d)
            writeFile(big.path(), QStringLiteral("D%1/F.DAT").arg(d, 3, 10, QLatin1Char('0')));
        Form1Harness w;
        SlowReader slow;
        w.form->setDirectoryReader(&slow);
        w.form->show();

        QStringList seen;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(5);
        // While the scan runs: count in the status bar, Cancel shown, other
        // commands off; then Esc stops it.
        QTimer::singleShot(250, w.form.get(), [&] {
            seen << QString::number(w.form->isScanning()) << w.form->statusText().section(' ', 0, 0)
                 << onOff(cancelButton(*w.form)->isVisible())
                 << onOff(w.form->toolbarButton("Find")->isEnabled())
                 << onOff(w.form->mnuLoad->isEnabled()) << onOff(w.form->mnuExit->isEnabled());
            QTest::keyClick(w.form.get(), Qt::Key_Escape);
        });
        const QString before = w.form->statusText();
        w.form->Command3->setEnabled(false);
        const QString stateBefore = controlState(*w.form);
        w.form->scanFolder(big.path());
        ticker.stop();

        QCOMPARE(seen, (QStringList{"1", "Scanning...", "on", "off", "off", "on"}));
        QVERIFY2(ticks > 20, qPrintable(QString::number(ticks))); // the window kept working
        // Cancelled: left as a failed scan leaves it.
        QVERIFY(!w.form->isScanning());
        QVERIFY(w.form->list2Lines().count() < 80);
        QCOMPARE(w.form->statusText(), before);
        QCOMPARE(controlState(*w.form), stateBefore);
        QVERIFY(!cancelButton(*w.form)->isVisible());
        QVERIFY(w.form->toolbarButton("Find")->isEnabled());
        QVERIFY(!w.form->mnuLoad->isEnabled()); // as the work mode set it
        QVERIFY(w.io.messages.shown.empty());

        // The Cancel button does the same.
        QTimer::singleShot(100, w.form.get(), [&] { cancelButton(*w.form)->click(); });
        w.form->scanFolder(big.path());
        QVERIFY(w.form->list2Lines().count() < 80);

        // Left alone, the scan ends with the designed states.
        w.form->setDirectoryReader(nullptr);
        w.form->scanFolder(big.path());
        QCOMPARE(w.form->list2Lines().count(), 80);
        QCOMPARE(w.form->statusText(), QStringLiteral("Total: 80 files"));
        QVERIFY(w.form->Command3->isEnabled());
    }

    void programQuitDuringAScan()
    {
        // The quit ends every event loop, the scan's too: the walk is stopped
        // and waited for before its lists are taken over.
        QTemporaryDir big;
        for (int d = 0; d < 100; ++d)
            writeFile(big.path(), QStringLiteral("D%1/F.DAT").arg(d));
        Form1Harness w;
        SlowReader slow;
        w.form->setDirectoryReader(&slow);
        QTimer::singleShot(60, [] { QCoreApplication::exit(0); });
        w.form->scanFolder(big.path());
        QVERIFY(!w.form->isScanning());
        const qsizetype found = w.form->list2Lines().count();
        QVERIFY(found < 100);
        QTest::qWait(50); // nothing arrives late
        QCOMPARE(w.form->list2Lines().count(), found);
        QCOMPARE(w.form->List2->model()->rowCount(), int(found));
    }

    void closingDuringAScanStopsIt()
    {
        QTemporaryDir big;
        for (int d = 0; d < 200; ++d)
            writeFile(big.path(), QStringLiteral("D%1/F.DAT").arg(d));
        Form1Harness w;
        SlowReader slow;
        w.form->setDirectoryReader(&slow);
        w.form->show();
        QTimer::singleShot(50, w.form.get(), [&] { w.form->close(); });
        QElapsedTimer timer;
        timer.start();
        w.form->scanFolder(big.path());
        QVERIFY(timer.elapsed() < 1500); // 200 folders would take 2 s
        QVERIFY(w.io.messages.shown.empty());
    }
};

QTEST_MAIN(TestFolderScan)
#include "tst_ui_form1_folderscan.moc"
