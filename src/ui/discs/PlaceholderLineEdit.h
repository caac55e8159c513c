#pragma once

#include <QLineEdit>

#include <algorithm>

namespace kobrix {

// A text box at least wide enough for its placeholder text, with the room
// its frame, margins and clear button take: the hint is never cut.
class PlaceholderLineEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

    QSize minimumSizeHint() const override
    {
        QSize hint = QLineEdit::minimumSizeHint();
        // The size hint is the width of 17 "x" and all that surrounds the text.
        const QFontMetrics metrics = fontMetrics();
        const int around = QLineEdit::sizeHint().width() - 17 * metrics.horizontalAdvance(u'x');
        hint.setWidth(
            std::max(hint.width(), around + metrics.horizontalAdvance(placeholderText()) + 4));
        return hint;
    }
    QSize sizeHint() const override { return QLineEdit::sizeHint().expandedTo(minimumSizeHint()); }
};

} // namespace kobrix
