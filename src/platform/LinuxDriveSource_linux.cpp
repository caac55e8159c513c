// The drives of a Linux machine: sysfs, the mount table and the CD-ROM
// driver's status call.

#include "platform/LinuxDriveSource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kobrix {

namespace {

const QString kDevPrefix = QStringLiteral("/dev/");

// The first line of a small sysfs file, trimmed; empty when it is missing.
QString readSysValue(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readLine(256)).trimmed();
}

// Natural order of device names: "sr2" before "sr10".
bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype ie = i;
            qsizetype je = j;
            while (ie < a.size() && a.at(ie).isDigit())
                ++ie;
            while (je < b.size() && b.at(je).isDigit())
                ++je;
            const QString na = a.mid(i, ie - i);
            const QString nb = b.mid(j, je - j);
            const qulonglong va = na.toULongLong();
            const qulonglong vb = nb.toULongLong();
            if (va != vb)
                return va < vb;
            i = ie;
            j = je;
            continue;
        }
        if (a.at(i) != b.at(j))
            return a.at(i) < b.at(j);
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return (a.size() - i) < (b.size() - j);
    return a < b;
}

} // namespace

LinuxDriveSource::LinuxDriveSource(QString sysBlockDir, QString mountInfoPath, QString deviceDir)
    : m_sysBlockDir(std::move(sysBlockDir)), m_mountInfoPath(std::move(mountInfoPath)),
      m_deviceDir(std::move(deviceDir))
{
}

QString LinuxDriveSource::deviceName(const QString &root)
{
    if (!root.startsWith(kDevPrefix))
        return QString();
    const QString name = root.mid(kDevPrefix.size());
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return QString();
    return name;
}

QString LinuxDriveSource::logicalDriveStrings()
{
    QStringList names = QDir(m_sysBlockDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), naturalLess);
    QString text;
    for (const QString &name : std::as_const(names)) {
        text += kDevPrefix + name;
        text += QChar(u'\0');
    }
    return text;
}

int LinuxDriveSource::driveType(const QString &root)
{
    const QString name = deviceName(root);
    const QString deviceDir = m_sysBlockDir + QLatin1Char('/') + name;
    if (name.isEmpty() || !QFileInfo(deviceDir).isDir())
        return 1; // no such drive
    bool ok = false;
    const int scsiType = readSysValue(deviceDir + QStringLiteral("/device/type")).toInt(&ok);
    if (ok && scsiType == 5)
        return kDriveTypeCdRom;
    if (readSysValue(deviceDir + QStringLiteral("/removable")) == QLatin1String("1"))
        return 2;
    return 3;
}

QString LinuxDriveSource::caption(const QString &root) const
{
    const QString name = deviceName(root);
    return name.isEmpty() ? root.toUpper() : name.toUpper();
}

QString LinuxDriveSource::decodeMountField(const QByteArray &field)
{
    QByteArray raw;
    raw.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size()) {
            const char d0 = field.at(i + 1);
            const char d1 = field.at(i + 2);
            const char d2 = field.at(i + 3);
            auto octal = [](char d) { return d >= '0' && d <= '7'; };
            if (octal(d0) && octal(d1) && octal(d2)) {
                raw.append(char(((d0 - '0') << 6) | ((d1 - '0') << 3) | (d2 - '0')));
                i += 3;
                continue;
            }
        }
        raw.append(c);
    }
    return QFile::decodeName(raw);
}

QList<LinuxDriveSource::MountEntry> LinuxDriveSource::parseMountInfo(const QByteArray &text)
{
    QList<MountEntry> entries;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        // id, parent, major:minor, root, mount point, options, optional
        // fields..., "-", type, source, super options
        const qsizetype separator = fields.indexOf(QByteArray("-"), 6);
        if (fields.size() < 6 || separator < 0 || separator + 2 >= fields.size())
            continue;
        MountEntry entry;
        entry.majorMinor = QString::fromLatin1(fields.at(2));
        entry.fsRoot = decodeMountField(fields.at(3));
        entry.mountPoint = decodeMountField(fields.at(4));
        entry.source = decodeMountField(fields.at(separator + 2));
        entries << entry;
    }
    return entries;
}

bool LinuxDriveSource::holdsDisc(const QString &devicePath)
{
    // Without O_NONBLOCK an empty drive refuses to open (ENOMEDIUM).
    const int fd = ::open(QFile::encodeName(devicePath).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES || errno == EPERM; // present, but not ours to ask
    const int status = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    ::close(fd);
    return status < 0 || (status != CDS_NO_DISC && status != CDS_TRAY_OPEN);
}

RuntimeError LinuxDriveSource::resolveRoot(const QString &root, DiscLocation &disc) const
{
    const QString name = deviceName(root);
    if (name.isEmpty())
        return DriveSource::resolveRoot(root, disc);

    const QString majorMinor = readSysValue(m_sysBlockDir + QLatin1Char('/') + name
                                            + QStringLiteral("/dev"));
    QFile mountInfo(m_mountInfoPath);
    const QList<MountEntry> entries = mountInfo.open(QIODevice::ReadOnly)
        ? parseMountInfo(mountInfo.readAll())
        : QList<MountEntry>();

    // The whole disc mounted comes first; a bind mount of one of its folders
    // only when nothing else is there.
    const MountEntry *partial = nullptr;
    for (const MountEntry &entry : entries) {
        const bool sameDevice = (!majorMinor.isEmpty() && entry.majorMinor == majorMinor)
            || entry.source == root;
        if (!sameDevice)
            continue;
        if (entry.fsRoot == QLatin1String("/")) {
            disc = DiscLocation{DiscLocation::Kind::Folder, entry.mountPoint};
            return RuntimeError();
        }
        if (!partial)
            partial = &entry;
    }
    if (partial) {
        disc = DiscLocation{DiscLocation::Kind::Folder, partial->mountPoint};
        return RuntimeError();
    }
    // A disc the desktop did not mount (or no desktop that mounts discs) is
    // read from the drive itself.
    const QString device = m_deviceDir + QLatin1Char('/') + name;
    if (!holdsDisc(device))
        return RuntimeError(DeviceUnavailable);
    disc = DiscLocation{DiscLocation::Kind::Device, device};
    return RuntimeError();
}

std::unique_ptr<DriveSource> systemDriveSource()
{
    return std::make_unique<LinuxDriveSource>();
}

} // namespace kobrix
