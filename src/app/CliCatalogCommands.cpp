// kobrix-cli's commands that scan, write and read catalogs: scan, write,
// append, list and find.

#include "app/CliCommands.h"
#include "app/CliSupport.h"

#include "catalog/CatalogFile.h"
#include "core/ProgramTexts.h"
#include "search/Matcher.h"

#include <cstdio>
#include <vector>

namespace kobrix::cli {

int commandScan(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    LineStore listing;
    const bool ok = scan(args[0], listing);
    Output out;
    for (qsizetype i = 0; i < listing.count() && !out.failed(); ++i)
        out.line(listing.utf8At(i));
    std::fprintf(stderr, "Total: %lld files\n", static_cast<long long>(listing.count()));
    return out.finish(ok ? 0 : 2);
}

namespace {

// Whether "write" makes a new catalog or "append" adds to one.
enum class CatalogWrite { NewCatalog, AddToCatalog };

int writeOrAppend(const QStringList &args, CatalogWrite write)
{
    QStringList rest = args;
    QString disc;
    if (!takeOption(rest, QLatin1String("--disc"), disc))
        return usage();
    if (rest.size() != 2)
        return usage();
    if (disc.isEmpty())
        return failWith(ProgramTexts::missingDiscName());
    LineStore listing;
    if (!scan(rest[1], listing))
        return 2;
    if (listing.isEmpty())
        return failWith(ProgramTexts::emptyListing());
    const RuntimeError error = write == CatalogWrite::AddToCatalog
                                   ? appendCatalog(rest[0], disc, listing)
                                   : writeCatalog(rest[0], disc, listing);
    if (error)
        return fail(ProgramTexts::writeErrorHeading(), error);
    std::fprintf(stderr, "Total: %lld files\n", static_cast<long long>(listing.count()));
    return 0;
}

} // namespace

int commandWrite(const QStringList &args)
{
    return writeOrAppend(args, CatalogWrite::NewCatalog);
}

int commandAppend(const QStringList &args)
{
    return writeOrAppend(args, CatalogWrite::AddToCatalog);
}

int commandList(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    Output out;
    const RuntimeError error = forEachSlice(args[0], nullptr, [&](const LineStore &lines) {
        for (qsizetype i = 0; i < lines.count() && !out.failed(); ++i)
            out.line(lines.utf8At(i));
        return !out.failed();
    });
    return error ? readingFailed(out, error) : out.finish(0);
}

int commandFind(const QStringList &args)
{
    QStringList rest = args;
    const bool countOnly = takeFlag(rest, QLatin1String("--count"));
    const bool byDisc = takeFlag(rest, QLatin1String("--by-disc"));
    if (rest.size() != 2 || (countOnly && byDisc))
        return usage();
    if (rest[1].isEmpty())
        return failWith(ProgramTexts::missingSearchText());
    const Matcher matcher(effectiveSearchText(rest[1]));
    if (byDisc)
        return findByDisc(rest[0], matcher);
    Output out;
    std::vector<qsizetype> hits;
    long long count = 0;
    const RuntimeError error = forEachSlice(rest[0], &matcher, [&](const LineStore &lines) {
        hits.clear();
        matcher.findIn(lines, 0, lines.count(), hits);
        count += static_cast<long long>(hits.size());
        if (!countOnly) {
            for (const qsizetype i : hits)
                out.line(lines.utf8At(i));
        }
        return !out.failed();
    });
    if (error)
        return readingFailed(out, error);
    if (countOnly)
        out.text(QByteArray::number(count).append('\n').toStdString());
    return out.finish(count == 0 ? 1 : 0);
}

} // namespace kobrix::cli
