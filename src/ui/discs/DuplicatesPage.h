#pragma once

#include "discs/DiscDuplicates.h"

#include <QWidget>

class QLabel;
class QRadioButton;
class QTreeView;

namespace kobrix {

class CatalogSession;
class DuplicatesModel;

// The Discs window's files on several discs, by path or by name.
class DuplicatesPage : public QWidget
{
    Q_OBJECT

public:
    // discName gives a disc's name as listed.
    DuplicatesPage(CatalogSession &session, std::function<QString(qsizetype disc)> discName,
                   QWidget *parent = nullptr);

    // Lists the paths, or the file names, found on several discs.
    void showKind(DiscDuplicates::Key key);
    // Lists those of the kind chosen, as when the page comes up.
    void showChosen();
    void focusFirst(Qt::FocusReason reason);
    DuplicatesModel *model() const { return m_duplicates; }

Q_SIGNALS:
    // The page is to be shown.
    void wanted();
    void shown();
    void revealRequested(qsizetype line);
    void otherDiscsRequested(qsizetype line);

private:
    void showFound();
    qsizetype lineAt(const QModelIndex &index) const;

    CatalogSession &m_session;
    DuplicatesModel *m_duplicates = nullptr;
    QRadioButton *m_byPath = nullptr;
    QRadioButton *m_byName = nullptr;
    QLabel *m_status = nullptr;
    QTreeView *m_view = nullptr;
};

} // namespace kobrix
