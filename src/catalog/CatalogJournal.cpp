// The rollback journal of catalog changes made in the catalog file itself
// (rewrites in place and appends). Its layout: a header of kHeaderBytes,
// "KOBRIX-ROLLBACK 1 <state> <device> <inode> <birth> <old size>" padded with blanks
// and ended by a line feed, then (for a rewrite) the old catalog's bytes.
// The state is '-' while the journal is being written and becomes the
// change's letter once every old byte is on the disk: only then may the
// catalog change, and only a journal in that state is ever put back.

#include "catalog/CatalogJournal.h"

#include <QDir>

#include <cerrno>
#include <vector>

namespace kobrix {

namespace {

constexpr qint64 kHeaderBytes = 128;
constexpr qint64 kCopyChunk = 1 << 20;
const QByteArray kMagic = QByteArrayLiteral("KOBRIX-ROLLBACK 1 ");

int lastError() { return errno ? errno : EIO; }

char changeLetter(CatalogJournal::Change change)
{
    switch (change) {
    case CatalogJournal::Change::Rewrite: return 'R';
    case CatalogJournal::Change::Append: return 'A';
    case CatalogJournal::Change::Create: return 'C';
    }
    return '-';
}

QByteArray header(char state, const filesystem::FileFacts &facts, qint64 oldSize)
{
    QByteArray text = kMagic + state + ' ' + QByteArray::number(facts.device) + ' '
        + QByteArray::number(facts.inode) + ' ' + QByteArray::number(facts.birth) + ' '
        + QByteArray::number(oldSize);
    text = text.leftJustified(kHeaderBytes - 1, ' ', true);
    text += '\n';
    return text;
}

// The journal's place beside the real file of the catalog. Only a name
// that is itself a symbolic link needs resolving: a linked folder on the
// way leads to the same folder, and so to the same journal. Every open of a
// catalog asks for this, so a plain name costs one lstat, not a realpath.
QString besidePath(const QString &path)
{
    const QString real = filesystem::isSymbolicLink(path) ? filesystem::realPath(path) : QString();
    const QString file = real.isEmpty() ? path : real;
    const QString folder = filesystem::folderOf(file);
    const QString name = file.mid(file.lastIndexOf(QLatin1Char('/')) + 1);
    return folder + QStringLiteral("/.") + name + QStringLiteral(".kobrix-rollback");
}

// The journal's place in the temporary folder, named by the file's identity.
QString temporaryPath(const filesystem::FileFacts &facts)
{
    return QDir::tempPath() + QStringLiteral("/kobrix-rollback-%1-%2")
                                  .arg(facts.device, 0, 16)
                                  .arg(facts.inode, 0, 16);
}

// Copies up to limit bytes (all with a negative limit) from from's position
// to to's. Returns the bytes copied, or -1 with errno set.
qint64 copyBytes(QIODevice &from, QIODevice &to, qint64 limit = -1)
{
    std::vector<char> buffer(static_cast<std::size_t>(kCopyChunk));
    qint64 copied = 0;
    for (;;) {
        const qint64 want = limit < 0 ? kCopyChunk : std::min(kCopyChunk, limit - copied);
        if (want == 0)
            return copied;
        errno = 0;
        const qint64 n = from.read(buffer.data(), want);
        if (n < 0)
            return -1;
        if (n == 0)
            return limit < 0 || copied == limit ? copied : (errno = EIO, -1);
        errno = 0;
        if (to.write(buffer.data(), n) != n)
            return -1;
        copied += n;
    }
}

// A journal read back: what it says, and whether it is whole.
struct JournalHeader
{
    char state = '-';
    quint64 device = 0;
    quint64 inode = 0;
    quint64 birth = 0;
    qint64 oldSize = -1;
};

bool readHeader(QFile &journal, JournalHeader &out)
{
    const QByteArray text = journal.read(kHeaderBytes);
    if (text.size() != kHeaderBytes || !text.startsWith(kMagic))
        return false;
    const QList<QByteArray> fields = text.mid(kMagic.size()).simplified().split(' ');
    if (fields.size() != 5 || fields[0].size() != 1)
        return false;
    bool ok[4] = {};
    out.state = fields[0][0];
    out.device = fields[1].toULongLong(&ok[0]);
    out.inode = fields[2].toULongLong(&ok[1]);
    out.birth = fields[3].toULongLong(&ok[2]);
    out.oldSize = fields[4].toLongLong(&ok[3]);
    return ok[0] && ok[1] && ok[2] && ok[3] && out.oldSize >= 0;
}

// Whether a journal read back is the catalog's (facts) and whole, so that
// its change may have begun and must be undone.
bool isWholeJournalOf(const QFile &journal, const JournalHeader &header,
                      const filesystem::FileFacts &facts)
{
    // The same device and number, and made at the same moment: not a later
    // file that was given the number of a removed one.
    const bool ours = header.device == facts.device && header.inode == facts.inode
        && header.birth == facts.birth;
    const qint64 whole = kHeaderBytes + (header.state == 'R' ? header.oldSize : 0);
    return ours && header.state != '-' && journal.size() == whole;
}

// Puts the catalog back as the journal (positioned behind its header) says.
// Returns 0 or the system's error number.
int applyJournal(const JournalHeader &header, QFile &journal, QFile &catalog, const QString &path)
{
    errno = 0;
    switch (header.state) {
    case 'R':
        if (!catalog.seek(0) || copyBytes(journal, catalog, header.oldSize) != header.oldSize
            || !catalog.resize(header.oldSize))
            return lastError();
        break;
    case 'A':
        if (catalog.size() > header.oldSize && !catalog.resize(header.oldSize))
            return lastError();
        break;
    case 'C':
        if (!catalog.resize(0))
            return lastError();
        break;
    default: return EINVAL;
    }
    if (const int failure = filesystem::syncFile(catalog))
        return failure;
    if (header.state == 'C') {
        // The append created the file: take it away again, through the
        // name the append was given (a link keeps pointing where it did).
        const QString real = filesystem::realPath(path);
        if (!real.isEmpty() && filesystem::isSameFile(catalog, real))
            filesystem::removeFile(real);
    }
    return 0;
}

void removeJournal(const QString &journalPath)
{
    filesystem::removeFile(journalPath);
    filesystem::syncFolder(filesystem::folderOf(journalPath));
}

// The places a journal of the catalog may lie, the trusted ones only.
QStringList journalCandidates(const QString &path, const filesystem::FileFacts &facts)
{
    QStringList found;
    const QString beside = besidePath(path);
    if (filesystem::pathKind(beside) == filesystem::PathKind::File
        && !filesystem::isSymbolicLink(beside))
        found << beside;
    const QString temporary = temporaryPath(facts);
    if (filesystem::pathKind(temporary) != filesystem::PathKind::Missing
        && filesystem::isTrustedLeftover(temporary, facts))
        found << temporary;
    return found;
}

} // namespace

CatalogJournal::~CatalogJournal()
{
    // A journal not finished nor rolled back stays for recoverCatalog().
    m_file.close();
}

RuntimeError CatalogJournal::begin(const QString &path, QFile &catalog,
                                   const filesystem::FileFacts &facts, Change change)
{
    m_change = change;
    m_oldSize = change == Change::Create ? 0 : facts.size;
    // One name: beside it, where the journal is as safe as the catalog.
    // Several: in the place every name leads to.
    QStringList places;
    if (facts.links <= 1)
        places << besidePath(path);
    places << temporaryPath(facts);
    int failure = NoError;
    for (const QString &place : std::as_const(places)) {
        failure = filesystem::createPrivateFile(place, m_file);
        if (failure == NoError) {
            m_path = place;
            break;
        }
    }
    if (m_path.isEmpty())
        return RuntimeError(failure);

    // A journal not made whole goes: the catalog has not changed.
    auto fail = [this](const RuntimeError &error) {
        m_file.close();
        filesystem::removeFile(m_path);
        m_path.clear();
        return error;
    };
    const auto systemError = [] { return RuntimeError::fromErrno(lastError()); };
    errno = 0;
    if (m_file.write(header('-', facts, m_oldSize)) != kHeaderBytes)
        return fail(systemError());
    if (change == Change::Rewrite) {
        errno = 0;
        const qint64 copied = catalog.seek(0) ? copyBytes(catalog, m_file) : -1;
        if (copied < 0)
            return fail(systemError());
        m_oldSize = copied;
    }
    if (const int synced = filesystem::syncFile(m_file))
        return fail(RuntimeError(synced));
    // Whole and on the disk: mark it so, and only then may the catalog change.
    errno = 0;
    if (!m_file.seek(0)
        || m_file.write(header(changeLetter(change), facts, m_oldSize)) != kHeaderBytes)
        return fail(systemError());
    if (const int synced = filesystem::syncFile(m_file))
        return fail(RuntimeError(synced));
    filesystem::syncFolder(filesystem::folderOf(m_path));
    m_bytesAt = kHeaderBytes;
    (void)m_file.seek(m_bytesAt);
    return RuntimeError();
}

QIODevice &CatalogJournal::oldBytes()
{
    (void)m_file.seek(m_bytesAt);
    return m_file;
}

void CatalogJournal::finish()
{
    if (m_path.isEmpty())
        return;
    m_file.close();
    removeJournal(m_path);
    m_path.clear();
}

RuntimeError CatalogJournal::rollBack(QFile &catalog)
{
    if (m_path.isEmpty())
        return RuntimeError();
    JournalHeader header;
    header.state = changeLetter(m_change);
    header.oldSize = m_oldSize;
    errno = 0;
    if (!m_file.seek(m_bytesAt))
        return RuntimeError::fromErrno(lastError());
    if (const int failure = applyJournal(header, m_file, catalog, QString()))
        return RuntimeError::fromErrno(failure);
    finish();
    return RuntimeError();
}

bool CatalogJournal::isUnchanged(QFile &catalog)
{
    if (m_path.isEmpty() || m_change != Change::Rewrite || !catalog.seek(0)
        || !m_file.seek(m_bytesAt))
        return false;
    qint64 compared = 0;
    for (;;) {
        const QByteArray before = m_file.read(kCopyChunk);
        const QByteArray now = catalog.read(kCopyChunk);
        if (before != now)
            return false;
        compared += before.size();
        if (before.isEmpty())
            return compared == m_oldSize;
    }
}

bool hasLeftJournal(const QString &path, const filesystem::FileFacts &facts)
{
    return !journalCandidates(path, facts).isEmpty();
}

bool needsPuttingBack(const QString &path, const filesystem::FileFacts &facts)
{
    for (const QString &journalPath : journalCandidates(path, facts)) {
        QFile journal(journalPath);
        JournalHeader header;
        if (!journal.open(QIODevice::ReadOnly)) // unknown: take it for whole
            return true;
        if (readHeader(journal, header) && isWholeJournalOf(journal, header, facts))
            return true;
    }
    return false;
}

RuntimeError recoverCatalog(const QString &path, QFile &catalog)
{
    filesystem::FileFacts facts;
    if (!filesystem::fileFacts(catalog, facts))
        return RuntimeError(PathFileAccessError);
    for (const QString &journalPath : journalCandidates(path, facts)) {
        QFile journal(journalPath);
        JournalHeader header;
        if (!journal.open(QIODevice::ReadOnly))
            continue;
        if (!readHeader(journal, header)) {
            // Cut off while its header was written: its change never began.
            // Anything else under the name is not ours to remove.
            const QByteArray start = journal.seek(0) ? journal.read(kHeaderBytes) : QByteArray();
            if (start.size() < kHeaderBytes && kMagic.startsWith(start.left(kMagic.size()))) {
                journal.close();
                removeJournal(journalPath);
            }
            continue;
        }
        if (!isWholeJournalOf(journal, header, facts)) {
            // Another file's, one whose catalog was replaced since, or one
            // written only in part: its change never touched this catalog.
            journal.close();
            removeJournal(journalPath);
            continue;
        }
        if (const int failure = applyJournal(header, journal, catalog, path))
            return RuntimeError::fromErrno(failure);
        journal.close();
        removeJournal(journalPath);
    }
    return RuntimeError();
}

RuntimeError putBackUnfinishedChange(const QString &path, std::chrono::milliseconds lockWait)
{
    CatalogLock lock;
    if (RuntimeError error = lock.acquire(path, CatalogLock::OpenMode::ReadWrite, lockWait)) {
        if (error.number() != PermissionDenied)
            return error;
        return RuntimeError(PermissionDenied,
                            describeError(PermissionDenied)
                                + QStringLiteral(" (a change of this catalog was cut off and "
                                                 "must be undone by a user who may write it)"));
    }
    if (!lock.holdsFile())
        return RuntimeError();
    return recoverCatalog(path, lock.file());
}

} // namespace kobrix
