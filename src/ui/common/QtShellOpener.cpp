#include "ui/common/QtShellOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace kobrix {

void QtShellOpener::open(const QString &target)
{
    // TolerantMode keeps the address as written: the mail subject's blanks
    // and the donation page's "%40" reach the program unchanged.
    QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
}

} // namespace kobrix
