#include "ui/discs/SearchPage.h"

#include "core/ProgramTexts.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/FileViewActions.h"
#include "ui/discs/LineGroupsModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace kobrix {

SearchPage::SearchPage(CatalogSession &session, const DiscListModel &discs, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_discs(discs)
{
    setObjectName(QStringLiteral("searchPage"));
    m_hits =
        new LineGroupsModel([this](qsizetype line) { return pathOfLine(m_session, line); }, this);
    m_hits->setHeaders(tr("Disc"), tr("Hits"));
    m_hits->setIcons(style()->standardIcon(QStyle::SP_DriveCDIcon),
                     style()->standardIcon(QStyle::SP_FileIcon));
    m_label = new QLabel(tr("Find &what:"), this);
    m_label->setObjectName(QStringLiteral("searchLabel"));
    m_box = new QLineEdit(this);
    m_box->setObjectName(QStringLiteral("searchBox"));
    m_label->setBuddy(m_box);
    m_findButton = new QPushButton(tr("&Find"), this);
    m_findButton->setObjectName(QStringLiteral("findButton"));
    m_findButton->setAutoDefault(false);
    m_findButton->setEnabled(false); // until the discs are counted
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("searchStatus"));
    m_results = makeDiscsView(this, "searchResults", tr("Search results by disc"), m_hits, true);

    auto *row = new QHBoxLayout;
    row->addWidget(m_label);
    row->addWidget(m_box, 1);
    row->addWidget(m_findButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_status);
    layout->addWidget(m_results, 1);

    connect(m_box, &QLineEdit::returnPressed, this, &SearchPage::find);
    connect(m_findButton, &QPushButton::clicked, this, &SearchPage::find);
    auto *actions = new FileViewActions(
        m_results,
        [this](const QModelIndex &index) { return m_hits->lineAt(index.siblingAtColumn(0)); },
        true);
    connect(actions, &FileViewActions::revealRequested, this, &SearchPage::revealRequested);
    connect(actions, &FileViewActions::otherDiscsRequested, this, &SearchPage::otherDiscsRequested);
    connect(&m_session, &CatalogSession::searchProgressed, this,
            [this](int percent) { m_status->setText(tr("Searching... %1%").arg(percent)); });
    connect(&m_session, &CatalogSession::searchFinished, this, &SearchPage::showHits);
    connect(&m_session, &CatalogSession::linesReplaced, this, &SearchPage::linesReplaced);
}

void SearchPage::find()
{
    if (!m_session.index())
        return;
    // The grouping of an earlier search, if running, is dropped.
    m_session.stopSearch();
    m_hits->clear();
    const QString typed = m_box->text();
    if (typed.isEmpty()) {
        m_status->setText(ProgramTexts::missingSearchText());
        Q_EMIT finished();
        return;
    }
    m_status->setText(tr("Searching..."));
    m_session.search(typed);
}

void SearchPage::showHits()
{
    CatalogSession::Hits hits = m_session.takeHits();
    const qsizetype total = hits.total();
    std::vector<LineGroupsModel::Group> groups;
    groups.reserve(hits.discs.size());
    for (std::size_t group = 0; group < hits.discs.size(); ++group)
        groups.push_back({m_discs.discName(hits.discs[group]), std::move(hits.lines[group])});
    const auto discs = qsizetype(groups.size());
    m_hits->setGroups(std::move(groups));
    const QLocale locale;
    if (total > 0) {
        m_status->setText(tr("Found %1 Item(s) on %2 disc(s)")
                              .arg(locale.toString(total), locale.toString(discs)));
        m_results->setCurrentIndex(m_hits->index(0, 0));
    } else {
        m_status->setText(tr("Search text not found"));
    }
    Q_EMIT finished();
}

void SearchPage::linesReplaced()
{
    // A search shown is run again over all catalogs.
    m_searchAgain =
        !m_box->text().isEmpty() && (m_hits->rowCount() > 0 || !m_status->text().isEmpty());
    m_hits->clear();
    m_status->clear();
    m_findButton->setEnabled(false);
}

void SearchPage::discsCounted()
{
    m_findButton->setEnabled(true);
}

void SearchPage::searchAgainIfAsked()
{
    if (m_searchAgain) {
        m_searchAgain = false;
        find();
    }
}

void SearchPage::focusFirst(Qt::FocusReason reason)
{
    m_box->setFocus(reason);
    m_box->selectAll();
}

} // namespace kobrix
