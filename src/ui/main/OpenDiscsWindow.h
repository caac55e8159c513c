#pragma once

namespace kobrix {

class DiscsWindow;
class Form1;
struct UiServices;

// The Discs window over the catalog the main window has in use: its lines
// when they are a catalog's, else the catalog file named or last used
// (MainSession::namedCatalogFile()). Modal like the search window, so that
// the lines it reads stay as they are, and deleted when closed. Nothing
// while a load or a scan is changing the lines; nothing but a message when
// there is no catalog to show.
DiscsWindow *openDiscsWindowOver(Form1 &window, const UiServices &services);

} // namespace kobrix
