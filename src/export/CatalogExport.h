#pragma once

#include "discs/DiscIndex.h"
#include "core/LineStore.h"
#include "core/RuntimeError.h"

#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace kobrix {

// What an export lists: lines of a line store, disc by disc. It holds line
// numbers, not copies; the store must outlive it and stay unchanged.
class ExportContent
{
public:
    struct Disc
    {
        QString name;              // empty for the loose lines
        QString catalog;           // where several catalogs are listed: the disc's
        bool looseLines = false;   // the lines without the " - \" shape
        std::size_t pathStart = 0; // byte where a line's path starts (0: loose lines)
        std::size_t begin = 0;     // its lines in lineNumbers()
        std::size_t end = 0;
        qsizetype indexDisc = -1;  // its number in the disc index
    };

    // The whole catalog: every disc in the order of its first line, each
    // with all its lines in catalog order.
    static ExportContent wholeCatalog(const LineStore &lines, const DiscIndex &discs);
    // The discs given (numbers of the index), in the order given; a disc
    // given twice is listed once.
    static ExportContent selectedDiscs(const LineStore &lines, const DiscIndex &discs,
                                       std::span<const qsizetype> which);
    // The lines given (search results, for instance), grouped by disc: the
    // discs in the order of their first line among those given, the lines
    // of each in the order given.
    static ExportContent selectedLines(const LineStore &lines, const DiscIndex &discs,
                                       std::span<const qsizetype> which);

    // Names the catalog of disc i, where several catalogs are listed
    // together. The disc's name stays exactly as its lines have it; the
    // catalog gets a column of its own in CSV and a line below the disc's
    // heading in the HTML page and the listing.
    void setDiscCatalog(qsizetype i, const QString &catalog)
    {
        m_discs[std::size_t(i)].catalog = catalog;
    }
    // Whether a disc was given its catalog.
    bool namesCatalogs() const;
    // What heads a disc's part of a page or listing.
    static QString headingOf(const Disc &d);

    const LineStore &store() const { return *m_store; }
    qsizetype discCount() const { return qsizetype(m_discs.size()); }
    const Disc &disc(qsizetype i) const { return m_discs[std::size_t(i)]; }
    // The line numbers of disc i.
    std::span<const qint32> linesOf(qsizetype i) const
    {
        const Disc &d = m_discs[std::size_t(i)];
        return {m_lines.data() + d.begin, d.end - d.begin};
    }
    qsizetype lineCount() const { return qsizetype(m_lines.size()); }

    // A line of disc d split for the listings: the folder is its path up to
    // and including the last backslash ("\" for the root, "\DATA\" for a
    // folder), the file the rest; disc name, " - ", folder and file give the
    // catalog line back. A loose line has no folder: it is all file.
    struct Entry
    {
        std::string_view folder;
        std::string_view file;
    };
    Entry entry(const Disc &d, qint32 line) const;

private:
    explicit ExportContent(const LineStore &lines)
        : m_store(&lines)
    {}
    void addDisc(const DiscIndex &discs, qsizetype disc);

    const LineStore *m_store;
    std::vector<Disc> m_discs;
    std::vector<qint32> m_lines;
};

// What an export says about itself, and how a caller follows it.
struct ExportOptions
{
    // The page's title and heading (HTML, PDF): the catalog's name.
    QString title;
    // Called every few thousand lines with the lines written and the total;
    // returning false stops the export, which then reports Cancelled.
    std::function<bool(qsizetype written, qsizetype total)> progress;
    // CSV cells exactly as the lines hold them, even those a spreadsheet
    // would run as formulas (see writeCsv).
    bool rawCsv = false;
};

enum class ExportFormat { Csv, Html, Pdf };

enum class ExportResult {
    Written,
    WriteFailed, // the device's errorString() says why
    Cancelled,
};

// CSV by RFC 4180: a byte-order mark, the header row "Disc,Folder,File",
// then one row per line, CR LF after every row. A field holding a comma, a
// double quote, CR or LF is enclosed in double quotes, its quotes doubled.
// Folder and file are as ExportContent::Entry says; loose lines have an
// empty disc and folder and the whole line as the file. Where content names
// the discs' catalogs, a fourth column "Catalog" holds each disc's.
//
// Unless options.rawCsv, a cell that a spreadsheet would take for a formula
// (it starts with =, +, -, @, a tab or a CR) gets a ' in front and double
// quotes around it, and a cell holding a ';' (the separator of spreadsheets
// set up for it) double quotes, as OWASP advises against CSV injection: the
// spreadsheet shows the text, and runs nothing.
//
// The chosen discs or lines of content, disc by disc:
ExportResult writeCsv(const ExportContent &content, QIODevice &out,
                      const ExportOptions &options = {});
// The whole catalog, its lines in catalog order (a spreadsheet sorts them
// as it likes; each row names its disc):
ExportResult writeCsv(const LineStore &lines, QIODevice &out, const ExportOptions &options = {});

class ExportBuffer;

// The CSV export of catalog lines handed over as they are read, so that a
// catalog of any size is exported without being held: the header on
// construction, a row per add(), then finish() (see writeCsv).
class CsvLineWriter
{
public:
    // total: the lines to come, for options.progress (0 when unknown).
    CsvLineWriter(QIODevice &out, const ExportOptions &options, qsizetype total = 0);
    ~CsvLineWriter();
    CsvLineWriter(const CsvLineWriter &) = delete;
    CsvLineWriter &operator=(const CsvLineWriter &) = delete;

    // One catalog line (UTF-8); false when writing failed or was cancelled.
    bool add(std::string_view line);
    bool addAll(const LineStore &lines);
    ExportResult finish();

private:
    std::unique_ptr<ExportBuffer> m_buffer;
    std::string m_discName; // of the line added last, and its field
    std::string m_discField;
    bool m_hasDisc = false;
    bool m_raw = false;
};

// The device an export writes to, passing everything on to target and
// keeping the system's error of the first write that fails: Qt's file
// classes say why only in words ("Unknown error" after some failures), an
// export says it in the program's numbers, as a catalog write does (61 for
// a full disk or a file size limit). Give it a target that writes through
// (opened Unbuffered), so that a failure shows at the write that meets it.
class ExportTargetDevice : public QIODevice
{
public:
    explicit ExportTargetDevice(QIODevice &target);

    // The error of the first write that failed; none when all went through.
    const RuntimeError &error() const { return m_error; }
    // Why the export could not be written, for a message: that error by its
    // number, or else what the target says.
    QString failureReason() const;
    // Why opening or committing file failed: the system's error the call
    // left (clear errno before it) by its number, or else what file says.
    static QString systemFailureReason(const QIODevice &file);
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QIODevice &m_target;
    RuntimeError m_error;
};

// One self-contained HTML page (no script, style or font from elsewhere): a
// heading, a filter box, a table of contents with each disc's file count,
// then a section per disc with a table of folders and files. The filter
// hides the lines whose catalog line does not hold its text (case folded).
ExportResult writeHtml(const ExportContent &content, QIODevice &out,
                       const ExportOptions &options = {});

} // namespace kobrix
