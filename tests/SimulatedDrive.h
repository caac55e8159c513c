#pragma once

#include "platform/DiscArrivals.h"

#include <QStringList>

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

} // namespace kobrix::test
