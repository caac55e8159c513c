#include "ui/main/Form1.h"

#include "catalog/DiscUpdate.h"
#include "core/ProgramTexts.h"
#include "platform/DriveDiscovery.h"
#include "platform/DriveSource.h"
#include "platform/ShellOpener.h"
#include "ui/common/DesignUnits.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/common/DiscNameValidator.h"
#include "ui/common/LineListView.h"
#include "ui/common/LineStoreModel.h"
#include "ui/common/Links.h"
#include "ui/common/MessageBox.h"
#include "ui/common/ToolbarIcons.h"
#include "ui/main/MainStatusBar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace kobrix {

namespace {

// Positions and sizes below are in units of 1/1440 inch; Qt scales the
// pixels they become for high-density screens itself.
int px(int units) { return unitsToPixels(units); }

// The client area of the window.
constexpr int kClientWidth = 8670;
// The designed positions count from the top of the client area, which the
// toolbar covers down to here; the list starts right below it.
constexpr int kToolbarBottom = 840;

constexpr int kListLeft = 120;
constexpr int kListWidth = 6975;
constexpr int kListHeight = 4545;
constexpr int kColumnLeft = 7320;
constexpr int kColumnWidth = 1215;
constexpr int kLabelTop = 960;
constexpr int kTextTop = 1200;
constexpr int kTextHeight = 285;
constexpr int kButtonHeight = 495;
constexpr int kWriteTop = 1560;
constexpr int kAddTop = 2160;
constexpr int kScanNewTop = 2760;
constexpr int kWorkListLeft = 120;
constexpr int kWorkListTop = 960;
constexpr int kWorkListWidth = 2175;
constexpr int kWorkListHeight = 3960;

// Room left beside the widest caption of the right-hand column, so that it
// does not touch its button's frame.
constexpr int kCaptionPadding = 8;

// Smallest gap kept between two controls of the right-hand column when one
// of them had to grow for its font.
constexpr int kColumnGap = 4;

int belowToolbar(int units) { return px(units - kToolbarBottom); }

const QString kLoadKey = QStringLiteral("Load");
const QString kFindKey = QStringLiteral("Find");
const QString kRestartKey = QStringLiteral("Restart");

} // namespace

Form1::Form1(const UiServices &services, WorkMode mode, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint),
      CommonDialog1(*services.fileDialogs, this), m_services(services), m_session(mode)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ProgramTexts::programTitle());
    setWindowIcon(toolbarIcon(ToolbarImage::CompactDisc));
    // No menu for hiding the toolbar: the window has no other way back.
    setContextMenuPolicy(Qt::NoContextMenu);

    createMenus();
    createCatalogMenu();
    createToolbar();
    createControls();
    createDiscUpdateControls();
    placeControls();

    connect(&m_session, &MainSession::controlsChanged, this, &Form1::applyControlStates);
    connect(&m_session, &MainSession::scanProgress, this,
            [this](qint64 files) { setStatusText(tr("Scanning... %1 files").arg(files)); });
    Form_Load();
}

Form1::~Form1()
{
    // The Discs window reads the catalog, and may have a worker reading it:
    // it goes before the catalog does.
    delete m_discsWindow.data();
}

void Form1::createMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFileMenu"));
    mnuFile = file->menuAction();
    mnuFile->setObjectName(QStringLiteral("mnuFile"));

    mnuLoad = file->addAction(tr("&Load..."));
    mnuLoad->setObjectName(QStringLiteral("mnuLoad"));
    mnuLoad->setShortcut(QKeySequence::Open);
    scanFolderAction = file->addAction(tr("&Scan Folder..."));
    scanFolderAction->setObjectName(QStringLiteral("scanFolderAction"));
    scanFolderAction->setToolTip(tr("Scan a folder, a USB drive or a mounted image as a disc"));
    scanImageAction = file->addAction(tr("Scan Disc &Image..."));
    scanImageAction->setObjectName(QStringLiteral("scanImageAction"));
    scanImageAction->setToolTip(tr("Scan an ISO disc image as a disc"));
    mnuFind = file->addAction(tr("&Find"));
    mnuFind->setObjectName(QStringLiteral("mnuFind"));
    mnuFind->setShortcut(QKeySequence::Find);
    mnuRestart = file->addAction(tr("&Restart"));
    mnuRestart->setObjectName(QStringLiteral("mnuRestart"));
    mnudiv1 = file->addSeparator();
    mnudiv1->setObjectName(QStringLiteral("mnudiv1"));
    mnuExit = file->addAction(tr("&Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuExit->setShortcut(QKeySequence::Quit);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelpMenu"));
    mnuHelp = help->menuAction();
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuDonate = help->addAction(tr("&Donate to Kobrix"));
    mnuDonate->setObjectName(QStringLiteral("mnuDonate"));
    mnuAbout = help->addAction(tr("&About Kobrix..."));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    connect(mnuLoad, &QAction::triggered, this, &Form1::loadCatalog);
    connect(scanFolderAction, &QAction::triggered, this, &Form1::chooseFolderToScan);
    connect(scanImageAction, &QAction::triggered, this, &Form1::chooseImageToScan);
    connect(mnuFind, &QAction::triggered, this, &Form1::findRequested);
    connect(mnuRestart, &QAction::triggered, this, &Form1::restart);
    connect(mnuExit, &QAction::triggered, this, &Form1::close);
    connect(mnuDonate, &QAction::triggered, this, [this] {
        if (m_services.shell)
            m_services.shell->open(donationPage());
    });
    connect(mnuAbout, &QAction::triggered, this, &Form1::aboutRequested);
}

void Form1::createToolbar()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(32, 32));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, Toolbar1);

    auto addButton = [this](const QString &key, const QString &caption, const QString &tip,
                            ToolbarImage image) {
        QAction *button = Toolbar1->addAction(toolbarIcon(image), caption);
        button->setObjectName(QStringLiteral("Toolbar1_") + key);
        button->setData(key);
        button->setToolTip(tip);
        connectToolbarButton(button);
        return button;
    };
    // Found again by their keys (toolbarButton()).
    addButton(kLoadKey, tr("Load"), tr("Load"), ToolbarImage::FolderTick);
    addButton(kFindKey, tr("Find"), tr("Find"), ToolbarImage::FolderMagnifier);
    addButton(kRestartKey, tr("Restart"), tr("Restart Kobrix"), ToolbarImage::WasteBin);
}

// Every button reaches the one toolbar handler, however it is triggered
// (click, keyboard, accessibility).
void Form1::connectToolbarButton(QAction *button)
{
    connect(button, &QAction::triggered, this, [this, button] { Toolbar1_ButtonClick(button); });
}

void Form1::createControls()
{
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("Form1Client"));
    setCentralWidget(m_central);

    m_list1Model = new LineStoreModel(m_session.list1Lines(), this);
    m_list2Model = new LineStoreModel(catalog().lines(), this);

    List1 = new LineListView(m_central);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setModel(m_list1Model);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setAccessibleName(tr("Folders to scan"));
    List1->hide();

    Command3 = new QPushButton(tr("Write Catalog..."), m_central);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setAutoDefault(false);

    // Millions of lines: a view that never lays out rows (LineListView.h).
    List2 = new LineListView(m_central);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setModel(m_list2Model);
    List2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List2->setSelectionMode(QAbstractItemView::SingleSelection);
    List2->setAccessibleName(tr("File list"));

    Command4 = new QPushButton(tr("Add to Catalog..."), m_central);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setAutoDefault(false);

    Text2 = new QLineEdit(m_central);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setToolTip(tr("Enter a Unique Disk Name"));
    // A line break or tab in a disc name would split its catalog records:
    // the box turns them into blanks however they arrive.
    Text2->setValidator(new DiscNameValidator(Text2));

    Label2 = new QLabel(tr("Disk Name"), m_central);
    Label2->setObjectName(QStringLiteral("Label2"));
    // The prompt names the box for screen readers. It carries no mnemonic:
    // one would underline a letter of the caption.
    Label2->setBuddy(Text2);

    Command2 = new QPushButton(tr("Scan New CD"), m_central);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);

    Text3 = new QLineEdit(m_central);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setAccessibleName(tr("Current catalog"));
    Text3->hide();
    connect(&catalog(), &Catalog::pathChanged, Text3, &QLineEdit::setText);

    List3 = new QListWidget(m_central);
    List3->setObjectName(QStringLiteral("List3"));
    List3->setAccessibleName(tr("Optical drives"));
    List3->hide();

    m_statusBar = new MainStatusBar(this);
    StatusBar1 = m_statusBar;
    discNotice = m_statusBar->notice();
    discNoticeButton = m_statusBar->noticeButton();
    connect(m_statusBar->cancelButton(), &QToolButton::clicked, this, &Form1::cancelScan);
    m_cancelScanShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(m_cancelScanShortcut, &QShortcut::activated, this, &Form1::cancelScan);
    setStatusBar(StatusBar1);

    setTabOrder(Command3, List2);
    setTabOrder(List2, Command4);
    setTabOrder(Command4, Text2);
    setTabOrder(Text2, Command2);

    connect(Command2, &QPushButton::clicked, this, &Form1::scanNewCd);
    connect(Command3, &QPushButton::clicked, this, &Form1::writeCatalogClicked);
    connect(Command4, &QPushButton::clicked, this, &Form1::addToCatalogClicked);
}

// Lays the controls out at their designed places. The right-hand column is
// widened, and its controls moved down, where the font needs more room than
// the design gives, so that no caption is clipped.
void Form1::placeControls()
{
    const int columnLeft = px(kColumnLeft);
    const int rightMargin = px(kClientWidth) - columnLeft - px(kColumnWidth);

    int columnWidth = px(kColumnWidth);
    for (QWidget *control : {static_cast<QWidget *>(Command2), static_cast<QWidget *>(Command3),
                             static_cast<QWidget *>(Command4), static_cast<QWidget *>(Label2)})
        columnWidth = std::max(columnWidth, control->sizeHint().width() + kCaptionPadding);

    const QSize labelSize = Label2->sizeHint();
    Label2->setGeometry(columnLeft, belowToolbar(kLabelTop), labelSize.width(), labelSize.height());

    const int textTop = std::max(belowToolbar(kTextTop), Label2->geometry().bottom() + 1);
    const int textHeight = std::max(px(kTextHeight), Text2->sizeHint().height());
    Text2->setGeometry(columnLeft, textTop, columnWidth, textHeight);
    int columnBottom = textTop + textHeight;

    for (const auto &[button, designedTop] :
         {std::pair{Command3, kWriteTop}, std::pair{Command4, kAddTop},
          std::pair{Command2, kScanNewTop}}) {
        const int top = std::max(belowToolbar(designedTop), columnBottom + kColumnGap);
        const int height = std::max(px(kButtonHeight), button->sizeHint().height());
        button->setGeometry(columnLeft, top, columnWidth, height);
        columnBottom = top + height;
    }

    // The list fills the height; it grows only if the column had to, keeping
    // below the column the margin the list keeps on its left.
    const int clientHeight = std::max(px(kListHeight), columnBottom + px(kListLeft));
    List2->setGeometry(px(kListLeft), 0, px(kListWidth), clientHeight);
    List1->setGeometry(px(kWorkListLeft), belowToolbar(kWorkListTop), px(kWorkListWidth),
                       px(kWorkListHeight));
    m_central->setFixedSize(columnLeft + columnWidth + rightMargin, clientHeight);

    // Not resizable: the window keeps the size its controls need.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFixedSize(sizeHint());
}

void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (m_central && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        placeControls();
}

void Form1::setVisible(bool visible)
{
    if (visible && !m_placed && !parentWidget()) {
        m_placed = true;
        centerOnScreen(this);
    }
    QMainWindow::setVisible(visible);
}

void Form1::Form_Load()
{
    DiscoverCdDrives();
    applyControlStates();
}

void Form1::startWork() { m_session.start(); }

// The one place that sets the states of the controls that record where the
// user stands, from the work mode's table (MainControls.h).
void Form1::applyControlStates()
{
    const MainControls states = m_session.controls();
    // Folders and images are scanned like discs, so their commands follow
    // the drive buttons.
    QList<std::pair<QAction *, bool>> actions{
        {scanFolderAction, states.drives}, {scanImageAction, states.drives},
        {mnuLoad, states.load},            {toolbarButton(kLoadKey), states.load},
        {mnuFind, states.commands},        {toolbarButton(kFindKey), states.commands},
        {mnuRestart, states.commands},     {toolbarButton(kRestartKey), states.commands}};
    for (const QString &key : std::as_const(m_driveKeys))
        actions.append({toolbarButton(key), states.drives});
    for (const auto &[action, enabled] : actions)
        action->setEnabled(enabled);
    // "Update Disc in Catalog..." and the notice's button go with "Write
    // Catalog...", hidden or not.
    updateDiscAction->setEnabled(states.write.enabled);
    discNoticeButton->setEnabled(states.write.enabled);
    Label2->setEnabled(states.label);
    Text2->setEnabled(states.name);
    for (const auto &[button, state] : {std::pair{Command3, states.write},
                                        std::pair{Command4, states.add},
                                        std::pair{Command2, states.next}}) {
        button->setVisible(state.visible);
        button->setEnabled(state.enabled);
    }
    m_statusBar->cancelButton()->setVisible(states.cancel);
    m_cancelScanShortcut->setEnabled(states.cancel);
}

void Form1::DiscoverCdDrives()
{
    if (!m_services.drives)
        return;
    for (const QString &root : findCdDrives(*m_services.drives)) {
        QAction *button = Toolbar1->addAction(toolbarIcon(ToolbarImage::CompactDisc),
                                              m_services.drives->caption(root));
        button->setObjectName(QStringLiteral("Toolbar1_") + root);
        button->setData(root);
        button->setToolTip(tr("Scan CD"));
        connectToolbarButton(button);
        m_driveKeys << root;
        List3->addItem(root);
    }
    placeControls();
}

QAction *Form1::toolbarButton(const QString &key) const
{
    const QList<QAction *> buttons = Toolbar1->actions();
    for (QAction *button : buttons) {
        if (button->data().toString() == key)
            return button;
    }
    return nullptr;
}

QString Form1::statusText() const { return m_statusBar->text(); }

void Form1::setStatusText(const QString &text) { m_statusBar->setText(text); }

void Form1::refreshList2() { m_list2Model->sync(); }

void Form1::Toolbar1_ButtonClick(QAction *button)
{
    const QString key = button->data().toString();
    if (key == kLoadKey) {
        loadCatalog();
    } else if (key == kFindKey) {
        emit findRequested();
    } else if (key == kRestartKey) {
        restart();
    } else if (m_driveKeys.contains(key)) {
        // A drive button, whatever form the platform gives a drive root.
        ScanDrive(key);
    }
}

void Form1::restart()
{
    RestartPending = true;
    emit restartRequested();
    close();
}

bool Form1::event(QEvent *event)
{
    // The routines of a load are still on the stack below the event
    // processing that asked for the deletion: the window goes when they
    // have returned.
    if (event->type() == QEvent::DeferredDelete && (isLoading() || isScanning())) {
        m_deleteAfterLoad = true;
        return true;
    }
    return QMainWindow::event(event);
}

void Form1::closeEvent(QCloseEvent *event) { Form_QueryUnload(event); }

void Form1::Form_QueryUnload(QCloseEvent *event)
{
    // A load or scan in progress stops: the window and its lines are going
    // away.
    m_session.requestLoadStop();
    cancelScan();
    if (RestartPending) {
        RestartPending = false;
    } else {
        emit programEndRequested();
    }
    event->accept();
}

void Form1::showMessage(const QString &title, const QString &text, MessageIcon icon)
{
    // While the start dialog still prepares this window, the message goes
    // over whatever is on screen rather than over a hidden window.
    if (m_services.messages)
        m_services.messages->show(isVisible() ? this : QApplication::activeWindow(), title, text,
                                  icon);
}

} // namespace kobrix
