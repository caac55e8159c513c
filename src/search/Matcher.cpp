#include "search/Matcher.h"

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

QString caseFolded(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const char32_t f = QChar::toCaseFolded(c);
        if (QChar::requiresSurrogates(f)) {
            folded.append(QChar(QChar::highSurrogate(f)));
            folded.append(QChar(QChar::lowSurrogate(f)));
        } else {
            folded.append(QChar(char16_t(f)));
        }
    }
    return folded;
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

Matcher::Matcher(QStringView effectiveText)
    : m_folded(caseFolded(effectiveText)), m_empty(effectiveText.isEmpty())
{
    // Folding maps ASCII letters to lower case ASCII, so a text whose folded
    // form is ASCII can be searched byte-wise in ASCII lines.
    const QByteArray folded = m_folded.toUtf8();
    m_ascii = !m_empty && isAscii(std::string_view(folded.constData(), std::size_t(folded.size())))
        && !folded.contains('\n');
    if (!m_ascii)
        return;
    m_asciiLower = folded;
    m_foldsFromNonAscii = m_asciiLower.contains('k') || m_asciiLower.contains('s');

    const auto n = std::uint32_t(m_asciiLower.size());
    m_skip.fill(n);
    for (std::uint32_t i = 0; i + 1 < n; ++i) {
        const auto c = static_cast<unsigned char>(m_asciiLower[i]);
        m_skip[c] = n - 1 - i;
        if (c >= 'a' && c <= 'z')
            m_skip[c - 32] = n - 1 - i;
    }
}

bool Matcher::foldedContains(QStringView line) const
{
    if (line.isEmpty())
        return false;
    if (m_empty)
        return true;
    return caseFolded(line).contains(m_folded);
}

bool Matcher::matches(QStringView line) const { return foldedContains(line); }

bool Matcher::matchesUtf8(std::string_view line) const
{
    if (line.empty())
        return false;
    if (m_empty)
        return true;
    if (!m_ascii && isAscii(line))
        return false;
    if (m_ascii && isAscii(line)) {
        const auto *text = reinterpret_cast<const unsigned char *>(line.data());
        const auto *pattern = reinterpret_cast<const unsigned char *>(m_asciiLower.constData());
        const std::size_t n = std::size_t(m_asciiLower.size());
        for (std::size_t i = 0; i + n <= line.size(); ++i) {
            if (equalsFolded(text + i, pattern, std::int64_t(n)))
                return true;
        }
        return false;
    }
    return foldedContains(QString::fromUtf8(line.data(), qsizetype(line.size())));
}

namespace {

// The line of store that holds byte pos, searching forward from line hint
// (whose start is at or before pos) by doubling steps: matches come in
// ascending order, so this costs little whether they are dense or rare.
qsizetype lineFrom(const LineStore &store, qsizetype hint, qsizetype to, std::int64_t pos)
{
    qsizetype lo = hint;
    qsizetype step = 1;
    qsizetype hi = lo + 1;
    while (hi < to && store.lineStart(hi) <= pos) {
        lo = hi;
        step *= 2;
        hi = lo + step;
    }
    if (hi > to)
        hi = to;
    // lineStart(lo) <= pos < lineStart(hi)
    while (hi - lo > 1) {
        const qsizetype mid = lo + (hi - lo) / 2;
        if (store.lineStart(mid) <= pos)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

} // namespace

void Matcher::findAscii(const LineStore &store, qsizetype from, qsizetype to,
                        std::vector<qsizetype> &out) const
{
    // Searches the bytes of lines [from, to) as one block. Lines end in
    // '\n', which the text cannot contain, so no match spans two lines. After
    // a match the search resumes at the next line, keeping each line once.
    const auto *text = reinterpret_cast<const unsigned char *>(store.bytes());
    const auto *pattern = reinterpret_cast<const unsigned char *>(m_asciiLower.constData());
    const std::int64_t n = m_asciiLower.size();
    const std::int64_t end = store.lineStart(to);
    std::int64_t pos = store.lineStart(from);
    qsizetype line = from; // a line that starts at or before pos

    const auto found = [&](std::int64_t at) {
        line = lineFrom(store, line, to, at);
        out.push_back(line);
        ++line;
        pos = store.lineStart(line);
    };

#if defined(__SSE2__) || defined(_M_X64)
    // Candidates first, sixteen positions at a time: a position whose first
    // and last byte equal the text's first and last byte once bit 0x20 is
    // set (which maps each ASCII upper-case letter to its lower case, and a
    // few other bytes onto other values, so the filter never misses a match
    // and rarely lets a non-match through). Each candidate is then checked
    // exactly.
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i firstByte = _mm_set1_epi8(char(pattern[0] | 0x20));
    const __m128i lastByte = _mm_set1_epi8(char(pattern[n - 1] | 0x20));
    while (pos + n - 1 + 16 <= end) {
        const __m128i head = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + pos)), caseBit);
        const __m128i tail = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + pos + n - 1)), caseBit);
        unsigned mask = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(head, firstByte), _mm_cmpeq_epi8(tail, lastByte))));
        bool matched = false;
        while (mask) {
            const std::int64_t at = pos + countTrailingZeros(mask);
            if (equalsFolded(text + at, pattern, n)) {
                found(at);
                matched = true;
                break;
            }
            mask &= mask - 1;
        }
        if (!matched)
            pos += 16;
    }
    // The last few positions one by one.
    while (pos + n <= end) {
        if (equalsFolded(text + pos, pattern, n))
            found(pos);
        else
            ++pos;
    }
#else
    // Horspool.
    const unsigned char last = pattern[n - 1];
    while (pos + n <= end) {
        const unsigned char c = asciiLower(text[pos + n - 1]);
        if (c == last && equalsFolded(text + pos, pattern, n - 1)) {
            found(pos);
            continue;
        }
        pos += m_skip[text[pos + n - 1]];
    }
#endif
}

void Matcher::findIn(const LineStore &store, qsizetype from, qsizetype to,
                     std::vector<qsizetype> &out) const
{
    to = std::min(to, store.count());
    if (from >= to)
        return;
    if (m_empty) {
        for (qsizetype i = from; i < to; ++i) {
            if (store.lineStart(i + 1) - store.lineStart(i) > 1)
                out.push_back(i);
        }
        return;
    }
    const auto &nonAscii = store.nonAsciiLines();
    const auto firstNonAscii = std::lower_bound(nonAscii.begin(), nonAscii.end(), from);
    const auto lastNonAscii = std::lower_bound(firstNonAscii, nonAscii.end(), to);

    if (!m_ascii) {
        // A text with a non-ASCII letter (after folding) can only occur in
        // lines that hold non-ASCII bytes.
        for (auto it = firstNonAscii; it != lastNonAscii; ++it) {
            if (foldedContains(store.at(*it)))
                out.push_back(*it);
        }
        return;
    }
    const std::size_t before = out.size();
    findAscii(store, from, to, out);
    if (!m_foldsFromNonAscii || firstNonAscii == lastNonAscii)
        return;
    // Non-ASCII lines that the byte search missed may still match through a
    // letter that folds onto ASCII; check them by Unicode rules and merge.
    std::vector<qsizetype> extra;
    for (auto it = firstNonAscii; it != lastNonAscii; ++it) {
        if (!std::binary_search(out.begin() + qsizetype(before), out.end(), *it)
            && foldedContains(store.at(*it)))
            extra.push_back(*it);
    }
    if (extra.empty())
        return;
    const auto middle = out.size();
    out.insert(out.end(), extra.begin(), extra.end());
    std::inplace_merge(out.begin() + qsizetype(before), out.begin() + qsizetype(middle), out.end());
}

qsizetype Matcher::countIn(const LineStore &store) const
{
    std::vector<qsizetype> hits;
    findIn(store, 0, store.count(), hits);
    return qsizetype(hits.size());
}

} // namespace kobrix
