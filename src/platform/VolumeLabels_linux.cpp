// The label of a disc on Linux: a device is read as a disc image; a folder
// has the label of the device mounted at exactly that folder.

#include "platform/VolumeLabels.h"

#include "platform/LinuxDriveSource.h"
#include "scan/VolumeLabel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace kobrix {

namespace {

// The folder as the mount table writes it: absolute, without a trailing
// slash, with links resolved where it exists.
QString mountTablePath(const QString &folder)
{
    const QFileInfo info(folder);
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = QDir::cleanPath(info.absoluteFilePath());
    return path;
}

// Whether two paths name the same device: the same file, or device nodes
// of the same device number.
bool sameDevice(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    if (!canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath())
        return true;
    struct stat sa{};
    struct stat sb{};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0
        || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return S_ISBLK(sa.st_mode) && S_ISBLK(sb.st_mode) && sa.st_rdev == sb.st_rdev;
}

// The label udev's link in byLabelDir gives device; empty when none does.
QString udevLabel(const QString &device, const QString &byLabelDir)
{
    const QDir dir(byLabelDir);
    const QStringList names = dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                                            QDir::Name);
    for (const QString &name : names) {
        if (sameDevice(dir.filePath(name), device))
            return decodeUdevName(name);
    }
    return {};
}

} // namespace

QString decodeUdevName(const QString &name)
{
    // udev writes a byte it does not keep as "\xNN"; the bytes decoded
    // together are UTF-8.
    const QByteArray raw = name.toUtf8();
    QByteArray bytes;
    bytes.reserve(raw.size());
    const auto hex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 3 < raw.size() && raw[i + 1] == 'x' && hex(raw[i + 2])
            && hex(raw[i + 3])) {
            bytes += char(raw.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else {
            bytes += raw[i];
        }
    }
    return QString::fromUtf8(bytes);
}

QString mountedFolderLabel(const QString &folder, const QString &mountInfoPath,
                           const QString &byLabelDir, RuntimeError *error)
{
    if (error)
        *error = RuntimeError();
    QFile table(mountInfoPath);
    if (!table.open(QIODevice::ReadOnly)) {
        if (error)
            *error = RuntimeError(DeviceUnavailable, table.errorString());
        return {};
    }
    const QString path = mountTablePath(folder);
    // A later mount at the same folder hides the earlier ones.
    QString device;
    bool mounted = false;
    for (const LinuxDriveSource::MountEntry &entry :
         LinuxDriveSource::parseMountInfo(table.readAll())) {
        if (entry.mountPoint == path) {
            mounted = true;
            device = entry.source;
        }
    }
    if (!mounted || !device.startsWith(u'/'))
        return {};
    RuntimeError readError;
    QString label = volumeLabelOfImage(device, &readError);
    if (label.isEmpty())
        label = udevLabel(device, byLabelDir);
    // A device that holds no disc format the reader knows just has no label
    // of its own; one that cannot be opened is worth telling.
    if (label.isEmpty() && error && readError.number() != DeviceIoError)
        *error = readError;
    return label;
}

QString discLabel(const DiscLocation &disc, RuntimeError *error)
{
    if (disc.kind == DiscLocation::Kind::Device)
        return volumeLabelOfImage(disc.path, error);
    return mountedFolderLabel(disc.path, QStringLiteral("/proc/self/mountinfo"),
                              QStringLiteral("/dev/disk/by-label"), error);
}

} // namespace kobrix
