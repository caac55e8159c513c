#include "session/RecentCatalogs.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace kobrix {

namespace {

const QString kKey = QStringLiteral("recentCatalogs");

// One spelling per file: through links and "..", where it exists; else its
// absolute path made clean.
QString canonical(const QString &path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

} // namespace

QStringList RecentCatalogs::withFirst(QStringList list, const QString &path)
{
    if (path.isEmpty())
        return list;
    const QString same = canonical(path);
    list.removeIf([&](const QString &entry) { return canonical(entry) == same; });
    list.prepend(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    while (list.size() > kLimit)
        list.removeLast();
    return list;
}

QStringList RecentCatalogs::paths() const
{
    if (!m_settings)
        return {};
    QStringList list = m_settings->value(kKey).toStringList();
    list.removeAll(QString());
    return list.mid(0, kLimit);
}

void RecentCatalogs::add(const QString &path)
{
    if (m_settings)
        m_settings->setValue(kKey, withFirst(paths(), path));
}

void RecentCatalogs::clear()
{
    if (m_settings)
        m_settings->remove(kKey);
}

} // namespace kobrix
