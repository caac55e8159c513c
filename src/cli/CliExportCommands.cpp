// kobrix-cli's export: a catalog, or some of its discs, as CSV, HTML or PDF.

#include "cli/CliCommands.h"
#include "cli/CliSupport.h"
#include "cli/CliTerminal.h"

#include "export/CatalogExport.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogFileSystem.h"
#include "core/ProgramTexts.h"
#include "export/PdfExportModule.h"
#include "platform/ProgramLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <vector>

namespace kobrix::cli {

namespace {

using Writer = std::function<ExportResult(QIODevice &out)>;

QtMessageHandler previousMessageHandler = nullptr;

// Qt's graphical set-up warns on stderr when XDG_RUNTIME_DIR is unset (a
// cron job, a container, su) and uses a folder of its own. A PDF written to
// a file needs no such folder; the warning would only bury real messages
// in a script's stderr. Every other message goes on as before.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext &context,
                                 const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: "))
        && (message.contains(QLatin1String("XDG_RUNTIME_DIR"))
            || message.contains(QLatin1String("runtime directory"))))
        return;
    if (previousMessageHandler)
        previousMessageHandler(type, context, message);
    else
        writeText(
            stderr,
            (qFormatLogMessage(type, context, message) + QLatin1Char('\n')).toUtf8().toStdString());
}

// Loads the PDF module (once) and writes through it. The module is not
// unloaded: the graphics library it brought stays until the program ends.
ExportResult writePdfThroughModule(const ExportContent &content, QIODevice &out,
                                   const ExportOptions &options, QString &problem)
{
    if (!previousMessageHandler)
        previousMessageHandler = qInstallMessageHandler(&withoutRuntimeFolderWarning);
    QStringList reasons;
    for (const QString &candidate : moduleCandidates(QLatin1String(kPdfExportModuleName))) {
        QLibrary library(candidate);
        if (!library.load()) {
            reasons << library.errorString();
            continue;
        }
        const auto entry = reinterpret_cast<PdfExportEntry>(library.resolve(kPdfExportEntryName));
        if (!entry) {
            reasons << library.errorString();
            continue;
        }
        PdfExportCall call;
        call.content = &content;
        call.out = &out;
        call.options = &options;
        if (entry(&call) != 0) {
            reasons << ProgramTexts::pdfModuleOtherVersion(library.fileName());
            continue;
        }
        return call.result;
    }
    problem = ProgramTexts::pdfModuleMissing(reasons.join(QLatin1String("; ")));
    return ExportResult::WriteFailed;
}

int writeFailed(const QString &file, const QString &reason)
{
    return failWith(ProgramTexts::exportWriteFailed(file, reason));
}

// Writes to standard output. A problem met on the way (a reading error, a
// missing PDF module) is reported after what was written.
int writeToStandardOutput(const Writer &write, const QString &problem)
{
    std::fflush(stdout);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return writeFailed(QStringLiteral("-"), out.errorString());
    const ExportResult result = write(out);
    if (!problem.isEmpty()) {
        out.flush();
        return failWith(problem);
    }
    if (result != ExportResult::Written || !out.flush() || out.error() != QFileDevice::NoError) {
        const QByteArray text = "kobrix-cli: write error: " + out.errorString().toUtf8();
        printError(std::string_view(text.constData(), std::size_t(text.size())));
        return 2;
    }
    return 0;
}

// Writes the file through a temporary file that replaces it once complete,
// so that a failed export leaves no half file and an older export intact.
// A FIFO or device is written directly. Writes go straight to the system,
// so that a full disk shows at the write that meets it, with its number.
int writeToFile(const QString &path, const Writer &write, const QString &problem)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        QFile out(path);
        errno = 0;
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return writeFailed(path, ExportTargetDevice::systemFailureReason(out));
        ExportTargetDevice device(out);
        const ExportResult result = write(device);
        if (!problem.isEmpty())
            return failWith(problem);
        if (result != ExportResult::Written)
            return writeFailed(path, device.failureReason());
        return 0;
    }
    QSaveFile out(path);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailed(path, ExportTargetDevice::systemFailureReason(out));
    ExportTargetDevice device(out);
    const ExportResult result = write(device);
    if (!problem.isEmpty()) {
        out.cancelWriting();
        return failWith(problem);
    }
    if (result != ExportResult::Written) {
        const QString reason = device.failureReason();
        out.cancelWriting();
        return writeFailed(path, reason);
    }
    errno = 0;
    if (!out.commit())
        return writeFailed(path, ExportTargetDevice::systemFailureReason(out));
    return 0;
}

} // namespace

int commandExport(const QStringList &args)
{
    QStringList rest = args;
    QStringList discNames;
    for (QString disc; takeOption(rest, QLatin1String("--disc"), disc);)
        discNames << disc;
    QString format;
    if (!takeOption(rest, QLatin1String("--format"), format))
        return usage();
    QString outputPath;
    const bool toFile = takeOption(rest, QLatin1String("-o"), outputPath);
    const bool raw = takeFlag(rest, QLatin1String("--raw"));
    if (rest.size() != 1 || rest[0].startsWith(QLatin1Char('-')))
        return usage();
    ExportFormat kind;
    if (format == QLatin1String("csv"))
        kind = ExportFormat::Csv;
    else if (format == QLatin1String("html"))
        kind = ExportFormat::Html;
    else if (format == QLatin1String("pdf"))
        kind = ExportFormat::Pdf;
    else
        return failWith(ProgramTexts::unknownExportFormat(format));
    if (kind == ExportFormat::Pdf && !toFile)
        return failWith(ProgramTexts::pdfNeedsOutputFile());

    const QString &path = rest[0];
    // Replacing the catalog with its own export would lose it: the output
    // may not be the catalog under any name (a link to it included).
    if (toFile && filesystem::isSameFileAs(outputPath, path))
        return failWith(ProgramTexts::exportOntoCatalog(QDir::toNativeSeparators(outputPath)));
    ExportOptions options;
    options.title = QFileInfo(path).fileName();
    options.rawCsv = raw;
    QString problem;
    const auto output = [&](const Writer &write) {
        return toFile ? writeToFile(outputPath, write, problem)
                      : writeToStandardOutput(write, problem);
    };

    // The whole catalog as CSV is written as it is read, slice by slice,
    // the lines in catalog order: no need to hold it.
    if (kind == ExportFormat::Csv && discNames.isEmpty()) {
        return output([&](QIODevice &out) {
            CsvLineWriter writer(out, options);
            qsizetype read = 0;
            const RuntimeError error = forEachSlice(path, [&](const LineStore &slice) {
                read += slice.count();
                return writer.addAll(slice);
            });
            if (error) {
                problem = ProgramTexts::readErrorHeading() + QStringLiteral(": ")
                          + error.numberAndDescription();
                if (read > 0)
                    writer.finish(); // the lines read before the error, as list does
                return ExportResult::Cancelled;
            }
            return writer.finish();
        });
    }

    LineStore lines;
    lines.setKeepSearchKeys(false); // nothing is searched
    if (const RuntimeError error = readCatalog(path, lines, ExistingLines::Clear))
        return fail(ProgramTexts::readErrorHeading(), error);
    DiscIndex discs;
    discs.build(lines);
    std::vector<qsizetype> chosen;
    for (const QString &name : discNames) {
        const qsizetype disc = discNamed(discs, name);
        if (disc < 0)
            return failWith(ProgramTexts::unknownDisc(name, QDir::toNativeSeparators(path)));
        chosen.push_back(disc);
    }
    const ExportContent content = discNames.isEmpty()
                                      ? ExportContent::wholeCatalog(lines, discs)
                                      : ExportContent::selectedDiscs(lines, discs, chosen);
    return output([&](QIODevice &out) {
        switch (kind) {
        case ExportFormat::Csv: return writeCsv(content, out, options);
        case ExportFormat::Html: return writeHtml(content, out, options);
        case ExportFormat::Pdf: break;
        }
        return writePdfThroughModule(content, out, options, problem);
    });
}

} // namespace kobrix::cli
