#include "ui/main/RecentMenu.h"

#include "ui/main/Form1.h"

#include <QDir>
#include <QFileInfo>

namespace kobrix {

RecentMenu::RecentMenu(QSettings *settings, QWidget *parent)
    : QMenu(Form1::tr("Open Re&cent"), parent)
    , m_recent(settings)
{
    setObjectName(QStringLiteral("recentMenu"));
    setToolTipsVisible(true);
    connect(this, &QMenu::aboutToShow, this, &RecentMenu::rebuild);
    rebuild();
}

void RecentMenu::note(const QString &path)
{
    m_recent.add(path);
}

void RecentMenu::rebuild()
{
    clear();
    const QStringList paths = m_recent.paths();
    int number = 0;
    for (const QString &path : paths) {
        // "&1 /home/ann/music.cdc": the number is the item's letter; an &
        // of the path is shown as it is.
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *item = addAction(QStringLiteral("&%1 %2").arg(++number).arg(shown));
        item->setData(path);
        if (!QFileInfo(path).isFile()) {
            item->setEnabled(false);
            item->setToolTip(Form1::tr("%1 is missing").arg(QDir::toNativeSeparators(path)));
        }
        connect(item, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    if (paths.isEmpty()) {
        QAction *none = addAction(Form1::tr("No catalogs yet"));
        none->setEnabled(false);
    }
    addSeparator();
    QAction *clearList = addAction(Form1::tr("&Clear List"));
    clearList->setObjectName(QStringLiteral("clearRecent"));
    clearList->setEnabled(!paths.isEmpty());
    connect(clearList, &QAction::triggered, this, [this] {
        m_recent.clear();
        rebuild();
    });
}

} // namespace kobrix
