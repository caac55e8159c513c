#pragma once

#include "discs/DiscIndex.h"
#include "discs/DuplicateKeys.h"
#include "core/LineStore.h"

#include <QString>

#include <span>
#include <string_view>

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
    qsizetype count() const { return m_keys.count(); }
    qsizetype firstLine(qsizetype entry) const
    {
        return m_lines.lineAtByte(std::int64_t(m_keys.firstPosition(entry)));
    }
    QString key(qsizetype entry) const;
    std::string_view utf8Key(qsizetype entry) const { return m_keys.bytes(entry); }
    // The discs that hold it, in the order it first appears on each.
    std::span<const qint32> discs(qsizetype entry) const { return m_keys.discs(entry); }
    // The entry of a line's path or name; -1 when it stands on one disc only
    // or the line belongs to no disc.
    qsizetype entryOfLine(qsizetype line) const;

    // The key of a line of a disc: its path, or the name behind the path's
    // last backslash.
    static std::string_view keyOf(std::string_view path, Key key);

private:
    std::string_view keyOf(qsizetype line) const;

    const LineStore &m_lines;
    const DiscIndex &m_index;
    Key m_keyKind;
    DuplicateKeys m_keys;
};

} // namespace kobrix
