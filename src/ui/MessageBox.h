#pragma once

#include "core/RuntimeError.h"

#include <QString>

class QWidget;

namespace kobrix {

// The icons a message can carry (values of the classic message box flags).
enum class MessageIcon { Critical = 0x10, Exclamation = 0x30, Information = 0x40 };

// Every message of the program goes through this: a title, a text, an icon
// and a single OK button. Tests record the messages instead of showing them.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    // Shows the message modally and returns when the user closed it.
    virtual void show(QWidget *parent, const QString &title, const QString &text,
                      MessageIcon icon) = 0;
};

// The real message box (QMessageBox). Carriage returns in the text are shown
// as line breaks.
class QtMessageBoxService : public MessageBoxService
{
public:
    void show(QWidget *parent, const QString &title, const QString &text,
              MessageIcon icon) override;
};

// head, two carriage returns, the number, " - " and the description:
// "Error Reading file\r\r53 - File not found".
QString errorMessageText(const QString &head, const RuntimeError &error);

} // namespace kobrix
