#include "export/CatalogExport.h"

#include "export/ExportBuffer.h"
#include "core/ProgramTexts.h"

#include <algorithm>
#include <cerrno>

namespace kobrix {

void ExportContent::addDisc(const DiscIndex &discs, qsizetype disc)
{
    const std::span<const qint32> lines = discs.lines(disc);
    Disc d;
    d.name = discs.name(disc);
    d.looseLines = discs.isLooseLines(disc);
    d.pathStart = discs.pathStartOfDisc(disc);
    d.indexDisc = disc;
    d.begin = m_lines.size();
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
    d.end = m_lines.size();
    m_discs.push_back(std::move(d));
}

bool ExportContent::namesCatalogs() const
{
    return std::any_of(m_discs.begin(), m_discs.end(),
                       [](const Disc &d) { return !d.catalog.isEmpty(); });
}

QString ExportContent::headingOf(const Disc &d)
{
    return d.looseLines && d.name.isEmpty() ? ProgramTexts::looseLinesHeading() : d.name;
}

ExportContent ExportContent::wholeCatalog(const LineStore &lines, const DiscIndex &discs)
{
    ExportContent content(lines);
    content.m_lines.reserve(std::size_t(discs.totalFiles()));
    for (qsizetype disc = 0; disc < discs.count(); ++disc)
        content.addDisc(discs, disc);
    return content;
}

ExportContent ExportContent::selectedDiscs(const LineStore &lines, const DiscIndex &discs,
                                           std::span<const qsizetype> which)
{
    ExportContent content(lines);
    std::vector<bool> taken(std::size_t(discs.count()), false);
    for (const qsizetype disc : which) {
        if (disc < 0 || disc >= discs.count() || taken[std::size_t(disc)])
            continue;
        taken[std::size_t(disc)] = true;
        content.addDisc(discs, disc);
    }
    return content;
}

ExportContent ExportContent::selectedLines(const LineStore &lines, const DiscIndex &discs,
                                           std::span<const qsizetype> which)
{
    ExportContent content(lines);
    // The discs in the order of their first line given, then the lines laid
    // out disc after disc by counting, keeping their order within a disc.
    std::vector<qsizetype> slotOfDisc(std::size_t(discs.count()), -1);
    std::vector<std::size_t> counts;
    for (const qsizetype line : which) {
        if (line < 0 || line >= lines.count())
            continue;
        const qsizetype disc = discs.discOfLine(line);
        qsizetype &slot = slotOfDisc[std::size_t(disc)];
        if (slot < 0) {
            slot = content.discCount();
            Disc d;
            d.name = discs.name(disc);
            d.looseLines = discs.isLooseLines(disc);
            d.pathStart = discs.pathStartOfDisc(disc);
            d.indexDisc = disc;
            content.m_discs.push_back(std::move(d));
            counts.push_back(0);
        }
        ++counts[std::size_t(slot)];
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        content.m_discs[i].begin = content.m_discs[i].end = start;
        start += counts[i];
    }
    content.m_lines.resize(start);
    for (const qsizetype line : which) {
        if (line < 0 || line >= lines.count())
            continue;
        Disc &d = content.m_discs[std::size_t(slotOfDisc[std::size_t(discs.discOfLine(line))])];
        content.m_lines[d.end++] = qint32(line);
    }
    return content;
}

ExportContent::Entry ExportContent::entry(const Disc &d, qint32 line) const
{
    const std::string_view text = m_store->utf8At(line);
    if (d.looseLines)
        return {{}, text};
    return splitFolderAndFile(text.substr(std::min(d.pathStart, text.size())));
}

ExportTargetDevice::ExportTargetDevice(QIODevice &target)
    : m_target(target)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool ExportTargetDevice::seek(qint64 pos)
{
    return QIODevice::seek(pos) && (m_target.isSequential() || m_target.seek(pos));
}

qint64 ExportTargetDevice::readData(char *, qint64)
{
    return -1;
}

QString ExportTargetDevice::failureReason() const
{
    return m_error ? m_error.numberAndDescription() : m_target.errorString();
}

QString ExportTargetDevice::systemFailureReason(const QIODevice &file)
{
    const int osError = errno;
    return osError ? RuntimeError::fromErrno(osError).numberAndDescription() : file.errorString();
}

qint64 ExportTargetDevice::writeData(const char *data, qint64 size)
{
    errno = 0;
    const qint64 written = m_target.write(data, size);
    if (written != size && !m_error)
        m_error = RuntimeError::fromErrno(errno ? errno : EIO);
    return written == size ? written : -1;
}

} // namespace kobrix
