#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    return FileSystemReader::read(path, isRoot, listing);
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

LineStore toStore(const QStringList &lines)
{
    LineStore store;
    for (const QString &line : lines)
        store.append(line);
    return store;
}

} // namespace kobrix::test
