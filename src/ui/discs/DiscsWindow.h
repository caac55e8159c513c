#pragma once

#include "discs/DiscDuplicates.h"
#include "session/CatalogSession.h"
#include "ui/common/UiServices.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <chrono>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTreeView;

namespace kobrix {

class Catalog;
class DiscIndex;
class DiscListModel;
class DiscTreeModel;
class DiscsWindowOutput;
class DuplicatesModel;
class DuplicatesPage;
class FoldersPage;
class LineGroupsModel;
class LineStore;
class OtherDiscsPage;
class SearchPage;

// The discs of a catalog: a list of its discs with their file counts, a
// filter and the totals; beside it the folders of the disc chosen as a tree,
// a search whose results are grouped by disc, the other discs that hold a
// file, and the files that stand on several discs, each a page of its own.
//
// What the window shows, and the work on it, is a CatalogSession's: more
// catalogs can be opened beside the first, each catalog's discs staying its
// own, and every view names a disc's catalog beside it. Long work never
// holds the window up.
//
// The controls are found by their object names (filterBox, discList,
// searchBox...).
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

    using CatalogPart = CatalogSession::Part;
    const std::vector<CatalogPart> &catalogs() const { return m_session->parts(); }
    // What exports and printed pages say of the discs and themselves: with
    // several catalogs each disc's catalog (empty: one catalog), and the
    // catalogs' names.
    std::vector<QString> exportDiscCatalogs() const;
    QString exportTitle() const;
    // Opens catalog files, and every catalog below folders, beside those
    // shown (CatalogSession::addCatalogs()); a search shown is run again
    // over all of them, and catalogs that cannot be read are reported one
    // by one. Does nothing until the window is ready, while catalogs are
    // being added or while an export runs.
    void addCatalogs(const QStringList &filesAndFolders);
    // Asks for catalog files, or a folder, and adds what was chosen.
    void chooseCatalogFiles();
    void chooseCatalogFolder();
    bool isAddingCatalogs() const { return m_session->isAddingCatalogs(); }
    // A disc's name with its catalog's when more than one is shown.
    QString discLabel(qsizetype disc) const;

    // The discs are counted and shown.
    bool isReady() const { return m_session->index() != nullptr; }
    // Reading, counting, searching or finding is under way.
    bool isWorking() const { return m_session->isWorking(); }

    CatalogSession &session() const { return *m_session; }
    DiscsWindowOutput *output() const { return m_output; } // "Export..." and "Print..."
    DiscListModel *discListModel() const { return m_discs; }
    DiscTreeModel *treeModel() const;
    LineGroupsModel *hitsModel() const;
    LineGroupsModel *otherPlacesModel() const;
    DuplicatesModel *duplicatesModel() const;
    // The lines shown; valid once a catalog is given.
    const LineStore &lines() const { return m_session->lines(); }
    const DiscIndex *index() const { return m_session->index(); }
    // The catalog's name as given (a file name).
    const QString &catalogName() const { return m_session->catalogName(); }

    // The disc whose tree is shown, -1 for none.
    qsizetype currentDisc() const;
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
    void setSliceBudget(std::chrono::nanoseconds budget) { m_session->setSliceBudget(budget); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The window's size, splitter and columns are kept for the next window.
    void hideEvent(QHideEvent *event) override;

Q_SIGNALS:
    void ready();
    void searchFinished();
    // An addition of catalogs is over: read, counted and reported (also
    // when nothing was added).
    void catalogsAdded();
    void otherPlacesShown();
    void duplicatesShown();

private:
    void createControls();
    QWidget *createDiscList();
    void sizeToFont();
    void connectPages();
    // Puts the focus in the first field of the page shown.
    void focusPage();

    void discsCounted();
    void linesReplaced();
    void addFinished(const CatalogSession::AddReport &report);
    void reportAddFailures(const CatalogSession::AddReport &report);
    void showTotals();
    void applyFilter(const QString &text);
    void showError(const RuntimeError &error);

    UiServices m_services;
    MessageBoxService &m_messages;
    CatalogSession *m_session = nullptr;
    DiscListModel *m_discs = nullptr;

    QLabel *m_filterLabel = nullptr;    // "Fi&lter:"
    QLineEdit *m_filterBox = nullptr;   // part of a disc name
    QPushButton *m_addButton = nullptr; // "&Add Catalogs", with its menu
    QMenu *m_addMenu = nullptr;
    QAction *m_addFilesAction = nullptr;  // "Catalog &Files..."
    QAction *m_addFolderAction = nullptr; // "All Catalogs in a F&older..."
    QLabel *m_discsLabel = nullptr;       // "&Discs"
    QTreeView *m_discList = nullptr;      // the discs and their file counts
    QLabel *m_totalsLabel = nullptr;      // the totals, or what is being done
    QTabWidget *m_views = nullptr;        // the four pages below
    FoldersPage *m_folders = nullptr;
    SearchPage *m_search = nullptr;
    OtherDiscsPage *m_otherDiscs = nullptr;
    DuplicatesPage *m_duplicates = nullptr;
    QPushButton *m_closeButton = nullptr;
    DiscsWindowOutput *m_output = nullptr; // "Export..." and "Print..." left of Close
};

} // namespace kobrix
