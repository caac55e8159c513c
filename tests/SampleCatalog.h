#pragma once

// The small catalog the tests of the Discs window and of its session share.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kobrix::test {

// Three discs (one appended twice, one with " - " in its name) and a line
// made by hand.
inline QStringList sampleCatalog()
{
    return {
        QStringLiteral("Games 1 - \\SETUP.EXE"),                //  0
        QStringLiteral("Games 1 - \\README.TXT"),               //  1
        QStringLiteral("Games 1 - \\DATA\\LEVEL1.DAT"),         //  2
        QStringLiteral("Games 1 - \\DATA\\LEVEL2.DAT"),         //  3
        QStringLiteral("Games 1 - \\DATA\\MUSIC\\TRACK01.OGG"), //  4
        QStringLiteral("Games 1 - \\MAPS\\NORTH.MAP"),          //  5
        QStringLiteral("Photos - 2002 - \\IMG0001.JPG"),        //  6
        QStringLiteral("Photos - 2002 - \\README.TXT"),         //  7
        QStringLiteral("Photos - 2002 - \\ALBUM\\IMG0002.JPG"), //  8
        QStringLiteral("Photos - 2002 - \\BACKUP\\LEVEL1.DAT"), //  9
        QStringLiteral("Games 2 - \\SETUP.EXE"),                // 10
        QStringLiteral("Games 2 - \\DATA\\LEVEL1.DAT"),         // 11
        QStringLiteral("Games 2 - \\DATA\\LEVEL9.DAT"),         // 12
        QStringLiteral("notes made by hand"),                   // 13
        QStringLiteral("Games 1 - \\EXTRA\\BONUS.DAT"),         // 14 appended later
    };
}

inline QByteArray catalogBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += '"' + line.toUtf8() + "\"\r\n";
    return bytes;
}

} // namespace kobrix::test
