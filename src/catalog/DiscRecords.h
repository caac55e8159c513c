#pragma once

#include "core/LineStore.h"
#include "core/RuntimeError.h"

#include <QByteArray>
#include <QStringView>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

namespace kobrix {

// Finds the records of one disc in a catalog file, as the catalog reader and
// the disc model see them: the fields that split (splitDiscLine) into the
// disc's name as the writers store it (recordDiscName) and a path, each
// field decoded as the reader decodes it (UTF-8, or Windows-1252 for the
// records of older versions).
//
// It works on file lines, which are what can be replaced while every other
// byte stays: a line all of whose fields are the disc's is a line of the
// disc; a line holding fields of the disc among other fields (made by hand:
// the writers put one record on a line) is a shared line, which cannot be
// taken out without changing the other fields, so the search stops there.
//
// A line can hold a field of the disc only where the disc's name and " - \"
// stand in its bytes, in UTF-8 or in Windows-1252; the lines without them are
// passed over in whole runs and never parsed, which keeps the search over a
// catalog of millions of lines close to the speed of reading it.
class DiscRecordFinder
{
public:
    explicit DiscRecordFinder(QStringView discName);

    // What the search hands over, in file order: runs of bytes that belong
    // to no line of the disc, and the lines of the disc (with their line
    // ends) with their fields. An error returned by either stops the search.
    struct Visitor
    {
        std::function<RuntimeError(std::string_view bytes)> otherBytes;
        std::function<RuntimeError(std::string_view line, const LineStore &fields)> discLine;
    };

    enum class Outcome { Done, SharedLine, Failed };
    // Reads device from its position to its end. SharedLine: a shared line
    // stopped the search (sharedLineOffset() tells where); the bytes before
    // that line were handed over. Failed: error() tells why (a read, a
    // visitor, or a line longer than kMaxRecordBytes: 59).
    Outcome find(QIODevice &device, const Visitor &visitor);

    const RuntimeError &error() const { return m_error; }
    qint64 sharedLineOffset() const { return m_sharedLineOffset; }

    // The name as records hold it, in UTF-8.
    const QByteArray &recordName() const { return m_name; }
    // The path of a field of the disc (from its backslash on).
    std::string_view pathOf(std::string_view field) const
    {
        return field.substr(std::size_t(m_name.size()) + 3);
    }

private:
    enum class LineKind { Other, Disc, Shared };
    LineKind classify(std::string_view line);

    QByteArray m_name;                // recordDiscName(), UTF-8
    std::vector<std::string> m_needles; // the name and " - \" as a record's bytes may hold them
    LineStore m_fields;               // the fields of the line looked at
    RuntimeError m_error;
    qint64 m_sharedLineOffset = -1;
};

// The number of the line (from 1) that starts at offset in the catalog read
// from device (from its start); 0 when reading fails before it.
qint64 lineNumberAt(QIODevice &device, qint64 offset);

} // namespace kobrix
