// Questions through the message service: the real message box, answered on
// screen (offscreen) by the keys and buttons a user would press, and the
// recording double that the window tests answer from a queue.

#include "UiTestSupport.h"
#include "ui/common/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace kobrix;
using namespace kobrix::test;

Q_DECLARE_METATYPE(kobrix::QuestionButtons)
Q_DECLARE_METATYPE(kobrix::MessageAnswer)

namespace {

// What the user does to the box: the key pressed, or the button clicked.
enum class UserAction { Enter, Escape, ClickNo, ClickYes };

// What the message box looked like while it was open.
struct BoxSeen
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// A window with a command that must be confirmed, as the coming commands
// that replace a catalog's disc will be: it asks, and acts only on Yes.
class ConfirmingWindow : public QWidget
{
public:
    explicit ConfirmingWindow(MessageBoxService &messages)
        : m_messages(messages)
    {
        replace = new QPushButton(QStringLiteral("Replace"), this);
        connect(replace, &QPushButton::clicked, this, [this] {
            const MessageAnswer answer = m_messages.ask(
                this, QStringLiteral("Kobrix"), QStringLiteral("Replace the disc Games 1?"),
                MessageIcon::Question, QuestionButtons::YesNo, MessageAnswer::No);
            if (answer == MessageAnswer::Yes)
                ++replaced;
        });
    }
    QPushButton *replace;
    int replaced = 0;

private:
    MessageBoxService &m_messages;
};

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void realQuestion_data()
    {
        QTest::addColumn<QuestionButtons>("buttons");
        QTest::addColumn<MessageAnswer>("defaultAnswer");
        QTest::addColumn<int>("action");
        QTest::addColumn<MessageAnswer>("answer");
        const auto yesNo = QuestionButtons::YesNo;
        const auto withCancel = QuestionButtons::YesNoCancel;
        QTest::newRow("Enter on default Yes")
            << yesNo << MessageAnswer::Yes << int(UserAction::Enter) << MessageAnswer::Yes;
        QTest::newRow("Enter on default No")
            << yesNo << MessageAnswer::No << int(UserAction::Enter) << MessageAnswer::No;
        QTest::newRow("Enter on default Cancel") << withCancel << MessageAnswer::Cancel
                                                 << int(UserAction::Enter) << MessageAnswer::Cancel;
        QTest::newRow("Cancel default without Cancel is No")
            << yesNo << MessageAnswer::Cancel << int(UserAction::Enter) << MessageAnswer::No;
        QTest::newRow("Escape without Cancel is No")
            << yesNo << MessageAnswer::Yes << int(UserAction::Escape) << MessageAnswer::No;
        QTest::newRow("Escape with Cancel is Cancel")
            << withCancel << MessageAnswer::Yes << int(UserAction::Escape) << MessageAnswer::Cancel;
        QTest::newRow("No clicked against default Yes")
            << withCancel << MessageAnswer::Yes << int(UserAction::ClickNo) << MessageAnswer::No;
        QTest::newRow("Yes clicked against default No")
            << yesNo << MessageAnswer::No << int(UserAction::ClickYes) << MessageAnswer::Yes;
    }
    void realQuestion()
    {
        QFETCH(QuestionButtons, buttons);
        QFETCH(MessageAnswer, defaultAnswer);
        QFETCH(int, action);
        QFETCH(MessageAnswer, answer);

        QWidget owner;
        owner.show();
        QtMessageBoxService service;
        BoxSeen seen;
        auto *poll = new QTimer;
        connect(poll, &QTimer::timeout, poll, [&, poll] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return; // not open yet
            poll->stop();
            poll->deleteLater();
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            for (QAbstractButton *button : box->buttons())
                seen.buttons << button->text().remove(QLatin1Char('&'));
            switch (UserAction(action)) {
            case UserAction::Enter: QTest::keyClick(box, Qt::Key_Return); break;
            case UserAction::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
            case UserAction::ClickNo: box->button(QMessageBox::No)->click(); break;
            case UserAction::ClickYes: box->button(QMessageBox::Yes)->click(); break;
            }
        });
        poll->start(0);

        const MessageAnswer got =
            service.ask(&owner, QStringLiteral("Kobrix"), QStringLiteral("Replace\rGames 1?"),
                        MessageIcon::Question, buttons, defaultAnswer);
        QCOMPARE(got, answer);
        QCOMPARE(seen.title, QStringLiteral("Kobrix"));
        QCOMPARE(seen.text, QStringLiteral("Replace\nGames 1?"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        seen.buttons.sort();
        QStringList expected{QStringLiteral("No"), QStringLiteral("Yes")};
        if (buttons == QuestionButtons::YesNoCancel)
            expected << QStringLiteral("Cancel");
        expected.sort();
        QCOMPARE(seen.buttons, expected);
    }

    // The double answers from its queue, in order; a question beyond the
    // queue is counted as unexpected and answered as a closed box would be.
    void scriptedAnswersInAWindow()
    {
        RecordingMessageBoxService messages;
        messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
        ConfirmingWindow window(messages);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(window.replace, Qt::LeftButton);
        QCOMPARE(window.replaced, 0);
        QTest::mouseClick(window.replace, Qt::LeftButton);
        QCOMPARE(window.replaced, 1);
        QCOMPARE(messages.unexpected, 0);
        QTest::mouseClick(window.replace, Qt::LeftButton);
        QCOMPARE(window.replaced, 1);
        QCOMPARE(messages.unexpected, 1);

        QCOMPARE(messages.shown.size(), 3u);
        QStringList answers;
        for (const ShownMessage &shown : messages.shown) {
            QVERIFY(shown.question);
            QCOMPARE(shown.text, QStringLiteral("Replace the disc Games 1?"));
            QCOMPARE(shown.buttons, QuestionButtons::YesNo);
            QCOMPARE(shown.defaultAnswer, MessageAnswer::No);
            answers << (shown.answer == MessageAnswer::Yes ? "Yes" : "No");
        }
        QCOMPARE(answers, (QStringList{"No", "Yes", "No"}));
    }

    // Messages with OK stay what they were: recorded, no question, nothing
    // taken from the queue of answers.
    void messagesLeaveTheAnswers()
    {
        RecordingMessageBoxService messages;
        messages.answers = {MessageAnswer::Yes};
        messages.show(nullptr, QStringLiteral("Kobrix"), QStringLiteral("Search text not found"),
                      MessageIcon::Exclamation);
        QCOMPARE(messages.answers.size(), 1u);
        QCOMPARE(messages.shown.size(), 1u);
        QVERIFY(!messages.shown.front().question);
        QCOMPARE(messages.unexpected, 0);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_ui_messagebox.moc"
