#include "core/LineStore.h"

#include "core/KeyMaker.h"
#include "core/MemoryAdvice.h"
#include "core/SearchKey.h"

#include <algorithm>
#include <cstring>
#include <optional>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kobrix {

namespace {

// Reserves room in v, with the advice that suits a large table: huge pages
// where the system has them, advised before the elements held are copied
// over, as small pages would cost a page fault every 4 KB of the copy.
template <typename Vector>
void reserveLarge(Vector &v, std::size_t count)
{
    if (count <= v.capacity())
        return;
    Vector grown;
    grown.reserve(count);
    adviseHugePages(grown.data(), grown.capacity() * sizeof(*grown.data()));
    grown.insert(grown.end(), v.begin(), v.end()); // cannot throw: room is there
    v.swap(grown);
}

// Makes room for `more` elements, doubling as push_back would.
template <typename Vector>
void growFor(Vector &v, std::size_t more)
{
    if (v.capacity() - v.size() >= more)
        return;
    reserveLarge(v, std::max(v.size() + more, v.capacity() * 2));
}

// Non-ASCII lines keyed in one call at most: a run that holds a line that
// is not UTF-8 is keyed again line by line, which this bounds.
constexpr std::size_t kRunLines = 64;

// Keeps a key maker's thread (if any) away from the store while the result
// lives.
std::optional<KeyMaker::Pause> pauseOf(KeyMaker *maker)
{
    if (!maker)
        return std::nullopt;
    return std::optional<KeyMaker::Pause>(std::in_place, *maker);
}

} // namespace

bool isAscii(std::string_view bytes)
{
    const char *p = bytes.data();
    std::size_t n = bytes.size();
    // Eight bytes at a time: any high bit means a non-ASCII byte.
    while (n >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL)
            return false;
        p += 8;
        n -= 8;
    }
    while (n--) {
        if (static_cast<unsigned char>(*p++) & 0x80)
            return false;
    }
    return true;
}

namespace {

#if defined(__GNUC__) && defined(__x86_64__)
#define KOBRIX_AVX2_UTF8 1
// Checks 32 bytes at a time by the lookup method of Keiser and Lemire
// ("Validating UTF-8 in less than one instruction per byte", 2021): three
// table lookups on the high and low halves of each byte and of the byte
// before it flag every error of two bytes, and the bytes two and three back
// tell where a continuation byte must stand. Returns false on an error in
// [0, done); sets done to a character boundary before which all is checked,
// leaving at least one byte for the caller.
__attribute__((target("avx2"))) bool validUtf8Avx2(const unsigned char *p, std::size_t n,
                                                 std::size_t &done)
{
    constexpr char tooShort = 1 << 0, tooLong = 1 << 1, overlong3 = 1 << 2, tooLarge = 1 << 3,
                   surrogate = 1 << 4, overlong2 = 1 << 5, tooLarge1000 = 1 << 6,
                   overlong4 = 1 << 6, twoConts = char(1 << 7);
    constexpr char carry = tooShort | tooLong | twoConts;
    const __m256i byte1High = _mm256_setr_epi8(
        tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, twoConts, twoConts,
        twoConts, twoConts, tooShort | overlong2, tooShort, tooShort | overlong3 | surrogate,
        tooShort | tooLarge | tooLarge1000 | overlong4,
        tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, tooLong, twoConts, twoConts,
        twoConts, twoConts, tooShort | overlong2, tooShort, tooShort | overlong3 | surrogate,
        tooShort | tooLarge | tooLarge1000 | overlong4);
    constexpr char large = carry | tooLarge | tooLarge1000;
    const __m256i byte1Low = _mm256_setr_epi8(
        carry | overlong3 | overlong2 | overlong4, carry | overlong2, carry, carry, carry | tooLarge,
        large, large, large, large, large, large, large, large, large | surrogate, large, large,
        carry | overlong3 | overlong2 | overlong4, carry | overlong2, carry, carry, carry | tooLarge,
        large, large, large, large, large, large, large, large, large | surrogate, large, large);
    constexpr char cont8 = tooLong | overlong2 | twoConts | overlong3 | tooLarge1000 | overlong4;
    constexpr char cont9 = tooLong | overlong2 | twoConts | overlong3 | tooLarge;
    constexpr char contAB = tooLong | overlong2 | twoConts | surrogate | tooLarge;
    const __m256i byte2High = _mm256_setr_epi8(
        tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, cont8, cont9,
        contAB, contAB, tooShort, tooShort, tooShort, tooShort,
        tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, tooShort, cont8, cont9,
        contAB, contAB, tooShort, tooShort, tooShort, tooShort);
    const __m256i lowNibble = _mm256_set1_epi8(0x0F);
    __m256i previous = _mm256_setzero_si256();
    __m256i errors = _mm256_setzero_si256();
    std::size_t i = 0;
    // A lead byte in the last three places of a block whose character goes on
    // past the block's end: bytes above these limits.
    const __m256i lastLimits = _mm256_setr_epi8(
        char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
        char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
        char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF),
        char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xFF), char(0xEF), char(0xDF), char(0xBF));
    for (; i + 32 < n; i += 32) {
        const __m256i input = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + i));
        if (!_mm256_movemask_epi8(input)) {
            // All ASCII: wrong only when the block before left a character
            // unfinished. Mostly-ASCII text costs little more than reading.
            errors = _mm256_or_si256(errors, _mm256_subs_epu8(previous, lastLimits));
            previous = input;
            continue;
        }
        // The 32 bytes before each byte's position: [previous high half, input low half].
        const __m256i shifted = _mm256_permute2x128_si256(previous, input, 0x21);
        const __m256i prev1 = _mm256_alignr_epi8(input, shifted, 15);
        const __m256i prev2 = _mm256_alignr_epi8(input, shifted, 14);
        const __m256i prev3 = _mm256_alignr_epi8(input, shifted, 13);
        const __m256i special = _mm256_and_si256(
            _mm256_and_si256(
                _mm256_shuffle_epi8(byte1High, _mm256_and_si256(_mm256_srli_epi16(prev1, 4), lowNibble)),
                _mm256_shuffle_epi8(byte1Low, _mm256_and_si256(prev1, lowNibble))),
            _mm256_shuffle_epi8(byte2High, _mm256_and_si256(_mm256_srli_epi16(input, 4), lowNibble)));
        // High bit set where the byte two back leads three or four bytes, or
        // the byte three back leads four: a continuation byte must stand here.
        const __m256i mustContinue = _mm256_and_si256(
            _mm256_or_si256(_mm256_subs_epu8(prev2, _mm256_set1_epi8(char(0xE0 - 0x80))),
                            _mm256_subs_epu8(prev3, _mm256_set1_epi8(char(0xF0 - 0x80)))),
            _mm256_set1_epi8(char(0x80)));
        errors = _mm256_or_si256(errors, _mm256_xor_si256(mustContinue, special));
        previous = input;
    }
    // A character that starts in the last three bytes checked may go on
    // past them, and the pairs it makes with what follows were not looked
    // at: the caller checks again from its lead byte.
    done = i;
    for (std::size_t back = 1; back <= 3 && back <= i; ++back) {
        if (p[i - back] >= 0xC0) {
            done = i - back;
            break;
        }
    }
    return _mm256_testz_si256(errors, errors);
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
#if defined(KOBRIX_AVX2_UTF8)
    if (bytes.size() > 64 && hasAvx2()) {
        std::size_t done = 0;
        if (!validUtf8Avx2(p, bytes.size(), done))
            return false;
        p += done;
    }
#endif
    const auto continuation = [](unsigned char b) { return (b & 0xC0) == 0x80; };
    while (p < end) {
        unsigned char b = *p;
        if (b < 0x80) {
            // The rest of a run of ASCII, eight bytes at a time.
            ++p;
            for (std::uint64_t word; end - p >= 8; p += 8) {
                std::memcpy(&word, p, 8);
                if (word & 0x8080808080808080ULL)
                    break;
            }
        } else if (b < 0xE0) {
            // Two bytes, as long as they come; below 0xC2 a continuation
            // byte or an overlong form.
            do {
                if (b < 0xC2 || end - p < 2 || !continuation(p[1]))
                    return false;
                p += 2;
            } while (p < end && (b = *p) >= 0x80 && b < 0xE0);
        } else if (b < 0xF0) {
            // Three bytes, as long as they come.
            do {
                if (end - p < 3 || !continuation(p[1]) || !continuation(p[2])
                    || (b == 0xE0 && p[1] < 0xA0)    // overlong
                    || (b == 0xED && p[1] >= 0xA0))  // surrogate
                    return false;
                p += 3;
            } while (p < end && (b = *p) >= 0xE0 && b < 0xF0);
        } else if (b < 0xF5) {
            if (end - p < 4 || !continuation(p[1]) || !continuation(p[2]) || !continuation(p[3])
                || (b == 0xF0 && p[1] < 0x90)    // overlong
                || (b == 0xF4 && p[1] >= 0x90))  // past U+10FFFF
                return false;
            p += 4;
        } else {
            return false;
        }
    }
    return true;
}

std::size_t validUtf8Length(std::string_view bytes)
{
    // A lead byte in the last three bytes whose character does not fit
    // before the end starts a character cut off there.
    std::size_t whole = bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto b = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if (b < 0x80)
            break;
        if (b >= 0xC0) {
            const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
            if (length > back)
                whole -= back;
            break;
        }
    }
    return isValidUtf8(bytes.substr(0, whole)) ? whole : 0;
}

LineStore::LineStore() { m_offsets.push_back(0); }

template <typename Vector>
void LineStore::growTable(Vector &v, std::size_t more)
{
    if (v.capacity() - v.size() >= more)
        return;
    const auto pause = pauseOf(m_attached.maker);
    growFor(v, more);
}

template <typename Vector>
void LineStore::reserveTable(Vector &v, std::size_t count)
{
    if (count <= v.capacity())
        return;
    const auto pause = pauseOf(m_attached.maker);
    reserveLarge(v, count);
}

void LineStore::clear()
{
    if (m_attached.maker) // the thread reads no line that is not there
        m_attached.maker->finish();
    m_bytes.clear();
    m_offsets.clear();
    m_offsets.push_back(0);
    m_nonAscii.clear();
    m_keys.clear();
    m_keyOffsets.assign(1, 0);
}

void LineStore::reserve(std::size_t bytes, std::size_t lines)
{
    reserveTable(m_bytes, bytes);
    reserveTable(m_offsets, lines + 1);
}

void LineStore::reserveNonAscii(std::size_t lines, std::size_t keyBytes)
{
    // The keys are the maker's while one is attached: it waits meanwhile.
    const auto pause = pauseOf(m_attached.maker);
    reserveLarge(m_nonAscii, lines);
    if (m_keepKeys) {
        reserveLarge(m_keyOffsets, lines + 1);
        if (keyBytes > m_keys.capacity()) {
            m_keys.reserve(keyBytes);
            adviseHugePages(m_keys.data(), m_keys.capacity());
        }
    }
}

void LineStore::append(QStringView line)
{
    const QByteArray utf8 = line.toUtf8();
    appendUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

void LineStore::appendUtf8(std::string_view utf8, bool ascii)
{
    if (!ascii) {
        appendNonAscii(utf8, false);
        return;
    }
    // Room first, then the changes, which cannot fail: when memory runs out
    // the store keeps exactly the lines it held.
    growTable(m_bytes, utf8.size() + 1);
    growTable(m_offsets, 1);
    m_bytes.insert(m_bytes.end(), utf8.begin(), utf8.end());
    m_bytes.push_back('\n');
    m_offsets.push_back(std::int64_t(m_bytes.size()));
}

bool LineStore::appendIfValidUtf8(std::string_view bytes)
{
    return appendNonAscii(bytes, true);
}

bool LineStore::appendNonAscii(std::string_view utf8, bool mustBeValid)
{
    growTable(m_bytes, utf8.size() + 1);
    growTable(m_offsets, 1);
    growTable(m_nonAscii, 1);
    if (m_attached.maker) {
        // The key comes later, from the maker's thread.
        if (mustBeValid && !isValidUtf8(utf8))
            return false;
    } else if (m_keepKeys) {
        // The key is made where it will stay; checking the bytes is part of
        // making it.
        if (!appendKeyOf(utf8, mustBeValid))
            return false;
    } else if (mustBeValid && !isValidUtf8(utf8)) {
        return false;
    }
    m_nonAscii.push_back(count());
    m_bytes.insert(m_bytes.end(), utf8.begin(), utf8.end());
    m_bytes.push_back('\n');
    m_offsets.push_back(std::int64_t(m_bytes.size()));
    return true;
}

void LineStore::appendStore(const LineStore &other)
{
    if (m_attached.maker)
        m_attached.maker->finish();
    if (m_keepKeys != other.m_keepKeys) {
        // The keys are made (or left out) as this store keeps them.
        for (qsizetype i = 0; i < other.count(); ++i)
            appendUtf8(other.utf8At(i));
        return;
    }
    // Room first, then the changes, which cannot fail.
    // Room in huge pages where the system has them: the copy is mostly a
    // matter of page faults.
    const auto growLarge = [](auto &v, std::size_t more) {
        if (v.capacity() - v.size() < more)
            reserveLarge(v, std::max(v.size() + more, v.capacity() * 2));
    };
    const std::size_t lines = std::size_t(other.count());
    growLarge(m_bytes, other.m_bytes.size());
    growLarge(m_offsets, lines);
    growLarge(m_nonAscii, other.m_nonAscii.size());
    if (m_keepKeys) {
        growLarge(m_keyOffsets, other.m_nonAscii.size());
        m_keys.reserveMore(other.m_keys.size());
    }
    const qsizetype firstLine = count();
    const std::int64_t byteShift = std::int64_t(m_bytes.size());
    m_bytes.insert(m_bytes.end(), other.m_bytes.begin(), other.m_bytes.end());
    const std::size_t firstOffset = m_offsets.size();
    m_offsets.resize(firstOffset + lines);
    std::int64_t *to = m_offsets.data() + firstOffset;
    const std::int64_t *from = other.m_offsets.data() + 1;
    for (std::size_t i = 0; i < lines; ++i)
        to[i] = from[i] + byteShift;
    for (const qsizetype line : other.m_nonAscii)
        m_nonAscii.push_back(line + firstLine);
    if (m_keepKeys) {
        const std::int64_t keyShift = std::int64_t(m_keys.size());
        if (other.m_keys.size() > 0)
            m_keys.append(other.m_keys.data(), other.m_keys.size());
        for (std::size_t k = 1; k < other.m_keyOffsets.size(); ++k)
            m_keyOffsets.push_back(other.m_keyOffsets[k] + keyShift);
    }
}

void LineStore::makeKeys(std::size_t upTo)
{
    const std::size_t from = keysMade();
    if (upTo <= from)
        return;
    growFor(m_keyOffsets, upTo - from);
    appendKeysOf(from, upTo, m_keys, [this](std::size_t end) { m_keyOffsets.push_back(std::int64_t(end)); });
}

void LineStore::makeKeysApart(std::size_t from, std::size_t upTo, ByteBuffer &keys,
                              std::vector<std::int64_t> &ends) const
{
    if (from >= upTo)
        return;
    // Room at once for what the lines take (their span of the buffer holds
    // them), which their keys nearly always keep to.
    const auto lineOf = [this](std::size_t k) { return std::size_t(m_nonAscii[k]); };
    const std::size_t span
        = std::size_t(m_offsets[lineOf(upTo - 1) + 1] - m_offsets[lineOf(from)]);
    keys.reserve(keys.size() + span + span / 8 + 64);
    ends.reserve(ends.size() + (upTo - from));
    appendKeysOf(from, upTo, keys, [&ends](std::size_t end) { ends.push_back(std::int64_t(end)); });
}

template <typename Ended>
void LineStore::appendKeysOf(std::size_t from, std::size_t upTo, ByteBuffer &keys, Ended ended) const
{
    // The tables' addresses once: on a key maker's thread, their headers
    // change with every line the appending thread adds.
    const qsizetype *nonAscii = m_nonAscii.data();
    const std::int64_t *offsets = m_offsets.data();
    const char *bytes = m_bytes.data();
    const auto lineAt = [&](std::size_t k) {
        const std::size_t line = std::size_t(nonAscii[k]);
        return std::string_view(bytes + offsets[line], std::size_t(offsets[line + 1] - offsets[line] - 1));
    };
    std::size_t runEnds[kRunLines];
    for (std::size_t k = from; k < upTo;) {
        // Lines that follow one another in the buffer are keyed as one text,
        // the '\n' after each with them: a key is made a character at a
        // time, and neither folding nor composition joins anything across
        // a '\n', so the keys come out each followed by its '\n', without
        // the cost of a call per line.
        std::size_t last = k;
        while (last + 1 < upTo && last + 1 - k < kRunLines && nonAscii[last + 1] == nonAscii[last] + 1)
            ++last;
        const std::size_t count = last - k + 1;
        if (count > 1) {
            const std::int64_t begin = offsets[nonAscii[k]];
            const std::string_view run(bytes + begin, std::size_t(offsets[nonAscii[last] + 1] - begin));
            const std::size_t before = keys.size();
            if (appendSearchKey(keys, run)) {
                std::size_t found = 0;
                const char *p = keys.data() + before;
                const char *const end = keys.data() + keys.size();
                while (found < count && p < end) {
                    const void *newline = std::memchr(p, '\n', std::size_t(end - p));
                    if (!newline)
                        break;
                    p = static_cast<const char *>(newline) + 1;
                    runEnds[found++] = std::size_t(p - keys.data());
                }
                if (found == count && p == end) {
                    for (std::size_t i = 0; i < count; ++i)
                        ended(runEnds[i]);
                    k = last + 1;
                    continue;
                }
                keys.truncate(before); // never so; line by line then
            }
        }
        // A line alone, or a run that holds a line that is not UTF-8 (whose
        // key is that of what it shows): line by line.
        for (; k <= last; ++k) {
            appendLineKey(keys, lineAt(k));
            ended(keys.size());
        }
    }
}

void LineStore::appendKeysMade(const ByteBuffer &keys, const std::vector<std::int64_t> &ends)
{
    reserveLarge(m_keyOffsets, m_keyOffsets.size() + ends.size());
    m_keys.reserveMore(keys.size());
    const std::int64_t shift = std::int64_t(m_keys.size());
    m_keys.append(keys.data(), keys.size());
    for (const std::int64_t end : ends)
        m_keyOffsets.push_back(end + shift);
}

void LineStore::appendLineKey(ByteBuffer &keys, std::string_view utf8)
{
    keys.reserveMore(utf8.size() + utf8.size() / 2 + 5);
    if (!appendSearchKey(keys, utf8)) { // leaves the keys as they were
        // Not UTF-8: the key of what the line shows.
        const QByteArray key = searchKey(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
        keys.reserveMore(std::size_t(key.size()) + 1);
        keys.append(key.constData(), std::size_t(key.size()));
    }
    keys.push_back('\n');
}

bool LineStore::appendKeyOf(std::string_view utf8, bool mustBeValid)
{
    growFor(m_keyOffsets, 1);
    if (mustBeValid) {
        m_keys.reserveMore(utf8.size() + utf8.size() / 2 + 5);
        if (!appendSearchKey(m_keys, utf8)) // leaves the keys as they were
            return false;
        m_keys.push_back('\n');
    } else {
        appendLineKey(m_keys, utf8);
    }
    m_keyOffsets.push_back(std::int64_t(m_keys.size()));
    return true;
}

void LineStore::dropSearchKeys()
{
    m_keys = ByteBuffer();
    m_keyOffsets.resize(1);
    m_keyOffsets.shrink_to_fit();
    m_keepKeys = false;
}

QString LineStore::at(qsizetype index) const
{
    const std::string_view line = utf8At(index);
    return QString::fromUtf8(line.data(), qsizetype(line.size()));
}

qsizetype LineStore::lineAtByte(std::int64_t pos) const
{
    // The first offset greater than pos starts the next line.
    const auto it = std::upper_bound(m_offsets.begin(), m_offsets.end(), pos);
    return qsizetype(it - m_offsets.begin()) - 1;
}

std::size_t LineStore::memoryBytes() const
{
    return m_bytes.capacity() + m_offsets.capacity() * sizeof(std::int64_t)
        + m_nonAscii.capacity() * sizeof(qsizetype) + m_keys.capacity()
        + m_keyOffsets.capacity() * sizeof(std::int64_t);
}

} // namespace kobrix
