#pragma once

#include <QObject>

#include <functional>

class QAbstractItemModel;
class QAction;
class QModelIndex;
class QPoint;
class QString;
class QTreeView;
class QWidget;

namespace kobrix {

class CatalogSession;

// A view of the Discs window: rows of one text line each, with a name
// column that takes the room and a count column as wide as the largest
// count needs.
QTreeView *makeDiscsView(QWidget *parent, const char *objectName, const QString &accessibleName,
                         QAbstractItemModel *model, bool tree);
// A line's path on its disc.
QString pathOfLine(const CatalogSession &session, qsizetype line);

// The file actions of a view, on its context menu and their shortcuts:
// "Show on other discs", and "Show in Folders" where asked for. lineOf
// tells the file of a row (-1 for none). Enter on a file, or a double
// click, shows it in its folder as well; on a folder or group it opens or
// closes it.
class FileViewActions : public QObject
{
    Q_OBJECT

public:
    using LineOf = std::function<qsizetype(const QModelIndex &)>;
    FileViewActions(QTreeView *view, LineOf lineOf, bool revealable);

Q_SIGNALS:
    void revealRequested(qsizetype line);
    void otherDiscsRequested(qsizetype line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showMenu(const QPoint &globalPos);
    void rowActivated(const QModelIndex &index);

    QTreeView *m_view;
    LineOf m_lineOf;
    QAction *m_showElsewhere = nullptr;
    QAction *m_reveal = nullptr; // nullptr for the folder tree
};

} // namespace kobrix
