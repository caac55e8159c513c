#pragma once

#include "core/LineStore.h"

#include <QObject>
#include <QString>

namespace kobrix {

// The catalog the user works on: where it lives and the lines in hand. The
// main window holds one and shows it; every other window is handed the same
// object instead of a piece of the main window's controls.
//
// The path is the name typed for a catalog not yet written (no extension
// added), or the full path of the catalog file opened. The lines are what
// the main window lists: the catalog's lines after a load, the listing of the
// disc in hand after a scan. Whoever changes the lines directly tells the
// views that show them.
class Catalog : public QObject
{
    Q_OBJECT

public:
    explicit Catalog(QObject *parent = nullptr);
    ~Catalog() override;

    const QString &path() const { return m_path; }
    void setPath(const QString &path);

    LineStore &lines() { return m_lines; }
    const LineStore &lines() const { return m_lines; }

Q_SIGNALS:
    void pathChanged(const QString &path);

private:
    QString m_path;
    LineStore m_lines;
};

} // namespace kobrix
