#include "scan/DirectoryReader.h"

#include "catalog/CatalogFormat.h"
#include "core/FileNames.h"
#include "core/LineStore.h"

#include <QDir>
#include <QString>
#include <QUtf8StringView>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace kobrix {

QByteArray DirectoryReader::childPath(const QByteArray &parent, const QByteArray &nativeName) const
{
    QByteArray path = parent;
    if (!path.endsWith('/'))
        path.append('/');
    path.append(nativeName);
    return path;
}

QByteArray DirectoryReader::rootPath(const QString &root) const
{
    if (root.isEmpty())
        return QByteArray();
    // Made absolute as text: QFileInfo would pass the name through the
    // system's encoding and lose bytes that are no valid UTF-8.
    QString path = QDir::cleanPath(QDir::isAbsolutePath(root)
                                       ? root
                                       : QDir::currentPath() + QLatin1Char('/') + root);
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return encodeFileName(path);
}

QString DirectoryReader::displayPath(const QByteArray &nativePath) const
{
    return decodeFileName(nativePath);
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = kOnes << 7;

// Whether every byte of bytes is printable ASCII (0x20 to 0x7E), eight bytes
// at a time: a byte below 0x20 borrows into its high bit, one above 0x7E
// carries into it or has it set.
bool isPrintableAscii(std::string_view bytes)
{
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if ((((word - kOnes * 0x20) & ~word) | (word + kOnes) | word) & kHighBits)
            return false;
    }
    return std::all_of(bytes.begin() + std::ptrdiff_t(i), bytes.end(),
                       [](char c) { return c >= 0x20 && c < 0x7F; });
}

} // namespace

QByteArray displayName(const QByteArray &nativeName)
{
    // Most names are printable ASCII, shown as they are: one look at each
    // byte tells so.
    if (isPrintableAscii(std::string_view(nativeName.constData(), std::size_t(nativeName.size()))))
        return nativeName;
    QByteArray utf8;
    const std::string_view raw(nativeName.constData(), std::size_t(nativeName.size()));
    if (isAscii(raw) || QUtf8StringView(nativeName).isValidUtf8()) {
        utf8 = nativeName;
    } else {
        // Not UTF-8 (a disc written in Latin-1, say): read as Windows-1252,
        // as a catalog's own lines are, so that distinct names stay distinct
        // and read the same as the line an older version wrote for them.
        std::string converted;
        appendFieldAsUtf8(converted, raw);
        utf8 = QByteArray(converted.data(), qsizetype(converted.size()));
    }

    // C0 controls, DEL and the C1 controls (U+0080..U+009F, "\xC2\x80".."\xC2\x9F").
    static const QByteArray replacement("\xEF\xBF\xBD");
    QByteArray clean;
    bool changed = false;
    // Read through a const view: utf8[i] on the array itself would make a
    // copy of the name that the listing then keeps beside the native one.
    const QByteArray &bytes = utf8;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool c1 = c == 0xC2 && i + 1 < bytes.size()
            && static_cast<unsigned char>(bytes[i + 1]) >= 0x80
            && static_cast<unsigned char>(bytes[i + 1]) <= 0x9F;
        if (c < 0x20 || c == 0x7F || c1) {
            if (!changed) {
                clean = utf8.left(i);
                changed = true;
            }
            clean.append(replacement);
            if (c1)
                ++i;
        } else if (changed) {
            clean.append(char(c));
        }
    }
    return changed ? clean : utf8;
}

namespace {

// Byte-wise order of two keys, shorter first when one begins the other.
int compareBytes(const char *a, std::size_t aSize, const char *b, std::size_t bSize)
{
    const int c = std::memcmp(a, b, std::min(aSize, bSize));
    if (c != 0)
        return c;
    return aSize == bSize ? 0 : (aSize < bSize ? -1 : 1);
}

unsigned char asciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// Whether the ASCII name b does not sort before the ASCII name a (false as
// well when either holds another character): ASCII case ignored, then the
// exact bytes, as sortEntries orders them.
bool asciiNotBefore(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    // Names of a folder often share a long start ("file_0374"): eight bytes
    // of ASCII at a time while they are the same.
    qsizetype k = 0;
    for (; k + 8 <= n; k += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a.constData() + k, 8);
        std::memcpy(&y, b.constData() + k, 8);
        if (x != y || (x & kHighBits))
            break;
    }
    for (; k < n; ++k) {
        const auto x = static_cast<unsigned char>(a[k]);
        const auto y = static_cast<unsigned char>(b[k]);
        if ((x | y) >= 0x80)
            return false;
        if (asciiLower(x) != asciiLower(y))
            return asciiLower(x) < asciiLower(y);
    }
    if (a.size() != b.size())
        return a.size() < b.size() && isAscii(std::string_view(b.constData() + n, std::size_t(b.size() - n)));
    return a <= b;
}

} // namespace

void sortEntries(std::vector<DirectoryEntry> &entries)
{
    const std::size_t count = entries.size();
    if (count < 2)
        return;
    // Names often come in order already (a disc image's records do): one
    // look at each pair of neighbours tells so without making sort keys.
    bool inOrder = true;
    for (std::size_t i = 1; i < count && inOrder; ++i)
        inOrder = asciiNotBefore(entries[i - 1].displayName, entries[i].displayName);
    if (inOrder)
        return;
    // Sort keys, made once per entry rather than once per comparison: ASCII
    // names in ASCII lower case, side by side in one buffer; when the folder
    // holds any other name, every name decoded for Qt's comparison as well.
    struct Key
    {
        std::size_t offset;
        std::size_t size;
        bool ascii;
    };
    // The buffers keep their room from one folder to the next: a walk
    // sorts thousands of small folders.
    thread_local std::vector<Key> keys;
    thread_local std::string folded;
    keys.resize(count);
    std::size_t total = 0;
    for (const DirectoryEntry &e : entries)
        total += std::size_t(e.displayName.size());
    folded.resize(total);
    std::vector<QString> decoded;
    bool anyNonAscii = false;
    std::size_t used = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const QByteArray &name = entries[i].displayName;
        const std::string_view bytes(name.constData(), std::size_t(name.size()));
        Key &key = keys[i];
        key.ascii = isAscii(bytes);
        key.offset = used;
        key.size = key.ascii ? bytes.size() : 0;
        if (key.ascii) {
            char *out = folded.data() + used;
            for (const char ch : bytes)
                *out++ = char(asciiLower(static_cast<unsigned char>(ch)));
            used += bytes.size();
        } else {
            anyNonAscii = true;
        }
    }
    if (anyNonAscii) {
        decoded.reserve(count);
        for (const DirectoryEntry &e : entries)
            decoded.push_back(QString::fromUtf8(e.displayName));
    }

    // Case-insensitive order by Unicode case folding; for two ASCII names
    // that is plain ASCII folding, which needs no decoding. The exact name
    // breaks ties.
    const auto before = [&](std::size_t a, std::size_t b) {
        const Key &x = keys[a];
        const Key &y = keys[b];
        int c;
        if (x.ascii && y.ascii)
            c = compareBytes(folded.data() + x.offset, x.size, folded.data() + y.offset, y.size);
        else
            c = decoded[a].compare(decoded[b], Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
        return entries[a].displayName < entries[b].displayName;
    };
    thread_local std::vector<std::size_t> order;
    order.resize(count);
    if (anyNonAscii) {
        for (std::size_t i = 0; i < count; ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), before);
    } else {
        // All names ASCII: the first eight folded bytes as one big-endian
        // number (zero-padded) order most pairs by a single comparison; the
        // full comparison decides only between equal heads.
        struct Head
        {
            std::uint64_t head;
            std::size_t index;
        };
        thread_local std::vector<Head> heads;
        heads.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            std::uint64_t head = 0;
            const char *key = folded.data() + keys[i].offset;
            for (std::size_t k = 0; k < 8; ++k)
                head = (head << 8) | (k < keys[i].size ? static_cast<unsigned char>(key[k]) : 0u);
            heads[i] = {head, i};
        }
        std::sort(heads.begin(), heads.end(), [&](const Head &a, const Head &b) {
            if (a.head != b.head)
                return a.head < b.head;
            return before(a.index, b.index);
        });
        for (std::size_t i = 0; i < count; ++i)
            order[i] = heads[i].index;
    }

    // Names in order whose keys had to be made.
    inOrder = true;
    for (std::size_t i = 0; i < count && inOrder; ++i)
        inOrder = order[i] == i;
    if (inOrder)
        return;
    thread_local std::vector<DirectoryEntry> sorted;
    sorted.clear();
    for (const std::size_t i : order)
        sorted.push_back(std::move(entries[i]));
    std::move(sorted.begin(), sorted.end(), entries.begin());
    sorted.clear();
}

} // namespace kobrix
