#pragma once

#include "session/MainSession.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/UiServices.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <chrono>

class QAction;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QShortcut;
class QToolBar;
class QToolButton;

namespace kobrix {

class DiscUpdateDialog;
class DiscUpdateFlow;
class DiscsWindow;
class DriveButtons;
class LineListView;
class LineStoreModel;
class MainStatusBar;
enum class MessageIcon;

// The main window, where all the work is done: it scans a disc into a
// listing, writes the listing into a new catalog or appends it to one, and
// loads a catalog for viewing. The work is its session's; the window asks
// the user and reports, and its controls record where the user stands: they
// take the workflow's states (MainControls.h) whenever the session moves on.
//
// The window does not delete itself when it closes: whoever creates it owns
// it and discards it with deleteLater() (or WA_DeleteOnClose) once it has
// closed. A deletion asked for while a load or scan runs waits for its end.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the controls (MainLayout.h, MainMenus.h, DriveButtons) and runs
    // the load step with the work mode.
    Form1(const UiServices &services, WorkMode mode, QWidget *parent = nullptr);
    ~Form1() override;

    QToolBar *Toolbar1 = nullptr;     // "Load", "Find", "Restart" and one button per optical drive
    LineListView *List2 = nullptr;    // the disc listing after a scan, a catalog's lines after a load
    LineListView *List1 = nullptr;    // hidden: the scan's directory work list
    QListWidget *List3 = nullptr;     // hidden: the drive roots, one per drive button
    QLabel *Label2 = nullptr;         // "Disk Name", caption of the disc name box
    QLineEdit *Text2 = nullptr;       // the disc name, typed by the user
    QLineEdit *Text3 = nullptr;       // hidden: the current catalog's name or path
    QPushButton *Command2 = nullptr;  // "Scan New CD": prepares the window for the next disc
    QPushButton *Command3 = nullptr;  // "Write Catalog...": writes a new catalog file
    QPushButton *Command4 = nullptr;  // "Add to Catalog...": appends the disc to a catalog file
    // One panel: the file count of the last scan; Cancel while a scan runs.
    MainStatusBar *StatusBar1 = nullptr;
    QAction *mnuFile = nullptr;       // "&File" menu
    QAction *mnuLoad = nullptr;       // "&Load...": loads a catalog
    QAction *mnuFind = nullptr;       // "&Find": the search window
    QAction *mnuRestart = nullptr;    // "&Restart": back to the start dialog
    QAction *mnudiv1 = nullptr;       // separator above "&Exit"
    QAction *mnuExit = nullptr;       // "&Exit": ends the program
    QAction *mnuHelp = nullptr;       // "&Help" menu
    QAction *mnuDonate = nullptr;     // "&Donate to Kobrix": the donation page
    QAction *mnuAbout = nullptr;      // "&About Kobrix...": the About box
    QAction *scanFolderAction = nullptr; // "&Scan Folder...": scans any folder as a disc
    QAction *scanImageAction = nullptr;  // "Scan Disc &Image...": scans an .iso image as a disc
    // "Catalog Discs &One After Another...": the window of a run of discs
    QAction *discBatchAction = nullptr;
    // "&Update Disc in Catalog...": replaces the disc's records in a catalog;
    // enabled exactly when "Write Catalog..." is.
    QAction *updateDiscAction = nullptr;
    // Status bar, shown only with something to say: that the disc just
    // scanned is already in the catalog (with a button to update it there),
    // or what an update changed.
    QLabel *discNotice = nullptr;
    QToolButton *discNoticeButton = nullptr;
    QAction *recentMenuAction = nullptr;  // "Open Re&cent": the catalogs used last
    QAction *catalogMenuAction = nullptr; // "&Catalog" menu
    QAction *discsAction = nullptr;       // "&Discs...": the Discs window over the catalog
    CommonDialog CommonDialog1;       // the one file dialog; keeps its settings between uses

    // The lines, the catalog in use and the work on them. Code that changes
    // the catalog's lines directly calls refreshList2() afterwards.
    MainSession &session() { return m_session; }
    const MainSession &session() const { return m_session; }
    void refreshList2();

    // The toolbar button with the key "Load", "Find", "Restart" or a drive
    // root; nullptr when no button carries the key.
    QAction *toolbarButton(const QString &key) const;
    QString statusText() const; // the status bar's panel
    bool restartPending() const { return RestartPending; }

    // Walks the disc in the drive into List2, its folders into List1.
    void ScanDrive(const QString &driveKey);
    // Walks any folder, or an .iso disc image, as if it were a disc.
    void scanFolder(const QString &folder);
    void scanImage(const QString &imagePath);
    // Stops a running scan, as the status bar's Cancel and Esc do.
    void cancelScan() { m_session.cancelScan(); }
    // Writes List2 under the disc name as a new catalog file, or appends it
    // to a catalog file, chosen in a save dialog.
    void WriteList();
    void AppendList();
    // Reads a catalog file into List2, emptying it first when clearFirst is
    // set (only once the file is open). Lets the window process its events
    // between slices of reading. False when the file could not be opened
    // (the message is shown and the lines stay).
    bool ReadList(const QString &fileName, bool clearFirst);
    // Asks for a catalog in an open dialog, loads it and names it in the
    // caption and in Text3.
    void loadCatalog();
    // The same with the file already chosen ("Open Recent", a dropped file).
    void loadCatalogFile(const QString &fileName);
    // "&Restart" and the toolbar's "Restart": back to the start dialog.
    void restart();

    // Replaces the records of the disc named in Text2, in a catalog chosen in
    // an open dialog, with List2's lines, once the user has seen the changes
    // and confirmed them (discUpdateDialog()).
    void updateDiscInCatalog();
    DiscUpdateDialog *discUpdateDialog() const; // while it is open
    // Work ReadList does between two looks at the window's events (15 ms
    // unless changed).
    void setLoadSlice(std::chrono::nanoseconds slice) { m_loadSlice = slice; }

    // The Discs window over the catalog in use: the lines in hand, or the
    // catalog file named or last used (MainSession::namedCatalogFile()).
    void openDiscsWindow();
    DiscsWindow *discsWindow() const; // while it is open

    // The start dialog has named the catalog: the controls take the states
    // the work mode starts with (applyStartSettings()).
    void startWork() { m_session.start(); }

    // The check every command that writes the disc makes of its name, with
    // its message when the name will not do.
    bool checkDiscName();
    // A message over the window, or over what is on screen while it is hidden.
    void showMessage(const QString &title, const QString &text, MessageIcon icon);

    void setVisible(bool visible) override;

Q_SIGNALS:
    void findRequested();       // "&Find" and the toolbar's "Find"
    void aboutRequested();      // "&About Kobrix..."
    // "&Restart" and the toolbar's "Restart": emitted after the restart was
    // marked pending, before the window closes.
    void restartRequested();
    // The window closes without a pending restart (close box, "&Exit"): the
    // program ends.
    void programEndRequested();
    // A catalog file was opened for loading, written or added to.
    void catalogUsed(const QString &path);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Load step: the drive buttons, and the designed states of the controls
    // in the work mode.
    void Form_Load();
    // One toolbar button per optical drive, keyed by its drive root.
    void DiscoverCdDrives();
    // Sets every control that records where the user stands from the
    // workflow's states.
    void applyControlStates();

    void Toolbar1_ButtonClick(QAction *button);
    // Closing step: a pending restart only closes the window, any other
    // close ends the program.
    void Form_QueryUnload(QCloseEvent *event);
    void scanNewCd();
    void setStatusText(const QString &text);
    void clearScanLists();
    // Walks root with reader on the session's task, showing the running
    // count; returns when it is over.
    void runScan(DirectoryReader &reader, const DiscLocation &disc);
    // A deletion asked for while a load or scan was running happens now.
    void deleteIfAskedDuringWork();
    // The lines the notice is about are gone: so are it and a comparison.
    void forgetDiscNotice();

    UiServices m_services;
    MainSession m_session; // the lines, the catalog in use and the work on them
    bool RestartPending = false; // a restart closes the window: do not end the program

    LineStoreModel *m_list1Model = nullptr;
    LineStoreModel *m_list2Model = nullptr;
    DriveButtons *m_driveButtons = nullptr; // Toolbar1's buttons
    DiscUpdateFlow *m_discUpdate = nullptr;
    QShortcut *m_cancelScanShortcut = nullptr; // Esc while a scan runs

    // Short enough that the window keeps reacting during a load, long enough
    // that yielding costs little next to the reading itself.
    std::chrono::nanoseconds m_loadSlice = std::chrono::milliseconds(15);
    bool m_deleteAfterLoad = false; // deleteLater() arrived while a load was reading
    bool m_placed = false;          // centred on the screen at the first show

    QPointer<DiscsWindow> m_discsWindow;
};

} // namespace kobrix
