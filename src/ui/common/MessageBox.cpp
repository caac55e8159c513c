#include "ui/common/MessageBox.h"

#include <QMessageBox>

namespace kobrix {

namespace {

// A message box with the title, the text (carriage returns as line breaks)
// and the icon; no buttons yet.
void prepare(QMessageBox &box, const QString &title, const QString &text, MessageIcon icon)
{
    box.setWindowTitle(title);
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
}

QMessageBox::StandardButton buttonOf(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Yes: return QMessageBox::Yes;
    case MessageAnswer::No: return QMessageBox::No;
    case MessageAnswer::Cancel: return QMessageBox::Cancel;
    }
    return QMessageBox::No;
}

} // namespace

MessageAnswer escapeAnswer(QuestionButtons buttons)
{
    return buttons == QuestionButtons::YesNoCancel ? MessageAnswer::Cancel : MessageAnswer::No;
}

void QtMessageBoxService::show(QWidget *parent, const QString &title, const QString &text,
                               MessageIcon icon)
{
    QMessageBox box(parent);
    prepare(box, title, text, icon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

MessageAnswer QtMessageBoxService::ask(QWidget *parent, const QString &title, const QString &text,
                                       MessageIcon icon, QuestionButtons buttons,
                                       MessageAnswer defaultAnswer)
{
    QMessageBox box(parent);
    prepare(box, title, text, icon);
    const bool withCancel = buttons == QuestionButtons::YesNoCancel;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No
                           | (withCancel ? QMessageBox::Cancel : QMessageBox::NoButton));
    if (defaultAnswer == MessageAnswer::Cancel && !withCancel)
        defaultAnswer = MessageAnswer::No;
    box.setDefaultButton(buttonOf(defaultAnswer));
    box.setEscapeButton(buttonOf(escapeAnswer(buttons)));
    box.exec();
    // The escape button is reported as clicked when the box is closed
    // without a button.
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return escapeAnswer(buttons);
    }
}

QString errorMessageText(const QString &head, const RuntimeError &error)
{
    return head + QStringLiteral("\r\r") + error.numberAndDescription();
}

} // namespace kobrix
