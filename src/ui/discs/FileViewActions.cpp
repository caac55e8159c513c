#include "ui/discs/FileViewActions.h"

#include "core/LineStore.h"
#include "discs/DiscIndex.h"
#include "session/CatalogSession.h"
#include "ui/discs/BatchedTreeView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>

#include <algorithm>

namespace kobrix {

QTreeView *makeDiscsView(QWidget *parent, const char *objectName, const QString &accessibleName,
                         QAbstractItemModel *model, bool tree)
{
    auto *view = new BatchedTreeView(parent);
    view->setObjectName(QLatin1String(objectName));
    view->setAccessibleName(accessibleName);
    view->setModel(model);
    view->setUniformRowHeights(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setRootIsDecorated(tree);
    view->setItemsExpandable(tree);
    view->setExpandsOnDoubleClick(false); // activation opens and closes (rowActivated)
    view->setAllColumnsShowFocus(true);
    QHeaderView *header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    // The count's column keeps the width it is given or the user drags it
    // to (the window remembers it).
    header->setSectionResizeMode(1, QHeaderView::Interactive);
    header->resizeSection(1, view->fontMetrics().horizontalAdvance(QStringLiteral("0,000,000,000"))
                                 + 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin));
    return view;
}

QString pathOfLine(const CatalogSession &session, qsizetype line)
{
    const std::string_view text = session.lines().utf8At(line);
    const std::string_view path =
        text.substr(std::min(session.index()->pathStart(line), text.size()));
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
}

FileViewActions::FileViewActions(QTreeView *view, LineOf lineOf, bool revealable)
    : QObject(view)
    , m_view(view)
    , m_lineOf(std::move(lineOf))
{
    m_showElsewhere = new QAction(tr("Show on &other discs"), view);
    m_showElsewhere->setObjectName(view->objectName() + QStringLiteral("ShowElsewhere"));
    m_showElsewhere->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    m_showElsewhere->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view->addAction(m_showElsewhere);
    connect(m_showElsewhere, &QAction::triggered, this, [this] {
        const qsizetype line = m_lineOf(m_view->currentIndex());
        if (line >= 0)
            Q_EMIT otherDiscsRequested(line);
    });
    if (revealable) {
        m_reveal = new QAction(tr("Show in &Folders"), view);
        m_reveal->setObjectName(view->objectName() + QStringLiteral("Reveal"));
        connect(m_reveal, &QAction::triggered, this,
                [this] { Q_EMIT revealRequested(m_lineOf(m_view->currentIndex())); });
    }
    connect(view, &QTreeView::activated, this, &FileViewActions::rowActivated);
    // The menu comes up for a click on a row and for the keyboard's menu key.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
}

bool FileViewActions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu
        && (watched == m_view || watched == m_view->viewport())) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        QPoint at = menuEvent->globalPos();
        if (menuEvent->reason() == QContextMenuEvent::Mouse) {
            // A click on a row makes it the current one.
            const QModelIndex clicked = m_view->indexAt(m_view->viewport()->mapFromGlobal(at));
            if (clicked.isValid())
                m_view->setCurrentIndex(clicked);
        } else if (m_view->currentIndex().isValid()) {
            at = m_view->viewport()->mapToGlobal(
                m_view->visualRect(m_view->currentIndex()).bottomLeft());
        }
        showMenu(at);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void FileViewActions::showMenu(const QPoint &globalPos)
{
    const bool onFile = m_lineOf(m_view->currentIndex()) >= 0;
    QMenu menu(m_view);
    if (m_reveal) {
        m_reveal->setEnabled(onFile);
        menu.addAction(m_reveal);
    }
    m_showElsewhere->setEnabled(onFile);
    menu.addAction(m_showElsewhere);
    menu.exec(globalPos);
    // The shortcut stays on: it looks at the current row when pressed.
    m_showElsewhere->setEnabled(true);
}

void FileViewActions::rowActivated(const QModelIndex &index)
{
    const qsizetype line = m_lineOf(index);
    if (line >= 0 && m_reveal) {
        Q_EMIT revealRequested(line);
        return;
    }
    // A folder or a group opens or closes.
    const QModelIndex row = index.siblingAtColumn(0);
    if (m_view->model()->hasChildren(row))
        m_view->setExpanded(row, !m_view->isExpanded(row));
}

} // namespace kobrix
