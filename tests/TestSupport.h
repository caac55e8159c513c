#pragma once

#include "core/LineStore.h"
#include "scan/FileSystemReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>

namespace kobrix::test {

// Creates a file (and its folders) below root with the given bytes.
void writeFile(const QString &root, const QString &relativePath, const QByteArray &bytes = {});
// Creates a folder (and its parents) below root.
void makeDir(const QString &root, const QString &relativePath);
QByteArray readFile(const QString &path);
QStringList toStringList(const LineStore &store);

// A disc that takes its time: every folder read costs `delay`, so a walk can
// be watched, cancelled or interrupted while it runs.
class SlowReader : public FileSystemReader
{
public:
    explicit SlowReader(std::chrono::milliseconds delay = std::chrono::milliseconds(10))
        : m_delay(delay)
    {
    }
    RuntimeError read(const QByteArray &path, bool isRoot, DirectoryListing &listing) override;

private:
    std::chrono::milliseconds m_delay;
};
LineStore toStore(const QStringList &lines);

// Creates a symbolic link below root that holds target as given.
void makeLink(const QString &root, const QString &relativePath, const QByteArray &target);
// Runs xorriso with the arguments; false (with xorriso's complaint logged)
// when it fails. Tests that need it skip where it is not installed.
bool runXorriso(const QStringList &arguments);
bool hasXorriso();
// The listing lines of a walk of root with reader.
QStringList walkLines(DirectoryReader &reader, const QString &root, RuntimeError *error = nullptr);

} // namespace kobrix::test
