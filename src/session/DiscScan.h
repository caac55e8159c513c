#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"
#include "discs/DiscRecognition.h"
#include "platform/DriveSource.h"

#include <QString>

#include <functional>
#include <vector>

namespace kobrix {

class DirectoryReader;
class TaskControl;

// What a walk of a disc gives back: its listing and folders as far as it
// got, and why it stopped short, if it did.
struct ScanResult
{
    LineStore listing;     // a path per file, in the walk's order
    LineStore directories; // the folders walked
    RuntimeError error;
    QString failedPath;    // where the error struck
    bool cancelled = false; // stopped on request: no error, the lines found so far
    QString label;         // the disc's own name (discLabel()), read after a complete walk
};

// Walks the disc at root with reader, counting the files found as the
// task's progress. A stop requested part-way ends the walk between two
// folders, cancelled; one that comes after the last folder changes nothing.
// The windows run it on a task's worker, kobrix-cli where it stands.
ScanResult scanDisc(DirectoryReader &reader, const QString &root, TaskControl &control);
// The same for the disc at disc (its path the walk's root), whose label is
// read into the result once the walk has completed; an unreadable label is
// no failure of the scan, just none.
ScanResult scanDisc(DirectoryReader &reader, const DiscLocation &disc, TaskControl &control);

// What the comparison of a scanned disc with a catalog's discs gives back.
struct RecognitionResult
{
    QString catalogPath;
    RuntimeError error;
    bool cancelled = false;
    std::vector<DiscLikeness> best; // DiscRecognition::best()
    qsizetype scanFiles = 0;
    bool sameDisc = false;          // DiscRecognition::isSameDisc()
};

// The work of recognising listing among the discs of the catalog at
// catalogPath (DiscRecognition), for a task. The listing is copied here, so
// it may change or go while the work runs.
std::function<RecognitionResult(TaskControl &)> recognitionWork(const QString &catalogPath,
                                                                const LineStore &listing);

} // namespace kobrix
