#include "ui/discs/FoldersPage.h"

#include "discs/DiscIndex.h"
#include "discs/DiscTree.h"
#include "session/CatalogSession.h"
#include "ui/discs/DiscTreeModel.h"
#include "ui/discs/FileViewActions.h"

#include <QLabel>
#include <QLocale>
#include <QTreeView>
#include <QVBoxLayout>

namespace kobrix {

FoldersPage::FoldersPage(const CatalogSession &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("foldersPage"));
    m_tree = new DiscTreeModel(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("folderHeading"));
    m_view = makeDiscsView(this, "folderTree", tr("Folders of the disc"), m_tree, true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_view, 1);
    auto *actions = new FileViewActions(
        m_view,
        [this](const QModelIndex &index) { return m_tree->lineAt(index.siblingAtColumn(0)); },
        false);
    connect(actions, &FileViewActions::otherDiscsRequested, this,
            &FoldersPage::otherDiscsRequested);
}

void FoldersPage::showDisc(qsizetype disc, const QString &name)
{
    m_disc = disc;
    auto tree = std::make_unique<DiscTree>(m_session.lines(), *m_session.index(), disc);
    const QLocale locale;
    m_heading->setText(tr("%1: %2 file(s) in %3 folder(s)")
                           .arg(name, locale.toString(tree->filesBelow(0)),
                                locale.toString(tree->folderCount() - 1)));
    m_tree->setTree(std::move(tree));
}

void FoldersPage::clear()
{
    m_tree->setTree(nullptr);
    m_heading->clear();
    m_disc = -1;
}

void FoldersPage::selectLine(qsizetype line)
{
    const QModelIndex found = m_tree->indexOfLine(line);
    for (QModelIndex folder = found.parent(); folder.isValid(); folder = folder.parent())
        m_view->expand(folder);
    m_view->setCurrentIndex(found);
    m_view->scrollTo(found, QAbstractItemView::PositionAtCenter);
    m_view->setFocus();
}

void FoldersPage::focusFirst(Qt::FocusReason reason)
{
    m_view->setFocus(reason);
}

} // namespace kobrix
