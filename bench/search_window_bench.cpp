// Searches a catalog in the search window, offscreen, and reports how long it
// takes until every result is listed and the longest stretch in which no
// events were processed.
//
//   kobrix-bench-search-window [lines]
//       a built-in catalog of 1,000,000 lines (or lines), four searches
//   kobrix-bench-search-window --catalog FILE TEXT...
//       the catalog FILE, loaded as the main window loads it, searched for
//       each TEXT; one line per text for scripts:
//       "find TAB text TAB found TAB find_ms TAB listed_ms TAB longest_gap_ms"

#include "catalog/CatalogFile.h"
#include "discs/Catalog.h"
#include "core/LineStore.h"
#include "ui/main/Form3.h"
#include "ui/common/MessageBox.h"
#include "ui/discs/SearchResultModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include "ui/common/LineListView.h"
#include <QTimer>

#include <cstdio>
#include <random>

using namespace kobrix;

namespace {

class SilentMessages : public MessageBoxService
{
public:
    void show(QWidget *, const QString &, const QString &text, MessageIcon) override
    {
        std::printf("  message: %s\n", qPrintable(text));
    }
    MessageAnswer ask(QWidget *parent, const QString &title, const QString &text, MessageIcon icon,
                      QuestionButtons buttons, MessageAnswer) override
    {
        show(parent, title, text, icon);
        return escapeAnswer(buttons);
    }
};

// Catalog lines as a collection of discs gives them: a disc name, " - ",
// then a path of a few folders and a file. Fixed seed, same lines each run.
// Every 100,000th line holds the rare file name; one line in fifty has
// letters outside ASCII.
void fillCatalog(LineStore &store, qsizetype count)
{
    static const char *const discs[] = {"Games ", "Photos, 200", "Music ", "Backup ",
                                        "Drivers ", "Work "};
    static const char *const folders[] = {"DATA", "Program Files", "IMAGES", "setup", "Docs",
                                          "LEVELS", "Sounds", "2002", "Holiday", "src",
                                          "include", "Fonts", "Videos", "TEMP"};
    static const char *const stems[] = {"readme", "IMG_", "track", "level", "install",
                                        "chapter", "song", "report", "index", "data"};
    static const char *const exts[] = {".txt", ".JPG", ".mp3", ".dat", ".EXE", ".dll",
                                       ".htm", ".doc", ".cab", ".ini"};
    static const char *const foreign[] = {"Müller", "Café", "Ärger", "Straße", "Niño"};
    std::mt19937 random(20020);
    store.reserve(std::size_t(count) * 60, std::size_t(count));
    QString line;
    for (qsizetype i = 0; i < count; ++i) {
        line.clear();
        line += QLatin1String(discs[random() % 6]) + QString::number(1 + i / 20000);
        line += QLatin1String(" - ");
        const int depth = int(random() % 4);
        for (int d = 0; d < depth; ++d)
            line += QLatin1Char('\\') + QLatin1String(folders[random() % 14]);
        line += QLatin1Char('\\');
        if (i % 100000 == 4711)
            line += QLatin1String("Invoices_1999.xls");
        else if (random() % 50 == 0)
            line += QString::fromUtf8(foreign[random() % 5]) + QString::number(random() % 1000)
                + QLatin1String(exts[random() % 10]);
        else
            line += QLatin1String(stems[random() % 10]) + QString::number(random() % 10000)
                + QLatin1String(exts[random() % 10]);
        store.append(line);
    }
}

struct Figures
{
    double searchedMs = 0; // from the click until Find is done
    double listedMs = 0;   // from the click until the view can show the last row
    double longestGapMs = 0; // longest stretch without processed events
    qsizetype found = 0;
};

Figures runFind(Form3 &form, const QString &text)
{
    form.Text1->setText(text);
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    ticker.start(1);

    clock.start();
    // The search runs in slices between rounds of events until it is over.
    QEventLoop searching;
    QObject::connect(&form, &Form3::searchFinished, &searching, &QEventLoop::quit);
    form.find();
    if (form.isSearching())
        searching.exec();
    const qint64 searched = clock.nsecsElapsed();
    // The view lays the rows out in batches while events are processed; the
    // results are listed once the last row can be scrolled into view.
    const QModelIndex last = form.List1->model()->index(form.List1->model()->rowCount() - 1, 0);
    do {
        form.List1->scrollTo(last);
        QCoreApplication::processEvents();
    } while (last.isValid()
             && !form.List1->viewport()->rect().intersects(form.List1->visualRect(last)));
    const qint64 end = clock.nsecsElapsed();
    longestGap = std::max(longestGap, end - lastTick);
    ticker.stop();

    Figures figures;
    figures.searchedMs = double(searched) / 1e6;
    figures.listedMs = double(end) / 1e6;
    figures.longestGapMs = double(longestGap) / 1e6;
    figures.found = form.results()->count();
    return figures;
}

// Loads FILE and runs Find for each text.
int searchCatalogFile(const QString &path, const QStringList &texts)
{
    Catalog document;
    LineStore &catalog = document.lines();
    QElapsedTimer loadClock;
    loadClock.start();
    if (const RuntimeError error = readCatalog(path, catalog, ExistingLines::Clear)) {
        std::fprintf(stderr, "Error Reading file: %s\n", qPrintable(error.numberAndDescription()));
        return 2;
    }
    std::printf("catalog: %lld lines, %.1f MB of text, loaded in %lld ms\n",
                static_cast<long long>(catalog.count()), double(catalog.byteSize()) / 1e6,
                static_cast<long long>(loadClock.elapsed()));

    SilentMessages messages;
    Form3 form(document, messages);
    form.show();
    QCoreApplication::processEvents();
    for (const QString &text : texts) {
        const Figures figures = runFind(form, text);
        // Tab-separated: the text may hold blanks.
        std::printf("find\t%s\t%lld\t%.1f\t%.1f\t%.1f\n", qPrintable(text),
                    static_cast<long long>(figures.found), figures.searchedMs, figures.listedMs,
                    figures.longestGapMs);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() > 1 && arguments[1] == QLatin1String("--catalog")) {
        if (arguments.size() < 4) {
            std::fputs("usage: kobrix-bench-search-window --catalog FILE TEXT...\n", stderr);
            return 2;
        }
        return searchCatalogFile(arguments[2], arguments.mid(3));
    }
    const qsizetype lineCount = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;

    Catalog document;
    LineStore &catalog = document.lines();
    QElapsedTimer fillClock;
    fillClock.start();
    fillCatalog(catalog, lineCount);
    std::printf("catalog: %lld lines, %.1f MB of text, built in %lld ms\n",
                static_cast<long long>(catalog.count()), double(catalog.byteSize()) / 1e6,
                static_cast<long long>(fillClock.elapsed()));

    SilentMessages messages;
    Form3 form(document, messages);
    form.show();
    QCoreApplication::processEvents();

    const struct { const char *label; QString text; } runs[] = {
        {"rare text", QStringLiteral("invoices_1999")},
        {"every line", QStringLiteral("-")},
        {"rare text again", QStringLiteral("invoices_1999")},
        {"non-ASCII text", QString::fromUtf8("MÜLLER")},
    };
    for (const auto &run : runs) {
        const Figures figures = runFind(form, run.text);
        std::printf("%-16s \"%s\": %lld found, Find done after %.1f ms, all listed after "
                    "%.1f ms, longest gap between processed events %.1f ms\n",
                    run.label, qPrintable(run.text), static_cast<long long>(figures.found),
                    figures.searchedMs, figures.listedMs, figures.longestGapMs);
    }
    return 0;
}
