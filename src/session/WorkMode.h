#pragma once

namespace kobrix {

// The kind of work the main window is prepared for, chosen in the start
// dialog and read by the main window while it loads.
enum class WorkMode {
    NewCatalog,    // a new catalog is built from the discs that will be scanned
    SearchCatalog, // an existing catalog is opened for viewing and searching
    AddDisc,       // a further disc is added to an existing catalog
};

} // namespace kobrix
