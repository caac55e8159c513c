#include "ui/main/MainStatusBar.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

namespace kobrix {

namespace {

// A one-line label that shows as much of its text as its width allows,
// with an ellipsis in the middle, rather than widening the fixed window.
class NoticeLabel : public QLabel
{
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override
    {
        return QSize(fontMetrics().averageCharWidth() * 10, QLabel::minimumSizeHint().height());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(),
                              fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()),
                              foregroundRole());
    }
};

} // namespace

MainStatusBar::MainStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    m_panel = new QLabel(tr("File Count"), this);
    m_panel->setObjectName(QStringLiteral("StatusBar1_Panel1"));
    m_panel->setContentsMargins(4, 0, 4, 0);
    addWidget(m_panel, 1);
    // The buttons are as tall as the status text, so the bar keeps its height.
    const int buttonHeight = m_panel->sizeHint().height();
    m_cancel = new QToolButton(this);
    m_cancel->setText(tr("Cancel"));
    m_cancel->setObjectName(QStringLiteral("cancelScanButton"));
    m_cancel->setToolTip(tr("Stop the scan (Esc)"));
    m_cancel->hide();
    m_cancel->setFixedHeight(buttonHeight);
    addPermanentWidget(m_cancel);

    m_notice = new NoticeLabel(this);
    m_notice->setObjectName(QStringLiteral("discNotice"));
    m_notice->setContentsMargins(4, 0, 4, 0);
    m_notice->hide();
    insertWidget(1, m_notice);
    m_noticeButton = new QToolButton(this);
    m_noticeButton->setObjectName(QStringLiteral("discNoticeButton"));
    m_noticeButton->setText(tr("Update..."));
    m_noticeButton->setToolTip(tr("Update Disc in Catalog..."));
    m_noticeButton->setAccessibleName(tr("Update the disc in the catalog"));
    m_noticeButton->setFocusPolicy(Qt::TabFocus);
    m_noticeButton->setFixedHeight(buttonHeight);
    m_noticeButton->hide();
    insertWidget(2, m_noticeButton);
}

QString MainStatusBar::text() const { return m_panel->text(); }

void MainStatusBar::setText(const QString &text) { m_panel->setText(text); }

void MainStatusBar::showNotice(const QString &text, bool offerUpdate)
{
    m_notice->setText(text);
    m_notice->setToolTip(text);
    m_notice->show();
    m_noticeButton->setVisible(offerUpdate);
}

void MainStatusBar::hideNotice()
{
    m_notice->hide();
    m_notice->clear();
    m_noticeButton->hide();
}

} // namespace kobrix
