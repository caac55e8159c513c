// The Discs window with several catalogs: asking for them, reading them in
// slices beside the lines shown, and naming each disc's catalog.

#include "ui/discs/DiscsWindow.h"

#include "catalog/CatalogFile.h"
#include "discs/Catalog.h"
#include "discs/DiscIndex.h"
#include "core/ProgramTexts.h"
#include "scan/CatalogPaths.h"
#include "search/Matcher.h"
#include "ui/common/BackgroundJob.h"
#include "ui/common/CommonDialog.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscsWindowOutput.h"
#include "ui/discs/DiscTreeModel.h"
#include "ui/discs/DuplicatesModel.h"
#include "ui/common/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <new>
#include <set>

namespace kobrix {

namespace {

// Two names of one file compare equal: its canonical path where it exists.
QString fileKey(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

QString DiscsWindow::discLabel(qsizetype disc) const
{
    return m_discs->discName(disc);
}

std::vector<QString> DiscsWindow::exportDiscCatalogs() const
{
    std::vector<QString> names;
    if (m_parts.size() < 2 || !m_index)
        return names;
    names.reserve(std::size_t(m_index->count()));
    for (qsizetype disc = 0; disc < m_index->count(); ++disc)
        names.push_back(m_discs->catalogName(disc));
    return names;
}

QString DiscsWindow::exportTitle() const
{
    QStringList names;
    for (const CatalogPart &part : m_parts)
        names << part.name;
    return names.isEmpty() ? m_catalogName : names.join(QStringLiteral(", "));
}

// A line as the other places list it: with its catalog's name when there
// are several.
QString DiscsWindow::lineLabel(qsizetype line) const
{
    const QString text = lines().at(line);
    if (m_parts.size() < 2 || !m_index)
        return text;
    return tr("%1 (%2)").arg(text, m_discs->catalogName(m_index->discOfLine(line)));
}

void DiscsWindow::chooseCatalogFiles()
{
    if (!m_services.fileDialogs)
        return;
    FileDialogRequest request =
        existingCatalogRequest(m_parts.empty() ? QString() : m_parts.back().path);
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
        m_parts.empty() ? QString() : QFileInfo(m_parts.back().path).absolutePath();
    request.title = tr("Add All Catalogs in a Folder");
    if (const std::optional<QString> chosen = m_services.fileDialogs->run(this, request))
        addCatalogs({*chosen});
}

void DiscsWindow::addCatalogs(const QStringList &filesAndFolders)
{
    // An export reads the lines on a worker: they stay until it is over.
    if (!isReady() || isAddingCatalogs() || (output && output->isExporting()))
        return;
    const CatalogPaths found(filesAndFolders);
    m_addFailures.clear();
    m_emptyFolders.clear();
    for (const UnreadableFolder &folder : found.unreadableFolders())
        m_addFailures.push_back({QString::fromUtf8(folder.shown), folder.error});
    for (const QString &given : filesAndFolders) {
        if (QFileInfo(given).isDir() && found.catalogs().empty())
            m_emptyFolders << QDir::toNativeSeparators(given);
    }
    std::set<QString> shown;
    for (const CatalogPart &part : m_parts)
        shown.insert(fileKey(part.path));
    m_toRead.clear();
    for (const CatalogPath &catalog : found.catalogs()) {
        if (shown.insert(fileKey(catalog.path)).second)
            m_toRead.push_back({catalog.path, QFileInfo(catalog.path).fileName(), 0, 0});
    }
    m_nothingNew = m_toRead.empty() && !found.catalogs().empty();
    if (m_toRead.empty()) {
        reportAddFailures();
        emit catalogsAdded();
        return;
    }
    // The new store starts with the lines shown, copied in a few blocks by
    // the worker; room for the files to come is taken at once, so that the
    // reading never moves the lines in hand (a pause of the window at every
    // catalog otherwise). Their lines are estimated as the reader does: at
    // most one per 16 bytes. Room never touched costs no memory.
    qint64 fileBytes = 0;
    for (const CatalogPart &part : m_toRead)
        fileBytes += std::max<qint64>(QFileInfo(part.path).size(), 0);
    m_growing = std::make_unique<Catalog>();
    m_growing->setContent(Catalog::Content::CatalogLines);
    m_growingParts = m_parts;
    addButton->setEnabled(false);
    totalsLabel->setText(tr("Reading %1...").arg(m_toRead.front().name));
    LineStore *target = &m_growing->lines();
    const LineStore *shownLines = &lines();
    m_copyJob->start(
        [target, shownLines, fileBytes] {
            try {
                const auto mostLines = std::size_t(fileBytes / 16);
                target->reserve(shownLines->byteSize() + std::size_t(fileBytes),
                                std::size_t(shownLines->count()) + mostLines);
                // The search keys of lines other than ASCII are about as
                // long as the lines.
                target->reserveNonAscii(shownLines->nonAsciiLines().size() + mostLines,
                                        shownLines->keyByteSize() + std::size_t(fileBytes));
            } catch (const std::bad_alloc &) {
                // Only an estimate: the lines may still fit as they come.
            }
            target->appendStore(*shownLines);
        },
        [this] { m_addTimer->start(); });
}

void DiscsWindow::addSlice()
{
    CatalogPart &part = m_toRead.front();
    LineStore &store = m_growing->lines();
    if (!m_reader) {
        totalsLabel->setText(tr("Reading %1...").arg(part.name));
        m_reader = std::make_unique<CatalogReader>();
        if (const RuntimeError error = m_reader->open(part.path)) {
            m_reader.reset();
            m_addFailures.push_back({QDir::toNativeSeparators(part.path), error});
            m_toRead.pop_front();
            if (m_toRead.empty())
                finishAdding();
            return;
        }
        part.firstLine = store.count();
    }
    if (!m_reader->readSome(store, m_sliceBudget))
        return; // more in the next round of events
    const RuntimeError error = m_reader->error();
    m_reader->close();
    m_reader.reset();
    part.lineCount = store.count() - part.firstLine;
    // What was read of a catalog that failed half-way is shown, as when the
    // window reads its first catalog.
    if (!error || part.lineCount > 0)
        m_growingParts.push_back(part);
    if (error)
        m_addFailures.push_back({QDir::toNativeSeparators(part.path), error});
    m_toRead.pop_front();
    if (m_toRead.empty())
        finishAdding();
}

void DiscsWindow::finishAdding()
{
    m_addTimer->stop();
    if (m_growingParts.size() == m_parts.size()) {
        // Nothing could be read: the window stays as it was.
        m_growing.reset();
        addButton->setEnabled(true);
        showTotals();
        reportAddFailures();
        emit catalogsAdded();
        return;
    }
    // Nothing may read the old lines and discs any more.
    m_searchTimer->stop();
    m_countJob->forget();
    m_otherJob->forget();
    m_duplicatesJob->forget();
    m_groupJob->forget();
    // A search shown is run again over all catalogs.
    m_searchAgain = !searchBox->text().isEmpty()
                    && (m_hits->rowCount() > 0 || !searchStatus->text().isEmpty());
    m_hits->clear();
    searchStatus->clear();
    m_otherPlaces->clear();
    m_wantedOtherLine = -1;
    m_duplicates->setDuplicates(nullptr, nullptr);
    m_byPath.reset();
    m_byName.reset();
    duplicatesStatus->clear();
    m_discs->setIndex(nullptr);
    m_tree->setTree(nullptr);
    folderHeading->clear();
    m_treeDisc = -1;
    m_index = nullptr;
    findButton->setEnabled(false);

    m_ownCatalog = std::move(m_growing);
    m_ownCatalog->markLinesChanged();
    m_catalog = m_ownCatalog.get();
    m_parts = std::move(m_growingParts);
    m_growingParts.clear();
    nameCatalogs();
    setWindowTitle(tr("Discs - %1 catalogs").arg(QLocale().toString(qsizetype(m_parts.size()))));
    countDiscs();
    reportAddFailures();
    // Over once the discs are counted.
    connect(this, &DiscsWindow::ready, this, &DiscsWindow::catalogsAdded,
            Qt::SingleShotConnection);
}

// Catalogs of the same file name in different folders are told apart by
// their paths.
void DiscsWindow::nameCatalogs()
{
    std::multiset<QString> names;
    for (CatalogPart &part : m_parts) {
        if (part.name.isEmpty())
            part.name = QDir::toNativeSeparators(part.path);
        names.insert(QFileInfo(part.path).fileName());
    }
    for (CatalogPart &part : m_parts) {
        const QString fileName = QFileInfo(part.path).fileName();
        if (!fileName.isEmpty() && names.count(fileName) > 1)
            part.name = QDir::toNativeSeparators(part.path);
    }
}

void DiscsWindow::reportAddFailures()
{
    // Each in a box of its own, after the reading is over: a box shown
    // in the middle would let the slices run on beneath it.
    std::vector<Failure> failures = std::move(m_addFailures);
    m_addFailures.clear();
    for (const Failure &failure : failures) {
        m_messages.show(this, ProgramTexts::programTitle(),
                        failure.shown + QStringLiteral("\r\r")
                            + errorMessageText(ProgramTexts::readErrorHeading(), failure.error),
                        MessageIcon::Critical);
    }
    for (const QString &folder : std::as_const(m_emptyFolders)) {
        m_messages.show(this, ProgramTexts::programTitle(),
                        tr("No catalog (*.cdc) was found in %1.").arg(folder),
                        MessageIcon::Information);
    }
    m_emptyFolders.clear();
    if (m_nothingNew) {
        m_nothingNew = false;
        m_messages.show(this, ProgramTexts::programTitle(),
                        tr("The catalogs chosen are shown already."), MessageIcon::Information);
    }
}

} // namespace kobrix
