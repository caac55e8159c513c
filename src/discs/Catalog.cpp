#include "discs/Catalog.h"

namespace kobrix {

Catalog::Catalog(QObject *parent)
    : QObject(parent)
{}

Catalog::~Catalog() = default;

void Catalog::setPath(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(m_path);
}

void Catalog::setContent(Content content)
{
    if (content == m_content)
        return;
    m_content = content;
    m_discsStale = true;
}

void Catalog::markLinesChanged()
{
    m_discsStale = true;
    emit linesChanged();
}

const DiscIndex &Catalog::discs() const
{
    const std::lock_guard<std::mutex> building(m_discsBuilding);
    if (m_discsStale || m_discsLines != m_lines.count() || m_discsBytes != m_lines.byteSize()) {
        if (m_content == Content::CatalogLines)
            m_discs.build(m_lines);
        else
            m_discs.clear();
        m_discsStale = false;
        m_discsLines = m_lines.count();
        m_discsBytes = m_lines.byteSize();
    }
    return m_discs;
}

} // namespace kobrix
