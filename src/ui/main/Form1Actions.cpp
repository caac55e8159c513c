// The work of the main window: scanning a disc, writing and appending a
// catalog, loading one. The file and walk logic is the core's and the
// session's; these routines ask for names, call it and report.

#include "ui/main/Form1.h"

#include "catalog/CatalogFile.h"
#include "core/ProgramTexts.h"
#include "platform/DriveSource.h"
#include "ui/common/LineStoreModel.h"
#include "ui/common/MessageBox.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>


namespace kobrix {

namespace {

QString title()
{
    return ProgramTexts::programTitle();
}
// The title of the empty-list report and of the general error of WriteList.
QString errorTitle()
{
    return Form1::tr("Error");
}
// The catalog filter last, where the filter index points.
QString appendFilter()
{
    return Form1::tr("All Files (*.*)|*.*|Text Files (*.txt)|*.txt") + QLatin1Char('|')
           + ProgramTexts::catalogFilter();
}
constexpr int kAppendFilterIndex = 3; // "CD Catalog Files (*.cdc)"

} // namespace

void Form1::clearScanLists()
{
    m_session.clearScanLists();
    m_list1Model->reset();
    m_list2Model->reset();
    forgetDiscNotice();
}

void Form1::scanNewCd()
{
    showMessage(title(), tr("Place The next CD in the CD-Drive and click OK"),
                MessageIcon::Information);
    clearScanLists();
    Text2->setText(QString());
    setStatusText(QString());
    m_session.nextDisc();
}

bool Form1::checkDiscName()
{
    // An empty name, or one the catalog could not give back.
    const QString problem = discNameProblem(Text2->text());
    if (problem.isEmpty())
        return true;
    showMessage(title(), problem, MessageIcon::Exclamation);
    return false;
}

void Form1::writeCatalogClicked()
{
    if (checkDiscName())
        WriteList();
}

void Form1::addToCatalogClicked()
{
    if (checkDiscName())
        AppendList();
}

void Form1::WriteList()
{
    if (list2Lines().count() <= 0) {
        showMessage(errorTitle(), ProgramTexts::emptyListing(), MessageIcon::Critical);
        return;
    }
    CommonDialog1.setFlags(kCatalogDialogFlags);
    CommonDialog1.setFileName(catalog().path());
    CommonDialog1.setFilter(ProgramTexts::catalogFilter());
    if (!CommonDialog1.showSave())
        return; // cancelled: nothing written, nothing changed

    // Every failure is reported, and the controls stay as they were: a
    // catalog that was not written must not look written.
    if (RuntimeError error = m_session.write(CommonDialog1.fileName(), Text2->text()))
        showMessage(errorTitle(), errorMessageText(ProgramTexts::writeErrorHeading(), error),
                    MessageIcon::Critical);
}

void Form1::AppendList()
{
    if (list2Lines().count() <= 0) {
        showMessage(errorTitle(), ProgramTexts::emptyListing(), MessageIcon::Critical);
        return;
    }
    // Flags and file name stay those of the dialog's previous use: the
    // catalog just loaded or written is proposed. Adding to a catalog
    // replaces nothing, so the dialog does not ask about replacing.
    CommonDialog1.setFilter(appendFilter());
    CommonDialog1.setFilterIndex(kAppendFilterIndex);
    if (!CommonDialog1.showSaveForAppend())
        return;

    if (RuntimeError error = m_session.append(CommonDialog1.fileName(), Text2->text()))
        showMessage(title(), errorMessageText(ProgramTexts::writeErrorHeading(), error),
                    MessageIcon::Critical);
}

void Form1::ReadList(const QString &fileName, bool clearFirst)
{
    CatalogReader reader;
    if (RuntimeError error = reader.open(fileName)) {
        // The list keeps its lines when the file cannot be opened.
        showMessage(title(), errorMessageText(ProgramTexts::readErrorHeading(), error),
                    MessageIcon::Critical);
        return;
    }
    Catalog &lines = catalog();
    if (clearFirst) {
        lines.lines().clear();
        m_list2Model->reset();
    }
    forgetDiscNotice();
    lines.setContent(Catalog::Content::CatalogLines);

    m_session.setLoading(true);
    bool finished = false;
    while (!finished) {
        finished = reader.readSome(lines.lines(), m_loadSlice);
        // The views hear of the new lines once per slice.
        m_list2Model->sync();
        lines.markLinesChanged();
        if (!finished) {
            // Other commands may run here; those that need the catalog file
            // find it open and say so.
            QCoreApplication::processEvents();
            if (m_session.loadStopRequested())
                break;
        }
    }
    m_session.setLoading(false);
    const RuntimeError error = reader.error();
    reader.close();
    m_list2Model->sync();
    if (error)
        showMessage(title(), errorMessageText(ProgramTexts::readErrorHeading(), error),
                    MessageIcon::Critical);
    deleteIfAskedDuringWork();
}

void Form1::deleteIfAskedDuringWork()
{
    if (!m_deleteAfterLoad || isLoading() || isScanning())
        return;
    // Asked for during a load or scan; deferred again, it is carried out
    // once the callers of the routine have returned as well. Qt drops a
    // second deleteLater() of the same object, so a helper object carries it.
    m_deleteAfterLoad = false;
    auto *deferred = new QObject;
    connect(deferred, &QObject::destroyed, this, [this] { delete this; });
    deferred->deleteLater();
}

void Form1::loadCatalog()
{
    CommonDialog1.setFlags(kCatalogDialogFlags);
    CommonDialog1.setFilter(ProgramTexts::catalogFilter());
    if (!CommonDialog1.showOpen())
        return; // cancelled: nothing read, nothing renamed
    const QString fileName = CommonDialog1.fileName();
    catalog().setPath(fileName);
    ReadList(fileName, true);
    // The window names the chosen file even when it could not be read.
    setWindowTitle(ProgramTexts::catalogCaption(fileName));
}

} // namespace kobrix
