#include "ui/discs/OtherDiscsPage.h"

#include "core/LineStore.h"
#include "discs/DiscIndex.h"
#include "session/CatalogSession.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/FileViewActions.h"
#include "ui/discs/LineGroupsModel.h"

#include <QKeySequence>
#include <QLabel>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace kobrix {

OtherDiscsPage::OtherDiscsPage(CatalogSession &session, const DiscListModel &discs, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_discs(discs)
{
    setObjectName(QStringLiteral("otherDiscsPage"));
    m_places = new LineGroupsModel([this](qsizetype line) { return lineLabel(line); }, this);
    m_places->setHeaders(tr("Where"), tr("Files"));
    m_places->setIcons(QIcon(), style()->standardIcon(QStyle::SP_FileIcon));
    m_heading = new QLabel(
        tr("Choose a file and \"Show on other discs\" (%1).")
            .arg(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O).toString(QKeySequence::NativeText)),
        this);
    m_heading->setObjectName(QStringLiteral("otherHeading"));
    m_heading->setWordWrap(true);
    m_view =
        makeDiscsView(this, "otherDiscsView", tr("Other discs holding the file"), m_places, true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_view, 1);
    auto *actions = new FileViewActions(
        m_view,
        [this](const QModelIndex &index) { return m_places->lineAt(index.siblingAtColumn(0)); },
        true);
    connect(actions, &FileViewActions::revealRequested, this, &OtherDiscsPage::revealRequested);
    connect(actions, &FileViewActions::otherDiscsRequested, this,
            &OtherDiscsPage::otherDiscsRequested);
    connect(&m_session, &CatalogSession::otherPlacesFound, this, &OtherDiscsPage::found);
    connect(&m_session, &CatalogSession::linesReplaced, m_places, &LineGroupsModel::clear);
}

QString OtherDiscsPage::lineLabel(qsizetype line) const
{
    const QString text = m_session.lines().at(line);
    if (m_session.parts().size() < 2 || !m_session.index())
        return text;
    return tr("%1 (%2)").arg(text, m_discs.catalogName(m_session.index()->discOfLine(line)));
}

void OtherDiscsPage::showFile(qsizetype line)
{
    m_places->clear();
    m_heading->setText(tr("Looking for %1 on the other discs...").arg(pathOfLine(m_session, line)));
    m_session.findOtherPlaces(line);
}

void OtherDiscsPage::found(qsizetype line, const OtherPlaces &places)
{
    m_heading->setText(tr("%1 of \"%2\"")
                           .arg(pathOfLine(m_session, line),
                                m_discs.discName(m_session.index()->discOfLine(line))));
    std::vector<LineGroupsModel::Group> groups;
    groups.push_back({tr("Same path on other discs"), places.samePath});
    groups.push_back({tr("Same name in other folders"), places.sameName});
    m_places->setGroups(std::move(groups));
    for (int group = 0; group < m_places->rowCount(); ++group)
        m_view->expand(m_places->index(group, 0));
    m_view->setCurrentIndex(m_places->index(0, 0));
    if (window()->isActiveWindow() || window()->focusWidget())
        m_view->setFocus();
    Q_EMIT shown();
}

void OtherDiscsPage::focusFirst(Qt::FocusReason reason)
{
    m_view->setFocus(reason);
}

} // namespace kobrix
