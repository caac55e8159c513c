#include "scan/DiscWalker.h"

#include <new>
#include <string_view>

namespace kobrix {

namespace {

// U+29F5 REVERSE SOLIDUS OPERATOR: stands for a backslash inside a name.
// Listing lines separate a path's parts by backslashes, and a Linux or Rock
// Ridge name may hold one. This sign looks like a backslash but is never
// taken for one; the fullwidth U+FF3C is not used because Unicode's
// compatibility mapping (NFKC) and Windows' best-fit conversion to 8-bit
// code pages turn it back into a backslash.
constexpr char kBackslashInName[] = "\xE2\xA7\xB5";

// name with each backslash replaced by kBackslashInName, appended to line.
void appendName(std::string &line, const QByteArray &name)
{
    std::string_view rest(name.constData(), std::size_t(name.size()));
    for (std::size_t at = rest.find('\\'); at != std::string_view::npos; at = rest.find('\\')) {
        line.append(rest.substr(0, at));
        line.append(kBackslashInName);
        rest.remove_prefix(at + 1);
    }
    line.append(rest);
}

} // namespace

DiscWalker::DiscWalker(DirectoryReader &reader, const QString &root, LineStore &directories,
                       LineStore &listing)
    : m_reader(reader), m_directories(directories), m_listing(listing),
      m_root(reader.rootPath(root))
{
}

void DiscWalker::finish()
{
    m_finished = true;
    m_queue.clear();
    m_reader.walkEnded();
}

void DiscWalker::fail(const RuntimeError &error, const QByteArray &nativePath)
{
    m_error = error;
    m_failedPath = m_reader.displayPath(nativePath);
    finish();
}

void DiscWalker::reserveListing()
{
    const ListingSize size = m_reader.expectedListing();
    if (size.files <= 0)
        return;
    try {
        m_listing.reserve(m_listing.byteSize() + std::size_t(size.lineBytes + size.files),
                          std::size_t(m_listing.count() + size.files));
    } catch (const std::bad_alloc &) {
        // Only room made ahead: the lines may still fit as they come.
    }
}

void DiscWalker::appendFiles(const QByteArray &linePrefix)
{
    // One buffer for all lines of the folder: the prefix stays, each name
    // replaces the previous one behind it.
    m_lineBuffer.assign(linePrefix.constData(), std::size_t(linePrefix.size()));
    m_lineBuffer += '\\';
    const std::size_t nameAt = m_lineBuffer.size();
    for (const DirectoryEntry &file : m_current.files) {
        m_lineBuffer.resize(nameAt);
        appendName(m_lineBuffer, file.displayName);
        m_listing.appendUtf8(m_lineBuffer);
    }
}

void DiscWalker::queueSubdirectories(const Pending &parent)
{
    for (DirectoryEntry &dir : m_current.subdirectories) {
        Pending child;
        child.nativePath = m_reader.childPath(parent.nativePath, dir.nativeName);
        m_lineBuffer.assign(parent.linePrefix.constData(), std::size_t(parent.linePrefix.size()));
        m_lineBuffer += '\\';
        appendName(m_lineBuffer, dir.displayName);
        child.linePrefix = QByteArray(m_lineBuffer.data(), qsizetype(m_lineBuffer.size()));
        // As the reader shows its paths: the system's bytes on POSIX
        // systems, UTF-8 on Windows, whose local 8-bit code page is no
        // Unicode encoding.
        m_directories.append(m_reader.displayPath(child.nativePath));
        m_queue.push_back(std::move(child));
    }
}

bool DiscWalker::step()
{
    if (m_finished)
        return false;
    if (!m_started) {
        m_started = true;
        if (m_root.isEmpty()) {
            fail(RuntimeError(DeviceUnavailable), m_root);
            return false;
        }
        if (RuntimeError error = m_reader.read(m_root, true, m_current)) {
            fail(error, m_root);
            return false;
        }
        reserveListing();
        // In the root the files come before the subdirectories are queued.
        appendFiles(QByteArray());
        queueSubdirectories(Pending{m_root, QByteArray()});
    } else {
        if (m_queue.empty()) {
            finish();
            return false;
        }
        const Pending dir = std::move(m_queue.front());
        m_queue.pop_front();
        if (RuntimeError error = m_reader.read(dir.nativePath, false, m_current)) {
            fail(error, dir.nativePath);
            return false;
        }
        // Below the root the subdirectories are queued before the files.
        queueSubdirectories(dir);
        appendFiles(dir.linePrefix);
    }
    if (m_queue.empty())
        finish();
    return !m_finished;
}

void DiscWalker::cancel()
{
    if (m_finished)
        return;
    m_cancelled = true;
    finish();
}

RuntimeError DiscWalker::run(const std::atomic<bool> *cancel)
{
    while (step()) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            this->cancel();
            break;
        }
    }
    return m_error;
}

} // namespace kobrix
