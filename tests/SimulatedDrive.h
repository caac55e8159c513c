#pragma once

#include "TestSupport.h"
#include "platform/DiscArrivals.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <tuple>

namespace kobrix::test {

// A drive the tests put discs into by hand: insert() and takeOut() say what
// the system's watcher would, and every tray opened is noted.
class SimulatedDrive : public DiscArrivals
{
public:
    explicit SimulatedDrive(QString drive = QStringLiteral("/dev/sr0")) : m_drive(std::move(drive)) {}

    bool watch(const QString &drive, QString *error) override
    {
        if (drive != m_drive) {
            if (error)
                *error = QStringLiteral("no such drive: ") + drive;
            return false;
        }
        watching = true;
        return true;
    }
    void stopWatching() override { watching = false; }
    RuntimeError eject(const QString &drive) override
    {
        ejects.append(drive);
        return ejectError;
    }

    void insert(const DiscLocation &disc) { Q_EMIT discArrived(m_drive, disc); }
    void takeOut() { Q_EMIT discRemoved(m_drive); }
    const QString &drive() const { return m_drive; }

    bool watching = false;
    QStringList ejects;
    RuntimeError ejectError;

private:
    QString m_drive;
};

// The discs the simulated drive is handed, made once (xorriso): images
// "alpha" (label ALPHA, 40 files), "alpha2" (the same disc with one file
// gone and three new: changed), "beta" (label BETA), "broken" (no disc
// image at all), "impostor" (beta's files under the label ALPHA: another
// disc named like alpha) and "folder", a folder that is no mount point: a
// disc without a label.
class DiscShelf
{
public:
    bool make()
    {
        const QString alpha = m_dir.filePath("alpha");
        for (int i = 0; i < 40; ++i)
            writeFile(alpha, QStringLiteral("DATA/FILE%1.TXT").arg(i), "x");
        const QString alpha2 = m_dir.filePath("alpha2");
        if (!copyTree(alpha, alpha2) || !QFile::remove(alpha2 + "/DATA/FILE7.TXT"))
            return false;
        for (int i = 0; i < 3; ++i)
            writeFile(alpha2, QStringLiteral("NEW/ADDED%1.TXT").arg(i), "y");
        const QString beta = m_dir.filePath("beta");
        writeFile(beta, "PHOTOS/IMG001.JPG", "j");
        writeFile(beta, "PHOTOS/IMG002.JPG", "j");
        const QString folder = m_dir.filePath("folder");
        writeFile(folder, "notes.txt", "n");
        writeFile(folder, "music/track01.ogg", "o");
        for (const auto &[key, label, tree] : {std::tuple{"alpha", "ALPHA", "alpha"},
                                               {"alpha2", "ALPHA", "alpha2"},
                                               {"beta", "BETA", "beta"},
                                               {"impostor", "ALPHA", "beta"}}) {
            const QString image = m_dir.filePath(QString(key) + ".iso");
            if (!runXorriso({"-as", "mkisofs", "-quiet", "-V", label, "-J", "-R", "-o", image,
                             m_dir.filePath(tree)}))
                return false;
            m_walks[key] = walkFolderLines(m_dir.filePath(tree));
        }
        m_walks["folder"] = walkFolderLines(folder);
        writeFile(m_dir.path(), "broken.iso", QByteArray(64 * 1024, 'z'));
        return true;
    }

    DiscLocation location(const QString &key) const
    {
        if (key == "folder")
            return {DiscLocation::Kind::Folder, m_dir.filePath("folder")};
        return {DiscLocation::Kind::Device, m_dir.filePath(key + ".iso")};
    }
    // What the disc lists when walked by itself.
    QStringList walk(const QString &key) const
    {
        const auto found = m_walks.find(key);
        return found == m_walks.end() ? QStringList() : found->second;
    }

private:
    QTemporaryDir m_dir;
    std::map<QString, QStringList> m_walks;
};

} // namespace kobrix::test
