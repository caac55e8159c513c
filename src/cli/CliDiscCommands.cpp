// kobrix-cli's commands that see a catalog as a library of discs: discs, ls,
// dupes, and the counts of find --by-disc.

#include "cli/CliCommands.h"
#include "cli/CliEveryLine.h"
#include "cli/CliSupport.h"

#include "catalog/CatalogFile.h"
#include "core/ByteHash.h"
#include "discs/DiscDuplicates.h"
#include "discs/DiscHits.h"
#include "discs/DiscIndex.h"
#include "discs/DiscTree.h"
#include "discs/DuplicateKeys.h"
#include "core/MemoryAdvice.h"
#include "core/ProgramTexts.h"
#include "session/LineSearch.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace kobrix::cli {

namespace {

// The disc's name as printed: the lines without one under a name of the
// program's own.
std::string printedName(std::string_view name, bool looseLines)
{
    if (looseLines)
        return ProgramTexts::looseLinesName().toStdString();
    return std::string(name);
}

// Counts the lines of each disc.
struct DiscCounter
{
    DiscTally tally;

    void begin(qint64) {}
    void clear() { tally.clear(); }
    bool takeAsIs(const FieldParser::FilterText &text)
    {
        // A text that starts with the ASCII name of the disc before is of
        // that disc, whatever its other bytes.
        if (tally.continuesLastDisc(text.bytes) && tally.isAsciiName(tally.lastDisc())) {
            tally.addToLastDisc();
            return true;
        }
        if (!isUtf8(text))
            return false;
        tally.add(text.bytes);
        return true;
    }
    void line(std::string_view text) { tally.add(text); }
};

// Bytes in one block from allocateLarge(), growing by doubling: the keys
// read from a catalog, one after another.
class KeyBytes
{
public:
    KeyBytes() = default;
    KeyBytes(const KeyBytes &) = delete;
    KeyBytes &operator=(const KeyBytes &) = delete;
    ~KeyBytes()
    {
        if (m_data)
            freeLarge(m_data, m_capacity);
    }

    const char *data() const { return m_data; }
    std::size_t size() const { return m_size; }
    void reserve(std::size_t capacity)
    {
        if (capacity <= m_capacity)
            return;
        auto *grown = static_cast<char *>(allocateLarge(capacity));
        if (m_size)
            std::memcpy(grown, m_data, m_size);
        if (m_data)
            freeLarge(m_data, m_capacity);
        m_data = grown;
        m_capacity = capacity;
    }
    // Appends key; returns where it starts.
    std::size_t append(std::string_view key)
    {
        if (m_capacity - m_size < key.size())
            reserve(std::max(m_size + key.size(), m_capacity * 2));
        const std::size_t position = m_size;
        std::memcpy(m_data + m_size, key.data(), key.size());
        m_size += key.size();
        return position;
    }

private:
    char *m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// The folders of the paths read, each numbered once (from 1) and its path
// kept once: consecutive lines nearly always share their folder, so a
// folder is first compared with the one before.
class FolderNumbers
{
public:
    FolderNumbers() : m_slots(1024, 0) {}

    qint32 numberOf(std::string_view folder)
    {
        if (m_last > 0 && folder == path(m_last))
            return m_last;
        const std::uint64_t hash = hashBytes(folder);
        const std::size_t mask = m_slots.size() - 1;
        std::size_t at = hash & mask;
        for (; m_slots[at] != 0; at = (at + 1) & mask) {
            const qint32 number = m_slots[at];
            if (m_hashes[std::size_t(number)] == hash && path(number) == folder)
                return m_last = number;
        }
        m_last = qint32(m_starts.size());
        m_slots[at] = m_last;
        m_bytes.append(folder);
        m_starts.push_back(m_bytes.size());
        m_hashes.push_back(hash);
        if (m_starts.size() * 2 > m_slots.size())
            grow();
        return m_last;
    }
    std::string_view path(qint32 number) const
    {
        const std::size_t begin = m_starts[std::size_t(number) - 1];
        return std::string_view(m_bytes.data() + begin, m_starts[std::size_t(number)] - begin);
    }

private:
    void grow()
    {
        m_slots.assign(m_slots.size() * 2, 0);
        const std::size_t mask = m_slots.size() - 1;
        for (qint32 number = 1; number < qint32(m_starts.size()); ++number) {
            std::size_t at = m_hashes[std::size_t(number)] & mask;
            while (m_slots[at] != 0)
                at = (at + 1) & mask;
            m_slots[at] = number;
        }
    }

    std::string m_bytes;
    std::vector<std::size_t> m_starts{0};
    std::vector<std::uint64_t> m_hashes{0};
    std::vector<qint32> m_slots; // 0 is free
    qint32 m_last = 0;
};

// Where the last backslash of a path stands, npos when none: sixteen bytes
// at a time from the end, as names run to tens of bytes.
std::size_t lastBackslash(std::string_view path)
{
    std::size_t end = path.size();
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i backslash = _mm_set1_epi8('\\');
    for (; end >= 16; end -= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(path.data() + end - 16));
        const unsigned found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(block, backslash)));
        if (found != 0)
            return end - 16 + std::size_t(31 - std::countl_zero(found));
    }
#endif
    return path.substr(0, end).rfind('\\');
}

// Finds the paths (or names) on several discs. The keys are copied as they
// come, as the lines they stand in are not kept: by name, the name; by
// path, the number of its folder (four bytes) and the name.
struct DuplicateFinder
{
    DiscDuplicates::Key keyKind = DiscDuplicates::Key::Path;
    DiscTally tally;
    KeyBytes keys;
    FolderNumbers folders;
    std::unique_ptr<DuplicateKeys> found;

    void begin(qint64 fileSize)
    {
        // About one record in 48 bytes of a catalog: room is reserved for
        // that many, and made for more when they come. The keys take at
        // most the bytes of the file, and only those used cost memory.
        found = std::make_unique<DuplicateKeys>(std::size_t(fileSize / 48));
        keys.reserve(std::size_t(fileSize) + 1);
    }
    bool takeAsIs(const FieldParser::FilterText &text)
    {
        if (!isUtf8(text))
            return false;
        line(text.bytes);
        return true;
    }
    void line(std::string_view text)
    {
        const qint32 disc = tally.add(text);
        if (tally.isLooseLines(disc))
            return;
        const std::string_view path = text.substr(std::min(tally.pathStart(disc), text.size()));
        const std::size_t cut = lastBackslash(path);
        const std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
        // Hashed where the line stands, not from the copy just written.
        std::uint64_t hash = hashBytes(name);
        std::size_t position;
        if (keyKind == DiscDuplicates::Key::Path) {
            const qint32 folder = cut == std::string_view::npos ? 0 : folders.numberOf(path.substr(0, cut));
            char number[4];
            std::memcpy(number, &folder, 4);
            position = keys.append(std::string_view(number, 4));
            keys.append(name);
            hash = bytehash::fold(hash ^ bytehash::kOdd1, std::uint64_t(std::uint32_t(folder)) ^ bytehash::kOdd2);
        } else {
            position = keys.append(name);
        }
        found->setKeyBytes(keys.data(), keys.size());
        found->add({position, keys.size() - position, hash, disc});
    }
    // The path or name of an entry, as printed.
    std::string key(qsizetype entry) const
    {
        std::string_view bytes = found->bytes(entry);
        if (keyKind == DiscDuplicates::Key::FileName)
            return std::string(bytes);
        qint32 folder;
        std::memcpy(&folder, bytes.data(), 4);
        bytes.remove_prefix(4);
        std::string text;
        if (folder != 0) {
            text = folders.path(folder);
            text += '\\';
        }
        text += bytes;
        return text;
    }
};

// Reads the whole catalog into lines, without search keys unless asked for.
bool loadCatalog(const QString &path, LineStore &lines, bool searchKeys = false)
{
    lines.setKeepSearchKeys(searchKeys);
    if (RuntimeError error = readCatalog(path, lines, ExistingLines::Clear)) {
        fail(ProgramTexts::readErrorHeading(), error);
        return false;
    }
    return true;
}

// The folder of a path as a user types it: as the catalog holds it
// ("\DATA\MAPS"), without the leading backslash ("DATA\MAPS"), or with /
// between its parts as on Linux ("DATA/MAPS", "/DATA/MAPS"). The path as
// given is tried first, so that a folder whose name holds a / (a line made
// by hand, say) is still found. -1 when the disc has none.
qsizetype folderNamed(const DiscTree &tree, const QString &typed)
{
    const auto fromRoot = [](QString path) {
        if (!path.startsWith(QLatin1Char('\\')))
            path.prepend(QLatin1Char('\\'));
        return path;
    };
    const qsizetype folder = tree.folderAt(fromRoot(typed));
    if (folder >= 0 || !typed.contains(QLatin1Char('/')))
        return folder;
    QString withBackslashes = typed;
    withBackslashes.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return tree.folderAt(fromRoot(withBackslashes));
}

} // namespace

int commandDiscs(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    // The pieces of the file are counted on several threads; their tallies
    // are added up in file order, so the discs keep the order of their
    // first lines.
    DiscCounter counter;
    EveryLineInPieces<DiscCounter> pieces([] { return std::make_unique<DiscCounter>(); },
                                          [&counter](DiscCounter &piece) { counter.tally.addTally(piece.tally); });
    if (RuntimeError error = pieces.read(args[0]))
        return fail(ProgramTexts::readErrorHeading(), error);

    Output out;
    std::string line;
    const DiscTally &tally = counter.tally;
    for (qint32 disc = 0; disc < tally.count() && !out.failed(); ++disc) {
        line = printedName(tally.utf8Name(disc), tally.isLooseLines(disc));
        line += '\t';
        line += std::to_string(tally.lineCount(disc));
        out.line(line);
    }
    return out.finish(0);
}

int commandLs(const QStringList &args)
{
    QStringList rest = args;
    QString discName;
    if (!takeOption(rest, QLatin1String("--disc"), discName))
        return usage();
    if (rest.size() != 1 && rest.size() != 2)
        return usage();
    const QString folderPath = rest.size() == 2 ? rest[1] : QStringLiteral("\\");
    LineStore lines;
    if (!loadCatalog(rest[0], lines))
        return 2;
    DiscIndex index;
    index.build(lines);
    const qsizetype disc = index.indexOf(discName);
    if (disc < 0)
        return failWith(ProgramTexts::unknownDisc(discName, rest[0]));
    const DiscTree tree(lines, index, disc);
    const qsizetype folder = folderNamed(tree, folderPath);
    if (folder < 0)
        return failWith(ProgramTexts::unknownFolder(folderPath, discName));

    // As the disc's tree shows them: its folders, then its files.
    Output out;
    std::string line;
    for (const qint32 sub : tree.subfolders(folder)) {
        line = tree.utf8FolderName(sub);
        line += '\\';
        out.line(line);
    }
    for (const qint32 file : tree.files(folder))
        out.line(tree.utf8FileName(file));
    return out.finish(0);
}

RuntimeError findByDisc(const QString &catalog, const Matcher &matcher, std::string_view prefix,
                        Output &out, long long &hitCount)
{
    // Every line is kept, as the discs come in the order of their first
    // line whether or not it matches. The catalog is loaded as the window
    // loads it, the search keys of a text outside ASCII made on a second
    // thread while the file is read, and searched by the window's loop:
    // without the keys, the search would make one per line afterwards.
    LineStore lines;
    lines.setKeepSearchKeys(!matcher.isAscii());
    if (RuntimeError error = readCatalog(catalog, lines, ExistingLines::Clear))
        return error;
    DiscIndex index;
    index.build(lines);
    LineSearch search(lines, matcher);
    search.finish();
    const std::vector<qsizetype> hits = search.takeHits();
    const DiscHitGroups groups(index, hits);

    std::string line;
    for (qsizetype g = 0; g < groups.count() && !out.failed(); ++g) {
        const qsizetype disc = groups.disc(g);
        line.assign(prefix);
        line += printedName(index.utf8Name(disc), index.isLooseLines(disc));
        line += '\t';
        line += std::to_string(groups.hitCount(g));
        out.line(line);
    }
    hitCount += static_cast<long long>(groups.totalHits());
    return RuntimeError();
}

int commandDupes(const QStringList &args)
{
    QStringList rest = args;
    const bool byName = takeFlag(rest, QLatin1String("--by-name"));
    if (rest.size() != 1)
        return usage();
    DuplicateFinder finder;
    finder.keyKind = byName ? DiscDuplicates::Key::FileName : DiscDuplicates::Key::Path;
    if (RuntimeError error = EveryLine<DuplicateFinder>(finder).read(rest[0]))
        return fail(ProgramTexts::readErrorHeading(), error);
    if (!finder.found) // an empty file
        return Output().finish(0);
    DuplicateKeys &found = *finder.found;
    found.setKeyBytes(finder.keys.data(), finder.keys.size());
    found.finish(finder.tally.count(), DuplicateKeys::Lookup::None);

    Output out;
    std::string line;
    for (qsizetype entry = 0; entry < found.count() && !out.failed(); ++entry) {
        line = finder.key(entry);
        for (const qint32 disc : found.discs(entry)) {
            line += '\t';
            line += finder.tally.utf8Name(disc);
        }
        out.line(line);
    }
    return out.finish(0);
}

} // namespace kobrix::cli
