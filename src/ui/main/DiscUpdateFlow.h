#pragma once

#include "session/MainSession.h"
#include "ui/common/UiServices.h"

#include <QObject>
#include <QPointer>

namespace kobrix {

class DiscUpdateDialog;
class Form1;

// The main window's part in bringing a disc of a catalog up to date and in
// recognising a scanned disc: "&Update Disc in Catalog..." in the File menu
// (made here into Form1::updateDiscAction), the confirmation of the changes
// (DiscUpdateDialog), and the status bar's notice that the disc just
// scanned is already in the catalog, whose button updates it there. The
// reading, comparing and writing are the session's.
class DiscUpdateFlow : public QObject
{
    Q_OBJECT

public:
    DiscUpdateFlow(Form1 &window, MainSession &session, const UiServices &services);

    // The disc named in Text2, in a catalog chosen in an open dialog.
    void updateDiscInCatalog();
    // The disc the notice names, in the catalog it was found in: no dialog
    // asks for the catalog.
    void updateRecognisedDisc();
    // The confirmation while it is open.
    DiscUpdateDialog *dialog() const;

private:
    void prepare(const QString &catalogPath);
    void showProblem(const MainSession::UpdateProblem &problem, const QString &heading);
    void apply();

    Form1 &m_window;
    MainSession &m_session;
    UiServices m_services;
    QPointer<DiscUpdateDialog> m_dialog;
};

} // namespace kobrix
