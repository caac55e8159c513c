#include "cli/CliSupport.h"

#include "cli/CliTerminal.h"
#include "catalog/CatalogFileSystem.h"
#include "catalog/CatalogFormat.h"
#include "core/ProgramTexts.h"
#include "discs/DiscIndex.h"
#include "scan/DiscImageReader.h"
#include "session/DiscScan.h"
#include "session/Task.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kobrix::cli {

void printError(std::string_view message)
{
    static const bool terminal = isTerminal(stderr);
    std::string scratch;
    std::string line(terminal ? visibleOnTerminal(message, scratch) : message);
    line += '\n';
    writeText(stderr, line);
}

int fail(const QString &heading, const RuntimeError &error)
{
    return failWith(heading + QStringLiteral(": ") + error.numberAndDescription());
}

int failWith(const QString &message)
{
    const QByteArray text = message.toUtf8();
    printError(std::string_view(text.constData(), std::size_t(text.size())));
    return 2;
}

namespace {

// The arguments after "--", at the end of a command's argument list. Options
// are taken from before them only, so their number stays the same while
// options are taken out.
qsizetype plainArgumentCount = 0;

// The end of the part of args that may hold options.
qsizetype optionsEnd(const QStringList &args)
{
    return qMax<qsizetype>(0, args.size() - plainArgumentCount);
}

} // namespace

void setPlainArgumentCount(qsizetype count)
{
    plainArgumentCount = count;
}

bool takeOption(QStringList &args, QLatin1String name, QString &value)
{
    const qsizetype end = optionsEnd(args);
    const qsizetype at = args.indexOf(name);
    if (at < 0 || at + 1 >= end)
        return false;
    value = args[at + 1];
    args.remove(at, 2);
    return true;
}

bool takeFlag(QStringList &args, QLatin1String name)
{
    bool found = false;
    for (qsizetype i = optionsEnd(args) - 1; i >= 0; --i) {
        if (args[i] == name) {
            args.removeAt(i);
            found = true;
        }
    }
    return found;
}

Output::Output()
    : m_terminal(isTerminal(stdout))
{
}

void Output::line(std::string_view text)
{
    if (m_failed)
        return;
    if (m_terminal) {
        m_line.assign(visibleOnTerminal(text, m_scratch));
        m_line += '\n';
        if (!writeText(stdout, m_line))
            fail();
        return;
    }
    // Only this thread writes to stdout: glibc's calls that take no lock
    // spare a listing of many lines a lock per call.
#if defined(__GLIBC__)
    if (fwrite_unlocked(text.data(), 1, text.size(), stdout) != text.size()
        || fputc_unlocked('\n', stdout) == EOF)
        fail();
#else
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()
        || std::fputc('\n', stdout) == EOF)
        fail();
#endif
}

void Output::lines(std::string_view prefix, std::string_view block)
{
    // Written exactly, without a prefix, the block goes as it is.
    if (!m_terminal && prefix.empty()) {
        text(block);
        return;
    }
    while (!block.empty() && !m_failed) {
        const std::size_t end = block.find('\n');
        if (!prefix.empty())
            text(prefix);
        line(block.substr(0, end));
        block.remove_prefix(end == std::string_view::npos ? block.size() : end + 1);
    }
}

void Output::text(std::string_view text)
{
    if (m_failed)
        return;
    if (m_terminal) {
        if (!writeText(stdout, visibleOnTerminal(text, m_scratch)))
            fail();
        return;
    }
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        fail();
}

void Output::flush()
{
    if (!m_failed && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        fail();
}

int Output::finish(int code)
{
    flush();
    if (!m_failed)
        return code;
    std::fprintf(stderr, "kobrix-cli: write error: %s\n", std::strerror(m_errno ? m_errno : EIO));
    return 2;
}

void Output::fail()
{
    m_failed = true;
    m_errno = errno;
}

bool scan(const QString &root, LineStore &listing)
{
    // A root named on the command line that is not there: "Device
    // unavailable", the windows' word for a drive without a disc, would
    // send the user looking at a drive. A drive's root ("D:\") stays with
    // the scan, which says that of an empty drive.
    const bool driveRoot = root.size() >= 2 && root.size() <= 3 && root[1] == u':';
    if (!driveRoot && filesystem::pathKind(root) == filesystem::PathKind::Missing) {
        fail(ProgramTexts::scanErrorHeading(root), RuntimeError(PathNotFound));
        return false;
    }
    std::unique_ptr<DirectoryReader> reader;
    if (RuntimeError error = makeReaderFor(root, reader)) {
        fail(ProgramTexts::imageErrorHeading(root), error);
        return false;
    }
    // The windows' scan, run where it stands.
    ScanResult result = Task::runHere(
        [&](TaskControl &control) { return scanDisc(*reader, root, control); });
    if (result.error) {
        fail(ProgramTexts::scanErrorHeading(result.failedPath), result.error);
        return false;
    }
    listing = std::move(result.listing);
    return true;
}

int takeDiscScan(const QStringList &args, QString &catalog, QString &disc, LineStore &listing)
{
    QStringList rest = args;
    if (!takeOption(rest, QLatin1String("--disc"), disc))
        return usage();
    if (rest.size() != 2)
        return usage();
    return scanNamedDisc(rest, disc, catalog, listing);
}

int scanNamedDisc(const QStringList &rest, const QString &disc, QString &catalog, LineStore &listing)
{
    // Refused before the scan, which may take minutes.
    if (const QString problem = discNameProblem(disc); !problem.isEmpty())
        return failWith(problem);
    if (!scan(rest[1], listing))
        return 2;
    if (listing.isEmpty())
        return failWith(ProgramTexts::emptyListing());
    catalog = rest[0];
    return 0;
}

int readingFailed(Output &out, const RuntimeError &error)
{
    const int code = out.finish(2);
    fail(ProgramTexts::readErrorHeading(), error);
    return code;
}

qsizetype discNamed(const DiscIndex &index, const QString &name)
{
    const qsizetype disc = index.indexOf(name);
    return disc >= 0 ? disc : index.indexOf(recordDiscName(name));
}

} // namespace kobrix::cli
