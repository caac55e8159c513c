#pragma once

#include "session/CatalogDrop.h"

#include <QObject>

class QDropEvent;

namespace kobrix {

class Form1;

// Drops on the main window: a dropped catalog is loaded, a dropped folder or
// disc image scanned, as their commands would (CatalogDrop.h), and only
// while those commands are enabled. The work starts once the drop is over,
// so that the program the file came from is not held up by it. An event
// filter of the window, which owns it.
class MainDrops : public QObject
{
public:
    explicit MainDrops(Form1 &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What a drop of event's data would do now.
    DropTarget targetOf(const QDropEvent &event) const;
    void run(const DropTarget &target);

    Form1 &m_window;
};

} // namespace kobrix
