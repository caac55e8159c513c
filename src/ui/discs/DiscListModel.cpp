#include "ui/discs/DiscListModel.h"

#include "discs/DiscIndex.h"
#include "core/ProgramTexts.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>

#include <algorithm>

namespace kobrix {

DiscListModel::DiscListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_discIcon = QApplication::style()->standardIcon(QStyle::SP_DriveCDIcon);
}

void DiscListModel::setIndex(const DiscIndex *index)
{
    beginResetModel();
    m_index = index;
    applyFilter();
    endResetModel();
}

void DiscListModel::setFilter(const QString &text)
{
    if (text == m_filter)
        return;
    beginResetModel();
    m_filter = text;
    applyFilter();
    endResetModel();
}

void DiscListModel::applyFilter()
{
    m_shown.clear();
    m_shownFiles = 0;
    if (!m_index)
        return;
    const qsizetype discs = m_index->count();
    m_shown.reserve(std::size_t(discs));
    for (qsizetype disc = 0; disc < discs; ++disc) {
        if (!m_filter.isEmpty() && !discName(disc).contains(m_filter, Qt::CaseInsensitive))
            continue;
        m_shown.push_back(disc);
        m_shownFiles += m_index->fileCount(disc);
    }
}

int DiscListModel::rowOfDisc(qsizetype disc) const
{
    // Shown discs keep their order: a binary search finds the row.
    const auto it = std::lower_bound(m_shown.begin(), m_shown.end(), disc);
    return it != m_shown.end() && *it == disc ? int(it - m_shown.begin()) : -1;
}

QString DiscListModel::ownName(qsizetype disc) const
{
    if (m_index->isLooseLines(disc))
        return ProgramTexts::looseLinesName();
    return m_index->name(disc);
}

QString DiscListModel::catalogName(qsizetype disc) const
{
    return m_catalogNames.value(m_index->partOf(disc));
}

QString DiscListModel::discName(qsizetype disc) const
{
    if (m_catalogNames.size() < 2)
        return ownName(disc);
    return tr("%1 (%2)").arg(ownName(disc), catalogName(disc));
}

qsizetype DiscListModel::totalDiscs() const
{
    return m_index ? m_index->count() : 0;
}

qsizetype DiscListModel::totalFiles() const
{
    return m_index ? m_index->totalFiles() : 0;
}

int DiscListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int DiscListModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_catalogNames.size() > 1 ? CatalogColumn + 1 : FilesColumn + 1;
}

QVariant DiscListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const qsizetype disc = discAt(index.row());
    if (role == Qt::DisplayRole) {
        if (index.column() == NameColumn)
            return ownName(disc);
        if (index.column() == CatalogColumn)
            return catalogName(disc);
        return QLocale().toString(m_index->fileCount(disc));
    }
    if (role == Qt::DecorationRole && index.column() == NameColumn)
        return m_discIcon;
    if (role == Qt::TextAlignmentRole && index.column() == FilesColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant DiscListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    // Counts stand right, under a heading that does too.
    if (role == Qt::TextAlignmentRole && section == FilesColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    if (section == CatalogColumn)
        return tr("Catalog");
    return section == NameColumn ? tr("Disc") : tr("Files");
}

QString DiscListModel::totalsText(qsizetype catalogCount) const
{
    const QLocale locale;
    const QString discs = locale.toString(totalDiscs());
    const QString files = locale.toString(totalFiles());
    if (catalogCount > 1) {
        const QString catalogs = locale.toString(catalogCount);
        if (filter().isEmpty())
            return tr("%1 catalogs, %2 disc(s), %3 file(s)").arg(catalogs, discs, files);
        return tr("%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)")
            .arg(catalogs, locale.toString(shownDiscs()), discs, locale.toString(shownFiles()),
                 files);
    }
    if (filter().isEmpty())
        return tr("%1 disc(s), %2 file(s)").arg(discs, files);
    return tr("%1 of %2 disc(s), %3 of %4 file(s)")
        .arg(locale.toString(shownDiscs()), discs, locale.toString(shownFiles()), files);
}

} // namespace kobrix
