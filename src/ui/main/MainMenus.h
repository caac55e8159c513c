#pragma once

namespace kobrix {

class Form1;
struct MainControls;
struct UiServices;

// The main window's menu bar, "&File", "&Catalog" and "&Help", made into the
// window's design-named actions (Form1::mnuLoad, mnuFind...) and connected to
// the window's routines. "&Scan Folder..." and "Scan Disc &Image..." ask for
// the folder or the image through the services' file dialogs first.
void createMainMenus(Form1 &window, const UiServices &services);

// The enabled states of the table for the menus' commands that have one.
void applyMainMenuStates(Form1 &window, const MainControls &states);

} // namespace kobrix
