// Renders the program's windows in chosen states to PNG files, so that their
// look can be reviewed without clicking through the program.
//
//   kobrix-screenshots [--point-size N] [--suffix TEXT] [--language LANG]
//                      <output folder> [scene...]
//
// Without scene names every scene is rendered. --point-size renders with an
// application font of that size; --language in one of the program's
// translations ("de", "ja"; "system": the desktop's); --suffix is added to
// every file name, so that renderings at another font or scale
// (QT_SCALE_FACTOR) stand beside the plain ones. Each scene is one entry of
// the table in scenes(): a name (the file name without ".png") and a function
// that builds the window in its state. The drives, dialogs and message boxes
// are stand-ins, so no scene waits for input or touches a real drive.

#include "catalog/CatalogFile.h"
#include "catalog/DiscUpdate.h"
#include "discs/Catalog.h"
#include "platform/DriveSource.h"
#include "platform/ShellOpener.h"
#include "scan/DirectoryReader.h"
#include "scan/FileSystemReader.h"
#include "platform/DiscArrivals.h"
#include "ui/batch/DiscBatchWindow.h"
#include "ui/common/CommonDialog.h"
#include "ui/main/DiscUpdateDialog.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscTreeModel.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/discs/DiscsWindowOutput.h"
#include "ui/discs/DuplicatesModel.h"
#include "ui/discs/LineGroupsModel.h"
#include "ui/main/Form1.h"
#include "ui/main/Form2.h"
#include "ui/main/Form3.h"
#include "ui/main/Form4.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PrintPreview.h"
#include "ui/common/UiServices.h"
#include "ui/main/WorkModeSettings.h"
#include "ui/common/WindowLanguage.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeView>
#include <QTreeWidget>
#include <QTemporaryDir>
#include <QEventLoop>
#include <QTimer>
#include <QTextStream>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <thread>
#include <memory>
#include <vector>

using namespace kobrix;

namespace {

// Messages are written to the console instead of being shown.
class ConsoleMessages : public MessageBoxService
{
public:
    void show(QWidget *, const QString &title, const QString &text, MessageIcon) override
    {
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
        std::fprintf(stderr, "message [%s]: %s\n", qPrintable(title), qPrintable(shown));
    }
    // Questions are written like messages and answered as if closed.
    MessageAnswer ask(QWidget *parent, const QString &title, const QString &text, MessageIcon icon,
                      QuestionButtons buttons, MessageAnswer) override
    {
        show(parent, title, text, icon);
        return escapeAnswer(buttons);
    }
};

// Every file dialog is cancelled.
class CancellingDialogs : public FileDialogBackend
{
public:
    std::optional<QString> run(QWidget *, const FileDialogRequest &) override
    {
        return std::nullopt;
    }
    std::optional<QStringList> runSeveral(QWidget *, const FileDialogRequest &) override
    {
        return std::nullopt;
    }
};

// Every file dialog answers with one path.
class AnsweringDialogs : public FileDialogBackend
{
public:
    QString path;
    std::optional<QString> run(QWidget *, const FileDialogRequest &) override { return path; }
    std::optional<QStringList> runSeveral(QWidget *, const FileDialogRequest &) override
    {
        return QStringList{path};
    }
};

class NoShell : public ShellOpener
{
public:
    void open(const QString &) override {}
};

// Two CD-ROM drives, D and E, both holding the sample disc.
class SampleDrives : public DriveSource
{
public:
    explicit SampleDrives(QString discFolder) : m_discFolder(std::move(discFolder)) {}
    QString logicalDriveStrings() override
    {
        const QChar nul(u'\0');
        return QStringLiteral("C:\\") + nul + QStringLiteral("D:\\") + nul + QStringLiteral("E:\\")
            + nul;
    }
    int driveType(const QString &root) override
    {
        return root == QLatin1String("C:\\") ? 3 : kDriveTypeCdRom;
    }
    RuntimeError resolveRoot(const QString &, DiscLocation &disc) const override
    {
        disc = DiscLocation{DiscLocation::Kind::Folder, m_discFolder};
        return RuntimeError();
    }

private:
    QString m_discFolder;
};

void writeSampleFile(const QString &root, const QString &relative)
{
    const QString path = root + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("sample");
}

// What every scene can use: the services, a disc folder and a catalog.
struct SceneContext
{
    QTemporaryDir workFolder;
    QString outputFolder; // where the pictures go
    QString discFolder;
    QString catalogPath;
    QString musicPath; // a catalog holding the sample disc as "Games 1", between two others
    ConsoleMessages messages;
    CancellingDialogs dialogs;
    std::unique_ptr<SampleDrives> drives;
    NoShell shell;
#ifdef KOBRIX_HAVE_PRINTING
    QtPrintPreviewService printPreview; // the real one: its scenes show it
#endif

    SceneContext()
    {
        discFolder = workFolder.filePath(QStringLiteral("disc"));
        for (const char *file : {"SETUP.EXE", "AUTORUN.INF", "README.TXT", "DATA/LEVEL1.DAT",
                                 "DATA/LEVEL2.DAT", "DATA/MUSIC/TRACK01.OGG",
                                 "DATA/MUSIC/TRACK02.OGG", "MY DOCUMENTS/Letter to Anna.doc"})
            writeSampleFile(discFolder, QString::fromLatin1(file));
        drives = std::make_unique<SampleDrives>(discFolder);

        catalogPath = workFolder.filePath(QStringLiteral("Games.cdc"));
        LineStore disc1;
        for (const char *line : {"\\SETUP.EXE", "\\DATA\\LEVEL1.DAT", "\\DATA\\LEVEL2.DAT"})
            disc1.append(QString::fromLatin1(line));
        LineStore disc2;
        for (const char *line : {"\\INSTALL.EXE", "\\MAPS\\NORTH.MAP", "\\MAPS\\SOUTH.MAP"})
            disc2.append(QString::fromLatin1(line));
        writeCatalog(catalogPath, u"Games 1", disc1);
        appendCatalog(catalogPath, u"Games 2", disc2);

        musicPath = workFolder.filePath(QStringLiteral("Music.cdc"));
        writeCatalog(musicPath, u"Music 1", disc2);
        appendCatalog(musicPath, u"Games 1", sampleListing());
        appendCatalog(musicPath, u"Photos, 2002", disc1);
    }

    // The sample disc's files as a scan lists them.
    static LineStore sampleListing()
    {
        LineStore listing;
        for (const char *line : {"\\AUTORUN.INF", "\\README.TXT", "\\SETUP.EXE",
                                 "\\DATA\\LEVEL1.DAT", "\\DATA\\LEVEL2.DAT",
                                 "\\MY DOCUMENTS\\Letter to Anna.doc",
                                 "\\DATA\\MUSIC\\TRACK01.OGG", "\\DATA\\MUSIC\\TRACK02.OGG"})
            listing.append(QString::fromLatin1(line));
        return listing;
    }

    UiServices services()
    {
        UiServices s;
        s.messages = &messages;
        s.fileDialogs = &dialogs;
        s.drives = drives.get();
        s.shell = &shell;
#ifdef KOBRIX_HAVE_PRINTING
        s.printPreview = &printPreview;
#endif
        return s;
    }
};

// A catalog of several discs as a collection gives them: games sharing an
// installer, two years of photos with the same album names, music, a
// backup and drivers.
const Catalog &discsSampleCatalog()
{
    static Catalog catalog;
    if (!catalog.lines().isEmpty())
        return catalog;
    QStringList lines;
    const auto add = [&](const QString &disc, const QStringList &paths) {
        for (const QString &path : paths)
            lines << disc + QStringLiteral(" - ") + path;
    };
    QStringList games1{"\\SETUP.EXE", "\\AUTORUN.INF", "\\README.TXT"};
    for (int i = 1; i <= 5; ++i)
        games1 << QStringLiteral("\\DATA\\LEVEL%1.DAT").arg(i);
    for (int i = 1; i <= 4; ++i)
        games1 << QStringLiteral("\\DATA\\MUSIC\\TRACK%1.OGG").arg(i, 2, 10, QLatin1Char('0'));
    games1 << "\\DATA\\MAPS\\NORTH.MAP" << "\\DATA\\MAPS\\SOUTH.MAP"
           << "\\MANUAL\\MANUAL.PDF" << "\\DIRECTX\\DXSETUP.EXE";
    add(QStringLiteral("Games 1"), games1);
    add(QStringLiteral("Games 2"),
        {"\\SETUP.EXE", "\\AUTORUN.INF", "\\README.TXT", "\\DATA\\LEVEL1.DAT",
         "\\DATA\\LEVEL2.DAT", "\\DATA\\LEVEL3.DAT", "\\DIRECTX\\DXSETUP.EXE"});
    QStringList photos2002{"\\README.TXT"};
    for (int i = 1; i <= 8; ++i)
        photos2002 << QStringLiteral("\\ALBUM\\Holiday\\IMG_%1.JPG").arg(i, 4, 10, QLatin1Char('0'));
    for (int i = 101; i <= 104; ++i)
        photos2002 << QStringLiteral("\\ALBUM\\Birthday\\IMG_%1.JPG").arg(i, 4, 10, QLatin1Char('0'));
    add(QStringLiteral("Photos - 2002"), photos2002);
    QStringList photos2003{"\\Thumbs.db"};
    for (int i = 1; i <= 4; ++i)
        photos2003 << QStringLiteral("\\ALBUM\\Holiday\\IMG_%1.JPG").arg(i, 4, 10, QLatin1Char('0'));
    add(QStringLiteral("Photos - 2003"), photos2003);
    add(QStringLiteral("Music 1"),
        {"\\Miles Davis\\Kind of Blue\\01 So What.mp3",
         "\\Miles Davis\\Kind of Blue\\02 Freddie Freeloader.mp3",
         "\\Miles Davis\\Kind of Blue\\03 Blue in Green.mp3",
         "\\Dvořák\\Symphony No. 9\\01 Adagio.mp3", "\\README.TXT"});
    add(QStringLiteral("Backup 2004"),
        {"\\My Documents\\Letter to Anna.doc", "\\My Documents\\Taxes 2003.xls",
         "\\Games\\Saves\\LEVEL1.DAT", "\\Games\\Saves\\LEVEL2.DAT", "\\README.TXT"});
    QStringList drivers{"\\SETUP.EXE", "\\README.TXT"};
    for (int i = 1; i <= 6; ++i)
        drivers << QStringLiteral("\\WIN98\\DRV%1.SYS").arg(i, 4, 10, QLatin1Char('0'));
    add(QStringLiteral("Drivers"), drivers);
    for (const QString &line : std::as_const(lines))
        catalog.lines().append(line);
    catalog.setContent(Catalog::Content::CatalogLines);
    return catalog;
}

// Runs the events for a while, in a loop of its own that a timer ends.
void runEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the events until done or the limit has passed.
void waitUntil(const std::function<bool()> &done, int limitMilliseconds = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limitMilliseconds)
        runEvents(20);
}

// A control of a window, found by its object name.
template <typename Control>
Control *part(QWidget &window, const char *name)
{
    return window.findChild<Control *>(QLatin1String(name));
}

// The Discs window over the sample catalog, its discs counted.
std::unique_ptr<DiscsWindow> discsWindow(SceneContext &c)
{
    auto window = std::make_unique<DiscsWindow>(c.services());
    window->showCatalog(discsSampleCatalog(), QStringLiteral("Games.cdc"));
    waitUntil([&] { return window->isReady(); });
    return window;
}

// Every folder of a view's tree opened.
void expandEverything(QTreeView *view)
{
    view->expandAll();
}

// The main window as the start dialog leaves it for each work mode.
std::unique_ptr<Form1> mainWindowAtStart(SceneContext &context, WorkMode mode)
{
    auto form = std::make_unique<Form1>(context.services(), mode);
    if (mode == WorkMode::NewCatalog) {
        form->session().catalog().setPath(QStringLiteral("Music"));
    } else {
        form->session().catalog().setPath(context.catalogPath);
        form->ReadList(context.catalogPath, true);
    }
    applyStartSettings(*form, mode);
    return form;
}

#ifdef KOBRIX_HAVE_PRINTING
// Chooses the disc rows given (none: the disc shown is printed), asks the
// window to print them on paper, and grabs the print preview once it has
// painted its pages, then closes it.
void previewOf(DiscsWindow *window, const QList<int> &rows, ListingPaper paper,
               const std::function<void(QWidget *)> &grab)
{
    QItemSelection chosen;
    for (const int row : rows)
        chosen.select(window->discListModel()->index(row, 0),
                      window->discListModel()->index(row, 1));
    part<QTreeView>(*window, "discList")
        ->selectionModel()
        ->select(chosen, QItemSelectionModel::ClearAndSelect);
    QTimer::singleShot(1500, window, [grab] {
        if (QWidget *preview = QApplication::activeModalWidget()) {
            grab(preview);
            preview->close();
        }
    });
    const char *action = paper == ListingPaper::CdBooklet ? "printBooklet"
                         : paper == ListingPaper::Letter  ? "printLetter"
                                                          : "printA4";
    part<QAction>(*window, action)->trigger();
}
#endif

// A drive the discs of the run of discs go into by hand: no tray opens.
class ScreenshotDrive : public DiscArrivals
{
public:
    bool watch(const QString &, QString *) override { return true; }
    void stopWatching() override {}
    RuntimeError eject(const QString &) override { return RuntimeError(); }
    void insert(const DiscLocation &disc) { Q_EMIT discArrived(QStringLiteral("D:\\"), disc); }
};

// The five discs of the run, made once: two new ones, the first again, the
// first with files added and removed, and one that cannot be read. Disc
// images where xorriso is installed (they have labels), folders otherwise.
QList<DiscLocation> batchDiscs(SceneContext &c)
{
    static QList<DiscLocation> discs;
    if (!discs.isEmpty())
        return discs;
    const QString root = c.workFolder.filePath(QStringLiteral("batch"));
    const auto folder = [&](const QString &name) { return root + QLatin1Char('/') + name; };
    for (int i = 1; i <= 24; ++i) {
        writeSampleFile(folder(QStringLiteral("games")), QStringLiteral("DATA/LEVEL%1.DAT").arg(i));
        if (i != 5)
            writeSampleFile(folder(QStringLiteral("games2")),
                            QStringLiteral("DATA/LEVEL%1.DAT").arg(i));
    }
    for (const char *file : {"SETUP.EXE", "README.TXT"}) {
        writeSampleFile(folder(QStringLiteral("games")), QString::fromLatin1(file));
        writeSampleFile(folder(QStringLiteral("games2")), QString::fromLatin1(file));
    }
    writeSampleFile(folder(QStringLiteral("games2")), QStringLiteral("PATCH/PATCH1.EXE"));
    writeSampleFile(folder(QStringLiteral("games2")), QStringLiteral("PATCH/NOTES.TXT"));
    for (int i = 1; i <= 9; ++i)
        writeSampleFile(folder(QStringLiteral("photos")),
                        QStringLiteral("2005/IMG_%1.JPG").arg(i, 4, 10, QLatin1Char('0')));
    const QString xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
    const auto disc = [&](const QString &key, const QString &label) {
        if (xorriso.isEmpty())
            return DiscLocation{DiscLocation::Kind::Folder, folder(key)};
        const QString image = folder(key) + QStringLiteral(".iso");
        QProcess::execute(xorriso, {QStringLiteral("-as"), QStringLiteral("mkisofs"),
                                    QStringLiteral("-quiet"), QStringLiteral("-V"), label,
                                    QStringLiteral("-J"), QStringLiteral("-R"),
                                    QStringLiteral("-o"), image, folder(key)});
        return DiscLocation{DiscLocation::Kind::Device, image};
    };
    writeSampleFile(root, QStringLiteral("scratched.iso"));
    discs = {disc(QStringLiteral("games"), QStringLiteral("GAMES_2005")),
             disc(QStringLiteral("photos"), QStringLiteral("DCIM")),
             disc(QStringLiteral("games"), QStringLiteral("GAMES_2005")),
             disc(QStringLiteral("games2"), QStringLiteral("GAMES_2005")),
             DiscLocation{DiscLocation::Kind::Device, root + QStringLiteral("/scratched.iso")}};
    return discs;
}

// The window of a run of discs, the first `steps` steps of the run done:
// 1 waiting, 2 the first disc's label proposed, 3 three discs done (the
// second named by hand, the third known), 4 the changed disc shown, 5 all
// five done, 6 stopped.
std::unique_ptr<QWidget> discBatchAt(SceneContext &c, int steps)
{
    static ScreenshotDrive drive;
    UiServices services = c.services();
    services.discArrivals = &drive;
    const QString catalog = c.workFolder.filePath(QStringLiteral("Shelf %1.cdc").arg(steps));
    QFile::remove(catalog);
    const QList<DiscLocation> discs = batchDiscs(c);
    auto window = std::make_unique<DiscBatchWindow>(services, catalog,
                                                    QStringList{QStringLiteral("D:\\")});
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setNameWait(std::chrono::hours(1)); // the proposal stays until the picture is taken
    window->start();
    DiscBatch *batch = window->batch();
    const auto done = [&](int rows) {
        waitUntil([&] {
            return window->discList->topLevelItemCount() == rows
                && batch->state() == DiscBatch::State::Waiting;
        });
    };
    const auto asking = [&] {
        waitUntil([&] { return batch->state() == DiscBatch::State::Asking; });
    };
    if (steps >= 2) {
        drive.insert(discs[0]);
        asking();
    }
    if (steps >= 3) {
        batch->giveName(QString()); // the label, as when the wait ends
        done(1);
        drive.insert(discs[1]);
        asking();
        window->nameBox->setText(QStringLiteral("Holiday Photos 2005"));
        window->addButton->click();
        done(2);
        drive.insert(discs[2]);
        done(3);
    }
    if (steps >= 4) {
        drive.insert(discs[3]);
        asking();
    }
    if (steps >= 5) {
        window->updateButton->click();
        done(4);
        drive.insert(discs[4]);
        done(5);
    }
    if (steps >= 6) {
        window->stopButton->click();
        QFile::remove(c.outputFolder + QStringLiteral("/discbatch.cdc"));
        QFile::copy(catalog, c.outputFolder + QStringLiteral("/discbatch.cdc"));
    }
    return window;
}

struct Scene
{
    QString name;
    std::function<std::unique_ptr<QWidget>(SceneContext &)> build;
    // For scenes of work in progress: starts the work on the shown window and
    // calls grab() while it runs, with the window to grab (nullptr: the
    // scene's own, or a dialog it opened). Without it the window is grabbed
    // at rest.
    std::function<void(QWidget *, SceneContext &, const std::function<void(QWidget *)> &grab)>
        during = {};
};

// A folder reader that takes its time, so a scan can be seen in progress.
class SlowFolderReader : public FileSystemReader
{
public:
    RuntimeError read(const QByteArray &path, bool isRoot, DirectoryListing &listing) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
        return FileSystemReader::read(path, isRoot, listing);
    }
};

const std::vector<Scene> &scenes()
{
    static const std::vector<Scene> table{
        {QStringLiteral("discbatch-1-waiting"), [](SceneContext &c) { return discBatchAt(c, 1); }},
        {QStringLiteral("discbatch-2-label-proposed"),
         [](SceneContext &c) { return discBatchAt(c, 2); }},
        {QStringLiteral("discbatch-3-known"), [](SceneContext &c) { return discBatchAt(c, 3); }},
        {QStringLiteral("discbatch-4-changed"), [](SceneContext &c) { return discBatchAt(c, 4); }},
        {QStringLiteral("discbatch-5-unreadable"),
         [](SceneContext &c) { return discBatchAt(c, 5); }},
        {QStringLiteral("discbatch-6-stopped"), [](SceneContext &c) { return discBatchAt(c, 6); }},
        {QStringLiteral("form1-start-newcatalog"),
         [](SceneContext &c) { return mainWindowAtStart(c, WorkMode::NewCatalog); }},
        {QStringLiteral("form1-start-searchcatalog"),
         [](SceneContext &c) { return mainWindowAtStart(c, WorkMode::SearchCatalog); }},
        {QStringLiteral("form1-start-adddisc"),
         [](SceneContext &c) { return mainWindowAtStart(c, WorkMode::AddDisc); }},
        {QStringLiteral("form2-start"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // The start dialog as the program opens with it; OK is not pressed.
             return std::make_unique<Form2>(c.messages,
                                            [](WorkMode) { return PreparedMainWindow(); });
         }},
        {QStringLiteral("form3-results"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // The search window over the sample catalog after Find "games".
             static Catalog catalog;
             readCatalog(c.catalogPath, catalog.lines(), ExistingLines::Clear);
             auto form = std::make_unique<Form3>(catalog, c.messages);
             form->Text1->setText(QStringLiteral("games"));
             form->find();
             form->finishSearch();
             return form;
         }},
        {QStringLiteral("form4-about"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             return std::make_unique<Form4>(c.shell);
         }},
        {QStringLiteral("form1-file-menu"),
         [](SceneContext &c) { return mainWindowAtStart(c, WorkMode::SearchCatalog); },
         [](QWidget *window, SceneContext &, const std::function<void(QWidget *)> &grab) {
             // The File menu opened, its items and their mnemonics.
             auto *form = static_cast<Form1 *>(window);
             QMenu *menu = form->mnuFile->menu();
             menu->popup(form->mapToGlobal(QPoint(0, form->menuBar()->height())));
             runEvents(300);
             grab(menu);
             menu->close();
         }},
        {QStringLiteral("form1-scan-in-progress"),
         [](SceneContext &c) {
             auto form = mainWindowAtStart(c, WorkMode::NewCatalog);
             static SlowFolderReader slow;
             form->session().setDirectoryReader(&slow);
             return form;
         },
         [](QWidget *window, SceneContext &c, const std::function<void(QWidget *)> &grab) {
             // A large folder scanned slowly; grabbed part-way, then cancelled.
             const QString tree = c.workFolder.filePath(QStringLiteral("big"));
             for (int d = 0; d < 400; ++d)
                 for (int f = 0; f < 25; ++f)
                     writeSampleFile(tree, QStringLiteral("FOLDER%1/FILE%2.DAT").arg(d).arg(f));
             auto *form = static_cast<Form1 *>(window);
             QTimer::singleShot(700, form, [form, grab] {
                 grab(nullptr);
                 form->cancelScan();
             });
             form->scanFolder(tree);
         }},
        {QStringLiteral("form1-after-scan"),
         [](SceneContext &c) {
             auto form = mainWindowAtStart(c, WorkMode::NewCatalog);
             form->ScanDrive(QStringLiteral("D:\\"));
             form->Text2->setText(QStringLiteral("Games 1"));
             return form;
         }},
        {QStringLiteral("form1-disc-notice"),
         [](SceneContext &c) {
             // Adding a disc to Music.cdc: after "Scan New CD" the disc in
             // the drive turns out to be in the catalog already.
             auto form = std::make_unique<Form1>(c.services(), WorkMode::AddDisc);
             form->session().catalog().setPath(c.musicPath);
             form->ReadList(c.musicPath, true);
             applyStartSettings(*form, WorkMode::AddDisc);
             form->Command2->click();
             form->ScanDrive(QStringLiteral("D:\\"));
             waitUntil([&form] { return !form->session().isRecognising(); }, 10000);
             return form;
         }},
        {QStringLiteral("discupdate-confirm"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // The disc changed since it was catalogued: two files gone, one new.
             const QString path = c.workFolder.filePath(QStringLiteral("Changed.cdc"));
             LineStore old = SceneContext::sampleListing();
             LineStore before;
             for (qsizetype i = 0; i < old.count(); ++i) {
                 if (i != 2)
                     before.append(old.at(i));
             }
             before.append(QStringLiteral("\\INSTALL.OLD"));
             before.append(QStringLiteral("\\DATA\\LEVEL0.DAT"));
             writeCatalog(path, u"Games 1", before);
             static LineStore listing;
             listing = SceneContext::sampleListing();
             DiscUpdate update(path, QStringLiteral("Games 1"), listing);
             update.prepare();
             return std::make_unique<DiscUpdateDialog>(DiscUpdateSummary::of(update));
         }},
        {QStringLiteral("discs-list"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // The discs with their file counts and the totals; the first
             // disc's folders beside them.
             return discsWindow(c);
         }},
        {QStringLiteral("discs-tree"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // A disc's folders opened, a file chosen.
             auto window = discsWindow(c);
             window->selectDisc(0);
             expandEverything(part<QTreeView>(*window, "folderTree"));
             window->revealLine(8);
             return window;
         }},
        {QStringLiteral("discs-search"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // The hits of "level" grouped by disc, the first two discs open.
             auto window = discsWindow(c);
             part<QTabWidget>(*window, "views")->setCurrentIndex(1);
             part<QLineEdit>(*window, "searchBox")->setText(QStringLiteral("level"));
             window->find();
             waitUntil([&] { return !window->isWorking(); });
             for (int group = 0; group < 2; ++group)
                 part<QTreeView>(*window, "searchResults")
                     ->expand(window->hitsModel()->index(group, 0));
             return window;
         }},
        {QStringLiteral("discs-other-discs"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // Where else \DATA\LEVEL1.DAT of Games 1 stands.
             auto window = discsWindow(c);
             window->showOnOtherDiscs(3);
             waitUntil([&] { return !window->isWorking(); });
             return window;
         }},
        {QStringLiteral("discs-several"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // The file names on more than one disc, the first ones opened.
             auto window = discsWindow(c);
             window->showDuplicates(DiscDuplicates::Key::FileName);
             waitUntil([&] { return !window->isWorking(); });
             for (int entry = 0; entry < 3; ++entry)
                 part<QTreeView>(*window, "duplicatesView")
                     ->expand(window->duplicatesModel()->index(entry, 0));
             return window;
         }},
        {QStringLiteral("discs-export-done"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // Two discs chosen and exported as a PDF: the window says where
             // it went.
             static AnsweringDialogs answer;
             answer.path = c.workFolder.filePath(QStringLiteral("Games.pdf"));
             UiServices services = c.services();
             services.fileDialogs = &answer;
             auto window = std::make_unique<DiscsWindow>(services);
             window->showCatalog(discsSampleCatalog(), QStringLiteral("Games.cdc"));
             waitUntil([&] { return window->isReady(); });
             QItemSelection chosen;
             for (const int row : {0, 4})
                 chosen.select(window->discListModel()->index(row, 0),
                               window->discListModel()->index(row, 1));
             part<QTreeView>(*window, "discList")->selectionModel()->select(chosen,
                                                        QItemSelectionModel::ClearAndSelect);
             window->output()->exportScope(DiscsWindowOutput::Scope::SelectedDiscs);
             waitUntil([&] { return !window->output()->isExporting(); });
             return window;
         }},
#ifdef KOBRIX_HAVE_PRINTING
        {QStringLiteral("discs-print-booklet"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> { return discsWindow(c); },
         [](QWidget *window, SceneContext &, const std::function<void(QWidget *)> &grab) {
             // "Print..." > "As a CD Case Booklet..." for the disc shown,
             // Games 1: Qt's print preview.
             previewOf(static_cast<DiscsWindow *>(window), {}, ListingPaper::CdBooklet, grab);
         }},
        {QStringLiteral("discs-print-a4"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> { return discsWindow(c); },
         [](QWidget *window, SceneContext &, const std::function<void(QWidget *)> &grab) {
             // Two discs chosen, printed on A4.
             previewOf(static_cast<DiscsWindow *>(window), {0, 4}, ListingPaper::A4, grab);
         }},
#endif
        {QStringLiteral("discs-catalogs"),
         [](SceneContext &c) -> std::unique_ptr<QWidget> {
             // Three catalogs in the window, the hits of "setup" grouped by
             // disc across them: the same disc name in two catalogs stays
             // two discs.
             const auto listing = [](std::initializer_list<const char *> paths) {
                 LineStore lines;
                 for (const char *path : paths)
                     lines.append(QString::fromUtf8(path));
                 return lines;
             };
             const QString shelf2 = c.workFolder.filePath(QStringLiteral("Shelf 2.cdc"));
             writeCatalog(shelf2, u"Games 1",
                          listing({"\\SETUP.EXE", "\\GAME.EXE", "\\DATA\\LEVEL1.DAT"}));
             appendCatalog(shelf2, u"Диск 1",
                           listing({"\\Музыка\\Ёлка.mp3", "\\setup.ini"}));
             const QString shelf3 = c.workFolder.filePath(QStringLiteral("本棚 3.cdc"));
             writeCatalog(shelf3, u"写真 2005",
                          listing({"\\アルバム\\IMG_0001.JPG", "\\Setup\\setup.exe"}));
             appendCatalog(shelf3, u"Drivers",
                           listing({"\\SETUP.EXE", "\\WIN2000\\DRV0001.SYS"}));
             auto window = discsWindow(c);
             window->addCatalogs({shelf2, shelf3});
             waitUntil([&] { return window->catalogs().size() == 3 && !window->isWorking(); });
             part<QTabWidget>(*window, "views")->setCurrentIndex(1);
             part<QLineEdit>(*window, "searchBox")->setText(QStringLiteral("setup"));
             window->find();
             waitUntil([&] { return !window->isWorking(); });
             for (int group = 0; group < window->hitsModel()->rowCount(); ++group)
                 part<QTreeView>(*window, "searchResults")
                     ->expand(window->hitsModel()->index(group, 0));
             window->resize(1000, 600);
             return window;
         }},
    };
    return table;
}

// Lets the window system settle: shown, laid out and painted.
void settle(int milliseconds)
{
    runEvents(milliseconds);
}

bool render(const Scene &scene, SceneContext &context, const QDir &output, const QString &suffix)
{
    std::unique_ptr<QWidget> window = scene.build(context);
    window->show();
    settle(300);
    const QString path = output.filePath(scene.name + suffix + QStringLiteral(".png"));
    bool saved = false;
    const auto grab = [&](QWidget *shown) {
        saved = (shown ? shown : window.get())->grab().save(path);
    };
    if (scene.during)
        scene.during(window.get(), context, grab);
    else
        grab(nullptr);
    std::fprintf(stderr, "%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    window->close();
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString suffix;
    WindowLanguage language;
    while (args.size() >= 2 && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        const QString value = args.takeFirst();
        if (option == QLatin1String("--suffix")) {
            suffix = value;
        } else if (option == QLatin1String("--point-size") && value.toInt() > 0) {
            QFont font = QApplication::font();
            font.setPointSize(value.toInt());
            QApplication::setFont(font);
        } else if (option == QLatin1String("--language")) {
            if (value == QLatin1String("system")) {
                useSystemLanguage(app);
            } else if (!language.install(value, WindowLanguage::programFolders())) {
                std::fprintf(stderr, "no translation %s\n", qPrintable(value));
                return 2;
            }
        } else {
            std::fprintf(stderr, "unknown option %s %s\n", qPrintable(option), qPrintable(value));
            return 2;
        }
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: kobrix-screenshots [--point-size N] [--suffix TEXT] "
                             "[--language LANG] <output folder> [scene...]\nscenes:\n");
        for (const Scene &scene : scenes())
            std::fprintf(stderr, "  %s\n", qPrintable(scene.name));
        return 2;
    }
    const QDir output(args.first());
    if (!QDir().mkpath(output.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(output.path()));
        return 1;
    }
    const QStringList wanted = args.mid(1);

    SceneContext context;
    context.outputFolder = output.path();
    int failures = 0;
    int rendered = 0;
    for (const Scene &scene : scenes()) {
        if (!wanted.isEmpty() && !wanted.contains(scene.name))
            continue;
        ++rendered;
        if (!render(scene, context, output, suffix))
            ++failures;
    }
    if (rendered == 0) {
        std::fprintf(stderr, "no scene matches\n");
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
