#include "cli/CliLabel.h"

#include "cli/CliSupport.h"

#include "core/ProgramTexts.h"
#include "platform/VolumeLabels.h"
#include "scan/DiscImageReader.h"

#include <QFileInfo>

namespace kobrix::cli {

QString labelOfRoot(const QString &root, RuntimeError &error)
{
    error = RuntimeError();
    const QFileInfo info(root);
    if (!info.exists()) {
        error = RuntimeError(FileNotFound);
        return {};
    }
    // Any file is read as a disc image (the scan takes *.iso files for
    // one); a folder for the volume mounted there.
    const bool image = !info.isDir() || DiscImageReader::isDevicePath(root);
    const DiscLocation disc{image ? DiscLocation::Kind::Device : DiscLocation::Kind::Folder, root};
    return discLabel(disc, &error);
}

int commandLabel(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    RuntimeError error;
    const QString label = labelOfRoot(args[0], error);
    if (label.isEmpty()) {
        if (error)
            return fail(ProgramTexts::labelErrorHeading(args[0]), error);
        failWith(ProgramTexts::noDiscLabel(args[0]));
        return 1;
    }
    Output out;
    const QByteArray text = label.toUtf8();
    out.line(std::string_view(text.constData(), std::size_t(text.size())));
    return out.finish(0);
}

} // namespace kobrix::cli
