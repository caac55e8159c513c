// The real file dialog behind CommonDialog1: how it honours the settings.

#include "UiTestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

#include <functional>

#include <QMessageBox>
#include <QTemporaryDir>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTimer>

using namespace kobrix;
using namespace kobrix::test;

Q_DECLARE_METATYPE(kobrix::FileDialogMode)

namespace {

const QString kAppendFilter = QStringLiteral(
    "All Files (*.*)|*.*|Text Files (*.txt)|*.txt|CD Catalog Files (*.cdc)|*.cdc");

// What the dialog on screen was set up with.
struct SeenDialog
{
    bool found = false;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    bool confirmsOverwrite = false;
    QStringList nameFilters;
    QString selectedNameFilter;
    QStringList selectedFiles;
};

} // namespace

class TestUiForm1Dialog : public QObject
{
    Q_OBJECT
private slots:
    void nameFilters_data();
    void nameFilters();
    void qtDialogHonoursSettings_data();
    void qtDialogHonoursSettings();
    void qtDialogRefusesMissingFolder();
    void qtDialogTakesSeveralFiles_data();
    void qtDialogTakesSeveralFiles();
    void saveDialogAddsTheFilterExtension_data();
    void saveDialogAddsTheFilterExtension();
    void extensionOfPatterns_data();
    void extensionOfPatterns();
};

void TestUiForm1Dialog::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("qtFilters");
    QTest::newRow("catalogs") << QStringLiteral("CD Catalog Files (*.cdc)|*.cdc")
                              << QStringList{QStringLiteral("CD Catalog Files (*.cdc)")};
    QTest::newRow("three pairs, *.* is every file")
        << kAppendFilter
        << QStringList{QStringLiteral("All Files (*)"), QStringLiteral("Text Files (*.txt)"),
                       QStringLiteral("CD Catalog Files (*.cdc)")};
    QTest::newRow("several patterns")
        << QStringLiteral("Lists|*.cdc;*.txt")
        << QStringList{QStringLiteral("Lists (*.cdc *.txt)")};
    QTest::newRow("description without pattern")
        << QStringLiteral("Odd") << QStringList{QStringLiteral("Odd (*)")};
    QTest::newRow("none") << QString() << QStringList();
}

void TestUiForm1Dialog::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, qtFilters);
    QCOMPARE(nameFiltersOf(filter), qtFilters);
}

void TestUiForm1Dialog::qtDialogHonoursSettings_data()
{
    QTest::addColumn<FileDialogMode>("mode");
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<bool>("confirmsOverwrite");
    QTest::addColumn<QString>("selectedFilter");
    QTest::addColumn<QString>("shownName"); // the proposed name, with the filter's extension

    QTest::newRow("save with overwrite prompt, filter index 3")
        << FileDialogMode::Save << quint32(0x806) << kAppendFilter << 3 << true
        << QStringLiteral("CD Catalog Files (*.cdc)") << "Music.cdc";
    QTest::newRow("save without overwrite prompt")
        << FileDialogMode::Save << quint32(0x804) << kAppendFilter << 2 << false
        << QStringLiteral("Text Files (*.txt)") << "Music.txt";
    QTest::newRow("open, filter index out of range")
        << FileDialogMode::Open << quint32(0x806)
        << QStringLiteral("CD Catalog Files (*.cdc)|*.cdc") << 3 << true
        << QStringLiteral("CD Catalog Files (*.cdc)") << "Music";
}

// The real dialog takes its mode, overwrite prompt and filters from the
// settings, and an open dialog accepts the name of a missing file, returning
// its full path.
void TestUiForm1Dialog::qtDialogHonoursSettings()
{
    QFETCH(FileDialogMode, mode);
    QFETCH(quint32, flags);
    QFETCH(QString, filter);
    QFETCH(int, filterIndex);
    QFETCH(bool, confirmsOverwrite);
    QFETCH(QString, selectedFilter);
    QFETCH(QString, shownName);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString missing = folder.filePath(QStringLiteral("missing.cdc"));

    SeenDialog seen;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen.found = true;
        seen.acceptMode = dialog->acceptMode();
        seen.fileMode = dialog->fileMode();
        seen.confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        seen.nameFilters = dialog->nameFilters();
        seen.selectedNameFilter = dialog->selectedNameFilter();
        seen.selectedFiles = dialog->selectedFiles();
        dialog->selectFile(missing);
        static_cast<QDialog *>(dialog)->accept(); // as the OK button does
    });

    QtFileDialogBackend backend;
    FileDialogRequest request;
    request.mode = mode;
    request.flags = flags;
    request.fileName = folder.filePath(QStringLiteral("Music"));
    request.filter = filter;
    request.filterIndex = filterIndex;
    const std::optional<QString> chosen = backend.run(nullptr, request);

    QVERIFY(seen.found);
    QCOMPARE(seen.acceptMode,
             mode == FileDialogMode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    QCOMPARE(seen.fileMode, QFileDialog::AnyFile);
    if (mode == FileDialogMode::Save)
        QCOMPARE(seen.confirmsOverwrite, confirmsOverwrite);
    QCOMPARE(seen.nameFilters, nameFiltersOf(filter));
    QCOMPARE(seen.selectedNameFilter, selectedFilter);
    QCOMPARE(seen.selectedFiles, QStringList{folder.filePath(shownName)});
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, missing);
}

// With "path must exist" a name in a missing folder is refused with a
// message and the dialog stays; the next choice is taken.
void TestUiForm1Dialog::qtDialogRefusesMissingFolder()
{
    QTemporaryDir folder;
    const QString inMissingFolder = folder.filePath(QStringLiteral("nowhere/x.cdc"));
    const QString good = folder.filePath(QStringLiteral("x.cdc"));
    QStringList warnings;
    int round = 0;
    std::function<void()> answer = [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            warnings << box->text();
            box->accept();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            dialog->selectFile(round++ == 0 ? inMissingFolder : good);
            static_cast<QDialog *>(dialog)->accept();
        }
        if (round < 2 || warnings.isEmpty())
            QTimer::singleShot(0, this, answer);
    };
    QTimer::singleShot(0, this, answer);

    QtFileDialogBackend backend;
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.flags = kCatalogDialogFlags;
    const std::optional<QString> chosen = backend.run(nullptr, request);
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings.first().contains(QStringLiteral("Path does not exist.")));
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, good);
}

// The open dialog for several files: existing files only, the catalog
// filter, every name chosen returned as a full path; cancelled, nothing.
void TestUiForm1Dialog::qtDialogTakesSeveralFiles_data()
{
    QTest::addColumn<QString>("typed"); // into the name box; empty: cancelled
    QTest::addColumn<QStringList>("chosen");

    QTest::newRow("two files") << "\"a.cdc\" \"Полка 2.cdc\""
                               << QStringList{"a.cdc", "Полка 2.cdc"};
    QTest::newRow("one file") << "a.cdc" << QStringList{"a.cdc"};
    QTest::newRow("cancelled") << "" << QStringList{};
}

void TestUiForm1Dialog::qtDialogTakesSeveralFiles()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, chosen);

    QTemporaryDir folder;
    writeFile(folder.path(), QStringLiteral("a.cdc"), "\"A - \\x\"\r\n");
    writeFile(folder.path(), QStringLiteral("Полка 2.cdc"), "\"B - \\y\"\r\n");
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QStringList filters;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        mode = dialog->fileMode();
        filters = dialog->nameFilters();
        if (typed.isEmpty()) {
            dialog->reject();
            return;
        }
        auto *nameBox = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (nameBox)
            nameBox->setText(typed);
        static_cast<QDialog *>(dialog)->accept();
    });
    QtFileDialogBackend backend;
    FileDialogRequest request;
    request.mode = FileDialogMode::OpenSeveral;
    request.flags = FileMustExist;
    request.fileName = folder.filePath(QStringLiteral("a.cdc"));
    request.filter = QStringLiteral("CD Catalog Files (*.cdc)|*.cdc");
    const std::optional<QStringList> result = backend.runSeveral(nullptr, request);
    QCOMPARE(mode, QFileDialog::ExistingFiles);
    QCOMPARE(filters, QStringList{"CD Catalog Files (*.cdc)"});
    if (chosen.isEmpty()) {
        QVERIFY(!result.has_value());
        return;
    }
    QVERIFY(result.has_value());
    QStringList expected;
    for (const QString &name : chosen)
        expected << QDir::toNativeSeparators(folder.filePath(name));
    QCOMPARE(*result, expected);
}

void TestUiForm1Dialog::saveDialogAddsTheFilterExtension_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<int>("userPicksFilter"); // 0: leaves the filter as it opened
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    const QString catalog = QStringLiteral("CD Catalog Files (*.cdc)|*.cdc");
    QTest::newRow("new catalog typed without extension") << catalog << 1 << 0 << "Music" << "Music.cdc";
    QTest::newRow("extension typed") << catalog << 1 << 0 << "Music.cdc" << "Music.cdc";
    QTest::newRow("other extension typed") << catalog << 1 << 0 << "Music.txt" << "Music.txt";
    QTest::newRow("name with dots and blanks") << catalog << 1 << 0 << "My Music 2.0 disc.cdc"
                                               << "My Music 2.0 disc.cdc";
    QTest::newRow("append dialog on catalogs") << kAppendFilter << 3 << 0 << "Music" << "Music.cdc";
    QTest::newRow("append dialog on text files") << kAppendFilter << 2 << 0 << "Music" << "Music.txt";
    QTest::newRow("append dialog on all files") << kAppendFilter << 1 << 0 << "Music" << "Music";
    QTest::newRow("user switches to all files") << kAppendFilter << 3 << 1 << "Music" << "Music";
    QTest::newRow("user switches to catalogs") << kAppendFilter << 1 << 3 << "Music" << "Music.cdc";
}

// A name typed without extension gets the one of the filter selected, so a
// new catalog is found again by the open dialog's "*.cdc".
void TestUiForm1Dialog::saveDialogAddsTheFilterExtension()
{
    QFETCH(QString, filter);
    QFETCH(int, filterIndex);
    QFETCH(int, userPicksFilter);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir folder;
    bool found = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        found = true;
        if (userPicksFilter > 0) {
            auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            types->setCurrentIndex(userPicksFilter - 1);
            Q_EMIT types->activated(userPicksFilter - 1);
            Q_EMIT types->textActivated(types->currentText());
        }
        dialog->selectFile(typed);
        static_cast<QDialog *>(dialog)->accept();
    });
    QtFileDialogBackend backend;
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.flags = kCatalogDialogFlags;
    request.fileName = folder.filePath(QStringLiteral("start"));
    request.filter = filter;
    request.filterIndex = filterIndex;
    const std::optional<QString> chosen = backend.run(nullptr, request);
    QVERIFY(found);
    QVERIFY(chosen.has_value());
    QCOMPARE(*chosen, QDir::toNativeSeparators(folder.filePath(saved)));
}

void TestUiForm1Dialog::extensionOfPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("extension");
    QTest::newRow("catalogs") << "*.cdc" << "cdc";
    QTest::newRow("blanks around") << " *.txt " << "txt";
    QTest::newRow("all files") << "*.*" << "";
    QTest::newRow("star") << "*" << "";
    QTest::newRow("several") << "*.cdc;*.txt" << "";
    QTest::newRow("wildcard inside") << "*.c?c" << "";
    QTest::newRow("empty") << "" << "";
}

void TestUiForm1Dialog::extensionOfPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, extension);
    QCOMPARE(extensionOfPattern(pattern), extension);
}

QTEST_MAIN(TestUiForm1Dialog)
#include "tst_ui_form1_dialog.moc"
