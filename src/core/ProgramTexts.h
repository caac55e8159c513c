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

    // The discs of a catalog.
    static QString unknownDisc(const QString &discName, const QString &catalog)
    {
        return tr("There is no disc named \"%1\" in %2").arg(discName, catalog);
    }
    static QString unknownFolder(const QString &folder, const QString &discName)
    {
        return tr("There is no folder %1 on the disc \"%2\"").arg(folder, discName);
    }
    // Stands for the disc name of the lines that have none (made by hand).
    static QString looseLinesName() { return tr("(lines without a disc name)"); }
};

} // namespace kobrix
