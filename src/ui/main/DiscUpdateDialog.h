#pragma once

#include "core/LineStore.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace kobrix {

class DiscUpdate;
class LineListView;
class LineStoreModel;

// What an update of a disc in a catalog changes, as the confirmation shows it.
struct DiscUpdateSummary
{
    QString disc;
    QString catalogPath;
    LineStore added;   // files of the new listing the catalog does not hold
    LineStore removed; // files of the disc in the catalog that the listing does not hold
    qsizetype unchanged = 0;

    // The changes of a prepared update.
    static DiscUpdateSummary of(const DiscUpdate &update);
};

// Asks before a disc's records in a catalog are replaced: the disc and the
// catalog, the counts of files added, removed and unchanged, and the files
// added and removed in lists of their own. "Update" (the default button)
// accepts, "Cancel" and Escape reject; nothing here writes. When the scan
// keeps none of the disc's files it is most likely another disc: a warning
// says so and "Cancel" is the default button.
class DiscUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DiscUpdateDialog(DiscUpdateSummary summary, QWidget *parent = nullptr);
    ~DiscUpdateDialog() override;

    QLabel *heading = nullptr;       // "Update "Games 1" in Music.cdc"
    QLabel *counts = nullptr;        // "3 added, 1 removed, 2308 unchanged"
    QLabel *warning = nullptr;       // shown when the scan keeps none of the disc's files
    LineListView *addedList = nullptr;
    LineListView *removedList = nullptr;
    QPushButton *updateButton = nullptr;
    QPushButton *cancelButton = nullptr;

    const DiscUpdateSummary &summary() const { return m_summary; }
    // The scan shares no file with the disc in the catalog.
    bool sharesNothing() const { return m_summary.unchanged == 0 && m_summary.removed.count() > 0; }

private:
    DiscUpdateSummary m_summary;
    LineStoreModel *m_addedModel = nullptr;
    LineStoreModel *m_removedModel = nullptr;
};

} // namespace kobrix
