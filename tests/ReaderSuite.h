#pragma once

// One suite for every directory reader: each reader walks the same tree and
// must give the same listing. A reader under test is made from a folder the
// way the program makes one for the root a user picks (makeReaderFor), so the
// suite names no reader class but the disc image reader's drive mode.

#include "TestSupport.h"
#include "core/RuntimeError.h"
#include "scan/DirectoryReader.h"

#include <QString>
#include <QStringList>
#include <QTest>

#include <memory>

namespace kobrix::test {

// How the tree reaches the reader.
enum class ReaderKind {
    Folder,         // the folder itself (the file system reader)
    ImageRockRidge, // an image with Rock Ridge names
    ImageBoth,      // an image with Rock Ridge and Joliet names
    ImageJoliet,    // an image with Joliet names only
    Drive,          // an image read as the disc in a drive
};

// What every reader lists for fixtureDisc(): its lines, and its folders below
// the root ("/DATA/DEEP"; the file system reader shows them with the
// system's separators, "\DATA\DEEP" on Windows).
QStringList fixtureListing();
QStringList fixtureDirectories(ReaderKind kind);

// Whether the way keeps symbolic links (Joliet has none).
bool keepsLinks(ReaderKind kind);

// Adds a "kind" column (int) with one row per reader to the current test.
void addReaderRows();

// A reader of the tree at folder made the given way; images go to workDir.
struct ReaderUnderTest
{
    std::unique_ptr<DirectoryReader> reader;
    QString root;
    RuntimeError openError;
};
ReaderUnderTest makeReader(ReaderKind kind, const QString &folder, const QString &workDir);

// A walk: its lines, its folders (below the root, "/DATA/DEEP") and error.
struct Walk
{
    QStringList listing;
    QStringList directories;
    RuntimeError error;
    QString failedPath;
};
Walk walkWith(ReaderUnderTest &under);

} // namespace kobrix::test
