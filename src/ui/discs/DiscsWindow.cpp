// The Discs window: its controls, the reading of a catalog file, the
// counting of the discs, the disc list with its filter and totals, and the
// folder tree of the disc chosen. The search and the other views are in
// DiscsWindowViews.cpp.

#include "ui/discs/DiscsWindow.h"

#include "catalog/CatalogFile.h"
#include "discs/Catalog.h"
#include "discs/DiscIndex.h"
#include "discs/DiscTree.h"
#include "core/ProgramTexts.h"
#include "search/Matcher.h"
#include "ui/common/BackgroundJob.h"
#include "ui/discs/BatchedTreeView.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscTreeModel.h"
#include "ui/discs/DiscsWindowOutput.h"
#include "ui/discs/DuplicatesModel.h"
#include "ui/discs/LineGroupsModel.h"
#include "ui/common/MessageBox.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace kobrix {

namespace {

// A text box at least wide enough for its placeholder text, with the room
// its frame, margins and clear button take: the hint is never cut.
class PlaceholderLineEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

    QSize minimumSizeHint() const override
    {
        QSize hint = QLineEdit::minimumSizeHint();
        // The size hint is the width of 17 "x" and all that surrounds the text.
        const QFontMetrics metrics = fontMetrics();
        const int around = QLineEdit::sizeHint().width() - 17 * metrics.horizontalAdvance(u'x');
        hint.setWidth(std::max(hint.width(),
                               around + metrics.horizontalAdvance(placeholderText()) + 4));
        return hint;
    }
    QSize sizeHint() const override { return QLineEdit::sizeHint().expandedTo(minimumSizeHint()); }
};

} // namespace

DiscsWindow::DiscsWindow(const UiServices &services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , m_messages(*services.messages)
{
    setObjectName(QStringLiteral("DiscsWindow"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Discs"));

    m_discs = new DiscListModel(this);
    m_tree = new DiscTreeModel(this);
    m_hits = new LineGroupsModel([this](qsizetype line) { return pathOf(line); }, this);
    m_hits->setHeaders(tr("Disc"), tr("Hits"));
    const QIcon discIcon = style()->standardIcon(QStyle::SP_DriveCDIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    m_hits->setIcons(discIcon, fileIcon);
    m_otherPlaces = new LineGroupsModel([this](qsizetype line) { return lineLabel(line); }, this);
    m_otherPlaces->setHeaders(tr("Where"), tr("Files"));
    m_otherPlaces->setIcons(QIcon(), fileIcon);
    m_duplicates = new DuplicatesModel(this);
    m_duplicates->setDiscNames([this](qsizetype disc) {
        return m_parts.size() > 1 ? discLabel(disc) : m_index->name(disc);
    });
    m_countJob = new BackgroundJob(this);
    m_otherJob = new BackgroundJob(this);
    m_duplicatesJob = new BackgroundJob(this);
    m_groupJob = new BackgroundJob(this);
    m_copyJob = new BackgroundJob(this);
    m_readTimer = new QTimer(this);
    m_readTimer->setInterval(0);
    connect(m_readTimer, &QTimer::timeout, this, &DiscsWindow::readSlice);
    m_searchTimer = new QTimer(this);
    m_searchTimer->setInterval(0);
    connect(m_searchTimer, &QTimer::timeout, this, &DiscsWindow::searchSlice);
    m_addTimer = new QTimer(this);
    m_addTimer->setInterval(0);
    connect(m_addTimer, &QTimer::timeout, this, &DiscsWindow::addSlice);

    createControls();
    sizeToFont();
}

void DiscsWindow::sizeToFont()
{
    // A style sheet's font reaches the controls when they are polished.
    ensurePolished();
    // About 150 characters by 40 lines of the window's font (900 x 560
    // pixels at 9 points), within nine tenths of the screen, and never less
    // than the controls need.
    const QFontMetrics metrics = fontMetrics();
    QSize wanted(metrics.averageCharWidth() * 150, metrics.height() * 40);
    if (const QScreen *shownOn = screen())
        wanted = wanted.boundedTo(shownOn->availableGeometry().size() * 9 / 10);
    resize(wanted.expandedTo(minimumSizeHint()));
}

DiscsWindow::~DiscsWindow()
{
    // The workers read the lines and the index: they end before either goes.
    output->stop();
    m_countJob->forget();
    m_otherJob->forget();
    m_duplicatesJob->forget();
    m_groupJob->forget();
    m_copyJob->forget();
}

// A view of rows of one text line each, with a name column that takes the
// room and a count column as wide as the largest count needs.
QTreeView *DiscsWindow::makeView(QWidget *parent, const char *objectName,
                                 const QString &accessibleName, QAbstractItemModel *model,
                                 bool tree)
{
    auto *view = new BatchedTreeView(parent);
    view->setObjectName(QLatin1String(objectName));
    view->setAccessibleName(accessibleName);
    view->setModel(model);
    view->setUniformRowHeights(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setRootIsDecorated(tree);
    view->setItemsExpandable(tree);
    view->setExpandsOnDoubleClick(false); // activation opens and closes (rowActivated)
    view->setAllColumnsShowFocus(true);
    QHeaderView *header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    header->setSectionResizeMode(1, QHeaderView::Fixed);
    header->resizeSection(1, view->fontMetrics().horizontalAdvance(QStringLiteral("0,000,000,000"))
                                 + 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin));
    return view;
}

void DiscsWindow::createControls()
{
    auto *left = new QWidget(this);
    filterLabel = new QLabel(tr("Fi&lter:"), left);
    filterLabel->setObjectName(QStringLiteral("filterLabel"));
    filterBox = new PlaceholderLineEdit(left);
    filterBox->setObjectName(QStringLiteral("filterBox"));
    filterBox->setPlaceholderText(tr("Part of a disc name"));
    filterBox->setClearButtonEnabled(true);
    filterLabel->setBuddy(filterBox);
    discsLabel = new QLabel(tr("&Discs"), left);
    discsLabel->setObjectName(QStringLiteral("discsLabel"));
    discList = makeView(left, "discList", tr("Discs"), m_discs, false);
    // Several discs can be chosen to export or print; the current one is shown.
    discList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    discsLabel->setBuddy(discList);
    addButton = new QPushButton(tr("&Add Catalogs"), left);
    addButton->setObjectName(QStringLiteral("addButton"));
    addButton->setAutoDefault(false);
    addButton->setEnabled(false); // until the discs are counted
    addMenu = new QMenu(addButton);
    addMenu->setObjectName(QStringLiteral("addMenu"));
    addFilesAction = addMenu->addAction(tr("Catalog &Files..."));
    addFilesAction->setObjectName(QStringLiteral("addFilesAction"));
    addFolderAction = addMenu->addAction(tr("All Catalogs in a F&older..."));
    addFolderAction->setObjectName(QStringLiteral("addFolderAction"));
    addButton->setMenu(addMenu);
    totalsLabel = new QLabel(left);
    totalsLabel->setObjectName(QStringLiteral("totalsLabel"));

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filterBox, 1);
    filterRow->addWidget(addButton);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addLayout(filterRow);
    leftLayout->addWidget(discsLabel);
    leftLayout->addWidget(discList, 1);
    leftLayout->addWidget(totalsLabel);

    views = new QTabWidget(this);
    views->setObjectName(QStringLiteral("views"));
    views->setAccessibleName(tr("Views"));
    views->tabBar()->setAccessibleName(tr("Views"));
    views->addTab(createFoldersPage(), tr("F&olders"));
    views->addTab(createSearchPage(), tr("&Search"));
    views->addTab(createOtherDiscsPage(), tr("O&ther Discs"));
    views->addTab(createDuplicatesPage(), tr("Files on Se&veral Discs"));
    views->tabBar()->installEventFilter(this);
    // Every tab's caption shows in full at any font: the views are at
    // least as wide as their tabs, never scrolled or shortened.
    views->setUsesScrollButtons(false);
    views->setElideMode(Qt::ElideNone);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(left);
    splitter->addWidget(views);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    closeButton = new QPushButton(tr("&Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    output = new DiscsWindowOutput(*this, m_services, *buttons);
    buttons->addWidget(closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    setTabOrder(filterBox, addButton);
    setTabOrder(addButton, discList);
    setTabOrder(discList, views);

    connect(filterBox, &QLineEdit::textChanged, this, &DiscsWindow::applyFilter);
    // Down from the filter goes into the list, as in a search field.
    connect(filterBox, &QLineEdit::returnPressed, discList, [this] { discList->setFocus(); });
    connect(discList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    selectDisc(m_discs->discAt(current.row()));
            });
    // Enter on a disc goes to its folders.
    connect(discList, &QTreeView::activated, this, [this] {
        views->setCurrentIndex(0);
        folderTree->setFocus();
    });
    connect(closeButton, &QPushButton::clicked, this, &DiscsWindow::close);
    connect(addFilesAction, &QAction::triggered, this, &DiscsWindow::chooseCatalogFiles);
    connect(addFolderAction, &QAction::triggered, this, &DiscsWindow::chooseCatalogFolder);
    auto *findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        views->setCurrentIndex(1);
        searchBox->setFocus();
        searchBox->selectAll();
    });
}

QWidget *DiscsWindow::createFoldersPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("foldersPage"));
    folderHeading = new QLabel(page);
    folderHeading->setObjectName(QStringLiteral("folderHeading"));
    folderTree = makeView(page, "folderTree", tr("Folders of the disc"), m_tree, true);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(folderHeading);
    layout->addWidget(folderTree, 1);
    addFileActions(folderTree, &DiscsWindow::treeLine, false);
    return page;
}

const LineStore &DiscsWindow::lines() const
{
    return m_catalog->lines();
}

bool DiscsWindow::isWorking() const
{
    // A catalog given and its discs not counted yet: reading or counting.
    if (m_catalog && !m_index)
        return true;
    return m_readTimer->isActive() || m_addTimer->isActive() || m_searchTimer->isActive() || m_groupJob->isRunning()
           || m_countJob->isRunning() || m_copyJob->isRunning() || m_otherJob->isRunning() || m_duplicatesJob->isRunning();
}

void DiscsWindow::showCatalog(const Catalog &catalog, const QString &name)
{
    m_catalog = &catalog;
    m_catalogName = name;
    m_parts = {{catalog.path(), name, 0, catalog.lines().count()}};
    setWindowTitle(name.isEmpty() ? tr("Discs") : tr("Discs - %1").arg(name));
    // Once the window is on the screen: the worker would otherwise compete
    // with its first painting.
    QTimer::singleShot(0, this, &DiscsWindow::countDiscs);
}

void DiscsWindow::readCatalogFile(const QString &path)
{
    m_ownCatalog = std::make_unique<Catalog>();
    m_ownCatalog->setPath(path);
    m_ownCatalog->setContent(Catalog::Content::CatalogLines);
    m_catalog = m_ownCatalog.get();
    m_catalogName = QFileInfo(path).fileName();
    m_parts = {{path, m_catalogName, 0, 0}};
    setWindowTitle(tr("Discs - %1").arg(m_catalogName));
    m_reader = std::make_unique<CatalogReader>();
    if (RuntimeError error = m_reader->open(path)) {
        m_reader.reset();
        m_messages.show(this, ProgramTexts::programTitle(),
                        errorMessageText(ProgramTexts::readErrorHeading(), error),
                        MessageIcon::Critical);
        countDiscs(); // an empty catalog: no discs
        return;
    }
    totalsLabel->setText(tr("Reading %1...").arg(m_catalogName));
    // The slices begin once the window is on the screen.
    QTimer::singleShot(0, m_readTimer, qOverload<>(&QTimer::start));
}

void DiscsWindow::readSlice()
{
    if (!m_reader->readSome(m_ownCatalog->lines(), m_sliceBudget))
        return; // more in the next round of events
    m_readTimer->stop();
    const RuntimeError error = m_reader->error();
    m_reader->close();
    m_reader.reset();
    m_ownCatalog->markLinesChanged();
    m_parts.front().lineCount = m_ownCatalog->lines().count();
    // The discs of what was read are shown, also after a failure.
    countDiscs();
    if (error)
        m_messages.show(this, ProgramTexts::programTitle(),
                        errorMessageText(ProgramTexts::readErrorHeading(), error),
                        MessageIcon::Critical);
}

void DiscsWindow::countDiscs()
{
    totalsLabel->setText(tr("Counting the discs..."));
    // The index is built on first use: by the worker, which alone uses the
    // catalog until it is done.
    const Catalog *catalog = m_catalog;
    if (m_parts.size() <= 1) {
        m_countJob->start([catalog] { catalog->discs(); }, [this] { discsCounted(); });
        return;
    }
    // Several catalogs: an index of their own, where each catalog's discs
    // stay apart.
    std::vector<qsizetype> starts;
    for (const CatalogPart &part : m_parts)
        starts.push_back(part.firstLine);
    m_partsIndex = std::make_unique<DiscIndex>();
    DiscIndex *index = m_partsIndex.get();
    m_countJob->start([catalog, index, starts] { index->build(catalog->lines(), starts); },
                      [this] { discsCounted(); });
}

void DiscsWindow::discsCounted()
{
    m_index = m_parts.size() > 1 ? m_partsIndex.get() : &m_catalog->discs();
    QStringList catalogNames;
    if (m_parts.size() > 1) {
        for (const CatalogPart &part : m_parts)
            catalogNames << part.name;
    }
    m_discs->setCatalogNames(catalogNames);
    m_discs->setIndex(m_index);
    m_discs->setFilter(filterBox->text());
    showTotals();
    findButton->setEnabled(true);
    addButton->setEnabled(true);
    if (m_discs->rowCount() > 0)
        discList->setCurrentIndex(m_discs->index(0, 0));
    emit ready();
    if (m_searchAgain) {
        m_searchAgain = false;
        find();
    }
    if (views->currentIndex() == 3)
        duplicatesTabShown();
}

void DiscsWindow::applyFilter(const QString &text)
{
    if (!m_index)
        return; // applied once the discs are counted
    m_discs->setFilter(text);
    showTotals();
    // The tree keeps the disc it shows; the list marks it again if shown
    // (selectDisc() has nothing to do for the disc shown already).
    const int row = m_treeDisc >= 0 ? m_discs->rowOfDisc(m_treeDisc) : -1;
    if (row >= 0)
        discList->setCurrentIndex(m_discs->index(row, 0));
}

void DiscsWindow::showTotals()
{
    const QLocale locale;
    if (m_parts.size() > 1) {
        const QString catalogs = locale.toString(qsizetype(m_parts.size()));
        if (m_discs->filter().isEmpty()) {
            totalsLabel->setText(tr("%1 catalogs, %2 disc(s), %3 file(s)")
                                     .arg(catalogs, locale.toString(m_discs->totalDiscs()),
                                          locale.toString(m_discs->totalFiles())));
        } else {
            totalsLabel->setText(tr("%1 catalogs, %2 of %3 disc(s), %4 of %5 file(s)")
                                     .arg(catalogs, locale.toString(m_discs->shownDiscs()),
                                          locale.toString(m_discs->totalDiscs()),
                                          locale.toString(m_discs->shownFiles()),
                                          locale.toString(m_discs->totalFiles())));
        }
        return;
    }
    if (m_discs->filter().isEmpty()) {
        totalsLabel->setText(tr("%1 disc(s), %2 file(s)")
                                 .arg(locale.toString(m_discs->totalDiscs()),
                                      locale.toString(m_discs->totalFiles())));
    } else {
        totalsLabel->setText(tr("%1 of %2 disc(s), %3 of %4 file(s)")
                                 .arg(locale.toString(m_discs->shownDiscs()),
                                      locale.toString(m_discs->totalDiscs()),
                                      locale.toString(m_discs->shownFiles()),
                                      locale.toString(m_discs->totalFiles())));
    }
}

void DiscsWindow::selectDisc(qsizetype disc)
{
    if (!m_index || disc < 0 || disc >= m_index->count() || disc == m_treeDisc)
        return;
    m_treeDisc = disc;
    auto tree = std::make_unique<DiscTree>(lines(), *m_index, disc);
    const QLocale locale;
    folderHeading->setText(tr("%1: %2 file(s) in %3 folder(s)")
                               .arg(m_discs->discName(disc), locale.toString(tree->filesBelow(0)),
                                    locale.toString(tree->folderCount() - 1)));
    m_tree->setTree(std::move(tree));
    const int row = m_discs->rowOfDisc(disc);
    if (row >= 0 && discList->currentIndex().row() != row)
        discList->setCurrentIndex(m_discs->index(row, 0));
}

qsizetype DiscsWindow::treeLine(const QModelIndex &index) const
{
    return m_tree->lineAt(index.siblingAtColumn(0));
}

void DiscsWindow::revealLine(qsizetype line)
{
    if (!m_index || line < 0 || line >= m_index->totalFiles())
        return;
    const qsizetype disc = m_index->discOfLine(line);
    // A disc the filter hides comes back into the list.
    if (m_discs->rowOfDisc(disc) < 0)
        filterBox->clear();
    selectDisc(disc);
    const QModelIndex found = m_tree->indexOfLine(line);
    for (QModelIndex folder = found.parent(); folder.isValid(); folder = folder.parent())
        folderTree->expand(folder);
    views->setCurrentIndex(0);
    folderTree->setCurrentIndex(found);
    folderTree->scrollTo(found, QAbstractItemView::PositionAtCenter);
    folderTree->setFocus();
}

QString DiscsWindow::pathOf(qsizetype line) const
{
    const std::string_view text = lines().utf8At(line);
    const std::string_view path = text.substr(std::min(m_index->pathStart(line), text.size()));
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
}

} // namespace kobrix
