#pragma once

#include <QString>

class QWidget;

namespace kobrix {

class DiscBatchWindow;
struct UiServices;

// Opens the window of a run of discs over what it needs: the catalog in use
// (catalogInUse, a file on disk) or else one the user picks in a save
// dialog (an existing catalog is added to; a new one is made by the first
// disc), and the machine's CD-ROM drives. Nothing when the dialog is
// cancelled, or when there is no drive (a message says so). The window is
// modal, and goes when closed.
DiscBatchWindow *openDiscBatchWindow(QWidget *parent, const UiServices &services,
                                     const QString &catalogInUse);

} // namespace kobrix
