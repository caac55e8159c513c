#pragma once

#include "session/RecentCatalogs.h"

#include <QMenu>

namespace kobrix {

// "Open Re&cent" under "&File": the catalogs used last (RecentCatalogs),
// made anew each time it opens. A catalog no longer on the disk is shown
// greyed, its tooltip saying so; "&Clear List" forgets them all.
class RecentMenu : public QMenu
{
    Q_OBJECT

public:
    RecentMenu(QSettings *settings, QWidget *parent);

    // Puts path first in the list.
    void note(const QString &path);
    // The entries as they are now.
    void rebuild();

Q_SIGNALS:
    void chosen(const QString &path);

private:
    RecentCatalogs m_recent;
};

} // namespace kobrix
