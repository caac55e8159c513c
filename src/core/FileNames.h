#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// File names as the system holds them and as Kobrix holds them. A POSIX
// system's file names are bytes, and not every name is valid UTF-8 (a disc
// written on an old system, a name in Latin-1). Kobrix keeps a path as text:
// a byte that is no part of valid UTF-8 is kept as a lone surrogate
// U+DC80..U+DCFF of its own (the "surrogate escape" of Python), so that the
// path opened is exactly the one the user gave or a folder listed. Shown to
// the user, such a byte reads as U+FFFD.
namespace kobrix {

// The text of a file name's bytes; valid UTF-8 decodes as usual.
QString decodeFileName(QByteArrayView bytes);
// The bytes of a file name held as text: the inverse of decodeFileName().
QByteArray encodeFileName(QStringView name);
// The name as it is shown: each kept byte becomes U+FFFD.
QString displayFileName(QStringView name);

} // namespace kobrix
