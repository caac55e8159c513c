// kobrix-cli: the catalog engine from the command line, for scripts and for
// measuring. It writes and reads exactly the files the window does.

#include "catalog/CatalogFile.h"
#include "catalog/CatalogFileSystem.h"
#include "core/ProgramTexts.h"
#include "scan/DiscImageReader.h"
#include "scan/DiscWalker.h"
#include "search/Matcher.h"

#include <QStringList>

#include <chrono>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <new>
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

// "heading: number - description" on stderr; the exit code of an error.
int fail(const QString &heading, const RuntimeError &error)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(heading), qPrintable(error.numberAndDescription()));
    return 2;
}

// Standard output, watched for write errors: a listing cut short by a full
// disk or a closed pipe must not look complete to the script reading it.
class Output
{
public:
    void line(std::string_view text)
    {
        if (m_failed)
            return;
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()
            || std::fputc('\n', stdout) == EOF)
            fail();
    }
    void text(const char *text)
    {
        if (!m_failed && std::fputs(text, stdout) == EOF)
            fail();
    }
    bool failed() const { return m_failed; }
    // Flushes; on failure says so on stderr. Returns the exit code to use
    // when output failed (2), or `code`.
    int finish(int code)
    {
        if (!m_failed && (std::fflush(stdout) != 0 || std::ferror(stdout)))
            fail();
        if (!m_failed)
            return code;
        std::fprintf(stderr, "kobrix-cli: write error: %s\n", std::strerror(m_errno ? m_errno : EIO));
        return 2;
    }

private:
    void fail()
    {
        m_failed = true;
        m_errno = errno;
    }
    bool m_failed = false;
    int m_errno = 0;
};

// Scans root into listing; prints the error and returns false on failure.
bool scan(const QString &root, LineStore &listing)
{
    std::unique_ptr<DirectoryReader> reader;
    if (RuntimeError error = makeReaderFor(root, reader)) {
        fail(ProgramTexts::imageErrorHeading(root), error);
        return false;
    }
    LineStore directories;
    DiscWalker walker(*reader, root, directories, listing);
    if (RuntimeError error = walker.run()) {
        fail(ProgramTexts::scanErrorHeading(walker.failedPath()), error);
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
    Output out;
    for (qsizetype i = 0; i < listing.count() && !out.failed(); ++i)
        out.line(listing.utf8At(i));
    std::fprintf(stderr, "Total: %lld files\n", static_cast<long long>(listing.count()));
    return out.finish(ok ? 0 : 2);
}

// Whether "write" makes a new catalog or "append" adds to one.
enum class CatalogWrite { NewCatalog, AddToCatalog };

int commandWrite(const QStringList &args, CatalogWrite write)
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
        std::fprintf(stderr, "%s\n", qPrintable(ProgramTexts::missingDiscName()));
        return 2;
    }
    LineStore listing;
    if (!scan(rest[1], listing))
        return 2;
    if (listing.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(ProgramTexts::emptyListing()));
        return 2;
    }
    const RuntimeError error = write == CatalogWrite::AddToCatalog
                                   ? appendCatalog(rest[0], disc, listing)
                                   : writeCatalog(rest[0], disc, listing);
    if (error)
        return fail(ProgramTexts::writeErrorHeading(), error);
    std::fprintf(stderr, "Total: %lld files\n", static_cast<long long>(listing.count()));
    return 0;
}

// Reads the catalog one slice at a time and hands each slice's lines to
// visit, so that only the lines of the current slice are held: memory stays
// bounded by the longest record, whatever the size of the file. Stops early
// when visit returns false. Returns the reading error, if any.
template <typename Visit>
RuntimeError forEachSlice(const QString &path, const Matcher *matcher, Visit &&visit)
{
    CatalogReader reader;
    if (RuntimeError error = reader.open(path))
        return error;
    // Searching, the lines that cannot hold the text are passed over as they
    // are read. The few lines left get no search keys: the search makes one
    // only for a line that needs it. A text without a clue leaves every line
    // outside ASCII, and those are searched fastest with keys made as they
    // are read.
    if (matcher)
        reader.setLineFilter(&Matcher::mayMatchRecordFilter, matcher,
                             &Matcher::nextPossibleMatchFilter);
    reader.setRoom(CatalogReader::Room::SliceBySlice);
    LineStore slice;
    slice.setKeepSearchKeys(matcher && !matcher->hasClue());
    bool finished = false;
    while (!finished) {
        finished = reader.readSome(slice, std::chrono::nanoseconds(0));
        if (!visit(slice))
            return RuntimeError();
        slice.clear();
    }
    return reader.error();
}

// Lines read before a reading error are printed, then the error, as grep
// does; the exit code is 2 either way.
int readingFailed(Output &out, const RuntimeError &error)
{
    const int code = out.finish(2);
    fail(ProgramTexts::readErrorHeading(), error);
    return code;
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
    const bool countOnly = rest.removeAll(QStringLiteral("--count")) > 0;
    if (rest.size() != 2)
        return usage();
    if (rest[1].isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(ProgramTexts::missingSearchText()));
        return 2;
    }
    const Matcher matcher(effectiveSearchText(rest[1]));
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
        out.text(QByteArray::number(count).append('\n').constData());
    return out.finish(count == 0 ? 1 : 0);
}

} // namespace

namespace {

int run(int argc, char **argv)
{
    // A file size limit must show up as a failed write (reported as disk
    // full), not kill the program half-way through a catalog.
    kobrix::filesystem::ignoreFileSizeSignal();
    // No application object: a command runs once and needs no event loop,
    // and the object's set-up would be a good part of a search's time.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("scan"))
        return commandScan(args);
    if (command == QLatin1String("write"))
        return commandWrite(args, CatalogWrite::NewCatalog);
    if (command == QLatin1String("append"))
        return commandWrite(args, CatalogWrite::AddToCatalog);
    if (command == QLatin1String("list"))
        return commandList(args);
    if (command == QLatin1String("find"))
        return commandFind(args);
    return usage();
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fflush(stdout);
        std::fprintf(stderr, "kobrix-cli: %s\n", qPrintable(RuntimeError(OutOfMemory).numberAndDescription()));
        return 2;
    }
}
