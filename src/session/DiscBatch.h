#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"
#include "platform/DriveSource.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace kobrix {

class DirectoryReader;
class DiscArrivals;
class DiscUpdate;
class Task;
struct RecognitionResult;
struct ScanResult;

// One disc of a run of discs and what was done with it.
struct DiscBatchRow
{
    enum class Outcome {
        Added,      // a new disc, appended to the catalog
        Known,      // in the catalog already, unchanged: left alone
        Updated,    // in the catalog already, changed: its records replaced
        NotUpdated, // in the catalog already, changed, and left as it was
        NotRead,    // the scan failed, or the disc was taken out: nothing written
        NotWritten, // the catalog could not be read or written: nothing changed
        LeftOut,    // a new disc that was given no name
    };
    QString name;        // the disc's name in the catalog; its label, if any, when none was given
    qsizetype files = 0; // the files the scan found
    Outcome outcome = Outcome::Added;
    QString text;        // "added", "already in the catalog as NAME", "not read: 71 - Disk not ready"
};

// The rows of a run counted.
struct DiscBatchTotals
{
    qsizetype discs = 0;
    qsizetype added = 0;
    qsizetype known = 0;
    qsizetype updated = 0;
    qsizetype notUpdated = 0;
    qsizetype failed = 0;     // not read or not written
    qsizetype leftOut = 0;
    qsizetype filesAdded = 0; // records written for the discs added
};

// Catalogs the discs put into one drive one after another: each disc that
// arrives (DiscArrivals) is scanned on a task, its label read, and it is
// looked for in the catalog by its contents (DiscRecognition). A new disc
// is appended under its label, or under a name given within the name wait
// (nameWanted()); a disc without a label waits for a name. A known disc
// that is unchanged is left alone; a changed one is shown (changeFound())
// and updated only when updateChangedDisc() says so. Then the tray is
// opened and the next disc waited for. Every disc is a row.
//
// Whatever goes wrong with a disc (taken out while read, a failed scan, a
// catalog that cannot be written) changes nothing in the catalog: the
// writes are those of the catalog's own save (appendCatalog(), DiscUpdate),
// which leave the catalog as it was when they fail. The run goes on.
class DiscBatch : public QObject
{
    Q_OBJECT

public:
    enum class State {
        Idle,     // not started
        Waiting,  // for a disc
        Scanning, // reading the disc, its label, and the catalog to recognise it
        Asking,   // for a new disc's name, or whether to update a changed one
        Writing,  // to the catalog
        Stopped,  // the run is over
    };

    // The catalog file discs are added to (created by the first disc when
    // missing), the drive watched, and its watcher, which must outlive the
    // run.
    DiscBatch(QString catalogPath, QString drive, DiscArrivals &arrivals, QObject *parent = nullptr);
    ~DiscBatch() override; // drops running work and waits for it

    // The reader a disc at a folder (a mount point) is walked with; the file
    // system unless given (nullptr: the file system again). Must outlive the
    // run. A disc read from its device is always read as a disc image.
    void setDirectoryReader(DirectoryReader *reader) { m_folderReader = reader; }
    // How long a new disc's label stands as the proposed name before it is
    // taken; 5 seconds unless set.
    void setNameWait(std::chrono::milliseconds wait) { m_nameWait = wait; }

    // Starts watching the drive: false, with the reason, when it cannot be.
    bool start(QString *error);
    // Ends the run once the disc in hand is done with, whole: a name
    // proposed is taken now; a changed disc not yet answered is left as it
    // was; an unlabelled disc that waits for a name is not added.
    void stop();

    // The name of the new disc that nameWanted() asked for; an empty name
    // takes the label (and is no answer while there is none). A name the
    // catalog could not read back as given, or that another disc of the
    // catalog has, is refused (nameRefused()) and the question stands.
    void giveName(const QString &name);
    // The user began to type a name over the label proposed: the label is
    // no longer taken when the wait ends, and the disc waits for giveName()
    // (or stop(), which still takes it).
    void holdName();
    // The answer to nameWanted() that adds nothing: the disc is a row
    // saying so, and the run goes on.
    void leaveDiscOut();
    // The answer to changeFound(): write the disc's new records or not.
    void updateChangedDisc(bool update);

    State state() const { return m_state; }
    const QString &catalogPath() const { return m_catalogPath; }
    const QString &drive() const { return m_drive; }
    const std::vector<DiscBatchRow> &rows() const { return m_rows; }
    const DiscBatchTotals &totals() const { return m_totals; }

    // The text of a row's outcome for a count of added and removed files:
    // "updated: 3 added, 1 removed".
    static QString changeText(const QString &lead, qsizetype added, qsizetype removed);

Q_SIGNALS:
    void stateChanged(kobrix::DiscBatch::State state);
    // Files found so far on the disc being scanned.
    void scanProgress(qint64 files);
    // A new disc wants a name; label is proposed. With a label it is taken
    // after the name wait unless giveName() comes first; without one the
    // run waits for giveName().
    void nameWanted(const QString &label);
    // A name given was refused, and why: one the catalog could not read
    // back, or that of another disc of the catalog (then nameWanted() asks
    // again, with no label proposed). The question stands.
    void nameRefused(const QString &problem);
    // A known disc changed: the paths added and removed. The run waits for
    // updateChangedDisc().
    void changeFound(const QString &disc, const QStringList &added, const QStringList &removed);
    void rowAdded(const kobrix::DiscBatchRow &row);
    // The tray could not be opened after a disc.
    void ejectFailed(const kobrix::RuntimeError &error);
    // The run is over (stop(), or the watcher failed).
    void finished();

private:
    struct Disc;
    void arrived(const QString &drive, const DiscLocation &location);
    void removed(const QString &drive);
    void startDisc(const DiscLocation &location);
    void scanned(ScanResult &&result, QString label);
    void recognised(const RecognitionResult &result);
    void prepared(std::shared_ptr<DiscUpdate> update);
    void askName();
    void nameTimedOut();
    void nameTaken(const QString &name);
    void append(const QString &name);
    void applyUpdate();
    void addRow(DiscBatchRow::Outcome outcome, const QString &text);
    void discDone();
    void setState(State state);
    void finish();

    QString m_catalogPath;
    QString m_drive;
    DiscArrivals &m_arrivals;
    DirectoryReader *m_folderReader = nullptr;
    std::chrono::milliseconds m_nameWait{5000};
    State m_state = State::Idle;
    bool m_stopAsked = false;

    std::unique_ptr<Disc> m_disc; // the disc in hand
    std::optional<DiscLocation> m_nextDisc; // arrived while another was in hand
    Task *m_task = nullptr;
    QTimer *m_nameTimer = nullptr;

    std::vector<DiscBatchRow> m_rows;
    DiscBatchTotals m_totals;
};

} // namespace kobrix
