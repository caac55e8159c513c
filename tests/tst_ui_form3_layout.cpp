// The search window's layout: the designed places, growing for a large
// font, the resize rule, and a frame the window system reports late.

#include "UiTestSupport.h"
#include "discs/Catalog.h"
#include "core/LineStore.h"
#include "ui/main/Form3.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include "ui/common/LineListView.h"
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// A search window whose frame the window system reports late, as an X11
// window manager does: no frame until the window is framed after it was
// shown, then the frame given to frameNow().
class LateFramedForm3 : public Form3
{
public:
    using Form3::Form3;

    void frameNow(const QMargins &frame)
    {
        m_reported = frame;
        // The framed window is exposed again.
        QExposeEvent expose{QRegion(rect())};
        QCoreApplication::sendEvent(windowHandle(), &expose);
    }

protected:
    QMargins windowFrame() const override { return m_reported; }

private:
    QMargins m_reported;
};

} // namespace

class TestForm3Layout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designedLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("units"); // left, top, width, height; 0 size: sized to its text
        QTest::addColumn<QString>("prompt"); // the label left of it, which may push it right
        QTest::newRow("Text1") << "Text1" << QRect(1200, 240, 3135, 285) << "Label1";
        QTest::newRow("Command1") << "Command1" << QRect(120, 720, 1215, 495) << "";
        QTest::newRow("Command2") << "Command2" << QRect(3120, 720, 1215, 495) << "";
        QTest::newRow("lbl_results") << "lbl_results" << QRect(1440, 1320, 2535, 255)
                                     << "Label2";
        QTest::newRow("Label1") << "Label1" << QRect(120, 240, 0, 0) << "";
        QTest::newRow("Label2") << "Label2" << QRect(120, 1320, 0, 0) << "";
        // After the load step the outer height is 4110: the list is 1860 high.
        QTest::newRow("List1") << "List1" << QRect(0, 1800, 4665 - 100, 4110 - 2250) << "";
    }
    void designedLayout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, units);
        QFETCH(QString, prompt);
        Catalog catalog;
        RecordingMessageBoxService messages;
        Form3 form(catalog, messages);
        auto *control = form.findChild<QWidget *>(name);
        QVERIFY(control);
        const QRect px = control->geometry();
        const QRect designed(qRound(units.left() / 15.0), qRound(units.top() / 15.0),
                             qRound(units.width() / 15.0), qRound(units.height() / 15.0));
        if (!prompt.isEmpty()) {
            // Where the prompt is wider than the design allows for, in the
            // font in use, the control starts after it and keeps its right
            // edge; it grows in height where the font needs it.
            const QWidget *label = form.findChild<QWidget *>(prompt);
            QCOMPARE(px.top(), designed.top());
            QCOMPARE(px.right(), designed.right());
            QVERIFY(px.left() >= designed.left());
            QVERIFY(px.left() > label->geometry().right());
            QVERIFY(px.height() >= designed.height());
            return;
        }
        QCOMPARE(px.topLeft(), designed.topLeft());
        if (units.width() > 0) {
            QCOMPARE(px.width(), qRound(units.width() / 15.0));
            QCOMPARE(px.height(), qRound(units.height() / 15.0));
        } else {
            QCOMPARE(px.size(), control->sizeHint());
        }
    }

    // At a font far larger than the design allows for, the rows push each
    // other down and the result list starts below them; the list still ends
    // where the resize rule puts its lower edge, and the window does not get
    // narrower than its controls.
    void largeFontPushesRowsDown()
    {
        const QFont saved = QApplication::font();
        QFont large = saved;
        large.setPointSize(20);
        QApplication::setFont(large);
        {
            Catalog catalog;
            catalog.lines() = toStore({QStringLiteral("Games 1 - \\SETUP.EXE"),
                                       QStringLiteral("Games 2 - \\INSTALL.EXE")});
            RecordingMessageBoxService messages;
            Form3 form(catalog, messages);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.Text1->setText(QStringLiteral("games"));
            form.find();
            form.finishSearch();
            QVERIFY(form.Label1->geometry().bottom() < form.Command1->y());
            QVERIFY(form.Text1->geometry().bottom() < form.Command1->y());
            QVERIFY(form.Command1->geometry().bottom() < form.Label2->y());
            QVERIFY(form.Label2->geometry().bottom() < form.List1->y());
            QVERIFY(form.lbl_results->geometry().bottom() < form.List1->y());
            QVERIFY(form.List1->y() > 1800 / 15);
            const int ruleBottom = 1800 / 15 + qRound((form.outerHeight() - 2250) / 15.0);
            QCOMPARE(form.List1->geometry().bottom() + 1, ruleBottom);

            const QSize frame = form.frameGeometry().size() - form.size();
            form.resize(QSize(100, 600) - frame);
            QTRY_VERIFY(form.width() > form.lbl_results->geometry().right());
            QVERIFY(form.width() > form.Text1->geometry().right());
        }
        QApplication::setFont(saved);
    }

    // The five steps of the resize rule; sizes in design units (outer size).
    void resizeRule_data()
    {
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<int>("listHeight"); // -1: kept from before
        QTest::newRow("larger") << QSize(9000, 6000) << QSize(9000, 6000) << 6000 - 2250;
        QTest::newRow("too narrow snaps back") << QSize(3000, 4500) << QSize(4665, 4500) << 4500 - 2250;
        QTest::newRow("exactly the least width") << QSize(4665, 4500) << QSize(4665, 4500) << 2250;
        QTest::newRow("too low snaps back, list kept") << QSize(6000, 900) << QSize(6000, 1785) << -1;
        QTest::newRow("under 2250, list kept") << QSize(6000, 2100) << QSize(6000, 2100) << -1;
        QTest::newRow("exactly 2250, list empty") << QSize(6000, 2250) << QSize(6000, 2250) << 0;
        QTest::newRow("both too small") << QSize(15, 15) << QSize(4665, 1785) << -1;
    }
    void resizeRule()
    {
        QFETCH(QSize, requested);
        QFETCH(QSize, outer);
        QFETCH(int, listHeight);
        Catalog catalog;
        RecordingMessageBoxService messages;
        Form3 form(catalog, messages);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const int heightBefore = form.List1->height();
        QCOMPARE(heightBefore, 1860 / 15);

        const QSize frame = form.frameGeometry().size() - form.size();
        form.resize(QSize(requested.width() / 15, requested.height() / 15) - frame);
        QTRY_COMPARE(form.outerWidth(), outer.width());
        QTRY_COMPARE(form.outerHeight(), outer.height());
        QCOMPARE(form.List1->pos(), QPoint(0, 1800 / 15));
        QCOMPARE(form.List1->width(), qRound((outer.width() - 100) / 15.0));
        QCOMPARE(form.List1->height(), listHeight < 0 ? heightBefore : qRound(listHeight / 15.0));
        // The query row stays in view.
        QVERIFY(form.Command1->geometry().bottom() < form.height());
    }

    // The load step's outer height and the resize rule count with the
    // frame that is reported once the window manager has framed the
    // window; a window the user sized before that keeps its size, and its
    // list follows the outer size.
    void frameReportedAfterShow_data()
    {
        QTest::addColumn<bool>("sizedByUser");
        QTest::newRow("as loaded") << false;
        QTest::newRow("sized by the user first") << true;
    }
    void frameReportedAfterShow()
    {
        QFETCH(bool, sizedByUser);
        Catalog catalog;
        RecordingMessageBoxService messages;
        LateFramedForm3 form(catalog, messages);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.height(), 4110 / 15); // no frame yet
        if (sizedByUser) {
            form.resize(400, 300);
            QTRY_COMPARE(form.size(), QSize(400, 300));
        }

        const QMargins frame(1, 25, 1, 1);
        form.frameNow(frame);
        if (sizedByUser) {
            QTRY_COMPARE(form.size(), QSize(400, 300));
        } else {
            QTRY_COMPARE(form.outerHeight(), 4110);
            QCOMPARE(form.height(), 4110 / 15 - frame.top() - frame.bottom());
            QCOMPARE(form.outerWidth(), 4650 + 15 * (frame.left() + frame.right()));
        }
        const int outerHeight = form.height() + frame.top() + frame.bottom();
        QCOMPARE(form.List1->height(), outerHeight - 2250 / 15);

        // One pixel more grows the list by one pixel, not by the frame.
        const int listHeight = form.List1->height();
        form.resize(form.width(), form.height() + 1);
        QTRY_COMPARE(form.List1->height(), listHeight + 1);
    }

    // Opened over a framed window, the search window counts with that
    // window's frame until its own is reported: right from the first show.
    void ownersFrameStandsIn()
    {
        QWidget owner;
        owner.resize(600, 400);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        const QMargins ownerFrame = owner.windowHandle()->frameMargins();
        QVERIFY(!ownerFrame.isNull());

        Catalog catalog;
        RecordingMessageBoxService messages;
        auto *form = new LateFramedForm3(catalog, messages, &owner);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->height(), 4110 / 15 - ownerFrame.top() - ownerFrame.bottom());
        QCOMPARE(form->outerHeight(), 4110);
        QCOMPARE(form->List1->height(), (4110 - 2250) / 15);

        form->frameNow(ownerFrame);
        QCoreApplication::processEvents();
        QCOMPARE(form->height(), 4110 / 15 - ownerFrame.top() - ownerFrame.bottom());
        QCOMPARE(form->List1->height(), (4110 - 2250) / 15);
    }

    void maximized()
    {
        Catalog catalog;
        RecordingMessageBoxService messages;
        Form3 form(catalog, messages);
        form.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(form.outerHeight() > 4110);
        QCOMPARE(form.List1->pos(), QPoint(0, 1800 / 15));
        QCOMPARE(form.List1->width(), qRound((form.outerWidth() - 100) / 15.0));
        QCOMPARE(form.List1->height(), qRound((form.outerHeight() - 2250) / 15.0));
    }
};

QTEST_MAIN(TestForm3Layout)
#include "tst_ui_form3_layout.moc"
