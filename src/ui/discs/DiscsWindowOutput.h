#pragma once

#include "export/CatalogExport.h"
#include "export/ListingPainter.h"
#include "ui/common/UiServices.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

class QAction;
class QBoxLayout;
class QLabel;
class QMenu;
class QPushButton;
class QShortcut;
class QTimer;
class QTreeView;
class QWidget;

namespace kobrix {

class DiscsWindow;
class Task;

// What the Discs window writes out: "Export..." the whole catalog, the
// selected discs or the search results as CSV, HTML or PDF, and "Print..."
// the selected discs (or the disc shown) on A4, on Letter or as the booklet
// of a CD case, with a preview.
//
// The export runs on a worker thread: the window answers meanwhile, the
// progress shows beside the buttons, Esc or the button stops it, and the
// file is replaced only once it is complete.
class DiscsWindowOutput : public QObject
{
    Q_OBJECT

public:
    enum class Scope { WholeCatalog, SelectedDiscs, SearchResults };

    // The window's controls the output looks at or sets.
    struct WindowControls
    {
        QTreeView *discList;     // the discs chosen
        QPushButton *addButton;  // off while exporting
        QWidget *closeButton;    // after the two buttons in the tab order
    };

    // Adds a status text and the two buttons to row (the window's bottom
    // row, left of Close).
    DiscsWindowOutput(DiscsWindow &window, const UiServices &services, QBoxLayout &row,
                      const WindowControls &controls);
    // A running export is stopped and waited for.
    ~DiscsWindowOutput() override;

    // Asks for a file and exports what scope says into it.
    void exportScope(Scope scope);
    // Stops the export under way; its file is left as it was.
    void cancelExport();
    // Stops the export and waits for its worker: the window calls it before
    // its lines go.
    void stop();
    bool isExporting() const { return m_exporting; }
    // Prints the selected discs, or the disc shown, through the preview.
    void print(ListingPaper paper);

    // The discs chosen in the list, in list order; the disc shown when
    // none is chosen (only where asked for).
    std::vector<qsizetype> selectedDiscs(bool orCurrent) const;
    // Turns the actions on and off as the window stands.
    void updateActions();

Q_SIGNALS:
    // An export ended: written, cancelled or failed.
    void exportFinished(ExportResult result);

private:
    // How far the export got; its lines are counted once its content is
    // gathered.
    struct Progress
    {
        std::atomic<qsizetype> written{0};
        std::atomic<qsizetype> total{0};
    };
    struct Request
    {
        Scope scope;
        std::vector<qsizetype> which; // discs or lines, by scope
        QString path;
        ExportFormat format;
        QString title;
        std::vector<QString> discCatalogs; // by disc of the index; empty: one catalog
    };

    void startExport(Request request);
    void showProgress();
    struct Outcome
    {
        ExportResult result = ExportResult::WriteFailed;
        QString reason;
        qsizetype lines = 0;
        qsizetype discs = 0;
    };
    void exportDone(const Request &request, const Outcome &outcome);
    QString proposedName() const;
    // The folder the last export went to: kept in the settings, or for the
    // program's run where there are none.
    QString exportFolder() const;
    void setExportFolder(const QString &folder);
    QAction *paperAction(ListingPaper paper) const;

    DiscsWindow &m_window;
    UiServices m_services;
    WindowControls m_controls;
    QLabel *m_status = nullptr;          // the progress or the end of an export
    QPushButton *m_exportButton = nullptr; // "&Export...", "Stop &Export" while exporting
    QPushButton *m_printButton = nullptr;  // "P&rint..."; hidden without a print preview
    QAction *m_exportWhole = nullptr;    // "&Whole Catalog..."
    QAction *m_exportSelected = nullptr; // "&Selected Discs..."
    QAction *m_exportResults = nullptr;  // "Search &Results..."
    QAction *m_printA4 = nullptr;        // "On &A4 Paper..."
    QAction *m_printLetter = nullptr;    // "On &Letter Paper..."
    QAction *m_printBooklet = nullptr;   // "As a CD &Case Booklet..."
    QMenu *m_exportMenu = nullptr;
    QMenu *m_printMenu = nullptr;
    QShortcut *m_escape = nullptr;
    QTimer *m_progressTimer = nullptr;
    Task *m_task = nullptr;
    std::shared_ptr<Progress> m_progress;
    bool m_exporting = false;
    bool m_stopPressed = false; // the button went down while exporting
    QString m_exportPath;
    int m_filterIndex = 1; // the format chosen last (kept in the settings)
};

} // namespace kobrix
