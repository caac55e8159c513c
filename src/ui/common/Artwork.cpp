#include "ui/common/Artwork.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace kobrix {

namespace {

// An index card, slightly turned, with a red head rule, blue ruled lines and
// grey bars standing for catalog lines.
void drawCatalogueCard(QPainter &p)
{
    p.save();
    p.translate(76, 84);
    p.rotate(-7);
    const QRectF card(-56, -64, 112, 122);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70)); // shadow
    p.drawRoundedRect(card.translated(4, 5), 3, 3);

    QLinearGradient paper(card.topLeft(), card.bottomRight());
    paper.setColorAt(0, QColor(255, 251, 236));
    paper.setColorAt(1, QColor(236, 228, 204));
    p.setBrush(paper);
    p.setPen(QPen(QColor(150, 140, 110), 1));
    p.drawRoundedRect(card, 3, 3);

    // Head rule and title bar.
    p.setPen(QPen(QColor(200, 50, 50), 1.5));
    p.drawLine(QPointF(card.left() + 4, card.top() + 17), QPointF(card.right() - 4, card.top() + 17));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 70, 90));
    p.drawRect(QRectF(card.left() + 8, card.top() + 6, 46, 6));

    // Ruled lines with entries of different lengths.
    static const int lengths[] = {78, 60, 88, 52, 70, 84, 40, 66};
    for (int i = 0; i < 8; ++i) {
        const qreal y = card.top() + 28 + i * 10;
        p.setPen(QPen(QColor(140, 170, 215), 0.8));
        p.drawLine(QPointF(card.left() + 4, y + 3), QPointF(card.right() - 4, y + 3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(95, 95, 110));
        p.drawRect(QRectF(card.left() + 8, y - 1.5, 14, 3));         // disc name
        p.setBrush(QColor(130, 130, 145));
        p.drawRect(QRectF(card.left() + 26, y - 1.5, lengths[i] - 20, 3)); // path
    }
    // The punched hole at the foot of the card.
    p.setBrush(QColor(24, 40, 78));
    p.drawEllipse(QPointF(0, card.bottom() - 7), 4, 4);
    p.restore();
}

// One disc seen from slightly above: a silver ellipse with a rainbow sheen,
// a clear ring around the hole, and the edge below it.
void drawDisc(QPainter &p, const QPointF &centre, qreal rx, qreal ry, qreal thickness)
{
    // Edge.
    p.setPen(QPen(QColor(90, 95, 110), 1));
    p.setBrush(QColor(170, 175, 190));
    QPainterPath edge;
    edge.moveTo(centre.x() - rx, centre.y());
    edge.arcTo(QRectF(centre.x() - rx, centre.y() - ry + thickness, 2 * rx, 2 * ry), 180, 180);
    edge.lineTo(centre.x() + rx, centre.y());
    edge.arcTo(QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry), 0, -180);
    edge.closeSubpath();
    p.drawPath(edge);

    // Face.
    QConicalGradient sheen(centre, 30);
    sheen.setColorAt(0.00, QColor(220, 225, 235));
    sheen.setColorAt(0.12, QColor(250, 200, 230));
    sheen.setColorAt(0.25, QColor(200, 230, 255));
    sheen.setColorAt(0.38, QColor(235, 240, 245));
    sheen.setColorAt(0.55, QColor(255, 240, 190));
    sheen.setColorAt(0.70, QColor(190, 240, 210));
    sheen.setColorAt(0.85, QColor(215, 210, 250));
    sheen.setColorAt(1.00, QColor(220, 225, 235));
    p.setPen(QPen(QColor(110, 115, 130), 1));
    p.setBrush(sheen);
    p.drawEllipse(centre, rx, ry);

    // Clear ring and hole.
    p.setPen(QPen(QColor(150, 155, 170), 0.8));
    p.setBrush(QColor(235, 238, 245, 200));
    p.drawEllipse(centre, rx * 0.32, ry * 0.32);
    p.setBrush(QColor(24, 40, 78));
    p.drawEllipse(centre, rx * 0.12, ry * 0.12);
}

} // namespace

QPixmap kobrixArtwork()
{
    QPixmap picture(kArtworkSize);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    // Night-blue ground, lighter towards the foot, with a soft glow.
    QLinearGradient ground(0, 0, 0, kArtworkSize.height());
    ground.setColorAt(0, QColor(16, 28, 62));
    ground.setColorAt(1, QColor(38, 84, 140));
    p.fillRect(picture.rect(), ground);
    QRadialGradient glow(QPointF(75, 175), 90);
    glow.setColorAt(0, QColor(120, 180, 255, 90));
    glow.setColorAt(1, QColor(120, 180, 255, 0));
    p.fillRect(picture.rect(), glow);

    drawCatalogueCard(p);

    // A stack of four discs, the top one a little turned out of line.
    const qreal rx = 58;
    const qreal ry = 20;
    for (int i = 0; i < 3; ++i)
        drawDisc(p, QPointF(75, 222 - i * 9), rx, ry, 5);
    drawDisc(p, QPointF(80, 186), rx, ry, 5);

    // Frame.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(8, 14, 32));
    p.setBrush(Qt::NoBrush);
    p.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

} // namespace kobrix
