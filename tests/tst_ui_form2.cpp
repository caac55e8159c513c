// The start dialog: its controls, the option clicks, and the OK handling of
// each work mode against a stand-in main window that logs what happens to it.
// What the settings of each mode do to the real main window is
// tst_ui_workmode's.

#include "discs/Catalog.h"
#include "ui/common/Artwork.h"
#include "ui/common/CommonDialog.h"
#include "ui/main/Form2.h"
#include "ui/common/MessageBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

using namespace kobrix;

Q_DECLARE_METATYPE(kobrix::WorkMode)

namespace {

// Everything that happens, in order, across the start dialog and the main
// windows it prepares.
QStringList events;

class RecordingMessages : public MessageBoxService
{
public:
    void show(QWidget *, const QString &title, const QString &text, MessageIcon icon) override
    {
        events << "message " + text;
        shown << title + "|" + text + "|" + QString::number(int(icon));
    }
    MessageAnswer ask(QWidget *parent, const QString &title, const QString &text, MessageIcon icon,
                      QuestionButtons buttons, MessageAnswer) override
    {
        // The start dialog asks nothing: any question shows up as a message.
        show(parent, title, text, icon);
        return escapeAnswer(buttons);
    }
    QStringList shown;
};

class ScriptedDialogs : public FileDialogBackend
{
public:
    std::optional<QString> run(QWidget *, const FileDialogRequest &request) override
    {
        requests.push_back(request);
        events << QStringLiteral("open dialog");
        if (answers.empty())
            return std::nullopt;
        const std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // The start dialog never asks for several files.
    std::optional<QStringList> runSeveral(QWidget *, const FileDialogRequest &request) override
    {
        requests.push_back(request);
        events << QStringLiteral("open dialog for several files");
        return std::nullopt;
    }
    std::deque<std::optional<QString>> answers;
    std::vector<FileDialogRequest> requests;
};

// A main window that logs what the start dialog has done to it: the naming
// of its catalog, the load and the applying of the mode's start settings.
class FakeMainWindow : public QWidget
{
public:
    FakeMainWindow(FileDialogBackend &dialogs, WorkMode mode, const Form2 &start)
        : mode(mode), CommonDialog1(dialogs, this)
    {
        connect(&catalog, &Catalog::pathChanged, this,
                [](const QString &path) { events << QStringLiteral("catalog ") + path; });
        events << QStringLiteral("load %1, start dialog %2, OK %3")
                      .arg(int(mode))
                      .arg(start.isVisible() ? "open" : "closed")
                      .arg(start.Command1->isEnabled() ? "enabled" : "disabled");
    }

    PreparedMainWindow parts()
    {
        PreparedMainWindow parts;
        parts.window = this;
        parts.catalog = &catalog;
        parts.CommonDialog1 = &CommonDialog1;
        parts.ReadList = [this](const QString &fileName, bool clearFirst) {
            events << QStringLiteral("ReadList %1 %2").arg(fileName).arg(clearFirst);
            readFrom = fileName;
            if (duringLoad)
                duringLoad();
            return true;
        };
        parts.applyStartSettings = [] { events << QStringLiteral("start settings"); };
        return parts;
    }

    void setVisible(bool visible) override
    {
        if (visible)
            events << QStringLiteral("main shown");
        QWidget::setVisible(visible);
    }

    WorkMode mode;
    CommonDialog CommonDialog1;
    Catalog catalog;
    QString readFrom;
    static inline std::function<void()> duringLoad; // what the user does while a catalog loads
};

// Logs the start dialog closing.
class HideLogger : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            events << QStringLiteral("start dialog closed");
        return false;
    }
};

// The start dialog with its stand-ins. Every main window made is kept, the
// latest last, as a factory supplier would own them.
struct Fixture
{
    Fixture()
        : form(messages, [this](WorkMode mode) {
              windows.push_back(std::make_unique<FakeMainWindow>(dialogs, mode, form));
              return windows.back()->parts();
          })
    {
        events.clear();
        form.installEventFilter(&hideLogger);
        form.show();
    }
    FakeMainWindow *main() const { return windows.empty() ? nullptr : windows.back().get(); }

    RecordingMessages messages;
    ScriptedDialogs dialogs;
    HideLogger hideLogger;
    std::vector<std::unique_ptr<FakeMainWindow>> windows;
    Form2 form;
};

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designedState()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.form));
        QCOMPARE(f.form.windowTitle(), QStringLiteral("Kobrix"));
        QCOMPARE(f.form.size(), QSize(457, 270));
        QCOMPARE(f.form.minimumSize(), f.form.maximumSize());
        QVERIFY(!(f.form.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(f.form.Frame1->title(), QStringLiteral("What do you want to do?"));
        QCOMPARE(f.form.Option1->text(), QStringLiteral("Create a new CD Catalog"));
        QCOMPARE(f.form.Option2->text(), QStringLiteral("Open your last CD Catalog"));
        QCOMPARE(f.form.Option3->text(), QStringLiteral("Search an Existing CD Catalog"));
        QCOMPARE(f.form.Option4->text(), QStringLiteral("Add a new Disk to an Existing CD Catalog"));
        QCOMPARE(f.form.Label1->text(), QStringLiteral("Type a name for your new Catalog"));
        QCOMPARE(f.form.Text1->text(), QStringLiteral("Enter Catalog name here"));
        QCOMPARE(f.form.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(f.form.Command2->text(), QStringLiteral("Cancel"));
        QVERIFY(f.form.Option1->isChecked());
        QVERIFY(!f.form.Option2->isEnabled());
        QVERIFY(f.form.Label1->isVisible() && f.form.Text1->isVisible());
        QVERIFY(f.form.Command1->isDefault() && f.form.Command1->isEnabled());
        QCOMPARE(f.form.workMode(), WorkMode::NewCatalog);
        QCOMPARE(f.form.Image1->pixmap().size(), kArtworkSize);
        QVERIFY(f.windows.empty()); // no main window before OK

        // Everything lies within the window, the picture left of the frame,
        // and every caption fits its control.
        QVERIFY(f.form.rect().contains(f.form.Frame1->geometry()));
        QVERIFY(f.form.Image1->geometry().right() < f.form.Frame1->geometry().left());
        for (auto *control : f.form.Frame1->findChildren<QWidget *>()) {
            QVERIFY2(f.form.Frame1->contentsRect().contains(control->geometry()),
                     qPrintable(control->objectName()));
            if (qobject_cast<QRadioButton *>(control) || qobject_cast<QLabel *>(control)
                || qobject_cast<QPushButton *>(control))
                QVERIFY2(control->sizeHint().width() <= control->width(),
                         qPrintable(control->objectName()));
        }
    }

    // Option clicks, one after another: is the name prompt shown, and which
    // mode results. The name typed stays.
    void optionClicks_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("promptShown");
        QTest::addColumn<WorkMode>("mode");
        QTest::newRow("search hides the name") << QStringList{"Option3"} << false
                                               << WorkMode::SearchCatalog;
        QTest::newRow("add hides the name") << QStringList{"Option4"} << false << WorkMode::AddDisc;
        QTest::newRow("new again shows it") << QStringList{"Option3", "Option1"} << true
                                            << WorkMode::NewCatalog;
        QTest::newRow("last catalog cannot be chosen") << QStringList{"Option2"} << true
                                                       << WorkMode::NewCatalog;
    }
    void optionClicks()
    {
        QFETCH(QStringList, clicks);
        QFETCH(bool, promptShown);
        QFETCH(WorkMode, mode);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.form));
        f.form.Text1->setText(QStringLiteral("Music"));
        for (const QString &name : clicks)
            QTest::mouseClick(f.form.findChild<QRadioButton *>(name), Qt::LeftButton);
        QCOMPARE(f.form.Label1->isVisible(), promptShown);
        QCOMPARE(f.form.Text1->isVisible(), promptShown);
        QCOMPARE(f.form.Text1->text(), QStringLiteral("Music"));
        QCOMPARE(f.form.workMode(), mode);
        QVERIFY(!f.form.Option2->isChecked());
    }

    // The arrow keys move between the options and pass over the second.
    void keyboardSkipsLastCatalog()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.form));
        f.form.Option1->setFocus();
        QTest::keyClick(f.form.Option1, Qt::Key_Down);
        QVERIFY(f.form.Option3->isChecked());
        QVERIFY(!f.form.Text1->isVisible());
        QTest::keyClick(f.form.Option3, Qt::Key_Up);
        QVERIFY(f.form.Option1->isChecked());
        QVERIFY(f.form.Text1->isVisible());
        QVERIFY(!f.form.Option2->isChecked());
    }

    // A new catalog: the name check, then the main window is loaded while
    // the dialog is open, its catalog named as typed, set up and shown.
    void newCatalog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a name") << "Music" << true;
        QTest::newRow("the proposed text") << "Enter Catalog name here" << true;
        QTest::newRow("one blank is a name") << " " << true;
        QTest::newRow("extension kept") << "music.cdc" << true;
        QTest::newRow("not trimmed") << " Jazz " << true;
        QTest::newRow("empty") << "" << false;
    }
    void newCatalog()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        Fixture f;
        f.form.Text1->setText(name);
        QTest::mouseClick(f.form.Command1, Qt::LeftButton);

        if (!accepted) {
            QCOMPARE(f.messages.shown,
                     QStringList{"Kobrix| Please enter a name for the new catalog|48"});
            QVERIFY(f.windows.empty());
            QVERIFY(f.form.isVisible());
            QVERIFY(f.form.Command1->isEnabled());
            return;
        }
        QVERIFY(f.messages.shown.isEmpty());
        QCOMPARE(events, (QStringList{"load 0, start dialog open, OK disabled", "catalog " + name,
                                      "start settings", "start dialog closed", "main shown"}));
        FakeMainWindow *main = f.main();
        QCOMPARE(main->mode, WorkMode::NewCatalog);
        QCOMPARE(main->catalog.path(), name);
        QVERIFY(main->readFrom.isEmpty());
        QVERIFY(f.dialogs.requests.empty());
        QVERIFY(main->isVisible());
        QVERIFY(!f.form.isVisible());
    }

    // An existing catalog: the open dialog, the naming, the loader, then the
    // mode's start settings.
    void existingCatalog_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<WorkMode>("mode");
        QTest::addColumn<QString>("path");
        QTest::newRow("search") << "Option3" << WorkMode::SearchCatalog << "/cats/MUSIC.CDC";
        QTest::newRow("add a disc") << "Option4" << WorkMode::AddDisc << "/cats/Music.cdc";
        QTest::newRow("name with blanks and a comma")
            << "Option3" << WorkMode::SearchCatalog << "/my cats/Photos, 2002.cdc";
    }
    void cancelWhileTheCatalogLoads()
    {
        // The load lets the start dialog answer; Cancel there ends the
        // program, and the main window must not come up after the load.
        Fixture f;
        QTest::mouseClick(f.form.Option3, Qt::LeftButton);
        f.dialogs.answers.push_back(QStringLiteral("/cats/big.cdc"));
        QSignalSpy ending(&f.form, &Form2::programEndRequested);
        FakeMainWindow::duringLoad = [&] { QTest::mouseClick(f.form.Command2, Qt::LeftButton); };
        events.clear();
        QTest::mouseClick(f.form.Command1, Qt::LeftButton);
        FakeMainWindow::duringLoad = nullptr;
        QCOMPARE(ending.count(), 1);
        QVERIFY(!events.contains(QStringLiteral("main shown")));
        QVERIFY(!events.contains(QStringLiteral("start settings")));
        QVERIFY(f.main()->isHidden());
    }

    void existingCatalog()
    {
        QFETCH(QString, option);
        QFETCH(WorkMode, mode);
        QFETCH(QString, path);
        Fixture f;
        QTest::mouseClick(f.form.findChild<QRadioButton *>(option), Qt::LeftButton);
        f.dialogs.answers.push_back(path);
        events.clear();
        QTest::mouseClick(f.form.Command1, Qt::LeftButton);

        QCOMPARE(events,
                 (QStringList{QString("load %1, start dialog open, OK disabled").arg(int(mode)),
                              "open dialog", "catalog " + path, "ReadList " + path + " 1",
                              "start settings", "main shown", "start dialog closed"}));
        QCOMPARE(f.dialogs.requests.size(), 1u);
        const FileDialogRequest &request = f.dialogs.requests.front();
        QCOMPARE(request.mode, FileDialogMode::Open);
        QCOMPARE(request.flags, 0x806u);
        QCOMPARE(request.filter, QStringLiteral("CD Catalog Files (*.cdc)|*.cdc"));
        QCOMPARE(request.fileName, QString());

        FakeMainWindow *main = f.main();
        QCOMPARE(main->mode, mode);
        QCOMPARE(main->catalog.path(), path);
        QCOMPARE(main->readFrom, path);
        QVERIFY(f.messages.shown.isEmpty());
    }

    // A cancelled open dialog leaves the start dialog open with OK enabled;
    // the next OK prepares a fresh main window for the mode then chosen.
    void cancelledOpenDialog_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<WorkMode>("secondMode");
        QTest::newRow("search, then new") << "Option3" << "Option1" << WorkMode::NewCatalog;
        QTest::newRow("add, then search") << "Option4" << "Option3" << WorkMode::SearchCatalog;
        QTest::newRow("search, then search") << "Option3" << "Option3" << WorkMode::SearchCatalog;
    }
    void cancelledOpenDialog()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(WorkMode, secondMode);
        Fixture f;
        QTest::mouseClick(f.form.findChild<QRadioButton *>(first), Qt::LeftButton);
        f.dialogs.answers.push_back(std::nullopt);
        QTest::mouseClick(f.form.Command1, Qt::LeftButton);
        QVERIFY(f.form.isVisible());
        QVERIFY(f.form.Command1->isEnabled());
        QCOMPARE(f.windows.size(), 1u);
        QVERIFY(!f.main()->isVisible());
        QVERIFY(f.main()->readFrom.isEmpty());
        QCOMPARE(f.main()->catalog.path(), QString());
        QVERIFY(!events.contains(QStringLiteral("start settings")));
        QVERIFY(f.messages.shown.isEmpty());

        QTest::mouseClick(f.form.findChild<QRadioButton *>(second), Qt::LeftButton);
        f.dialogs.answers.push_back(QStringLiteral("/cats/Games.cdc"));
        QTest::mouseClick(f.form.Command1, Qt::LeftButton);
        QCOMPARE(f.windows.size(), 2u);
        QCOMPARE(f.main()->mode, secondMode);
        QVERIFY(f.main()->isVisible());
        QVERIFY(!f.windows.front()->isVisible());
        QVERIFY(!f.form.isVisible());
    }

    // Cancel and the close box end the program; Escape does nothing.
    void endingTheProgram_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("ends");
        QTest::newRow("Cancel") << "cancel" << true;
        QTest::newRow("close box") << "close" << true;
        QTest::newRow("Escape") << "escape" << false;
    }
    void endingTheProgram()
    {
        QFETCH(QString, how);
        QFETCH(bool, ends);
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.form));
        QSignalSpy end(&f.form, &Form2::programEndRequested);
        if (how == "cancel")
            QTest::mouseClick(f.form.Command2, Qt::LeftButton);
        else if (how == "close")
            f.form.close();
        else
            QTest::keyClick(f.form.Text1, Qt::Key_Escape);
        QCOMPARE(end.count(), ends ? 1 : 0);
        QCOMPARE(f.form.isVisible(), !ends);
        QVERIFY(f.windows.empty());
        QVERIFY(f.dialogs.requests.empty());
    }
};

QTEST_MAIN(TestForm2)
#include "tst_ui_form2.moc"
