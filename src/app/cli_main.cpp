// kobrix-cli: the catalog engine from the command line, for scripts and for
// measuring. It writes and reads exactly the files the window does.

#include "app/CliCommands.h"
#include "app/CliSupport.h"

#include "catalog/CatalogFileSystem.h"
#include "core/RuntimeError.h"

#include <QStringList>

#include <cstdio>
#include <new>

namespace kobrix::cli {

namespace {

const char kUsage[] =
    "Usage:\n"
    "  kobrix-cli scan ROOT                        list the files below ROOT (a folder or an .iso image)\n"
    "  kobrix-cli write CATALOG --disc NAME ROOT   scan ROOT into a new catalog\n"
    "  kobrix-cli append CATALOG --disc NAME ROOT  scan ROOT and add it to a catalog\n"
    "  kobrix-cli list CATALOG                     print the catalog lines\n"
    "  kobrix-cli find CATALOG TEXT [--count]      print (or count) the lines holding TEXT\n"
    "  kobrix-cli find CATALOG TEXT --by-disc      count the lines holding TEXT on each disc\n"
    "  kobrix-cli discs CATALOG                    print each disc with its number of files\n"
    "  kobrix-cli ls CATALOG --disc NAME [PATH]    print the folders and files in PATH on a disc\n"
    "  kobrix-cli dupes CATALOG [--by-name]        print the paths (or file names) on several discs\n"
    "\n"
    "find exits 0 when a line matched, 1 when none did, 2 on error.\n";

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
    {"discs", &commandDiscs},
    {"ls", &commandLs},
    {"dupes", &commandDupes},
};

int run(int argc, char **argv)
{
    // A file size limit must show up as a failed write (reported as disk
    // full), not kill the program half-way through a catalog.
    kobrix::filesystem::ignoreFileSizeSignal();
    // No application object: a command runs once and needs no event loop,
    // and the object's set-up would be a good part of a search's time.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
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
