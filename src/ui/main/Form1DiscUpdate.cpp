// The main window's part in bringing a disc of a catalog up to date and in
// recognising a scanned disc: "Update Disc in Catalog..." in the File menu,
// the confirmation of the changes, and the notice in the status bar that
// the disc just scanned is already in the catalog. The reading, comparing
// and writing are the core's (DiscUpdate, MainSession).

#include "ui/main/Form1.h"

#include "catalog/DiscUpdate.h"
#include "core/ProgramTexts.h"
#include "ui/common/CommonDialog.h"
#include "ui/main/DiscUpdateDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/main/MainStatusBar.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QToolButton>

namespace kobrix {

namespace {

QString catalogFileName(const QString &path) { return QFileInfo(path).fileName(); }

} // namespace

void Form1::createDiscUpdateControls()
{
    updateDiscAction = new QAction(tr("&Update Disc in Catalog..."), this);
    updateDiscAction->setObjectName(QStringLiteral("updateDiscAction"));
    updateDiscAction->setToolTip(tr("Replace the disc's files in a catalog with the disc as scanned now"));
    // Beside the other commands that read discs, above "&Find".
    mnuFile->menu()->insertAction(mnuFind, updateDiscAction);
    connect(updateDiscAction, &QAction::triggered, this, &Form1::updateDiscInCatalog);
    connect(m_statusBar->noticeButton(), &QToolButton::clicked, this, &Form1::updateRecognisedDisc);

    connect(&m_session, &MainSession::discRecognised, this,
            [this](const QString &disc, const QString &catalog, qsizetype shared, qsizetype files) {
                const QLocale locale;
                showDiscNotice(tr("Already in %1 as \"%2\" (%3 of %4 files)")
                                   .arg(catalogFileName(catalog), disc, locale.toString(shared),
                                        locale.toString(files)),
                               true);
            });
}

QString Form1::recognitionCatalog() const { return m_session.recognitionCatalog(); }

DiscUpdateDialog *Form1::discUpdateDialog() const { return m_updateDialog.data(); }

bool Form1::isRecognising() const { return m_session.isRecognising(); }

void Form1::updateDiscInCatalog()
{
    // The checks of "Write Catalog...", with its messages.
    if (!checkDiscName())
        return;
    if (list2Lines().count() <= 0) {
        showMessage(tr("Error"), ProgramTexts::emptyListing(), MessageIcon::Critical);
        return;
    }
    if (!m_services.fileDialogs)
        return;
    // An existing catalog, proposed as the one the disc was found in or
    // the one in use; the main window's file dialog keeps its settings for
    // the writer's next use.
    FileDialogRequest request = existingCatalogRequest(
        !m_session.recognisedCatalog().isEmpty() ? m_session.recognisedCatalog()
                                                  : m_session.knownCatalogFile());
    request.title = tr("Update Disc in Catalog");
    const std::optional<QString> chosen = m_services.fileDialogs->run(this, request);
    if (!chosen)
        return; // cancelled: nothing read, nothing changed
    prepareDiscUpdate(*chosen);
}

void Form1::updateRecognisedDisc()
{
    if (m_session.recognisedCatalog().isEmpty() || !updateDiscAction->isEnabled())
        return;
    // The disc is the one the notice names.
    Text2->setText(m_session.recognisedDisc());
    if (list2Lines().count() <= 0)
        return;
    prepareDiscUpdate(m_session.recognisedCatalog());
}

void Form1::prepareDiscUpdate(const QString &catalogPath)
{
    if (const MainSession::UpdateProblem problem =
            m_session.prepareUpdate(catalogPath, Text2->text())) {
        showUpdateProblem(problem, ProgramTexts::readErrorHeading());
        return;
    }
    // Modal over the main window, as the search window is: nothing changes
    // the listing while the user looks at the changes.
    auto *dialog = new DiscUpdateDialog(DiscUpdateSummary::of(*m_session.pendingUpdate()), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    connect(dialog, &QDialog::accepted, this, &Form1::applyDiscUpdate);
    connect(dialog, &QDialog::rejected, this, [this] { m_session.dropUpdate(); });
    m_updateDialog = dialog;
    dialog->show();
}

void Form1::showUpdateProblem(const MainSession::UpdateProblem &problem, const QString &heading)
{
    if (problem.problem == DiscUpdate::Problem::CatalogError)
        showMessage(ProgramTexts::programTitle(), errorMessageText(heading, problem.error),
                    MessageIcon::Critical);
    else
        showMessage(ProgramTexts::programTitle(), problem.text, MessageIcon::Exclamation);
}

void Form1::applyDiscUpdate()
{
    MainSession::UpdateProblem problem;
    const std::unique_ptr<DiscUpdate> update = m_session.applyUpdate(problem);
    if (!update)
        return;
    if (problem) {
        showUpdateProblem(problem, ProgramTexts::writeErrorHeading());
        return;
    }
    showDiscNotice(tr("Updated \"%1\" in %2: %3")
                       .arg(update->discName(), catalogFileName(update->catalogPath()),
                            ProgramTexts::updateCounts(update->addedCount(), update->removedCount(),
                                                       update->unchangedCount())),
                   false);
}

void Form1::showDiscNotice(const QString &text, bool offerUpdate)
{
    m_statusBar->showNotice(text, offerUpdate);
}

void Form1::forgetDiscNotice()
{
    m_session.forgetRecognition();
    m_statusBar->hideNotice();
}

} // namespace kobrix
