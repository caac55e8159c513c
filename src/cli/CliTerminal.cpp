#include "cli/CliTerminal.h"

namespace kobrix::cli {

namespace {

// The length of the UTF-8 sequence at the start of text and its code point;
// 0 when it is not a valid sequence (overlong, a surrogate, cut short).
std::size_t decodeUtf8(std::string_view text, char32_t &codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    char32_t least;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

bool isHiddenOnTerminal(char32_t c)
{
    return (c >= 0x80 && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F
           || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool isControlByte(unsigned char c)
{
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

} // namespace

std::string_view visibleOnTerminal(std::string_view text, std::string &scratch)
{
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 || isControlByte(c))
            break;
    }
    if (i == text.size())
        return text;
    scratch.assign(text.substr(0, i));
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            scratch.push_back(isControlByte(c) ? '?' : char(c));
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = decodeUtf8(text.substr(i), codePoint);
        if (length == 0) {
            scratch.push_back('?');
            ++i;
            continue;
        }
        if (isHiddenOnTerminal(codePoint))
            scratch.push_back('?');
        else
            scratch.append(text.substr(i, length));
        i += length;
    }
    return scratch;
}

} // namespace kobrix::cli
