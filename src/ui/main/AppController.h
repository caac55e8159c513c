#pragma once

#include "ui/main/Form2.h"
#include "ui/common/UiServices.h"
#include "session/WorkMode.h"

#include <QObject>
#include <QPointer>

namespace kobrix {

class Form1;
class Form3;
class Form4;

// Runs the program's windows: the start dialog first; the main window it
// prepares; the search window and the About box over the main window; a
// restart back to the start dialog; and the end of the program.
class AppController : public QObject
{
    Q_OBJECT

public:
    explicit AppController(const UiServices &services, QObject *parent = nullptr);
    ~AppController() override;

    // Shows the start dialog; with a catalog file, searches that catalog in
    // the main window instead, and shows the start dialog only when the
    // file cannot be opened.
    void start(const QString &catalogFile = QString());

    Form2 *startDialog() const;
    // The main window in use, or the one being prepared.
    Form1 *mainWindow() const;
    // The search window and the About box while they are open.
    Form3 *searchWindow() const;
    Form4 *aboutBox() const;

Q_SIGNALS:
    // The program is to end now (the application quits).
    void quitRequested();

private:
    // The factory the start dialog loads the main window with. A main window
    // left over from an earlier OK whose open dialog was cancelled is
    // discarded first, so each OK starts from a freshly loaded window.
    PreparedMainWindow prepareMainWindow(WorkMode mode);
    void discardMainWindow();
    // A fresh start dialog in its initial state, shown or not yet.
    void showStartDialog();
    void makeStartDialog();
    void openSearchWindow();
    void openAboutBox();
    // Back to the start dialog; the main window goes with all its data.
    void restart();
    void endProgram();

    UiServices m_services;
    QPointer<Form2> m_start;
    QPointer<Form1> m_main;
    QPointer<Form3> m_search;
    QPointer<Form4> m_about;
};

} // namespace kobrix
