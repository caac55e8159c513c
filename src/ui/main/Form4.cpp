#include "ui/main/Form4.h"

#include "platform/ShellOpener.h"
#include "ui/common/Artwork.h"
#include "ui/common/DesignUnits.h"
#include "ui/common/Links.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace kobrix {

namespace {

// Designed geometry of the box, in design units.
constexpr int kClientWidth = 6300;
constexpr int kClientHeight = 3945;
constexpr int kTextLeft = 2640;
constexpr int kTextWidth = 3495;
constexpr int kLineHeight = 255;
constexpr int kTwoLineHeight = 495;
constexpr int kOkLeft = 4080;
constexpr int kOkTop = 3360;
constexpr int kOkWidth = 1215;
constexpr int kOkHeight = 495;

// Smallest gap kept between two texts of the column when one of them had to
// grow for its font.
constexpr int kTextGap = 2;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

Form4::Form4(ShellOpener &shell, QWidget *parent) : QDialog(parent), m_shell(shell)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(tr("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                   | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(unitsRect(120, 120, 2250, 3750));
    Image1->setPixmap(kobrixArtwork());

    Label1 = makeLabel(this, "Label1", kProductVersionText);
    Label3 = makeLabel(this, "Label3", tr("Freeware: copy it and share it freely."));
    Label2 = makeLabel(this, "Label2", tr("Written by the Kobrix developers."));
    Label4 = makeLabel(this, "Label4", tr("Visit Kobrix website"));
    Label5 = makeLabel(this, "Label5", tr("For comments or suggestions on Kobrix email:"));
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label6 = makeLabel(this, "Label6", kSupportMail);
    Label7 = makeLabel(this, "Label7",
                       tr("If you find Kobrix useful please help support it by donating"));
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Command1 = new QPushButton(tr("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFocus();
    placeControls();
    connect(Command1, &QPushButton::clicked, this, &Form4::close);

    // Mouse moves without a button are reported to the links and to the
    // bare background only; a move over any other control goes no further,
    // so it changes nothing.
    setMouseTracking(true);
    Label4->setMouseTracking(true);
    Label6->setMouseTracking(true);
    const QList<QWidget *> controls{Image1, Label1, Label2, Label3, Label4,
                                    Label5, Label6, Label7, Command1};
    for (QWidget *control : controls) {
        control->setAttribute(Qt::WA_NoMousePropagation);
        control->installEventFilter(this);
    }
    centerOnScreen(this);
}

// Lays the texts out at their designed places. Where the font needs more
// room than the design gives, the column of texts widens and its texts move
// down, and the box grows with them, so that no text is cut.
void Form4::placeControls()
{
    const int left = unitsToPixels(kTextLeft);
    int columnWidth = unitsToPixels(kTextWidth);
    for (const QLabel *line : {Label1, Label3, Label2, Label4, Label6})
        columnWidth = std::max(columnWidth, line->sizeHint().width());

    // Each text at its designed top, or right below the text above it
    // (below its lines, which may end above the bottom of its label).
    int bottom = 0;
    const auto place = [&](QLabel *label, int top, int width, int height, int textHeight) {
        top = std::max(unitsToPixels(top), bottom + kTextGap);
        label->setGeometry(left, top, width, std::max(height, textHeight));
        bottom = top + textHeight;
    };
    const auto placeLine = [&](QLabel *label, int top) {
        place(label, top, columnWidth, unitsToPixels(kLineHeight), label->sizeHint().height());
    };
    // The links are sized to their text, so exactly the text reacts to the
    // mouse.
    const auto placeLink = [&](QLabel *link, int top) {
        place(link, top, link->sizeHint().width(), 0, link->sizeHint().height());
    };
    const auto placeTwoLines = [&](QLabel *label, int top) {
        place(label, top, columnWidth, unitsToPixels(kTwoLineHeight),
              label->heightForWidth(columnWidth));
    };
    placeLine(Label1, 240);
    placeLine(Label3, 600);
    placeLine(Label2, 960);
    placeLink(Label4, 1440);
    placeTwoLines(Label5, 1800);
    placeLink(Label6, 2280);
    placeTwoLines(Label7, 2640);

    const int okTop = std::max(unitsToPixels(kOkTop), bottom + kTextGap);
    const QSize okSize(std::max(unitsToPixels(kOkWidth), Command1->sizeHint().width()),
                       std::max(unitsToPixels(kOkHeight), Command1->sizeHint().height()));
    Command1->setGeometry(QRect(QPoint(unitsToPixels(kOkLeft), okTop), okSize));

    // The margins the design leaves right of the texts and below OK.
    const int rightMargin = unitsToPixels(kClientWidth) - left - unitsToPixels(kTextWidth);
    const int bottomMargin = unitsToPixels(kClientHeight) - unitsToPixels(kOkTop + kOkHeight);
    setFixedSize(std::max({unitsToPixels(kClientWidth), left + columnWidth + rightMargin,
                           Command1->geometry().right() + 1 + rightMargin}),
                 std::max(unitsToPixels(kClientHeight), okTop + okSize.height() + bottomMargin));
}

void Form4::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (Command1 && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        placeControls();
}

QColor Form4::labelColor(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

void Form4::setLabelColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

bool Form4::eventFilter(QObject *watched, QEvent *event)
{
    auto *link = (watched == Label4 || watched == Label6) ? static_cast<QLabel *>(watched)
                                                          : nullptr;
    if (!link)
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseMove:
        setLabelColor(link, highlightColor());
        return true;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_pressedLink = link;
        return true;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        // A click: the button went down and came up on the same link.
        const bool clicked = m_pressedLink == link
            && link->rect().contains(mouse->position().toPoint());
        m_pressedLink = nullptr;
        if (clicked)
            openLinkAndClose(link == Label4 ? kHomePage : mailLink());
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void Form4::mouseMoveEvent(QMouseEvent *event)
{
    // Only moves over the bare background arrive here.
    if (labelColor(Label4) == highlightColor())
        setLabelColor(Label4, afterHighlightColor());
    if (labelColor(Label6) == highlightColor())
        setLabelColor(Label6, afterHighlightColor());
    QDialog::mouseMoveEvent(event);
}

void Form4::openLinkAndClose(const QString &target)
{
    // Whatever the desktop does with the link, and even if asking it fails,
    // the box closes.
    try {
        m_shell.open(target);
    } catch (...) {
    }
    close();
}

} // namespace kobrix
