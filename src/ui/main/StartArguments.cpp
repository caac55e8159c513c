#include "ui/main/StartArguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace kobrix {

namespace {

// A desktop may hand over an address instead of a path.
QString catalogPath(const QString &argument, const QString &workingFolder)
{
    QString path = argument;
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        path = QUrl(argument).toLocalFile();
    return QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path));
}

} // namespace

StartArguments parseStartArguments(const QStringList &arguments, const QString &version,
                                   const QString &workingFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        StartArguments::tr("Catalogue CD and DVD discs and find on which disc a file lies."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  StartArguments::tr("Show this help and end."));
    const QCommandLineOption showVersion(
        QStringList{QStringLiteral("v"), QStringLiteral("version")},
        StartArguments::tr("Show the version and end."));
    parser.addOption(help);
    parser.addOption(showVersion);
    parser.addPositionalArgument(
        QStringLiteral("catalog"),
        StartArguments::tr("A catalog (.cdc) to open for searching, in place of the start dialog."),
        QStringLiteral("[catalog]"));

    StartArguments result;
    const QString program = QStringLiteral("kobrix");
    if (!parser.parse(arguments)) {
        result.outcome = StartArguments::Outcome::Fail;
        result.text = program + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n')
                      + StartArguments::tr("Try 'kobrix --help' for more information.")
                      + QLatin1Char('\n');
        result.exitCode = 2;
        return result;
    }
    if (parser.isSet(help)) {
        result.outcome = StartArguments::Outcome::Print;
        // The usage names the program as it is known, whatever its file's
        // name or path (Qt's usage line names the application's first
        // argument; before the application object, a word of its own).
        QString text = parser.helpText();
        const QString executable =
            QCoreApplication::instance() ? QCoreApplication::arguments().value(0) : QString();
        const qsizetype at = executable.isEmpty() ? -1 : text.indexOf(executable);
        const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
        if (at >= 0 && at < lineEnd) {
            text.replace(at, executable.size(), program);
        } else {
            const qsizetype start = text.indexOf(QLatin1Char(' ')) + 1;
            const qsizetype end = text.indexOf(QLatin1Char(' '), start);
            if (start > 0 && end > start && end < lineEnd)
                text.replace(start, end - start, program);
        }
        result.text = text;
        return result;
    }
    if (parser.isSet(showVersion)) {
        result.outcome = StartArguments::Outcome::Print;
        result.text = program + QLatin1Char(' ') + version + QLatin1Char('\n');
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.outcome = StartArguments::Outcome::Fail;
        result.text = program + QStringLiteral(": ")
                      + StartArguments::tr("one catalog at a time, not %1").arg(files.size())
                      + QLatin1Char('\n');
        result.exitCode = 2;
        return result;
    }
    if (!files.isEmpty() && !files.front().isEmpty())
        result.catalog = catalogPath(files.front(), workingFolder);
    return result;
}

} // namespace kobrix
