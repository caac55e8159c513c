#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace kobrix {

// The catalogs used last (loaded, written or added to), most recent first,
// kept in the program's settings under one key.
class RecentCatalogs
{
public:
    static constexpr int kLimit = 8;

    // settings may be null: nothing is then remembered.
    explicit RecentCatalogs(QSettings *settings)
        : m_settings(settings)
    {}

    QStringList paths() const;
    // Puts path first; an entry naming the same file (however written)
    // goes, and the list keeps kLimit entries.
    void add(const QString &path);
    void clear();

    // The list with path put first, as add() keeps it.
    static QStringList withFirst(QStringList list, const QString &path);

private:
    QSettings *m_settings;
};

} // namespace kobrix
