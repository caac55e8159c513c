// A translation installed in the application reaches the texts of every
// kind: the windows' captions and messages, a text held in a constant, the
// texts the windows share with the command line, and the error descriptions.
// The stand-in translator marks each text with the context it was asked for,
// so a context that does not match what lupdate collects shows up here.

#include "UiTestSupport.h"
#include "discs/Catalog.h"
#include "core/ProgramTexts.h"
#include "ui/main/Form2.h"
#include "ui/main/Form3.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <QTranslator>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// Translates every text into "[context] text".
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return QLatin1Char('[') + QLatin1String(context) + QStringLiteral("] ")
            + QString::fromUtf8(sourceText);
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QCoreApplication::installTranslator(&m_translator); }
    void cleanup() { QCoreApplication::removeTranslator(&m_translator); }

    void sharedTextsAndErrors()
    {
        QCOMPARE(RuntimeError(FileNotFound).description(),
                 QStringLiteral("[kobrix::RuntimeError] File not found"));
        QCOMPARE(ProgramTexts::readErrorHeading(),
                 QStringLiteral("[kobrix::ProgramTexts] Error Reading file"));
        QCOMPARE(ProgramTexts::scanErrorHeading(QStringLiteral("/d")),
                 QStringLiteral("[kobrix::ProgramTexts] Error scanning /d"));
        // The program's name is not translated.
        QCOMPARE(ProgramTexts::programTitle(), QStringLiteral("Kobrix"));
    }

    void windowCaptions()
    {
        RecordingMessageBoxService messages;
        Form2 start(messages, [](WorkMode) { return PreparedMainWindow(); });
        QCOMPARE(start.Option3->text(),
                 QStringLiteral("[kobrix::Form2] Search an Existing CD Catalog"));
        QCOMPARE(start.Text1->text(), QStringLiteral("[kobrix::Form2] Enter Catalog name here"));

        Catalog catalog;
        Form3 search(catalog, messages);
        QCOMPARE(search.Label1->text(), QStringLiteral("[kobrix::Form3] Find what?"));
        QCOMPARE(search.Command1->text(), QStringLiteral("[kobrix::Form3] Find "));
    }

    // The drive-unavailable text is held in a constant marked for lupdate
    // with the main window's context; the window's tr() must find it there.
    void textHeldInAConstant()
    {
        Form1Harness w(WorkMode::NewCatalog,
                       [](ScriptedServices &io) { io.drives.addCdDrive(QStringLiteral("D:\\")); });
        w.form->ScanDrive(QStringLiteral("D:\\"));
        QVERIFY(w.io.messages.last());
        QCOMPARE(w.io.messages.last()->text,
                 QStringLiteral("[kobrix::Form1] This Drive is unavailable Please insert a CD or "
                                "Close the CD Drive Door"));
        QCOMPARE(w.io.messages.last()->title, QStringLiteral("Kobrix"));
    }

private:
    MarkingTranslator m_translator;
};

QTEST_MAIN(TestTranslation)
#include "tst_ui_translation.moc"
