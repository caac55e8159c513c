#pragma once

#include "session/WorkMode.h"

namespace kobrix {

// Where the user stands in the main window's work, as far as its controls
// tell: each phase has one set of control states per work mode
// (mainControls()). A scan running, and a scan that did not complete, lay
// their own states over the phase's (MainWorkflow::controls()).
enum class MainPhase {
    Opened,      // the load step is done; the start dialog has not named the catalog
    Started,     // the catalog is named: waiting for the first disc
    Scanned,     // the first disc is scanned, ready to be written
    Written,     // a disc was written (or updated) with "Write Catalog..." offered
    NextDisc,    // "Scan New CD": waiting for the next disc
    NextAfterAdd, // the same after an add, which left "Write Catalog..." on
    NextScanned, // the next disc is scanned, ready to be added
    Added,       // the disc was added to a catalog
    Updated,     // the disc was updated in a catalog after a "Scan New CD"
};

// A push button's two states.
struct ButtonState
{
    bool visible = true;
    bool enabled = true;
    bool operator==(const ButtonState &) const = default;
};

// The states of the main window's controls that record where the user
// stands.
struct MainControls
{
    bool drives = true;  // the drive buttons, "Scan Folder..." and "Scan Disc Image..."
    bool load = true;    // "Load" and "&Load..."
    bool label = true;   // Label2, the caption of the disc name
    bool name = true;    // Text2, the disc name
    ButtonState write;   // Command3, "Write Catalog..." (and "Update Disc in Catalog...")
    ButtonState add;     // Command4, "Add to Catalog..."
    ButtonState next;    // Command2, "Scan New CD"
    bool commands = true; // "Find", "Restart" and the Catalog's "Discs..."
    bool cancel = false;  // the status bar's Cancel and the Esc key
    bool operator==(const MainControls &) const = default;
};

// The table: the states of a phase in a work mode, with no scan running.
MainControls mainControls(WorkMode mode, MainPhase phase);

// The phase of the main window and what lies over it, moved on by what the
// user does; controls() gives the states to show.
class MainWorkflow
{
public:
    explicit MainWorkflow(WorkMode mode) : m_mode(mode) {}

    WorkMode mode() const { return m_mode; }
    MainPhase phase() const { return m_phase; }
    bool isScanning() const { return m_scanning; }
    bool writingHeldBack() const { return m_heldBack; }
    MainControls controls() const;

    // The start dialog named the catalog.
    void started() { m_phase = MainPhase::Started; }
    void scanStarted() { m_scanning = true; }
    // A scan ended: completed with lines or without, or not completed
    // (cancelled, or failed part-way with lines found: those are no
    // complete disc and cannot be written until a complete scan).
    enum class ScanEnd { Lines, NoLines, Cancelled, FailedWithLines, FailedEmpty };
    void scanEnded(ScanEnd end);
    void written();
    void added();
    // A disc was updated in a catalog.
    void updated();
    // "Scan New CD".
    void nextDisc();

private:
    WorkMode m_mode;
    MainPhase m_phase = MainPhase::Opened;
    bool m_scanning = false;
    bool m_heldBack = false; // a scan did not complete: writing is off
};

} // namespace kobrix
