#pragma once

#include <QGuiApplication>

namespace kobrix {

// Shows the busy pointer (with the arrow, since the window still answers)
// for as long as it lives, however the work it covers ends.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace kobrix
