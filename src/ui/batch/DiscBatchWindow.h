#pragma once

#include "session/DiscBatch.h"
#include "ui/common/UiServices.h"

#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace kobrix {

// "Catalog Discs One After Another...": the window of a run of discs. It
// shows what the run (DiscBatch) tells, state by state, and hands the run
// the user's answers: a new disc's name, whether to update a changed disc,
// "Stop". The discs done are a growing list with totals below it.
class DiscBatchWindow : public QWidget
{
    Q_OBJECT

public:
    // Discs go into the catalog file; drives are the CD-ROM drives to
    // choose from (the one there is is taken at once by start()). The
    // services' disc watcher and drive source must outlive the window.
    DiscBatchWindow(const UiServices &services, QString catalogPath, QStringList drives,
                    QWidget *parent = nullptr);
    ~DiscBatchWindow() override;

    // Starts the run on the drive chosen; with several drives and none
    // chosen yet, waits for "Start".
    void start();

    // The run, once started (tests and screenshots drive it).
    DiscBatch *batch() const { return m_batch; }
    // Applied to the run when it starts.
    void setNameWait(std::chrono::milliseconds wait) { m_nameWait = wait; }

    QLabel *catalogLabel = nullptr;
    QComboBox *driveBox = nullptr;    // shown when there are several drives
    QPushButton *startButton = nullptr;
    QLabel *stateLabel = nullptr;     // "Waiting for the next disc in drive SR0"...
    QWidget *namePanel = nullptr;     // a new disc's name
    QLabel *namePrompt = nullptr;
    QLineEdit *nameBox = nullptr;
    QPushButton *addButton = nullptr;
    QWidget *changePanel = nullptr;   // a known disc that changed
    QLabel *changeText = nullptr;
    QListWidget *changeList = nullptr; // "+ path" added, "- path" removed
    QPushButton *updateButton = nullptr;
    QPushButton *leaveButton = nullptr;
    QTreeWidget *discList = nullptr;  // one row per disc: name, files, what was done
    QLabel *totalsLabel = nullptr;
    QLabel *noteLabel = nullptr;      // the tray that would not open
    QPushButton *stopButton = nullptr; // "Stop", "Close" once the run is over

Q_SIGNALS:
    // The run is over and the catalog may have changed.
    void runFinished(const QString &catalogPath);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showState(DiscBatch::State state);
    void askName(const QString &label);
    void showChange(const QString &disc, const QStringList &added, const QStringList &removed);
    void addRow(const DiscBatchRow &row);
    void stopOrClose();
    void finished();

    UiServices m_services;
    QString m_catalogPath;
    QStringList m_drives;
    DiscBatch *m_batch = nullptr;
    std::chrono::milliseconds m_nameWait{5000};
    bool m_closeWhenDone = false;
};

} // namespace kobrix
