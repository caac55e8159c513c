#pragma once

#include "core/LineStore.h"
#include "core/MemoryAdvice.h"

#include <QString>
#include <QStringView>

#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kobrix {

// The discs met in catalog lines handed over one after another: each line
// goes to the disc named before its first " - \" (see DiscLine.h), a disc
// being all the lines that carry its name wherever they stand. Lines without
// that shape (made by hand) go to one disc of their own, the loose lines.
// Discs are numbered in the order of their first line.
//
// Consecutive lines nearly always belong to the same disc, so a line is
// first compared with the name of the previous line's disc; only a line of
// another disc costs a search for its separator and a look-up by name.
class DiscTally
{
public:
    DiscTally();

    void clear();
    // The lines that follow come from another catalog: they form discs of
    // their own, also where a name equals that of a disc counted before.
    void startPart();
    // Parts begun: 1 from the start, one more for each startPart().
    qint32 partCount() const { return qint32(m_partFirstDiscs.size()); }
    // The part whose lines a disc holds.
    qint32 partOf(qint32 disc) const;

    // Counts one catalog line (UTF-8) under its disc; returns the disc.
    qint32 add(std::string_view line)
    {
        if (continuesLastDisc(line)) {
            ++m_lineCounts[std::size_t(m_last)];
            return m_last;
        }
        return addToOtherDisc(line);
    }
    // Whether line carries the name of the disc of the line added last;
    // never for the loose lines, which have no name to compare.
    bool continuesLastDisc(std::string_view line) const
    {
        const std::size_t n = m_lastName.size();
        return m_last >= 0 && !m_lastLoose && line.size() >= n + 4
               && std::memcmp(line.data() + n, " - \\", 4) == 0
               && std::memcmp(line.data(), m_lastName.data(), n) == 0;
    }
    // Adds what later took: the discs of a tally of the lines that follow
    // those added so far (of one part, as a stretch of the same catalog
    // read on another thread), with their line counts, as if its lines had
    // been added here one by one. With numbers, sets (*numbers)[d] to the
    // disc here of later's disc d.
    void addTally(const DiscTally &later, std::vector<qint32> *numbers = nullptr);
    // The disc of the line added last (-1 before the first).
    qint32 lastDisc() const { return m_last; }
    // Counts one more line under lastDisc(), for a caller that checked
    // continuesLastDisc().
    void addToLastDisc() { ++m_lineCounts[std::size_t(m_last)]; }

    qint32 count() const { return qint32(m_names.size()); }
    // The name as UTF-8; empty for the loose lines.
    std::string_view utf8Name(qint32 disc) const { return m_names[std::size_t(disc)]; }
    bool isAsciiName(qint32 disc) const { return m_asciiNames[std::size_t(disc)]; }
    bool isLooseLines(qint32 disc) const { return m_pathStarts[std::size_t(disc)] == 0; }
    // The disc of the lines without the shape of a catalog line (of the
    // last part); -1 while there is none.
    qint32 looseLines() const { return m_loose; }
    qint64 lineCount(qint32 disc) const { return m_lineCounts[std::size_t(disc)]; }
    // Where the path of a line of disc starts: behind the name and " - ", at
    // the backslash; the whole line for the loose lines.
    std::size_t pathStart(qint32 disc) const { return m_pathStarts[std::size_t(disc)]; }
    // The disc of that name in the last part, -1 when none (never the loose
    // lines).
    qint32 indexOf(std::string_view name) const;

private:
    qint32 addToOtherDisc(std::string_view line);
    // The loose lines' disc of the last part, made when missing.
    qint32 looseDisc();
    // A disc of that name, not there before, its slot being slot.
    qint32 newDisc(std::string_view name, bool ascii, std::size_t pathStart, std::size_t hash,
                   std::size_t slot);
    // The slot of name in m_slots: where it stands, or the empty slot where
    // it would go.
    std::size_t slotOf(std::string_view name, std::size_t hash) const;
    void growSlots();

    std::vector<std::string> m_names;
    std::vector<bool> m_asciiNames;
    std::vector<qint64> m_lineCounts;
    std::vector<std::size_t> m_pathStarts; // 0 for loose lines
    std::vector<std::size_t> m_hashes;
    std::vector<qint32> m_slots; // open addressing by name; -1 is free
    std::vector<qint32> m_partFirstDiscs; // the first disc of each part
    qint32 m_loose = -1; // of the last part
    qint32 m_last = -1;
    bool m_lastLoose = false;
    std::string_view m_lastName;
};

// The discs of a catalog's lines: built in one pass over a line store,
// holding line numbers rather than copies of the lines. The names of the
// discs (a few hundred short texts, whatever the size of the catalog) are
// kept, so that the index can name its discs after the store changed.
class DiscIndex
{
public:
    void build(const LineStore &lines);
    // Builds from lines that hold several catalogs one after another: part p
    // (a catalog) is the lines from partStarts[p] up to the next part's
    // start, and its discs are its own (see DiscTally::startPart). The first
    // start is 0; the starts ascend.
    void build(const LineStore &lines, std::span<const qsizetype> partStarts);
    void clear();

    // The catalogs the lines hold (1 when built without parts), and the one
    // of a disc.
    qsizetype partCount() const { return m_tally.partCount(); }
    qsizetype partOf(qsizetype disc) const { return m_tally.partOf(qint32(disc)); }

    // Discs, in the order of their first line.
    qsizetype count() const { return m_tally.count(); }
    // The name as in the lines; empty for the loose lines.
    QString name(qsizetype disc) const;
    std::string_view utf8Name(qsizetype disc) const { return m_tally.utf8Name(qint32(disc)); }
    // The one disc that holds the lines without the shape of a catalog line.
    bool isLooseLines(qsizetype disc) const { return m_tally.isLooseLines(qint32(disc)); }
    qsizetype looseLines() const { return m_tally.looseLines(); }
    // Its lines, one a file.
    qsizetype fileCount(qsizetype disc) const { return qsizetype(m_tally.lineCount(qint32(disc))); }
    // Its line numbers, ascending.
    std::span<const qint32> lines(qsizetype disc) const
    {
        const std::size_t begin = m_groupStarts[std::size_t(disc)];
        return {m_grouped.data() + begin, m_groupStarts[std::size_t(disc) + 1] - begin};
    }
    qsizetype discOfLine(qsizetype line) const { return m_discOfLine[std::size_t(line)]; }
    // The byte where a line's path starts in its UTF-8 text (see DiscTally).
    std::size_t pathStart(qsizetype line) const
    {
        return m_tally.pathStart(m_discOfLine[std::size_t(line)]);
    }
    std::size_t pathStartOfDisc(qsizetype disc) const { return m_tally.pathStart(qint32(disc)); }
    // The disc of that name, -1 when none (never the loose lines); in the
    // last part when there are several.
    qsizetype indexOf(QStringView name) const;
    qsizetype indexOfUtf8(std::string_view name) const { return m_tally.indexOf(name); }
    // Lines indexed: the files of all discs.
    qsizetype totalFiles() const { return qsizetype(m_discOfLine.size()); }

private:
    DiscTally m_tally;
    // Two numbers a line, in huge pages where the system has them.
    std::vector<qint32, LargeTableAllocator<qint32>> m_discOfLine;
    std::vector<qint32, LargeTableAllocator<qint32>> m_grouped; // line numbers, disc after disc
    std::vector<std::size_t> m_groupStarts{0}; // count() + 1 entries
};

} // namespace kobrix
