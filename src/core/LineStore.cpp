#include "core/LineStore.h"

#include "core/MemoryAdvice.h"
#include "core/SearchKey.h"

#include <algorithm>
#include <cstring>

namespace kobrix {

namespace {

// Makes room for `more` elements, doubling as push_back would.
template <typename Vector>
void growFor(Vector &v, std::size_t more)
{
    if (v.capacity() - v.size() >= more)
        return;
    v.reserve(std::max(v.size() + more, v.capacity() * 2));
}

// Reserves room in v, with the advice that suits a large table.
template <typename Vector>
void reserveLarge(Vector &v, std::size_t count)
{
    if (count <= v.capacity())
        return;
    v.reserve(count);
    adviseHugePages(v.data(), v.capacity() * sizeof(*v.data()));
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

bool isValidUtf8(std::string_view bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
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

LineStore::LineStore() { m_offsets.push_back(0); }

void LineStore::clear()
{
    m_bytes.clear();
    m_offsets.clear();
    m_offsets.push_back(0);
    m_nonAscii.clear();
    m_keys.clear();
    m_keyOffsets.assign(1, 0);
}

void LineStore::reserve(std::size_t bytes, std::size_t lines)
{
    reserveLarge(m_bytes, bytes);
    reserveLarge(m_offsets, lines + 1);
}

void LineStore::reserveNonAscii(std::size_t lines, std::size_t keyBytes)
{
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
    growFor(m_bytes, utf8.size() + 1);
    growFor(m_offsets, 1);
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
    growFor(m_bytes, utf8.size() + 1);
    growFor(m_offsets, 1);
    growFor(m_nonAscii, 1);
    if (m_keepKeys) {
        // The key is made where it will stay; checking the bytes is part of
        // making it.
        growFor(m_keyOffsets, 1);
        m_keys.reserveMore(utf8.size() + utf8.size() / 2 + 5);
        if (!appendSearchKey(m_keys, utf8)) { // leaves the keys as they were
            if (mustBeValid)
                return false;
            const QByteArray key = searchKey(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
            m_keys.reserveMore(std::size_t(key.size()) + 1);
            m_keys.append(key.constData(), std::size_t(key.size()));
        }
        m_keys.push_back('\n');
        m_keyOffsets.push_back(std::int64_t(m_keys.size()));
    } else if (mustBeValid && !isValidUtf8(utf8)) {
        return false;
    }
    m_nonAscii.push_back(count());
    m_bytes.insert(m_bytes.end(), utf8.begin(), utf8.end());
    m_bytes.push_back('\n');
    m_offsets.push_back(std::int64_t(m_bytes.size()));
    return true;
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
