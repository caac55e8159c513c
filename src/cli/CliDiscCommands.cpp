// kobrix-cli's commands that see a catalog as a library of discs: discs, ls,
// and the counts of find --by-disc.

#include "cli/CliCommands.h"
#include "cli/CliEveryLine.h"
#include "cli/CliSupport.h"

#include "catalog/CatalogFile.h"
#include "discs/DiscHits.h"
#include "discs/DiscIndex.h"
#include "discs/DiscTree.h"
#include "core/ProgramTexts.h"
#include "session/LineSearch.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace kobrix::cli {

namespace {

// The disc's name as printed: the lines without one under a name of the
// program's own.
std::string printedName(std::string_view name, bool looseLines)
{
    if (looseLines)
        return ProgramTexts::looseLinesName().toStdString();
    return std::string(name);
}

// Counts the lines of each disc.
struct DiscCounter
{
    DiscTally tally;

    void begin(qint64) {}
    void clear() { tally.clear(); }
    bool takeAsIs(const FieldParser::FilterText &text)
    {
        // A text that starts with the ASCII name of the disc before is of
        // that disc, whatever its other bytes.
        if (tally.continuesLastDisc(text.bytes) && tally.isAsciiName(tally.lastDisc())) {
            tally.addToLastDisc();
            return true;
        }
        if (!isUtf8(text))
            return false;
        tally.add(text.bytes);
        return true;
    }
    void line(std::string_view text) { tally.add(text); }
};

// Reads the whole catalog into lines, without search keys unless asked for.
bool loadCatalog(const QString &path, LineStore &lines, bool searchKeys = false)
{
    lines.setKeepSearchKeys(searchKeys);
    if (RuntimeError error = readCatalog(path, lines, ExistingLines::Clear)) {
        fail(ProgramTexts::readErrorHeading(), error);
        return false;
    }
    return true;
}

// The folder of a path as a user types it: as the catalog holds it
// ("\DATA\MAPS"), without the leading backslash ("DATA\MAPS"), or with /
// between its parts as on Linux ("DATA/MAPS", "/DATA/MAPS"). The path as
// given is tried first, so that a folder whose name holds a / (a line made
// by hand, say) is still found. -1 when the disc has none.
qsizetype folderNamed(const DiscTree &tree, const QString &typed)
{
    const auto fromRoot = [](QString path) {
        if (!path.startsWith(QLatin1Char('\\')))
            path.prepend(QLatin1Char('\\'));
        return path;
    };
    const qsizetype folder = tree.folderAt(fromRoot(typed));
    if (folder >= 0 || !typed.contains(QLatin1Char('/')))
        return folder;
    QString withBackslashes = typed;
    withBackslashes.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return tree.folderAt(fromRoot(withBackslashes));
}

} // namespace

int commandDiscs(const QStringList &args)
{
    if (args.size() != 1)
        return usage();
    // The pieces of the file are counted on several threads; their tallies
    // are added up in file order, so the discs keep the order of their
    // first lines.
    DiscCounter counter;
    EveryLineInPieces<DiscCounter> pieces([] { return std::make_unique<DiscCounter>(); },
                                          [&counter](DiscCounter &piece) { counter.tally.addTally(piece.tally); });
    if (RuntimeError error = pieces.read(args[0]))
        return fail(ProgramTexts::readErrorHeading(), error);

    Output out;
    std::string line;
    const DiscTally &tally = counter.tally;
    for (qint32 disc = 0; disc < tally.count() && !out.failed(); ++disc) {
        line = printedName(tally.utf8Name(disc), tally.isLooseLines(disc));
        line += '\t';
        line += std::to_string(tally.lineCount(disc));
        out.line(line);
    }
    return out.finish(0);
}

int commandLs(const QStringList &args)
{
    QStringList rest = args;
    QString discName;
    if (!takeOption(rest, QLatin1String("--disc"), discName))
        return usage();
    if (rest.size() != 1 && rest.size() != 2)
        return usage();
    const QString folderPath = rest.size() == 2 ? rest[1] : QStringLiteral("\\");
    LineStore lines;
    if (!loadCatalog(rest[0], lines))
        return 2;
    DiscIndex index;
    index.build(lines);
    const qsizetype disc = discNamed(index, discName);
    if (disc < 0)
        return failWith(ProgramTexts::unknownDisc(discName, rest[0]));
    const DiscTree tree(lines, index, disc);
    const qsizetype folder = folderNamed(tree, folderPath);
    if (folder < 0)
        return failWith(ProgramTexts::unknownFolder(folderPath, discName));

    // As the disc's tree shows them: its folders, then its files.
    Output out;
    std::string line;
    for (const qint32 sub : tree.subfolders(folder)) {
        line = tree.utf8FolderName(sub);
        line += '\\';
        out.line(line);
    }
    for (const qint32 file : tree.files(folder))
        out.line(tree.utf8FileName(file));
    return out.finish(0);
}

RuntimeError findByDisc(const QString &catalog, const Matcher &matcher, std::string_view prefix,
                        Output &out, long long &hitCount)
{
    // Every line is kept, as the discs come in the order of their first
    // line whether or not it matches. The catalog is loaded as the window
    // loads it, the search keys of a text outside ASCII made on a second
    // thread while the file is read, and searched by the window's loop:
    // without the keys, the search would make one per line afterwards.
    LineStore lines;
    lines.setKeepSearchKeys(!matcher.isAscii());
    if (RuntimeError error = readCatalog(catalog, lines, ExistingLines::Clear))
        return error;
    DiscIndex index;
    index.build(lines);
    LineSearch search(lines, matcher);
    search.finish();
    const std::vector<qsizetype> hits = search.takeHits();
    const DiscHitGroups groups(index, hits);

    std::string line;
    for (qsizetype g = 0; g < groups.count() && !out.failed(); ++g) {
        const qsizetype disc = groups.disc(g);
        line.assign(prefix);
        line += printedName(index.utf8Name(disc), index.isLooseLines(disc));
        line += '\t';
        line += std::to_string(groups.hitCount(g));
        out.line(line);
    }
    hitCount += static_cast<long long>(groups.totalHits());
    return RuntimeError();
}

} // namespace kobrix::cli
