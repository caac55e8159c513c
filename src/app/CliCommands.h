#pragma once

// The commands of kobrix-cli, each given the arguments after its name and
// returning the process exit code.

#include <QStringList>

namespace kobrix::cli {

int commandScan(const QStringList &args);
int commandWrite(const QStringList &args);
int commandAppend(const QStringList &args);
int commandList(const QStringList &args);
int commandFind(const QStringList &args);
int commandUpdate(const QStringList &args);
int commandIdentify(const QStringList &args);
int commandExport(const QStringList &args);

} // namespace kobrix::cli
