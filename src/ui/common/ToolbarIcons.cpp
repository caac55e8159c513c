#include "ui/common/ToolbarIcons.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace kobrix {

namespace {

void drawFolder(QPainter &p)
{
    const QColor outline(0x9a, 0x6b, 0x10);
    // Back panel with its tab.
    QPainterPath back;
    back.moveTo(2.5, 7.5);
    back.lineTo(11.5, 7.5);
    back.lineTo(14.5, 10.5);
    back.lineTo(27.5, 10.5);
    back.lineTo(27.5, 26.5);
    back.lineTo(2.5, 26.5);
    back.closeSubpath();
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(0xe0, 0xa8, 0x30));
    p.drawPath(back);
    // Front panel, a little lighter, slanted like an open folder.
    QPainterPath front;
    front.moveTo(2.5, 26.5);
    front.lineTo(5.5, 14.5);
    front.lineTo(30.5, 14.5);
    front.lineTo(27.5, 26.5);
    front.closeSubpath();
    QLinearGradient shade(0, 14, 0, 27);
    shade.setColorAt(0, QColor(0xff, 0xdc, 0x70));
    shade.setColorAt(1, QColor(0xf0, 0xb8, 0x40));
    p.setBrush(shade);
    p.drawPath(front);
}

void drawTick(QPainter &p)
{
    QPainterPath tick;
    tick.moveTo(15, 20);
    tick.lineTo(20, 26);
    tick.lineTo(30, 12);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    p.setPen(QPen(QColor(0x1e, 0x8c, 0x2e), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void drawMagnifier(QPainter &p)
{
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25, 26), QPointF(30, 31));
    QRadialGradient glass(QPointF(18, 18), 8, QPointF(16, 16));
    glass.setColorAt(0, QColor(0xf4, 0xfb, 0xff));
    glass.setColorAt(1, QColor(0x9c, 0xc8, 0xe8));
    p.setBrush(glass);
    p.setPen(QPen(QColor(0x40, 0x40, 0x48), 2.5));
    p.drawEllipse(QPointF(19.5, 19.5), 7, 7);
}

void drawWasteBin(QPainter &p)
{
    const QColor outline(0x3c, 0x44, 0x4c);
    // Body, narrowing to the bottom.
    QPainterPath body;
    body.moveTo(7.5, 9.5);
    body.lineTo(24.5, 9.5);
    body.lineTo(22.5, 29.5);
    body.lineTo(9.5, 29.5);
    body.closeSubpath();
    QLinearGradient metal(7, 0, 25, 0);
    metal.setColorAt(0, QColor(0x9a, 0xa4, 0xae));
    metal.setColorAt(0.4, QColor(0xe4, 0xe8, 0xec));
    metal.setColorAt(1, QColor(0x80, 0x8a, 0x94));
    p.setPen(QPen(outline, 1));
    p.setBrush(metal);
    p.drawPath(body);
    // Ribs.
    p.setPen(QPen(outline, 1.2));
    p.drawLine(QPointF(12.5, 12.5), QPointF(13.2, 27));
    p.drawLine(QPointF(16, 12.5), QPointF(16, 27));
    p.drawLine(QPointF(19.5, 12.5), QPointF(18.8, 27));
    // Lid with its handle.
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(0xb8, 0xc0, 0xc8));
    p.drawRoundedRect(QRectF(5.5, 6.5, 21, 3), 1, 1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(outline, 1.5));
    p.drawRoundedRect(QRectF(12.5, 3.5, 7, 3), 1, 1);
}

void drawCompactDisc(QPainter &p)
{
    const QPointF centre(16, 16);
    QConicalGradient shine(centre, 30);
    shine.setColorAt(0.00, QColor(0xd8, 0xdc, 0xe4));
    shine.setColorAt(0.15, QColor(0xf8, 0xe0, 0xa0));
    shine.setColorAt(0.25, QColor(0xb0, 0xe8, 0xc8));
    shine.setColorAt(0.35, QColor(0xa8, 0xc8, 0xf8));
    shine.setColorAt(0.50, QColor(0xe8, 0xec, 0xf0));
    shine.setColorAt(0.65, QColor(0xf0, 0xc0, 0xe8));
    shine.setColorAt(0.75, QColor(0xb8, 0xe0, 0xf8));
    shine.setColorAt(0.85, QColor(0xf8, 0xf0, 0xb0));
    shine.setColorAt(1.00, QColor(0xd8, 0xdc, 0xe4));
    p.setPen(QPen(QColor(0x70, 0x78, 0x84), 1));
    p.setBrush(shine);
    p.drawEllipse(centre, 14.5, 14.5);
    // Clamping ring and centre hole.
    p.setBrush(QColor(0xe8, 0xec, 0xf0, 200));
    p.drawEllipse(centre, 5.5, 5.5);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 2.5, 2.5);
}

} // namespace

QPixmap toolbarPixmap(ToolbarImage image, qreal devicePixelRatio)
{
    const int side = qRound(32 * devicePixelRatio);
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case ToolbarImage::FolderTick:
        drawFolder(p);
        drawTick(p);
        break;
    case ToolbarImage::FolderMagnifier:
        drawFolder(p);
        drawMagnifier(p);
        break;
    case ToolbarImage::WasteBin:
        drawWasteBin(p);
        break;
    case ToolbarImage::CompactDisc:
        drawCompactDisc(p);
        break;
    }
    return pixmap;
}

QIcon toolbarIcon(ToolbarImage image)
{
    QIcon icon;
    icon.addPixmap(toolbarPixmap(image, 1.0));
    icon.addPixmap(toolbarPixmap(image, 2.0));
    return icon;
}

} // namespace kobrix
