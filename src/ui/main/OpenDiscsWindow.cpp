#include "ui/main/OpenDiscsWindow.h"

#include "core/ProgramTexts.h"
#include "ui/common/MessageBox.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/main/Form1.h"

#include <QFileInfo>

namespace kobrix {

DiscsWindow *openDiscsWindowOver(Form1 &window, const UiServices &services)
{
    const MainSession &session = window.session();
    if (session.isLoading() || session.isScanning() || !services.messages)
        return nullptr;
    const Catalog &catalog = session.catalog();
    const bool catalogInHand = catalog.content() == Catalog::Content::CatalogLines;
    const QString file =
        catalogInHand ? QString() : session.namedCatalogFile(window.CommonDialog1.fileName());
    if (!catalogInHand && file.isEmpty()) {
        window.showMessage(
            ProgramTexts::programTitle(),
            Form1::tr("There is no catalog to show: load one, or write a disc into one first."),
            MessageIcon::Information);
        return nullptr;
    }
    auto *discs = new DiscsWindow(services, &window);
    discs->setAttribute(Qt::WA_DeleteOnClose);
    discs->setWindowModality(Qt::ApplicationModal);
    if (catalogInHand)
        discs->showCatalog(catalog, QFileInfo(catalog.path()).fileName());
    else
        discs->readCatalogFile(file);
    discs->show();
    return discs;
}

} // namespace kobrix
