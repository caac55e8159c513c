#pragma once

#include "core/DiscIndex.h"
#include "core/LineStore.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kobrix {

// The files that stand on more than one disc of a catalog: the same path on
// several discs, or (by file name) the same name in any folder of several
// discs. Compared byte for byte, letter case included. The lines made by hand
// belong to no disc and are left out. Built in one pass over the lines.
class DiscDuplicates
{
public:
    enum class Key { Path, FileName };

    // The line store and the index must stay unchanged while the object is
    // asked; it holds line numbers, not copies.
    DiscDuplicates(const LineStore &lines, const DiscIndex &index, Key key = Key::Path);

    Key keyKind() const { return m_keyKind; }
    // Paths or names on more than one disc, in the order of their first line.
    qsizetype count() const { return qsizetype(m_firstLines.size()); }
    qsizetype firstLine(qsizetype entry) const { return m_firstLines[std::size_t(entry)]; }
    QString key(qsizetype entry) const;
    std::string_view utf8Key(qsizetype entry) const { return keyOf(firstLine(entry)); }
    // The discs that hold it, in the order it first appears on each.
    std::span<const qint32> discs(qsizetype entry) const
    {
        const std::size_t begin = m_discStarts[std::size_t(entry)];
        return {m_discs.data() + begin, m_discStarts[std::size_t(entry) + 1] - begin};
    }
    // The entry of a line's path or name; -1 when it stands on one disc only
    // or the line belongs to no disc.
    qsizetype entryOfLine(qsizetype line) const;

private:
    std::string_view keyOf(qsizetype line) const;
    std::uint64_t hashKey(std::string_view key) const;
    // The slot that holds key (of the given hash), or the free one where it
    // would go.
    std::size_t slotOf(std::string_view key, std::uint64_t hash) const;

    const LineStore &m_lines;
    const DiscIndex &m_index;
    Key m_keyKind;
    // Open addressing: a slot holds the high half of the key's hash and a
    // reference, both 0 when free. The reference is 1 + the first line of a
    // key met on one disc so far, or kOnSeveralDiscs | entry.
    std::vector<std::uint64_t> m_slots;
    std::vector<qint32> m_entryRanks; // entry in the order found -> entry by first line
    std::vector<qint32> m_firstLines;
    std::vector<std::size_t> m_discStarts{0};
    std::vector<qint32> m_discs;
};

} // namespace kobrix
