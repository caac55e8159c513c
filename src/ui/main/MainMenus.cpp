#include "ui/main/MainMenus.h"

#include "platform/ShellOpener.h"
#include "session/MainControls.h"
#include "ui/batch/DiscBatchStart.h"
#include "ui/batch/DiscBatchWindow.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/Links.h"
#include "ui/common/UiServices.h"
#include "ui/main/Form1.h"
#include "ui/main/RecentMenu.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <utility>

namespace kobrix {

namespace {

QAction *addCommand(QMenu *menu, const QString &caption, const char *name,
                    QKeySequence shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction *namedMenu(QMenu *menu, const char *menuName, const char *actionName)
{
    menu->setObjectName(QLatin1String(menuName));
    QAction *action = menu->menuAction();
    action->setObjectName(QLatin1String(actionName));
    return action;
}

// Scans what the user chooses in a file dialog of the request, unless a
// scan runs already.
template <typename Scan>
void chooseAndScan(Form1 &window, const UiServices &services, const FileDialogRequest &request,
                   Scan scan)
{
    if (!services.fileDialogs || window.session().isScanning())
        return;
    if (const auto chosen = services.fileDialogs->run(&window, request))
        (window.*scan)(*chosen);
}

void createFileMenu(Form1 &w, const UiServices &services)
{
    QMenu *file = w.menuBar()->addMenu(Form1::tr("&File"));
    w.mnuFile = namedMenu(file, "mnuFileMenu", "mnuFile");
    w.mnuLoad = addCommand(file, Form1::tr("&Load..."), "mnuLoad", QKeySequence::Open);
    auto *recent = new RecentMenu(services.settings, &w);
    w.recentMenuAction = file->addMenu(recent);
    w.recentMenuAction->setObjectName(QStringLiteral("recentMenuAction"));
    w.scanFolderAction = addCommand(file, Form1::tr("&Scan Folder..."), "scanFolderAction");
    w.scanFolderAction->setToolTip(
        Form1::tr("Scan a folder, a USB drive or a mounted image as a disc"));
    w.scanImageAction = addCommand(file, Form1::tr("Scan Disc &Image..."), "scanImageAction");
    w.scanImageAction->setToolTip(Form1::tr("Scan an ISO disc image as a disc"));
    w.discBatchAction = addCommand(file, Form1::tr("Catalog Discs &One After Another..."),
                                   "discBatchAction",
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    w.discBatchAction->setToolTip(
        Form1::tr("Catalog each disc put into the drive, until you stop"));
    w.mnuFind = addCommand(file, Form1::tr("&Find"), "mnuFind", QKeySequence::Find);
    w.mnuRestart = addCommand(file, Form1::tr("&Restart"), "mnuRestart");
    w.mnudiv1 = file->addSeparator();
    w.mnudiv1->setObjectName(QStringLiteral("mnudiv1"));
    w.mnuExit = addCommand(file, Form1::tr("&Exit"), "mnuExit", QKeySequence::Quit);

    QObject::connect(w.mnuLoad, &QAction::triggered, &w, &Form1::loadCatalog);
    // A recent catalog is loaded as "&Load..." loads a chosen one, and only
    // where "&Load..." may be used.
    QObject::connect(recent, &RecentMenu::chosen, &w, [&w](const QString &path) {
        if (w.mnuLoad->isEnabled())
            w.loadCatalogFile(path);
    });
    QObject::connect(&w, &Form1::catalogUsed, recent, &RecentMenu::note);
    QObject::connect(w.scanFolderAction, &QAction::triggered, &w, [&w, services] {
        FileDialogRequest request;
        request.mode = FileDialogMode::Folder;
        request.title = Form1::tr("Scan Folder");
        chooseAndScan(w, services, request, &Form1::scanFolder);
    });
    QObject::connect(w.scanImageAction, &QAction::triggered, &w, [&w, services] {
        FileDialogRequest request;
        request.mode = FileDialogMode::Open;
        request.flags = FileMustExist | HideReadOnly | PathMustExist;
        request.filter = Form1::tr("Disc Images (*.iso)|*.iso|All Files (*.*)|*.*");
        request.title = Form1::tr("Scan Disc Image");
        chooseAndScan(w, services, request, &Form1::scanImage);
    });
    // Over the catalog in use, if any; the window holds the drive while it
    // is open, so the main window waits.
    QObject::connect(w.discBatchAction, &QAction::triggered, &w, [&w, services] {
        if (w.session().isScanning() || w.session().isLoading())
            return;
        auto *window = openDiscBatchWindow(&w, services, w.session().recognitionCatalog());
        if (!window)
            return;
        // A catalog searched here that the run added to or updated is read
        // again, so that the window shows what the file now holds.
        const auto readAgain = [&w, window](const QString &path) {
            const DiscBatchTotals &totals = window->batch()->totals();
            const Catalog &catalog = w.session().catalog();
            if (totals.added + totals.updated > 0 && w.mnuLoad->isEnabled()
                && catalog.content() == Catalog::Content::CatalogLines
                && QFileInfo(catalog.path()) == QFileInfo(path))
                w.loadCatalogFile(path);
        };
        QObject::connect(window, &DiscBatchWindow::runFinished, &w, readAgain);
    });
    QObject::connect(w.mnuFind, &QAction::triggered, &w, &Form1::findRequested);
    QObject::connect(w.mnuRestart, &QAction::triggered, &w, &Form1::restart);
    QObject::connect(w.mnuExit, &QAction::triggered, &w, &Form1::close);
}

void createHelpMenu(Form1 &w, const UiServices &services)
{
    QMenu *help = w.menuBar()->addMenu(Form1::tr("&Help"));
    w.mnuHelp = namedMenu(help, "mnuHelpMenu", "mnuHelp");
    w.mnuDonate = addCommand(help, Form1::tr("&Donate to Kobrix"), "mnuDonate");
    w.mnuAbout = addCommand(help, Form1::tr("&About Kobrix..."), "mnuAbout");
    QObject::connect(w.mnuDonate, &QAction::triggered, &w, [shell = services.shell] {
        if (shell)
            shell->open(donationPage());
    });
    QObject::connect(w.mnuAbout, &QAction::triggered, &w, &Form1::aboutRequested);
}

// "&Catalog", between "&File" and "&Help": "&Discs..." opens the Discs
// window over the catalog in use.
void createCatalogMenu(Form1 &w)
{
    auto *menu = new QMenu(Form1::tr("&Catalog"), &w);
    w.menuBar()->insertMenu(w.mnuHelp, menu);
    w.catalogMenuAction = namedMenu(menu, "catalogMenu", "catalogMenuAction");
    w.discsAction = addCommand(menu, Form1::tr("&Discs..."), "discsAction",
                               QKeySequence(Qt::CTRL | Qt::Key_D));
    QObject::connect(w.discsAction, &QAction::triggered, &w, &Form1::openDiscsWindow);
    // While a load or a scan changes the lines there is nothing to show yet.
    QObject::connect(menu, &QMenu::aboutToShow, &w, [&w] {
        w.discsAction->setEnabled(!w.session().isLoading() && !w.session().isScanning());
    });
}

} // namespace

void createMainMenus(Form1 &window, const UiServices &services)
{
    createFileMenu(window, services);
    createHelpMenu(window, services);
    createCatalogMenu(window);
}

void applyMainMenuStates(Form1 &w, const MainControls &states)
{
    // Folders and images are scanned like discs, so their commands follow
    // the drive buttons; a run of discs, in a window of its own, may start
    // whenever the window is not busy. "Update Disc in Catalog..." goes with
    // "Write Catalog...", hidden or not.
    for (const auto &[action, enabled] :
         {std::pair{w.scanFolderAction, states.drives}, std::pair{w.scanImageAction, states.drives},
          std::pair{w.discBatchAction, states.commands},
          std::pair{w.mnuLoad, states.load}, std::pair{w.recentMenuAction, states.load},
          std::pair{w.mnuFind, states.commands},
          std::pair{w.mnuRestart, states.commands},
          std::pair{w.updateDiscAction, states.write.enabled}})
        action->setEnabled(enabled);
}

} // namespace kobrix
