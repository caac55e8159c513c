#include "ui/MessageBox.h"

#include <QMessageBox>

namespace kobrix {

void QtMessageBoxService::show(QWidget *parent, const QString &title, const QString &text,
                               MessageIcon icon)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QString errorMessageText(const QString &head, const RuntimeError &error)
{
    return head + QStringLiteral("\r\r") + error.numberAndDescription();
}

} // namespace kobrix
