#pragma once

#include "core/ByteBuffer.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <string_view>
#include <vector>

namespace kobrix {

class KeyMaker;

// True when every byte is < 0x80.
bool isAscii(std::string_view bytes);
// True when bytes are well-formed UTF-8: no stray continuation byte, no
// character cut short, no overlong form, no surrogate, nothing past U+10FFFF.
bool isValidUtf8(std::string_view bytes);
// The length of the longest start of bytes that ends on a character boundary
// and leaves out at most a character cut off at the end (one to three bytes
// of a character whose rest is yet to come), when that start is valid UTF-8;
// 0 when it is not. A reader checks a whole block once this way instead of
// every line in it.
std::size_t validUtf8Length(std::string_view bytes);

// The lines of a disc listing or of a loaded catalog, held compactly: every
// line is stored as UTF-8 in one buffer, each followed by '\n', and a table of
// offsets gives its start. Millions of lines cost little more than their text,
// and the search can run over the buffer as one block of bytes.
//
// Lines never contain '\n' or '\r': the catalog reader splits on them and the
// walk replaces control characters in names.
class LineStore
{
public:
    LineStore();

    void clear();
    void reserve(std::size_t bytes, std::size_t lines);
    // Room for the non-ASCII lines to come: their number and the bytes of
    // their search keys.
    void reserveNonAscii(std::size_t lines, std::size_t keyBytes);
    std::size_t keyCapacity() const { return m_keys.capacity(); }
    // Bytes of the search keys held.
    std::size_t keyByteSize() const { return m_keys.size(); }

    void append(QStringView line);
    void appendUtf8(std::string_view utf8) { appendUtf8(utf8, isAscii(utf8)); }
    // For callers that already know whether the line is all ASCII.
    void appendUtf8(std::string_view utf8, bool ascii);
    // Appends a line that holds bytes >= 0x80 when they are valid UTF-8;
    // returns false and appends nothing when they are not.
    bool appendIfValidUtf8(std::string_view bytes);
    // Appends every line of other, in its order, with their search keys: a
    // few block copies, not a line at a time. other must not be this store.
    void appendStore(const LineStore &other);

    // Whether the search key of every non-ASCII line is kept beside it (see
    // SearchKey.h). On unless switched off while the store is empty: a store
    // that is searched only for ASCII text can do without.
    void setKeepSearchKeys(bool keep) { m_keepKeys = keep; }
    bool hasSearchKeys() const { return m_keepKeys; }
    // Non-ASCII lines that have their search keys: all of them, except
    // while a KeyMaker is attached.
    std::size_t keysMade() const { return m_keyOffsets.size() - 1; }

    qsizetype count() const { return qsizetype(m_offsets.size()) - 1; }
    bool isEmpty() const { return count() == 0; }

    QString at(qsizetype index) const;
    std::string_view utf8At(qsizetype index) const
    {
        const auto begin = m_offsets[std::size_t(index)];
        const auto end = m_offsets[std::size_t(index) + 1] - 1; // drop the '\n'
        return std::string_view(m_bytes.data() + begin, std::size_t(end - begin));
    }

    // The whole buffer: line i spans [lineStart(i), lineStart(i + 1) - 1).
    const char *bytes() const { return m_bytes.data(); }
    std::int64_t lineStart(qsizetype index) const { return m_offsets[std::size_t(index)]; }
    // All line starts: count() + 1 entries, the last the end of the buffer.
    const std::int64_t *lineStarts() const { return m_offsets.data(); }
    // Index of the line that holds byte position pos of the buffer.
    qsizetype lineAtByte(std::int64_t pos) const;

    // Lines holding bytes >= 0x80, in ascending order: the search checks
    // them by full Unicode rules and all others with an ASCII fast path.
    const std::vector<qsizetype> &nonAsciiLines() const { return m_nonAscii; }

    // The search keys of the non-ASCII lines, in their order, each followed
    // by '\n': key k (of line nonAsciiLines()[k]) spans
    // [keyStarts()[k], keyStarts()[k + 1] - 1). Empty without hasSearchKeys().
    const char *keyBytes() const { return m_keys.data(); }
    const std::int64_t *keyStarts() const { return m_keyOffsets.data(); }
    std::string_view keyAt(std::size_t k) const
    {
        return std::string_view(m_keys.data() + m_keyOffsets[k],
                                 std::size_t(m_keyOffsets[k + 1] - m_keyOffsets[k] - 1));
    }

    // Bytes of text held, '\n' terminators included.
    std::size_t byteSize() const { return m_bytes.size(); }
    std::size_t memoryBytes() const;

private:
    friend class KeyMaker;

    // Makes the keys of the non-ASCII lines [keysMade(), upTo): reads only
    // those lines and writes only the keys (a KeyMaker's thread).
    void makeKeys(std::size_t upTo);
    // Makes the keys of the non-ASCII lines [from, upTo) into keys, without
    // touching the store, each key's end (in keys) into ends: a second
    // thread's share of the keys while the maker's thread makes those
    // before from. Appended afterwards by appendKeysMade(), once the keys
    // before from are made.
    void makeKeysApart(std::size_t from, std::size_t upTo, ByteBuffer &keys,
                       std::vector<std::int64_t> &ends) const;
    void appendKeysMade(const ByteBuffer &keys, const std::vector<std::int64_t> &ends);
    // Appends the key of a line and its '\n' (of what the line shows when it
    // is not UTF-8).
    static void appendLineKey(ByteBuffer &keys, std::string_view utf8);
    // Appends the keys of the non-ASCII lines [from, upTo), each with its
    // '\n', to keys, telling ended() where each ends.
    template <typename Ended>
    void appendKeysOf(std::size_t from, std::size_t upTo, ByteBuffer &keys, Ended ended) const;
    // Gives up the keys (memory ran out making them): the store then keeps
    // none, and the search makes them as it goes.
    void dropSearchKeys();
    // Appends the key of a line, its '\n' and its offset; appends nothing
    // and returns false when the line is not UTF-8 and mustBeValid is set.
    bool appendKeyOf(std::string_view utf8, bool mustBeValid);
    // Makes room for more elements in a line table, keeping an attached
    // KeyMaker away from the tables if they move.
    template <typename Vector>
    void growTable(Vector &v, std::size_t more);
    template <typename Vector>
    void reserveTable(Vector &v, std::size_t count);

    // Appends a non-ASCII line; returns false when it is not valid UTF-8 and
    // mustBeValid is set.
    bool appendNonAscii(std::string_view utf8, bool mustBeValid);

    std::vector<char> m_bytes;
    std::vector<std::int64_t> m_offsets; // count() + 1 entries; the last is the end
    std::vector<qsizetype> m_nonAscii;
    // The keys on cache lines of their own: a KeyMaker's thread writes them
    // while the tables above grow with every line appended.
    alignas(64) ByteBuffer m_keys;
    std::vector<std::int64_t> m_keyOffsets{0}; // m_nonAscii.size() + 1 entries
    alignas(64) bool m_keepKeys = true;
    // The maker of the keys of lines appended meanwhile; it stays with this
    // object: a copy or a moved store has none.
    struct AttachedMaker
    {
        AttachedMaker() = default;
        AttachedMaker(const AttachedMaker &) {}
        AttachedMaker &operator=(const AttachedMaker &) { return *this; }
        KeyMaker *maker = nullptr;
    } m_attached;
};

} // namespace kobrix
