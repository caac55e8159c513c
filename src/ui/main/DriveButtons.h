#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QListWidget;
class QMainWindow;
class QToolBar;

namespace kobrix {

class DriveSource;
struct MainControls;

// The main window's toolbar (Form1::Toolbar1): "Load", "Find" and "Restart",
// then one button per optical drive. Each button carries its key (one of
// the three keys below, or a drive root) and reports through clicked(),
// however it is triggered (click, keyboard, accessibility).
class DriveButtons : public QObject
{
    Q_OBJECT

public:
    static const QString loadKey, findKey, restartKey;

    // Makes the toolbar at the top of window with its first three buttons.
    explicit DriveButtons(QMainWindow *window);

    QToolBar *toolbar() const { return m_toolbar; }
    // One button per optical drive of drives, keyed by its root; roots
    // (List3) lists the roots.
    void addDrives(DriveSource &drives, QListWidget *roots);
    // The button with the key; nullptr when no button carries it.
    QAction *button(const QString &key) const;
    const QStringList &driveKeys() const { return m_driveKeys; }
    // The enabled states of the table: the drive buttons with the drives,
    // "Load" with load, "Find" and "Restart" with the other commands.
    void apply(const MainControls &states);

Q_SIGNALS:
    void clicked(QAction *button);

private:
    QAction *addButton(const QString &key, const QIcon &icon, const QString &caption,
                       const QString &tip);

    QToolBar *m_toolbar = nullptr;
    QStringList m_driveKeys;
};

} // namespace kobrix
