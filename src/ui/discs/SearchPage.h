#pragma once

#include "session/CatalogSession.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace kobrix {

class DiscListModel;
class LineGroupsModel;

// The Discs window's search: every line holding the text typed, its hits
// grouped by disc.
class SearchPage : public QWidget
{
    Q_OBJECT

public:
    SearchPage(CatalogSession &session, const DiscListModel &discs, QWidget *parent = nullptr);

    // Searches every line for the text in the box.
    void find();
    // The discs are counted: a search may start, and one shown before
    // catalogs were added runs again over all of them.
    void discsCounted();
    void searchAgainIfAsked();
    void focusFirst(Qt::FocusReason reason);
    LineGroupsModel *model() const { return m_hits; }

Q_SIGNALS:
    void finished();
    void revealRequested(qsizetype line);
    void otherDiscsRequested(qsizetype line);

private:
    void linesReplaced();
    void showHits();

    CatalogSession &m_session;
    const DiscListModel &m_discs;
    LineGroupsModel *m_hits = nullptr;
    QLabel *m_label = nullptr;
    QLineEdit *m_box = nullptr;
    QPushButton *m_findButton = nullptr;
    QLabel *m_status = nullptr;
    QTreeView *m_results = nullptr;
    bool m_searchAgain = false;
};

} // namespace kobrix
