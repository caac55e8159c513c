#pragma once

// The commands of kobrix-cli, each given the arguments after its name and
// returning the process exit code.

#include "core/RuntimeError.h"

#include <QStringList>

#include <string_view>

namespace kobrix {
class Matcher;
}

namespace kobrix::cli {

class Output;

int commandScan(const QStringList &args);
int commandWrite(const QStringList &args);
int commandAppend(const QStringList &args);
int commandList(const QStringList &args);
int commandFind(const QStringList &args);
int commandUpdate(const QStringList &args);
int commandIdentify(const QStringList &args);
int commandExport(const QStringList &args);
int commandDiscs(const QStringList &args);
int commandLs(const QStringList &args);
int commandDupes(const QStringList &args);
int commandAddDiscs(const QStringList &args);

// find CATALOG TEXT --by-disc: prints the hits of one catalog counted by
// disc, each line after prefix, and adds them to hitCount.
RuntimeError findByDisc(const QString &catalog, const Matcher &matcher, std::string_view prefix,
                        Output &out, long long &hitCount);

} // namespace kobrix::cli
