// The main window's control table as the workflow moves on, for the steps
// the window suites do not reach: the phases after an add, and what a
// running or incomplete scan lays over a phase and leaves behind.

#include "session/MainControls.h"

#include <QStringList>
#include <QTest>

using namespace kobrix;

Q_DECLARE_METATYPE(kobrix::WorkMode)

namespace {

QString onOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

QString button(const char *name, ButtonState state)
{
    return QString::fromLatin1(name) + QLatin1Char(' ') + onOff(state.enabled)
           + (state.visible ? QStringLiteral(" shown") : QStringLiteral(" hidden"));
}

// In the order of the window suites' controlState(), then the rest.
QString describe(const MainControls &c)
{
    return QStringList{QStringLiteral("Label2 ") + onOff(c.label), QStringLiteral("Text2 ") + onOff(c.name),
                       button("Command3", c.write), button("Command4", c.add),
                       button("Command2", c.next), QStringLiteral("drives ") + onOff(c.drives),
                       QStringLiteral("load ") + onOff(c.load),
                       QStringLiteral("commands ") + onOff(c.commands),
                       QStringLiteral("cancel ") + onOff(c.cancel)}
        .join(QLatin1Char('|'));
}

} // namespace

class TestMainControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void steps_data()
    {
        QTest::addColumn<WorkMode>("mode");
        QTest::addColumn<QString>("steps"); // start, lines, none, cancel, fail, failempty, write, add, update, next; scanning: "busy"
        QTest::addColumn<QString>("state");
        const WorkMode fresh = WorkMode::NewCatalog;
        const QString nextAfterAdd = "Label2 off|Text2 off|Command3 on hidden|Command4 on shown|"
                                     "Command2 off shown|drives on|load off|commands on|cancel off";
        QTest::newRow("next disc after an add keeps Write Catalog... on")
            << fresh << "start lines write next lines add next" << nextAfterAdd;
        QTest::newRow("an empty scan then changes nothing")
            << fresh << "start lines write next lines add next none" << nextAfterAdd;
        QTest::newRow("updated after an add: all off")
            << fresh << "start lines write next lines add update"
            << "Label2 off|Text2 off|Command3 off hidden|Command4 off shown|Command2 on shown|"
               "drives off|load off|commands on|cancel off";
        QTest::newRow("a scan running over a scanned disc")
            << WorkMode::AddDisc << "start next lines busy"
            << "Label2 on|Text2 off|Command3 off hidden|Command4 off shown|Command2 off shown|"
               "drives off|load off|commands off|cancel on";
        QTest::newRow("cancelled over a scanned disc: no writing, the name stays")
            << WorkMode::AddDisc << "start next lines cancel"
            << "Label2 on|Text2 on|Command3 off hidden|Command4 off shown|Command2 off shown|"
               "drives on|load on|commands on|cancel off";
        QTest::newRow("a failed scan that found nothing keeps writing held back")
            << WorkMode::AddDisc << "start next lines cancel failempty"
            << "Label2 on|Text2 on|Command3 off hidden|Command4 off shown|Command2 off shown|"
               "drives on|load on|commands on|cancel off";
        QTest::newRow("a complete scan gives writing back")
            << WorkMode::AddDisc << "start next lines fail none"
            << "Label2 on|Text2 on|Command3 on hidden|Command4 on shown|Command2 off shown|"
               "drives on|load on|commands on|cancel off";
    }
    void steps()
    {
        QFETCH(WorkMode, mode);
        QFETCH(QString, steps);
        QFETCH(QString, state);
        using End = MainWorkflow::ScanEnd;
        const QHash<QString, End> ends{{"lines", End::Lines}, {"none", End::NoLines},
                                       {"cancel", End::Cancelled}, {"fail", End::FailedWithLines},
                                       {"failempty", End::FailedEmpty}};
        MainWorkflow flow(mode);
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            if (ends.contains(step)) {
                flow.scanStarted();
                flow.scanEnded(ends.value(step));
            } else if (step == QLatin1String("start")) {
                flow.started();
            } else if (step == QLatin1String("busy")) {
                flow.scanStarted();
            } else if (step == QLatin1String("write")) {
                flow.written();
            } else if (step == QLatin1String("add")) {
                flow.added();
            } else if (step == QLatin1String("update")) {
                flow.updated();
            } else {
                flow.nextDisc();
            }
        }
        QCOMPARE(describe(flow.controls()), state);
    }
};

QTEST_GUILESS_MAIN(TestMainControls)
#include "tst_session_maincontrols.moc"
