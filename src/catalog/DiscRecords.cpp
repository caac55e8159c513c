#include "catalog/DiscRecords.h"

#include "catalog/CatalogChunks.h"
#include "catalog/CatalogFormat.h"
#include "core/DiscLine.h"

#include <QIODevice>

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace kobrix {

namespace {

constexpr std::string_view kSplit = " - \\";

// The first place in [from, to] where needle starts in text; npos when
// none. Its first and last bytes are compared at sixteen places at once,
// and only where both agree is the whole needle compared: a name followed
// by " - \\" rarely has both in the lines of other discs.
std::size_t findNeedle(std::string_view text, std::size_t from, std::size_t to,
                       std::string_view needle)
{
    const std::size_t n = needle.size();
    if (text.size() < n)
        return std::string_view::npos;
    to = std::min(to, text.size() - n); // the last place it may start
    const char *s = text.data();
    std::size_t i = from;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    for (; i + 15 <= to; i += 16) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i + n - 1));
        auto both = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(head, first), _mm_cmpeq_epi8(tail, last))));
        for (; both; both &= both - 1) {
            const std::size_t at = i + std::size_t(std::countr_zero(both));
            if (std::memcmp(s + at, needle.data(), n) == 0)
                return at;
        }
    }
#endif
    for (; i <= to && i + n <= text.size(); ++i) {
        if (s[i] == needle.front() && std::memcmp(s + i, needle.data(), n) == 0)
            return i;
    }
    return std::string_view::npos;
}

// The first place at or after from where one of the needles stands in text;
// npos when none does.
std::size_t findFirstNeedle(std::string_view text, std::size_t from,
                            const std::vector<std::string> &needles)
{
    std::size_t first = std::string_view::npos;
    for (const std::string &needle : needles) {
        const std::size_t at = findNeedle(text, from, first, needle);
        if (at != std::string_view::npos)
            first = at;
    }
    return first;
}

} // namespace

DiscRecordFinder::DiscRecordFinder(QStringView discName)
{
    const QString name = recordDiscName(discName);
    m_name = name.toUtf8();
    m_needles.push_back(m_name.toStdString() + std::string(kSplit));
    // Records of older versions hold the name in Windows-1252. A U+FFFD in
    // the name may stand for any of the bytes that code page leaves
    // undefined, so only the part behind the last one is looked for.
    const QStringView tail = QStringView(name).mid(name.lastIndexOf(QChar(QChar::ReplacementCharacter)) + 1);
    std::string old;
    if (appendAsWindows1252(old, tail)) {
        old += kSplit;
        if (old != m_needles.front())
            m_needles.push_back(old);
    }
}

DiscRecordFinder::LineKind DiscRecordFinder::classify(std::string_view line)
{
    m_fields.clear();
    FieldParser::parseLine(line, m_fields);
    const std::string_view name(m_name.constData(), std::size_t(m_name.size()));
    qsizetype ofDisc = 0;
    for (qsizetype i = 0; i < m_fields.count(); ++i) {
        const DiscLineUtf8 split = splitDiscLine(m_fields.utf8At(i));
        if (split.hasDisc && split.disc == name)
            ++ofDisc;
    }
    if (ofDisc == 0)
        return LineKind::Other;
    return ofDisc == m_fields.count() ? LineKind::Disc : LineKind::Shared;
}

DiscRecordFinder::Outcome DiscRecordFinder::find(QIODevice &device, const Visitor &visitor)
{
    m_error = RuntimeError();
    m_sharedLineOffset = -1;
    m_fields.setKeepSearchKeys(false);
    CatalogChunkReader reader(device);
    std::string_view run;
    bool first = true;
    while (reader.next(run)) {
        // A byte-order mark is no part of the first line.
        const std::size_t start = first ? byteOrderMarkLength(run) : 0;
        first = false;
        std::size_t handed = 0; // bytes of the run handed over so far
        std::size_t pos = start;
        for (;;) {
            const std::size_t hit = findFirstNeedle(run, pos, m_needles);
            if (hit == std::string_view::npos)
                break;
            const std::size_t lineStart = std::max(lineStartAt(run, hit), start);
            const std::size_t lineEnd = lineEndAt(run, hit);
            const std::size_t next = lineEnd + lineEndLength(run, lineEnd);
            const std::string_view line = run.substr(lineStart, lineEnd - lineStart);
            if (line.size() > kMaxRecordBytes) {
                m_error = recordTooLongError(lineNumberAt(device, reader.runOffset() + qint64(lineStart)));
                return Outcome::Failed;
            }
            switch (classify(line)) {
            case LineKind::Other: break;
            case LineKind::Shared:
                if (visitor.otherBytes) {
                    if ((m_error = visitor.otherBytes(run.substr(handed, lineStart - handed))))
                        return Outcome::Failed;
                }
                m_sharedLineOffset = reader.runOffset() + qint64(lineStart);
                return Outcome::SharedLine;
            case LineKind::Disc:
                if (visitor.otherBytes && lineStart > handed) {
                    if ((m_error = visitor.otherBytes(run.substr(handed, lineStart - handed))))
                        return Outcome::Failed;
                }
                if (visitor.discLine) {
                    if ((m_error = visitor.discLine(run.substr(lineStart, next - lineStart), m_fields)))
                        return Outcome::Failed;
                }
                handed = next;
                break;
            }
            pos = next;
            if (pos >= run.size())
                break;
        }
        if (visitor.otherBytes && handed < run.size()) {
            if ((m_error = visitor.otherBytes(run.substr(handed))))
                return Outcome::Failed;
        }
    }
    if (reader.error()) {
        // A record too long is named by its number, as a load names it.
        m_error = reader.error().number() == BadRecordLength
                      ? recordTooLongError(lineNumberAt(device, reader.nextOffset()))
                      : reader.error();
        return Outcome::Failed;
    }
    return Outcome::Done;
}

qint64 lineNumberAt(QIODevice &device, qint64 offset)
{
    if (!device.seek(0))
        return 0;
    CatalogChunkReader reader(device);
    std::string_view run;
    qint64 line = 1;
    while (reader.next(run) && reader.runOffset() < offset) {
        const std::size_t upTo = std::size_t(std::min<qint64>(offset - reader.runOffset(), qint64(run.size())));
        for (std::size_t i = 0; i < upTo; ++i) {
            // LF, or CR without a LF behind it: a run never ends between the two.
            if (run[i] == '\n' || (run[i] == '\r' && (i + 1 == run.size() || run[i + 1] != '\n')))
                ++line;
        }
    }
    // The runs before a line too long for a record are all read.
    return reader.error() && reader.error().number() != BadRecordLength ? 0 : line;
}

} // namespace kobrix
