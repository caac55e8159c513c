#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "catalog/CatalogFormat.h"
#include "scan/DiscImageReader.h"
#include "scan/DiscWalker.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

namespace kobrix::test {

void writeFile(const QString &root, const QString &relativePath, const QByteArray &bytes)
{
    const QString path = root + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot create %s", qPrintable(path));
    file.write(bytes);
}

void makeDir(const QString &root, const QString &relativePath)
{
    QDir().mkpath(root + QLatin1Char('/') + relativePath);
}

RuntimeError SlowReader::read(const QByteArray &path, bool isRoot, DirectoryListing &listing)
{
    std::this_thread::sleep_for(m_delay);
    return FolderReader::read(path, isRoot, listing);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

QStringList toStringList(const LineStore &store)
{
    QStringList lines;
    for (qsizetype i = 0; i < store.count(); ++i)
        lines << store.at(i);
    return lines;
}

QStringList parseInChunks(const QByteArray &bytes, qsizetype chunk)
{
    LineStore store;
    FieldParser parser(store);
    for (qsizetype at = 0; at < bytes.size(); at += chunk)
        parser.feed(std::string_view(bytes.constData() + at, std::size_t(std::min(chunk, bytes.size() - at))));
    parser.finish();
    return toStringList(store);
}

LineStore toStore(const QStringList &lines)
{
    LineStore store;
    for (const QString &line : lines)
        store.append(line);
    return store;
}

void makeLink(const QString &root, const QString &relativePath, const QByteArray &target)
{
    const QString path = root + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The target's bytes as they are (a relative target stays relative).
    const std::filesystem::path to(std::u8string(reinterpret_cast<const char8_t *>(target.constData()),
                                                 std::size_t(target.size())));
    const std::filesystem::path link(path.toStdU16String());
    std::error_code error;
    std::filesystem::create_symlink(to, link, error);
    if (error)
        qFatal("cannot create the link %s", qPrintable(path));
}

bool hasXorriso() { return !QStandardPaths::findExecutable(QStringLiteral("xorriso")).isEmpty(); }

bool runXorriso(const QStringList &arguments)
{
    QProcess xorriso;
    xorriso.start(QStringLiteral("xorriso"), arguments);
    if (xorriso.waitForFinished(60000) && xorriso.exitStatus() == QProcess::NormalExit
        && xorriso.exitCode() == 0)
        return true;
    qWarning() << "xorriso" << arguments << "failed:" << xorriso.readAllStandardError();
    return false;
}

QStringList walkLines(DirectoryReader &reader, const QString &root, RuntimeError *error)
{
    LineStore directories;
    LineStore listing;
    DiscWalker walker(reader, root, directories, listing);
    const RuntimeError result = walker.run();
    if (error)
        *error = result;
    return toStringList(listing);
}

std::unique_ptr<DirectoryReader> makeFolderReader()
{
    // Any folder gets the folder reader; this one is the system's temporary
    // folder, which is certainly no disc image.
    std::unique_ptr<DirectoryReader> reader;
    makeReaderFor(QDir::tempPath(), reader);
    return reader;
}

QStringList walkFolderLines(const QString &folder, RuntimeError *error)
{
    const std::unique_ptr<DirectoryReader> reader = makeFolderReader();
    return walkLines(*reader, folder, error);
}

QString fixtureDisc() { return QFile::decodeName(KOBRIX_FIXTURES_DIR) + QStringLiteral("/disc"); }

bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(entry.filePath());
        if (entry.isDir() ? !QDir().mkpath(target) : !QFile::copy(entry.filePath(), target)) {
            qWarning() << "copyTree: cannot copy" << entry.filePath() << "to" << target;
            return false;
        }
    }
    return true;
}

const QByteArray kWorkedExample("\"Games 1 - \\SETUP.EXE\"\r\n"
                                "\"Games 1 - \\DATA\\LEVEL1.DAT\"\r\n"
                                "\"Photos, 2002 - \\IMG001.JPG\"\r\n");

LineStore bigListing(int lines)
{
    LineStore store;
    for (int i = 0; i < lines; ++i)
        store.append(QStringLiteral("\\DATA\\FILE%1.DAT").arg(i));
    return store;
}

} // namespace kobrix::test
