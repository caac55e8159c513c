#pragma once

// The Discs window's controls as the tests reach them: by their object
// names, as a user's tools see them.

#include "ui/discs/DiscsWindow.h"
#include "ui/discs/DiscsWindowOutput.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>

#include <memory>

namespace kobrix::test {

struct DiscsControls
{
    explicit DiscsControls(const DiscsWindow &w)
        : window(w)
    {}
    template <typename Control> Control *get(const char *name) const
    {
        Control *found = window.findChild<Control *>(QLatin1String(name));
        Q_ASSERT_X(found, "DiscsControls", name);
        return found;
    }

    const DiscsWindow &window;
    QLabel *const filterLabel = get<QLabel>("filterLabel");
    QLineEdit *const filterBox = get<QLineEdit>("filterBox");
    QPushButton *const addButton = get<QPushButton>("addButton");
    QAction *const addFilesAction = get<QAction>("addFilesAction");
    QAction *const addFolderAction = get<QAction>("addFolderAction");
    QLabel *const discsLabel = get<QLabel>("discsLabel");
    QTreeView *const discList = get<QTreeView>("discList");
    QLabel *const totalsLabel = get<QLabel>("totalsLabel");
    QTabWidget *const views = get<QTabWidget>("views");
    QLabel *const folderHeading = get<QLabel>("folderHeading");
    QTreeView *const folderTree = get<QTreeView>("folderTree");
    QLabel *const searchLabel = get<QLabel>("searchLabel");
    QLineEdit *const searchBox = get<QLineEdit>("searchBox");
    QPushButton *const findButton = get<QPushButton>("findButton");
    QLabel *const searchStatus = get<QLabel>("searchStatus");
    QTreeView *const searchResults = get<QTreeView>("searchResults");
    QLabel *const otherHeading = get<QLabel>("otherHeading");
    QTreeView *const otherDiscsView = get<QTreeView>("otherDiscsView");
    QRadioButton *const byPathButton = get<QRadioButton>("byPathButton");
    QRadioButton *const byNameButton = get<QRadioButton>("byNameButton");
    QLabel *const duplicatesStatus = get<QLabel>("duplicatesStatus");
    QTreeView *const duplicatesView = get<QTreeView>("duplicatesView");
    QPushButton *const closeButton = get<QPushButton>("closeButton");
    DiscsWindowOutput *const output = window.output();
};

// The controls of "Export..." and "Print...", beside Close.
struct OutputControls
{
    explicit OutputControls(const DiscsWindowOutput &output)
        : window(*static_cast<const QWidget *>(output.parent()))
    {}
    template <typename Control>
    Control *get(const char *name) const
    {
        Control *found = window.findChild<Control *>(QLatin1String(name));
        Q_ASSERT_X(found, "OutputControls", name);
        return found;
    }

    const QWidget &window;
    QLabel *const status = get<QLabel>("outputStatus");
    QPushButton *const exportButton = get<QPushButton>("exportButton");
    QPushButton *const printButton = get<QPushButton>("printButton");
    QAction *const exportWhole = get<QAction>("exportWhole");
    QAction *const exportSelected = get<QAction>("exportSelected");
    QAction *const exportResults = get<QAction>("exportResults");
    QAction *const printA4 = get<QAction>("printA4");
    QAction *const printLetter = get<QAction>("printLetter");
    QAction *const printBooklet = get<QAction>("printBooklet");
};

inline OutputControls out(const DiscsWindowOutput &output)
{
    return OutputControls(output);
}
inline OutputControls out(const DiscsWindowOutput *output)
{
    return OutputControls(*output);
}

inline DiscsControls ui(const DiscsWindow &window)
{
    return DiscsControls(window);
}
inline DiscsControls ui(const DiscsWindow *window)
{
    return DiscsControls(*window);
}
inline DiscsControls ui(const std::unique_ptr<DiscsWindow> &window)
{
    return DiscsControls(*window);
}
inline DiscsControls ui(const QPointer<DiscsWindow> &window)
{
    return DiscsControls(*window);
}

} // namespace kobrix::test
