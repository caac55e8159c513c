// The Discs window with several catalogs: asking for them, adding them
// through the session, reporting what could not be read, and naming each
// disc's catalog.

#include "ui/discs/DiscsWindow.h"

#include "core/ProgramTexts.h"
#include "discs/DiscIndex.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscsWindowOutput.h"
#include "ui/discs/FoldersPage.h"

#include <QFileInfo>
#include <QLocale>
#include <QPushButton>

namespace kobrix {

QString DiscsWindow::discLabel(qsizetype disc) const
{
    return m_discs->discName(disc);
}

std::vector<QString> DiscsWindow::exportDiscCatalogs() const
{
    std::vector<QString> names;
    if (catalogs().size() < 2 || !index())
        return names;
    names.reserve(std::size_t(index()->count()));
    for (qsizetype disc = 0; disc < index()->count(); ++disc)
        names.push_back(m_discs->catalogName(disc));
    return names;
}

QString DiscsWindow::exportTitle() const
{
    QStringList names;
    for (const CatalogPart &part : catalogs())
        names << part.name;
    return names.isEmpty() ? catalogName() : names.join(QStringLiteral(", "));
}

void DiscsWindow::chooseCatalogFiles()
{
    if (!m_services.fileDialogs)
        return;
    FileDialogRequest request =
        existingCatalogRequest(catalogs().empty() ? QString() : catalogs().back().path);
    request.mode = FileDialogMode::OpenSeveral;
    request.title = tr("Add Catalogs");
    if (const std::optional<QStringList> chosen = m_services.fileDialogs->runSeveral(this, request))
        addCatalogs(*chosen);
}

void DiscsWindow::chooseCatalogFolder()
{
    if (!m_services.fileDialogs)
        return;
    FileDialogRequest request;
    request.mode = FileDialogMode::Folder;
    request.fileName =
        catalogs().empty() ? QString() : QFileInfo(catalogs().back().path).absolutePath();
    request.title = tr("Add All Catalogs in a Folder");
    if (const std::optional<QString> chosen = m_services.fileDialogs->run(this, request))
        addCatalogs({*chosen});
}

void DiscsWindow::addCatalogs(const QStringList &filesAndFolders)
{
    // An export reads the lines on a worker: they stay until it is over.
    if (m_output->isExporting())
        return;
    if (m_session->addCatalogs(filesAndFolders) && isAddingCatalogs())
        m_addButton->setEnabled(false);
}

// The session dropped what it found in the old lines: the views let go of
// them too.
void DiscsWindow::linesReplaced()
{
    m_discs->setIndex(nullptr);
    m_folders->clear();
}

void DiscsWindow::addFinished(const CatalogSession::AddReport &report)
{
    if (!report.changed) {
        // Nothing could be read: the window stays as it was.
        if (isReady()) {
            m_addButton->setEnabled(!m_output->isExporting());
            showTotals();
        }
        reportAddFailures(report);
        emit catalogsAdded();
        return;
    }
    setWindowTitle(tr("Discs - %1 catalogs").arg(QLocale().toString(qsizetype(catalogs().size()))));
    reportAddFailures(report);
    // Over once the discs are counted.
    connect(this, &DiscsWindow::ready, this, &DiscsWindow::catalogsAdded, Qt::SingleShotConnection);
}

void DiscsWindow::reportAddFailures(const CatalogSession::AddReport &report)
{
    // Each in a box of its own, after the reading is over: a box shown
    // in the middle would let the slices run on beneath it.
    for (const CatalogSession::Failure &failure : report.failures) {
        m_messages.show(this, ProgramTexts::programTitle(),
                        failure.shown + QStringLiteral("\r\r")
                            + errorMessageText(ProgramTexts::readErrorHeading(), failure.error),
                        MessageIcon::Critical);
    }
    for (const QString &folder : report.emptyFolders) {
        m_messages.show(this, ProgramTexts::programTitle(),
                        tr("No catalog (*.cdc) was found in %1.").arg(folder),
                        MessageIcon::Information);
    }
    if (report.nothingNew) {
        m_messages.show(this, ProgramTexts::programTitle(),
                        tr("The catalogs chosen are shown already."), MessageIcon::Information);
    }
}

} // namespace kobrix
