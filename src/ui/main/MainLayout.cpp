#include "ui/main/MainLayout.h"

#include "ui/common/DesignUnits.h"
#include "ui/common/DiscNameValidator.h"
#include "ui/common/LineListView.h"
#include "ui/common/LineStoreModel.h"
#include "ui/main/Form1.h"
#include "ui/main/MainStatusBar.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

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

QPushButton *commandButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

namespace {

// Lays the window's controls out again after a change of its font or style.
class PlacesAgain : public QObject
{
public:
    explicit PlacesAgain(Form1 &window) : QObject(&window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window
            && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
            placeMainControls(m_window); // the children have the new font already
        return false;
    }

private:
    Form1 &m_window;
};

} // namespace

void createMainControls(Form1 &w, LineStoreModel *list1Model, LineStoreModel *list2Model)
{
    w.installEventFilter(new PlacesAgain(w));
    auto *central = new QWidget(&w);
    central->setObjectName(QStringLiteral("Form1Client"));
    w.setCentralWidget(central);

    w.List1 = new LineListView(central);
    w.List1->setObjectName(QStringLiteral("List1"));
    w.List1->setModel(list1Model);
    w.List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w.List1->setAccessibleName(Form1::tr("Folders to scan"));
    w.List1->hide();

    w.Command3 = commandButton(Form1::tr("Write Catalog..."), "Command3", central);

    // Millions of lines: a view that never lays out rows (LineListView.h).
    w.List2 = new LineListView(central);
    w.List2->setObjectName(QStringLiteral("List2"));
    w.List2->setModel(list2Model);
    w.List2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w.List2->setSelectionMode(QAbstractItemView::SingleSelection);
    w.List2->setAccessibleName(Form1::tr("File list"));

    w.Command4 = commandButton(Form1::tr("Add to Catalog..."), "Command4", central);

    w.Text2 = new QLineEdit(central);
    w.Text2->setObjectName(QStringLiteral("Text2"));
    w.Text2->setToolTip(Form1::tr("Enter a Unique Disk Name"));
    // A line break or tab in a disc name would split its catalog records:
    // the box turns them into blanks however they arrive.
    w.Text2->setValidator(new DiscNameValidator(w.Text2));

    w.Label2 = new QLabel(Form1::tr("Disk Name"), central);
    w.Label2->setObjectName(QStringLiteral("Label2"));
    // The prompt names the box for screen readers. It carries no mnemonic:
    // one would underline a letter of the caption.
    w.Label2->setBuddy(w.Text2);

    w.Command2 = commandButton(Form1::tr("Scan New CD"), "Command2", central);

    w.Text3 = new QLineEdit(central);
    w.Text3->setObjectName(QStringLiteral("Text3"));
    w.Text3->setAccessibleName(Form1::tr("Current catalog"));
    w.Text3->hide();

    w.List3 = new QListWidget(central);
    w.List3->setObjectName(QStringLiteral("List3"));
    w.List3->setAccessibleName(Form1::tr("Optical drives"));
    w.List3->hide();

    w.StatusBar1 = new MainStatusBar(&w);
    w.discNotice = w.StatusBar1->notice();
    w.discNoticeButton = w.StatusBar1->noticeButton();
    w.setStatusBar(w.StatusBar1);

    QWidget::setTabOrder(w.Command3, w.List2);
    QWidget::setTabOrder(w.List2, w.Command4);
    QWidget::setTabOrder(w.Command4, w.Text2);
    QWidget::setTabOrder(w.Text2, w.Command2);
}


void placeMainControls(Form1 &w)
{
    const int columnLeft = px(kColumnLeft);
    const int rightMargin = px(kClientWidth) - columnLeft - px(kColumnWidth);

    int columnWidth = px(kColumnWidth);
    for (QWidget *control : {static_cast<QWidget *>(w.Command2), static_cast<QWidget *>(w.Command3),
                             static_cast<QWidget *>(w.Command4), static_cast<QWidget *>(w.Label2)})
        columnWidth = std::max(columnWidth, control->sizeHint().width() + kCaptionPadding);

    const QSize labelSize = w.Label2->sizeHint();
    w.Label2->setGeometry(columnLeft, belowToolbar(kLabelTop), labelSize.width(),
                          labelSize.height());

    const int textTop = std::max(belowToolbar(kTextTop), w.Label2->geometry().bottom() + 1);
    const int textHeight = std::max(px(kTextHeight), w.Text2->sizeHint().height());
    w.Text2->setGeometry(columnLeft, textTop, columnWidth, textHeight);
    int columnBottom = textTop + textHeight;

    for (const auto &[button, designedTop] :
         {std::pair{w.Command3, kWriteTop}, std::pair{w.Command4, kAddTop},
          std::pair{w.Command2, kScanNewTop}}) {
        const int top = std::max(belowToolbar(designedTop), columnBottom + kColumnGap);
        const int height = std::max(px(kButtonHeight), button->sizeHint().height());
        button->setGeometry(columnLeft, top, columnWidth, height);
        columnBottom = top + height;
    }

    // The list fills the height; it grows only if the column had to, keeping
    // below the column the margin the list keeps on its left.
    const int clientHeight = std::max(px(kListHeight), columnBottom + px(kListLeft));
    w.List2->setGeometry(px(kListLeft), 0, px(kListWidth), clientHeight);
    w.List1->setGeometry(px(kWorkListLeft), belowToolbar(kWorkListTop), px(kWorkListWidth),
                         px(kWorkListHeight));
    w.centralWidget()->setFixedSize(columnLeft + columnWidth + rightMargin, clientHeight);

    // Not resizable: the window keeps the size its controls need.
    w.setMinimumSize(0, 0);
    w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w.setFixedSize(w.sizeHint());
}

} // namespace kobrix
