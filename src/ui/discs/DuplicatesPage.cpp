#include "ui/discs/DuplicatesPage.h"

#include "discs/DiscIndex.h"
#include "session/CatalogSession.h"
#include "ui/discs/DuplicatesModel.h"
#include "ui/discs/FileViewActions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <limits>

namespace kobrix {

DuplicatesPage::DuplicatesPage(CatalogSession &session,
                               std::function<QString(qsizetype disc)> discName, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("duplicatesPage"));
    m_duplicates = new DuplicatesModel(this);
    m_duplicates->setDiscNames(std::move(discName));
    m_byPath = new QRadioButton(tr("By &path"), this);
    m_byPath->setObjectName(QStringLiteral("byPathButton"));
    m_byPath->setChecked(true);
    m_byName = new QRadioButton(tr("By &name"), this);
    m_byName->setObjectName(QStringLiteral("byNameButton"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("duplicatesStatus"));
    m_view =
        makeDiscsView(this, "duplicatesView", tr("Files on several discs"), m_duplicates, true);
    auto *row = new QHBoxLayout;
    row->addWidget(m_byPath);
    row->addWidget(m_byName);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_status);
    layout->addWidget(m_view, 1);

    connect(m_byPath, &QRadioButton::toggled, this, [this](bool on) {
        showKind(on ? DiscDuplicates::Key::Path : DiscDuplicates::Key::FileName);
    });
    auto *actions = new FileViewActions(
        m_view, [this](const QModelIndex &index) { return lineAt(index); }, true);
    connect(actions, &FileViewActions::revealRequested, this, &DuplicatesPage::revealRequested);
    connect(actions, &FileViewActions::otherDiscsRequested, this,
            &DuplicatesPage::otherDiscsRequested);
    connect(&m_session, &CatalogSession::duplicatesFound, this, &DuplicatesPage::showFound);
    connect(&m_session, &CatalogSession::linesReplaced, this, [this] {
        m_duplicates->setDuplicates(nullptr, nullptr);
        m_status->clear();
    });
}

qsizetype DuplicatesPage::lineAt(const QModelIndex &index) const
{
    const DiscDuplicates *duplicates = m_duplicates->duplicates();
    const qsizetype entry = m_duplicates->entryAt(index);
    if (!duplicates || entry < 0)
        return -1;
    const qsizetype disc = m_duplicates->discAt(index.siblingAtColumn(0));
    // The path or name itself stands for its first line.
    if (disc < 0)
        return duplicates->firstLine(entry);
    return firstLineWithKey(m_session.lines(), *m_session.index(), disc, duplicates->utf8Key(entry),
                            duplicates->keyKind());
}

void DuplicatesPage::showChosen()
{
    showKind(m_byName->isChecked() ? DiscDuplicates::Key::FileName : DiscDuplicates::Key::Path);
}

void DuplicatesPage::showKind(DiscDuplicates::Key key)
{
    if (!m_session.index())
        return;
    {
        const QSignalBlocker quiet(m_byPath);
        m_byPath->setChecked(key == DiscDuplicates::Key::Path);
        m_byName->setChecked(key == DiscDuplicates::Key::FileName);
    }
    Q_EMIT wanted();
    if (m_session.findDuplicates(key)) {
        showFound();
        return;
    }
    m_duplicates->setDuplicates(nullptr, nullptr);
    m_status->setText(tr("Looking for files on several discs..."));
}

void DuplicatesPage::showFound()
{
    const bool byPath = m_byPath->isChecked();
    const DiscDuplicates *found =
        m_session.duplicates(byPath ? DiscDuplicates::Key::Path : DiscDuplicates::Key::FileName);
    if (m_duplicates->duplicates() != found)
        m_duplicates->setDuplicates(found, m_session.index());
    // The count in the user's locale (%Ln); the one and the many are texts
    // of their own, each with the count for translations of more forms.
    const int count = int(std::min<qsizetype>(found->count(), std::numeric_limits<int>::max()));
    if (count == 0)
        m_status->setText(tr("No file stands on more than one disc"));
    else if (byPath && count == 1)
        m_status->setText(tr("%Ln path stands on more than one disc", nullptr, count));
    else if (byPath)
        m_status->setText(tr("%Ln paths stand on more than one disc", nullptr, count));
    else if (count == 1)
        m_status->setText(tr("%Ln file name stands on more than one disc", nullptr, count));
    else
        m_status->setText(tr("%Ln file names stand on more than one disc", nullptr, count));
    if (m_duplicates->rowCount() > 0 && !m_view->currentIndex().isValid())
        m_view->setCurrentIndex(m_duplicates->index(0, 0));
    Q_EMIT shown();
}

void DuplicatesPage::focusFirst(Qt::FocusReason reason)
{
    (m_byName->isChecked() ? m_byName : m_byPath)->setFocus(reason);
}

} // namespace kobrix
