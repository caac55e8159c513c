#pragma once

#include "scan/FileSystemReader.h"
#include "session/MainSession.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/UiServices.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

#include <chrono>

class QAction;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QShortcut;
class QToolBar;
class QToolButton;

namespace kobrix {

class DiscUpdate;
class DiscUpdateDialog;
class DiscsWindow;
class LineListView;
class LineStoreModel;
class MainStatusBar;
class RuntimeError;
enum class MessageIcon;

// The main window, where all the work is done: it scans a disc into a
// listing, writes the listing into a new catalog or appends it to one, and
// loads a catalog for viewing. Its controls are the record of where the user
// stands: every operation moves the workflow (MainControls.h) on when it
// finishes, and the controls take the states of its table.
//
// The window does not delete itself when it closes: whoever creates it owns
// it and discards it with deleteLater() (or WA_DeleteOnClose) once it has
// closed. A deletion asked for while a catalog is loading waits until the
// load has returned.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // Builds the controls in their designed state and runs the load step
    // with the work mode: drive buttons for the optical drives and the start
    // settings of the mode.
    Form1(const UiServices &services, WorkMode mode, QWidget *parent = nullptr);
    ~Form1() override;

    QToolBar *Toolbar1 = nullptr;     // "Load", "Find", "Restart" and one button per optical drive
    LineListView *List2 = nullptr;       // the disc listing after a scan, the catalog lines after a load
    LineListView *List1 = nullptr;       // hidden: the scan's directory work list
    QListWidget *List3 = nullptr;     // hidden: the drive roots, one per drive button
    QLabel *Label2 = nullptr;         // "Disk Name", caption of the disc name box
    QLineEdit *Text2 = nullptr;       // the disc name, typed by the user
    QLineEdit *Text3 = nullptr;       // hidden: the current catalog's name or path
    QPushButton *Command2 = nullptr;  // "Scan New CD": prepares the window for the next disc
    QPushButton *Command3 = nullptr;  // "Write Catalog...": writes a new catalog file
    QPushButton *Command4 = nullptr;  // "Add to Catalog...": appends the disc to a catalog file
    QStatusBar *StatusBar1 = nullptr; // one panel: the file count of the last scan
    QAction *mnuFile = nullptr;       // "&File" menu
    QAction *mnuLoad = nullptr;       // "&Load...": loads a catalog
    QAction *mnuFind = nullptr;       // "&Find": the search window
    QAction *mnuRestart = nullptr;    // "&Restart": back to the start dialog
    QAction *mnuExit = nullptr;       // "&Exit": ends the program
    QAction *mnuHelp = nullptr;       // "&Help" menu
    QAction *mnuDonate = nullptr;     // "&Donate to Kobrix": the donation page
    QAction *mnuAbout = nullptr;      // "&About Kobrix...": the About box
    QAction *scanFolderAction = nullptr; // "&Scan Folder...": scans any folder as a disc
    QAction *scanImageAction = nullptr;  // "Scan Disc &Image...": scans an .iso image as a disc
    // "&Update Disc in Catalog...": replaces the disc's records in a catalog;
    // enabled exactly when "Write Catalog..." is.
    QAction *updateDiscAction = nullptr;
    // Status bar, shown only with something to say: that the disc just
    // scanned is already in the catalog (with a button to update it there),
    // or what an update changed.
    QLabel *discNotice = nullptr;
    QToolButton *discNoticeButton = nullptr;
    QAction *catalogMenuAction = nullptr; // "&Catalog" menu
    QAction *discsAction = nullptr;       // "&Discs...": the Discs window over the catalog
    CommonDialog CommonDialog1;       // the one file dialog; keeps its settings between uses

    // The catalog worked on: Text3 shows its path, List2 its lines. Code
    // that changes the lines directly calls refreshList2() afterwards.
    Catalog &catalog() { return m_session.catalog(); }
    LineStore &list2Lines() { return m_session.catalog().lines(); }
    const LineStore &list1Lines() const { return m_session.list1Lines(); }
    // Tells List2 about lines added to or removed from list2Lines().
    void refreshList2();

    // The toolbar button with the key "Load", "Find", "Restart" or a drive
    // root; nullptr when no button carries the key.
    QAction *toolbarButton(const QString &key) const;
    // The text of the status bar's panel.
    QString statusText() const;
    WorkMode workMode() const { return m_session.mode(); }
    // The roots of the optical drives, one per drive button (List3 shows them).
    const QStringList &driveKeys() const { return m_driveKeys; }
    bool restartPending() const { return RestartPending; }

    // Walks the disc in the drive into List2, its folders into List1.
    void ScanDrive(const QString &driveKey);
    // Walks any folder, or an .iso disc image, as if it were a disc.
    void scanFolder(const QString &folder);
    void scanImage(const QString &imagePath);
    // True while a scan runs; cancelScan() stops it (the Cancel button of
    // the status bar and the Esc key do the same).
    bool isScanning() const { return m_session.isScanning(); }
    void cancelScan();
    // Writes List2 under the disc name as a new catalog file, chosen in a
    // save dialog.
    void WriteList();
    // Appends List2 under the disc name to a catalog file, chosen in a save
    // dialog.
    void AppendList();
    // Reads a catalog file into List2, emptying it first when clearFirst is
    // set (only once the file is open). Lets the window process its events
    // between slices of reading.
    void ReadList(const QString &fileName, bool clearFirst);
    // Asks for a catalog in an open dialog, loads it and names it in the
    // caption and in Text3.
    void loadCatalog();
    // True while ReadList is reading.
    bool isLoading() const { return m_session.isLoading(); }

    // Replaces the records of the disc named in Text2, in a catalog chosen in
    // an open dialog, with List2's lines, once the user has seen the changes
    // and confirmed them (discUpdateDialog()).
    void updateDiscInCatalog();
    // The same for the disc the notice after a scan names, in the catalog
    // it was found in: no dialog asks for the catalog.
    void updateRecognisedDisc();
    // The confirmation of an update while it is open.
    DiscUpdateDialog *discUpdateDialog() const;
    // The catalog file a scanned disc is looked for in: the one loaded,
    // named, written, added to or updated last, when it is a file on disk;
    // empty otherwise.
    QString recognitionCatalog() const;
    // True while a scanned disc is being looked for in the catalog.
    bool isRecognising() const;
    // Work ReadList does between two looks at the window's events (15 ms
    // unless changed).
    void setLoadSlice(std::chrono::nanoseconds slice) { m_loadSlice = slice; }

    // The Discs window over the catalog in use (Form1Discs.cpp): the lines
    // in hand when they are a catalog's; otherwise the catalog file named,
    // read from the disk; without either, a message says there is none.
    void openDiscsWindow();
    // The Discs window while it is open.
    DiscsWindow *discsWindow() const;
    // The catalog file on disk the window works with when the lines in hand
    // are a scanned disc's: the catalog named (Text3), else the one last
    // loaded, written or added to; empty when neither is a file.
    QString namedCatalogFile() const;

    // The scan reads folders through this reader instead of the file system
    // (nullptr: the file system again). The reader must outlive its use.
    void setDirectoryReader(DirectoryReader *reader) { m_directoryReader = reader; }

    // The start dialog has named the catalog: the controls take the states
    // the work mode starts with (applyStartSettings()).
    void startWork();

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

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void createMenus();
    void createToolbar();
    void connectToolbarButton(QAction *button);
    void createControls();
    void placeControls();

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
    void restart();
    void scanNewCd();
    void writeCatalogClicked();
    void addToCatalogClicked();
    bool checkDiscName();
    void showMessage(const QString &title, const QString &text, MessageIcon icon);
    void setStatusText(const QString &text);
    void clearScanLists();
    // Walks root with reader off the window's thread, keeping the window
    // responsive and showing the running count; returns when it is over.
    void runScan(DirectoryReader &reader, const QString &root);
    void chooseFolderToScan();
    void chooseImageToScan();
    // A deletion asked for while a load or scan was running happens now.
    void deleteIfAskedDuringWork();
    void createCatalogMenu();

    // Updating a disc and recognising a scanned one (Form1DiscUpdate.cpp).
    void createDiscUpdateControls();
    void prepareDiscUpdate(const QString &catalogPath);
    void showUpdateProblem(const MainSession::UpdateProblem &problem, const QString &heading);
    void applyDiscUpdate();
    void showDiscNotice(const QString &text, bool offerUpdate);
    // The notice is about lines that are gone: it goes, and so does a
    // comparison still running.
    void forgetDiscNotice();

    UiServices m_services;
    MainSession m_session; // the lines, the catalog in use and the work on them
    bool RestartPending = false; // a restart closes the window: do not end the program

    QStringList m_driveKeys;
    LineStoreModel *m_list1Model = nullptr;
    LineStoreModel *m_list2Model = nullptr;

    QWidget *m_central = nullptr;
    QAction *mnudiv1 = nullptr; // separator above "&Exit"

    FileSystemReader m_fileSystemReader;
    DirectoryReader *m_directoryReader = nullptr;
    // Short enough that the window keeps reacting during a load, long enough
    // that yielding costs little next to the reading itself.
    std::chrono::nanoseconds m_loadSlice = std::chrono::milliseconds(15);
    MainStatusBar *m_statusBar = nullptr; // StatusBar1
    QShortcut *m_cancelScanShortcut = nullptr; // Esc while a scan runs
    bool m_deleteAfterLoad = false;  // deleteLater() arrived while a load was reading
    bool m_placed = false;      // centred on the screen at the first show

    QPointer<DiscUpdateDialog> m_updateDialog;
    QPointer<DiscsWindow> m_discsWindow;
};

} // namespace kobrix
