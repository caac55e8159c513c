// Folders and disc images scanned like discs, and a scan that runs off the
// window's thread with its count, Cancel and Esc.

#include "UiTestSupport.h"
#include "scan/DirectoryReader.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

using namespace kobrix;
using namespace kobrix::test;

namespace {

QToolButton *cancelButton(Form1 &form)
{
    return form.findChild<QToolButton *>(QStringLiteral("cancelScanButton"));
}

// A disc with one unreadable folder: its walk fails there with 57.
class FailingReader : public FolderReader
{
public:
    RuntimeError read(const QByteArray &path, bool isRoot, DirectoryListing &listing) override
    {
        if (path.endsWith("/ZZZ"))
            return RuntimeError(DeviceIoError);
        return FolderReader::read(path, isRoot, listing);
    }
};

// Reads the folders; when the walk comes to the given read, it waits while
// the window's thread runs an action (Cancel, Esc, closing the window,
// quitting), so that the action lands in the middle of the scan however
// fast or loaded the machine is.
class GateReader : public FolderReader
{
public:
    // After the gate, each further read can be slowed down, for actions
    // whose effect on the walk the window's thread makes only after the
    // action has returned (a quit ends the scan's loop first): the walk must
    // not run to its end meanwhile.
    GateReader(int gateAt, std::function<void()> action,
               std::chrono::milliseconds afterGate = std::chrono::milliseconds(0))
        : m_gateAt(gateAt), m_action(std::move(action)), m_afterGate(afterGate)
    {
    }
    RuntimeError read(const QByteArray &path, bool isRoot, DirectoryListing &listing) override
    {
        const int read = ++m_reads;
        if (read == m_gateAt) {
            std::promise<void> acted;
            QMetaObject::invokeMethod(
                qApp, [&] { m_action(); acted.set_value(); }, Qt::QueuedConnection);
            acted.get_future().wait();
        } else if (read > m_gateAt && m_afterGate.count() > 0) {
            std::this_thread::sleep_for(m_afterGate);
        }
        return FolderReader::read(path, isRoot, listing);
    }
    int reads() const { return m_reads; }

private:
    std::atomic<int> m_reads{0};
    int m_gateAt;
    std::function<void()> m_action;
    std::chrono::milliseconds m_afterGate;
};

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
        QCOMPARE(toStringList(w.form->session().catalog().lines()), sampleDiscListing());
        QCOMPARE(w.form->statusText(), QStringLiteral("Total: 4 files"));
        QVERIFY(w.form->Label2->isEnabled() && w.form->Text2->isEnabled()
                && w.form->Command3->isEnabled());
        QVERIFY(w.io.messages.shown.empty());

        // A cancelled folder dialog changes nothing.
        w.io.dialogs.cancel();
        w.form->scanFolderAction->trigger();
        QCOMPARE(w.form->session().catalog().lines().count(), 4);
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
        w.form->session().catalog().lines().append(u"kept line");
        w.form->refreshList2();
        const QString stateBefore = controlState(*w.form);
        w.io.dialogs.answer(image);
        w.form->scanImageAction->trigger();
        QCOMPARE(w.io.dialogs.last()->filter, QStringLiteral("Disc Images (*.iso)|*.iso|All Files (*.*)|*.*"));
        if (damaged) {
            // A clear message, and nothing else changes.
            QCOMPARE(w.io.messages.shown.size(), std::size_t(1));
            QVERIFY(w.io.messages.last()->text.startsWith("Error reading disc image " + image + "\r\r57 - "));
            QCOMPARE(toStringList(w.form->session().catalog().lines()), QStringList{"kept line"});
            QCOMPARE(w.form->statusText(), QStringLiteral("File Count"));
            QCOMPARE(controlState(*w.form), stateBefore);
        } else {
            QVERIFY(w.io.messages.shown.empty());
            QCOMPARE(toStringList(w.form->session().catalog().lines()), sampleDiscListing());
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
        w.form->show();

        // While the scan runs (the window's thread answers while the walk
        // is at its tenth folder): the count of files so far in the status
        // bar, Cancel shown, other commands off; then Esc stops it.
        QStringList seen;
        GateReader escape(10, [&] {
            QTRY_COMPARE(w.form->statusText(), QStringLiteral("Scanning... 8 files"));
            seen << QString::number(w.form->session().isScanning())
                 << w.form->statusText().section(' ', 0, 0)
                 << onOff(cancelButton(*w.form)->isVisible())
                 << onOff(w.form->toolbarButton("Find")->isEnabled())
                 << onOff(w.form->mnuLoad->isEnabled()) << onOff(w.form->mnuExit->isEnabled());
            QTest::keyClick(w.form.get(), Qt::Key_Escape);
        });
        w.form->session().setDirectoryReader(&escape);
        const QString before = w.form->statusText();
        w.form->Command3->setEnabled(false);
        const QString stateBefore = controlState(*w.form);
        w.form->scanFolder(big.path());

        QCOMPARE(seen, (QStringList{"1", "Scanning...", "on", "off", "off", "on"}));
        QCOMPARE(escape.reads(), 10); // no folder read after the one Esc came in
        // Cancelled: as after a scan of an empty disc, and it says so.
        QVERIFY(!w.form->session().isScanning());
        QCOMPARE(w.form->session().catalog().lines().count(), 0);
        QCOMPARE(w.form->List2->model()->rowCount(), 0);
        QCOMPARE(w.form->statusText(), QStringLiteral("Scan cancelled"));
        // ...with no "Add to Catalog..." (nor "Write Catalog...") for it.
        QCOMPARE(controlState(*w.form),
                 QString(stateBefore).replace("Command4 on", "Command4 off"));
        QVERIFY(!cancelButton(*w.form)->isVisible());
        QVERIFY(w.form->toolbarButton("Find")->isEnabled());
        QVERIFY(!w.form->mnuLoad->isEnabled()); // as the work mode set it
        QVERIFY(w.io.messages.shown.empty());

        // The Cancel button does the same.
        GateReader cancel(5, [&] { cancelButton(*w.form)->click(); });
        w.form->session().setDirectoryReader(&cancel);
        w.form->scanFolder(big.path());
        QCOMPARE(cancel.reads(), 5);
        QCOMPARE(w.form->session().catalog().lines().count(), 0);
        QCOMPARE(w.form->statusText(), QStringLiteral("Scan cancelled"));

        // Left alone, the scan ends with the designed states.
        w.form->session().setDirectoryReader(nullptr);
        w.form->scanFolder(big.path());
        QCOMPARE(w.form->session().catalog().lines().count(), 80);
        QCOMPARE(w.form->statusText(), QStringLiteral("Total: 80 files"));
        QVERIFY(w.form->Command3->isEnabled());
    }

    // A scan that did not complete leaves no "Write Catalog..." or "Add to
    // Catalog..." for its lines, whatever an earlier scan had switched on;
    // the next complete scan gives them back.
    void incompleteScanHoldsBackWriting_data()
    {
        QTest::addColumn<QString>("before"); // "scanned" or "scan new cd"
        QTest::addColumn<QString>("how");    // "cancel" or "fail"
        QTest::newRow("cancelled after a scan") << "scanned" << "cancel";
        QTest::newRow("failed after a scan") << "scanned" << "fail";
        QTest::newRow("cancelled after Scan New CD") << "scan new cd" << "cancel";
        QTest::newRow("failed after Scan New CD") << "scan new cd" << "fail";
    }
    void incompleteScanHoldsBackWriting()
    {
        QFETCH(QString, before);
        QFETCH(QString, how);
        QTemporaryDir big;
        for (int d = 0; d < 60; ++d)
            writeFile(big.path(), QStringLiteral("D%1/F.DAT").arg(d, 2, 10, QLatin1Char('0')));
        writeFile(big.path(), "ZZZ/X.DAT"); // read last
        Form1Harness w;
        w.form->show();
        w.form->scanFolder(m_disc); // 4 files: "Write Catalog..." on
        QCOMPARE(w.form->statusText(), QStringLiteral("Total: 4 files"));
        if (before == "scan new cd") {
            w.form->Text2->setText("Disc 1");
            w.io.dialogs.answer(m_dir.filePath("held.cdc"));
            w.form->Command3->click();
            w.form->Command2->click(); // "Add to Catalog..." on
        }
        w.io.messages.clear();
        const bool writeBefore = w.form->Command3->isEnabled();
        const bool addBefore = w.form->Command4->isEnabled();
        QVERIFY(writeBefore || addBefore);

        GateReader cancelling(5, [&] { w.form->cancelScan(); });
        FailingReader failing;
        if (how == "cancel") {
            w.form->session().setDirectoryReader(&cancelling);
        } else {
            w.form->session().setDirectoryReader(&failing);
        }
        w.form->scanFolder(big.path());
        QVERIFY(!w.form->Command3->isEnabled());
        QVERIFY(!w.form->Command4->isEnabled());
        if (how == "cancel") {
            QCOMPARE(w.form->statusText(), QStringLiteral("Scan cancelled"));
            QCOMPARE(w.form->session().catalog().lines().count(), 0);
            QVERIFY(w.io.messages.shown.empty());
        } else {
            // The lines before the failure and its message stay.
            QCOMPARE(w.form->session().catalog().lines().count(), 60);
            QCOMPARE(w.io.messages.shown.size(), std::size_t(1));
            QVERIFY(w.io.messages.last()->text.contains("57 - Device I/O error"));
        }

        // A complete scan: the buttons are back as they were, with the
        // designed switch-on of "Write Catalog...".
        w.form->session().setDirectoryReader(nullptr);
        w.form->scanFolder(m_disc);
        QCOMPARE(w.form->statusText(), QStringLiteral("Total: 4 files"));
        QVERIFY(w.form->Command3->isEnabled());
        QCOMPARE(w.form->Command4->isEnabled(), addBefore);
    }

    void programQuitDuringAScan()
    {
        // The quit ends every event loop, the scan's too: the walk is stopped
        // and waited for before its lists are taken over.
        QTemporaryDir big;
        for (int d = 0; d < 100; ++d)
            writeFile(big.path(), QStringLiteral("D%1/F.DAT").arg(d));
        Form1Harness w;
        // The quit is seen by the scan only once its loop returns, while the
        // walk goes on: the 91 reads left take 4.5 s, ample time for that.
        GateReader quit(10, [] { QCoreApplication::exit(0); }, std::chrono::milliseconds(50));
        w.form->session().setDirectoryReader(&quit);
        // As in the program, the scan runs under the application's event
        // loop, whose exit() also clears the quit for the loops after it.
        QMetaObject::invokeMethod(
            qApp, [&] { w.form->scanFolder(big.path()); }, Qt::QueuedConnection);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!w.form->session().isScanning());
        QVERIFY2(quit.reads() >= 10 && quit.reads() < 101,
                 qPrintable(QStringLiteral("%1 folders read").arg(quit.reads())));
        const qsizetype found = w.form->session().catalog().lines().count();
        QCOMPARE(found, 0); // stopped, so emptied like any cancelled scan
        QCOMPARE(w.form->statusText(), QStringLiteral("Scan cancelled"));
        // Nothing arrives late: whatever the walk left queued is delivered.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(w.form->session().catalog().lines().count(), found);
        QCOMPARE(w.form->List2->model()->rowCount(), int(found));
    }

    void closingDuringAScanStopsIt()
    {
        QTemporaryDir big;
        for (int d = 0; d < 200; ++d)
            writeFile(big.path(), QStringLiteral("D%1/F.DAT").arg(d));
        Form1Harness w;
        GateReader closing(5, [&] { w.form->close(); });
        w.form->session().setDirectoryReader(&closing);
        w.form->show();
        w.form->scanFolder(big.path());
        QCOMPARE(closing.reads(), 5); // no folder read after the window closed
        QVERIFY(w.form->session().catalog().lines().count() < 200);
        QVERIFY(w.io.messages.shown.empty());
    }
};

QTEST_MAIN(TestFolderScan)
#include "tst_ui_form1_folderscan.moc"
