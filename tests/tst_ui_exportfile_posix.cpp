// The Discs window's export file past a file size limit: the export fails
// with the program's own error number, as a catalog write does, and leaves
// no file behind.

#include "TestSupport.h"
#include "TestSupport_posix.h"
#include "export/ExportFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

class TestUiExportFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileSizeLimitIsDiskFull_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("CSV") << int(ExportFormat::Csv) << "out.csv";
        QTest::newRow("HTML") << int(ExportFormat::Html) << "out.html";
    }
    void fileSizeLimitIsDiskFull()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        LineStore lines;
        for (int i = 0; i < 20000; ++i)
            lines.appendUtf8(QStringLiteral("Big disc - \\F%1\\FILE%2.DAT").arg(i / 100).arg(i).toStdString());
        DiscIndex discs;
        discs.build(lines);
        const ExportContent content = ExportContent::wholeCatalog(lines, discs);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ExportFileResult written;
        {
            const FileSizeLimit limit(16384);
            written = writeExportFile(dir.filePath(name), ExportFormat(format), content, {});
        }
        QCOMPARE(written.result, ExportResult::WriteFailed);
        QCOMPARE(written.reason, QStringLiteral("61 - Disk full"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TestUiExportFile)
#include "tst_ui_exportfile_posix.moc"
