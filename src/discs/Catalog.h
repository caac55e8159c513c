#pragma once

#include "discs/DiscIndex.h"
#include "core/LineStore.h"

#include <QObject>
#include <QString>

#include <mutex>

namespace kobrix {

// The catalog the user works on: where it lives and the lines in hand. The
// main window holds one and shows it; every other window is handed the same
// object instead of a piece of the main window's controls.
//
// The path is the name typed for a catalog not yet written (no extension
// added), or the full path of the catalog file opened. The lines are what
// the main window lists: the catalog's lines after a load, the listing of the
// disc in hand after a scan. Whoever changes the lines directly tells the
// views that show them, and calls markLinesChanged().
class Catalog : public QObject
{
    Q_OBJECT

public:
    // What the lines are: nothing yet (or emptied), a loaded catalog's lines,
    // or the listing of a scanned disc.
    enum class Content { Nothing, CatalogLines, DiscListing };

    explicit Catalog(QObject *parent = nullptr);
    ~Catalog() override;

    const QString &path() const { return m_path; }
    void setPath(const QString &path);

    LineStore &lines() { return m_lines; }
    const LineStore &lines() const { return m_lines; }

    Content content() const { return m_content; }
    void setContent(Content content);

    // Says that the lines changed: what is derived from them is made anew
    // when next asked for, and linesChanged() is emitted. A load calls it
    // after every slice it reads.
    void markLinesChanged();

    // The discs of the lines, built on first use after a change: from the
    // lines when they are a catalog's, empty otherwise. Several threads may
    // ask at once (two windows counting on workers): one builds, the others
    // wait for it. The lines must not change meanwhile.
    const DiscIndex &discs() const;

Q_SIGNALS:
    void pathChanged(const QString &path);
    void linesChanged();

private:
    QString m_path;
    LineStore m_lines;
    Content m_content = Content::Nothing;
    mutable std::mutex m_discsBuilding;
    mutable DiscIndex m_discs;
    mutable bool m_discsStale = true;
    // Lines and bytes the index was built from: lines added without a word
    // to markLinesChanged() still make it stale.
    mutable qsizetype m_discsLines = 0;
    mutable std::size_t m_discsBytes = 0;
};

} // namespace kobrix
