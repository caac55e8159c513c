// The main window's long work, measured the way a user feels it: how long a
// 1,000,000-line catalog takes to appear in List2, how long a large folder
// takes to scan through the window, and the longest stretch in which the
// window processed no events meanwhile (also while the view places the
// rows, which placed_ms times: until List2 can scroll to its last rows).
//
//   kobrix-bench-window load CATALOG
//   kobrix-bench-window scan FOLDER
//
// Prints "key value" lines for scripts/bench.

#include "platform/DriveSource.h"
#include "ui/common/CommonDialog.h"
#include "ui/main/Form1.h"
#include "ui/common/MessageBox.h"
#include "ui/common/UiServices.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include "ui/common/LineListView.h"
#include <QTimer>

#include <cstdio>

using namespace kobrix;

namespace {

class PrintedMessages : public MessageBoxService
{
public:
    void show(QWidget *, const QString &, const QString &text, MessageIcon) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    MessageAnswer ask(QWidget *parent, const QString &title, const QString &text, MessageIcon icon,
                      QuestionButtons buttons, MessageAnswer) override
    {
        show(parent, title, text, icon);
        return escapeAnswer(buttons);
    }
};

class NoDrives : public DriveSource
{
public:
    QString logicalDriveStrings() override { return QString(); }
    int driveType(const QString &) override { return 0; }
};

class NoDialogs : public FileDialogBackend
{
public:
    std::optional<QString> run(QWidget *, const FileDialogRequest &) override { return {}; }
    std::optional<QStringList> runSeveral(QWidget *, const FileDialogRequest &) override
    {
        return {};
    }
};

// Measures the longest gap between two turns of the event loop while work runs.
class GapMeter
{
public:
    GapMeter()
    {
        m_pulse.setInterval(0);
        QObject::connect(&m_pulse, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_longest = 0;
        m_pulse.start();
    }
    double stopMs()
    {
        m_pulse.stop();
        m_longest = std::max(m_longest, m_clock.nsecsElapsed() - m_last);
        return double(m_longest) / 1e6;
    }
    double elapsedMs() const { return double(m_clock.nsecsElapsed()) / 1e6; }

private:
    QTimer m_pulse;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kobrix-bench-window load CATALOG | scan FOLDER\n");
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);

    PrintedMessages messages;
    NoDrives drives;
    NoDialogs dialogs;
    UiServices services;
    services.messages = &messages;
    services.drives = &drives;
    services.fileDialogs = &dialogs;
    Form1 form(services, WorkMode::NewCatalog);
    form.show();
    QCoreApplication::processEvents();

    GapMeter meter;
    // Work starts from the event loop, as a click would start it.
    QTimer::singleShot(0, &form, [&] {
        meter.start();
        if (mode == QLatin1String("load"))
            form.ReadList(path, true);
        else
            form.scanFolder(path);
        const double workMs = meter.elapsedMs();
        // Then until List2 shows every line.
        const auto *model = form.List2->model();
        while (model->rowCount() < form.session().catalog().lines().count())
            QCoreApplication::processEvents();
        const double shownMs = meter.elapsedMs();
        // Then until the view has placed every row: it can scroll to the
        // last ones.
        const QScrollBar *bar = form.List2->verticalScrollBar();
        while (bar->maximum() < model->rowCount() - 100)
            QCoreApplication::processEvents();
        const double placedMs = meter.elapsedMs();
        const double gapMs = meter.stopMs();
        std::printf("lines %lld\nwork_ms %.1f\nlisted_ms %.1f\nlongest_gap_ms %.1f\n"
                    "placed_ms %.1f\n",
                    static_cast<long long>(form.session().catalog().lines().count()), workMs,
                    shownMs, gapMs, placedMs);
        QCoreApplication::quit();
    });
    return app.exec();
}
