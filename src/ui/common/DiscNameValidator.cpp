#include "ui/common/DiscNameValidator.h"

namespace kobrix {

QString DiscNameValidator::blankLineBreaks(const QString &name, int *cursor)
{
    const qsizetype length = name.size();
    QString result;
    result.reserve(length);
    int movedCursor = cursor ? *cursor : 0;
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = name.at(i);
        if (c == u'\r' && i + 1 < length && name.at(i + 1) == u'\n') {
            // One blank for the pair: the text after it moves one back.
            if (cursor && *cursor > i + 1)
                --movedCursor;
            result += u' ';
            ++i;
        } else if (c == u'\r' || c == u'\n' || c == u'\t') {
            result += u' ';
        } else {
            result += c;
        }
    }
    if (cursor)
        *cursor = movedCursor;
    return result;
}

QValidator::State DiscNameValidator::validate(QString &input, int &pos) const
{
    // The line edit takes over the changed text and cursor.
    input = blankLineBreaks(input, &pos);
    return Acceptable;
}

void DiscNameValidator::fixup(QString &input) const { input = blankLineBreaks(input); }

} // namespace kobrix
