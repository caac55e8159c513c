#pragma once

#include "core/LineStore.h"

#include <QString>
#include <QStringView>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kobrix {

// The discs of a catalog's lines, as the exports need them: every line goes
// to the disc named before its first " - \" (see DiscLine.h), a disc being
// all the lines that carry its name wherever they stand; lines without that
// shape go to one disc of their own, the loose lines. Discs are numbered in
// the order of their first line.
class DiscGroups
{
public:
    void build(const LineStore &lines);

    qsizetype count() const { return qsizetype(m_names.size()); }
    QString name(qsizetype disc) const;
    std::string_view utf8Name(qsizetype disc) const { return m_names[std::size_t(disc)]; }
    bool isLooseLines(qsizetype disc) const { return disc == m_loose; }
    qsizetype fileCount(qsizetype disc) const { return qsizetype(lines(disc).size()); }
    // Its line numbers, ascending.
    std::span<const qint32> lines(qsizetype disc) const
    {
        const std::size_t begin = m_starts[std::size_t(disc)];
        return {m_grouped.data() + begin, m_starts[std::size_t(disc) + 1] - begin};
    }
    qsizetype discOfLine(qsizetype line) const { return m_discOfLine[std::size_t(line)]; }
    // The byte where the paths of a disc's lines start: behind the name and
    // " - ", at the backslash; 0 for the loose lines.
    std::size_t pathStartOfDisc(qsizetype disc) const
    {
        return disc == m_loose ? 0 : m_names[std::size_t(disc)].size() + 3;
    }
    // The disc of that name, -1 when none (never the loose lines).
    qsizetype indexOf(QStringView name) const;
    qsizetype totalFiles() const { return qsizetype(m_discOfLine.size()); }

private:
    std::vector<std::string> m_names;
    qsizetype m_loose = -1;
    std::vector<qint32> m_discOfLine;
    std::vector<qint32> m_grouped;
    std::vector<std::size_t> m_starts{0};
};

} // namespace kobrix
