#pragma once

#include <QStatusBar>

class QLabel;
class QToolButton;

namespace kobrix {

// The main window's status bar: one panel with the file count of the last
// scan; a notice shown only with something to say (that the disc just
// scanned is already in the catalog, with a button to update it there, or
// what an update changed); and Cancel while a scan runs.
class MainStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit MainStatusBar(QWidget *parent);

    QString text() const;
    void setText(const QString &text);

    void showNotice(const QString &text, bool offerUpdate);
    void hideNotice();

    QLabel *notice() const { return m_notice; }
    QToolButton *noticeButton() const { return m_noticeButton; }
    QToolButton *cancelButton() const { return m_cancel; }

private:
    QLabel *m_panel = nullptr;
    QLabel *m_notice = nullptr;
    QToolButton *m_noticeButton = nullptr;
    QToolButton *m_cancel = nullptr;
};

} // namespace kobrix
