#pragma once

#include "catalog/LineStore.h"

#include <QByteArray>
#include <QString>

#include <string_view>

namespace kobrix {

// The separator between the disc name and the listing line of a catalog line.
inline constexpr QStringView kDiscSeparator = u" - ";

// disc name + " - " + listing line.
QString catalogLine(QStringView discName, QStringView listingLine);

// Appends one record to out: a double quote, the line as UTF-8, a double
// quote, CR LF. Quotes inside the line are written as they are.
void appendRecord(QByteArray &out, std::string_view lineUtf8);

// Turns the bytes of one field into UTF-8: valid UTF-8 stays as it is,
// anything else is read as Windows-1252 (catalogs written by older versions
// on Windows are in that code page).
void appendFieldAsUtf8(std::string &out, std::string_view field);

// Splits catalog text into fields, one line at a time, and appends each
// field to a LineStore. Feed it the file in chunks of any size; call
// finish() at the end of the file.
//
// Reading rules of a field: blanks in front of it are skipped; a field that
// begins with a double quote ends at the quote that is followed by blanks and
// then a comma or the line end (or, where no quote is so followed, at the
// first quote) and reading resumes behind the next comma or the line end; any
// other field ends at the next comma or line end. CR LF, LF and CR all end a
// line. An empty line gives one empty field. A final line end gives no extra
// field.
class FieldParser
{
public:
    explicit FieldParser(LineStore &out) : m_out(out) {}

    void feed(std::string_view chunk);
    void finish();

    // Fields of one line, appended to out (exposed for tests and fuzzing).
    static void parseLine(std::string_view line, LineStore &out);

private:
    // Past the line end at lineEnd (CR, LF or CR LF) within a chunk ending at end.
    const char *pastLineEnd(const char *lineEnd, const char *end);

    LineStore &m_out;
    std::string m_pending;     // start of a line whose end has not been fed yet
    bool m_skipLineFeed = false; // the last chunk ended with CR
};

} // namespace kobrix
