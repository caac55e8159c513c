// kobrix-cli: the catalog engine from the command line, for scripts and for
// measuring. It writes and reads exactly the files the window does.

#include "catalog/CatalogFile.h"
#include "scan/DiscImageReader.h"
#include "scan/DiscWalker.h"
#include "search/Matcher.h"

#include <QCoreApplication>
#include <QStringList>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <vector>

using namespace kobrix;

namespace {

const char kUsage[] =
    "Usage:\n"
    "  kobrix-cli scan ROOT                        list the files below ROOT (a folder or an .iso image)\n"
    "  kobrix-cli write CATALOG --disc NAME ROOT   scan ROOT into a new catalog\n"
    "  kobrix-cli append CATALOG --disc NAME ROOT  scan ROOT and add it to a catalog\n"
    "  kobrix-cli list CATALOG                     print the catalog lines\n"
    "  kobrix-cli find CATALOG TEXT [--count]      print (or count) the lines holding TEXT\n"
    "\n"
    "find exits 0 when a line matched, 1 when none did, 2 on error.\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

int fail(const char *what, const RuntimeError &error)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(error.numberAndDescription()));
    return 2;
}

void printLine(std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// Scans root into listing; prints the error and returns false on failure.
bool scan(const QString &root, LineStore &listing)
{
    std::unique_ptr<DirectoryReader> reader;
    if (RuntimeError error = makeReaderFor(root, reader)) {
        std::fprintf(stderr, "Error reading disc image %s: %s\n", qPrintable(root),
                     qPrintable(error.numberAndDescription()));
        return false;
    }
    LineStore directories;
    DiscWalker walker(*reader, root, directories, listing);
    if (RuntimeError error = walker.run()) {
        std::fprintf(stderr, "Error scanning %s: %s\n", qPrintable(walker.failedPath()),
                     qPrintable(error.numberAndDescription()));
        return false;
    }
    return true;
}

int commandScan(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    LineStore listing;
    const bool ok = scan(args[0], listing);
    for (qsizetype i = 0; i < listing.count(); ++i)
        printLine(listing.utf8At(i));
    std::fprintf(stderr, "Total: %lld files\n", static_cast<long long>(listing.count()));
    return ok ? 0 : 2;
}

int commandWrite(const QStringList &args, bool append)
{
    QStringList rest = args;
    const qsizetype discAt = rest.indexOf(QStringLiteral("--disc"));
    if (discAt < 0 || discAt + 1 >= rest.size())
        return usage();
    const QString disc = rest[discAt + 1];
    rest.remove(discAt, 2);
    if (rest.size() != 2)
        return usage();
    if (disc.isEmpty()) {
        std::fputs("Please enter a Disk Name or Number\n", stderr);
        return 2;
    }
    LineStore listing;
    if (!scan(rest[1], listing))
        return 2;
    if (listing.isEmpty()) {
        std::fputs("Listbox is empty - cannot write to file!\n", stderr);
        return 2;
    }
    const RuntimeError error = append ? appendCatalog(rest[0], disc, listing)
                                      : writeCatalog(rest[0], disc, listing);
    if (error)
        return fail("Error in WriteList", error);
    std::fprintf(stderr, "Total: %lld files\n", static_cast<long long>(listing.count()));
    return 0;
}

int commandList(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    LineStore lines;
    const RuntimeError error = readCatalog(args[0], lines, true);
    for (qsizetype i = 0; i < lines.count(); ++i)
        printLine(lines.utf8At(i));
    return error ? fail("Error Reading file", error) : 0;
}

int commandFind(const QStringList &args)
{
    QStringList rest = args;
    const bool countOnly = rest.removeAll(QStringLiteral("--count")) > 0;
    if (rest.size() != 2)
        return usage();
    if (rest[1].isEmpty()) {
        std::fputs("Enter a search string\n", stderr);
        return 2;
    }
    CatalogReader reader;
    if (RuntimeError error = reader.open(rest[0]))
        return fail("Error Reading file", error);
    const Matcher matcher(effectiveSearchText(rest[1]));

    // Reads and searches the catalog one chunk at a time, so that only the
    // lines of the current chunk are held, never the whole catalog. The
    // matching lines are kept and printed once the whole file was read: a
    // read error prints nothing but the error, as a failed load would.
    LineStore slice;
    std::vector<qsizetype> hits;
    QByteArray matched;
    long long count = 0;
    bool finished = false;
    while (!finished) {
        finished = reader.readSome(slice, std::chrono::nanoseconds(0));
        hits.clear();
        matcher.findIn(slice, 0, slice.count(), hits);
        count += static_cast<long long>(hits.size());
        if (!countOnly) {
            for (const qsizetype i : hits) {
                const std::string_view line = slice.utf8At(i);
                matched.append(line.data(), qsizetype(line.size()));
                matched.append('\n');
            }
        }
        slice.clear();
    }
    if (reader.error())
        return fail("Error Reading file", reader.error());
    if (countOnly)
        std::printf("%lld\n", count);
    else
        std::fwrite(matched.constData(), 1, std::size_t(matched.size()), stdout);
    return count == 0 ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    // A file size limit must show up as a failed write (reported as disk
    // full), not kill the program half-way through a catalog.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("scan"))
        return commandScan(args);
    if (command == QLatin1String("write"))
        return commandWrite(args, false);
    if (command == QLatin1String("append"))
        return commandWrite(args, true);
    if (command == QLatin1String("list"))
        return commandList(args);
    if (command == QLatin1String("find"))
        return commandFind(args);
    return usage();
}
