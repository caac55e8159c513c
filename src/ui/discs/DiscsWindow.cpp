// The Discs window: a shell around its pages (folders, search, other discs,
// files on several discs) and the list of discs with its filter and totals,
// bound to a CatalogSession. Adding catalogs is in DiscsWindowCatalogs.cpp.

#include "ui/discs/DiscsWindow.h"

#include "core/ProgramTexts.h"
#include "discs/DiscIndex.h"
#include "ui/common/MessageBox.h"
#include "ui/common/WindowMemory.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscsWindowOutput.h"
#include "ui/discs/DuplicatesPage.h"
#include "ui/discs/FileViewActions.h"
#include "ui/discs/FoldersPage.h"
#include "ui/discs/OtherDiscsPage.h"
#include "ui/discs/PlaceholderLineEdit.h"
#include "ui/discs/SearchPage.h"

#include <QAction>
#include <QFileInfo>
#include <QHideEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace kobrix {

namespace {

enum Page { FoldersPageIndex, SearchPageIndex, OtherDiscsPageIndex, DuplicatesPageIndex };

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

    m_session = new CatalogSession(this);
    m_discs = new DiscListModel(this);
    createControls();
    connectPages();
    sizeToFont();
    restoreWindowLayout(m_services.settings, *this);

    connect(m_session, &CatalogSession::readingCatalog, this,
            [this](const QString &name) { m_totalsLabel->setText(tr("Reading %1...").arg(name)); });
    connect(m_session, &CatalogSession::countingStarted, this,
            [this] { m_totalsLabel->setText(tr("Counting the discs...")); });
    connect(m_session, &CatalogSession::readFailed, this, &DiscsWindow::showError);
    connect(m_session, &CatalogSession::ready, this, &DiscsWindow::discsCounted);
    connect(m_session, &CatalogSession::linesReplaced, this, &DiscsWindow::linesReplaced);
    connect(m_session, &CatalogSession::addFinished, this, &DiscsWindow::addFinished);
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

void DiscsWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        saveWindowLayout(m_services.settings, *this);
}

DiscsWindow::~DiscsWindow()
{
    // The workers read the lines and the index: they end before either goes.
    m_output->stop();
    delete m_session;
}

QWidget *DiscsWindow::createDiscList()
{
    auto *left = new QWidget(this);
    m_filterLabel = new QLabel(tr("Fi&lter:"), left);
    m_filterLabel->setObjectName(QStringLiteral("filterLabel"));
    m_filterBox = new PlaceholderLineEdit(left);
    m_filterBox->setObjectName(QStringLiteral("filterBox"));
    m_filterBox->setPlaceholderText(tr("Part of a disc name"));
    m_filterBox->setClearButtonEnabled(true);
    m_filterLabel->setBuddy(m_filterBox);
    m_discsLabel = new QLabel(tr("&Discs"), left);
    m_discsLabel->setObjectName(QStringLiteral("discsLabel"));
    m_discList = makeDiscsView(left, "discList", tr("Discs"), m_discs, false);
    // Several discs can be chosen to export or print; the current one is shown.
    m_discList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_discsLabel->setBuddy(m_discList);
    m_addButton = new QPushButton(tr("&Add Catalogs"), left);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_addButton->setAutoDefault(false);
    m_addButton->setEnabled(false); // until the discs are counted
    m_addMenu = new QMenu(m_addButton);
    m_addMenu->setObjectName(QStringLiteral("addMenu"));
    m_addFilesAction = m_addMenu->addAction(tr("Catalog &Files..."));
    m_addFilesAction->setObjectName(QStringLiteral("addFilesAction"));
    m_addFolderAction = m_addMenu->addAction(tr("All Catalogs in a F&older..."));
    m_addFolderAction->setObjectName(QStringLiteral("addFolderAction"));
    m_addButton->setMenu(m_addMenu);
    m_totalsLabel = new QLabel(left);
    m_totalsLabel->setObjectName(QStringLiteral("totalsLabel"));

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(m_filterLabel);
    filterRow->addWidget(m_filterBox, 1);
    filterRow->addWidget(m_addButton);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addLayout(filterRow);
    leftLayout->addWidget(m_discsLabel);
    leftLayout->addWidget(m_discList, 1);
    leftLayout->addWidget(m_totalsLabel);
    return left;
}

void DiscsWindow::createControls()
{
    QWidget *left = createDiscList();

    m_views = new QTabWidget(this);
    m_views->setObjectName(QStringLiteral("views"));
    m_views->setAccessibleName(tr("Views"));
    m_views->tabBar()->setAccessibleName(tr("Views"));
    m_folders = new FoldersPage(*m_session);
    m_search = new SearchPage(*m_session, *m_discs);
    m_otherDiscs = new OtherDiscsPage(*m_session, *m_discs);
    m_duplicates = new DuplicatesPage(*m_session, [this](qsizetype disc) {
        return m_session->parts().size() > 1 ? discLabel(disc) : m_session->index()->name(disc);
    });
    m_views->addTab(m_folders, tr("F&olders"));
    m_views->addTab(m_search, tr("&Search"));
    m_views->addTab(m_otherDiscs, tr("O&ther Discs"));
    m_views->addTab(m_duplicates, tr("Files on Se&veral Discs"));
    m_views->tabBar()->installEventFilter(this);
    // Every tab's caption shows in full at any font: the views are at
    // least as wide as their tabs, never scrolled or shortened.
    m_views->setUsesScrollButtons(false);
    m_views->setElideMode(Qt::ElideNone);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(left);
    splitter->addWidget(m_views);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    m_closeButton = new QPushButton(tr("&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    m_output = new DiscsWindowOutput(*this, m_services, *buttons,
                                     {m_discList, m_addButton, m_closeButton});
    buttons->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    setTabOrder(m_filterBox, m_addButton);
    setTabOrder(m_addButton, m_discList);
    setTabOrder(m_discList, m_views);

    connect(m_filterBox, &QLineEdit::textChanged, this, &DiscsWindow::applyFilter);
    // Down from the filter goes into the list, as in a search field.
    connect(m_filterBox, &QLineEdit::returnPressed, m_discList, [this] { m_discList->setFocus(); });
    connect(m_discList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    selectDisc(m_discs->discAt(current.row()));
            });
    // Enter on a disc goes to its folders.
    connect(m_discList, &QTreeView::activated, this, [this] {
        m_views->setCurrentIndex(FoldersPageIndex);
        m_folders->focusFirst(Qt::OtherFocusReason);
    });
    connect(m_closeButton, &QPushButton::clicked, this, &DiscsWindow::close);
    connect(m_addFilesAction, &QAction::triggered, this, &DiscsWindow::chooseCatalogFiles);
    connect(m_addFolderAction, &QAction::triggered, this, &DiscsWindow::chooseCatalogFolder);
    auto *findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        m_views->setCurrentIndex(SearchPageIndex);
        m_search->focusFirst(Qt::OtherFocusReason);
    });
}

void DiscsWindow::connectPages()
{
    connect(m_folders, &FoldersPage::otherDiscsRequested, this, &DiscsWindow::showOnOtherDiscs);
    connect(m_search, &SearchPage::otherDiscsRequested, this, &DiscsWindow::showOnOtherDiscs);
    connect(m_search, &SearchPage::revealRequested, this, &DiscsWindow::revealLine);
    connect(m_search, &SearchPage::finished, this, &DiscsWindow::searchFinished);
    connect(m_otherDiscs, &OtherDiscsPage::otherDiscsRequested, this,
            &DiscsWindow::showOnOtherDiscs);
    connect(m_otherDiscs, &OtherDiscsPage::revealRequested, this, &DiscsWindow::revealLine);
    connect(m_otherDiscs, &OtherDiscsPage::shown, this, &DiscsWindow::otherPlacesShown);
    connect(m_duplicates, &DuplicatesPage::otherDiscsRequested, this,
            &DiscsWindow::showOnOtherDiscs);
    connect(m_duplicates, &DuplicatesPage::revealRequested, this, &DiscsWindow::revealLine);
    connect(m_duplicates, &DuplicatesPage::shown, this, &DiscsWindow::duplicatesShown);
    connect(m_duplicates, &DuplicatesPage::wanted, this, [this] {
        // Already the page wanted: its own handler need not ask again.
        const QSignalBlocker quiet(m_views);
        m_views->setCurrentIndex(DuplicatesPageIndex);
    });
    connect(m_views, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == DuplicatesPageIndex)
            m_duplicates->showChosen();
    });
}

DiscTreeModel *DiscsWindow::treeModel() const
{
    return m_folders->model();
}

LineGroupsModel *DiscsWindow::hitsModel() const
{
    return m_search->model();
}

LineGroupsModel *DiscsWindow::otherPlacesModel() const
{
    return m_otherDiscs->model();
}

DuplicatesModel *DiscsWindow::duplicatesModel() const
{
    return m_duplicates->model();
}

qsizetype DiscsWindow::currentDisc() const
{
    return m_folders->disc();
}

void DiscsWindow::showCatalog(const Catalog &catalog, const QString &name)
{
    setWindowTitle(name.isEmpty() ? tr("Discs") : tr("Discs - %1").arg(name));
    m_session->showCatalog(catalog, name);
}

void DiscsWindow::readCatalogFile(const QString &path)
{
    setWindowTitle(tr("Discs - %1").arg(QFileInfo(path).fileName()));
    if (const RuntimeError error = m_session->readCatalogFile(path)) {
        showError(error);
        m_session->countDiscs(); // an empty catalog: no discs
    }
}

void DiscsWindow::showError(const RuntimeError &error)
{
    m_messages.show(this, ProgramTexts::programTitle(),
                    errorMessageText(ProgramTexts::readErrorHeading(), error),
                    MessageIcon::Critical);
}

void DiscsWindow::discsCounted()
{
    m_discs->setCatalogNames(m_session->catalogNames());
    m_discs->setIndex(index());
    m_discs->setFilter(m_filterBox->text());
    showTotals();
    m_search->discsCounted();
    m_addButton->setEnabled(true);
    if (m_discs->rowCount() > 0)
        m_discList->setCurrentIndex(m_discs->index(0, 0));
    emit ready();
    m_search->searchAgainIfAsked();
    if (m_views->currentIndex() == DuplicatesPageIndex)
        m_duplicates->showChosen();
}

void DiscsWindow::applyFilter(const QString &text)
{
    if (!index())
        return; // applied once the discs are counted
    m_discs->setFilter(text);
    showTotals();
    // The tree keeps the disc it shows; the list marks it again if shown
    // (selectDisc() has nothing to do for the disc shown already).
    const int row = currentDisc() >= 0 ? m_discs->rowOfDisc(currentDisc()) : -1;
    if (row >= 0)
        m_discList->setCurrentIndex(m_discs->index(row, 0));
}

void DiscsWindow::showTotals()
{
    m_totalsLabel->setText(m_discs->totalsText(qsizetype(m_session->parts().size())));
}

void DiscsWindow::selectDisc(qsizetype disc)
{
    if (!index() || disc < 0 || disc >= index()->count() || disc == currentDisc())
        return;
    m_folders->showDisc(disc, m_discs->discName(disc));
    const int row = m_discs->rowOfDisc(disc);
    if (row >= 0 && m_discList->currentIndex().row() != row)
        m_discList->setCurrentIndex(m_discs->index(row, 0));
}

void DiscsWindow::revealLine(qsizetype line)
{
    if (!index() || line < 0 || line >= index()->totalFiles())
        return;
    const qsizetype disc = index()->discOfLine(line);
    // A disc the filter hides comes back into the list.
    if (m_discs->rowOfDisc(disc) < 0)
        m_filterBox->clear();
    selectDisc(disc);
    m_views->setCurrentIndex(FoldersPageIndex);
    m_folders->selectLine(line);
}

void DiscsWindow::find()
{
    m_search->find();
}

void DiscsWindow::showOnOtherDiscs(qsizetype line)
{
    if (!index() || line < 0 || line >= index()->totalFiles())
        return;
    m_views->setCurrentIndex(OtherDiscsPageIndex);
    m_otherDiscs->showFile(line);
}

void DiscsWindow::showDuplicates(DiscDuplicates::Key key)
{
    m_duplicates->showKind(key);
}

bool DiscsWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A page chosen by its mnemonic: once the tab bar has shown it, the
    // focus goes to its first field, as Alt and a prompt's letter do.
    if (event->type() == QEvent::Shortcut && watched == m_views->tabBar())
        QTimer::singleShot(0, this, &DiscsWindow::focusPage);
    return QDialog::eventFilter(watched, event);
}

void DiscsWindow::focusPage()
{
    switch (m_views->currentIndex()) {
    case FoldersPageIndex: m_folders->focusFirst(Qt::ShortcutFocusReason); break;
    case SearchPageIndex: m_search->focusFirst(Qt::ShortcutFocusReason); break;
    case OtherDiscsPageIndex: m_otherDiscs->focusFirst(Qt::ShortcutFocusReason); break;
    case DuplicatesPageIndex: m_duplicates->focusFirst(Qt::ShortcutFocusReason); break;
    }
}

} // namespace kobrix
