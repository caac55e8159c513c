#pragma once

#include "session/WorkMode.h"

#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kobrix {

class Catalog;
class CommonDialog;
class MessageBoxService;

// A freshly loaded main window as the start dialog completes it: the start
// dialog names its catalog, has the catalog loaded where the work mode opens
// one, and then has the rest of the mode's settings applied. It touches none
// of the window's controls itself.
struct PreparedMainWindow
{
    QWidget *window = nullptr;             // the main window itself; null: it could not be made
    Catalog *catalog = nullptr;            // the window's catalog, named by the start dialog
    CommonDialog *CommonDialog1 = nullptr; // the main window's file dialog
    // Loads a catalog; false when the file could not be opened.
    std::function<bool(const QString &fileName, bool clearFirst)> ReadList;
    // The settings of the work mode that follow the naming of the catalog
    // (the caption, the disc name box and the command buttons).
    std::function<void()> applyStartSettings;
};

// Makes a new main window and runs its load step with the work mode given.
// Whoever supplies it owns the windows it makes.
using MainWindowFactory = std::function<PreparedMainWindow(WorkMode)>;

// The start dialog, the first window of the program: it asks what the user
// wants to do, prepares the main window for it and hands over to it. Cancel
// and the close box end the program.
class Form2 : public QDialog
{
    Q_OBJECT

public:
    Form2(MessageBoxService &messages, MainWindowFactory makeMainWindow,
          QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;        // the program's picture
    QGroupBox *Frame1 = nullptr;     // "What do you want to do?"
    QRadioButton *Option1 = nullptr; // "Create a new CD Catalog"
    QRadioButton *Option2 = nullptr; // "Open your last CD Catalog", never available
    QRadioButton *Option3 = nullptr; // "Search an Existing CD Catalog"
    QRadioButton *Option4 = nullptr; // "Add a new Disk to an Existing CD Catalog"
    QLabel *Label1 = nullptr;        // "Type a name for your new Catalog"
    QLineEdit *Text1 = nullptr;      // the new catalog's name
    QPushButton *Command1 = nullptr; // "OK": opens the main window in the chosen mode
    QPushButton *Command2 = nullptr; // "Cancel": ends the program

    // The work mode the selected option stands for.
    WorkMode workMode() const;

    // The catalog named on the command line: searched as if chosen with
    // "Search an Existing CD Catalog" and OK, without asking. False when it
    // could not be opened (the loader said why): nothing is shown then.
    bool openCatalogFile(const QString &fileName);

Q_SIGNALS:
    // Cancel or the close box: the program ends.
    void programEndRequested();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeControls();
    // Load step: the name prompt and box shown, the proposed name.
    void Form_Load();
    void optionClicked();
    // OK: prepares the main window for the chosen work and hands over.
    void Command1_Click();
    void startNewCatalog();
    void openExistingCatalog(WorkMode mode);
    // Loads the catalog into the main window and hands over to it; with
    // onlyIfOpened, not when the file could not be opened.
    bool handOver(const PreparedMainWindow &main, const QString &fileName, bool onlyIfOpened);
    void Command2_Click();

    MessageBoxService &m_messages;
    MainWindowFactory m_makeMainWindow;
    bool m_programEnding = false; // Cancel or the close box: the program is ending
};

} // namespace kobrix
