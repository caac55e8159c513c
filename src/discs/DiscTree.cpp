#include "discs/DiscTree.h"

#include <QByteArrayView>
#include <QHashFunctions>

#include <algorithm>

namespace kobrix {

namespace {

// Folder paths are hashed byte by byte (FNV-1a), so that the hashes of all
// the folders above a path come out of one pass over it.
constexpr std::uint64_t kHashStart = 0xcbf29ce484222325ULL;
inline std::uint64_t hashByte(std::uint64_t hash, char c)
{
    return (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
}
// The low bits pick the slot: mixes the high bits into them.
inline std::size_t finishHash(std::uint64_t hash)
{
    return std::size_t(hash ^ (hash >> 32));
}
std::size_t hashPath(std::string_view path)
{
    std::uint64_t hash = kHashStart;
    for (const char c : path)
        hash = hashByte(hash, c);
    return finishHash(hash);
}

// Where the last backslash of text stands; npos when it has none.
std::size_t lastBackslash(std::string_view text)
{
    return text.rfind('\\');
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

DiscTree::DiscTree(const LineStore &lines, const DiscIndex &index, qsizetype disc)
    : m_lines(lines)
    , m_disc(disc)
    , m_pathStart(index.pathStartOfDisc(disc))
    , m_discLines(index.lines(disc))
{
    m_slots.assign(64, -1);
    // The root: a path of no bytes.
    m_folders.push_back({-1, 0, 0, 0, -1, hashPath({})});
    m_slots[m_folders[0].hash & (m_slots.size() - 1)] = 0;

    // Consecutive files nearly always share their folder: each line's folder
    // is first compared with the previous line's, and only a new folder costs
    // a look-up.
    m_folderOfFile.resize(m_discLines.size());
    qint32 previous = 0;
    std::string_view previousPath;
    for (std::size_t k = 0; k < m_discLines.size(); ++k) {
        const qint32 line = m_discLines[k];
        const std::string_view text = lineText(line);
        const std::string_view path = text.substr(std::min(m_pathStart, text.size()));
        const std::size_t cut = lastBackslash(path);
        const std::string_view folderPath = path.substr(0, cut == std::string_view::npos ? 0 : cut);
        if (folderPath != previousPath) {
            previous = folderFor(folderPath, line, qint32(path.data() - text.data()));
            previousPath = folderPath;
        }
        m_folderOfFile[k] = previous;
    }

    // Files and subfolders grouped by folder; both keep their order.
    const std::size_t folders = m_folders.size();
    m_fileStarts.assign(folders + 1, 0);
    m_subfolderStarts.assign(folders + 1, 0);
    for (const qint32 folder : m_folderOfFile)
        ++m_fileStarts[std::size_t(folder) + 1];
    for (std::size_t f = 1; f < folders; ++f)
        ++m_subfolderStarts[std::size_t(m_folders[f].parent) + 1];
    for (std::size_t f = 0; f < folders; ++f) {
        m_fileStarts[f + 1] += m_fileStarts[f];
        m_subfolderStarts[f + 1] += m_subfolderStarts[f];
    }
    m_files.resize(m_discLines.size());
    std::vector<qint32> next(m_fileStarts.begin(), m_fileStarts.end() - 1);
    for (std::size_t k = 0; k < m_discLines.size(); ++k)
        m_files[std::size_t(next[std::size_t(m_folderOfFile[k])]++)] = m_discLines[k];
    m_subfolders.resize(folders - 1);
    next.assign(m_subfolderStarts.begin(), m_subfolderStarts.end() - 1);
    for (std::size_t f = 1; f < folders; ++f)
        m_subfolders[std::size_t(next[std::size_t(m_folders[f].parent)]++)] = qint32(f);

    // A folder is made after its parent: adding up from the last folder
    // gives every folder the files below it.
    m_filesBelow.resize(folders);
    for (std::size_t f = 0; f < folders; ++f)
        m_filesBelow[f] = m_fileStarts[f + 1] - m_fileStarts[f];
    for (std::size_t f = folders - 1; f > 0; --f)
        m_filesBelow[std::size_t(m_folders[f].parent)] += m_filesBelow[f];
}

std::string_view DiscTree::folderPathBytes(const Folder &folder) const
{
    if (folder.line < 0)
        return {};
    return lineText(folder.line).substr(std::size_t(folder.pathBegin), std::size_t(folder.pathBytes));
}

std::size_t DiscTree::slotOf(std::string_view path, std::size_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const qint32 folder = m_slots[slot];
        if (folder < 0)
            return slot;
        const Folder &f = m_folders[std::size_t(folder)];
        if (f.hash == hash && folderPathBytes(f) == path)
            return slot;
    }
}

void DiscTree::growSlots()
{
    m_slots.assign(m_slots.size() * 2, -1);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t f = 0; f < m_folders.size(); ++f) {
        std::size_t slot = m_folders[f].hash & mask;
        while (m_slots[slot] >= 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = qint32(f);
    }
}

qint32 DiscTree::folderFor(std::string_view path, qint32 line, qint32 pathBegin)
{
    // The folders above the path and their hashes, from one pass over it: the
    // root, then each stretch that ends before a backslash, then the path.
    m_prefixes.clear();
    std::uint64_t hash = kHashStart;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\')
            m_prefixes.push_back({i, finishHash(hash)});
        hash = hashByte(hash, path[i]);
    }
    m_prefixes.push_back({path.size(), finishHash(hash)});
    if (m_prefixes.front().length != 0)
        m_prefixes.insert(m_prefixes.begin(), {0, finishHash(kHashStart)}); // the root
    // Up to the nearest folder already known (the root at the latest), then
    // down again making the missing ones. No recursion and no second pass
    // over the path, whatever number of backslashes a made-up line holds.
    std::size_t known = m_prefixes.size() - 1;
    qint32 folder = -1;
    for (;; --known) {
        const Prefix &p = m_prefixes[known];
        folder = m_slots[slotOf(path.substr(0, p.length), p.hash)];
        if (folder >= 0)
            break;
    }
    for (std::size_t k = known + 1; k < m_prefixes.size(); ++k) {
        const Prefix &p = m_prefixes[k];
        // Its name follows the backslash that ends its parent's path.
        const std::size_t from = m_prefixes[k - 1].length;
        const std::size_t nameBegin = from + (path[from] == '\\' ? 1 : 0);
        const qint32 parent = folder;
        folder = qint32(m_folders.size());
        m_folders.push_back({line, pathBegin, qint32(p.length), pathBegin + qint32(nameBegin), parent,
                             p.hash});
        m_slots[slotOf(path.substr(0, p.length), p.hash)] = folder;
        if (m_folders.size() * 2 > m_slots.size())
            growSlots();
    }
    return folder;
}

std::string_view DiscTree::utf8FolderName(qsizetype folder) const
{
    const Folder &f = m_folders[std::size_t(folder)];
    if (f.line < 0)
        return {};
    return lineText(f.line).substr(std::size_t(f.nameBegin),
                                   std::size_t(f.pathBegin + f.pathBytes - f.nameBegin));
}

QString DiscTree::folderName(qsizetype folder) const
{
    return fromUtf8(utf8FolderName(folder));
}

QString DiscTree::folderPath(qsizetype folder) const
{
    if (folder == 0)
        return QStringLiteral("\\");
    return fromUtf8(folderPathBytes(m_folders[std::size_t(folder)]));
}

qsizetype DiscTree::folderAtUtf8(std::string_view path) const
{
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    return m_slots[slotOf(path, hashPath(path))];
}

qsizetype DiscTree::folderAt(QStringView path) const
{
    const QByteArray utf8 = path.toUtf8();
    return folderAtUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

qsizetype DiscTree::folderOfLine(qsizetype line) const
{
    const auto it = std::lower_bound(m_discLines.begin(), m_discLines.end(), qint32(line));
    if (it == m_discLines.end() || *it != line)
        return -1;
    return m_folderOfFile[std::size_t(it - m_discLines.begin())];
}

std::string_view DiscTree::utf8FileName(qsizetype line) const
{
    const std::string_view text = lineText(line);
    const std::string_view path = text.substr(std::min(m_pathStart, text.size()));
    const std::size_t cut = lastBackslash(path);
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

QString DiscTree::fileName(qsizetype line) const
{
    return fromUtf8(utf8FileName(line));
}

} // namespace kobrix
