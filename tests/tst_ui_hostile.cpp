// Hostile catalogs and targets through the main window: each loads sensibly
// or gives the window's error message; the window never freezes or crashes.

#include "UiTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kobrix;
using namespace kobrix::test;

class TestUiHostile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void load_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qsizetype>("lines"); // -1: any number
        QTest::addColumn<QString>("message");
        QTest::newRow("random bytes") << "random" << qsizetype(-1) << QString();
        QTest::newRow("NUL bytes") << "nul" << qsizetype(1) << QString();
        QTest::newRow("one line of 100 MB")
            << "long" << qsizetype(0)
            << "Error Reading file\r\r59 - Bad record length (record 1 is longer than 1048576 bytes)";
        QTest::newRow("invalid UTF-8") << "latin1" << qsizetype(1) << QString();
        QTest::newRow("LF and CR line ends") << "lfcr" << qsizetype(4) << QString();
        QTest::newRow("unterminated quote") << "quote" << qsizetype(2) << QString();
        QTest::newRow("ten million empty lines") << "empty lines" << qsizetype(10'000'000) << QString();
        QTest::newRow("a folder") << "folder" << qsizetype(1)
                                  << "Error Reading file\r\r75 - Path/File access error";
        QTest::newRow("a FIFO") << "fifo" << qsizetype(1) << "Error Reading file\r\r75 - Path/File access error";
        QTest::newRow("non-ASCII path") << QString::fromUtf8("Kataloge ü/日本") << qsizetype(1) << QString();
    }
    void load()
    {
        QFETCH(QString, kind);
        QFETCH(qsizetype, lines);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(kind + ".cdc");
        QByteArray bytes;
        if (kind == "random") {
            bytes.resize(1 << 20);
            QRandomGenerator generator(7);
            for (char &c : bytes)
                c = char(generator.bounded(256));
        } else if (kind == "nul") {
            bytes = QByteArray(1000, '\0');
        } else if (kind == "long") {
            bytes = QByteArray(100 << 20, 'x');
        } else if (kind == "latin1") {
            bytes = "\"Caf\xe9 - \\\xc4.txt\"\r\n";
        } else if (kind == "lfcr") {
            bytes = "\"a\"\n\"b\"\r\"c\"\r\n\"d\"";
        } else if (kind == "quote") {
            bytes = "\"open\r\n\"closed\"\r\n";
        } else if (kind == "empty lines") {
            bytes = QByteArray(10'000'000, '\n');
        } else if (kind.startsWith("Kataloge")) {
            bytes = "\"D - \\x\"\r\n";
        }
        if (kind == "folder") {
            makeDir(m_dir.path(), kind + ".cdc");
        } else if (kind == "fifo") {
            if (!makeFifo(path))
                QSKIP("this system has no FIFOs");
        } else {
            writeFile(m_dir.path(), kind + ".cdc", bytes);
        }

        Form1Harness w(WorkMode::SearchCatalog);
        w.form->session().catalog().lines().append(u"before");
        w.form->refreshList2();
        w.io.dialogs.answer(path);
        QElapsedTimer timer;
        timer.start();
        w.form->mnuLoad->trigger();
        QVERIFY(timer.elapsed() < 20000);
        QCOMPARE(w.io.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (lines >= 0)
            QCOMPARE(w.form->session().catalog().lines().count(), lines);
        QCOMPARE(w.form->List2->model()->rowCount(),
                 int(w.form->session().catalog().lines().count()));
        QCOMPARE(w.form->Text3->text(), path);
        QCOMPARE(w.form->windowTitle(), path + " - Kobrix");
        if (kind == "latin1")
            QCOMPARE(w.form->session().catalog().lines().at(0),
                     QString::fromUtf8("Café - \\Ä.txt"));
        QFile::remove(path);
    }

    void fileVanishesDuringLoad()
    {
        QByteArray bytes;
        for (int i = 0; i < 400000; ++i)
            bytes += "\"D - \\F" + QByteArray::number(i) + "\"\r\n";
        writeFile(m_dir.path(), "vanish.cdc", bytes);
        const QString path = m_dir.filePath("vanish.cdc");
        Form1Harness w(WorkMode::SearchCatalog);
        w.form->setLoadSlice(std::chrono::microseconds(100));
        QTimer::singleShot(0, w.form.get(), [&] { QFile::remove(path); });
        w.form->ReadList(path, true);
        QVERIFY(w.io.messages.shown.empty());
        QCOMPARE(w.form->session().catalog().lines().count(), 400000);
    }

    void writeTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("a folder") << "folder" << "Error in WriteList\r\r75 - Path/File access error";
        QTest::newRow("a FIFO") << "fifo" << "Error in WriteList\r\r75 - Path/File access error";
        QTest::newRow("missing folder") << "nowhere/x.cdc" << "Error in WriteList\r\r76 - Path not found";
        QTest::newRow("read-only place") << "readonly" << "Error in WriteList\r\r70 - Permission denied";
    }
    void writeTargets()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        QString path = m_dir.filePath("w-" + target);
        if (target == "folder")
            makeDir(m_dir.path(), "w-folder");
        else if (target == "fifo" && !makeFifo(path))
            QSKIP("this system has no FIFOs");
        else if (target == "readonly")
            path = placeRefusingWrites();
        if (path.isEmpty())
            QSKIP("needs a place that refuses writes to everybody");

        Form1Harness w(WorkMode::NewCatalog);
        w.form->session().catalog().lines().append(u"\\A.TXT");
        w.form->refreshList2();
        w.form->Text2->setText("Disc");
        const QString before = controlState(*w.form);
        w.io.dialogs.answer(path);
        w.form->Command3->click();
        QCOMPARE(w.io.messages.texts(), QStringList{message});
        QCOMPARE(w.io.messages.last()->title, QStringLiteral("Error"));
        QCOMPARE(controlState(*w.form), before);
    }
};

QTEST_MAIN(TestUiHostile)
#include "tst_ui_hostile.moc"
