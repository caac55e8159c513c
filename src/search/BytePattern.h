#pragma once

#include <QByteArray>

#include <cstddef>
#include <string_view>
#include <vector>

namespace kobrix {

// A byte string looked for in large blocks of text. Two of its bytes are
// compared at sixteen positions at a time; only where both agree is the whole
// string compared. Ignoring ASCII case, those are its first and last bytes;
// matched exactly (UTF-8 text), the two least likely to stand in catalog
// lines: the last byte of a kana, say, rather than the lead byte that every
// kana shares, which would stop the search at every character of a Japanese
// name.
class BytePattern
{
public:
    enum class Case { Exact, IgnoreAscii };

    BytePattern() = default;
    // With Case::IgnoreAscii the ASCII letters of bytes must be in lower
    // case; text is then matched with the case of its ASCII letters ignored.
    BytePattern(QByteArray bytes, Case caseRule);

    const QByteArray &bytes() const { return m_bytes; }
    bool isEmpty() const { return m_bytes.isEmpty(); }
    std::size_t size() const { return std::size_t(m_bytes.size()); }

    // The first position at or after from where the pattern occurs in text;
    // npos when nowhere. An empty pattern occurs at from.
    std::size_t find(std::string_view text, std::size_t from = 0) const;

    // Whether the pattern stands in text at position at.
    bool occursAt(std::string_view text, std::size_t at) const
    {
        return at <= text.size() && text.size() - at >= m_size
            && equalsAt(reinterpret_cast<const unsigned char *>(text.data()) + at);
    }

    // The two positions of the pattern compared first (for tests).
    std::size_t firstAnchor() const { return m_first; }
    std::size_t secondAnchor() const { return m_second; }

private:
    friend class BytePatternSet;
    bool equalsAt(const unsigned char *text) const;

    QByteArray m_bytes;
    const unsigned char *m_data = nullptr; // m_bytes, as compared
    std::size_t m_size = 0;
    std::size_t m_first = 0;
    std::size_t m_second = 0;
    bool m_ignoreCase = false;
};

// Several patterns looked for together: one pass over the text for all of
// them, where looked for one after the other, a pattern that is rare would
// be searched far ahead again after each place where a frequent one stands.
// Patterns that agree on two of their bytes but for the bit that tells
// ASCII and most Cyrillic and Greek capitals from small letters (the
// spellings of one word: "лка", "Лка" ... "ЛКА") share one comparison.
class BytePatternSet
{
public:
    BytePatternSet() = default;
    explicit BytePatternSet(std::vector<BytePattern> patterns);

    const std::vector<BytePattern> &patterns() const { return m_patterns; }
    bool isEmpty() const { return m_patterns.empty(); }

    // The first position at or after from where any of the patterns
    // occurs; npos when none does.
    std::size_t find(std::string_view text, std::size_t from = 0) const;

    // The pair of bytes compared for a group of the patterns: at offsets
    // first and second of a place, with caseBit set on the text's bytes.
    struct Probe
    {
        std::size_t first = 0;
        std::size_t second = 0;
        unsigned char b1 = 0;
        unsigned char b2 = 0;
        unsigned char caseBit = 0;
    };
    // The comparisons a search makes at each place (for tests).
    std::size_t probeCount() const { return m_probes.size(); }

private:
    std::vector<BytePattern> m_patterns;
    std::vector<Probe> m_probes; // each pattern's occurrences pass one of them
    std::size_t m_longest = 0;
    bool m_hasEmpty = false;
};

// The first byte >= 0x80 at or after from in text; npos when none.
std::size_t findNonAscii(std::string_view text, std::size_t from = 0);

// The first CR or LF at or after from in text; text.size() when none.
std::size_t findLineEnd(std::string_view text, std::size_t from);

} // namespace kobrix
