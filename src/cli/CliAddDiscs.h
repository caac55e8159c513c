#pragma once

// The loop of "kobrix-cli add-discs": the discs put into a drive one after
// another, catalogued by a DiscBatch, one line each. What it prints and
// reads goes through AddDiscsIo, so that the same loop runs on a terminal
// and on a simulated drive.

#include "session/DiscBatch.h"

#include <QObject>
#include <QString>

#include <functional>

namespace kobrix {
class DiscArrivals;
}

namespace kobrix::cli {

struct AddDiscsIo
{
    std::function<void(const QString &line)> printLine;   // a disc's line, on stdout
    std::function<void(const QString &message)> printNote; // what goes on, on stderr
    // A name typed for a disc without a label; empty when none came (the
    // disc is then left out).
    std::function<QString()> readName;
};

// A disc's line: its name, its number of files and what was done, separated
// by tabs: "Backup 3\t1204\tadded".
QString addDiscsLine(const DiscBatchRow &row);

class AddDiscsLoop : public QObject
{
    Q_OBJECT

public:
    // Discs are added to catalog from drive, watched by arrivals; a known
    // disc that changed is updated when updateChanged is set, else left as
    // it was.
    AddDiscsLoop(const QString &catalog, const QString &drive, bool updateChanged,
                 DiscArrivals &arrivals, AddDiscsIo io, QObject *parent = nullptr);

    // Runs the events of this thread until the run is over (interrupt()).
    // The exit status, as find's: 0 when a disc was added or updated, 1
    // when none was, 2 when the drive could not be watched or a disc could
    // not be read or written.
    int run();
    // Ctrl+C: the run ends once the disc in hand is done with, whole.
    void interrupt();

    const DiscBatch &batch() const { return m_batch; }

private:
    void nameWanted(const QString &label);
    void rowAdded(const DiscBatchRow &row);
    void stateChanged(DiscBatch::State state);

    DiscBatch m_batch;
    AddDiscsIo m_io;
    bool m_updateChanged = false;
    bool m_finished = false;
};

} // namespace kobrix::cli
