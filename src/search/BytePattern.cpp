#include "search/BytePattern.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif
#if defined(_MSC_VER)
#include <intrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define KOBRIX_AVX2_PATHS 1
#endif

namespace kobrix {

namespace {

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

inline unsigned char asciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// How often a byte stands in catalog lines, roughly, on a scale to 255:
// separators and the lead bytes of UTF-8 characters in nearly every line,
// letters by their frequency in European names, the last byte of a UTF-8
// character seldom (it differs from character to character). afterLead is
// set for a continuation byte that directly follows a three- or four-byte
// lead byte: that one names the script block and is shared by most
// characters of a text in that script.
int commonness(unsigned char b, bool afterLead)
{
    if (b >= 0xC0)
        return 250;
    if (b >= 0x80)
        return afterLead ? 200 : 60;
    if (b == ' ' || b == '\\' || b == '-' || b == '.' || b == '_')
        return 220;
    if (b >= '0' && b <= '9')
        return 150;
    b = asciiLower(b);
    if (b < 'a' || b > 'z')
        return 40;
    // a..z, from English and European text.
    static constexpr unsigned char kLetters[26] = {
        190, 100, 150, 150, 200, 100, 100, 150, 180, 30, 60, 150, 110,
        180, 190, 110, 30, 180, 180, 190, 150, 60, 100, 30, 100, 30};
    return kLetters[b - 'a'];
}

#if defined(KOBRIX_AVX2_PATHS)
// Processors of the last ten years compare 32 bytes at once; the search
// takes that path when the processor has it, and the SSE2 one otherwise.
bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

// Bit i set when a[i] equals v1 and b[i] equals v2, bit set on the bytes first.
__attribute__((target("avx2"))) inline std::uint32_t pairMaskAvx2(const unsigned char *a,
                                                                 const unsigned char *b, __m256i bit,
                                                                 __m256i v1, __m256i v2)
{
    const __m256i x = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(a)), bit);
    const __m256i y = _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(b)), bit);
    return std::uint32_t(
        _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(x, v1), _mm256_cmpeq_epi8(y, v2))));
}

// The first place in [pos, ...) whose bytes at offsets first and second
// equal b1 and b2 (caseBit set on both sides) and where verify(at) holds,
// for as long as 64 positions can be tested at once; pos is left where the
// rest of the search goes on. npos when none was found.
template <typename Verify>
__attribute__((target("avx2"))) std::size_t findPairAvx2(const unsigned char *text, std::size_t length,
                                                        std::size_t &pos, std::size_t n,
                                                        std::size_t first, std::size_t second,
                                                        unsigned char b1, unsigned char b2,
                                                        unsigned char caseBit, Verify verify)
{
    const __m256i bit = _mm256_set1_epi8(char(caseBit));
    const __m256i v1 = _mm256_set1_epi8(char(b1));
    const __m256i v2 = _mm256_set1_epi8(char(b2));
    while (pos + n - 1 + 64 <= length) {
        const std::uint64_t mask = std::uint64_t(pairMaskAvx2(text + pos + first, text + pos + second, bit, v1, v2))
            | (std::uint64_t(pairMaskAvx2(text + pos + 32 + first, text + pos + 32 + second, bit, v1, v2)) << 32);
        for (std::uint64_t m = mask; m; m &= m - 1) {
            const std::size_t at = pos + std::size_t(__builtin_ctzll(m));
            if (verify(at))
                return at;
        }
        pos += 64;
    }
    return std::string_view::npos;
}

using PairProbe = BytePatternSet::Probe;
constexpr std::size_t kMostPairs = 16;

// As findPairAvx2, for several patterns at once, the longest of them
// longest bytes: the places where any probe's pair agrees, in order, until
// verify(at) holds at one.
template <typename Verify>
__attribute__((target("avx2"))) std::size_t findAnyPairAvx2(const unsigned char *text, std::size_t length,
                                                           std::size_t &pos, std::size_t longest,
                                                           const PairProbe *probes, std::size_t count,
                                                           Verify verify)
{
    while (pos + longest - 1 + 64 <= length) {
        std::uint64_t mask = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const PairProbe &p = probes[i];
            const __m256i bit = _mm256_set1_epi8(char(p.caseBit));
            const __m256i v1 = _mm256_set1_epi8(char(p.b1));
            const __m256i v2 = _mm256_set1_epi8(char(p.b2));
            const unsigned char *a = text + pos + p.first;
            const unsigned char *b = text + pos + p.second;
            mask |= std::uint64_t(pairMaskAvx2(a, b, bit, v1, v2))
                | (std::uint64_t(pairMaskAvx2(a + 32, b + 32, bit, v1, v2)) << 32);
        }
        for (std::uint64_t m = mask; m; m &= m - 1) {
            const std::size_t at = pos + std::size_t(__builtin_ctzll(m));
            if (verify(at))
                return at;
        }
        pos += 64;
    }
    return std::string_view::npos;
}

__attribute__((target("avx2"))) std::size_t skipAsciiAvx2(const unsigned char *text, std::size_t length,
                                                         std::size_t pos)
{
    while (pos + 128 <= length) {
        const auto *block = reinterpret_cast<const __m256i *>(text + pos);
        const __m256i any = _mm256_or_si256(
            _mm256_or_si256(_mm256_loadu_si256(block), _mm256_loadu_si256(block + 1)),
            _mm256_or_si256(_mm256_loadu_si256(block + 2), _mm256_loadu_si256(block + 3)));
        if (_mm256_movemask_epi8(any))
            break;
        pos += 128;
    }
    return pos;
}
#endif

} // namespace

BytePattern::BytePattern(QByteArray bytes, Case caseRule)
    : m_bytes(std::move(bytes)), m_ignoreCase(caseRule == Case::IgnoreAscii)
{
    m_data = reinterpret_cast<const unsigned char *>(m_bytes.constData());
    m_size = std::size_t(m_bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(m_bytes.constData());
    const std::size_t n = size();
    if (n == 0)
        return;
    if (m_ignoreCase) {
        // ASCII text (a file name, a word): its first and last bytes, which
        // lie farthest apart, tell places apart best.
        m_second = n - 1;
        return;
    }
    const auto rank = [&](std::size_t i) {
        return commonness(p[i], i > 0 && p[i - 1] >= 0xE0);
    };
    // The rarest byte, then the rarest other one; between equals, the one
    // farthest from the first, whose place tells more.
    for (std::size_t i = 1; i < n; ++i) {
        if (rank(i) < rank(m_first))
            m_first = i;
    }
    m_second = m_first;
    auto distance = [&](std::size_t i) { return i > m_first ? i - m_first : m_first - i; };
    for (std::size_t i = 0; i < n; ++i) {
        if (i == m_first)
            continue;
        if (m_second == m_first || rank(i) < rank(m_second)
            || (rank(i) == rank(m_second) && distance(i) > distance(m_second)))
            m_second = i;
    }
}

bool BytePattern::equalsAt(const unsigned char *text) const
{
    const unsigned char *pattern = m_data;
    const std::size_t n = m_size;
    if (!m_ignoreCase) {
        for (std::size_t k = 0; k < n; ++k) {
            if (text[k] != pattern[k])
                return false;
        }
        return true;
    }
    for (std::size_t k = 0; k < n; ++k) {
        if (asciiLower(text[k]) != pattern[k])
            return false;
    }
    return true;
}

std::size_t BytePattern::find(std::string_view line, std::size_t from) const
{
    const auto *text = reinterpret_cast<const unsigned char *>(line.data());
    const std::size_t n = size();
    const std::size_t length = line.size();
    if (n == 0)
        return from <= length ? from : std::string_view::npos;
    if (n > length)
        return std::string_view::npos;
    std::size_t pos = from;
    // Ignoring case, both sides get the bit that tells ASCII capitals from
    // small letters; other bytes then compare a little too often, which
    // the full comparison sorts out.
    const unsigned char caseBit = m_ignoreCase ? 0x20 : 0;
    const auto *pattern = reinterpret_cast<const unsigned char *>(m_bytes.constData());
    const unsigned char b1 = pattern[m_first] | caseBit;
    const unsigned char b2 = pattern[m_second] | caseBit;
#if defined(KOBRIX_AVX2_PATHS)
    if (hasAvx2()) {
        const std::size_t at = findPairAvx2(text, length, pos, n, m_first, m_second, b1, b2, caseBit,
                                            [&](std::size_t at) { return equalsAt(text + at); });
        if (at != std::string_view::npos)
            return at;
    }
#endif
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i bit = _mm_set1_epi8(char(caseBit));
    const __m128i v1 = _mm_set1_epi8(char(b1));
    const __m128i v2 = _mm_set1_epi8(char(b2));
    // The places among the sixteen from block on where the pattern may
    // stand, less those before from; the first where it does, or npos.
    const auto findInBlock = [&](std::size_t block, std::size_t from) {
        const __m128i a = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + block + m_first)), bit);
        const __m128i b = _mm_or_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + block + m_second)), bit);
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, v1), _mm_cmpeq_epi8(b, v2))));
        mask &= ~((1u << (from - block)) - 1);
        for (; mask; mask &= mask - 1) {
            const std::size_t at = block + std::size_t(countTrailingZeros(mask));
            if (equalsAt(text + at))
                return at;
        }
        return std::string_view::npos;
    };
    for (; pos + n - 1 + 16 <= length; pos += 16) {
        if (const std::size_t at = findInBlock(pos, pos); at != std::string_view::npos)
            return at;
    }
    // The last places, fewer than sixteen: one more block that ends where
    // the text does, its places already looked at masked off. Most lines
    // are short, and a byte at a time would cost them more than the rest.
    if (pos + n <= length && length >= n - 1 + 16)
        return findInBlock(length - (n - 1) - 16, pos);
#endif
    for (; pos + n <= length; ++pos) {
        if ((text[pos + m_first] | caseBit) == b1 && (text[pos + m_second] | caseBit) == b2
            && equalsAt(text + pos))
            return pos;
    }
    return std::string_view::npos;
}

BytePatternSet::BytePatternSet(std::vector<BytePattern> patterns) : m_patterns(std::move(patterns))
{
    for (const BytePattern &pattern : m_patterns) {
        m_longest = std::max(m_longest, pattern.size());
        m_hasEmpty = m_hasEmpty || pattern.isEmpty();
    }
    if (m_hasEmpty || m_patterns.size() < 2 || m_patterns.size() > kMostPairs)
        return;
    // Greedily, the pair of places where the first pattern left agrees
    // with the most others (the case bit aside), the rarest such pair among
    // equals; a pattern that agrees with none keeps its own pair, compared
    // exactly.
    std::vector<const BytePattern *> left;
    for (const BytePattern &pattern : m_patterns)
        left.push_back(&pattern);
    while (!left.empty()) {
        const BytePattern &lead = *left.front();
        const unsigned char *p = lead.m_data;
        const auto rank = [&](std::size_t i) { return commonness(p[i], i > 0 && p[i - 1] >= 0xE0); };
        const auto agrees = [&](const BytePattern *other, std::size_t i) {
            return i < other->size() && (other->m_data[i] | 0x20) == (p[i] | 0x20);
        };
        Probe best{lead.m_first, lead.m_second, 0, 0, 0};
        std::size_t bestShared = 1;
        int bestRank = 0;
        for (std::size_t i = 0; i < lead.size(); ++i) {
            for (std::size_t j = i + 1; j < lead.size(); ++j) {
                const auto shared = std::size_t(std::count_if(left.begin(), left.end(), [&](const BytePattern *o) {
                    return agrees(o, i) && agrees(o, j);
                }));
                const int pairRank = rank(i) + rank(j);
                if (shared > bestShared || (shared == bestShared && shared > 1 && pairRank < bestRank)) {
                    best = {i, j, 0, 0, 0};
                    bestShared = shared;
                    bestRank = pairRank;
                }
            }
        }
        std::vector<const BytePattern *> rest;
        bool exact = !lead.m_ignoreCase;
        for (const BytePattern *o : left) {
            if (o != &lead && (bestShared == 1 || !agrees(o, best.first) || !agrees(o, best.second))) {
                rest.push_back(o);
                continue;
            }
            exact = exact && !o->m_ignoreCase && o->m_data[best.first] == p[best.first]
                && o->m_data[best.second] == p[best.second];
        }
        best.caseBit = exact ? 0 : 0x20;
        best.b1 = p[best.first] | best.caseBit;
        best.b2 = p[best.second] | best.caseBit;
        m_probes.push_back(best);
        left = std::move(rest);
    }
}

std::size_t BytePatternSet::find(std::string_view line, std::size_t from) const
{
    const auto *text = reinterpret_cast<const unsigned char *>(line.data());
    const std::size_t length = line.size();
    if (m_hasEmpty)
        return from <= length ? from : std::string_view::npos;
    if (m_patterns.size() == 1)
        return m_patterns.front().find(line, from);
    std::size_t pos = from;
#if defined(KOBRIX_AVX2_PATHS)
    // Over a line or two, one pattern after the other costs less than
    // comparing every group's pair at each place.
    constexpr std::size_t kShortText = 512;
    if (hasAvx2() && !m_probes.empty() && length >= m_longest
        && length - std::min(length, pos) >= kShortText) {
        const std::size_t found =
            findAnyPairAvx2(text, length, pos, m_longest, m_probes.data(), m_probes.size(), [&](std::size_t at) {
                return std::any_of(m_patterns.begin(), m_patterns.end(),
                                   [&](const BytePattern &p) { return p.equalsAt(text + at); });
            });
        if (found != std::string_view::npos)
            return found;
    }
#endif
    // The rest (or all, without the wide comparisons): each pattern looked
    // for only before the first place found so far.
    std::size_t first = std::string_view::npos;
    for (const BytePattern &pattern : m_patterns) {
        const std::size_t end = first == std::string_view::npos ? length
                                                                : std::min(length, first + pattern.size());
        first = std::min(first, pattern.find(line.substr(0, end), pos));
    }
    return first;
}

std::size_t findNonAscii(std::string_view line, std::size_t from)
{
    const auto *text = reinterpret_cast<const unsigned char *>(line.data());
    const std::size_t length = line.size();
    std::size_t pos = from;
#if defined(KOBRIX_AVX2_PATHS)
    if (hasAvx2())
        pos = skipAsciiAvx2(text, length, pos);
#endif
#if defined(__SSE2__) || defined(_M_X64)
    // Sixty-four bytes at a time while there are none, then sixteen.
    while (pos + 64 <= length) {
        const auto *block = reinterpret_cast<const __m128i *>(text + pos);
        const __m128i any = _mm_or_si128(
            _mm_or_si128(_mm_loadu_si128(block), _mm_loadu_si128(block + 1)),
            _mm_or_si128(_mm_loadu_si128(block + 2), _mm_loadu_si128(block + 3)));
        if (_mm_movemask_epi8(any))
            break;
        pos += 64;
    }
    while (pos + 16 <= length) {
        const unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(text + pos))));
        if (mask)
            return pos + std::size_t(countTrailingZeros(mask));
        pos += 16;
    }
#endif
    for (; pos < length; ++pos) {
        if (text[pos] >= 0x80)
            return pos;
    }
    return std::string_view::npos;
}

std::size_t findLineEnd(std::string_view line, std::size_t from)
{
    const char *text = line.data();
    const std::size_t length = line.size();
    std::size_t pos = from;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (pos + 16 <= length) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + pos));
        const unsigned mask = unsigned(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        if (mask)
            return pos + std::size_t(countTrailingZeros(mask));
        pos += 16;
    }
#endif
    for (; pos < length; ++pos) {
        if (text[pos] == '\r' || text[pos] == '\n')
            return pos;
    }
    return length;
}

} // namespace kobrix
