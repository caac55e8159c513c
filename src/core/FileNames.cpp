#include "core/FileNames.h"

#include <QUtf8StringView>

namespace kobrix {

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // a byte b >= 0x80 is kept as U+DC00 + b

bool isEscape(char16_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// The length of the valid UTF-8 sequence at bytes[i], or 0 when none starts
// there (a stray continuation byte, an overlong form, a surrogate, a code
// point beyond U+10FFFF, a sequence cut short).
qsizetype validSequence(QByteArrayView bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if (at(i + k) < 0x80 || at(i + k) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

QString decodeFileName(QByteArrayView bytes)
{
    if (QUtf8StringView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            name += QChar(c);
            ++i;
        } else if (const qsizetype length = validSequence(bytes, i)) {
            name += QString::fromUtf8(bytes.sliced(i, length));
            i += length;
        } else {
            name += QChar(char16_t(kEscapeBase + c));
            ++i;
        }
    }
    return name;
}

QByteArray encodeFileName(QStringView name)
{
    // A kept byte is a low surrogate without a high one before it.
    const auto keptAt = [&](qsizetype i) {
        return isEscape(name[i].unicode()) && (i == 0 || !name[i - 1].isHighSurrogate());
    };
    qsizetype i = 0;
    while (i < name.size() && !keptAt(i))
        ++i;
    if (i == name.size())
        return name.toUtf8();
    QByteArray bytes = name.first(i).toUtf8();
    qsizetype runStart = i;
    for (; i < name.size(); ++i) {
        if (!keptAt(i))
            continue;
        bytes += name.sliced(runStart, i - runStart).toUtf8();
        bytes += char(name[i].unicode() - kEscapeBase);
        runStart = i + 1;
    }
    bytes += name.sliced(runStart).toUtf8();
    return bytes;
}

QString displayFileName(QStringView name)
{
    QString shown = name.toString();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (isEscape(shown[i].unicode()) && (i == 0 || !shown[i - 1].isHighSurrogate()))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

} // namespace kobrix
