#pragma once

#include "search/Matcher.h"

#include <QString>

#include <optional>
#include <vector>

namespace kobrix {

class LineStore;
class TaskControl;

// The search of a line store for a text, in steps: the one search loop of
// the windows (run in time slices by a Task) and of kobrix-cli (run to its
// end). The hits are kept in order, in chunks of a bounded size, so that a
// search matching nearly every line never copies one huge array.
class LineSearch
{
public:
    // The text as typed; effectiveSearchText() is applied here.
    LineSearch(const LineStore &lines, QStringView typed);
    // A text made into a matcher once, for many stores searched in turn
    // (the slices of a catalog that kobrix-cli reads one after the other).
    LineSearch(const LineStore &lines, const Matcher &matcher);

    // Searches on until the end of the lines, the end of the control's time
    // slice, or hitBudget new hits (at least one block of lines each call).
    // True when every line has been examined.
    bool step(TaskControl &control);
    // Runs the search to its end.
    void finish();

    // A new text for the lines not yet examined, as when the search box is
    // edited while the search runs.
    void setText(QStringView typed);
    // Hits in one step before it hands back, so that a window can show them
    // while the search goes on; unlimited by default.
    void setHitBudget(qsizetype hits) { m_hitBudget = hits; }

    qsizetype examined() const { return m_next; }
    bool isFinished() const { return m_next >= m_count; }
    // Percent of the lines examined.
    int percentDone() const;
    qsizetype hitCount() const { return m_hitCount; }
    const Matcher &matcher() const { return *m_matcher; }

    // The hits found since the last call, in order.
    std::vector<std::vector<qsizetype>> takeChunks();
    // All hits not taken yet, as one list.
    std::vector<qsizetype> takeHits();

private:
    const LineStore &m_lines;
    std::optional<Matcher> m_matcher;
    qsizetype m_count = 0;
    qsizetype m_next = 0;
    qsizetype m_hitCount = 0;
    qsizetype m_hitBudget = -1;
    std::vector<std::vector<qsizetype>> m_chunks;
};

} // namespace kobrix
