// kobrix-bench-core: the catalog engine measured in-process.
//
//   kobrix-bench-core [--runs N] CATALOG TEXT...
//
// Loads CATALOG with readCatalog into a LineStore (median of N loads, default
// 5), then searches the loaded lines for each TEXT with Matcher::findIn
// (median of N searches each), and reports the resident memory that the loaded catalog
// takes against the size of the file. Each figure is printed as one
// "key value" line, each search as "search TAB text TAB ms TAB matches", so
// that scripts can pick them up.
//
// The discs of the loaded catalog are measured too: building the index of
// its discs (discs_ms, against load_ms), the folder tree of a disc of
// 100,000 files made from the catalog's first lines (tree_ms), and the
// files on several discs (dupes_ms, dupes_by_name_ms).

#include "catalog/CatalogFile.h"
#include "discs/DiscDuplicates.h"
#include "discs/DiscIndex.h"
#include "core/DiscLine.h"
#include "discs/DiscTree.h"
#include "search/Matcher.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace kobrix;

namespace {

constexpr int kDefaultRuns = 5;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"), 0 when unknown.
long long statusKiB(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::atoll(line.c_str() + length + 1);
    }
    return 0;
}

bool load(const QString &path, LineStore &store, double &ms)
{
    const auto start = Clock::now();
    const RuntimeError error = readCatalog(path, store, ExistingLines::Clear);
    ms = millisecondsSince(start);
    if (error) {
        std::fprintf(stderr, "Error Reading file: %s\n", qPrintable(error.numberAndDescription()));
        return false;
    }
    return true;
}

// Median milliseconds of runs calls of work.
template <typename Work>
double medianMs(int runs, Work &&work)
{
    std::vector<double> ms(static_cast<std::size_t>(runs));
    for (double &m : ms) {
        const auto start = Clock::now();
        work();
        m = millisecondsSince(start);
    }
    return median(ms);
}

// One disc of the first 100,000 lines (fewer when the catalog is smaller):
// "Big - \Disc\path", each line's disc a folder of its own.
LineStore bigDisc(const LineStore &lines)
{
    LineStore big;
    big.setKeepSearchKeys(false);
    std::string line;
    for (qsizetype i = 0; i < std::min<qsizetype>(lines.count(), 100000); ++i) {
        const DiscLineUtf8 split = splitDiscLine(lines.utf8At(i));
        line.assign("Big - \\");
        line.append(split.disc);
        line.append(split.path);
        big.appendUtf8(line);
    }
    return big;
}

void measureDiscs(const LineStore &lines, int runs)
{
    DiscIndex index;
    std::printf("discs_ms %.1f\n", medianMs(runs, [&] { index.build(lines); }));
    std::printf("discs %lld\n", static_cast<long long>(index.count()));

    const LineStore big = bigDisc(lines);
    DiscIndex bigIndex;
    bigIndex.build(big);
    qsizetype folders = 0;
    std::printf("tree_ms %.1f\n", medianMs(runs, [&] {
        const DiscTree tree(big, bigIndex, 0);
        folders = tree.folderCount();
    }));
    std::printf("tree_files %lld\n", static_cast<long long>(big.count()));
    std::printf("tree_folders %lld\n", static_cast<long long>(folders));

    qsizetype entries = 0;
    std::printf("dupes_ms %.1f\n", medianMs(runs, [&] {
        entries = DiscDuplicates(lines, index, DiscDuplicates::Key::Path).count();
    }));
    std::printf("dupes %lld\n", static_cast<long long>(entries));
    std::printf("dupes_by_name_ms %.1f\n", medianMs(runs, [&] {
        entries = DiscDuplicates(lines, index, DiscDuplicates::Key::FileName).count();
    }));
    std::printf("dupes_by_name %lld\n", static_cast<long long>(entries));
}

} // namespace

int main(int argc, char **argv)
{
    int runs = kDefaultRuns;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
        runs = std::atoi(argv[2]);
        argc -= 2;
        argv += 2;
    }
    if (argc < 3 || runs < 1) {
        std::fputs("Usage: kobrix-bench-core [--runs N] CATALOG TEXT...\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    struct stat info {};
    if (::stat(argv[1], &info) != 0) {
        std::fprintf(stderr, "kobrix-bench-core: cannot stat %s\n", argv[1]);
        return 2;
    }
    const double fileBytes = double(info.st_size);

    // The first load goes into the store that is kept and searched; the
    // resident memory it adds is the loaded catalog's footprint.
    const long long rssBefore = statusKiB("VmRSS");
    LineStore lines;
    std::vector<double> loadMs(runs);
    if (!load(path, lines, loadMs[0]))
        return 2;
    const long long rssAfter = statusKiB("VmRSS");
    const long long peak = statusKiB("VmHWM");
    for (int run = 1; run < runs; ++run) {
        LineStore again;
        if (!load(path, again, loadMs[std::size_t(run)]))
            return 2;
    }

    const double catalogRss = double(rssAfter - rssBefore) * 1024.0;
    std::printf("file_bytes %.0f\n", fileBytes);
    std::printf("lines %lld\n", static_cast<long long>(lines.count()));
    std::printf("load_ms %.1f\n", median(loadMs));
    std::printf("load_mb_per_s %.0f\n", fileBytes / 1e6 / (median(loadMs) / 1e3));
    std::printf("store_bytes %zu\n", lines.memoryBytes());
    std::printf("rss_process_kib %lld\n", rssAfter);
    std::printf("rss_peak_kib %lld\n", peak);
    std::printf("rss_catalog_bytes %.0f\n", catalogRss);
    std::printf("rss_ratio %.2f\n", catalogRss / fileBytes);

    measureDiscs(lines, runs);

    for (int i = 2; i < argc; ++i) {
        const QString text = effectiveSearchText(QString::fromLocal8Bit(argv[i]));
        const Matcher matcher(text);
        std::vector<double> searchMs(runs);
        std::vector<qsizetype> hits;
        for (int run = 0; run < runs; ++run) {
            hits.clear();
            const auto start = Clock::now();
            matcher.findIn(lines, 0, lines.count(), hits);
            searchMs[std::size_t(run)] = millisecondsSince(start);
        }
        // Tab-separated: the text may hold blanks.
        std::printf("search\t%s\t%.1f\t%zu\n", argv[i], median(searchMs), hits.size());
    }
    return 0;
}
