#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <vector>

namespace kobrix {

class DiscIndex;

// The discs of a catalog as rows of two columns, the disc's name and its
// number of files, in the order of their first line; a filter keeps the
// discs whose name holds a piece of text. The names come from the index
// when painted: nothing is copied. With the discs of several catalogs a
// third column names each disc's catalog.
class DiscListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, FilesColumn, CatalogColumn };

    explicit DiscListModel(QObject *parent = nullptr);

    // The discs shown; nullptr shows none. The index must stay unchanged
    // until the next call.
    void setIndex(const DiscIndex *index);
    // Keeps the discs whose name (as shown) holds text, letter case aside;
    // an empty text keeps every disc.
    void setFilter(const QString &text);
    // The names of the catalogs of the index's parts (DiscIndex::partOf),
    // given when there are several; empty for one catalog. Takes effect
    // with the next setIndex().
    void setCatalogNames(const QStringList &names) { m_catalogNames = names; }
    const QString &filter() const { return m_filter; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    qsizetype discAt(int row) const { return m_shown[std::size_t(row)]; }
    // The row of a disc, -1 when the filter hides it.
    int rowOfDisc(qsizetype disc) const;
    // The name a disc is shown by: its own, or a stand-in for the lines
    // without a disc name; with several catalogs followed by its catalog's,
    // as in "Games 1 (Shelf 2.cdc)". The filter looks at this name.
    QString discName(qsizetype disc) const;
    // The name without the catalog's.
    QString ownName(qsizetype disc) const;
    QString catalogName(qsizetype disc) const;

    // Totals of the discs shown and of all of them.
    qsizetype shownDiscs() const { return qsizetype(m_shown.size()); }
    qsizetype shownFiles() const { return m_shownFiles; }
    qsizetype totalDiscs() const;
    qsizetype totalFiles() const;
    // The totals as the window shows them, with the number of catalogs
    // when there are several.
    QString totalsText(qsizetype catalogCount) const;

private:
    void applyFilter();

    const DiscIndex *m_index = nullptr;
    QString m_filter;
    QStringList m_catalogNames;
    std::vector<qsizetype> m_shown; // disc numbers, in order
    qsizetype m_shownFiles = 0;
    QIcon m_discIcon;
};

} // namespace kobrix
