#include "discs/DiscOtherPlaces.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace kobrix {

OtherPlaces findOnOtherDiscs(const LineStore &lines, const DiscIndex &index, qsizetype line)
{
    OtherPlaces found;
    const qsizetype ownDisc = index.discOfLine(line);
    if (index.isLooseLines(ownDisc))
        return found;
    const std::string_view text = lines.utf8At(line);
    const std::string_view path = text.substr(std::min(index.pathStart(line), text.size()));
    const std::size_t cut = path.rfind('\\');
    // The name with the backslash before it: a line that ends so holds a file
    // of that name, whatever folder it stands in.
    const std::string_view tail = path.substr(cut == std::string_view::npos ? 0 : cut);

    const char *bytes = lines.bytes();
    for (qsizetype disc = 0; disc < index.count(); ++disc) {
        if (disc == ownDisc || index.isLooseLines(disc))
            continue;
        const std::size_t pathStart = index.pathStartOfDisc(disc);
        for (const qint32 other : index.lines(disc)) {
            // The line's end is the '\n' that ends it: compare backwards
            // from there, the last bytes telling most lines apart at once.
            const std::int64_t begin = lines.lineStart(other);
            const std::int64_t end = lines.lineStart(other + 1) - 1;
            const auto length = std::size_t(end - begin);
            if (length < pathStart + tail.size()
                || std::memcmp(bytes + end - std::int64_t(tail.size()), tail.data(), tail.size())
                       != 0)
                continue;
            if (length - pathStart == path.size()
                && std::memcmp(bytes + begin + std::int64_t(pathStart), path.data(), path.size())
                       == 0)
                found.samePath.push_back(other);
            else
                found.sameName.push_back(other);
        }
    }
    return found;
}

qsizetype firstLineWithKey(const LineStore &lines, const DiscIndex &index, qsizetype disc,
                           std::string_view key, DiscDuplicates::Key kind)
{
    const std::size_t pathStart = index.pathStartOfDisc(disc);
    for (const qint32 line : index.lines(disc)) {
        const std::string_view text = lines.utf8At(line);
        std::string_view path = text.substr(std::min(pathStart, text.size()));
        if (kind == DiscDuplicates::Key::FileName) {
            const std::size_t cut = path.rfind('\\');
            if (cut != std::string_view::npos)
                path.remove_prefix(cut + 1);
        }
        if (path == key)
            return line;
    }
    return -1;
}

} // namespace kobrix
