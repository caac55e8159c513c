#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"

#include <QByteArray>
#include <QString>

#include <string_view>

class QIODevice;

namespace kobrix {

// The separator between the disc name and the listing line of a catalog line.
inline constexpr QStringView kDiscSeparator = u" - ";

// The longest record the reader takes, in bytes. A path on a disc is at most
// a few thousand bytes; a longer "record" is a file that is no catalog (or a
// damaged one), and reading it whole would only exhaust the memory.
inline constexpr std::size_t kMaxRecordBytes = std::size_t(1) << 20;

// Error 59 naming the record (its line number, from 1) that is longer than
// maxRecordBytes; without the number when record is 0 (not known).
RuntimeError recordTooLongError(qint64 record, std::size_t maxRecordBytes = kMaxRecordBytes);

// disc name + " - " + listing line.
QString catalogLine(QStringView discName, QStringView listingLine);

// The disc name as it goes into records: every control character (C0, DEL,
// C1) replaced by U+FFFD, as in file names, so that one record is always one
// line whatever was typed or pasted.
QString recordDiscName(QStringView discName);

// Why discName cannot name a disc of a catalog, or an empty text when it can
// (the message every program shows before it scans or writes anything). An
// empty name names nothing; a name holding " - \" could never be found
// again, as a catalog line's disc name ends at its first " - \".
QString discNameProblem(QStringView discName);

// Appends one record to out: a double quote, the line as UTF-8, a double
// quote, CR LF. Quotes inside the line are written as they are. The line is
// prefix followed by text (the disc name and separator, then a listing line).
void appendRecord(QByteArray &out, std::string_view prefixUtf8, std::string_view textUtf8);
inline void appendRecord(QByteArray &out, std::string_view lineUtf8)
{
    appendRecord(out, {}, lineUtf8);
}

// Writes one disc block to out: a record (see appendRecord) of "discName -
// line" for each listing line, control characters of the disc name replaced
// (recordDiscName). lead goes before the first record. The records are
// handed to out about a megabyte at a time. Every writer of catalog files
// writes its records through this function.
//
// Fails with the error of the first write that does not go through whole
// (by the system's error number; 57 when the device gives none); what was
// handed over before stays written.
RuntimeError writeDiscBlock(QIODevice &out, QStringView discName, const LineStore &listing,
                            const QByteArray &lead = QByteArray());

// Turns the bytes of one field into UTF-8: valid UTF-8 stays as it is,
// anything else is read as Windows-1252 (catalogs written by older versions
// on Windows are in that code page).
void appendFieldAsUtf8(std::string &out, std::string_view field);

// The Windows-1252 bytes of text, as an older version wrote them, appended
// to out; false (out then undefined) when text holds a character that code
// page lacks.
bool appendAsWindows1252(std::string &out, QStringView text);

// The first double quote, CR or LF in [from, end), or end: where a field or a
// line of catalog text may stop. Sets hasHighBytes when a byte >= 0x80 lies
// before it (only such text may need converting to UTF-8). Sixteen bytes a
// step where the processor allows.
const char *findQuoteOrLineEnd(const char *from, const char *end, bool &hasHighBytes);

// Splits catalog text into fields, one line at a time, and appends each
// field to a LineStore. Feed it the file in chunks of any size; call
// finish() at the end of the file.
//
// Reading rules of a field: blanks in front of it are skipped; a field that
// begins with a double quote ends at the last quote of its line when only
// blanks follow that quote; otherwise at the first quote followed by blanks
// and a comma, or failing that at the first quote; reading resumes behind the
// next comma or the line end. Any other field ends at the next comma or line
// end. CR LF, LF and CR all end a line. An empty line gives one empty field.
// A final line end gives no extra field. A UTF-8 byte-order mark at the very
// start of the file is skipped.
//
// A line longer than kMaxRecordBytes stops the parser with error 59 naming
// the record (its line number); nothing after it is read.
class FieldParser
{
public:
    explicit FieldParser(LineStore &out, std::size_t maxRecordBytes = kMaxRecordBytes)
        : m_out(out), m_maxRecordBytes(maxRecordBytes)
    {
    }

    void feed(std::string_view chunk);
    void finish();

    // Set when a record was too long; feed() and finish() then do nothing.
    const RuntimeError &error() const { return m_error; }

    // For a reader that can read its bytes again from the start: runs of
    // lines that a skip passes over are not counted, as counting their line
    // ends costs a search that finds little about a sixth of its time. A
    // record too long then gives error 59 without its number, and
    // tooLongRecordOffset() tells where it starts among the bytes fed, for
    // the reader to count the lines before it (lineNumberAt).
    void setCountSkippedLines(bool count) { m_countSkipped = count; }
    // The bytes fed start at a line start inside a file, not at its start
    // (a piece of a catalog read on another thread): no byte-order mark is
    // looked for, and a record too long is told by its offset among the
    // bytes fed, as the lines before them are not known. Call before the
    // first feed(), with setCountSkippedLines(false).
    void setStartsInsideFile()
    {
        m_startChecked = true;
        m_linesKnown = false;
    }
    // The offset of the record too long among the bytes fed, when its
    // number is not known; -1 otherwise.
    std::int64_t tooLongRecordOffset() const { return m_tooLongOffset; }

    // What a line filter is handed: the text of a quoted record (the bytes
    // between its quotes) or a whole line of another shape, with what the
    // reading found out about it on the way.
    struct FilterText
    {
        std::string_view bytes;
        // The text between a record's quotes: exactly its one field, as
        // stored when the filter lets it through.
        bool oneField = false;
        // Holds a byte >= 0x80; always set where not looked at (a whole line).
        bool highBytes = true;
        // Known to be well-formed UTF-8 (checked with the bytes around it).
        bool knownUtf8 = false;
    };

    // Lines for which filter(context, text) is false are passed over: they
    // are counted (for the record numbers) but not stored. A reader that
    // only looks for lines holding some text uses it to skip the cost of
    // storing every other line; one that looks at every line and keeps
    // little of it, to take the lines it can without storing them. No
    // filter: every line is stored.
    //
    // With skip as well, whole runs of lines are passed over at once:
    // skip(context, bytes) gives the first position in bytes where a line
    // that passes the filter may hold its text (npos: nowhere), and the
    // lines that end before it are only counted.
    //
    // Where skip names a place inside the text of a quoted record and
    // finding it there is all the filter would check (SkipRule::Settles),
    // that record is taken without asking the filter again: with a text
    // that most lines hold, that second look cost as much as the skip.
    // A reader that decides every line it is handed itself (a search) may
    // say so (SkipRule::SettlesAndSearchDecides): where nearly every record
    // holds what skip looks for, quoted records are then taken for a while
    // without the skip or the filter, which would only find it again; one
    // in so many is still looked at, and the first without it ends the run.
    using LineFilter = bool (*)(const void *context, const FilterText &text);
    using SkipTo = std::size_t (*)(const void *context, std::string_view bytes);
    enum class SkipRule { Hint, Settles, SettlesAndSearchDecides };
    void setLineFilter(LineFilter filter, const void *context, SkipTo skip = nullptr,
                       SkipRule rule = SkipRule::Hint)
    {
        m_filter = filter;
        m_filterContext = context;
        m_skip = filter ? skip : nullptr;
        m_skipSettles = m_skip && rule != SkipRule::Hint;
        m_searchDecides = m_skip && rule == SkipRule::SettlesAndSearchDecides;
    }

    // Fields of one line, appended to out (exposed for tests and fuzzing).
    static void parseLine(std::string_view line, LineStore &out);

private:
    void feedText(std::string_view chunk);
    // Past the line end at lineEnd (CR, LF or CR LF) within a chunk ending at end.
    const char *pastLineEnd(const char *lineEnd, const char *end);
    // Whether a line of lineBytes bytes so far, the last of them just
    // before `at` in the chunk ending at end, is too long for a record.
    bool tooLong(std::size_t lineBytes, const char *at, const char *end);
    void takeLine(std::string_view line);
    // Passes over the lines of [p, end) that end before the next place the
    // skip function names; returns where reading goes on.
    const char *skipLines(const char *p, const char *end, const char *&candidate);
    // Weighs whether a skip found the clue in the very next record
    // (SkipRule::SettlesAndSearchDecides).
    void noteSkip(bool toNextRecord);

    LineStore &m_out;
    std::size_t m_maxRecordBytes;
    std::string m_pending;     // start of a line whose end has not been fed yet
    bool m_skipLineFeed = false; // the last chunk ended with CR
    bool m_startChecked = false; // the file's first bytes were checked for a byte-order mark
    int m_bomBytes = 0;          // bytes of a byte-order mark matched so far
    std::int64_t m_lines = 0;    // lines ended so far, while m_linesKnown
    bool m_countSkipped = true;
    bool m_linesKnown = true;    // no skip passed over lines uncounted
    std::int64_t m_fedBytes = 0; // bytes fed, a byte-order mark included
    std::int64_t m_fedEnd = 0;   // offset just past the text feedText has in hand
    std::int64_t m_tooLongOffset = -1;
    RuntimeError m_error;
    LineFilter m_filter = nullptr;
    const void *m_filterContext = nullptr;
    SkipTo m_skip = nullptr;
    bool m_skipSettles = false;
    // SkipRule::SettlesAndSearchDecides: of the last skips, how many there
    // were and how many found the next record holding the clue; quoted
    // records still to take without a look.
    bool m_searchDecides = false;
    int m_skips = 0;
    int m_skipsToNextRecord = 0;
    int m_takeWithoutLook = 0;
};

} // namespace kobrix
