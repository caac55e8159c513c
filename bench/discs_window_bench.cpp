// The Discs window's work on a large catalog, offscreen, measured the way a
// user feels it: how long each step takes until its result is on screen, and
// the longest stretch in which the window processed no events meanwhile.
//
//   kobrix-bench-discs-window CATALOG TEXT...
//
// The catalog is loaded by the main window; then the Discs window opens over
// it from the menu, the disc list is filtered as if typed, the disc with the most
// files is chosen and its largest folders expanded and scrolled through, and
// each TEXT is searched, its hits grouped by disc. The other discs of a file
// and the files on several discs follow, and the window opened over the
// catalog file instead (read from the disk), and twenty catalogs of 50,000
// lines each added beside it. One line per step for scripts:
//   "step TAB name TAB ms TAB longest_gap_ms TAB what"

#include "catalog/CatalogFile.h"
#include "discs/Catalog.h"
#include "discs/DiscIndex.h"
#include "discs/DiscTree.h"
#include "platform/DriveSource.h"
#include "ui/common/CommonDialog.h"
#include "ui/discs/DiscListModel.h"
#include "ui/discs/DiscTreeModel.h"
#include "ui/discs/DiscsWindow.h"
#include "ui/main/Form1.h"
#include "ui/discs/LineGroupsModel.h"
#include "ui/common/MessageBox.h"
#include "ui/common/UiServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <functional>
#include <vector>

using namespace kobrix;

namespace {

class NoDrives : public DriveSource
{
public:
    QString logicalDriveStrings() override { return QString(); }
    int driveType(const QString &) override { return 0; }
};

class NoDialogs : public FileDialogBackend
{
public:
    std::optional<QString> run(QWidget *, const FileDialogRequest &) override { return {}; }
    std::optional<QStringList> runSeveral(QWidget *, const FileDialogRequest &) override
    {
        return {};
    }
};

class PrintedMessages : public MessageBoxService
{
public:
    void show(QWidget *, const QString &, const QString &text, MessageIcon) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    MessageAnswer ask(QWidget *parent, const QString &title, const QString &text, MessageIcon icon,
                      QuestionButtons buttons, MessageAnswer) override
    {
        show(parent, title, text, icon);
        return escapeAnswer(buttons);
    }
};

// Runs a step from the event loop, as a key or click would start it, and
// turns the loop until the step is done, timing the longest gap between two
// turns: a timer that fires on every turn notes when it last ran.
struct StepResult
{
    double ms = 0;
    double longestGapMs = 0;
};

StepResult runStep(const std::function<void()> &start, const std::function<bool()> &done)
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer pulse;
    pulse.setInterval(0);
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    bool started = false;
    clock.start();
    pulse.start();
    QTimer::singleShot(0, [&] {
        start();
        started = true;
    });
    while (!started || !done())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    // What the step changed is painted before it counts as done.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const qint64 end = clock.nsecsElapsed();
    pulse.stop();
    longest = std::max(longest, end - last);
    return {double(end) / 1e6, double(longest) / 1e6};
}

// what is asked for once the step is over.
void report(const char *name, const StepResult &result, const std::function<QString()> &what)
{
    std::printf("step\t%s\t%.1f\t%.1f\t%s\n", name, result.ms, result.longestGapMs,
                qPrintable(what()));
    std::fflush(stdout);
}

// The disc with the most files, and its folders with the most files
// directly inside, largest first.
qsizetype largestDisc(const DiscIndex &index)
{
    qsizetype largest = 0;
    for (qsizetype disc = 1; disc < index.count(); ++disc) {
        if (index.fileCount(disc) > index.fileCount(largest))
            largest = disc;
    }
    return largest;
}

// "FOLDER: rows of files" for each folder expanded, of all it holds.
QString shownRows(const DiscTreeModel &tree, const std::vector<QPersistentModelIndex> &folders)
{
    QStringList shown;
    for (const QPersistentModelIndex &folder : folders) {
        const qsizetype number = tree.folderAt(folder);
        shown << QStringLiteral("%1 shows %2 of %3 rows")
                     .arg(tree.tree()->folderName(number))
                     .arg(tree.rowCount(folder))
                     .arg(tree.tree()->subfolders(number).size()
                          + tree.tree()->files(number).size());
    }
    return shown.join(QStringLiteral(", "));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kobrix-bench-discs-window CATALOG TEXT...\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    PrintedMessages messages;
    NoDrives drives;
    NoDialogs dialogs;
    UiServices services;
    services.messages = &messages;
    services.drives = &drives;
    services.fileDialogs = &dialogs;

    // The main window with the catalog loaded, as the user has it before
    // opening the Discs window.
    Form1 form(services, WorkMode::SearchCatalog);
    form.show();
    form.session().catalog().setPath(path);
    form.ReadList(path, true);
    std::printf("lines\t%lld\n", static_cast<long long>(form.session().catalog().lines().count()));
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    // "Discs..." (Ctrl+D): the window opens, the discs counted and listed.
    DiscsWindow *window = nullptr;
    const StepResult opened = runStep(
        [&] {
            form.discsAction->trigger();
            window = form.discsWindow();
        },
        [&] { return window && window->isReady(); });
    if (!window) {
        std::fprintf(stderr, "the Discs window did not open\n");
        return 2;
    }
    report("open", opened,
           [&] { return QStringLiteral("%1 discs").arg(window->discListModel()->rowCount()); });
    // The controls a user would type into and look at.
    auto *filterBox = window->findChild<QLineEdit *>(QStringLiteral("filterBox"));
    auto *folderTree = window->findChild<QTreeView *>(QStringLiteral("folderTree"));
    auto *searchBox = window->findChild<QLineEdit *>(QStringLiteral("searchBox"));
    auto *duplicatesStatus = window->findChild<QLabel *>(QStringLiteral("duplicatesStatus"));

    // Filtering as typed: one letter per round of events.
    const QString typed = QStringLiteral("games 1");
    int letters = 0;
    report("filter",
           runStep(
               [&] {
                   auto *typing = new QTimer(window);
                   QObject::connect(typing, &QTimer::timeout, [&, typing] {
                       filterBox->setText(typed.left(++letters));
                       if (letters == typed.size())
                           typing->deleteLater();
                   });
                   typing->start(0);
               },
               [&] { return letters == typed.size(); }),
           [&] {
               return QStringLiteral("\"%1\" typed: %2 discs")
                   .arg(typed)
                   .arg(window->discListModel()->rowCount());
           });
    filterBox->clear();

    // The largest disc: chosen, its two largest folders expanded, then the
    // view scrolled to the bottom, batch after batch, ten times.
    const qsizetype disc = largestDisc(*window->index());
    DiscTreeModel *tree = window->treeModel();
    report(
        "choose largest disc",
        runStep([&] { window->selectDisc(disc); }, [&] { return window->currentDisc() == disc; }),
        [&] { return QStringLiteral("%1 files").arg(window->index()->fileCount(disc)); });
    std::vector<QPersistentModelIndex> expanded;
    report("expand its folders",
           runStep(
               [&] {
                   for (int row = 0; row < tree->rowCount() && expanded.size() < 2; ++row) {
                       const QModelIndex folder = tree->index(row, 0);
                       if (tree->folderAt(folder) >= 0) {
                           folderTree->expand(folder);
                           expanded.emplace_back(folder);
                       }
                   }
               },
               [] { return true; }),
           [&] { return QStringLiteral("%1 folders expanded").arg(expanded.size()); });
    int scrolls = 0;
    report("scroll through batches",
           runStep(
               [&] {
                   auto *scrolling = new QTimer(window);
                   QObject::connect(scrolling, &QTimer::timeout, [&, scrolling] {
                       QScrollBar *bar = folderTree->verticalScrollBar();
                       bar->setValue(bar->maximum());
                       if (++scrolls == 10)
                           scrolling->deleteLater();
                   });
                   scrolling->start(20);
               },
               [&] { return scrolls == 10; }),
           [&] { return shownRows(*tree, expanded); });

    // The searches, grouped by disc.
    for (int i = 2; i < argc; ++i) {
        const QString text = QString::fromLocal8Bit(argv[i]);
        bool finished = false;
        const auto connection =
            QObject::connect(window, &DiscsWindow::searchFinished, [&] { finished = true; });
        const StepResult result = runStep(
            [&] {
                searchBox->setText(text);
                window->find();
            },
            [&] { return finished; });
        QObject::disconnect(connection);
        report("search", result, [&] {
            return QStringLiteral("\"%1\": %2 hits on %3 discs")
                .arg(text)
                .arg(window->hitsModel()->totalLines())
                .arg(window->hitsModel()->rowCount());
        });
    }

    // The other discs of the largest disc's first file; the files on
    // several discs, by path and by name.
    bool shown = false;
    QObject::connect(window, &DiscsWindow::otherPlacesShown, [&] { shown = true; });
    report(
        "show on other discs",
        runStep([&] { window->showOnOtherDiscs(window->index()->lines(disc)[0]); },
                [&] { return shown; }),
        [&] { return QStringLiteral("%1 places").arg(window->otherPlacesModel()->totalLines()); });
    for (const auto key : {DiscDuplicates::Key::Path, DiscDuplicates::Key::FileName}) {
        bool found = false;
        const auto connection =
            QObject::connect(window, &DiscsWindow::duplicatesShown, [&] { found = true; });
        report(key == DiscDuplicates::Key::Path ? "several discs by path" : "several discs by name",
               runStep([&] { window->showDuplicates(key); }, [&] { return found; }),
               [&] { return duplicatesStatus->text(); });
        QObject::disconnect(connection);
    }
    window->close();
    QCoreApplication::processEvents();

    // Opening over the catalog file: read in slices, then counted (what the
    // main window does when it shows a scanned disc).
    auto fromFile = std::make_unique<DiscsWindow>(UiServices{&messages}, &form);
    fromFile->resize(1000, 700);
    report("open from file",
           runStep(
               [&] {
                   fromFile->readCatalogFile(path);
                   fromFile->show();
               },
               [&] { return fromFile->isReady(); }),
           [&] { return QStringLiteral("%1 discs").arg(fromFile->discListModel()->rowCount()); });

    // The copy of the lines shown that an addition starts with (on the
    // worker: not a step of the window).
    {
        LineStore copy;
        QElapsedTimer clock;
        clock.start();
        copy.appendStore(fromFile->lines());
        std::printf("copy_lines_ms\t%.1f\t%lld lines\n", double(clock.nsecsElapsed()) / 1e6,
                    static_cast<long long>(copy.count()));
    }

    // Twenty catalogs of 50,000 lines (ten discs of 5,000 files each, the
    // same disc names in all; every other one with Cyrillic names) added as
    // a folder beside the catalog shown.
    QTemporaryDir shelf;
    for (int c = 0; c < 20; ++c) {
        const QString file = shelf.filePath(QStringLiteral("Shelf %1.cdc").arg(c, 2, 10, QChar(u'0')));
        for (int d = 0; d < 10; ++d) {
            LineStore listing;
            for (int f = 0; f < 5000; ++f)
                listing.append((c % 2 ? QStringLiteral("\\Папка %1\\Файл %2 setup.dat")
                                      : QStringLiteral("\\Folder %1\\File %2 setup.dat"))
                                   .arg(f / 100)
                                   .arg(f));
            const QString disc = QStringLiteral("Disc %1").arg(d);
            const RuntimeError error =
                d == 0 ? writeCatalog(file, disc, listing) : appendCatalog(file, disc, listing);
            if (error) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 2;
            }
        }
    }
    bool added = false;
    QObject::connect(fromFile.get(), &DiscsWindow::catalogsAdded, [&] { added = true; });
    report("add 20 catalogs",
           runStep([&] { fromFile->addCatalogs({shelf.path()}); },
                   [&] { return added && fromFile->isReady() && !fromFile->isWorking(); }),
           [&] {
               return QStringLiteral("%1 catalogs, %2 discs, %3 lines")
                   .arg(fromFile->catalogs().size())
                   .arg(fromFile->discListModel()->rowCount())
                   .arg(fromFile->lines().count());
           });
    return 0;
}
