#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace kobrix {

// What the command line of kobrix asks for: start the windows (with a
// catalog to open in place of the start dialog's question), or print a text
// and end with an exit code.
struct StartArguments
{
    Q_DECLARE_TR_FUNCTIONS(StartArguments)

public:
    enum class Outcome {
        Start, // run the windows
        Print, // print text to standard output and end with exitCode 0
        Fail,  // print text to standard error and end with exitCode
    };
    Outcome outcome = Outcome::Start;
    QString catalog; // absolute path of the catalog named; empty: none
    QString text;
    int exitCode = 0;
};

// Reads the arguments (the program's name first, Qt's own options already
// taken out by the application object): --help, --version, and at most one
// catalog file, a path relative to workingFolder or a file: address.
StartArguments parseStartArguments(const QStringList &arguments, const QString &version,
                                   const QString &workingFolder);

} // namespace kobrix
