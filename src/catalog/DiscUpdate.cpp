#include "catalog/DiscUpdate.h"

#include "catalog/CatalogFile.h"
#include "catalog/CatalogFormat.h"
#include "catalog/CatalogSave.h"
#include "catalog/CatalogSlot.h"
#include "catalog/DiscRecords.h"
#include "core/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

#include <cerrno>
#include <string_view>
#include <unordered_map>

namespace kobrix {

DiscUpdate::DiscUpdate(QString catalogPath, QString discName, const LineStore &listing)
    : m_catalogPath(std::move(catalogPath)), m_discName(std::move(discName)), m_listing(listing)
{
    m_oldRecords.setKeepSearchKeys(false);
    m_removed.setKeepSearchKeys(false);
}

DiscUpdate::Problem DiscUpdate::prepare()
{
    m_prepared = false;
    m_error = RuntimeError();
    m_sharedLine = 0;
    m_oldRecords.clear();
    CatalogSlot slot;
    if ((m_error = slot.acquire()))
        return Problem::CatalogError;
    QFile file;
    if ((m_error = openCatalogFile(m_catalogPath, file)))
        return Problem::CatalogError;

    DiscRecordFinder finder(m_discName);
    DiscRecordFinder::Visitor visitor;
    visitor.discLine = [this](std::string_view, const LineStore &fields) {
        for (qsizetype i = 0; i < fields.count(); ++i)
            m_oldRecords.appendUtf8(fields.utf8At(i));
        return RuntimeError();
    };
    switch (finder.find(file, visitor)) {
    case DiscRecordFinder::Outcome::Failed: m_error = finder.error(); return Problem::CatalogError;
    case DiscRecordFinder::Outcome::SharedLine:
        m_sharedLine = lineNumberAt(file, finder.sharedLineOffset());
        return Problem::SharedLine;
    case DiscRecordFinder::Outcome::Done: break;
    }
    if (m_oldRecords.isEmpty())
        return Problem::UnknownDisc;
    computeChanges();
    m_prepared = true;
    return Problem::None;
}

void DiscUpdate::computeChanges()
{
    m_added.clear();
    m_removed.clear();
    m_unchanged = 0;
    const std::size_t nameBytes = std::size_t(recordDiscName(m_discName).toUtf8().size());
    const auto oldPath = [&](qsizetype i) { return m_oldRecords.utf8At(i).substr(nameBytes + 3); };

    // How often the disc holds each path; what the listing holds again is
    // unchanged, what is left over is removed.
    std::unordered_map<std::string_view, qsizetype> held;
    held.reserve(std::size_t(m_oldRecords.count()));
    for (qsizetype i = 0; i < m_oldRecords.count(); ++i)
        ++held[oldPath(i)];
    for (qsizetype i = 0; i < m_listing.count(); ++i) {
        const auto found = held.find(m_listing.utf8At(i));
        if (found != held.end() && found->second > 0) {
            --found->second;
            ++m_unchanged;
        } else {
            m_added.push_back(i);
        }
    }
    for (qsizetype i = 0; i < m_oldRecords.count(); ++i) {
        qsizetype &left = held[oldPath(i)];
        if (left > 0) {
            --left;
            m_removed.appendUtf8(oldPath(i));
        }
    }
}

RuntimeError DiscUpdate::writeUpdated(QIODevice &old, QIODevice &out)
{
    m_editProblem = Problem::None;
    // Stops the edit; apply() tells the problem from the error.
    const auto stop = [this](Problem problem) {
        m_editProblem = problem;
        return RuntimeError(PathFileAccessError, problemText(problem));
    };
    const auto changed = [&] { return stop(Problem::CatalogChanged); };
    // Unprepared, the disc's records are taken as they are met, and the
    // changes worked out from them once the catalog is written.
    const bool collect = !m_prepared;
    if (collect)
        m_oldRecords.clear();
    qsizetype seen = 0; // records of the disc met so far
    bool written = false;
    DiscRecordFinder finder(m_discName);
    DiscRecordFinder::Visitor visitor;
    visitor.otherBytes = [&out](std::string_view bytes) {
        errno = 0;
        if (out.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()))
            return RuntimeError();
        return RuntimeError::fromErrno(errno ? errno : EIO);
    };
    visitor.discLine = [&](std::string_view, const LineStore &fields) {
        for (qsizetype i = 0; i < fields.count(); ++i, ++seen) {
            if (collect)
                m_oldRecords.appendUtf8(fields.utf8At(i));
            else if (seen >= m_oldRecords.count() || fields.utf8At(i) != m_oldRecords.utf8At(seen))
                return changed();
        }
        // The new records take the place of the disc's first line.
        if (written)
            return RuntimeError();
        written = true;
        return writeDiscBlock(out, m_discName, m_listing);
    };
    switch (finder.find(old, visitor)) {
    case DiscRecordFinder::Outcome::Failed: return finder.error();
    case DiscRecordFinder::Outcome::SharedLine:
        if (!collect)
            return changed();
        m_sharedLineOffset = finder.sharedLineOffset();
        return stop(Problem::SharedLine);
    case DiscRecordFinder::Outcome::Done: break;
    }
    if (collect && seen == 0)
        return stop(Problem::UnknownDisc);
    if (seen != m_oldRecords.count() || seen == 0)
        return changed();
    return RuntimeError();
}

DiscUpdate::Problem DiscUpdate::apply(std::chrono::milliseconds lockWait)
{
    m_editProblem = Problem::None;
    m_error = editCatalog(
        m_catalogPath, [this](QIODevice &old, QIODevice &out) { return writeUpdated(old, out); },
        lockWait);
    if (m_editProblem == Problem::SharedLine) {
        QFile file;
        m_sharedLine = openCatalogFile(m_catalogPath, file) ? 0
                                                            : lineNumberAt(file, m_sharedLineOffset);
    }
    if (m_editProblem != Problem::None) {
        m_error = RuntimeError();
        return m_editProblem;
    }
    if (m_error)
        return Problem::CatalogError;
    if (!m_prepared) {
        computeChanges();
        m_prepared = true;
    }
    return Problem::None;
}

QString DiscUpdate::problemText(Problem problem) const
{
    switch (problem) {
    case Problem::None: return QString();
    case Problem::CatalogError: return m_error.numberAndDescription();
    case Problem::UnknownDisc:
        return ProgramTexts::unknownDisc(m_discName, QDir::toNativeSeparators(m_catalogPath));
    case Problem::SharedLine: return ProgramTexts::sharedDiscLine(m_discName, m_sharedLine);
    case Problem::CatalogChanged: return ProgramTexts::catalogChangedMeanwhile();
    }
    return QString();
}

} // namespace kobrix
