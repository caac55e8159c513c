#include "core/Catalog.h"

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

} // namespace kobrix
