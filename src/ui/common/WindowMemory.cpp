#include "ui/common/WindowMemory.h"

#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTreeView>
#include <QVariantList>

#include <algorithm>

namespace kobrix {

namespace {

QString sizeKey()
{
    return QStringLiteral("size");
}
QString splitterKey(const QSplitter *splitter)
{
    return QStringLiteral("splitters/") + splitter->objectName();
}
QString columnsKey(const QTreeView *view)
{
    return QStringLiteral("columns/") + view->objectName();
}

template <typename T> QList<T *> namedChildren(const QWidget &window)
{
    QList<T *> named = window.findChildren<T *>();
    named.removeIf([](const T *child) { return child->objectName().isEmpty(); });
    return named;
}

} // namespace

void saveWindowLayout(QSettings *settings, const QWidget &window)
{
    if (!settings || window.objectName().isEmpty())
        return;
    settings->beginGroup(window.objectName());
    settings->setValue(sizeKey(), window.size());
    for (const QSplitter *splitter : namedChildren<QSplitter>(window))
        settings->setValue(splitterKey(splitter), splitter->saveState());
    for (const QTreeView *view : namedChildren<QTreeView>(window)) {
        QVariantList widths;
        const QHeaderView *header = view->header();
        for (int section = 0; section < header->count(); ++section)
            widths << header->sectionSize(section);
        settings->setValue(columnsKey(view), widths);
    }
    settings->endGroup();
}

void restoreWindowLayout(QSettings *settings, QWidget &window)
{
    if (!settings || window.objectName().isEmpty())
        return;
    settings->beginGroup(window.objectName());
    QSize size = settings->value(sizeKey()).toSize();
    if (size.isValid()) {
        if (const QScreen *screen = window.screen())
            size = size.boundedTo(screen->availableGeometry().size());
        window.resize(size.expandedTo(window.minimumSizeHint()));
    }
    for (QSplitter *splitter : namedChildren<QSplitter>(window)) {
        const QByteArray state = settings->value(splitterKey(splitter)).toByteArray();
        if (!state.isEmpty())
            splitter->restoreState(state);
    }
    for (QTreeView *view : namedChildren<QTreeView>(window)) {
        const QVariantList widths = settings->value(columnsKey(view)).toList();
        QHeaderView *header = view->header();
        for (int section = 0; section < int(widths.size()) && section < header->count();
             ++section) {
            const int width = widths[section].toInt();
            if (width > 0 && header->sectionResizeMode(section) == QHeaderView::Interactive)
                header->resizeSection(section, std::max(width, header->minimumSectionSize()));
        }
    }
    settings->endGroup();
}

} // namespace kobrix
