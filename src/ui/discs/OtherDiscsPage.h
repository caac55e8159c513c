#pragma once

#include "discs/DiscOtherPlaces.h"

#include <QWidget>

class QLabel;
class QTreeView;

namespace kobrix {

class CatalogSession;
class DiscListModel;
class LineGroupsModel;

// The Discs window's other discs holding a file: the same path on other
// discs, and the same name in other folders.
class OtherDiscsPage : public QWidget
{
    Q_OBJECT

public:
    OtherDiscsPage(CatalogSession &session, const DiscListModel &discs, QWidget *parent = nullptr);

    // Looks for a line's file on the other discs.
    void showFile(qsizetype line);
    void focusFirst(Qt::FocusReason reason);
    LineGroupsModel *model() const { return m_places; }

Q_SIGNALS:
    void shown();
    void revealRequested(qsizetype line);
    void otherDiscsRequested(qsizetype line);

private:
    void found(qsizetype line, const OtherPlaces &places);
    // A line as listed: with its catalog's name when there are several.
    QString lineLabel(qsizetype line) const;

    CatalogSession &m_session;
    const DiscListModel &m_discs;
    LineGroupsModel *m_places = nullptr;
    QLabel *m_heading = nullptr;
    QTreeView *m_view = nullptr;
};

} // namespace kobrix
