#include "scan/ImageTree.h"

namespace kobrix {

namespace {

// As many links in a row as Linux follows before it gives up (ELOOP).
constexpr int kMaxLinksInARow = 40;

QByteArray parentOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray childOf(const QByteArray &folder, const QByteArray &name)
{
    return folder == "/" ? '/' + name : folder + '/' + name;
}

} // namespace

QByteArray ImageTree::normalizedPath(QByteArray path)
{
    while (path.startsWith("./"))
        path.remove(0, 2);
    while (path.startsWith('/'))
        path.remove(0, 1);
    while (path.endsWith('/'))
        path.chop(1);
    if (path == ".")
        path.clear();
    return '/' + path;
}

void ImageTree::ensureFolder(const QByteArray &path)
{
    if (m_folders.contains(path))
        return;
    m_nodes.insert(path, Node{});
    if (path != "/")
        addToParent(path, true);
    m_folders.insert(path, DirectoryListing());
}

void ImageTree::addToParent(const QByteArray &path, bool isFolder)
{
    // A folder the image names only through what lies inside it is added
    // on the way.
    const QByteArray parent = parentOf(path);
    ensureFolder(parent);
    const QByteArray name = path.mid(parent == "/" ? 1 : parent.size() + 1);
    DirectoryListing &listing = m_folders[parent];
    auto &target = isFolder ? listing.subdirectories : listing.files;
    target.push_back({name, displayName(name)});
}

void ImageTree::add(const QByteArray &rawPath, ImageEntryKind kind, const QByteArray &linkTarget)
{
    const QByteArray path = normalizedPath(rawPath);
    if (kind == ImageEntryKind::Folder) {
        ensureFolder(path);
        return;
    }
    if (path == "/")
        return;
    // A name the image holds twice keeps what it was first.
    if (!m_nodes.contains(path))
        m_nodes.insert(path, Node{kind, linkTarget});
    if (kind == ImageEntryKind::File) {
        addToParent(path, false);
    } else {
        ensureFolder(parentOf(path));
        if (kind == ImageEntryKind::Link)
            m_links.push_back(path);
    }
}

ImageEntryKind ImageTree::resolveLink(const QByteArray &linkPath) const
{
    const auto link = m_nodes.constFind(linkPath);
    if (link == m_nodes.constEnd() || link->kind != ImageEntryKind::Link)
        return ImageEntryKind::Link;
    // The names still to walk, the next one last. A path is walked from the
    // folder that holds the link, or from the image's root when it begins
    // with a slash; ".." of the root is the root.
    QByteArray folder = parentOf(linkPath);
    std::vector<QByteArray> pending;
    const auto follow = [&](const QByteArray &target) {
        if (target.startsWith('/'))
            folder = "/";
        QList<QByteArray> names = target.split('/');
        if (target.endsWith('/'))
            names.append("."); // "name/" must be a folder
        for (auto it = names.crbegin(); it != names.crend(); ++it) {
            if (!it->isEmpty())
                pending.push_back(*it);
        }
    };
    if (link->linkTarget.isEmpty())
        return ImageEntryKind::Link;
    follow(link->linkTarget);
    int linksFollowed = 1;
    while (!pending.empty()) {
        const QByteArray name = std::move(pending.back());
        pending.pop_back();
        if (name == ".")
            continue;
        if (name == "..") {
            folder = parentOf(folder);
            continue;
        }
        const QByteArray path = childOf(folder, name);
        const auto node = m_nodes.constFind(path);
        if (node == m_nodes.constEnd())
            return ImageEntryKind::Link;
        switch (node->kind) {
        case ImageEntryKind::Folder: folder = path; break;
        case ImageEntryKind::Link:
            if (++linksFollowed > kMaxLinksInARow || node->linkTarget.isEmpty())
                return ImageEntryKind::Link;
            follow(node->linkTarget);
            break;
        case ImageEntryKind::File:
        case ImageEntryKind::Other:
            // Only the last name may be something other than a folder.
            return pending.empty() ? node->kind : ImageEntryKind::Link;
        }
    }
    return ImageEntryKind::Folder;
}

QHash<QByteArray, DirectoryListing> ImageTree::takeFolders()
{
    ensureFolder("/");
    for (const QByteArray &link : m_links) {
        if (resolveLink(link) == ImageEntryKind::File)
            addToParent(link, false);
    }
    for (DirectoryListing &listing : m_folders) {
        sortEntries(listing.subdirectories);
        sortEntries(listing.files);
    }
    QHash<QByteArray, DirectoryListing> folders;
    folders.swap(m_folders);
    m_nodes.clear();
    m_links.clear();
    return folders;
}

} // namespace kobrix
