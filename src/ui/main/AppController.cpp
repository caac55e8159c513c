#include "ui/main/AppController.h"

#include "ui/main/Form1.h"
#include "ui/main/Form3.h"
#include "ui/main/Form4.h"
#include "ui/main/WorkModeSettings.h"

namespace kobrix {

AppController::AppController(const UiServices &services, QObject *parent)
    : QObject(parent), m_services(services)
{
}

AppController::~AppController()
{
    // Windows still open when the program ends go with it.
    delete m_main.data();
    delete m_start.data();
}

void AppController::start(const QString &catalogFile)
{
    if (catalogFile.isEmpty()) {
        showStartDialog();
        return;
    }
    // The start dialog's own way of opening a catalog, without its question;
    // a catalog that cannot be opened leaves the dialog to ask as usual.
    makeStartDialog();
    if (m_start->openCatalogFile(catalogFile))
        return;
    discardMainWindow();
    m_start->show();
}

Form2 *AppController::startDialog() const { return m_start; }

Form1 *AppController::mainWindow() const { return m_main; }

Form3 *AppController::searchWindow() const { return m_search; }

Form4 *AppController::aboutBox() const { return m_about; }

void AppController::showStartDialog()
{
    makeStartDialog();
    m_start->show();
}

void AppController::makeStartDialog()
{
    if (m_start)
        m_start->deleteLater();
    m_start = new Form2(*m_services.messages,
                        [this](WorkMode mode) { return prepareMainWindow(mode); });
    m_start->setAttribute(Qt::WA_QuitOnClose, false);
    connect(m_start, &Form2::programEndRequested, this, &AppController::endProgram);
}

PreparedMainWindow AppController::prepareMainWindow(WorkMode mode)
{
    discardMainWindow();
    auto *main = new Form1(m_services, mode);
    main->setAttribute(Qt::WA_QuitOnClose, false);
    m_main = main;
    connect(main, &Form1::findRequested, this, &AppController::openSearchWindow);
    connect(main, &Form1::aboutRequested, this, &AppController::openAboutBox);
    connect(main, &Form1::restartRequested, this, &AppController::restart);
    connect(main, &Form1::programEndRequested, this, &AppController::endProgram);

    PreparedMainWindow parts;
    parts.window = main;
    parts.catalog = &main->session().catalog();
    parts.CommonDialog1 = &main->CommonDialog1;
    parts.ReadList = [main = QPointer<Form1>(main)](const QString &fileName, bool clearFirst) {
        return main && main->ReadList(fileName, clearFirst);
    };
    parts.applyStartSettings = [main = QPointer<Form1>(main), mode] {
        if (main)
            applyStartSettings(*main, mode);
    };
    return parts;
}

void AppController::discardMainWindow()
{
    if (!m_main)
        return;
    // The window may still be on the call stack (it asked for the restart),
    // so it goes once control is back in the event loop. Its signals no
    // longer reach this controller.
    m_main->disconnect(this);
    m_main->hide();
    m_main->deleteLater();
    m_main = nullptr;
}

void AppController::openSearchWindow()
{
    if (!m_main)
        return;
    if (m_search) {
        m_search->raise();
        m_search->activateWindow();
        return;
    }
    // Modal over the main window; discarded, results and all, on close.
    auto *search = new Form3(m_main->session().catalog(), *m_services.messages, m_main);
    search->setAttribute(Qt::WA_DeleteOnClose);
    search->setWindowModality(Qt::ApplicationModal);
    m_search = search;
    search->show();
}

void AppController::openAboutBox()
{
    if (!m_main)
        return;
    if (m_about) {
        m_about->raise();
        m_about->activateWindow();
        return;
    }
    auto *about = new Form4(*m_services.shell, m_main);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowModality(Qt::ApplicationModal);
    m_about = about;
    about->show();
}

void AppController::restart()
{
    showStartDialog();
    if (m_search)
        m_search->close();
    if (m_about)
        m_about->close();
    // The main window closes itself right after asking for the restart.
    discardMainWindow();
}

void AppController::endProgram() { emit quitRequested(); }

} // namespace kobrix
