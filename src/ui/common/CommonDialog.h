#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace kobrix {

// Flag values of the classic common file dialog that the program uses.
enum CommonDialogFlag : quint32 {
    OverwritePrompt = 0x2, // a save dialog asks before it accepts an existing file
    HideReadOnly = 0x4,    // no read-only check box
    PathMustExist = 0x800, // the folder typed must exist
    FileMustExist = 0x1000, // an open dialog takes only existing files
};
inline constexpr quint32 kCatalogDialogFlags = OverwritePrompt | HideReadOnly | PathMustExist;

enum class FileDialogMode {
    Open,
    Save,
    Folder, // picks an existing folder
    OpenSeveral, // picks one or more existing files (runSeveral)
};

// Everything a dialog needs to show itself.
struct FileDialogRequest
{
    FileDialogMode mode = FileDialogMode::Open;
    quint32 flags = 0;
    QString fileName;  // proposed name (may be a bare name or a full path)
    QString filter;    // "description|pattern|description|pattern..."
    int filterIndex = 1; // counts from 1
    // What the dialog is for ("Scan Folder"); empty: the dialog's own title
    // ("Open", "Save As"), as the designed commands show it.
    QString title;
};

// An open dialog for a catalog file that exists, proposing fileName.
FileDialogRequest existingCatalogRequest(const QString &fileName);

// Shows the dialog. Returns the full path chosen, or nothing when cancelled.
// The real one is QFileDialog; tests script the answers.
class FileDialogBackend
{
public:
    virtual ~FileDialogBackend() = default;
    virtual std::optional<QString> run(QWidget *parent, const FileDialogRequest &request) = 0;
    // An open dialog in which several existing files can be chosen at once
    // (the request's mode is not looked at). Returns their full paths, or
    // nothing when cancelled.
    virtual std::optional<QStringList> runSeveral(QWidget *parent,
                                                  const FileDialogRequest &request) = 0;
};

// The one file dialog object of the main window. It keeps flags, file name,
// filter and filter index from one use to the next: a setting a caller does
// not set keeps the value of the previous use.
class CommonDialog
{
public:
    explicit CommonDialog(FileDialogBackend &backend, QWidget *parent = nullptr)
        : m_backend(backend), m_parent(parent)
    {
    }

    quint32 flags() const { return m_flags; }
    void setFlags(quint32 flags) { m_flags = flags; }
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &name) { m_fileName = name; }
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }
    int filterIndex() const { return m_filterIndex; }
    void setFilterIndex(int index) { m_filterIndex = index; }
    // The window the dialog is shown over (the start dialog borrows the
    // main window's dialog while the main window is still hidden).
    QWidget *parentWidget() const { return m_parent; }
    void setParentWidget(QWidget *parent) { m_parent = parent; }

    // Show the dialog. True when the user confirmed: fileName() then holds
    // the full path chosen. False when cancelled (error 32755 of the classic
    // dialog); the settings then stay as they were.
    bool showOpen() { return show(FileDialogMode::Open, m_flags); }
    bool showSave() { return show(FileDialogMode::Save, m_flags); }
    // A save dialog for a file that will be added to, not replaced: it does
    // not ask whether to replace an existing file, whatever the flags kept
    // from the previous use say (they stay as they are for the next use).
    bool showSaveForAppend() { return show(FileDialogMode::Save, m_flags & ~quint32(OverwritePrompt)); }

private:
    bool show(FileDialogMode mode, quint32 flags);

    FileDialogBackend &m_backend;
    QWidget *m_parent;
    quint32 m_flags = 0;
    QString m_fileName;
    QString m_filter;
    int m_filterIndex = 1;
};

// QFileDialog behind the common dialog: honours the overwrite prompt flag,
// accepts names of missing files in an open dialog, turns the
// "description|pattern" filter into name filters and selects the one the
// filter index points at. A save dialog adds the extension of the selected
// filter ("*.cdc") to a name typed without one, as desktop dialogs do.
class QtFileDialogBackend : public FileDialogBackend
{
public:
    std::optional<QString> run(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QStringList> runSeveral(QWidget *parent,
                                          const FileDialogRequest &request) override;
};

// The "description|pattern|..." filter as QFileDialog name filters, one per
// pair: "All Files (*.*)|*.*" gives "All Files (*)".
QStringList nameFiltersOf(const QString &filter);

// The extension a filter pattern stands for: "cdc" for "*.cdc"; empty for
// "*.*", "*" or several patterns.
QString extensionOfPattern(const QString &pattern);

} // namespace kobrix
