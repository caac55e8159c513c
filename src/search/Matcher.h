#pragma once

#include "catalog/CatalogFormat.h"
#include "core/LineStore.h"
#include "search/BytePattern.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace kobrix {

// The search text with leading and trailing U+0020 removed; tabs and other
// white space stay.
QString effectiveSearchText(QStringView typed);

// Decides whether a catalog line contains the search text, ignoring letter
// case by Unicode simple case folding and treating canonically equivalent
// forms alike ("é" finds "e" + U+0301 and the other way round): a line
// matches when its search key (SearchKey.h) contains the text's. An empty
// text matches every line that has at least one character.
//
// The search runs over whole blocks of bytes: an ASCII text over the lines
// themselves (ASCII case ignored on the fly), any other text over the search
// keys that the line store keeps for its non-ASCII lines. Either way the cost
// is that of one pass over the bytes, whatever the script.
class Matcher
{
public:
    explicit Matcher(QStringView effectiveText);

    // Appends to out, in ascending order, the indices in [from, to) of the
    // lines of store that match.
    void findIn(const LineStore &store, qsizetype from, qsizetype to,
                std::vector<qsizetype> &out) const;

    // Number of matching lines in the whole store.
    qsizetype countIn(const LineStore &store) const;

    // True when the text's key is ASCII: such a search needs no search keys
    // in the store (a store without them is searched correctly either way).
    bool isAscii() const { return m_ascii; }

    // True when the text gives a reader something to pass lines over by:
    // an ASCII text, or a run of ASCII or caseless characters in it. Without
    // one, every line outside ASCII may hold the text, and a store that keeps
    // their search keys is searched fastest.
    bool hasClue() const
    {
        return m_ascii || !m_asciiRun.isEmpty() || !m_literalRun.isEmpty() || !m_spellings.isEmpty();
    }

    // False only when the raw bytes of a catalog record (as in the file, in
    // UTF-8 or Windows-1252) cannot hold a matching line, so a reader may
    // pass the record over. Always true for a non-ASCII text.
    bool mayMatchRecord(std::string_view bytes) const;
    // The first position in bytes (raw records, several lines) where a
    // record that mayMatchRecord() lets through can hold the text; npos when
    // nowhere. 0 when the text gives no such clue.
    std::size_t nextPossibleMatch(std::string_view bytes) const;

    // The same as a line filter for the catalog reader; context is the Matcher.
    // True when a record whose text holds a place nextPossibleMatch() named
    // surely passes mayMatchRecord(): the clue found there is all that
    // looks for, and holding no quote or line end it lies wholly inside the
    // record. A reader may then take such a record without asking again.
    bool clueSettlesRecord() const;

    static bool mayMatchRecordFilter(const void *matcher, const FieldParser::FilterText &text)
    {
        return static_cast<const Matcher *>(matcher)->mayMatchRecord(text.bytes);
    }
    static std::size_t nextPossibleMatchFilter(const void *matcher, std::string_view bytes)
    {
        return static_cast<const Matcher *>(matcher)->nextPossibleMatch(bytes);
    }

private:
    void findAsciiText(const LineStore &store, qsizetype from, qsizetype to,
                       std::vector<qsizetype> &out) const;
    void findInKeys(const LineStore &store, qsizetype from, qsizetype to,
                    std::vector<qsizetype> &out) const;
    // The first place at or after from where the text's clue (its ASCII
    // text or run, or its literal run) stands; from itself without a clue.
    std::size_t nextClue(std::string_view bytes, std::size_t from) const;
    // Whether line holds the key byte for byte where its own key keeps it
    // (for a text with m_keyKeptInLines), looking for its spellings from
    // fromSpelling on.
    bool holdsKeySurely(std::string_view line, std::size_t fromSpelling = 0) const;
    bool keyOfLineContains(const LineStore &store, qsizetype line, std::size_t keyIndex) const;
    // Whether the key made for line holds the text.
    bool madeKeyContains(std::string_view utf8) const;
    // findInKeys for a text with m_keyKeptInLines in a store without keys:
    // of the non-ASCII lines [kFrom, kTo), those holding the text.
    void findKeptInLines(const LineStore &store, qsizetype kFrom, qsizetype kTo,
                         std::vector<qsizetype> &out) const;

    QByteArray m_key; // the text's search key
    // The key as searched for: in the lines themselves, ASCII case ignored,
    // for an ASCII text; in the search keys for any other.
    BytePattern m_keyPattern;
    bool m_ascii = false;
    // A text outside ASCII whose key stands in any line's key where the line
    // holds it byte for byte (see isKeptInKeys): such lines need no key.
    bool m_keyKeptInLines = false;
    // The spellings of such a key that lines hold where their keys hold it
    // (see charactersKeptAs): the key itself first, then "Σ", "ς" for "σ".
    std::vector<BytePattern> m_keyInLines;
    bool m_empty = false;
    // The lookalikes of the ASCII characters of the text (the Kelvin sign
    // for k, ...): lines holding them are checked by their keys.
    std::vector<std::string_view> m_lookalikes;
    // For a text with other characters, its longest run of ASCII ones
    // (lower case), which every line holding the text holds too, ASCII case
    // aside, or a lookalike of a character of it; empty when too short to
    // tell lines apart.
    BytePattern m_asciiRun;
    std::vector<std::string_view> m_runLookalikes;
    // Failing such a run, the longest run of characters that keys hold
    // only where the lines do (isLiteralInKeys), as UTF-8.
    BytePattern m_literalRun;
    // Failing that too, the spellings of a run of characters that keys hold
    // only where the lines hold one of a few characters (see keySources):
    // "лка", "Лка" ... "ЛКА". Every line holding the text holds one of them.
    BytePatternSet m_spellings;
};

} // namespace kobrix
