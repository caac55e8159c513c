// kobrix-cli: the catalog engine from the command line, for scripts and for
// measuring. It writes and reads exactly the files the window does.

#include "cli/CliCommands.h"
#include "cli/CliLabel.h"
#include "cli/CliSupport.h"

#include "core/FileNames.h"
#include "core/RuntimeError.h"
#include "platform/ProcessSetup.h"

#include <QStringList>

#ifdef Q_OS_WIN
#include "win32/commandline_win.h"
#endif

#include <cstdio>
#include <new>

namespace kobrix::cli {

namespace {

const char kUsage[] =
    "Usage:\n"
    "  kobrix-cli scan ROOT                        list the files below ROOT (a folder or an .iso image)\n"
    "  kobrix-cli write CATALOG --disc NAME ROOT   scan ROOT into a new catalog\n"
    "  kobrix-cli append CATALOG --disc NAME ROOT  scan ROOT and add it to a catalog\n"
    "                                              (write and append: --disc-from-label in place\n"
    "                                              of --disc NAME names the disc by its label)\n"
    "  kobrix-cli label ROOT                       print the volume label of ROOT (a disc image,\n"
    "                                              a drive's device or a mounted disc's folder)\n"
    "  kobrix-cli list CATALOG                     print the catalog lines\n"
    "  kobrix-cli find CATALOG... TEXT [--count]   print (or count) the lines holding TEXT\n"
    "  kobrix-cli find CATALOG... TEXT --by-disc   count the lines holding TEXT on each disc\n"
    "  kobrix-cli discs CATALOG                    print each disc with its number of files\n"
    "  kobrix-cli ls CATALOG --disc NAME [PATH]    print the folders and files in PATH on a disc\n"
    "  kobrix-cli dupes CATALOG [--by-name]        print the paths (or file names) on several discs\n"
    "  kobrix-cli update CATALOG --disc NAME ROOT  scan ROOT and replace the disc's records with it\n"
    "  kobrix-cli identify CATALOG ROOT            scan ROOT and name the discs most like it\n"
    "  kobrix-cli add-discs CATALOG [--drive DEVICE] [--update-changed]\n"
    "                                              add each disc put into the drive, one after\n"
    "                                              another, until Ctrl+C; a known disc that\n"
    "                                              changed is updated only with --update-changed\n"
    "  kobrix-cli --version                        print the program's version\n"
    "  kobrix-cli export CATALOG --format csv|html|pdf [--disc NAME]... [-o FILE] [--raw]\n"
    "                                              the catalog, or the discs named, as a\n"
    "                                              spreadsheet, a web page or a printable\n"
    "                                              PDF (standard output unless -o; PDF needs -o);\n"
    "                                              CSV cells that start with = + - @ get a ' in\n"
    "                                              front, unless --raw\n"
    "\n"
    "find searches each CATALOG given and, for a folder, every *.cdc file below it\n"
    "(in byte order of their paths). Given more than one catalog or a folder, it\n"
    "prints each line, or each catalog's count, after the catalog's path and a colon.\n"
    "find exits 0 when a line matched, 1 when none did, 2 on error.\n"
    "update prints the files added (\"+ \") and removed (\"- \"), and the counts on stderr.\n"
    "label exits 1 when ROOT has no label.\n"
    "add-discs prints a line per disc: its name, files and what was done, tab-separated;\n"
    "it exits 0 when a disc was added or updated, 1 when none was, 2 on error.\n"
    "identify prints disc, files shared, the disc's files and the scan's, best first; it\n"
    "exits 0 when the best disc is the same disc (90% of its files and of the scan's\n"
    "shared), 1 when none is, 2 on error.\n"
    "\"--\" ends the options: an argument after it is never taken for one.\n"
    "On a terminal, control characters in names are shown as '?'.\n";

// The commands by name.
struct Command
{
    const char *name;
    int (*run)(const QStringList &args);
};

const Command kCommands[] = {
    {"scan", &commandScan},
    {"write", &commandWrite},
    {"append", &commandAppend},
    {"list", &commandList},
    {"find", &commandFind},
    {"update", &commandUpdate},
    {"identify", &commandIdentify},
    {"export", &commandExport},
    {"discs", &commandDiscs},
    {"ls", &commandLs},
    {"dupes", &commandDupes},
    {"label", &commandLabel},
    {"add-discs", &commandAddDiscs},
};

int run(int argc, char **argv)
{
    // A file size limit must show up as a failed write (reported as disk
    // full), not kill the program half-way through a catalog; disc images
    // give the same names as in the windows, whatever the locale.
    kobrix::prepareProcess();
    // No application object: a command runs once and needs no event loop,
    // and the object's set-up would be a good part of a search's time.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    QStringList args;
#ifdef Q_OS_WIN
    // The wide command line: argv has passed through the ANSI code page.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    for (const std::string &argument : kobrix::win32::commandLineArguments())
        args << QString::fromStdString(argument);
#else
    // Paths are opened with exactly the bytes given, also where they are no
    // valid UTF-8 (see core/FileNames.h).
    for (int i = 1; i < argc; ++i)
        args << kobrix::decodeFileName(argv[i]);
#endif
    if (args.isEmpty())
        return usage();
    if (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        // Asked for, the usage is output like any other, and a failed write
        // is an error.
        std::fputs(kUsage, stdout);
        return Output().finish(0);
    }
    if (args[0] == QLatin1String("--version")) {
        Output out;
        out.line("kobrix-cli " KOBRIX_VERSION);
        return out.finish(0);
    }
    const QString name = args.takeFirst();
    const qsizetype optionsEnd = args.indexOf(QLatin1String("--"));
    if (optionsEnd >= 0) {
        setPlainArgumentCount(args.size() - optionsEnd - 1);
        args.removeAt(optionsEnd);
    }
    for (const Command &command : kCommands) {
        if (name == QLatin1String(command.name))
            return command.run(args);
    }
    return usage();
}

} // namespace

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace kobrix::cli

int main(int argc, char **argv)
{
    try {
        return kobrix::cli::run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fflush(stdout);
        std::fprintf(stderr, "kobrix-cli: %s\n",
                     qPrintable(kobrix::RuntimeError(kobrix::OutOfMemory).numberAndDescription()));
        return 2;
    }
}
