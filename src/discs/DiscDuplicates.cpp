#include "discs/DiscDuplicates.h"

#include "core/ByteHash.h"

#include <algorithm>

namespace kobrix {

DiscDuplicates::DiscDuplicates(const LineStore &lines, const DiscIndex &index, Key key)
    : m_lines(lines)
    , m_index(index)
    , m_keyKind(key)
    , m_keys(std::size_t(lines.count()))
{
    // The keys are the ends of the store's lines, each followed by its '\n'.
    const char *bytes = lines.bytes();
    m_keys.setKeyBytes(bytes);
    for (qsizetype line = 0; line < lines.count(); ++line) {
        const qsizetype disc = index.discOfLine(line);
        if (index.isLooseLines(disc))
            continue;
        const std::string_view text = keyOf(line);
        m_keys.add({std::size_t(text.data() - bytes), text.size(), hashBytes(text),
                    qint32(disc)});
    }
    m_keys.finish(index.count());
}

std::string_view DiscDuplicates::keyOf(std::string_view path, Key key)
{
    if (key == Key::Path)
        return path;
    const std::size_t cut = path.rfind('\\');
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view DiscDuplicates::keyOf(qsizetype line) const
{
    const std::string_view text = m_lines.utf8At(line);
    return keyOf(text.substr(std::min(m_index.pathStart(line), text.size())), m_keyKind);
}

qsizetype DiscDuplicates::entryOfLine(qsizetype line) const
{
    if (m_index.isLooseLines(m_index.discOfLine(line)))
        return -1;
    return m_keys.entryOf(keyOf(line));
}

QString DiscDuplicates::key(qsizetype entry) const
{
    const std::string_view text = utf8Key(entry);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace kobrix
