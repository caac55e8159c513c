// The search window: its designed state, Find step by step, events during a
// search. The layout and the resize rule are in tst_ui_form3_layout.

#include "TestSupport.h"
#include "discs/Catalog.h"
#include "core/LineStore.h"
#include "ui/main/Form3.h"
#include "ui/common/MessageBox.h"
#include "ui/discs/SearchResultModel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include "ui/common/LineListView.h"
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace kobrix;
using namespace kobrix::test;

namespace {

// What the search window looked like when a message came up.
struct ShownMessage
{
    QString title;
    QString text;
    MessageIcon icon;
    QString caption;
    QString countLabel;
    qsizetype resultCount;
    bool findEnabled;
};

class RecordingMessages : public MessageBoxService
{
public:
    void show(QWidget *parent, const QString &title, const QString &text,
              MessageIcon icon) override
    {
        auto *form = qobject_cast<Form3 *>(parent);
        QVERIFY(form);
        shown.push_back({title, text, icon, form->windowTitle(), form->lbl_results->text(),
                         form->results()->count(), form->Command1->isEnabled()});
    }
    MessageAnswer ask(QWidget *parent, const QString &title, const QString &text, MessageIcon icon,
                      QuestionButtons buttons, MessageAnswer) override
    {
        // The search window asks nothing: any question shows up as a message.
        show(parent, title, text, icon);
        return escapeAnswer(buttons);
    }
    std::vector<ShownMessage> shown;
};

QStringList resultLines(const Form3 &form)
{
    QStringList lines;
    const auto *model = form.List1->model();
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->index(row, 0).data().toString();
    return lines;
}

const QStringList &sampleCatalog()
{
    static const QStringList lines{
        "Games 1 - \\SETUP.EXE",              // 0
        "Games 1 - \\DATA\\LEVEL1.DAT",       // 1
        "Photos, 2002 - \\IMG001.JPG",        // 2
        "Games 1 - \\ReadMe.txt",             // 3
        "",                                   // 4
        "Games 1 - \\SETUP.EXE",              // 5, the same line again
        "Photos, 2002 - \\setup\\notes.txt",  // 6
        QString::fromUtf8("Müsik - \\Ärger.mp3"), // 7
    };
    return lines;
}

// Lines whose text contains "alpha"; every second one also "beta".
LineStore alphaBetaStore(int count)
{
    LineStore store;
    for (int i = 0; i < count; ++i)
        store.append(QStringLiteral("Disc - \\file%1.alpha%2").arg(i).arg(i % 2 ? "" : ".beta"));
    return store;
}

// Runs Find and waits until the search is over, events running meanwhile.
void findAndWait(Form3 &form)
{
    QSignalSpy finished(&form, &Form3::searchFinished);
    form.find();
    QVERIFY(!finished.isEmpty() || finished.wait(30000));
    QVERIFY(!form.isSearching());
}

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designedState()
    {
        Catalog catalog;
        RecordingMessages messages;
        Form3 form(catalog, messages);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Find"));
        QCOMPARE(form.Command1->text(), QStringLiteral("Find "));
        QCOMPARE(form.Command2->text(), QStringLiteral("Cancel"));
        QCOMPARE(form.Label1->text(), QStringLiteral("Find what?"));
        QCOMPARE(form.Label2->text(), QStringLiteral("Search Results:"));
        QVERIFY(form.Command1->isDefault());
        QVERIFY(form.Text1->text().isEmpty());
        QVERIFY(form.lbl_results->text().isEmpty());
        QCOMPARE(form.results()->count(), 0);
        QCOMPARE(form.outerHeight(), 4110);
        // The designed client width with the frame, but not under 4665.
        const int frameWidth = (form.frameGeometry().width() - form.width()) * 15;
        QCOMPARE(form.outerWidth(), std::max(4650 + frameWidth, 4665));
        QTRY_COMPARE(QApplication::focusWidget(), form.Text1);
        // Focus order: search box, Find, Cancel, result list.
        QCOMPARE(form.Text1->nextInFocusChain(), form.Command1);
        QCOMPARE(form.Command1->nextInFocusChain(), form.Command2);
        QCOMPARE(form.Command2->nextInFocusChain(), form.List1);
        QCOMPARE(form.Label1->focusPolicy(), Qt::NoFocus);

        // Labels sized to their text end before the controls right of them.
        QVERIFY(form.Label1->geometry().right() < form.Text1->x());
        QVERIFY(form.Label2->geometry().right() < form.lbl_results->x());
        QCOMPARE(form.Label2->size(), form.Label2->sizeHint());
    }

    void find_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("hits"); // positions in sampleCatalog()
        QTest::addColumn<QString>("message"); // empty: none
        QTest::addColumn<int>("icon");
        using L = QList<int>;
        const int none = 0;
        const int critical = int(MessageIcon::Critical);
        const int exclamation = int(MessageIcon::Exclamation);
        QTest::newRow("empty box") << "" << L{} << "Enter a search string" << critical;
        QTest::newRow("blanks only list every non-empty line")
            << "   " << L{0, 1, 2, 3, 5, 6, 7} << "" << none;
        QTest::newRow("duplicates kept, catalog order") << "setup" << L{0, 5, 6} << "" << none;
        QTest::newRow("case and surrounding blanks ignored") << "  README " << L{3} << "" << none;
        QTest::newRow("inner blank must match") << "read me" << L{} << "Search text not found"
                                                << exclamation;
        QTest::newRow("across the separator") << "1 - \\D" << L{1} << "" << none;
        QTest::newRow("hyphen matches every catalog line")
            << "-" << L{0, 1, 2, 3, 5, 6, 7} << "" << none;
        QTest::newRow("non-ASCII letters ignore case") << QString::fromUtf8("ärGER") << L{7} << ""
                                                        << none;
        QTest::newRow("no match") << "zzz" << L{} << "Search text not found" << exclamation;
    }
    void find()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, hits);
        QFETCH(QString, message);
        QFETCH(int, icon);
        Catalog catalog;
        catalog.lines() = toStore(sampleCatalog());
        RecordingMessages messages;
        Form3 form(catalog, messages);
        form.Text1->setText(typed);
        findAndWait(form);

        QStringList expected;
        for (int hit : hits)
            expected << sampleCatalog().at(hit);
        QCOMPARE(resultLines(form), expected);
        for (std::size_t row = 0; row < std::size_t(hits.size()); ++row)
            QCOMPARE(form.results()->positions()[row], qsizetype(hits[qsizetype(row)]));

        if (hits.isEmpty()) {
            QCOMPARE(form.windowTitle(), QStringLiteral("Find"));
            QCOMPARE(form.lbl_results->text(), QString());
        } else {
            const QString count = QString::number(hits.size());
            QCOMPARE(form.windowTitle(), "Find  -  Found " + count + " Item(s)");
            QCOMPARE(form.lbl_results->text(), "Found " + count + " Item(s)");
        }
        QVERIFY(form.Command1->isEnabled());
        QCOMPARE(messages.shown.size(), message.isEmpty() ? 0u : 1u);
        if (!message.isEmpty()) {
            const ShownMessage &shown = messages.shown.front();
            QCOMPARE(shown.title, QStringLiteral("Kobrix"));
            QCOMPARE(shown.text, message);
            QCOMPARE(int(shown.icon), icon);
            // The message comes while Find is still disabled.
            QVERIFY(!shown.findEnabled);
        }
        QVERIFY(!form.List1->selectionModel()->hasSelection());
    }

    // A search that finds nothing, or is refused, first resets what the
    // previous one showed.
    void previousResultsResetFirst_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("message");
        QTest::newRow("no match") << "nothing like it" << "Search text not found";
        QTest::newRow("empty box") << "" << "Enter a search string";
    }
    void previousResultsResetFirst()
    {
        QFETCH(QString, second);
        QFETCH(QString, message);
        Catalog catalog;
        catalog.lines() = toStore(sampleCatalog());
        RecordingMessages messages;
        Form3 form(catalog, messages);
        form.Text1->setText(QStringLiteral("games 1"));
        findAndWait(form);
        QCOMPARE(form.windowTitle(), QStringLiteral("Find  -  Found 4 Item(s)"));
        QCOMPARE(form.lbl_results->text(), QStringLiteral("Found 4 Item(s)"));

        form.Text1->setText(second);
        findAndWait(form);
        QCOMPARE(messages.shown.size(), 1u);
        const ShownMessage &shown = messages.shown.front();
        QCOMPARE(shown.text, message);
        QCOMPARE(shown.caption, QStringLiteral("Find"));
        QCOMPARE(shown.countLabel, QString());
        QCOMPARE(shown.resultCount, 0);
        QCOMPARE(form.results()->count(), 0);
        QVERIFY(form.Command1->isEnabled());
    }

    void emptyListNotFound()
    {
        Catalog catalog;
        RecordingMessages messages;
        Form3 form(catalog, messages);
        form.Text1->setText(QStringLiteral("a"));
        findAndWait(form);
        QCOMPARE(messages.shown.size(), 1u);
        QCOMPARE(messages.shown.front().text, QStringLiteral("Search text not found"));
    }

    void enterRunsFind()
    {
        Catalog catalog;
        catalog.lines() = toStore(sampleCatalog());
        RecordingMessages messages;
        Form3 form(catalog, messages);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClicks(form.Text1, QStringLiteral("jpg"));
        QSignalSpy finished(&form, &Form3::searchFinished);
        QTest::keyClick(form.Text1, Qt::Key_Return);
        QVERIFY(finished.wait());
        QCOMPARE(resultLines(form), QStringList{sampleCatalog().at(2)});
    }

    // An edit of the search box made while the search runs applies to the
    // lines not yet examined.
    void editDuringSearch()
    {
        const int lineCount = 5000;
        Catalog catalog;
        catalog.lines() = alphaBetaStore(lineCount);
        RecordingMessages messages;
        Form3 form(catalog, messages);
        form.setSliceBudget(std::chrono::nanoseconds(0)); // one step per round of events
        form.Text1->setText(QStringLiteral("alpha"));
        qsizetype examinedBeforeEdit = -1;
        int roundsWhileSearching = 0;
        connect(form.results(), &QAbstractItemModel::rowsInserted, &form, [&] {
            if (examinedBeforeEdit < 0) {
                // Every line so far matched "alpha": the rows are the lines examined.
                examinedBeforeEdit = form.results()->count();
                form.Text1->setText(QStringLiteral(" beta "));
            }
        });
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, &form, [&] {
            if (form.isSearching()) {
                ++roundsWhileSearching;
                QVERIFY(!form.Command1->isEnabled());
            }
        });
        ticker.start(0);
        findAndWait(form);
        ticker.stop();

        QVERIFY(examinedBeforeEdit > 0 && examinedBeforeEdit < lineCount);
        QVERIFY(roundsWhileSearching > 1);
        std::vector<qsizetype> expected;
        for (qsizetype i = 0; i < lineCount; ++i) {
            if (i < examinedBeforeEdit || i % 2 == 0)
                expected.push_back(i);
        }
        QCOMPARE(form.results()->positions(), expected);
        QCOMPARE(form.lbl_results->text(), "Found " + QString::number(expected.size()) + " Item(s)");
    }

    // Closing the window during a search, or deleting it, stops the search
    // from touching it: no count texts, no message.
    void closeDuringSearch_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel button") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("window deleted") << 2;
    }
    void closeDuringSearch()
    {
        QFETCH(int, how);
        const int lineCount = 20000;
        Catalog catalog;
        catalog.lines() = alphaBetaStore(lineCount);
        RecordingMessages messages;
        QPointer<Form3> form = new Form3(catalog, messages);
        form->setSliceBudget(std::chrono::nanoseconds(0));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        form->Text1->setText(QStringLiteral("alpha"));
        bool acted = false;
        connect(form->results(), &QAbstractItemModel::rowsInserted, form, [&] {
            if (acted)
                return;
            acted = true;
            // Act from the event loop, as the user would, not from inside
            // the model's signal.
            QTimer::singleShot(0, [&] {
                if (how == 0)
                    form->Command2->click();
                else if (how == 1)
                    form->close();
                else
                    delete form.data();
            });
        });
        form->find();
        // Find returns at once; the search goes on between rounds of events.
        QVERIFY(!acted && form && form->isSearching() && !form->Command1->isEnabled());
        QTRY_VERIFY(acted && (form.isNull() || !form->isSearching()));
        QTest::qWait(50); // a message or count after the close would come now
        QVERIFY(messages.shown.empty());
        if (how == 2) {
            QVERIFY(form.isNull());
            return;
        }
        QVERIFY(!form->isVisible());
        QVERIFY(!form->isSearching());
        QVERIFY(form->results()->count() < lineCount);
        QCOMPARE(form->windowTitle(), QStringLiteral("Find"));
        QCOMPARE(form->lbl_results->text(), QString());
        delete form.data();
    }

    // A text found in every line of a large catalog is listed in full, the
    // rows referring to the lines rather than holding copies.
    void everyLineListed()
    {
        const int lineCount = 200000;
        Catalog catalog;
        catalog.lines() = alphaBetaStore(lineCount);
        RecordingMessages messages;
        Form3 form(catalog, messages);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Text1->setText(QStringLiteral("ALPHA"));
        // Run to its end without events, as the screenshots do.
        form.find();
        form.finishSearch();
        QVERIFY(!form.isSearching() && form.Command1->isEnabled());
        QCOMPARE(form.results()->count(), lineCount);
        QCOMPARE(form.List1->model()->rowCount(), lineCount);
        QCOMPARE(form.lbl_results->text(), QStringLiteral("Found 200000 Item(s)"));
        QCOMPARE(form.results()->lineAt(lineCount - 1), catalog.lines().at(lineCount - 1));
        const QModelIndex last = form.List1->model()->index(lineCount - 1, 0);
        // The view lays the rows out in batches while events are processed.
        const auto lastRowShown = [&] {
            form.List1->scrollToBottom();
            return form.List1->viewport()->rect().contains(form.List1->visualRect(last));
        };
        QTRY_VERIFY(lastRowShown());
    }
};

QTEST_MAIN(TestForm3)
#include "tst_ui_form3.moc"
