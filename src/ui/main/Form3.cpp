#include "ui/main/Form3.h"

#include "discs/Catalog.h"
#include "core/ProgramTexts.h"
#include "session/LineSearch.h"
#include "session/Task.h"
#include "ui/common/DesignUnits.h"
#include "ui/common/MessageBox.h"
#include "ui/discs/SearchResultModel.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <QLabel>
#include <QLineEdit>
#include "ui/common/LineListView.h"
#include <QPointer>
#include <QPushButton>

#include <algorithm>

namespace kobrix {

namespace {

// Designed geometry, in design units.
constexpr int kClientWidth = 4650;
constexpr int kClientHeight = 3735;
constexpr int kLoadOuterHeight = 4110;
constexpr int kMinOuterWidth = 4665;
constexpr int kMinOuterHeight = 1785;
constexpr int kListTop = 1800;
constexpr int kListWidthAllowance = 100;
constexpr int kListHeightAllowance = 2250;

// Results handed to the list per round of events: a search that matches
// nearly every line finds millions within one time slice, and listing them
// all at once would hold the window up.
constexpr qsizetype kResultsPerStep = 1 << 18;

// Smallest gaps kept, in pixels, between a prompt and the control right of
// it, and between two rows, where the font needs more room than the design.
constexpr int kPromptGap = 4;
constexpr int kRowGap = 2;

} // namespace

Form3::Form3(const Catalog &catalog, MessageBoxService &messages, QWidget *parent)
    : QDialog(parent)
    , m_lines(catalog.lines())
    , m_messages(messages)
    , m_task(new Task(this))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Find"));
    resize(unitsToPixels(kClientWidth), unitsToPixels(kClientHeight));

    // Created in focus order: the search box first, so it has the focus.
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));

    Command1 = new QPushButton(tr("Find "), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    Command2 = new QPushButton(tr("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    m_results = new SearchResultModel(m_lines, this);
    // Every row is one text line of the same height: the view places any
    // number of rows without laying them out, so a huge result list never
    // stalls the window.
    List1 = new LineListView(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(unitsRect(0, kListTop, 4575, 1620));
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setModel(m_results);
    List1->setAccessibleName(tr("Search Results"));

    Label1 = new QLabel(tr("Find what?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // The prompt names the search box for screen readers (without a
    // mnemonic, which would underline a letter of the caption).
    Label1->setBuddy(Text1);

    Label2 = new QLabel(tr("Search Results:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));

    lbl_results = new QLabel(this);
    lbl_results->setObjectName(QStringLiteral("lbl_results"));

    placeControls();

    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, List1);

    connect(Command1, &QPushButton::clicked, this, &Form3::find);
    connect(Command2, &QPushButton::clicked, this, &Form3::close);

    // Load step: the outer height, then an empty search box. The frame is
    // not known before the window is on the screen; until then the frame
    // of the window it opens over stands in for it.
    m_frame = estimatedFrame();
    setOuterHeight(kLoadOuterHeight);
    Text1->setText(QString());
    applyResizeRule();
    Text1->setFocus();
    placeOnScreen();
}

Form3::~Form3()
{
    // The search's steps use the window: none may run from here on.
    m_task->cancel();
}

// Lays the query row and the result heading out at their designed places.
// Where the font needs more room than the design gives, a prompt pushes the
// control right of it along (which keeps its right edge), and a row that
// grows pushes the rows below it down, the result list included.
void Form3::placeControls()
{
    const auto px = unitsToPixels;
    const auto placeBeside = [](QLabel *prompt, QWidget *control, QRect designed,
                                int neededHeight) {
        const int left = std::max(designed.left(), prompt->geometry().right() + 1 + kPromptGap);
        control->setGeometry(left, designed.top(), std::max(designed.right() + 1 - left, 0),
                             std::max(designed.height(), neededHeight));
    };

    Label1->move(px(120), px(240));
    Label1->adjustSize();
    placeBeside(Label1, Text1, unitsRect(1200, 240, 3135, 285), Text1->minimumSizeHint().height());
    int bottom = std::max(Label1->geometry().bottom(), Text1->geometry().bottom()) + 1;

    const int buttonTop = std::max(px(720), bottom + kRowGap);
    for (const auto &[button, left] : {std::pair{Command1, 120}, std::pair{Command2, 3120}}) {
        button->setGeometry(px(left), buttonTop,
                            std::max(px(1215), button->sizeHint().width()),
                            std::max(px(495), button->sizeHint().height()));
    }
    bottom = Command1->geometry().bottom() + 1;

    Label2->move(px(120), std::max(px(1320), bottom + kRowGap));
    Label2->adjustSize();
    QRect countRect = unitsRect(1440, 1320, 2535, 255);
    countRect.moveTop(Label2->y());
    // Tall enough for a count text, which comes only with a search (and in
    // the taller letters of a fallback font where its script needs one),
    // and wide enough for the one it shows.
    placeBeside(Label2, lbl_results, countRect,
                std::max(lbl_results->fontMetrics().height(), lbl_results->sizeHint().height()));
    if (lbl_results->width() < lbl_results->sizeHint().width())
        lbl_results->resize(lbl_results->sizeHint().width(), lbl_results->height());
    bottom = std::max(Label2->geometry().bottom(), lbl_results->geometry().bottom()) + 1;

    m_listTop = std::max(px(kListTop), bottom + kRowGap);
    // The window may not become narrower than the controls that grew past
    // the designed right edge of the query row.
    const int rightmost = std::max({Text1->geometry().right(), Command2->geometry().right(),
                                    lbl_results->geometry().right()});
    m_leastOuterWidth = kMinOuterWidth
        + pixelsToUnits(std::max(0, rightmost - unitsRect(1200, 240, 3135, 285).right()));
}

QMargins Form3::windowFrame() const
{
    const QWindow *window = windowHandle();
    return window ? window->frameMargins() : QMargins();
}

QMargins Form3::estimatedFrame() const
{
    const QMargins known = windowFrame();
    if (!known.isNull() || !parentWidget())
        return known;
    const QWidget *owner = parentWidget()->window();
    const QWindow *ownerWindow = owner->windowHandle();
    return ownerWindow ? ownerWindow->frameMargins() : QMargins();
}

int Form3::outerWidth() const
{
    return pixelsToUnits(width() + m_frame.left() + m_frame.right());
}

int Form3::outerHeight() const
{
    return pixelsToUnits(height() + m_frame.top() + m_frame.bottom());
}

void Form3::setOuterWidth(int units)
{
    resize(unitsToPixels(units) - m_frame.left() - m_frame.right(), height());
}

void Form3::setOuterHeight(int units)
{
    resize(width(), unitsToPixels(units) - m_frame.top() - m_frame.bottom());
}

void Form3::placeOnScreen()
{
    QScreen *screen = this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = size().grownBy(m_frame);
    // A top-level window is placed by the corner of its frame.
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

void Form3::applyLoadSize()
{
    if (sizeChangeRefused())
        return;
    resize(unitsToPixels(kClientWidth), height());
    setOuterHeight(kLoadOuterHeight);
    applyResizeRule();
    placeOnScreen();
    m_loadSize = size();
}

void Form3::followFrame()
{
    const QMargins frame = windowFrame();
    // No frame reported yet: the window manager has not framed the window,
    // and the stand-in stays.
    if (frame == m_frame || (frame.isNull() && !m_frameReported))
        return;
    m_frameReported = true;
    m_frame = frame;
    // Once the window manager reports the frame, the window gets the size
    // the load step means, unless the user has sized it since; the list
    // follows the outer size in any case.
    if (size() == m_loadSize)
        applyLoadSize();
    else
        applyResizeRule();
}

bool Form3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose)
        followFrame();
    return QDialog::eventFilter(watched, event);
}

void Form3::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    followFrame();
}

bool Form3::sizeChangeRefused() const
{
    // The window system keeps the size of a minimized, maximized or full
    // screen window.
    return windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
}

void Form3::applyResizeRule()
{
    if (m_inResizeRule)
        return;
    m_inResizeRule = true;
    // Each step runs on its own; a step the window system refuses is
    // skipped and the following ones still run.
    int width = outerWidth();
    int height = outerHeight();
    if (width <= m_leastOuterWidth && !sizeChangeRefused()) {
        setOuterWidth(m_leastOuterWidth);
        width = m_leastOuterWidth;
    }
    if (height <= kMinOuterHeight && !sizeChangeRefused()) {
        setOuterHeight(kMinOuterHeight);
        height = kMinOuterHeight;
    }
    // The list starts lower, and is as much shorter, when the rows above it
    // had to grow for the font.
    const int listDrop = pixelsToUnits(m_listTop) - kListTop;
    List1->move(0, m_listTop);
    const int listWidth = width - kListWidthAllowance;
    if (listWidth >= 0)
        List1->resize(unitsToPixels(listWidth), List1->height());
    // Below 2250 the height would be negative: the list keeps its height.
    const int listHeight = height - kListHeightAllowance - listDrop;
    if (listHeight >= 0)
        List1->resize(List1->width(), unitsToPixels(listHeight));
    m_inResizeRule = false;
}

void Form3::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    followFrame();
    applyResizeRule();
}

void Form3::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        applyResizeRule();
    if (lbl_results
        && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
        placeControls();
        applyResizeRule();
    }
}

void Form3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shownBefore) {
        // The window has its place in the window system now: lay out the
        // designed client width and the load step's outer height again,
        // with the frame if the window system knows it already, else with
        // the stand-in. On X11 the window manager frames the window only
        // after it is shown; its frame is taken up as soon as it is
        // reported, by the first expose or move of the framed window.
        m_shownBefore = true;
        if (windowHandle())
            windowHandle()->installEventFilter(this);
        m_frame = estimatedFrame();
        m_frameReported = !windowFrame().isNull();
        applyLoadSize();
    }
}

void Form3::closeEvent(QCloseEvent *event)
{
    stopSearch();
    QDialog::closeEvent(event);
}

void Form3::done(int result)
{
    stopSearch();
    QDialog::done(result);
}

void Form3::find()
{
    m_task->cancel();
    m_search.reset();
    m_searching = false;
    Command1->setEnabled(false);
    m_results->clear();
    setWindowTitle(tr("Find"));
    lbl_results->setText(QString());

    if (Text1->text().isEmpty()) {
        // The message box may run events that close or delete this window.
        const QPointer<Form3> self(this);
        m_messages.show(this, ProgramTexts::programTitle(), ProgramTexts::missingSearchText(),
                        MessageIcon::Critical);
        if (!self)
            return;
        Command1->setEnabled(true);
        Q_EMIT searchFinished();
        return;
    }

    m_searching = true;
    m_searchedText = Text1->text();
    m_search = std::make_unique<LineSearch>(m_lines, m_searchedText);
    m_search->setHitBudget(kResultsPerStep);
    m_task->setSliceBudget(m_sliceBudget);
    // The windows stay painted and usable between the slices.
    m_task->runInSlices([this](TaskControl &control) { return searchStep(control); },
                        [this] { showSearchEnd(); });
}

bool Form3::searchStep(TaskControl &control)
{
    // An edit of the search box made since the last slice applies to the
    // lines not yet examined.
    if (Text1->text() != m_searchedText) {
        m_searchedText = Text1->text();
        m_search->setText(m_searchedText);
    }
    const bool over = m_search->step(control);
    // One insertion per slice: each makes the list lay out its rows anew.
    if (const std::vector<qsizetype> found = m_search->takeHits(); !found.empty())
        m_results->append(found);
    return over;
}

void Form3::showSearchEnd()
{
    m_searching = false;
    m_search.reset();
    const qsizetype count = m_results->count();
    if (count > 0) {
        const QString countText = tr("Found %1 Item(s)").arg(count);
        setWindowTitle(tr("Find") + QStringLiteral("  -  ") + countText);
        lbl_results->setText(countText);
        placeControls();
        applyResizeRule();
    } else {
        const QPointer<Form3> self(this);
        m_messages.show(this, ProgramTexts::programTitle(), tr("Search text not found"),
                        MessageIcon::Exclamation);
        if (!self)
            return;
    }
    Command1->setEnabled(true);
    Q_EMIT searchFinished();
}

void Form3::finishSearch()
{
    m_task->waitForFinished();
}

void Form3::stopSearch()
{
    if (!m_searching)
        return;
    // Find stays disabled, and the count and messages stay away: the window
    // is closed.
    m_task->cancel();
    m_search.reset();
    m_searching = false;
    Q_EMIT searchFinished();
}

} // namespace kobrix
