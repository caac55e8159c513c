// The Discs window's views beside the folder tree: the search with its hits
// grouped by disc, the other discs holding a file, the files on several
// discs; and the actions on the files they list.

#include "ui/discs/DiscsWindow.h"

#include "discs/DiscHits.h"
#include "discs/DiscIndex.h"
#include "core/ProgramTexts.h"
#include "search/Matcher.h"
#include "ui/common/BackgroundJob.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscTreeModel.h"
#include "ui/discs/DuplicatesModel.h"
#include "ui/discs/LineGroupsModel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <limits>

namespace kobrix {

namespace {

// Lines matched between two looks at the clock, as in the search window.
constexpr qsizetype kLinesPerStep = 1024;
// Hits kept in one piece while searching.
constexpr std::size_t kHitsPerChunk = 1 << 16;

enum Page { FoldersPage, SearchPage, OtherDiscsPage, DuplicatesPage };

} // namespace

QWidget *DiscsWindow::createSearchPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("searchPage"));
    searchLabel = new QLabel(tr("Find &what:"), page);
    searchLabel->setObjectName(QStringLiteral("searchLabel"));
    searchBox = new QLineEdit(page);
    searchBox->setObjectName(QStringLiteral("searchBox"));
    searchLabel->setBuddy(searchBox);
    findButton = new QPushButton(tr("&Find"), page);
    findButton->setObjectName(QStringLiteral("findButton"));
    findButton->setAutoDefault(false);
    findButton->setEnabled(false); // until the discs are counted
    searchStatus = new QLabel(page);
    searchStatus->setObjectName(QStringLiteral("searchStatus"));
    searchResults = makeView(page, "searchResults", tr("Search results by disc"), m_hits, true);

    auto *row = new QHBoxLayout;
    row->addWidget(searchLabel);
    row->addWidget(searchBox, 1);
    row->addWidget(findButton);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(searchStatus);
    layout->addWidget(searchResults, 1);

    connect(searchBox, &QLineEdit::returnPressed, this, &DiscsWindow::find);
    connect(findButton, &QPushButton::clicked, this, &DiscsWindow::find);
    addFileActions(searchResults, &DiscsWindow::hitLine, true);
    return page;
}

QWidget *DiscsWindow::createOtherDiscsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("otherDiscsPage"));
    otherHeading = new QLabel(
        tr("Choose a file and \"Show on other discs\" (%1).")
            .arg(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O).toString(QKeySequence::NativeText)),
        page);
    otherHeading->setObjectName(QStringLiteral("otherHeading"));
    otherHeading->setWordWrap(true);
    otherDiscsView =
        makeView(page, "otherDiscsView", tr("Other discs holding the file"), m_otherPlaces, true);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(otherHeading);
    layout->addWidget(otherDiscsView, 1);
    addFileActions(otherDiscsView, &DiscsWindow::otherPlacesLine, true);
    return page;
}

QWidget *DiscsWindow::createDuplicatesPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("duplicatesPage"));
    byPathButton = new QRadioButton(tr("By &path"), page);
    byPathButton->setObjectName(QStringLiteral("byPathButton"));
    byPathButton->setChecked(true);
    byNameButton = new QRadioButton(tr("By &name"), page);
    byNameButton->setObjectName(QStringLiteral("byNameButton"));
    duplicatesStatus = new QLabel(page);
    duplicatesStatus->setObjectName(QStringLiteral("duplicatesStatus"));
    duplicatesView =
        makeView(page, "duplicatesView", tr("Files on several discs"), m_duplicates, true);
    auto *row = new QHBoxLayout;
    row->addWidget(byPathButton);
    row->addWidget(byNameButton);
    row->addStretch(1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(row);
    layout->addWidget(duplicatesStatus);
    layout->addWidget(duplicatesView, 1);

    connect(byPathButton, &QRadioButton::toggled, this, [this](bool on) {
        showDuplicates(on ? DiscDuplicates::Key::Path : DiscDuplicates::Key::FileName);
    });
    connect(views, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == DuplicatesPage)
            duplicatesTabShown();
    });
    addFileActions(duplicatesView, &DiscsWindow::duplicatesLine, true);
    return page;
}

// ---------------------------------------------------------------------------
// Actions on files

void DiscsWindow::addFileActions(QTreeView *view, LineOf lineOf, bool revealable)
{
    FileView fileView{view, lineOf, nullptr, nullptr};
    fileView.showElsewhere = new QAction(tr("Show on &other discs"), view);
    fileView.showElsewhere->setObjectName(view->objectName() + QStringLiteral("ShowElsewhere"));
    fileView.showElsewhere->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    fileView.showElsewhere->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view->addAction(fileView.showElsewhere);
    connect(fileView.showElsewhere, &QAction::triggered, this, [this, view, lineOf] {
        const qsizetype line = (this->*lineOf)(view->currentIndex());
        if (line >= 0)
            showOnOtherDiscs(line);
    });
    if (revealable) {
        fileView.reveal = new QAction(tr("Show in &Folders"), view);
        fileView.reveal->setObjectName(view->objectName() + QStringLiteral("Reveal"));
        connect(fileView.reveal, &QAction::triggered, this,
                [this, view, lineOf] { revealLine((this->*lineOf)(view->currentIndex())); });
    }
    connect(view, &QTreeView::activated, this,
            [this, view](const QModelIndex &index) { rowActivated(view, index); });
    // The menu comes up for a click on a row and for the keyboard's menu key.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    m_fileViews.push_back(fileView);
}

const DiscsWindow::FileView *DiscsWindow::fileViewOf(const QObject *viewOrViewport) const
{
    for (const FileView &fileView : m_fileViews) {
        if (fileView.view == viewOrViewport || fileView.view->viewport() == viewOrViewport)
            return &fileView;
    }
    return nullptr;
}

bool DiscsWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A page chosen by its mnemonic: once the tab bar has shown it, the
    // focus goes to its first field, as Alt and a prompt's letter do.
    if (event->type() == QEvent::Shortcut && watched == views->tabBar())
        QTimer::singleShot(0, this, &DiscsWindow::focusPage);
    if (event->type() == QEvent::ContextMenu) {
        if (const FileView *fileView = fileViewOf(watched)) {
            auto *menuEvent = static_cast<QContextMenuEvent *>(event);
            QTreeView *view = fileView->view;
            QPoint at = menuEvent->globalPos();
            if (menuEvent->reason() == QContextMenuEvent::Mouse) {
                // A click on a row makes it the current one.
                const QModelIndex clicked = view->indexAt(view->viewport()->mapFromGlobal(at));
                if (clicked.isValid())
                    view->setCurrentIndex(clicked);
            } else if (view->currentIndex().isValid()) {
                at = view->viewport()->mapToGlobal(
                    view->visualRect(view->currentIndex()).bottomLeft());
            }
            showFileMenu(view, at);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DiscsWindow::focusPage()
{
    switch (views->currentIndex()) {
    case FoldersPage: folderTree->setFocus(Qt::ShortcutFocusReason); break;
    case SearchPage:
        searchBox->setFocus(Qt::ShortcutFocusReason);
        searchBox->selectAll();
        break;
    case OtherDiscsPage: otherDiscsView->setFocus(Qt::ShortcutFocusReason); break;
    case DuplicatesPage:
        (byNameButton->isChecked() ? byNameButton : byPathButton)->setFocus(Qt::ShortcutFocusReason);
        break;
    }
}

void DiscsWindow::showFileMenu(QTreeView *view, const QPoint &globalPos)
{
    const FileView *fileView = fileViewOf(view);
    const bool onFile = (this->*fileView->lineOf)(view->currentIndex()) >= 0;
    QMenu menu(view);
    if (fileView->reveal) {
        fileView->reveal->setEnabled(onFile);
        menu.addAction(fileView->reveal);
    }
    fileView->showElsewhere->setEnabled(onFile);
    menu.addAction(fileView->showElsewhere);
    menu.exec(globalPos);
    // The shortcut stays on: it looks at the current row when pressed.
    fileView->showElsewhere->setEnabled(true);
}

void DiscsWindow::rowActivated(QTreeView *view, const QModelIndex &index)
{
    const FileView *fileView = fileViewOf(view);
    const qsizetype line = (this->*fileView->lineOf)(index);
    if (line >= 0 && fileView->reveal) {
        revealLine(line);
        return;
    }
    // A folder or a group opens or closes.
    const QModelIndex row = index.siblingAtColumn(0);
    if (view->model()->hasChildren(row))
        view->setExpanded(row, !view->isExpanded(row));
}

qsizetype DiscsWindow::hitLine(const QModelIndex &index) const
{
    return m_hits->lineAt(index.siblingAtColumn(0));
}

qsizetype DiscsWindow::otherPlacesLine(const QModelIndex &index) const
{
    return m_otherPlaces->lineAt(index.siblingAtColumn(0));
}

qsizetype DiscsWindow::duplicatesLine(const QModelIndex &index) const
{
    const DiscDuplicates *duplicates = m_duplicates->duplicates();
    const qsizetype entry = m_duplicates->entryAt(index);
    if (!duplicates || entry < 0)
        return -1;
    const qsizetype disc = m_duplicates->discAt(index.siblingAtColumn(0));
    // The path or name itself stands for its first line.
    if (disc < 0)
        return duplicates->firstLine(entry);
    return firstLineWithKey(lines(), *m_index, disc, duplicates->utf8Key(entry),
                            duplicates->keyKind());
}

// ---------------------------------------------------------------------------
// The search, in slices of time between the window's events

void DiscsWindow::find()
{
    if (!m_index)
        return;
    m_searchTimer->stop();
    ++m_searchNumber; // the grouping of an earlier search, if running, is dropped when done
    m_hitChunks.clear();
    m_hits->clear();
    const QString typed = searchBox->text();
    if (typed.isEmpty()) {
        searchStatus->setText(ProgramTexts::missingSearchText());
        emit searchFinished();
        return;
    }
    m_matcher = std::make_unique<Matcher>(effectiveSearchText(typed));
    m_searchNext = 0;
    searchStatus->setText(tr("Searching..."));
    m_searchTimer->start();
}

void DiscsWindow::searchSlice()
{
    const LineStore &store = lines();
    const qsizetype count = store.count();
    QElapsedTimer clock;
    clock.start();
    // One step at least, however short the budget. The hits go into chunks
    // of a bounded size: a single growing array would copy megabytes at a
    // time when nearly every line matches.
    std::vector<qsizetype> step;
    step.reserve(std::size_t(kLinesPerStep));
    do {
        const qsizetype end = std::min(count, m_searchNext + kLinesPerStep);
        step.clear();
        m_matcher->findIn(store, m_searchNext, end, step);
        m_searchNext = end;
        if (step.empty())
            continue;
        if (m_hitChunks.empty() || m_hitChunks.back().size() + step.size() > kHitsPerChunk) {
            m_hitChunks.emplace_back();
            m_hitChunks.back().reserve(kHitsPerChunk);
        }
        m_hitChunks.back().insert(m_hitChunks.back().end(), step.begin(), step.end());
    } while (m_searchNext < count && clock.nsecsElapsed() < m_sliceBudget.count());
    if (m_searchNext < count) {
        searchStatus->setText(tr("Searching... %1%").arg(m_searchNext * 100 / count));
        return;
    }
    m_searchTimer->stop();
    groupHits();
}

void DiscsWindow::groupHits()
{
    // The hits are laid out by disc on the worker: for a search that
    // matches every line that is megabytes to move.
    const DiscIndex *index = m_index;
    const quint64 search = m_searchNumber;
    auto chunks = std::make_shared<std::vector<std::vector<qsizetype>>>(std::move(m_hitChunks));
    m_hitChunks.clear();
    m_groupJob->start(
        [this, index, chunks] {
            std::vector<qsizetype> hits;
            std::size_t total = 0;
            for (const auto &chunk : *chunks)
                total += chunk.size();
            hits.reserve(total);
            for (auto &chunk : *chunks) {
                hits.insert(hits.end(), chunk.begin(), chunk.end());
                chunk = {};
            }
            const DiscHitGroups grouped(*index, hits);
            m_groupsFound.clear();
            m_groupDiscs.clear();
            for (qsizetype group = 0; group < grouped.count(); ++group) {
                const auto lines = grouped.hits(group);
                m_groupsFound.push_back({QString(), {lines.begin(), lines.end()}});
                m_groupDiscs.push_back(grouped.disc(group));
            }
        },
        [this, search] {
            if (search == m_searchNumber)
                finishSearch();
        });
}

void DiscsWindow::finishSearch()
{
    qsizetype total = 0;
    for (std::size_t group = 0; group < m_groupsFound.size(); ++group) {
        m_groupsFound[group].label = m_discs->discName(m_groupDiscs[group]);
        total += qsizetype(m_groupsFound[group].lines.size());
    }
    const auto discs = qsizetype(m_groupsFound.size());
    m_hits->setGroups(std::move(m_groupsFound));
    m_groupsFound = {};
    const QLocale locale;
    if (total > 0) {
        searchStatus->setText(tr("Found %1 Item(s) on %2 disc(s)")
                                  .arg(locale.toString(total), locale.toString(discs)));
        searchResults->setCurrentIndex(m_hits->index(0, 0));
    } else {
        searchStatus->setText(tr("Search text not found"));
    }
    emit searchFinished();
}

// ---------------------------------------------------------------------------
// The other discs holding a file, found by the worker

void DiscsWindow::showOnOtherDiscs(qsizetype line)
{
    if (!m_index || line < 0 || line >= m_index->totalFiles())
        return;
    views->setCurrentIndex(OtherDiscsPage);
    m_otherPlaces->clear();
    otherHeading->setText(tr("Looking for %1 on the other discs...").arg(pathOf(line)));
    m_wantedOtherLine = line;
    if (!m_otherJob->isRunning())
        startOtherPlaces();
}

void DiscsWindow::startOtherPlaces()
{
    const LineStore *store = &lines();
    const DiscIndex *index = m_index;
    const qsizetype line = m_wantedOtherLine;
    m_otherJob->start(
        [this, store, index, line] { m_found = findOnOtherDiscs(*store, *index, line); },
        [this, line] { otherPlacesFound(line); });
}

void DiscsWindow::otherPlacesFound(qsizetype line)
{
    if (line != m_wantedOtherLine) {
        startOtherPlaces(); // another file was asked for meanwhile
        return;
    }
    otherHeading->setText(
        tr("%1 of \"%2\"").arg(pathOf(line), m_discs->discName(m_index->discOfLine(line))));
    std::vector<LineGroupsModel::Group> groups;
    groups.push_back({tr("Same path on other discs"), std::move(m_found.samePath)});
    groups.push_back({tr("Same name in other folders"), std::move(m_found.sameName)});
    m_found = {};
    m_otherPlaces->setGroups(std::move(groups));
    for (int group = 0; group < m_otherPlaces->rowCount(); ++group)
        otherDiscsView->expand(m_otherPlaces->index(group, 0));
    otherDiscsView->setCurrentIndex(m_otherPlaces->index(0, 0));
    if (isActiveWindow() || focusWidget())
        otherDiscsView->setFocus();
    emit otherPlacesShown();
}

// ---------------------------------------------------------------------------
// The files on several discs, found by the worker once for each kind

void DiscsWindow::duplicatesTabShown()
{
    showDuplicates(byNameButton->isChecked() ? DiscDuplicates::Key::FileName
                                             : DiscDuplicates::Key::Path);
}

void DiscsWindow::showDuplicates(DiscDuplicates::Key key)
{
    if (!m_index)
        return;
    m_wantedKey = key;
    {
        const QSignalBlocker quiet(byPathButton);
        byPathButton->setChecked(key == DiscDuplicates::Key::Path);
        byNameButton->setChecked(key == DiscDuplicates::Key::FileName);
    }
    {
        // Already the page wanted: its own handler need not ask again.
        const QSignalBlocker quiet(views);
        views->setCurrentIndex(DuplicatesPage);
    }
    const std::unique_ptr<DiscDuplicates> &known =
        key == DiscDuplicates::Key::Path ? m_byPath : m_byName;
    if (known) {
        showFoundDuplicates();
        return;
    }
    m_duplicates->setDuplicates(nullptr, nullptr);
    duplicatesStatus->setText(tr("Looking for files on several discs..."));
    if (!m_duplicatesJob->isRunning())
        startDuplicates();
}

void DiscsWindow::startDuplicates()
{
    const LineStore *store = &lines();
    const DiscIndex *index = m_index;
    const DiscDuplicates::Key key = m_wantedKey;
    m_duplicatesJob->start(
        [this, store, index, key] {
            m_duplicatesFound = std::make_unique<DiscDuplicates>(*store, *index, key);
        },
        [this, key] { duplicatesFound(key); });
}

void DiscsWindow::duplicatesFound(DiscDuplicates::Key key)
{
    (key == DiscDuplicates::Key::Path ? m_byPath : m_byName) = std::move(m_duplicatesFound);
    if (key != m_wantedKey && !(m_wantedKey == DiscDuplicates::Key::Path ? m_byPath : m_byName)) {
        startDuplicates(); // the other kind was asked for meanwhile
        return;
    }
    showFoundDuplicates();
}

void DiscsWindow::showFoundDuplicates()
{
    const bool byPath = m_wantedKey == DiscDuplicates::Key::Path;
    const DiscDuplicates *shown = (byPath ? m_byPath : m_byName).get();
    if (m_duplicates->duplicates() != shown)
        m_duplicates->setDuplicates(shown, m_index);
    // The count in the user's locale (%Ln); the one and the many are texts
    // of their own, each with the count for translations of more forms.
    const int count = int(std::min<qsizetype>(shown->count(), std::numeric_limits<int>::max()));
    if (count == 0)
        duplicatesStatus->setText(tr("No file stands on more than one disc"));
    else if (byPath && count == 1)
        duplicatesStatus->setText(tr("%Ln path stands on more than one disc", nullptr, count));
    else if (byPath)
        duplicatesStatus->setText(tr("%Ln paths stand on more than one disc", nullptr, count));
    else if (count == 1)
        duplicatesStatus->setText(tr("%Ln file name stands on more than one disc", nullptr, count));
    else
        duplicatesStatus->setText(tr("%Ln file names stand on more than one disc", nullptr, count));
    if (m_duplicates->rowCount() > 0 && !duplicatesView->currentIndex().isValid())
        duplicatesView->setCurrentIndex(m_duplicates->index(0, 0));
    emit duplicatesShown();
}

} // namespace kobrix
