#pragma once

#include <QCoreApplication>
#include <QString>

namespace kobrix {

// Texts that several parts of the program say alike, the windows and the
// command line, each written here once. They go through tr() (context
// "kobrix::ProgramTexts"), so a translation loaded into the application
// changes them everywhere at once; without one they read as written here.
class ProgramTexts
{
    Q_DECLARE_TR_FUNCTIONS(kobrix::ProgramTexts)

public:
    // The program's name: the title of every message box and the end of the
    // main window's caption. A name, so it is not translated.
    static QString programTitle() { return QStringLiteral("Kobrix"); }
    // The caption of the main window naming a catalog: "Music.cdc - Kobrix".
    static QString catalogCaption(const QString &catalogName)
    {
        return catalogName + QStringLiteral(" - ") + programTitle();
    }

    // The file dialog filter of catalog files, in the dialog's own form of
    // description and pattern separated by '|'.
    static QString catalogFilter() { return tr("CD Catalog Files (*.cdc)|*.cdc"); }

    // Headings of error reports; the error number and description follow.
    static QString writeErrorHeading() { return tr("Error in WriteList"); }
    static QString readErrorHeading() { return tr("Error Reading file"); }
    static QString scanErrorHeading(const QString &path)
    {
        return tr("Error scanning %1").arg(path);
    }
    static QString imageErrorHeading(const QString &image)
    {
        return tr("Error reading disc image %1").arg(image);
    }

    // Refusals before any work starts.
    static QString missingDiscName() { return tr("Please enter a Disk Name or Number"); }
    static QString emptyListing() { return tr("Listbox is empty - cannot write to file!"); }
    static QString missingSearchText() { return tr("Enter a search string"); }
    // The disc's own name, read from its volume descriptors or its mount.
    static QString noDiscLabel(const QString &root)
    {
        return tr("%1 has no volume label").arg(root);
    }
    static QString labelErrorHeading(const QString &root)
    {
        return tr("Error reading the volume label of %1").arg(root);
    }
    // A disc name that the catalog would read back as another: recorded is
    // the name as written, readBack the disc its lines would name.
    static QString discNameHoldsSeparator(const QString &recorded, const QString &readBack)
    {
        return tr("A disc name cannot hold \" - \\\": \"%1\" would be read back as the disc "
                  "\"%2\". Nothing was written.")
            .arg(recorded, readBack);
    }

    // The discs of a catalog, updating one.
    static QString unknownDisc(const QString &discName, const QString &catalog)
    {
        return tr("There is no disc named \"%1\" in %2").arg(discName, catalog);
    }
    static QString sharedDiscLine(const QString &discName, qint64 line)
    {
        return tr("Line %1 of the catalog holds records of \"%2\" together with other "
                  "records; the disc cannot be updated")
            .arg(line)
            .arg(discName);
    }
    static QString catalogChangedMeanwhile()
    {
        return tr("The disc's records in the catalog changed meanwhile; nothing was written");
    }
    // What an update changes: "3 added, 1 removed, 2308 unchanged".
    static QString updateCounts(qsizetype added, qsizetype removed, qsizetype unchanged)
    {
        return tr("%1 added, %2 removed, %3 unchanged").arg(added).arg(removed).arg(unchanged);
    }

    // The exported listings (HTML page, PDF).
    static QString exportSummary(qsizetype discs, qsizetype files)
    {
        return tr("%1 discs, %2 files").arg(discs).arg(files);
    }
    static QString exportDiscsHeading() { return tr("Discs"); }
    static QString exportDiscColumn() { return tr("Disc"); }
    static QString exportFilesColumn() { return tr("Files"); }
    static QString exportFolderColumn() { return tr("Folder"); }
    static QString exportFileColumn() { return tr("File"); }
    static QString exportFilterPlaceholder() { return tr("Filter"); }
    // Where several catalogs are exported together: the CSV column and the
    // line below a disc's heading that name the disc's catalog.
    static QString exportCatalogColumn() { return tr("Catalog"); }
    static QString exportCatalogLine(const QString &catalog)
    {
        return tr("Catalog: %1").arg(catalog);
    }
    // What the page's filter shows: %1 lines shown of %2.
    static QString exportShownCount() { return tr("%1 of %2 files"); }
    // The heading of the lines that name no disc (made by hand).
    static QString looseLinesHeading() { return tr("Lines without a disc name"); }
    // A folder named again on top of a column or page where its files go on.
    static QString exportFolderContinued(const QString &folder)
    {
        return tr("%1 (continued)").arg(folder);
    }
    // A disc's heading in the PDF: its name and file count.
    static QString exportDiscHeading(const QString &disc, qsizetype files)
    {
        return tr("%1 (%2 files)").arg(disc).arg(files);
    }
    static QString exportPageNumber(int page, int pages)
    {
        return tr("Page %1 of %2").arg(page).arg(pages);
    }

    // Refusals of an export.
    static QString unknownExportFormat(const QString &format)
    {
        return tr("Unknown export format \"%1\": use csv, html or pdf").arg(format);
    }
    static QString pdfNeedsOutputFile() { return tr("A PDF export needs an output file: -o FILE"); }
    static QString pdfModuleMissing(const QString &reason)
    {
        return tr("The PDF export is not available: %1").arg(reason);
    }
    static QString pdfModuleOtherVersion(const QString &module)
    {
        return tr("%1 belongs to another version of the program").arg(module);
    }
    static QString exportWriteFailed(const QString &file, const QString &reason)
    {
        return tr("Cannot write %1: %2").arg(file, reason);
    }

    // An export whose output file is a catalog it reads.
    static QString exportOntoCatalog(const QString &file)
    {
        return tr("Cannot write %1: it is the catalog being exported. Nothing was written.")
            .arg(file);
    }
    // The changes of an update could not all be printed; the catalog holds them.
    static QString updateWrittenButNotListed()
    {
        return tr("The catalog was updated; the list of changes could not be written in full");
    }

    static QString unknownFolder(const QString &folder, const QString &discName)
    {
        return tr("There is no folder %1 on the disc \"%2\"").arg(folder, discName);
    }
    // Stands for the disc name of the lines that have none (made by hand).
    static QString looseLinesName() { return tr("(lines without a disc name)"); }
};

} // namespace kobrix
