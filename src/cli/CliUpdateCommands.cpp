// kobrix-cli's commands that bring a disc of a catalog up to date and
// recognise a disc by its contents: update and identify.

#include "cli/CliCommands.h"
#include "cli/CliSupport.h"

#include "catalog/DiscUpdate.h"
#include "core/ProgramTexts.h"
#include "discs/DiscRecognition.h"

#include <cstdio>
#include <string>

namespace kobrix::cli {

namespace {

// The exit code of an update that cannot go on, with its message.
int refused(const DiscUpdate &update, DiscUpdate::Problem problem, const QString &heading)
{
    if (problem == DiscUpdate::Problem::CatalogError)
        return fail(heading, update.error());
    return failWith(update.problemText(problem));
}

} // namespace

int commandUpdate(const QStringList &args)
{
    QString catalog;
    QString disc;
    LineStore listing;
    if (const int code = takeDiscScan(args, catalog, disc, listing))
        return code;

    // Nothing to confirm: the catalog is read once, as it is rewritten.
    DiscUpdate update(catalog, disc, listing);
    if (const auto problem = update.apply(); problem != DiscUpdate::Problem::None)
        return refused(update, problem, ProgramTexts::writeErrorHeading());

    // What changed, once it is written.
    Output out;
    std::string line;
    for (const qsizetype i : update.addedLines()) {
        line.assign("+ ").append(listing.utf8At(i));
        out.line(line);
    }
    for (qsizetype i = 0; i < update.removedPaths().count(); ++i) {
        line.assign("- ").append(update.removedPaths().utf8At(i));
        out.line(line);
    }
    const int code = out.finish(0);
    // The catalog is written whether or not the changes could be printed:
    // a script must not take the failure for an update that did not happen.
    if (code != 0)
        failWith(ProgramTexts::updateWrittenButNotListed());
    const QByteArray counts = ProgramTexts::updateCounts(update.addedCount(), update.removedCount(),
                                                         update.unchangedCount())
                                  .toUtf8();
    printError(std::string_view(counts.constData(), std::size_t(counts.size())));
    return code;
}

int commandIdentify(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    LineStore listing;
    if (!scan(args[1], listing))
        return 2;
    DiscRecognition recognition(listing);
    if (RuntimeError error = recognition.compareWith(args[0]))
        return fail(ProgramTexts::readErrorHeading(), error);
    Output out;
    const QByteArray scanFiles = QByteArray::number(recognition.scanFiles());
    for (const DiscLikeness &disc : recognition.best()) {
        const QByteArray line = disc.disc.toUtf8() + '\t' + QByteArray::number(disc.shared) + '\t'
            + QByteArray::number(disc.discFiles) + '\t' + scanFiles;
        out.line(std::string_view(line.constData(), std::size_t(line.size())));
    }
    return out.finish(recognition.isSameDisc() ? 0 : 1);
}

} // namespace kobrix::cli
