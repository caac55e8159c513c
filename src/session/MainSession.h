#pragma once

#include "catalog/DiscUpdate.h"
#include "core/LineStore.h"
#include "core/RuntimeError.h"
#include "discs/Catalog.h"
#include "platform/DriveSource.h"
#include "scan/FileSystemReader.h"
#include "session/MainControls.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace kobrix {

class DirectoryReader;
class Task;
struct RecognitionResult;

// The work of the main window without its widgets: the catalog it shows
// (the disc listing after a scan, the catalog lines after a load) and the
// folders of the last scan, the catalog file in use, the scan, the
// recognition of a scanned disc, writing, adding and updating it, and the
// workflow whose table the window's controls follow. The window asks the
// user, shows messages and applies controls() when controlsChanged() says.
class MainSession : public QObject
{
    Q_OBJECT

public:
    explicit MainSession(WorkMode mode, QObject *parent = nullptr);
    ~MainSession() override; // drops a running comparison and waits for it

    WorkMode mode() const { return m_workflow.mode(); }
    MainControls controls() const { return m_workflow.controls(); }
    // The start dialog named the catalog.
    void start();

    Catalog &catalog() { return m_catalog; }
    const Catalog &catalog() const { return m_catalog; }
    LineStore &list1Lines() { return m_list1Lines; }
    const LineStore &list1Lines() const { return m_list1Lines; }
    // Empties both lists and forgets what was recognised of them.
    void clearScanLists();

    // How a scan ended. A scan that did not complete leaves lines that
    // cannot be written until the next complete scan.
    enum class ScanEnd { Complete, Cancelled, Failed };
    struct ScanReport
    {
        ScanEnd end = ScanEnd::Complete;
        RuntimeError error;
        QString failedPath;
        QString label; // the disc's own name, when scanned with its location
    };
    // Walks root with reader on a task, the calling thread handling its
    // events meanwhile, and returns when the walk is over: its lists are
    // the session's then, as far as the walk got. A complete scan with
    // lines is looked for in the catalog in use (discRecognised()).
    ScanReport scan(DirectoryReader &reader, const QString &root);
    // The same for the disc at disc, whose label a complete walk reads as
    // well (scanDisc()).
    ScanReport scan(DirectoryReader &reader, const DiscLocation &disc);
    bool isScanning() const { return m_workflow.isScanning(); }
    // The reader a scan of a folder or a drive's mounted disc walks with:
    // the file system unless setDirectoryReader() named another (nullptr:
    // the file system again). The reader must outlive its use.
    DirectoryReader &directoryReader()
    {
        return m_directoryReader ? *m_directoryReader : m_fileSystemReader;
    }
    void setDirectoryReader(DirectoryReader *reader) { m_directoryReader = reader; }
    // Stops a running scan between two folders.
    void cancelScan();

    // The listing under a disc name into a new catalog file, or added to
    // one. On success the file is the one in use and the disc is done.
    RuntimeError write(const QString &file, const QString &discName);
    RuntimeError append(const QString &file, const QString &discName);
    // "Scan New CD": the lists emptied, ready for the next disc.
    void nextDisc();

    // Whether a catalog is being read into the lines (the window's load),
    // and whether that load was asked to stop.
    bool isLoading() const { return m_loading; }
    void setLoading(bool loading);
    bool loadStopRequested() const { return m_stopLoading; }
    void requestLoadStop() { m_stopLoading = true; }

    // The catalog file last loaded, named, written, added to or updated.
    void noteCatalogFile(const QString &path) { m_knownCatalogFile = path; }
    const QString &knownCatalogFile() const { return m_knownCatalogFile; }
    // The same when it is a file on disk (a full path); empty otherwise.
    QString recognitionCatalog() const;
    // The catalog file on disk to show when the lines are no catalog's: the
    // catalog named, else lastDialogFile (the one last loaded, written or
    // added to); empty when neither is a file.
    QString namedCatalogFile(const QString &lastDialogFile) const;

    bool isRecognising() const;
    // The disc the last recognition named, and the catalog it is in; empty
    // when none was recognised or it was forgotten.
    const QString &recognisedDisc() const { return m_recognisedDisc; }
    const QString &recognisedCatalog() const { return m_recognisedCatalog; }
    void forgetRecognition();

    // A problem of an update, with what to tell: an error of the catalog,
    // or the update's own text.
    struct UpdateProblem
    {
        DiscUpdate::Problem problem = DiscUpdate::Problem::None;
        RuntimeError error;
        QString text;
        explicit operator bool() const { return problem != DiscUpdate::Problem::None; }
    };
    // Prepares replacing the disc's records in the catalog with the lines;
    // the update waits for applyUpdate() or dropUpdate().
    UpdateProblem prepareUpdate(const QString &catalogPath, const QString &discName);
    const DiscUpdate *pendingUpdate() const { return m_pendingUpdate.get(); }
    void dropUpdate() { m_pendingUpdate.reset(); }
    // Applies the pending update; on success the disc is done, as after a
    // write or an add. The update applied, for its counts; null when none
    // was pending.
    std::unique_ptr<DiscUpdate> applyUpdate(UpdateProblem &problem);

Q_SIGNALS:
    // The workflow moved on: the window's controls take controls().
    void controlsChanged();
    // Files found so far by the running scan.
    void scanProgress(qint64 files);
    // The scanned disc is in the catalog at catalogPath as disc, sharing
    // shared of the scan's scanFiles lines.
    void discRecognised(const QString &disc, const QString &catalogPath, qsizetype shared,
                        qsizetype scanFiles);

private:
    // A scan of root; with labelOf, the label of the disc there read as well.
    ScanReport scan(DirectoryReader &reader, const QString &root,
                    const std::optional<DiscLocation> &labelOf);
    void moved();
    void recognise();
    void recognised(const RecognitionResult &result);

    MainWorkflow m_workflow;
    Catalog m_catalog;
    LineStore m_list1Lines;
    Task *m_scanTask = nullptr; // while a scan runs
    FileSystemReader m_fileSystemReader;
    DirectoryReader *m_directoryReader = nullptr;
    Task *m_recognition = nullptr;
    QString m_knownCatalogFile;
    QString m_recognisedDisc;
    QString m_recognisedCatalog;
    std::unique_ptr<DiscUpdate> m_pendingUpdate; // prepared, waiting for confirmation
    bool m_loading = false;
    bool m_stopLoading = false; // the window closed while a load was reading
};

} // namespace kobrix
