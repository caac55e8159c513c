#pragma once

#include "catalog/LineStore.h"

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

namespace kobrix {

// The search text with leading and trailing U+0020 removed; tabs and other
// white space stay.
QString effectiveSearchText(QStringView typed);

// Decides whether a catalog line contains the search text, ignoring letter
// case by Unicode simple case folding. An empty text matches every line that
// has at least one character. ASCII texts are searched over the raw UTF-8
// bytes of a whole range of lines at once; lines holding other characters get
// the full Unicode comparison.
class Matcher
{
public:
    explicit Matcher(QStringView effectiveText);

    bool matches(QStringView line) const;
    bool matchesUtf8(std::string_view line) const;

    // Appends to out, in ascending order, the indices in [from, to) of the
    // lines of store that match.
    void findIn(const LineStore &store, qsizetype from, qsizetype to,
                std::vector<qsizetype> &out) const;

    // Number of matching lines in the whole store.
    qsizetype countIn(const LineStore &store) const;

private:
    void findAscii(const LineStore &store, qsizetype from, qsizetype to,
                   std::vector<qsizetype> &out) const;
    bool foldedContains(QStringView line) const;

    QString m_folded;           // the text, case folded
    QByteArray m_asciiLower;    // the text in ASCII lower case, when it is ASCII
    bool m_ascii = false;
    bool m_empty = false;
    // True when a non-ASCII letter folds onto a letter of the text (the
    // Kelvin sign onto k, the long s onto s), so non-ASCII lines need the
    // Unicode comparison even for an ASCII text.
    bool m_foldsFromNonAscii = false;
    std::array<std::uint32_t, 256> m_skip{}; // Horspool shift per byte
};

} // namespace kobrix
