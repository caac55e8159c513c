#include "ui/common/CommonDialog.h"

#include "core/ProgramTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace kobrix {

namespace {

// "All Files (*.*)" + "*.*" -> "All Files (*)": the description without its
// own pattern in parentheses, followed by the patterns as QFileDialog reads
// them. "*.*" means every file, also those without a dot.
QString qtNameFilter(const QString &description, const QString &pattern)
{
    static const QRegularExpression trailingPattern(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QString shown = description;
    shown.remove(trailingPattern);
    if (shown.isEmpty())
        shown = description;

    QStringList patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &p : patterns) {
        p = p.trimmed();
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
    }
    if (patterns.isEmpty())
        patterns << QStringLiteral("*");
    return shown + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace

FileDialogRequest existingCatalogRequest(const QString &fileName)
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Open;
    request.flags = FileMustExist | HideReadOnly | PathMustExist;
    request.filter = ProgramTexts::catalogFilter();
    request.fileName = fileName;
    return request;
}

// The "description|pattern|description|pattern..." filter as QFileDialog name
// filters, one per pair. A description without a pattern gets "*".
QStringList nameFiltersOf(const QString &filter)
{
    QStringList result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2)
        result << qtNameFilter(parts.at(i), i + 1 < parts.size() ? parts.at(i + 1) : QString());
    return result;
}

QString extensionOfPattern(const QString &pattern)
{
    static const QRegularExpression single(QStringLiteral("^\\*\\.([^*?.;\\s\\[\\]]+)$"));
    const QRegularExpressionMatch match = single.match(pattern.trimmed());
    return match.hasMatch() ? match.captured(1) : QString();
}

bool CommonDialog::show(FileDialogMode mode, quint32 flags)
{
    FileDialogRequest request;
    request.mode = mode;
    request.flags = flags;
    request.fileName = m_fileName;
    request.filter = m_filter;
    request.filterIndex = m_filterIndex;
    const std::optional<QString> chosen = m_backend.run(m_parent, request);
    if (!chosen)
        return false;
    m_fileName = *chosen;
    return true;
}

namespace {

// Gives the dialog its name filters and selects the one a filter index
// (counting from 1) points at, the first when it points nowhere; returns
// the index selected.
int showNameFilters(QFileDialog &dialog, const QStringList &filters, int filterIndex)
{
    dialog.setNameFilters(filters);
    const int index = filterIndex >= 1 && filterIndex <= filters.size() ? filterIndex : 1;
    dialog.selectNameFilter(filters.at(index - 1));
    return index;
}

} // namespace

std::optional<QString> QtFileDialogBackend::run(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent);
    // Qt's own dialog everywhere: platform dialogs differ in whether they
    // accept the name of a missing file in an open dialog, which the load
    // command relies on.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    if (request.mode == FileDialogMode::Folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        if (!request.fileName.isEmpty())
            dialog.setDirectory(QDir::fromNativeSeparators(request.fileName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    }
    const bool save = request.mode == FileDialogMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Without "file must exist" an open dialog takes the name of a missing
    // file as well; the caller then reports it when it fails to read it.
    dialog.setFileMode(!save && (request.flags & FileMustExist) ? QFileDialog::ExistingFile
                                                                : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & OverwritePrompt));

    const QStringList filters = nameFiltersOf(request.filter);
    if (!filters.isEmpty()) {
        const int index = showNameFilters(dialog, filters, request.filterIndex);
        if (save) {
            // The extension follows the filter the user has selected.
            const QStringList parts = request.filter.split(QLatin1Char('|'));
            const auto followFilter = [&dialog, filters, parts](const QString &selected) {
                const qsizetype i = filters.indexOf(selected);
                const QString pattern = i >= 0 && 2 * i + 1 < parts.size() ? parts.at(2 * i + 1)
                                                                         : QString();
                dialog.setDefaultSuffix(extensionOfPattern(pattern));
            };
            followFilter(filters.at(index - 1));
            QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
        }
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(QDir::fromNativeSeparators(request.fileName));

    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty())
            return std::nullopt;
        const QString path = chosen.constFirst();
        // "Path must exist": a name typed into a folder that does not exist
        // is refused here, and the dialog stays for another choice.
        const QString folder = QFileInfo(path).absolutePath();
        if ((request.flags & PathMustExist) && !QFileInfo(folder).isDir()) {
            QMessageBox::warning(&dialog, dialog.windowTitle(),
                                 QDir::toNativeSeparators(folder) + QLatin1Char('\n')
                                     + QCoreApplication::translate(
                                         "kobrix::QtFileDialogBackend",
                                         "Path does not exist.\nCheck the path and try again."));
            continue;
        }
        return QDir::toNativeSeparators(path);
    }
}

std::optional<QStringList> QtFileDialogBackend::runSeveral(QWidget *parent,
                                                          const FileDialogRequest &request)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    const QStringList filters = nameFiltersOf(request.filter);
    if (!filters.isEmpty())
        showNameFilters(dialog, filters, request.filterIndex);
    if (!request.fileName.isEmpty())
        dialog.setDirectory(QFileInfo(QDir::fromNativeSeparators(request.fileName)).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    QStringList chosen;
    for (const QString &path : dialog.selectedFiles())
        chosen << QDir::toNativeSeparators(path);
    return chosen;
}

} // namespace kobrix
