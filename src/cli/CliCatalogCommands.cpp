// kobrix-cli's commands that scan, write and read catalogs: scan, write,
// append, list and find.

#include "cli/CliCommands.h"
#include "cli/CliCatalogList.h"
#include "cli/CliLabel.h"
#include "cli/CliSupport.h"

#include "catalog/CatalogFile.h"
#include "catalog/CatalogFormat.h"
#include "core/FileNames.h"
#include "core/ProgramTexts.h"
#include "search/Matcher.h"
#include "session/PieceSearch.h"

#include <QUtf8StringView>

#include <cstdio>
#include <string>
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
    // A total would make a failed scan look complete: its error says it all.
    if (ok)
        std::fprintf(stderr, "Total: %lld files\n", static_cast<long long>(listing.count()));
    return out.finish(ok ? 0 : 2);
}

namespace {

// Whether "write" makes a new catalog or "append" adds to one.
enum class CatalogWrite { NewCatalog, AddToCatalog };

// "CATALOG --disc-from-label ROOT": the disc is named by its own label,
// read before the scan, so that a disc without one costs no scan.
int takeLabelledDiscScan(QStringList rest, QString &catalog, QString &disc, LineStore &listing)
{
    // Exactly one of --disc NAME and --disc-from-label.
    if (QString named; takeOption(rest, QLatin1String("--disc"), named) || rest.size() != 2)
        return usage();
    RuntimeError error;
    disc = labelOfRoot(rest[1], error);
    if (error)
        return fail(ProgramTexts::labelErrorHeading(rest[1]), error);
    if (disc.isEmpty())
        return failWith(ProgramTexts::noDiscLabel(rest[1]));
    return scanNamedDisc(rest, disc, catalog, listing);
}

int writeOrAppend(const QStringList &args, CatalogWrite write)
{
    QString catalog;
    QString disc;
    LineStore listing;
    QStringList rest = args;
    const int code = takeFlag(rest, QLatin1String("--disc-from-label"))
                         ? takeLabelledDiscScan(rest, catalog, disc, listing)
                         : takeDiscScan(args, catalog, disc, listing);
    if (code)
        return code;
    const RuntimeError error = write == CatalogWrite::AddToCatalog
                                   ? appendCatalog(catalog, disc, listing)
                                   : writeCatalog(catalog, disc, listing);
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
    const RuntimeError error = forEachSlice(args[0], [&](const LineStore &lines) {
        for (qsizetype i = 0; i < lines.count() && !out.failed(); ++i)
            out.line(lines.utf8At(i));
        return !out.failed();
    });
    return error ? readingFailed(out, error) : out.finish(0);
}

namespace {

std::string_view bytes(const QByteArray &text)
{
    return std::string_view(text.constData(), std::size_t(text.size()));
}

// Searches one catalog for the matcher's text and adds the number of lines
// holding it to count. Unless only counting, prints each of those lines
// after prefix. The file is searched in pieces on several threads; the
// lines come out in the order of the file all the same.
RuntimeError findInCatalog(PieceSearch &search, const QString &path, std::string_view prefix,
                           Output &out, long long &count)
{
    return search.run(path, [&](const PieceHits &hits) {
        count += hits.count;
        out.lines(prefix, hits.lines);
        return !out.failed();
    });
}

// The text to search for as given: a terminal that is not in UTF-8 (one in
// Latin-1, say) passes bytes that are no valid UTF-8, read as Windows-1252
// as a catalog's lines are, so that "\xFC" finds the lines holding "ü".
QString searchTextOf(const QString &argument)
{
    const QByteArray bytes = encodeFileName(argument);
    if (QUtf8StringView(bytes).isValidUtf8())
        return argument;
    std::string utf8;
    appendFieldAsUtf8(utf8, std::string_view(bytes.constData(), std::size_t(bytes.size())));
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

} // namespace

int commandFind(const QStringList &args)
{
    QStringList rest = args;
    const bool countOnly = takeFlag(rest, QLatin1String("--count"));
    const bool byDisc = takeFlag(rest, QLatin1String("--by-disc"));
    if (rest.size() < 2 || (countOnly && byDisc))
        return usage();
    const QString text = searchTextOf(rest.takeLast());
    if (text.isEmpty())
        return failWith(ProgramTexts::missingSearchText());
    const Matcher matcher(effectiveSearchText(text));
    // Searched one after the other; with several, each result and count
    // comes after its catalog's path, and one that cannot be read is
    // reported without stopping the others.
    const CatalogList catalogs(rest);
    PieceSearch search(matcher);
    search.setKeepLines(!countOnly);
    Output out;
    bool failed = catalogs.failed();
    long long total = 0;
    for (const CatalogPath &catalog : catalogs.catalogs()) {
        const QByteArray prefix = catalogs.named() ? catalog.shown + ':' : QByteArray();
        long long count = 0;
        const RuntimeError error =
            byDisc ? findByDisc(catalog.path, matcher, bytes(prefix), out, count)
                   : findInCatalog(search, catalog.path, bytes(prefix), out, count);
        if (out.failed())
            break;
        if (error && !catalogs.named())
            return readingFailed(out, error);
        if (error) {
            out.flush();
            reportUnreadable(catalog.shown, error);
            failed = true;
            continue;
        }
        if (countOnly)
            out.line(bytes(prefix + QByteArray::number(count)));
        total += count;
    }
    return out.finish(failed ? 2 : total == 0 ? 1 : 0);
}

} // namespace kobrix::cli
