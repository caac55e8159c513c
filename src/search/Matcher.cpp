#include "search/Matcher.h"

#include "core/SearchKey.h"

#include <QChar>
#include <QList>

#include <algorithm>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif
#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace kobrix {

namespace {

inline unsigned char asciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Whether the n bytes at text equal the ASCII lower-case pattern, ignoring
// the case of ASCII letters.
inline bool equalsFolded(const unsigned char *text, const unsigned char *pattern, std::int64_t n)
{
    for (std::int64_t k = 0; k < n; ++k) {
        if (asciiLower(text[k]) != pattern[k])
            return false;
    }
    return true;
}

[[maybe_unused]] inline int countTrailingZeros(unsigned mask)
{
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanForward(&index, mask);
    return int(index);
#else
    return __builtin_ctz(mask);
#endif
}

// The line whose start is the last one at or before pos, searching forward
// from line hint by doubling steps: matches come in ascending order, so this
// costs little whether they are dense or rare.
qsizetype lineFrom(const std::int64_t *starts, qsizetype hint, qsizetype to, std::int64_t pos)
{
    qsizetype lo = hint;
    qsizetype step = 1;
    qsizetype hi = lo + 1;
    while (hi < to && starts[hi] <= pos) {
        lo = hi;
        step *= 2;
        hi = lo + step;
    }
    if (hi > to)
        hi = to;
    // starts[lo] <= pos < starts[hi]
    while (hi - lo > 1) {
        const qsizetype mid = lo + (hi - lo) / 2;
        if (starts[mid] <= pos)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

// The first position at or after `from` where the lower-case pattern occurs
// in text, ASCII case ignored; npos when nowhere. The same filter as the
// block search, sixteen positions at a time.
std::size_t findFolded(std::string_view line, const QByteArray &needle, std::size_t from = 0)
{
    const auto *text = reinterpret_cast<const unsigned char *>(line.data());
    const auto *pattern = reinterpret_cast<const unsigned char *>(needle.constData());
    const std::size_t n = std::size_t(needle.size());
    const std::size_t size = line.size();
    std::size_t pos = from;
    if (n == 0 || n > size)
        return n == 0 ? from : std::string_view::npos;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i firstByte = _mm_set1_epi8(char(pattern[0] | 0x20));
    const __m128i lastByte = _mm_set1_epi8(char(pattern[n - 1] | 0x20));
    while (pos + n - 1 + 16 <= size) {
        const __m128i head = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + pos)), caseBit);
        const __m128i tail = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + pos + n - 1)), caseBit);
        unsigned mask = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(head, firstByte), _mm_cmpeq_epi8(tail, lastByte))));
        while (mask) {
            const std::size_t at = pos + std::size_t(countTrailingZeros(mask));
            if (equalsFolded(text + at, pattern, std::int64_t(n)))
                return at;
            mask &= mask - 1;
        }
        pos += 16;
    }
#endif
    for (; pos + n <= size; ++pos) {
        if (equalsFolded(text + pos, pattern, std::int64_t(n)))
            return pos;
    }
    return std::string_view::npos;
}

// Appends the indices in [from, to) of the lines holding pattern (ASCII
// letters of the text compared in lower case; pattern is in lower case) to
// out. The lines are `bytes`, line i spanning [starts[i], starts[i + 1] - 1),
// each ended by '\n', which the pattern cannot hold, so no match spans two
// lines. After a match the search resumes at the next line, keeping each
// line once.
void findInBlock(const char *bytes, const std::int64_t *starts, qsizetype from, qsizetype to,
                 const QByteArray &needle, std::vector<qsizetype> &out)
{
    const std::string_view block(bytes, std::size_t(starts[to]));
    std::size_t pos = std::size_t(starts[from]);
    qsizetype line = from; // a line that starts at or before pos
    for (;;) {
        const std::size_t at = findFolded(block, needle, pos);
        if (at == std::string_view::npos)
            return;
        line = lineFrom(starts, line, to, std::int64_t(at));
        out.push_back(line);
        ++line;
        pos = std::size_t(starts[line]);
    }
}

// Whether an ASCII pattern occurs in line in a place that its search key
// certainly keeps: followed by an ASCII byte or the line end (a non-ASCII
// character after it might be a mark that composes with its last letter).
bool surelyInKey(std::string_view line, const QByteArray &pattern)
{
    const std::size_t n = std::size_t(pattern.size());
    for (std::size_t at = findFolded(line, pattern); at != std::string_view::npos;
         at = findFolded(line, pattern, at + 1)) {
        if (at + n == line.size() || static_cast<unsigned char>(line[at + n]) < 0x80)
            return true;
    }
    return false;
}

bool contains(std::string_view haystack, const QByteArray &needle)
{
    return std::string_view::npos
        != haystack.find(std::string_view(needle.constData(), std::size_t(needle.size())));
}

} // namespace

QString effectiveSearchText(QStringView typed)
{
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && typed[begin] == u' ')
        ++begin;
    while (end > begin && typed[end - 1] == u' ')
        --end;
    return typed.mid(begin, end - begin).toString();
}

namespace {

// The lookalikes (see SearchKey.h) of the characters of an ASCII text.
std::vector<QByteArray> lookalikesOf(const QByteArray &ascii)
{
    std::vector<QByteArray> found;
    for (const AsciiLookalike &l : kAsciiLookalikes) {
        if (ascii.contains(l.ascii))
            found.emplace_back(l.utf8.data(), qsizetype(l.utf8.size()));
    }
    return found;
}

// Whether bytes hold the lower-case ASCII text (ASCII case aside) or one of
// the lookalikes of its characters.
bool holdsAscii(std::string_view bytes, const QByteArray &ascii,
                const std::vector<QByteArray> &lookalikes)
{
    if (findFolded(bytes, ascii) != std::string_view::npos)
        return true;
    for (const QByteArray &lookalike : lookalikes) {
        if (contains(bytes, lookalike))
            return true;
    }
    return false;
}

} // namespace

Matcher::Matcher(QStringView effectiveText)
    : m_key(searchKey(effectiveText)), m_empty(effectiveText.isEmpty())
{
    m_ascii = !m_empty && kobrix::isAscii(std::string_view(m_key.constData(), std::size_t(m_key.size())));
    if (m_ascii) {
        m_lookalikes = lookalikesOf(m_key);
        return;
    }
    // Composition and folding keep ASCII characters as they are (but for
    // the lookalikes), so the longest ASCII run of the key stands in every
    // line that holds the text. Two characters and more tell lines apart.
    qsizetype best = 0;
    qsizetype bestLength = 0;
    for (qsizetype i = 0; i < m_key.size();) {
        qsizetype j = i;
        while (j < m_key.size() && static_cast<unsigned char>(m_key[j]) < 0x80)
            ++j;
        if (j - i > bestLength) {
            best = i;
            bestLength = j - i;
        }
        i = j + 1;
    }
    if (bestLength >= 2) {
        m_asciiRun = m_key.mid(best, bestLength);
        m_runLookalikes = lookalikesOf(m_asciiRun);
        return;
    }
    // Texts without case (Japanese, Chinese): the longest run of
    // characters that stand in the lines as they stand in the keys.
    const QString key = QString::fromUtf8(m_key);
    QString run;
    QString longest;
    for (const char32_t c : key.toUcs4()) {
        if (isLiteralInKeys(c)) {
            run += QString::fromUcs4(&c, 1);
            if (run.size() > longest.size())
                longest = run;
        } else {
            run.clear();
        }
    }
    if (longest.toUtf8().size() >= 3)
        m_literalRun = longest.toUtf8();
}

bool Matcher::mayMatchRecord(std::string_view bytes) const
{
    // An ASCII text is in a line only where its bytes are, ASCII case
    // aside, or where a lookalike stands for one of its characters; any
    // other text only where its longest ASCII run is.
    if (m_ascii)
        return holdsAscii(bytes, m_key, m_lookalikes);
    if (!m_asciiRun.isEmpty())
        return holdsAscii(bytes, m_asciiRun, m_runLookalikes);
    return m_literalRun.isEmpty() || contains(bytes, m_literalRun);
}

std::size_t Matcher::nextPossibleMatch(std::string_view bytes) const
{
    const QByteArray &ascii = m_ascii ? m_key : m_asciiRun;
    if (ascii.isEmpty()) {
        if (m_literalRun.isEmpty())
            return 0;
        return bytes.find(std::string_view(m_literalRun.constData(), std::size_t(m_literalRun.size())));
    }
    std::size_t first = findFolded(bytes, ascii);
    // A lookalike counts only before the first plain occurrence: look no
    // further, or dense matches would make this search run over and over.
    for (const QByteArray &lookalike : m_ascii ? m_lookalikes : m_runLookalikes) {
        const std::size_t before = first == std::string_view::npos
            ? bytes.size()
            : std::min(bytes.size(), first + std::size_t(lookalike.size()));
        first = std::min(first, bytes.substr(0, before).find(std::string_view(
                                    lookalike.constData(), std::size_t(lookalike.size()))));
    }
    return first;
}

bool Matcher::keyOfLineContains(const LineStore &store, qsizetype line, std::size_t keyIndex) const
{
    if (store.hasSearchKeys())
        return contains(store.keyAt(keyIndex), m_key);
    ByteBuffer key;
    const std::string_view utf8 = store.utf8At(line);
    if (!appendSearchKey(key, utf8)) {
        const QByteArray slow = searchKey(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
        return slow.contains(m_key);
    }
    return contains(std::string_view(key.data(), key.size()), m_key);
}

void Matcher::findAsciiText(const LineStore &store, qsizetype from, qsizetype to,
                            std::vector<qsizetype> &out) const
{
    const std::size_t before = out.size();
    std::vector<qsizetype> raw;
    findInBlock(store.bytes(), store.lineStarts(), from, to, m_key, raw);

    // A hit in an ASCII line is a match. In a line with other characters it
    // is one unless composition may have taken its last letter (a combining
    // mark after it): then the line's key decides.
    const auto &nonAscii = store.nonAsciiLines();
    auto k = std::lower_bound(nonAscii.begin(), nonAscii.end(), from);
    for (const qsizetype i : raw) {
        while (k != nonAscii.end() && *k < i)
            ++k;
        if (k != nonAscii.end() && *k == i && !surelyInKey(store.utf8At(i), m_key)
            && !keyOfLineContains(store, i, std::size_t(k - nonAscii.begin())))
            continue;
        out.push_back(i);
    }
    if (m_lookalikes.empty())
        return;

    // A lookalike folds or composes onto an ASCII character of the text
    // (the Kelvin sign onto k, ...): lines holding one that the byte search
    // passed over are checked by their keys.
    std::vector<qsizetype> candidates;
    for (const QByteArray &lookalike : m_lookalikes)
        findInBlock(store.bytes(), store.lineStarts(), from, to, lookalike, candidates);
    if (candidates.empty())
        return;
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    std::vector<qsizetype> extra;
    for (const qsizetype i : candidates) {
        if (std::binary_search(out.begin() + qsizetype(before), out.end(), i))
            continue;
        const auto at = std::lower_bound(nonAscii.begin(), nonAscii.end(), i);
        if (keyOfLineContains(store, i, std::size_t(at - nonAscii.begin())))
            extra.push_back(i);
    }
    if (extra.empty())
        return;
    const auto middle = out.size();
    out.insert(out.end(), extra.begin(), extra.end());
    std::inplace_merge(out.begin() + qsizetype(before), out.begin() + qsizetype(middle), out.end());
}

void Matcher::findInKeys(const LineStore &store, qsizetype from, qsizetype to,
                         std::vector<qsizetype> &out) const
{
    // A text with a non-ASCII character can only occur in the keys of lines
    // that hold non-ASCII bytes.
    const auto &nonAscii = store.nonAsciiLines();
    const auto first = std::lower_bound(nonAscii.begin(), nonAscii.end(), from);
    const auto last = std::lower_bound(first, nonAscii.end(), to);
    if (first == last || m_key.contains('\n'))
        return;
    const auto kFrom = qsizetype(first - nonAscii.begin());
    const auto kTo = qsizetype(last - nonAscii.begin());
    if (!store.hasSearchKeys()) {
        for (qsizetype k = kFrom; k < kTo; ++k) {
            if (keyOfLineContains(store, nonAscii[std::size_t(k)], std::size_t(k)))
                out.push_back(nonAscii[std::size_t(k)]);
        }
        return;
    }
    std::vector<qsizetype> hits;
    findInBlock(store.keyBytes(), store.keyStarts(), kFrom, kTo, m_key, hits);
    out.reserve(out.size() + hits.size());
    for (const qsizetype k : hits)
        out.push_back(nonAscii[std::size_t(k)]);
}

void Matcher::findIn(const LineStore &store, qsizetype from, qsizetype to,
                     std::vector<qsizetype> &out) const
{
    to = std::min(to, store.count());
    if (from >= to)
        return;
    if (m_empty) {
        const std::int64_t *starts = store.lineStarts();
        for (qsizetype i = from; i < to; ++i) {
            if (starts[i + 1] - starts[i] > 1)
                out.push_back(i);
        }
        return;
    }
    if (m_ascii)
        findAsciiText(store, from, to, out);
    else
        findInKeys(store, from, to, out);
}

qsizetype Matcher::countIn(const LineStore &store) const
{
    std::vector<qsizetype> hits;
    findIn(store, 0, store.count(), hits);
    return qsizetype(hits.size());
}

} // namespace kobrix
