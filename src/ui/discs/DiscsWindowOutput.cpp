// "Export..." and "Print..." of the Discs window.

#include "ui/discs/DiscsWindowOutput.h"

#include "catalog/CatalogFileSystem.h"
#include "discs/DiscIndex.h"
#include "core/ProgramTexts.h"
#include "export/ExportFile.h"
#include "session/Task.h"
#include "ui/common/CommonDialog.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/discs/LineGroupsModel.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PrintPreview.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSettings>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace kobrix {

namespace {

// The filter's formats, in its order (the filter index counts from 1).
constexpr ExportFormat kFilterFormats[] = {ExportFormat::Csv, ExportFormat::Html,
                                           ExportFormat::Pdf};

int filterIndexOf(ExportFormat format)
{
    const auto *found = std::find(std::begin(kFilterFormats), std::end(kFilterFormats), format);
    return int(found - std::begin(kFilterFormats)) + 1;
}

QString extensionOf(int filterIndex)
{
    switch (kFilterFormats[std::clamp(filterIndex, 1, int(std::size(kFilterFormats))) - 1]) {
    case ExportFormat::Csv: return QStringLiteral(".csv");
    case ExportFormat::Html: return QStringLiteral(".html");
    case ExportFormat::Pdf: break;
    }
    return QStringLiteral(".pdf");
}

// Gives the discs of content their catalogs, where the window shows several.
void nameCatalogs(ExportContent &content, const std::vector<QString> &catalogs)
{
    for (qsizetype i = 0; i < content.discCount(); ++i) {
        const qsizetype disc = content.disc(i).indexDisc;
        if (disc >= 0 && std::size_t(disc) < catalogs.size())
            content.setDiscCatalog(i, catalogs[std::size_t(disc)]);
    }
}

// The folder the last export of this session went to, where the program
// keeps no settings: each Discs window is new, the folder chosen stays for
// the next.
QString &lastExportFolder()
{
    static QString folder;
    return folder;
}

// Kept in the settings beside the window's layout.
const QString kExportFolderKey = QStringLiteral("DiscsWindow/exportFolder");
const QString kExportFormatKey = QStringLiteral("DiscsWindow/exportFormat");
const QString kPrintPaperKey = QStringLiteral("DiscsWindow/printPaper");

} // namespace

DiscsWindowOutput::DiscsWindowOutput(DiscsWindow &window, const UiServices &services,
                                     QBoxLayout &row, const WindowControls &controls)
    : QObject(&window)
    , m_window(window)
    , m_services(services)
    , m_controls(controls)
{
    setObjectName(QStringLiteral("output"));
    m_status = new QLabel(&window);
    m_status->setObjectName(QStringLiteral("outputStatus"));
    m_status->setAccessibleName(tr("Export status"));
    // The path of an export can be copied from it.
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_exportButton = new QPushButton(tr("&Export..."), &window);
    m_exportButton->setObjectName(QStringLiteral("exportButton"));
    m_exportButton->setAccessibleName(tr("Export"));
    m_exportButton->setAccessibleDescription(
        tr("Writes the whole catalog, the selected discs or the search results to a CSV, "
           "HTML or PDF file"));
    m_exportButton->setAutoDefault(false);
    // Whether a press of the button began while exporting, noted before the
    // button's menu opens on the same press (slots run in the order they
    // were connected, and setMenu() connects the menu's).
    connect(m_exportButton, &QPushButton::pressed, this, [this] { m_stopPressed = m_exporting; });
    m_exportMenu = new QMenu(m_exportButton);
    m_exportMenu->setObjectName(QStringLiteral("exportMenu"));
    m_exportMenu->setAccessibleName(tr("Export"));
    m_exportWhole = m_exportMenu->addAction(tr("&Whole Catalog..."));
    m_exportWhole->setObjectName(QStringLiteral("exportWhole"));
    m_exportSelected = m_exportMenu->addAction(tr("&Selected Discs..."));
    m_exportSelected->setObjectName(QStringLiteral("exportSelected"));
    m_exportResults = m_exportMenu->addAction(tr("Search &Results..."));
    m_exportResults->setObjectName(QStringLiteral("exportResults"));
    m_exportButton->setMenu(m_exportMenu);

    m_printButton = new QPushButton(tr("P&rint..."), &window);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_printButton->setAccessibleName(tr("Print"));
    m_printButton->setAccessibleDescription(
        tr("Prints the selected discs, or the disc shown, with a preview"));
    m_printButton->setAutoDefault(false);
    m_printMenu = new QMenu(m_printButton);
    m_printMenu->setObjectName(QStringLiteral("printMenu"));
    m_printMenu->setAccessibleName(tr("Print"));
    m_printA4 = m_printMenu->addAction(tr("On &A4 Paper..."));
    m_printA4->setObjectName(QStringLiteral("printA4"));
    m_printLetter = m_printMenu->addAction(tr("On &Letter Paper..."));
    m_printLetter->setObjectName(QStringLiteral("printLetter"));
    m_printBooklet = m_printMenu->addAction(tr("As a CD &Case Booklet..."));
    m_printBooklet->setObjectName(QStringLiteral("printBooklet"));
    m_printBooklet->setToolTip(tr("Pages of 120 x 120 mm that fit a CD case"));
    m_printButton->setMenu(m_printMenu);
    // The paper printed on last is the menu's default, for the next print.
    if (m_services.settings) {
        m_filterIndex = std::clamp(m_services.settings->value(kExportFormatKey, 1).toInt(), 1,
                                   int(std::size(kFilterFormats)));
        const QVariant paper = m_services.settings->value(kPrintPaperKey);
        if (paper.isValid())
            m_printMenu->setDefaultAction(paperAction(ListingPaper(paper.toInt())));
    }
    // Without a print preview (a build without printing) there is no printing.
    m_printButton->setVisible(m_services.printPreview != nullptr);

    row.addWidget(m_status, 1);
    row.addWidget(m_exportButton);
    row.addWidget(m_printButton);
    QWidget::setTabOrder(m_exportButton, m_printButton);
    QWidget::setTabOrder(m_printButton, m_controls.closeButton);

    m_task = new Task(this);
    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(100);
    connect(m_progressTimer, &QTimer::timeout, this, &DiscsWindowOutput::showProgress);
    // Esc stops an export instead of closing the window; at rest it is off
    // and closes the window as before.
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &DiscsWindowOutput::cancelExport);

    connect(m_exportWhole, &QAction::triggered, this, [this] { exportScope(Scope::WholeCatalog); });
    connect(m_exportSelected, &QAction::triggered, this,
            [this] { exportScope(Scope::SelectedDiscs); });
    connect(m_exportResults, &QAction::triggered, this,
            [this] { exportScope(Scope::SearchResults); });
    // While exporting the button has no menu: a click stops the export. Only
    // a click pressed down while the export runs: the press (or mnemonic)
    // that opened the menu ends in a click after the export has started,
    // and must not stop it. (The press is noted before the menu opens: see
    // the constructor.)
    connect(m_exportButton, &QPushButton::clicked, this, [this] {
        if (m_exporting && m_stopPressed)
            cancelExport();
        m_stopPressed = false;
    });
    connect(m_printA4, &QAction::triggered, this, [this] { print(ListingPaper::A4); });
    connect(m_printLetter, &QAction::triggered, this, [this] { print(ListingPaper::Letter); });
    connect(m_printBooklet, &QAction::triggered, this, [this] { print(ListingPaper::CdBooklet); });

    connect(m_exportMenu, &QMenu::aboutToShow, this, &DiscsWindowOutput::updateActions);
    connect(m_printMenu, &QMenu::aboutToShow, this, &DiscsWindowOutput::updateActions);
    // Enter prints on the paper used last.
    connect(m_printMenu, &QMenu::aboutToShow, this, [this] {
        if (QAction *last = m_printMenu->defaultAction(); last && last->isEnabled())
            m_printMenu->setActiveAction(last);
    });
    connect(&window, &DiscsWindow::ready, this, &DiscsWindowOutput::updateActions);
    connect(&window, &DiscsWindow::searchFinished, this, &DiscsWindowOutput::updateActions);
    connect(window.hitsModel(), &QAbstractItemModel::modelReset, this,
            &DiscsWindowOutput::updateActions);
    connect(m_controls.discList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DiscsWindowOutput::updateActions);
    updateActions();
}

DiscsWindowOutput::~DiscsWindowOutput()
{
    stop();
}

void DiscsWindowOutput::stop()
{
    m_task->cancel();
}

std::vector<qsizetype> DiscsWindowOutput::selectedDiscs(bool orCurrent) const
{
    std::vector<qsizetype> discs;
    if (!m_window.index())
        return discs;
    QModelIndexList rows = m_controls.discList->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &row : std::as_const(rows))
        discs.push_back(m_window.discListModel()->discAt(row.row()));
    if (discs.empty() && orCurrent && m_window.currentDisc() >= 0)
        discs.push_back(m_window.currentDisc());
    return discs;
}

void DiscsWindowOutput::updateActions()
{
    // While catalogs are added the lines are about to be replaced: nothing
    // may start reading them; while an export reads them no catalog may be
    // added.
    const bool ready = m_window.index() != nullptr && !m_window.isAddingCatalogs();
    m_controls.addButton->setEnabled(m_window.isReady() && !m_window.isAddingCatalogs()
                                   && !m_exporting);
    m_exportButton->setEnabled(ready || m_exporting);
    m_exportWhole->setEnabled(ready && !m_exporting);
    const bool chosen = !selectedDiscs(false).empty();
    m_exportSelected->setEnabled(ready && !m_exporting && chosen);
    m_exportResults->setEnabled(ready && !m_exporting && m_window.hitsModel()->totalLines() > 0);
    // Print takes the disc shown when none is chosen.
    const bool printable = ready && (chosen || m_window.currentDisc() >= 0);
    m_printButton->setEnabled(printable);
    for (QAction *action : {m_printA4, m_printLetter, m_printBooklet})
        action->setEnabled(printable);
}

QString DiscsWindowOutput::proposedName() const
{
    QString base = QFileInfo(m_window.catalogName()).completeBaseName();
    if (base.isEmpty())
        base = tr("Catalog");
    const QString name = base + extensionOf(m_filterIndex);
    const QString folder = exportFolder();
    return folder.isEmpty() ? name : QDir::toNativeSeparators(QDir(folder).filePath(name));
}

QString DiscsWindowOutput::exportFolder() const
{
    return m_services.settings ? m_services.settings->value(kExportFolderKey).toString()
                               : lastExportFolder();
}

void DiscsWindowOutput::setExportFolder(const QString &folder)
{
    if (m_services.settings)
        m_services.settings->setValue(kExportFolderKey, folder);
    else
        lastExportFolder() = folder;
}

QAction *DiscsWindowOutput::paperAction(ListingPaper paper) const
{
    switch (paper) {
    case ListingPaper::A4: return m_printA4;
    case ListingPaper::Letter: return m_printLetter;
    case ListingPaper::CdBooklet: return m_printBooklet;
    }
    return nullptr;
}

void DiscsWindowOutput::exportScope(Scope scope)
{
    if (!m_window.index() || m_window.isAddingCatalogs() || m_exporting
        || !m_services.fileDialogs)
        return;
    Request request{scope, {}, QString(), ExportFormat::Csv, m_window.exportTitle(),
                    m_window.exportDiscCatalogs()};
    switch (scope) {
    case Scope::WholeCatalog: break;
    case Scope::SelectedDiscs: request.which = selectedDiscs(false); break;
    case Scope::SearchResults:
        for (const LineGroupsModel::Group &group : m_window.hitsModel()->groups())
            request.which.insert(request.which.end(), group.lines.begin(), group.lines.end());
        break;
    }
    if (scope != Scope::WholeCatalog && request.which.empty())
        return;

    FileDialogRequest dialog;
    dialog.mode = FileDialogMode::Save;
    dialog.flags = OverwritePrompt | HideReadOnly | PathMustExist;
    dialog.fileName = proposedName();
    dialog.title = scope == Scope::WholeCatalog    ? tr("Export Whole Catalog")
                   : scope == Scope::SelectedDiscs ? tr("Export Selected Discs")
                                                   : tr("Export Search Results");
    dialog.filter = tr("CSV Files (*.csv)|*.csv|Web Pages (*.html)|*.html|"
                       "PDF Documents (*.pdf)|*.pdf");
    dialog.filterIndex = m_filterIndex;
    const std::optional<QString> chosen = m_services.fileDialogs->run(&m_window, dialog);
    if (!chosen)
        return; // cancelled
    const std::optional<ExportFormat> format = exportFormatOfPath(*chosen);
    if (!format) {
        m_services.messages->show(
            &m_window, ProgramTexts::programTitle(),
            tr("%1 does not end in .csv, .html or .pdf, which tell the format of the export. "
               "Nothing was written.")
                .arg(QDir::toNativeSeparators(*chosen)),
            MessageIcon::Exclamation);
        return;
    }
    setExportFolder(QFileInfo(QDir::fromNativeSeparators(*chosen)).absolutePath());
    // The export would replace a catalog it reads, under this name or
    // through a link.
    for (const DiscsWindow::CatalogPart &part : m_window.catalogs()) {
        if (!part.path.isEmpty()
            && filesystem::isSameFileAs(QDir::fromNativeSeparators(*chosen), part.path)) {
            m_services.messages->show(
                &m_window, ProgramTexts::programTitle(),
                ProgramTexts::exportOntoCatalog(QDir::toNativeSeparators(*chosen)),
                MessageIcon::Exclamation);
            return;
        }
    }
    request.path = *chosen;
    request.format = *format;
    m_filterIndex = filterIndexOf(*format);
    if (m_services.settings)
        m_services.settings->setValue(kExportFormatKey, m_filterIndex);
    startExport(std::move(request));
}

void DiscsWindowOutput::startExport(Request request)
{
    m_exporting = true;
    m_exportPath = request.path;
    m_progress = std::make_shared<Progress>();
    const LineStore *lines = &m_window.lines();
    const DiscIndex *index = m_window.index();
    auto shared = std::make_shared<Request>(std::move(request));
    // The content is gathered on the worker too: for a whole catalog of
    // millions of lines that is a noticeable moment.
    m_task->run(
        [lines, index, shared, progress = m_progress](TaskControl &control) {
            const Request &r = *shared;
            ExportContent content =
                r.scope == Scope::WholeCatalog
                    ? ExportContent::wholeCatalog(*lines, *index)
                : r.scope == Scope::SelectedDiscs
                    ? ExportContent::selectedDiscs(*lines, *index, r.which)
                    : ExportContent::selectedLines(*lines, *index, r.which);
            nameCatalogs(content, r.discCatalogs);
            progress->total = content.lineCount();
            ExportOptions options;
            options.title = r.title;
            options.progress = [progress, &control](qsizetype written, qsizetype total) {
                progress->written = written;
                progress->total = total;
                return !control.stopRequested();
            };
            const ExportFileResult written = writeExportFile(r.path, r.format, content, options);
            return Outcome{written.result, written.reason, content.lineCount(), content.discCount()};
        },
        [this, shared](const Outcome &outcome) { exportDone(*shared, outcome); });

    m_exportButton->setMenu(nullptr);
    m_exportButton->setText(tr("Stop &Export"));
    m_exportButton->setAccessibleName(tr("Stop Export"));
    m_escape->setEnabled(true);
    updateActions();
    showProgress();
    m_progressTimer->start();
}

void DiscsWindowOutput::showProgress()
{
    if (!m_exporting)
        return;
    const qsizetype total = m_progress->total;
    const QString file = QFileInfo(m_exportPath).fileName();
    if (total > 0)
        m_status->setText(tr("Exporting to %1... %2% (Esc stops)")
                            .arg(file)
                            .arg(std::min<qsizetype>(100, m_progress->written * 100 / total)));
    else
        m_status->setText(tr("Exporting to %1... (Esc stops)").arg(file));
}

void DiscsWindowOutput::cancelExport()
{
    if (m_exporting)
        m_task->requestStop();
}

void DiscsWindowOutput::exportDone(const Request &request, const Outcome &outcome)
{
    m_exporting = false;
    m_progressTimer->stop();
    m_escape->setEnabled(false);
    m_exportButton->setText(tr("&Export..."));
    m_exportButton->setAccessibleName(tr("Export"));
    m_exportButton->setMenu(m_exportMenu);
    updateActions();

    const QString file = QFileInfo(request.path).fileName();
    const QLocale locale;
    m_status->setToolTip(QDir::toNativeSeparators(request.path));
    switch (outcome.result) {
    case ExportResult::Written:
        m_status->setText(tr("Exported %1 file(s) of %2 disc(s) to %3")
                            .arg(locale.toString(outcome.lines), locale.toString(outcome.discs),
                                 file));
        break;
    case ExportResult::Cancelled:
        m_status->setText(tr("Export stopped: %1 was not written").arg(file));
        break;
    case ExportResult::WriteFailed:
        m_status->setText(tr("Export failed: %1 was not written").arg(file));
        m_services.messages->show(
            &m_window, ProgramTexts::programTitle(),
            ProgramTexts::exportWriteFailed(QDir::toNativeSeparators(request.path),
                                            outcome.reason),
            MessageIcon::Critical);
        break;
    }
    emit exportFinished(outcome.result);
}

void DiscsWindowOutput::print(ListingPaper paper)
{
    if (!m_services.printPreview || !m_window.index() || m_window.isAddingCatalogs())
        return;
    const std::vector<qsizetype> discs = selectedDiscs(true);
    if (discs.empty())
        return;
    m_printMenu->setDefaultAction(paperAction(paper));
    if (m_services.settings)
        m_services.settings->setValue(kPrintPaperKey, int(paper));
    ExportContent content =
        ExportContent::selectedDiscs(m_window.lines(), *m_window.index(), discs);
    nameCatalogs(content, m_window.exportDiscCatalogs());
    // On a booklet the disc's name stands on top; on paper the catalog's
    // name heads every page as well.
    ExportOptions options;
    if (paper != ListingPaper::CdBooklet)
        options.title = m_window.exportTitle();
    const ListingStyle style = listingStyle(paper);
    const QString name = discs.size() == 1 ? m_window.discListModel()->discName(discs.front())
                                           : m_window.exportTitle();
    // The document's name is the file name "Print to File" proposes (Qt
    // puts ".pdf" in place of what follows its last dot): one disc's own
    // name, one catalog's, or for several catalogs one name for all.
    const qsizetype catalogs = qsizetype(m_window.catalogs().size());
    const QString document = discs.size() == 1
        ? m_window.discListModel()->ownName(discs.front())
        : catalogs > 1 ? tr("Discs of %1 catalogs").arg(QLocale().toString(catalogs))
                       : name;
    bool failed = false;
    m_services.printPreview->preview(&m_window, document, listingPageLayout(paper),
                                     [&](QPagedPaintDevice &device) {
                                         if (paintListing(content, device, options, style)
                                             == ExportResult::WriteFailed)
                                             failed = true;
                                     });
    if (failed)
        m_services.messages->show(&m_window, ProgramTexts::programTitle(),
                                  tr("The pages of %1 could not be printed.").arg(name),
                                  MessageIcon::Critical);
}

} // namespace kobrix
