#pragma once

#include <QValidator>

namespace kobrix {

// Keeps a disc name on one line: every line break and tab that reaches the
// disc-name box, typed, pasted or inserted, becomes one blank (a CR LF pair
// one blank in all). Nothing else in the name changes; it is not trimmed.
// Every name is acceptable.
class DiscNameValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

    // The name with its line breaks and tabs turned into blanks; *cursor,
    // when given, is moved along with the text before it.
    static QString blankLineBreaks(const QString &name, int *cursor = nullptr);
};

} // namespace kobrix
