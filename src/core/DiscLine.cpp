#include "core/DiscLine.h"

namespace kobrix {

DiscLineUtf8 splitDiscLine(std::string_view line)
{
    const std::size_t at = line.find(" - \\");
    if (at == std::string_view::npos)
        return DiscLineUtf8{{}, line, false};
    return DiscLineUtf8{line.substr(0, at), line.substr(at + 3), true};
}

DiscLine splitDiscLine(QStringView line)
{
    const qsizetype at = line.indexOf(u" - \\");
    if (at < 0)
        return DiscLine{{}, line, false};
    return DiscLine{line.left(at), line.mid(at + 3), true};
}

} // namespace kobrix
