#include "ui/main/WorkModeSettings.h"

#include "discs/Catalog.h"
#include "core/ProgramTexts.h"
#include "ui/main/Form1.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kobrix {

void applyLoadSettings(Form1 &window, WorkMode mode)
{
    switch (mode) {
    case WorkMode::NewCatalog:
        // A new catalog is made from discs scanned now: nothing to load.
        window.toolbarButton(QStringLiteral("Load"))->setEnabled(false);
        window.mnuLoad->setEnabled(false);
        break;
    case WorkMode::SearchCatalog:
        window.toolbarButton(QStringLiteral("Restart"))->setEnabled(true);
        window.scanFolderAction->setEnabled(false);
        window.scanImageAction->setEnabled(false);
        window.Command3->setEnabled(false);
        window.Command4->setEnabled(false);
        window.Command2->setEnabled(false);
        break;
    case WorkMode::AddDisc:
        window.scanFolderAction->setEnabled(false);
        window.scanImageAction->setEnabled(false);
        window.Command3->setEnabled(false);
        window.Command4->setEnabled(false);
        window.Command2->show();
        break;
    }
}

void applyDriveButtonSettings(QAction &driveButton, WorkMode mode)
{
    // Only a new catalog starts with a scan; the other modes start with a
    // catalog, and a disc is added after "Scan New CD".
    if (mode != WorkMode::NewCatalog)
        driveButton.setEnabled(false);
}

void applyStartSettings(Form1 &window, WorkMode mode)
{
    const QString &catalog = window.catalog().path();
    switch (mode) {
    case WorkMode::NewCatalog:
        // The name as typed, with the extension the file will get, even
        // when the name has it already.
        window.setWindowTitle(ProgramTexts::catalogCaption(catalog + QStringLiteral(".cdc")));
        window.Label2->setEnabled(false);
        window.Text2->setEnabled(false);
        window.Command3->setEnabled(false);
        window.Command4->hide();
        break;
    case WorkMode::SearchCatalog:
        window.setWindowTitle(ProgramTexts::catalogCaption(catalog));
        break;
    case WorkMode::AddDisc:
        window.setWindowTitle(ProgramTexts::catalogCaption(catalog));
        window.Command3->setEnabled(false);
        window.Command3->show();
        window.Command4->show();
        window.Command4->setEnabled(false);
        window.Command2->show();
        window.Text2->setEnabled(false);
        window.Label2->setEnabled(false);
        break;
    }
}

} // namespace kobrix
