#pragma once

#include "catalog/CatalogPieces.h"
#include "core/LineStore.h"
#include "core/RuntimeError.h"
#include "search/Matcher.h"

#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kobrix {

// What the search of one piece of a catalog found.
struct PieceHits
{
    long long count = 0; // lines holding the text
    // Those lines as UTF-8, each followed by '\n' (no record holds a line
    // end), when the search keeps them.
    std::string lines;
};

// kobrix-cli's search of a catalog file: the file is cut into pieces at line
// starts (catalogPieceBounds) that several threads search at once, while
// the calling thread hands each piece's hits on in file order. What it hands
// on is what reading the file front to back finds, line for line; memory
// stays bounded by a few pieces' hits, whatever the size of the file. A file
// of one piece is searched on the calling thread alone.
class PieceSearch : private CatalogPieceWork
{
public:
    explicit PieceSearch(const Matcher &matcher);
    ~PieceSearch() override;
    PieceSearch(const PieceSearch &) = delete;
    PieceSearch &operator=(const PieceSearch &) = delete;

    // Whether PieceHits::lines is filled (false: only counted).
    void setKeepLines(bool keep) { m_keepLines = keep; }
    // The size of a piece and the threads that search (see
    // CatalogPieceOptions).
    void setPieceBytes(qint64 bytes) { m_options.pieceBytes = bytes; }
    void setThreads(int threads) { m_options.threads = threads; }

    // Searches the catalog file at path, calling visit for each piece in
    // file order; stops early (without error) when visit returns false.
    // Fails as runCatalogPieces() does; the hits of the lines before a
    // failure are handed on first.
    RuntimeError run(const QString &path, const std::function<bool(const PieceHits &)> &visit);

private:
    void begin(std::size_t pieces, int threads) override;
    Outcome read(const QFileDevice &file, std::size_t piece, qint64 begin, qint64 end, int thread,
                 const std::atomic<bool> &stop) override;
    bool handOn(std::size_t piece) override;

    struct Worker;
    const Matcher &m_matcher;
    bool m_keepLines = true;
    CatalogPieceOptions m_options;
    const std::function<bool(const PieceHits &)> *m_visit = nullptr;
    // The stores and buffers of the threads, kept from one catalog to the
    // next so that many small catalogs do not each pay for fresh memory.
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<PieceHits> m_hits; // one a piece, each written by one thread
    // Emptied line buffers of pieces handed on, with their room: a search
    // that keeps many lines fills them again instead of fresh memory.
    std::vector<std::string> m_spareLines;
    std::mutex m_spareMutex;
};

} // namespace kobrix
