#pragma once

// What every kobrix-cli command shares: its error reporting, its watched
// standard output, the scan of a root and the slice-by-slice catalog read.

#include "catalog/CatalogFile.h"
#include "core/LineStore.h"
#include "core/RuntimeError.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <string>
#include <string_view>
#include <utility>

namespace kobrix {
class DiscIndex;
}

namespace kobrix::cli {

// Prints the usage text on stderr; returns 2.
int usage();

// "heading: number - description" on stderr; the exit code of an error (2).
int fail(const QString &heading, const RuntimeError &error);

// A message of the program's own on stderr; returns 2.
int failWith(const QString &message);

// One line on stderr (UTF-8 text, as the stream takes it: see writeText in
// CliTerminal.h): exactly as given, or on a terminal with its control
// characters shown (see CliTerminal.h), since a message may echo a name
// taken from a catalog or typed by a script.
void printError(std::string_view message);

// "--" ends the options. The entry point takes it out of the arguments and
// says here how many came after it; takeOption and takeFlag look only at the
// arguments before those, so that a text such as "--count" or "-readme"
// after "--" stays a plain argument of the command.
void setPlainArgumentCount(qsizetype count);

// Takes "--name VALUE" out of args. Returns false when the option is absent
// or has no value after it; value then stays untouched.
bool takeOption(QStringList &args, QLatin1String name, QString &value);
// Takes "--name" out of args; true when it was there.
bool takeFlag(QStringList &args, QLatin1String name);

// Standard output, watched for write errors: a listing cut short by a full
// disk or a closed pipe must not look complete to the script reading it.
class Output
{
public:
    // On a terminal, lines are shown with their control characters made
    // visible, and on a Windows console as UTF-16 (see CliTerminal.h);
    // elsewhere they are written exactly.
    Output();
    void line(std::string_view text);
    void text(std::string_view text);
    // Lines each ended by '\n' (none holding one), each after prefix.
    void lines(std::string_view prefix, std::string_view block);
    bool failed() const { return m_failed; }
    // Writes out what is buffered, so that a message on stderr comes after
    // the lines printed before it.
    void flush();
    // Flushes; on failure says so on stderr. Returns the exit code to use
    // when output failed (2), or `code`.
    int finish(int code);

private:
    void fail();
    bool m_failed = false;
    bool m_terminal = false;
    int m_errno = 0;
    std::string m_scratch;
    std::string m_line;
};

// Scans root (a folder or a disc image) into listing; prints the error and
// returns false on failure.
bool scan(const QString &root, LineStore &listing);

// The arguments "CATALOG --disc NAME ROOT" of write, append and update: takes
// them, refuses an empty disc name, scans ROOT and refuses an empty listing.
// Returns 0 when all went well, else the exit code (after saying why).
int takeDiscScan(const QStringList &args, QString &catalog, QString &disc, LineStore &listing);
// The rest of that once the disc has its name: "CATALOG ROOT" in rest, the
// name refused or ROOT scanned into listing and CATALOG taken.
int scanNamedDisc(const QStringList &rest, const QString &disc, QString &catalog, LineStore &listing);

// Lines read before a reading error are printed, then the error, as grep
// does; the exit code is 2 either way.
int readingFailed(Output &out, const RuntimeError &error);

// The disc of index named by --disc NAME: the name as it stands in the
// catalog, else as write and append record it (a control character typed
// in it becomes U+FFFD); -1 when there is none.
qsizetype discNamed(const DiscIndex &index, const QString &name);

// Reads the catalog one slice at a time and hands each slice's lines to
// visit, so that only the lines of the current slice are held: memory stays
// bounded by the longest record, whatever the size of the file. Stops early
// when visit returns false. Returns the reading error, if any.
template <typename Visit>
RuntimeError forEachSlice(const QString &path, Visit &&visit)
{
    CatalogReader reader;
    if (RuntimeError error = reader.open(path))
        return error;
    reader.setRoom(CatalogReader::Room::SliceBySlice);
    LineStore slice;
    slice.setKeepSearchKeys(false);
    bool finished = false;
    while (!finished) {
        finished = reader.readSome(slice, std::chrono::nanoseconds(0));
        if (!visit(slice)) {
            reader.close();
            return RuntimeError();
        }
        slice.clear();
    }
    return reader.error();
}

} // namespace kobrix::cli
