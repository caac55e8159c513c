#include "ui/batch/DiscBatchStart.h"

#include "core/ProgramTexts.h"
#include "platform/DriveDiscovery.h"
#include "ui/batch/DiscBatchWindow.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/common/UiServices.h"

namespace kobrix {

DiscBatchWindow *openDiscBatchWindow(QWidget *parent, const UiServices &services,
                                     const QString &catalogInUse)
{
    if (!services.drives || !services.discArrivals)
        return nullptr;
    const QStringList drives = findCdDrives(*services.drives);
    if (drives.isEmpty()) {
        if (services.messages)
            services.messages->show(
                parent, ProgramTexts::programTitle(),
                DiscBatchWindow::tr("There is no CD-ROM drive to take the discs."),
                MessageIcon::Information);
        return nullptr;
    }
    QString catalog = catalogInUse;
    if (catalog.isEmpty()) {
        if (!services.fileDialogs)
            return nullptr;
        FileDialogRequest request;
        request.mode = FileDialogMode::Save;
        request.flags = HideReadOnly | PathMustExist;
        request.filter = ProgramTexts::catalogFilter();
        request.title = DiscBatchWindow::tr("Catalog Discs Into");
        const auto chosen = services.fileDialogs->run(parent, request);
        if (!chosen)
            return nullptr;
        catalog = *chosen;
    }
    auto *window = new DiscBatchWindow(services, catalog, drives, parent);
    // The window holds the drive while it is open: the others wait.
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    if (drives.size() == 1)
        window->start();
    return window;
}

} // namespace kobrix
