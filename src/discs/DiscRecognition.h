#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QIODevice;

namespace kobrix {

// A disc of a catalog as like a scanned disc as the catalog tells.
struct DiscLikeness
{
    QString disc;            // its name as the catalog holds it
    qsizetype shared = 0;    // listing lines of the scan that the disc holds too
    qsizetype discFiles = 0; // the disc's records
};

// Recognises a scanned disc by its contents: compares the scan's listing
// with every disc of a catalog in one pass over the catalog file, which is
// streamed, never held. A disc shares a listing line with the scan when one
// of its records holds that line as its path; a line the scan holds once
// and a disc twice is shared once. The lines without a disc name (made by
// hand) belong to no disc that could be recognised and are passed over.
//
// The discs sharing the most lines come first (of those sharing as many,
// the one with fewer files, then the one whose first record comes first), at
// most kMostShown of them, none that shares nothing. The
// scan is the same disc, perhaps changed, when the best shares at least 90%
// of its own records and 90% of the scan's lines.
class DiscRecognition
{
public:
    static constexpr qsizetype kMostShown = 5;

    // Takes a copy of the listing's lines, so the listing may change or go
    // while the comparison runs on another thread.
    explicit DiscRecognition(const LineStore &listing);

    // Reads the catalog without taking the catalog slot: a comparison in
    // the background must never keep the user's own reads and writes
    // waiting. Stops early, with no error, once cancel is set.
    RuntimeError compareWith(const QString &catalogPath, const std::atomic<bool> *cancel = nullptr);
    RuntimeError compareWith(QIODevice &catalog, const std::atomic<bool> *cancel = nullptr);

    bool wasCancelled() const { return m_cancelled; }
    const std::vector<DiscLikeness> &best() const { return m_best; }
    qsizetype scanFiles() const { return m_scanFiles; }
    bool isSameDisc() const { return !m_best.empty() && isSameDisc(m_best.front(), m_scanFiles); }
    static bool isSameDisc(const DiscLikeness &disc, qsizetype scanFiles);

private:
    struct ScanPath
    {
        std::size_t offset = 0; // in m_pathBytes
        std::size_t size = 0;
        std::uint64_t hash = 0;
        qsizetype count = 0;    // how often the scan holds it
    };
    qsizetype findPath(std::string_view path) const;
    void takeRun(std::string_view run, std::size_t start);
    void takeField(std::string_view field, bool hasHighBytes);
    void takeRecord(std::string_view utf8);
    int discOf(std::string_view name);
    void rank();

    std::string m_pathBytes;
    std::vector<ScanPath> m_paths;
    std::vector<std::uint32_t> m_table; // open addressing: path index + 1, 0 empty
    std::uint64_t m_mask = 0;
    // One bit per quick key of the scan's paths (quickKeyOf): a path whose
    // bit is clear is none of them.
    std::vector<std::uint64_t> m_filter;
    std::uint64_t m_filterMask = 0;
    qsizetype m_scanFiles = 0;

    // Per disc, in the order of first records.
    std::unordered_map<std::string, int> m_discIds;
    std::vector<std::string> m_discNames;
    std::vector<qsizetype> m_discFiles;
    std::vector<qsizetype> m_discShared;
    // Records of disc and scan path seen so far (disc << 32 | path), for
    // the paths a disc holds more than once.
    std::unordered_map<std::uint64_t, qsizetype> m_pairs;
    std::string m_lastDisc; // the disc of the last record: most records follow one of theirs
    int m_lastDiscId = -1;
    std::string m_decoded;
    LineStore m_fields;
    RuntimeError m_error;
    bool m_cancelled = false;
    std::vector<DiscLikeness> m_best;
};

} // namespace kobrix
