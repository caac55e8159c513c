#pragma once

// The commands of kobrix-cli, each given the arguments after its name and
// returning the process exit code.

#include <QStringList>

namespace kobrix {
class Matcher;
}

namespace kobrix::cli {

int commandScan(const QStringList &args);
int commandWrite(const QStringList &args);
int commandAppend(const QStringList &args);
int commandList(const QStringList &args);
int commandFind(const QStringList &args);
int commandDiscs(const QStringList &args);
int commandLs(const QStringList &args);
int commandDupes(const QStringList &args);

// find CATALOG TEXT --by-disc: the hits counted by disc.
int findByDisc(const QString &catalog, const Matcher &matcher);

} // namespace kobrix::cli
