#include "session/DiscScan.h"

#include "platform/VolumeLabels.h"
#include "scan/DiscWalker.h"
#include "session/Task.h"

#include <memory>

namespace kobrix {

ScanResult scanDisc(DirectoryReader &reader, const QString &root, TaskControl &control)
{
    ScanResult result;
    DiscWalker walker(reader, root, result.directories, result.listing);
    while (walker.step()) {
        control.setProgress(walker.filesFound());
        if (control.stopRequested())
            walker.cancel();
    }
    control.setProgress(walker.filesFound());
    result.error = walker.error();
    result.failedPath = walker.failedPath();
    result.cancelled = walker.wasCancelled();
    return result;
}

ScanResult scanDisc(DirectoryReader &reader, const DiscLocation &disc, TaskControl &control)
{
    ScanResult result = scanDisc(reader, disc.path, control);
    if (!result.error && !result.cancelled)
        result.label = discLabel(disc);
    return result;
}

std::function<RecognitionResult(TaskControl &)> recognitionWork(const QString &catalogPath,
                                                                const LineStore &listing)
{
    auto recognition = std::make_shared<DiscRecognition>(listing);
    return [recognition, catalogPath](TaskControl &control) {
        RecognitionResult result;
        result.catalogPath = catalogPath;
        result.error = recognition->compareWith(catalogPath, control.stopFlag());
        result.cancelled = recognition->wasCancelled();
        result.best = recognition->best();
        result.scanFiles = recognition->scanFiles();
        result.sameDisc = recognition->isSameDisc();
        return result;
    };
}

} // namespace kobrix
