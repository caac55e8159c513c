#include "ui/main/MainDrops.h"

#include "ui/main/Form1.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>

namespace kobrix {

MainDrops::MainDrops(Form1 &window) : QObject(&window), m_window(window)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

DropTarget MainDrops::targetOf(const QDropEvent &event) const
{
    if (!event.mimeData()->hasUrls())
        return {};
    return dropTarget(event.mimeData()->urls(),
                      {m_window.mnuLoad->isEnabled(), m_window.scanFolderAction->isEnabled(),
                       m_window.scanImageAction->isEnabled()});
}

bool MainDrops::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_window)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Refused drops show the "no" cursor.
        auto *move = static_cast<QDragMoveEvent *>(event);
        if (targetOf(*move).command != DropCommand::None)
            move->acceptProposedAction();
        else
            move->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const DropTarget target = targetOf(*drop);
        if (target.command == DropCommand::None) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        QMetaObject::invokeMethod(this, [this, target] { run(target); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return false;
    }
}

void MainDrops::run(const DropTarget &target)
{
    const bool scanning = m_window.session().isScanning();
    switch (target.command) {
    case DropCommand::Load: m_window.loadCatalogFile(target.path); break;
    case DropCommand::ScanFolder:
        if (!scanning)
            m_window.scanFolder(target.path);
        break;
    case DropCommand::ScanImage:
        if (!scanning)
            m_window.scanImage(target.path);
        break;
    case DropCommand::None: break;
    }
}

} // namespace kobrix
