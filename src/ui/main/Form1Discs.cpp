// The main window's "&Catalog" menu: "&Discs..." opens the Discs window over
// the catalog in use.

#include "ui/main/Form1.h"

#include "core/ProgramTexts.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/common/MessageBox.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace kobrix {

void Form1::createCatalogMenu()
{
    // Between "&File" and "&Help".
    auto *menu = new QMenu(tr("&Catalog"), this);
    menu->setObjectName(QStringLiteral("catalogMenu"));
    menuBar()->insertMenu(mnuHelp, menu);
    catalogMenuAction = menu->menuAction();
    catalogMenuAction->setObjectName(QStringLiteral("catalogMenuAction"));
    discsAction = menu->addAction(tr("&Discs..."));
    discsAction->setObjectName(QStringLiteral("discsAction"));
    discsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(discsAction, &QAction::triggered, this, &Form1::openDiscsWindow);
    // While a load or a scan changes the lines there is nothing to show yet.
    connect(menu, &QMenu::aboutToShow, this,
            [this] { discsAction->setEnabled(!isLoading() && !isScanning()); });
}

DiscsWindow *Form1::discsWindow() const
{
    return m_discsWindow;
}

QString Form1::namedCatalogFile() const
{
    return m_session.namedCatalogFile(CommonDialog1.fileName());
}

void Form1::openDiscsWindow()
{
    // The window reads the lines as they stand: not while a load or a scan
    // is changing them.
    if (isLoading() || isScanning() || m_discsWindow || !m_services.messages)
        return;
    const bool catalogInHand = catalog().content() == Catalog::Content::CatalogLines;
    const QString file = catalogInHand ? QString() : namedCatalogFile();
    if (!catalogInHand && file.isEmpty()) {
        showMessage(ProgramTexts::programTitle(),
                    tr("There is no catalog to show: load one, or write a disc into one first."),
                    MessageIcon::Information);
        return;
    }
    auto *window = new DiscsWindow(m_services, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Modal like the search window: the lines it reads stay as they are.
    window->setWindowModality(Qt::ApplicationModal);
    m_discsWindow = window;
    if (catalogInHand)
        window->showCatalog(catalog(), QFileInfo(catalog().path()).fileName());
    else
        window->readCatalogFile(file);
    window->show();
}

} // namespace kobrix
