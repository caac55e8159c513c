#include "cli/CliAddDiscs.h"

#include "platform/DiscArrivals.h"

#include <QEventLoop>

namespace kobrix::cli {

QString addDiscsLine(const DiscBatchRow &row)
{
    return row.name + QLatin1Char('\t') + QString::number(row.files) + QLatin1Char('\t') + row.text;
}

AddDiscsLoop::AddDiscsLoop(const QString &catalog, const QString &drive, bool updateChanged,
                           DiscArrivals &arrivals, AddDiscsIo io, QObject *parent)
    : QObject(parent)
    , m_batch(catalog, drive, arrivals)
    , m_io(std::move(io))
    , m_updateChanged(updateChanged)
{
    connect(&m_batch, &DiscBatch::nameWanted, this, &AddDiscsLoop::nameWanted);
    connect(&m_batch, &DiscBatch::nameRefused, this,
            [this](const QString &problem) { m_io.printNote(problem); });
    connect(&m_batch, &DiscBatch::changeFound, this,
            [this](const QString &, const QStringList &, const QStringList &) {
                m_batch.updateChangedDisc(m_updateChanged);
            });
    connect(&m_batch, &DiscBatch::rowAdded, this, &AddDiscsLoop::rowAdded);
    connect(&m_batch, &DiscBatch::stateChanged, this, &AddDiscsLoop::stateChanged);
    connect(&m_batch, &DiscBatch::ejectFailed, this, [this](const RuntimeError &error) {
        m_io.printNote(
            QStringLiteral("The tray did not open: %1").arg(error.numberAndDescription()));
    });
    connect(&m_batch, &DiscBatch::finished, this, [this] { m_finished = true; });
}

int AddDiscsLoop::run()
{
    QString error;
    if (!m_batch.start(&error)) {
        m_io.printNote(QStringLiteral("Cannot watch %1: %2").arg(m_batch.drive(), error));
        return 2;
    }
    QEventLoop events;
    connect(&m_batch, &DiscBatch::finished, &events, &QEventLoop::quit);
    if (!m_finished)
        events.exec();

    const DiscBatchTotals &totals = m_batch.totals();
    m_io.printNote(QStringLiteral("%1 discs: %2 added, %3 already in the catalog, %4 updated, "
                                  "%5 changed and left as they were, %6 not read or not "
                                  "written, %7 left out")
                       .arg(totals.discs)
                       .arg(totals.added)
                       .arg(totals.known)
                       .arg(totals.updated)
                       .arg(totals.notUpdated)
                       .arg(totals.failed)
                       .arg(totals.leftOut));
    if (totals.failed > 0)
        return 2;
    return totals.added + totals.updated > 0 ? 0 : 1;
}

void AddDiscsLoop::interrupt()
{
    if (m_finished)
        return;
    if (m_batch.state() != DiscBatch::State::Waiting)
        m_io.printNote(QStringLiteral("Stopping once the disc in the drive is done with"));
    m_batch.stop();
}

void AddDiscsLoop::nameWanted(const QString &label)
{
    // On a terminal a label is taken as it is: no one sits waiting to
    // type over it.
    if (!label.isEmpty()) {
        m_batch.giveName(label);
        return;
    }
    while (m_batch.state() == DiscBatch::State::Asking) {
        const QString name = m_io.readName();
        if (name.trimmed().isEmpty()) {
            m_batch.leaveDiscOut();
            return;
        }
        m_batch.giveName(name); // a refused name is said, and asked again
    }
}

void AddDiscsLoop::rowAdded(const DiscBatchRow &row)
{
    m_io.printLine(addDiscsLine(row));
}

void AddDiscsLoop::stateChanged(DiscBatch::State state)
{
    if (state == DiscBatch::State::Waiting)
        m_io.printNote(
            QStringLiteral("Waiting for a disc in %1 (Ctrl+C ends)").arg(m_batch.drive()));
}

} // namespace kobrix::cli
