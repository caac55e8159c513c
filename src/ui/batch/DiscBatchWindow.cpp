#include "ui/batch/DiscBatchWindow.h"

#include "platform/DriveSource.h"
#include "ui/common/DiscNameValidator.h"
#include "ui/common/MessageBox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kobrix {

namespace {

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

DiscBatchWindow::DiscBatchWindow(const UiServices &services, QString catalogPath,
                                 QStringList drives, QWidget *parent)
    : QWidget(parent, Qt::Window), m_services(services), m_catalogPath(std::move(catalogPath)),
      m_drives(std::move(drives))
{
    setObjectName(QStringLiteral("DiscBatchWindow"));
    setWindowTitle(tr("Catalog Discs One After Another"));
    setAttribute(Qt::WA_DeleteOnClose);

    catalogLabel = named(new QLabel(tr("Catalog: %1").arg(QDir::toNativeSeparators(m_catalogPath)),
                                    this), "catalogLabel");
    catalogLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    driveBox = named(new QComboBox(this), "driveBox");
    for (const QString &drive : std::as_const(m_drives))
        driveBox->addItem(m_services.drives ? m_services.drives->caption(drive) : drive, drive);
    auto *driveLabel = new QLabel(tr("&Drive:"), this);
    driveLabel->setBuddy(driveBox);
    startButton = button(tr("S&tart"), "startButton", this);
    auto *driveRow = new QHBoxLayout;
    driveRow->addWidget(driveLabel);
    driveRow->addWidget(driveBox, 1);
    driveRow->addWidget(startButton);
    const bool choose = m_drives.size() > 1;
    driveLabel->setVisible(choose);
    driveBox->setVisible(choose);
    startButton->setVisible(choose);

    stateLabel = named(new QLabel(this), "stateLabel");
    QFont bold = stateLabel->font();
    bold.setBold(true);
    stateLabel->setFont(bold);
    stateLabel->setWordWrap(true);

    namePanel = named(new QWidget(this), "namePanel");
    namePrompt = named(new QLabel(namePanel), "namePrompt");
    namePrompt->setWordWrap(true);
    nameBox = named(new QLineEdit(namePanel), "nameBox");
    nameBox->setValidator(new DiscNameValidator(nameBox));
    auto *nameLabel = new QLabel(tr("Disc &name:"), namePanel);
    nameLabel->setBuddy(nameBox);
    addButton = button(tr("&Add"), "addButton", namePanel);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(nameBox, 1);
    nameRow->addWidget(addButton);
    auto *nameLayout = new QVBoxLayout(namePanel);
    nameLayout->setContentsMargins(0, 0, 0, 0);
    nameLayout->addWidget(namePrompt);
    nameLayout->addLayout(nameRow);
    namePanel->hide();

    changePanel = named(new QWidget(this), "changePanel");
    changeText = named(new QLabel(changePanel), "changeText");
    changeText->setWordWrap(true);
    changeList = named(new QListWidget(changePanel), "changeList");
    changeList->setAccessibleName(tr("Files added and removed"));
    updateButton = button(tr("&Update the Disc"), "updateButton", changePanel);
    leaveButton = button(tr("&Leave It as It Is"), "leaveButton", changePanel);
    auto *changeButtons = new QHBoxLayout;
    changeButtons->addStretch();
    changeButtons->addWidget(updateButton);
    changeButtons->addWidget(leaveButton);
    auto *changeLayout = new QVBoxLayout(changePanel);
    changeLayout->setContentsMargins(0, 0, 0, 0);
    changeLayout->addWidget(changeText);
    changeLayout->addWidget(changeList);
    changeLayout->addLayout(changeButtons);
    changePanel->hide();

    discList = named(new QTreeWidget(this), "discList");
    discList->setAccessibleName(tr("Discs done"));
    discList->setHeaderLabels({tr("Disc"), tr("Files"), tr("What was done")});
    discList->setRootIsDecorated(false);
    discList->setUniformRowHeights(true);
    discList->header()->setStretchLastSection(true);
    discList->setColumnWidth(0, 200);
    discList->setColumnWidth(1, 70);
    totalsLabel = named(new QLabel(this), "totalsLabel");
    totalsLabel->setWordWrap(true); // the window keeps its width as the totals grow
    noteLabel = named(new QLabel(this), "noteLabel");
    noteLabel->setWordWrap(true);
    noteLabel->hide();
    stopButton = button(tr("Stop"), "stopButton", this);
    stopButton->setToolTip(tr("End the run once the disc in hand is done (Esc)"));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(totalsLabel, 1);
    bottom->addWidget(stopButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(catalogLabel);
    layout->addLayout(driveRow);
    layout->addWidget(stateLabel);
    layout->addWidget(namePanel);
    layout->addWidget(changePanel, 1);
    layout->addWidget(discList, 2);
    layout->addWidget(noteLabel);
    layout->addLayout(bottom);
    resize(720, 480);

    connect(startButton, &QPushButton::clicked, this, &DiscBatchWindow::start);
    connect(stopButton, &QPushButton::clicked, this, &DiscBatchWindow::stopOrClose);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &DiscBatchWindow::stopOrClose);
    auto giveName = [this] {
        if (m_batch)
            m_batch->giveName(nameBox->text());
    };
    connect(nameBox, &QLineEdit::returnPressed, this, giveName);
    // Typing keeps the label proposed from being taken under the user's hands.
    connect(nameBox, &QLineEdit::textEdited, this, [this] {
        if (m_batch)
            m_batch->holdName();
    });
    connect(addButton, &QPushButton::clicked, this, giveName);
    connect(updateButton, &QPushButton::clicked, this, [this] {
        if (m_batch)
            m_batch->updateChangedDisc(true);
    });
    connect(leaveButton, &QPushButton::clicked, this, [this] {
        if (m_batch)
            m_batch->updateChangedDisc(false);
    });
    stateLabel->setText(choose ? tr("Choose the drive the discs go into, then Start.")
                               : QString());
    addRow(DiscBatchRow{}); // the totals of no disc
}

DiscBatchWindow::~DiscBatchWindow() = default;

void DiscBatchWindow::start()
{
    if (m_batch || m_drives.isEmpty() || !m_services.discArrivals)
        return;
    const QString drive = driveBox->currentData().toString();
    driveBox->setEnabled(false);
    startButton->setEnabled(false);
    m_batch = new DiscBatch(m_catalogPath, drive, *m_services.discArrivals, this);
    m_batch->setNameWait(m_nameWait);
    connect(m_batch, &DiscBatch::stateChanged, this, &DiscBatchWindow::showState);
    connect(m_batch, &DiscBatch::scanProgress, this, [this](qint64 files) {
        stateLabel->setText(tr("Reading the disc: files found so far: %1")
                                .arg(QLocale().toString(files)));
    });
    connect(m_batch, &DiscBatch::nameWanted, this, &DiscBatchWindow::askName);
    connect(m_batch, &DiscBatch::changeFound, this, &DiscBatchWindow::showChange);
    connect(m_batch, &DiscBatch::rowAdded, this, &DiscBatchWindow::addRow);
    connect(m_batch, &DiscBatch::ejectFailed, this, [this](const RuntimeError &error) {
        noteLabel->setText(tr("The tray could not be opened (%1): take the disc out by hand.")
                               .arg(error.numberAndDescription()));
        noteLabel->show();
    });
    connect(m_batch, &DiscBatch::finished, this, &DiscBatchWindow::finished);
    QString error;
    if (!m_batch->start(&error)) {
        stateLabel->setText(tr("The drive cannot be watched: %1").arg(error));
        stopButton->setText(tr("Close"));
        if (m_services.messages)
            m_services.messages->show(this, windowTitle(), error, MessageIcon::Critical);
    }
}

void DiscBatchWindow::showState(DiscBatch::State state)
{
    if (state != DiscBatch::State::Asking) {
        namePanel->hide();
        changePanel->hide();
    }
    const QString drive = m_services.drives ? m_services.drives->caption(m_batch->drive())
                                            : m_batch->drive();
    switch (state) {
    case DiscBatch::State::Idle:
    case DiscBatch::State::Asking:
        break;
    case DiscBatch::State::Waiting:
        stateLabel->setText(tr("Waiting for the next disc in drive %1").arg(drive));
        noteLabel->hide();
        break;
    case DiscBatch::State::Scanning:
        stateLabel->setText(tr("Reading the disc..."));
        break;
    case DiscBatch::State::Writing:
        stateLabel->setText(tr("Writing to the catalog..."));
        break;
    case DiscBatch::State::Stopped:
        stateLabel->setText(tr("Stopped."));
        break;
    }
}

void DiscBatchWindow::askName(const QString &label)
{
    stateLabel->setText(tr("A new disc."));
    namePrompt->setText(label.isEmpty()
            ? tr("The disc has no label: type its name and press Enter.")
            : tr("It is added under its label in a few seconds; to give it another name, "
                 "type it and press Enter."));
    nameBox->setText(label);
    namePanel->show();
    // Typing replaces the proposal.
    nameBox->selectAll();
    nameBox->setFocus();
}

void DiscBatchWindow::showChange(const QString &disc, const QStringList &added,
                                 const QStringList &removed)
{
    stateLabel->setText(tr("This disc is in the catalog as %1, and it has changed.").arg(disc));
    changeText->setText(tr("Files added: %1, removed: %2. Update the disc in the catalog?")
                            .arg(added.size())
                            .arg(removed.size()));
    changeList->clear();
    for (const QString &path : added)
        changeList->addItem(QStringLiteral("+ ") + path);
    for (const QString &path : removed)
        changeList->addItem(QStringLiteral("\u2212 ") + path);
    changePanel->show();
    updateButton->setFocus();
}

// Adds a disc's row (none for the empty row of the constructor) and shows
// the totals as they now stand.
void DiscBatchWindow::addRow(const DiscBatchRow &row)
{
    if (m_batch) {
        // A disc that was not read has no name.
        const QString name = row.name.isEmpty() ? QStringLiteral("\u2014") : row.name;
        auto *item = new QTreeWidgetItem(discList, {name, QLocale().toString(row.files), row.text});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(2, row.text); // an error's text may be cut at the column's end
        discList->scrollToItem(item);
    }
    const DiscBatchTotals totals = m_batch ? m_batch->totals() : DiscBatchTotals{};
    const QLocale locale;
    QStringList parts{tr("Discs: %1").arg(totals.discs),
                      tr("added: %1 (files: %2)")
                          .arg(totals.added)
                          .arg(locale.toString(totals.filesAdded)),
                      tr("already in the catalog: %1").arg(totals.known),
                      tr("updated: %1").arg(totals.updated)};
    if (totals.notUpdated)
        parts << tr("changed, left as they were: %1").arg(totals.notUpdated);
    parts << tr("not read or not written: %1").arg(totals.failed);
    totalsLabel->setText(parts.join(QStringLiteral(" \u00b7 ")));
}

void DiscBatchWindow::stopOrClose()
{
    if (!m_batch || m_batch->state() == DiscBatch::State::Stopped) {
        close();
        return;
    }
    m_batch->stop();
    if (m_batch->state() != DiscBatch::State::Stopped)
        stateLabel->setText(tr("Stopping once this disc is done..."));
}

void DiscBatchWindow::finished()
{
    namePanel->hide();
    changePanel->hide();
    stopButton->setText(tr("Close"));
    Q_EMIT runFinished(m_catalogPath);
    if (m_closeWhenDone)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void DiscBatchWindow::closeEvent(QCloseEvent *event)
{
    if (m_batch && m_batch->state() != DiscBatch::State::Stopped
        && m_batch->state() != DiscBatch::State::Idle) {
        // The disc in hand is done with first, whole.
        m_batch->stop();
        if (m_batch->state() != DiscBatch::State::Stopped) {
            m_closeWhenDone = true;
            event->ignore();
            return;
        }
    }
    QWidget::closeEvent(event);
}

} // namespace kobrix
