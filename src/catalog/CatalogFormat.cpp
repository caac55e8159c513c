#include "catalog/CatalogFormat.h"

#include "core/ProgramTexts.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QUtf8StringView>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif
#if defined(_MSC_VER)
#include <intrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kobrix {

QString catalogLine(QStringView discName, QStringView listingLine)
{
    QString line;
    line.reserve(discName.size() + kDiscSeparator.size() + listingLine.size());
    line.append(discName).append(kDiscSeparator).append(listingLine);
    return line;
}

void appendRecord(QByteArray &out, std::string_view prefixUtf8, std::string_view textUtf8)
{
    out.append('"');
    out.append(prefixUtf8.data(), qsizetype(prefixUtf8.size()));
    out.append(textUtf8.data(), qsizetype(textUtf8.size()));
    out.append("\"\r\n", 3);
}

RuntimeError writeDiscBlock(QIODevice &out, QStringView discName, const LineStore &listing,
                            const QByteArray &lead)
{
    constexpr qsizetype kChunk = 1 << 20;
    const QByteArray prefix = catalogLine(recordDiscName(discName), u"").toUtf8();
    const std::string_view prefixView(prefix.constData(), std::size_t(prefix.size()));
    QByteArray chunk = lead;
    chunk.reserve(kChunk + 4096);
    const auto handOver = [&] {
        errno = 0;
        if (out.write(chunk) == chunk.size())
            return RuntimeError();
        return RuntimeError::fromErrno(errno ? errno : EIO);
    };
    for (qsizetype i = 0; i < listing.count(); ++i) {
        appendRecord(chunk, prefixView, listing.utf8At(i));
        if (chunk.size() >= kChunk) {
            if (RuntimeError error = handOver())
                return error;
            chunk.clear();
        }
    }
    return chunk.isEmpty() ? RuntimeError() : handOver();
}

namespace {

// Windows-1252 code points of the bytes 0x80 to 0x9F; the rest of the code
// page equals Latin-1. The five undefined bytes map to U+FFFD.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void appendUtf8CodePoint(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

bool isBlank(char c) { return c == ' '; }

// Records outside ASCII of a chunk that are checked for UTF-8 one by one
// before the rest of the chunk may be checked at once. It is when those
// records make at least a quarter of the bytes passed: a load or a tally
// looks at every record, and one check of the chunk costs less than theirs;
// a search looks only at the few that may hold its text, and checking the
// whole chunk would cost it more than their own checks.
constexpr int kRecordsCheckedAlone = 32;
// Records taken without a look (SkipRule::SettlesAndSearchDecides) between
// two that are looked at.
constexpr int kTakenBetweenLooks = 16;
constexpr std::size_t kCheckedShareDivisor = 4;

// Appends one field, turned into UTF-8; hasHighBytes tells whether the field
// holds a byte >= 0x80 (only such a field may need converting), knownValid
// that it is already known to be UTF-8.
void appendField(std::string_view field, bool hasHighBytes, LineStore &out, bool knownValid = false)
{
    if (!hasHighBytes || knownValid) {
        out.appendUtf8(field, !hasHighBytes);
        return;
    }
    if (out.appendIfValidUtf8(field))
        return;
    std::string value; // not UTF-8: a record of an older version, in Windows-1252
    appendFieldAsUtf8(value, field);
    out.appendUtf8(value);
}

} // namespace

const char *findQuoteOrLineEnd(const char *from, const char *end, bool &hasHighBytes)
{
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - from >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
        const auto stops = unsigned(_mm_movemask_epi8(_mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(block, quote), _mm_cmpeq_epi8(block, cr)),
            _mm_cmpeq_epi8(block, lf))));
        const auto high = unsigned(_mm_movemask_epi8(block));
        if (stops) {
#if defined(_MSC_VER)
            unsigned long index;
            _BitScanForward(&index, stops);
#else
            const int index = __builtin_ctz(stops);
#endif
            if (high & ((1u << index) - 1))
                hasHighBytes = true;
            return from + index;
        }
        if (high)
            hasHighBytes = true;
        from += 16;
    }
#endif
    for (; from != end; ++from) {
        const char c = *from;
        if (c == '"' || c == '\r' || c == '\n')
            return from;
        if (static_cast<unsigned char>(c) & 0x80)
            hasHighBytes = true;
    }
    return end;
}

namespace {

#if defined(__GNUC__) && defined(__x86_64__)
#define KOBRIX_AVX2_COUNT 1
// The same as the SSE2 loop below, 32 bytes at a time, on processors that
// have AVX2 (nearly all of the last ten years). Moves c to where the rest
// of the count goes on.
__attribute__((target("avx2"))) std::int64_t countLineEndsAvx2(const char *&c, const char *to)
{
    std::int64_t ends = 0;
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i zero = _mm256_setzero_si256();
    while (to - c >= 32) {
        __m256i counts = zero;
        for (int round = 0; round < 255 && to - c >= 32; ++round, c += 32) {
            const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(c));
            const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(c + 1));
            const __m256i lone
                = _mm256_andnot_si256(_mm256_cmpeq_epi8(next, lf), _mm256_cmpeq_epi8(here, cr));
            counts = _mm256_sub_epi8(counts, _mm256_or_si256(_mm256_cmpeq_epi8(here, lf), lone));
        }
        const __m256i sums = _mm256_sad_epu8(counts, zero);
        ends += _mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1)
            + _mm256_extract_epi64(sums, 2) + _mm256_extract_epi64(sums, 3);
    }
    return ends;
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// Line ends in [from, to): every LF, and every CR that no LF follows (a CR LF
// counts once). The byte at `to` may be read.
std::int64_t countLineEnds(const char *from, const char *to)
{
    std::int64_t ends = 0;
    const char *c = from;
#if defined(KOBRIX_AVX2_COUNT)
    if (hasAvx2())
        ends += countLineEndsAvx2(c, to);
#endif
#if defined(__SSE2__) || defined(_M_X64)
    // Sixteen bytes at a time: each line end subtracts one (a true compare
    // is all ones) from its byte of the accumulator, which is summed before
    // any byte can overflow.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (to - c >= 16) {
        __m128i counts = zero;
        for (int round = 0; round < 255 && to - c >= 16; ++round, c += 16) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i *>(c));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(c + 1));
            const __m128i lone = _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(here, cr));
            counts = _mm_sub_epi8(counts, _mm_or_si128(_mm_cmpeq_epi8(here, lf), lone));
        }
        const __m128i sums = _mm_sad_epu8(counts, zero);
        ends += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
    }
#endif
    for (; c < to; ++c)
        ends += (*c == '\n') | ((*c == '\r') & (c[1] != '\n'));
    return ends;
}

} // namespace

void appendFieldAsUtf8(std::string &out, std::string_view field)
{
    if (isAscii(field) || QUtf8StringView(field.data(), qsizetype(field.size())).isValidUtf8()) {
        out.append(field);
        return;
    }
    for (const char ch : field) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80)
            out.push_back(ch);
        else if (byte < 0xA0)
            appendUtf8CodePoint(out, kCp1252High[byte - 0x80]);
        else
            appendUtf8CodePoint(out, byte);
    }
}

bool appendAsWindows1252(std::string &out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(char(u));
            continue;
        }
        const auto *high = std::find(kCp1252High.begin(), kCp1252High.end(), u);
        if (u == 0xFFFD || high == kCp1252High.end())
            return false;
        out.push_back(char(0x80 + (high - kCp1252High.begin())));
    }
    return true;
}

namespace {

// The quote that closes a quoted field opened just before `open`. A quote
// followed by nothing but blanks up to the line end closes it, so a record as
// the program writes it reads back whole whatever its line holds (quotes and
// commas included). Where no quote is so placed, the first quote followed by
// blanks and then a comma closes it; failing that, the first quote at all.
std::size_t closingQuote(std::string_view line, std::size_t open)
{
    const std::size_t n = line.size();
    const std::size_t last = line.rfind('"');
    if (last != std::string_view::npos && last >= open
        && line.find_first_not_of(' ', last + 1) == std::string_view::npos)
        return last;
    std::size_t firstQuote = std::string_view::npos;
    for (std::size_t q = line.find('"', open); q != std::string_view::npos;
         q = line.find('"', q + 1)) {
        if (firstQuote == std::string_view::npos)
            firstQuote = q;
        std::size_t after = q + 1;
        while (after < n && isBlank(line[after]))
            ++after;
        if (after < n && line[after] == ',')
            return q;
    }
    return firstQuote;
}

} // namespace

void FieldParser::parseLine(std::string_view line, LineStore &out)
{
    std::size_t pos = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (pos < n && isBlank(line[pos]))
            ++pos;
        std::string_view field;
        if (pos < n && line[pos] == '"') {
            const std::size_t open = pos + 1;
            const std::size_t close = closingQuote(line, open);
            if (close == std::string_view::npos) {
                // No closing quote on this line: the field runs to the line end.
                field = line.substr(open);
                pos = n;
            } else {
                field = line.substr(open, close - open);
                const std::size_t comma = line.find(',', close + 1);
                pos = comma == std::string_view::npos ? n : comma;
            }
        } else {
            const std::size_t comma = line.find(',', pos);
            const std::size_t end = comma == std::string_view::npos ? n : comma;
            field = line.substr(pos, end - pos);
            pos = end;
        }
        appendField(field, !isAscii(field), out);
        if (pos >= n)
            return;
        ++pos; // behind the comma: another field follows on this line
    }
}

void FieldParser::feed(std::string_view chunk)
{
    if (m_error)
        return;
    m_fedBytes += std::int64_t(chunk.size());
    if (!m_startChecked) {
        // A byte-order mark (text editors add one) is no part of the first
        // record. It may arrive split over several chunks.
        static constexpr char kBom[] = "\xEF\xBB\xBF";
        while (!chunk.empty() && m_bomBytes < 3 && chunk.front() == kBom[m_bomBytes]) {
            ++m_bomBytes;
            chunk.remove_prefix(1);
        }
        if (m_bomBytes < 3 && chunk.empty())
            return; // all of it may still be a mark
        m_startChecked = true;
        if (m_bomBytes < 3 && m_bomBytes > 0) {
            m_fedEnd = m_bomBytes;
            feedText(std::string_view(kBom, std::size_t(m_bomBytes))); // no mark: those were text
        }
    }
    m_fedEnd = m_fedBytes;
    feedText(chunk);
}

void FieldParser::noteSkip(bool toNextRecord)
{
    // Over this many skips, nearly all finding the clue in the very next
    // record, the skips cost more than the few records without the clue
    // cost the search: the next records are taken as they come.
    constexpr int kSkipsWeighed = 64;
    constexpr int kToNextRecordForTaking = 62;
    constexpr int kRecordsTaken = 4096;
    ++m_skips;
    if (toNextRecord)
        ++m_skipsToNextRecord;
    if (m_skips < kSkipsWeighed)
        return;
    if (m_skipsToNextRecord >= kToNextRecordForTaking)
        m_takeWithoutLook = kRecordsTaken;
    m_skips = 0;
    m_skipsToNextRecord = 0;
}

const char *FieldParser::skipLines(const char *p, const char *end, const char *&candidate)
{
    const std::size_t at = m_skip(m_filterContext, std::string_view(p, std::size_t(end - p)));
    candidate = at == std::string_view::npos ? end : p + at;
    // Where most lines hold the text, the candidate stands in the very line
    // at p: two vector searches tell so sooner than a walk back over it.
    const std::size_t before = std::size_t(candidate - p);
    if (!std::memchr(p, '\n', before) && !std::memchr(p, '\r', before))
        return p;
    // The last line end before the candidate: every line up to it is passed
    // over. Lines that might be longer than a record may be are left to the
    // line-by-line reading, which reports them.
    const char *lastEnd = candidate;
    while (lastEnd != p && lastEnd[-1] != '\n' && lastEnd[-1] != '\r')
        --lastEnd;
    if (lastEnd == p || std::size_t(lastEnd - p) > m_maxRecordBytes)
        return p;
    --lastEnd; // the line end itself
    if (m_countSkipped)
        m_lines += countLineEnds(p, lastEnd) + 1; // and lastEnd itself
    else
        m_linesKnown = false;
    return pastLineEnd(lastEnd, end);
}

void FieldParser::takeLine(std::string_view line)
{
    if (!m_filter || m_filter(m_filterContext, FilterText{line, false, true, false}))
        parseLine(line, m_out);
}

bool FieldParser::tooLong(std::size_t lineBytes, const char *at, const char *end)
{
    if (lineBytes <= m_maxRecordBytes)
        return false;
    if (m_linesKnown) {
        m_error = recordTooLongError(m_lines + 1, m_maxRecordBytes);
    } else {
        m_error = RuntimeError(BadRecordLength);
        m_tooLongOffset = m_fedEnd - std::int64_t(end - at) - std::int64_t(lineBytes);
    }
    m_pending.clear();
    m_pending.shrink_to_fit();
    return true;
}

void FieldParser::feedText(std::string_view chunk)
{
    if (m_skipLineFeed && !chunk.empty()) {
        if (chunk.front() == '\n')
            chunk.remove_prefix(1);
        m_skipLineFeed = false;
    }
    const char *p = chunk.data();
    const char *const end = p + chunk.size();
    // Next LF and next CR at or after p; each is searched again only once
    // reading has passed it, so CR-only and LF-only files both stay linear.
    const char *nextLf = nullptr;
    const char *nextCr = nullptr;
    const char *candidate = nullptr; // where the skip function said to look
    // The end of the part of the chunk checked as a whole and found to be
    // UTF-8: a record cut from it at its quotes is UTF-8 too and needs no
    // check of its own. Null until enough records holding bytes >= 0x80
    // have come for one check of the rest of the chunk to cost less than
    // checking them one by one (a search takes few of a chunk's records).
    const char *validEnd = nullptr;
    int recordsToCheck = kRecordsCheckedAlone;
    std::size_t checkedBytes = 0; // of the records outside ASCII looked at
    const char *const start = p;
    while (p != end) {
        if (m_skip && m_pending.empty() && (!candidate || p > candidate) && m_takeWithoutLook == 0) {
            const char *const before = p;
            p = skipLines(p, end, candidate);
            if (p == end)
                return;
            if (m_searchDecides)
                noteSkip(p == before);
        }
        if (*p == '"' && m_pending.empty()) {
            // A record as the program writes it: a quote, text without
            // quotes or line ends, a quote, the line end. By the reading
            // rules its one field is the text between the quotes; take it
            // in one pass over the bytes.
            bool hasHighBytes = false;
            const char *close = findQuoteOrLineEnd(p + 1, end, hasHighBytes);
            if (end - close >= 2 && *close == '"' && (close[1] == '\r' || close[1] == '\n')
                && std::size_t(close - p) <= m_maxRecordBytes) {
                const std::string_view field(p + 1, std::size_t(close - p - 1));
                if (hasHighBytes && !validEnd) {
                    checkedBytes += field.size();
                    if (--recordsToCheck < 0) {
                        if (checkedBytes * kCheckedShareDivisor >= std::size_t(p - start))
                            validEnd = p + validUtf8Length(std::string_view(p, std::size_t(end - p)));
                        else
                            recordsToCheck = kRecordsCheckedAlone;
                    }
                }
                const bool knownUtf8 = hasHighBytes && validEnd && close <= validEnd;
                // Taking records without a look, every so often one is
                // looked at all the same: the first that fails ends the run,
                // so that few records past the end of a folder whose name
                // holds the text are taken.
                bool taken = false;
                if (m_takeWithoutLook > 0)
                    taken = --m_takeWithoutLook % kTakenBetweenLooks != 0;
                const bool settled = taken || (m_skipSettles && candidate > p && candidate < close);
                if (!m_filter || settled
                    || m_filter(m_filterContext, FilterText{field, true, hasHighBytes, knownUtf8}))
                    appendField(field, hasHighBytes, m_out, knownUtf8);
                else
                    m_takeWithoutLook = 0;
                ++m_lines;
                p = pastLineEnd(close + 1, end);
                continue;
            }
        }
        if (!nextLf || nextLf < p) {
            nextLf = static_cast<const char *>(std::memchr(p, '\n', std::size_t(end - p)));
            if (!nextLf)
                nextLf = end;
        }
        if (!nextCr || nextCr < p) {
            nextCr = static_cast<const char *>(std::memchr(p, '\r', std::size_t(end - p)));
            if (!nextCr)
                nextCr = end;
        }
        const char *lineEnd = nextLf < nextCr ? nextLf : nextCr;
        const std::size_t pieceBytes = std::size_t(lineEnd - p);
        if (tooLong(m_pending.size() + pieceBytes, lineEnd, end))
            return;
        if (lineEnd == end) {
            m_pending.append(p, pieceBytes);
            return;
        }
        const std::string_view piece(p, pieceBytes);
        if (m_pending.empty()) {
            takeLine(piece);
        } else {
            m_pending.append(piece);
            takeLine(m_pending);
            m_pending.clear();
        }
        ++m_lines;
        p = pastLineEnd(lineEnd, end);
    }
}

const char *FieldParser::pastLineEnd(const char *lineEnd, const char *end)
{
    const char *p = lineEnd + 1;
    if (*lineEnd == '\r') {
        if (p == end)
            m_skipLineFeed = true; // a LF starting the next chunk belongs to this CR
        else if (*p == '\n')
            ++p;
    }
    return p;
}

void FieldParser::finish()
{
    if (m_error)
        return;
    if (!m_startChecked) {
        // A file of one to three bytes that began like a byte-order mark.
        m_startChecked = true;
        if (m_bomBytes > 0 && m_bomBytes < 3) {
            m_fedEnd = m_bomBytes;
            feedText(std::string_view("\xEF\xBB\xBF", std::size_t(m_bomBytes)));
        }
    }
    if (!m_pending.empty()) {
        takeLine(m_pending);
        m_pending.clear();
        ++m_lines;
    }
    m_skipLineFeed = false;
}

QString recordDiscName(QStringView discName)
{
    QString name = discName.toString();
    for (QChar &c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
            c = QChar(QChar::ReplacementCharacter);
    }
    return name;
}

RuntimeError recordTooLongError(qint64 record, std::size_t maxRecordBytes)
{
    if (record <= 0)
        return RuntimeError(BadRecordLength);
    // The suffix is translated with the error descriptions it follows.
    return RuntimeError(BadRecordLength,
                        describeError(BadRecordLength)
                            + QCoreApplication::translate("kobrix::RuntimeError",
                                                          " (record %1 is longer than %2 bytes)")
                                  .arg(record)
                                  .arg(qulonglong(maxRecordBytes)));
}

QString discNameProblem(QStringView discName)
{
    // An exact test: a name of blanks is a name.
    if (discName.isEmpty())
        return ProgramTexts::missingDiscName();
    const QString recorded = recordDiscName(discName);
    const QStringView separator = u" - \\";
    const qsizetype cut = recorded.indexOf(separator);
    if (cut >= 0)
        return ProgramTexts::discNameHoldsSeparator(recorded, recorded.left(cut));
    return QString();
}

} // namespace kobrix
