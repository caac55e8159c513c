#include "catalog/DiscGroups.h"

#include "core/DiscLine.h"

#include <unordered_map>

namespace kobrix {

void DiscGroups::build(const LineStore &lines)
{
    m_names.clear();
    m_loose = -1;
    m_discOfLine.assign(std::size_t(lines.count()), 0);
    std::unordered_map<std::string_view, qint32> byName;
    std::vector<qsizetype> counts;
    qint32 last = -1;
    std::string_view lastName;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        const DiscLineUtf8 split = splitDiscLine(lines.utf8At(i));
        qint32 disc;
        if (!split.hasDisc) {
            if (m_loose < 0) {
                m_loose = count();
                m_names.emplace_back();
                counts.push_back(0);
            }
            disc = qint32(m_loose);
        } else if (last >= 0 && last != m_loose && split.disc == lastName) {
            disc = last;
        } else {
            const auto found = byName.find(split.disc);
            if (found != byName.end()) {
                disc = found->second;
            } else {
                disc = qint32(count());
                m_names.emplace_back(split.disc);
                counts.push_back(0);
                byName.emplace(split.disc, disc);
            }
        }
        ++counts[std::size_t(disc)];
        m_discOfLine[std::size_t(i)] = disc;
        last = disc;
        lastName = split.disc;
    }
    m_starts.assign(1, 0);
    for (const qsizetype n : counts)
        m_starts.push_back(m_starts.back() + std::size_t(n));
    m_grouped.resize(std::size_t(lines.count()));
    std::vector<std::size_t> next(m_starts.begin(), m_starts.end() - 1);
    for (qsizetype i = 0; i < lines.count(); ++i)
        m_grouped[next[std::size_t(m_discOfLine[std::size_t(i)])]++] = qint32(i);
}

QString DiscGroups::name(qsizetype disc) const
{
    const std::string &name = m_names[std::size_t(disc)];
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

qsizetype DiscGroups::indexOf(QStringView name) const
{
    const QByteArray utf8 = name.toUtf8();
    const std::string_view wanted(utf8.constData(), std::size_t(utf8.size()));
    for (qsizetype disc = 0; disc < count(); ++disc) {
        if (disc != m_loose && m_names[std::size_t(disc)] == wanted)
            return disc;
    }
    return -1;
}

} // namespace kobrix
