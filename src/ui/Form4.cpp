#include "ui/Form4.h"

#include "platform/ShellOpener.h"
#include "ui/Artwork.h"
#include "ui/DesignUnits.h"
#include "ui/Links.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace kobrix {

namespace {

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
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                   | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(unitsToPixels(6300), unitsToPixels(3945));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(unitsRect(120, 120, 2250, 3750));
    Image1->setPixmap(kobrixArtwork());

    Label1 = makeLabel(this, "Label1", kProductVersionText);
    Label1->setGeometry(unitsRect(2640, 240, 3495, 255));
    Label3 = makeLabel(this, "Label3", QStringLiteral("Freeware: copy it and share it freely."));
    Label3->setGeometry(unitsRect(2640, 600, 3495, 255));
    Label2 = makeLabel(this, "Label2", QStringLiteral("Written by the Kobrix developers."));
    Label2->setGeometry(unitsRect(2640, 960, 3495, 255));

    // The links are sized to their text, so exactly the text reacts to the
    // mouse.
    Label4 = makeLabel(this, "Label4", QStringLiteral("Visit Kobrix website"));
    Label4->move(unitsToPixels(2640), unitsToPixels(1440));
    Label4->adjustSize();

    Label5 = makeLabel(this, "Label5",
                       QStringLiteral("For comments or suggestions on Kobrix email:"));
    Label5->setGeometry(unitsRect(2640, 1800, 3495, 495));
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label6 = makeLabel(this, "Label6", kSupportMail);
    Label6->move(unitsToPixels(2640), unitsToPixels(2280));
    Label6->adjustSize();

    Label7 = makeLabel(this, "Label7",
                       QStringLiteral("If you find Kobrix useful please help support it by donating"));
    Label7->setGeometry(unitsRect(2640, 2640, 3495, 495));
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(unitsRect(4080, 3360, 1215, 495));
    Command1->setFocus();
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
