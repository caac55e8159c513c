#pragma once

#include "discs/DiscIndex.h"
#include "core/LineStore.h"

#include <QString>
#include <QStringView>

#include <span>
#include <string_view>
#include <vector>

namespace kobrix {

// The folders of one disc of a catalog, from one pass over its lines. A
// catalog lists files only, so a folder is known from the files in and below
// it: folder 0 is the root "\", and the subfolders of a folder follow the
// order in which they first appear in the lines, which is the order of the
// walk that listed the disc. Folders and file names are not copied: each is
// a stretch of a line of the store.
//
// The line store and the index must outlive the tree and stay unchanged.
class DiscTree
{
public:
    DiscTree(const LineStore &lines, const DiscIndex &index, qsizetype disc);

    qsizetype disc() const { return m_disc; }

    qsizetype folderCount() const { return qsizetype(m_folders.size()); }
    // The folder's own name, without backslashes; empty for the root.
    QString folderName(qsizetype folder) const;
    std::string_view utf8FolderName(qsizetype folder) const;
    // Its path on the disc: "\DATA\LEVELS"; "\" for the root.
    QString folderPath(qsizetype folder) const;
    qsizetype parentFolder(qsizetype folder) const { return m_folders[std::size_t(folder)].parent; }
    std::span<const qint32> subfolders(qsizetype folder) const
    {
        return slice(m_subfolders, m_subfolderStarts, folder);
    }
    // Line numbers of the files directly inside, ascending.
    std::span<const qint32> files(qsizetype folder) const
    {
        return slice(m_files, m_fileStarts, folder);
    }
    // Files in the folder and all its subfolders.
    qsizetype filesBelow(qsizetype folder) const { return m_filesBelow[std::size_t(folder)]; }

    // The folder of a path on the disc: "\A\B" or "\A\B\"; "\" or "" for the
    // root. Exact, letter case included. -1 when the disc has no such folder.
    qsizetype folderAt(QStringView path) const;
    qsizetype folderAtUtf8(std::string_view path) const;
    // The folder holding a line of this disc, -1 for a line of another disc.
    qsizetype folderOfLine(qsizetype line) const;
    // The file name of a line of this disc: its path behind the last backslash.
    QString fileName(qsizetype line) const;
    std::string_view utf8FileName(qsizetype line) const;

private:
    struct Folder
    {
        qint32 line;      // a line that holds its path
        qint32 pathBegin; // where its path starts in that line
        qint32 pathBytes; // the path without a final backslash; 0 for the root
        qint32 nameBegin; // where its own name starts in that line
        qint32 parent;
        std::size_t hash;
    };

    static std::span<const qint32> slice(const std::vector<qint32> &items,
                                         const std::vector<qint32> &starts, qsizetype folder)
    {
        const auto begin = std::size_t(starts[std::size_t(folder)]);
        return {items.data() + begin, std::size_t(starts[std::size_t(folder) + 1]) - begin};
    }
    std::string_view folderPathBytes(const Folder &folder) const;
    std::string_view lineText(qsizetype line) const { return m_lines.utf8At(line); }
    // The folder of path (no final backslash), made with its parents when
    // new; line and pathBegin tell where path stands.
    qint32 folderFor(std::string_view path, qint32 line, qint32 pathBegin);
    std::size_t slotOf(std::string_view path, std::size_t hash) const;
    void growSlots();

    // A folder above the one looked up: its path is the first length bytes.
    struct Prefix
    {
        std::size_t length;
        std::size_t hash;
    };

    const LineStore &m_lines;
    qsizetype m_disc;
    std::size_t m_pathStart; // where the path starts in each line of the disc
    std::span<const qint32> m_discLines;
    std::vector<Folder> m_folders;
    std::vector<qint32> m_slots; // open addressing by path; -1 is free
    std::vector<qint32> m_folderOfFile; // by position in m_discLines
    std::vector<qint32> m_subfolders;
    std::vector<qint32> m_subfolderStarts;
    std::vector<qint32> m_files;
    std::vector<qint32> m_fileStarts;
    std::vector<qsizetype> m_filesBelow;
    std::vector<Prefix> m_prefixes; // work space of folderFor()
};

} // namespace kobrix
