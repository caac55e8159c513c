#pragma once

#include "core/RuntimeError.h"

#include <QString>

class QWidget;

namespace kobrix {

// The icons a message can carry (values of the classic message box flags).
enum class MessageIcon { Critical = 0x10, Question = 0x20, Exclamation = 0x30, Information = 0x40 };

// The buttons of a question, and the answers they give.
enum class QuestionButtons { YesNo, YesNoCancel };
enum class MessageAnswer { Yes, No, Cancel };

// What closing a question without a button (Escape, the close box) answers:
// Cancel where there is a Cancel button, No otherwise.
MessageAnswer escapeAnswer(QuestionButtons buttons);

// Every message of the program goes through this: a title, a text and an
// icon, with a single OK button, or a question with Yes and No (and Cancel)
// that returns the answer. Tests record the messages and answer questions
// from a script instead of showing them.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    // Shows the message modally and returns when the user closed it.
    virtual void show(QWidget *parent, const QString &title, const QString &text,
                      MessageIcon icon) = 0;
    // Asks modally and returns the answer. The button of defaultAnswer is
    // the default one (Enter); a Cancel default where there is no Cancel
    // button stands for No.
    virtual MessageAnswer ask(QWidget *parent, const QString &title, const QString &text,
                              MessageIcon icon, QuestionButtons buttons,
                              MessageAnswer defaultAnswer) = 0;
};

// The real message box (QMessageBox). Carriage returns in the text are shown
// as line breaks.
class QtMessageBoxService : public MessageBoxService
{
public:
    void show(QWidget *parent, const QString &title, const QString &text,
              MessageIcon icon) override;
    MessageAnswer ask(QWidget *parent, const QString &title, const QString &text, MessageIcon icon,
                      QuestionButtons buttons, MessageAnswer defaultAnswer) override;
};

// head, two carriage returns, the number, " - " and the description:
// "Error Reading file\r\r53 - File not found".
QString errorMessageText(const QString &head, const RuntimeError &error);

} // namespace kobrix
