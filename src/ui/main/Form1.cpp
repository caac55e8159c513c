#include "ui/main/Form1.h"

#include "core/ProgramTexts.h"
#include "ui/common/DesignUnits.h"
#include "ui/common/LineStoreModel.h"
#include "ui/common/MessageBox.h"
#include "ui/common/ToolbarIcons.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/main/DiscLabelProposal.h"
#include "ui/main/DiscUpdateFlow.h"
#include "ui/main/DriveButtons.h"
#include "ui/main/MainDrops.h"
#include "ui/main/MainLayout.h"
#include "ui/main/MainMenus.h"
#include "ui/main/MainStatusBar.h"
#include "ui/main/OpenDiscsWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include <utility>

namespace kobrix {

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

    createMainMenus(*this, m_services);
    m_driveButtons = new DriveButtons(this);
    Toolbar1 = m_driveButtons->toolbar();
    connect(m_driveButtons, &DriveButtons::clicked, this, &Form1::Toolbar1_ButtonClick);
    m_list1Model = new LineStoreModel(m_session.list1Lines(), this);
    m_list2Model = new LineStoreModel(m_session.catalog().lines(), this);
    createMainControls(*this, m_list1Model, m_list2Model);
    connect(&m_session.catalog(), &Catalog::pathChanged, Text3, &QLineEdit::setText);
    connect(StatusBar1->cancelButton(), &QToolButton::clicked, this, &Form1::cancelScan);
    m_cancelScanShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(m_cancelScanShortcut, &QShortcut::activated, this, &Form1::cancelScan);
    connect(Command2, &QPushButton::clicked, this, &Form1::scanNewCd);
    connect(Command3, &QPushButton::clicked, this, [this] {
        if (checkDiscName())
            WriteList();
    });
    connect(Command4, &QPushButton::clicked, this, [this] {
        if (checkDiscName())
            AppendList();
    });
    pressWriteOnEnter(*Text2, {Command3, Command4});
    m_discUpdate = new DiscUpdateFlow(*this, m_session, m_services);
    placeMainControls(*this);

    new MainDrops(*this);

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

// The one place that sets the states of the controls that record where the
// user stands, from the work mode's table (MainControls.h).
void Form1::applyControlStates()
{
    const MainControls states = m_session.controls();
    applyMainMenuStates(*this, states);
    m_driveButtons->apply(states);
    // The notice's button goes with "Write Catalog...", hidden or not.
    discNoticeButton->setEnabled(states.write.enabled);
    Label2->setEnabled(states.label);
    Text2->setEnabled(states.name);
    for (const auto &[button, state] : {std::pair{Command3, states.write},
                                        std::pair{Command4, states.add},
                                        std::pair{Command2, states.next}}) {
        button->setVisible(state.visible);
        button->setEnabled(state.enabled);
    }
    StatusBar1->cancelButton()->setVisible(states.cancel);
    m_cancelScanShortcut->setEnabled(states.cancel);
}

void Form1::DiscoverCdDrives()
{
    if (!m_services.drives)
        return;
    m_driveButtons->addDrives(*m_services.drives, List3);
    placeMainControls(*this);
}

QAction *Form1::toolbarButton(const QString &key) const { return m_driveButtons->button(key); }

QString Form1::statusText() const { return StatusBar1->text(); }

void Form1::setStatusText(const QString &text) { StatusBar1->setText(text); }

void Form1::refreshList2() { m_list2Model->sync(); }

void Form1::Toolbar1_ButtonClick(QAction *button)
{
    const QString key = button->data().toString();
    if (key == DriveButtons::loadKey)
        loadCatalog();
    else if (key == DriveButtons::findKey)
        emit findRequested();
    else if (key == DriveButtons::restartKey)
        restart();
    else if (m_driveButtons->driveKeys().contains(key)) // whatever form a drive root has
        ScanDrive(key);
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
    if (event->type() == QEvent::DeferredDelete
        && (m_session.isLoading() || m_session.isScanning())) {
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
    if (!RestartPending)
        emit programEndRequested();
    RestartPending = false;
    event->accept();
}

void Form1::showMessage(const QString &title, const QString &text, MessageIcon icon)
{
    if (m_services.messages)
        m_services.messages->show(isVisible() ? this : QApplication::activeWindow(), title, text,
                                  icon);
}

void Form1::updateDiscInCatalog() { m_discUpdate->updateDiscInCatalog(); }

DiscUpdateDialog *Form1::discUpdateDialog() const { return m_discUpdate->dialog(); }

void Form1::forgetDiscNotice()
{
    m_session.forgetRecognition();
    StatusBar1->hideNotice();
}

DiscsWindow *Form1::discsWindow() const { return m_discsWindow; }

void Form1::openDiscsWindow()
{
    if (!m_discsWindow)
        m_discsWindow = openDiscsWindowOver(*this, m_services);
}

} // namespace kobrix
