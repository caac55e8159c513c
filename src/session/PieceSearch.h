#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"
#include "search/Matcher.h"

#include <QString>

#include <functional>
#include <memory>
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
class PieceSearch
{
public:
    explicit PieceSearch(const Matcher &matcher);
    ~PieceSearch();
    PieceSearch(const PieceSearch &) = delete;
    PieceSearch &operator=(const PieceSearch &) = delete;

    // Whether PieceHits::lines is filled (false: only counted).
    void setKeepLines(bool keep) { m_keepLines = keep; }
    // The size of a piece (4 MB by default) and the threads that search
    // (by default as many as the processor runs at once, at most 4).
    void setPieceBytes(qint64 bytes) { m_pieceBytes = bytes; }
    void setThreads(int threads) { m_threads = threads; }

    // Searches the catalog file at path, calling visit for each piece in
    // file order; stops early (without error) when visit returns false.
    // Opens the file as CatalogReader does and fails as it does: on the
    // open, at a read, and with 59 naming the first record that is too long
    // (after the hits of the lines before it were handed on).
    RuntimeError run(const QString &path, const std::function<bool(const PieceHits &)> &visit);

private:
    struct Worker;
    struct Shared;
    void searchPiece(Shared &shared, std::size_t piece, Worker &worker);
    void workOn(Shared &shared, Worker &worker);

    const Matcher &m_matcher;
    bool m_keepLines = true;
    qint64 m_pieceBytes = qint64(4) << 20;
    int m_threads = 0;
    // The stores and buffers of the threads, kept from one catalog to the
    // next so that many small catalogs do not each pay for fresh memory.
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<std::string> m_spareLines;
};

} // namespace kobrix
