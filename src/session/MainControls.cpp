#include "session/MainControls.h"

namespace kobrix {

namespace {

constexpr ButtonState kShownOn{true, true};
constexpr ButtonState kShownOff{true, false};
constexpr ButtonState kHiddenOn{false, true};
constexpr ButtonState kHiddenOff{false, false};

struct Row
{
    bool drives;
    bool nameBox; // Label2 and Text2
    ButtonState write, add, next;
};

// One row per phase, in the order of MainPhase, for a new catalog and for a
// disc added to a catalog; a search has one state throughout. "Write
// Catalog..." hidden but on keeps "Update Disc in Catalog..." on.
constexpr Row kNewCatalog[] = {
    /* Opened       */ {true, true, kShownOn, kShownOn, kHiddenOn},
    /* Started      */ {true, false, kShownOff, kHiddenOn, kHiddenOn},
    /* Scanned      */ {true, true, kShownOn, kHiddenOn, kHiddenOn},
    /* Written      */ {false, false, kShownOff, kShownOff, kShownOn},
    /* NextDisc     */ {true, false, kHiddenOff, kShownOn, kShownOff},
    /* NextAfterAdd */ {true, false, kHiddenOn, kShownOn, kShownOff},
    /* NextScanned  */ {true, true, kHiddenOn, kShownOn, kShownOff},
    /* Added        */ {false, false, kHiddenOn, kShownOff, kShownOn},
    /* Updated      */ {false, false, kHiddenOff, kShownOff, kShownOn},
};
// A disc added to a catalog starts where a new catalog stands after its
// first write.
constexpr Row kAddDiscOpened{false, true, kShownOff, kShownOff, kShownOn};
constexpr Row kSearch{false, true, kShownOff, kShownOff, kHiddenOff};

} // namespace

MainControls mainControls(WorkMode mode, MainPhase phase)
{
    Row row = kNewCatalog[int(phase)];
    if (mode == WorkMode::SearchCatalog)
        row = kSearch;
    else if (mode == WorkMode::AddDisc && phase == MainPhase::Opened)
        row = kAddDiscOpened;
    else if (mode == WorkMode::AddDisc && phase == MainPhase::Started)
        row = kNewCatalog[int(MainPhase::Written)];
    MainControls controls;
    controls.drives = row.drives;
    // A new catalog is made from discs scanned now: nothing to load.
    controls.load = mode != WorkMode::NewCatalog;
    controls.label = controls.name = row.nameBox;
    controls.write = row.write;
    controls.add = row.add;
    controls.next = row.next;
    return controls;
}

MainControls MainWorkflow::controls() const
{
    MainControls controls = mainControls(m_mode, m_phase);
    if (m_heldBack)
        controls.write.enabled = controls.add.enabled = false;
    if (m_scanning) {
        // Everything that would change the lists, the catalog or the window
        // waits until the scan is over; Exit, About, Donate and the disc
        // name's caption stay.
        controls.drives = controls.load = controls.name = controls.commands = false;
        controls.write.enabled = controls.add.enabled = controls.next.enabled = false;
        controls.cancel = true;
    }
    return controls;
}

void MainWorkflow::scanEnded(ScanEnd end)
{
    m_scanning = false;
    switch (end) {
    case ScanEnd::Lines:
        m_heldBack = false;
        if (m_phase == MainPhase::Started)
            m_phase = MainPhase::Scanned;
        else if (m_phase == MainPhase::NextDisc || m_phase == MainPhase::NextAfterAdd)
            m_phase = MainPhase::NextScanned;
        break;
    case ScanEnd::NoLines:
        m_heldBack = false;
        break;
    case ScanEnd::Cancelled:
    case ScanEnd::FailedWithLines:
        m_heldBack = true;
        break;
    case ScanEnd::FailedEmpty:
        break;
    }
}

void MainWorkflow::written() { m_phase = MainPhase::Written; }

void MainWorkflow::added()
{
    // "Write Catalog..." keeps its state; hidden, it is "Update Disc in
    // Catalog..." alone that stays on.
    if (m_phase == MainPhase::NextScanned || m_phase == MainPhase::NextAfterAdd)
        m_phase = MainPhase::Added;
    else if (m_phase != MainPhase::Added)
        m_phase = MainPhase::Written;
}

void MainWorkflow::updated()
{
    // Done with the disc as after a write while "Write Catalog..." is
    // offered, else as after an add, with "Write Catalog..." off.
    m_phase = mainControls(m_mode, m_phase).write.visible ? MainPhase::Written : MainPhase::Updated;
}

void MainWorkflow::nextDisc()
{
    m_heldBack = false; // the buttons are set anew for the next disc
    m_phase = m_phase == MainPhase::Added ? MainPhase::NextAfterAdd : MainPhase::NextDisc;
}

} // namespace kobrix
