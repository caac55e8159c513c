#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace kobrix {

// The windows are laid out in units of 1/1440 inch, 15 to a pixel at 96 dots
// per inch. These helpers turn such units into pixels and back.
inline constexpr int kUnitsPerPixel = 15;

inline int unitsToPixels(int units)
{
    return int(std::lround(double(units) / kUnitsPerPixel));
}

inline int pixelsToUnits(int pixels) { return pixels * kUnitsPerPixel; }

inline QRect unitsRect(int left, int top, int width, int height)
{
    return QRect(unitsToPixels(left), unitsToPixels(top), unitsToPixels(width),
                 unitsToPixels(height));
}

// Places a top-level window in the middle of the screen it will appear on.
inline void centerOnScreen(QWidget *window)
{
    QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.x() + (area.width() - outer.width()) / 2,
                 area.y() + (area.height() - outer.height()) / 2);
}

} // namespace kobrix
