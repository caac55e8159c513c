// kobrix-cli add-discs CATALOG [--drive DEVICE] [--update-changed]: the
// loop of CliAddDiscs.h on the machine's drive and terminal.

#include "cli/CliAddDiscs.h"
#include "cli/CliCommands.h"
#include "cli/CliInterrupt.h"
#include "cli/CliSupport.h"
#include "cli/CliTerminal.h"

#include "platform/DiscArrivals.h"
#include "platform/DriveDiscovery.h"
#include "platform/DriveSource.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace kobrix::cli {

namespace {

// The one CD drive of the machine; empty, after saying why, when there is
// none or there are several.
QString onlyCdDrive()
{
    const QStringList drives = findCdDrives(*systemDriveSource());
    if (drives.isEmpty()) {
        failWith(QStringLiteral("add-discs: no CD drive found"));
        return {};
    }
    if (drives.size() > 1) {
        failWith(QStringLiteral("add-discs: there are several CD drives (%1); name one with --drive")
                     .arg(drives.join(QStringLiteral(", "))));
        return {};
    }
    return drives.front();
}

void printUtf8(Output &out, const QString &line)
{
    const QByteArray text = line.toUtf8();
    out.line(std::string_view(text.constData(), std::size_t(text.size())));
    out.flush(); // each disc's line as soon as it is done
}

void printNote(const QString &message)
{
    const QByteArray text = message.toUtf8();
    printError(std::string_view(text.constData(), std::size_t(text.size())));
}

// A line typed on standard input; empty at its end or on Ctrl+C.
QString readNameLine(const QString &drive)
{
    printNote(QStringLiteral("The disc in %1 has no label. Its name (empty: leave it out):").arg(drive));
    char buffer[1024];
    if (!std::fgets(buffer, sizeof buffer, stdin)) {
        std::clearerr(stdin); // a read cut short by Ctrl+C is no end of the input
        return {};
    }
    QString name = QString::fromUtf8(buffer, qsizetype(std::strcspn(buffer, "\r\n")));
    return name.trimmed();
}

} // namespace

int commandAddDiscs(const QStringList &arguments)
{
    QStringList args = arguments;
    QString drive;
    const bool driveGiven = takeOption(args, QLatin1String("--drive"), drive);
    const bool updateChanged = takeFlag(args, QLatin1String("--update-changed"));
    if (args.size() != 1 || args[0].isEmpty() || (driveGiven && drive.isEmpty()))
        return usage();
    const QString catalog = args[0];

    // The loop waits for discs in an event loop.
    static int argc = 1;
    static char name[] = "kobrix-cli";
    static char *argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    if (!driveGiven) {
        drive = onlyCdDrive();
        if (drive.isEmpty())
            return 2;
    }

    Output out;
    const std::unique_ptr<DiscArrivals> arrivals = systemDiscArrivals();
    AddDiscsIo io;
    io.printLine = [&out](const QString &line) { printUtf8(out, line); };
    io.printNote = [&out](const QString &message) {
        out.flush(); // after the lines printed before it
        printNote(message);
    };
    io.readName = [&drive] { return readNameLine(drive); };
    AddDiscsLoop loop(catalog, drive, updateChanged, *arrivals, io);
    InterruptNotice interrupt;
    QObject::connect(&interrupt, &InterruptNotice::interrupted, &loop, &AddDiscsLoop::interrupt);
    return out.finish(loop.run());
}

} // namespace kobrix::cli
