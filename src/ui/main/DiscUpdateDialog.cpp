#include "ui/main/DiscUpdateDialog.h"

#include "catalog/DiscUpdate.h"
#include "core/ProgramTexts.h"
#include "ui/common/LineListView.h"
#include "ui/common/LineStoreModel.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kobrix {

DiscUpdateSummary DiscUpdateSummary::of(const DiscUpdate &update)
{
    DiscUpdateSummary summary;
    summary.disc = update.discName();
    summary.catalogPath = update.catalogPath();
    summary.added.setKeepSearchKeys(false);
    for (const qsizetype i : update.addedLines())
        summary.added.appendUtf8(update.listing().utf8At(i));
    summary.removed = update.removedPaths();
    summary.unchanged = update.unchangedCount();
    return summary;
}

DiscUpdateDialog::DiscUpdateDialog(DiscUpdateSummary summary, QWidget *parent)
    : QDialog(parent), m_summary(std::move(summary))
{
    setObjectName(QStringLiteral("DiscUpdateDialog"));
    setWindowTitle(tr("Update Disc in Catalog"));

    heading = new QLabel(tr("Update \"%1\" in %2")
                             .arg(m_summary.disc, QFileInfo(m_summary.catalogPath).fileName()),
                         this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setToolTip(QDir::toNativeSeparators(m_summary.catalogPath));
    heading->setWordWrap(true);

    counts = new QLabel(ProgramTexts::updateCounts(m_summary.added.count(),
                                                   m_summary.removed.count(), m_summary.unchanged),
                        this);
    counts->setObjectName(QStringLiteral("counts"));

    warning = new QLabel(tr("The disc scanned shares no file with \"%1\": updating replaces "
                            "every file of it. Is it the same disc?")
                             .arg(m_summary.disc),
                         this);
    warning->setObjectName(QStringLiteral("warning"));
    warning->setWordWrap(true);
    warning->setVisible(sharesNothing());

    // Each list has a prompt with a mnemonic that moves the focus to it.
    const auto makeList = [this](const QString &prompt, const QString &name, const LineStore &lines,
                                 LineStoreModel *&model, QLabel *&label) {
        auto *list = new LineListView(this);
        list->setObjectName(name);
        model = new LineStoreModel(lines, this);
        list->setModel(model);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        label = new QLabel(prompt, this);
        label->setObjectName(name + QStringLiteral("Label"));
        label->setBuddy(list);
        return list;
    };
    QLabel *addedLabel = nullptr;
    QLabel *removedLabel = nullptr;
    addedList = makeList(tr("Files &added:"), QStringLiteral("addedList"), m_summary.added,
                         m_addedModel, addedLabel);
    addedList->setAccessibleName(tr("Files added"));
    removedList = makeList(tr("Files &removed:"), QStringLiteral("removedList"), m_summary.removed,
                           m_removedModel, removedLabel);
    removedList->setAccessibleName(tr("Files removed"));

    auto *buttons = new QDialogButtonBox(this);
    updateButton = buttons->addButton(tr("&Update"), QDialogButtonBox::AcceptRole);
    updateButton->setObjectName(QStringLiteral("updateButton"));
    cancelButton = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    // Enter confirms an update of the disc, and keeps another disc out.
    (sharesNothing() ? cancelButton : updateButton)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(counts);
    layout->addWidget(warning);
    layout->addSpacing(6);
    layout->addWidget(addedLabel);
    layout->addWidget(addedList, 1);
    layout->addWidget(removedLabel);
    layout->addWidget(removedList, 1);
    layout->addWidget(buttons);

    // About eight lines in each list, as wide as a long path.
    const int rows = 8 * addedList->rowHeight() + 2 * addedList->frameWidth() + 2;
    addedList->setMinimumHeight(rows);
    removedList->setMinimumHeight(rows);
    resize(fontMetrics().averageCharWidth() * 72, sizeHint().height());
    setTabOrder(addedList, removedList);
    setTabOrder(removedList, updateButton);
    setTabOrder(updateButton, cancelButton);
}

DiscUpdateDialog::~DiscUpdateDialog() = default;

} // namespace kobrix
