// "Export..." and "Print..." of the Discs window: what each scope writes in
// each format, read back (CSV parsed, HTML sections, PDF text by pdftotext),
// when the scopes can be chosen, a target that cannot be written, stopping
// an export, and the printed pages on each paper.

#include "DiscsWindowTestSupport.h"

#include "ui/discs/DiscsWindowOutput.h"
#include "ui/common/PrintPreview.h"

#include <QElapsedTimer>
#ifdef KOBRIX_HAVE_PRINTING
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#endif
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocumentFragment>

using namespace kobrix;
using namespace kobrix::test;

namespace {

using Scope = DiscsWindowOutput::Scope;

// Names with accents, Cyrillic, Japanese, commas and quotes; a line made
// by hand.
QStringList outputCatalog()
{
    return {
        QStringLiteral("Café, \"Été\" - \\Musique\\Déjà vu.mp3"), // 0
        QStringLiteral("Café, \"Été\" - \\Musique\\Ça va.mp3"),   // 1
        QStringLiteral("Café, \"Été\" - \\README.TXT"),           // 2
        QStringLiteral("Диск 1 - \\Документы\\Письмо.doc"),       // 3
        QStringLiteral("Диск 1 - \\LEVEL1.DAT"),                  // 4
        QStringLiteral("日本語ディスク - \\写真\\富士山.jpg"),    // 5
        QStringLiteral("日本語ディスク - \\LEVEL2.DAT"),          // 6
        QStringLiteral("Games, 1 - \\DATA\\LEVEL3.DAT"),          // 7
        QStringLiteral("Games, 1 - \\SETUP.EXE"),                 // 8
        QStringLiteral("notes, made \"by hand\""),                // 9
    };
}

// count lines on discs of 20,000 lines each.
QStringList bigCatalog(int count)
{
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Disc %1 - \\DATA\\SUB%2\\FILE%3.DAT").arg(i / 20000).arg(i / 50).arg(i);
    return lines;
}

// A catalog line as an export row: disc, folder, file.
QStringList rowOf(const QString &line)
{
    const qsizetype separator = line.indexOf(QLatin1String(" - \\"));
    if (separator < 0)
        return {QString(), QString(), line};
    const QString path = line.mid(separator + 3);
    const qsizetype slash = path.lastIndexOf(u'\\');
    return {line.left(separator), path.left(slash + 1), path.mid(slash + 1)};
}

QList<QStringList> rowsOfLines(const QList<int> &lines)
{
    const QStringList catalog = outputCatalog();
    QList<QStringList> rows;
    for (const int line : lines)
        rows << rowOf(catalog[line]);
    return rows;
}

// RFC 4180 read back: rows of fields, the header row included.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row << field;
            field.clear();
            rows << row;
            row.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

QString unescapeHtml(const QString &html)
{
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

// Each section's heading, and the rows of all sections as disc, folder, file.
QStringList htmlSections(const QByteArray &bytes, QList<QStringList> &rows)
{
    const QString page = QString::fromUtf8(bytes);
    QStringList headings;
    const QRegularExpression section(
        QStringLiteral("<section id=\"d\\d+\"[^>]*><h2>(.*?)</h2>(.*?)</section>"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression row(QStringLiteral("<tr><td>(.*?)<td>(.*?)</tr>"));
    for (auto it = section.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString heading = unescapeHtml(m.captured(1));
        headings << heading;
        const QString disc = m.captured(0).contains(QLatin1String("class=\"l\"")) ? QString()
                                                                                  : heading;
        for (auto r = row.globalMatch(m.captured(2)); r.hasNext();) {
            const QRegularExpressionMatch cells = r.next();
            rows << QStringList{disc, unescapeHtml(cells.captured(1)),
                                unescapeHtml(cells.captured(2))};
        }
    }
    return headings;
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool haveTool(const char *tool)
{
    return !QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty();
}

QString pdfText(const QString &path, int page = 0)
{
    QStringList args{QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    return run(QStringLiteral("pdftotext"), args << path << QStringLiteral("-"))
        .normalized(QString::NormalizationForm_C);
}

// "Page size:" and "Pages:" of pdfinfo.
QString pdfInfo(const QString &path, const QString &key)
{
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^") + key + QStringLiteral(":\\s*(.*)$"),
                           QRegularExpression::MultilineOption)
            .match(info);
    return m.captured(1).trimmed();
}

// A Discs window over scripted services, each file it writes in a folder
// of its own.
struct OutputFixture
{
    explicit OutputFixture(const QStringList &lines = outputCatalog())
        : shown(lines, io.services(), QStringLiteral("Shelf.cdc"))
    {
        io.printPreview.outputFolder = folder.path();
    }
    bool ready() { return shown.ready(); }
    bool activate() { return shown.activate(); }
    DiscsWindowOutput &output() { return *ui(window).output; }
    // Chooses the disc rows given in the list.
    void selectRows(const QList<int> &rows)
    {
        QItemSelection selection;
        for (const int row : rows)
            selection.select(window->discListModel()->index(row, 0),
                             window->discListModel()->index(row, 1));
        ui(window).discList->selectionModel()->select(selection,
                                                   QItemSelectionModel::ClearAndSelect);
    }
    bool search(const QString &text)
    {
        ui(window).searchBox->setText(text);
        window->find();
        return waitFor([this] { return !window->isWorking(); });
    }
    // Exports scope into path (answering the file dialog) and waits for the end.
    ExportResult exportTo(Scope scope, const QString &path)
    {
        io.dialogs.answer(path);
        QSignalSpy finished(ui(window).output, &DiscsWindowOutput::exportFinished);
        output().exportScope(scope);
        if (!output().isExporting())
            return ExportResult::WriteFailed; // never started
        if (!finished.wait(60000))
            return ExportResult::WriteFailed;
        return finished.first().first().value<ExportResult>();
    }
    QString path(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    ScriptedServices io;
    Fixture shown;
    Catalog &catalog = shown.catalog;
    std::unique_ptr<DiscsWindow> &window = shown.window;
};

const char *scopeName(Scope scope)
{
    switch (scope) {
    case Scope::WholeCatalog: return "whole catalog";
    case Scope::SelectedDiscs: return "selected discs";
    case Scope::SearchResults: break;
    }
    return "search results";
}

// Shows the catalog with its first and third discs chosen, as printed.
bool showTwoDiscsChosen(DiscsWindow &window, const Catalog &catalog)
{
    window.showCatalog(catalog, QStringLiteral("Shelf.cdc"));
    if (!waitFor([&] { return window.isReady(); }))
        return false;
    window.show();
    QItemSelection chosen;
    for (const int row : {0, 2})
        chosen.select(window.discListModel()->index(row, 0), window.discListModel()->index(row, 1));
    ui(window).discList->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect);
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Scope)

class TestDiscsWindowOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<ExportResult>(); }

    // Each scope in each format, read back.
    void exportsScope_data()
    {
        QTest::addColumn<Scope>("scope");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QList<int>>("lines");      // the catalog lines written, in order
        QTest::addColumn<QStringList>("sections"); // the discs listed
        const QList<int> all{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        const QStringList allDiscs{QStringLiteral("Café, \"Été\""), QStringLiteral("Диск 1"),
                                   QStringLiteral("日本語ディスク"), QStringLiteral("Games, 1"),
                                   QStringLiteral("Lines without a disc name")};
        const QList<int> selected{3, 4, 5, 6};
        const QStringList selectedDiscs{QStringLiteral("Диск 1"), QStringLiteral("日本語ディスク")};
        const QList<int> hits{4, 6, 7};
        const QStringList hitDiscs{QStringLiteral("Диск 1"), QStringLiteral("日本語ディスク"),
                                   QStringLiteral("Games, 1")};
        for (const char *extension : {"csv", "html", "pdf"}) {
            QTest::addRow("%s as %s", scopeName(Scope::WholeCatalog), extension)
                << Scope::WholeCatalog << extension << all << allDiscs;
            QTest::addRow("%s as %s", scopeName(Scope::SelectedDiscs), extension)
                << Scope::SelectedDiscs << extension << selected << selectedDiscs;
            QTest::addRow("%s as %s", scopeName(Scope::SearchResults), extension)
                << Scope::SearchResults << extension << hits << hitDiscs;
        }
    }
    void exportsScope()
    {
        QFETCH(Scope, scope);
        QFETCH(QString, extension);
        QFETCH(QList<int>, lines);
        QFETCH(QStringList, sections);
        if (extension == QLatin1String("pdf") && !haveTool("pdftotext"))
            QSKIP("pdftotext is missing (Debian package poppler-utils)");
        OutputFixture f;
        QVERIFY(f.ready());
        f.selectRows({1, 2});
        QVERIFY(f.search(QStringLiteral("level")));
        const QString path = f.path(QStringLiteral("out.") + extension);
        QCOMPARE(f.exportTo(scope, path), ExportResult::Written);
        QVERIFY(f.io.messages.shown.empty());
        QCOMPARE(f.io.dialogs.requests.size(), std::size_t(1));
        QCOMPARE(f.io.dialogs.last()->mode, FileDialogMode::Save);
        QVERIFY(f.io.dialogs.last()->flags & OverwritePrompt);
        QVERIFY2(out(f.output()).status->text().contains(QStringLiteral("out.") + extension),
                 qPrintable(out(f.output()).status->text()));

        const QByteArray bytes = readFile(path);
        const QList<QStringList> expected = rowsOfLines(lines);
        if (extension == QLatin1String("csv")) {
            QList<QStringList> rows = parseCsv(bytes);
            QVERIFY(!rows.isEmpty());
            QCOMPARE(rows.takeFirst(), (QStringList{"Disc", "Folder", "File"}));
            QCOMPARE(rows, expected);
        } else if (extension == QLatin1String("html")) {
            QList<QStringList> rows;
            QCOMPARE(htmlSections(bytes, rows), sections);
            QCOMPARE(rows, expected);
        } else {
            QVERIFY(bytes.startsWith("%PDF-"));
            const QString text = pdfText(path);
            for (const QString &disc : sections)
                QVERIFY2(text.contains(disc), qPrintable(disc + " missing in:\n" + text));
            for (const QStringList &row : expected)
                QVERIFY2(text.contains(row[2]), qPrintable(row[2] + " missing in:\n" + text));
            // Nothing of the lines left out.
            for (int line = 0; line < outputCatalog().size(); ++line) {
                if (!lines.contains(line))
                    QVERIFY2(!text.contains(rowOf(outputCatalog()[line])[2]),
                             qPrintable(outputCatalog()[line]));
            }
        }
    }

    // The scopes that have something to export can be chosen.
    void scopesEnabled_data()
    {
        QTest::addColumn<QList<int>>("selectedRows");
        QTest::addColumn<QString>("search"); // empty: none
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("results");
        QTest::newRow("nothing chosen") << QList<int>{} << QString() << false << false;
        QTest::newRow("one disc") << QList<int>{0} << QString() << true << false;
        QTest::newRow("two discs, a search with hits")
            << QList<int>{1, 3} << QStringLiteral("level") << true << true;
        QTest::newRow("a search without hits")
            << QList<int>{} << QStringLiteral("nowhere to be found") << false << false;
    }
    void scopesEnabled()
    {
        QFETCH(QList<int>, selectedRows);
        QFETCH(QString, search);
        QFETCH(bool, selected);
        QFETCH(bool, results);
        OutputFixture f;
        // Nothing to export before the discs are counted.
        QVERIFY(!out(f.output()).exportWhole->isEnabled());
        QVERIFY(!out(f.output()).printButton->isEnabled());
        QVERIFY(f.ready());
        ui(f.window).discList->selectionModel()->clearSelection();
        f.selectRows(selectedRows);
        if (!search.isEmpty())
            QVERIFY(f.search(search));
        QVERIFY(out(f.output()).exportButton->isEnabled());
        QVERIFY(out(f.output()).exportWhole->isEnabled());
        QCOMPARE(out(f.output()).exportSelected->isEnabled(), selected);
        QCOMPARE(out(f.output()).exportResults->isEnabled(), results);
        // The disc shown can always be printed.
        QVERIFY(out(f.output()).printButton->isEnabled());
        QVERIFY(out(f.output()).printBooklet->isEnabled());
    }

    // A file that cannot be written: the reason in a message box, no file,
    // and an existing file as it was.
    void unwritableTarget_data()
    {
        QTest::addColumn<QString>("target"); // below the fixture's folder, or absolute
        QTest::addColumn<QString>("format");
        QTest::newRow("missing folder") << "no such folder/out.csv" << "csv";
        QTest::newRow("a folder of that name") << "taken.html" << "html";
        QTest::newRow("below a file") << "plain.txt/out.pdf" << "pdf";
        QTest::newRow("read-only system folder") << "/proc/kobrix-export.csv" << "csv";
    }
    void unwritableTarget()
    {
        QFETCH(QString, target);
        OutputFixture f;
        QVERIFY(f.ready());
        QVERIFY(QDir(f.folder.path()).mkdir(QStringLiteral("taken.html")));
        writeFile(f.folder.path(), QStringLiteral("plain.txt"), "kept");
        const QString path = target.startsWith(u'/') ? target : f.path(target);
        QCOMPARE(f.exportTo(Scope::WholeCatalog, path), ExportResult::WriteFailed);
        QCOMPARE(f.io.messages.shown.size(), std::size_t(1));
        const ShownMessage &shown = f.io.messages.shown.front();
        QCOMPARE(shown.icon, MessageIcon::Critical);
        QVERIFY2(shown.text.startsWith(QStringLiteral("Cannot write ")
                                       + QDir::toNativeSeparators(path) + QStringLiteral(": ")),
                 qPrintable(shown.text));
        QVERIFY2(shown.text.size() > (QStringLiteral("Cannot write : ") + path).size(),
                 "no reason given");
        QVERIFY(!QFileInfo(path).isFile());
        QCOMPARE(readFile(f.path(QStringLiteral("plain.txt"))), QByteArray("kept"));
        QVERIFY(QFileInfo(f.path(QStringLiteral("taken.html"))).isDir());
        QVERIFY(!f.output().isExporting());
        QVERIFY(out(f.output()).exportButton->menu()); // back at rest
    }

    // A name whose extension names no format writes nothing and says why;
    // a cancelled dialog says nothing.
    void refusedNames_data()
    {
        QTest::addColumn<QString>("name"); // empty: the dialog is cancelled
        QTest::addColumn<int>("messages");
        QTest::newRow("text file") << "out.txt" << 1;
        QTest::newRow("no extension") << "out" << 1;
        QTest::newRow("cancelled") << "" << 0;
    }
    void refusedNames()
    {
        QFETCH(QString, name);
        QFETCH(int, messages);
        OutputFixture f;
        QVERIFY(f.ready());
        if (name.isEmpty())
            f.io.dialogs.cancel();
        else
            f.io.dialogs.answer(f.path(name));
        f.output().exportScope(Scope::WholeCatalog);
        QVERIFY(!f.output().isExporting());
        QCOMPARE(int(f.io.messages.shown.size()), messages);
        if (messages) {
            QCOMPARE(f.io.messages.shown.front().icon, MessageIcon::Exclamation);
            QVERIFY(f.io.messages.shown.front().text.contains(QLatin1String(".csv, .html or .pdf")));
        }
        QVERIFY(QDir(f.folder.path()).entryList(QDir::Files).isEmpty());
    }

    // Stopping an export half-way, by Esc or by the button, leaves the file
    // as it was and the window open.
    void stopsHalfWay_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("format");
        QTest::newRow("Esc, CSV") << "esc" << "csv";
        QTest::newRow("button, HTML") << "button" << "html";
        QTest::newRow("Esc, PDF") << "esc" << "pdf";
    }
    void stopsHalfWay()
    {
        QFETCH(QString, how);
        QFETCH(QString, format);
        OutputFixture f(bigCatalog(200000));
        QVERIFY(f.activate());
        const QString path = f.path(QStringLiteral("big.") + format);
        writeFile(f.folder.path(), QStringLiteral("big.") + format, "the export before");
        f.io.dialogs.answer(path);
        QSignalSpy finished(ui(f.window).output, &DiscsWindowOutput::exportFinished);
        f.output().exportScope(Scope::WholeCatalog);
        QVERIFY(f.output().isExporting());
        QVERIFY(!out(f.output()).exportButton->menu());
        QVERIFY(!out(f.output()).exportWhole->isEnabled()); // one export at a time
        // At once: the worker is still gathering or writing 200,000 lines.
        if (how == QLatin1String("esc"))
            QTest::keyClick(f.window.get(), Qt::Key_Escape);
        else
            out(f.output()).exportButton->click();
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.first().first().value<ExportResult>(), ExportResult::Cancelled);
        QCOMPARE(readFile(path), QByteArray("the export before"));
        QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files), QStringList{"big." + format});
        QVERIFY(f.window->isVisible()); // Esc stopped the export, not the window
        QVERIFY2(out(f.output()).status->text().contains(QLatin1String("stopped")),
                 qPrintable(out(f.output()).status->text()));
        QVERIFY(f.io.messages.shown.empty());
        QVERIFY(out(f.output()).exportButton->menu());
        QVERIFY(out(f.output()).exportWhole->isEnabled());
        // At rest again, Esc closes the window as before.
        QTest::keyClick(f.window.get(), Qt::Key_Escape);
        QVERIFY(!f.window->isVisible());
    }

    // While a large catalog is exported the window's events keep flowing
    // and the progress shows. KOBRIX_EXPORT_LINES sets the catalog's size
    // (100,000 lines unless said).
    void answersWhileExporting_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("CSV") << "csv";
        QTest::newRow("HTML") << "html";
        QTest::newRow("PDF") << "pdf";
    }
    void answersWhileExporting()
    {
        QFETCH(QString, format);
        const int asked = qEnvironmentVariableIntValue("KOBRIX_EXPORT_LINES");
        const int count = asked > 0 ? asked : 100000;
        OutputFixture f(bigCatalog(count));
        QVERIFY(f.activate());
        QElapsedTimer clock;
        qint64 last = 0, longest = 0;
        QStringList progress;
        QTimer tick;
        tick.setInterval(5);
        connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
            const QString text = out(f.output()).status->text();
            if (progress.isEmpty() || progress.last() != text)
                progress << text;
        });
        const QString path = f.path(QStringLiteral("big.") + format);
        f.io.dialogs.answer(path);
        QSignalSpy finished(ui(f.window).output, &DiscsWindowOutput::exportFinished);
        clock.start();
        tick.start();
        f.output().exportScope(Scope::WholeCatalog);
        progress << out(f.output()).status->text();
        QVERIFY(finished.wait(300000));
        const qint64 took = clock.elapsed();
        QCOMPARE(finished.first().first().value<ExportResult>(), ExportResult::Written);
        qInfo("%d lines as %s: %lld ms, %lld bytes, the longest pause between events %lld ms, "
              "%lld progress texts",
              count, qPrintable(format), took, QFileInfo(path).size(), longest,
              qsizetype(progress.size()));
        QVERIFY2(longest < 250, qPrintable(QString::number(longest)));
        QVERIFY2(progress.first().startsWith(QStringLiteral("Exporting to big.") + format),
                 qPrintable(progress.join(u'|')));
        QCOMPARE(out(f.output()).status->text(),
                 QStringLiteral("Exported %1 file(s) of %2 disc(s) to big.%3")
                     .arg(QLocale().toString(count),
                          QLocale().toString((count + 19999) / 20000), format));
        QVERIFY(QFileInfo(path).size() > count);
    }

    // Each paper gives its page size, the discs chosen (or the disc shown)
    // and their files, and nothing of the other discs.
    void printsOnPaper_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QList<int>>("selectedRows");
        QTest::addColumn<QString>("pageSize"); // as pdfinfo says: Qt writes whole points
        QTest::addColumn<QList<int>>("lines"); // the catalog lines printed
        QTest::addColumn<QStringList>("title");
        const QList<int> two{0, 1, 2, 5, 6};
        const QList<int> shown{0, 1, 2}; // the first disc, shown at the start
        QTest::newRow("A4, two discs") << "a4" << QList<int>{0, 2} << "595 x 842" << two
                                       << QStringList{"Shelf.cdc"};
        QTest::newRow("Letter, two discs") << "letter" << QList<int>{0, 2} << "612 x 792" << two
                                           << QStringList{"Shelf.cdc"};
        QTest::newRow("booklet, two discs")
            << "booklet" << QList<int>{0, 2} << "340 x 340" << two << QStringList{};
        QTest::newRow("booklet, the disc shown")
            << "booklet" << QList<int>{} << "340 x 340" << shown << QStringList{};
    }
    void printsOnPaper()
    {
        QFETCH(QString, paper);
        QFETCH(QList<int>, selectedRows);
        QFETCH(QString, pageSize);
        QFETCH(QList<int>, lines);
        QFETCH(QStringList, title);
        if (!haveTool("pdftotext") || !haveTool("pdfinfo"))
            QSKIP("pdftotext or pdfinfo is missing (Debian package poppler-utils)");
        OutputFixture f;
        QVERIFY(f.ready());
        ui(f.window).discList->selectionModel()->clearSelection();
        f.selectRows(selectedRows);
        QAction *action = paper == QLatin1String("a4")       ? out(f.output()).printA4
                          : paper == QLatin1String("letter") ? out(f.output()).printLetter
                                                             : out(f.output()).printBooklet;
        action->trigger();
        QCOMPARE(f.io.printPreview.files.size(), 1);
        const QString pdf = f.io.printPreview.files.first();
        QVERIFY2(pdfInfo(pdf, QStringLiteral("Page size")).startsWith(pageSize + " pts"),
                 qPrintable(pdfInfo(pdf, QStringLiteral("Page size"))));
        const QString text = pdfText(pdf);
        QStringList discs;
        for (const int line : lines) {
            const QStringList row = rowOf(outputCatalog()[line]);
            QVERIFY2(text.contains(row[2]), qPrintable(row[2] + " missing in:\n" + text));
            if (!discs.contains(row[0]))
                discs << row[0];
        }
        for (int line = 0; line < outputCatalog().size(); ++line) {
            const QStringList row = rowOf(outputCatalog()[line]);
            if (!lines.contains(line))
                QVERIFY2(!text.contains(row[2]), qPrintable(row[2] + " printed"));
        }
        // On paper the catalog's name heads the pages; on a booklet each
        // disc begins a page with its name on top.
        QCOMPARE(text.contains(QLatin1String("Shelf.cdc")), !title.isEmpty());
        if (paper == QLatin1String("booklet")) {
            QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")).toInt(), discs.size());
            for (int page = 1; page <= discs.size(); ++page)
                QVERIFY2(pdfText(pdf, page).trimmed().startsWith(discs[page - 1]),
                         qPrintable(pdfText(pdf, page)));
        }
        QCOMPARE(f.io.printPreview.documentNames.first(),
                 discs.size() == 1 ? discs.first() : QStringLiteral("Shelf.cdc"));
        QVERIFY(f.io.messages.shown.empty());
    }

#ifdef KOBRIX_HAVE_PRINTING
    // Qt's own preview, as the program shows it: the printer on the paper
    // asked for, a page per disc of a booklet.
    void qtPreviewShowsPages_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<QSizeF>("millimetres");
        QTest::addColumn<int>("pages");
        QTest::newRow("A4") << int(ListingPaper::A4) << QSizeF(210, 297) << 1;
        QTest::newRow("Letter") << int(ListingPaper::Letter) << QSizeF(215.9, 279.4) << 1;
        QTest::newRow("booklet") << int(ListingPaper::CdBooklet) << QSizeF(120, 120) << 2;
    }
    void qtPreviewShowsPages()
    {
        QFETCH(int, paper);
        QFETCH(QSizeF, millimetres);
        QFETCH(int, pages);
        OutputFixture f;
        QtPrintPreviewService real;
        UiServices services = f.io.services();
        services.printPreview = &real;
        DiscsWindow window(services);
        QVERIFY(showTwoDiscsChosen(window, f.catalog));
        int shownPages = -1;
        QSizeF shownSize;
        // Read while the preview is open, then closed whatever was found.
        QTimer::singleShot(0, &window, [&] {
            waitFor([&] { return QApplication::activeModalWidget() != nullptr; });
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            auto *shown = dialog ? dialog->findChild<QPrintPreviewWidget *>() : nullptr;
            if (shown && waitFor([&] { return shown->pageCount() > 0; })) {
                shownPages = shown->pageCount();
                shownSize = dialog->printer()->pageLayout().pageSize().size(QPageSize::Millimeter);
            }
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        ui(window).output->print(ListingPaper(paper));
        QCOMPARE(shownPages, pages);
        QVERIFY2(std::abs(shownSize.width() - millimetres.width()) < 0.1
                     && std::abs(shownSize.height() - millimetres.height()) < 0.1,
                 qPrintable(QStringLiteral("%1 x %2").arg(shownSize.width()).arg(shownSize.height())));
        QVERIFY(f.io.messages.shown.empty());
    }

    // Printing to a file from Qt's preview gives the pages previewed: their
    // size, whatever paper the print dialog proposes, and the names as text.
    void qtPrintsToFileAsPreviewed_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<QString>("pageSize"); // as pdfinfo says
        QTest::newRow("A4") << int(ListingPaper::A4) << "595 x 842";
        QTest::newRow("Letter") << int(ListingPaper::Letter) << "612 x 792";
        QTest::newRow("booklet") << int(ListingPaper::CdBooklet) << "340 x 340";
    }
    void qtPrintsToFileAsPreviewed()
    {
        QFETCH(int, paper);
        QFETCH(QString, pageSize);
        if (!haveTool("pdftotext") || !haveTool("pdfinfo"))
            QSKIP("pdftotext or pdfinfo is missing (Debian package poppler-utils)");
        OutputFixture f;
        QtPrintPreviewService real;
        UiServices services = f.io.services();
        services.printPreview = &real;
        DiscsWindow window(services);
        QVERIFY(showTwoDiscsChosen(window, f.catalog));
        const QString path = f.path(QStringLiteral("printed.pdf"));
        bool printed = false;
        // The preview's Print, then Print in the print dialog, to a file.
        QTimer::singleShot(0, &window, [&] {
            waitFor([&] { return QApplication::activeModalWidget() != nullptr; });
            auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            QAction *print = nullptr;
            for (QAction *action : preview ? preview->findChildren<QAction *>() : QList<QAction *>{})
                if (action->text().remove(u'&') == QLatin1String("Print"))
                    print = action;
            if (print) {
                preview->printer()->setOutputFileName(path);
                QTimer::singleShot(0, preview, [&] {
                    waitFor([] { return qobject_cast<QPrintDialog *>(QApplication::activeModalWidget()); });
                    if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                        printed = true;
                        dialog->accept();
                    } else if (QWidget *modal = QApplication::activeModalWidget()) {
                        modal->close();
                    }
                });
                print->trigger();
            }
            if (preview && preview->isVisible())
                preview->close();
        });
        ui(window).output->print(ListingPaper(paper));
        QVERIFY(printed);
        QVERIFY2(pdfInfo(path, QStringLiteral("Page size")).startsWith(pageSize + " pts"),
                 qPrintable(pdfInfo(path, QStringLiteral("Page size"))));
        const QString text = pdfText(path);
        for (const int line : {0, 1, 2, 5, 6}) {
            const QStringList row = rowOf(outputCatalog()[line]);
            QVERIFY2(text.contains(row[2]), qPrintable(row[2] + " missing in:\n" + text));
        }
        QVERIFY(f.io.messages.shown.empty());
    }
#endif

    // Without a print preview (a build without printing) there is no
    // "Print...".
    void noPrintingWithoutPreview()
    {
        Catalog catalog;
        catalog.lines().append(outputCatalog().first());
        catalog.setContent(Catalog::Content::CatalogLines);
        ScriptedServices io;
        UiServices services = io.services();
        services.printPreview = nullptr;
        DiscsWindow window(services);
        window.showCatalog(catalog, QStringLiteral("Shelf.cdc"));
        QVERIFY(waitFor([&] { return window.isReady(); }));
        window.show();
        QVERIFY(!out(ui(window).output).printButton->isVisible());
        ui(window).output->print(ListingPaper::A4);
        QVERIFY(io.printPreview.files.isEmpty());
    }
};

QTEST_MAIN(TestDiscsWindowOutput)
#include "tst_ui_discswindow_output.moc"
