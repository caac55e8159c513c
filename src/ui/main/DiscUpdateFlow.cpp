#include "ui/main/DiscUpdateFlow.h"

#include "catalog/DiscUpdate.h"
#include "core/ProgramTexts.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/main/DiscUpdateDialog.h"
#include "ui/main/Form1.h"
#include "ui/main/MainStatusBar.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QToolButton>

namespace kobrix {

namespace {

QString catalogFileName(const QString &path) { return QFileInfo(path).fileName(); }

} // namespace

DiscUpdateFlow::DiscUpdateFlow(Form1 &window, MainSession &session, const UiServices &services)
    : QObject(&window), m_window(window), m_session(session), m_services(services)
{
    QAction *action = new QAction(Form1::tr("&Update Disc in Catalog..."), &window);
    action->setObjectName(QStringLiteral("updateDiscAction"));
    action->setToolTip(
        Form1::tr("Replace the disc's files in a catalog with the disc as scanned now"));
    // Beside the other commands that read discs, above "&Find".
    window.mnuFile->menu()->insertAction(window.mnuFind, action);
    window.updateDiscAction = action;
    connect(action, &QAction::triggered, this, &DiscUpdateFlow::updateDiscInCatalog);
    connect(window.discNoticeButton, &QToolButton::clicked, this,
            &DiscUpdateFlow::updateRecognisedDisc);

    connect(&session, &MainSession::discRecognised, this,
            [this](const QString &disc, const QString &catalog, qsizetype shared, qsizetype files) {
                const QLocale locale;
                m_window.StatusBar1->showNotice(
                    Form1::tr("Already in %1 as \"%2\" (%3 of %4 files)")
                        .arg(catalogFileName(catalog), disc, locale.toString(shared),
                             locale.toString(files)),
                    true);
            });
}

DiscUpdateDialog *DiscUpdateFlow::dialog() const { return m_dialog.data(); }

void DiscUpdateFlow::updateDiscInCatalog()
{
    // The checks of "Write Catalog...", with its messages.
    if (!m_window.checkDiscName())
        return;
    if (m_session.catalog().lines().count() <= 0) {
        m_window.showMessage(Form1::tr("Error"), ProgramTexts::emptyListing(),
                             MessageIcon::Critical);
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
    request.title = Form1::tr("Update Disc in Catalog");
    const std::optional<QString> chosen = m_services.fileDialogs->run(&m_window, request);
    if (!chosen)
        return; // cancelled: nothing read, nothing changed
    prepare(*chosen);
}

void DiscUpdateFlow::updateRecognisedDisc()
{
    if (m_session.recognisedCatalog().isEmpty() || !m_window.updateDiscAction->isEnabled())
        return;
    // The disc is the one the notice names.
    m_window.Text2->setText(m_session.recognisedDisc());
    if (m_session.catalog().lines().count() <= 0)
        return;
    prepare(m_session.recognisedCatalog());
}

void DiscUpdateFlow::prepare(const QString &catalogPath)
{
    if (const MainSession::UpdateProblem problem =
            m_session.prepareUpdate(catalogPath, m_window.Text2->text())) {
        showProblem(problem, ProgramTexts::readErrorHeading());
        return;
    }
    // Modal over the main window, as the search window is: nothing changes
    // the listing while the user looks at the changes.
    auto *dialog =
        new DiscUpdateDialog(DiscUpdateSummary::of(*m_session.pendingUpdate()), &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    connect(dialog, &QDialog::accepted, this, &DiscUpdateFlow::apply);
    connect(dialog, &QDialog::rejected, this, [this] { m_session.dropUpdate(); });
    m_dialog = dialog;
    dialog->show();
}

void DiscUpdateFlow::showProblem(const MainSession::UpdateProblem &problem,
                                 const QString &heading)
{
    if (problem.problem == DiscUpdate::Problem::CatalogError)
        m_window.showMessage(ProgramTexts::programTitle(),
                             errorMessageText(heading, problem.error), MessageIcon::Critical);
    else
        m_window.showMessage(ProgramTexts::programTitle(), problem.text,
                             MessageIcon::Exclamation);
}

void DiscUpdateFlow::apply()
{
    MainSession::UpdateProblem problem;
    const std::unique_ptr<DiscUpdate> update = m_session.applyUpdate(problem);
    if (!update)
        return;
    if (problem) {
        showProblem(problem, ProgramTexts::writeErrorHeading());
        return;
    }
    // The catalog was written: it goes first among the recent ones.
    emit m_window.catalogUsed(update->catalogPath());
    m_window.StatusBar1->showNotice(
        Form1::tr("Updated \"%1\" in %2: %3")
            .arg(update->discName(), catalogFileName(update->catalogPath()),
                 ProgramTexts::updateCounts(update->addedCount(), update->removedCount(),
                                            update->unchangedCount())),
        false);
}

} // namespace kobrix
