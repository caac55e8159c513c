#pragma once

#include <QWidget>

class QLabel;
class QTreeView;

namespace kobrix {

class CatalogSession;
class DiscTreeModel;

// The Discs window's first page: the folders of the disc chosen, as a tree.
class FoldersPage : public QWidget
{
    Q_OBJECT

public:
    FoldersPage(const CatalogSession &session, QWidget *parent = nullptr);

    // Shows a disc's folders under a heading with its name (as listed).
    void showDisc(qsizetype disc, const QString &name);
    // Shows none, as when the lines are replaced.
    void clear();
    // The disc shown, -1 for none.
    qsizetype disc() const { return m_disc; }
    // Makes a line of the disc shown the current row, its folders opened,
    // and gives the tree the focus.
    void selectLine(qsizetype line);
    void focusFirst(Qt::FocusReason reason);
    DiscTreeModel *model() const { return m_tree; }

Q_SIGNALS:
    void otherDiscsRequested(qsizetype line);

private:
    const CatalogSession &m_session;
    DiscTreeModel *m_tree = nullptr;
    QLabel *m_heading = nullptr;
    QTreeView *m_view = nullptr;
    qsizetype m_disc = -1;
};

} // namespace kobrix
