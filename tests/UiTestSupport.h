#pragma once

// Scripted stand-ins for the outside world of the windows: file dialogs that
// answer from a queue, message boxes and shell opens that are recorded, and
// drives whose discs are temporary folders. Header-only, so any window test
// can include it.

#include "platform/DriveSource.h"
#include "export/PdfTextLayer.h"
#include "platform/ShellOpener.h"
#include "ui/common/CommonDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PrintPreview.h"
#include "ui/main/Form1.h"
#include "ui/common/LineListView.h"
#include "ui/common/UiServices.h"

#include "TestSupport.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPdfWriter>
#include <QPushButton>
#include <QToolBar>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kobrix::test {

// One message box the program showed; for a question, also its buttons,
// its default and the answer it got.
struct ShownMessage
{
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::Information;
    bool question = false;
    QuestionButtons buttons = QuestionButtons::YesNo;
    MessageAnswer defaultAnswer = MessageAnswer::Yes;
    MessageAnswer answer = MessageAnswer::Yes;
};

// Records every message instead of showing it, and answers questions from a
// queue. A question with the queue empty is unexpected: it is counted and
// answered as if the box had been closed (escapeAnswer()). onShow, when set,
// runs while the box would be open (the program waits there).
class RecordingMessageBoxService : public MessageBoxService
{
public:
    void show(QWidget *, const QString &title, const QString &text, MessageIcon icon) override
    {
        shown.push_back({title, text, icon});
        if (onShow)
            onShow(shown.back());
    }

    MessageAnswer ask(QWidget *, const QString &title, const QString &text, MessageIcon icon,
                      QuestionButtons buttons, MessageAnswer defaultAnswer) override
    {
        MessageAnswer answer = escapeAnswer(buttons);
        if (answers.empty()) {
            ++unexpected;
        } else {
            answer = answers.front();
            answers.pop_front();
        }
        shown.push_back({title, text, icon, true, buttons, defaultAnswer, answer});
        if (onShow)
            onShow(shown.back());
        return answer;
    }

    // The answers to the questions to come, in order.
    std::deque<MessageAnswer> answers;
    int unexpected = 0;

    QStringList texts() const
    {
        QStringList result;
        for (const ShownMessage &m : shown)
            result << m.text;
        return result;
    }
    const ShownMessage *last() const { return shown.empty() ? nullptr : &shown.back(); }
    void clear() { shown.clear(); }

    std::vector<ShownMessage> shown;
    std::function<void(const ShownMessage &)> onShow;
};

// Answers file dialogs from a queue: answer() confirms a path, cancel()
// cancels.
// An unexpected dialog (empty queue) cancels and is counted. Every request
// is recorded with the settings it was shown with.
class ScriptedFileDialogBackend : public FileDialogBackend
{
public:
    std::optional<QString> run(QWidget *parent, const FileDialogRequest &request) override
    {
        const std::optional<QStringList> paths = take(parent, request);
        return paths ? std::optional<QString>(paths->value(0)) : std::nullopt;
    }
    // The same queue; a dialog for several files is recorded with the mode
    // OpenSeveral.
    std::optional<QStringList> runSeveral(QWidget *parent, const FileDialogRequest &request) override
    {
        FileDialogRequest several = request;
        several.mode = FileDialogMode::OpenSeveral;
        return take(parent, several);
    }

    struct Answer
    {
        bool confirmed = false;
        QStringList paths;
    };
    void answer(const QString &path) { answers.push_back({true, {path}}); }
    void answerSeveral(const QStringList &paths) { answers.push_back({true, paths}); }
    void cancel() { answers.push_back({false, {}}); }
    const FileDialogRequest *last() const { return requests.empty() ? nullptr : &requests.back(); }

    std::deque<Answer> answers;
    std::vector<FileDialogRequest> requests;
    std::vector<QWidget *> parents; // the window each dialog was shown over
    int unexpected = 0;

private:
    // Records the request and gives the next answer: the paths chosen, or
    // nothing when cancelled or when no answer was scripted.
    std::optional<QStringList> take(QWidget *parent, const FileDialogRequest &request)
    {
        requests.push_back(request);
        parents.push_back(parent);
        if (answers.empty()) {
            ++unexpected;
            return std::nullopt;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        if (!answer.confirmed)
            return std::nullopt;
        return answer.paths;
    }
};

// Records the addresses handed to the desktop.
class RecordingShellOpener : public ShellOpener
{
public:
    void open(const QString &target) override { opened << target; }
    QStringList opened;
};

// Drives of a pretend machine. Each drive has a key, a type and the folder
// that holds its disc, or the device its unmounted disc is read from (an
// image file); a CD-ROM drive with neither has no disc in it.
class FakeDriveSource : public DriveSource
{
public:
    struct Drive
    {
        QString key;
        int type = kDriveTypeCdRom;
        QString folder; // empty: no disc
        QString device; // a disc nobody mounted, read from here
    };

    void addCdDrive(const QString &key, const QString &folder = QString())
    {
        drives.push_back({key, kDriveTypeCdRom, folder, QString()});
    }
    void addUnmountedCdDrive(const QString &key, const QString &device)
    {
        drives.push_back({key, kDriveTypeCdRom, QString(), device});
    }
    void addDrive(const QString &key, int type) { drives.push_back({key, type, QString(), QString()}); }
    void insertDisc(const QString &key, const QString &folder)
    {
        for (Drive &d : drives) {
            if (d.key == key)
                d.folder = folder;
        }
    }

    QString logicalDriveStrings() override
    {
        QString text;
        for (const Drive &d : drives)
            text += d.key + QChar(u'\0');
        return text;
    }
    int driveType(const QString &root) override
    {
        for (const Drive &d : drives) {
            if (d.key == root)
                return d.type;
        }
        return 1;
    }
    RuntimeError resolveRoot(const QString &root, DiscLocation &disc) const override
    {
        resolved << root;
        busyCursorWhileResolving.push_back(QGuiApplication::overrideCursor() != nullptr);
        for (const Drive &d : drives) {
            if (d.key == root && !d.folder.isEmpty()) {
                disc = DiscLocation{DiscLocation::Kind::Folder, d.folder};
                return RuntimeError();
            }
            if (d.key == root && !d.device.isEmpty()) {
                disc = DiscLocation{DiscLocation::Kind::Device, d.device};
                return RuntimeError();
            }
        }
        return RuntimeError(DeviceUnavailable);
    }

    std::vector<Drive> drives;
    mutable QStringList resolved;
    mutable std::vector<bool> busyCursorWhileResolving;
};

// A print preview that paints the pages into a PDF file instead of showing
// them, as "Print to File" does (a new file in outputFolder for each preview,
// named by its number), and records what it was asked to show.
class PdfPrintPreview : public PrintPreviewService
{
public:
    void preview(QWidget *, const QString &documentName, const QPageLayout &layout,
                 const PaintPages &paint) override
    {
        const QString path =
            outputFolder + QStringLiteral("/preview%1.pdf").arg(documentNames.size() + 1);
        documentNames << documentName;
        layouts.push_back(layout);
        files << path;
        ListingPdfWriter writer(path);
        writer.setPageLayout(layout);
        writer.setResolution(300);
        paint(writer);
    }

    QString outputFolder = QDir::tempPath();
    QStringList documentNames;
    std::vector<QPageLayout> layouts;
    QStringList files;
};

// One set of scripted services for a window under test.
struct ScriptedServices
{
    RecordingMessageBoxService messages;
    ScriptedFileDialogBackend dialogs;
    FakeDriveSource drives;
    RecordingShellOpener shell;
    PdfPrintPreview printPreview;

    UiServices services()
    {
        UiServices s;
        s.messages = &messages;
        s.fileDialogs = &dialogs;
        s.drives = &drives;
        s.shell = &shell;
        s.printPreview = &printPreview;
        return s;
    }
};

// A main window over scripted services. The services outlive the window.
struct Form1Harness
{
    explicit Form1Harness(WorkMode mode = WorkMode::NewCatalog,
                          const std::function<void(ScriptedServices &)> &setUp = {})
    {
        if (setUp)
            setUp(io);
        form = std::make_unique<Form1>(io.services(), mode);
    }

    ScriptedServices io;
    std::unique_ptr<Form1> form;
};

// A small disc: two files in the root, files one and two levels down, an
// empty folder and a hidden file, under a fresh temporary folder.
inline void makeSampleDisc(const QString &root)
{
    writeFile(root, QStringLiteral("SETUP.EXE"), "x");
    writeFile(root, QStringLiteral("readme.txt"), "x");
    writeFile(root, QStringLiteral(".hidden"), "x");
    writeFile(root, QStringLiteral("DATA/LEVEL1.DAT"), "x");
    writeFile(root, QStringLiteral("MY DOCUMENTS/A.B.C/deep.doc"), "x");
    makeDir(root, QStringLiteral("EMPTY"));
}

// The listing of makeSampleDisc, in scan order.
inline QStringList sampleDiscListing()
{
    return {QStringLiteral("\\readme.txt"), QStringLiteral("\\SETUP.EXE"),
            QStringLiteral("\\DATA\\LEVEL1.DAT"),
            QStringLiteral("\\MY DOCUMENTS\\A.B.C\\deep.doc")};
}

inline QString onOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

// The enabled and visible states that record where the user stands, as one
// line: "Label2 on|Text2 on|Command3 on shown|...|drives on on".
inline QString controlState(const Form1 &form)
{
    auto button = [](const char *name, const QPushButton *b) {
        return QString::fromLatin1(name) + QLatin1Char(' ') + onOff(b->isEnabled())
            + (b->isHidden() ? QStringLiteral(" hidden") : QStringLiteral(" shown"));
    };
    QStringList parts;
    parts << QStringLiteral("Label2 ") + onOff(form.Label2->isEnabled());
    parts << QStringLiteral("Text2 ") + onOff(form.Text2->isEnabled());
    parts << button("Command3", form.Command3) << button("Command4", form.Command4)
          << button("Command2", form.Command2);
    QString drives = QStringLiteral("drives");
    for (int i = 0; i < form.List3->count(); ++i) {
        const QAction *drive = form.toolbarButton(form.List3->item(i)->text());
        drives += QLatin1Char(' ') + (drive ? onOff(drive->isEnabled()) : QStringLiteral("none"));
    }
    parts << drives;
    return parts.join(QLatin1Char('|'));
}

// The keys of the toolbar's buttons, in order.
inline QStringList toolbarKeys(const Form1 &form)
{
    QStringList keys;
    const QList<QAction *> actions = form.Toolbar1->actions();
    for (const QAction *a : actions)
        keys << a->data().toString();
    return keys;
}

} // namespace kobrix::test
