#pragma once

#include "discs/DiscDuplicates.h"
#include "discs/DiscOtherPlaces.h"
#include "core/RuntimeError.h"
#include "ui/discs/LineGroupsModel.h"
#include "ui/common/UiServices.h"

#include <QDialog>
#include <QString>

#include <QStringList>

#include <chrono>
#include <deque>
#include <memory>
#include <vector>

class QAbstractItemModel;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QTreeView;

namespace kobrix {

class BackgroundJob;
class Catalog;
class CatalogReader;
class DiscIndex;
class DiscListModel;
class DiscTreeModel;
class DiscsWindowOutput;
class DuplicatesModel;
class LineStore;
class Matcher;
class MessageBoxService;

// The discs of a catalog: a list of its discs with their file counts, a
// filter and the totals; beside it the folders of the disc chosen as a tree,
// a search whose results are grouped by disc, the other discs that hold a
// file, and the files that stand on several discs.
//
// More catalogs can be opened beside the first: the window then holds the
// lines of all of them, one catalog after another, in a line store of its
// own (the main window's catalog is copied, never changed). Each catalog's
// discs stay its own, also where names are the same, and every view names a
// disc's catalog beside it.
//
// Long work never holds the window up: the discs are counted, the other
// places of a file and the files on several discs are found on a worker
// thread, and the search and the reading of a catalog file run in time
// slices between the window's events.
class DiscsWindow : public QDialog
{
    Q_OBJECT

public:
    // services.messages must be given; the file dialogs are asked for when
    // the window saves or opens files.
    explicit DiscsWindow(const UiServices &services, QWidget *parent = nullptr);
    ~DiscsWindow() override;

    // Shows the discs of a loaded catalog, named by name (a file name). Its
    // lines must stay unchanged while the window is open, and nobody else may
    // ask it for its discs while they are counted.
    void showCatalog(const Catalog &catalog, const QString &name);
    // Reads the catalog file at path in slices, then shows its discs.
    void readCatalogFile(const QString &path);

    // One catalog shown: its path, the name it is shown by, and its lines
    // in lines().
    struct CatalogPart
    {
        QString path;
        QString name;
        qsizetype firstLine = 0;
        qsizetype lineCount = 0;
    };
    const std::vector<CatalogPart> &catalogs() const { return m_parts; }
    // What exports and printed pages say of the discs and themselves: with
    // several catalogs each disc's catalog (empty: one catalog), and the
    // catalogs' names.
    std::vector<QString> exportDiscCatalogs() const;
    QString exportTitle() const;
    // Opens catalog files, and every catalog below folders (see
    // CatalogPaths), beside those shown: read in slices, then the discs of
    // all are counted again and a search shown is run again over all of
    // them. A catalog shown already is left out; catalogs that cannot be
    // read are reported one by one and the others still open. Does nothing
    // until the window is ready or while catalogs are being added.
    void addCatalogs(const QStringList &filesAndFolders);
    // Asks for catalog files, or a folder, and adds what was chosen.
    void chooseCatalogFiles();
    void chooseCatalogFolder();
    bool isAddingCatalogs() const { return m_growing != nullptr; }
    // A disc's name with its catalog's when more than one is shown.
    QString discLabel(qsizetype disc) const;

    // The discs are counted and shown.
    bool isReady() const { return m_index != nullptr; }
    // Reading, counting, searching or finding is under way.
    bool isWorking() const;

    QLabel *filterLabel = nullptr;   // "Fi&lter:"
    QLineEdit *filterBox = nullptr;  // part of a disc name
    QPushButton *addButton = nullptr; // "&Add Catalogs", with the menu below
    QMenu *addMenu = nullptr;
    QAction *addFilesAction = nullptr;  // "Catalog &Files..."
    QAction *addFolderAction = nullptr; // "All Catalogs in a F&older..."
    QLabel *discsLabel = nullptr;    // "&Discs"
    QTreeView *discList = nullptr;   // the discs and their file counts
    QLabel *totalsLabel = nullptr;   // the totals, or what is being done
    QTabWidget *views = nullptr;     // the four views below
    QLabel *folderHeading = nullptr; // the disc shown in the tree
    QTreeView *folderTree = nullptr; // the folders of the disc
    QLabel *searchLabel = nullptr;   // "Find &what:"
    QLineEdit *searchBox = nullptr;
    QPushButton *findButton = nullptr;
    QLabel *searchStatus = nullptr;      // the hit count, or why there is none
    QTreeView *searchResults = nullptr;  // hits grouped by disc
    QLabel *otherHeading = nullptr;      // the file whose other places are shown
    QTreeView *otherDiscsView = nullptr; // same path, same name elsewhere
    QRadioButton *byPathButton = nullptr;
    QRadioButton *byNameButton = nullptr;
    QLabel *duplicatesStatus = nullptr;
    QTreeView *duplicatesView = nullptr; // files on several discs
    QPushButton *closeButton = nullptr;
    DiscsWindowOutput *output = nullptr; // "Export..." and "Print..." left of Close

    DiscListModel *discListModel() const { return m_discs; }
    DiscTreeModel *treeModel() const { return m_tree; }
    LineGroupsModel *hitsModel() const { return m_hits; }
    LineGroupsModel *otherPlacesModel() const { return m_otherPlaces; }
    DuplicatesModel *duplicatesModel() const { return m_duplicates; }
    // The lines shown; valid once a catalog is given.
    const LineStore &lines() const;
    const DiscIndex *index() const { return m_index; }
    // The catalog's name as given (a file name).
    const QString &catalogName() const { return m_catalogName; }

    // The disc whose tree is shown, -1 for none.
    qsizetype currentDisc() const { return m_treeDisc; }
    void selectDisc(qsizetype disc);
    // Shows a line's file in its disc's tree, selected.
    void revealLine(qsizetype line);
    // Searches every line for the text in the search box and lists the
    // hits by disc.
    void find();
    // Lists the other discs holding a line's file.
    void showOnOtherDiscs(qsizetype line);
    // Lists the paths, or the file names, found on several discs.
    void showDuplicates(DiscDuplicates::Key key);

    // Work between two rounds of events while reading or searching.
    void setSliceBudget(std::chrono::nanoseconds budget) { m_sliceBudget = budget; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    void ready();
    void searchFinished();
    // An addition of catalogs is over: read, counted and reported (also
    // when nothing was added).
    void catalogsAdded();
    void otherPlacesShown();
    void duplicatesShown();

private:
    static QTreeView *makeView(QWidget *parent, const char *objectName,
                               const QString &accessibleName, QAbstractItemModel *model, bool tree);
    void createControls();
    void sizeToFont();
    QWidget *createFoldersPage();
    QWidget *createSearchPage();
    QWidget *createOtherDiscsPage();
    QWidget *createDuplicatesPage();
    // The file actions of a view, on its context menu and their shortcuts:
    // "Show on other discs", and "Show in Folders" where asked for. lineOf
    // tells the file of a row (-1 for none). Enter on a file, or a double
    // click, shows it in its folder as well; on a folder or group it opens
    // or closes it.
    using LineOf = qsizetype (DiscsWindow::*)(const QModelIndex &) const;
    void addFileActions(QTreeView *view, LineOf lineOf, bool revealable);
    void showFileMenu(QTreeView *view, const QPoint &globalPos);
    // Puts the focus in the first field of the page shown.
    void focusPage();
    void rowActivated(QTreeView *view, const QModelIndex &index);

    void startReadSlices();
    void readSlice();
    void addSlice();
    void finishAdding();
    void reportAddFailures();
    void nameCatalogs();
    QString lineLabel(qsizetype line) const;
    void countDiscs();
    void discsCounted();
    void showTotals();
    void applyFilter(const QString &text);
    void searchSlice();
    void groupHits();
    void finishSearch();
    void startOtherPlaces();
    void otherPlacesFound(qsizetype line);
    void startDuplicates();
    void duplicatesFound(DiscDuplicates::Key key);
    void showFoundDuplicates();
    void duplicatesTabShown();

    qsizetype treeLine(const QModelIndex &index) const;
    qsizetype hitLine(const QModelIndex &index) const;
    qsizetype otherPlacesLine(const QModelIndex &index) const;
    qsizetype duplicatesLine(const QModelIndex &index) const;
    QString pathOf(qsizetype line) const;

    UiServices m_services;
    MessageBoxService &m_messages;
    const Catalog *m_catalog = nullptr;
    std::unique_ptr<Catalog> m_ownCatalog; // a catalog read from its file
    std::unique_ptr<CatalogReader> m_reader;
    QString m_catalogName;
    const DiscIndex *m_index = nullptr;
    std::vector<CatalogPart> m_parts;
    std::unique_ptr<DiscIndex> m_partsIndex; // of m_ownCatalog with several parts

    // Catalogs being added: read into a new store that holds the lines
    // shown and the new ones; the views keep working on the old one.
    struct Failure
    {
        QString shown;
        RuntimeError error;
    };
    std::unique_ptr<Catalog> m_growing;
    std::vector<CatalogPart> m_growingParts;
    std::deque<CatalogPart> m_toRead;
    std::vector<Failure> m_addFailures;
    QStringList m_emptyFolders;
    bool m_nothingNew = false;
    bool m_searchAgain = false;
    QTimer *m_addTimer = nullptr;

    DiscListModel *m_discs = nullptr;
    DiscTreeModel *m_tree = nullptr;
    LineGroupsModel *m_hits = nullptr;
    LineGroupsModel *m_otherPlaces = nullptr;
    DuplicatesModel *m_duplicates = nullptr;
    qsizetype m_treeDisc = -1;

    BackgroundJob *m_countJob = nullptr;
    BackgroundJob *m_otherJob = nullptr;
    BackgroundJob *m_duplicatesJob = nullptr;
    struct FileView
    {
        QTreeView *view;
        LineOf lineOf;
        QAction *showElsewhere;
        QAction *reveal; // nullptr for the folder tree
    };
    std::vector<FileView> m_fileViews;
    const FileView *fileViewOf(const QObject *viewOrViewport) const;

    // A request made while the worker is busy waits for it.
    qsizetype m_wantedOtherLine = -1;
    DiscDuplicates::Key m_wantedKey = DiscDuplicates::Key::Path;
    OtherPlaces m_found; // written by m_otherJob
    std::unique_ptr<DiscDuplicates> m_byPath;
    std::unique_ptr<DiscDuplicates> m_byName;
    std::unique_ptr<DiscDuplicates> m_duplicatesFound; // written by m_duplicatesJob

    QTimer *m_readTimer = nullptr;   // a slice of reading per round of events
    QTimer *m_searchTimer = nullptr; // a slice of searching per round
    // Well under the 50 ms a user notices, even when a slice runs long on a
    // busy machine; the reading and the search lose little to it.
    std::chrono::nanoseconds m_sliceBudget = std::chrono::milliseconds(10);
    std::unique_ptr<Matcher> m_matcher;
    qsizetype m_searchNext = 0;
    std::vector<std::vector<qsizetype>> m_hitChunks; // the hits so far, in order
    quint64 m_searchNumber = 0;
    BackgroundJob *m_groupJob = nullptr;
    BackgroundJob *m_copyJob = nullptr; // the lines shown into m_growing
    std::vector<LineGroupsModel::Group> m_groupsFound; // written by m_groupJob,
    std::vector<qsizetype> m_groupDiscs;               // one disc per group
};

} // namespace kobrix
