#pragma once

#include "core/LineStore.h"
#include "scan/FileSystemReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

namespace kobrix::test {

// Creates a file (and its folders) below root with the given bytes.
void writeFile(const QString &root, const QString &relativePath, const QByteArray &bytes = {});
// Creates a folder (and its parents) below root.
void makeDir(const QString &root, const QString &relativePath);
QByteArray readFile(const QString &path);
QStringList toStringList(const LineStore &store);
// The lines of catalog bytes read by the field parser chunk bytes at a time.
QStringList parseInChunks(const QByteArray &bytes, qsizetype chunk);

// The reader the program uses for a folder on this system.
std::unique_ptr<DirectoryReader> makeFolderReader();

// A folder reader that tests wrap to fail, slow down or watch a walk: it
// hands every call to the program's own reader for folders.
class FolderReader : public DirectoryReader
{
public:
    FolderReader() : m_real(makeFolderReader()) {}
    RuntimeError read(const QByteArray &path, bool isRoot, DirectoryListing &listing) override
    {
        return m_real->read(path, isRoot, listing);
    }
    QByteArray childPath(const QByteArray &parent, const QByteArray &nativeName) const override
    {
        return m_real->childPath(parent, nativeName);
    }
    QByteArray rootPath(const QString &root) const override { return m_real->rootPath(root); }
    QString displayPath(const QByteArray &nativePath) const override
    {
        return m_real->displayPath(nativePath);
    }

private:
    std::unique_ptr<DirectoryReader> m_real;
};

// A disc that takes its time: every folder read costs `delay`, so a walk can
// be watched, cancelled or interrupted while it runs.
class SlowReader : public FolderReader
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
// Creates a FIFO (named pipe) at path; false where the system has none.
bool makeFifo(const QString &path);
// A path where no one, not even the superuser, may create a file; empty
// where the test user or the system offers none.
QString placeRefusingWrites();
// Whether a file without read permission is refused to the tests: false
// for root, who reads every file, and where the system has no such
// permissions.
bool permissionsRefuseUs();
// Runs xorriso with the arguments; false (with xorriso's complaint logged)
// when it fails. Tests that need it skip where it is not installed.
bool runXorriso(const QStringList &arguments);
bool hasXorriso();
// The listing lines of a walk of root with reader.
QStringList walkLines(DirectoryReader &reader, const QString &root, RuntimeError *error = nullptr);
// The listing lines of a walk of the folder with the program's folder reader.
QStringList walkFolderLines(const QString &folder, RuntimeError *error = nullptr);

// The disc tree checked in beside the tests (tests/fixtures/disc): hidden
// entries, empty folders, accented, Cyrillic and Japanese names, and ASCII
// names that share long prefixes. Links, FIFOs and other entries that a
// checkout cannot hold are added to a copy at test time.
QString fixtureDisc();
// Copies the folder from (hidden entries too) to the new folder to.
bool copyTree(const QString &from, const QString &to);

// The worked example's catalog: three records, 84 bytes.
extern const QByteArray kWorkedExample;
// A listing of the given number of files "\DATA\FILE<i>.DAT".
LineStore bigListing(int lines);

} // namespace kobrix::test
