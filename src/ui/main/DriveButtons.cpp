#include "ui/main/DriveButtons.h"

#include "platform/DriveDiscovery.h"
#include "platform/DriveSource.h"
#include "session/MainControls.h"
#include "ui/common/ToolbarIcons.h"
#include "ui/main/Form1.h"

#include <QAction>
#include <QListWidget>
#include <QMainWindow>
#include <QToolBar>

namespace kobrix {

const QString DriveButtons::loadKey = QStringLiteral("Load");
const QString DriveButtons::findKey = QStringLiteral("Find");
const QString DriveButtons::restartKey = QStringLiteral("Restart");

DriveButtons::DriveButtons(QMainWindow *window) : QObject(window)
{
    m_toolbar = new QToolBar(window);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(32, 32));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    window->addToolBar(Qt::TopToolBarArea, m_toolbar);

    addButton(loadKey, toolbarIcon(ToolbarImage::FolderTick), Form1::tr("Load"), Form1::tr("Load"));
    addButton(findKey, toolbarIcon(ToolbarImage::FolderMagnifier), Form1::tr("Find"),
              Form1::tr("Find"));
    addButton(restartKey, toolbarIcon(ToolbarImage::WasteBin), Form1::tr("Restart"),
              Form1::tr("Restart Kobrix"));
}

QAction *DriveButtons::addButton(const QString &key, const QIcon &icon, const QString &caption,
                                 const QString &tip)
{
    QAction *button = m_toolbar->addAction(icon, caption);
    button->setObjectName(QStringLiteral("Toolbar1_") + key);
    button->setData(key);
    button->setToolTip(tip);
    connect(button, &QAction::triggered, this, [this, button] { Q_EMIT clicked(button); });
    return button;
}

void DriveButtons::addDrives(DriveSource &drives, QListWidget *roots)
{
    for (const QString &root : findCdDrives(drives)) {
        addButton(root, toolbarIcon(ToolbarImage::CompactDisc), drives.caption(root),
                  Form1::tr("Scan CD"));
        m_driveKeys << root;
        roots->addItem(root);
    }
}

QAction *DriveButtons::button(const QString &key) const
{
    const QList<QAction *> buttons = m_toolbar->actions();
    for (QAction *button : buttons) {
        if (button->data().toString() == key)
            return button;
    }
    return nullptr;
}

void DriveButtons::apply(const MainControls &states)
{
    button(loadKey)->setEnabled(states.load);
    button(findKey)->setEnabled(states.commands);
    button(restartKey)->setEnabled(states.commands);
    for (const QString &key : std::as_const(m_driveKeys))
        button(key)->setEnabled(states.drives);
}

} // namespace kobrix
