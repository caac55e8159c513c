#pragma once

#include "catalog/LineStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kobrix::test {

// Creates a file (and its folders) below root with the given bytes.
void writeFile(const QString &root, const QString &relativePath, const QByteArray &bytes = {});
// Creates a folder (and its parents) below root.
void makeDir(const QString &root, const QString &relativePath);
QByteArray readFile(const QString &path);
QStringList toStringList(const LineStore &store);
LineStore toStore(const QStringList &lines);

} // namespace kobrix::test
